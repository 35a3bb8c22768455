// The terminal grid showing the terminal table, on a window of its own.
#include "app/client_grid_win.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/fake_clock.h"
#include "support/list_view_columns_win.h"
#include "support/notify_host_win.h"

namespace tarnwick {
namespace {

// Hosts the grid as the main window does; `meanwhile`, when set, runs before each notice, as a
// connection thread's LOGIN may.
class GridHost {
  public:
    GridHost(ClientGrid& grid, const std::function<void()>& meanwhile)
        : window_(900, 300, [&grid, &meanwhile](NMHDR* header) {
              if (meanwhile) meanwhile();
              return grid.HandleNotify(header);
          }) {
        grid.Create(window_.Handle(), 12);
        MoveWindow(grid.Handle(), 0, 0, 880, 260, FALSE);
        grid.SetUp();
    }

  private:
    testing::NotifyHost window_;
};

class ClientGridTest : public ::testing::Test {
  protected:
    ClientGridTest() { table.SyncKnownProducts({"0101-财务管理", "0102-进销存"}); }

    HWND List() const { return grid.Handle(); }
    std::string Text(int row, int column) const {
        char text[256] = {};
        ListView_GetItemText(List(), row, column, text, sizeof text);
        return text;
    }
    std::vector<int> Selected() const {
        std::vector<int> rows;
        for (int i = -1; (i = ListView_GetNextItem(List(), i, LVNI_SELECTED)) >= 0;)
            rows.push_back(i);
        return rows;
    }

