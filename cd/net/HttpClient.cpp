// The client's requests from start to end: the target, the look-up, the
// connection, the end of the connection and of the request, failures.
#include "cd/net/HttpClient.h"

#include "cd/net/NetText.h"

#include "platform/net/EventWait.h"
#include "platform/net/MessageWindow.h"
#include "platform/net/SocketErrors.h"

#include <QtCore/QTimer>

namespace {

std::string WithErrorNumber(const std::string& text, int code) { return text + " (Error #" + std::to_string(code) + ")"; }

bool IsSocksError(int code) { return code >= 20001 && code <= 20017; }

}  // namespace

THttpClient::THttpClient()
    : window_(std::make_unique<net::MessageWindow>(
          [this](uint32_t message, intptr_t wParam, intptr_t) { WindowProcedure(message, wParam); })),
      socket_(std::make_unique<TNetSocket>()),
      timeLimit_(std::make_unique<QTimer>()),
      sendBuffer_(kSendBufferSize) {
    timeLimit_->setSingleShot(true);
    timeLimit_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timeLimit_.get(), &QTimer::timeout, [this] {
        AbortRequest(net::WSAETIMEDOUT, WithErrorNumber(net::WinsockErrorText(net::WSAETIMEDOUT), net::WSAETIMEDOUT));
    });
    reader_.OnLine = [this](const std::string& line, std::string_view lineEnd) { ProcessHeaderLine(line, lineEnd); };
    reader_.OnBody = [this](const char* data, size_t length) { ProcessBodyData(data, length); };
    reader_.OnBodyEnd = [this] {
        // The last chunk came: the answer is complete, whatever the server does with the connection.
        if (docBegun_) Fire(OnDocEnd);
        docBegun_ = false;
        EndRequest();
        CloseConnection();
    };
    BindSocketEvents();
}

THttpClient::~THttpClient() = default;

void THttpClient::BindSocketEvents() {
    socket_->OnSessionClosed = [this](TCustomNetSocket&, uint16_t error) { SocketClosed(error); };
    socket_->OnDataAvailable = [this](TCustomNetSocket&, uint16_t error) { SocketDataArrived(error); };
    socket_->OnSessionConnected = [this](TCustomNetSocket&, uint16_t error) { SocketConnected(error); };
    socket_->OnDataSent = [this](TCustomNetSocket&, uint16_t) { SendNextBodyChunk(); };
    socket_->OnDnsLookupDone = [this](TCustomNetSocket&, uint16_t error) { LookupDone(error); };
    socket_->OnSocksConnected = [this](TCustomNetSocket& sender, uint16_t error) {
        if (OnSocksConnected) OnSocksConnected(sender, error);
    };
    socket_->OnSocksError = [this](TCustomNetSocket& sender, int32_t error, const std::string& msg) {
        socksErrorText_ = msg;
        if (OnSocksError) OnSocksError(sender, error, msg);
    };
    socket_->OnError = [this](TCustomNetSocket&) {
        socketErrorSeen_ = true;
        Fire(OnSocketError);
    };
}

void THttpClient::SetSocksLevel(const std::string& value) {
    const std::string level = nettext::UpperCase(value);
    if (level != "4" && level != "4A" && level != "5") throw ESocketException("Invalid socks level. Must be 4, 4A or 5.");
    socksLevel_ = level;
}

// ---- starting

void THttpClient::RequestAndWait(THttpRequest kind) {
    StartRequest(kind);
    const uint64_t serial = serial_;
    const net::WaitEnd end = net::WaitForCondition(
        [this, serial] { return state_ == THttpPhase::hpReady && doneSerial_ == serial; }, 0);
    if (end == net::WaitEnd::Quit && serial == serial_ && doneSerial_ != serial) {
        // The program quits: the event loop may not run again, so the request ends here.
        AbortRequest(net::WSAEINTR, WithErrorNumber(net::WinsockErrorText(net::WSAEINTR), net::WSAEINTR));
        SetState(THttpPhase::hpReady);
        WindowProcedure(kRequestDoneMessage, static_cast<intptr_t>(serial));
    }
    if (statusCode_ > 399) throw EHttpException(reasonPhrase_, statusCode_);
}

