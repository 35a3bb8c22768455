// Terminals for the benchmarks: a native Linux process that drives a server on 127.0.0.1 over
// loopback, each terminal from a loopback address of its own (terminals are told apart by
// address). One thread and epoll, so that the client costs the server under test nothing.
//
//   load_client rate PORT CONNECTIONS SECONDS   closed loop, one LOGIN in flight per connection
//   load_client list PORT COUNT                 COUNT terminals log in once each, 15 at a time
//   load_client storm PORT COUNT                COUNT connects at once, one LOGIN each
//   load_client cycle PORT COUNT                one terminal connects, logs in and closes
//                                               COUNT times, 15 connections at a time
//   load_client hold PORT COUNT [stuck]         holds COUNT terminals (after one LOGIN each)
//                                               until stdin closes; `stuck` adds one that
//                                               sends without ever reading its replies
//   load_client capacity PORT TARGET            holds terminals until the server stops serving
//                                               new ones or TARGET is reached
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Each mode takes its terminals from a range of its own, so one mode's rows never meet another's.
enum : std::uint32_t {
    kRateBase = 0x7F010001,
    kListBase = 0x7F020001,
    kStormBase = 0x7F030001,
    kHoldBase = 0x7F040001,
    kStuckAddress = 0x7F050001,
    kCycleAddress = 0x7F060001,
};

const char kLogin[] = "LOGIN:01;1\n";
const char kLogout[] = "LOGOUT:01\n";

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "load_client: %s: %s\n", what, std::strerror(errno));
    std::exit(2);
}

int NewSocket(std::uint32_t from, bool blocking) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | (blocking ? 0 : SOCK_NONBLOCK), 0);
    if (fd < 0) Fail("socket");
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(from);
    // The port is chosen at connect, which may reuse one of this address's ports in TIME_WAIT
    // on loopback: a terminal reconnecting a million times does not run out of ports.
    ::setsockopt(fd, IPPROTO_IP, IP_BIND_ADDRESS_NO_PORT, &on, sizeof on);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local)) Fail("bind");
    return fd;
}

sockaddr_in Server(int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(std::uint16_t(port));
    return a;
}

bool SendAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0) return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

// A blocking terminal that has logged in once; -1 when the server did not serve it in time.
int LoggedInTerminal(int port, std::uint32_t from, int timeoutMs = 10000) {
    const int fd = NewSocket(from, true);
    const timeval t{timeoutMs / 1000, timeoutMs % 1000 * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &t, sizeof t);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &t, sizeof t);
    const sockaddr_in server = Server(port);
    char reply[3];
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&server), sizeof server) ||
        !SendAll(fd, kLogin, sizeof kLogin - 1) ||
        ::recv(fd, reply, sizeof reply, MSG_WAITALL) != sizeof reply) {
        ::close(fd);
        return -1;
    }
    return fd;
}

double Percentile(std::vector<double>& sorted, double p) {
    if (sorted.empty()) return 0;
    return sorted[std::min(sorted.size() - 1, size_t(p * double(sorted.size())))];
}

struct Terminal {
    int fd = -1;
    Clock::time_point sent;
    int got = 0;  // bytes of the current reply
};

