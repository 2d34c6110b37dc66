#include "cd/net/CustomSocksNetSocket.h"

#include "cd/net/NetSocketResolve.h"
#include "cd/net/NetText.h"

#include "platform/net/SocketApi.h"
#include "platform/net/SocketErrors.h"

#include <algorithm>
#include <cstring>

namespace {

struct Socks5Failure {
    int32_t error;
    const char* text;
};

Socks5Failure Socks5ReplyFailure(uint8_t code) {
    switch (code) {
        case 1: return {20004, "general SOCKS server failure"};
        case 2: return {20005, "connection not allowed by ruleset"};
        case 3: return {20006, "network unreachable"};
        case 4: return {20007, "host unreachable"};
        case 5: return {20008, "connection refused"};
        case 6: return {20009, "time to live expired"};
        case 7: return {20010, "command not supported"};
        case 8: return {20011, "address type not supported"};
        default: return {20012, nullptr};
    }
}

std::string PortBytes(uint16_t port) { return {static_cast<char>(port >> 8), static_cast<char>(port & 0xFF)}; }

}  // namespace

TCustomSocksNetSocket::TCustomSocksNetSocket() = default;

void TCustomSocksNetSocket::ResetToDefaults() {
    TCustomNetSocket::ResetToDefaults();
    socksServer_.clear();
    socksPort_.clear();
    socksLevel_ = "5";
    phase_ = TSocksPhase::spData;
    replyCount_ = 0;
    behindReply_.clear();
    behindRead_ = 0;
}

// ---- properties

void TCustomSocksNetSocket::SetSocksServer(const std::string& value) {
    if (State() != TSocketState::wsClosed) return RaiseError("Can't change socks server if not closed");
    socksServer_ = nettext::Trim(value);
}

void TCustomSocksNetSocket::SetSocksPort(const std::string& value) {
    if (State() != TSocketState::wsClosed) return RaiseError("Can't change socks port if not closed");
    socksPort_ = nettext::Trim(value);
}

void TCustomSocksNetSocket::SetSocksLevel(const std::string& value) {
    if (State() != TSocketState::wsClosed) return RaiseError("Can't change socks level if not closed");
    const std::string level = nettext::UpperCase(value);
    if (level != "4" && level != "4A" && level != "5") return RaiseError("Invalid socks level. Must be 4, 4A or 5.");
    socksLevel_ = level;
}

int32_t TCustomSocksNetSocket::RcvdCount() {
    return BufferedBytes() > 0 ? BufferedBytes() : TCustomNetSocket::RcvdCount();
}

// ---- connecting

void TCustomSocksNetSocket::Listen() {
    if (!socksServer_.empty()) return RaiseError("Listening is not supported thru socks server");
    TCustomNetSocket::Listen();
}

// The requests are built in 128 bytes: longer names and credentials are refused.
bool TCustomSocksNetSocket::RequestFits() const {
    if (socksLevel_ == "5") return Addr().size() <= 121 && socksUsercode_.size() + socksPassword_.size() <= 125;
    if (socksLevel_ == "4") return socksUsercode_.size() <= 119;
    return socksUsercode_.size() + Addr().size() <= 118;
}

void TCustomSocksNetSocket::Connect() {
    if (socksServer_.empty()) return TCustomNetSocket::Connect();
    if (nettext::LowerCase(Proto()) != "tcp") return RaiseError("tcp is the only protocol supported thru socks server");
    if (!RequestFits()) return RaiseError("Socks request too long: host name, user code or password");
    try {
        RemoteAddress().port = net::HostToNetwork16(NetSocketResolvePort(socksPort_, Proto()));
        RemoteAddress().address = NetSocketResolveHost(socksServer_);
        SetRemoteResolved();
        targetPort_ = PortAssigned() ? NetSocketResolvePort(Port(), Proto()) : 0;
    } catch (const ESocketException& e) {
        SetLastError(net::WSAEINVAL);
        return RaiseError(std::string("connect: ") + e.Message());
    }
    phase_ = TSocksPhase::spMethods;
    replyCount_ = 0;
    TCustomNetSocket::Connect();
}

