// Reading and writing values of an INI (profile) file by the Windows profile rules: section and
// key names match without regard to case, blanks around a value are dropped, a ";" inside a
// value belongs to it, at most 2047 bytes of a value are read, and a missing file, section or
// key gives the default. Both builds read and write the file's bytes themselves by these rules
// (profile_text.h), opening it by its path: the system's own profile functions convert through
// the system code page and lose bytes of code page 936 texts wherever that is another one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// The file exists but cannot be read (no access, locked, a folder of that name).
class ProfileReadError : public std::runtime_error {
  public:
    explicit ProfileReadError(const std::filesystem::path& path);
};

class ProfileFile {
  public:
    // `path` names the file in full (AppDir + name): a bare name would land in the Windows folder.
    explicit ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}
    // Virtual so that tests can stand in a file that fails while it is read.
    virtual ~ProfileFile() = default;

    const std::filesystem::path& Path() const { return path_; }

    // The profile functions read a file that cannot be read as a missing one, with every value
    // at its default; this throws ProfileReadError for such a file and returns for a readable
    // or a missing one.
    virtual void CheckReadable() const;

    // Trailing blanks of `fallback` are dropped, as Windows does. A value cut at 2047 bytes
    // keeps whole double-byte characters only.
    virtual std::string ReadText(std::string_view section, std::string_view key,
                                 std::string_view fallback = {}) const;
    // The text value read by the integer-text rule; `fallback` when it is no integer.
    virtual std::int32_t ReadInt(std::string_view section, std::string_view key,
                                 std::int32_t fallback) const;
    // Creates file and section as needed; false when the value could not be written.
    virtual bool WriteText(std::string_view section, std::string_view key, std::string_view value);

    // The names of the file's sections in file order, as written there; empty for a missing
    // file.
    virtual std::vector<std::string> SectionNames() const;
    // Whether a section of that name (matched without regard to case) is in the file.
    bool HasSection(std::string_view section) const;

    // The value buffer holds 2048 bytes, terminator included.
    static constexpr std::size_t kMaxValueBytes = 2047;

  private:
    std::filesystem::path path_;
};

}  // namespace tarnwick
