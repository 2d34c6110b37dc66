// Reading the answer: header lines and their fields, the body, redirects.
#include "cd/net/HttpClient.h"

#include "cd/net/NetText.h"

#include "platform/net/MessageWindow.h"

void THttpClient::SocketDataArrived(uint16_t) {
    if (requestType_ == THttpRequest::hrNone) return;
    try {
        size_t room = 0;
        char* target = reader_.Room(room);
        const int32_t received = socket_->Receive(target, static_cast<int32_t>(room));
        if (received <= 0) return;
        // Bytes that come outside a request's header and body are dropped.
        if (state_ != THttpPhase::hpWaitingHeader && state_ != THttpPhase::hpWaitingBody) return;
        reader_.Received(static_cast<size_t>(received));
    } catch (const Exception& e) {
        // A broken answer, or a response stream that takes no more.
        AbortRequest(requestError_, e.Message());
    } catch (const std::exception& e) {
        AbortRequest(requestError_, e.what());
    }
}

void THttpClient::ProcessHeaderLine(const std::string& line, std::string_view lineEnd) {
    if (!headerInProgress_) FireHeaderBegin();
    currentLine_ = line;
    if (nettext::UpperCase(line.substr(0, 6)) == "<HTML>") {
        // No header at all: the document itself, from this line on with its line ends.
        if (contentType_.empty()) contentType_ = "text/html";
        headerComplete_ = true;
        SetState(THttpPhase::hpWaitingBody);
        FireHeaderEnd();
        const std::string first = line + std::string(lineEnd);
        ProcessBodyData(first.data(), first.size());
        return reader_.StartBody(THttpResponseReader::TBodyFraming::UntilClose);
    }
    if (line.empty()) return HeaderEnded();
    responseHeaderLines_.push_back(line);
    std::string name;
    std::string value;
    if (!ParseHttpStatusLine(line, statusCode_, reasonPhrase_) && ParseHttpHeaderField(line, name, value)) {
        ProcessHeaderField(name, value);
    }
    Fire(OnHeaderData);
}

void THttpClient::ProcessHeaderField(const std::string& name, const std::string& value) {
    if (name == "location") {
        NoteLocation(value);
    } else if (name == "content-length") {
        if (!ParseContentLength(value, contentLength_)) throw EHttpException("HTTP Content-Length invalid: " + value, 0);
    } else if (name == "content-range") {
        const size_t dash = value.find('-');
        const size_t slash = value.find('/');
        ContentRangeBegin = dash != std::string::npos && dash > 6 ? value.substr(6, dash - 6) : std::string();
        ContentRangeEnd = dash != std::string::npos && slash != std::string::npos && slash > dash
                              ? value.substr(dash + 1, slash - dash - 1)
                              : std::string();
    } else if (name == "accept-ranges") {
        acceptRanges_ = value;
    } else if (name == "content-type") {
        contentType_ = nettext::LowerCase(value);
    } else if (name == "www-authenticate") {
        authenticateValues_.push_back(value);
    } else if (name == "set-cookie") {
        bool accept = true;
        if (OnCookie) OnCookie(*this, value, accept);
    } else if (name == "transfer-encoding") {
        chunked_ = IsChunkedEncoding(value);
    }
}

// The blank line: a redirect closes the connection, a length of 0 ends the
// request, anything else is followed by the body.
void THttpClient::HeaderEnded() {
    headerComplete_ = true;
    if (locationChange_) {
        FireHeaderEnd();
        reader_.Reset();
        socket_->OnSessionClosed = [this](TCustomNetSocket&, uint16_t) { FollowLocation(); };
        return socket_->Close();
    }
    if (contentLength_ == 0 && !chunked_) {
        FireHeaderEnd();
        EndRequest();
        return CloseConnection();
    }
    const std::string extension = documentName_.substr(std::min(documentName_.size(), documentName_.rfind('.')));
    if ((extension.empty() || nettext::LowerCase(extension) == ".exe") && contentType_ == "text/html") {
        documentName_ = ChangeExtension(documentName_, "htm");
    }
    SetState(THttpPhase::hpWaitingBody);
    FireHeaderEnd();
    reader_.StartBody(chunked_ ? THttpResponseReader::TBodyFraming::Chunked : THttpResponseReader::TBodyFraming::UntilClose);
    if (statusCode_ >= 400 && !ended_) CloseConnection();
}

void THttpClient::ProcessBodyData(const char* data, size_t length) {
    if (!docBegun_) {
        docBegun_ = true;
        Fire(OnDocBegin);
    }
    receivedBytes_ += static_cast<int64_t>(length);
    currentLine_.assign(data, length);
    if (ResponseStream) ResponseStream->WriteBuffer(data, static_cast<int64_t>(length));
    if (OnDocData) OnDocData(*this, data, static_cast<int32_t>(length));
}

// A location field: where the next request goes once this connection is closed.
void THttpClient::NoteLocation(const std::string& value) {
    locationChange_ = true;
    const bool absolute = nettext::StartsWith(value, "http://");
    const TUrlParts target = absolute ? SplitURL(value) : TUrlParts{};
    if (absolute && !target.user.empty() && !target.password.empty()) {
        Username = target.user;
        Password = target.password;
    }
    const auto schemeHostPort = [](const TUrlParts& url) {
        return url.scheme + "://" + url.host + (url.port.empty() ? "" : ":" + url.port);
    };
    if (Proxy.empty()) {
        if (nettext::StartsWith(value, "/")) {
            requestPath_ = value;
            location_ = "http://" + connectHost_ + value;
        } else if (absolute) {
            connectHost_ = target.host;
            connectPort_ = target.port.empty() ? "80" : target.port;
            requestPath_ = target.path.empty() ? "/" : target.path;
            if (!target.scheme.empty() && !target.host.empty()) {
                targetHost_ = target.host;
                location_ = target.scheme + "://" + target.host + target.path;
            }
        } else {
            requestPath_ = UrlDirectory(requestPath_) + value;
            location_ = "http://" + connectHost_ + "/" + requestPath_;
        }
        return;
    }
    // Through the proxy the request names the whole URL, with the target's port.
    if (nettext::StartsWith(value, "/")) {
        location_ = requestPath_ = schemeHostPort(SplitURL(requestPath_)) + value;
    } else if (absolute) {
        targetHost_ = target.host;
        location_ = requestPath_ = schemeHostPort(target) + target.path;
    } else {
        location_ = requestPath_ = UrlDirectory(requestPath_) + value;
    }
}

void THttpClient::FollowLocation() {
    connected_ = false;
    locationChange_ = false;
    socket_->OnSessionClosed = [this](TCustomNetSocket&, uint16_t error) { SocketClosed(error); };
    if (ended_) return;
    location_ = location_.substr(0, location_.find('#'));
    documentName_ = DocumentNameOf(SplitURL(location_).path);
    if (++redirects_ > MaxRedirects) {
        FailRequest(0, "too many redirects (more than " + std::to_string(MaxRedirects) + ")");
        return EndRequest();
    }
    if (requestType_ == THttpRequest::hrPost) requestType_ = THttpRequest::hrGet;
    Fire(OnLocationChange);
    responseHeaderLines_.clear();
    contentLength_ = -1;
    contentType_.clear();
    statusCode_ = 0;
    reasonPhrase_.clear();
    headerComplete_ = docBegun_ = chunked_ = false;
    reader_.Reset();
    if (!Proxy.empty()) connectPort_ = proxyConnectPort_;
    window_->Post(kRestartMessage, static_cast<intptr_t>(serial_));
}
