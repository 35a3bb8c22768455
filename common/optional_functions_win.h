// The functions of Windows that older versions lack, looked up by name once: each is null where
// this Windows has none, and its caller falls back on what older versions offer.
#pragma once

#include <windows.h>

namespace tarnwick {

struct OptionalFunctions {
    // Windows 10 (1607) and later.
    UINT(WINAPI* GetDpiForWindow)(HWND) = nullptr;
    UINT(WINAPI* GetDpiForSystem)() = nullptr;
    BOOL(WINAPI* AdjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    int(WINAPI* GetSystemMetricsForDpi)(int, UINT) = nullptr;
    // Windows 7 and later.
    BOOL(WINAPI* ChangeWindowMessageFilterEx)(HWND, UINT, DWORD, void*) = nullptr;
};

const OptionalFunctions& Optional();

}  // namespace tarnwick
