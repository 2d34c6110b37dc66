#pragma once
// An HTTP/1.0 client: one GET, POST or HEAD request at a time over a
// TNetSocket, directly, through an HTTP proxy or through a SOCKS proxy. The
// answer's body goes to the caller's ResponseStream as it arrives. Internally
// a state machine driven by the socket's events: StartRequest returns at
// once and OnRequestDone tells the end; RequestAndWait and Post handle the
// thread's events until the request has ended and raise EHttpException for
// a status of 400 or more.
//
// A request never waits for ever: it ends with a failure when its time limit
// passes (TimeLimit), when redirects go on past MaxRedirects, or when the
// program quits during the wait. Failures of the client itself (no name, no
// connection, a broken or cut-off answer) end the request with StatusCode 404
// and the reason in ReasonPhrase.

#include "cd/net/HttpException.h"
#include "cd/net/HttpResponseReader.h"
#include "cd/net/HttpUrl.h"
#include "cd/net/NetSocket.h"

#include "foundation/Stream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace net {
class MessageWindow;
}
class QTimer;

enum class THttpRequest : uint8_t { hrNone = 0, hrGet = 1, hrPost = 2, hrHead = 3 };

enum class THttpPhase : uint8_t {
    hpReady = 0,
    hpNotConnected = 1,
    hpConnected = 2,
    hpDnsLookup = 3,
    hpConnecting = 4,
    hpWaitingHeader = 5,
    hpWaitingBody = 6,
    hpAborting = 7,  // a request being ended by a failure of the client
};

class THttpClient {
public:
    using TNotifyEvent = std::function<void(THttpClient& sender)>;
    using TOnCommand = std::function<void(THttpClient& sender, std::string& line)>;
    using TDocDataEvent = std::function<void(THttpClient& sender, const void* buffer, int32_t length)>;
    using TCookieRcvdEvent = std::function<void(THttpClient& sender, const std::string& data, bool& accept)>;
    using THttpRequestDone = std::function<void(THttpClient& sender, THttpRequest requestType, uint16_t error)>;
    using TBeforeHeaderSendEvent =
        std::function<void(THttpClient& sender, const std::string& method, std::vector<std::string>& headers)>;

    static constexpr int32_t kDefaultTimeLimit = 30000;
    static constexpr int32_t kDefaultMaxRedirects = 10;
    static constexpr size_t kSendBufferSize = 8193;

    THttpClient();
    ~THttpClient();
    THttpClient(const THttpClient&) = delete;
    THttpClient& operator=(const THttpClient&) = delete;

    // ---- requests
    void Post() { RequestAndWait(THttpRequest::hrPost); }
    // Starts the request and handles events until it has ended.
    void RequestAndWait(THttpRequest kind);
    // Starts the request; OnRequestDone tells its end.
    void StartRequest(THttpRequest kind);

    // ---- settings
    std::string URL;
    std::string LocalAddr = "0.0.0.0";
    std::string Proxy;           // host, or host:port; empty for a direct connection
    std::string ProxyPort = "80";
    std::string Sender;
    std::string Agent = "Mozilla/3.0 (compatible)";
    std::string Accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    std::string AcceptLanguage;
    std::string Reference;
    std::string Username;
    std::string Password;
    std::string ProxyUsername;
    std::string ProxyPassword;
    bool NoCache = false;
    TDateTime ModifiedSince = 0;
    std::string Cookie;
    std::string ContentTypePost = "application/x-www-form-urlencoded";
    std::string ContentRangeBegin;
    std::string ContentRangeEnd;
    // The whole request's time limit in milliseconds; 0 waits without one.
    int32_t TimeLimit = kDefaultTimeLimit;
    int32_t MaxRedirects = kDefaultMaxRedirects;
    TStream* PostDataStream = nullptr;
    TStream* ResponseStream = nullptr;

    bool MultiThreaded() const { return socket_->MultiThreaded(); }
    void SetMultiThreaded(bool value) { socket_->SetMultiThreaded(value); }
    // The SOCKS proxy of every connection the client makes.
    const std::string& SocksServer() const { return socksServer_; }
    void SetSocksServer(const std::string& value) { socksServer_ = value; }
    const std::string& SocksPort() const { return socksPort_; }
    void SetSocksPort(const std::string& value) { socksPort_ = value; }
    const std::string& SocksLevel() const { return socksLevel_; }
    void SetSocksLevel(const std::string& value);
    const std::string& SocksUsercode() const { return socket_->SocksUsercode(); }
    void SetSocksUsercode(const std::string& value) { socket_->SetSocksUsercode(value); }
    const std::string& SocksPassword() const { return socket_->SocksPassword(); }
    void SetSocksPassword(const std::string& value) { socket_->SetSocksPassword(value); }
    TSocksAuthentication SocksAuthentication() const { return socket_->SocksAuthentication(); }
    void SetSocksAuthentication(TSocksAuthentication value) { socket_->SetSocksAuthentication(value); }

