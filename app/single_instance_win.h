// The single-instance test at start-up.
#pragma once

namespace tarnwick {

// When another instance's main window is found, sends it the notice (WM_SHOWWINDOW, 1, 321),
// waits until it has been handled, and returns true: this process then ends.
bool NotifyRunningInstance();

inline constexpr unsigned kInstanceNotice = 321;  // lParam of the notice

}  // namespace tarnwick
