// Reading the version resources of the files of a folder.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "versioninfo/file_list.h"

namespace tarnwick {

// The version resource of one file, named in UTF-16 as the folder lists it; only the name is set
// when it has none. The texts come as code page 936 text.
FileVersion ReadFileVersion(const std::filesystem::path& folder, const std::wstring& name);

// Every file of `folder` whose name matches one of `patterns`.
std::vector<FileVersion> ReadFolder(const std::filesystem::path& folder,
                                    const std::vector<std::string>& patterns);

}  // namespace tarnwick