void THttpClient::StartRequest(THttpRequest kind) {
    if (state_ != THttpPhase::hpReady) throw EHttpException("HTTP component is busy", 1);
    if (kind == THttpRequest::hrPost && !PostDataStream) throw EHttpException("HTTP component has nothing to post", 2);
    ++serial_;
    ended_ = failed_ = false;
    redirects_ = 0;
    socket_->OnSessionClosed = [this](TCustomNetSocket&, uint16_t error) { SocketClosed(error); };
    SetState(THttpPhase::hpNotConnected);
    requestType_ = kind;
    ResetResponse();
    PrepareTarget();
    if (TimeLimit > 0) timeLimit_->start(TimeLimit);
    StartLookup();
}

void THttpClient::ResetResponse() {
    responseHeaderLines_.clear();
    authenticateValues_.clear();
    requestError_ = 0;
    documentName_.clear();
    statusCode_ = 0;
    reasonPhrase_.clear();
    receivedBytes_ = sentBytes_ = 0;
    contentLength_ = -1;
    contentType_.clear();
    sendingBody_ = false;
    location_ = URL;
    headerInProgress_ = headerComplete_ = locationChange_ = docBegun_ = chunked_ = false;
    socksErrorText_.clear();
    reader_.Reset();
}

// Where to connect and what to ask for, directly or through the HTTP proxy.
void THttpClient::PrepareTarget() {
    const TUrlParts url = SplitURL(URL, requestPath_);
    targetHost_ = url.host;
    documentName_ = url.path;
    if (!url.user.empty()) Username = url.user;
    if (!url.password.empty()) Password = url.password;
    if (Proxy.empty()) {
        requestPath_ = url.path;
        connectHost_ = url.host;
        connectPort_ = url.port.empty() ? "80" : url.port;
    } else {
        requestPath_ = (url.scheme.empty() ? "http" : url.scheme) + "://" + url.host +
                       (url.port.empty() ? "" : ":" + url.port) + url.path;
        const TUrlParts proxy = SplitURL(Proxy);
        connectHost_ = proxy.host;
        connectPort_ = proxy.port.empty() ? ProxyPort : proxy.port;
        proxyConnectPort_ = connectPort_;
    }
    if (requestPath_.empty()) requestPath_ = "/";
    documentName_ = DocumentNameOf(documentName_);
}

void THttpClient::StartLookup() {
    SetState(THttpPhase::hpDnsLookup);
    socketErrorSeen_ = false;
    try {
        socket_->SetLocalAddr(LocalAddr);
        socket_->SetSocksServer(socksServer_);
        socket_->SetSocksPort(socksPort_);
        socket_->SetSocksLevel(socksLevel_);
        socket_->DnsLookup(connectHost_);
    } catch (const Exception& e) {
        FailRequest(0, e.Message());
        connected_ = false;
        return EndRequest();
    }
    // A look-up that could not start reports through OnError and never ends.
    if (socketErrorSeen_ && state_ == THttpPhase::hpDnsLookup && !ended_) {
        FailRequest(socket_->LastError(), "can't resolve hostname to IP address");
        SocketClosed(socket_->LastError());
    }
}

void THttpClient::LookupDone(uint16_t error) {
    if (state_ != THttpPhase::hpDnsLookup) return;
    if (error != 0) {
        FailRequest(error, "can't resolve hostname to IP address");
        return SocketClosed(error);
    }
    SetState(THttpPhase::hpConnecting);
    socketErrorSeen_ = false;
    try {
        socket_->SetAddr(socket_->DnsResult());
        socket_->SetLocalAddr(LocalAddr);
        socket_->SetPort(connectPort_);
        socket_->SetProto("tcp");
        socket_->Connect();
    } catch (const Exception&) {
        socketErrorSeen_ = true;
    }
    if (!socketErrorSeen_) return;
    const int code = socket_->LastError();
    FailRequest(static_cast<uint16_t>(code), WithErrorNumber("can't connect: " + net::WinsockErrorText(code), code));
    CloseConnection();
    SocketClosed(static_cast<uint16_t>(code));
}

