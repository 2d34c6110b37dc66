// The help menu, the help panel, its links and the shipped help pages.

#include "MasterFixture.h"

#include "app/HelpLinks.h"
#include "app/SpeedButton.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QUrl>
#include <QtGui/QAction>
#include <QtWidgets/QTextBrowser>

namespace {

const QString kShippedHelp = QStringLiteral(ZORBIT_FIXTURES_DIR "/../../resources/help/");

void WritePage(const QString& path, const QByteArray& contents = "<p>page</p>") {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

}  // namespace

TEST(HelpLinks, QueryParameters) {
    struct Case {
        const char* address;
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"redir.htm?dir=next&n=1", "dir", "next"},
        {"redir.htm?dir=next&n=1", "N", "1"},            // names without regard to case
        {"a.htm?a=1&b=x+y", "b", "x y"},                 // "+" is a blank
        {"a.htm?b=%41%62", "b", "Ab"},                   // hexadecimal escapes
        {"a.htm?b=%zz", "b", "%zz"},                     // not hexadecimal: stays as it is
        {"a.htm?b=50%", "b", "50%"},                     // cut short at the end
        {"a.htm?b=%4g1", "b", "%4g1"},
        {"a.htm?bb=1&b=2", "b", "2"},                    // whole names only
        {"a.htm?a=1", "b", ""},                          // missing: empty
        {"a.htm?b", "b", ""},
        {"a.htm", "b", "default"},                       // no query: the default
        {"a.htm?x=1?b=2", "x", "1?b=2"},                 // the first "?" starts the query
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetUrlParam(QString::fromLatin1(c.address), QString::fromLatin1(c.name), QStringLiteral("default")),
                  QString::fromLatin1(c.expected))
            << c.address << " " << c.name;
    EXPECT_EQ(GetUrlParamInt(QStringLiteral("a?n=12"), QStringLiteral("n"), 7), 12);
    EXPECT_EQ(GetUrlParamInt(QStringLiteral("a?n="), QStringLiteral("n"), 7), 7);
    EXPECT_EQ(GetUrlParamInt(QStringLiteral("a?n=x"), QStringLiteral("n"), 7), 7);
    EXPECT_EQ(GetUrlParamInt(QStringLiteral("a"), QStringLiteral("n"), 7), 7);
    // Only the first 5000 characters of the query are read.
    const QString longQuery = QStringLiteral("a?") + QString(4998, QLatin1Char('x')) + QStringLiteral("&b=1");
    EXPECT_EQ(GetUrlParam(longQuery, QStringLiteral("b"), QStringLiteral("d")), QString());
}

TEST(HelpLinks, TipNavigationGoesRoundThePages) {
    struct Case {
        const char* address;
        int pages;
        int expected;
    };
    const Case cases[] = {
        {"redir.htm?dir=next&n=1", 1, 1}, {"redir.htm?dir=prev&n=1", 1, 1}, {"redir.htm?dir=next&n=1", 4, 2},
        {"redir.htm?dir=next&n=4", 4, 1}, {"redir.htm?dir=prev&n=1", 4, 4}, {"redir.htm?dir=PREV&n=3", 4, 2},
        {"redir.htm?dir=next&n=0", 4, 4}, {"redir.htm?n=2", 4, 2},          {"redir.htm?dir=next&n=-3", 4, 2},
        {"redir.htm?dir=next&n=9", 4, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TipPageAfter(QString::fromLatin1(c.address), c.pages), c.expected) << c.address << " of " << c.pages;
}

TEST_F(MasterTest, TheManualOfTheLanguageThenGermanThenTheProgramsOwn) {
    TMaster& m = CreateMaster();
    const QString folder = TempFolder() + QLatin1Char('/');
    m.SetHelpFolder(folder);
    QStringList opened;
    bool viewer = true;
    m.SetUrlOpener([&](const QUrl& url) {
        opened << url.toLocalFile();
        return viewer;
    });
    const QString program = ProgramBaseName();
    const QString english = folder + program + QStringLiteral("_eng.htm");
    const QString german = folder + program + QStringLiteral("_deu.htm");
    const QString plain = folder + program + QStringLiteral(".htm");
    Localizer().SetLanguage(1);

    // None of the three: the user is told, nothing opens.
    m.MenuItem("mnuAnleitung")->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(LocalizedText("IDS_NOPDFFILE"))) << messages[0].text.toStdString();
    EXPECT_TRUE(opened.isEmpty());

    struct Step {
        QString create;
        QString expected;
    };
    const Step steps[] = {{plain, plain}, {german, german}, {english, english}};
    for (const Step& step : steps) {
        WritePage(step.create);
        EXPECT_EQ(m.FindManualFile(), step.expected);
    }
    m.MenuItem("mnuAnleitung")->trigger();
    EXPECT_EQ(opened, QStringList{english});
    viewer = false;
    messages.clear();
    m.MenuItem("mnuAnleitung")->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, TMessageKind::Error);
    EXPECT_EQ(messages[0].text, LocalizedText("IDS_NOACROBAT"));
}

