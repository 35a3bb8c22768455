// The terminal table: LOGIN and LOGOUT, rows, the current row and the count.
#include "terminals/terminal_table.h"

#include <gtest/gtest.h>

#include "terminal_table_fixture.h"

namespace tarnwick {
namespace {

using namespace testing;

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

}  // namespace
}  // namespace tarnwick
