#include "terminals/server_control.h"

#include <exception>

namespace tarnwick {

void ServerControl::actServerStartExecute() {
    ServerParams settings;
    try {
        settings = settings_.Read();
    } catch (...) {
        view_.ShowError(kReadSettingsFailedText);
        return;
    }
    if (settings.Unset()) {
        view_.ShowError(kSetSettingsText);
        return;
    }
    // A listener that still runs keeps its binding: the start cannot take place.
    if (tcpServer_.Running()) {
        view_.ShowError(kStartFailedText);
        return;
    }
    try {
        tcpServer_.RemoveBindings();
        tcpServer_.AddBinding(std::move(settings.host), settings.port);
        tcpServer_.Open();
    } catch (...) {
        // The cause is not shown; states and panel stay as they were.
        view_.ShowError(kStartFailedText);
        return;
    }
    if (tcpServer_.Running()) {
        view_.SetServerActionsEnabled(false, true, true);
        view_.SetListenerStateText(kListenerRunningText);
    } else {
        view_.ShowError(kStartFailedText);
        view_.SetListenerStateText(kListenerStoppedText);
    }
}

bool ServerControl::Stop() {
    try {
        tcpServer_.Shutdown();
    } catch (const std::exception& error) {
        // Bindings, states and panel stay: the listener still counts as running.
        view_.ShowGeneralError(error.what());
        return false;
    }
    tcpServer_.RemoveBindings();
    if (tcpServer_.Running()) {
        view_.ShowError(kStopFailedText);
        view_.SetListenerStateText(kListenerRunningText);
    } else {
        view_.SetServerActionsEnabled(true, false, false);
        view_.SetListenerStateText(kListenerStoppedText);
    }
    return true;
}

void ServerControl::actServerSnSExecute() {
    if (!Stop() || tcpServer_.Running()) return;
    actServerStartExecute();
}

void ServerControl::AutoStart() {
    if (!autoStartPending_ || autoStartRunning_) return;
    autoStartRunning_ = true;
    try {
        if (!settings_.Read().Unset()) {
            actServerStartExecute();  // reads the settings again
        } else {
            view_.actServerOptionExecute();
        }
    } catch (...) {
        view_.ShowError(kReadSettingsFailedText);
    }
    autoStartPending_ = false;
    autoStartRunning_ = false;
}

}  // namespace tarnwick
