#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "common/file_bytes.h"

namespace tarnwick {

std::optional<std::string> FileBytes(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) return std::string();
    if (error || std::filesystem::is_directory(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>{});
    if (!in.is_open() || in.bad()) return std::nullopt;
    return bytes;
}

namespace {

// The new file gets the mode of the one it replaces; a new file the usual one.
bool TakeMode(int file, const std::filesystem::path& path) {
    struct stat original {};
    const mode_t mode = ::stat(path.c_str(), &original) == 0 ? original.st_mode & 07777 : 0644;
    return ::fchmod(file, mode) == 0;
}

// The rename itself reaches the disk with its folder.
void SyncFolder(const std::filesystem::path& path) {
    const int folder = ::open(path.parent_path().empty() ? "." : path.parent_path().c_str(),
                              O_RDONLY | O_DIRECTORY);
    if (folder < 0) return;
    ::fsync(folder);
    ::close(folder);
}

}  // namespace

bool ReplaceFileBytes(const std::filesystem::path& path, std::string_view bytes,
                      const WriteHook& hook) {
    std::string temp = path.string() + ".XXXXXX";
    const int file = ::mkstemp(temp.data());
    if (file < 0) return false;
    const FileWrite write = [file](std::string_view part) -> std::size_t {
        for (;;) {
            const ssize_t n = ::write(file, part.data(), part.size());
            if (n < 0 && errno == EINTR) continue;
            return n > 0 ? std::size_t(n) : 0;
        }
    };
    bool done = TakeMode(file, path) && WriteAll(bytes, write, hook) && ::fsync(file) == 0;
    done = ::close(file) == 0 && done;
    done = done && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!done) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolder(path);
    return true;
}

}  // namespace tarnwick
