// A terminal connection over a socket.
#pragma once

#include "terminals/connection.h"
#include "terminals/socket.h"

namespace tarnwick {

class SocketStream final : public ByteStream {
  public:
    explicit SocketStream(Socket& socket) : socket_(socket) {}
    std::ptrdiff_t Receive(char* buffer, std::size_t size) override {
        return socket_.Receive(buffer, size);
    }
    bool SendAll(const char* data, std::size_t size) override {
        return socket_.SendAll(data, size);
    }

  private:
    Socket& socket_;
};

// Serves an accepted connection until it ends, leaving the socket open for its owner to close:
// the listener must drop it from its list of open connections before the handle is released.
// A terminal that vanishes without closing fails the connection by `keepAlive`.
void ServeOpenSocket(Socket& socket, TerminalService& service,
                     const KeepAlive& keepAlive = {}) noexcept;

}  // namespace tarnwick
