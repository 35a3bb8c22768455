#include "common/app_dir.h"

#include <unistd.h>

#include <climits>

namespace tarnwick {

const std::filesystem::path& AppDir() {
    static const std::filesystem::path dir = [] {
        char path[PATH_MAX];
        const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
        std::string exe = n > 0 ? std::string(path, size_t(n)) : std::string("./");
        return std::filesystem::path(exe.substr(0, exe.rfind('/') + 1));
    }();
    return dir;
}

std::string PathText(const std::filesystem::path& path) {
    return path.native();
}

}  // namespace tarnwick
