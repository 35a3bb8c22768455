// The program under 936, 1252 and 932 (TARNWICK_LOCALE; it inherits the test's code page, which
// TARNWICK_CODE_PAGE names): its texts read through the W messages as their code page 936 bytes
// mean them, and it runs from a folder named outside the code page.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/status_bar_win.h"
#include "common/profile.h"
#include "products/property_dialog_win.h"
#include "program_fixture_win.h"
#include "terminals/autorun_win.h"
#include "terminals/set_option_dialog_win.h"

namespace tarnwick::testing {
namespace {

using enum MainAction;
using Options = TfrmSetOption;

class AnyCodePage : public Program {
  protected:
    void SetUp() override {
        const char* expected = std::getenv("TARNWICK_CODE_PAGE");
        ASSERT_EQ(GetACP(), UINT(std::atoi(expected ? expected : "936")));
        dir_.Write("PdtReg.ini",
                   "[product]\r\ncount=2\r\n[P1]\r\nProduct=0101-财务管理;3.1\r\n"
                   "Server=服务器甲\r\nDatabase=账套\r\n[P2]\r\nProduct=0102-进销存;\r\n");
        WriteLoopbackSettings();
    }
    void TearDown() override { OpenRunKey().DeleteValue(kAutorunValue); }
    HWND WaitForWindow(const char* className) {
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindProcessWindow(process_->Id(), className)); });
        return found;
    }
    // Reads the options dialog, then types `host`, checks the autorun box and presses OK.
    std::wstring OptionsOk(const wchar_t* host) {
        Command(actServerOption);
        const HWND options = WaitForWindow(kSetOptionClass);
        std::wstring texts = WideWindowText(options);
        for (int id : {Options::kGroupBox1, Options::kChkAutoRun, Options::kCmbHost})
            texts += L"|" + WideWindowText(GetDlgItem(options, id));
        SendMessageTimeoutW(GetDlgItem(options, Options::kCmbHost), WM_SETTEXT, 0, LPARAM(host),
                            SMTO_ABORTIFHUNG, 3000, nullptr);
        PostMessageW(GetDlgItem(options, Options::kChkAutoRun), BM_SETCHECK, BST_CHECKED, 0);
        ClickButton(options, Options::kBtnOk);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(options); }));
        return texts;
    }
};

TEST_F(AnyCodePage, EveryTextReadsAsUnder936) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WidePanelBecomes(StatusBar::kListener, L"状态：运行"));
    const HWND list = FindChildById(window_, kProductListId);
    EXPECT_EQ(remote_->WideListText(list, 0, 0), L"0101-财务管理");
    EXPECT_EQ(Terminal(port_).Ask("LOGIN:0101;1\n", 3), "1\r\n");
    EXPECT_TRUE(WidePanelBecomes(StatusBar::kTerminals, L"终端数：1"));
    EXPECT_EQ(remote_->WideListText(FindChildById(window_, kClientGridId), 0, 0), L"0101-财务管理");

    // The property view reads its lines back from the list.
    PostClick(list, remote_->ListRowCentre(list, 0));
    Sleep(200);
    Command(actFileProperty);
    const HWND view = WaitForWindow(kPdtPropertyClass);
    EXPECT_EQ(WideWindowText(GetDlgItem(view, TfrmPdtProperty::kMemProperty)),
              L"产品名称：0101-财务管理\r\n服务器：服务器甲\r\n数据库：账套");
    ClickButton(view, TfrmPdtProperty::kBtnOk);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(view); }));

    EXPECT_EQ(OptionsOk(L"127.0.0.1"), L"选项|服务器|&Windows登录后自动运行|127.0.0.1");
    Command(actFileExit);
    const RemoteDialog box = WaitForDialog(process_->Id());
    EXPECT_EQ(WideWindowText(box.window), L"Tarnwick");
    EXPECT_EQ(WideWindowText(GetDlgItem(box.window, 0xFFFF)), L"确实要退出该系统吗？");
    ClickButton(box.window, IDNO);
}

// Korean ("server") under 936, Chinese ("server folder") under 1252 and 932: the A functions
// would turn the folder's characters into "?".
TEST_F(AnyCodePage, FindsItsFilesListensAndWritesInAFolderNamedOutsideTheCodePage) {
    const auto folder = dir_.Path() / (GetACP() == 936 ? L"\uC11C\uBC84" : L"服务器目录");
    std::filesystem::create_directory(folder);
    for (const char* name : {"PdtReg.ini", "main.ini"})
        std::filesystem::copy_file(dir_.Path() / name, folder / name);
    ASSERT_NO_FATAL_FAILURE(Start(folder));
    ASSERT_TRUE(WidePanelBecomes(StatusBar::kListener, L"状态：运行"));
    EXPECT_EQ(WidePanel(StatusBar::kProducts), L"产品数：2");
    EXPECT_EQ(Terminal(port_).Ask("LOGIN:0102;1\n", 3), "1\r\n");

    OptionsOk(L"127.0.0.2");
    EXPECT_EQ(ProfileFile(folder / "main.ini").Read().Text("server", "host"), "127.0.0.2");
    EXPECT_EQ(std::filesystem::path(OpenRunKey().ReadWide(kAutorunValue)), folder / "Tarnwick.exe");
}

}  // namespace
}  // namespace tarnwick::testing
