// The yardstick for the program: the least a line server can do, built with the same toolchain
// and threads. Listens on 127.0.0.1:PORT with a backlog of 15, blocks in accept, and answers
// every line of every connection with "1\r\n" on a thread of its own. Runs until killed.
//
//   bare_server PORT
#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>

#include "terminals/listener.h"

namespace {

#ifdef _WIN32
using Fd = SOCKET;
void CloseFd(Fd fd) {
    closesocket(fd);
}
#else
using Fd = int;
constexpr Fd INVALID_SOCKET = -1;
void CloseFd(Fd fd) {
    close(fd);
}
#endif

void Serve(Fd fd) {
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    char buffer[4096];
    for (bool open = true; open;) {
        const int n = int(recv(fd, buffer, sizeof buffer, 0));
        open = n > 0;
        for (int i = 0; open && i < n; ++i) {
            if (buffer[i] == '\n') open = send(fd, "1\r\n", 3, 0) == 3;
        }
    }
    CloseFd(fd);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bare_server PORT\n");
        return 1;
    }
#ifdef _WIN32
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
#else
    std::signal(SIGPIPE, SIG_IGN);  // a reply to a terminal that has gone
#endif
    const Fd listening = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(std::uint16_t(std::atoi(argv[1])));
    if (bind(listening, reinterpret_cast<sockaddr*>(&a), sizeof a) || listen(listening, 15)) {
        std::fprintf(stderr, "bare_server: cannot listen\n");
        return 1;
    }
    for (;;) {
        const Fd fd = accept(listening, nullptr, nullptr);
        if (fd == INVALID_SOCKET) continue;
        if (!tarnwick::SystemThreads().Start([fd] { Serve(fd); })) CloseFd(fd);
    }
}
