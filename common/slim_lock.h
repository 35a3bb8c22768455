// The lock for data that many threads touch briefly. On Windows a slim reader/writer lock taken
// exclusively: it waits in user mode, where the threads library's mutex waits on an event, which
// under Wine costs a round trip to the wine server on every contended take. Elsewhere the
// standard mutex.
#pragma once

#ifdef _WIN32
namespace tarnwick {

class SlimLock {
  public:
    SlimLock() = default;
    SlimLock(const SlimLock&) = delete;
    SlimLock& operator=(const SlimLock&) = delete;

    void lock();
    void unlock();
    bool try_lock();

  private:
    void* state_ = nullptr;  // an SRWLOCK, which is one pointer, zero when free
};

}  // namespace tarnwick
#else
#include <mutex>

namespace tarnwick {
using SlimLock = std::mutex;
}  // namespace tarnwick
#endif
