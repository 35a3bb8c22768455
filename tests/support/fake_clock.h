// A clock whose "now" the test sets.
#pragma once

#include <mutex>

#include "common/stamp.h"

namespace tarnwick::testing {

class FakeClock final : public Clock {
  public:
    explicit FakeClock(CivilTime now = {2026, 12, 9, 10, 0, 0}) : now_(now) {}
    CivilTime Now() const override {
        std::lock_guard lock(mutex_);
        return now_;
    }
    void Set(CivilTime now) {
        std::lock_guard lock(mutex_);
        now_ = now;
    }

  private:
    mutable std::mutex mutex_;
    CivilTime now_;
};

}  // namespace tarnwick::testing
