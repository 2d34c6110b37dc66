#pragma once
// Helpers of the network tests: waiting on the event loop with a generous
// limit (a fault fails the test instead of hanging it), and a listening
// socket on a free loopback port that takes one connection into a socket of
// its own, which collects what arrives.

#include "cd/net/NetSocket.h"

#include "platform/net/EventWait.h"

#include <functional>
#include <string>

// A host name no look-up finds, refused on this machine before any query
// could leave it: its first label is longer than the 63 bytes a name allows.
inline const std::string kUnknownHost = std::string(64, 'x') + ".invalid";

inline bool WaitFor(const std::function<bool()>& done, int limitMs = 10000) {
    return net::WaitForCondition(done, limitMs) == net::WaitEnd::Done;
}

class Listener {
public:
    Listener() {
        server.SetAddr("127.0.0.1");
        server.SetPort("0");
        server.OnSessionAvailable = [this](TCustomNetSocket&, uint16_t) { peer.Dup(server.Accept()); };
        peer.OnDataAvailable = [this](TCustomNetSocket& s, uint16_t) {
            char buffer[65536];
            const int32_t n = s.Receive(buffer, sizeof buffer);
            if (n > 0) received.append(buffer, static_cast<size_t>(n));
        };
        server.Listen();
    }
    std::string Port() { return server.SocketLocalPort(); }
    bool PeerConnected() const { return peer.State() == TSocketState::wsConnected; }

    TNetSocket server;
    TNetSocket peer;
    std::string received;
};

inline void ConnectTo(TCustomNetSocket& client, Listener& listener) {
    client.SetAddr("127.0.0.1");
    client.SetPort(listener.Port());
    client.Connect();
}
