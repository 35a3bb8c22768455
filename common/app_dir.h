// The folder of the running executable, ending in a path separator. Every file the program
// reads or writes is named relative to it.
#pragma once

#include <string>

namespace tarnwick {

const std::string& AppDir();

}  // namespace tarnwick
