// The product list on a window of its own: rows from the product file, columns, view styles,
// and what left clicks, double clicks and the keyboard do to the property command.
#include "products/product_list_win.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/dialog_answerer.h"
#include "common/bitmap_canvas_win.h"
#include "support/list_view_columns_win.h"
#include "support/notify_host_win.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::DialogAnswerer;
using testing::TempFolder;
using Captions = std::vector<std::string>;

// A plain top-level window that hands the list's notifications back to it.
class ListHost {
  public:
    ListHost(ProductList& list, ProductListHost seams)
        : window_(520, 360, [&list](NMHDR* header) { return list.HandleNotify(header); }) {
        list.Create(window_.Handle(), 11, std::move(seams));
        MoveWindow(list.Handle(), 0, 0, 500, 320, FALSE);
        ShowWindow(window_.Handle(), SW_SHOW);
        UpdateWindow(window_.Handle());
    }

  private:
    testing::NotifyHost window_;
};

// Dispatches what is queued, the list's own loops included, until the queue stays empty.
void Pump() {
    for (int idle = 0; idle < 3;) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            idle = 0;
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            ++idle;
        }
    }
}

// The colour at (x, y) of image 0 drawn transparently on white.
COLORREF PixelOnWhite(HIMAGELIST images, int size, int x, int y) {
    BitmapCanvas canvas(size, size, RGB(255, 255, 255));
    ImageList_Draw(images, 0, canvas.Dc(), 0, 0, ILD_TRANSPARENT);
    return GetPixel(canvas.Dc(), x, y);
}

std::string Entry(int number, std::string_view product, std::string_view server,
                  std::string_view database) {
    return "[P" + std::to_string(number) + "]\r\nProduct=" + std::string(product) +
           "\r\nServer=" + std::string(server) + "\r\nDatabase=" + std::string(database) + "\r\n";
}

const std::string kThreeProducts =
    "[product]\r\ncount=3\r\n" + Entry(1, "0101-财务管理;3.1", "srv1", "ledger") +
    Entry(2, "0102-进销存;2.0", "srv2", "stock") + Entry(3, "0103-人事;1.0", "srv3", "staff");

class ProductListTest : public ::testing::Test {
  protected:
    ProductListHost Seams() {
        return {property, [this](const Captions& c) { synced.push_back(c); },
                [this](const std::string& text) { countText = text; }};
    }
    std::string Write(std::string_view text) {
        return folder.Write("PdtReg" + std::to_string(++files) + ".ini", text);
    }
    void Load(std::string_view text) { list.LoadProducts(ProfileFile(Write(text))); }

    HWND List() const { return list.Handle(); }
    int RowCount() const { return ListView_GetItemCount(List()); }
    std::string Text(int row, int column) const {
        char text[4096] = {};
        ListView_GetItemText(List(), row, column, text, sizeof text);
        return text;
    }
    std::vector<std::vector<std::string>> Cells() const {
        std::vector<std::vector<std::string>> cells;
        for (int r = 0; r < RowCount(); ++r)
            cells.push_back({Text(r, 0), Text(r, 1), Text(r, 2)});
        return cells;
    }
    int Selected() const { return ListView_GetNextItem(List(), -1, LVNI_SELECTED); }

