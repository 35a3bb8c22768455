// Files of the build, named as the Windows programs under test see them: built on Linux and run
// under Wine, where the root of the Linux file system is Z:.
#pragma once

#include <string>

namespace tarnwick::testing {

inline std::string WindowsPath(std::string linuxPath) {
    for (char& c : linuxPath) {
        if (c == '/') c = '\\';
    }
    return "Z:" + linuxPath;
}

}  // namespace tarnwick::testing
