#include "cd/net/CustomNetSocket.h"

#include "cd/net/NetText.h"

#include "platform/net/EventWait.h"
#include "platform/net/HostLookup.h"
#include "platform/net/MessageWindow.h"
#include "platform/net/SelectNotifier.h"
#include "platform/net/SocketErrors.h"
#include "platform/net/SocketLibrary.h"

#include <atomic>

namespace {

std::atomic<int> liveSockets = 0;

}  // namespace

TCustomNetSocket::TCustomNetSocket()
    : window_(std::make_unique<net::MessageWindow>(
          [this](uint32_t message, intptr_t wParam, intptr_t lParam) { WindowProcedure(message, wParam, lParam); })),
      notifier_(std::make_unique<net::SelectNotifier>([this](net::SocketHandle handle, int event, int error) {
          WindowProcedure(kSelectMessage, handle, (static_cast<intptr_t>(error) << 16) | event);
      })),
      lookup_(std::make_unique<net::HostLookup>([this](int, int error, const std::vector<std::string>& results) {
          Guarded([&] { HandleLookupDone(error, results); });
      })) {
    TCustomNetSocket::ResetToDefaults();
    ++liveSockets;
}

TCustomNetSocket::~TCustomNetSocket() {
    destroying_ = true;
    try {
        CancelDnsLookup();
    } catch (...) {
    }
    try {
        if (state_ != TSocketState::wsClosed) CloseSocketHandle(true, 0);
    } catch (...) {
    }
    if (handle_ != net::INVALID_SOCKET) {
        notifier_->Select(net::INVALID_SOCKET, 0);
        net::CloseSocket(handle_);
    }
    if (--liveSockets < 1) {
        net::UnloadWinsock();
        liveSockets = 0;
    }
}

int TCustomNetSocket::LiveSockets() { return liveSockets; }

// ---- messages and errors

void TCustomNetSocket::WindowProcedure(uint32_t message, intptr_t wParam, intptr_t lParam) {
    Guarded([&] {
        switch (message) {
            case kSelectMessage:
                HandleSelectEvent(static_cast<net::SocketHandle>(wParam), static_cast<int>(lParam & 0xFFFF),
                                  static_cast<int>((lParam >> 16) & 0xFFFF));
                break;
            case kCloseDelayedMessage: Close(); break;
            case kReleaseDelayedMessage: delete this; break;
            case kTestExceptionMessage: throw ESocketException("Test exception in NetSocket");
            default: break;
        }
    });
}

void TCustomNetSocket::Guarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const Exception& e) {
        ReportBgException(e);
    } catch (const std::exception& e) {
        ReportBgException(Exception(std::string(e.what())));
    }
}

void TCustomNetSocket::ReportBgException(const Exception& e) {
    bool canClose = true;
    if (OnBgException) {
        try {
            OnBgException(*this, e, canClose);
        } catch (...) {
        }
    }
    if (!canClose) return;
    try {
        Abort();
    } catch (...) {
    }
}

void TCustomNetSocket::PostMessage(uint32_t message, intptr_t wParam, intptr_t lParam) {
    window_->Post(message, wParam, lParam);
}

void TCustomNetSocket::PostTestException() { PostMessage(kTestExceptionMessage); }

void TCustomNetSocket::RaiseError(const std::string& message) {
    if (OnError) {
        FireError();
        return;
    }
    throw ESocketException(message);
}

void TCustomNetSocket::FireError() {
    if (OnError) OnError(*this);
}

void TCustomNetSocket::ReportSocketError(const std::string& functionName) {
    const int code = net::LastSocketError();
    const std::string text =
        "Error " + std::to_string(code) + " in function " + functionName + "\r\n" + net::WinsockErrorText(code);
    if (code == net::WSAECONNRESET || code == net::WSAENOTCONN) CloseAfterError(code);
    lastError_ = code;
    RaiseError(text);
}

// The connection is gone: the handle is closed at once, before the report.
void TCustomNetSocket::CloseAfterError(int code) {
    if (handle_ != net::INVALID_SOCKET) {
        notifier_->Select(net::INVALID_SOCKET, 0);
        net::CloseSocket(handle_);
        handle_ = net::INVALID_SOCKET;
    }
    if (state_ == TSocketState::wsClosed) return;
    if (!closeInvoked_) {
        closeInvoked_ = true;
        FireSessionClosed(static_cast<uint16_t>(code));
    }
    ChangeState(TSocketState::wsClosed);
}

// ---- state

void TCustomNetSocket::ChangeState(TSocketState newState) {
    const TSocketState oldState = state_;
    state_ = newState;
    if (oldState != newState) FireChangeState(oldState, newState);
}

