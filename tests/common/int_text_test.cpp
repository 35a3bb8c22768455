#include "common/int_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace tarnwick {
namespace {

struct IntCase {
    const char* text;
    std::optional<std::int32_t> value;
};

void PrintTo(const IntCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class IntText : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntText, ReadsByTheOneIntegerRule) {
    EXPECT_EQ(ReadIntText(GetParam().text), GetParam().value);
}

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
const std::optional<std::int32_t> kNot;

INSTANTIATE_TEST_SUITE_P(
    Decimal, IntText,
    ::testing::Values(IntCase{"0", 0}, IntCase{"101", 101}, IntCase{"0101", 101}, IntCase{"+7", 7},
                      IntCase{"-7", -7}, IntCase{"-0", 0}, IntCase{"2147483647", kMax},
                      IntCase{"-2147483648", kMin}, IntCase{"2147483648", kNot},
                      IntCase{"-2147483649", kNot}, IntCase{"99999999999999999999", kNot},
                      IntCase{"00000000002147483647", kMax}));

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, IntText,
    ::testing::Values(IntCase{"$32", 50}, IntCase{"x32", 50}, IntCase{"X32", 50},
                      IntCase{"0x32", 50}, IntCase{"0X1F", 31}, IntCase{"0x1f", 31},
                      IntCase{"$aBc", 0xABC}, IntCase{"-$10", -16}, IntCase{"+0x10", 16},
                      IntCase{"$7FFFFFFF", kMax}, IntCase{"$80000000", kMin},
                      IntCase{"$FFFFFFFF", -1}, IntCase{"-$80000000", kMin},
                      IntCase{"-$FFFFFFFF", 1},
                      IntCase{"$100000000", kNot},  // nine significant digits
                      IntCase{"$000000001", 1},     // nine digits, one significant
                      IntCase{"0x00000000FFFFFFFF", -1}, IntCase{"$", kNot}, IntCase{"0x", kNot},
                      IntCase{"x", kNot}, IntCase{"$G", kNot}, IntCase{"0x1G", kNot},
                      IntCase{"$ 1", kNot}, IntCase{"$$1", kNot}, IntCase{"00x1", kNot}));

INSTANTIATE_TEST_SUITE_P(
    BlanksAndJunk, IntText,
    ::testing::Values(IntCase{"", kNot}, IntCase{" ", kNot}, IntCase{"   42", 42},
                      IntCase{" -42", -42}, IntCase{" $10", 16}, IntCase{"42 ", kNot},
                      IntCase{"3 ", kNot}, IntCase{"- 4", kNot}, IntCase{"\t4", kNot},
                      IntCase{"+", kNot}, IntCase{"-", kNot}, IntCase{"+-4", kNot},
                      IntCase{"12abc", kNot}, IntCase{"8O", kNot}, IntCase{"1.0", kNot},
                      IntCase{"1e3", kNot}, IntCase{"3\r", kNot}));

TEST(IntText, FallsBackToTheDefault) {
    EXPECT_EQ(IntTextOr("12abc", 0), 0);
    EXPECT_EQ(IntTextOr("", 7), 7);
    EXPECT_EQ(IntTextOr("0x10", 0), 16);
}

}  // namespace
}  // namespace tarnwick
