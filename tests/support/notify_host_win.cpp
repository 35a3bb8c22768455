#include "support/notify_host_win.h"

namespace tarnwick::testing {

NotifyHost::NotifyHost(int width, int height, std::function<bool(NMHDR*)> onNotify)
    : onNotify_(std::move(onNotify)) {
    // A Unicode window, as the program's windows are: its controls notify it in the W forms.
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = L"TarnwickTestHost";
    RegisterClassW(&wc);  // fails harmlessly when the class exists
    hwnd_ = CreateWindowW(wc.lpszClassName, L"host", WS_OVERLAPPEDWINDOW, 0, 0, width, height,
                          nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, LONG_PTR(this));
}

LRESULT CALLBACK NotifyHost::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<NotifyHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NOTIFY && self && self->onNotify_(reinterpret_cast<NMHDR*>(lParam))) {
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tarnwick::testing
