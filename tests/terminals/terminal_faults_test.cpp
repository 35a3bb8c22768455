// What terminals and the platform do wrong, over real connections to the listener: resets,
// half-closes, endless lines, slow, silent and vanished terminals, threads and memory that run
// out.
#include <gtest/gtest.h>

#include <memory>

#ifdef __linux__
#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#endif

#include "support/fake_clock.h"
#include "support/loopback.h"
#include "terminals/listener.h"
#include "terminals/listener_support.h"
#include "terminals/terminal_table.h"

namespace tarnwick {
namespace {

using testing::Client;
using testing::ClientSocket;
using testing::FreePort;

const std::string kListed = "1\r\n";
const std::string kTwo = "2\r\n2\r\n";

class TerminalFaults : public ::testing::Test {
  protected:
    explicit TerminalFaults(ConnectionThreads& threads = SystemThreads(), ListenerTimes times = {})
        : listener{table, threads, times} {
        table.SyncKnownProducts({"0101-Ledger"});
        listener.AddBinding("127.0.0.1", port);
        listener.Open();
    }
    ~TerminalFaults() override { listener.Shutdown(); }

    size_t Rows() const {
        return table.Read([](const TableReader& r) { return r.TerminalCount(); });
    }
    void WaitForOpenConnections(size_t count) const {
        while (listener.OpenConnections() != count)
            SleepMilliseconds(5);
    }
    // A terminal of its own address logs in and is answered: the listener serves.
    void ExpectServed(std::uint32_t from) {
        Client client(port, from);
        client.Send("LOGIN:0101;1\n");
        EXPECT_EQ(client.Read(3), kListed);
    }

