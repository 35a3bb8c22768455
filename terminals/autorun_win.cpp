#include "terminals/autorun_win.h"

#include <stdexcept>
#include <utility>

#include "common/text.h"

namespace tarnwick {
namespace {

[[noreturn]] void Fail(const char* what, const std::string& name, LONG code) {
    throw std::runtime_error(std::string(what) + " the registry value " + name + " (error " +
                             std::to_string(code) + ")");
}

}  // namespace

RegistryKey::RegistryKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
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

std::string RegistryKey::ReadText(const std::string& name) const {
    if (!key_) return {};
    for (;;) {
        DWORD type = 0, size = 0;
        LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size);
        if (rc == ERROR_FILE_NOT_FOUND) return {};
        if (rc != ERROR_SUCCESS) Fail("Cannot read", name, rc);
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            throw std::runtime_error("The registry value " + name + " is not a string");
        }
        std::string data(size, '\0');
        rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
        if (rc == ERROR_MORE_DATA) continue;  // changed between the two reads
        if (rc == ERROR_FILE_NOT_FOUND) return {};
        if (rc != ERROR_SUCCESS) Fail("Cannot read", name, rc);
        // A string need not be stored with its terminator.
        data.resize(size);
        while (!data.empty() && data.back() == '\0')
            data.pop_back();
        return data;
    }
}

bool RegistryKey::HasValue(const std::string& name) const {
    if (!key_) return false;
    const LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_FILE_NOT_FOUND) return false;
    if (rc != ERROR_SUCCESS) Fail("Cannot read", name, rc);
    return true;
}

void RegistryKey::WriteText(const std::string& name, const std::string& data) {
    if (!key_) return;
    const LONG rc =
        RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       DWORD(data.size() + 1));
    if (rc != ERROR_SUCCESS) Fail("Cannot write", name, rc);
}

void RegistryKey::DeleteValue(const std::string& name) {
    if (!key_) return;
    const LONG rc = RegDeleteValueA(key_, name.c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) Fail("Cannot delete", name, rc);
}

RegistryKey OpenRunKey() {
    return RegistryKey(HKEY_LOCAL_MACHINE, kRunKeyPath);
}

std::string AutorunCommand(const std::string& folder) {
    return folder + kAutorunProgram;
}

bool HoldsAutorunFor(const RegistryKey& run, const std::string& folder) {
    return EqualsIgnoringAsciiCase(run.ReadText(kAutorunValue), AutorunCommand(folder));
}

void SetAutorun(RegistryKey& run, bool on, const std::string& folder) {
    if (on) {
        run.WriteText(kAutorunValue, AutorunCommand(folder));
    } else if (run.HasValue(kAutorunValue)) {
        run.DeleteValue(kAutorunValue);
    }
}

}  // namespace tarnwick
