#include "common/stamp.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(StampText, WritesFixedWidthLocalTexts) {
    const CivilTime t{2026, 3, 7, 8, 5, 9};
    EXPECT_EQ(DateText(t), "2026-03-07");
    EXPECT_EQ(TimeText(t), "08:05:09");
    EXPECT_EQ(StampText(t), "2026-03-07 08:05:09");
}

TEST(StampText, ReadsBackAsWholeSeconds) {
    const auto a = ReadStampText("2026-12-31 23:59:59");
    const auto b = ReadStampText("2027-01-01 00:00:00");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(*b - *a, 1);
    EXPECT_EQ(*ReadStampText("2024-03-01 00:00:00") - *ReadStampText("2024-02-28 00:00:00"),
              2 * 86400);  // leap day
    EXPECT_EQ(*ReadStampText("1970-01-01 00:05:00"), 300);
    // Century years are leap years only when divisible by 400.
    EXPECT_EQ(*ReadStampText("2000-03-01 00:00:00") - *ReadStampText("2000-02-28 00:00:00"),
              2 * 86400);
    EXPECT_EQ(*ReadStampText("2100-03-01 00:00:00") - *ReadStampText("2100-02-28 00:00:00"), 86400);
}

TEST(StampText, RoundTripsThroughCivilSeconds) {
    const CivilTime t{2026, 12, 9, 10, 0, 0};
    EXPECT_EQ(ReadStampText(StampText(t)), CivilSeconds(t));
}

TEST(StampText, RefusesAnythingButTheExactForm) {
    for (const char* bad :
         {"", "2026-12-09", "2026-12-09 10:00", "2026-12-09T10:00:00", "2026-12-09 10:00:00 ",
          " 2026-12-09 10:00:00", "2026-13-01 00:00:00", "2026-02-29 00:00:00",
          "2100-02-29 00:00:00", "1900-02-29 00:00:00", "2026-04-31 00:00:00",
          "2026-12-09 24:00:00", "2026-12-09 10:60:00", "2026-12-09 10:00:60",
          "2026-12-00 10:00:00", "20a6-12-09 10:00:00", "2026/12/09 10:00:00"}) {
        EXPECT_FALSE(ReadStampText(bad)) << bad;
    }
}

TEST(SystemClock, GivesAPlausibleLocalTime) {
    const CivilTime now = SystemClock().Now();
    EXPECT_GE(now.year, 2024);
    EXPECT_TRUE(ReadStampText(StampText(now)));
}

}  // namespace
}  // namespace tarnwick
