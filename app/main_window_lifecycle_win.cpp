// The main window between shown and the notification area, and the end of the program: system
// commands, the icon's messages, closing.
#include "app/main_window_win.h"
#include "common/message_box.h"

namespace tarnwick {

// FormClose runs at once with the flag cleared: it asks, stops the listener and ends the program.
void TfrmMain::actFileExitExecute() {
    hideOnClose = false;
    Close();
}

bool TfrmMain::InTray() const {
    return trayIcon_.Added() && !IsWindowVisible(Handle());
}

// Every system command is handled here: minimizing puts the window away instead, and all the
// others go unchanged to the default processing, so a close command becomes a close request.
void TfrmMain::OnSysCommand(UINT message, WPARAM command, LPARAM lParam) {
    if (command == SC_MINIMIZE) return HideToTray();
    DefWindowProcW(Handle(), message, command, lParam);
}

void TfrmMain::HideToTray() {
    trayIcon_.Add();
    ShowWindow(Handle(), SW_HIDE);
}

void TfrmMain::TrayNotify(LPARAM mouseMessage) {
    if (mouseMessage != kTrayDoubleClick) return;
    if (IsWindowVisible(Handle())) {
        ShowWindow(Handle(), SW_HIDE);  // the icon stays
        return;
    }
    trayIcon_.Delete();
    ShowWindow(Handle(), SW_SHOW);
    const HWND last = GetLastActivePopup(Handle());
    if (IsWindowVisible(last) && IsWindowEnabled(last)) SetForegroundWindow(last);
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
}

void TfrmMain::Close() {
    CloseAction action = CloseAction::kFree;
    FormClose(action);
    if (action == CloseAction::kFree) DestroyWindow(Handle());
}

void TfrmMain::FormClose(CloseAction& action) {
    if (hideOnClose) {
        HideToTray();
        action = CloseAction::kNone;
        return;
    }
    hideOnClose = true;
    action = CloseAction::kNone;
    if (!AskYesNo(kExitQuestion)) return;
    // A stop whose shutdown timed out has shown the error: the program runs on, window visible.
    if (!server_.Stop()) return;
    // Emptied rather than freed: a connection thread left running by a failed stop may still
    // look a code up, and then finds none.
    table_.SyncKnownProducts({});
    action = CloseAction::kFree;
}

// The end, made explicit instead of left to the order in which members go: the table stops
// telling the window of changes, the listener is shut down, and when connection threads outlived
// the shutdown, the table they use is left to them until the process ends. Runs when the window
// is destroyed, whatever destroyed it, and again from the destructor.
void TfrmMain::EndService() {
    if (!terminals_) return;
    terminals_->notice.Cut();
    try {
        tcpServer.Shutdown();
    } catch (const ShutdownTimeout&) {
        // Reported by nobody: the program is ending.
    }
    if (tcpServer.OpenConnections() > 0) {
        static_cast<void>(terminals_.release());
    }
}

}  // namespace tarnwick
