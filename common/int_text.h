// The one integer syntax of the system (port check, numeric INI values, address parts, the LOGIN
// number): leading blanks, an optional sign, then decimal digits within the signed 32-bit range
// or a hexadecimal number after "$", "x", "X", "0x" or "0X" with at most eight significant
// digits, taken as the signed 32-bit value of its bits. Nothing may follow the digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarnwick {

std::optional<std::int32_t> ReadIntText(std::string_view text);

// The integer of `text`, or `fallback` when the text is not an integer.
inline std::int32_t IntTextOr(std::string_view text, std::int32_t fallback) {
    return ReadIntText(text).value_or(fallback);
}

}  // namespace tarnwick
