// sgrdClient: the terminal grid. A virtual report list view that asks the terminal table for
// the texts of the rows it paints, so a change costs the same with ten rows or ten thousand.
// The column header is the grid's fixed row 0.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

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
    // Rows as high, and columns as wide as the user left them, at `dpi` instead of `oldDpi`.
    void SetDpi(int dpi, int oldDpi);
    // Shows what the table changed; on the window's thread. Returns the terminal count the rows
    // were sized from, so what shows it beside the grid agrees with the grid.
    size_t Refresh(const TableChanges& changes);
    // Supplies the text of a cell being painted.
    bool HandleNotify(NMHDR* header);

  private:
    void SetRowHeight(int dpi);
    void ShowCurrentRow(int row);
    // Copies the rows about to be painted under one take of the table's lock, rather than one
    // take per cell: connection threads then meet the window's thread at the lock far less often.
    void CacheRows(int from, int to);
    void SupplyText(LVITEMW& item);

    TerminalTable& table_;
    HWND hwnd_ = nullptr;
    // Set while the grid itself changes the rows or the selection, whose notices are then no
    // choice of the user's: taken for one, they would undo a current row that a LOGIN made
    // meanwhile. The window's thread only.
    bool updating_ = false;
    // The texts of rows cacheFrom_.. as the table held them at the last hint; dropped with every
    // change the grid is told of.
    size_t cacheFrom_ = 0;
    std::vector<std::array<std::string, 4>> cache_;
    // Sizes the rows; the grid shares it (LVS_SHAREIMAGELISTS), so this is its only owner.
    ImageListHandle rowHeight_;
};

}  // namespace tarnwick
