// Windows Sockets, started once for the life of the process: the listener and the list of local
// addresses both need it.
#pragma once

namespace tarnwick {

// 0, or the error that starting gave (the same on every call).
int StartWinsock();

}  // namespace tarnwick
