#include "common/app_dir.h"

#include <windows.h>

namespace tarnwick {

const std::string& AppDir() {
    static const std::string dir = [] {
        std::string path(MAX_PATH, '\0');
        for (;;) {
            const DWORD n = GetModuleFileNameA(nullptr, path.data(), DWORD(path.size()));
            if (n < path.size()) {
                path.resize(n);
                break;
            }
            path.resize(path.size() * 2);
        }
        return path.substr(0, path.find_last_of("\\/") + 1);
    }();
    return dir;
}

}  // namespace tarnwick
