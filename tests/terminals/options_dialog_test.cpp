// The options dialog as a user meets it: opened modally, typed into, clicked and left with the
// focus, with main.ini and the machine-wide Run key read back afterwards.
#include <gtest/gtest.h>

#include "common/font_win.h"
#include "common/text.h"
#include "options_dialog_fixture_win.h"

namespace tarnwick::testing {
namespace {

// Layout

struct Placed {
    Form::ControlId id;
    const char* className;
    const char* caption;
    RECT at;  // left, top, width, height in the dialog's client area
};

RECT ClientRectOf(HWND control, HWND form) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

TEST_F(OptionsDialog, OpensCentredWithItsCaptionSizeAndFixedBorder) {
    Open([&] {
        HWND form = driver_.Form();
        EXPECT_EQ(driver_.Text(form), "选项");
        RECT client, frame;
        GetClientRect(form, &client);
        EXPECT_EQ(client.right, 261);
        EXPECT_EQ(client.bottom, 162);
        const LONG style = GetWindowLongA(form, GWL_STYLE);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_TRUE(GetWindowLongA(form, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
        GetWindowRect(form, &frame);
        EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
        EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
    });
}

TEST_F(OptionsDialog, PlacesEachControlWithItsCaptionAndTheProgramFont) {
    const Placed controls[] = {
        {Form::kGroupBox1, "Button", "服务器", {16, 12, 229, 85}},
        {Form::kLabel1, "Static", "主机：", {28, 36, 36, 12}},
        {Form::kCmbHost, "ComboBox", "", {76, 32, 157, 20}},
        {Form::kLabel2, "Static", "端口：", {28, 64, 36, 12}},
        {Form::kEdtPort, "Edit", "", {76, 60, 77, 20}},
        {Form::kChkAutoRun, "Button", "&Windows登录后自动运行", {16, 104, 177, 17}},
        {Form::kBtnOk, "Button", "确认(&O)", {82, 128, 75, 25}},
        {Form::kBtnCancel, "Button", "取消(&C)", {170, 128, 75, 25}},
    };
    Open([&] {
        for (const Placed& c : controls) {
            HWND control = Item(c.id);
            ASSERT_TRUE(control) << c.caption;
            EXPECT_TRUE(EqualsIgnoringAsciiCase(ClassOf(control), c.className)) << c.caption;
            EXPECT_EQ(driver_.Text(control), c.caption);
            const RECT at = ClientRectOf(control, driver_.Form());
            EXPECT_EQ(at.left, c.at.left) << c.caption;
            EXPECT_EQ(at.top, c.at.top) << c.caption;
            EXPECT_EQ(at.right, c.at.right) << c.caption;
            EXPECT_EQ(at.bottom, c.at.bottom) << c.caption;
            EXPECT_EQ(HFONT(driver_.Send(control, WM_GETFONT)), UiFont(DpiOf(control)))
                << c.caption;
        }
        const LONG combo = GetWindowLongA(Item(Form::kCmbHost), GWL_STYLE);
        EXPECT_EQ(combo & 3, CBS_DROPDOWN);
        const LONG check = GetWindowLongA(Item(Form::kChkAutoRun), GWL_STYLE);
        EXPECT_EQ(check & BS_TYPEMASK, BS_AUTOCHECKBOX);
        // btnOk, holding the focus, is drawn as the default button.
        EXPECT_EQ(GetWindowLongA(Item(Form::kBtnOk), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        EXPECT_EQ(GetWindowLongA(Item(Form::kBtnCancel), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    });
}

// Moved to a monitor at 150 %: the dialog takes the suggested rectangle, and its controls their
// places at that scale in the font of that scale (18 pixels).
TEST_F(OptionsDialog, AnotherScalingLaysTheControlsOutAgainAtTheSuggestedRectangle) {
    Open([&] {
        const RECT suggested{100, 80, 100 + 400, 80 + 280};
        driver_.Send(driver_.Form(), WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&suggested));
        RECT frame;
        GetWindowRect(driver_.Form(), &frame);
        EXPECT_TRUE(EqualRect(&frame, &suggested));
        const RECT ok = ClientRectOf(Item(Form::kBtnOk), driver_.Form()), scaled{123, 192, 113, 38};
        EXPECT_TRUE(EqualRect(&ok, &scaled));
        LOGFONTA font{};
        GetObjectA(HFONT(driver_.Send(Item(Form::kLabel1), WM_GETFONT)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -18);
    });
}

TEST_F(OptionsDialog, OpensWithTheFocusOnOkAndTabsThroughTheGroupToTheCheckBox) {
    Open([&] {
        EXPECT_EQ(FocusedControl(), Item(Form::kBtnOk));
        for (Form::ControlId next :
             {Form::kBtnCancel, Form::kCmbHost, Form::kEdtPort, Form::kChkAutoRun, Form::kBtnOk}) {
            driver_.Key(VK_TAB);
            EXPECT_EQ(FocusedControl(), Item(next)) << next;
        }
        EXPECT_TRUE(Messages().empty());
    });
}

TEST_F(OptionsDialog, OffersTheLoopbackAddressFirstThenTheLocalAddresses) {
    localAddresses_ = [] { return Texts{"192.0.2.7", "10.1.2.3"}; };
    Open([&] {
        HWND combo = Item(Form::kCmbHost);
        Texts offered;
        const LRESULT count = driver_.Send(combo, CB_GETCOUNT);
        for (LRESULT i = 0; i < count; ++i) {
            char entry[64] = {};
            driver_.Send(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(entry));
            offered.push_back(entry);
        }
        EXPECT_EQ(offered, (Texts{"127.0.0.1", "192.0.2.7", "10.1.2.3"}));
        EXPECT_EQ(Text(Form::kCmbHost), "");
    });
}

// Enter presses the focused button, and OK from any other control; Escape is Cancel.
TEST_F(OptionsDialog, EnterPressesTheFocusedButtonOrOkAndEscapeCancels) {
    const struct {
        int tabs;  // from btnOk
        UINT key;
        bool saved;
    } cases[] = {{0, VK_ESCAPE, false}, {1, VK_RETURN, false}, {3, VK_RETURN, true}};
    for (const auto& c : cases) {
        Open([&] {
            SetText(Form::kCmbHost, "10.0.0.1");
            for (int i = 0; i < c.tabs; ++i)
                driver_.Key(VK_TAB);
            driver_.Key(c.key);
            EXPECT_FALSE(StillOpen()) << c.tabs;
        });
        EXPECT_EQ(folder_.Holds("main.ini"), c.saved) << c.tabs;
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(OptionsDialog, AccessKeysPressTheButtonsAndToggleTheCheckBox) {
    Open([&] {
        driver_.AltKey('w');
        EXPECT_TRUE(Checked());
        SetText(Form::kCmbHost, "10.0.0.1");
        driver_.AltKey('o');
    });
    EXPECT_TRUE(driver_.Ended());
    EXPECT_EQ(Settings().Read().host, "10.0.0.1");
    EXPECT_EQ(StoredRunValue(), (RunValue{REG_SZ, ProgramHere()}));
}

// Reading and saving main.ini

TEST_F(OptionsDialog, WithoutMainIniOpensEmptyAndOkCreatesItWithBothKeys) {
    Open([&] {
        EXPECT_EQ(Text(Form::kCmbHost), "");
        EXPECT_EQ(Text(Form::kEdtPort), "");
        EXPECT_FALSE(Checked());
        SaveWith("127.0.0.1", "8080");
    });
    EXPECT_TRUE(driver_.Ended());
    EXPECT_TRUE(Messages().empty());
    const std::string file = folder_.Read("main.ini");
    EXPECT_NE(file.find("[server]"), std::string::npos) << file;
    EXPECT_NE(file.find("host=127.0.0.1"), std::string::npos) << file;
    EXPECT_NE(file.find("ip=8080"), std::string::npos) << file;
}

TEST_F(OptionsDialog, ShowsTheStoredTextsUnchangedAndSavesThemBack) {
    folder_.Write("main.ini", "[server]\r\nhost=192.168.200.7\r\nip=0\r\n");
    Open([&] {
        EXPECT_EQ(Text(Form::kCmbHost), "192.168.200.7");
        EXPECT_EQ(Text(Form::kEdtPort), "0");
        driver_.Click(Item(Form::kBtnOk));
    });
    EXPECT_TRUE(driver_.Ended());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Settings().Read().host, "192.168.200.7");
    EXPECT_EQ(Settings().Read().portText, "0");
}

TEST_F(OptionsDialog, AnEmptyHostOnlyMovesTheFocusToTheHostBox) {
    Open([&] {
        driver_.Click(Item(Form::kChkAutoRun));
        driver_.ClickInto(Item(Form::kEdtPort));
        SetText(Form::kEdtPort, "80");
        driver_.Click(Item(Form::kBtnOk));
        driver_.Settle();
        EXPECT_TRUE(StillOpen());
        EXPECT_EQ(FocusedControl(), Item(Form::kCmbHost));
        EXPECT_TRUE(Messages().empty());
        driver_.Click(Item(Form::kBtnCancel));
    });
    EXPECT_FALSE(folder_.Holds("main.ini"));
    EXPECT_FALSE(StoredRunValue());
}

TEST_F(OptionsDialog, CancelAndTheCloseButtonWriteNothing) {
    StoreRunText(ProgramHere());
    for (bool byTitleBar : {false, true}) {
        Open([&] {
            EXPECT_TRUE(Checked());
            driver_.Click(Item(Form::kChkAutoRun));
            SaveWith("", "80");
            SetText(Form::kCmbHost, "10.0.0.1");
            if (byTitleBar) {
                driver_.CloseByTitleBar();
            } else {
                driver_.Click(Item(Form::kBtnCancel));
            }
        });
        EXPECT_TRUE(driver_.Ended());
        EXPECT_FALSE(folder_.Holds("main.ini"));
        EXPECT_EQ(StoredRunValue(), (RunValue{REG_SZ, ProgramHere()}));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(OptionsDialog, AFailedSaveKeepsTheDialogOpenAndTheRunValueUntouched) {
    const std::string missing = folder_.Folder() + "missing\\";
    StoreRunText("C:\\Elsewhere\\Tarnwick.exe");
    Open(
        [&] {
            driver_.Click(Item(Form::kChkAutoRun));
            SaveWith("10.0.0.1", "80");
            EXPECT_TRUE(StillOpen());
            EXPECT_EQ(Text(Form::kCmbHost), "10.0.0.1");
            EXPECT_EQ(Messages(), Texts{"保存服务器参数失败。"});
            driver_.Click(Item(Form::kBtnCancel));
        },
        missing);
    EXPECT_EQ(StoredRunValue(), (RunValue{REG_SZ, "C:\\Elsewhere\\Tarnwick.exe"}));
}

TEST_F(OptionsDialog, AnEmptyPortIsSavedEmptyWithoutAMessage) {
    Open([&] { SaveWith("10.1.1.1", ""); });
    EXPECT_TRUE(driver_.Ended());
    EXPECT_TRUE(Messages().empty());
    EXPECT_NE(folder_.Read("main.ini").find("ip=\r\n"), std::string::npos);
    EXPECT_EQ(Settings().Read().port, 0);
}

// The command

TEST(ServerOptionCommand, ShowsTheDialogModallyAndReturnsWhenItCloses) {
    const bool hadSettings = ServerSettings(AppDir()).Read().host != "";
    FormDriver driver;
    driver.Run(
        kSetOptionClass, [] { actServerOptionExecute(); },
        [&] {
            EXPECT_EQ(driver.Text(driver.Form()), "选项");
            driver.Click(driver.Item(Form::kBtnCancel));
        });
    EXPECT_TRUE(driver.Ended());
    EXPECT_FALSE(IsWindow(driver.Form()));
    if (!hadSettings) {
        EXPECT_EQ(ServerSettings(AppDir()).Read().host, "");
    }
}

}  // namespace
}  // namespace tarnwick::testing
