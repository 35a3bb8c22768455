#include "terminals/request.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarnwick {
namespace {

using Result = LineReader::Result;

// Feeds `input` in one piece and collects the lines until the reader needs more or refuses.
struct Lines {
    std::vector<std::string> lines;
    Result last;
};

Lines Read(LineReader& reader, std::string_view input) {
    reader.Append(input.data(), input.size());
    Lines out;
    std::string line;
    while ((out.last = reader.Next(line)) == Result::kLine)
        out.lines.push_back(line);
    return out;
}

TEST(LineReader, DropsOneCarriageReturnBeforeTheLineFeed) {
    LineReader reader;
    const Lines got = Read(reader, "a\r\nb\n\r\n\n c\t\r\r\n");
    EXPECT_EQ(got.lines, (std::vector<std::string>{"a", "b", "", "", " c\t\r"}));
    EXPECT_EQ(got.last, Result::kNeedMore);
}

TEST(LineReader, JoinsALineSentInPieces) {
    LineReader reader;
    EXPECT_TRUE(Read(reader, "LOG").lines.empty());
    EXPECT_TRUE(Read(reader, "IN:01").lines.empty());
    EXPECT_EQ(Read(reader, "01;3\r").lines.size(), 0u);
    EXPECT_EQ(Read(reader, "\nLOGOUT").lines, std::vector<std::string>{"LOGIN:0101;3"});
    EXPECT_EQ(Read(reader, ":01\n").lines, std::vector<std::string>{"LOGOUT:01"});
}

TEST(LineReader, AcceptsExactly16384BytesBeforeTheLineFeed) {
    LineReader reader;
    const std::string full(kMaxRequestBytes, 'x');
    EXPECT_EQ(Read(reader, full + "\n").lines, std::vector<std::string>{full});

    LineReader withReturn;
    const std::string line(kMaxRequestBytes - 1, 'y');
    EXPECT_EQ(Read(withReturn, line + "\r\n").lines, std::vector<std::string>{line});
}

TEST(LineReader, RefusesLongerLinesWithOrWithoutTheirLineFeed) {
    LineReader reader;
    EXPECT_EQ(Read(reader, std::string(kMaxRequestBytes + 1, 'x') + "\n").last, Result::kTooLong);

    LineReader unfinished;
    EXPECT_EQ(Read(unfinished, std::string(kMaxRequestBytes, 'x')).last, Result::kNeedMore);
    EXPECT_EQ(Read(unfinished, "x").last, Result::kTooLong);
}

TEST(LineReader, CountsTheLimitFromTheStartOfEachLine) {
    LineReader reader;
    const std::string line(kMaxRequestBytes, 'x');
    const Lines got = Read(reader, "short\n" + line + "\n" + line + "\n");
    EXPECT_EQ(got.lines.size(), 3u);
    EXPECT_EQ(got.last, Result::kNeedMore);
}

struct ParseCase {
    const char* line;
    RequestKind kind;
    const char* code;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class Parse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(Parse, UpperCasesSplitsAndChecksTheNumber) {
    const Request r = ParseRequest(GetParam().line);
    EXPECT_EQ(r.kind, GetParam().kind);
    EXPECT_EQ(r.code, GetParam().code);
}

using K = RequestKind;
INSTANTIATE_TEST_SUITE_P(
    Requests, Parse,
    ::testing::Values(
        ParseCase{"LOGIN:0101;3", K::kLogin, "0101"}, ParseCase{"login:0101;3", K::kLogin, "0101"},
        ParseCase{"LoGiN:ab-c;3", K::kLogin, "AB-C"},
        ParseCase{"login:0101;0x1f", K::kLogin, "0101"},
        ParseCase{"LOGIN:0101;$FF", K::kLogin, "0101"},
        ParseCase{"LOGIN:0101; -3", K::kLogin, "0101"},
        ParseCase{"LOGIN:0101", K::kLogin, ""},          // the whole argument is the number 101
        ParseCase{"LOGIN: 0101;3", K::kLogin, " 0101"},  // nothing is trimmed
        ParseCase{"LOGIN:01;02;3", K::kRejected, ""},    // number text "02;3"
        ParseCase{"LOGIN:0101;", K::kRejected, ""}, ParseCase{"LOGIN:0101;3 ", K::kRejected, ""},
        ParseCase{"LOGIN:0101;3\r", K::kRejected, ""}, ParseCase{"LOGIN:", K::kRejected, ""},
        ParseCase{"LOGIN:abc", K::kRejected, ""}, ParseCase{"LOGOUT:0101", K::kLogout, "0101"},
        ParseCase{"logout:0101;3", K::kLogout, "0101;3"}, ParseCase{"LOGOUT:", K::kLogout, ""},
        ParseCase{"LOGOUT:a:b", K::kLogout, "A:B"}, ParseCase{"LOGIN", K::kOther, ""},
        ParseCase{"LOGOUT", K::kOther, ""}, ParseCase{"", K::kOther, ""},
        ParseCase{"\r", K::kOther, ""}, ParseCase{" LOGIN:0101;3", K::kOther, ""},
        ParseCase{"LOGIN :0101;3", K::kOther, ""}, ParseCase{"HELLO:0101;3", K::kOther, ""},
        ParseCase{":LOGIN", K::kOther, ""}));

TEST(Parse, KeepsDoubleByteCharactersAsTheyAre) {
    const Request r = ParseRequest(
        "login:\xb2\xe2\xca\xd4"
        "a;1");
    EXPECT_EQ(r.kind, RequestKind::kLogin);
    EXPECT_EQ(r.code,
              "\xb2\xe2\xca\xd4"
              "A");
}

}  // namespace
}  // namespace tarnwick
