#include "versioninfo/file_versions_win.h"

#include <windows.h>

#include <cwchar>
#include <memory>

#include "common/wide_text_win.h"

namespace tarnwick {
namespace {

// One string of the resource's first translation. Read in UTF-16, as the resource holds it: the
// A form would convert it through the system code page.
std::string StringValue(const std::vector<char>& data, WORD language, WORD codePage,
                        const wchar_t* key) {
    wchar_t path[64];
    std::swprintf(path, std::size(path), L"\\StringFileInfo\\%04x%04x\\%ls", language, codePage,
                  key);
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), path, reinterpret_cast<void**>(&value), &length) || !value) {
        return {};
    }
    std::wstring text(value, length);
    text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
    return Narrow(text);
}

std::string FixedVersion(DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

}  // namespace

FileVersion ReadFileVersion(const std::filesystem::path& folder, const std::wstring& name) {
    FileVersion file;
    file.name = Narrow(name);
    const std::filesystem::path path = folder / name;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return file;
    std::vector<char> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return file;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
        length >= sizeof *fixed) {
        file.fileVersion = FixedVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
        file.productVersion = FixedVersion(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
        file.hasResource = true;
    }
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translation), &length) &&
        translation && length >= sizeof *translation) {
        const WORD lang = translation->language, cp = translation->codePage;
        file.productName = StringValue(data, lang, cp, L"ProductName");
        file.description = StringValue(data, lang, cp, L"FileDescription");
        const std::string product = StringValue(data, lang, cp, L"ProductVersion");
        if (!product.empty()) file.productVersion = product;
        const std::string version = StringValue(data, lang, cp, L"FileVersion");
        if (!version.empty()) file.fileVersion = version;
        file.hasResource = true;
    }
    return file;
}

std::vector<FileVersion> ReadFolder(const std::filesystem::path& folder,
                                    const std::vector<std::string>& patterns) {
    std::vector<FileVersion> files;
    WIN32_FIND_DATAW found;
    struct SearchCloser {
        void operator()(HANDLE search) const { FindClose(search); }
    };
    const HANDLE first = FindFirstFileW((folder / L"*").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) return files;
    const std::unique_ptr<void, SearchCloser> search(first);
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (MatchesAnyPattern(Narrow(found.cFileName), patterns)) {
            files.push_back(ReadFileVersion(folder, found.cFileName));
        }
    } while (FindNextFileW(search.get(), &found));
    return files;
}

}  // namespace tarnwick
