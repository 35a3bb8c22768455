#include "terminals/local_addresses_win.h"

#include <winsock2.h>
#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "terminals/socket.h"
#include "terminals/winsock_win.h"

namespace tarnwick {
namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + " (Windows Sockets error " +
                             std::to_string(WSAGetLastError()) + ")");
}

}  // namespace

std::vector<std::string> LocalIpv4Addresses() {
    if (const int error = StartWinsock()) {
        WSASetLastError(error);
        Fail("Cannot start Windows Sockets");
    }
    char name[256] = {};
    if (gethostname(name, sizeof name) != 0) Fail("Cannot read the local host name");
    const hostent* host = gethostbyname(name);
    if (!host) Fail("Cannot resolve the local host name");
    std::vector<std::string> addresses;
    if (host->h_addrtype != AF_INET) return addresses;
    for (char** entry = host->h_addr_list; *entry; ++entry) {
        in_addr address;
        memcpy(&address, *entry, sizeof address);
        addresses.push_back(DottedAddress(ntohl(address.s_addr)));
    }
    return addresses;
}

}  // namespace tarnwick
