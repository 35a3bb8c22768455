// Fuzzes the native profile reader: arbitrary file bytes, then a section and key taken from the
// input. Checks what the rules promise of any file: a value of at most 2047 bytes without line
// ends, a value written is read back, and the other values and sections stay as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/profile_text.h"

namespace {

using namespace tarnwick;

void Check(bool condition) {
    if (!condition) std::abort();
}

// A value that the rules give back exactly as written: no line ends, NUL bytes, blanks at
// either end or enclosing quotes, and short enough not to be cut.
bool RoundTrips(std::string_view value) {
    if (value.size() > 1000 || value.find_first_of(std::string_view("\r\n\0", 3)) != value.npos)
        return false;
    if (!value.empty() &&
        (static_cast<unsigned char>(value.front()) <= ' ' ||
         static_cast<unsigned char>(value.back()) <= ' ' || value.front() == '"' ||
         value.front() == '\'' || static_cast<unsigned char>(value.back()) >= 0x80)) {
        return false;
    }
    return true;
}

// A section or key name that a line can hold: no line ends, brackets, "=", ";" or blanks at the
// ends, and not empty.
bool Nameable(std::string_view name) {
    if (name.empty() || name.find_first_of(std::string_view("\r\n\0[]=;", 7)) != name.npos)
        return false;
    return static_cast<unsigned char>(name.front()) > ' ' &&
           static_cast<unsigned char>(name.back()) > ' ';
}

}  // namespace

// Input: section, 0x01, key, 0x01, value, 0x01, file bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view parts[3];
    for (std::string_view& part : parts) {
        const size_t cut = input.find('\x01');
        if (cut == std::string_view::npos) return 0;
        part = input.substr(0, cut);
        input.remove_prefix(cut + 1);
    }
    const auto [section, key, value] = parts;
    const std::string_view file = input;

    const auto read = ProfileValue(file, section, key);
    if (read) {
        Check(read->size() <= 2047);
        Check(read->find_first_of("\r\n") == std::string::npos);
    }
    const auto names = ProfileSectionNames(file);

    if (!Nameable(section) || !Nameable(key) || !RoundTrips(value)) return 0;
    const std::string written = ProfileWithValue(file, section, key, value);
    Check(ProfileValue(written, section, key) == std::string(value));
    // Writing again changes nothing more.
    Check(ProfileWithValue(written, section, key, value) == written);
    // Every section of the file is still there, in the same order.
    const auto after = ProfileSectionNames(written);
    Check(after.size() >= names.size());
    for (size_t i = 0; i < names.size(); ++i)
        Check(after[i] == names[i]);
    return 0;
}
