#include "common/profile.h"

#include "common/int_text.h"
#include "common/text.h"

namespace tarnwick {

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
