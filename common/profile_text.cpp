#include "common/profile_text.h"

#include "common/profile.h"
#include "common/text.h"

namespace tarnwick {
namespace {

bool IsBlank(char c) {
    return (c >= '\t' && c <= '\r') || c == ' ' || c == '\x1a';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The lines of the text without their line ends; CR, LF and CR LF all end a line.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
    }
    return lines;
}

// The name of a section header line ("[name]", anything after the last "]" ignored).
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trimmed(line);
    if (!line.starts_with('[')) return std::nullopt;
    const size_t close = line.rfind(']');
    if (close == 0 || close == std::string_view::npos) return std::nullopt;
    return line.substr(1, close - 1);
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

// A "key=value" line; comments and lines without "=" are none.
std::optional<KeyLine> KeyOf(std::string_view line) {
    line = Trimmed(line);
    const size_t equals = line.find('=');
    if (line.starts_with(';') || equals == std::string_view::npos) return std::nullopt;
    return KeyLine{Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))};
}

// Where a key stands: the line of its section's header and its own line (or none).
struct Place {
    std::optional<size_t> header;
    std::optional<size_t> keyLine;
    size_t sectionEnd = 0;  // one past the last non-blank line of the section
};

// Only the first section of a name counts, and in it the first line of the key.
Place Find(const std::vector<std::string_view>& lines, std::string_view section,
           std::string_view key) {
    section = Trimmed(section);
    key = Trimmed(key);
    Place place;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionName(lines[i])) {
            if (place.header) break;
            if (EqualsIgnoringAsciiCase(*name, section)) {
                place.header = i;
                place.sectionEnd = i + 1;
            }
            continue;
        }
        if (!place.header) continue;
        if (!Trimmed(lines[i]).empty()) place.sectionEnd = i + 1;
        const auto entry = KeyOf(lines[i]);
        if (!place.keyLine && entry && EqualsIgnoringAsciiCase(entry->key, key)) {
            place.keyLine = i;
        }
    }
    return place;
}

}  // namespace

std::string ProfileValueText(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    value = value.substr(0, value.find('\0'));
    size_t end = 0;
    while (end < value.size()) {
        const auto lead = static_cast<unsigned char>(value[end]);
        const size_t width = lead >= 0x81 && lead <= 0xFE && end + 1 < value.size() ? 2 : 1;
        if (end + width > ProfileFile::kMaxValueBytes) break;
        end += width;
    }
    return std::string(value.substr(0, end));
}

std::optional<std::string> ProfileValue(std::string_view bytes, std::string_view section,
                                        std::string_view key) {
    const auto lines = Lines(bytes);
    const Place place = Find(lines, section, key);
    if (!place.keyLine) return std::nullopt;
    return ProfileValueText(KeyOf(lines[*place.keyLine])->value);
}

std::string ProfileWithValue(std::string_view bytes, std::string_view section, std::string_view key,
                             std::string_view value) {
    auto lines = Lines(bytes);
    const Place place = Find(lines, section, key);
    // The new lines live here while `lines` views them.
    std::string header = "[" + std::string(Trimmed(section)) + "]";
    std::string keyText = std::string(Trimmed(key)) + "=" + std::string(value);
    if (place.keyLine) {
        keyText = std::string(KeyOf(lines[*place.keyLine])->key) + "=" + std::string(value);
        lines[*place.keyLine] = keyText;
    } else if (place.header) {
        lines.insert(lines.begin() + std::ptrdiff_t(place.sectionEnd), keyText);
    } else {
        lines.push_back(header);
        lines.push_back(keyText);
    }
    std::string text;
    for (std::string_view line : lines)
        text.append(line).append("\r\n");
    return text;
}

std::vector<std::string> ProfileSectionNames(std::string_view bytes) {
    std::vector<std::string> names;
    for (std::string_view line : Lines(bytes)) {
        if (const auto name = SectionName(line)) names.emplace_back(*name);
    }
    return names;
}

}  // namespace tarnwick
