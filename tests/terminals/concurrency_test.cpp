// Many terminals logging in and out at once while sweeps run and the view reads: run under
// ThreadSanitizer in the native build.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <thread>

#include "support/fake_clock.h"
#include "support/loopback.h"
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

}  // namespace
}  // namespace tarnwick
