// Whether a profile file can be read, on the native build.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/profile.h"

namespace tarnwick {

void ProfileFile::CheckReadable() const {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return;
        throw ProfileReadError(path_);
    }
    struct stat status {};
    const bool file = ::fstat(fd, &status) == 0 && !S_ISDIR(status.st_mode);
    ::close(fd);
    if (!file) throw ProfileReadError(path_);
}

}  // namespace tarnwick
