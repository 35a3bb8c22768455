#include "terminals/socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <mstcpip.h>
#include <windows.h>

#include <utility>

#include "terminals/ipv4_socket_address.h"
#include "terminals/winsock_win.h"

namespace tarnwick {

int StartWinsock() {
    static const int error = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data);
    }();
    return error;
}

namespace {

constexpr DWORD kLongestWaitMs = 100;

std::error_code LastError() {
    return {WSAGetLastError(), std::system_category()};
}

SOCKET NewStreamSocket() {
    StartWinsock();
    return ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
}

}  // namespace

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.Release();
        wake_ = std::exchange(other.wake_, kInvalid);
        handedOver_ = other.handedOver_;
        interrupted_ = other.interrupted_.load();
    }
    return *this;
}

Socket Socket::Listen(std::uint32_t address, std::uint16_t port, int backlog,
                      std::error_code& error) {
    Socket s{Handle(NewStreamSocket())};
    const SOCKET h = SOCKET(s.handle_);
    // No address option: with SO_EXCLUSIVEADDRUSE the port could not be bound again while any
    // connection accepted on it lingers in TIME_WAIT, so a stop-and-start would fail for minutes.
    const sockaddr_in a = Ipv4SocketAddress(address, port);
    if (!s.Valid() || ::bind(h, reinterpret_cast<const sockaddr*>(&a), sizeof a) ||
        ::listen(h, backlog) || !s.WatchAccepts()) {
        error = LastError();
        return {};
    }
    error.clear();
    return s;
}

bool Socket::WatchAccepts() {
    // Manual reset: an interrupt leaves it set, so no later wait can miss it.
    const HANDLE wake = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!wake) return false;
    wake_ = Handle(wake);
    // Makes the socket non-blocking; the event is set while a connection is pending.
    return ::WSAEventSelect(SOCKET(handle_), wake, FD_ACCEPT) == 0;
}

bool Socket::AcceptMaySucceedLater(const std::error_code& error) {
    switch (error.value()) {
        case WSAEMFILE:
        case WSAENOBUFS:
        case WSAECONNABORTED:
        case WSAEINTR:
        case WSAEINPROGRESS:
        case ERROR_NOT_ENOUGH_MEMORY:
            return true;
    }
    return false;
}

Socket Socket::Accept(std::error_code& error) {
    Socket connection = AcceptForHandOver(error);
    connection.TakeOver();
    return connection;
}

void Socket::TakeOver() {
    if (!handedOver_) return;
    handedOver_ = false;
    // A connection inherits the listener's event selection: make it blocking again.
    u_long blocking = 0;
    ::WSAEventSelect(SOCKET(handle_), nullptr, 0);
    ::ioctlsocket(SOCKET(handle_), FIONBIO, &blocking);
}

Socket Socket::AcceptForHandOver(std::error_code& error) {
    const HANDLE wake = reinterpret_cast<HANDLE>(wake_);
    bool rearmed = false;
    while (!interrupted_) {
        const SOCKET h = ::accept(SOCKET(handle_), nullptr, nullptr);
        if (h != INVALID_SOCKET) {
            error.clear();
            Socket connection{Handle(h)};
            connection.handedOver_ = true;
            return connection;
        }
        const int failure = WSAGetLastError();
        if (failure == WSAECONNRESET) continue;
        if (failure != WSAEWOULDBLOCK) {
            error = LastError();
            return {};
        }
        // Nothing pending. Clear the event and select the connections event afresh, which
        // also clears the socket's record of what it reported, then look once more: a
        // connection that came in between is taken by that look, and one that comes later sets
        // the event again, as an interrupt does. (Only clearing the event, or the record alone,
        // loses wake-ups under Wine.) The wait is bounded all the same, so that a wake-up the
        // platform fails to give costs a moment, not the listener.
        if (!rearmed) {
            ResetEvent(wake);
            ::WSAEventSelect(SOCKET(handle_), wake, FD_ACCEPT);
            rearmed = true;
            continue;
        }
        rearmed = false;
        if (WaitForSingleObject(wake, kLongestWaitMs) == WAIT_FAILED) {
            error = {int(GetLastError()), std::system_category()};
            return {};
        }
    }
    error = std::make_error_code(std::errc::operation_canceled);
    return {};
}

std::ptrdiff_t Socket::Receive(char* buffer, std::size_t size) {
    const int n = ::recv(SOCKET(handle_), buffer, int(size), 0);
    return n == SOCKET_ERROR ? -1 : n;
}

bool Socket::SendAll(const char* data, std::size_t size) {
    while (size > 0) {
        const int n = ::send(SOCKET(handle_), data, int(size), 0);
        if (n == SOCKET_ERROR || n == 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

void Socket::SetNoDelay() {
    const BOOL on = TRUE;
    ::setsockopt(SOCKET(handle_), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
                 sizeof on);
}

bool Socket::SetKeepAlive(const KeepAlive& times) {
    // The number of probes is the system's.
    const BOOL on = TRUE;
    if (::setsockopt(SOCKET(handle_), SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on),
                     sizeof on))
        return false;
    tcp_keepalive values{};
    values.onoff = 1;
    values.keepalivetime = ULONG(times.idleSeconds) * 1000;
    values.keepaliveinterval = ULONG(times.intervalSeconds) * 1000;
    DWORD returned = 0;
    return ::WSAIoctl(SOCKET(handle_), SIO_KEEPALIVE_VALS, &values, sizeof values, nullptr, 0,
                      &returned, nullptr, nullptr) == 0;
}

std::string Socket::PeerAddress() const {
    sockaddr_in a{};
    int length = sizeof a;
    if (::getpeername(SOCKET(handle_), reinterpret_cast<sockaddr*>(&a), &length)) return {};
    return DottedAddress(ntohl(a.sin_addr.s_addr));
}

void Socket::Interrupt() {
    if (!Valid()) return;
    interrupted_ = true;
    if (wake_ != kInvalid) SetEvent(reinterpret_cast<HANDLE>(wake_));
    // Shutdown first makes every later call on the socket fail at once; a thread already
    // blocked in send or recv is released only by cancelling its I/O. In the other order a call
    // begun between the two would stay blocked.
    ::shutdown(SOCKET(handle_), SD_BOTH);
    CancelIoEx(reinterpret_cast<HANDLE>(handle_), nullptr);
}

void Socket::Close() {
    if (Valid()) ::closesocket(SOCKET(Release()));
    if (wake_ != kInvalid) CloseHandle(reinterpret_cast<HANDLE>(std::exchange(wake_, kInvalid)));
}

}  // namespace tarnwick
