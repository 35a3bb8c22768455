// What the tests see of the inside of the program's windows and handles where the program
// itself needs no way in: each of those classes names TestInsideWin its friend.
#pragma once

#include <windows.h>

#include "common/timer_win.h"
#include "terminals/autorun_win.h"

namespace tarnwick {

struct TestInsideWin {
    // For TfrmMain; templates, so that tests of other windows need not see the main window.
    template <class MainWindow>
    static const auto& Actions(const MainWindow& window) {
        return window.aclMain;
    }
    template <class MainWindow>
    static bool HideOnClose(const MainWindow& window) {
        return window.hideOnClose;
    }
    template <class MainWindow>
    static const Timer& SweepTimer(const MainWindow& window) {
        return window.tmrClient;
    }

    static UINT Interval(const Timer& timer) { return timer.interval_; }
    static bool IsOpen(const RegistryKey& key) { return key.key_ != nullptr; }
};

}  // namespace tarnwick
