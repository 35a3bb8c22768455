#include "common/profile_text.h"

#include "common/code_page.h"
#include "common/unicode_text.h"

namespace tarnwick {
namespace {

constexpr std::string_view kUtf16LeMark("\xFF\xFE");
constexpr std::string_view kUtf16BeMark("\xFE\xFF");
constexpr std::string_view kUtf8Mark("\xEF\xBB\xBF");

bool IsBlank(char c) {
    return (c >= '\t' && c <= '\r') || c == ' ' || c == '\x1a';
}

// No trail byte of code page 936 is a blank, so blanks are found byte by byte.
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

// The name as names are compared: without its blanks, ASCII letters in lower case, a
// double-byte character's bytes as they are (its trail byte may be a letter).
std::string Folded(std::string_view name) {
    name = Trimmed(name);
    std::string folded(name);
    for (size_t i = 0; i < folded.size(); ++i) {
        if (IsLeadByte(folded[i]) && i + 1 < folded.size()) {
            ++i;
        } else if (folded[i] >= 'A' && folded[i] <= 'Z') {
            folded[i] = char(folded[i] - 'A' + 'a');
        }
    }
    return folded;
}

// Where a line stands in a text: its content, then its line end. CR, LF and CR LF all end a
// line. Works alike on bytes and on UTF-16 units, so that a file's lines and the lines of its
// converted text can be matched one by one.
struct LineSpan {
    size_t start;
    size_t length;
    size_t endLength;
};

template <typename Char>
std::vector<LineSpan> LineSpans(std::basic_string_view<Char> text) {
    std::vector<LineSpan> spans;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != Char('\r') && text[end] != Char('\n'))
            ++end;
        size_t endLength = 0;
        if (end < text.size()) {
            endLength = text[end] == Char('\r') && end + 1 < text.size() && text[end + 1] == Char('\n')
                            ? 2
                            : 1;
        }
        spans.push_back({start, end - start, endLength});
        start = end + endLength;
    }
    return spans;
}

// The name of a section header line ("[name]", anything after the last "]" ignored).
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trimmed(line);
    if (!line.starts_with('[')) return std::nullopt;
    const size_t close = line.rfind(']');
    if (close == 0 || close == std::string_view::npos) return std::nullopt;
    return Trimmed(line.substr(1, close - 1));
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

std::u16string UnitsOf(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    }
    return units;
}

std::string BytesOf(std::u16string_view units, bool bigEndian) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
        const char high = char(unit >> 8), low = char(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
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
        const size_t width = IsLeadByte(value[end]) && end + 1 < value.size() ? 2 : 1;
        if (end + width > ProfileText::kMaxValueBytes) break;
        end += width;
    }
    return std::string(value.substr(0, end));
}

ProfileText::ProfileText(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeMark)) {
        encoding_ = ProfileEncoding::kUtf16Le;
        bytes.remove_prefix(kUtf16LeMark.size());
    } else if (bytes.starts_with(kUtf16BeMark)) {
        encoding_ = ProfileEncoding::kUtf16Be;
        bytes.remove_prefix(kUtf16BeMark.size());
    } else if (bytes.starts_with(kUtf8Mark)) {
        encoding_ = ProfileEncoding::kUtf8;
        bytes.remove_prefix(kUtf8Mark.size());
    }
    Split(bytes);
    Index();
}

// Unicode lines are matched one by one with the lines of their converted text: line ends are
// the same characters in both, and no conversion makes or takes one.
void ProfileText::Split(std::string_view body) {
    if (encoding_ == ProfileEncoding::kCodePage936) {
        for (const LineSpan& s : LineSpans(body)) {
            lines_.push_back({std::string(body.substr(s.start, s.length)), {},
                              std::string(body.substr(s.start + s.length, s.endLength))});
        }
        return;
    }
    const size_t unitBytes = encoding_ == ProfileEncoding::kUtf8 ? 1 : 2;
    std::u16string units;
    if (encoding_ == ProfileEncoding::kUtf8) {
        units = Utf16FromUtf8(body);
    } else {
        tail_ = body.substr(body.size() & ~size_t(1));
        units = UnitsOf(body, encoding_ == ProfileEncoding::kUtf16Be);
    }
    const std::string text = CodePage936FromUtf16(units);
    const auto textSpans = LineSpans(std::string_view(text));
    const auto rawSpans = unitBytes == 1 ? LineSpans(body) : LineSpans(std::u16string_view(units));
    for (size_t i = 0; i < rawSpans.size() && i < textSpans.size(); ++i) {
        const LineSpan& r = rawSpans[i];
        lines_.push_back({text.substr(textSpans[i].start, textSpans[i].length),
                          std::string(body.substr(r.start * unitBytes, r.length * unitBytes)),
                          std::string(body.substr((r.start + r.length) * unitBytes,
                                                  r.endLength * unitBytes))});
    }
}

