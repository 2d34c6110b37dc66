#include "cd/net/HttpUrl.h"

#include <gtest/gtest.h>

namespace {

TEST(HttpUrl, SplitURLTakesUrlsApart) {
    const struct {
        const char* url;
        const char* base;
        TUrlParts parts;
    } cases[] = {
        {"http://host", "", {"http", "", "", "host", "", ""}},
        {"http://me:pw@host:8080/a/b.cgi?x=1", "", {"http", "me", "pw", "host", "8080", "/a/b.cgi?x=1"}},
        {"http://host?q=/x", "", {"http", "", "", "host", "", "?q=/x"}},
        {"host/path", "", {"", "", "", "host", "", "/path"}},
        {"/only/a/path", "", {"http", "", "", "", "", "/only/a/path"}},
        {"HTTP://host/x", "", {"http", "", "", "", "", "/host/x"}},  // capitals are no scheme: no host
        {"mailto:someone@host", "", {"mailto", "someone", "", "host", "", ""}},
        {"./c.htm", "/a/b/x.htm", {"", "", "", "", "", "/a/b/c.htm"}},
        {"../c.htm", "/a/b/x.htm", {"", "", "", "", "", "/a/c.htm"}},
        {"../../../c.htm", "/a/b/x.htm", {"", "", "", "", "", "/c.htm"}},
        {"", "/a", {"", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        const TUrlParts parts = SplitURL(c.url, c.base);
        EXPECT_EQ(parts.scheme, c.parts.scheme) << c.url;
        EXPECT_EQ(parts.user, c.parts.user) << c.url;
        EXPECT_EQ(parts.password, c.parts.password) << c.url;
        EXPECT_EQ(parts.host, c.parts.host) << c.url;
        EXPECT_EQ(parts.port, c.parts.port) << c.url;
        EXPECT_EQ(parts.path, c.parts.path) << c.url;
    }
}

TEST(HttpUrl, DocumentNamesAndDirectories) {
    EXPECT_EQ(DocumentNameOf("/a/b.cgi?x=1"), "b.cgi");
    EXPECT_EQ(DocumentNameOf("/"), "document.htm");
    EXPECT_EQ(DocumentNameOf(""), "document.htm");
    EXPECT_EQ(DocumentNameOf("/" + std::string(300, 'n')), std::string(255, 'n'));
    EXPECT_EQ(UrlDirectory("/a/b.cgi?x=/y"), "/a/");
    EXPECT_EQ(ChangeExtension("setup.exe", "htm"), "setup.htm");
    EXPECT_EQ(ChangeExtension("page", "htm"), "page.htm");
}

TEST(HttpUrl, Base64AndDatesAreWrittenAsTheProtocolAsks) {
    EXPECT_EQ(Base64Encode("user:password"), "dXNlcjpwYXNzd29yZA==");
    EXPECT_EQ(Base64Encode("ab"), "YWI=");
    EXPECT_EQ(Base64Encode("abc"), "YWJj");
    EXPECT_EQ(Base64Encode(""), "");
    // 8 December 2026, 14:05:09 (day 46364 of the date system).
    EXPECT_EQ(HttpDate(46364 + (14 * 3600 + 5 * 60 + 9) / 86400.0), "Tue, 08 Dec 2026 14:05:09");
    EXPECT_EQ(HttpDate(2), "Mon, 01 Jan 1900 00:00:00");
}

}  // namespace
