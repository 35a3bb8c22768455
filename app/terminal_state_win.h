// What the connection threads reach through the terminal table: the table with KnownProducts,
// and the notice that tells the main window of a change. The main window owns it; when the
// program ends while connection threads still run, it is left to them until the process ends.
#pragma once

#include <windows.h>

#include <atomic>

#include "common/stamp.h"
#include "terminals/terminal_table.h"

namespace tarnwick {

// Posts the table's notice to a window until cut off. Any thread may call TableChanged; only the
// window's thread attaches and cuts.
class TableNotice final : public TableView {
  public:
    void Attach(HWND window, UINT message) {
        message_ = message;
        window_ = window;
    }
    // After this no notice reaches the window, whatever thread is still changing the table.
    void Cut() { window_ = nullptr; }
    // Never waits for the window's thread. False when the notice went nowhere.
    bool TableChanged() override {
        const HWND window = window_.load();
        return window && PostMessageA(window, message_, 0, 0);
    }

  private:
    std::atomic<UINT> message_{0};
    std::atomic<HWND> window_{nullptr};
};

struct TerminalState {
    explicit TerminalState(const Clock& clock) : table(clock) { table.SetView(&notice); }
    TableNotice notice;
    TerminalTable table;  // holds KnownProducts too, under one lock
};

}  // namespace tarnwick
