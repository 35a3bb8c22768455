// The notification area and the end of the program, seen from outside: the window put away and
// brought back, the icon as the shell holds it, File > Exit with each of its answers.
#include <algorithm>

#include "app/tray_icon_win.h"
#include "program_fixture_win.h"

namespace tarnwick::testing {
namespace {

// A listener on a loopback port and one product: no dialog comes up at the start.
class Tray : public Program {
  protected:
    Tray() {
        WriteLoopbackSettings();
        dir_.Write("PdtReg.ini", "[product]\r\ncount=1\r\n[P1]\r\nProduct=0101-财务管理;3.1\r\n");
    }
    void SysCommand(WPARAM command) { PostMessageA(window_, WM_SYSCOMMAND, command, 0); }
    void Send(UINT message, LPARAM lParam = 0) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window_, message, 0, lParam, SMTO_ABORTIFHUNG, 3000, &ignored);
    }
    void IconMessage(LPARAM mouse) { Send(WM_TRAYNOTIFY, mouse); }
    void ShellRestarts() { Send(RegisterWindowMessageA("TaskbarCreated")); }
    bool Hidden() {
        return WaitUntil([&] { return !IsWindowVisible(window_); });
    }
    // File > Exit answered Yes: the question, then the program ends with nothing else shown.
    void ExitYes() {
        Command(MainAction::actFileExit);
        EXPECT_EQ(AnswerMessage(IDYES), "确实要退出该系统吗？");
        EXPECT_EQ(process_->WaitForExit(15000), 0);
    }
};

// Minimize and the close box alike put the window away without minimizing it and without a
// question; a second close while hidden changes nothing; only a left double click on the icon
// brings the window back, where it was, and removes the icon.
TEST_F(Tray, MinimizeAndCloseHideToTheIconAndADoubleClickBringsTheWindowBack) {
    Start();
    SetWindowPos(window_, nullptr, 40, 60, 700, 500, SWP_NOZORDER);
    RECT before;
    GetWindowRect(window_, &before);
    for (WPARAM command : {SC_MINIMIZE, SC_CLOSE}) {
        SCOPED_TRACE(command);
        EXPECT_FALSE(HasTrayIcon(window_));
        SysCommand(command);
        ASSERT_TRUE(Hidden());
        EXPECT_FALSE(IsIconic(window_));
        EXPECT_TRUE(HasTrayIcon(window_));
        SysCommand(SC_CLOSE);
        EXPECT_TRUE(NoMessage());
        EXPECT_FALSE(IsWindowVisible(window_));

        for (LPARAM mouse : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                             WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}) {
            IconMessage(mouse);
        }
        EXPECT_FALSE(IsWindowVisible(window_));
        EXPECT_TRUE(HasTrayIcon(window_));

        IconMessage(kTrayDoubleClick);
        ASSERT_TRUE(IsWindowVisible(window_));
        EXPECT_FALSE(HasTrayIcon(window_));
        RECT after;
        GetWindowRect(window_, &after);
        EXPECT_TRUE(EqualRect(&before, &after));
    }
}

TEST_F(Tray, TheListenerServesAndTheStatusBarFollowsWhileHidden) {
    Start();
    ASSERT_TRUE(PanelBecomes(2, "状态：运行"));
    SysCommand(SC_MINIMIZE);
    ASSERT_TRUE(Hidden());
    Terminal terminal(port_);
    EXPECT_EQ(terminal.Ask("LOGIN:0101;1\n", 3), "1\r\n");
    EXPECT_TRUE(PanelBecomes(4, "终端数：1"));
    terminal.Ask("LOGOUT:0101\n", 0);
    EXPECT_TRUE(PanelBecomes(4, "终端数：0"));
    EXPECT_FALSE(IsWindowVisible(window_));
}

