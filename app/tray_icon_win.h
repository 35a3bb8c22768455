// The main window's icon in the notification area: identified by (main window, 0), tip
// "Tarnwick", and WM_TRAYNOTIFY back to the window for every mouse event on it.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace tarnwick {

// The icon's message to the main window; its lParam is the mouse message.
inline constexpr UINT WM_TRAYNOTIFY = 3775;
// The one mouse message on the icon that does anything.
inline constexpr LPARAM kTrayDoubleClick = WM_LBUTTONDBLCLK;  // 515

// The tip, a fixed 64-byte block: "Tarnwick" and zero bytes to the field's end.
inline constexpr char kTrayTip[64] = "Tarnwick";

// The icon record in the shell's first form (88 bytes on 32-bit Windows): window, id 0, the
// message, the icon and the tip valid. Built afresh for every call.
NOTIFYICONDATAA TrayIconRecord(HWND window, HICON icon);

class TrayIcon {
  public:
    TrayIcon() = default;
    // An icon still shown when the program ends goes with it.
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Called once the window exists.
    void Attach(HWND window, HICON icon);
    // Shows `icon` from now on, at once when the icon is in the notification area.
    void SetIcon(HICON icon);

    // The shell's answers are not looked at: the window goes to the tray and comes back from it
    // whatever the shell did with the icon.
    void Add();
    void Delete();
    // Between an Add and the next Delete.
    bool Added() const { return added_; }

    // True when `message` says that the shell has started afresh. Every icon is gone then; the
    // icon is added again when `inTray`, since a hidden window is reached only through it.
    bool ShellRestarted(UINT message, bool inTray);

  private:
    void Notify(DWORD operation);

    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool added_ = false;
};

}  // namespace tarnwick
