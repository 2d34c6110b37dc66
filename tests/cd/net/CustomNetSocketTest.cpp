#include "cd/net/CustomNetSocket.h"

#include "NetTestSupport.h"

#include "platform/net/SocketErrors.h"
#include "platform/net/SocketLibrary.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TEST(CustomNetSocket, ConnectsSendsAndReportsOneDataSentFromTheEventLoop) {
    Listener listener;
    TCustomNetSocket client;
    std::vector<std::string> events;
    int dataSent = 0;
    client.OnSessionConnected = [&](TCustomNetSocket&, uint16_t error) { events.push_back("connected " + std::to_string(error)); };
    client.OnDataSent = [&](TCustomNetSocket&, uint16_t) { ++dataSent; };
    ConnectTo(client, listener);
    EXPECT_EQ(client.State(), TSocketState::wsConnecting);
    ASSERT_TRUE(WaitFor([&] { return client.State() == TSocketState::wsConnected; }));
    EXPECT_EQ(events, std::vector<std::string>{"connected 0"});

    EXPECT_EQ(client.SendStr("hello"), 5);
    EXPECT_EQ(dataSent, 0);  // never inside Send
    ASSERT_TRUE(WaitFor([&] { return dataSent == 1 && listener.received == "hello"; }));
    EXPECT_EQ(client.PeerPort(), listener.Port());
    EXPECT_EQ(client.PeerAddr(), "127.0.0.1");
}

TEST(CustomNetSocket, ALargeSendIsCompletedOnWriteEventsWithOneDataSent) {
    Listener listener;
    TCustomNetSocket client;
    int dataSent = 0;
    int64_t handedToTransport = 0;
    client.OnDataSent = [&](TCustomNetSocket&, uint16_t) { ++dataSent; };
    client.OnSendData = [&](TCustomNetSocket&, int32_t count) { handedToTransport += count; };
    const std::string data(16 * 1024 * 1024, 'x');
    client.OnSessionConnected = [&](TCustomNetSocket& s, uint16_t) { EXPECT_EQ(s.SendStr(data), int32_t(data.size())); };
    ConnectTo(client, listener);
    ASSERT_TRUE(WaitFor([&] { return listener.received.size() == data.size() && dataSent > 0; }, 30000));
    net::PumpEvents();
    EXPECT_EQ(dataSent, 1);
    EXPECT_EQ(handedToTransport, int64_t(data.size()));
    EXPECT_EQ(listener.received, data);
}

TEST(CustomNetSocket, DataWaitingAtThePeersCloseIsDeliveredBeforeTheCloseEvent) {
    Listener listener;
    TCustomNetSocket client;
    std::string log;
    client.OnDataAvailable = [&](TCustomNetSocket& s, uint16_t) { log += s.ReceiveStr(); };
    client.OnSessionClosed = [&](TCustomNetSocket&, uint16_t error) { log += "|closed " + std::to_string(error); };
    ConnectTo(client, listener);
    ASSERT_TRUE(WaitFor([&] { return listener.peer.State() == TSocketState::wsConnected; }));
    listener.peer.SendStr("last words");
    ASSERT_TRUE(WaitFor([&] { return listener.peer.State() == TSocketState::wsConnected; }));
    listener.peer.CloseDelayed();
    ASSERT_TRUE(WaitFor([&] { return client.State() == TSocketState::wsClosed; }));
    EXPECT_EQ(log, "last words|closed 0");
}

TEST(CustomNetSocket, ARefusedConnectionIsReportedByTheConnectEvent) {
    uint16_t result = 0;
    std::string port;
    {
        Listener closed;  // a port that was free a moment ago
        port = closed.Port();
    }
    TCustomNetSocket client;
    bool closedEvent = false;
    client.OnSessionConnected = [&](TCustomNetSocket&, uint16_t error) { result = error; };
    client.OnSessionClosed = [&](TCustomNetSocket&, uint16_t) { closedEvent = true; };
    client.SetAddr("127.0.0.1");
    client.SetPort(port);
    client.Connect();
    ASSERT_TRUE(WaitFor([&] { return client.State() == TSocketState::wsClosed; }));
    EXPECT_EQ(result, net::WSAECONNREFUSED);
    EXPECT_TRUE(closedEvent);
}

TEST(CustomNetSocket, SendWhileNotConnectedReportsNotConnectedAndCloses) {
    Listener listener;
    TCustomNetSocket client;
    std::vector<uint16_t> closed;
    client.OnSessionClosed = [&](TCustomNetSocket&, uint16_t error) { closed.push_back(error); };
    ConnectTo(client, listener);
    ASSERT_EQ(client.State(), TSocketState::wsConnecting);
    try {
        client.SendStr("too early");
        FAIL();
    } catch (const ESocketException& e) {
        EXPECT_EQ(std::string(e.Message()), "Error 10057 in function Send\r\nSocket is not connected");
    }
    EXPECT_EQ(client.State(), TSocketState::wsClosed);
    EXPECT_EQ(closed, std::vector<uint16_t>{10057});

    int errors = 0;
    client.OnError = [&](TCustomNetSocket&) { ++errors; };
    EXPECT_EQ(client.SendStr("closed"), -1);
    EXPECT_EQ(client.LastError(), 10057);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(client.SendStr(""), 0);
}

