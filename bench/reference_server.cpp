#include "bench/reference_server.h"

#include <cstring>
#include <stdexcept>

#include "support/client_socket.h"

namespace tarnwick::bench {

ThreadPerConnectionServer::ThreadPerConnectionServer(Serve serve) : serve_(std::move(serve)) {
    std::error_code error;
    listener_ = Socket::Listen(kLoopback, 0, 15, error);
    if (error) throw std::runtime_error("listen: " + error.message());
    port_ = testing::LocalPort(listener_);
    acceptor_ = std::thread([this] {
        for (;;) {
            std::error_code e;
            Socket s = listener_.Accept(e);
            if (!s.Valid()) return;
            std::lock_guard lock(mutex_);
            connections_.emplace_back([this, c = std::move(s)]() mutable { serve_(std::move(c)); });
        }
    });
}

ThreadPerConnectionServer::~ThreadPerConnectionServer() {
    listener_.Interrupt();
    acceptor_.join();
    for (std::thread& t : connections_)
        t.join();
}

void ServeFixedReply(Socket socket) {
    socket.SetNoDelay();
    char buffer[4096];
    for (;;) {
        const auto n = socket.Receive(buffer, sizeof buffer);
        if (n <= 0) return;
        for (auto i = 0; i < n; ++i) {
            if (buffer[i] == '\n' && !socket.SendAll("1\r\n", 3)) return;
        }
    }
}

}  // namespace tarnwick::bench
