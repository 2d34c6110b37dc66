#include "cd/lookup/CDDBConnect.h"

#include "cd/lookup/CDInfo.h"
#include "cd/lookup/FreeDBCache.h"
#include "cd/net/HttpException.h"
#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"
#include "platform/cdaudio/CdDrive.h"
#include "support/loopback/LoopbackServers.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>

#include <gtest/gtest.h>

namespace {

// The disc of the worked example: id 1c02c903, tracks at 150, 14290 and 35635.
constexpr const char* kDiscId = "1c02c903";
constexpr const char* kQueryBody = "cmd=cddb+query+1c02c903+3+150+14290+35635+713&hello=";

std::string HttpAnswer(const std::string& body) {
    return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string ReadAnswer(const std::string& category) {
    return "210 " + category + " 1c02c903 CD database entry follows (until terminating `.')\r\n"
           "# xmcd\r\n"
           "DISCID=1c02c903\r\n"
           "DTITLE=Die Band / Das Album\r\n"
           "TTITLE0=Erster Titel\r\n"
           "TTITLE1=\r\n"
           "TTITLE2=Ein sehr langer Titel, \r\n"
           "TTITLE2=der weitergeht\r\n"
           ".\r\n";
}

// A fake drive with the disc, a loopback CDDB server and a clean cache.
class CDDBConnectTest : public ::testing::Test {
protected:
    void SetUp() override {
        cdaudio::InstallDriveSystem(cdaudio::MakeFakeDriveSystem({{"/dev/sr0", cdaudio::TocFromFrames({150, 14290, 35635}, 53670)}}));
        QFile::remove(FreeDBCache().FileName());
        connect.Server = "http://127.0.0.1:" + std::to_string(server.Port());
        connect.TimeLimit = 5000;
    }
    void TearDown() override {
        cdaudio::InstallDriveSystem(nullptr);
        SetCddbMatchChooser(nullptr);
    }
    bool Cached() {
        std::vector<std::string> lines;
        return FreeDBCache().Load(kDiscId, lines);
    }
    QString FailureOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const Exception& e) {
            return QString::fromUtf8(e.what());
        }
        return {};
    }

    loopback::LoopbackHttpServer server;
    TCDDBConnect connect;
    TCDDBEntry entry;
};

}  // namespace

TEST(CDDBRequest, TheBodyCarriesTheCommandAndTheGreetingPercentEncoded) {
    TCDDBConnect connect;
    EXPECT_EQ(StripTitleForHello("My App & Co"), "MyAppCo");
    EXPECT_EQ(StripTitleForHello(" & "), "Unknown");
    connect.ClientName = StripTitleForHello("My App & Co");
    EXPECT_EQ(connect.BuildRequestBody("cddb+query+1c02c903+3"),
              "cmd=cddb+query+1c02c903+3&hello=Unknown+Unknown+MyAppCo+1.0&proto=4");
    connect.UserName = "Anna M\xFCller";
    connect.HostName = "a+b&c=d";
    EXPECT_EQ(connect.BuildRequestBody("cddb+read+rock&x+1c02c903"),
              "cmd=cddb+read+rock%26x+1c02c903&hello=Anna%20M%FCller+a%2Bb%26c%3Dd+MyAppCo+1.0&proto=4");
}

TEST(CDDBEntryParse, TitlesArtistsAndTracks) {
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        std::string artist, title;
        std::vector<std::string> tracks;
    };
    const Case cases[] = {
        {"no slash", {"210 jazz 1c02c903", "DTITLE=Solo", "TTITLE0=A"}, "Solo", "Solo", {"A"}},
        {"two slashes, any letter case",
         {"210 rock 1c02c903", "dtitle= AC/DC / Live / 1992 ", "ttitle0=A", "TTitle1=B"},
         "AC",
         "DC / Live / 1992",
         {"A", "B"}},
        {"gaps keep their place",
         {"210 rock 1c02c903", "DTITLE=X / Y", "TTITLE0=A", "TTITLE1=B", "TTITLE2=", "TTITLE4=E", "."},
         "X",
         "Y",
         {"A", "B", "", "", "E"}},
        {"long values over several lines",
         {"210 rock 1c02c903", "DTITLE=Eine Band mit langem / ", "DTITLE=Namen", "TTITLE0=Teil ", "TTITLE0=eins",
          "# TTITLE1=comment", "EXTD=more"},
         "Eine Band mit langem",
         "Namen",
         {"Teil eins"}},
    };
    for (const Case& c : cases) {
        TCDDBEntry entry;
        entry.Parse(c.lines, kDiscId);
        EXPECT_EQ(entry.Artist, c.artist) << c.what;
        EXPECT_EQ(entry.Title, c.title) << c.what;
        EXPECT_EQ(entry.Tracks, c.tracks) << c.what;
        EXPECT_EQ(entry.DiscId, kDiscId);
    }
    TCDDBEntry entry;
    entry.Parse({"210 classical 1c02c903"}, kDiscId);
    EXPECT_EQ(entry.Category, "classical");
    EXPECT_EQ(SpaceField("210 rock 1c02c903 Title", 2), "1c02c903");
    EXPECT_EQ(SpaceField("a b", 1), "b");
    EXPECT_EQ(SpaceField("a b", 2), "");
}

