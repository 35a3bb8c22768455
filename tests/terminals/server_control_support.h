// What the server commands' tests share: scripted settings, a view that records what the
// commands show, and the commands over a real listener.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/fake_clock.h"
#include "support/loopback.h"
#include "terminals/server_control.h"
#include "terminals/terminal_table.h"

namespace tarnwick::testing {

using Events = std::vector<std::string>;

class FakeSettings final : public ServerSettingsSource {
  public:
    ServerParams Read() const override {
        ++reads;
        if (failing) throw std::runtime_error("unreadable");
        return {host, std::to_string(port), port};
    }
    std::string host = "127.0.0.1";
    std::int32_t port = 0;
    bool failing = false;
    mutable int reads = 0;
};

// Records what the commands show, in order.
class RecordingView final : public ServerView {
  public:
    void ShowError(const std::string& text) override { events.push_back("error " + text); }
    void ShowGeneralError(std::string_view text) override {
        events.push_back("general " + std::string(text));
    }
    void SetServerActionsEnabled(bool start, bool stopAndStart, bool stop) override {
        events.push_back(std::string("actions ") + (start ? "1" : "0") +
                         (stopAndStart ? "1" : "0") + (stop ? "1" : "0"));
    }
    void SetListenerStateText(const std::string& text) override {
        events.push_back("panel " + text);
    }
    void actServerOptionExecute() override {
        events.push_back("options");
        if (duringOptions) duringOptions();
    }
    Events Take() { return std::exchange(events, {}); }

    Events events;
    std::function<void()> duringOptions;
};

inline const Events kRunning = {"actions 011", std::string("panel ") + kListenerRunningText};
inline const Events kStopped = {"actions 100", std::string("panel ") + kListenerStoppedText};
inline const Events kStartFailed = {std::string("error ") + kStartFailedText};

inline bool Accepts(std::uint16_t port) {
    std::error_code error;
    const ClientSocket s = ClientSocket::Connect(kLoopback, port, error);
    return !error;
}

class ListenerCommands : public ::testing::Test {
  protected:
    ListenerCommands() { settings.port = FreePort(); }

    testing::FakeClock clock;
    TerminalTable table{clock};
    TcpListener listener{table};
    FakeSettings settings;
    RecordingView view;
    ServerControl control{listener, settings, view};
};

}  // namespace tarnwick::testing
