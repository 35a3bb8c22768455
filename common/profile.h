// Reading and writing values of an INI (profile) file by the Windows profile rules: section and
// key names match without regard to case, blanks around a value are dropped, a ";" inside a
// value belongs to it, at most 2047 bytes of a value are read, and a missing file, section or
// key gives the default. Both builds read and write the file's bytes themselves by these rules
// (profile_text.h), opening it by its path: the system's own profile functions convert through
// the system code page and lose bytes of code page 936 texts wherever that is another one.
//
// A use reads the file once and asks the reading for every value it needs; a save reads the file
// once and replaces it once, whatever number of values it sets. Nothing is kept between uses.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_bytes.h"
#include "common/profile_text.h"

namespace tarnwick {

// The file exists but cannot be read (no access, locked, a folder of that name).
class ProfileReadError : public std::runtime_error {
  public:
    explicit ProfileReadError(const std::filesystem::path& path);
};

// The values of one reading of a profile file.
class Profile {
  public:
    Profile() = default;  // a missing file
    explicit Profile(std::string_view bytes) : text_(bytes) {}

    // Trailing blanks of `fallback` are dropped, as Windows does. A value cut at 2047 bytes
    // keeps whole double-byte characters only.
    std::string Text(std::string_view section, std::string_view key,
                     std::string_view fallback = {}) const;
    // The text value read by the integer-text rule; `fallback` when it is no integer.
    std::int32_t Int(std::string_view section, std::string_view key, std::int32_t fallback) const;
    // The names of the file's sections in file order; empty for a missing file.
    const std::vector<std::string>& SectionNames() const { return text_.SectionNames(); }

  private:
    ProfileText text_;
};

struct ProfileSetting {
    std::string_view section;
    std::string_view key;
    std::string_view value;
};

class ProfileFile {
  public:
    // `path` names the file in full (AppDir + name): a bare name would land in the Windows folder.
    explicit ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

    // A missing file reads as one without sections. Throws ProfileReadError for a file that
    // exists but cannot be read, which the system's functions would read as a missing one.
    Profile Read() const;

    // Sets every value in one save: the file (created when missing) is replaced whole by a new
    // one only when a value changes, and a failure leaves it as it was. False when the file
    // could not be read or replaced. `hook` stands between the save and the new file's writes,
    // for tests that make a write fail.
    bool Write(std::initializer_list<ProfileSetting> settings, const WriteHook& hook = {}) const;

  private:
    std::filesystem::path path_;
};

}  // namespace tarnwick
