// Connecting, listening, accepting and taking over a handle.
#include "cd/net/CustomNetSocket.h"

#include "cd/net/NetSocketResolve.h"

#include "platform/net/SelectNotifier.h"
#include "platform/net/SocketErrors.h"

namespace {

constexpr int kConnectEvents = net::FD_READ | net::FD_WRITE | net::FD_ACCEPT | net::FD_CONNECT | net::FD_CLOSE;
constexpr int kListenEvents = net::FD_READ | net::FD_WRITE | net::FD_ACCEPT | net::FD_CLOSE;
constexpr int kDupEvents = net::FD_READ | net::FD_WRITE | net::FD_CONNECT | net::FD_CLOSE;

int SocketTypeOfProtocol(int32_t protocol) {
    if (protocol == net::kProtocolTcp) return net::kSocketStream;
    return protocol == net::kProtocolUdp ? net::kSocketDatagram : net::kSocketRaw;
}

}  // namespace

// Resolves what is not resolved yet. A listening socket is a stream one
// unless it is UDP, and binds to the remote address record itself.
void TCustomNetSocket::ResolveRemote(bool forListen) {
    if (!proto_.resolved) {
        protocol_ = NetSocketResolveProto(proto_.text);
        socketType_ = forListen && protocol_ != net::kProtocolUdp ? net::kSocketStream : SocketTypeOfProtocol(protocol_);
        proto_.resolved = true;
    }
    if (!port_.resolved) {
        sin_.port = net::HostToNetwork16(NetSocketResolvePort(port_.text, proto_.text));
        port_.resolved = true;
    }
    if (!forListen && !localPortResolved_) {
        localPortNum_ = NetSocketResolvePort(localPortStr_, proto_.text);
        localPortResolved_ = true;
    }
    if (!addr_.resolved) {
        sin_.address = NetSocketResolveHost(addr_.text);
        addr_.resolved = true;
    }
}

// Resolves, drops what waits to be sent and creates the handle; false when
// either step failed and was reported.
bool TCustomNetSocket::ResolveAndOpen(bool forListen, const std::string& operation, const char* socketFunction) {
    try {
        ResolveRemote(forListen);
    } catch (const ESocketException& e) {
        lastError_ = net::WSAEINVAL;
        RaiseError(operation + e.Message());
        return false;
    }
    FreeSendBuffers();
    handle_ = net::OpenSocket(net::kAddressFamilyInet, socketType_, protocol_);
    if (handle_ != net::INVALID_SOCKET) return true;
    ReportSocketError(socketFunction);
    return false;
}

void TCustomNetSocket::Connect() {
    if (handle_ != net::INVALID_SOCKET && state_ != TSocketState::wsClosed) return RaiseError("Connect: Socket already in use");
    if (!port_.assigned) return RaiseError("Connect: No Port Specified");
    if (!addr_.assigned) return RaiseError("Connect: No IP Address Specified");
    if (!proto_.assigned) return RaiseError("Connect: No Protocol Specified");
    if (!ResolveAndOpen(false, "connect: ", "Connect (socket)")) return;
    ChangeState(TSocketState::wsOpened);
    if (state_ != TSocketState::wsOpened) {
        net::SetLastSocketError(net::WSAEINVAL);
        return ReportSocketError("Connect (Invalid operation in OnChangeState)");
    }
    const bool ready = socketType_ == net::kSocketDatagram ? ApplyDatagramOptions() : ApplyConnectOptions();
    if (!ready || !SelectEvents(kConnectEvents)) return;
    if (socketType_ == net::kSocketDatagram) {
        ChangeState(TSocketState::wsConnected);
        FireSessionConnected(0);
        return;
    }
    if (net::ConnectSocket(handle_, sin_) != 0 && net::LastSocketError() != net::WSAEWOULDBLOCK) {
        lastError_ = net::LastSocketError();
        return ReportSocketError("Connect");
    }
    notifier_->ConnectStarted();
    ChangeState(TSocketState::wsConnecting);
}

bool TCustomNetSocket::ApplyDatagramOptions() {
    if (!BindLocal()) return false;
    if (multiCast_) {
        if (multiCastIpTTL_ != 1 && net::SetMulticastTtl(handle_, multiCastIpTTL_) != 0) {
            ReportSocketError("setsockopt(IP_MULTICAST_TTL)");
            return false;
        }
        if (localAddr_ != "0.0.0.0" && net::SetMulticastInterface(handle_, NetSocketResolveHost(localAddr_)) != 0) {
            ReportSocketError("setsockopt(IP_MULTICAST_IF)");
            return false;
        }
    }
    if (sin_.address == net::kInaddrNone && net::SetBroadcast(handle_, true) != 0) {
        ReportSocketError("setsockopt(SO_BROADCAST)");
        return false;
    }
    return true;
}

