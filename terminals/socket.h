// A thin owner of one IPv4 TCP socket: Winsock 2 on Windows, POSIX sockets elsewhere.
// Blocking calls only; the thread that owns a socket is the only one that closes it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>
#include <utility>

namespace tarnwick {

// TCP keep-alive: a connection silent for `idleSeconds` is probed every `intervalSeconds`, and
// fails after `probes` probes without an answer, so that a peer that vanished without closing
// (power lost, connection dropped by a router) is let go. A living peer answers the probes, at
// no cost to it. Windows sets its own number of probes (10 since Vista).
struct KeepAlive {
    int idleSeconds = 600;
    int intervalSeconds = 10;
    int probes = 10;
};

class Socket {
  public:
    Socket() = default;
    ~Socket() { Close(); }
    Socket(Socket&& other) noexcept
        : handle_(other.Release()),
          wake_(std::exchange(other.wake_, kInvalid)),
          handedOver_(other.handedOver_),
          interrupted_(other.interrupted_.load()) {}
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    // A listening socket on `address` (host byte order; 0 = every local address) and `port`.
    // On Windows no address option is set (neither reuse nor exclusive use); elsewhere
    // SO_REUSEADDR gives the same rule: lingering connections do not keep the port from being
    // bound again, a listening socket does.
    static Socket Listen(std::uint32_t address, std::uint16_t port, int backlog,
                         std::error_code& error);

    // The next connection: at once while connections are pending, so that a burst of them is
    // drained without waiting; otherwise waits for one. An invalid socket once the listener is
    // interrupted, also when the interrupt came before the call.
    Socket Accept(std::error_code& error);
    // As Accept, but leaves to the thread that serves the connection what the platform still
    // has to do to it, so that the accepting thread takes the next one sooner: that thread
    // calls TakeOver before anything else.
    Socket AcceptForHandOver(std::error_code& error);
    void TakeOver();
    // Whether an accept that failed with `error` may succeed later: the process or the system is
    // out of handles or memory for the moment, or the connection went before it was taken.
    static bool AcceptMaySucceedLater(const std::error_code& error);

    // Bytes read into `buffer`: 0 when the peer closed, negative when the connection failed.
    std::ptrdiff_t Receive(char* buffer, std::size_t size);
    // Writes all bytes in one call where the platform allows; false when the connection failed.
    bool SendAll(const char* data, std::size_t size);

    void SetNoDelay();
    // False when the platform refused the option.
    bool SetKeepAlive(const KeepAlive& times);
    // The peer's address as dotted text; empty when unknown.
    std::string PeerAddress() const;

    // From another thread: releases a pending Accept, Receive or SendAll on this socket without
    // releasing the handle, which stays the owner's to close.
    void Interrupt();

    bool Valid() const { return handle_ != kInvalid; }
    void Close();

  private:
    // The tests' client end takes a handle made elsewhere and sets options on it.
    friend struct TestInside;
    using Handle = std::intptr_t;
    static constexpr Handle kInvalid = -1;
    explicit Socket(Handle handle) : handle_(handle) {}
    // Windows: lets Accept wait for a connection or an interrupt, whichever comes first.
    bool WatchAccepts();
    Handle Release() noexcept {
        const Handle h = handle_;
        handle_ = kInvalid;
        return h;
    }

    Handle handle_ = kInvalid;
    // Windows, listening sockets: the event that tells of a pending connection or an interrupt.
    Handle wake_ = kInvalid;
    // Windows: accepted and not yet taken over, so still non-blocking and selected for events.
    bool handedOver_ = false;
    // Set by Interrupt from any thread; a waiting Accept looks at it.
    std::atomic<bool> interrupted_{false};
};

// Dotted text of an IPv4 address in host byte order.
std::string DottedAddress(std::uint32_t address);

inline constexpr std::uint32_t kLoopback = 0x7F000001;

}  // namespace tarnwick
