#include "terminals/listener_support.h"

#include <gtest/gtest.h>

#include "support/failing_allocation.h"

namespace tarnwick::testing {

bool BlockingService::ClientLogin(std::string_view, std::string_view) {
    std::unique_lock lock(mutex_);
    ++entered_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return released_; });
    return true;
}

void BlockingService::WaitForLogins(int count) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return entered_ >= count; });
}

void BlockingService::Release() {
    std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
}

NeverReadingTerminal::NeverReadingTerminal(std::uint16_t port) {
    std::error_code error;
    // A small receive window: the server's writes block after fewer replies.
    socket_ = ClientSocket::Connect(kLoopback, port, error, 0, 1);
    EXPECT_FALSE(error) << error.message();
    sender_ = std::thread([this] {
        std::string lines;
        for (int i = 0; i < 2048; ++i) {
            lines += "x\n";
        }
        lines += "LOGOUT:0101\n";
        while (socket_.SendAll(lines.data(), lines.size())) {
        }
    });
}

NeverReadingTerminal::~NeverReadingTerminal() {
    socket_.Interrupt();
    sender_.join();
}

void NeverReadingTerminal::WaitUntilServerBlocks(const CountingService& service) {
    // The server serves some 15,000 lines a second at its slowest (under Wine), a LOGOUT every
    // 2049 lines: a second and a half without one means that it has stopped reading.
    int before = service.logouts.load();
    for (;;) {
        SleepMilliseconds(1500);
        const int now = service.logouts.load();
        if (now == before && now > 0) return;
        before = now;
    }
}

bool FailingAfterOne::Start(std::function<void()> body) {
    const bool started = SystemThreads().Start(std::move(body));
    FailAllocationOnThisThread(1);
    return started;
}

}  // namespace tarnwick::testing