    testing::FakeClock clock{{2026, 12, 9, 8, 30, 5}};
    TerminalTable table{clock};
    ClientGrid grid{table};
    std::function<void()> meanwhile;
    GridHost host{grid, meanwhile};
};

TEST_F(ClientGridTest, HasTheHeaderColumnsAndTheEmptyRow) {
    const char* headers[] = {"产品名称", "IP", "登录时间", "检测时间", ""};
    const int widths[] = {200, 150, 200, 200, 299};
    for (int i = 0; i < 5; ++i) {
        const testing::ListColumn column = testing::ReadListColumn(List(), i);
        ASSERT_TRUE(column.found);
        EXPECT_EQ(column.caption, headers[i]);
        EXPECT_EQ(column.width, widths[i]);
    }
    EXPECT_EQ(ListView_GetItemCount(List()), 1);
    EXPECT_EQ(Text(0, 0), "");
    const DWORD ex = ListView_GetExtendedListViewStyle(List());
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    const LONG style = GetWindowLongA(List(), GWL_STYLE);
    EXPECT_FALSE(style & LVS_SINGLESEL);  // ranges of rows can be selected
    EXPECT_FALSE(style & LVS_EDITLABELS);
}

TEST_F(ClientGridTest, RowsAreFifteenPixelsHigh) {
    table.ClientLogin("0101", "10.0.0.1");
    table.ClientLogin("0101", "10.0.0.2");
    grid.Refresh(table.TakeChanges());
    RECT first, second;
    ListView_GetItemRect(List(), 0, &first, LVIR_BOUNDS);
    ListView_GetItemRect(List(), 1, &second, LVIR_BOUNDS);
    EXPECT_EQ(second.top - first.top, ClientGrid::kRowHeight);
}

TEST_F(ClientGridTest, ShowsRowsAsTheTableHoldsThemAndHighlightsTheFilledRow) {
    table.ClientLogin("0101", "127.0.0.1");
    table.ClientLogin("0102", "127.0.0.2");
    grid.Refresh(table.TakeChanges());
    ASSERT_EQ(ListView_GetItemCount(List()), 2);
    EXPECT_EQ(Text(0, 0), "0101-财务管理");
    EXPECT_EQ(Text(0, 1), "127.0.0.1");
    EXPECT_EQ(Text(0, 2), "2026-12-09 08:30:05");
    EXPECT_EQ(Text(1, 0), "0102-进销存");
    EXPECT_EQ(Text(1, 4), "");
    EXPECT_EQ(Selected(), std::vector<int>{1});

    clock.Set({2026, 12, 9, 8, 31, 0});
    table.ClientLogin("0101", "127.0.0.1");  // a refresh keeps the current row
    grid.Refresh(table.TakeChanges());
    EXPECT_EQ(Text(0, 3), "2026-12-09 08:31:00");
    EXPECT_EQ(Selected(), std::vector<int>{1});

    table.ClientLogout("0101", "127.0.0.1");
    table.ClientLogout("0102", "127.0.0.2");
    grid.Refresh(table.TakeChanges());
    EXPECT_EQ(ListView_GetItemCount(List()), 1);
    EXPECT_EQ(Text(0, 0), "");
}

TEST_F(ClientGridTest, TenThousandRowsScrollTheNewRowIntoView) {
    for (int i = 0; i < 10000; ++i) {
        table.ClientLogin("0101",
                          "10.0." + std::to_string(i / 256) + "." + std::to_string(i % 256));
    }
    grid.Refresh(table.TakeChanges());
    EXPECT_EQ(ListView_GetItemCount(List()), 10000);
    EXPECT_EQ(Selected(), std::vector<int>{9999});
    const int top = ListView_GetTopIndex(List());
    EXPECT_LE(top, 9999);
    EXPECT_GE(top + ListView_GetCountPerPage(List()), 9999);
    EXPECT_EQ(Text(9999, 1), "10.0.39.15");
}

TEST_F(ClientGridTest, ShowsTheTablesCurrentRowAfterEveryRemoval) {
    for (const char* address : {"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4"})
        table.ClientLogin("0101", address);
    grid.Refresh(table.TakeChanges());
    ASSERT_EQ(Selected(), std::vector<int>{3});

    table.ClientLogout("0101", "10.0.0.4");  // the highlighted last row: the current row moves up
    grid.Refresh(table.TakeChanges());
    EXPECT_EQ(Selected(), std::vector<int>{2});

    ListView_SetItemState(List(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(List(), 2, 0, LVIS_SELECTED | LVIS_FOCUSED);  // the user chose row 0
    table.ClientLogout("0101", "10.0.0.2");
    grid.Refresh(table.TakeChanges());
    EXPECT_EQ(Selected(), std::vector<int>{0});

    clock.Set({2026, 12, 9, 8, 35, 5});  // the sweep removes both rows left
    table.Sweep();
    grid.Refresh(table.TakeChanges());
    EXPECT_EQ(ListView_GetItemCount(List()), 1);
    EXPECT_EQ(Selected(), std::vector<int>{0});
}

// The grid's own selection of the row it read is no choice of the user's: it must not undo the
// current row of a LOGIN that filled a row in the meantime.
TEST_F(ClientGridTest, TheLastRowFilledDuringRefreshesIsCurrent) {
    table.ClientLogin("0101", "10.0.0.1");
    int filled = 1;
    meanwhile = [&] {
        if (filled < 6) table.ClientLogin("0101", "10.0.0." + std::to_string(++filled));
    };
    for (int i = 0; i < 6; ++i)
        grid.Refresh(table.TakeChanges());
    meanwhile = nullptr;
    grid.Refresh(table.TakeChanges());
    EXPECT_EQ(Selected(), std::vector<int>{filled - 1});
}

TEST_F(ClientGridTest, OwnsTheImageListItShowsSoItIsDestroyedOnce) {
    HIMAGELIST images = ListView_GetImageList(List(), LVSIL_SMALL);
    ASSERT_NE(images, nullptr);
    DestroyWindow(List());  // as when the main window closes: the grid object lives on
    int width = 0, height = 0;
    EXPECT_TRUE(ImageList_GetIconSize(images, &width, &height));
}

}  // namespace
}  // namespace tarnwick
