// The native build's profile files, following the rules the Windows build gets from the system.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "common/profile.h"
#include "common/profile_text.h"

namespace tarnwick {
namespace {

// A missing or unreadable file reads as a file without sections, as the system's functions
// read it; CheckReadable tells the two apart.
std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

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

std::string ProfileFile::ReadText(std::string_view section, std::string_view key,
                                  std::string_view fallback) const {
    if (auto value = ProfileValue(FileBytes(path_), section, key)) return std::move(*value);
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.remove_suffix(1);
    return ProfileValueText(fallback);
}

bool ProfileFile::WriteText(std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string text = ProfileWithValue(FileBytes(path_), section, key, value);
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return bool(out);
}

std::vector<std::string> ProfileFile::SectionNames() const {
    return ProfileSectionNames(FileBytes(path_));
}

}  // namespace tarnwick
