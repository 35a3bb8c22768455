// The listener of the running program from outside: terminals over TCP, the grid and the
// status bar, the Server commands, and the messages of failed starts.
#include "program_fixture_win.h"
#include "terminals/set_option_dialog_win.h"

namespace tarnwick::testing {
namespace {

class Listener : public Program {
  protected:
    Listener() {
        dir_.Write("PdtReg.ini",
                   "[product]\r\ncount=2\r\n[P1]\r\nProduct=0101-财务管理;3.1\r\nServer=DB1\r\n"
                   "Database=Finance\r\n[P2]\r\nProduct=0102-进销存;3.1\r\n");
    }
    Rows GridRows() { return remote_->ListRows(FindChildById(window_, kClientGridId), 4); }
};

TEST_F(Listener, StartsByItselfAndListsTerminalsFromTwoAddresses) {
    WriteLoopbackSettings();
    Start();
    ASSERT_TRUE(PanelBecomes(2, "状态：运行"));
    EXPECT_EQ(Panel(3), "产品数：2");
    EXPECT_EQ(remote_->ListRows(FindChildById(window_, kProductListId), 3),
              (Rows{{"0101-财务管理", "DB1", "Finance"}, {"0102-进销存", "", ""}}));

    Terminal first(port_, kLoopback), second(port_, kLoopback + 1);
    EXPECT_EQ(first.Ask("LOGIN:0101;1\n", 3), "1\r\n");
    EXPECT_EQ(second.Ask("login:0102;1\r\n", 3), "1\r\n");
    EXPECT_EQ(second.Ask("LOGIN:0999;1\n", 3), "0\r\n");
    ASSERT_TRUE(PanelBecomes(4, "终端数：2"));
    Rows rows = GridRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "0101-财务管理");
    EXPECT_EQ(rows[0][1], "127.0.0.1");
    EXPECT_EQ(rows[1][0], "0102-进销存");
    EXPECT_EQ(rows[1][1], "127.0.0.2");
    EXPECT_EQ(rows[1][2], rows[1][3]);

    first.Ask("LOGOUT:0101\n", 0);
    EXPECT_EQ(first.Ask("X\n", 6), "2\r\n2\r\n");
    ASSERT_TRUE(PanelBecomes(4, "终端数：1"));
    rows = GridRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][1], "127.0.0.2");
}

TEST_F(Listener, StopsStartsAndRestartsOnNewSettings) {
    WriteLoopbackSettings();
    Start();
    ASSERT_TRUE(PanelBecomes(2, "状态：运行"));
    Terminal terminal(port_);
    EXPECT_EQ(terminal.Ask("LOGIN:0101;1\n", 3), "1\r\n");
    ASSERT_TRUE(PanelBecomes(4, "终端数：1"));

    Command(MainAction::actServerStop);
    ASSERT_TRUE(PanelBecomes(2, "状态：停止"));
    EXPECT_EQ(terminal.Ask("LOGIN:0101;1\n", 3), "");  // closed without a reply
    EXPECT_FALSE(Terminal(port_).Connected());
    EXPECT_EQ(Panel(4), "终端数：1");  // the row stays until the sweep

    Command(MainAction::actServerStart);
    ASSERT_TRUE(PanelBecomes(2, "状态：运行"));
    EXPECT_EQ(Terminal(port_).Ask("LOGIN:0101;1\n", 3), "1\r\n");

    const std::uint16_t newPort = FreePort();
    WriteSettings("127.0.0.1", std::to_string(newPort));
    EXPECT_EQ(Terminal(port_).Ask("LOGIN:0101;1\n", 3), "1\r\n");  // the old binding stays
    Command(MainAction::actServerSnS);
    ASSERT_TRUE(WaitUntil([&] { return Terminal(newPort).Connected(); }));
    EXPECT_FALSE(Terminal(port_).Connected());
    EXPECT_EQ(Panel(2), "状态：运行");
}

