#include "cd/net/HttpClient.h"

#include "NetTestSupport.h"
#include "support/loopback/LoopbackServers.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>

#include <string>
#include <vector>

namespace {

std::string Text(const TMemoryStream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Memory()), stream.Bytes().size());
}

// A client with a response stream, against the loopback server.
class HttpClientTest : public ::testing::Test {
protected:
    HttpClientTest() { client.ResponseStream = &response; }

    // Runs a request; the message of its EHttpException, or "" when it succeeded.
    std::string Request(THttpRequest kind, const std::string& path) {
        client.URL = server.Url(path);
        try {
            client.RequestAndWait(kind);
        } catch (const EHttpException& e) {
            EXPECT_EQ(e.ErrorCode(), client.StatusCode());
            return e.Message();
        }
        return "";
    }
    std::string Answer(const std::string& raw) {
        server.SetRawResponse(raw);
        return Request(THttpRequest::hrGet, "/raw");
    }
    std::string Body() const { return Text(response); }

    loopback::LoopbackHttpServer server;
    THttpClient client;
    TMemoryStream response;
};

TEST_F(HttpClientTest, AGetWritesTheRequestThePartsAskFor) {
    EXPECT_EQ(Request(THttpRequest::hrGet, ""), "Not Found");  // the server's answer for /
    EXPECT_EQ(server.LastRequest(),
              "GET / HTTP/1.0\r\n"
              "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"
              "User-Agent: Mozilla/3.0 (compatible)\r\n"
              "Host: 127.0.0.1\r\n"
              "\r\n");
    EXPECT_EQ(client.DocumentName(), "document.htm");
}

TEST_F(HttpClientTest, CredentialsInTheUrlAndTheProxyShapeTheRequest) {
    client.URL = "http://me:pw@127.0.0.1:" + std::to_string(server.Port()) + "/length/5?x=1";
    client.RequestAndWait(THttpRequest::hrGet);
    EXPECT_EQ(Body(), "abcde");
    std::string request = server.LastRequest();
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET /length/5?x=1 HTTP/1.0");
    EXPECT_NE(request.find("\r\nAuthorization: Basic bWU6cHc=\r\n"), std::string::npos);
    EXPECT_EQ(client.DocumentName(), "5");

    // Through a proxy (the same server answers as one): the absolute URL, without the credentials.
    client.Proxy = "127.0.0.1:" + std::to_string(server.Port());
    client.URL = "http://me:pw@target.example:8080/length/5?x=1";
    client.ProxyUsername = "proxyuser";
    client.ProxyPassword = "pw";
    client.RequestAndWait(THttpRequest::hrGet);
    request = server.LastRequest();
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET http://target.example:8080/length/5?x=1 HTTP/1.0");
    EXPECT_NE(request.find("\r\nHost: target.example\r\n"), std::string::npos);
    EXPECT_NE(request.find("\r\nProxy-Authorization: Basic cHJveHl1c2VyOnB3\r\n"), std::string::npos);
}

TEST_F(HttpClientTest, APostSendsItsStreamFromItsPositionWithTypeAndLength) {
    TMemoryStream posted(std::vector<uint8_t>{'s', 'k', 'i', 'p', 'c', 'm', 'd', '=', 'x'});
    posted.SetPosition(4);
    client.PostDataStream = &posted;
    EXPECT_EQ(Request(THttpRequest::hrPost, "/echo"), "");
    const std::string request = server.LastRequest();
    EXPECT_NE(request.find("\r\nContent-Type: application/x-www-form-urlencoded\r\n"), std::string::npos);
    EXPECT_NE(request.find("\r\nContent-Length: 5\r\n"), std::string::npos);
    EXPECT_EQ(Body(), "cmd=x");
    EXPECT_EQ(client.SentBytes(), 5);
}

