#include "terminals/terminal_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>

#include "support/fake_clock.h"

namespace tarnwick {
namespace {

using testing::FakeClock;

struct CountingView final : TableView {
    bool TableChanged() override {
        ++notices;
        return delivers;
    }
    std::atomic<int> notices{0};
    std::atomic<bool> delivers{true};  // false: every post fails, as with a full queue
};

using Row = std::vector<std::string>;

class TerminalTableTest : public ::testing::Test {
  protected:
    TerminalTableTest() {
        table.SetView(&view);
        table.SyncKnownProducts({"01-Ledger", "02-Stock", "01-Payroll", "NoDash"});
    }

    std::vector<Row> Rows() const {
        return table.Read([](const TableReader& r) {
            std::vector<Row> rows;
            // As the grid shows them: the empty row when no terminal is present.
            for (size_t i = 0; i < std::max<size_t>(r.TerminalCount(), 1); ++i) {
                rows.push_back({std::string(r.Cell(i, 0)), std::string(r.Cell(i, 1)),
                                std::string(r.Cell(i, 2)), std::string(r.Cell(i, 3))});
            }
            return rows;
        });
    }
    size_t Count() const {
        return table.Read([](const TableReader& r) { return r.TerminalCount(); });
    }
    size_t Current() const {
        return table.Read([](const TableReader& r) { return r.CurrentRow(); });
    }
    void At(int hour, int minute, int second) { clock.Set({2026, 12, 9, hour, minute, second}); }

    FakeClock clock{{2026, 12, 9, 10, 0, 0}};
    CountingView view;
    TerminalTable table{clock};
};

const Row kEmpty{"", "", "", ""};
const char* const kT0 = "2026-12-09 10:00:00";

TEST_F(TerminalTableTest, StartsWithTheEmptyRowAndCountZero) {
    EXPECT_EQ(Rows(), std::vector<Row>{kEmpty});
    EXPECT_EQ(Count(), 0u);
    EXPECT_EQ(Current(), 0u);
}

TEST_F(TerminalTableTest, FirstLoginFillsTheEmptyRow) {
    EXPECT_TRUE(table.ClientLogin("01", "10.0.0.1"));
    EXPECT_EQ(Rows(), (std::vector<Row>{{"01-Ledger", "10.0.0.1", kT0, kT0}}));
    EXPECT_EQ(Count(), 1u);
    EXPECT_TRUE(table.TakeChanges().count);
}

TEST_F(TerminalTableTest, SecondAddressAddsARowThatBecomesCurrent) {
    table.ClientLogin("01", "10.0.0.1");
    table.ClientLogin("02", "10.0.0.9");
    table.ClientLogin("01", "10.0.0.2");
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(Rows()[2][1], "10.0.0.2");
    EXPECT_EQ(Current(), 2u);
    EXPECT_EQ(Count(), 3u);
}

TEST_F(TerminalTableTest, RepeatedLoginRefreshesOnlyTheCheckTime) {
    table.ClientLogin("01", "10.0.0.1");
    table.ClientLogin("02", "10.0.0.2");
    table.TakeChanges();
    At(10, 3, 0);
    EXPECT_TRUE(table.ClientLogin("01", "10.0.0.1"));
    EXPECT_EQ(Rows()[0], (Row{"01-Ledger", "10.0.0.1", kT0, "2026-12-09 10:03:00"}));
    EXPECT_EQ(Current(), 1u);
    const TableChanges changes = table.TakeChanges();
    EXPECT_TRUE(changes.rows);
    EXPECT_FALSE(changes.count);
    EXPECT_FALSE(changes.currentRow);
}

TEST_F(TerminalTableTest, OneAddressMayBeListedOncePerProduct) {
    table.ClientLogin("01", "10.0.0.1");
    table.ClientLogin("02", "10.0.0.1");
    EXPECT_EQ(Rows()[0][0], "01-Ledger");
    EXPECT_EQ(Rows()[1][0], "02-Stock");
    EXPECT_EQ(Count(), 2u);
}

TEST_F(TerminalTableTest, UnknownCodesAndAnEmptyListChangeNothing) {
    EXPECT_FALSE(table.ClientLogin("99", "10.0.0.1"));
    EXPECT_FALSE(table.ClientLogin("ledger", "10.0.0.1"));
    EXPECT_FALSE(table.ClientLogin("01-Ledger", "10.0.0.1"));
    EXPECT_EQ(view.notices, 0);
    table.SyncKnownProducts({});
    EXPECT_FALSE(table.ClientLogin("01", "10.0.0.1"));
    EXPECT_EQ(Rows(), std::vector<Row>{kEmpty});
    EXPECT_FALSE(table.TakeChanges().count);
}

TEST_F(TerminalTableTest, SharedCodeListsUnderTheEarlierEntry) {
    table.ClientLogin("01", "10.0.0.1");
    EXPECT_EQ(Rows()[0][0], "01-Ledger");
}

TEST_F(TerminalTableTest, LogoutOfTheOnlyTerminalLeavesTheEmptyRow) {
    table.ClientLogin("01", "10.0.0.1");
    table.ClientLogout("01", "10.0.0.1");
    EXPECT_EQ(Rows(), std::vector<Row>{kEmpty});
    EXPECT_EQ(Count(), 0u);
    table.ClientLogin("02", "10.0.0.5");
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Current(), 0u);
}

TEST_F(TerminalTableTest, LogoutOfTheMiddleRowMovesTheRowsBelowUp) {
    table.ClientLogin("01", "10.0.0.1");
    table.ClientLogin("01", "10.0.0.2");
    table.ClientLogin("01", "10.0.0.3");
    table.ClientLogout("01", "10.0.0.2");
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][1], "10.0.0.1");
    EXPECT_EQ(rows[1][1], "10.0.0.3");
    EXPECT_EQ(Count(), 2u);
    EXPECT_EQ(Current(), 1u);  // was the last row: follows the shrinking grid
}