TEST_F(Listener, FirstStartWithoutSettingsOpensTheOptionsDialog) {
    Start();
    HWND options = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (options = FindProcessWindow(process_->Id(), "TfrmSetOption")) != nullptr; }));
    EXPECT_EQ(WindowText(options), "选项");
    PostMessageA(options, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }));
    EXPECT_EQ(Panel(2), "状态：停止");
    // Becoming active again starts nothing.
    SetForegroundWindow(window_);
    Sleep(300);
    EXPECT_EQ(FindProcessWindow(process_->Id(), "TfrmSetOption"), nullptr);
}

TEST_F(Listener, PortZeroAsksForTheSettings) {
    WriteSettings("127.0.0.1", "0");
    Start();
    HWND options = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (options = FindProcessWindow(process_->Id(), "TfrmSetOption")) != nullptr; }));
    PostMessageA(options, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }));
    Command(MainAction::actServerStart);
    EXPECT_EQ(AnswerMessage(), "请设置服务参数。");
    EXPECT_EQ(Panel(2), "状态：停止");
}

TEST_F(Listener, APortInUseFailsTheStartAndARetrySucceeds) {
    std::error_code error;
    Socket other = Socket::Listen(kLoopback, port_, 15, error);
    ASSERT_FALSE(error);
    WriteLoopbackSettings();
    Start();
    EXPECT_EQ(AnswerMessage(), "服务启动失败。");
    EXPECT_EQ(Panel(2), "状态：停止");
    other.Close();
    Command(MainAction::actServerStart);
    ASSERT_TRUE(PanelBecomes(2, "状态：运行"));
    EXPECT_EQ(Terminal(port_).Ask("LOGIN:0102;1\n", 3), "1\r\n");
}

TEST_F(Listener, ASecondStartLeavesTheFirstServing) {
    WriteLoopbackSettings();
    Start();
    ASSERT_TRUE(PanelBecomes(2, "状态：运行"));
    TarnwickProcess second(dir_);
    EXPECT_EQ(second.WaitForExit(20000), 0);
    EXPECT_EQ(Terminal(port_).Ask("LOGIN:0101;1\n", 3), "1\r\n");
    EXPECT_TRUE(PanelBecomes(4, "终端数：1"));
}

// Notepad's "Unicode": a UTF-16 main.ini, edited by hand with blanks inside its brackets. OK in
// the options dialog keeps it UTF-16, and the system's own functions read the new values there.
TEST_F(Listener, AUnicodeMainIniStartsTheListenerAndStaysUnicodeAfterOk) {
    std::string file = "\xFF\xFE";
    for (char c : "[ server ]\r\nhost=127.0.0.1\r\nip=" + std::to_string(port_) + "\r\n")
        file += {c, '\0'};
    dir_.Write("main.ini", file);
    Start();
    ASSERT_TRUE(PanelBecomes(2, "状态：运行"));
    EXPECT_EQ(Terminal(port_).Ask("LOGIN:0101;1\n", 3), "1\r\n");

    Command(MainAction::actServerOption);
    HWND options = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (options = FindProcessWindow(process_->Id(), kSetOptionClass)) != nullptr; }));
    SendMessageTimeoutW(GetDlgItem(options, TfrmSetOption::kCmbHost), WM_SETTEXT, 0,
                        LPARAM(L"127.0.0.2"), SMTO_ABORTIFHUNG, 3000, nullptr);
    ClickButton(options, TfrmSetOption::kBtnOk);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(options); }));

    EXPECT_TRUE(dir_.Read("main.ini").starts_with("\xFF\xFE"));
    const std::string path = dir_.PathOf("main.ini");
    char value[64] = {};
    GetPrivateProfileStringA("server", "host", "", value, sizeof value, path.c_str());
    EXPECT_STREQ(value, "127.0.0.2");
    GetPrivateProfileStringA("server", "ip", "", value, sizeof value, path.c_str());
    EXPECT_EQ(value, std::to_string(port_));
}

}  // namespace
}  // namespace tarnwick::testing
