#include "support/client_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace tarnwick::testing {
namespace {

sockaddr_in Ipv4(std::uint32_t address, std::uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(address);
    a.sin_port = htons(port);
    return a;
}

int NewStreamSocket() {
    return ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

bool Bind(int fd, std::uint32_t address, std::uint16_t port) {
    const sockaddr_in a = Ipv4(address, port);
    return ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
}

}  // namespace

ClientSocket ClientSocket::Connect(std::uint32_t address, std::uint16_t port,
                                   std::error_code& error, std::uint32_t from, int receiveBuffer) {
    ClientSocket s(NewStreamSocket());
    const int fd = int(s.handle_);
    if (s.Valid() && receiveBuffer) {
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    }
    const sockaddr_in remote = Ipv4(address, port);
    if (!s.Valid() || (from && !Bind(fd, from, 0)) ||
        ::connect(fd, reinterpret_cast<const sockaddr*>(&remote), sizeof remote)) {
        error = {errno, std::system_category()};
        return {};
    }
    error.clear();
    return s;
}

std::ptrdiff_t ClientSocket::Receive(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::recv(int(handle_), buffer, size, 0);
        if (n >= 0 || errno != EINTR) return n;
    }
}

bool ClientSocket::SendAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(int(handle_), data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

void ClientSocket::SetNoDelay() {
    const int on = 1;
    ::setsockopt(int(handle_), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

void ClientSocket::SetReceiveTimeout(int milliseconds) {
    const timeval t{milliseconds / 1000, (milliseconds % 1000) * 1000};
    ::setsockopt(int(handle_), SOL_SOCKET, SO_RCVTIMEO, &t, sizeof t);
}

void ClientSocket::FinishSending() {
    ::shutdown(int(handle_), SHUT_WR);
}

void ClientSocket::Reset() {
    if (!Valid()) return;
    const linger abortive{1, 0};
    ::setsockopt(int(handle_), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    Close();
}

void ClientSocket::Interrupt() {
    if (Valid()) ::shutdown(int(handle_), SHUT_RDWR);
}

void ClientSocket::Close() {
    if (Valid()) ::close(int(std::exchange(handle_, kInvalid)));
}

bool BindsWithAddressReuse(std::uint32_t address, std::uint16_t port) {
    const int fd = NewStreamSocket();
    if (fd < 0) return false;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    const bool bound = Bind(fd, address, port);
    ::close(fd);
    return bound;
}

}  // namespace tarnwick::testing
