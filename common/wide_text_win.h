// The one edge between the program's texts and Windows: texts are code page 936 bytes wherever
// they are data, and UTF-16 exactly where Windows shows them or names a file. The code page is
// always named, never the system's own, so a window reads the same on every Windows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr UINT kTextCodePage = 936;

// `text` in UTF-16; bytes without a character in `codePage` become its default character.
std::wstring Wide(std::string_view text, UINT codePage = kTextCodePage);

// `text` in `codePage`; characters without a form there become "?".
std::string Narrow(std::wstring_view text, UINT codePage = kTextCodePage);

// `text` in code page 936 when every character of it has a form there; nothing otherwise.
std::optional<std::string> NarrowExactly(std::wstring_view text);

// Windows' own text for the error `code`, in the language Windows shows, as code page 936 text
// without its line end; empty when Windows has none.
std::string SystemErrorText(DWORD code);

}  // namespace tarnwick
