// Owned<H, Close>: the one owner of a handle. Non-copyable, movable; closes the handle exactly
// once, when the owner goes or takes another handle.
#pragma once

#include <utility>

namespace tarnwick {

template <class H, auto Close>
class Owned {
  public:
    Owned() = default;
    explicit Owned(H handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != H{}; }
    // Gives the handle up without closing it.
    H Release() { return std::exchange(handle_, H{}); }
    // Closes the handle held, if any, and holds `handle` instead.
    void Reset(H handle = H{}) {
        if (H old = std::exchange(handle_, handle); old != H{}) Close(old);
    }

  private:
    H handle_{};
};

}  // namespace tarnwick
