#include "document/Etikett.h"
#include "document/KroxaJetztKaufenList.h"
#include "support/Files.h"

#include <QtCore/QFile>
#include <QtCore/QObject>
#include <QtCore/QTemporaryDir>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>

#include <gtest/gtest.h>

#include <string>

namespace {

QString WriteList(const QTemporaryDir& dir, const std::string& content) {
    return WriteFile(dir, QStringLiteral("artikel.csv"), content);
}

std::string LinkOfSheetNamed(const std::string& name, const TKroxaJetztKaufenList& list) {
    TEtikett sheet;
    sheet.SetName(name);
    return ShopLinkOfSheet(sheet, list);
}

// Takes the URLs the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

}  // namespace

TEST(KroxaJetztKaufenList, RowsOfTwoFieldsAndTheLinkOfASheet) {
    QTemporaryDir dir;
    TKroxaJetztKaufenList list(WriteList(dir,
                                         "X100;https://shop.example/x100\r\n"
                                         "Y200;https://shop.example/y200;extra\r\n"
                                         "Z300;short77\r\n"
                                         ";https://shop.example/none\r\n"));
    ASSERT_EQ(list.Entries().size(), 3u);  // the row of three fields is skipped
    EXPECT_EQ(list.GetLink("x100"), "https://shop.example/x100");
    EXPECT_EQ(list.GetLink("Y200"), "");

    EXPECT_EQ(LinkOfSheetNamed("X100 Adressetiketten", list), "https://shop.example/x100");
    EXPECT_EQ(LinkOfSheetNamed("x100 Adressetiketten", list), "https://shop.example/x100");
    EXPECT_EQ(LinkOfSheetNamed("Z300 Etiketten", list), "");  // seven characters show no picture
    // A name without a blank looks up the empty article.
    EXPECT_EQ(LinkOfSheetNamed("X100", list), "https://shop.example/none");
}

TEST(KroxaJetztKaufenList, MissingFileAndTheProgramsOwnList) {
    QTemporaryDir dir;
    TKroxaJetztKaufenList missing(dir.filePath(QStringLiteral("none.csv")));
    EXPECT_TRUE(missing.Entries().empty());

    // Without a file in the program folder the list is the program's own.
    EXPECT_EQ(ShopLinkFilePath(), QStringLiteral(":/data/artikel.csv"));
    const std::string link = KroxaJetztKaufenList().GetLink("QN-403X");
    EXPECT_TRUE(IsOpenableShopLink(link)) << link;
    for (const auto& [article, url] : KroxaJetztKaufenList().Entries()) EXPECT_TRUE(IsOpenableShopLink(url)) << url;
}

TEST(KroxaJetztKaufenList, OpensOnlyWebLinks) {
    for (const char* link : {"https://shop.example/a", "http://shop.example/b?x=1", "HTTPS://shop.example/c"})
        EXPECT_TRUE(IsOpenableShopLink(link)) << link;
    for (const char* link : {"", "shop.example/a", "file:///etc/passwd", "javascript:alert(1)", "ftp://shop.example/a",
                             "mailto:shop@example.org", "https:///nohost", "/usr/bin/xterm"})
        EXPECT_FALSE(IsOpenableShopLink(link)) << link;

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    EXPECT_TRUE(OpenShopLink("https://shop.example/a"));
    EXPECT_FALSE(OpenShopLink("file:///etc/passwd"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl(QStringLiteral("https://shop.example/a")));
}

#include "ShopLinkTest.moc"
