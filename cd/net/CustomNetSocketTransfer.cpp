// Sending through the chunk queue, receiving and the receive loop.
#include "cd/net/CustomNetSocket.h"

#include "platform/net/SelectNotifier.h"
#include "platform/net/SocketErrors.h"

#include <array>

namespace {

bool MeansConnectionGone(int code) {
    return code == net::WSAEINVAL || code == net::WSAENOTSOCK || code == net::WSAECONNABORTED ||
           code == net::WSAECONNRESET || code == net::WSAENOTCONN;
}

}  // namespace

int32_t TCustomNetSocket::Send(const void* data, int32_t length) {
    if (state_ != TSocketState::wsConnected) {
        net::SetLastSocketError(net::WSAENOTCONN);
        ReportSocketError("Send");
        return -1;
    }
    if (length <= 0) return 0;
    allSent_ = false;
    QueueSendData(data, length);
    TryToSend();
    if (allSent_ && handle_ != net::INVALID_SOCKET) PostMessage(kSelectMessage, handle_, net::FD_WRITE);
    return length;
}

int32_t TCustomNetSocket::SendStr(const std::string& text) {
    return text.empty() ? 0 : Send(text.data(), static_cast<int32_t>(text.size()));
}

int32_t TCustomNetSocket::SendTo(const net::SocketAddress& to, const void* data, int32_t length) {
    return net::SendToSocket(handle_, to, data, length, static_cast<int>(sendFlags_));
}

void TCustomNetSocket::QueueSendData(const void* data, int32_t length) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (bufferList_.empty()) bufferList_.push_back(std::make_unique<TBuffer>(kSendChunkSize));
    int32_t done = bufferList_.back()->Append(bytes, length);
    while (done < length) {
        bufferList_.push_back(std::make_unique<TBuffer>(kSendChunkSize));
        done += bufferList_.back()->Append(bytes + done, length - done);
    }
}

void TCustomNetSocket::FreeSendBuffers() {
    bufferList_.clear();
    allSent_ = true;
}

// Feeds the transport from the first chunk on until it takes no more; the
// next write event goes on.
void TCustomNetSocket::TryToSend() {
    if (handle_ == net::INVALID_SOCKET || bufferList_.empty()) return;
    for (;;) {
        TBuffer& first = *bufferList_.front();
        int32_t count = 0;
        const uint8_t* data = first.Peek(count);
        if (count > 0) {
            const int sent = SendRaw(data, count);
            if (sent == net::SOCKET_ERROR) {
                const int code = net::LastSocketError();
                if (MeansConnectionGone(code)) {
                    closeInvoked_ = true;
                    Close();
                    FireSessionClosed(static_cast<uint16_t>(code));
                } else if (code == net::WSAEWOULDBLOCK) {
                    notifier_->WriteBlocked();
                } else {
                    ReportSocketError("TryToSend failed");
                }
                return;
            }
            if (sent == 0) return;
            first.Consume(sent);
            if (sent < count) {
                notifier_->WriteBlocked();
                return;
            }
        }
        int32_t unread = 0;
        first.Peek(unread);
        if (unread > 0) continue;
        if (bufferList_.size() == 1) {
            allSent_ = true;
            return;
        }
        bufferList_.pop_front();
    }
}

int TCustomNetSocket::SendRaw(const void* data, int length) {
    const int flags = static_cast<int>(sendFlags_);
    const int sent = socketType_ == net::kSocketDatagram ? net::SendToSocket(handle_, sin_, data, length, flags)
                                                          : net::SendSocket(handle_, data, length, flags);
    if (sent > 0 && OnSendData) OnSendData(*this, sent);
    return sent;
}

int TCustomNetSocket::RecvRaw(void* buffer, int length, int flags) {
    const int received = net::RecvSocket(handle_, buffer, length, flags);
    notifier_->ReadDone();
    return received;
}

int TCustomNetSocket::RecvFromRaw(void* buffer, int length, int flags, net::SocketAddress& from) {
    const int received = net::RecvFromSocket(handle_, buffer, length, flags, &from);
    notifier_->ReadDone();
    return received;
}

int32_t TCustomNetSocket::Receive(void* buffer, int32_t length) {
    const int received = RecvRaw(buffer, length, 0);
    if (received < 0) {
        lastError_ = net::LastSocketError();
        return -1;
    }
    readCount_ += received;
    return received;
}

std::string TCustomNetSocket::ReceiveStr() {
    int32_t count = RcvdCount();
    if (count < 0) return {};
    if (count == 0) count = 255;
    std::string text(static_cast<size_t>(count), '\0');
    const int32_t received = Receive(text.data(), count);
    if (received <= 0) return {};
    text.resize(static_cast<size_t>(received));
    return text;
}

int32_t TCustomNetSocket::ReceiveFrom(void* buffer, int32_t length, net::SocketAddress& from) {
    const int received = RecvFromRaw(buffer, length, 0, from);
    if (received < 0) {
        lastError_ = net::LastSocketError();
        return -1;
    }
    readCount_ += received;
    return received;
}

// Offers the data to the handler until nothing waits. A pass that takes
// nothing ends the loop: the data stays for the next read event instead of
// the loop spinning on it.
void TCustomNetSocket::ReceiveLoop(uint16_t error, TNetSocketOptions options) {
    try {
        int32_t before = INT32_MAX;
        for (;;) {
            lastError_ = 0;
            if (!FireDataAvailable(error)) DropWaitingData();
            if ((options & wsoNoReceiveLoop) || lastError_ != 0 || handle_ == net::INVALID_SOCKET) return;
            int waiting = 0;
            if (net::BytesWaiting(handle_, &waiting) != 0) {
                lastError_ = net::LastSocketError();
                return;
            }
            const int32_t left = waiting + BufferedBytes();
            if (left == 0 || left >= before) return;
            before = left;
        }
    } catch (const std::exception&) {
        // The design drops what a data handler raises: it ends this event only.
    }
}

void TCustomNetSocket::DropWaitingData() {
    std::array<char, 1024> scratch;
    if (Receive(scratch.data(), static_cast<int32_t>(scratch.size())) < 0 && lastError_ == net::WSAEWOULDBLOCK) {
        lastError_ = 0;
    }
}
