#include "support/popup_menu_win.h"

#include <chrono>
#include <string_view>
#include <thread>

namespace tarnwick::testing {
namespace {

struct Search {
    DWORD process;
    HWND found = nullptr;
};

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    char name[16] = {};
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window) &&
        GetClassNameA(window, name, sizeof name) && std::string_view(name) == "#32768") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

SeenPopup WatchPopupMenu(const std::function<void()>& open) {
    SeenPopup seen;
    std::thread watcher([&seen] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        Search search{GetCurrentProcessId()};
        while (!search.found && std::chrono::steady_clock::now() < deadline) {
            EnumWindows(&FindMenuWindow, LPARAM(&search));
            if (!search.found) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!search.found) return;
        seen.found = true;
        GetWindowRect(search.found, &seen.place);
        DWORD_PTR menu = 0;
        SendMessageTimeoutA(search.found, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 5000, &menu);
        seen.itemCount = GetMenuItemCount(HMENU(menu));
        seen.firstItemState = GetMenuState(HMENU(menu), 0, MF_BYPOSITION);
        // The menu's own loop reads the keyboard of its thread.
        while (IsWindowVisible(search.found) && std::chrono::steady_clock::now() < deadline) {
            PostMessageA(search.found, WM_KEYDOWN, VK_ESCAPE, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    open();
    watcher.join();
    return seen;
}

}  // namespace tarnwick::testing
