// How many terminals the listener holds at once: each connects, does one LOGIN round trip and
// stays connected, until the server stops serving new ones or the target is reached.
//
//   listener_capacity [target]                 server and terminals in this process
//   listener_capacity serve PORT SECONDS       only the server, on 127.0.0.1:PORT
//   listener_capacity connect PORT [target [seconds]]
//                                              only the terminals, held for `seconds`
//
// The split lets the Windows server run under Wine while the terminals come from a native
// process, so that they take nothing from the server's own thread budget.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "bench_terminal.h"
#include "support/client_socket.h"
#include "terminals/listener.h"
#include "terminals/terminal_table.h"

namespace tarnwick::bench {
namespace {

using Clock = std::chrono::steady_clock;
using testing::ClientSocket;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Opens terminals one after another until one is not served; returns those held.
std::vector<ClientSocket> HoldTerminals(std::uint16_t port, size_t target) {
    std::vector<ClientSocket> held;
    const auto start = Clock::now();
    while (held.size() < target) {
        std::error_code error;
        // Terminals from many source addresses, as at a real site.
        const std::uint32_t from = kLoopback + 1 + std::uint32_t(held.size() % 200);
        ClientSocket s = ClientSocket::Connect(kLoopback, port, error, from);
        if (error) {
            std::printf("terminal %zu: connect failed: %s\n", held.size() + 1,
                        error.message().c_str());
            break;
        }
        s.SetReceiveTimeout(10000);
        if (!Login(s)) {
            std::printf("terminal %zu: not served\n", held.size() + 1);
            break;
        }
        held.push_back(std::move(s));
        if (held.size() % 250 == 0) {
            std::printf("  %zu terminals held (%.0f ms)\n", held.size(), MillisecondsSince(start));
            std::fflush(stdout);
        }
    }
    size_t stillServed = 0;
    for (ClientSocket& s : held)
        stillServed += Login(s) ? 1 : 0;
    std::printf("held %zu terminals at once; %zu answered a second LOGIN\n", held.size(),
                stillServed);
    std::fflush(stdout);
    return held;
}

void ReportStop(TcpListener& listener) {
    const size_t open = listener.OpenConnections();
    const auto start = Clock::now();
    try {
        listener.Shutdown();
        std::printf("stop: %zu connections closed in %.0f ms\n", open, MillisecondsSince(start));
    } catch (const std::exception& e) {
        std::printf("stop: %s with %zu connections open\n", e.what(), listener.OpenConnections());
    }
}

int Serve(std::uint16_t port, int seconds) {
    FixedClock clock;
    TerminalTable table(clock);
    table.SyncKnownProducts({"01-Bench"});
    TcpListener listener(table);
    listener.AddBinding("127.0.0.1", port);
    try {
        listener.Open();
    } catch (const std::exception& e) {
        std::printf("cannot listen on port %u: %s\n", unsigned(port), e.what());
        return 1;
    }
    std::printf("listening on 127.0.0.1:%u for %d s\n", unsigned(port), seconds);
    std::fflush(stdout);
    size_t peak = 0;
    for (int s = 0; s < seconds; ++s) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        peak = std::max(peak, listener.OpenConnections());
    }
    std::printf("peak open connections: %zu\n", peak);
    ReportStop(listener);
    return 0;
}

int Local(size_t target) {
    BenchListener bench;
    const std::vector<ClientSocket> held = HoldTerminals(bench.port, target);
    ReportStop(bench.listener);
    return 0;
}

}  // namespace
}  // namespace tarnwick::bench

int main(int argc, char** argv) {
    using namespace tarnwick::bench;
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "serve" && argc > 3)
        return Serve(std::uint16_t(std::atoi(argv[2])), std::atoi(argv[3]));
    if (mode == "connect" && argc > 2) {
        const auto held =
            HoldTerminals(std::uint16_t(std::atoi(argv[2])), argc > 3 ? std::atoi(argv[3]) : 3000);
        std::this_thread::sleep_for(std::chrono::seconds(argc > 4 ? std::atoi(argv[4]) : 10));
        return 0;
    }
    if (mode.empty() || std::atoi(mode.c_str()) > 0)
        return Local(mode.empty() ? 3000 : std::atoi(mode.c_str()));
    std::fprintf(stderr, "usage: %s [target] | serve PORT SECONDS | connect PORT [target]\n",
                 argv[0]);
    return 2;
}
