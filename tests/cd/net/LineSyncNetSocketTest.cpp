#include "cd/net/NetSocket.h"

#include "NetTestSupport.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>

#include <string>
#include <vector>

namespace {

// A line-mode client connected to a listener's peer, keeping the lines it reads.
struct LineClient {
    LineClient() {
        socket.SetLineMode(true);
        socket.OnDataAvailable = [this](TCustomNetSocket& s, uint16_t) { lines.push_back(s.ReceiveStr()); };
        socket.OnSessionClosed = [this](TCustomNetSocket&, uint16_t) { closed = true; };
        ConnectTo(socket, listener);
        WaitFor([this] { return listener.PeerConnected() && socket.State() == TSocketState::wsConnected; });
    }
    // Sends from the peer and waits until the client echoed it, so each send is one data event.
    void SendInStep(const std::string& bytes) {
        const size_t echoed = listener.received.size();
        listener.peer.SendStr(bytes);
        WaitFor([&] { return listener.received.size() >= echoed + bytes.size(); });
    }

    Listener listener;
    TNetSocket socket;
    std::vector<std::string> lines;
    bool closed = false;
};

TEST(LineNetSocket, LinesKeepTheirEndAndTheRestComesAsALastLineAtTheClose) {
    LineClient client;
    client.listener.peer.SendStr("abc\r\nde");
    ASSERT_TRUE(WaitFor([&] { return client.lines.size() == 1; }));
    EXPECT_EQ(client.socket.RcvdCount(), 0);
    client.listener.peer.Close();
    ASSERT_TRUE(WaitFor([&] { return client.closed; }));
    EXPECT_EQ(client.lines, (std::vector<std::string>{"abc\r\n", "de"}));
}

TEST(LineNetSocket, ALineEndSplitAcrossTwoEventsIsFound) {
    LineClient client;
    client.socket.SetLineEcho(true);
    client.SendInStep("ab\r");
    EXPECT_TRUE(client.lines.empty());
    client.SendInStep("\ncd\r\n");
    EXPECT_EQ(client.lines, (std::vector<std::string>{"ab\r\n", "cd\r\n"}));
    EXPECT_EQ(client.listener.received, "ab\r\ncd\r\n");
}

TEST(LineNetSocket, LineEditAppliesBackspacesAndTabs) {
    LineClient client;
    client.socket.SetLineEdit(true);
    client.socket.SetLineEcho(true);
    client.SendInStep("ab\bc\r\n");
    client.SendInStep("abc\tx\r\n");
    EXPECT_EQ(client.lines, (std::vector<std::string>{"ac\r\n", "abc     x\r\n"}));
    EXPECT_EQ(client.listener.received, "ab\b \bc\r\nabc     x\r\n");
}

TEST(LineNetSocket, AnOverlongLineFiresTheLimitEventAndIsDropped) {
    LineClient client;
    client.socket.SetLineLimit(10);
    std::vector<int32_t> exceeded;
    client.socket.OnLineLimitExceeded = [&](TCustomNetSocket&, int32_t length, bool&) { exceeded.push_back(length); };
    client.socket.SetLineEcho(true);
    client.SendInStep("0123456789x");
    EXPECT_EQ(exceeded, std::vector<int32_t>{11});
    client.SendInStep("ok\r\n");
    EXPECT_EQ(client.lines, std::vector<std::string>{"ok\r\n"});
}

TEST(LineNetSocket, SwitchingLineModeOffHandsTheRestOnAsPlainData) {
    LineClient client;
    client.socket.OnDataAvailable = [&](TCustomNetSocket& s, uint16_t) {
        client.lines.push_back(s.ReceiveStr());
        client.socket.SetLineMode(false);
    };
    client.listener.peer.SendStr("first\r\nsecond\r\nthird");
    ASSERT_TRUE(WaitFor([&] { return client.lines.size() >= 2; }));
    EXPECT_EQ(client.lines, (std::vector<std::string>{"first\r\n", "second\r\nthird"}));
}

TEST(SyncNetSocket, AWaitEndsWithTheFlagTheTimeLimitOrTheQuit) {
    Listener listener;
    TNetSocket socket;
    bool connected = false;
    socket.OnSessionConnected = [&](TCustomNetSocket&, uint16_t) { connected = true; };
    EXPECT_EQ(socket.RunAndWait(connected, [&] { ConnectTo(socket, listener); }), 0);

    bool never = false;
    socket.SetTimeLimit(20);
    EXPECT_EQ(socket.WaitForFlag(never), 12001);

    socket.SetTimeLimit(0);
    int quitResult = 0;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(10, [] { QCoreApplication::quit(); });
        quitResult = socket.WaitForFlag(never);
    });
    QCoreApplication::exec();
    EXPECT_EQ(quitResult, 12001);
}

}  // namespace
