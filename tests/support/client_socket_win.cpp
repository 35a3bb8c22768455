#include <winsock2.h>
#include <ws2tcpip.h>

#include "support/client_socket.h"
#include "support/inside.h"
#include "terminals/ipv4_socket_address.h"
#include "terminals/winsock_win.h"

namespace tarnwick::testing {
namespace {

Socket NewStreamSocket() {
    StartWinsock();
    return TestInside::Adopt(std::intptr_t(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)));
}

SOCKET Handle(const Socket& s) {
    return SOCKET(TestInside::Native(s));
}

template <class T>
void SetOption(const Socket& s, int level, int name, const T& value) {
    ::setsockopt(Handle(s), level, name, reinterpret_cast<const char*>(&value), sizeof value);
}

bool Bind(const Socket& s, std::uint32_t address, std::uint16_t port) {
    const sockaddr_in a = Ipv4SocketAddress(address, port);
    return ::bind(Handle(s), reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
}

}  // namespace

ClientSocket ClientSocket::Connect(std::uint32_t address, std::uint16_t port,
                                   std::error_code& error, std::uint32_t from, int receiveBuffer) {
    Socket s = NewStreamSocket();
    if (s.Valid() && receiveBuffer) SetOption(s, SOL_SOCKET, SO_RCVBUF, receiveBuffer);
    const sockaddr_in remote = Ipv4SocketAddress(address, port);
    if (!s.Valid() || (from && !Bind(s, from, 0)) ||
        ::connect(Handle(s), reinterpret_cast<const sockaddr*>(&remote), sizeof remote)) {
        error = {WSAGetLastError(), std::system_category()};
        return {};
    }
    error.clear();
    return ClientSocket(std::move(s));
}

void ClientSocket::SetReceiveTimeout(int milliseconds) {
    SetOption(socket_, SOL_SOCKET, SO_RCVTIMEO, DWORD(milliseconds));
}

void ClientSocket::FinishSending() {
    ::shutdown(Handle(socket_), SD_SEND);
}

void ClientSocket::Reset() {
    if (!Valid()) return;
    SetOption(socket_, SOL_SOCKET, SO_LINGER, linger{1, 0});
    Close();
}

std::uint16_t LocalPort(const Socket& socket) {
    sockaddr_in a{};
    int length = sizeof a;
    if (::getsockname(Handle(socket), reinterpret_cast<sockaddr*>(&a), &length)) return 0;
    return ntohs(a.sin_port);
}

bool BindsWithAddressReuse(std::uint32_t address, std::uint16_t port) {
    const Socket s = NewStreamSocket();
    if (!s.Valid()) return false;
    SetOption(s, SOL_SOCKET, SO_REUSEADDR, BOOL(TRUE));
    return Bind(s, address, port);
}

}  // namespace tarnwick::testing
