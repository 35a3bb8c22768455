// Tarnwick.exe from the outside: started in a temporary AppDir, looked at and driven as a user
// would, through its windows and over TCP.
#include <gtest/gtest.h>

#include "remote_window_win.h"
#include "tarnwick_process_win.h"

namespace tarnwick::testing {
namespace {

constexpr int kStatusBarId = 13;
constexpr int kProductListId = 11;
constexpr int kClientGridId = 12;

class MainWindow : public ::testing::Test {
  protected:
    void Start() {
        process_ = std::make_unique<TarnwickProcess>(dir_);
        window_ = process_->WaitForMainWindow();
        ASSERT_NE(window_, nullptr);
        remote_ = std::make_unique<RemoteProcess>(window_);
    }
    HWND StatusBar() const { return FindChildById(window_, kStatusBarId); }
    std::string Panel(int panel) { return remote_->StatusText(StatusBar(), panel); }

    TempFolder dir_;
    std::unique_ptr<TarnwickProcess> process_;
    HWND window_ = nullptr;
    std::unique_ptr<RemoteProcess> remote_;
};

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
