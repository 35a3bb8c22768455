#include "common/dpi_win.h"

namespace tarnwick {
namespace {

// The functions of Windows 10 (1607) and later, where present.
struct DpiFunctions {
    UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
    UINT(WINAPI* dpiForSystem)() = nullptr;
    BOOL(WINAPI* adjustForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    int(WINAPI* metricForDpi)(int, UINT) = nullptr;
};

template <class Function>
void Load(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const DpiFunctions& Functions() {
    static const DpiFunctions functions = [] {
        DpiFunctions f;
        const HMODULE user = GetModuleHandleA("user32.dll");
        Load(user, "GetDpiForWindow", f.dpiForWindow);
        Load(user, "GetDpiForSystem", f.dpiForSystem);
        Load(user, "AdjustWindowRectExForDpi", f.adjustForDpi);
        Load(user, "GetSystemMetricsForDpi", f.metricForDpi);
        return f;
    }();
    return functions;
}

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

int SystemDpi() {
    const DpiFunctions& f = Functions();
    const int dpi = f.dpiForSystem ? int(f.dpiForSystem()) : 0;
    return dpi > 0 ? dpi : ScreenDpi();
}

int DpiOf(HWND window) {
    const DpiFunctions& f = Functions();
    const int dpi = window && f.dpiForWindow ? int(f.dpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

RECT DpiScaleRect(int dpi, int x, int y, int width, int height) {
    return {DpiScale(dpi, x), DpiScale(dpi, y), DpiScale(dpi, x + width),
            DpiScale(dpi, y + height)};
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
    const DpiFunctions& f = Functions();
    if (f.adjustForDpi && f.adjustForDpi(&rect, style, menu, exStyle, UINT(dpi))) return;
    AdjustWindowRectEx(&rect, style, menu, exStyle);
}

int SystemMetricForDpi(int index, int dpi) {
    const DpiFunctions& f = Functions();
    if (f.metricForDpi) return f.metricForDpi(index, UINT(dpi));
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
