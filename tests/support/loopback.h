// Loopback plumbing for protocol tests: a server that accepts connections itself and serves
// each on a thread of its own, and a blocking client with a read timeout.
#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/client_socket.h"
#include "terminals/socket.h"
#include "terminals/socket_connection.h"

namespace tarnwick {

inline void SleepMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace tarnwick

namespace tarnwick::testing {

// Serves an accepted connection until it ends, on the calling thread; the socket is closed on
// return.
inline void ServeSocket(Socket socket, TerminalService& service) noexcept {
    ServeOpenSocket(socket, service);
}

// A port that nobody listens on at this moment, on any local address.
std::uint16_t FreePort();

class LoopbackServer {
  public:
    explicit LoopbackServer(TerminalService& service);
    ~LoopbackServer();
    std::uint16_t Port() const { return port_; }

  private:
    void AcceptLoop();

    TerminalService& service_;
    Socket listener_;
    std::uint16_t port_ = 0;
    std::mutex mutex_;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

class Client {
  public:
    explicit Client(std::uint16_t port, std::uint32_t from = kLoopback);
    void Send(std::string_view bytes);
    // Reads until `size` bytes arrived, the server closed, or the timeout passed.
    std::string Read(size_t size);
    // Everything until the server closes; "<timeout>" when it does not.
    std::string ReadToClose();
    void CloseSending() { socket_.FinishSending(); }

  private:
    ClientSocket socket_;
};

}  // namespace tarnwick::testing