void TCustomNetSocket::ResetToDefaults() {
    sin_ = net::SocketAddress{};
    port_.resolved = addr_.resolved = proto_.resolved = localPortResolved_ = false;
    port_.assigned = addr_.assigned = false;
    proto_.text = "tcp";
    protocol_ = net::kProtocolTcp;
    proto_.assigned = true;
    socketType_ = net::kSocketStream;
    localPortStr_ = "0";
    localPortNum_ = 0;
    localAddr_ = "0.0.0.0";
    lingerOnOff_ = TSocketLingerOnOff::wsLingerOn;
    lingerTimeout_ = 0;
    handle_ = net::INVALID_SOCKET;
    selectEvent_ = 0;
    state_ = TSocketState::wsClosed;
    allSent_ = true;
    paused_ = false;
    closeInvoked_ = false;
    readCount_ = 0;
    flushTimeout_ = 60;
}

// ---- events

bool TCustomNetSocket::FireDataAvailable(uint16_t error) {
    if (!OnDataAvailable) return false;
    OnDataAvailable(*this, error);
    return true;
}

void TCustomNetSocket::FireSessionAvailable(uint16_t error) {
    if (OnSessionAvailable) OnSessionAvailable(*this, error);
}

void TCustomNetSocket::FireSessionConnected(uint16_t error) {
    if (OnSessionConnected) OnSessionConnected(*this, error);
}

void TCustomNetSocket::FireSessionClosed(uint16_t error) {
    if (OnSessionClosed) OnSessionClosed(*this, error);
}

void TCustomNetSocket::FireDataSent(uint16_t error) {
    if (OnDataSent) OnDataSent(*this, error);
}

void TCustomNetSocket::FireChangeState(TSocketState oldState, TSocketState newState) {
    if (OnChangeState) OnChangeState(*this, oldState, newState);
}

void TCustomNetSocket::FireDnsLookupDone(uint16_t error) {
    if (OnDnsLookupDone) OnDnsLookupDone(*this, error);
}

// The network events of the handle, in the order the design gives them.
void TCustomNetSocket::HandleSelectEvent(net::SocketHandle handle, int event, int error) {
    if (handle != handle_ || paused_) return;
    const auto code = static_cast<uint16_t>(error);
    if (event & net::FD_CONNECT) {
        if (state_ != TSocketState::wsConnected) {
            ChangeState(TSocketState::wsConnected);
            FireSessionConnected(code);
            if (error != 0 && state_ != TSocketState::wsClosed) Close();
        }
    }
    if (event & net::FD_READ) {
        if (state_ != TSocketState::wsConnected) {
            ChangeState(TSocketState::wsConnected);
            FireSessionConnected(code);
        }
        ReceiveLoop(code, options_);
    }
    if (event & net::FD_WRITE) {
        TryToSend();
        if (allSent_) FireDataSent(code);
    }
    if (event & net::FD_ACCEPT) FireSessionAvailable(code);
    if ((event & net::FD_CLOSE) && state_ != TSocketState::wsConnecting) {
        ReceiveLoop(0, options_ & ~wsoNoReceiveLoop);
        if (!closeInvoked_) {
            closeInvoked_ = true;
            FireSessionClosed(code);
        }
        if (state_ != TSocketState::wsClosed) Close();
    }
}

// ---- properties

// Addr, Port and Proto: the same value again changes nothing; another one
// only while closed, trimmed, to be resolved anew.
void TCustomNetSocket::SetRemoteText(TRemoteText& field, const std::string& value, const char* name) {
    const std::string text = nettext::Trim(value);
    if (field.assigned && text == field.text) return;
    if (state_ != TSocketState::wsClosed) return RaiseError(std::string("Cannot change ") + name + " if not closed");
    field.text = text;
    field.resolved = false;
    if (!text.empty()) field.assigned = true;
}

void TCustomNetSocket::SetAddr(const std::string& value) { SetRemoteText(addr_, value, "Addr"); }

void TCustomNetSocket::SetPort(const std::string& value) { SetRemoteText(port_, value, "Port"); }

void TCustomNetSocket::SetProto(const std::string& value) { SetRemoteText(proto_, value, "Proto"); }

void TCustomNetSocket::SetLocalAddr(const std::string& value) {
    if (state_ != TSocketState::wsClosed) {
        RaiseError("Cannot change LocalAddr if not closed");
        return;
    }
    localAddr_ = value.empty() ? "0.0.0.0" : value;
}

void TCustomNetSocket::SetLocalPort(const std::string& value) {
    if (state_ != TSocketState::wsClosed) {
        RaiseError("Cannot change LocalPort if not closed");
        return;
    }
    localPortStr_ = value;
    localPortResolved_ = false;
}

void TCustomNetSocket::SetSendFlags(TSocketSendFlags value) {
    if (value != TSocketSendFlags::wsSendNormal && value != TSocketSendFlags::wsSendUrgent) {
        RaiseError("Invalid SendFlags");
        return;
    }
    sendFlags_ = value;
}

int32_t TCustomNetSocket::RcvdCount() {
    if (handle_ == net::INVALID_SOCKET) return -1;
    int count = 0;
    if (net::BytesWaiting(handle_, &count) == net::SOCKET_ERROR) {
        ReportSocketError("ioctlSocket");
        return -1;
    }
    return count;
}

