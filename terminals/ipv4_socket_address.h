// The platform's socket address of an IPv4 address and port, both in host byte order: for the
// socket files of each platform, the program's and its tests'.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#endif

#include <cstdint>

namespace tarnwick {

inline sockaddr_in Ipv4SocketAddress(std::uint32_t address, std::uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(address);
    a.sin_port = htons(port);
    return a;
}

}  // namespace tarnwick
