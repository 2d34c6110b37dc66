#pragma once
// Servers on 127.0.0.1 for the network tests and benchmarks, each on a free
// port of its own, running on threads of their own until they are destroyed
// (which always stops them, also when a client still holds a connection).
//
// LoopbackHttpServer answers by path:
//   /length/<n>        n body bytes with Content-Length
//   /chunked/<n>       n body bytes in chunks (HTTP/1.1, Transfer-Encoding: chunked)
//   /close/<n>         n body bytes, ended by closing the connection
//   /short/<n>         Content-Length n, but only n/2 bytes, then the close
//   /loop              a redirect to itself
//   /redirect?<path>   a redirect to <path>
//   /echo              the request's body back, with Content-Length
//   /status/<code>     that status with a short body
//   /silent            reads the request and never answers
//   /raw               the bytes given to SetRawResponse, then the close
//   /hold              the bytes given to SetRawResponse, and the connection kept open
// A request line with an absolute URL (as to a proxy) is served by its path;
// a query does not change the answer. While answers are queued (QueueAnswers),
// every request on any path takes the next one, sent raw and followed by the
// close: a server of a protocol over HTTP, such as CDDB, in a test.
// Body byte i is BodyByte(i).
//
// LoopbackSocksProxy speaks SOCKS 4, 4A and 5 (optionally with user and
// password) and relays to the target it is asked for.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace loopback {

char BodyByte(size_t index);
std::string Body(size_t length);

// What the server threads share: the stop signal and the running threads.
class ServerThreads {
public:
    // Serves a connection; true keeps it open until the server stops.
    using Serve = std::function<bool(int connection)>;
    enum class Serving {
        OneAfterAnother,   // on the accepting thread, as quick as a server gets
        EachOnItsOwnThread,
    };

    ServerThreads();
    ~ServerThreads();
    // Listens on a free port of 127.0.0.1 and serves each connection.
    uint16_t Start(Serving serving, Serve serve);
    void Stop();
    // Waits until the descriptor is readable or the server stops; false when it stops.
    bool WaitReadable(int fd) const;
    bool Stopping() const { return stopping_; }

private:
    void AcceptLoop();
    // Runs the task on a thread of its own, which closes the connection at its end.
    void StartWorker(std::function<void()> task, int connection);
    void Reap(bool all);

    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    Serve serve_;
    Serving serving_ = Serving::EachOnItsOwnThread;
    int listener_ = -1;
    int stopEvent_ = -1;
    std::atomic<bool> stopping_ = false;
    std::thread acceptor_;
    std::mutex mutex_;
    std::vector<Worker> workers_;
};

class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();

    uint16_t Port() const { return port_; }
    std::string Url(const std::string& path) const;
    void SetRawResponse(std::string bytes);
    // Raw answers for the next requests, one each, in order.
    void QueueAnswers(std::vector<std::string> answers);
    // The header and body of the last request the server read.
    std::string LastRequest() const;
    // The bodies of every request the server read, in order.
    std::vector<std::string> RequestBodies() const;
    int Requests() const { return requests_; }

private:
    bool Serve(int connection);
    // True when the connection stays open.
    bool Answer(int connection, const std::string& method, const std::string& path, const std::string& body);

    ServerThreads threads_;
    uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::string rawResponse_;
    std::string lastRequest_;
    std::vector<std::string> queuedAnswers_;
    std::vector<std::string> requestBodies_;
    std::atomic<int> requests_ = 0;
};

struct SocksOptions {
    std::string user;                 // when not empty, SOCKS 5 asks for user and password
    std::string password;
    uint8_t socks4Reply = 90;         // granted
    uint8_t socks5Reply = 0;          // succeeded
    size_t boundNameLength = 0;       // when not 0, SOCKS 5 replies with a bound name this long
};

class LoopbackSocksProxy {
public:
    explicit LoopbackSocksProxy(SocksOptions options = {});
    ~LoopbackSocksProxy();

    uint16_t Port() const { return port_; }
    // The bytes of the last greeting (version 5) and connect request.
    std::string LastGreeting() const;
    std::string LastRequest() const;
    int Connections() const { return connections_; }

private:
    bool Serve(int connection);
    bool Socks4(int connection, int& target);
    bool Socks5(int connection, int& target);
    void Relay(int client, int target);
    void Note(std::string& field, const std::string& bytes);

    SocksOptions options_;
    ServerThreads threads_;
    uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::string lastGreeting_;
    std::string lastRequest_;
    std::atomic<int> connections_ = 0;
};

}  // namespace loopback
