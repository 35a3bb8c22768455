#include "common/int_text.h"

namespace tarnwick {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Hexadecimal digits to the end of the text; leading zeros do not count against the eight.
std::optional<std::uint32_t> ReadHex(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    std::uint32_t value = 0;
    int significant = 0;
    for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        if (significant > 0 || d != 0) ++significant;
        if (significant > 8) return std::nullopt;
        value = value << 4 | std::uint32_t(d);
    }
    return value;
}

// Decimal digits to the end of the text, as a magnitude up to 2^31.
std::optional<std::uint32_t> ReadDecimal(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    constexpr std::uint64_t kLimit = std::uint64_t(1) << 31;
    std::uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + std::uint64_t(c - '0');
        if (value > kLimit) return std::nullopt;
    }
    return std::uint32_t(value);
}

// The digits after a hexadecimal prefix, or nothing when the text has no such prefix.
std::optional<std::string_view> HexDigitsAfterPrefix(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X")) return text.substr(2);
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
        return text.substr(1);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::int32_t> ReadIntText(std::string_view text) {
    while (text.starts_with(' '))
        text.remove_prefix(1);
    bool negative = false;
    if (text.starts_with('+') || text.starts_with('-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (const auto hexDigits = HexDigitsAfterPrefix(text)) {
        const auto bits = ReadHex(*hexDigits);
        if (!bits) return std::nullopt;
        const std::uint32_t value = negative ? 0u - *bits : *bits;
        return std::int32_t(value);
    }
    const auto magnitude = ReadDecimal(text);
    if (!magnitude) return std::nullopt;
    if (!negative && *magnitude > 0x7FFFFFFFu) return std::nullopt;
    return std::int32_t(negative ? 0u - *magnitude : *magnitude);
}

}  // namespace tarnwick
