// sbrStatus: the main window's status bar, six panels along the bottom edge, 21 pixels high at
// 96 DPI.
#pragma once

#include <windows.h>

#include <string>

namespace tarnwick {

class StatusBar {
  public:
    enum Panel {
        kOwnerDrawn = 0,
        kTitle = 1,
        kListener = 2,
        kProducts = 3,
        kTerminals = 4,
        kLast = 5
    };
    static constexpr int kHeight = 21;

    void Create(HWND parent, int id);
    // Sizes the bar and its panels at `dpi`.
    void SetDpi(int dpi);
    // Its height at the DPI it was last sized for.
    int Height() const { return height_; }
    HWND Handle() const { return hwnd_; }
    void SetText(int panel, const std::string& text);
    // "终端数：" and the number of terminals present.
    void SetTerminalCount(size_t count);
    // Follows the parent's size; the bar keeps its height.
    void Resize();
    bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
    void SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

  private:
    HWND hwnd_ = nullptr;
    int height_ = kHeight;
};

}  // namespace tarnwick
