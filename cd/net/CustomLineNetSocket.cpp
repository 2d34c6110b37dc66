#include "cd/net/CustomLineNetSocket.h"

#include "platform/net/SocketErrors.h"

#include <algorithm>
#include <cstring>

TCustomLineNetSocket::TCustomLineNetSocket() = default;

void TCustomLineNetSocket::SetLineMode(bool value) {
    if (value == lineMode_) return;
    lineMode_ = value;
    if (!value) lineLength_ = 0;
    if (!held_.empty()) PostMessage(kPendingLinesMessage);
}

void TCustomLineNetSocket::WindowProcedure(uint32_t message, intptr_t wParam, intptr_t lParam) {
    if (message == kPendingLinesMessage) return Guarded([this] { DeliverPendingLines(); });
    TCustomSocksNetSocket::WindowProcedure(message, wParam, lParam);
}

int32_t TCustomLineNetSocket::RcvdCount() {
    if (LineModeActive()) return static_cast<int32_t>(lineLength_);
    return TCustomSocksNetSocket::RcvdCount();
}

int32_t TCustomLineNetSocket::BufferedBytes() const {
    return (lineMode_ ? 0 : static_cast<int32_t>(held_.size())) + TCustomSocksNetSocket::BufferedBytes();
}

// In line mode a receive takes from the line on offer; otherwise held bytes come first.
int TCustomLineNetSocket::RecvRaw(void* buffer, int length, int flags) {
    size_t available = held_.size();
    if (LineModeActive()) {
        available = lineLength_;
        if (available == 0) {
            net::SetLastSocketError(net::WSAEWOULDBLOCK);
            return net::SOCKET_ERROR;
        }
    }
    if (held_.empty()) return TCustomSocksNetSocket::RecvRaw(buffer, length, flags);
    const size_t count = std::min(available, static_cast<size_t>(std::max(length, 0)));
    std::memcpy(buffer, held_.data(), count);
    held_.erase(0, count);
    lineLength_ -= std::min(lineLength_, count);
    return static_cast<int>(count);
}

bool TCustomLineNetSocket::FireDataAvailable(uint16_t error) {
    if (!LineModeActive()) return TCustomSocksNetSocket::FireDataAvailable(error);
    int32_t waiting = TCustomSocksNetSocket::RcvdCount();
    if (waiting < 0) return true;
    if (waiting == 0) waiting = 255;
    const size_t before = held_.size();
    held_.resize(before + static_cast<size_t>(waiting));
    const int received = TCustomSocksNetSocket::RecvRaw(held_.data() + before, waiting, 0);
    held_.resize(before + static_cast<size_t>(std::max(received, 0)));
    if (received <= 0) return true;
    if (lineEdit_) {
        EditLine(before);
    } else if (lineEcho_) {
        Echo(held_.substr(before));
    }
    DeliverLines(before > lineEnd_.size() ? before - lineEnd_.size() : 0);
    return true;
}

// Offers every complete line, then checks the limit on what is left.
void TCustomLineNetSocket::DeliverLines(size_t searchFrom) {
    while (LineModeActive()) {
        const size_t end = held_.find(lineEnd_, searchFrom);
        if (end == std::string::npos) break;
        DeliverLine(end + lineEnd_.size());
        searchFrom = 0;
    }
    if (!LineModeActive() || lineLimit_ <= 0 || static_cast<size_t>(lineLimit_) >= held_.size()) return;
    bool clearData = true;
    FireLineLimitExceeded(static_cast<int32_t>(held_.size()), clearData);
    if (clearData) held_.clear();
}

// Offers one line until the handler has taken it; what a handler leaves
// unread (or every line, without a handler) is dropped.
void TCustomLineNetSocket::DeliverLine(size_t length) {
    lineLength_ = length;
    while (lineMode_ && lineLength_ > 0 && OnDataAvailable) {
        const size_t before = lineLength_;
        TCustomSocksNetSocket::FireDataAvailable(0);
        if (lineLength_ == before) break;
    }
    if (lineMode_ && lineLength_ > 0) {
        held_.erase(0, lineLength_);
        lineLength_ = 0;
    }
}

void TCustomLineNetSocket::DeliverPendingLines() {
    if (LineModeActive()) return DeliverLines(0);
    while (!held_.empty() && OnDataAvailable) {
        const size_t before = held_.size();
        TCustomSocksNetSocket::FireDataAvailable(0);
        if (held_.size() == before) break;
    }
}

void TCustomLineNetSocket::FireSessionClosed(uint16_t error) {
    if (lineMode_ && !held_.empty()) DeliverLine(held_.size());
    held_.clear();
    held_.shrink_to_fit();
    lineLength_ = 0;
    TCustomSocksNetSocket::FireSessionClosed(error);
}

void TCustomLineNetSocket::FireLineLimitExceeded(int32_t rcvdLength, bool& clearData) {
    if (OnLineLimitExceeded) OnLineLimitExceeded(*this, rcvdLength, clearData);
}

void TCustomLineNetSocket::EditLine(size_t start) {
    const std::string incoming = held_.substr(start);
    held_.resize(start);
    std::string echo;
    for (const char ch : incoming) {
        if (ch == '\b') {
            if (!held_.empty()) held_.pop_back();
            echo += "\b \b";
        } else if (ch == '\t') {
            const size_t spaces = 8 - held_.size() % 8;
            held_.append(spaces, ' ');
            echo.append(spaces, ' ');
        } else {
            held_ += ch;
            echo += ch;
        }
    }
    if (lineEcho_) Echo(echo);
}

void TCustomLineNetSocket::Echo(const std::string& bytes) {
    if (!bytes.empty()) Send(bytes.data(), static_cast<int32_t>(bytes.size()));
}
