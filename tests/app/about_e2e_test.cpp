// Help topics and the about dialog of the running program, with and without the version library
// and the help file beside it.
#include <windows.h>
// after windows.h
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "app/about_dialog_win.h"
#include "app/main_actions.h"
#include "remote_window_win.h"
#include "support/build_path_win.h"
#include "support/client_socket.h"
#include "tarnwick_process_win.h"
#include "terminals/socket.h"

namespace tarnwick::testing {
namespace {

constexpr const char* kLoadFailed = "文件 VersionInfo.dll 打开失败。";
constexpr const char* kLookupFailed = "无法从 VersionInfo.dll 中获取函数 frmVersionInfoShow 。";

class Help : public ::testing::Test {
  protected:
    Help() {
        std::error_code error;
        const auto port = testing::LocalPort(Socket::Listen(kLoopback, 0, 1, error));
        dir_.Write("main.ini", "[server]\r\nhost=127.0.0.1\r\nip=" + std::to_string(port) + "\r\n");
    }
    ~Help() override { EndViewers(); }

    void Place(const std::string& linuxPath, const char* name) {
        ASSERT_TRUE(CopyFileA(WindowsPath(linuxPath).c_str(), dir_.PathOf(name).c_str(), FALSE));
    }
    void Start() {
        process_ = std::make_unique<TarnwickProcess>(dir_);
        window_ = process_->WaitForMainWindow();
        ASSERT_NE(window_, nullptr);
    }
    void Command(MainAction action) {
        PostMessageA(window_, WM_COMMAND, WPARAM(MainCommand(action)), 0);
    }
    void PressF1() {
        PostMessageA(window_, WM_KEYDOWN, VK_F1, 0);
        PostMessageA(window_, WM_KEYUP, VK_F1, 0xC0000001);
    }
    // The next message box's text after pressing OK; "" when none came within `timeoutMs`.
    std::string Message(int timeoutMs = 10000) {
        const RemoteDialog box = WaitForDialog(process_->Id(), timeoutMs);
        if (!box.window) return "";
        EXPECT_EQ(box.caption, "Tarnwick");
        ClickButton(box.window, IDOK);
        WaitUntil([&] { return !IsWindow(box.window); });
        return box.text;
    }
    HWND WaitForWindow(const char* className) {
        HWND found = nullptr;
        WaitUntil(
            [&] { return (found = FindProcessWindow(process_->Id(), className)) != nullptr; });
        return found;
    }
    // The help viewers that the program started through the shell.
    std::vector<DWORD> Viewers() {
        std::vector<DWORD> found;
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more;
             more = Process32Next(snapshot, &entry)) {
            if (process_ && entry.th32ParentProcessID == process_->Id() &&
                lstrcmpiA(entry.szExeFile, "hh.exe") == 0) {
                found.push_back(entry.th32ProcessID);
            }
        }
        CloseHandle(snapshot);
        return found;
    }
    void EndViewers() {
        for (DWORD id : Viewers()) {
            if (HANDLE viewer = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
                TerminateProcess(viewer, 0);
                CloseHandle(viewer);
            }
        }
    }

