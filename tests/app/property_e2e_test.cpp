// The property view of the running program: opened every way a user can, its lines read from
// outside, closed by its button and by its close box.
#include "program_fixture_win.h"
#include "products/property_dialog_win.h"

#include <commctrl.h>

namespace tarnwick::testing {
namespace {

enum class Way { kMenu, kToolBar, kPopup, kDoubleClick };
// A message posted to btnOk, or to the dialog itself, that closes it.
struct CloseBy {
    UINT message;
    WPARAM key;
    bool toOk;
};
constexpr CloseBy kByOk{BM_CLICK, 0, true}, kByCloseBox{WM_CLOSE, 0, false},
    kByEnter{WM_KEYDOWN, VK_RETURN, true}, kByEscape{WM_KEYDOWN, VK_ESCAPE, true};

class Property : public Program {
  protected:
    Property() {
        dir_.Write("PdtReg.ini",
                   "[product]\r\ncount=3\r\n[P1]\r\nProduct=0101-财务管理;3.1\r\nServer=DB1\r\n"
                   "Database=Finance\r\n[P2]\r\nProduct=0102-进销存;3.1\r\n"
                   "[P3]\r\nProduct=0103-人事：工资;2\r\nServer=S3\r\nDatabase=D3\r\n");
        WriteLoopbackSettings();  // no options dialog at the start
    }
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Start());
        list_ = FindChildById(window_, kProductListId);
        toolBar_ = FindChildByClass(window_, TOOLBARCLASSNAMEA);
    }
    bool PropertyEnabled() {
        DWORD_PTR enabled = 0;
        SendMessageTimeoutA(toolBar_, TB_ISBUTTONENABLED, MainCommand(MainAction::actFileProperty),
                            0, SMTO_ABORTIFHUNG, 3000, &enabled);
        return enabled != 0;
    }
    // A click on the row selects it and enables the command.
    void SelectRow(int row) {
        PostClick(list_, remote_->ListRowCentre(list_, row));
        ASSERT_TRUE(WaitUntil([&] { return PropertyEnabled(); }));
    }
    void Open(Way way, int row) {
        switch (way) {
            case Way::kMenu:
                return Command(MainAction::actFileProperty);
            case Way::kToolBar:
                return PostClick(toolBar_, remote_->ToolButtonCentre(
                                               toolBar_, MainCommand(MainAction::actFileProperty)));
            case Way::kPopup:
                return ChooseFromPopup(row);
            case Way::kDoubleClick:
                return PostClick(list_, remote_->ListRowCentre(list_, row), true);
        }
    }
    void ChooseFromPopup(int row) {
        POINT at = remote_->ListRowCentre(list_, row);
        ClientToScreen(list_, &at);
        PostMessageA(window_, WM_CONTEXTMENU, WPARAM(list_), MAKELPARAM(at.x, at.y));
        HWND menu = nullptr;
        ASSERT_TRUE(
            WaitUntil([&] { return (menu = FindProcessWindow(process_->Id(), "#32768")); }));
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
    HWND WaitForView() {
        HWND view = nullptr;
        WaitUntil([&] { return (view = FindProcessWindow(process_->Id(), kPdtPropertyClass)); });
        return view;
    }
    // Opens the view, reads its page and closes it with `closeBy`.
    std::string Lines(Way way, int row, CloseBy closeBy) {
        Open(way, row);
        const HWND view = WaitForView();
        if (!view) return "<no view>";
        EXPECT_EQ(WindowText(view), "属性");
        const std::string lines = WindowText(GetDlgItem(view, TfrmPdtProperty::kMemProperty));
        const HWND ok = GetDlgItem(view, TfrmPdtProperty::kBtnOk);
        PostMessageA(closeBy.toOk ? ok : view, closeBy.message, closeBy.key, 1);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(view); }));
        return lines;
    }

    HWND list_ = nullptr;
    HWND toolBar_ = nullptr;
};

// Each row opened one way, twice in a row (closed by OK, then by the close box, Enter on OK or
// Escape): the same lines both times, built from the column captions.
TEST_F(Property, ShowsTheSelectedProductOpenedEveryWay) {
    const struct {
        Way way;
        int row;
        const char* lines;
        CloseBy second;
    } cases[] = {
        {Way::kMenu, 0, "产品名称：0101-财务管理\r\n服务器：DB1\r\n数据库：Finance", kByCloseBox},
        {Way::kToolBar, 1, "产品名称：0102-进销存\r\n服务器：\r\n数据库：", kByEnter},
        {Way::kPopup, 2, "产品名称：0103-人事：工资\r\n服务器：S3\r\n数据库：D3", kByEscape},
        {Way::kDoubleClick, 0, "产品名称：0101-财务管理\r\n服务器：DB1\r\n数据库：Finance",
         kByCloseBox},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.way));
        ASSERT_NO_FATAL_FAILURE(SelectRow(c.row));
        EXPECT_EQ(Lines(c.way, c.row, kByOk), c.lines);
        EXPECT_EQ(Lines(c.way, c.row, c.second), c.lines);
    }
    EXPECT_TRUE(NoMessage());
}

TEST_F(Property, WithoutASelectedRowThePageIsEmptyAndNothingIsSaid) {
    ASSERT_NO_FATAL_FAILURE(SelectRow(1));
    remote_->ClearListSelection(list_);
    EXPECT_EQ(Lines(Way::kMenu, 0, kByOk), "");
    EXPECT_TRUE(NoMessage());
}

TEST_F(Property, HasItsLayoutAndTheListenerServesWhileItIsOpen) {
    ASSERT_TRUE(PanelBecomes(2, "状态：运行"));
    Command(MainAction::actFileProperty);  // disabled: no row was clicked
    EXPECT_EQ(FindProcessWindow(process_->Id(), kPdtPropertyClass), nullptr);
    ASSERT_NO_FATAL_FAILURE(SelectRow(0));
    Command(MainAction::actFileProperty);
    const HWND view = WaitForView();
    ASSERT_TRUE(view);
    RECT client;
    GetClientRect(view, &client);
    EXPECT_EQ(client.right, 368);
    EXPECT_EQ(client.bottom, 388);
    const LONG style = GetWindowLongA(view, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    const struct {
        int id;
        RECT at;  // in the client area of the dialog
    } controls[] = {{TfrmPdtProperty::kPagProperty, {12, 8, 12 + 345, 8 + 337}},
                    {TfrmPdtProperty::kBtnOk, {282, 354, 282 + 75, 354 + 25}}};
    for (const auto& c : controls) {
        RECT r;
        GetWindowRect(GetDlgItem(view, c.id), &r);
        MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(EqualRect(&r, &c.at)) << c.id;
    }
    const HWND memo = GetDlgItem(view, TfrmPdtProperty::kMemProperty);
    RECT memoRect;
    GetWindowRect(memo, &memoRect);
    EXPECT_EQ(memoRect.right - memoRect.left, 329);
    EXPECT_EQ(memoRect.bottom - memoRect.top, 301);
    EXPECT_TRUE(GetWindowLongA(memo, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(WindowText(GetDlgItem(view, TfrmPdtProperty::kBtnOk)), "确认(&O)");

    // The listener goes on serving while the dialog is open.
    EXPECT_EQ(Terminal(port_).Ask("LOGIN:0101;1\n", 3), "1\r\n");
    EXPECT_TRUE(PanelBecomes(4, "终端数：1"));
    PostMessageA(view, WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace tarnwick::testing
