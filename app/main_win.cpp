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

    // Never destroyed: connection threads that outlive the window may still read the clock
    // while the process ends.
    static const Clock& clock = *new SystemClock;
    TfrmMain frmMain(clock, AppDir());
    if (!frmMain.Create()) return 1;
    frmMain.Show();
    return frmMain.Run();
}
