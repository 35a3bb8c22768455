// Profile files by the Windows rules. The same tables run in the native build and in the Windows
// build, where the file is opened by its UTF-16 path.
#include "common/profile.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::TempFolder;

constexpr const char* kMissing = "(missing)";

struct TextCase {
    const char* what;
    std::string file;
    const char* section;
    const char* key;
    std::string expected;
    bool systemAgrees = true;  // Wine's own functions read the same (see SystemReads)
};

std::string Repeated(std::string_view piece, size_t times) {
    std::string text;
    for (size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

// A file's bytes in Unicode, with the byte order mark Notepad writes.
std::string Utf16(std::u16string_view text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char high = char(unit >> 8), low = char(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::string Utf8(std::u8string_view text) {
    return "\xEF\xBB\xBF" + std::string(text.begin(), text.end());
}

const TextCase kTextCases[] = {
    {"section and key in another case", "[Product]\r\nCount=3\r\n", "PRODUCT", "count", "3"},
    {"blanks around key and value", "[s]\r\n  key \t=   two  words \t\r\n", "s", "key",
     "two  words"},
    {"blanks before the section header", "  [s]  \r\nk=v\r\n", "s", "k", "v"},
    {"double quotes stripped, inner blanks kept", "[s]\r\nk=\" quoted \"\r\n", "s", "k",
     " quoted "},
    {"single quotes stripped", "[s]\r\nk='x'\r\n", "s", "k", "x"},
    {"unmatched quotes kept", "[s]\r\nk=\"x'\r\n", "s", "k", "\"x'"},
    {"an opening quote alone kept", "[s]\r\nk=\"abc\r\n", "s", "k", "\"abc"},
    {"a lone quote kept", "[s]\r\nk=\"\r\n", "s", "k", "\""},
    {"a pair of quotes gives empty", "[s]\r\nk=\"\"\r\n", "s", "k", ""},
    {"semicolons inside the value kept", "[s]\r\nk=01-Ledger;a ; b;\r\n", "s", "k",
     "01-Ledger;a ; b;"},
    {"a comment line is no key", "[s]\r\n;k=commented\r\n", "s", "k", kMissing},
    {"a comment line before the key", "[s]\r\n; k=commented\r\nk=real\r\n", "s", "k", "real"},
    {"first of duplicate keys wins", "[s]\r\nk=first\r\nK=second\r\n", "s", "k", "first"},
    {"a repeated section is ignored", "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n", "s", "b", kMissing},
    {"the first of repeated sections counts", "[s]\r\na=1\r\n[t]\r\n[s]\r\na=2\r\n", "s", "a", "1"},
    {"a line without = is ignored", "[s]\r\njunk line\r\nk=v\r\n", "s", "k", "v"},
    {"a line without = is no key", "[s]\r\njunk\r\n", "s", "junk", kMissing},
    {"an empty value is no default", "[s]\r\nk=\r\n", "s", "k", ""},
    {"a value of blanks is empty", "[s]\r\nk=   \r\n", "s", "k", ""},
    {"line feeds alone end lines", "[s]\nk=v\nj=w\n", "s", "j", "w"},
    {"no line end after the last line", "[s]\r\nk=v", "s", "k", "v"},
    {"a key before any section is in none", "k=v\r\n[s]\r\n", "s", "k", kMissing},
    {"a key of another section is not found", "[s]\r\nk=v\r\n[t]\r\nj=w\r\n", "t", "k", kMissing},
    {"missing section", "[s]\r\nk=v\r\n", "other", "k", kMissing},
    {"missing key", "[s]\r\nk=v\r\n", "s", "other", kMissing},
    {"empty file", "", "s", "k", kMissing},
    {"double-byte names and value", "[产品]\r\n名称=账务系统；总账\r\n", "产品", "名称",
     "账务系统；总账"},
    {"2047 bytes read whole", "[s]\r\nk=" + Repeated("x", 2047) + "\r\n", "s", "k",
     Repeated("x", 2047)},
    {"5000 bytes cut to 2047", "[s]\r\nk=" + Repeated("x", 5000) + "\r\n", "s", "k",
     Repeated("x", 2047)},
    // Byte 2047 would be the first half of a character: both builds give the 1023 whole
    // characters before it (Wine converts whole characters only). Windows itself was not
    // measured here; its documentation promises only the cut and the terminator.
    {"a cut inside a double-byte character", "[s]\r\nk=" + Repeated("汉", 2500) + "\r\n", "s", "k",
     Repeated("汉", 1023), false},
    {"a cut after a double-byte character", "[s]\r\nk=a" + Repeated("汉", 2500) + "\r\n", "s", "k",
     "a" + Repeated("汉", 1023)},
    {"blanks inside the brackets", "[ server ]\r\nhost=h\r\n", "server", "host", "h"},
    {"a tab inside the brackets", "[server\t]\r\nhost=h\r\n", "SERVER", "host", "h"},
    {"an entry named with blanks", "[ P1 ]\r\nProduct=01-A\r\n", "P1", "product", "01-A"},
    {"carriage returns alone end lines", "[s]\rk=v\rj=w\r", "s", "j", "w"},
    {"a key with an empty value is there", "[s]\r\nname2=\r\nname3\r\n", "s", "name2", ""},
    {"a trail byte is never folded", "[s]\r\n\x81" "a=1\r\n", "s", "\x81" "A", kMissing},
    {"a trail byte matches itself", "[s]\r\n\x81" "a=1\r\n", "s", "\x81" "a", "1"},
    {"UTF-16 LE", Utf16(u"[ server ]\r\nhost=主机\r\n"), "server", "host", "主机"},
    {"UTF-16 BE", Utf16(u"[server]\nhost=主机", true), "server", "host", "主机"},
    {"UTF-8 with its mark", Utf8(u8"[server]\r\nhost=主机\r\n"), "server", "host", "主机"},
    {"a character code page 936 lacks", Utf16(u"[s]\r\nk=a\u0E01b\r\n"), "s", "k", "a?b"},
    {"UTF-16 without its mark is bytes", std::string("[\0s\0]\0", 6), "s", "k", kMissing, false},
};

#ifdef _WIN32
// The value as the system's own profile functions read it. Wine's follow Windows' rules here
// (they differ where a cut falls inside a character, and Wine guesses UTF-16 without a mark).
std::string SystemReads(const std::string& path, const char* section, const char* key) {
    std::string value(ProfileText::kMaxValueBytes + 1, '\0');
    value.resize(GetPrivateProfileStringA(section, key, kMissing, value.data(), DWORD(value.size()),
                                          path.c_str()));
    return value;
}
#endif

TEST(ProfileText, ReadsByTheWindowsRules) {
    TempFolder folder;
    int n = 0;
    for (const TextCase& c : kTextCases) {
        // A file of its own for every case: the system may cache a file it has read.
        const std::string path = folder.Write("case" + std::to_string(++n) + ".ini", c.file);
        EXPECT_EQ(ProfileFile(path).Read().Text(c.section, c.key, kMissing), c.expected) << c.what;
#ifdef _WIN32
        if (c.systemAgrees) EXPECT_EQ(SystemReads(path, c.section, c.key), c.expected) << c.what;
#endif
    }
}

TEST(ProfileText, MissingFileGivesTheDefault) {
    TempFolder folder;
    const Profile profile = ProfileFile(folder.PathOf("absent.ini")).Read();
    EXPECT_EQ(profile.Text("s", "k", "fallback"), "fallback");
    EXPECT_EQ(profile.Text("s", "k"), "");
    EXPECT_EQ(profile.Int("s", "k", -3), -3);
    EXPECT_TRUE(profile.SectionNames().empty());
    EXPECT_FALSE(folder.Holds("absent.ini"));
}

TEST(ProfileText, TrailingBlanksOfTheDefaultAreDropped) {
    TempFolder folder;
    EXPECT_EQ(Profile("[s]\r\n").Text("s", "k", "  fallback  "), "  fallback");
}

struct IntCase {
    const char* value;
    std::int32_t expected;
};

constexpr std::int32_t kDefault = -99;

const IntCase kIntCases[] = {
    {"42", 42},
    {"0x10", 16},
    {"0X10", 16},
    {"$1F", 31},
    {"x1f", 31},
    {"-5", -5},
    {"+3", 3},
    {" 7", 7},  // blanks around a value are no part of it
    {"7 ", 7},
    {"'7'", 7},  // nor are its quotes
    {"12abc", kDefault},
    {"abc", kDefault},
    {"", kDefault},
    {"2147483647", 2147483647},
    {"2147483648", kDefault},
    {"0xFFFFFFFF", -1},
    {"1 2", kDefault},
};

TEST(ProfileInt, ReadsTheIntegerTextRule) {
    TempFolder folder;
    int n = 0;
    for (const IntCase& c : kIntCases) {
        const std::string text = std::string("[product]\r\ncount=") + c.value + "\r\n";
        const ProfileFile file(folder.Write("int" + std::to_string(++n) + ".ini", text));
        EXPECT_EQ(file.Read().Int("product", "count", kDefault), c.expected)
            << '"' << c.value << '"';
    }
}

TEST(ProfileInt, MissingKeyGivesTheDefault) {
    const Profile profile("[product]\r\nother=1\r\n");
    EXPECT_EQ(profile.Int("product", "count", 0), 0);
    EXPECT_EQ(profile.Int("elsewhere", "other", 5), 5);
}

TEST(ProfileSections, ListsTheSectionsInFileOrder) {
    const Profile profile("k=v\r\n[product]\r\ncount=2\r\n[P1]\r\n;[P9]\r\n  [ p2 ]  \r\n");
    EXPECT_EQ(profile.SectionNames(), (std::vector<std::string>{"product", "P1", "p2"}));
}

TEST(ProfileSections, ListsMoreNamesThanAFirstBufferHolds) {
    TempFolder folder;
    std::string text;
    for (int i = 1; i <= 3000; ++i)
        text += "[P" + std::to_string(i) + "]\r\nk=v\r\n";
    const auto names = ProfileFile(folder.Write("many.ini", text)).Read().SectionNames();
    ASSERT_EQ(names.size(), 3000u);
    EXPECT_EQ(names.front(), "P1");
    EXPECT_EQ(names.back(), "P3000");
}

TEST(ProfileWrite, CreatesFileAndSectionWithCrLfAndNoBom) {
    TempFolder folder;
    const ProfileFile file(folder.PathOf("main.ini"));
    ASSERT_TRUE(file.Write({{"server", "host", "10.0.0.1"}, {"server", "ip", "8080"}}));
    EXPECT_EQ(folder.Read("main.ini"), "[server]\r\nhost=10.0.0.1\r\nip=8080\r\n");
    EXPECT_EQ(file.Read().Int("server", "ip", 0), 8080);
}

struct SaveCase {
    const char* what;
    std::string file;
    const char* section;
    const char* key;
    const char* value;
    std::string expected;  // the file's bytes after the save
};

const SaveCase kSaveCases[] = {
    {"the value replaced in place, every line end kept", "[a]\nx=1\n[server]\r\nHost=old\rip=1",
     "SERVER", "host", "new", "[a]\nx=1\n[server]\r\nHost=new\rip=1"},
    {"a key added after its section's last line", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n", "a", "z", "3",
     "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
    {"a last line without its end gets one", "[s]\r\nk=v", "s", "j", "w", "[s]\r\nk=v\r\nj=w\r\n"},
    {"a section added at the end", "[a]\nx=1\n", "b", "y", "2", "[a]\nx=1\n[b]\r\ny=2\r\n"},
    {"the section with blanks in its brackets", "[ server ]\nip=1\n", "server", "ip", "2",
     "[ server ]\nip=2\n"},
    {"double-byte bytes as given", "", "服务", "名称", "账务;总账", "[服务]\r\n名称=账务;总账\r\n"},
    {"UTF-16 LE stays UTF-16 LE", Utf16(u"[server]\r\nhost=主机\nip=1\r\n"), "server", "host",
     "新", Utf16(u"[server]\r\nhost=新\nip=1\r\n")},
    {"UTF-16 BE stays UTF-16 BE", Utf16(u"[s]\r\nk=v", true), "t", "k", "v",
     Utf16(u"[s]\r\nk=v\r\n[t]\r\nk=v\r\n", true)},
    {"UTF-8 stays UTF-8 with its mark", Utf8(u8"[s]\nk=旧\n"), "s", "k", "新", Utf8(u8"[s]\nk=新\n")},
    {"a line that is not changed keeps characters 936 lacks", Utf16(u"[s]\r\nq=\u0E01\r\nk=1\r\n"),
     "s", "k", "2", Utf16(u"[s]\r\nq=\u0E01\r\nk=2\r\n")},
};

TEST(ProfileWrite, ChangesTheOneLineOnlyInTheFilesOwnEncoding) {
    TempFolder folder;
    int n = 0;
    for (const SaveCase& c : kSaveCases) {
        const std::string name = "save" + std::to_string(++n) + ".ini";
        const ProfileFile file(folder.Write(name, c.file));
        ASSERT_TRUE(file.Write({{c.section, c.key, c.value}})) << c.what;
        EXPECT_EQ(folder.Read(name), c.expected) << c.what;
        EXPECT_EQ(file.Read().Text(c.section, c.key), c.value) << c.what;
    }
}

TEST(ProfileWrite, WritesNothingWhenNoValueChanges) {
    TempFolder folder;
    const std::string kept = "[server]\nhost = \"10.0.0.1\"\nip=80";
    const ProfileFile file(folder.Write("main.ini", kept));
    bool wrote = false;
    const WriteHook watch = [&](std::string_view bytes, const FileWrite& write) {
        wrote = true;
        return write(bytes);
    };
    EXPECT_TRUE(file.Write({{"server", "host", "\"10.0.0.1\""}, {"Server", "IP", "80"}}, watch));
    EXPECT_FALSE(wrote);
    EXPECT_EQ(folder.Read("main.ini"), kept);
}

// A disk that fills, a quota or a share that goes away, after any number of bytes: the file
// keeps every byte, and no new file is left beside it.
TEST(ProfileWrite, AWriteThatFailsPartWayLeavesTheFileAsItWas) {
    TempFolder folder;
    const std::string kept = "[server]\r\nhost=10.0.0.1\r\nip=6230\r\n";
    const ProfileFile file(folder.Write("main.ini", kept));
    const size_t newSize = kept.size() + 2;
    for (size_t allowed = 0; allowed < newSize; ++allowed) {
        size_t written = 0;
        const WriteHook failing = [&](std::string_view bytes, const FileWrite& write) -> size_t {
            if (written >= allowed) return 0;
            const size_t n = write(bytes.substr(0, allowed - written));
            written += n;
            return n;
        };
        EXPECT_FALSE(file.Write({{"server", "host", "10.0.0.100"}}, failing)) << allowed;
        EXPECT_EQ(folder.Read("main.ini"), kept) << allowed;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
    }
    EXPECT_TRUE(file.Write({{"server", "host", "10.0.0.100"}}));
    EXPECT_EQ(file.Read().Text("server", "host"), "10.0.0.100");
}

TEST(ProfileWrite, FailsWhenTheFolderIsMissing) {
    TempFolder folder;
    const ProfileFile file(folder.PathOf("absent") + "/main.ini");
    EXPECT_FALSE(file.Write({{"server", "host", "10.0.0.1"}}));
    EXPECT_FALSE(folder.Holds("absent"));
}

#ifdef _WIN32
// Another program holds the file so that it can be written but not read: writing the one value
// over what could not be read would lose the rest of the file.
TEST(ProfileWrite, LeavesAFileThatCannotBeReadAsItIs) {
    TempFolder folder;
    const std::string kept = "[server]\r\nhost=10.0.0.1\r\n[site]\r\nname=x\r\n";
    const std::string path = folder.Write("main.ini", kept);
    const HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ProfileFile(path).Write({{"server", "ip", "6230"}}));
    CloseHandle(holder);
    EXPECT_EQ(folder.Read("main.ini"), kept);
}
#endif

}  // namespace
}  // namespace tarnwick
