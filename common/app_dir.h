// The folder of the running executable, ending in a path separator. Every file the program
// reads or writes is named relative to it. On Windows the path is UTF-16, as the system names
// it, so a folder named in any script works whatever the system code page.
#pragma once

#include <filesystem>
#include <string>

namespace tarnwick {

const std::filesystem::path& AppDir();

// A path as code page 936 text, for messages; characters without a form there become "?".
std::string PathText(const std::filesystem::path& path);

}  // namespace tarnwick
