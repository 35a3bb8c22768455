// The main window in this process, right after its creation and driven through its commands.
#include <gtest/gtest.h>

#include <iterator>
#include <optional>

#include "main_window_fixture_win.h"
#include "program_fixture_win.h"
#include "support/inside_win.h"

namespace tarnwick {
namespace {

using enum MainAction;

TEST_F(MainWindowInProcess, ActionsFollowThePublishedOrder) {
    struct Expected {
        const char* name;
        const char* category;
        const char* caption;
        int image;
        UINT shortcut;
    };
    const Expected expected[] = {
        {"actFile", "File", "文件(&F)", -1, 0},
        {"actFileProperty", "File", "属性(&P)...", 5, 0},
        {"actFileExit", "File", "退出(&X)", 0, 0},
        {"actServer", "Server", "服务(&S)", -1, 0},
        {"actServerStart", "Server", "启动(&S)", -1, 0},
        {"actServerSnS", "Server", "停止并启动(&A)", -1, 0},
        {"actServerStop", "Server", "停止(&P)", -1, 0},
        {"actServerOption", "Server", "选项(&O)...", -1, 0},
        {"actView", "View", "视图(&V)", -1, 0},
        {"actViewTool", "View", "工具条(&T)", -1, 0},
        {"actViewStatus", "View", "状态条(&S)", -1, 0},
        {"actViewLargeIcon", "View", "大图标(&L)", -1, 0},
        {"actViewSmallIcon", "View", "小图标(&S)", -1, 0},
        {"actViewList", "View", "列表(&L)", -1, 0},
        {"actViewReport", "View", "详细资料(&D)", -1, 0},
        {"actHelp", "Help", "帮助(&H)", -1, 0},
        {"actHelpTopic", "Help", "帮助主题(&T)", 12, VK_F1},
        {"actHelpAbout", "Help", "关于(&A)...", -1, 0},
    };
    // Name and category stay in the table; the window's actions carry the rest.
    ASSERT_EQ(TestInsideWin::Actions(window).At(std::size(expected)), nullptr);
    ASSERT_EQ(std::size(kMainActions), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        ASSERT_NE(TestInsideWin::Actions(window).At(i), nullptr);
        const Action& action = *TestInsideWin::Actions(window).At(i);
        EXPECT_STREQ(kMainActions[i].name, expected[i].name);
        EXPECT_STREQ(kMainActions[i].category, expected[i].category) << expected[i].name;
        EXPECT_EQ(action.Caption(), expected[i].caption) << expected[i].name;
        EXPECT_EQ(action.Image(), expected[i].image) << expected[i].name;
        EXPECT_EQ(UINT(action.Shortcut()), expected[i].shortcut) << expected[i].name;
        EXPECT_EQ(MainCommand(MainAction(i)), 1000 + int(i));
    }
}

TEST_F(MainWindowInProcess, StartsWithTheCreationsStates) {
    EXPECT_TRUE(TestInsideWin::HideOnClose(window));
    EXPECT_FALSE(MenuEnabled(actFileProperty));
    EXPECT_TRUE(MenuEnabled(actFileExit));
    EXPECT_TRUE(MenuEnabled(actServerStart));
    EXPECT_FALSE(MenuEnabled(actServerSnS));
    EXPECT_FALSE(MenuEnabled(actServerStop));
    EXPECT_TRUE(MenuEnabled(actServerOption));
    EXPECT_TRUE(MenuChecked(actViewTool));
    EXPECT_TRUE(MenuChecked(actViewStatus));
    EXPECT_TRUE(MenuChecked(actViewReport));
    EXPECT_FALSE(MenuChecked(actViewList));
    EXPECT_EQ(TabCtrl_GetCurSel(Child(WC_TABCONTROLA)), 0);
}

TEST_F(MainWindowInProcess, MenusHoldTheirItemsAndSeparatorsInPlace) {
    HMENU bar = GetMenu(Handle());
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    const char* titles[] = {"文件(&F)", "服务(&S)", "视图(&V)", "帮助(&H)"};
    constexpr std::optional<MainAction> kLine;  // a separator
    const std::vector<std::vector<std::optional<MainAction>>> items = {
        {actFileProperty, kLine, actFileExit},
        {actServerStart, actServerSnS, actServerStop, kLine, actServerOption},
        {actViewTool, actViewStatus, kLine, actViewLargeIcon, actViewSmallIcon, actViewList,
         actViewReport},
        {actHelpTopic, kLine, actHelpAbout}};
    for (int m = 0; m < 4; ++m) {
        char title[64] = {};
        GetMenuStringA(bar, UINT(m), title, sizeof title, MF_BYPOSITION);
        EXPECT_STREQ(title, titles[m]);
        HMENU menu = GetSubMenu(bar, m);
        ASSERT_EQ(GetMenuItemCount(menu), int(items[size_t(m)].size()));
        for (size_t i = 0; i < items[size_t(m)].size(); ++i) {
            const std::optional<MainAction> action = items[size_t(m)][i];
            const UINT id = GetMenuItemID(menu, int(i));
            if (!action) {
                EXPECT_TRUE(GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_SEPARATOR);
            } else {
                EXPECT_EQ(id, UINT(MainCommand(*action))) << m << "," << i;
            }
        }
    }
    char caption[64] = {};
    GetMenuStringA(bar, UINT(MainCommand(actServerSnS)), caption, sizeof caption, MF_BYCOMMAND);
    EXPECT_STREQ(caption, "停止并启动(&A)");
}

TEST_F(MainWindowInProcess, AMenuItemShowsItsActionsShortcut) {
    char caption[64] = {};
    GetMenuStringA(GetMenu(Handle()), UINT(MainCommand(actHelpTopic)), caption, sizeof caption,
                   MF_BYCOMMAND);
    EXPECT_STREQ(caption, "帮助主题(&T)\tF1");
}

TEST_F(MainWindowInProcess, TheToolBarShowsItsOwnCaptionsWithTheActionsState) {
    HWND bar = FindWindowExA(Child(REBARCLASSNAMEA), nullptr, TOOLBARCLASSNAMEA, nullptr);
    ASSERT_TRUE(bar);
    ASSERT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 3);
    const DWORD size = DWORD(SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0));
    EXPECT_EQ(LOWORD(size), 43);
    EXPECT_EQ(HIWORD(size), 35);
    char text[64] = {};
    SendMessageA(bar, TB_GETBUTTONTEXTA, MainCommand(actFileExit), LPARAM(text));
    EXPECT_STREQ(text, " 退出 ");
    SendMessageA(bar, TB_GETBUTTONTEXTA, MainCommand(actFileProperty), LPARAM(text));
    EXPECT_STREQ(text, "属性");
    EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONENABLED, MainCommand(actFileExit), 0));
    EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONENABLED, MainCommand(actFileProperty), 0));
    TBBUTTON separator{};
    SendMessageA(bar, TB_GETBUTTON, 1, LPARAM(&separator));
    EXPECT_TRUE(separator.fsStyle & BTNS_SEP);
}

