// The yardstick: the least a line server can do. Blocking, one thread per connection, a fixed
// reply to every line.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "terminals/socket.h"

namespace tarnwick::bench {

// Accepts on an ephemeral loopback port and runs `serve` for each connection on a new thread.
class ThreadPerConnectionServer {
  public:
    using Serve = std::function<void(Socket)>;
    explicit ThreadPerConnectionServer(Serve serve);
    ~ThreadPerConnectionServer();
    std::uint16_t Port() const { return port_; }

  private:
    Serve serve_;
    Socket listener_;
    std::uint16_t port_ = 0;
    std::mutex mutex_;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

// Answers every line with "1\r\n", nothing else.
void ServeFixedReply(Socket socket);

}  // namespace tarnwick::bench
