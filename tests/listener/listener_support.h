// Helpers for the listener's tests: a free port, counted sleeps, terminal services that record
// or block, thread starters that fail, and a terminal that never reads its replies.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "terminals/listener.h"

namespace tarnwick::testing {

// A port that nobody listens on at this moment, on any local address.
std::uint16_t FreePort();

// Counts the shutdown's waits; each also sleeps for real (briefly) so threads can end.
class CountedSleep {
  public:
    SleepFunction Function() {
        return [this](int milliseconds) {
            waits_.push_back(milliseconds);
            SleepMilliseconds(realMilliseconds);
        };
    }
    const std::vector<int>& Waits() const { return waits_; }
    int realMilliseconds = 20;

  private:
    std::vector<int> waits_;  // the window's thread alone sleeps
};

// Holds every ClientLogin until released; counts the logins that have entered.
class BlockingService final : public TerminalService {
  public:
    bool ClientLogin(std::string_view, std::string_view) override;
    void ClientLogout(std::string_view, std::string_view) override {}
    void WaitForLogins(int count);
    void Release();

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int entered_ = 0;
    bool released_ = false;
};

// Refuses to create threads while `failing` is set.
class SwitchableThreads final : public ConnectionThreads {
  public:
    bool Start(std::function<void()> body) override {
        if (failing) return false;
        return SystemThreads().Start(std::move(body));
    }
    std::atomic<bool> failing{false};
};

// Sends "x\n" lines without ever reading the replies, from a thread of its own, until its
// sending stalls: the server's connection thread is then blocked in a write.
class NeverReadingTerminal {
  public:
    explicit NeverReadingTerminal(std::uint16_t port);
    ~NeverReadingTerminal();
    // Returns once no byte has gone out for a while although the sender keeps trying.
    void WaitUntilStalled();
    // Bytes of requests sent in all.
    size_t Sent() const { return sent_.load(); }

  private:
    Socket socket_;
    std::atomic<size_t> sent_{0};
    std::atomic<bool> failed_{false};
    std::thread sender_;
};

}  // namespace tarnwick::testing
