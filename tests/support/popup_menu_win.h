// Runs code that opens a popup menu on this thread and, from a helper thread, looks at the menu
// while it is open and then closes it with Escape.
#pragma once

#include <windows.h>

#include <functional>

namespace tarnwick::testing {

struct SeenPopup {
    bool found = false;
    RECT place{};           // the menu's window, in screen coordinates
    UINT firstItemState{};  // GetMenuState of the first item, by position
    int itemCount = 0;
};

// `open` runs on this thread and returns once the menu has closed.
SeenPopup WatchPopupMenu(const std::function<void()>& open);

}  // namespace tarnwick::testing
