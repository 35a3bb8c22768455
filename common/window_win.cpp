#include "common/window_win.h"

#include <commctrl.h>

#include <atomic>
#include <map>
#include <mutex>
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

namespace {
std::atomic<HWND> applicationWindow{nullptr};
}  // namespace

HWND ApplicationWindow() {
    return applicationWindow.load();
}

void SetApplicationWindow(HWND window) {
    applicationWindow.store(window);
}

HFONT UiFont(int dpi) {
    static std::mutex mutex;
    static std::map<int, HFONT> fonts;
    const std::lock_guard<std::mutex> lock(mutex);
    HFONT& font = fonts[dpi];
    if (!font) {
        font = CreateFontW(-DpiScale(dpi, 12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, Wide("宋体").c_str());
    }
    return font;
}

HWND CreateControl(HWND parent, const char* className, const char* caption, DWORD style, int x,
                   int y, int width, int height, int id, DWORD exStyle) {
    const int dpi = DpiOf(parent);
    const RECT r = DpiScaleRect(dpi, x, y, width, height);
    HWND control = CreateWindowExW(exStyle, Wide(className).c_str(), Wide(caption).c_str(),
                                   WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, parent, HMENU(INT_PTR(id)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (control) SendMessageA(control, WM_SETFONT, WPARAM(UiFont(dpi)), FALSE);
    return control;
}

void PlaceControl(HWND control, int dpi, int x, int y, int width, int height) {
    const RECT r = DpiScaleRect(dpi, x, y, width, height);
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScaleColumns(HWND list, int fromDpi, int toDpi) {
    const HWND header = HWND(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? int(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < columns; ++i) {
        const int width = int(SendMessageA(list, LVM_GETCOLUMNWIDTH, WPARAM(i), 0));
        SendMessageA(list, LVM_SETCOLUMNWIDTH, WPARAM(i), MulDiv(width, toDpi, fromDpi));
    }
}

std::string WindowTextOf(HWND window) {
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return Narrow(text);
}

void SetClientSizeCentred(HWND window, int width, int height) {
    const int dpi = DpiOf(window);
    RECT r{0, 0, DpiScale(dpi, width), DpiScale(dpi, height)};
    AdjustWindowRectForDpi(r, DWORD(GetWindowLongPtrA(window, GWL_STYLE)),
                           GetMenu(window) != nullptr,
                           DWORD(GetWindowLongPtrA(window, GWL_EXSTYLE)), dpi);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    SetWindowPos(window, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tarnwick
