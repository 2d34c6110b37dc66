#include "cd/lookup/CDDBConnect.h"
#include "cd/lookup/CddbSettings.h"
#include "cd/lookup/FreeDBCache.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ReadFile(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

// Settings in a file of their own for one test.
struct OwnSettings {
    OwnSettings() { UseSettingsFile(dir.filePath(QStringLiteral("registry.dat"))); }
    ~OwnSettings() { UseSettingsFile(dir.filePath(QStringLiteral("unused.dat"))); }
    QTemporaryDir dir;
};

}  // namespace

TEST(FreeDBCache, StoresReplacesAndLoadsByDiscId) {
    QTemporaryDir dir;
    TFreeDBCache cache(dir.filePath(QStringLiteral("FreeDBCache.dat")));
    std::vector<std::string> lines = {"unchanged"};
    EXPECT_FALSE(cache.Load("1c02c903", lines));
    EXPECT_EQ(lines, std::vector<std::string>{"unchanged"});

    cache.Store("1c02c903", {"210 rock 1c02c903", "DTITLE=A / B", "."});
    cache.Store("a70de90c", {"210 jazz a70de90c", "."});
    cache.Store("1c02c903", {"210 blues 1c02c903", "DTITLE=\xC4rger / \xDC", "."});
    ASSERT_TRUE(cache.Load("1c02c903", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"210 blues 1c02c903", "DTITLE=\xC4rger / \xDC", "."}));
    EXPECT_TRUE(cache.Load("a70de90c", lines));
    EXPECT_FALSE(cache.Load("00000000", lines));
    // Only disc ids name entries.
    cache.Store("..\\x", {"bad"});
    EXPECT_FALSE(cache.Load("..\\x", lines));
}

TEST(FreeDBCache, ADamagedOrUnwritableCacheIsPassedOverQuietly) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("FreeDBCache.dat"));
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(5000, 'x'));
    }
    TFreeDBCache damaged(name);
    std::vector<std::string> lines;
    EXPECT_FALSE(damaged.Load("1c02c903", lines));
    damaged.Store("1c02c903", {"210 rock 1c02c903", "."});

    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    QTemporaryDir readOnly;
    ::chmod(readOnly.path().toLocal8Bit().constData(), 0500);
    TFreeDBCache unwritable(readOnly.filePath(QStringLiteral("FreeDBCache.dat")));
    unwritable.Store("1c02c903", {"210 rock 1c02c903", "."});
    EXPECT_FALSE(unwritable.Load("1c02c903", lines));
    ::chmod(readOnly.path().toLocal8Bit().constData(), 0700);
}

TEST(CddbSettings, ProxyPasswordsRoundTripAndBadOnesReadEmpty) {
    for (const std::string password : {std::string(), std::string("geheim"), std::string("\x01\x02\x0F\xFF p\xE4ss", 9),
                                       std::string(300, 'z')}) {
        const std::string stored = EncodeProxyPassword(password);
        EXPECT_EQ(stored.size(), 2 * password.size());
        EXPECT_EQ(DecodeProxyPassword(stored), password);
    }
    // Every scrambled byte is two digits, also those below 16.
    bool small = false;
    for (int c = 0; c < 256 && !small; ++c) small = EncodeProxyPassword(std::string(1, static_cast<char>(c)))[0] == '0';
    EXPECT_TRUE(small);
    EXPECT_EQ(DecodeProxyPassword("abc"), "");
    EXPECT_EQ(DecodeProxyPassword("zz11"), "");
}

TEST(CddbSettings, TheClientTakesServerPortPathAndProxyFromTheSettings) {
    OwnSettings own;
    TZRRegIniFile& s = Settings();
    struct Case {
        const char* line;
        bool useProxy;
        const char* port;
        std::string server, path, proxy;
        int32_t proxyPort;
    };
    const Case cases[] = {
        {"", false, "", kDefaultCddbServer, kDefaultCddbPath, "", 80},
        {"short http 80 /cgi", true, "abc", kDefaultCddbServer, kDefaultCddbPath, "proxy.local", 80},
        {"cddb.example.org http 8880 /cddb/cddb.cgi N0 W0 Somewhere far", true, "3128", "http://cddb.example.org:8880",
         "/cddb/cddb.cgi", "proxy.local", 3128},
        {"cddb.example.org http 80 /~cddb/cddb.cgi N0 W0 X", false, "3128", "http://cddb.example.org", "/~cddb/cddb.cgi", "", 80},
    };
    for (const Case& c : cases) {
        s.WriteString(kCddbSection, "Server", c.line);
        s.WriteBool(kCddbSection, "UseProxy", c.useProxy);
        s.WriteString(kCddbSection, "Proxyserver", "proxy.local");
        s.WriteString(kCddbSection, "Proxyport", c.port);
        s.WriteString(kCddbSection, "ProxyUser", "anna");
        s.WriteString(kCddbSection, "ProxyPWD", EncodeProxyPassword("pw"));
        TCDDBConnect connect;
        connect.LoadSettings();
        EXPECT_EQ(connect.Server, c.server) << c.line;
        EXPECT_EQ(connect.CGIPath, c.path) << c.line;
        EXPECT_EQ(connect.ProxyServer, c.proxy) << c.line;
        EXPECT_EQ(connect.ProxyPort, c.proxyPort) << c.line;
        EXPECT_EQ(connect.ProxyPassword, c.useProxy ? "pw" : "") << c.line;
    }
}

TEST(CddbSettings, SiteListsKeepTheirHttpServersAndAreSavedWhole) {
    const std::vector<std::string> answer = {
        "210 OK, site information follows (until terminating `.')",
        "a.example.org cddbp 8880 - N0 W0 A",
        "b.example.org HTTP 80 /~cddb/cddb.cgi N0 W0 Random B server",
        "c.example.org http 8080 /cgi N0 W0 C",
        ".",
    };
    EXPECT_EQ(HttpServerLines(answer), (std::vector<std::string>{answer[2], answer[3]}));
    EXPECT_TRUE(HttpServerLines({answer[0], answer[1], "."}).empty());
    ASSERT_TRUE(SaveSiteList(answer));
    EXPECT_TRUE(SiteListFileName().startsWith(GetDataFolder()));
    EXPECT_EQ(ReadFile(SiteListFileName()).substr(0, answer[0].size() + 2), answer[0] + "\r\n");

    EXPECT_EQ(ServerLineCaption(answer[2]), "b.example.org Random B server ");
    EXPECT_EQ(ServerLineCaption("x http 80"), "x http 80");
    EXPECT_EQ(DefaultServerLine().rfind(std::string(kDefaultCddbHost) + " http 80 " + kDefaultCddbPath + " ", 0), 0u);
}