    POINT RowPoint(int row) const {
        RECT r{};
        r.left = LVIR_LABEL;
        SendMessageA(List(), LVM_GETITEMRECT, WPARAM(row), LPARAM(&r));
        return {r.left + 5, (r.top + r.bottom) / 2};
    }
    POINT EmptyPoint() const {
        RECT client;
        GetClientRect(List(), &client);
        return {client.right - 20, client.bottom - 20};
    }
    void Post(UINT message, WPARAM keys, POINT at) {
        PostMessageA(List(), message, keys, MAKELPARAM(at.x, at.y));
    }
    void Click(POINT at) {
        Post(WM_LBUTTONDOWN, MK_LBUTTON, at);
        Post(WM_LBUTTONUP, 0, at);
        Pump();
    }
    void DoubleClick(POINT at) {
        Post(WM_LBUTTONDOWN, MK_LBUTTON, at);
        Post(WM_LBUTTONUP, 0, at);
        Post(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        Post(WM_LBUTTONUP, 0, at);
        Pump();
    }
    void Key(WPARAM key) {
        PostMessageA(List(), WM_KEYDOWN, key, 1);
        PostMessageA(List(), WM_KEYUP, key, 0xC0000001);
        Pump();
    }

    TempFolder folder;
    int files = 0;
    ActionList actions;
    int opened = 0;
    Action* property = &actions.Add({"actFileProperty", "File", "属性(&P)...", -1, 0, false},
                                    [this] { ++opened; });
    std::vector<Captions> synced;
    std::string countText = "产品数：0";
    ProductCatalog products;
    ProductList list{products};
    ListHost host{list, Seams()};
};

TEST_F(ProductListTest, HasTheThreeColumnsInTheReportView) {
    const char* captions[] = {"产品名称", "服务器", "数据库"};
    const int widths[] = {200, 100, 100};
    for (int i = 0; i < 3; ++i) {
        const testing::ListColumn column = testing::ReadListColumn(List(), i);
        ASSERT_TRUE(column.found);
        EXPECT_EQ(column.caption, captions[i]);
        EXPECT_EQ(column.width, widths[i]);
    }
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(List())), 3);
    EXPECT_EQ(DWORD(GetWindowLongPtrA(List(), GWL_STYLE)) & LVS_TYPEMASK, DWORD(LVS_REPORT));
    EXPECT_EQ(RowCount(), 0);
}

TEST_F(ProductListTest, IsSingleSelectionNeverSortedAndNotEditable) {
    const DWORD style = DWORD(GetWindowLongPtrA(List(), GWL_STYLE));
    EXPECT_EQ(style & LVS_TYPEMASK, DWORD(LVS_REPORT));
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_FALSE(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING));
    EXPECT_FALSE(style & LVS_EDITLABELS);
    const DWORD ex = ListView_GetExtendedListViewStyle(List());
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
}

TEST_F(ProductListTest, HasLargeAndSmallProductImages) {
    const struct { int which, size; } lists[] = {{LVSIL_NORMAL, 24}, {LVSIL_SMALL, 16}};
    for (const auto& l : lists) {
        HIMAGELIST images = ListView_GetImageList(List(), l.which);
        ASSERT_TRUE(images);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        EXPECT_EQ(cx, l.size);
        EXPECT_EQ(cy, l.size);
        EXPECT_EQ(ImageList_GetImageCount(images), 1);
        // Drawn on white: the corner shows through the mask, the middle is the carton.
        EXPECT_EQ(PixelOnWhite(images, l.size, 0, l.size - 1), RGB(255, 255, 255));
        EXPECT_NE(PixelOnWhite(images, l.size, l.size / 2, l.size / 2), RGB(255, 255, 255));
    }
}

TEST_F(ProductListTest, LoadShowsTheRowsInEntryOrderWithImageZero) {
    Load(kThreeProducts);
    EXPECT_EQ(Cells(), (std::vector<std::vector<std::string>>{{"0101-财务管理", "srv1", "ledger"},
                                                              {"0102-进销存", "srv2", "stock"},
                                                              {"0103-人事", "srv3", "staff"}}));
    for (int row = 0; row < 3; ++row) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        ASSERT_TRUE(SendMessageA(List(), LVM_GETITEMA, 0, LPARAM(&item)));
        EXPECT_EQ(item.iImage, 0);
    }
    EXPECT_EQ(countText, "产品数：3");
    EXPECT_EQ(synced, (std::vector<Captions>{{"0101-财务管理", "0102-进销存", "0103-人事"}}));
}

TEST_F(ProductListTest, ReloadEmptiesTheListFirst) {
    Load(kThreeProducts);
    Load("[product]\r\ncount=1\r\n" + Entry(1, "0104-工资;", "s", "d"));
    EXPECT_EQ(RowCount(), 1);
    EXPECT_EQ(Text(0, 0), "0104-工资");
    EXPECT_EQ(countText, "产品数：1");
    Load("");
    EXPECT_EQ(RowCount(), 0);
    EXPECT_EQ(countText, "产品数：0");
    ASSERT_EQ(synced.size(), 3u);
    EXPECT_TRUE(synced.back().empty());
}

