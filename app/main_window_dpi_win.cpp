// The main window at the DPI of its monitor: its icons, and everything laid out again when it
// moves to a monitor of another scaling.
#include <utility>

#include "app/images_win.h"
#include "app/main_window_win.h"
#include "common/font_win.h"

namespace tarnwick {
namespace {

BOOL CALLBACK SetFont(HWND control, LPARAM font) {
    SendMessageA(control, WM_SETFONT, WPARAM(font), TRUE);
    return TRUE;
}

}  // namespace

// The title bar and the task bar take the icons drawn for their sizes at the window's DPI; the
// notification area, on the primary monitor, the small icon at the system's.
void TfrmMain::ShowIcons() {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG,
                 LPARAM(ProgramIcon(SystemMetricForDpi(SM_CXICON, dpi_))));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL,
                 LPARAM(ProgramIcon(SystemMetricForDpi(SM_CXSMICON, dpi_))));
    trayIcon_.SetIcon(ProgramIcon(SystemMetricForDpi(SM_CXSMICON, SystemDpi())));
}

// The window takes the rectangle Windows suggests; fonts, images, bars and columns follow.
void TfrmMain::OnDpiChanged(int dpi, const RECT& suggested) {
    const int oldDpi = std::exchange(dpi_, dpi);
    const HFONT font = UiFont(dpi);
    SendMessageA(Handle(), WM_SETFONT, WPARAM(font), FALSE);
    EnumChildWindows(Handle(), &SetFont, LPARAM(font));
    ShowIcons();
    ImageListHandle images = CreateMainImages(MainImageSize(dpi));
    cbrTool.SetDpi(dpi, images.Get());
    menus_->SetImages(images.Get());
    imlMain = std::move(images);  // nothing shows the old images any more
    sbrStatus.SetDpi(dpi);
    lstvProduct.SetDpi(dpi, oldDpi);
    sgrdClient.SetDpi(dpi, oldDpi);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
}

}  // namespace tarnwick
