#include <windows.h>

#include <memory>

#include "terminals/listener.h"

namespace tarnwick {
namespace {

// A 32-bit process under Wine runs out of address space at about 650 threads with the default
// 2 MiB stacks; a 64 KiB reservation is ample for serving one connection.
constexpr SIZE_T kConnectionStackBytes = 64 * 1024;

DWORD WINAPI RunBody(LPVOID parameter) {
    const std::unique_ptr<std::function<void()>> body(
        static_cast<std::function<void()>*>(parameter));
    try {
        (*body)();
    } catch (...) {
        // A failure ends this thread only.
    }
    return 0;
}

class WindowsThreads final : public ConnectionThreads {
  public:
    bool Start(std::function<void()> body) override {
        auto owned = std::make_unique<std::function<void()>>(std::move(body));
        const HANDLE thread = CreateThread(nullptr, kConnectionStackBytes, RunBody, owned.get(),
                                           STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
        if (!thread) return false;
        owned.release();
        // Nobody joins a connection thread: it leaves the list of open connections by itself.
        CloseHandle(thread);
        return true;
    }
};

}  // namespace

ConnectionThreads& SystemThreads() {
    static WindowsThreads threads;
    return threads;
}

}  // namespace tarnwick
