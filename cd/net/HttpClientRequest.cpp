// Writing the request: the header lines in one send, then a POST body chunk
// by chunk, each after the socket has sent the one before.
#include "cd/net/HttpClient.h"

void THttpClient::WriteRequest(const std::string& method, const std::string& version) {
    requestBuffer_.clear();
    Fire(OnRequestHeaderBegin);
    std::vector<std::string> lines;
    lines.push_back(method + " " + requestPath_ + " HTTP/" + version);
    const auto add = [&lines](const std::string& name, const std::string& value) {
        if (!value.empty()) lines.push_back(name + ": " + value);
    };
    add("From", Sender);
    add("Accept", Accept);
    add("Referer", Reference);
    add("Accept-Language", AcceptLanguage);
    if (method == "POST") add("Content-Type", ContentTypePost);
    add("User-Agent", Agent);
    lines.push_back("Host: " + targetHost_);
    if (NoCache) lines.push_back("Pragma: no-cache");
    // The body is sent from the stream's position on, and so many bytes are announced.
    if (method == "POST") lines.push_back("Content-Length: " + std::to_string(PostDataStream ? PostDataStream->Remaining() : 0));
    if (ModifiedSince != 0) lines.push_back("If-Modified-Since: " + HttpDate(ModifiedSince) + " GMT");
    if (!Username.empty()) lines.push_back("Authorization: Basic " + Base64Encode(Username + ":" + Password));
    if (!Proxy.empty() && !ProxyUsername.empty()) {
        lines.push_back("Proxy-Authorization: Basic " + Base64Encode(ProxyUsername + ":" + ProxyPassword));
    }
    add("Cookie", Cookie);
    if (!ContentRangeBegin.empty() || !ContentRangeEnd.empty()) {
        lines.push_back("Range: bytes=" + ContentRangeBegin + "-" + ContentRangeEnd);
        ContentRangeBegin.clear();
        ContentRangeEnd.clear();
    }
    acceptRanges_.clear();
    if (OnBeforeHeaderSend) OnBeforeHeaderSend(*this, method, lines);
    for (std::string& line : lines) SendHeaderLine(std::move(line));
    Fire(OnRequestHeaderEnd);
    SendHeaderLine(std::string());
    socket_->Send(requestBuffer_.data(), static_cast<int32_t>(requestBuffer_.size()));
    requestBuffer_.clear();
}

void THttpClient::SendHeaderLine(std::string line) {
    if (OnCommand) OnCommand(*this, line);
    requestBuffer_ += line;
    requestBuffer_ += "\r\n";
}

void THttpClient::SendNextBodyChunk() {
    if (!sendingBody_ || !PostDataStream) return;
    const int64_t count = PostDataStream->Read(sendBuffer_.data(), static_cast<int64_t>(sendBuffer_.size()));
    if (count <= 0) {
        sendingBody_ = false;
        Fire(OnSendEnd);
        return;
    }
    sentBytes_ += count;
    if (OnSendData) OnSendData(*this, sendBuffer_.data(), static_cast<int32_t>(count));
    socket_->Send(sendBuffer_.data(), static_cast<int32_t>(count));
}
