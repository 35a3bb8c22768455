#include "common/text.h"

namespace tarnwick {

std::string_view TextBefore(std::string_view text, char separator) {
    const size_t at = text.find(separator);
    return at == std::string_view::npos ? std::string_view{} : text.substr(0, at);
}

std::string_view TextAfter(std::string_view text, char separator) {
    const size_t at = text.find(separator);
    return at == std::string_view::npos ? text : text.substr(at + 1);
}

namespace {
constexpr char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}
}  // namespace

void UpperCaseAscii(std::string& text) {
    for (char& c : text)
        c = UpperAscii(c);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    }
    return true;
}

std::string WithFullStop(std::string_view message) {
    std::string text(message);
    const std::string_view ideographicStop = "。";
    const bool ends = text.ends_with('.') || text.ends_with(ideographicStop);
    if (!ends) text += '.';
    return text;
}

}  // namespace tarnwick