// A shell that starts afresh has lost every icon: a hidden window gets its icon back, a shown one
// gets none.
TEST_F(Tray, AShellRestartAddsTheIconAgainOnlyWhileHidden) {
    Start();
    ShellRestarts();
    EXPECT_FALSE(HasTrayIcon(window_));
    SysCommand(SC_MINIMIZE);
    ASSERT_TRUE(Hidden());
    DropTrayIcon(window_);
    ASSERT_FALSE(HasTrayIcon(window_));
    ShellRestarts();
    EXPECT_TRUE(HasTrayIcon(window_));
    EXPECT_FALSE(IsWindowVisible(window_));
    IconMessage(kTrayDoubleClick);
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_FALSE(HasTrayIcon(window_));
}

TEST_F(Tray, ExitAnsweredNoKeepsTheWindowAndTheNextCloseHidesWithoutAsking) {
    Start();
    Command(MainAction::actFileExit);
    EXPECT_EQ(AnswerMessage(IDNO), "确实要退出该系统吗？");
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_TRUE(process_->Running());
    SysCommand(SC_CLOSE);
    ASSERT_TRUE(Hidden());
    EXPECT_TRUE(NoMessage());
    EXPECT_TRUE(HasTrayIcon(window_));
}

TEST_F(Tray, ExitAnsweredYesWithTheListenerStoppedEndsTheProgram) {
    Start();
    ASSERT_TRUE(PanelBecomes(2, "状态：运行"));
    Command(MainAction::actServerStop);
    ASSERT_TRUE(PanelBecomes(2, "状态：停止"));
    ExitYes();
}

TEST_F(Tray, ExitAnsweredYesStopsTheListenerFirst) {
    Start();
    ASSERT_TRUE(PanelBecomes(2, "状态：运行"));
    Terminal terminal(port_);
    EXPECT_EQ(terminal.Ask("X\n", 6), "2\r\n2\r\n");
    ExitYes();
    EXPECT_EQ(terminal.Ask("X\n", 6), "");  // closed by the stop, without a reply
    EXPECT_FALSE(Terminal(port_).Connected());
}

// A connection whose thread cannot end (held from outside) makes the stop time out: the exit
// stops there with the general error box, the window stays, and the program goes on with its
// products, so a later stop and start serve terminals again.
TEST_F(Tray, ExitWhileAConnectionDoesNotEndShowsTheErrorAndTheProgramRunsOn) {
    Start();
    ASSERT_TRUE(PanelBecomes(2, "状态：运行"));
    EXPECT_EQ(Terminal(port_).Ask("X\n", 6), "2\r\n2\r\n");  // the first connection's set-up
    std::vector<DWORD> before = ThreadsOf(process_->Id());
    Terminal stuck(port_);
    ASSERT_EQ(stuck.Ask("X\n", 6), "2\r\n2\r\n");
    std::vector<DWORD> added = ThreadsOf(process_->Id());
    std::sort(before.begin(), before.end());
    std::erase_if(added,
                  [&](DWORD id) { return std::binary_search(before.begin(), before.end(), id); });
    {
        const SuspendedThreads held(added);
        ASSERT_GT(held.Count(), 0u);
        Command(MainAction::actFileExit);
        EXPECT_EQ(AnswerMessage(IDYES), "确实要退出该系统吗？");
        const RemoteDialog box = WaitForDialog(process_->Id(), 20000);
        EXPECT_EQ(box.caption, "Tarnwick3.1");
        EXPECT_EQ(box.text, "Terminate Thread Timeout.");
        ClickButton(box.window, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
    }
    EXPECT_TRUE(process_->Running());
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_EQ(Panel(2), "状态：运行");

    Command(MainAction::actServerStop);
    ASSERT_TRUE(PanelBecomes(2, "状态：停止"));
    Command(MainAction::actServerStart);
    ASSERT_TRUE(PanelBecomes(2, "状态：运行"));
    EXPECT_EQ(Terminal(port_).Ask("LOGIN:0101;1\n", 3), "1\r\n");
    SysCommand(SC_CLOSE);  // the flag is armed again: the window hides, nothing is asked
    ASSERT_TRUE(Hidden());
    EXPECT_TRUE(NoMessage());
}

}  // namespace
}  // namespace tarnwick::testing
