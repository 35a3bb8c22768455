// The options dialog as a user meets it: opened modally, typed into, clicked and left with the
// focus, with main.ini and the machine-wide Run key read back afterwards.
#include "terminals/set_option_dialog_win.h"

#include <gtest/gtest.h>

#include <optional>

#include "common/message_box.h"
#include "common/text.h"
#include "form_driver_win.h"
#include "scratch_folder.h"
#include "terminals/autorun_win.h"
#include "terminals/host_choices.h"
#include "terminals/local_addresses_win.h"
#include "terminals/settings.h"

namespace tarnwick {
namespace {

using testing::FormDriver;
using testing::ScratchFolder;
using Texts = std::vector<std::string>;
using Form = TfrmSetOption;

constexpr const char* kBadPort = "请输入合法的端口值。";

// The Run value "Tarnwick" as stored (type and text), read past the code under test.
struct RunValue {
    DWORD type = 0;
    std::string text;
    bool operator==(const RunValue&) const = default;
};

std::optional<RunValue> StoredRunValue() {
    char data[2048] = {};
    DWORD type = 0, size = sizeof data - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutorunValue, RRF_RT_ANY | RRF_NOEXPAND,
                     &type, data, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return RunValue{type, std::string(data)};
}

void StoreRunValue(DWORD type, std::string_view bytes) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, kAutorunValue, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   DWORD(bytes.size()));
    RegCloseKey(key);
}

void StoreRunText(const std::string& text) {
    StoreRunValue(REG_SZ, std::string_view(text.c_str(), text.size() + 1));
}

void DeleteRunValue() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, kAutorunValue);
        RegCloseKey(key);
    }
}

class OptionsDialog : public ::testing::Test {
  protected:
    void SetUp() override { DeleteRunValue(); }
    void TearDown() override { DeleteRunValue(); }

    // Opens the dialog on `folder` (the scratch folder unless given) and runs `script` on it.
    void Open(const std::function<void()>& script, std::string folder = {}) {
        if (folder.empty()) folder = folder_.Folder();
        driver_.Run(
            kSetOptionClass,
            [&] {
                Form form(nullptr, folder);
                form.ShowModal();
            },
            script);
    }

    HWND Item(Form::ControlId id) const { return driver_.Item(id); }
    std::string Text(Form::ControlId id) const { return driver_.Text(Item(id)); }
    void SetText(Form::ControlId id, std::string_view text) { driver_.SetText(Item(id), text); }
    bool Checked() const {
        return driver_.Send(Item(Form::kChkAutoRun), BM_GETCHECK) == BST_CHECKED;
    }
    // The control holding the focus; the edit part of the host box counts as the box.
    HWND FocusedControl() const {
        HWND focus = driver_.Focus();
        return GetParent(focus) == Item(Form::kCmbHost) ? Item(Form::kCmbHost) : focus;
    }
    bool StillOpen() const { return !driver_.Ended() && IsWindowVisible(driver_.Form()); }
    // Types host and port, then clicks OK.
    void SaveWith(std::string_view host, std::string_view port) {
        SetText(Form::kCmbHost, host);
        SetText(Form::kEdtPort, port);
        driver_.Click(Item(Form::kBtnOk));
    }
    Texts Messages() const { return driver_.Boxes().Texts(); }
    ServerSettings Settings() const { return ServerSettings(folder_.Folder()); }
    std::string ProgramHere() const { return folder_.Folder() + "Tarnwick.exe"; }

