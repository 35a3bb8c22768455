// Reading and writing values of an INI (profile) file by the Windows profile rules: section and
// key names match without regard to case, blanks around a value are dropped, a ";" inside a
// value belongs to it, at most 2047 bytes of a value are read, and a missing file, section or
// key gives the default. The Windows build asks the system; the native build has its own
// reader that follows the same rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

class ProfileFile {
public:
    // `path` names the file in full (AppDir + name): a bare name would land in the Windows folder.
    explicit ProfileFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view fallback = {}) const;
    // The text value read by the integer-text rule; `fallback` when it is no integer.
    std::int32_t ReadInt(std::string_view section, std::string_view key,
                         std::int32_t fallback) const;
    // Creates file and section as needed; false when the value could not be written.
    bool WriteText(std::string_view section, std::string_view key, std::string_view value);

    // The value buffer holds 2048 bytes, terminator included.
    static constexpr std::size_t kMaxValueBytes = 2047;

private:
    std::string path_;
};

}  // namespace tarnwick