    // ---- the request and its answer
    THttpPhase State() const { return state_; }
    THttpRequest RequestType() const { return requestType_; }
    int32_t StatusCode() const { return statusCode_; }
    const std::string& ReasonPhrase() const { return reasonPhrase_; }
    int64_t ContentLength() const { return contentLength_; }
    const std::string& ContentType() const { return contentType_; }
    const std::string& AcceptRanges() const { return acceptRanges_; }
    const std::vector<std::string>& ResponseHeaderLines() const { return responseHeaderLines_; }
    const std::vector<std::string>& AuthenticateValues() const { return authenticateValues_; }
    int64_t ReceivedBytes() const { return receivedBytes_; }
    int64_t SentBytes() const { return sentBytes_; }
    const std::string& DocumentName() const { return documentName_; }
    const std::string& Location() const { return location_; }
    const std::string& CurrentLine() const { return currentLine_; }
    uint16_t RequestError() const { return requestError_; }
    bool Connected() const { return connected_; }
    const std::string& TargetHost() const { return targetHost_; }
    const std::string& ConnectHost() const { return connectHost_; }
    const std::string& ConnectPort() const { return connectPort_; }
    const std::string& RequestPath() const { return requestPath_; }

    // ---- events
    TNotifyEvent OnSessionConnected;
    TNotifyEvent OnHeaderData;
    TNotifyEvent OnHeaderBegin;
    TNotifyEvent OnHeaderEnd;
    TNotifyEvent OnRequestHeaderBegin;
    TNotifyEvent OnRequestHeaderEnd;
    TNotifyEvent OnDocBegin;
    TNotifyEvent OnDocEnd;
    TNotifyEvent OnSendBegin;
    TNotifyEvent OnSendEnd;
    TNotifyEvent OnStateChange;
    TNotifyEvent OnLocationChange;
    TNotifyEvent OnSocketError;
    TOnCommand OnCommand;
    TDocDataEvent OnDocData;
    TDocDataEvent OnSendData;
    TCookieRcvdEvent OnCookie;
    THttpRequestDone OnRequestDone;
    TBeforeHeaderSendEvent OnBeforeHeaderSend;
    TCustomNetSocket::TSessionConnected OnSocksConnected;
    TCustomSocksNetSocket::TSocksErrorEvent OnSocksError;

private:
    // The messages of the client's own message window.
    static constexpr uint32_t kRequestDoneMessage = 0x400 + 1;
    static constexpr uint32_t kReadyMessage = 0x400 + 2;
    static constexpr uint32_t kRestartMessage = 0x400 + 3;

    void WindowProcedure(uint32_t message, intptr_t wParam);
    void BindSocketEvents();
    void ResetResponse();
    void PrepareTarget();
    void StartLookup();
    void LookupDone(uint16_t error);
    void SocketConnected(uint16_t error);
    void SocketDataArrived(uint16_t error);
    void SocketClosed(uint16_t error);
    void SendNextBodyChunk();
    void WriteRequest(const std::string& method, const std::string& version);
    void SendHeaderLine(std::string line);
    void ProcessHeaderLine(const std::string& line, std::string_view lineEnd);
    void ProcessHeaderField(const std::string& name, const std::string& value);
    void HeaderEnded();
    void ProcessBodyData(const char* data, size_t length);
    void NoteLocation(const std::string& value);
    void FollowLocation();
    void CloseConnection();
    void FailRequest(uint16_t error, const std::string& reason);
    void AbortRequest(uint16_t error, const std::string& reason);
    std::string MissingBodyReason() const;
    void EndRequest();
    void SetState(THttpPhase state);
    void FireHeaderBegin();
    void FireHeaderEnd();
    void Fire(const TNotifyEvent& event) {
        if (event) event(*this);
    }

    std::unique_ptr<net::MessageWindow> window_;
    std::unique_ptr<TNetSocket> socket_;
    std::unique_ptr<QTimer> timeLimit_;
    THttpResponseReader reader_;
    std::string requestBuffer_;
    std::vector<char> sendBuffer_;

    THttpPhase state_ = THttpPhase::hpReady;
    THttpRequest requestType_ = THttpRequest::hrNone;
    int32_t statusCode_ = 0;
    std::string reasonPhrase_;
    int64_t contentLength_ = -1;
    std::string contentType_;
    std::string acceptRanges_;
    std::vector<std::string> responseHeaderLines_;
    std::vector<std::string> authenticateValues_;
    int64_t receivedBytes_ = 0;
    int64_t sentBytes_ = 0;
    std::string documentName_;
    std::string location_;
    std::string currentLine_;
    uint16_t requestError_ = 0;
    bool connected_ = false;
    std::string targetHost_;
    std::string connectHost_;
    std::string connectPort_;
    std::string proxyConnectPort_;
    std::string requestPath_;
    std::string socksServer_;
    std::string socksPort_;
    std::string socksLevel_ = "5";
    std::string socksErrorText_;

    uint64_t serial_ = 0;          // the request's number; messages of earlier ones are stale
    uint64_t doneSerial_ = 0;      // the last request OnRequestDone was fired for
    bool ended_ = false;           // the request's end is under way
    bool failed_ = false;          // the client itself ended it with a failure
    bool headerInProgress_ = false;
    bool headerComplete_ = false;
    bool locationChange_ = false;
    bool sendingBody_ = false;
    bool docBegun_ = false;
    bool chunked_ = false;
    bool socketErrorSeen_ = false;
    int32_t redirects_ = 0;
};
