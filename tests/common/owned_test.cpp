#include "common/owned.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarnwick {
namespace {

std::vector<int> closed;
void Close(int handle) {
    closed.push_back(handle);
}
using Handle = Owned<int, Close>;

TEST(Owned, ClosesEachHandleExactlyOnce) {
    closed.clear();
    {
        Handle a(1), b(2), none;
        Handle moved(std::move(a));  // a gives up 1
        b = std::move(moved);        // b closes 2 and takes 1
        EXPECT_EQ(closed, std::vector<int>{2});
        none = std::move(none);  // moving onto itself keeps the handle
        Handle c(3);
        c = std::move(c);
        EXPECT_EQ(c.Get(), 3);
        EXPECT_EQ(Handle(4).Release(), 4);  // released: never closed
        b.Reset(5);
        EXPECT_FALSE(a);
        EXPECT_TRUE(b);
    }
    EXPECT_EQ(closed, (std::vector<int>{2, 1, 3, 5}));
}

}  // namespace
}  // namespace tarnwick