    testing::FakeClock clock;
    TerminalTable table{clock};
    std::uint16_t port = FreePort();
    TcpListener listener;
};

TEST_F(TerminalFaults, AResetInTheMiddleOfALineEndsOnlyThatConnection) {
    {
        std::error_code error;
        ClientSocket terminal = ClientSocket::Connect(kLoopback, port, error);
        ASSERT_FALSE(error);
        WaitForOpenConnections(1);
        ASSERT_TRUE(terminal.SendAll("LOGIN:0101;", 11));
        terminal.Reset();
    }
    WaitForOpenConnections(0);
    EXPECT_EQ(Rows(), 0u);
    ExpectServed(kLoopback + 1);
}

TEST_F(TerminalFaults, AHalfCloseAfterACompleteRequestIsServedThenClosed) {
    Client client(port);
    client.Send("LOGIN:0101;1\nX\n");
    client.CloseSending();
    EXPECT_EQ(client.ReadToClose(), kListed + kTwo);
    EXPECT_EQ(Rows(), 1u);
    WaitForOpenConnections(0);
}

// The server reads at most a line's limit and a receive chunk of an endless line, then closes:
// the terminal's sending fails long before its 100 MB are out, however fast either side is.
TEST_F(TerminalFaults, OneHundredMegabytesWithoutALineFeedEndAtTheLimit) {
    std::error_code error;
    ClientSocket terminal = ClientSocket::Connect(kLoopback, port, error);
    ASSERT_FALSE(error);
    const std::string block(64 * 1024, 'x');
    constexpr size_t kTotal = 100u * 1024 * 1024;
    size_t sent = 0;
    while (sent < kTotal && terminal.SendAll(block.data(), block.size()))
        sent += block.size();
    EXPECT_LT(sent, kTotal);
    WaitForOpenConnections(0);
    ExpectServed(kLoopback + 1);
}

// Slow terminals hold their own threads only: while each of them has sent part of a line,
// others are answered; then the slow ones finish their lines and are answered too.
TEST_F(TerminalFaults, SlowTerminalsHoldUpNobodyElse) {
    constexpr int kSlow = 100;
    std::vector<std::unique_ptr<Client>> slow;
    for (int i = 0; i < kSlow; ++i)
        slow.push_back(std::make_unique<Client>(port, kLoopback + 10 + std::uint32_t(i)));
    WaitForOpenConnections(kSlow);
    const std::string line = "LOGIN:0101;1";
    for (size_t at = 0; at < line.size(); ++at) {
        for (auto& terminal : slow)
            terminal->Send(line.substr(at, 1));
        ExpectServed(kLoopback + 1);
    }
    EXPECT_EQ(Rows(), 1u);  // only the served terminal: no slow line is complete yet
    for (auto& terminal : slow)
        terminal->Send("\n");
    for (auto& terminal : slow)
        EXPECT_EQ(terminal->Read(3), kListed);
    EXPECT_EQ(Rows(), 1u + kSlow);
}

class AcceptThreadFault : public TerminalFaults {
  protected:
    static testing::FailingAfterOne threads_;
    AcceptThreadFault() : TerminalFaults(threads_) {}
};
testing::FailingAfterOne AcceptThreadFault::threads_;

TEST_F(AcceptThreadFault, AnErrorEndsAcceptingAndTheStopStillCompletes) {
    Client first(port);
    first.Send("LOGIN:0101;1\n");
    EXPECT_EQ(first.Read(3), kListed);
    EXPECT_FALSE(listener.AcceptFailed());
    Client second(port, kLoopback + 1);
    second.Send("LOGIN:0101;1\n");
    EXPECT_EQ(second.ReadToClose(), "");
    while (!listener.AcceptFailed())
        SleepMilliseconds(5);
    first.Send("X\n");
    EXPECT_EQ(first.Read(6), kTwo);
    listener.Shutdown();
    EXPECT_FALSE(listener.Running());
    EXPECT_EQ(first.ReadToClose(), "");
}

// A terminal silent for longer than the keep-alive probes take answers them and stays.
class SilentTerminal : public TerminalFaults {
  protected:
    SilentTerminal() : TerminalFaults(SystemThreads(), testing::Probing({1, 1, 2})) {}
};

TEST_F(SilentTerminal, ThatStillAnswersTheProbesStaysConnected) {
    Client client(port);
    client.Send("LOGIN:0101;1\n");
    EXPECT_EQ(client.Read(3), kListed);
    SleepMilliseconds(4000);  // a first probe after 1 s, and two more in the time of failing
    EXPECT_EQ(listener.OpenConnections(), 1u);
    client.Send("LOGIN:0101;1\n");
    EXPECT_EQ(client.Read(3), kListed);
}

#ifdef __linux__
// The calling thread in a network of its own, with a loopback device it can switch off: a peer
// that vanishes without closing. Root only.
class OwnNetwork {
  public:
    OwnNetwork() : before_(::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC)) {
        unshared_ = before_ >= 0 && ::unshare(CLONE_NEWNET) == 0;
        entered_ = unshared_ && SetLoopback(true);
    }
    ~OwnNetwork() {
        if (unshared_) ::setns(before_, CLONE_NEWNET);
        if (before_ >= 0) ::close(before_);
    }
    bool Entered() const { return entered_; }
    static bool SetLoopback(bool up) {
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        ifreq request{};
        std::strcpy(request.ifr_name, "lo");
        bool done = ::ioctl(fd, SIOCGIFFLAGS, &request) == 0;
        request.ifr_flags = short(up ? request.ifr_flags | IFF_UP : request.ifr_flags & ~IFF_UP);
        done = done && ::ioctl(fd, SIOCSIFFLAGS, &request) == 0;
        ::close(fd);
        return done;
    }

  private:
    int before_;
    bool unshared_ = false;
    bool entered_ = false;
};

// The network is entered before the listener opens in it.
class VanishedTerminal : protected OwnNetwork, public TerminalFaults {
  protected:
    VanishedTerminal() : TerminalFaults(SystemThreads(), testing::Probing({1, 1, 3})) {}
};

TEST_F(VanishedTerminal, ItsConnectionAndThreadEndWhenTheProbesGoUnanswered) {
    if (!Entered()) GTEST_SKIP() << "needs root to make a network namespace (unshare)";
    Client client(port);
    client.Send("LOGIN:0101;1\n");
    EXPECT_EQ(client.Read(3), kListed);
    ASSERT_TRUE(SetLoopback(false));
    // About 4 s; the thread leaves the list as it ends.
    for (int wait = 0; wait < 600 && listener.OpenConnections() != 0; ++wait)
        SleepMilliseconds(50);
    EXPECT_EQ(listener.OpenConnections(), 0u);
}
#endif

// A reset fails the connection (natively; Wine reads it as a close).
#ifndef _WIN32
TEST(SocketFaults, AReceiveOnAResetConnectionFails) {
    std::error_code error;
    Socket listening = Socket::Listen(kLoopback, 0, 1, error);
    ClientSocket terminal = ClientSocket::Connect(kLoopback, testing::LocalPort(listening), error);
    Socket accepted = listening.Accept(error);
    terminal.Reset();
    char byte;
    EXPECT_LT(accepted.Receive(&byte, 1), 0);
}
#endif

}  // namespace
}  // namespace tarnwick
