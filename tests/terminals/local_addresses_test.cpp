// The local address list comes from the resolver as plain dotted IPv4 texts.
#include "terminals/local_addresses_win.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include "terminals/socket.h"

namespace tarnwick {
namespace {

TEST(LocalAddresses, AreDottedIPv4TextsWithoutLeadingZeros) {
    std::vector<std::string> addresses;
    ASSERT_NO_THROW(addresses = LocalIpv4Addresses());
    for (const std::string& text : addresses) {
        const unsigned long address = inet_addr(text.c_str());
        EXPECT_NE(address, INADDR_NONE) << text;
        EXPECT_EQ(DottedAddress(ntohl(address)), text);
    }
}

}  // namespace
}  // namespace tarnwick
