#include "common/profile.h"

#include "common/app_dir.h"
#include "common/file_bytes.h"
#include "common/int_text.h"
#include "common/profile_text.h"
#include "common/text.h"

namespace tarnwick {

ProfileReadError::ProfileReadError(const std::filesystem::path& path)
    : std::runtime_error("cannot read " + PathText(path)) {}

// A missing or unreadable file reads as a file without sections, as the system's functions
// read it; CheckReadable tells the two apart.
std::string ProfileFile::ReadText(std::string_view section, std::string_view key,
                                  std::string_view fallback) const {
    if (auto value = ProfileValue(FileBytes(path_).value_or(""), section, key)) {
        return std::move(*value);
    }
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.remove_suffix(1);
    return ProfileValueText(fallback);
}

void ProfileFile::CheckReadable() const {
    if (!FileBytes(path_)) throw ProfileReadError(path_);
}

bool ProfileFile::WriteText(std::string_view section, std::string_view key,
                            std::string_view value) {
    // A file that cannot be read whole is not written: its other sections and keys would go.
    const std::optional<std::string> bytes = FileBytes(path_);
    return bytes && WriteFileBytes(path_, ProfileWithValue(*bytes, section, key, value));
}

std::vector<std::string> ProfileFile::SectionNames() const {
    return ProfileSectionNames(FileBytes(path_).value_or(""));
}

// Read as text and converted here: the system's own integer reading has other rules ("$1F"
// gives 0 there, "12abc" gives 12).
std::int32_t ProfileFile::ReadInt(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
    return IntTextOr(ReadText(section, key), fallback);
}

bool ProfileFile::HasSection(std::string_view section) const {
    for (const std::string& name : SectionNames()) {
        if (EqualsIgnoringAsciiCase(name, section)) return true;
    }
    return false;
}

}  // namespace tarnwick
