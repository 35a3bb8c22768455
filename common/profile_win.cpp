#include "common/profile.h"

#include <windows.h>

namespace tarnwick {

void ProfileFile::CheckReadable() const {
    // Opened as the profile functions would open it, sharing everything with other writers.
    const HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
    throw ProfileReadError(path_);
}

std::string ProfileFile::ReadText(std::string_view section, std::string_view key,
                                  std::string_view fallback) const {
    // Zeroed first: when the cut falls inside a double-byte character, Wine leaves the byte
    // before the terminator unwritten. The length is taken from the terminator for the same
    // reason, since the call then still reports 2047.
    char buffer[kMaxValueBytes + 1] = {};
    GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                             std::string(fallback).c_str(), buffer, sizeof buffer, path_.c_str());
    return std::string(buffer);
}

bool ProfileFile::WriteText(std::string_view section, std::string_view key,
                            std::string_view value) {
    return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                      std::string(value).c_str(), path_.c_str()) != FALSE;
}

std::vector<std::string> ProfileFile::SectionNames() const {
    // The call reports size - 2 when the names did not fit; grow until they do.
    std::string buffer(4096, '\0');
    for (;;) {
        const DWORD n =
            GetPrivateProfileSectionNamesA(buffer.data(), DWORD(buffer.size()), path_.c_str());
        if (n + 2 < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
    std::vector<std::string> names;
    for (size_t start = 0; start < buffer.size();) {
        const size_t end = buffer.find('\0', start);
        const size_t stop = end == std::string::npos ? buffer.size() : end;
        if (stop > start) names.emplace_back(buffer, start, stop - start);
        start = stop + 1;
    }
    return names;
}

}  // namespace tarnwick
