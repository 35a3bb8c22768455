#include "common/text.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

struct SplitCase {
    const char* text;
    char separator;
    const char* before;
    const char* after;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class TextSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(TextSplit, SplitsAtTheFirstSeparatorOnly) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(TextBefore(c.text, c.separator), c.before);
    EXPECT_EQ(TextAfter(c.text, c.separator), c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextSplit,
                         ::testing::Values(SplitCase{"0101;3", ';', "0101", "3"},
                                           SplitCase{"0101", ';', "", "0101"},   // absent
                                           SplitCase{";3", ';', "", "3"},        // first
                                           SplitCase{"0101;", ';', "0101", ""},  // last
                                           SplitCase{"a;b;c", ';', "a", "b;c"},
                                           SplitCase{"", ';', "", ""},
                                           SplitCase{" a : b ", ':', " a ", " b "}));

TEST(TextSplit, WorksOnBytesOfDoubleByteText) {
    const std::string caption = "01-财务系统";
    EXPECT_EQ(TextBefore(caption, '-'), "01");
    EXPECT_EQ(TextAfter(caption, '-'), "财务系统");
}

TEST(UpperCase, ChangesOnlyAsciiLowerCaseLetters) {
    std::string text = "login:0101;0x1f \r\t";
    text += "\xb2\xe2\xca\xd4";  // double-byte characters whose bytes lie outside a..z
    text += "`{@[";
    UpperCaseAscii(text);
    EXPECT_EQ(text, "LOGIN:0101;0X1F \r\t\xb2\xe2\xca\xd4`{@[");
}

TEST(UpperCase, ComparesIgnoringOnlyAsciiCase) {
    EXPECT_TRUE(EqualsIgnoringAsciiCase("C:\\Apps\\Tarnwick.exe", "c:\\APPS\\tarnwick.EXE"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("C:\\Apps", "C:\\Apps\\"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("\xe0", "\xc0"));  // no case outside a..z
}

TEST(Texts, AreCompiledToCodePage936Bytes) {
    EXPECT_EQ(std::string("终端数："), "\xD6\xD5\xB6\xCB\xCA\xFD\xA3\xBA");
}

TEST(FullStop, IsAddedOnlyWhenMissing) {
    EXPECT_EQ(WithFullStop("Terminate Thread Timeout"), "Terminate Thread Timeout.");
    EXPECT_EQ(WithFullStop("Done."), "Done.");
    EXPECT_EQ(WithFullStop("服务启动失败。"), "服务启动失败。");
    EXPECT_EQ(WithFullStop(""), ".");
}

}  // namespace
}  // namespace tarnwick
