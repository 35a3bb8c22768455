// Serving one terminal's connection: request lines in, replies out, table changes through the
// terminal service.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "terminals/request.h"
#include "terminals/terminal_service.h"

namespace tarnwick {

// The byte stream of one connection (a socket, or a script in tests).
class ByteStream {
  public:
    virtual ~ByteStream() = default;
    // Bytes read: 0 when the peer closed, negative when the connection failed.
    virtual std::ptrdiff_t Receive(char* buffer, std::size_t size) = 0;
    virtual bool SendAll(const char* data, std::size_t size) = 0;
};

struct TerminalConnection {
    ByteStream& stream;
    std::string address;  // the terminal's dotted IPv4 address
    LineReader input;
};

// Serves exactly one request: reads a line, acts on it, writes its reply. False when the
// connection has ended (closed, failed, or closed by the rules of the protocol).
bool tcpServerExecute(TerminalConnection& connection, TerminalService& service);

// Serves requests until the connection ends. Never throws: a failure ends this connection only.
void ServeConnection(TerminalConnection& connection, TerminalService& service) noexcept;

}  // namespace tarnwick
