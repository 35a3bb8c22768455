#include "common/profile.h"

#include "common/app_dir.h"
#include "common/int_text.h"

namespace tarnwick {

ProfileReadError::ProfileReadError(const std::filesystem::path& path)
    : std::runtime_error("cannot read " + PathText(path)) {}

std::string Profile::Text(std::string_view section, std::string_view key,
                          std::string_view fallback) const {
    if (auto value = text_.Value(section, key)) return std::move(*value);
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.remove_suffix(1);
    return ProfileValueText(fallback);
}

// Read as text and converted here: the system's own integer reading has other rules ("$1F"
// gives 0 there, "12abc" gives 12).
std::int32_t Profile::Int(std::string_view section, std::string_view key,
                          std::int32_t fallback) const {
    return IntTextOr(Text(section, key), fallback);
}

Profile ProfileFile::Read() const {
    const std::optional<std::string> bytes = FileBytes(path_);
    if (!bytes) throw ProfileReadError(path_);
    return Profile(*bytes);
}

bool ProfileFile::Write(std::initializer_list<ProfileSetting> settings,
                        const WriteHook& hook) const {
    // A file that cannot be read whole is not written: its other sections and keys would go.
    const std::optional<std::string> bytes = FileBytes(path_);
    if (!bytes) return false;
    ProfileText text(*bytes);
    bool changed = false;
    for (const ProfileSetting& setting : settings)
        changed = text.Set(setting.section, setting.key, setting.value) || changed;
    return !changed || ReplaceFileBytes(path_, text.Bytes(), hook);
}

}  // namespace tarnwick