// The peer of a connected socket; false (a failure reported under the
// function's name) otherwise.
bool TCustomNetSocket::ConnectedPeer(net::SocketAddress& peer, const char* functionName) {
    if (state_ != TSocketState::wsConnected) return false;
    if (net::PeerName(handle_, &peer) == 0) return true;
    ReportSocketError(functionName);
    return false;
}

std::string TCustomNetSocket::PeerAddr() {
    net::SocketAddress peer;
    return ConnectedPeer(peer, "GetPeerName") ? net::DottedAddress(peer.address) : "error";
}

std::string TCustomNetSocket::PeerPort() {
    net::SocketAddress peer;
    return ConnectedPeer(peer, "GetPeerPort") ? std::to_string(net::NetworkToHost16(peer.port)) : "error";
}

int TCustomNetSocket::PeerSockAddr(net::SocketAddress& address) {
    return state_ == TSocketState::wsConnected ? net::PeerName(handle_, &address) : -1;
}

int TCustomNetSocket::LocalSockAddr(net::SocketAddress& address) { return net::SocketName(handle_, &address); }

std::string TCustomNetSocket::SocketLocalPort() {
    net::SocketAddress local;
    const bool named = state_ == TSocketState::wsBound || state_ == TSocketState::wsConnected ||
                       state_ == TSocketState::wsListening;
    if (!named || net::SocketName(handle_, &local) != 0) return "error";
    return std::to_string(net::NetworkToHost16(local.port));
}

std::string TCustomNetSocket::SocketLocalAddr() {
    net::SocketAddress local;
    const bool named = state_ == TSocketState::wsBound || state_ == TSocketState::wsConnected ||
                       state_ == TSocketState::wsListening;
    if (!named || net::SocketName(handle_, &local) != 0) return "error";
    return net::DottedAddress(local.address);
}

// ---- closing

void TCustomNetSocket::CloseSocketHandle(bool shut, int error) {
    if (handle_ == net::INVALID_SOCKET) {
        if (state_ != TSocketState::wsClosed) {
            ChangeState(TSocketState::wsClosed);
            ResetToDefaults();
        }
        return;
    }
    if (state_ == TSocketState::wsClosed) return;
    if (shut) net::ShutdownSocket(handle_, net::kShutdownSend);
    notifier_->Select(net::INVALID_SOCKET, 0);
    const net::SocketHandle handle = handle_;
    handle_ = net::INVALID_SOCKET;
    if (net::CloseSocket(handle) != 0) {
        lastError_ = net::LastSocketError();
        ReportSocketError("Disconnect (closesocket)");
        return;
    }
    ChangeState(TSocketState::wsClosed);
    if (!destroying_ && !closeInvoked_) {
        closeInvoked_ = true;
        FireSessionClosed(static_cast<uint16_t>(error));
    }
    try {
        ResetToDefaults();
    } catch (...) {
    }
}

void TCustomNetSocket::Close() { CloseSocketHandle(true, 0); }

void TCustomNetSocket::CloseDelayed() { PostMessage(kCloseDelayedMessage); }

void TCustomNetSocket::ReleaseDelayed() { PostMessage(kReleaseDelayedMessage); }

void TCustomNetSocket::Abort() {
    CancelDnsLookup();
    FreeSendBuffers();
    if (state_ == TSocketState::wsConnected && protocol_ == net::kProtocolTcp) {
        lingerOnOff_ = TSocketLingerOnOff::wsLingerOff;
        ApplyLinger();
    }
    CloseSocketHandle(false, 0);
}

void TCustomNetSocket::Shutdown(int how) {
    if (handle_ != net::INVALID_SOCKET) net::ShutdownSocket(handle_, how);
}

void TCustomNetSocket::ApplyLinger() {
    if (lingerOnOff_ == TSocketLingerOnOff::wsLingerNoSet) return;
    if (handle_ == net::INVALID_SOCKET) {
        RaiseError("Cannot set linger option at this time");
        return;
    }
    if (net::SetLinger(handle_, lingerOnOff_ == TSocketLingerOnOff::wsLingerOn, lingerTimeout_) != 0) {
        ReportSocketError("setsockopt(SO_LINGER)");
    }
}

// ---- waiting

void TCustomNetSocket::Flush() {
    TryToSend();
    net::WaitForCondition([this] { return handle_ == net::INVALID_SOCKET || allSent_; }, flushTimeout_ * 1000);
}

void TCustomNetSocket::WaitUntilClosed() {
    net::WaitForCondition(
        [this] { return handle_ == net::INVALID_SOCKET || state_ == TSocketState::wsClosed; }, 0);
}

void TCustomNetSocket::Pause() {
    paused_ = true;
    if (handle_ != net::INVALID_SOCKET) notifier_->Select(handle_, 0);
}

void TCustomNetSocket::Resume() {
    paused_ = false;
    if (handle_ != net::INVALID_SOCKET) notifier_->Select(handle_, selectEvent_);
}

void TCustomNetSocket::MessagePump() { net::PumpEvents(); }

bool TCustomNetSocket::SelectEvents(int mask) {
    selectEvent_ = mask;
    notifier_->Select(handle_, mask);
    return true;
}
