#include "support/loopback/LoopbackServers.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace loopback {

namespace {

bool SendAll(int fd, const char* data, size_t length) {
    while (length > 0) {
        const ssize_t sent = ::send(fd, data, length, MSG_NOSIGNAL);
        if (sent <= 0) return false;
        data += sent;
        length -= static_cast<size_t>(sent);
    }
    return true;
}

bool SendAll(int fd, const std::string& text) { return SendAll(fd, text.data(), text.size()); }

// The bytes of the body from offset on, written in large blocks.
bool SendBody(int fd, size_t offset, size_t length) {
    static const std::string block = Body(26 * 40000);
    while (length > 0) {
        const size_t start = offset % 26;
        const size_t count = std::min(length, block.size() - start);
        if (!SendAll(fd, block.data() + start, count)) return false;
        offset += count;
        length -= count;
    }
    return true;
}

size_t NumberAfter(const std::string& path, const std::string& prefix) {
    return static_cast<size_t>(std::strtoull(path.c_str() + prefix.size(), nullptr, 10));
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

int ConnectTo(uint32_t address, uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = port;
    to.sin_addr.s_addr = address;
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) return fd;
    if (fd >= 0) ::close(fd);
    return -1;
}

uint32_t ResolveName(const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || !found) return 0;
    const uint32_t address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(found);
    return address;
}

}  // namespace

char BodyByte(size_t index) { return static_cast<char>('a' + index % 26); }

std::string Body(size_t length) {
    std::string body(length, '\0');
    for (size_t i = 0; i < length; ++i) body[i] = BodyByte(i);
    return body;
}

// ---- ServerThreads

ServerThreads::ServerThreads() : stopEvent_(::eventfd(0, EFD_CLOEXEC)) {}

ServerThreads::~ServerThreads() {
    Stop();
    ::close(stopEvent_);
}

uint16_t ServerThreads::Start(Serving serving, Serve serve) {
    serving_ = serving;
    serve_ = std::move(serve);
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 64) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return 0;
    }
    acceptor_ = std::thread([this] { AcceptLoop(); });
    return ntohs(address.sin_port);
}

void ServerThreads::Stop() {
    if (stopping_.exchange(true)) return;
    const uint64_t one = 1;
    (void)!::write(stopEvent_, &one, sizeof one);
    if (acceptor_.joinable()) acceptor_.join();
    Reap(true);
    if (listener_ >= 0) ::close(listener_);
}

bool ServerThreads::WaitReadable(int fd) const {
    pollfd fds[2] = {{fd, POLLIN, 0}, {stopEvent_, POLLIN, 0}};
    while (::poll(fds, 2, -1) < 0) {
    }
    return !(fds[1].revents & POLLIN) && !stopping_;
}

void ServerThreads::AcceptLoop() {
    while (WaitReadable(listener_)) {
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) continue;
        if (serving_ == Serving::EachOnItsOwnThread) {
            StartWorker([this, connection] { serve_(connection); }, connection);
        } else if (serve_(connection)) {
            StartWorker([this] { WaitReadable(-1); }, connection);
        } else {
            ::close(connection);
        }
    }
}

void ServerThreads::StartWorker(std::function<void()> task, int connection) {
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread worker([task = std::move(task), connection, done] {
        task();
        ::close(connection);
        *done = true;
    });
    const std::lock_guard<std::mutex> lock(mutex_);
    workers_.push_back({std::move(worker), done});
    Reap(false);
}

void ServerThreads::Reap(bool all) {
    std::vector<Worker> finished;
    {
        std::unique_lock<std::mutex> lock(mutex_, std::defer_lock);
        if (all) lock.lock();
        auto split = std::partition(workers_.begin(), workers_.end(), [all](const Worker& w) { return !all && !*w.done; });
        std::move(split, workers_.end(), std::back_inserter(finished));
        workers_.erase(split, workers_.end());
    }
    for (Worker& worker : finished) worker.thread.join();
}

// ---- LoopbackHttpServer

LoopbackHttpServer::LoopbackHttpServer() {
    port_ = threads_.Start(ServerThreads::Serving::OneAfterAnother, [this](int connection) { return Serve(connection); });
}

LoopbackHttpServer::~LoopbackHttpServer() { threads_.Stop(); }

std::string LoopbackHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LoopbackHttpServer::SetRawResponse(std::string bytes) {
    const std::lock_guard<std::mutex> lock(mutex_);
    rawResponse_ = std::move(bytes);
}

void LoopbackHttpServer::QueueAnswers(std::vector<std::string> answers) {
    const std::lock_guard<std::mutex> lock(mutex_);
    queuedAnswers_ = std::move(answers);
}

std::vector<std::string> LoopbackHttpServer::RequestBodies() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return requestBodies_;
}

std::string LoopbackHttpServer::LastRequest() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return lastRequest_;
}

