// Fuzzes the integer-text reader against a plain re-statement of its rule.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "common/int_text.h"

namespace {

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Leading blanks, a sign, then decimal digits in the signed 32-bit range, or a prefix and at
// most eight significant hexadecimal digits taken as the bits of a signed 32-bit value.
std::optional<std::int32_t> Expected(std::string_view text) {
    size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos) return std::nullopt;
    bool negative = false;
    if (text[at] == '+' || text[at] == '-') negative = text[at++] == '-';
    std::string_view rest = text.substr(at);
    bool hex = false;
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (rest.starts_with(prefix)) {
            rest.remove_prefix(prefix.size());
            hex = true;
            break;
        }
    }
    if (rest.empty()) return std::nullopt;
    long double value = 0;
    const size_t firstSignificant = rest.find_first_not_of('0');
    const size_t significant =
        firstSignificant == std::string_view::npos ? 0 : rest.size() - firstSignificant;
    for (char c : rest) {
        if (hex ? !IsHex(c) : (c < '0' || c > '9')) return std::nullopt;
    }
    if (hex) {
        if (significant > 8) return std::nullopt;
        const std::uint32_t bits = std::uint32_t(std::stoul(std::string(rest), nullptr, 16));
        return std::int32_t(negative ? 0u - bits : bits);
    }
    if (significant > 10) return std::nullopt;
    value = std::stold(std::string(rest));
    if (negative) value = -value;
    if (value < -2147483648.0L || value > 2147483647.0L) return std::nullopt;
    return std::int32_t(std::int64_t(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (tarnwick::ReadIntText(text) != Expected(text)) std::abort();
    return 0;
}
