#include "common/code_page.h"

#include "common/wide_text_win.h"

namespace tarnwick {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16");

std::u16string Utf16FromCodePage936(std::string_view text) {
    const std::wstring wide = Wide(text);
    return std::u16string(wide.begin(), wide.end());
}

std::string CodePage936FromUtf16(std::u16string_view text) {
    return Narrow(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

}  // namespace tarnwick
