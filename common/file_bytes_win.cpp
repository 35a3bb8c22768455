#include <windows.h>

#include <algorithm>
#include <atomic>

#include "common/file_bytes.h"

namespace tarnwick {
namespace {

// A file opened by its UTF-16 path, by default sharing everything with other readers and
// writers, as the profile functions open their files; closed with the object.
class OpenFile {
  public:
    OpenFile(const std::filesystem::path& path, DWORD access, DWORD disposition,
             DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)
        : handle_(CreateFileW(path.c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~OpenFile() { Close(); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        const bool closed = *this && CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

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

namespace {

// A name beside `path` for a new file, unique to this process and this save.
std::wstring NameBeside(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    return path.wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++counter) + L".tmp";
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

enum class Placed { kDone, kFailed, kOnlyTheNewFileLeft };

// The new file takes the place of `path`: ReplaceFileW keeps the file's attributes and security;
// a file that is new, or that ReplaceFileW removed without moving the new one in (which it may
// do without a backup name), is moved.
Placed TakePlace(const std::wstring& path, const std::wstring& replacement) {
    if (Exists(path)) {
        if (ReplaceFileW(path.c_str(), replacement.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            return Placed::kDone;
        }
        if (Exists(path)) return Placed::kFailed;
    }
    if (MoveFileExW(replacement.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Placed::kDone;
    }
    return Exists(path) ? Placed::kFailed : Placed::kOnlyTheNewFileLeft;
}

}  // namespace

bool ReplaceFileBytes(const std::filesystem::path& path, std::string_view bytes,
                      const WriteHook& hook) {
    const std::wstring temp = NameBeside(path);
    OpenFile file(temp, GENERIC_WRITE, CREATE_NEW, 0);
    if (!file) return false;
    const FileWrite write = [&file](std::string_view part) -> std::size_t {
        DWORD written = 0;
        const DWORD size = DWORD(std::min<std::size_t>(part.size(), 1u << 20));
        return WriteFile(file.Get(), part.data(), size, &written, nullptr) ? written : 0;
    };
    bool done = WriteAll(bytes, write, hook) && FlushFileBuffers(file.Get());
    done = file.Close() && done;
    const Placed placed = done ? TakePlace(path.wstring(), temp) : Placed::kFailed;
    // Where the file is gone, the new one is all that is left of it: it stays.
    if (placed == Placed::kFailed) DeleteFileW(temp.c_str());
    return placed == Placed::kDone;
}

}  // namespace tarnwick