TEST_F(HttpClientTest, ALargePostIsSentInChunksAndEchoedWhole) {
    const std::string body = loopback::Body(300000);
    TMemoryStream posted(std::vector<uint8_t>(body.begin(), body.end()));
    client.PostDataStream = &posted;
    int chunks = 0;
    client.OnSendData = [&](THttpClient&, const void*, int32_t length) {
        ++chunks;
        EXPECT_LE(length, 8193);
    };
    EXPECT_EQ(Request(THttpRequest::hrPost, "/echo"), "");
    EXPECT_EQ(Body(), body);
    EXPECT_EQ(chunks, (300000 + 8192) / 8193);
}

TEST_F(HttpClientTest, ASuccessfulPostFiresItsEventsInOrder) {
    TMemoryStream posted(std::vector<uint8_t>{'a', '=', '1'});
    client.PostDataStream = &posted;
    std::vector<std::string> events;
    const auto note = [&](const char* name) { return [&events, name](THttpClient&) { events.push_back(name); }; };
    client.OnStateChange = [&](THttpClient& c) { events.push_back("state " + std::to_string(int(c.State()))); };
    client.OnSessionConnected = note("connected");
    client.OnRequestHeaderBegin = note("request header begin");
    client.OnBeforeHeaderSend = [&](THttpClient&, const std::string& method, std::vector<std::string>&) {
        events.push_back("before header send " + method);
    };
    client.OnRequestHeaderEnd = note("request header end");
    client.OnSendBegin = note("send begin");
    client.OnSendEnd = note("send end");
    client.OnHeaderBegin = note("header begin");
    client.OnHeaderEnd = note("header end");
    client.OnDocBegin = note("doc begin");
    client.OnDocEnd = note("doc end");
    client.OnRequestDone = [&](THttpClient&, THttpRequest kind, uint16_t error) {
        events.push_back("done " + std::to_string(int(kind)) + " " + std::to_string(error));
    };
    EXPECT_EQ(Request(THttpRequest::hrPost, "/echo"), "");
    // Sending and the first response events may interleave; their own orders hold.
    const std::vector<std::string> expected = {
        "state 1", "state 3", "state 4", "state 2", "connected", "state 5", "request header begin",
        "before header send POST", "request header end", "send begin", "send end", "header begin",
        "state 6", "header end", "doc begin", "doc end", "state 0", "done 2 0"};
    EXPECT_EQ(events, expected);
}

TEST_F(HttpClientTest, StatusLinesAndHeaderFieldsAreRead) {
    EXPECT_EQ(Answer("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nhi"), "");
    EXPECT_EQ(client.StatusCode(), 200);
    EXPECT_EQ(client.ReasonPhrase(), "OK");
    EXPECT_EQ(Request(THttpRequest::hrGet, "/status/404"), "Status 404");
    EXPECT_EQ(client.StatusCode(), 404);

    response.Clear();
    EXPECT_EQ(Answer("HTTP/2 200 OK\r\n\r\nbody"), "");
    EXPECT_EQ(client.StatusCode(), 0);

    response.Clear();
    std::vector<std::string> cookies;
    client.OnCookie = [&](THttpClient&, const std::string& data, bool&) { cookies.push_back(data); };
    EXPECT_EQ(Answer("HTTP/1.0 200 OK\nCONTENT-TYPE: Text/Plain\nSet-Cookie: a=b\ncontent-range: bytes 10-19/100\n"
                     "content-length: 3\n\nabc"),
              "");
    EXPECT_EQ(client.ContentType(), "text/plain");
    EXPECT_EQ(client.ContentLength(), 3);
    EXPECT_EQ(cookies, std::vector<std::string>{"a=b"});
    EXPECT_EQ(client.ContentRangeBegin + "-" + client.ContentRangeEnd, "10-19");
    EXPECT_EQ(client.ResponseHeaderLines().size(), 5u);
    EXPECT_EQ(Body(), "abc");
}

