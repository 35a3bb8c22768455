// UTF-8 and UTF-16 into each other, for files that hold Unicode text.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// A byte that starts no valid sequence becomes U+FFFD, and the decoding goes on after it.
std::u16string Utf16FromUtf8(std::string_view text);

// A lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace tarnwick
