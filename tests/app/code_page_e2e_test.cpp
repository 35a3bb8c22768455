// The program under any system code page: what it shows reads through the W messages exactly as
// its code page 936 texts mean it, and it runs from a folder whose name lies outside the system
// code page. CTest runs these once under each of 936, 1252 and 932: the locale TARNWICK_LOCALE
// gives the test its code page, the program started by the test inherits it, and
// TARNWICK_CODE_PAGE names it, so that a locale Wine did not take fails instead of passing.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/status_bar_win.h"
#include "common/profile.h"
#include "products/property_dialog_win.h"
#include "program_fixture_win.h"
#include "terminals/set_option_dialog_win.h"

namespace tarnwick::testing {
namespace {

using enum MainAction;

// Folder names outside the system code page: "server" in Korean, none of it in code page 936;
// "server folder" in Chinese, not all of it in 1252 or 932.
constexpr const wchar_t* kKoreanName = L"\uC11C\uBC84";
constexpr const wchar_t* kChineseName = L"服务器目录";
constexpr const wchar_t* kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

constexpr char kProducts[] =
    "[product]\r\ncount=2\r\n[P1]\r\nProduct=0101-财务管理;3.1\r\nServer=服务器甲\r\n"
    "Database=账套\r\n[P2]\r\nProduct=0102-进销存;3.1\r\n";

class AnyCodePage : public Program {
  protected:
    void SetUp() override {
        const char* expected = std::getenv("TARNWICK_CODE_PAGE");
        ASSERT_EQ(GetACP(), UINT(std::atoi(expected ? expected : "936")));
    }
    void TearDown() override { RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, L"Tarnwick"); }
    void Prepare(const std::filesystem::path& folder) {
        dir_.Write("PdtReg.ini", kProducts);
        WriteLoopbackSettings();
        if (folder == dir_.Path()) return;
        std::filesystem::create_directory(folder);
        for (const wchar_t* name : {L"PdtReg.ini", L"main.ini"}) {
            CopyFileW((dir_.Path() / name).c_str(), (folder / name).c_str(), FALSE);
        }
    }
    HWND WaitForWindow(const char* className) {
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindProcessWindow(process_->Id(), className)); });
        return found;
    }
    // Opens the options dialog and reads it, then types `host`, sets the autorun box and
    // closes it with OK.
    std::wstring OptionsOk(const wchar_t* host, bool autorun) {
        Command(actServerOption);
        const HWND options = WaitForWindow(kSetOptionClass);
        if (!options) return L"<no dialog>";
        std::wstring texts = WideWindowText(options);
        for (int id :
             {TfrmSetOption::kGroupBox1, TfrmSetOption::kChkAutoRun, TfrmSetOption::kCmbHost}) {
            texts += L"|" + WideWindowText(GetDlgItem(options, id));
        }
        SendMessageTimeoutW(GetDlgItem(options, TfrmSetOption::kCmbHost), WM_SETTEXT, 0,
                            LPARAM(host), SMTO_ABORTIFHUNG, 3000, nullptr);
        SendMessageTimeoutW(GetDlgItem(options, TfrmSetOption::kChkAutoRun), BM_SETCHECK,
                            autorun ? BST_CHECKED : BST_UNCHECKED, 0, SMTO_ABORTIFHUNG, 3000,
                            nullptr);
        ClickButton(options, TfrmSetOption::kBtnOk);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(options); }));
        return texts;
    }
};

TEST_F(AnyCodePage, EveryTextReadsAsUnder936) {
    Prepare(dir_.Path());
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WidePanelBecomes(StatusBar::kListener, L"状态：运行"));
    EXPECT_EQ(WidePanel(StatusBar::kProducts), L"产品数：2");
    const HWND list = FindChildById(window_, kProductListId);
    EXPECT_EQ(remote_->WideListText(list, 0, 0), L"0101-财务管理");
    EXPECT_EQ(remote_->WideListText(list, 0, 1), L"服务器甲");
    EXPECT_EQ(remote_->WideListText(list, 1, 0), L"0102-进销存");

    Terminal terminal(port_);
    EXPECT_EQ(terminal.Ask("LOGIN:0101;1\n", 3), "1\r\n");
    EXPECT_TRUE(WidePanelBecomes(StatusBar::kTerminals, L"终端数：1"));
    EXPECT_EQ(remote_->WideListText(FindChildById(window_, kClientGridId), 0, 0), L"0101-财务管理");

    // The property view reads its lines back from the list.
    PostClick(list, remote_->ListRowCentre(list, 0));
    Sleep(200);
    Command(actFileProperty);
    const HWND view = WaitForWindow(kPdtPropertyClass);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(WideWindowText(view), L"属性");
    EXPECT_EQ(WideWindowText(GetDlgItem(view, TfrmPdtProperty::kMemProperty)),
              L"产品名称：0101-财务管理\r\n服务器：服务器甲\r\n数据库：账套");
    ClickButton(view, TfrmPdtProperty::kBtnOk);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(view); }));

    EXPECT_EQ(OptionsOk(L"127.0.0.1", false), L"选项|服务器|&Windows登录后自动运行|127.0.0.1");
    Command(actFileExit);
    const RemoteDialog box = WaitForDialog(process_->Id());
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(WideWindowText(box.window), L"Tarnwick");
    EXPECT_EQ(WideWindowText(GetDlgItem(box.window, 0xFFFF)), L"确实要退出该系统吗？");
    ClickButton(box.window, IDNO);
}

// The folder's name has no form in the system code page (Korean under 936, Chinese under the
// others): the A functions would turn its characters into "?".
TEST_F(AnyCodePage, FindsItsFilesListensAndWritesWhereItRunsFromAFolderOutsideTheCodePage) {
    const std::filesystem::path folder =
        dir_.Path() / (GetACP() == 936 ? kKoreanName : kChineseName);
    Prepare(folder);
    ASSERT_NO_FATAL_FAILURE(Start(folder));
    ASSERT_TRUE(WidePanelBecomes(StatusBar::kListener, L"状态：运行"));
    EXPECT_EQ(WidePanel(StatusBar::kProducts), L"产品数：2");
    EXPECT_EQ(Terminal(port_).Ask("LOGIN:0102;1\n", 3), "1\r\n");

    OptionsOk(L"127.0.0.2", true);
    EXPECT_EQ(ProfileFile(folder / L"main.ini").ReadText("server", "host"), "127.0.0.2");
    wchar_t run[1024] = {};
    DWORD size = sizeof run;
    RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, L"Tarnwick", RRF_RT_REG_SZ, nullptr, run, &size);
    EXPECT_EQ(std::filesystem::path(run), folder / L"Tarnwick.exe");
}

}  // namespace
}  // namespace tarnwick::testing