void TCustomSocksNetSocket::FireSessionConnected(uint16_t error) {
    if (phase_ != TSocksPhase::spMethods) return TCustomNetSocket::FireSessionConnected(error);
    FireSocksConnected(error);
    if (error != 0) return TCustomNetSocket::FireSessionConnected(error);
    if (socksLevel_ != "5") return SendSocksConnect();
    authMethod_ = socksAuthentication_ == TSocksAuthentication::socksAuthenticateUsercode ? 2 : 0;
    SendRequest({5, 1, static_cast<char>(authMethod_)});
}

void TCustomSocksNetSocket::SendRequest(const std::string& request) {
    try {
        Send(request.data(), static_cast<int32_t>(request.size()));
    } catch (const std::exception&) {
        // A request that cannot be sent ends with the connection.
    }
}

void TCustomSocksNetSocket::SendSocksConnect() {
    phase_ = TSocksPhase::spConnect;
    std::string request;
    if (socksLevel_ == "5") {
        request = {5, 1, 0, 3, static_cast<char>(Addr().size())};
        request += Addr() + PortBytes(targetPort_);
    } else if (socksLevel_ == "4") {
        uint32_t address = 0;
        try {
            address = NetSocketResolveHost(Addr());
        } catch (const ESocketException& e) {
            FireSocksError(20017, std::string(e.ClassName()) + " " + e.Message());
            return CloseSocketHandle(true, 20017);
        }
        request = {4, 1};
        request += PortBytes(targetPort_);
        request.append(reinterpret_cast<const char*>(&address), 4);
        request += socksUsercode_ + '\0';
    } else {
        request = {4, 1};
        request += PortBytes(targetPort_) + std::string("\0\0\0\1", 4) + socksUsercode_ + '\0' + Addr() + '\0';
    }
    SendRequest(request);
}

void TCustomSocksNetSocket::SendSocksAuthentication() {
    phase_ = TSocksPhase::spAuthenticate;
    FireAuthState(TSocksAuthState::authStarted);
    std::string request = {1, static_cast<char>(socksUsercode_.size())};
    request += socksUsercode_ + static_cast<char>(socksPassword_.size()) + socksPassword_;
    SendRequest(request);
}

// ---- the proxy's replies

bool TCustomSocksNetSocket::FireDataAvailable(uint16_t error) {
    if (phase_ == TSocksPhase::spData) return TCustomNetSocket::FireDataAvailable(error);
    if (error != 0) {
        SocksFail(error, "data receive error");
        return true;
    }
    size_t limit = 127;
    if (phase_ == TSocksPhase::spConnect) limit = socksLevel_ == "5" ? kReplySize : 8;
    const int32_t received =
        Receive(reply_.data() + replyCount_, static_cast<int32_t>(std::max(limit, replyCount_) - replyCount_));
    if (received < 0) return true;
    replyCount_ += static_cast<size_t>(received);
    switch (phase_) {
        case TSocksPhase::spMethods: ReplyToMethods(); break;
        case TSocksPhase::spAuthenticate: ReplyToAuthentication(); break;
        case TSocksPhase::spConnect: socksLevel_ == "5" ? ReplyToConnect5() : ReplyToConnect4(); break;
        default: SocksFail(20013, "internal error"); break;
    }
    return true;
}

void TCustomSocksNetSocket::ReplyToMethods() {
    if (socksLevel_ != "5") return SocksFail(20001, "TNetSocket logic error");
    if (replyCount_ < 2) return;
    replyCount_ = 0;
    if (reply_[0] != 5) return SocksFail(20002, "socks version error");
    if (reply_[1] == 0) {
        if (authMethod_ == 2) FireAuthState(TSocksAuthState::authNotRequired);
        return SendSocksConnect();
    }
    if (reply_[1] == 2) return SendSocksAuthentication();
    SocksFail(20003, "authentification method not acceptable");
}

