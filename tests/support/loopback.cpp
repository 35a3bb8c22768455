#include "support/loopback.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tarnwick::testing {

std::uint16_t FreePort() {
    std::error_code error;
    const Socket probe = Socket::Listen(0, 0, 1, error);
    EXPECT_FALSE(error) << error.message();
    return LocalPort(probe);
}

LoopbackServer::LoopbackServer(TerminalService& service) : service_(service) {
    std::error_code error;
    listener_ = Socket::Listen(kLoopback, 0, 15, error);
    if (error) throw std::system_error(error, "listen");
    port_ = LocalPort(listener_);
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
    listener_.Interrupt();
    acceptor_.join();
    // Clients are gone by now, so every connection thread is ending.
    for (std::thread& t : connections_)
        t.join();
}

void LoopbackServer::AcceptLoop() {
    for (;;) {
        std::error_code error;
        Socket connection = listener_.Accept(error);
        if (!connection.Valid()) return;
        std::lock_guard lock(mutex_);
        connections_.emplace_back(
            [this, s = std::move(connection)]() mutable { ServeSocket(std::move(s), service_); });
    }
}

Client::Client(std::uint16_t port, std::uint32_t from) {
    std::error_code error;
    socket_ = ClientSocket::Connect(kLoopback, port, error, from);
    EXPECT_FALSE(error) << error.message();
    socket_.SetReceiveTimeout(5000);
}

void Client::Send(std::string_view bytes) {
    EXPECT_TRUE(socket_.SendAll(bytes.data(), bytes.size()));
}

std::string Client::Read(size_t size) {
    std::string got;
    char chunk[4096];
    while (got.size() < size) {
        const auto n = socket_.Receive(chunk, std::min(sizeof chunk, size - got.size()));
        if (n <= 0) break;
        got.append(chunk, size_t(n));
    }
    return got;
}

std::string Client::ReadToClose() {
    const auto start = std::chrono::steady_clock::now();
    std::string got;
    char chunk[4096];
    for (;;) {
        const auto n = socket_.Receive(chunk, sizeof chunk);
        if (n > 0) {
            got.append(chunk, size_t(n));
            continue;
        }
        // A close, or a reset when the server left bytes unread; only the timeout takes long.
        const bool timedOut = std::chrono::steady_clock::now() - start > std::chrono::seconds(4);
        return timedOut ? "<timeout>" : got;
    }
}

}  // namespace tarnwick::testing
