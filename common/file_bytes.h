// Whole files as bytes, named by their full path: the profile files are read and written
// through these, by the same rules on every platform and whatever the system code page.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// The file's bytes: empty for a missing file; nothing when the file exists but cannot be read
// whole, which a writer must not take for an empty file.
std::optional<std::string> FileBytes(const std::filesystem::path& path);

// Replaces the file's bytes with `bytes`, creating the file when missing; false when that failed.
bool WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tarnwick
