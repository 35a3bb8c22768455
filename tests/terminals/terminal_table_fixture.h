// The terminal table's tests share this fixture: the table with four known products, a view
// that counts notices, and the rows as the grid shows them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "support/fake_clock.h"
#include "terminals/terminal_table.h"

namespace tarnwick::testing {

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

}  // namespace tarnwick::testing
