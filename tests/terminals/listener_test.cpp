// The listener's opening and shutdown over real loopback connections.
#include "terminals/listener.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>
#include <vector>

#include "terminals/listener_support.h"
#include "support/fake_clock.h"
#include "support/loopback.h"
#include "terminals/terminal_table.h"

namespace tarnwick {
namespace {

using testing::Client;
using testing::ClientSocket;
using testing::FreePort;

const std::string kListed = "1\r\n";

bool Accepts(std::uint16_t port, std::uint32_t to = kLoopback) {
    std::error_code error;
    const ClientSocket s = ClientSocket::Connect(to, port, error);
    return !error;
}

class ListenerLifecycle : public ::testing::Test {
  protected:
    ListenerLifecycle() { table.SyncKnownProducts({"0101-Ledger"}); }

    void Open(const std::string& ip = "127.0.0.1") {
        listener.AddBinding(ip, port);
        listener.Open();
        ASSERT_TRUE(listener.Running());
    }
    size_t Rows() const {
        return table.Read([](const TableReader& r) { return r.TerminalCount(); });
    }

    testing::FakeClock clock;
    TerminalTable table{clock};
    TcpListener listener{table};
    std::uint16_t port = FreePort();
};

// The end of accepting that a stop causes is no failure of accepting.
TEST_F(ListenerLifecycle, StopWithoutConnectionsEndsAcceptingQuietly) {
    int failures = 0;
    listener.OnAcceptFailed([&] { ++failures; });
    Open();
    EXPECT_TRUE(Accepts(port));
    listener.Shutdown();
    EXPECT_FALSE(listener.Running());
    EXPECT_FALSE(Accepts(port));
    EXPECT_FALSE(listener.AcceptFailed());
    EXPECT_EQ(failures, 0);
}

// On Windows, SO_REUSEADDR on the listening socket would let another program that sets it too
// bind the port and take connections away.
TEST_F(ListenerLifecycle, AnotherProgramCannotTakeOverThePortWhileItListens) {
    Open();
    EXPECT_FALSE(testing::BindsWithAddressReuse(kLoopback, port));
}

// The stop closes the connections from the server's side, so they linger on the port; the
// listener must still bind it again at once (on Windows, SO_EXCLUSIVEADDRUSE would keep it from
// that while any of them lingers).
TEST_F(ListenerLifecycle, RestartsOnTheSamePortRightAfterAStopWithTerminalsConnected) {
    Open();
    Client client(port);
    client.Send("LOGIN:0101;1\n");
    EXPECT_EQ(client.Read(3), kListed);
    listener.Shutdown();
    EXPECT_EQ(client.ReadToClose(), "");
    listener.RemoveBindings();
    listener.AddBinding("127.0.0.1", port);
    EXPECT_NO_THROW(listener.Open());
    EXPECT_TRUE(listener.Running());
    Client again(port);
    again.Send("LOGIN:0101;1\n");
    EXPECT_EQ(again.Read(3), kListed);
}

TEST_F(ListenerLifecycle, StopOfAStoppedListenerDoesNothing) {
    listener.Shutdown();
    EXPECT_FALSE(listener.Running());
}

TEST_F(ListenerLifecycle, StopClosesConnectionsWithoutReplyAndKeepsTheirRows) {
    Open();
    std::vector<std::unique_ptr<Client>> clients;
    for (std::uint32_t i = 1; i <= 3; ++i) {
        clients.push_back(std::make_unique<Client>(port, kLoopback + i));
        clients.back()->Send("LOGIN:0101;1\n");
        EXPECT_EQ(clients.back()->Read(3), kListed);
    }
    EXPECT_EQ(listener.OpenConnections(), 3u);
    listener.Shutdown();
    EXPECT_FALSE(listener.Running());
    EXPECT_EQ(listener.OpenConnections(), 0u);
    for (auto& c : clients)
        EXPECT_EQ(c->ReadToClose(), "");
    EXPECT_EQ(Rows(), 3u);
}

TEST(ListenerBlockedWrite, StopReleasesAThreadBlockedWritingToATerminalThatNeverReads) {
    testing::CountingService service;
    TcpListener listener(service);
    const std::uint16_t port = FreePort();
    listener.AddBinding("127.0.0.1", port);
    listener.Open();
    testing::NeverReadingTerminal terminal(port);
    terminal.WaitUntilServerBlocks(service);
    Client other(port);  // is served meanwhile
    other.Send("x\n");
    EXPECT_EQ(other.Read(6), "2\r\n2\r\n");
    listener.Shutdown();  // no ShutdownTimeout
    EXPECT_FALSE(listener.Running());
    EXPECT_EQ(listener.OpenConnections(), 0u);
}

TEST_F(ListenerLifecycle, ConnectionsServeUntilTheirTerminalLeaves) {
    Open();
    {
        Client client(port);
        client.Send("LOGIN:0101;1\n");
        EXPECT_EQ(client.Read(3), kListed);
    }
    // The thread of a finished connection leaves the list by itself.
    while (listener.OpenConnections() != 0)
        SleepMilliseconds(10);
    Client next(port);
    next.Send("hello\n");
    EXPECT_EQ(next.Read(6), "2\r\n2\r\n");
}

TEST_F(ListenerLifecycle, AllAddressesAcceptOnEveryLoopbackAddress) {
    Open("0.0.0.0");
    for (std::uint32_t to : {kLoopback, kLoopback + 1}) {
        EXPECT_TRUE(Accepts(port, to));
    }
}

TEST_F(ListenerLifecycle, OneLoopbackAddressAcceptsOnlyThere) {
    Open("127.0.0.2");
    EXPECT_TRUE(Accepts(port, kLoopback + 1));
    EXPECT_FALSE(Accepts(port, kLoopback));
}

TEST_F(ListenerLifecycle, PortInUseFailsAndTheListenerStaysStopped) {
    std::error_code error;
    const Socket other = Socket::Listen(kLoopback, port, 1, error);
    ASSERT_FALSE(error);
    listener.AddBinding("127.0.0.1", port);
    EXPECT_THROW(listener.Open(), std::system_error);
    EXPECT_FALSE(listener.Running());
}

TEST_F(ListenerLifecycle, BindingsChangeOnlyWhileStopped) {
    Open();
    listener.RemoveBindings();
    listener.AddBinding("127.0.0.1", port + 1);
    ASSERT_EQ(listener.Bindings().size(), 1u);
    EXPECT_EQ(listener.Bindings()[0].port, port);
    listener.Shutdown();
    listener.RemoveBindings();
    EXPECT_TRUE(listener.Bindings().empty());
}

TEST_F(ListenerLifecycle, BadAddressesAndPortsAreRefusedAtTheOpening) {
    const std::vector<std::pair<std::string, std::int32_t>> refused = {
        {"localhost", port},  {"127.0.0", port}, {"127.0.0.256", port}, {"127.0.0.1", 0},
        {"127.0.0.1", 65536}, {"127.0.0.1", -1}, {"127.0.0.1", -65535}};
    for (const auto& [ip, p] : refused) {
        listener.RemoveBindings();
        listener.AddBinding(ip, p);
        EXPECT_THROW(listener.Open(), ListenerError) << ip << " " << p;
        EXPECT_FALSE(listener.Running());
    }
}

TEST_F(ListenerLifecycle, DestroyingARunningListenerShutsItDown) {
    auto owned = std::make_unique<TcpListener>(table);
    owned->AddBinding("127.0.0.1", port);
    owned->Open();
    Client client(port);
    client.Send("LOGIN:0101;1\n");
    EXPECT_EQ(client.Read(3), kListed);
    owned.reset();
    EXPECT_EQ(client.ReadToClose(), "");
    EXPECT_FALSE(Accepts(port));
}

// A connection thread that cannot end: its terminal's LOGIN is held inside the table.
TEST(ListenerTimeout, AThreadThatCannotEndTimesOutTheStopCanBeRepeatedAndTheEndWaitsNoMore) {
    testing::BlockingService service;
    constexpr std::chrono::milliseconds kWait{300};
    std::optional<TcpListener> owned;
    TcpListener& listener = owned.emplace(service, SystemThreads(), testing::WaitingAtMost(kWait));
    const std::uint16_t port = FreePort();
    listener.AddBinding("127.0.0.1", port);
    listener.Open();
    Client client(port);
    client.Send("LOGIN:0101;1\n");
    service.WaitForLogins(1);

    EXPECT_THROW(
        {
            try {
                listener.Shutdown();
            } catch (const ShutdownTimeout& e) {
                EXPECT_STREQ(e.what(), "Terminate Thread Timeout");
                throw;
            }
        },
        ShutdownTimeout);
    EXPECT_TRUE(listener.Running());
    EXPECT_FALSE(Accepts(port));  // the accept thread is gone

    EXPECT_THROW(listener.Shutdown(), ShutdownTimeout);
    EXPECT_TRUE(listener.Running());

    // The program's end after a timed-out stop waits no more: a wait would last the whole limit,
    // as the thread cannot end before the release below.
    const auto start = std::chrono::steady_clock::now();
    owned.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, kWait);
    service.Release();
    EXPECT_EQ(client.ReadToClose(), "");  // the reply was not written
}

TEST(ListenerThreads, AConnectionWithoutAThreadIsClosedAndTheListenerGoesOn) {
    testing::FakeClock clock;
    TerminalTable table(clock);
    testing::SwitchableThreads threads;
    TcpListener listener(table, threads);
    const std::uint16_t port = FreePort();
    listener.AddBinding("127.0.0.1", port);
    listener.Open();

    for (std::atomic<bool>* failure : {&threads.failing, &threads.throwing}) {
        *failure = true;
        Client refused(port);
        refused.Send("hello\n");
        EXPECT_EQ(refused.ReadToClose(), "");
        *failure = false;
    }
    Client served(port);
    served.Send("hello\n");
    EXPECT_EQ(served.Read(6), "2\r\n2\r\n");
    EXPECT_EQ(listener.OpenConnections(), 1u);
}

// The accept's contract, below the listener: pending connections are taken without waiting,
// and a stop is never missed, whether it comes before the accept or while it waits.
TEST(ListeningSocket, TakesEveryPendingConnectionAndNeverMissesAStop) {
    std::error_code error;
    Socket listening = Socket::Listen(kLoopback, 0, 15, error);
    ASSERT_FALSE(error);
    std::vector<ClientSocket> terminals;
    for (int i = 0; i < 10; ++i)
        terminals.push_back(ClientSocket::Connect(kLoopback, testing::LocalPort(listening), error));
    std::vector<Socket> accepted;
    for (int i = 0; i < 10; ++i) {
        accepted.push_back(listening.Accept(error));
        ASSERT_TRUE(accepted.back().Valid()) << "connection " << i;
    }
    // Blocking once accepted: a read waits for the line the terminal sends a little later.
    std::thread terminal([&] {
        SleepMilliseconds(50);
        terminals.back().SendAll("x\n", 2);
    });
    char line[2];
    EXPECT_EQ(accepted.back().Receive(line, 2), 2);
    terminal.join();

    std::thread stopper([&] {
        SleepMilliseconds(100);  // the accept below is waiting by now
        listening.Interrupt();
    });
    EXPECT_FALSE(listening.Accept(error).Valid());
    stopper.join();
    // A stop that came before the call ends it at once too.
    EXPECT_FALSE(listening.Accept(error).Valid());
}

}  // namespace
}  // namespace tarnwick
