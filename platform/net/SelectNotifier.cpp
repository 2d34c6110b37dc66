#include "platform/net/SelectNotifier.h"

#include "platform/net/SocketErrors.h"

#include <QtCore/QSocketNotifier>

#include <cerrno>
#include <sys/socket.h>

namespace net {

SelectNotifier::SelectNotifier(Handler handler)
    : handler_(std::move(handler)),
      reader_(std::make_unique<QSocketNotifier>(QSocketNotifier::Read)),
      writer_(std::make_unique<QSocketNotifier>(QSocketNotifier::Write)) {
    QObject::connect(reader_.get(), &QSocketNotifier::activated, [this] { ReadReady(); });
    QObject::connect(writer_.get(), &QSocketNotifier::activated, [this] { WriteReady(); });
}

SelectNotifier::~SelectNotifier() {
    reader_->setEnabled(false);
    writer_->setEnabled(false);
}

void SelectNotifier::Select(SocketHandle handle, int mask) {
    if (handle != handle_) {
        reader_->setEnabled(false);
        writer_->setEnabled(false);
        reader_->setSocket(handle);
        writer_->setSocket(handle);
        handle_ = handle;
        connecting_ = false;
        closeSeen_ = false;
        readArmed_ = true;
        writeArmed_ = false;
    }
    mask_ = handle == INVALID_SOCKET ? 0 : mask;
    listening_ = handle != INVALID_SOCKET && IsListeningSocket(handle);
    stream_ = true;
    int type = kSocketStream;
    if (handle != INVALID_SOCKET && SocketType(handle, &type) == 0) stream_ = type == kSocketStream;
    Update();
}

void SelectNotifier::ConnectStarted() {
    connecting_ = true;
    Update();
}

void SelectNotifier::ReadDone() {
    readArmed_ = true;
    Update();
}

void SelectNotifier::AcceptDone() { ReadDone(); }

void SelectNotifier::WriteBlocked() {
    writeArmed_ = true;
    Update();
}

// While a connect is under way only its outcome is watched: reading first
// could take the connect's failure away from it.
void SelectNotifier::Update() {
    if (handle_ == INVALID_SOCKET) return;
    const bool wantRead = !connecting_ && !closeSeen_ && readArmed_ && (mask_ & (FD_READ | FD_ACCEPT | FD_CLOSE));
    const bool wantWrite = connecting_ ? (mask_ & FD_CONNECT) != 0 : writeArmed_ && (mask_ & FD_WRITE);
    reader_->setEnabled(wantRead);
    writer_->setEnabled(wantWrite);
}

void SelectNotifier::ReadReady() {
    readArmed_ = false;
    Update();
    if (listening_) {
        Deliver(FD_ACCEPT, 0);
        return;
    }
    int waiting = 0;
    if (!stream_ || (BytesWaiting(handle_, &waiting) == 0 && waiting > 0)) {
        Deliver(FD_READ, 0);
        return;
    }
    // Nothing waits: either the peer closed, or the connection failed.
    char probe;
    const ssize_t peeked = ::recv(handle_, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
    if (peeked > 0) {
        Deliver(FD_READ, 0);
    } else if (peeked == 0 || (errno != EAGAIN && errno != EINTR)) {
        closeSeen_ = true;
        Deliver(FD_CLOSE, peeked == 0 ? 0 : SocketErrorFromErrno(errno));
    } else {
        ReadDone();
    }
}

void SelectNotifier::WriteReady() {
    if (connecting_) {
        connecting_ = false;
        int error = 0;
        if (PendingSocketError(handle_, &error) != 0) error = LastSocketError();
        readArmed_ = true;
        Update();
        Deliver(FD_CONNECT, error);
        return;
    }
    writeArmed_ = false;
    Update();
    Deliver(FD_WRITE, 0);
}

void SelectNotifier::Deliver(int event, int error) {
    if (mask_ & event) handler_(handle_, event, error);
}

}  // namespace net
