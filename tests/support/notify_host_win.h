// A plain top-level window for hosting one control under test: it hands the control's
// notifications (WM_NOTIFY) to the test's handler, as the real host window would.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

namespace tarnwick::testing {

class NotifyHost {
  public:
    // The handler returns true when it handled the notice.
    NotifyHost(int width, int height, std::function<bool(NMHDR*)> onNotify);
    ~NotifyHost() { DestroyWindow(hwnd_); }
    NotifyHost(const NotifyHost&) = delete;
    NotifyHost& operator=(const NotifyHost&) = delete;

    HWND Handle() const { return hwnd_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<bool(NMHDR*)> onNotify_;
    HWND hwnd_ = nullptr;
};

}  // namespace tarnwick::testing
