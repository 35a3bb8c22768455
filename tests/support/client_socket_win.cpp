#include "support/client_socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace tarnwick::testing {
namespace {

sockaddr_in Ipv4(std::uint32_t address, std::uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(address);
    a.sin_port = htons(port);
    return a;
}

// Winsock is started once for the life of the process, whether or not the program's own
// sockets have started it already.
SOCKET NewStreamSocket() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    (void)started;
    return ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
}

bool Bind(SOCKET s, std::uint32_t address, std::uint16_t port) {
    const sockaddr_in a = Ipv4(address, port);
    return ::bind(s, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
}

}  // namespace

ClientSocket ClientSocket::Connect(std::uint32_t address, std::uint16_t port,
                                   std::error_code& error, std::uint32_t from, int receiveBuffer) {
    ClientSocket s{Handle(NewStreamSocket())};
    const SOCKET h = SOCKET(s.handle_);
    if (s.Valid() && receiveBuffer) {
        ::setsockopt(h, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&receiveBuffer),
                     sizeof receiveBuffer);
    }
    const sockaddr_in remote = Ipv4(address, port);
    if (!s.Valid() || (from && !Bind(h, from, 0)) ||
        ::connect(h, reinterpret_cast<const sockaddr*>(&remote), sizeof remote)) {
        error = {WSAGetLastError(), std::system_category()};
        return {};
    }
    error.clear();
    return s;
}

std::ptrdiff_t ClientSocket::Receive(char* buffer, std::size_t size) {
    const int n = ::recv(SOCKET(handle_), buffer, int(size), 0);
    return n == SOCKET_ERROR ? -1 : n;
}

bool ClientSocket::SendAll(const char* data, std::size_t size) {
    while (size > 0) {
        const int n = ::send(SOCKET(handle_), data, int(size), 0);
        if (n == SOCKET_ERROR || n == 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

void ClientSocket::SetNoDelay() {
    const BOOL on = TRUE;
    ::setsockopt(SOCKET(handle_), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
                 sizeof on);
}

void ClientSocket::SetReceiveTimeout(int milliseconds) {
    const DWORD t = DWORD(milliseconds);
    ::setsockopt(SOCKET(handle_), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&t),
                 sizeof t);
}

void ClientSocket::FinishSending() {
    ::shutdown(SOCKET(handle_), SD_SEND);
}

void ClientSocket::Reset() {
    if (!Valid()) return;
    const linger abortive{1, 0};
    ::setsockopt(SOCKET(handle_), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abortive),
                 sizeof abortive);
    Close();
}

void ClientSocket::Interrupt() {
    if (!Valid()) return;
    // A thread already blocked in send or recv is released only by cancelling its I/O.
    ::shutdown(SOCKET(handle_), SD_BOTH);
    CancelIoEx(reinterpret_cast<HANDLE>(handle_), nullptr);
}

void ClientSocket::Close() {
    if (Valid()) ::closesocket(SOCKET(std::exchange(handle_, kInvalid)));
}

bool BindsWithAddressReuse(std::uint32_t address, std::uint16_t port) {
    const SOCKET s = NewStreamSocket();
    if (s == INVALID_SOCKET) return false;
    const BOOL on = TRUE;
    ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on);
    const bool bound = Bind(s, address, port);
    ::closesocket(s);
    return bound;
}

}  // namespace tarnwick::testing
