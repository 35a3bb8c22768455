// sgrdClient: the terminal grid. A virtual report list view that asks the terminal table for
// the texts of the rows it paints, so a change costs the same with ten rows or ten thousand.
// The column header is the grid's fixed row 0.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "common/owned_win.h"
#include "terminals/terminal_table.h"

namespace tarnwick {

class ClientGrid {
  public:
    static constexpr int kRowHeight = 15;

    explicit ClientGrid(TerminalTable& table) : table_(table) {}
    ~ClientGrid();
    ClientGrid(const ClientGrid&) = delete;
    ClientGrid& operator=(const ClientGrid&) = delete;

    void Create(HWND parent, int id);
    HWND Handle() const { return hwnd_; }
    // Header texts, column widths and the empty row.
    void SetUp();
    // Shows what the table changed; on the window's thread.
    void Refresh(const TableChanges& changes);
    // Supplies the text of a cell being painted.
    bool HandleNotify(NMHDR* header);

  private:
    void SetRowHeight();
    void ShowCurrentRow(int row);

    TerminalTable& table_;
    HWND hwnd_ = nullptr;
    // Sizes the rows; the grid shares it (LVS_SHAREIMAGELISTS), so this is its only owner.
    ImageListHandle rowHeight_;
};

}  // namespace tarnwick