void THttpClient::SocketConnected(uint16_t error) {
    if (state_ != THttpPhase::hpConnecting) return;
    if (error != 0) {
        const std::string text =
            IsSocksError(error) && !socksErrorText_.empty() ? socksErrorText_ : net::WinsockErrorText(error);
        FailRequest(error, WithErrorNumber(text, error));
        return SocketClosed(error);
    }
    connected_ = true;
    SetState(THttpPhase::hpConnected);
    Fire(OnSessionConnected);
    SetState(THttpPhase::hpWaitingHeader);
    try {
        switch (requestType_) {
            case THttpRequest::hrGet: WriteRequest("GET", "1.0"); break;
            case THttpRequest::hrHead: WriteRequest("HEAD", "1.0"); break;
            case THttpRequest::hrPost:
                WriteRequest("POST", "1.0");
                Fire(OnSendBegin);
                sendingBody_ = true;
                SendNextBodyChunk();
                break;
            default: break;
        }
    } catch (const std::exception&) {
        CloseConnection();
    }
}

// ---- ending

void THttpClient::CloseConnection() {
    socket_->Close();
    connected_ = false;
}

void THttpClient::SocketClosed(uint16_t error) {
    if (error != 0) requestError_ = error;
    connected_ = false;
    if (ended_) return;
    const bool headerWasInProgress = headerInProgress_;
    if (headerInProgress_) FireHeaderEnd();
    if (locationChange_) return FollowLocation();
    if (docBegun_) Fire(OnDocEnd);
    docBegun_ = false;
    if (!failed_ && statusCode_ < 400) {
        const std::string missing = headerWasInProgress || !headerComplete_ ? "connection closed before the end of the header"
                                                                          : MissingBodyReason();
        if (!missing.empty()) FailRequest(requestError_, missing);
    }
    EndRequest();
}

// What is missing of a body the header announced; empty when nothing is.
std::string THttpClient::MissingBodyReason() const {
    if (chunked_) return reader_.BodyComplete() ? std::string() : "connection closed before the last chunk of the document";
    const bool bodyExpected = requestType_ != THttpRequest::hrHead && statusCode_ != 204 && statusCode_ != 304 &&
                              (statusCode_ < 100 || statusCode_ >= 200);
    if (!bodyExpected || contentLength_ < 0 || receivedBytes_ >= contentLength_) return {};
    return "connection closed before the end of the document (" + std::to_string(receivedBytes_) + " of " +
           std::to_string(contentLength_) + " bytes)";
}

void THttpClient::FailRequest(uint16_t error, const std::string& reason) {
    requestError_ = error;
    statusCode_ = 404;
    reasonPhrase_ = reason;
    failed_ = true;
}

// Ends a request the client gives up on (time limit, quitting, a broken answer).
void THttpClient::AbortRequest(uint16_t error, const std::string& reason) {
    if (ended_ || state_ == THttpPhase::hpReady) return;
    FailRequest(error, reason);
    locationChange_ = sendingBody_ = false;
    SetState(THttpPhase::hpAborting);
    socket_->CancelDnsLookup();
    if (socket_->State() != TSocketState::wsClosed) socket_->Abort();
    if (!ended_) SocketClosed(0);
}

void THttpClient::EndRequest() {
    if (ended_) return;
    ended_ = true;
    timeLimit_->stop();
    window_->Post(kReadyMessage, static_cast<intptr_t>(serial_));
}

void THttpClient::SetState(THttpPhase state) {
    if (state == state_) return;
    state_ = state;
    Fire(OnStateChange);
    if (state == THttpPhase::hpReady) window_->Post(kRequestDoneMessage, static_cast<intptr_t>(serial_));
}

void THttpClient::WindowProcedure(uint32_t message, intptr_t wParam) {
    const bool current = static_cast<uint64_t>(wParam) == serial_;
    switch (message) {
        case kRequestDoneMessage:
            if (doneSerial_ == static_cast<uint64_t>(wParam)) return;
            doneSerial_ = static_cast<uint64_t>(wParam);
            if (OnRequestDone) OnRequestDone(*this, requestType_, requestError_);
            break;
        case kReadyMessage:
            if (current) SetState(THttpPhase::hpReady);
            break;
        case kRestartMessage:
            if (current && !ended_) StartLookup();
            break;
        default: break;
    }
}

void THttpClient::FireHeaderBegin() {
    headerInProgress_ = true;
    Fire(OnHeaderBegin);
}

void THttpClient::FireHeaderEnd() {
    headerInProgress_ = false;
    Fire(OnHeaderEnd);
}
