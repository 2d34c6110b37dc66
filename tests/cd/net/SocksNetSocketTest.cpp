#include "cd/net/NetSocket.h"

#include "NetTestSupport.h"
#include "support/loopback/LoopbackServers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A client that asks the loopback web server for a document through a proxy
// and keeps what it hears.
struct SocksClient {
    explicit SocksClient(uint16_t proxyPort, const std::string& level) {
        socket.SetSocksServer("127.0.0.1");
        socket.SetSocksPort(std::to_string(proxyPort));
        socket.SetSocksLevel(level);
        socket.OnSessionConnected = [this](TCustomNetSocket& s, uint16_t error) {
            connected.push_back(error);
            if (error == 0) s.SendStr("GET /length/5 HTTP/1.0\r\n\r\n");
        };
        socket.OnDataAvailable = [this](TCustomNetSocket& s, uint16_t) { answer += s.ReceiveStr(); };
        socket.OnSessionClosed = [this](TCustomNetSocket&, uint16_t error) { closed.push_back(error); };
        socket.OnSocksError = [this](TCustomNetSocket&, int32_t error, const std::string& msg) {
            socksError = std::to_string(error) + " " + msg;
        };
        socket.OnSocksAuthState = [this](TCustomNetSocket&, TSocksAuthState state) { authStates.push_back(state); };
    }
    void ConnectTo(uint16_t port) {
        socket.SetAddr("127.0.0.1");
        socket.SetPort(std::to_string(port));
        socket.Connect();
    }

    TNetSocket socket;
    std::vector<uint16_t> connected;
    std::vector<uint16_t> closed;
    std::vector<TSocksAuthState> authStates;
    std::string answer;
    std::string socksError;
};

TEST(SocksNetSocket, ConnectsThroughEachLevelAndThenBehavesLikeADirectConnection) {
    loopback::LoopbackHttpServer web;
    const struct {
        const char* level;
        std::string user;
        bool proxyAsksForPassword;
        std::vector<TSocksAuthState> authStates;
    } cases[] = {
        {"4", "", false, {}},
        {"4a", "someone", false, {}},
        {"5", "", false, {}},
        {"5", "someone", true, {TSocksAuthState::authStarted, TSocksAuthState::authSucceeded}},
        {"5", "someone", false, {TSocksAuthState::authNotRequired}},
    };
    for (const auto& c : cases) {
        loopback::SocksOptions options;
        if (c.proxyAsksForPassword) options = {c.user, "secret"};
        loopback::LoopbackSocksProxy proxy(options);
        SocksClient client(proxy.Port(), c.level);
        if (!c.user.empty()) {
            client.socket.SetSocksUsercode(c.user);
            client.socket.SetSocksPassword("secret");
            client.socket.SetSocksAuthentication(TSocksAuthentication::socksAuthenticateUsercode);
        }
        client.ConnectTo(web.Port());
        ASSERT_TRUE(WaitFor([&] { return !client.closed.empty(); })) << c.level;
        EXPECT_EQ(client.connected, std::vector<uint16_t>{0}) << c.level;
        EXPECT_EQ(client.answer.substr(client.answer.size() - 5), "abcde") << c.level;
        EXPECT_EQ(client.authStates, c.authStates) << c.level;
        EXPECT_EQ(client.socket.SocksServer(), "");  // a close forgets the proxy
        EXPECT_EQ(proxy.Connections(), 1);
    }
}

TEST(SocksNetSocket, TheRequestsCarryWhatTheProtocolsAsk) {
    loopback::LoopbackHttpServer web;
    {
        loopback::LoopbackSocksProxy proxy;
        SocksClient client(proxy.Port(), "5");
        client.ConnectTo(web.Port());
        ASSERT_TRUE(WaitFor([&] { return !client.closed.empty(); }));
        EXPECT_EQ(proxy.LastGreeting(), std::string("\x05\x01\x00", 3));
        const std::string port = {static_cast<char>(web.Port() >> 8), static_cast<char>(web.Port() & 0xFF)};
        EXPECT_EQ(proxy.LastRequest(), std::string("\x05\x01\x00\x03\x09", 5) + "127.0.0.1" + port);
    }
    {
        loopback::LoopbackSocksProxy proxy;
        SocksClient client(proxy.Port(), "4A");
        client.socket.SetSocksUsercode("me");
        client.ConnectTo(web.Port());
        ASSERT_TRUE(WaitFor([&] { return !client.closed.empty(); }));
        EXPECT_EQ(proxy.LastRequest().substr(4), std::string("\0\0\0\1me\0", 7) + "127.0.0.1" + '\0');
    }
}

