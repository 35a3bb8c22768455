// Display scaling. Every position and size of the program is a figure at 96 DPI, scaled here to
// the DPI of the window that shows it. The functions that tell a window's DPI are missing from
// older Windows: they are loaded once by name, and without them the system DPI stands for every
// window's.
#pragma once

#include <windows.h>

namespace tarnwick {

inline constexpr int kDefaultDpi = 96;

// The DPI that the system gives windows of this process that know of no other.
int SystemDpi();
// The DPI of `window`'s monitor as this process sees it; the system DPI without a window.
int DpiOf(HWND window);

// A 96-DPI figure at `dpi`.
inline int DpiScale(int dpi, int x) {
    return MulDiv(x, dpi, kDefaultDpi);
}
inline int DpiScale(HWND window, int x) {
    return DpiScale(DpiOf(window), x);
}

// A rectangle given at 96 DPI as left, top, width and height, at `dpi`, as corners. Each edge
// is scaled on its own, so that neighbouring controls stay neighbours.
RECT DpiScaleRect(int dpi, int x, int y, int width, int height);

// Moves `control` to (x, y), `width` × `height`, given at 96 DPI, at `dpi`.
void PlaceControl(HWND control, int dpi, int x, int y, int width, int height);

// Resizes a window so that its client area is `width` × `height` at 96 DPI, at the window's DPI,
// and centres it on the desktop.
void SetClientSizeCentred(HWND window, int width, int height);

// The window rectangle around a client rectangle at `dpi` (AdjustWindowRectExForDpi).
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);
// A system metric at `dpi` (GetSystemMetricsForDpi); without it, the 96-DPI default sizes
// of the icons scaled, and other metrics as the system gives them.
int SystemMetricForDpi(int index, int dpi);

}  // namespace tarnwick