TEST_F(CDDBConnectTest, OneMatchIsReadWithTheLocalIdParsedAndCached) {
    server.QueueAnswers({HttpAnswer("200 rock 0badf00d Die Band / Das Album\r\n"), HttpAnswer(ReadAnswer("rock"))});
    ASSERT_TRUE(connect.Query(entry));
    const std::vector<std::string> bodies = server.RequestBodies();
    ASSERT_EQ(bodies.size(), 2u);
    EXPECT_EQ(bodies[0].rfind(kQueryBody, 0), 0u) << bodies[0];
    EXPECT_EQ(bodies[1].rfind("cmd=cddb+read+rock+1c02c903&hello=", 0), 0u) << bodies[1];
    EXPECT_EQ(entry.Artist, "Die Band");
    EXPECT_EQ(entry.Title, "Das Album");
    EXPECT_EQ(entry.Tracks, (std::vector<std::string>{"Erster Titel", "", "Ein sehr langer Titel, der weitergeht"}));
    std::vector<std::string> cached;
    ASSERT_TRUE(FreeDBCache().Load(kDiscId, cached));
    EXPECT_EQ(cached, SplitAnswerLines(ReadAnswer("rock")));
}

TEST_F(CDDBConnectTest, SeveralMatchesAreChosenFromOrTheLookupEndsQuietly) {
    const std::string matches = "211 close matches found\r\nrock 1c02c903 A / B\r\njazz 1c02c904 C / D\r\nblues 1c02c905 E / F\r\n.\r\n";
    std::vector<std::string> shown;
    SetCddbMatchChooser([&](const std::vector<std::string>& lines) {
        shown = lines;
        return 1;
    });
    server.QueueAnswers({HttpAnswer(matches), HttpAnswer(ReadAnswer("jazz"))});
    ASSERT_TRUE(connect.Query(entry));
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_EQ(server.RequestBodies().back().rfind("cmd=cddb+read+jazz+1c02c904&", 0), 0u);

    SetCddbMatchChooser([](const std::vector<std::string>&) { return -1; });
    server.QueueAnswers({HttpAnswer(matches)});
    TCDDBEntry untouched;
    EXPECT_FALSE(connect.Query(untouched));
    EXPECT_EQ(server.RequestBodies().size(), 3u) << "no read after a cancelled choice";
    EXPECT_TRUE(untouched.Tracks.empty());
}

TEST_F(CDDBConnectTest, AnswersOutOfFormFailWithTheirMessageAndAreNotCached) {
    const QString unexpected = LocalizedText("IDS_CDINFO4");
    struct Case {
        const char* what;
        std::vector<std::string> answers;
        QString failure;
    };
    const Case cases[] = {
        {"no match", {HttpAnswer("202 No match for disc ID 1c02c903.\r\n")}, LocalizedText("IDS_CDINFO3")},
        {"server error", {HttpAnswer("500 Command syntax error\r\n")}, unexpected + "500 Command syntax error\r\n"},
        {"no status", {HttpAnswer("abc\r\n")}, unexpected + "abc\r\n"},
        {"read refused", {HttpAnswer("200 rock 1c02c903 T\r\n"), HttpAnswer("401 rock 1c02c903 No such CD entry in database.\r\n")},
         unexpected + "401 rock 1c02c903 No such CD entry in database.\r\n"},
        {"read without its closing line",
         {HttpAnswer("200 rock 1c02c903 T\r\n"), HttpAnswer("210 rock 1c02c903 entry follows\r\nDTITLE=A / B\r\nTTITLE0=x\r\n")},
         unexpected + "210 rock 1c02c903 entry follows\r\nDTITLE=A / B\r\nTTITLE0=x\r\n"},
    };
    for (const Case& c : cases) {
        server.QueueAnswers(c.answers);
        EXPECT_EQ(FailureOf([&] { connect.Query(entry); }), c.failure) << c.what;
        EXPECT_FALSE(Cached()) << c.what;
    }
}

TEST_F(CDDBConnectTest, HttpFailuresAndCutAnswersRaiseAndCacheNothing) {
    const std::string read = ReadAnswer("rock");
    const std::vector<std::vector<std::string>> cases = {
        {"HTTP/1.0 500 Internal Server Error\r\nContent-Length: 4\r\n\r\nbody"},
        {HttpAnswer("200 rock 1c02c903 T\r\n"),
         "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(read.size()) + "\r\n\r\n" + read.substr(0, read.size() / 2)},
    };
    for (const auto& answers : cases) {
        server.QueueAnswers(answers);
        EXPECT_THROW(connect.Query(entry), EHttpException);
        EXPECT_FALSE(Cached());
    }
    // A server that answers more than an entry can be is cut off.
    server.QueueAnswers({HttpAnswer("200 rock 1c02c903 T\r\n"), HttpAnswer(std::string(kMaxCddbAnswerBytes + 10, 'x'))});
    EXPECT_THROW(connect.Query(entry), Exception);
    EXPECT_FALSE(Cached());
}

TEST_F(CDDBConnectTest, TheServerListIsAsked) {
    server.QueueAnswers({HttpAnswer("210 OK, site information follows\r\nexample.org http 80 /~cddb/cddb.cgi N0 W0 X\r\n.\r\n")});
    const std::vector<std::string>& lines = connect.GetSites();
    EXPECT_EQ(lines.size(), 3u);
    EXPECT_EQ(connect.LastStatus(), 210);
    EXPECT_EQ(server.RequestBodies().back().rfind("cmd=sites&hello=", 0), 0u);
    EXPECT_NE(server.LastRequest().find("POST /~cddb/cddb.cgi HTTP/1.0"), std::string::npos);
}