namespace {

// Where a key of a section is looked up: the section's length keeps any two pairs of names
// apart, whatever bytes they hold.
std::string KeyPlace(std::string_view foldedSection, std::string_view key) {
    return std::to_string(foldedSection.size()) + ':' + std::string(foldedSection) + Folded(key);
}

}  // namespace

void ProfileText::Index() {
    sections_.clear();
    keys_.clear();
    sectionNames_.clear();
    Section* current = nullptr;  // none after a repeated header: its keys count nowhere
    std::string currentName;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = lines_[i].text;
        if (const auto name = SectionName(line)) {
            sectionNames_.emplace_back(*name);
            currentName = Folded(*name);
            const auto [section, first] = sections_.try_emplace(currentName);
            current = first ? &section->second : nullptr;
            if (current) current->end = i + 1;
            continue;
        }
        if (!current) continue;
        if (!Trimmed(line).empty()) current->end = i + 1;
        if (const auto entry = KeyOf(line)) keys_.try_emplace(KeyPlace(currentName, entry->key), i);
    }
}

std::optional<std::string> ProfileText::Value(std::string_view section,
                                              std::string_view key) const {
    const auto line = keys_.find(KeyPlace(Folded(section), key));
    if (line == keys_.end()) return std::nullopt;
    return ProfileValueText(KeyOf(lines_[line->second].text)->value);
}

bool ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trimmed(section);
    key = Trimmed(key);
    const std::string folded = Folded(section);
    const auto found = sections_.find(folded);
    if (found == sections_.end()) {
        Insert(lines_.size(), "[" + std::string(section) + "]");
        Insert(lines_.size(), std::string(key) + "=" + std::string(value));
    } else if (const auto at = keys_.find(KeyPlace(folded, key)); at != keys_.end()) {
        Line& line = lines_[at->second];
        const KeyLine entry = *KeyOf(line.text);
        if (entry.value == value) return false;
        std::string text = std::string(entry.key) + "=" + std::string(value);
        if (encoding_ != ProfileEncoding::kCodePage936) line.raw = Encoded(text);
        line.text = std::move(text);
    } else {
        Insert(found->second.end, std::string(key) + "=" + std::string(value));
    }
    Index();
    return true;
}

void ProfileText::Insert(size_t at, std::string text) {
    const std::string lineEnd = Encoded("\r\n");
    if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = lineEnd;
    std::string raw = encoding_ == ProfileEncoding::kCodePage936 ? std::string() : Encoded(text);
    lines_.insert(lines_.begin() + std::ptrdiff_t(at), Line{std::move(text), std::move(raw), lineEnd});
}

std::string ProfileText::Encoded(std::string_view text) const {
    switch (encoding_) {
    case ProfileEncoding::kCodePage936:
        return std::string(text);
    case ProfileEncoding::kUtf8:
        return Utf8FromUtf16(Utf16FromCodePage936(text));
    case ProfileEncoding::kUtf16Le:
    case ProfileEncoding::kUtf16Be:
        break;
    }
    return BytesOf(Utf16FromCodePage936(text), encoding_ == ProfileEncoding::kUtf16Be);
}

std::string ProfileText::Bytes() const {
    static constexpr std::string_view kMarks[] = {"", kUtf16LeMark, kUtf16BeMark, kUtf8Mark};
    std::string bytes(kMarks[size_t(encoding_)]);
    const bool ansi = encoding_ == ProfileEncoding::kCodePage936;
    for (const Line& line : lines_)
        bytes.append(ansi ? line.text : line.raw).append(line.end);
    return bytes.append(tail_);
}

}  // namespace tarnwick
