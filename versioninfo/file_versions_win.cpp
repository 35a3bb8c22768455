#include "versioninfo/file_versions_win.h"

#include <windows.h>

#include <cstdio>
#include <memory>

namespace tarnwick {
namespace {

// One string of the resource's first translation.
std::string StringValue(const std::vector<char>& data, WORD language, WORD codePage,
                        const char* key) {
    char path[64];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", language, codePage, key);
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), path, reinterpret_cast<void**>(&value), &length) || !value) {
        return {};
    }
    std::string text(value, length);
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text;
}

std::string FixedVersion(DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

}  // namespace

FileVersion ReadFileVersion(const std::string& folder, const std::string& name) {
    FileVersion file;
    file.name = name;
    const std::string path = folder + name;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return file;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return file;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
        length >= sizeof *fixed) {
        file.fileVersion = FixedVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
        file.productVersion = FixedVersion(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
        file.hasResource = true;
    }
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    if (VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translation), &length) &&
        translation && length >= sizeof *translation) {
        const WORD lang = translation->language, cp = translation->codePage;
        file.productName = StringValue(data, lang, cp, "ProductName");
        file.description = StringValue(data, lang, cp, "FileDescription");
        const std::string product = StringValue(data, lang, cp, "ProductVersion");
        if (!product.empty()) file.productVersion = product;
        const std::string version = StringValue(data, lang, cp, "FileVersion");
        if (!version.empty()) file.fileVersion = version;
        file.hasResource = true;
    }
    return file;
}

std::vector<FileVersion> ReadFolder(const std::string& folder,
                                    const std::vector<std::string>& patterns) {
    std::vector<FileVersion> files;
    WIN32_FIND_DATAA found;
    struct SearchCloser {
        void operator()(HANDLE search) const { FindClose(search); }
    };
    const HANDLE first = FindFirstFileA((folder + "*").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) return files;
    const std::unique_ptr<void, SearchCloser> search(first);
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (MatchesAnyPattern(found.cFileName, patterns)) {
            files.push_back(ReadFileVersion(folder, found.cFileName));
        }
    } while (FindNextFileA(search.get(), &found));
    return files;
}

}  // namespace tarnwick
