// Code page 936 texts to and from UTF-16, by the platform's own tables: Windows' in the Windows
// build, the C library's natively. Used where a file holds Unicode text that the program reads
// and writes as code page 936 texts.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Bytes that form no character of code page 936 become "?".
std::u16string Utf16FromCodePage936(std::string_view text);

// Characters without a form in code page 936 become "?".
std::string CodePage936FromUtf16(std::u16string_view text);

}  // namespace tarnwick
