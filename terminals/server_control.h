// The Server menu's commands: start, stop, stop-and-start of the listener, and the once-only
// auto-start when the main window first becomes active. All of it runs on the window's thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "terminals/listener.h"
#include "terminals/server_settings.h"

namespace tarnwick {

inline constexpr const char* kReadSettingsFailedText = "读取服务器参数失败。";
inline constexpr const char* kSetSettingsText = "请设置服务参数。";
inline constexpr const char* kStartFailedText = "服务启动失败。";
inline constexpr const char* kStopFailedText = "服务停止失败。";
inline constexpr const char* kListenerStoppedText = "状态：停止";
inline constexpr const char* kListenerRunningText = "状态：运行";

// What the commands show and call in the main window.
class ServerView {
  public:
    virtual ~ServerView() = default;
    // The stop-icon message box with the title "Tarnwick".
    virtual void ShowError(const std::string& text) = 0;
    // The application's general error box, for an error that no command handles.
    virtual void ShowGeneralError(std::string_view text) = 0;
    // The enabled states of actServerStart, actServerSnS and actServerStop.
    virtual void SetServerActionsEnabled(bool start, bool stopAndStart, bool stop) = 0;
    // Panel 2 of sbrStatus: kListenerStoppedText or kListenerRunningText.
    virtual void SetListenerStateText(const std::string& text) = 0;
    // The options dialog; returns when it has closed.
    virtual void actServerOptionExecute() = 0;
};

class ServerControl {
  public:
    // The main window owns all three; they outlive the commands.
    ServerControl(Listener& tcpServer, const ServerSettingsSource& settings, ServerView& view)
        : tcpServer_(tcpServer), settings_(settings), view_(view) {}

    void actServerStartExecute();
    void actServerStopExecute() { Stop(); }
    // The stop, then the start. The start runs only when the stop has left the listener
    // stopped: after "服务停止失败。" it would meet a listener that still runs, whose binding
    // must not change.
    void actServerSnSExecute();

    // The stop with all its messages and states. False when the shutdown raised an error (shown
    // in the general error box): the listener still counts as running and an exit must not go
    // on.
    bool Stop();

    // When accepting has ended by a failure, the listener is stopped as Server > Stop stops it,
    // with the same messages and states, rather than left running with nobody accepting.
    void CheckAccepting() {
        if (tcpServer_.Running() && tcpServer_.AcceptFailed()) Stop();
    }

    // Called at the end of the main window's creation; the auto-start then acts once.
    void ArmAutoStart() { autoStartPending_ = true; }
    // Called each time the main window becomes the active window.
    void AutoStart();

  private:
    friend struct TestInside;

    Listener& tcpServer_;
    const ServerSettingsSource& settings_;
    ServerView& view_;
    // Set once by the window's creation, cleared by the first auto-start.
    bool autoStartPending_ = false;
    // The message boxes and the dialog of an auto-start activate the window again when they
    // close; those activations must not start a second auto-start inside the first.
    bool autoStartRunning_ = false;
};

}  // namespace tarnwick
