// Whether a profile file can be read, on Windows.
#include <windows.h>

#include "common/profile.h"

namespace tarnwick {

void ProfileFile::CheckReadable() const {
    // Opened as the file is read, by its UTF-16 path, sharing everything with other writers.
    const HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ,
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

}  // namespace tarnwick