TEST(SocksNetSocket, ALongBoundNameInTheReplyCompletesTheConnection) {
    loopback::LoopbackHttpServer web;
    loopback::LoopbackSocksProxy proxy({.boundNameLength = 255});
    SocksClient client(proxy.Port(), "5");
    std::string bound;
    client.socket.OnSessionConnected = [&](TCustomNetSocket& s, uint16_t error) {
        client.connected.push_back(error);
        bound = client.socket.BoundAddr() + ":" + client.socket.BoundPort();
        s.SendStr("GET /length/5 HTTP/1.0\r\n\r\n");
    };
    client.ConnectTo(web.Port());
    ASSERT_TRUE(WaitFor([&] { return !client.closed.empty(); }));
    EXPECT_EQ(client.connected, std::vector<uint16_t>{0});
    EXPECT_EQ(bound, std::string(255, 'n') + ":1234");
    EXPECT_EQ(client.answer.substr(client.answer.size() - 5), "abcde");
}

TEST(SocksNetSocket, ARefusalEndsWithTheProxysErrorAndTheClose) {
    loopback::LoopbackHttpServer web;
    const struct {
        const char* level;
        loopback::SocksOptions options;
        bool wrongPassword;
        const char* error;
    } cases[] = {
        {"5", {.socks5Reply = 2}, false, "20005 connection not allowed by ruleset"},
        {"5", {.socks5Reply = 9}, false, "20012 unassigned error #9"},
        {"5", {.user = "someone", .password = "secret"}, true, "20015 socks authentication failed"},
        {"4", {.socks4Reply = 91}, false, "20016 request rejected or failed"},
        {"4", {.socks4Reply = 92}, false, "20008 connection refused"},
    };
    for (const auto& c : cases) {
        loopback::LoopbackSocksProxy proxy(c.options);
        SocksClient client(proxy.Port(), c.level);
        if (c.wrongPassword) {
            client.socket.SetSocksUsercode("someone");
            client.socket.SetSocksPassword("wrong");
            client.socket.SetSocksAuthentication(TSocksAuthentication::socksAuthenticateUsercode);
        }
        client.ConnectTo(web.Port());
        ASSERT_TRUE(WaitFor([&] { return !client.closed.empty(); })) << c.error;
        EXPECT_EQ(client.socksError, c.error);
        ASSERT_EQ(client.connected.size(), 1u);
        EXPECT_NE(client.connected[0], 0);
        EXPECT_EQ(client.socket.State(), TSocketState::wsClosed);
    }
}

TEST(SocksNetSocket, SettingsAreCheckedAndRefusedWhileConnected) {
    TNetSocket socket;
    socket.SetSocksLevel("4a");
    EXPECT_EQ(socket.SocksLevel(), "4A");
    const auto refused = [&](const std::function<void()>& action) -> std::string {
        try {
            action();
        } catch (const ESocketException& e) {
            return e.Message();
        }
        return "";
    };
    EXPECT_EQ(refused([&] { socket.SetSocksLevel("6"); }), "Invalid socks level. Must be 4, 4A or 5.");
    socket.SetSocksServer("127.0.0.1");
    socket.SetSocksPort("1080");
    socket.SetProto("udp");
    socket.SetAddr("127.0.0.1");
    socket.SetPort("80");
    EXPECT_EQ(refused([&] { socket.Connect(); }), "tcp is the only protocol supported thru socks server");
    EXPECT_EQ(socket.State(), TSocketState::wsClosed);
    EXPECT_EQ(refused([&] { socket.Listen(); }), "Listening is not supported thru socks server");
    socket.SetProto("tcp");
    socket.SetAddr(std::string(122, 'h'));
    EXPECT_EQ(refused([&] { socket.Connect(); }), "Socks request too long: host name, user code or password");

    Listener listener;
    TNetSocket connected;
    ConnectTo(connected, listener);
    EXPECT_EQ(refused([&] { connected.SetSocksLevel("4"); }), "Can't change socks level if not closed");
    EXPECT_EQ(refused([&] { connected.SetSocksServer("x"); }), "Can't change socks server if not closed");
}

}  // namespace
