// Reading the version resources of the files of a folder.
#pragma once

#include <string>
#include <vector>

#include "versioninfo/file_list.h"

namespace tarnwick {

// The version resource of one file; only the name is set when it has none.
FileVersion ReadFileVersion(const std::string& folder, const std::string& name);

// Every file of `folder` (ending in a separator) whose name matches one of `patterns`.
std::vector<FileVersion> ReadFolder(const std::string& folder,
                                    const std::vector<std::string>& patterns);

}  // namespace tarnwick