int Rate(int port, int connections, double seconds) {
    std::vector<Terminal> terminals(static_cast<size_t>(connections));
    const int poll = ::epoll_create1(0);
    for (int i = 0; i < connections; ++i) {
        Terminal& t = terminals[size_t(i)];
        t.fd = LoggedInTerminal(port, kRateBase + std::uint32_t(i));
        if (t.fd < 0) Fail("a terminal was not served");
        epoll_event e{EPOLLIN, {.u32 = std::uint32_t(i)}};
        ::epoll_ctl(poll, EPOLL_CTL_ADD, t.fd, &e);
    }
    std::vector<double> latencies;
    latencies.reserve(1 << 20);
    const auto start = Clock::now();
    const auto end =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    for (Terminal& t : terminals) {
        t.sent = Clock::now();
        SendAll(t.fd, kLogin, sizeof kLogin - 1);
    }
    std::vector<epoll_event> ready(static_cast<size_t>(connections));
    long long done = 0;
    Clock::time_point now = start;
    while ((now = Clock::now()) < end) {
        const int n = ::epoll_wait(poll, ready.data(), connections, 100);
        now = Clock::now();
        for (int k = 0; k < n; ++k) {
            Terminal& t = terminals[ready[size_t(k)].data.u32];
            char reply[16];
            const ssize_t got = ::recv(t.fd, reply, sizeof reply, 0);
            if (got <= 0) Fail("the server closed a terminal");
            t.got += int(got);
            if (t.got < 3) continue;
            t.got = 0;
            latencies.push_back(Ms(now - t.sent));
            ++done;
            t.sent = now;
            SendAll(t.fd, kLogin, sizeof kLogin - 1);
        }
    }
    const double elapsed = std::chrono::duration<double>(now - start).count();
    for (Terminal& t : terminals) {
        SendAll(t.fd, kLogout, sizeof kLogout - 1);  // leaves the table as it was
        ::close(t.fd);
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("%.0f %.2f %.2f %.2f\n", double(done) / elapsed, Percentile(latencies, 0.5),
                Percentile(latencies, 0.99), latencies.empty() ? 0 : latencies.back());
    return 0;
}

// Connects, sends one LOGIN when connected and waits for its reply, `inFlight` at a time, from
// `addresses` loopback addresses in turn.
struct OneShot {
    int fd = -1;
    Clock::time_point started, connected;
    int got = 0;
    bool done = false;
};

struct OneShotResult {
    int served = 0, failed = 0, timedOut = 0, slowConnects = 0;
    double lastReplyMs = 0, seconds = 0;
};

OneShotResult RunOneShots(int port, int count, int inFlight, std::uint32_t base,
                          int addresses = 0) {
    if (addresses <= 0) addresses = count;
    const int poll = ::epoll_create1(0);
    const sockaddr_in server = Server(port);
    std::vector<OneShot> shots(static_cast<size_t>(count));
    OneShotResult result;
    const auto start = Clock::now();
    int next = 0, open = 0;
    int oldest = 0;  // shots before it are done
    auto finish = [&](OneShot& s, bool served) {
        ::close(s.fd);
        s.done = true;
        --open;
        (served ? result.served : result.failed)++;
        if (served) result.lastReplyMs = Ms(Clock::now() - start);
    };
    std::vector<epoll_event> ready(1024);
    // A server that has stopped serving is not waited for terminal by terminal.
    const int giveUp = std::max(50, count / 10);
    for (;;) {
        const bool launching = next < count && result.failed + result.timedOut < giveUp;
        if (!launching && open == 0) break;
        while (launching && next < count && open < inFlight) {
            OneShot& s = shots[size_t(next)];
            s.fd = NewSocket(base + std::uint32_t(next % addresses), false);
            s.started = Clock::now();
            if (::connect(s.fd, reinterpret_cast<const sockaddr*>(&server), sizeof server) &&
                errno != EINPROGRESS)
                Fail("connect");
            epoll_event e{EPOLLOUT | EPOLLIN, {.u32 = std::uint32_t(next)}};
            ::epoll_ctl(poll, EPOLL_CTL_ADD, s.fd, &e);
            ++next, ++open;
        }
        const int n = ::epoll_wait(poll, ready.data(), int(ready.size()), 100);
        for (int k = 0; k < n; ++k) {
            OneShot& s = shots[ready[size_t(k)].data.u32];
            if (s.done) continue;
            if (ready[size_t(k)].events & (EPOLLERR | EPOLLHUP)) {
                finish(s, false);
                continue;
            }
            if (s.connected == Clock::time_point{} && ready[size_t(k)].events & EPOLLOUT) {
                s.connected = Clock::now();
                if (s.connected - s.started > std::chrono::seconds(1)) ++result.slowConnects;
                SendAll(s.fd, kLogin, sizeof kLogin - 1);
                epoll_event e{EPOLLIN, {.u32 = ready[size_t(k)].data.u32}};
                ::epoll_ctl(poll, EPOLL_CTL_MOD, s.fd, &e);
            }
            if (ready[size_t(k)].events & EPOLLIN) {
                char reply[16];
                const ssize_t got = ::recv(s.fd, reply, sizeof reply, 0);
                if (got <= 0) {
                    finish(s, false);
                } else if ((s.got += int(got)) >= 3) {
                    finish(s, true);
                }
            }
        }
        // A terminal gives up after 10 s without its reply.
        const auto now = Clock::now();
        while (oldest < next && shots[size_t(oldest)].done)
            ++oldest;
        for (int i = oldest; i < next; ++i) {
            OneShot& s = shots[size_t(i)];
            if (!s.done && now - s.started > std::chrono::seconds(10)) {
                ::close(s.fd);
                s.done = true;
                --open;
                ++result.timedOut;
            }
        }
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.failed += count - next;  // never tried
    return result;
}

// As many as the server's backlog holds: terminals logging in one after another at full rate,
// not a storm of connects.
constexpr int kListInFlight = 15;

int List(int port, int count) {
    const OneShotResult r = RunOneShots(port, count, kListInFlight, kListBase);
    std::printf("%d %d %.1f %.0f\n", r.served, r.failed + r.timedOut, r.seconds,
                r.served / r.seconds);
    return 0;
}

int Cycle(int port, int count) {
    const OneShotResult r = RunOneShots(port, count, kListInFlight, kCycleAddress, 1);
    std::printf("%d %d %.1f %.0f\n", r.served, r.failed + r.timedOut, r.seconds,
                r.served / r.seconds);
    return 0;
}

int Storm(int port, int count) {
    const OneShotResult r = RunOneShots(port, count, count, kStormBase);
    std::printf("%d %d %d %d %.0f\n", r.served, r.failed, r.timedOut, r.slowConnects,
                r.lastReplyMs);
    return 0;
}

// A terminal that sends requests and never reads: the server's write to it blocks for good.
int StuckTerminal(int port) {
    const int fd = NewSocket(kStuckAddress, true);
    const int small = 4096;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    const sockaddr_in server = Server(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&server), sizeof server)) Fail("connect");
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
    // Two-line replies to short lines: a few MB of requests fill both buffers.
    std::string lines;
    for (int i = 0; i < 4096; ++i)
        lines += "X\n";
    for (int round = 0; round < 2000; ++round) {
        if (::send(fd, lines.data(), lines.size(), MSG_NOSIGNAL) < 0) {
            if (errno != EAGAIN) break;
            ::usleep(2000);
        }
    }
    return fd;
}

