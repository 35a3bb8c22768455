#include "common/wide_text_win.h"

namespace tarnwick {

// The size is asked first: the result always fits and std::wstring keeps it terminated.
std::wstring Wide(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    const int size = int(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

namespace {

std::string Converted(std::wstring_view text, UINT codePage, DWORD flags, BOOL* lost) {
    if (text.empty()) return {};
    const int size = int(text.size());
    const int length =
        WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, lost);
    std::string narrow(size_t(length > 0 ? length : 0), '\0');
    if (length > 0) {
        WideCharToMultiByte(codePage, flags, text.data(), size, narrow.data(), length, nullptr,
                            lost);
    }
    return narrow;
}

}  // namespace

std::string Narrow(std::wstring_view text, UINT codePage) {
    return Converted(text, codePage, 0, nullptr);
}

std::optional<std::string> NarrowExactly(std::wstring_view text) {
    // No best fit: a character only like one of the code page's is no form of it.
    BOOL lost = FALSE;
    std::string narrow = Converted(text, kTextCodePage, WC_NO_BEST_FIT_CHARS, &lost);
    if (lost) return std::nullopt;
    return narrow;
}

}  // namespace tarnwick