TEST(CustomNetSocket, SettersRefuseChangesUnlessClosedAndCloseRestoresTheDefaults) {
    Listener listener;
    TCustomNetSocket client;
    client.SetLocalPort("0");
    client.SetLocalAddr("127.0.0.1");
    ConnectTo(client, listener);
    ASSERT_TRUE(WaitFor([&] { return client.State() == TSocketState::wsConnected; }));
    EXPECT_EQ(client.SocketLocalAddr(), "127.0.0.1");
    client.SetAddr("127.0.0.1");  // the same value: nothing happens
    try {
        client.SetAddr("10.0.0.1");
        FAIL();
    } catch (const ESocketException& e) {
        EXPECT_EQ(std::string(e.Message()), "Cannot change Addr if not closed");
    }
    client.Close();
    EXPECT_EQ(client.Proto(), "tcp");
    EXPECT_EQ(client.LocalAddr(), "0.0.0.0");
    EXPECT_EQ(client.LocalPort(), "0");
    try {
        client.Connect();
        FAIL();
    } catch (const ESocketException& e) {
        EXPECT_EQ(std::string(e.Message()), "Connect: No Port Specified");
    }
}

TEST(CustomNetSocket, LookupsReportThroughTheirEvent) {
    TCustomNetSocket socket;
    std::vector<uint16_t> done;
    socket.OnDnsLookupDone = [&](TCustomNetSocket&, uint16_t error) { done.push_back(error); };
    socket.DnsLookup("10.1.2.3");
    EXPECT_EQ(done, std::vector<uint16_t>{0});  // before DnsLookup returned
    EXPECT_EQ(socket.DnsResult(), "10.1.2.3");
    EXPECT_EQ(socket.DnsResultList(), std::vector<std::string>{"10.1.2.3"});

    socket.OnError = [](TCustomNetSocket&) {};
    socket.DnsLookup("");
    EXPECT_EQ(done.back(), net::WSAEINVAL);

    socket.DnsLookup("localhost");
    socket.CancelDnsLookup();
    EXPECT_EQ(done.back(), net::WSAEINTR);

    done.clear();
    socket.DnsLookup("localhost");
    ASSERT_TRUE(WaitFor([&] { return !done.empty(); }));
    EXPECT_EQ(done, std::vector<uint16_t>{0});
    EXPECT_EQ(socket.DnsResult(), "127.0.0.1");

    done.clear();
    socket.DnsLookup(kUnknownHost);
    ASSERT_TRUE(WaitFor([&] { return !done.empty(); }));
    EXPECT_EQ(done.front() / 10, 1100);  // host not found, or not known here

    done.clear();
    socket.ReverseDnsLookup("127.0.0.1");
    ASSERT_TRUE(WaitFor([&] { return !done.empty(); }));
    EXPECT_EQ(done, std::vector<uint16_t>{0});
    ASSERT_EQ(socket.DnsResultList().size(), 1u);
    EXPECT_FALSE(socket.DnsResult().empty());
}

TEST(CustomNetSocket, AnExceptionInAnEventAbortsTheSocketUnlessTheHandlerSaysNo) {
    for (const bool allowClose : {true, false}) {
        Listener listener;
        TCustomNetSocket client;
        std::string message;
        client.OnBgException = [&](TCustomNetSocket&, const Exception& e, bool& canClose) {
            message = e.Message();
            canClose = allowClose;
        };
        ConnectTo(client, listener);
        ASSERT_TRUE(WaitFor([&] { return client.State() == TSocketState::wsConnected; }));
        client.PostTestException();
        ASSERT_TRUE(WaitFor([&] { return !message.empty(); }));
        EXPECT_EQ(message, "Test exception in NetSocket");
        EXPECT_EQ(client.State(), allowClose ? TSocketState::wsClosed : TSocketState::wsConnected);
    }
}

TEST(CustomNetSocket, TheLastSocketEndsTheSocketLibraryAndTheNextStartsItAgain) {
    ASSERT_EQ(TCustomNetSocket::LiveSockets(), 0);
    ASSERT_FALSE(net::SocketLibraryStarted());
    const int starts = net::SocketLibraryStarts();
    {
        TCustomNetSocket socket;
        socket.SetAddr("127.0.0.1");
        socket.SetPort("0");
        socket.Listen();
        EXPECT_TRUE(net::SocketLibraryStarted());
    }
    EXPECT_FALSE(net::SocketLibraryStarted());
    TCustomNetSocket again;
    again.SetAddr("127.0.0.1");
    again.SetPort("0");
    again.Listen();
    EXPECT_TRUE(net::SocketLibraryStarted());
    EXPECT_EQ(net::SocketLibraryStarts(), starts + 2);
}

}  // namespace