TEST_F(MainWindowInProcess, ToolButtonsShowTheirHints) {
    const std::pair<MainAction, const char*> hints[] = {{actFileExit, "退出系统"},
                                                        {actFileProperty, "产品属性"}};
    for (const auto& [action, hint] : hints) {
        NMTTDISPINFOA info{};
        info.hdr.code = TTN_GETDISPINFOA;
        info.hdr.idFrom = UINT_PTR(MainCommand(action));
        SendMessageA(Handle(), WM_NOTIFY, 0, LPARAM(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_STREQ(info.lpszText, hint);
    }
}

TEST_F(MainWindowInProcess, CarriesTheProgramIconAtBothSizes) {
    EXPECT_NE(SendMessageA(Handle(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(Handle(), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(MainWindowInProcess, TheStatusBarHasSixPanels) {
    HWND bar = GetDlgItem(Handle(), kStatusBarId);
    RECT r;
    GetWindowRect(bar, &r);
    EXPECT_EQ(r.bottom - r.top, 21);
    int edges[8] = {};
    ASSERT_EQ(SendMessageA(bar, SB_GETPARTS, 8, LPARAM(edges)), 6);
    const int widths[] = {80, 300, 80, 80, 80, 50};
    for (int i = 0, left = 0; i < 6; left = edges[i++])
        EXPECT_EQ(edges[i] - left, widths[i]);
    EXPECT_EQ(StatusText(1), "Tarnwick");
    EXPECT_EQ(StatusText(2), "状态：停止");
    EXPECT_EQ(StatusText(3), "产品数：3");
    EXPECT_EQ(StatusText(4), "终端数：0");
    EXPECT_EQ(LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 0, 0)), 0);
    EXPECT_EQ(HIWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 0, 0)) & SBT_OWNERDRAW, SBT_OWNERDRAW);
}

// Moved to a monitor at 150 %, and back: the window takes the suggested rectangle, and its tool
// bar and columns follow the scaling.
TEST_F(MainWindowInProcess, AnotherScalingLaysTheWindowOutAgainAtTheSuggestedRectangle) {
    const struct {
        int dpi, button, buttonHeight, column;
    } cases[] = {{144, 65, 53, 300}, {96, 43, 35, 200}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const RECT suggested{10, 20, 10 + MulDiv(655, c.dpi, 96), 20 + MulDiv(454, c.dpi, 96)};
        SendMessageA(Handle(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi), LPARAM(&suggested));
        RECT frame;
        GetWindowRect(Handle(), &frame);
        EXPECT_TRUE(EqualRect(&frame, &suggested));
        const LRESULT button =
            SendMessageA(FindWindowExA(Child(REBARCLASSNAMEA), nullptr, TOOLBARCLASSNAMEA, nullptr),
                         TB_GETBUTTONSIZE, 0, 0);
        EXPECT_EQ(LOWORD(button), c.button);
        EXPECT_EQ(HIWORD(button), c.buttonHeight);
        EXPECT_EQ(ListView_GetColumnWidth(ProductList(), 0), c.column);
    }
}

TEST_F(MainWindowInProcess, TheViewTogglesHideAndShowTheBarsAndMoveTheMark) {
    HWND status = GetDlgItem(Handle(), kStatusBarId);
    HWND pages = Child(WC_TABCONTROLA);
    RECT before;
    GetWindowRect(pages, &before);
    Command(actViewStatus);
    EXPECT_FALSE(MenuChecked(actViewStatus));
    EXPECT_FALSE(GetWindowLongA(status, GWL_STYLE) & WS_VISIBLE);
    RECT after;
    GetWindowRect(pages, &after);
    EXPECT_GT(after.bottom, before.bottom);  // the pages grow into the space
    Command(actViewStatus);
    EXPECT_TRUE(MenuChecked(actViewStatus));
    EXPECT_TRUE(GetWindowLongA(status, GWL_STYLE) & WS_VISIBLE);

    HWND coolBar = Child(REBARCLASSNAMEA);
    Command(actViewTool);
    EXPECT_FALSE(MenuChecked(actViewTool));
    EXPECT_FALSE(GetWindowLongA(coolBar, GWL_STYLE) & WS_VISIBLE);
    Command(actViewTool);
    EXPECT_TRUE(GetWindowLongA(coolBar, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(MainWindowInProcess, LoadsTheProductsAtCreation) {
    ASSERT_EQ(ListView_GetItemCount(ProductList()), 3);
    char text[64] = {};
    ListView_GetItemText(ProductList(), 2, 0, text, sizeof text);
    EXPECT_STREQ(text, "0201-人事工资");
    ListView_GetItemText(ProductList(), 0, 1, text, sizeof text);
    EXPECT_STREQ(text, "S1");
    // The product page is the one shown; the window itself is not shown yet.
    EXPECT_TRUE(GetWindowLongA(ProductList(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(Handle(), kClientGridId), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(MainWindowInProcess, TheViewStyleActionsMoveTheRadioMarkAndKeepTheRows) {
    const std::pair<MainAction, DWORD> styles[] = {{actViewLargeIcon, LVS_ICON},
                                                   {actViewSmallIcon, LVS_SMALLICON},
                                                   {actViewList, LVS_LIST},
                                                   {actViewReport, LVS_REPORT}};
    for (const auto& [action, style] : styles) {
        Command(action);
        EXPECT_EQ(GetWindowLongA(ProductList(), GWL_STYLE) & LVS_TYPEMASK, style) << int(action);
        int marks = 0;
        for (const auto& other : styles)
            marks += MenuChecked(other.first);
        EXPECT_EQ(marks, 1);
        EXPECT_TRUE(MenuChecked(action));
        EXPECT_EQ(ListView_GetItemCount(ProductList()), 3);
    }
}

TEST_F(MainWindowInProcess, TheMenuTitlesActionsDoNothing) {
    for (auto title : {actFile, actServer, actView, actHelp})
        Command(title);
    EXPECT_TRUE(IsWindow(Handle()));
    EXPECT_EQ(StatusText(2), "状态：停止");
}

// The end does not wait for the object to go: once the window is destroyed, whatever destroyed
// it, the listener is closed and its connections ended.
TEST_F(MainWindowInProcess, DestroyingTheWindowClosesTheListenerAtOnce) {
    const std::uint16_t port = testing::FreePort();
    dir.Write("main.ini", "[server]\r\nhost=127.0.0.1\r\nip=" + std::to_string(port) + "\r\n");
    Command(actServerStart);
    ASSERT_EQ(StatusText(2), "状态：运行");
    testing::Terminal terminal(port);
    ASSERT_EQ(terminal.Ask("LOGIN:0101;1\n", 3), "1\r\n");
    DestroyWindow(Handle());
    EXPECT_EQ(terminal.Ask("LOGIN:0101;1\n", 3), "");
    EXPECT_FALSE(testing::Terminal(port).Connected());
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace tarnwick