bool LoopbackHttpServer::Serve(int connection) {
    std::string request;
    size_t headerEnd = std::string::npos;
    char buffer[65536];
    while (headerEnd == std::string::npos) {
        if (!threads_.WaitReadable(connection)) return false;
        const ssize_t received = ::recv(connection, buffer, sizeof buffer, 0);
        if (received <= 0) return false;
        request.append(buffer, static_cast<size_t>(received));
        headerEnd = request.find("\r\n\r\n");
    }
    const std::string header = request.substr(0, headerEnd);
    size_t contentLength = 0;
    const size_t field = header.find("\r\nContent-Length: ");
    if (field != std::string::npos) contentLength = std::strtoull(header.c_str() + field + 18, nullptr, 10);
    while (request.size() < headerEnd + 4 + contentLength) {
        if (!threads_.WaitReadable(connection)) return false;
        const ssize_t received = ::recv(connection, buffer, sizeof buffer, 0);
        if (received <= 0) return false;
        request.append(buffer, static_cast<size_t>(received));
    }
    std::string queued;
    bool answerQueued = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        lastRequest_ = request;
        requestBodies_.push_back(request.substr(headerEnd + 4));
        if (!queuedAnswers_.empty()) {
            queued = std::move(queuedAnswers_.front());
            queuedAnswers_.erase(queuedAnswers_.begin());
            answerQueued = true;
        }
    }
    ++requests_;
    if (answerQueued) {
        SendAll(connection, queued);
        return false;
    }
    const std::string method = header.substr(0, header.find(' '));
    std::string path = header.substr(method.size() + 1, header.find(' ', method.size() + 1) - method.size() - 1);
    if (StartsWith(path, "http://")) path = path.substr(std::min(path.size(), path.find('/', 7)));
    if (!StartsWith(path, "/redirect?")) path = path.substr(0, path.find('?'));
    return Answer(connection, method, path, request.substr(headerEnd + 4));
}

bool LoopbackHttpServer::Answer(int fd, const std::string& method, const std::string& path, const std::string& body) {
    const std::string ok = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n";
    if (StartsWith(path, "/length/")) {
        const size_t n = NumberAfter(path, "/length/");
        if (SendAll(fd, ok + "Content-Length: " + std::to_string(n) + "\r\n\r\n")) SendBody(fd, 0, n);
    } else if (StartsWith(path, "/close/")) {
        if (SendAll(fd, ok + "\r\n")) SendBody(fd, 0, NumberAfter(path, "/close/"));
    } else if (StartsWith(path, "/short/")) {
        const size_t n = NumberAfter(path, "/short/");
        if (SendAll(fd, ok + "Content-Length: " + std::to_string(n) + "\r\n\r\n")) SendBody(fd, 0, n / 2);
    } else if (StartsWith(path, "/chunked/")) {
        const size_t n = NumberAfter(path, "/chunked/");
        std::string reply = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Type: text/plain\r\n\r\n";
        for (size_t offset = 0; offset < n;) {
            const size_t size = std::min<size_t>(n - offset, 1000 + offset % 3000);
            char line[32];
            std::snprintf(line, sizeof line, "%zx\r\n", size);
            reply += line + Body(offset + size).substr(offset) + "\r\n";
            offset += size;
        }
        SendAll(fd, reply + "0\r\n\r\n");
    } else if (path == "/loop") {
        SendAll(fd, "HTTP/1.0 302 Found\r\nLocation: /loop\r\nContent-Length: 0\r\n\r\n");
    } else if (StartsWith(path, "/redirect?")) {
        SendAll(fd, "HTTP/1.0 302 Found\r\nLocation: " + path.substr(10) + "\r\n\r\n");
    } else if (path == "/echo") {
        SendAll(fd, ok + "X-Method: " + method + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
    } else if (StartsWith(path, "/status/")) {
        const std::string code = path.substr(8);
        SendAll(fd, "HTTP/1.0 " + code + " Status " + code + "\r\nContent-Length: 4\r\n\r\nbody");
    } else if (path == "/silent") {
        return true;
    } else if (path == "/raw" || path == "/hold") {
        std::string raw;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            raw = rawResponse_;
        }
        return SendAll(fd, raw) && path == "/hold";
    } else {
        SendAll(fd, "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n");
    }
    return false;
}

// ---- LoopbackSocksProxy

namespace {

// Reads exactly length bytes; false when the peer goes or the proxy stops.
bool ReadExactly(const ServerThreads& threads, int fd, std::string& into, size_t length) {
    while (length > 0) {
        if (!threads.WaitReadable(fd)) return false;
        char buffer[512];
        const ssize_t received = ::recv(fd, buffer, std::min(length, sizeof buffer), 0);
        if (received <= 0) return false;
        into.append(buffer, static_cast<size_t>(received));
        length -= static_cast<size_t>(received);
    }
    return true;
}

bool ReadUntilZero(const ServerThreads& threads, int fd, std::string& into) {
    do {
        if (!ReadExactly(threads, fd, into, 1)) return false;
    } while (into.back() != '\0');
    return true;
}

}  // namespace