    ScratchFolder folder_;
    FormDriver driver_;
};

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
            EXPECT_EQ(HFONT(driver_.Send(control, WM_GETFONT)), UiFont()) << c.caption;
        }
        const LONG combo = GetWindowLongA(Item(Form::kCmbHost), GWL_STYLE);
        EXPECT_EQ(combo & 3, CBS_DROPDOWN);
        const LONG check = GetWindowLongA(Item(Form::kChkAutoRun), GWL_STYLE);
        EXPECT_EQ(check & BS_TYPEMASK, BS_AUTOCHECKBOX);
        for (Form::ControlId button : {Form::kBtnOk, Form::kBtnCancel}) {
            EXPECT_EQ(GetWindowLongA(Item(button), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
        }
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
    Open([&] {
        HWND combo = Item(Form::kCmbHost);
        Texts offered;
        const LRESULT count = driver_.Send(combo, CB_GETCOUNT);
        for (LRESULT i = 0; i < count; ++i) {
            char entry[64] = {};
            driver_.Send(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(entry));
            offered.push_back(entry);
        }
        ASSERT_FALSE(offered.empty());
        EXPECT_EQ(offered.front(), "127.0.0.1");
        EXPECT_EQ(offered, HostChoices(LocalIpv4Addresses()));
        EXPECT_EQ(Text(Form::kCmbHost), "");
    });
}

TEST_F(OptionsDialog, EnterAndEscapePressNoButton) {
    Open([&] {
        SetText(Form::kCmbHost, "10.0.0.1");
        driver_.Key(VK_RETURN);
        driver_.Key(VK_ESCAPE);
        EXPECT_TRUE(StillOpen());
        driver_.Click(Item(Form::kBtnCancel));
    });
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(folder_.Holds("main.ini"));
}

TEST_F(OptionsDialog, AccessKeysPressTheButtonsAndToggleTheCheckBox) {
    Open([&] {
        driver_.AltKey('w');
        EXPECT_TRUE(Checked());
        SetText(Form::kCmbHost, "10.0.0.1");
        driver_.AltKey('o');
    });
    EXPECT_TRUE(driver_.Ended());
    EXPECT_EQ(Settings().Host(), "10.0.0.1");
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
    EXPECT_EQ(Settings().Host(), "192.168.200.7");
    EXPECT_EQ(Settings().PortText(), "0");
}

TEST_F(OptionsDialog, OkChecksThePortButSavesItAsTypedAndCloses) {
    const struct {
        const char* port;
        bool valid;
    } cases[] = {
        {"0", true},     {"$32", true},  {"0x32", true}, {" 80", true}, {"-1", true},
        {"70000", true}, {"80 ", false}, {"8O", false},  {"O", false},  {"0x", false},
    };
    for (const auto& c : cases) {
        const size_t before = driver_.Boxes().Seen().size();
        Open([&] { SaveWith("10.1.1.1", c.port); });
        const auto seen = driver_.Boxes().Seen();
        EXPECT_TRUE(driver_.Ended()) << c.port;
        ASSERT_EQ(seen.size() - before, c.valid ? 0u : 1u) << '"' << c.port << '"';
        if (!c.valid) {
            EXPECT_EQ(seen.back().caption, "Tarnwick");
            EXPECT_EQ(seen.back().text, kBadPort);
        }
        EXPECT_EQ(Settings().Host(), "10.1.1.1");
        // Written as typed; the profile functions drop blanks around a value.
        std::string typed = c.port;
        typed.erase(0, typed.find_first_not_of(' '));
        typed.erase(typed.find_last_not_of(' ') + 1);
        EXPECT_EQ(Settings().PortText(), typed) << '"' << c.port << '"';
    }
}

TEST_F(OptionsDialog, AnEmptyPortIsSavedEmptyWithoutAMessage) {
    Open([&] { SaveWith("10.1.1.1", ""); });
    EXPECT_TRUE(driver_.Ended());
    EXPECT_TRUE(Messages().empty());
    EXPECT_NE(folder_.Read("main.ini").find("ip=\r\n"), std::string::npos);
    EXPECT_EQ(Settings().Port(), 0);
}

TEST_F(OptionsDialog, AnEmptyHostOnlyMovesTheFocusToTheHostBox) {
    Open([&] {
        driver_.Click(Item(Form::kChkAutoRun));
        driver_.ClickInto(Item(Form::kEdtPort));
        SetText(Form::kEdtPort, "8O");
        driver_.Click(Item(Form::kBtnOk));
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

// The port check when the port box loses the focus

TEST_F(OptionsDialog, LeavingThePortBoxWithAnInvalidPortBringsTheFocusBack) {
    Open([&] {
        driver_.ClickInto(Item(Form::kEdtPort));
        SetText(Form::kEdtPort, "80 ");
        driver_.Key(VK_TAB);
        EXPECT_EQ(Messages(), Texts{kBadPort});
        EXPECT_EQ(driver_.Boxes().Seen().back().caption, "Tarnwick");
        EXPECT_EQ(FocusedControl(), Item(Form::kEdtPort));
        SetText(Form::kEdtPort, "80");
        driver_.ClickInto(Item(Form::kCmbHost));
        EXPECT_EQ(FocusedControl(), Item(Form::kCmbHost));
        EXPECT_TRUE(StillOpen());
    });
    EXPECT_EQ(Messages(), Texts{kBadPort});
    EXPECT_FALSE(folder_.Holds("main.ini"));
}

TEST_F(OptionsDialog, LeavingThePortBoxEmptyOrValidSaysNothing) {
    Open([&] {
        for (const char* port : {"", "0", "$FFFF", "-65536"}) {
            driver_.ClickInto(Item(Form::kEdtPort));
            SetText(Form::kEdtPort, port);
            driver_.Key(VK_TAB);
            EXPECT_EQ(FocusedControl(), Item(Form::kChkAutoRun)) << port;
        }
    });
    EXPECT_TRUE(Messages().empty());
}

// Clicking OK with the focus in the port box makes the box lose the focus first; that check
// is left to the OK, so the user sees one message and the click is not lost.
TEST_F(OptionsDialog, OkFromAnInvalidPortBoxShowsOneMessageAndSaves) {
    Open([&] {
        SetText(Form::kCmbHost, "10.0.0.1");
        driver_.ClickInto(Item(Form::kEdtPort));
        SetText(Form::kEdtPort, "8O");
        driver_.Press(Item(Form::kBtnOk));
        EXPECT_TRUE(Messages().empty());
        driver_.Release(Item(Form::kBtnOk), true);
    });
    EXPECT_TRUE(driver_.Ended());
    EXPECT_EQ(Messages(), Texts{kBadPort});
    EXPECT_EQ(Settings().PortText(), "8O");
}

TEST_F(OptionsDialog, OkByClickOrAccessKeyFromAnInvalidPortBoxShowsOneMessage) {
    for (bool accessKey : {false, true}) {
        const size_t before = Messages().size();
        Open([&] {
            SetText(Form::kCmbHost, "10.0.0.1");
            driver_.ClickInto(Item(Form::kEdtPort));
            SetText(Form::kEdtPort, "O");
            if (accessKey) {
                driver_.AltKey('o');
            } else {
                driver_.Click(Item(Form::kBtnOk));
            }
        });
        EXPECT_TRUE(driver_.Ended());
        EXPECT_EQ(Messages().size() - before, 1u) << accessKey;
        EXPECT_EQ(Settings().PortText(), "O");
    }
}

TEST_F(OptionsDialog, APressOnOkThatEndsOutsideChecksThePortAfterwards) {
    Open([&] {
        SetText(Form::kCmbHost, "10.0.0.1");
        driver_.ClickInto(Item(Form::kEdtPort));
        SetText(Form::kEdtPort, "8O");
        driver_.Press(Item(Form::kBtnOk));
        driver_.Release(Item(Form::kBtnOk), false);
        ASSERT_TRUE(driver_.Boxes().WaitForCount(1));
        driver_.Settle();
        EXPECT_EQ(Messages(), Texts{kBadPort});
        EXPECT_EQ(FocusedControl(), Item(Form::kEdtPort));
        EXPECT_TRUE(StillOpen());
        driver_.Click(Item(Form::kBtnCancel));
    });
    EXPECT_FALSE(folder_.Holds("main.ini"));
}

TEST_F(OptionsDialog, CancelFromAnInvalidPortBoxClosesWithoutAMessage) {
    Open([&] {
        driver_.ClickInto(Item(Form::kEdtPort));
        SetText(Form::kEdtPort, "8O");
        driver_.Press(Item(Form::kBtnCancel));
        driver_.Release(Item(Form::kBtnCancel), true);
    });
    EXPECT_TRUE(driver_.Ended());
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(folder_.Holds("main.ini"));
}

// The autorun entry

TEST_F(OptionsDialog, TheRunValueOfThisFolderInAnyLetterCaseShowsChecked) {
    for (const std::string& stored : {ProgramHere(), UpperCasedAscii(ProgramHere())}) {
        StoreRunText(stored);
        Open([&] {
            EXPECT_TRUE(Checked()) << stored;
            driver_.Click(Item(Form::kBtnCancel));
        });
        EXPECT_EQ(StoredRunValue(), (RunValue{REG_SZ, stored}));
    }
}

TEST_F(OptionsDialog, AnExpandableRunValueCountsAsText) {
    StoreRunValue(REG_EXPAND_SZ, std::string_view(ProgramHere().c_str(), ProgramHere().size() + 1));
    Open([&] { EXPECT_TRUE(Checked()); });
    EXPECT_TRUE(Messages().empty());
}

TEST_F(OptionsDialog, ARunValueOfAnotherFolderShowsUncheckedAndOkDeletesIt) {
    StoreRunText("C:\\Other Folder\\Tarnwick.exe");
    Open([&] {
        EXPECT_FALSE(Checked());
        SaveWith("10.0.0.1", "80");
    });
    EXPECT_TRUE(driver_.Ended());
    EXPECT_FALSE(StoredRunValue());
}

TEST_F(OptionsDialog, UncheckedWithoutARunValueWritesNone) {
    Open([&] { SaveWith("10.0.0.1", "80"); });
    EXPECT_TRUE(driver_.Ended());
    EXPECT_FALSE(StoredRunValue());
}

TEST_F(OptionsDialog, CheckedWritesTheRunValueEveryTime) {
    StoreRunText(UpperCasedAscii(ProgramHere()));
    Open([&] {
        EXPECT_TRUE(Checked());
        SaveWith("10.0.0.1", "80");
    });
    EXPECT_EQ(StoredRunValue(), (RunValue{REG_SZ, ProgramHere()}));
    DeleteRunValue();
    Open([&] {
        driver_.Click(Item(Form::kChkAutoRun));
        SaveWith("10.0.0.1", "80");
    });
    EXPECT_EQ(StoredRunValue(), (RunValue{REG_SZ, ProgramHere()}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(OptionsDialog, ARunValueOfAnotherTypeGoesToTheGeneralErrorBoxAndTheDialogOpens) {
    folder_.Write("main.ini", "[server]\r\nhost=10.9.9.9\r\nip=81\r\n");
    StoreRunValue(REG_DWORD, std::string_view("\x01\x00\x00\x00", 4));
    Open([&] {
        EXPECT_EQ(Text(Form::kCmbHost), "10.9.9.9");
        EXPECT_EQ(Text(Form::kEdtPort), "81");
        EXPECT_FALSE(Checked());
        driver_.Click(Item(Form::kBtnCancel));
    });
    const auto seen = driver_.Boxes().Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, kApplicationTitle);
    EXPECT_TRUE(seen[0].text.ends_with(".")) << seen[0].text;
}

// The command

TEST(ServerOptionCommand, ShowsTheDialogModallyAndReturnsWhenItCloses) {
    const bool hadSettings = ServerSettings(AppDir()).Host() != "";
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
        EXPECT_EQ(ServerSettings(AppDir()).Host(), "");
    }
}

}  // namespace
}  // namespace tarnwick
