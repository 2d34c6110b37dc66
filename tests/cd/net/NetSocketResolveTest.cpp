#include "cd/net/NetSocketResolve.h"
#include "cd/net/SocketException.h"

#include "platform/net/SocketApi.h"

#include "NetTestSupport.h"

#include <gtest/gtest.h>


namespace {

TEST(NetSocketResolve, DottedAddressesAreFourGroupsOfAtMost255) {
    const struct {
        const char* text;
        bool dotted;
    } cases[] = {
        {"1.2.3.4", true},   {"  1.2.3.4  ", true}, {"255.255.255.255", true}, {"1.2.3", false},
        {"1.2.3.4.5", false}, {"1..2.3", false},    {".1.2.3", false},          {"1.2.3.", false},
        {"256.1.1.1", false}, {"1.2.3.4x", false},  {"1.2.3.256", false},       {"99999999999999999999.1.1.1", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsDottedIPv4(c.text), c.dotted) << c.text;
}

TEST(NetSocketResolve, LeadingNumberReadsDigitsAfterSpaces) {
    EXPECT_EQ(LeadingNumber("80x"), 80);
    EXPECT_EQ(LeadingNumber("  8080 "), 8080);
    EXPECT_EQ(LeadingNumber("x80"), 0);
    EXPECT_EQ(LeadingNumber("99999999999999999999"), INT32_MAX);
}

TEST(NetSocketResolve, HostsResolveToNetworkOrderAddresses) {
    EXPECT_EQ(NetSocketResolveHost(" 127.0.0.1 "), net::InetAddr("127.0.0.1"));
    EXPECT_EQ(NetSocketResolveHost("255.255.255.255"), 0xFFFFFFFFu);
    EXPECT_EQ(NetSocketResolveHost("localhost"), net::InetAddr("127.0.0.1"));
    try {
        NetSocketResolveHost(std::string(257, 'a'));
        FAIL();
    } catch (const ESocketException& e) {
        EXPECT_EQ(std::string(e.Message()), "NetSocketResolveHost: '" + std::string(257, 'a') + "' Invalid Hostname.");
    }
    EXPECT_THROW(NetSocketResolveHost(""), ESocketException);
    try {
        NetSocketResolveHost(kUnknownHost);
        FAIL();
    } catch (const ESocketException& e) {
        const std::string expected = "NetSocketResolveHost: Cannot convert host address '" + kUnknownHost + "', Error #1100";
        EXPECT_EQ(std::string(e.Message()).rfind(expected, 0), 0u)
            << e.Message();
    }
}

TEST(NetSocketResolve, PortsAreNumbersOrServiceNames) {
    EXPECT_EQ(NetSocketResolvePort("80x", "tcp"), 80);
    EXPECT_EQ(NetSocketResolvePort("http", "tcp"), 80);
    const struct {
        std::string port;
        std::string proto;
        const char* message;
    } refused[] = {
        {"", "tcp", "NetSocketResolvePort: Invalid Port."},
        {std::string(32, '1'), "tcp", "NetSocketResolvePort: Invalid Port."},
        {"70000", "tcp", "NetSocketResolvePort: Invalid Port."},
        {"80", "", "NetSocketResolvePort: Invalid Proto."},
        {"no-such-service", "tcp", "NetSocketResolvePort: Cannot convert port 'no-such-service', Error #11004"},
    };
    for (const auto& c : refused) {
        try {
            NetSocketResolvePort(c.port, c.proto);
            ADD_FAILURE() << c.port;
        } catch (const ESocketException& e) {
            EXPECT_EQ(std::string(e.Message()), c.message);
        }
    }
}

TEST(NetSocketResolve, ProtocolsAreNumbersOrNames) {
    EXPECT_EQ(NetSocketResolveProto("tcp"), 6);
    EXPECT_EQ(NetSocketResolveProto("udp"), 17);
    EXPECT_EQ(NetSocketResolveProto("17"), 17);
    EXPECT_THROW(NetSocketResolveProto(""), ESocketException);
    EXPECT_THROW(NetSocketResolveProto("no-such-protocol"), ESocketException);
}

}  // namespace
