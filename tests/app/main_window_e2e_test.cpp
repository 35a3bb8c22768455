// Tarnwick.exe from the outside: started in a temporary AppDir, looked at and driven as a user
// would, through its windows and over TCP.
#include "program_fixture_win.h"

namespace tarnwick::testing {
namespace {

using MainWindow = Program;

TEST_F(MainWindow, ShowsItsCaptionPagesAndStatusBar) {
    Start();
    EXPECT_EQ(WindowText(window_), "Tarnwick3.1");
    RECT r;
    GetWindowRect(window_, &r);
    EXPECT_EQ(r.right - r.left, 655);
    EXPECT_EQ(r.bottom - r.top, 454);
    EXPECT_EQ(Panel(1), "Tarnwick");
    EXPECT_EQ(Panel(2), "状态：停止");
    EXPECT_EQ(Panel(4), "终端数：0");
    EXPECT_EQ(Panel(5), "");
    EXPECT_TRUE(IsWindowVisible(FindChildById(window_, kProductListId)));
    EXPECT_FALSE(IsWindowVisible(FindChildById(window_, kClientGridId)));
}

TEST_F(MainWindow, TheTerminalGridStartsWithItsHeaderAndTheEmptyRow) {
    Start();
    HWND grid = FindChildById(window_, kClientGridId);
    EXPECT_EQ(remote_->ListRows(grid, 5),
              (std::vector<std::vector<std::string>>{{"", "", "", "", ""}}));
}

TEST_F(MainWindow, ASecondStartEndsAtOnceWithoutAWindow) {
    Start();
    TarnwickProcess second(dir_);
    EXPECT_EQ(second.WaitForExit(20000), 0);
    EXPECT_TRUE(process_->Running());
    EXPECT_TRUE(IsWindowVisible(window_));
}

}  // namespace
}  // namespace tarnwick::testing
