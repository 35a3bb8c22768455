// Helpers for the listener's tests: a free port, terminal services that record or block, thread
// starters that fail, and a terminal that never reads its replies.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "support/loopback.h"
#include "terminals/listener.h"

namespace tarnwick::testing {

// The listener's own times but for a shorter shutdown wait, or shorter keep-alive times.
inline ListenerTimes WaitingAtMost(std::chrono::milliseconds wait) {
    ListenerTimes times;
    times.shutdownWait = wait;
    return times;
}
inline ListenerTimes Probing(KeepAlive keepAlive) {
    ListenerTimes times;
    times.keepAlive = keepAlive;
    return times;
}

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

// Creates no thread while `failing` is set, or throws while `throwing` is, as when there is no
// memory for the thread's state.
class SwitchableThreads final : public ConnectionThreads {
  public:
    bool Start(std::function<void()> body) override {
        if (throwing) throw std::bad_alloc();
        if (failing) return false;
        return SystemThreads().Start(std::move(body));
    }
    std::atomic<bool> failing{false};
    std::atomic<bool> throwing{false};
};

// Starts connections normally and then, on the accepting thread, makes the next allocation there
// fail: the one the listener makes to record the next connection.
class FailingAfterOne final : public ConnectionThreads {
  public:
    bool Start(std::function<void()> body) override;
};

// Counts the LOGOUTs that reach it: the progress of a connection that sends them.
class CountingService final : public TerminalService {
  public:
    bool ClientLogin(std::string_view, std::string_view) override { return true; }
    void ClientLogout(std::string_view, std::string_view) override { ++logouts; }
    std::atomic<int> logouts{0};
};

// Sends "x\n" lines, each answered, and now and then a LOGOUT, which is not, without ever
// reading the replies, from a thread of its own. Once the replies fill the buffers the server's
// connection thread blocks in a write and stops reading: the LOGOUTs stop arriving. That takes
// about a million bytes of replies: some seconds under Wine.
class NeverReadingTerminal {
  public:
    explicit NeverReadingTerminal(std::uint16_t port);
    ~NeverReadingTerminal();
    // Returns once the server has stopped reading its requests.
    void WaitUntilServerBlocks(const CountingService& service);

  private:
    ClientSocket socket_;
    std::thread sender_;
};

}  // namespace tarnwick::testing