// A file that cannot be read (here a folder of its name) fails before any row.
TEST_F(ProductListTest, AFailedLoadShowsTheErrorAndTheRowsReadSoFar) {
    Load("[product]\r\ncount=2\r\n" + Entry(1, "0104-工资;", "s", "d") +
         Entry(2, "0105-x;", "", ""));
    DialogAnswerer answerer(IDOK);
    std::filesystem::create_directory(folder.PathOf("unreadable.ini"));
    list.LoadProducts(ProfileFile(folder.PathOf("unreadable.ini")));
    const auto seen = answerer.Seen();
    EXPECT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "Tarnwick");
    EXPECT_EQ(seen.text, "读取产品信息失败。");
    EXPECT_TRUE(Cells().empty());
    EXPECT_EQ(synced.size(), 1u);       // only the load before
    EXPECT_EQ(countText, "产品数：2");  // as the load before left it
}

TEST_F(ProductListTest, EachViewStyleKeepsRowsAndColumns) {
    Load(kThreeProducts);
    const auto cells = Cells();
    const struct {
        ProductViewStyle style;
        DWORD type;
    } views[] = {{ProductViewStyle::kLargeIcon, LVS_ICON},
                 {ProductViewStyle::kSmallIcon, LVS_SMALLICON},
                 {ProductViewStyle::kList, LVS_LIST},
                 {ProductViewStyle::kReport, LVS_REPORT}};
    for (const auto& v : views) {
        list.SetViewStyle(v.style);
        Pump();
        EXPECT_EQ(DWORD(GetWindowLongPtrA(List(), GWL_STYLE)) & LVS_TYPEMASK, v.type);
        EXPECT_EQ(Cells(), cells);
        EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(List())), 3);
    }
}

TEST_F(ProductListTest, AClickOnARowEnablesAndOnEmptySpaceDisables) {
    Load(kThreeProducts);
    Click(RowPoint(1));
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(property->Enabled());
    Click(EmptyPoint());
    EXPECT_EQ(Selected(), -1);
    EXPECT_FALSE(property->Enabled());
    EXPECT_EQ(opened, 0);
}

TEST_F(ProductListTest, AClickOnAnEmptyListKeepsTheCommandDisabled) {
    Click(EmptyPoint());
    EXPECT_FALSE(property->Enabled());
}

TEST_F(ProductListTest, KeyboardSelectionLeavesTheCommandAsTheLastClickSetIt) {
    Load(kThreeProducts);
    Click(EmptyPoint());
    Key(VK_DOWN);
    ASSERT_NE(Selected(), -1);
    EXPECT_FALSE(property->Enabled());

    Click(RowPoint(0));
    ASSERT_TRUE(property->Enabled());
    Key(VK_DOWN);
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(property->Enabled());
}

TEST_F(ProductListTest, ARightClickChangesNothing) {
    Load(kThreeProducts);
    Post(WM_RBUTTONDOWN, MK_RBUTTON, RowPoint(0));
    Post(WM_RBUTTONUP, 0, RowPoint(0));
    Pump();
    EXPECT_FALSE(property->Enabled());
}

TEST_F(ProductListTest, ADoubleClickOnARowOpensThePropertyView) {
    Load(kThreeProducts);
    DoubleClick(RowPoint(2));
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(property->Enabled());
}

TEST_F(ProductListTest, ADoubleClickOnEmptySpaceOpensNothing) {
    Load(kThreeProducts);
    Click(RowPoint(0));
    ASSERT_TRUE(property->Enabled());
    DoubleClick(EmptyPoint());
    EXPECT_EQ(opened, 0);
    EXPECT_FALSE(property->Enabled());
}

// Values up to the profile's 2047 bytes reach the property view whole, a double-byte character
// across the 1024-byte mark included.
TEST_F(ProductListTest, TheSelectedRowIsReadWholeWhateverItsLength) {
    std::string doubleBytes = "s";
    while (doubleBytes.size() < 2047)
        doubleBytes += "服";
    for (const std::string& server :
         {std::string(1023, 's'), std::string(1024, 's'), doubleBytes}) {
        Load("[product]\r\ncount=1\r\n" + Entry(1, "0101-财务管理;3.1", server, "d"));
        Click(RowPoint(0));
        EXPECT_EQ(list.SelectedRowTexts(), (Captions{"0101-财务管理", server, "d"}));
    }
}

}  // namespace
}  // namespace tarnwick
