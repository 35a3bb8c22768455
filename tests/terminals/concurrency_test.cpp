// Many terminals logging in and out at once while sweeps run and the view reads: run under
// ThreadSanitizer in the native build.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <thread>

#include "support/fake_clock.h"
#include "support/loopback.h"
#include "terminals/listener.h"
#include "terminals/listener_support.h"
#include "terminals/terminal_table.h"

namespace tarnwick {
namespace {

// Takes the changes on its own thread, as the window would, and checks what it reads.
class CheckingView final : public TableView {
  public:
    explicit CheckingView(TerminalTable& table) : table_(table) {}
    bool TableChanged() override {
        pending_.store(true);
        return true;
    }
    void Drain() {
        if (!pending_.exchange(false)) return;
        table_.TakeChanges();
        table_.Read([this](const TableReader& r) {
            const size_t rows = r.TerminalCount();
            if (rows > 0 && r.Cell(rows - 1, 0).empty()) ++inconsistent;
            if (r.CurrentRow() >= std::max<size_t>(rows, 1)) ++inconsistent;
        });
    }
    int inconsistent = 0;

  private:
    TerminalTable& table_;
    std::atomic<bool> pending_{false};
};

TEST(Concurrency, LoginsLogoutsSweepsAndReadsInterleaveSafely) {
    testing::FakeClock clock;
    TerminalTable table(clock);
    CheckingView view(table);
    table.SetView(&view);
    table.SyncKnownProducts({"01-Ledger", "02-Stock", "03-Payroll"});

    constexpr int kWorkers = 6;
    constexpr int kRounds = 3000;
    std::atomic<bool> done{false};
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.emplace_back([&table, w] {
            std::mt19937 random(w);
            for (int i = 0; i < kRounds; ++i) {
                const std::string code = "0" + std::to_string(random() % 4 + 1);
                const std::string address =
                    "10.0." + std::to_string(w) + "." + std::to_string(random() % 40);
                if (random() % 3) {
                    table.ClientLogin(code, address);
                } else {
                    table.ClientLogout(code, address);
                }
            }
        });
    }
    std::thread sweeper([&] {
        int second = 0;
        while (!done.load()) {
            clock.Set({2026, 12, 9, 10, second / 60 % 60, second % 60});
            second += 7;
            table.Sweep();
            view.Drain();
        }
    });
    for (std::thread& t : workers)
        t.join();
    done.store(true);
    sweeper.join();
    view.Drain();
    EXPECT_EQ(view.inconsistent, 0);
}

TEST(Concurrency, ConnectionsServeTheSharedTable) {
    testing::FakeClock clock;
    TerminalTable table(clock);
    table.SyncKnownProducts({"01-Ledger"});
    testing::LoopbackServer server(table);

    constexpr int kClients = 8;
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&server, &table, c] {
            testing::Client client(server.Port(), kLoopback + std::uint32_t(c));
            for (int i = 0; i < 100; ++i) {
                client.Send("LOGIN:01;1\n");
                EXPECT_EQ(client.Read(3), "1\r\n");
                if (i % 10 == 9) client.Send("LOGOUT:01\n");
                if (i % 25 == 0) table.Sweep();
            }
            // LOGOUT has no reply: a last request tells when the server has handled it.
            client.Send("X\n");
            EXPECT_EQ(client.Read(6), "2\r\n2\r\n");
        });
    }
    for (std::thread& t : clients)
        t.join();
    // Every client ended with a LOGOUT.
    EXPECT_EQ(table.Read([](const TableReader& r) { return r.TerminalCount(); }), 0u);
}

// A terminal that logs in and out over and over, connecting again whenever its connection ends.
void RunTerminal(std::uint16_t port, std::uint32_t from, const std::atomic<bool>& done) {
    std::mt19937 random(from);
    char reply[64];
    while (!done.load()) {
        std::error_code error;
        testing::ClientSocket s = testing::ClientSocket::Connect(kLoopback, port, error, from);
        if (error) {
            SleepMilliseconds(2);
            continue;
        }
        for (int i = 0; i < 50 && !done.load(); ++i) {
            const std::string code = "0" + std::to_string(random() % 3 + 1);
            const std::string line =
                random() % 4 ? "LOGIN:" + code + ";1\n" : "LOGOUT:" + code + "\n";
            if (!s.SendAll(line.data(), line.size())) break;
            if (line[4] == 'N' && s.Receive(reply, sizeof reply) <= 0) break;
        }
    }
}

// Logins and logouts over the network, sweeps, product loads and reads on a window-like thread,
// and the listener stopped and started again under them: run under ThreadSanitizer.
TEST(Concurrency, LoginsLogoutsSweepsLoadsAndStopsTogether) {
    testing::FakeClock clock;
    TerminalTable table(clock);
    CheckingView view(table);
    table.SetView(&view);
    table.SyncKnownProducts({"01-Ledger", "02-Stock"});
    TcpListener listener(table);
    const std::uint16_t port = testing::FreePort();

    std::atomic<bool> done{false};
    std::vector<std::thread> terminals;
    for (std::uint32_t t = 1; t <= 6; ++t)
        terminals.emplace_back(RunTerminal, port, kLoopback + t, std::cref(done));
    std::thread window([&] {
        const std::vector<std::vector<std::string>> loads = {{"01-Ledger", "02-Stock"},
                                                             {"03-Payroll", "01-General"},
                                                             {},
                                                             {"02-Stock", "03-Payroll"}};
        for (int pass = 0; !done.load(); ++pass) {
            clock.Set({2026, 12, 9, 10, pass / 60 % 60, pass % 60});
            table.Sweep();
            table.SyncKnownProducts(loads[size_t(pass) % loads.size()]);
            view.Drain();
        }
    });
    for (int round = 0; round < 6; ++round) {
        listener.RemoveBindings();
        listener.AddBinding("127.0.0.1", port);
        ASSERT_NO_THROW(listener.Open());
        SleepMilliseconds(150);
        ASSERT_NO_THROW(listener.Shutdown());
        EXPECT_FALSE(listener.Running());
    }
    done.store(true);
    for (std::thread& t : terminals)
        t.join();
    window.join();
    view.Drain();
    EXPECT_EQ(view.inconsistent, 0);
}

}  // namespace
}  // namespace tarnwick