LoopbackSocksProxy::LoopbackSocksProxy(SocksOptions options) : options_(std::move(options)) {
    port_ = threads_.Start(ServerThreads::Serving::EachOnItsOwnThread, [this](int connection) { return Serve(connection); });
}

LoopbackSocksProxy::~LoopbackSocksProxy() { threads_.Stop(); }

std::string LoopbackSocksProxy::LastGreeting() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return lastGreeting_;
}

std::string LoopbackSocksProxy::LastRequest() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return lastRequest_;
}

void LoopbackSocksProxy::Note(std::string& field, const std::string& bytes) {
    const std::lock_guard<std::mutex> lock(mutex_);
    field = bytes;
}

bool LoopbackSocksProxy::Serve(int connection) {
    ++connections_;
    std::string version;
    if (!ReadExactly(threads_, connection, version, 1)) return false;
    int target = -1;
    const bool granted = version[0] == 4 ? Socks4(connection, target) : version[0] == 5 && Socks5(connection, target);
    if (granted) Relay(connection, target);
    if (target >= 0) ::close(target);
    return false;
}

bool LoopbackSocksProxy::Socks4(int connection, int& target) {
    std::string request("\x04", 1);
    if (!ReadExactly(threads_, connection, request, 7) || !ReadUntilZero(threads_, connection, request)) return false;
    uint16_t port;
    uint32_t address;
    std::memcpy(&port, request.data() + 2, 2);
    std::memcpy(&address, request.data() + 4, 4);
    if ((ntohl(address) & 0xFFFFFF00u) == 0 && ntohl(address) != 0) {
        const size_t nameStart = request.size();
        if (!ReadUntilZero(threads_, connection, request)) return false;
        address = ResolveName(request.substr(nameStart, request.size() - nameStart - 1));
    }
    Note(lastRequest_, request);
    if (options_.socks4Reply == 90) target = ConnectTo(address, port);
    const uint8_t code = target >= 0 ? 90 : options_.socks4Reply == 90 ? 91 : options_.socks4Reply;
    const char reply[8] = {0, static_cast<char>(code), 0, 0, 0, 0, 0, 0};
    return SendAll(connection, reply, sizeof reply) && target >= 0;
}

bool LoopbackSocksProxy::Socks5(int connection, int& target) {
    std::string greeting("\x05", 1);
    if (!ReadExactly(threads_, connection, greeting, 1) ||
        !ReadExactly(threads_, connection, greeting, static_cast<uint8_t>(greeting[1]))) {
        return false;
    }
    Note(lastGreeting_, greeting);
    const bool wantsAuth = !options_.user.empty();
    if (!SendAll(connection, std::string("\x05", 1) + (wantsAuth ? '\x02' : '\x00'))) return false;
    if (wantsAuth) {
        std::string auth;
        if (!ReadExactly(threads_, connection, auth, 2) ||
            !ReadExactly(threads_, connection, auth, static_cast<uint8_t>(auth[1])) ||
            !ReadExactly(threads_, connection, auth, 1) ||
            !ReadExactly(threads_, connection, auth, static_cast<uint8_t>(auth.back()))) {
            return false;
        }
        const size_t userLength = static_cast<uint8_t>(auth[1]);
        const bool accepted = auth.substr(2, userLength) == options_.user && auth.substr(3 + userLength) == options_.password;
        if (!SendAll(connection, std::string("\x01", 1) + (accepted ? '\x00' : '\x01')) || !accepted) return false;
    }
    std::string request;
    if (!ReadExactly(threads_, connection, request, 5)) return false;
    const size_t nameLength = static_cast<uint8_t>(request[4]);
    if (request[3] != 3 || !ReadExactly(threads_, connection, request, nameLength + 2)) return false;
    Note(lastRequest_, request);
    uint16_t port;
    std::memcpy(&port, request.data() + 5 + nameLength, 2);
    if (options_.socks5Reply == 0) target = ConnectTo(ResolveName(request.substr(5, nameLength)), port);
    const uint8_t code = target >= 0 ? 0 : options_.socks5Reply == 0 ? 5 : options_.socks5Reply;
    std::string reply = {5, static_cast<char>(code), 0};
    if (options_.boundNameLength > 0) {
        reply += '\x03';
        reply += static_cast<char>(options_.boundNameLength);
        reply += std::string(options_.boundNameLength, 'n');
    } else {
        reply += std::string("\x01\x7f\x00\x00\x01", 5);
    }
    reply += std::string("\x04\xd2", 2);
    return SendAll(connection, reply) && target >= 0;
}

void LoopbackSocksProxy::Relay(int client, int target) {
    pollfd fds[2] = {{client, POLLIN, 0}, {target, POLLIN, 0}};
    char buffer[65536];
    while (!threads_.Stopping()) {
        if (::poll(fds, 2, 100) <= 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            const ssize_t received = ::recv(fds[i].fd, buffer, sizeof buffer, 0);
            if (received <= 0 || !SendAll(fds[1 - i].fd, buffer, static_cast<size_t>(received))) return;
        }
    }
}

}  // namespace loopback
