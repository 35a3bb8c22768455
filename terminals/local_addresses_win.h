// The machine's own IPv4 addresses, as the options dialog offers them for the listener.
#pragma once

#include <string>
#include <vector>

namespace tarnwick {

// The addresses the local host name resolves to, in the resolver's order, as dotted text.
// Throws std::runtime_error when the name or its addresses cannot be obtained.
std::vector<std::string> LocalIpv4Addresses();

}  // namespace tarnwick
