#include "listener/listener_support.h"

#include <gtest/gtest.h>

namespace tarnwick::testing {

std::uint16_t FreePort() {
    std::error_code error;
    const Socket probe = Socket::Listen(0, 0, 1, error);
    EXPECT_FALSE(error) << error.message();
    return probe.LocalPort();
}

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
    socket_ = Socket::Connect(kLoopback, port, error);
    EXPECT_FALSE(error) << error.message();
    sender_ = std::thread([this] {
        std::string lines;
        for (int i = 0; i < 32 * 1024; ++i)
            lines += "x\n";
        while (socket_.SendAll(lines.data(), lines.size()))
            sent_ += lines.size();
        failed_ = true;
    });
}

NeverReadingTerminal::~NeverReadingTerminal() {
    socket_.Interrupt();
    sender_.join();
}

void NeverReadingTerminal::WaitUntilStalled() {
    size_t before = sent_.load();
    for (;;) {
        SleepMilliseconds(300);
        const size_t now = sent_.load();
        if ((now == before && now > 0) || failed_) return;
        before = now;
    }
}

}  // namespace tarnwick::testing
