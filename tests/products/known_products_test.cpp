#include "products/known_products.h"

#include <gtest/gtest.h>

#include "support/known_entries.h"

namespace tarnwick {
namespace {

using Captions = std::vector<std::string>;
using testing::KnownEntries;

TEST(KnownProducts, SyncKeepsOldOrderAndAppendsNewCaptions) {
    KnownProducts known;
    known.Sync({"A", "B", "C"});
    known.Sync({"C", "D", "A"});
    EXPECT_EQ(KnownEntries(known), (Captions{"A", "C", "D"}));
}

TEST(KnownProducts, SyncHoldsEachCaptionOnceAndMatchesExactly) {
    KnownProducts known;
    known.Sync({"01-Ledger", "01-Ledger", "01-ledger", "02-Stock"});
    EXPECT_EQ(KnownEntries(known), (Captions{"01-Ledger", "01-ledger", "02-Stock"}));
    known.Sync({});
    EXPECT_EQ(KnownEntries(known).size(), 0u);
}

TEST(KnownProducts, ResolvesTheFirstEntryWithTheCode) {
    KnownProducts known;
    known.Sync({"01-Ledger", "02-Stock", "01-Payroll", "NoDash", "03-"});
    EXPECT_EQ(*known.Resolve("01"), "01-Ledger");
    EXPECT_EQ(*known.Resolve("02"), "02-Stock");
    EXPECT_EQ(*known.Resolve(""), "NoDash");
    EXPECT_EQ(*known.Resolve("03"), "03-");
    EXPECT_EQ(known.Resolve("04"), nullptr);
    EXPECT_EQ(known.Resolve("01-Ledger"), nullptr);
}

TEST(KnownProducts, AnEmptyFirstEntryGivesNoCaption) {
    KnownProducts known;
    known.Sync({"", "Other"});
    EXPECT_EQ(known.Resolve(""), nullptr);
}

TEST(KnownProducts, ResolvesAfterASyncReordersTheEntries) {
    KnownProducts known;
    known.Sync({"01-B", "02-X"});
    known.Sync({"01-A", "02-X", "01-B"});
    EXPECT_EQ(*known.Resolve("01"), "01-B");  // kept ahead of the newly added 01-A
}

}  // namespace
}  // namespace tarnwick
