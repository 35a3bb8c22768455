// The File commands of the main window.
#include "app/main_window_win.h"
#include "products/property_dialog_win.h"

namespace tarnwick {

void TfrmMain::actFilePropertyExecute() {
    tarnwick::actFilePropertyExecute(lstvProduct);
}

// FormClose runs at once with the flag cleared: it asks, stops the listener and ends the program.
void TfrmMain::actFileExitExecute() {
    hideOnClose = false;
    Close();
}

}  // namespace tarnwick
