// A window timer with an interval and an enabled state, as the forms' timers have. While it is
// enabled and its window exists, the window receives WM_TIMER with the timer's id every interval.
#pragma once

#include <windows.h>

namespace tarnwick {

class Timer {
  public:
    explicit Timer(UINT_PTR id) : id_(id) {}
    ~Timer() { SetEnabled(false); }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // The window that receives the timer's messages; set once, before the timer is enabled.
    void Attach(HWND window) { window_ = window; }
    UINT_PTR Id() const { return id_; }
    bool Enabled() const { return enabled_; }

    // A new interval restarts an enabled timer.
    void SetInterval(UINT milliseconds) {
        interval_ = milliseconds;
        if (enabled_) SetTimer(window_, id_, interval_, nullptr);
    }
    void SetEnabled(bool enabled) {
        if (enabled && window_ && interval_ > 0) {
            enabled_ = SetTimer(window_, id_, interval_, nullptr) != 0;
        } else if (!enabled && enabled_) {
            KillTimer(window_, id_);
            enabled_ = false;
        }
    }

  private:
    friend struct TestInsideWin;

    HWND window_ = nullptr;
    UINT_PTR id_;
    UINT interval_ = 0;
    bool enabled_ = false;
};

}  // namespace tarnwick
