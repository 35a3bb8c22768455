#include "terminals/socket.h"

namespace tarnwick {

std::string DottedAddress(std::uint32_t address) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty()) text += '.';
        text += std::to_string((address >> shift) & 0xFF);
    }
    return text;
}

}  // namespace tarnwick
