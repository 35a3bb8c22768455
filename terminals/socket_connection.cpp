#include "terminals/socket_connection.h"

namespace tarnwick {

void ServeOpenSocket(Socket& socket, TerminalService& service,
                     const KeepAlive& keepAlive) noexcept {
    try {
        socket.TakeOver();
        // Each reply goes out at once: no delayed ACK may hold the second line of an answer.
        socket.SetNoDelay();
        // Without it a vanished terminal's thread would wait in its read for ever.
        socket.SetKeepAlive(keepAlive);
        SocketStream stream(socket);
        TerminalConnection connection{stream, socket.PeerAddress(), {}};
        ServeConnection(connection, service);
    } catch (...) {
        // The address text could not be made: the connection ends unserved.
    }
}

}  // namespace tarnwick
