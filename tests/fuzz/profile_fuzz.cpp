// Fuzzes the native profile reader and its saves: arbitrary file bytes in code page 936, UTF-16
// LE or BE or UTF-8 (a byte of the input chooses the byte order mark put before them), then two
// sections and keys and a value taken from the input. Checks what the rules promise of any file:
// a value of at most 2047 bytes without line ends; after saving K = V, K reads V, another key
// reads as before and every section is still there; a second save of the same changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/code_page.h"
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

// Whole code page 936 characters, which every encoding of the file can hold.
bool Encodable(std::string_view text) {
    return CodePage936FromUtf16(Utf16FromCodePage936(text)) == text;
}

}  // namespace

// Input: section, 0x01, key, 0x01, value, 0x01, other section, 0x01, other key, 0x01, a byte
// choosing the encoding, file bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view parts[5];
    for (std::string_view& part : parts) {
        const size_t cut = input.find('\x01');
        if (cut == std::string_view::npos || cut + 1 >= input.size()) return 0;
        part = input.substr(0, cut);
        input.remove_prefix(cut + 1);
    }
    const auto [section, key, value, otherSection, otherKey] = parts;
    static constexpr std::string_view kMarks[] = {"", "\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"};
    const std::string file = std::string(kMarks[size_t(input[0]) % 4]) + std::string(input.substr(1));

    ProfileText text(file);
    const auto before = text.Value(section, key);
    if (before) {
        Check(before->size() <= 2047);
        Check(before->find_first_of("\r\n") == std::string::npos);
    }
    const auto names = text.SectionNames();
    const auto other = text.Value(otherSection, otherKey);

    if (!Nameable(section) || !Nameable(key) || !RoundTrips(value) || !Encodable(section) ||
        !Encodable(key) || !Encodable(value)) {
        return 0;
    }
    text.Set(section, key, value);
    const std::string written = text.Bytes();
    ProfileText again(written);
    Check(again.Encoding() == text.Encoding());
    Check(again.Value(section, key) == std::string(value));
    // Another key reads as before, unless it is the key written under another spelling.
    const auto otherAfter = again.Value(otherSection, otherKey);
    Check(otherAfter == other || (otherAfter == std::string(value) && other == before));
    // Writing again changes nothing more.
    Check(!again.Set(section, key, value));
    Check(again.Bytes() == written);
    // Every section of the file is still there, in the same order.
    const auto& after = again.SectionNames();
    Check(after.size() >= names.size());
    for (size_t i = 0; i < names.size(); ++i)
        Check(after[i] == names[i]);
    return 0;
}
