// What the in-process benchmarks share: a clock that stands still, the program's listener on a
// free loopback port, and one terminal's LOGIN over a real connection.
#pragma once

#include <cstring>
#include <string>

#include "common/stamp.h"
#include "support/client_socket.h"
#include "terminals/listener.h"
#include "terminals/terminal_table.h"

namespace tarnwick::bench {

class FixedClock final : public tarnwick::Clock {
  public:
    CivilTime Now() const override { return now; }
    CivilTime now{2026, 12, 9, 10, 0, 0};
};

// The program's listener and table, with product "01-Bench" known, open on a free port.
struct BenchListener {
    BenchListener() {
        table.SyncKnownProducts({"01-Bench"});
        std::error_code error;
        port = testing::LocalPort(Socket::Listen(kLoopback, 0, 1, error));
        listener.AddBinding("127.0.0.1", port);
        listener.Open();
    }
    FixedClock clock;
    TerminalTable table{clock};
    TcpListener listener{table};
    std::uint16_t port = 0;
};

// One LOGIN and its reply; false when the server closed the connection or did not answer.
inline bool Login(testing::ClientSocket& socket) {
    static const std::string kLogin = "LOGIN:01;1\n";
    if (!socket.SendAll(kLogin.data(), kLogin.size())) return false;
    char reply[3];
    for (size_t got = 0; got < sizeof reply;) {
        const auto n = socket.Receive(reply + got, sizeof reply - got);
        if (n <= 0) return false;
        got += size_t(n);
    }
    return std::memcmp(reply, "1\r\n", 3) == 0;
}

}  // namespace tarnwick::bench
