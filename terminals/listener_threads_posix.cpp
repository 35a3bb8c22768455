#include <system_error>
#include <thread>

#include "terminals/listener.h"

namespace tarnwick {
namespace {

class PosixThreads final : public ConnectionThreads {
  public:
    bool Start(std::function<void()> body) override {
        try {
            // Nobody joins a connection thread: it leaves the list of open connections by itself.
            std::thread(std::move(body)).detach();
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }
};

}  // namespace

ConnectionThreads& SystemThreads() {
    static PosixThreads threads;
    return threads;
}

}  // namespace tarnwick
