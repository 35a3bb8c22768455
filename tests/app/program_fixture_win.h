// The shared fixture of the end-to-end tests: Tarnwick.exe started in a temporary AppDir and
// looked at from outside, through its windows and over TCP, as a user or a terminal would.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_actions.h"
#include "app/main_window_ids.h"
#include "remote_window_win.h"
#include "support/client_socket.h"
#include "support/loopback.h"
#include "tarnwick_process_win.h"
#include "terminals/socket.h"

namespace tarnwick::testing {

using Rows = std::vector<std::vector<std::string>>;

// One terminal: a connection from its own loopback address.
class Terminal {
  public:
    explicit Terminal(std::uint16_t port, std::uint32_t from = kLoopback);
    bool Connected() const { return socket_.Valid(); }
    // Sends the line and reads `replyBytes` bytes of reply, less when the connection ends.
    std::string Ask(std::string_view line, size_t replyBytes);

  private:
    std::error_code error_;
    ClientSocket socket_;
};

class Program : public ::testing::Test {
  protected:
    void WriteSettings(const std::string& host, const std::string& port) {
        dir_.Write("main.ini", "[server]\r\nhost=" + host + "\r\nip=" + port + "\r\n");
    }
    // Main.ini for a listener on 127.0.0.1 and port_.
    void WriteLoopbackSettings() { WriteSettings("127.0.0.1", std::to_string(port_)); }
    // Starts the program in dir_, or in `folder`.
    void Start(const std::filesystem::path& folder = {});

    std::string Panel(int panel) {
        return remote_->StatusText(FindChildById(window_, kStatusBarId), panel);
    }
    bool PanelBecomes(int panel, const std::string& text) {
        return WaitUntil([&] { return Panel(panel) == text; });
    }
    std::wstring WidePanel(int panel) {
        return remote_->WideStatusText(FindChildById(window_, kStatusBarId), panel);
    }
    bool WidePanelBecomes(int panel, const std::wstring& text) {
        return WaitUntil([&] { return WidePanel(panel) == text; });
    }
    // Posted, as a menu item or tool button sends it: the command may open a modal loop.
    void Command(MainAction action) {
        PostMessageA(window_, WM_COMMAND, WPARAM(MainCommand(action)), 0);
    }
    // The message box that must come next, answered with `button`: its text, or "<no message>".
    std::string AnswerMessage(int button = IDOK, const char* caption = "Tarnwick");
    // True when no message box of the program shows up within a short while.
    bool NoMessage();

    TempFolder dir_;
    std::unique_ptr<TarnwickProcess> process_;
    HWND window_ = nullptr;
    std::unique_ptr<RemoteProcess> remote_;
    const std::uint16_t port_ = FreePort();
};

}  // namespace tarnwick::testing
