// The main window in this process: its popup menu, shortcut, dialogs, sweep timer and listener
// while its thread is busy.
#include <gtest/gtest.h>

#include <vector>

#include "common/message_box.h"
#include "main_window_fixture_win.h"
#include "support/dialog_answerer.h"
#include "support/form_driver_win.h"
#include "support/inside_win.h"
#include "support/loopback.h"
#include "support/popup_menu_win.h"
#include "terminals/set_option_dialog_win.h"

namespace tarnwick {
namespace {

using enum MainAction;
using testing::WatchPopupMenu;

class MainWindowBehaviour : public MainWindowInProcess {
  protected:
    POINT ScreenPoint(POINT inList) const {
        ClientToScreen(ProductList(), &inList);
        return inList;
    }
    testing::SeenPopup PopupAt(LPARAM at) {
        return WatchPopupMenu(
            [&] { SendMessageA(Handle(), WM_CONTEXTMENU, WPARAM(ProductList()), at); });
    }
    // A left click on a product row as the list reports it (-1: on empty space).
    void ClickRow(int row) {
        ListView_SetItemState(ProductList(), -1, 0, LVIS_SELECTED);
        if (row >= 0) ListView_SetItemState(ProductList(), row, LVIS_SELECTED, LVIS_SELECTED);
        NMITEMACTIVATE click{};
        click.hdr = {ProductList(), UINT_PTR(kProductListId), UINT(NM_CLICK)};
        click.iItem = row;
        SendMessageA(Handle(), WM_NOTIFY, kProductListId, LPARAM(&click));
    }
};

TEST_F(MainWindowBehaviour, ARightClickOpensThePopupMenuFollowingThePropertyCommand) {
    const POINT at = ScreenPoint({30, 30});
    for (int row : {-1, 1, -1}) {
        ClickRow(row);
        const testing::SeenPopup seen = PopupAt(MAKELPARAM(at.x, at.y));
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.itemCount, 1);
        EXPECT_EQ(!(seen.firstItemState & MF_GRAYED), row >= 0) << row;
        EXPECT_EQ(seen.place.left, at.x);
        EXPECT_EQ(seen.place.top, at.y);
    }
}

TEST_F(MainWindowBehaviour, TheKeyboardOpensThePopupMenuAtTheSelectedRowOrTheListsCorner) {
    for (int row : {-1, 2}) {
        ClickRow(row);
        POINT expected{0, 0};
        if (row >= 0) {
            RECT label{};
            ListView_GetItemRect(ProductList(), row, &label, LVIR_LABEL);
            expected = {label.left, label.bottom};
        }
        expected = ScreenPoint(expected);
        const testing::SeenPopup seen = PopupAt(-1);  // Shift+F10 or the menu key
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.place.left, expected.x) << row;
        EXPECT_EQ(seen.place.top, expected.y) << row;
    }
}

// Records the commands that reach the main window.
std::vector<WORD> commands;
WNDPROC mainProcedure = nullptr;
LRESULT CALLBACK CommandSpy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
    return CallWindowProcA(mainProcedure, window, message, wParam, lParam);
}

TEST_F(MainWindowBehaviour, F1ReachesTheHelpTopicsCommandThroughTheEventLoop) {
    commands.clear();
    mainProcedure = WNDPROC(SetWindowLongPtrA(Handle(), GWLP_WNDPROC, LONG_PTR(&CommandSpy)));
    PostMessageA(ProductList(), WM_KEYDOWN, VK_F1, 1);
    PostMessageA(ProductList(), WM_KEYUP, VK_F1, 0xC0000001);
    PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0);  // after the key, in order
    window.Run();
    SetWindowLongPtrA(Handle(), GWLP_WNDPROC, LONG_PTR(mainProcedure));
    EXPECT_EQ(commands, std::vector<WORD>{WORD(MainCommand(actHelpTopic))});
}

TEST_F(MainWindowBehaviour, TheOptionsDialogIsOwnedByTheApplicationsWindow) {
    testing::FormDriver driver;
    HWND owner = nullptr;
    driver.Run(
        kSetOptionClass, [&] { Command(actServerOption); },
        [&] {
            owner = GetWindow(driver.Form(), GW_OWNER);
            driver.Click(driver.Item(TfrmSetOption::kBtnCancel));
        });
    EXPECT_EQ(owner, Handle());
}

TEST_F(MainWindowBehaviour, TheSweepTimerRunsEveryMinuteAndAgainAfterAFailedPass) {
    const Timer& timer = TestInsideWin::SweepTimer(window);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(TestInsideWin::Interval(timer), 60000u);

    clock.SetFailing(true);  // the pass raises an error, which the general error box shows
    testing::DialogAnswerer answer(IDOK);
    SendMessageA(Handle(), WM_TIMER, timer.Id(), 0);
    EXPECT_EQ(answer.Seen().text, "The clock cannot be read.");
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(TestInsideWin::Interval(timer), 60000u);
    EXPECT_TRUE(KillTimer(Handle(), timer.Id()));  // armed with the window itself
}

TEST_F(MainWindowBehaviour, ALoginIsAnsweredWhileAMessageBoxHoldsTheWindowsThread) {
    const std::uint16_t port = testing::FreePort();
    dir.Write("main.ini", "[server]\r\nhost=127.0.0.1\r\nip=" + std::to_string(port) + "\r\n");
    Command(actServerStart);
    ASSERT_EQ(StatusText(2), "状态：运行");
    testing::DialogAnswerer answer(IDOK, [port] {
        testing::Client terminal(port);
        terminal.Send("LOGIN:0101;1\n");
        return terminal.Read(3) == "1\r\n";
    });
    ShowInfo("held");
    EXPECT_TRUE(answer.Seen().probe);
    Command(actServerStop);
}

}  // namespace
}  // namespace tarnwick
