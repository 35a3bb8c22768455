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

// A window of the main window's class in this process, as another program might have.
class Decoy {
  public:
    explicit Decoy(const char* caption) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TfrmMain";
        RegisterClassA(&wc);  // once per process; later calls fail harmlessly
        window_ = CreateWindowA("TfrmMain", caption, WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        notices = 0;
    }
    ~Decoy() { DestroyWindow(window_); }
    Decoy(const Decoy&) = delete;
    Decoy& operator=(const Decoy&) = delete;

    static inline int notices = 0;  // single-instance notices received

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SHOWWINDOW && lParam == 321) ++notices;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND window_;
};

TEST_F(MainWindow, AWindowOfTheSameClassWithAnotherCaptionDoesNotStopTheStart) {
    for (const char* caption : {"", "Tarnwick3", "tarnwick3.1", "Tarnwick3.2", "Tarnwick 3.1"}) {
        const Decoy decoy(caption);
        Start();
        EXPECT_TRUE(process_->Running()) << caption;
        EXPECT_EQ(Decoy::notices, 0) << caption;
        process_.reset();
    }
    // The search does see this process's windows: one with the title and more is an instance.
    const Decoy running("Tarnwick3.1 (2)");
    TarnwickProcess second(dir_);
    int exitCode = -1;
    for (int i = 0; i < 200 && (exitCode = second.WaitForExit(100)) < 0;) {
        MSG msg;  // the notice is sent to this thread: take it
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        ++i;
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(Decoy::notices, 1);
}

}  // namespace
}  // namespace tarnwick::testing