int Hold(int port, int count, bool stuck) {
    std::vector<int> held;
    for (int i = 0; i < count; ++i) {
        const int fd = LoggedInTerminal(port, kHoldBase + std::uint32_t(i));
        if (fd < 0) Fail("a terminal was not served");
        held.push_back(fd);
    }
    if (stuck) held.push_back(StuckTerminal(port));
    std::printf("held %d\n", count);
    std::fflush(stdout);
    char c;
    while (::read(0, &c, 1) > 0) {
    }
    return 0;
}

int Capacity(int port, int target) {
    std::vector<int> held;
    while (int(held.size()) < target) {
        const int fd = LoggedInTerminal(port, kHoldBase + std::uint32_t(held.size()), 5000);
        if (fd < 0) break;
        held.push_back(fd);
    }
    std::printf("%zu\n", held.size());
    return 0;
}

void RaiseFileLimit() {
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);
}

}  // namespace

int main(int argc, char** argv) {
    RaiseFileLimit();
    const std::string mode = argc > 2 ? argv[1] : "";
    const int port = argc > 2 ? std::atoi(argv[2]) : 0;
    const int count = argc > 3 ? std::atoi(argv[3]) : 0;
    if (mode == "rate" && argc > 4) return Rate(port, count, std::atof(argv[4]));
    if (mode == "list" && count > 0) return List(port, count);
    if (mode == "storm" && count > 0) return Storm(port, count);
    if (mode == "cycle" && count > 0) return Cycle(port, count);
    if (mode == "hold" && count > 0) return Hold(port, count, argc > 4);
    if (mode == "capacity" && count > 0) return Capacity(port, count);
    std::fprintf(stderr, "usage: see the head of bench/load_client.cpp\n");
    return 1;
}