bool TCustomNetSocket::ApplyConnectOptions() {
    if (net::SetReuseAddress(handle_, true) != 0) {
        ReportSocketError("setsockopt(SO_REUSEADDR)");
        return false;
    }
    if ((options_ & wsoTcpNoDelay) && net::SetNoDelay(handle_, true) != 0) {
        ReportSocketError("setsockopt(IPPROTO_TCP, TCP_NODELAY)");
        return false;
    }
    ApplyLinger();
    if (net::SetKeepAlive(handle_, true) != 0) {
        ReportSocketError("setsockopt(SO_KEEPALIVE)");
        return false;
    }
    return (localPortNum_ == 0 && localAddr_ == "0.0.0.0") || BindLocal();
}

bool TCustomNetSocket::BindLocal() {
    net::SocketAddress local;
    local.port = net::HostToNetwork16(localPortNum_);
    local.address = NetSocketResolveHost(localAddr_);
    if (net::BindSocket(handle_, local) != 0) {
        RaiseError("winsock.bind failed, error #" + std::to_string(net::LastSocketError()));
        return false;
    }
    if (net::SocketName(handle_, &local) != 0) {
        RaiseError("winsock.getsockname failed, error #" + std::to_string(net::LastSocketError()));
        return false;
    }
    localPortNum_ = net::NetworkToHost16(local.port);
    localPortStr_ = std::to_string(localPortNum_);
    return true;
}

void TCustomNetSocket::Listen() {
    if (!port_.assigned || !proto_.assigned || !addr_.assigned) {
        lastError_ = net::WSAEINVAL;
        if (!port_.assigned) return RaiseError("listen: port not assigned");
        if (!proto_.assigned) return RaiseError("listen: protocol not assigned");
        return RaiseError("listen: address not assigned");
    }
    if (!ResolveAndOpen(true, "listen: ", "socket")) return;
    if (socketType_ == net::kSocketDatagram && reuseAddr_ && net::SetReuseAddress(handle_, true) != 0) {
        return ReportSocketError("setsockopt(SO_REUSEADDR)");
    }
    if (net::BindSocket(handle_, sin_) != 0) {
        // The handle goes before the report, so that a raised report leaves nothing open.
        const int code = net::LastSocketError();
        net::CloseSocket(handle_);
        handle_ = net::INVALID_SOCKET;
        net::SetLastSocketError(code);
        return ReportSocketError("Bind");
    }
    ChangeState(TSocketState::wsBound);
    if (socketType_ == net::kSocketDatagram && multiCast_ &&
        net::JoinMulticastGroup(handle_, net::InetAddr(multiCastAddrStr_), NetSocketResolveHost(addr_.text)) != 0) {
        return ReportSocketError("setsockopt(IP MULTICAST)");
    }
    if (socketType_ == net::kSocketStream) {
        if (net::ListenSocket(handle_, 5) != 0) return ReportSocketError("Listen");
        ChangeState(TSocketState::wsListening);
    } else if (socketType_ == net::kSocketDatagram || socketType_ == net::kSocketRaw) {
        ChangeState(TSocketState::wsListening);
        ChangeState(TSocketState::wsConnected);
        FireSessionConnected(0);
    } else {
        return RaiseError("Listen: unexpected protocol.");
    }
    SelectEvents(kListenEvents);
}

net::SocketHandle TCustomNetSocket::Accept() {
    if (state_ != TSocketState::wsListening) {
        lastError_ = net::WSAEINVAL;
        RaiseError("not a listening socket");
        return net::INVALID_SOCKET;
    }
    acceptedHandle_ = net::AcceptSocket(handle_, &sin_);
    notifier_->AcceptDone();
    if (acceptedHandle_ == net::INVALID_SOCKET) ReportSocketError("Accept");
    return acceptedHandle_;
}

void TCustomNetSocket::Dup(net::SocketHandle handle) {
    if (handle == 0 || handle == net::INVALID_SOCKET) {
        net::SetLastSocketError(net::WSAEINVAL);
        return ReportSocketError("Dup");
    }
    if (state_ != TSocketState::wsClosed) {
        notifier_->Select(net::INVALID_SOCKET, 0);
        if (handle_ != net::INVALID_SOCKET && net::CloseSocket(handle_) != 0) {
            handle_ = net::INVALID_SOCKET;
            return ReportSocketError("Dup (closesocket)");
        }
        handle_ = net::INVALID_SOCKET;
        ChangeState(TSocketState::wsClosed);
    }
    handle_ = handle;
    ApplyLinger();
    SelectEvents(kDupEvents);
    ChangeState(TSocketState::wsConnected);
}
