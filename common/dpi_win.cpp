#include "common/dpi_win.h"

#include "common/optional_functions_win.h"

namespace tarnwick {
namespace {

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

int SystemDpi() {
    const auto dpiForSystem = Optional().GetDpiForSystem;
    const int dpi = dpiForSystem ? int(dpiForSystem()) : 0;
    return dpi > 0 ? dpi : ScreenDpi();
}

int DpiOf(HWND window) {
    const auto dpiForWindow = Optional().GetDpiForWindow;
    const int dpi = window && dpiForWindow ? int(dpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

RECT DpiScaleRect(int dpi, int x, int y, int width, int height) {
    return {DpiScale(dpi, x), DpiScale(dpi, y), DpiScale(dpi, x + width),
            DpiScale(dpi, y + height)};
}

void PlaceControl(HWND control, int dpi, int x, int y, int width, int height) {
    const RECT r = DpiScaleRect(dpi, x, y, width, height);
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
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

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
    const auto adjust = Optional().AdjustWindowRectExForDpi;
    if (adjust && adjust(&rect, style, menu, exStyle, UINT(dpi))) return;
    AdjustWindowRectEx(&rect, style, menu, exStyle);
}

int SystemMetricForDpi(int index, int dpi) {
    if (const auto metric = Optional().GetSystemMetricsForDpi) return metric(index, UINT(dpi));
    switch (index) {
        case SM_CXICON:
        case SM_CYICON:
            return DpiScale(dpi, 32);
        case SM_CXSMICON:
        case SM_CYSMICON:
            return DpiScale(dpi, 16);
    }
    return GetSystemMetrics(index);
}

}  // namespace tarnwick