TEST_F(HttpClientTest, BodiesEndAtTheirLengthTheirLastChunkOrTheClose) {
    for (const char* path : {"/length/100000", "/chunked/100000", "/close/100000"}) {
        response.Clear();
        EXPECT_EQ(Request(THttpRequest::hrGet, path), "") << path;
        EXPECT_EQ(Body(), loopback::Body(100000)) << path;
        EXPECT_EQ(client.ReceivedBytes(), 100000) << path;
    }
    // A body longer than its length is delivered up to the close.
    response.Clear();
    EXPECT_EQ(Answer("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nabcdef"), "");
    EXPECT_EQ(Body(), "abcdef");
    // A length of 0 ends the request at the blank line, though the server keeps the connection.
    server.SetRawResponse("HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n");
    client.TimeLimit = 5000;
    EXPECT_EQ(Request(THttpRequest::hrGet, "/hold"), "");
    EXPECT_EQ(client.StatusCode(), 200);
}

TEST_F(HttpClientTest, AnAnswerCutShortIsAFailure) {
    const struct {
        const char* raw;
        const char* path;
        std::string reason;
    } cases[] = {
        {"", "/short/1000", "connection closed before the end of the document (500 of 1000 bytes)"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nabc", "/raw",
         "connection closed before the last chunk of the document"},
        {"HTTP/1.0 200 OK\r\nContent-Ty", "/raw", "connection closed before the end of the header"},
        {"", "/raw", "connection closed before the end of the header"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nxyz\r\n", "/raw", "HTTP chunked body invalid"},
        {"HTTP/1.0 2x0 OK\r\n\r\n", "/raw", "HTTP status line invalid: HTTP/1.0 2x0 OK"},
        {"HTTP/1.0 200 OK\r\nContent-Length: -5\r\n\r\n", "/raw", "HTTP Content-Length invalid: -5"},
    };
    for (const auto& c : cases) {
        server.SetRawResponse(c.raw);
        int headerEnds = 0;
        client.OnHeaderEnd = [&](THttpClient&) { ++headerEnds; };
        EXPECT_EQ(Request(THttpRequest::hrGet, c.path), c.reason);
        EXPECT_EQ(client.StatusCode(), 404);
        EXPECT_LE(headerEnds, 1);
    }
    server.SetRawResponse("HTTP/1.0 200 OK\r\nX: " + std::string(9000, 'x') + "\r\n\r\n");
    EXPECT_EQ(Request(THttpRequest::hrGet, "/raw"), "HTTP line too long");
}

TEST_F(HttpClientTest, AnAnswerWithoutHeaderIsTheDocument) {
    EXPECT_EQ(Answer("<html>\r\n<body>x</body>\n</html>"), "");
    EXPECT_EQ(client.ContentType(), "text/html");
    EXPECT_EQ(Body(), "<html>\r\n<body>x</body>\n</html>");
}

TEST_F(HttpClientTest, ARedirectTurnsAPostIntoAGet) {
    TMemoryStream posted(std::vector<uint8_t>{'x'});
    client.PostDataStream = &posted;
    int locationChanges = 0;
    client.OnLocationChange = [&](THttpClient&) { ++locationChanges; };
    EXPECT_EQ(Request(THttpRequest::hrPost, "/redirect?/echo"), "");
    EXPECT_EQ(locationChanges, 1);
    EXPECT_EQ(client.RequestType(), THttpRequest::hrGet);
    EXPECT_NE(client.ResponseHeaderLines().end(),
              std::find(client.ResponseHeaderLines().begin(), client.ResponseHeaderLines().end(), "X-Method: GET"));
    EXPECT_EQ(client.Location(), "http://127.0.0.1/echo");
}

TEST_F(HttpClientTest, ARedirectLoopEndsAtTheCap) {
    client.MaxRedirects = 3;
    EXPECT_EQ(Request(THttpRequest::hrGet, "/loop"), "too many redirects (more than 3)");
    EXPECT_EQ(server.Requests(), 4);
}

TEST_F(HttpClientTest, ASilentServerEndsAtTheTimeLimit) {
    client.TimeLimit = 300;
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(Request(THttpRequest::hrGet, "/silent"), "Connection timed out (Error #10060)");
    EXPECT_EQ(client.RequestError(), 10060);
    EXPECT_GE(elapsed.elapsed(), 250);
    EXPECT_EQ(client.State(), THttpPhase::hpReady);
    // The client is ready for the next request at once.
    EXPECT_EQ(Request(THttpRequest::hrGet, "/length/3"), "");
}

TEST_F(HttpClientTest, NamesAndConnectionsThatFailEndTheRequest) {
    std::string freePort;
    {
        loopback::LoopbackHttpServer gone;
        freePort = std::to_string(gone.Port());
    }
    const struct {
        std::string url;
        const char* reason;
        uint16_t error;
    } cases[] = {
        {"HTTP://127.0.0.1/", "can't resolve hostname to IP address", 10022},  // capitals: no host
        {"http://127.0.0.1:" + freePort + "/", "Connection refused (Error #10061)", 10061},
        {"http://127.0.0.1:99999/", "can't connect: Invalid argument (Error #10022)", 10022},
    };
    for (const auto& c : cases) {
        uint16_t doneError = 0;
        client.OnRequestDone = [&](THttpClient&, THttpRequest, uint16_t error) { doneError = error; };
        client.URL = c.url;
        EXPECT_THROW(client.RequestAndWait(THttpRequest::hrGet), EHttpException);
        EXPECT_EQ(client.ReasonPhrase(), c.reason);
        EXPECT_EQ(doneError, c.error);
    }
}

TEST_F(HttpClientTest, ABusyClientAndAPostWithoutDataAreRefused) {
    const auto refusal = [&](THttpRequest kind) -> std::string {
        try {
            client.StartRequest(kind);
        } catch (const EHttpException& e) {
            return std::to_string(e.ErrorCode()) + " " + e.Message();
        }
        return "";
    };
    EXPECT_EQ(refusal(THttpRequest::hrPost), "2 HTTP component has nothing to post");
    client.URL = server.Url("/silent");
    EXPECT_EQ(refusal(THttpRequest::hrGet), "");
    EXPECT_EQ(refusal(THttpRequest::hrGet), "1 HTTP component is busy");
}

TEST_F(HttpClientTest, QuittingEndsAWaitingRequestWithAFailure) {
    std::string message;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(50, [] { QCoreApplication::quit(); });
        message = Request(THttpRequest::hrGet, "/silent");
    });
    QCoreApplication::exec();
    EXPECT_EQ(message, "Interrupted system call (Error #10004)");
    EXPECT_EQ(client.State(), THttpPhase::hpReady);
}

