// The main window as the server commands see it: messages, command states and the
// listener-state panel.
#include "app/main_window_win.h"
#include "common/message_box.h"
#include "terminals/set_option_dialog_win.h"

namespace tarnwick {

void TfrmMain::ShowError(const std::string& text) {
    tarnwick::ShowError(text);
}

void TfrmMain::ShowGeneralError(std::string_view text) {
    tarnwick::ShowGeneralError(text);
}

void TfrmMain::SetServerActionsEnabled(bool start, bool stopAndStart, bool stop) {
    aclMain[MainAction::actServerStart].SetEnabled(start);
    aclMain[MainAction::actServerSnS].SetEnabled(stopAndStart);
    aclMain[MainAction::actServerStop].SetEnabled(stop);
}

void TfrmMain::SetListenerStateText(const std::string& text) {
    sbrStatus.SetText(StatusBar::kListener, text);
}

void TfrmMain::actServerOptionExecute() {
    tarnwick::actServerOptionExecute(appDir_);
}

}  // namespace tarnwick
