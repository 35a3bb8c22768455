// The application's owner window, which owns every dialog and message box of the program: the
// main window while it exists, else null.
#pragma once

#include <windows.h>

namespace tarnwick {

HWND ApplicationWindow();
void SetApplicationWindow(HWND window);

}  // namespace tarnwick
