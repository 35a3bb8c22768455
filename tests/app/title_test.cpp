#include "app/single_instance.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(RunningInstanceTitle, MatchesTheTitleAndAnythingAfterIt) {
    EXPECT_TRUE(IsRunningInstanceTitle("Tarnwick3.1", "Tarnwick3.1"));
    EXPECT_TRUE(IsRunningInstanceTitle("Tarnwick3.1 - 服务", "Tarnwick3.1"));
}

TEST(RunningInstanceTitle, DiffersWhenEmptyShorterOrAnyByteDiffers) {
    EXPECT_FALSE(IsRunningInstanceTitle("", "Tarnwick3.1"));
    EXPECT_FALSE(IsRunningInstanceTitle("Tarnwick3.", "Tarnwick3.1"));
    EXPECT_FALSE(IsRunningInstanceTitle("tarnwick3.1", "Tarnwick3.1"));
    EXPECT_FALSE(IsRunningInstanceTitle("Tarnwick3.2", "Tarnwick3.1"));
    EXPECT_FALSE(IsRunningInstanceTitle(" Tarnwick3.1", "Tarnwick3.1"));
}

}  // namespace
}  // namespace tarnwick
