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

std::string SystemErrorText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring_view message(text, text ? length : 0);
    while (!message.empty() &&
           (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ')) {
        message.remove_suffix(1);
    }
    std::string narrow = Narrow(message);
    LocalFree(text);
    return narrow;
}

}  // namespace tarnwick