TEST_F(MasterTest, TheHelpPanelShowsTheStartPageAndKeepsItsState) {
    TMaster& m = CreateMaster();
    m.SetHelpFolder(kShippedHelp);
    m.resize(1000, 700);
    m.show();
    ReturnToLoop();
    const int stripOnly = m.RightPanel()->width();
    EXPECT_FALSE(m.HelpVisible());
    EXPECT_EQ(stripOnly, 18);  // the colour strip + 2

    m.Button("BtnHTMLHelp")->click();
    ReturnToLoop();
    EXPECT_TRUE(m.HelpVisible());
    EXPECT_TRUE(m.MenuItem("mnuHilfeWizzard")->isChecked());
    EXPECT_TRUE(m.Button("BtnHTMLHelp")->Down());
    EXPECT_EQ(m.RightPanel()->width(), 400);
    EXPECT_TRUE(m.HelpViewer()->isVisible());
    EXPECT_TRUE(m.HelpViewer()->source().toLocalFile().endsWith(QStringLiteral("/HTMLHelp/deu/index.htm")));
    EXPECT_TRUE(m.HelpViewer()->toPlainText().contains(QStringLiteral("Erste Schritte")));
    EXPECT_TRUE(Settings().ReadBool("", "HelpVisible", false));
    // The page follows the language.
    emit m.HelpViewer()->anchorClicked(QUrl(QStringLiteral("cdetikett.htm")));
    m.mnuSpracheClick(m.MenuItem("mnuSpracheEnglisch"));
    EXPECT_TRUE(m.HelpViewer()->source().toLocalFile().endsWith(QStringLiteral("/HTMLHelp/eng/cdetikett.htm")));
    EXPECT_TRUE(m.HelpViewer()->toPlainText().contains(QStringLiteral("Designing a CD label")));

    m.findChild<QToolButton*>(QStringLiteral("ImgSchliessen"))->click();
    EXPECT_FALSE(m.HelpVisible());
    EXPECT_EQ(m.RightPanel()->width(), stripOnly);
    EXPECT_FALSE(Settings().ReadBool("", "HelpVisible", true));
    EXPECT_TRUE(messages.empty());
}

