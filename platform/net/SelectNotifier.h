#pragma once
// Network events of one socket, delivered from the event loop of the thread
// that asked for them: read, write, accept, connect and close, each with the
// code of its failure. Like the asynchronous select of the socket classes'
// design, an event is not repeated until the socket was used again: after a
// read event until something was received, after an accept event until a
// connection was accepted, and a write event only after a send that would
// have blocked (not after a connect: nothing was sent then). So a handler
// that leaves data waiting never makes the loop spin.
//
// The owner tells what it did (ReadDone, AcceptDone, WriteBlocked,
// ConnectStarted); the events come through the handler given at construction.

#include "platform/net/SocketApi.h"

#include <functional>
#include <memory>

class QSocketNotifier;

namespace net {

inline constexpr int FD_READ = 0x01;
inline constexpr int FD_WRITE = 0x02;
inline constexpr int FD_OOB = 0x04;
inline constexpr int FD_ACCEPT = 0x08;
inline constexpr int FD_CONNECT = 0x10;
inline constexpr int FD_CLOSE = 0x20;

class SelectNotifier {
public:
    using Handler = std::function<void(SocketHandle handle, int event, int error)>;

    explicit SelectNotifier(Handler handler);
    ~SelectNotifier();
    SelectNotifier(const SelectNotifier&) = delete;
    SelectNotifier& operator=(const SelectNotifier&) = delete;

    // Asks for the events of the mask on a handle; a mask of 0 (or another
    // handle) ends the events of the previous one.
    void Select(SocketHandle handle, int mask);
    // A connect is under way: its outcome comes as a connect event.
    void ConnectStarted();
    void ReadDone();
    void AcceptDone();
    void WriteBlocked();

private:
    void ReadReady();
    void WriteReady();
    void Deliver(int event, int error);
    void Update();

    Handler handler_;
    std::unique_ptr<QSocketNotifier> reader_;
    std::unique_ptr<QSocketNotifier> writer_;
    SocketHandle handle_ = INVALID_SOCKET;
    int mask_ = 0;
    bool readArmed_ = false;
    bool writeArmed_ = false;
    bool listening_ = false;
    bool stream_ = true;
    bool connecting_ = false;
    bool closeSeen_ = false;
};

}  // namespace net
