#include "common/window_win.h"

#include <utility>

#include "common/message_box.h"
#include "common/wide_text_win.h"

namespace tarnwick {

Window::~Window() {
    DestroyDetached();
}

void Window::DestroyDetached() {
    if (HWND window = std::exchange(hwnd_, nullptr)) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

bool Window::Create(const char* className, DWORD exStyle, DWORD style, const char* caption, int x,
                    int y, int width, int height, HWND parent, HICON icon) {
    // Registered and created through the W functions: a Unicode window shows its texts alike on
    // every system code page.
    const std::wstring wideClass = Wide(className);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    HINSTANCE instance = ThisModule();
    if (!GetClassInfoExW(instance, wideClass.c_str(), &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Window::Procedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
        wc.lpszClassName = wideClass.c_str();
        wc.hIcon = icon;
        wc.hIconSm = icon;
        if (!RegisterClassExW(&wc)) return false;
    }
    return CreateWindowExW(exStyle, wideClass.c_str(), Wide(caption).c_str(), style, x, y, width,
                           height, parent, nullptr, instance, this) != nullptr;
}

// The module this code is linked into: a library's windows register their classes under the
// library, so they never meet a class of the same name in the program.
HINSTANCE Window::ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&Window::Procedure), &module);
    return module;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, LONG_PTR(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    // Errors that no command handled stop at the window's edge and reach the error box.
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ShowCurrentException();
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace tarnwick
