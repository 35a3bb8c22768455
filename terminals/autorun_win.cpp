#include "terminals/autorun_win.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "common/wide_text_win.h"

namespace tarnwick {
namespace {

// The program's words, then Windows' own for the code, which name the cause in the language
// the user reads ("拒绝访问。").
[[noreturn]] void Fail(const char* what, const std::string& name, LONG code) {
    std::string message =
        std::string(what) + "注册表值 " + name + "（错误 " + std::to_string(code) + "）。";
    message += SystemErrorText(DWORD(code));
    throw std::runtime_error(message);
}

}  // namespace

RegistryKey::RegistryKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        key_ = key;
    }
}

RegistryKey::~RegistryKey() {
    Close();
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
}

void RegistryKey::Close() {
    if (key_) RegCloseKey(std::exchange(key_, nullptr));
}

std::wstring RegistryKey::ReadWide(const std::string& name) const {
    if (!key_) return {};
    const std::wstring wideName = Wide(name);
    for (;;) {
        DWORD type = 0, size = 0;
        LONG rc = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, nullptr, &size);
        if (rc == ERROR_FILE_NOT_FOUND) return {};
        if (rc != ERROR_SUCCESS) Fail("无法读取", name, rc);
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            throw std::runtime_error("注册表值 " + name + " 不是字符串。");
        }
        std::wstring data((size + 1) / sizeof(wchar_t), L'\0');
        rc = RegQueryValueExW(key_, wideName.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
        if (rc == ERROR_MORE_DATA) continue;  // changed between the two reads
        if (rc == ERROR_FILE_NOT_FOUND) return {};
        if (rc != ERROR_SUCCESS) Fail("无法读取", name, rc);
        // A string need not be stored with its terminator.
        data.resize(size / sizeof(wchar_t));
        while (!data.empty() && data.back() == L'\0')
            data.pop_back();
        return data;
    }
}

bool RegistryKey::HasValue(const std::string& name) const {
    if (!key_) return false;
    const LONG rc = RegQueryValueExW(key_, Wide(name).c_str(), nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_FILE_NOT_FOUND) return false;
    if (rc != ERROR_SUCCESS) Fail("无法读取", name, rc);
    return true;
}

void RegistryKey::WriteWide(const std::string& name, std::wstring_view data) {
    if (!key_) return;
    const std::wstring terminated(data);
    const LONG rc = RegSetValueExW(key_, Wide(name).c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(terminated.c_str()),
                                   DWORD((terminated.size() + 1) * sizeof(wchar_t)));
    if (rc != ERROR_SUCCESS) Fail("无法写入", name, rc);
}

void RegistryKey::DeleteValue(const std::string& name) {
    if (!key_) return;
    const LONG rc = RegDeleteValueW(key_, Wide(name).c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) Fail("无法删除", name, rc);
}

RegistryKey OpenRunKey() {
    return RegistryKey(HKEY_LOCAL_MACHINE, kRunKeyPath);
}

std::wstring AutorunCommand(const std::filesystem::path& folder) {
    return (folder / kAutorunProgram).native();
}

namespace {

bool EqualsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    const auto upper = [](wchar_t c) { return c >= L'a' && c <= L'z' ? wchar_t(c - 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](wchar_t x, wchar_t y) { return upper(x) == upper(y); });
}

}  // namespace

bool HoldsAutorunFor(const RegistryKey& run, const std::filesystem::path& folder) {
    return EqualsIgnoringAsciiCase(run.ReadWide(kAutorunValue), AutorunCommand(folder));
}

void SetAutorun(RegistryKey& run, bool on, const std::filesystem::path& folder) {
    if (on) {
        run.WriteWide(kAutorunValue, AutorunCommand(folder));
    } else if (run.HasValue(kAutorunValue)) {
        run.DeleteValue(kAutorunValue);
    }
}

}  // namespace tarnwick
