#include "common/modal_win.h"

namespace tarnwick {
namespace {

BOOL CALLBACK CollectEnabled(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

}  // namespace

OtherWindowsDisabled::OtherWindowsDisabled(HWND modal) {
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabled, LPARAM(&disabled_));
    std::erase(disabled_, modal);
    for (HWND w : disabled_)
        EnableWindow(w, FALSE);
}

OtherWindowsDisabled::~OtherWindowsDisabled() {
    for (HWND w : disabled_) {
        if (IsWindow(w)) EnableWindow(w, TRUE);
    }
}

}  // namespace tarnwick