TEST_F(TerminalTableTest, LogoutMatchesTheCodePartWhateverTheName) {
    table.ClientLogin("02", "10.0.0.1");
    table.ClientLogout("02", "10.0.0.1");
    EXPECT_EQ(Rows(), std::vector<Row>{kEmpty});
}

TEST_F(TerminalTableTest, UnmatchedLogoutRewritesTheSameCount) {
    table.ClientLogin("01", "10.0.0.1");
    table.TakeChanges();
    table.ClientLogout("01", "10.0.0.2");
    table.ClientLogout("02", "10.0.0.1");
    table.ClientLogout("01;3", "10.0.0.1");
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Count(), 1u);
    EXPECT_TRUE(table.TakeChanges().count);
}

TEST_F(TerminalTableTest, ARowWithoutDashLeavesOnlyByAnEmptyCodeLogout) {
    table.ClientLogin("", "10.0.0.1");
    EXPECT_EQ(Rows()[0][0], "NoDash");
    At(11, 0, 0);
    table.Sweep();
    EXPECT_EQ(Rows()[0][0], "NoDash");
    table.ClientLogout("", "10.0.0.1");
    EXPECT_EQ(Rows(), std::vector<Row>{kEmpty});
}

TEST_F(TerminalTableTest, SweepRemovesAtThreeHundredSecondsNotBefore) {
    table.ClientLogin("01", "10.0.0.1");
    At(10, 0, 1);
    table.ClientLogin("01", "10.0.0.2");
    At(10, 5, 0);  // 300 s after the first, 299 s after the second
    table.Sweep();
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][1], "10.0.0.2");
    EXPECT_EQ(Count(), 1u);
    At(10, 5, 1);
    table.Sweep();
    EXPECT_EQ(Rows(), std::vector<Row>{kEmpty});
    EXPECT_EQ(Count(), 0u);
}

TEST_F(TerminalTableTest, SweepLeavesRowsWhenTheClockWasSetBack) {
    table.ClientLogin("01", "10.0.0.1");
    At(9, 0, 0);
    table.Sweep();
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Count(), 1u);
}

