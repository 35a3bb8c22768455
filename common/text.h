// Byte-wise text helpers shared by every subsystem. Texts are code page 936 bytes and are never
// decoded: comparisons, splitting and case changes touch single bytes only.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// The text before the first `separator`; empty when the separator is absent.
std::string_view TextBefore(std::string_view text, char separator);

// The text after the first `separator`; the whole text when the separator is absent.
std::string_view TextAfter(std::string_view text, char separator);

// Upper-cases the bytes a..z and leaves every other byte, double-byte characters included, alone.
void UpperCaseAscii(std::string& text);

// Equality after upper-casing a..z on both sides.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The message of an error as the general error box shows it: with a full stop added when the
// text does not already end in one.
std::string WithFullStop(std::string_view message);

}  // namespace tarnwick
