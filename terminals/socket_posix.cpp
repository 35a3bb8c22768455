#include "terminals/socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "terminals/ipv4_socket_address.h"

namespace tarnwick {
namespace {

std::error_code LastError() {
    return {errno, std::system_category()};
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
    Socket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    // What Windows does without any option: a port whose closed connections linger in TIME_WAIT
    // can be bound again at once, one that another socket listens on cannot.
    const int reuse = 1;
    if (s.Valid()) ::setsockopt(int(s.handle_), SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    const sockaddr_in a = Ipv4SocketAddress(address, port);
    if (!s.Valid() || ::bind(int(s.handle_), reinterpret_cast<const sockaddr*>(&a), sizeof a) ||
        ::listen(int(s.handle_), backlog)) {
        error = LastError();
        return {};
    }
    error.clear();
    return s;
}

bool Socket::AcceptMaySucceedLater(const std::error_code& error) {
    switch (error.value()) {
        case EMFILE:
        case ENFILE:
        case ENOBUFS:
        case ENOMEM:
        case EPROTO:
        case EPERM:
            return true;
    }
    return false;
}

Socket Socket::Accept(std::error_code& error) {
    for (;;) {
        const int fd = ::accept4(int(handle_), nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0) {
            error.clear();
            return Socket(fd);
        }
        if (errno == EINTR || errno == ECONNABORTED) continue;
        error = LastError();
        return {};
    }
}

Socket Socket::AcceptForHandOver(std::error_code& error) {
    return Accept(error);
}

void Socket::TakeOver() {}

std::ptrdiff_t Socket::Receive(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::recv(int(handle_), buffer, size, 0);
        if (n >= 0 || errno != EINTR) return n;
    }
}

bool Socket::SendAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(int(handle_), data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

void Socket::SetNoDelay() {
    const int on = 1;
    ::setsockopt(int(handle_), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

bool Socket::SetKeepAlive(const KeepAlive& times) {
    const int fd = int(handle_), on = 1;
    const auto set = [fd](int level, int name, int value) {
        return ::setsockopt(fd, level, name, &value, sizeof value) == 0;
    };
    return set(SOL_SOCKET, SO_KEEPALIVE, on) && set(IPPROTO_TCP, TCP_KEEPIDLE, times.idleSeconds) &&
           set(IPPROTO_TCP, TCP_KEEPINTVL, times.intervalSeconds) &&
           set(IPPROTO_TCP, TCP_KEEPCNT, times.probes);
}

std::string Socket::PeerAddress() const {
    sockaddr_in a{};
    socklen_t length = sizeof a;
    if (::getpeername(int(handle_), reinterpret_cast<sockaddr*>(&a), &length)) return {};
    return DottedAddress(ntohl(a.sin_addr.s_addr));
}

void Socket::Interrupt() {
    interrupted_ = true;
    // A listening socket shut down fails every later accept, so no wake-up is missed.
    if (Valid()) ::shutdown(int(handle_), SHUT_RDWR);
}

void Socket::Close() {
    if (Valid()) ::close(int(Release()));
}

}  // namespace tarnwick
