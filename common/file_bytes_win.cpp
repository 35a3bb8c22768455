#include <windows.h>

#include "common/file_bytes.h"

namespace tarnwick {
namespace {

// A file opened by its UTF-16 path, sharing everything with other readers and writers, as the
// profile functions open their files; closed with the object.
class OpenFile {
  public:
    OpenFile(const std::filesystem::path& path, DWORD access, DWORD disposition)
        : handle_(CreateFileW(path.c_str(), access,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OpenFile() {
        if (*this) CloseHandle(handle_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

}  // namespace

std::optional<std::string> FileBytes(const std::filesystem::path& path) {
    const OpenFile file(path, GENERIC_READ, OPEN_EXISTING);
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::string();
        return std::nullopt;
    }
    std::string bytes;
    char chunk[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr)) return std::nullopt;
        if (read == 0) return bytes;
        bytes.append(chunk, read);
    }
}

bool WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    const OpenFile file(path, GENERIC_WRITE, OPEN_ALWAYS);
    if (!file) return false;
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
            written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return SetEndOfFile(file.Get()) != FALSE;
}

}  // namespace tarnwick
