#include "app/single_instance_win.h"

#include <windows.h>

#include <string>

#include "app/main_window_win.h"
#include "app/single_instance.h"
#include "common/application.h"

namespace tarnwick {

bool NotifyRunningInstance() {
    HWND found = FindWindowA(kMainWindowClass, nullptr);
    if (!found) return false;
    const int length = GetWindowTextLengthA(found);
    std::string text(size_t(std::max(length, 0)) + 1, '\0');
    text.resize(size_t(GetWindowTextA(found, text.data(), int(text.size()))));
    if (!IsRunningInstanceTitle(text, kApplicationTitle)) return false;
    SendMessageA(found, WM_SHOWWINDOW, 1, kInstanceNotice);
    return true;
}

}  // namespace tarnwick
