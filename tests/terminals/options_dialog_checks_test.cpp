// The options dialog's port check, on leaving the port box and on OK, and its autorun entry.
#include <gtest/gtest.h>

#include "common/message_box.h"
#include "common/text.h"
#include "common/application.h"
#include "options_dialog_fixture_win.h"

namespace tarnwick::testing {
namespace {

std::string UpperCased(std::string text) {
    UpperCaseAscii(text);
    return text;
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
        EXPECT_EQ(Settings().Read().host, "10.1.1.1");
        // Written as typed; the profile functions drop blanks around a value.
        std::string typed = c.port;
        typed.erase(0, typed.find_first_not_of(' '));
        typed.erase(typed.find_last_not_of(' ') + 1);
        EXPECT_EQ(Settings().Read().portText, typed) << '"' << c.port << '"';
    }
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
    EXPECT_EQ(Settings().Read().portText, "8O");
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
        EXPECT_EQ(Settings().Read().portText, "O");
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

// With the host empty, OK only moves the focus to the host box; leaving the port box for it by
// a click is still leaving the box, as it is by Enter.
TEST_F(OptionsDialog, OkWithAnEmptyHostByClickOrEnterChecksThePortBoxItLeft) {
    for (bool enter : {false, true}) {
        const size_t before = Messages().size();
        Open([&] {
            driver_.ClickInto(Item(Form::kEdtPort));
            SetText(Form::kEdtPort, "8O");
            enter ? driver_.Key(VK_RETURN) : driver_.Click(Item(Form::kBtnOk));
            ASSERT_TRUE(driver_.Boxes().WaitForCount(before + 1)) << enter;
            driver_.Settle();
            EXPECT_EQ(FocusedControl(), Item(Form::kEdtPort)) << enter;
            EXPECT_TRUE(StillOpen());
        });
        const Texts seen = Messages();
        ASSERT_EQ(seen.size() - before, 1u) << enter;
        EXPECT_EQ(seen.back(), kBadPort);
    }
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
    for (const std::string& stored : {ProgramHere(), UpperCased(ProgramHere())}) {
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
    StoreRunText(UpperCased(ProgramHere()));
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
    EXPECT_EQ(seen[0].text, "注册表值 Tarnwick 不是字符串。");
}

}  // namespace
}  // namespace tarnwick::testing
