// The main window's Help commands.
#include "app/about_dialog_win.h"
#include "app/help_win.h"
#include "app/main_window_win.h"

namespace tarnwick {

void TfrmMain::actHelpTopicExecute() {
    tarnwick::actHelpTopicExecute(appDir_);
}

// The main window owns the program's windows: the version window is handed it.
void TfrmMain::actHelpAboutExecute() {
    tarnwick::actHelpAboutExecute(Handle(), appDir_);
}

}  // namespace tarnwick
