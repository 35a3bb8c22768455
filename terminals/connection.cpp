#include "terminals/connection.h"

namespace tarnwick {
namespace {

constexpr size_t kReceiveChunk = 4096;

// Reads until a complete line is buffered; false when the connection ends first.
bool ReadLine(TerminalConnection& c, std::string& line) {
    char chunk[kReceiveChunk];
    for (;;) {
        switch (c.input.Next(line)) {
            case LineReader::Result::kLine:
                return true;
            case LineReader::Result::kTooLong:
                return false;
            case LineReader::Result::kNeedMore:
                break;
        }
        const std::ptrdiff_t n = c.stream.Receive(chunk, sizeof chunk);
        if (n <= 0) return false;
        c.input.Append(chunk, size_t(n));
    }
}

bool Send(TerminalConnection& c, std::string_view reply) {
    return c.stream.SendAll(reply.data(), reply.size());
}

}  // namespace

bool tcpServerExecute(TerminalConnection& connection, TerminalService& service) {
    std::string line;
    if (!ReadLine(connection, line)) return false;
    const Request request = ParseRequest(std::move(line));
    switch (request.kind) {
        case RequestKind::kLogin: {
            const bool listed = service.ClientLogin(request.code, connection.address);
            return Send(connection, listed ? kLoginListedReply : kLoginUnknownReply);
        }
        case RequestKind::kLogout:
            service.ClientLogout(request.code, connection.address);
            return true;
        case RequestKind::kOther:
            return Send(connection, kOtherReply);
        case RequestKind::kRejected:
            return false;
    }
    return false;
}

void ServeConnection(TerminalConnection& connection, TerminalService& service) noexcept {
    try {
        while (tcpServerExecute(connection, service)) {
        }
    } catch (...) {
        // Out of memory or the like: this connection ends, the others carry on.
    }
}

}  // namespace tarnwick
