// LOGIN round trips per second over loopback, this server's connection code against the
// reference line server, and the time the terminal table's operations hold its lock.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench/reference_server.h"
#include "bench_terminal.h"
#include "support/client_socket.h"
#include "support/loopback.h"
#include "terminals/terminal_table.h"

namespace tarnwick::bench {
namespace {

using Clock = std::chrono::steady_clock;
using testing::ClientSocket;

// Each connection keeps one LOGIN in flight; client threads share the connections.
double RoundTripsPerSecond(std::uint16_t port, int connections, double seconds) {
    const int threads = std::min(connections, 8);
    std::atomic<long long> total{0};
    std::atomic<bool> stop{false};
    std::vector<std::thread> clients;
    for (int t = 0; t < threads; ++t) {
        clients.emplace_back([&, t] {
            std::vector<ClientSocket> sockets;
            for (int c = t; c < connections; c += threads) {
                std::error_code error;
                // One source address per terminal, as at a real site.
                sockets.push_back(ClientSocket::Connect(kLoopback, port, error,
                                                        kLoopback + 1 + std::uint32_t(c)));
                if (error) {
                    std::fprintf(stderr, "connect: %s\n", error.message().c_str());
                    std::exit(1);
                }
                sockets.back().SetNoDelay();
            }
            const std::string login = "LOGIN:01;1\n";
            long long done = 0;
            char reply[3];
            while (!stop.load(std::memory_order_relaxed)) {
                for (ClientSocket& s : sockets)
                    s.SendAll(login.data(), login.size());
                for (ClientSocket& s : sockets) {
                    for (size_t got = 0; got < sizeof reply;) {
                        const auto n = s.Receive(reply + got, sizeof reply - got);
                        if (n <= 0) return;
                        got += size_t(n);
                    }
                }
                done += static_cast<long long>(sockets.size());
            }
            total += done;
        });
    }
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    stop = true;
    for (std::thread& c : clients)
        c.join();
    return double(total) / std::chrono::duration<double>(Clock::now() - start).count();
}

void CompareServers(double seconds, const std::vector<int>& counts) {
    FixedClock clock;
    TerminalTable table(clock);
    table.SyncKnownProducts({"01-Ledger", "02-Stock"});
    ThreadPerConnectionServer ours(
        [&table](Socket s) { testing::ServeSocket(std::move(s), table); });
    ThreadPerConnectionServer reference(ServeFixedReply);

    std::printf("LOGIN round trips per second over loopback\n");
    std::printf("%12s %14s %14s %8s\n", "connections", "tarnwick", "reference", "ratio");
    for (int connections : counts) {
        const double a = RoundTripsPerSecond(ours.Port(), connections, seconds);
        const double b = RoundTripsPerSecond(reference.Port(), connections, seconds);
        std::printf("%12d %14.0f %14.0f %8.2f\n", connections, a, b, a / b);
    }
}

template <class Op>
double MicrosecondsPerOp(int count, Op op) {
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i)
        op(i);
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
}

std::string Address(int i) {
    return "10." + std::to_string(i / 65536) + "." + std::to_string(i / 256 % 256) + "." +
           std::to_string(i % 256);
}

void LockHoldTimes(int rows) {
    FixedClock clock;
    TerminalTable table(clock);
    table.SyncKnownProducts({"01-Ledger", "02-Stock"});
    const double fill =
        MicrosecondsPerOp(rows, [&](int i) { table.ClientLogin("01", Address(i)); });

    std::printf(
        "\nTerminal table with %d rows: microseconds per operation, all of it under the "
        "lock\n",
        rows);
    const double refresh = MicrosecondsPerOp(
        100000, [&](int i) { table.ClientLogin("01", Address(i * 7919 % rows)); });
    const double first = MicrosecondsPerOp(5000, [&](int i) {
        table.ClientLogin("02", Address(i));  // a new row at the end
    });
    const double logout = MicrosecondsPerOp(5000, [&](int i) {
        table.ClientLogout("02", Address(i));  // the oldest of the new rows: near the end
    });
    const double logoutTop = MicrosecondsPerOp(1000, [&](int i) {
        table.ClientLogout("01", Address(i));  // from the top: every row below moves up
        table.ClientLogin("01", Address(i));
    });
    const double sweepNone = MicrosecondsPerOp(20, [&](int) { table.Sweep(); });
    clock.now.hour = 11;
    const double sweepAll = MicrosecondsPerOp(1, [&](int) { table.Sweep(); });

    std::printf("%-46s %10.3f\n", "LOGIN filling a new row, from empty", fill);
    std::printf("%-46s %10.3f\n", "LOGIN refreshing a listed terminal", refresh);
    std::printf("%-46s %10.3f\n", "LOGIN filling a new row, among the others", first);
    std::printf("%-46s %10.3f\n", "LOGOUT of a row near the end", logout);
    std::printf("%-46s %10.3f\n", "LOGOUT of the first row, then its LOGIN again", logoutTop);
    std::printf("%-46s %10.3f\n", "sweep pass, no row due", sweepNone);
    std::printf("%-46s %10.3f\n",
                ("sweep pass removing all " + std::to_string(rows) + " rows").c_str(), sweepAll);
}

}  // namespace
}  // namespace tarnwick::bench

// login_bench [seconds [connections...]]: 3 s and 1, 50, 500 connections by default.
int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    std::vector<int> counts;
    for (int i = 2; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty()) counts = {1, 50, 500};
    tarnwick::bench::CompareServers(seconds, counts);
    for (int rows : {10000, 100000})
        tarnwick::bench::LockHoldTimes(rows);
}
