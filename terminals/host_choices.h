// The entries that the options dialog's host box offers.
#pragma once

#include <string>
#include <vector>

namespace tarnwick {

inline constexpr const char* kLoopbackText = "127.0.0.1";

// The local addresses with the loopback address put at the top, unless the first of them is
// already exactly that. Only the first is compared, so the loopback address may stand twice.
inline std::vector<std::string> HostChoices(std::vector<std::string> addresses) {
    if (addresses.empty() || addresses.front() != kLoopbackText) {
        addresses.insert(addresses.begin(), kLoopbackText);
    }
    return addresses;
}

}  // namespace tarnwick
