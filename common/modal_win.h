// What makes a window modal to the whole application: while one is up, every other visible
// top-level window of the thread is disabled, and enabled again once it has gone.
#pragma once

#include <windows.h>

#include <vector>

namespace tarnwick {

class OtherWindowsDisabled {
  public:
    // Disables the thread's visible, enabled top-level windows other than `modal`.
    explicit OtherWindowsDisabled(HWND modal = nullptr);
    // Enables those of them that still exist.
    ~OtherWindowsDisabled();
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

  private:
    std::vector<HWND> disabled_;
};

}  // namespace tarnwick
