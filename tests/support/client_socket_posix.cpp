#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>

#include "support/client_socket.h"
#include "support/inside.h"
#include "terminals/ipv4_socket_address.h"

namespace tarnwick::testing {
namespace {

bool Bind(int fd, std::uint32_t address, std::uint16_t port) {
    const sockaddr_in a = Ipv4SocketAddress(address, port);
    return ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
}

int Fd(const Socket& s) {
    return int(TestInside::Native(s));
}

}  // namespace

ClientSocket ClientSocket::Connect(std::uint32_t address, std::uint16_t port,
                                   std::error_code& error, std::uint32_t from, int receiveBuffer) {
    Socket s = TestInside::Adopt(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (s.Valid() && receiveBuffer) {
        ::setsockopt(Fd(s), SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    }
    const sockaddr_in remote = Ipv4SocketAddress(address, port);
    if (!s.Valid() || (from && !Bind(Fd(s), from, 0)) ||
        ::connect(Fd(s), reinterpret_cast<const sockaddr*>(&remote), sizeof remote)) {
        error = {errno, std::system_category()};
        return {};
    }
    error.clear();
    return ClientSocket(std::move(s));
}

void ClientSocket::SetReceiveTimeout(int milliseconds) {
    const timeval t{milliseconds / 1000, (milliseconds % 1000) * 1000};
    ::setsockopt(Fd(socket_), SOL_SOCKET, SO_RCVTIMEO, &t, sizeof t);
}

void ClientSocket::FinishSending() {
    ::shutdown(Fd(socket_), SHUT_WR);
}

void ClientSocket::Reset() {
    if (!Valid()) return;
    const linger abortive{1, 0};
    ::setsockopt(Fd(socket_), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    Close();
}

std::uint16_t LocalPort(const Socket& socket) {
    sockaddr_in a{};
    socklen_t length = sizeof a;
    if (::getsockname(Fd(socket), reinterpret_cast<sockaddr*>(&a), &length)) return 0;
    return ntohs(a.sin_port);
}

bool BindsWithAddressReuse(std::uint32_t address, std::uint16_t port) {
    const Socket s = TestInside::Adopt(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const int on = 1;
    return s.Valid() && ::setsockopt(Fd(s), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0 &&
           Bind(Fd(s), address, port);
}

}  // namespace tarnwick::testing
