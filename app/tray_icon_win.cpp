#include "app/tray_icon_win.h"

#include <cstddef>
#include <cstring>

#include "common/optional_functions_win.h"

namespace tarnwick {
namespace {

// The shell reads the first form of the record on every version of Windows: its size and
// layout on 32-bit Windows are fixed, on 64-bit the platform's own first form is used.
#if !defined(_WIN64)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88);
static_assert(offsetof(NOTIFYICONDATAA, cbSize) == 0);
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == 4);
static_assert(offsetof(NOTIFYICONDATAA, uID) == 8);
static_assert(offsetof(NOTIFYICONDATAA, uFlags) == 12);
static_assert(offsetof(NOTIFYICONDATAA, uCallbackMessage) == 16);
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == 20);
static_assert(offsetof(NOTIFYICONDATAA, szTip) == 24);
#endif
static_assert(sizeof kTrayTip == 64);

// An elevated program hears nothing from a shell that is not, unless it lets these through.
void AllowFromShell(HWND window, UINT message) {
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
    if (const auto filter = Optional().ChangeWindowMessageFilterEx) {
        filter(window, message, kAllow, nullptr);
    }
}

}  // namespace

NOTIFYICONDATAA TrayIconRecord(HWND window, HICON icon) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = 0;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_TRAYNOTIFY;
    record.hIcon = icon;
    std::memcpy(record.szTip, kTrayTip, sizeof kTrayTip);
    return record;
}

TrayIcon::~TrayIcon() {
    if (added_) Delete();
}

void TrayIcon::Attach(HWND window, HICON icon) {
    window_ = window;
    icon_ = icon;
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    AllowFromShell(window, taskbarCreated_);
    AllowFromShell(window, WM_TRAYNOTIFY);
}

void TrayIcon::SetIcon(HICON icon) {
    icon_ = icon;
    if (added_) Notify(NIM_MODIFY);
}

void TrayIcon::Add() {
    Notify(NIM_ADD);
    added_ = true;
}

void TrayIcon::Delete() {
    Notify(NIM_DELETE);
    added_ = false;
}

void TrayIcon::Notify(DWORD operation) {
    NOTIFYICONDATAA record = TrayIconRecord(window_, icon_);
    Shell_NotifyIconA(operation, &record);
}

bool TrayIcon::ShellRestarted(UINT message, bool inTray) {
    if (taskbarCreated_ == 0 || message != taskbarCreated_) return false;
    if (inTray) Notify(NIM_ADD);
    return true;
}

}  // namespace tarnwick
