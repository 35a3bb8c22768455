// Tarnwick.exe: the single-instance test, then the main window and its event loop.
#include <windows.h>
#include <commctrl.h>

#include "app/main_window_win.h"
#include "app/single_instance_win.h"
#include "common/app_dir.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace tarnwick;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (NotifyRunningInstance()) return 0;

    static const SystemClock clock;
    TfrmMain frmMain(clock, AppDir());
    if (!frmMain.Create()) return 1;
    frmMain.Show();
    return frmMain.Run();
}