void TCustomSocksNetSocket::ReplyToAuthentication() {
    if (replyCount_ >= 1 && reply_[0] != 1) return SocksFail(20002, "socks version error");
    if (replyCount_ > 2) return SocksFail(20001, "too much data availaible");
    if (replyCount_ < 2) return;
    if (reply_[1] != 0) return SocksFail(20015, "socks authentication failed");
    replyCount_ = 0;
    FireAuthState(TSocksAuthState::authSucceeded);
    SendSocksConnect();
}

void TCustomSocksNetSocket::ReplyToConnect4() {
    if (replyCount_ < 8) return;
    replyCount_ = 0;
    if (reply_[0] != 0) return SocksFail(20002, "socks version error");
    switch (reply_[1]) {
        case 90: return Granted(8);
        case 91: return SocksFail(20016, "request rejected or failed");
        case 92: return SocksFail(20008, "connection refused");
        case 93: return SocksFail(20015, "authentification failed");
        default: return SocksFail(20012, "unassigned error #" + std::to_string(reply_[1]));
    }
}

void TCustomSocksNetSocket::ReplyToConnect5() {
    if (reply_[0] != 5) return SocksFail(20002, "socks version error");
    if (replyCount_ >= 2 && reply_[1] != 0) {
        const Socks5Failure failure = Socks5ReplyFailure(reply_[1]);
        return SocksFail(failure.error, failure.text ? failure.text : "unassigned error #" + std::to_string(reply_[1]));
    }
    if (replyCount_ < 5) return;
    const uint8_t type = reply_[3];
    const size_t length = type == 1 ? 10 : type == 3 ? reply_[4] + 7u : 5;
    if (replyCount_ < length) return;
    if (type == 1) {
        uint32_t address;
        std::memcpy(&address, reply_.data() + 4, 4);
        boundAddr_ = net::DottedAddress(address);
    } else if (type == 3) {
        boundAddr_.assign(reinterpret_cast<const char*>(reply_.data() + 5), reply_[4]);
    } else {
        return SocksFail(20011, "address type not supported");
    }
    boundPort_ = std::to_string((reply_[length - 2] << 8) | reply_[length - 1]);
    Granted(length);
}

// The proxy granted the connection: bytes behind its reply stay for the next receives.
void TCustomSocksNetSocket::Granted(size_t replyLength) {
    behindReply_.assign(reinterpret_cast<const char*>(reply_.data() + replyLength), replyCount_ - std::min(replyCount_, replyLength));
    behindRead_ = 0;
    replyCount_ = 0;
    phase_ = TSocksPhase::spData;
    TCustomNetSocket::FireSessionConnected(0);
    FireDataAvailable(0);
}

void TCustomSocksNetSocket::SocksFail(int32_t code, const std::string& text) {
    FireSocksError(code, text);
    phase_ = TSocksPhase::spData;
    TCustomNetSocket::FireSessionConnected(static_cast<uint16_t>(code));
    CloseSocketHandle(true, code);
}

// ---- events and receiving

void TCustomSocksNetSocket::FireSessionClosed(uint16_t error) {
    if (phase_ == TSocksPhase::spAuthenticate) FireAuthState(TSocksAuthState::authFailed);
    TCustomNetSocket::FireSessionClosed(error);
}

void TCustomSocksNetSocket::FireSocksConnected(uint16_t error) {
    if (OnSocksConnected) OnSocksConnected(*this, error);
}

void TCustomSocksNetSocket::FireSocksError(int32_t error, const std::string& msg) {
    if (OnSocksError) OnSocksError(*this, error, msg);
}

void TCustomSocksNetSocket::FireAuthState(TSocksAuthState state) {
    if (OnSocksAuthState) OnSocksAuthState(*this, state);
}

int TCustomSocksNetSocket::RecvRaw(void* buffer, int length, int flags) {
    if (BufferedBytes() == 0) return TCustomNetSocket::RecvRaw(buffer, length, flags);
    const size_t count = std::min(static_cast<size_t>(std::max(length, 0)), behindReply_.size() - behindRead_);
    std::memcpy(buffer, behindReply_.data() + behindRead_, count);
    behindRead_ += count;
    if (behindRead_ == behindReply_.size()) {
        behindReply_.clear();
        behindRead_ = 0;
    }
    return static_cast<int>(count);
}
