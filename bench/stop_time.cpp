// How long a stop takes with 0, 100 and 1,000 idle terminals connected: each has done one LOGIN
// and then stays silent. Figures only, no target enforced here.
//
//   stop_time [runs per count (default 5)]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_terminal.h"
#include "support/client_socket.h"
#include "terminals/listener.h"
#include "terminals/terminal_table.h"

namespace tarnwick::bench {
namespace {

using Clock = std::chrono::steady_clock;
using testing::ClientSocket;

// One stop's milliseconds; negative when the terminals could not all be served first.
double StopWith(size_t terminals) {
    BenchListener bench;
    TcpListener& listener = bench.listener;
    const std::uint16_t port = bench.port;
    std::error_code error;
    std::vector<ClientSocket> held;
    for (size_t i = 0; i < terminals; ++i) {
        const std::uint32_t from = kLoopback + 1 + std::uint32_t(i % 200);
        held.push_back(ClientSocket::Connect(kLoopback, port, error, from));
        held.back().SetReceiveTimeout(10000);
        if (error || !Login(held.back())) return -1;
    }
    const auto start = Clock::now();
    try {
        listener.Shutdown();
    } catch (const std::exception&) {
        return -1;
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace
}  // namespace tarnwick::bench

int main(int argc, char** argv) {
    using namespace tarnwick::bench;
    const int runs = std::max(1, argc > 1 ? std::atoi(argv[1]) : 5);
    for (const size_t terminals : {0, 100, 1000}) {
        std::vector<double> times;
        for (int run = 0; run < runs; ++run)
            times.push_back(StopWith(terminals));
        std::sort(times.begin(), times.end());
        std::printf(
            "stop with %4zu idle terminals: median %8.2f ms, min %8.2f, max %8.2f (%d runs)\n",
            terminals, times[times.size() / 2], times.front(), times.back(), runs);
        std::fflush(stdout);
    }
    return 0;
}
