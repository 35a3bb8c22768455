// The message boxes as a user meets them: found on the desktop, read and answered.
#include "common/message_box.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/dialog_answerer.h"

namespace tarnwick {
namespace {

using testing::DialogAnswerer;

TEST(CodePage, IsTheChineseOneOfTheProgramsTexts) {
    EXPECT_EQ(GetACP(), 936u);
}

TEST(MessageBoxes, CarryTheTitleTextAndButtons) {
    DialogAnswerer answerer(IDOK);
    ShowError("服务启动失败。");
    const auto seen = answerer.Seen();
    EXPECT_EQ(seen.caption, "Tarnwick");
    EXPECT_EQ(seen.text, "服务启动失败。");
    EXPECT_TRUE(seen.hasOk);
    EXPECT_FALSE(seen.hasYes);
}

TEST(MessageBoxes, InfoAndWarningHaveOneOkButton) {
    for (auto show : {&ShowInfo, &ShowWarning}) {
        DialogAnswerer answerer(IDOK);
        show("请设置服务参数。");
        const auto seen = answerer.Seen();
        EXPECT_EQ(seen.caption, "Tarnwick");
        EXPECT_EQ(seen.text, "请设置服务参数。");
        EXPECT_TRUE(seen.hasOk);
    }
}

TEST(MessageBoxes, AskYesNoIsTrueOnlyForYes) {
    {
        DialogAnswerer answerer(IDYES);
        EXPECT_TRUE(AskYesNo("退出?"));
        EXPECT_TRUE(answerer.Seen().hasNo);
    }
    DialogAnswerer answerer(IDNO);
    EXPECT_FALSE(AskYesNo("退出?"));
}

TEST(MessageBoxes, GeneralErrorAddsAFullStopUnderTheApplicationTitle) {
    DialogAnswerer answerer(IDOK);
    ShowGeneralError("Terminate Thread Timeout");
    EXPECT_EQ(answerer.Seen().caption, "Tarnwick3.1");
    EXPECT_EQ(answerer.Seen().text, "Terminate Thread Timeout.");
}

TEST(MessageBoxes, DisableTheApplicationsOtherWindowsWhileOpen) {
    HWND other = CreateWindowA("STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                               nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(other);
    DialogAnswerer answerer(IDOK, [other] { return IsWindowEnabled(other) == FALSE; });
    ShowInfo("x");
    EXPECT_TRUE(answerer.Seen().probe);
    EXPECT_TRUE(IsWindowEnabled(other));
    DestroyWindow(other);
}

}  // namespace
}  // namespace tarnwick
