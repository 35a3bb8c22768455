// The Help commands of the main window.
#include "app/main_window_win.h"

namespace tarnwick {

// Opens the help file; not built yet.
void TfrmMain::actHelpTopicExecute() {}

// The about dialog; not built yet.
void TfrmMain::actHelpAboutExecute() {}

}  // namespace tarnwick
