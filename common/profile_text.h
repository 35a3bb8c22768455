// The profile (INI) rules over a file's bytes, as the Windows profile functions apply them: the
// program's profile files are made of these on every platform, and they are fuzzed without files.
//
// A file that starts with a byte order mark is Unicode text: FF FE UTF-16 LE and FE FF UTF-16 BE,
// as Windows reads them, and EF BB BF UTF-8, which Windows does not know (its first section is
// lost there). Its lines are converted to the code page 936 texts that the program works in, and
// a character that code page 936 lacks reads as "?". Any other file is code page 936 bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarnwick {

enum class ProfileEncoding { kCodePage936, kUtf16Le, kUtf16Be, kUtf8 };

// A value as the system hands it out: a matching pair of quotes dropped, cut at a NUL byte and
// then to at most 2047 bytes of whole code page 936 characters.
std::string ProfileValueText(std::string_view value);

// One reading of a profile file: every value, and the changes of a save. Section and key names
// match without regard to the case of ASCII letters (never of a double-byte character's trail
// byte) and without the blanks around them, inside a section's brackets too. Only the first
// section of a name counts, and in it the first line of a key.
class ProfileText {
  public:
    ProfileText() = default;
    explicit ProfileText(std::string_view bytes);

    ProfileEncoding Encoding() const { return encoding_; }

    // The value as ProfileValueText gives it; nothing when the section or key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // The names of the section headers in file order, without their blanks.
    const std::vector<std::string>& SectionNames() const { return sectionNames_; }

    // Sets `key` of `section` to `value`: the key's line replaced in place (keeping its line
    // end), or added after the last line of its section, or a new section added at the end;
    // every other line keeps its bytes. False, and nothing changed, when the key already holds
    // exactly that value.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes in its own encoding, with its byte order mark.
    std::string Bytes() const;

    // The value buffer holds 2048 bytes, terminator included.
    static constexpr std::size_t kMaxValueBytes = 2047;

  private:
    struct Line {
        std::string text;  // code page 936, without the line end
        std::string raw;   // the line's own bytes where the file is not code page 936
        std::string end;   // the line end's own bytes: CR LF, LF, CR or none
    };
    struct Section {
        std::size_t end = 0;  // one past its last non-blank line
    };

    void Split(std::string_view body);
    void Index();
    void Insert(std::size_t at, std::string text);
    std::string Encoded(std::string_view text) const;

    ProfileEncoding encoding_ = ProfileEncoding::kCodePage936;
    std::vector<Line> lines_;
    std::string tail_;  // a last odd byte of a UTF-16 file, kept as it was
    std::unordered_map<std::string, Section> sections_;  // folded name -> its first section
    // Folded section and key names -> the key's first line in that section.
    std::unordered_map<std::string, std::size_t> keys_;
    std::vector<std::string> sectionNames_;
};

}  // namespace tarnwick
