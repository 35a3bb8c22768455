// The terminal's end of a TCP connection, for tests and benchmarks: the program's own socket,
// connected, with the few client-side options the program itself never needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <system_error>

#include "terminals/socket.h"

namespace tarnwick::testing {

class ClientSocket {
  public:
    ClientSocket() = default;

    // A connection to `address`:`port` (host byte order); `from`, when not 0, is the local
    // address. `receiveBuffer`, when not 0, caps the receive window (set before connecting), so
    // that a peer that never reads fills quickly.
    static ClientSocket Connect(std::uint32_t address, std::uint16_t port, std::error_code& error,
                                std::uint32_t from = 0, int receiveBuffer = 0);

    // Bytes read into `buffer`: 0 when the peer closed, negative when the connection failed or
    // the receive timeout passed.
    std::ptrdiff_t Receive(char* buffer, std::size_t size) { return socket_.Receive(buffer, size); }
    // False when the connection failed.
    bool SendAll(const char* data, std::size_t size) { return socket_.SendAll(data, size); }

    void SetNoDelay() { socket_.SetNoDelay(); }
    // Bounds every later Receive.
    void SetReceiveTimeout(int milliseconds);
    // Tells the peer that nothing more will be sent; reading goes on.
    void FinishSending();
    // Ends the connection at once with a reset instead of an orderly close.
    void Reset();
    // From another thread: releases a pending Receive or SendAll; the handle stays the owner's.
    void Interrupt() { socket_.Interrupt(); }

    bool Valid() const { return socket_.Valid(); }
    void Close() { socket_.Close(); }

  private:
    explicit ClientSocket(Socket socket) : socket_(std::move(socket)) {}

    Socket socket_;
};

// The port `socket` is bound to; 0 when unknown.
std::uint16_t LocalPort(const Socket& socket);

// Whether a socket with SO_REUSEADDR can bind `address`:`port` at this moment, as another
// program that tries to take the port over would.
bool BindsWithAddressReuse(std::uint32_t address, std::uint16_t port);

}  // namespace tarnwick::testing