TEST_F(TerminalTableTest, SweepAcrossMidnightComparesWholeSeconds) {
    clock.Set({2026, 12, 31, 23, 58, 0});
    table.ClientLogin("01", "10.0.0.1");
    clock.Set({2027, 1, 1, 0, 2, 59});
    table.Sweep();
    EXPECT_EQ(Rows().size(), 1u);
    clock.Set({2027, 1, 1, 0, 3, 0});
    table.Sweep();
    EXPECT_EQ(Rows(), std::vector<Row>{kEmpty});
}

TEST_F(TerminalTableTest, SweepOverTheEmptyRowDoesNothing) {
    table.Sweep();
    EXPECT_EQ(view.notices, 0);
    EXPECT_EQ(Rows(), std::vector<Row>{kEmpty});
}

TEST_F(TerminalTableTest, SweepRemovesEveryExpiredRowAndKeepsTheOrderOfTheRest) {
    for (int i = 1; i <= 6; ++i) {
        At(10, 0, i);
        table.ClientLogin(i % 2 ? "01" : "02", "10.0.0." + std::to_string(i));
    }
    At(10, 2, 0);
    table.ClientLogin("01", "10.0.0.3");  // refreshed
    At(10, 5, 4);
    table.Sweep();
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][1], "10.0.0.3");
    EXPECT_EQ(rows[1][1], "10.0.0.5");
    EXPECT_EQ(rows[2][1], "10.0.0.6");
}

TEST_F(TerminalTableTest, StaleCaptionsLeaveThroughTheirCodePart) {
    // After a reload that puts a new 01 caption first, the old row still answers to its code.
    table.ClientLogin("01", "10.0.0.1");
    table.SyncKnownProducts({"01-General", "01-Ledger"});
    table.ClientLogin("01", "10.0.0.1");
    ASSERT_EQ(Rows().size(), 1u);  // 01-Ledger keeps its place ahead of the new caption
    table.SyncKnownProducts({"01-General"});
    table.ClientLogin("01", "10.0.0.1");
    EXPECT_EQ(Rows().size(), 2u);
    table.ClientLogout("01", "10.0.0.1");  // the first row from the top goes
    EXPECT_EQ(Rows()[0][0], "01-General");
}

TEST_F(TerminalTableTest, ABurstOfChangesPostsOneNotice) {
    for (int i = 0; i < 50; ++i)
        table.ClientLogin("01", "10.0.1." + std::to_string(i));
    table.ClientLogout("01", "10.0.1.7");
    EXPECT_EQ(view.notices, 1);
    const TableChanges changes = table.TakeChanges();
    EXPECT_TRUE(changes.rows && changes.count && changes.currentRow);
    table.ClientLogin("01", "10.0.1.8");
    EXPECT_EQ(view.notices, 2);
    EXPECT_FALSE(table.TakeChanges().count);
}

TEST_F(TerminalTableTest, EveryChangeAfterALostNoticeTellsTheViewAgain) {
    // Each post fails, as with a full message queue: no change may be left unannounced.
    view.delivers = false;
    const std::function<void()> changes[] = {
        [&] { table.ClientLogin("01", "10.0.2.1"); },   // fills
        [&] { table.ClientLogin("01", "10.0.2.1"); },   // refreshes
        [&] { table.ClientLogin("02", "10.0.2.2"); },   // fills a second row
        [&] { table.ClientLogout("01", "10.0.2.1"); },  // removes
        [&] {
            At(10, 5, 0);
            table.Sweep();  // removes the 02 row
        },
    };
    int expected = 0;
    for (const auto& change : changes) {
        change();
        EXPECT_EQ(view.notices, ++expected);
    }
    EXPECT_EQ(Rows(), std::vector<Row>{kEmpty});
    EXPECT_TRUE(table.TakeChanges().count);
}

TEST_F(TerminalTableTest, ProductsAreReadUnderTheSameLock) {
    const auto entries = table.Read([](const TableReader& r) { return r.Products().Entries(); });
    EXPECT_EQ(entries, (std::vector<std::string>{"01-Ledger", "02-Stock", "01-Payroll", "NoDash"}));
}

}  // namespace
}  // namespace tarnwick
