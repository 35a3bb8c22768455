// The profile (INI) rules over a file's bytes, as the Windows profile functions apply them: the
// program's profile files are made of these on every platform, and they are fuzzed without files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// The value of `key` in the first section named `section` (both matched without regard to
// case), as ProfileValueText gives it; nothing when the section or key is missing.
std::optional<std::string> ProfileValue(std::string_view bytes, std::string_view section,
                                        std::string_view key);

// A value as the system hands it out: a matching pair of quotes dropped, cut at a NUL byte and
// then to at most 2047 bytes of whole code page 936 characters.
std::string ProfileValueText(std::string_view value);

// The names of the section headers in file order, as written.
std::vector<std::string> ProfileSectionNames(std::string_view bytes);

// The file's bytes with `key` of `section` set to `value`: the key's line replaced in place, or
// added at the end of its section, or a new section added at the end. Lines end in CR LF.
std::string ProfileWithValue(std::string_view bytes, std::string_view section, std::string_view key,
                             std::string_view value);

}  // namespace tarnwick
