// The terminal's end of a TCP connection, for tests and benchmarks: a blocking IPv4 client over
// Winsock 2 on Windows and POSIX sockets elsewhere. The program itself never connects anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <system_error>
#include <utility>

namespace tarnwick::testing {

class ClientSocket {
  public:
    ClientSocket() = default;
    ~ClientSocket() { Close(); }
    ClientSocket(ClientSocket&& other) noexcept : handle_(std::exchange(other.handle_, kInvalid)) {}
    ClientSocket& operator=(ClientSocket&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = std::exchange(other.handle_, kInvalid);
        }
        return *this;
    }
    ClientSocket(const ClientSocket&) = delete;
    ClientSocket& operator=(const ClientSocket&) = delete;

    // A connection to `address`:`port` (host byte order); `from`, when not 0, is the local
    // address. `receiveBuffer`, when not 0, caps the receive window (set before connecting), so
    // that a peer that never reads fills quickly.
    static ClientSocket Connect(std::uint32_t address, std::uint16_t port, std::error_code& error,
                                std::uint32_t from = 0, int receiveBuffer = 0);

    // Bytes read into `buffer`: 0 when the peer closed, negative when the connection failed or
    // the receive timeout passed.
    std::ptrdiff_t Receive(char* buffer, std::size_t size);
    // False when the connection failed.
    bool SendAll(const char* data, std::size_t size);

    void SetNoDelay();
    // Bounds every later Receive.
    void SetReceiveTimeout(int milliseconds);
    // Tells the peer that nothing more will be sent; reading goes on.
    void FinishSending();
    // Ends the connection at once with a reset instead of an orderly close.
    void Reset();
    // From another thread: releases a pending Receive or SendAll; the handle stays the owner's.
    void Interrupt();

    bool Valid() const { return handle_ != kInvalid; }
    void Close();

  private:
    using Handle = std::intptr_t;
    static constexpr Handle kInvalid = -1;
    explicit ClientSocket(Handle handle) : handle_(handle) {}

    Handle handle_ = kInvalid;
};

// Whether a socket with SO_REUSEADDR can bind `address`:`port` at this moment, as another
// program that tries to take the port over would.
bool BindsWithAddressReuse(std::uint32_t address, std::uint16_t port);

}  // namespace tarnwick::testing
