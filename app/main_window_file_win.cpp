// The File commands of the main window.
#include "app/main_window_win.h"

namespace tarnwick {

// The property view of the selected product; not built yet.
void TfrmMain::actFilePropertyExecute() {}

// Ends the program after the user confirms; not built yet.
void TfrmMain::actFileExitExecute() {}

}  // namespace tarnwick
