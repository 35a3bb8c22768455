// The host box's list: the resolver's addresses with the loopback address on top.
#include "terminals/server_settings.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using Texts = std::vector<std::string>;

TEST(HostChoices, PutsTheLoopbackAddressOnTopUnlessItIsFirst) {
    const struct {
        Texts resolved;
        Texts offered;
    } cases[] = {
        {{}, {"127.0.0.1"}},
        {{"127.0.0.1"}, {"127.0.0.1"}},
        {{"192.0.2.2"}, {"127.0.0.1", "192.0.2.2"}},
        {{"192.0.2.2", "10.0.0.5"}, {"127.0.0.1", "192.0.2.2", "10.0.0.5"}},
        {{"127.0.0.1", "192.0.2.2"}, {"127.0.0.1", "192.0.2.2"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HostChoices(c.resolved), c.offered);
}

TEST(HostChoices, ComparesOnlyTheFirstEntryAndExactly) {
    EXPECT_EQ(HostChoices({"192.0.2.2", "127.0.0.1"}),
              (Texts{"127.0.0.1", "192.0.2.2", "127.0.0.1"}));
    EXPECT_EQ(HostChoices({"127.0.0.01"}), (Texts{"127.0.0.1", "127.0.0.01"}));
    EXPECT_EQ(HostChoices({"127.0.1.1"}), (Texts{"127.0.0.1", "127.0.1.1"}));
}

}  // namespace
}  // namespace tarnwick