TEST_F(HttpClientTest, AGetAndAPostGoThroughEveryKindOfProxy) {
    loopback::LoopbackSocksProxy socks;
    const std::string proxy = "127.0.0.1:" + std::to_string(server.Port());
    const struct {
        const char* name;
        std::string httpProxy;
        std::string socksLevel;
    } routes[] = {{"direct", "", ""}, {"HTTP proxy", proxy, ""}, {"SOCKS 4", "", "4"}, {"SOCKS 5", "", "5"}};
    for (const auto& route : routes) {
        client.Proxy = route.httpProxy;
        client.SetSocksServer(route.socksLevel.empty() ? "" : "127.0.0.1");
        client.SetSocksPort(std::to_string(socks.Port()));
        if (!route.socksLevel.empty()) client.SetSocksLevel(route.socksLevel);
        const int proxiedBefore = socks.Connections();

        response.Clear();
        EXPECT_EQ(Request(THttpRequest::hrGet, "/chunked/20000"), "") << route.name;
        EXPECT_EQ(Body(), loopback::Body(20000)) << route.name;

        response.Clear();
        TMemoryStream posted(std::vector<uint8_t>{'q', '=', '1'});
        client.PostDataStream = &posted;
        EXPECT_EQ(Request(THttpRequest::hrPost, "/echo"), "") << route.name;
        EXPECT_EQ(Body(), "q=1") << route.name;

        response.Clear();
        posted.SetPosition(0);
        EXPECT_EQ(Request(THttpRequest::hrPost, "/redirect?/echo"), "") << route.name;  // the redirect goes the same way
        EXPECT_EQ(Body(), "") << route.name;  // the POST became a GET without a body
        EXPECT_EQ(socks.Connections() - proxiedBefore, route.socksLevel.empty() ? 0 : 4) << route.name;
    }
}

}  // namespace
