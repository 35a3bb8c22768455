// The listening address read from the host text.
#include <gtest/gtest.h>

#include "terminals/listener.h"

namespace tarnwick {
namespace {

struct AddressCase {
    const char* ip;
    std::optional<std::uint32_t> address;
};

const AddressCase kCases[] = {
    {"127.0.0.1", 0x7F000001},
    {"0.0.0.0", 0},  // every local address
    {"255.255.255.255", 0xFFFFFFFF},
    {" 10. 1.  2. 3", 0x0A010203},  // a leading blank in a part is accepted
    {"+10.0.0.1", 0x0A000001},
    {"0x0A.$1.X2.0X3", 0x0A010203},  // each part by the integer-text rule
    {"10.0.0.1.99", 0x0A000001},     // text after the fourth part is ignored
    {"10.0.0.1.", 0x0A000001},
    {"10.0.0.1.junk", 0x0A000001},
    {"", std::nullopt},
    {"10.0.0", std::nullopt},  // three parts
    {"10.0.0.", std::nullopt},
    {"10..0.1", std::nullopt},
    {"localhost", std::nullopt},
    {"server.example.com", std::nullopt},
    {"10.0.0.1 ", std::nullopt},  // a blank after the digits
    {"10.0.0.1x", std::nullopt},
    {"10.0.0.256", std::nullopt},  // refused rather than cut to 8 bits
    {"-1.0.0.1", std::nullopt},
    {"4294967306.0.0.1", std::nullopt},
};

TEST(ListenerAddress, FourIntegerPartsSeparatedByDots) {
    for (const AddressCase& c : kCases) {
        EXPECT_EQ(ListenAddress(c.ip), c.address) << '"' << c.ip << '"';
    }
}

}  // namespace
}  // namespace tarnwick
