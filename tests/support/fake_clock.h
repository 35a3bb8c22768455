// A clock whose "now" the test sets.
#pragma once

#include <mutex>
#include <stdexcept>

#include "common/stamp.h"

namespace tarnwick::testing {

class FakeClock final : public Clock {
  public:
    explicit FakeClock(CivilTime now = {2026, 12, 9, 10, 0, 0}) : now_(now) {}
    CivilTime Now() const override {
        std::lock_guard lock(mutex_);
        if (failing_) throw std::runtime_error("The clock cannot be read");
        return now_;
    }
    // While failing, every reading raises an error.
    void SetFailing(bool failing) {
        std::lock_guard lock(mutex_);
        failing_ = failing;
    }
    void Set(CivilTime now) {
        std::lock_guard lock(mutex_);
        now_ = now;
    }

  private:
    mutable std::mutex mutex_;
    CivilTime now_;
    bool failing_ = false;
};

}  // namespace tarnwick::testing
