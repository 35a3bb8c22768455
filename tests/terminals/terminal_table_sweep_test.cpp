// The terminal table over time: the sweep, the notices to the view, failures that change
// nothing, and readers and writers under the one lock.
#include "terminals/terminal_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <new>
#include <thread>

#include "support/failing_allocation.h"
#include "support/known_entries.h"
#include "terminal_table_fixture.h"

namespace tarnwick {
namespace {

using namespace testing;

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

// The check time is read back from its text across day, year and leap-day boundaries: 2000 had
// a 29 February, 2100 has none.
TEST_F(TerminalTableTest, SweepReadsCheckTimesBackAcrossDatesAndLeapDays) {
    const struct {
        CivilTime login, at299, at300;
    } cases[] = {
        {{2026, 12, 31, 23, 58, 0}, {2027, 1, 1, 0, 2, 59}, {2027, 1, 1, 0, 3, 0}},
        {{2000, 2, 28, 23, 58, 0}, {2000, 2, 29, 0, 2, 59}, {2000, 2, 29, 0, 3, 0}},
        {{2000, 2, 29, 23, 58, 0}, {2000, 3, 1, 0, 2, 59}, {2000, 3, 1, 0, 3, 0}},
        {{2100, 2, 28, 23, 58, 0}, {2100, 3, 1, 0, 2, 59}, {2100, 3, 1, 0, 3, 0}},
        {{2024, 2, 29, 23, 58, 0}, {2024, 3, 1, 0, 2, 59}, {2024, 3, 1, 0, 3, 0}},
    };
    for (const auto& c : cases) {
        clock.Set(c.login);
        table.ClientLogin("01", "10.0.0.1");
        clock.Set(c.at299);
        table.Sweep();
        EXPECT_EQ(Rows().size(), 1u) << StampText(c.login);
        clock.Set(c.at300);
        table.Sweep();
        EXPECT_EQ(Rows(), std::vector<Row>{kEmpty}) << StampText(c.login);
    }
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

TEST_F(TerminalTableTest, AfterACrowdLeavesTheRestAreStillFoundByLoginAndLogout) {
    // 900 of 1,000 leave, and the table gives their room back.
    for (int i = 0; i < 1000; ++i)
        table.ClientLogin("01", "10.0." + std::to_string(i / 256) + "." + std::to_string(i % 256));
    At(10, 4, 0);
    for (int i = 900; i < 1000; ++i)
        table.ClientLogin("01", "10.0." + std::to_string(i / 256) + "." + std::to_string(i % 256));
    At(10, 5, 0);
    table.Sweep();
    ASSERT_EQ(Count(), 100u);
    table.ClientLogin("01", "10.0.3.231");  // one of those left: refreshed, not added
    table.ClientLogout("01", "10.0.3.200");
    EXPECT_EQ(Count(), 99u);
    EXPECT_EQ(Rows()[0], (Row{"01-Ledger", "10.0.3.132", kT0, "2026-12-09 10:04:00"}));
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

// A removal by the sweep may take a row above the one it looked at (the first row from the top
// with that code part and address), so the rows it has still to visit move up under it.
TEST_F(TerminalTableTest, SweepRemovalsAboveMoveUpTheRowsStillToVisit) {
    table.SyncKnownProducts({"01-Ledger", "02-Stock"});
    table.ClientLogin("02", "10.0.0.9");
    table.ClientLogin("01", "10.0.0.1");  // 01-Ledger
    table.SyncKnownProducts({"01-General", "02-Stock"});
    table.ClientLogin("01", "10.0.0.1");  // 01-General, same code part and address
    At(10, 4, 0);
    table.SyncKnownProducts({"01-Ledger", "02-Stock"});
    table.ClientLogin("01", "10.0.0.1");  // refreshes 01-Ledger only
    table.ClientLogin("02", "10.0.0.9");
    At(10, 5, 0);
    table.Sweep();
    // 01-General is due; its LOGOUT takes the fresh 01-Ledger above it, and the pass then finds
    // 01-General one row up and removes it too.
    EXPECT_EQ(Rows(), (std::vector<Row>{{"02-Stock", "10.0.0.9", kT0, "2026-12-09 10:04:00"}}));
    EXPECT_EQ(Count(), 1u);
}

// Every allocation of a filling LOGIN fails in turn: each time the terminal is listed whole or
// not at all, and the table goes on working.
TEST_F(TerminalTableTest, AFailedLoginChangesNothing) {
    table.ClientLogin("01", "10.0.0.1");
    int failures = 0;
    for (int n = 1;; ++n) {
        testing::FailAllocationOnThisThread(n);
        bool failed = false;
        try {
            table.ClientLogin("02", "10.0.0.2");
        } catch (const std::bad_alloc&) {
            failed = true;
        }
        testing::FailAllocationOnThisThread(0);
        if (!failed) break;
        ++failures;
        EXPECT_EQ(Rows().size(), 1u) << n;
        EXPECT_EQ(Count(), 1u) << n;
        table.ClientLogout("02", "10.0.0.2");  // finds nothing half listed
        EXPECT_EQ(Rows().size(), 1u) << n;
        EXPECT_TRUE(table.ClientLogin("02", "10.0.0.2"));
        EXPECT_TRUE(table.ClientLogin("02", "10.0.0.2"));
        EXPECT_EQ(Rows().size(), 2u) << n;
        table.ClientLogout("02", "10.0.0.2");
        EXPECT_EQ(Rows().size(), 1u) << n;
    }
    EXPECT_GE(failures, 4);
    EXPECT_EQ(Rows().size(), 2u);
}

// Each reading gives the next second; the second reading first lets another LOGIN run, on a
// thread of its own, for as long as it can get through.
class SteppingClock final : public Clock {
  public:
    CivilTime Now() const override {
        const int n = readings_++;
        if (n == 1 && whileReading_) whileReading_();
        return {2026, 12, 9, 10, 0, n};
    }
    std::function<void()> whileReading_;

  private:
    mutable std::atomic<int> readings_{0};
};

TEST(TerminalTableLock, ALoginThatWaitedWritesTheTimeItRanAt) {
    SteppingClock clock;
    TerminalTable table(clock);
    table.SyncKnownProducts({"01-Ledger"});
    table.ClientLogin("01", "10.0.0.1");  // 10:00:00
    std::future<bool> other;
    clock.whileReading_ = [&] {
        other = std::async(std::launch::async, [&] { return table.ClientLogin("01", "10.0.0.1"); });
        // Held up by the lock, if the clock is read under it.
        other.wait_for(std::chrono::milliseconds(300));
    };
    table.ClientLogin("01", "10.0.0.1");
    other.get();
    // Whichever order the two ran in, the later one wrote the later time.
    EXPECT_EQ(table.Read([](const TableReader& r) { return std::string(r.Cell(0, 3)); }),
              "2026-12-09 10:00:02");
}

TEST_F(TerminalTableTest, AReaderSeesKnownProductsBeforeALoadOrAfterItNeverDuring) {
    std::promise<void> inside, go;
    std::vector<std::string> seen;
    std::thread reader([&] {
        table.Read([&](const TableReader& r) {
            inside.set_value();
            go.get_future().wait();
            seen = testing::KnownEntries(TestInside::Products(r));
        });
    });
    inside.get_future().wait();
    auto load = std::async(std::launch::async, [&] { table.SyncKnownProducts({"09-New"}); });
    EXPECT_EQ(load.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
    go.set_value();
    reader.join();
    load.get();
    EXPECT_EQ(seen, (std::vector<std::string>{"01-Ledger", "02-Stock", "01-Payroll", "NoDash"}));
    EXPECT_EQ(table.Read([](const TableReader& r) {
        return testing::KnownEntries(TestInside::Products(r));
    }),
              std::vector<std::string>{"09-New"});
}

}  // namespace
}  // namespace tarnwick