TEST_F(MasterTest, HelpLinksOpenTheManualTheBrowserOrATipPage) {
    TMaster& m = CreateMaster();
    m.SetHelpFolder(kShippedHelp);
    QStringList opened;
    m.SetUrlOpener([&](const QUrl& url) {
        opened << url.toString();
        return true;
    });
    Localizer().SetLanguage(1);
    struct Case {
        const char* address;
        bool handled;
        const char* page;  // the page the panel shows afterwards; empty: unchanged
    };
    const Case cases[] = {
        {"HTTPS://www.kroxa.example/", true, ""},
        {"redir.htm?dir=next&n=1", true, "w2.htm"},
        {"Redir.htm?dir=prev&n=1", true, "w4.htm"},
        {"werkzeug-linie.htm", false, ""},
    };
    for (const Case& c : cases) {
        const QUrl before = m.HelpViewer()->source();
        bool handled = false;
        m.HTMLViewerHotSpotClick(QString::fromLatin1(c.address), handled);
        EXPECT_EQ(handled, c.handled) << c.address;
        if (*c.page) {
            EXPECT_TRUE(m.HelpViewer()->source().toLocalFile().endsWith(QStringLiteral("/eng/") + QString::fromLatin1(c.page)))
                << c.address;
        } else {
            EXPECT_EQ(m.HelpViewer()->source(), before) << c.address;
        }
    }
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://www.kroxa.example/")});
    EXPECT_TRUE(m.HelpVisible());  // a tip page opens the panel
    EXPECT_EQ(m.GetTipPageCount(), 4);

    // Links clicked as a user would: one the panel follows itself, one of
    // the tip pages.
    emit m.HelpViewer()->anchorClicked(QUrl(QStringLiteral("index.htm")));
    EXPECT_TRUE(m.HelpViewer()->source().toLocalFile().endsWith(QStringLiteral("/eng/index.htm")));
    emit m.HelpViewer()->anchorClicked(m.HelpViewer()->source().resolved(QUrl(QStringLiteral("redir.htm?dir=prev&n=1"))));
    EXPECT_TRUE(m.HelpViewer()->source().toLocalFile().endsWith(QStringLiteral("/eng/w4.htm")));
    EXPECT_TRUE(m.HelpViewer()->toPlainText().contains(QStringLiteral("Tip 4/4")));
    // "intern" opens the manual, which the test program does not have.
    bool handled = false;
    m.HTMLViewerHotSpotClick(QStringLiteral("intern:anleitung"), handled);
    EXPECT_TRUE(handled);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(LocalizedText("IDS_NOPDFFILE")));
}

TEST_F(MasterTest, MissingHelpFilesAreReportedAndEmptyCataloguesDoNothing) {
    TMaster& m = CreateMaster();
    m.SetHelpFolder(TempFolder() + QLatin1Char('/'));
    int opened = 0;
    m.SetUrlOpener([&](const QUrl&) { return ++opened > 0; });
    m.MenuItem("mnuKroxaNuetzlicheTipps")->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, TMessageKind::Error);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("w0.htm")));
    EXPECT_EQ(m.GetTipPageCount(), 1);
    // No language names a catalogue or a news page: the items do nothing.
    m.MenuItem("mnuKroxaEtiketten")->trigger();
    m.mnuKroxaNewsUpdatesClick();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(opened, 0);
    // A document beside the program that is missing.
    EXPECT_FALSE(m.OpenPdfFile(TempPath(QStringLiteral("Katalog.pdf"))));
    EXPECT_EQ(messages.size(), 2u);
    WritePage(TempPath(QStringLiteral("Katalog.pdf")));
    EXPECT_TRUE(m.OpenPdfFile(TempPath(QStringLiteral("Katalog.pdf"))));
    EXPECT_EQ(opened, 1);
}

// Both languages ship the same pages, and every link of every page leads to
// a page that is there (or is one the panel answers itself).
TEST(HelpPages, EveryLinkLeadsSomewhere) {
    QStringList pages[2];
    const char* const codes[] = {"deu", "eng"};
    for (int i = 0; i < 2; ++i) {
        const QDir folder(kShippedHelp + QStringLiteral("HTMLHelp/") + QString::fromLatin1(codes[i]));
        pages[i] = folder.entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name);
        for (const char* required : {"index.htm", "w0.htm", "w1.htm", "adressetikett.htm", "cdetikett.htm", "angebrochenes-blatt.htm"})
            EXPECT_TRUE(pages[i].contains(QString::fromLatin1(required))) << codes[i] << " " << required;
    }
    EXPECT_EQ(pages[0], pages[1]);

    const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
    QDirIterator it(kShippedHelp, {QStringLiteral("*.htm")}, QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch& m : link.globalMatch(html)) {
            const QString target = m.captured(1);
            if (target.startsWith(QLatin1String("intern")) || target.startsWith(QLatin1String("redir.htm"))) continue;
            EXPECT_FALSE(target.contains(QLatin1String("://"))) << path.toStdString() << ": " << target.toStdString();
            EXPECT_TRUE(QFileInfo::exists(QFileInfo(path).dir().filePath(target.section(QLatin1Char('#'), 0, 0))))
                << path.toStdString() << ": " << target.toStdString();
        }
    }
    EXPECT_GT(files, 2 * 20);
    for (const char* manual : {"zorbit_deu.htm", "zorbit_eng.htm"})
        EXPECT_TRUE(QFileInfo::exists(kShippedHelp + QString::fromLatin1(manual))) << manual;
}