    TempFolder dir_;
    std::unique_ptr<TarnwickProcess> process_;
    HWND window_ = nullptr;
};

TEST_F(Help, WithoutTheHelpFileF1OnlySaysSo) {
    Start();
    for (int i = 0; i < 2; ++i) {
        PressF1();
        EXPECT_EQ(Message(), "未找到帮助文件。");
    }
    EXPECT_EQ(Message(500), "");
    EXPECT_TRUE(Viewers().empty());
}

TEST_F(Help, WithTheHelpFileF1AndTheMenuReachTheShellEachTime) {
    Place(TARNWICK_HELP_FILE, "Tarnwick.chm");
    Start();
    PressF1();
    EXPECT_TRUE(WaitUntil([&] { return Viewers().size() == 1; }));
    Command(MainAction::actHelpTopic);
    EXPECT_TRUE(WaitUntil([&] { return Viewers().size() == 2; }));
    EXPECT_EQ(Message(1500), "");
    EXPECT_TRUE(IsWindowEnabled(window_));  // nothing waits for the viewer
}

// What About shows for each kind of version library beside the program.
struct LibraryCase {
    const char* name;
    const char* library;       // copied in as VersionInfo.dll; null for none
    const char* openMessage;   // shown as the dialog opens
    const char* version;       // lblVersion
    const char* clickMessage;  // shown by each click on btnFileVer; "" opens the version window
};

void PrintTo(const LibraryCase& c, std::ostream* out) {
    *out << c.name;
}

class About : public Help, public ::testing::WithParamInterface<LibraryCase> {};

TEST_P(About, ShowsTheVersionAndTheVersionWindowOrSaysWhy) {
    const LibraryCase& c = GetParam();
    if (c.library) Place(c.library, "VersionInfo.dll");
    Start();
    Command(MainAction::actHelpAbout);
    // A failure to fill the version is reported before the dialog is on the screen.
    if (c.openMessage[0]) EXPECT_EQ(Message(), c.openMessage);
    HWND about = WaitForWindow(kAboutClass);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(FindProcessWindow(process_->Id(), "#32770"), nullptr);
    EXPECT_EQ(WindowText(about), "关于...");
    EXPECT_EQ(WindowText(GetDlgItem(about, TfrmAbout::kLblVersion)), c.version);
    RECT client;
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, 329);
    EXPECT_EQ(client.bottom, 139);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    WaitUntil([&] {
        return GetGUIThreadInfo(GetWindowThreadProcessId(about, nullptr), &thread) &&
               thread.hwndFocus != nullptr;
    });
    EXPECT_EQ(thread.hwndFocus, GetDlgItem(about, TfrmAbout::kBtnClose));
    EXPECT_FALSE(IsWindowEnabled(window_));

    for (int click = 0; click < 2; ++click) {
        PostMessageA(about, WM_COMMAND, MAKEWPARAM(TfrmAbout::kBtnFileVer, BN_CLICKED),
                     LPARAM(GetDlgItem(about, TfrmAbout::kBtnFileVer)));
        if (c.clickMessage[0]) {
            EXPECT_EQ(Message(), c.clickMessage);
            continue;
        }
        HWND versions = WaitForWindow("TfrmVersionInfo");
        ASSERT_NE(versions, nullptr);
        EXPECT_FALSE(IsWindowEnabled(about));
        RemoteProcess remote(versions);
        const auto rows = remote.ListRows(FindChildByClass(versions, "SysListView32"), 3);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows[0], (std::vector<std::string>{"Tarnwick.exe", c.version, "Tarnwick"}));
        PostMessageA(versions, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(versions); }));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(about) != FALSE; }));
    }
    PostMessageA(GetDlgItem(about, TfrmAbout::kBtnClose), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window_) != FALSE; }));
}

// Enter presses the focused button, btnClose as the dialog opens; Escape closes it too.
TEST_F(Help, AboutClosesWithEnterOnItsFocusedButtonAndWithEscape) {
    Place(TARNWICK_BIN_DIR "VersionInfo.dll", "VersionInfo.dll");
    Start();
    for (UINT key : {VK_RETURN, VK_ESCAPE}) {
        Command(MainAction::actHelpAbout);
        const HWND about = WaitForWindow(kAboutClass);
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        ASSERT_TRUE(WaitUntil([&] {
            return GetGUIThreadInfo(GetWindowThreadProcessId(about, nullptr), &thread) &&
                   thread.hwndFocus == GetDlgItem(about, TfrmAbout::kBtnClose);
        }));
        PostMessageA(thread.hwndFocus, WM_KEYDOWN, key, 1);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << key;
    }
    EXPECT_EQ(Message(500), "");
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, About,
    ::testing::Values(LibraryCase{"Present", TARNWICK_BIN_DIR "VersionInfo.dll", "",
                                  TARNWICK_VERSION_TEXT, ""},
                      LibraryCase{"Missing", nullptr, kLoadFailed, "Version", kLoadFailed},
                      LibraryCase{"WithoutTheWindow", TARNWICK_PARTIAL_LIBRARY, "",
                                  TARNWICK_VERSION_TEXT, kLookupFailed}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick::testing
