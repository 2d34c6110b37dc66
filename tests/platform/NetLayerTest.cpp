#include "platform/net/EventWait.h"
#include "platform/net/MessageWindow.h"
#include "platform/net/NameLookup.h"
#include "platform/net/SelectNotifier.h"
#include "platform/net/SocketApi.h"
#include "platform/net/SocketErrors.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

TEST(NetLayer, SystemErrorsBecomeSocketCodesWithTheirTexts) {
    const struct {
        int errnoValue;
        int code;
        const char* text;
    } cases[] = {
        {ECONNREFUSED, 10061, "Connection refused"}, {ETIMEDOUT, 10060, "Connection timed out"},
        {ECONNRESET, 10054, "Connection reset by peer"}, {EPIPE, 10054, "Connection reset by peer"},
        {ENOTCONN, 10057, "Socket is not connected"}, {EHOSTUNREACH, 10065, "No route to host"},
        {EAGAIN, 10035, "Operation would block"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(net::SocketErrorFromErrno(c.errnoValue), c.code);
        EXPECT_EQ(net::WinsockErrorText(c.code), c.text);
    }
    EXPECT_EQ(net::WinsockErrorText(0), "No Error");
    EXPECT_EQ(net::WinsockErrorText(11001), "Host not found");
    EXPECT_EQ(net::WinsockErrorText(12345), "Not a WinSock error");
}

TEST(NetLayer, TheProgramsOwnProtocolsAndServiceAreKnown) {
    int number = 0;
    EXPECT_EQ(net::LookupProtocolNumber("tcp", number), 0);
    EXPECT_EQ(number, 6);
    EXPECT_EQ(net::LookupProtocolNumber("udp", number), 0);
    EXPECT_EQ(number, 17);
    uint16_t port = 0;
    EXPECT_EQ(net::LookupServicePort("http", "tcp", port), 0);
    EXPECT_EQ(port, 80);
    EXPECT_EQ(net::LookupServicePort("no-such-service", "tcp", port), net::WSANO_DATA);
    std::vector<uint32_t> addresses;
    EXPECT_EQ(net::LookupHostAddresses("localhost", addresses), 0);
    EXPECT_EQ(addresses.front(), net::InetAddr("127.0.0.1"));
}

TEST(NetLayer, AWaitEndsWhenItsConditionHoldsOrItsTimeLimitPasses) {
    bool flag = false;
    QTimer::singleShot(10, [&] { flag = true; });
    EXPECT_EQ(net::WaitForCondition([&] { return flag; }, 0), net::WaitEnd::Done);
    EXPECT_EQ(net::WaitForCondition([] { return false; }, 20), net::WaitEnd::TimedOut);
}

TEST(NetLayer, AWaitEndsWhenTheProgramQuits) {
    net::WaitEnd first = net::WaitEnd::Done;
    net::WaitEnd second = net::WaitEnd::Done;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(10, [] { QCoreApplication::quit(); });
        first = net::WaitForCondition([] { return false; }, 0);
        second = net::WaitForCondition([] { return false; }, 0);
    });
    QCoreApplication::exec();
    EXPECT_EQ(first, net::WaitEnd::Quit);
    EXPECT_EQ(second, net::WaitEnd::Quit);
}

TEST(NetLayer, PostedMessagesComeLaterInOrderAndDieWithTheirWindow) {
    std::vector<intptr_t> handled;
    {
        net::MessageWindow window([&](uint32_t message, intptr_t wParam, intptr_t) {
            handled.push_back(message == net::WM_USER + 1 ? wParam : -1);
        });
        window.Post(net::WM_USER + 1, 1);
        window.Post(net::WM_USER + 1, 2);
        EXPECT_TRUE(handled.empty());
        net::PumpEvents();
        EXPECT_EQ(handled, (std::vector<intptr_t>{1, 2}));
        window.Post(net::WM_USER + 1, 3);
    }
    net::PumpEvents();
    EXPECT_EQ(handled.size(), 2u);
}

// A read event is not repeated while its data waits unread, and the close
// comes once the data is taken.
TEST(NetLayer, ReadEventsWaitForTheDataToBeTakenThenTheCloseFollows) {
    int pair[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, pair), 0);
    std::vector<int> events;
    net::SelectNotifier notifier([&](net::SocketHandle, int event, int) { events.push_back(event); });
    notifier.Select(pair[0], net::FD_READ | net::FD_CLOSE);
    ASSERT_EQ(::write(pair[1], "abc", 3), 3);
    ASSERT_TRUE(net::WaitForCondition([&] { return !events.empty(); }, 5000) == net::WaitEnd::Done);
    for (int i = 0; i < 5; ++i) net::PumpEvents();
    EXPECT_EQ(events, std::vector<int>{net::FD_READ});

    char buffer[8];
    EXPECT_EQ(net::RecvSocket(pair[0], buffer, sizeof buffer, 0), 3);
    notifier.ReadDone();
    ::close(pair[1]);
    ASSERT_TRUE(net::WaitForCondition([&] { return events.size() == 2; }, 5000) == net::WaitEnd::Done);
    EXPECT_EQ(events.back(), net::FD_CLOSE);
    notifier.Select(net::INVALID_SOCKET, 0);
    ::close(pair[0]);
}

}  // namespace
