#include "cd/lookup/CDDBConnect.h"
#include "cd/lookup/CddbSettings.h"
#include "cd/lookup/FreeDBCache.h"
#include "cd/widgets/DlgFreeDBMultiMatch.h"
#include "cd/widgets/DlgFreeDBOptionen.h"
#include "cd/widgets/DlgTrackEinlesen.h"
#include "cd/widgets/DlgTrackTabelle.h"
#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"
#include "platform/cdaudio/CdDrive.h"
#include "support/loopback/LoopbackServers.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>

#include <gtest/gtest.h>

namespace {

constexpr const char* kDiscId = "1c02c903";

// A fake drive with the three-track disc (or none), settings of their own
// pointing at a loopback CDDB server, and an empty cache.
class TrackDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
        Settings().WriteString(kCddbSection, "Server",
                               "127.0.0.1 http " + std::to_string(server.Port()) + " /~cddb/cddb.cgi N0 W0 Test");
        QFile::remove(FreeDBCache().FileName());
        InsertDisc(true);
    }
    void TearDown() override {
        cdaudio::InstallDriveSystem(nullptr);
        SetCddbMatchChooser(nullptr);
        UseSettingsFile(dir.filePath(QStringLiteral("unused.dat")));
    }
    static void InsertDisc(bool present) {
        std::vector<cdaudio::FakeDisc> discs;
        if (present) discs.push_back({"/dev/sr0", cdaudio::TocFromFrames({150, 14290, 35635}, 53670)});
        cdaudio::InstallDriveSystem(cdaudio::MakeFakeDriveSystem(discs));
    }
    static std::string HttpAnswer(const std::string& body) {
        return "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    }
    static std::vector<std::string> Entry() {
        return {"210 rock 1c02c903 CD database entry follows", "DTITLE=Die Band / Das Album", "TTITLE0=Erster",
                "TTITLE1=Zweiter", "."};
    }
    static QStringList Column(const QTableWidget& grid, int column) {
        QStringList texts;
        for (int r = 0; r < grid.rowCount(); ++r) texts << (grid.item(r, column) ? grid.item(r, column)->text() : QString());
        return texts;
    }
    // Answers the next message box with OK and keeps its text.
    void AnswerNextMessageBox() {
        QTimer::singleShot(0, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message = box->text();
                box->accept();
            }
        });
    }

    QTemporaryDir dir;
    loopback::LoopbackHttpServer server;
    QString message;
};

}  // namespace

TEST_F(TrackDialogs, TheImportShowsTheTracksAndTheCachedTitlesAtOnce) {
    {
        TDlgTrackEinlesen dialog;
        dialog.FormShow();
        EXPECT_EQ(Column(*dialog.sg, 0), (QStringList{"1", "2", "3"}));
        EXPECT_EQ(Column(*dialog.sg, 1), (QStringList{"Track1", "Track2", "Track3"}));
        EXPECT_EQ(Column(*dialog.sg, 2), (QStringList{"3:08", "4:44", "4:00"}));
    }
    FreeDBCache().Store(kDiscId, Entry());
    TDlgTrackEinlesen dialog;
    dialog.FormShow();
    // Fewer titles than tracks: the last row keeps its text.
    EXPECT_EQ(Column(*dialog.sg, 1), (QStringList{"Erster", "Zweiter", "Track3"}));
    EXPECT_EQ(dialog.Artist, "Die Band");
    EXPECT_EQ(dialog.Title, "Das Album");
    EXPECT_EQ(server.Requests(), 0);
}

TEST_F(TrackDialogs, ALookupFillsTheTitlesAndAFailedOneKeepsWhatWasShown) {
    FreeDBCache().Store(kDiscId, {"210 rock 1c02c903 x", "DTITLE=Alt / Cache", "TTITLE0=Aus dem Cache", "."});
    TDlgTrackEinlesen dialog;
    dialog.FormShow();

    server.QueueAnswers({HttpAnswer("202 No match\r\n")});
    try {
        dialog.BtnEinlesenClick();
        ADD_FAILURE() << "a disc not found went unreported";
    } catch (const Exception& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), LocalizedText("IDS_CDINFO3"));
    }
    EXPECT_EQ(Column(*dialog.sg, 1), (QStringList{"Aus dem Cache", "Track2", "Track3"}));
    EXPECT_EQ(dialog.Artist, "Alt");
    EXPECT_TRUE(dialog.BtnOK->isEnabled()) << "the buttons come back after a failure";

    std::vector<std::string> read = Entry();
    std::string body;
    for (const std::string& line : read) body += line + "\r\n";
    server.QueueAnswers({HttpAnswer("200 rock 1c02c903 Die Band / Das Album\r\n"), HttpAnswer(body)});
    dialog.BtnEinlesenClick();
    EXPECT_EQ(Column(*dialog.sg, 1), (QStringList{"Erster", "Zweiter", "Track3"}));
    EXPECT_EQ(dialog.Title, "Das Album");
}

TEST_F(TrackDialogs, TheImportCannotBeClosedDuringALookup) {
    TDlgTrackEinlesen dialog;
    dialog.show();
    dialog.EnableControls(false);
    for (QPushButton* b : {dialog.BtnEinlesen, dialog.BtnOptionen, dialog.BtnfreedbHomepage, dialog.BtnOK, dialog.BtnAbbrechen})
        EXPECT_FALSE(b->isEnabled());
    EXPECT_FALSE(dialog.close());
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    dialog.EnableControls(true);
    EXPECT_TRUE(dialog.close());
}

TEST_F(TrackDialogs, TheTableStoresItsRowsUpToTheLastFilledOne) {
    TDlgTrackTabelle dialog;
    TZRTrackTabelleData data;
    for (int i = 1; i <= 150; ++i) data.AddTrack("Titel " + std::to_string(i), i % 2 ? "1:00" : "");
    data.SetShowNumbers(false);
    dialog.LoadFromData(data);
    EXPECT_EQ(dialog.sgTracks->rowCount(), 150) << "more than 99 tracks are kept";
    EXPECT_FALSE(dialog.chTracknummer->isChecked());
    TZRTrackTabelleData stored;
    dialog.StoreToData(stored);
    EXPECT_EQ(stored, data);

    // Rows 1 and 3 filled: three tracks, the second empty; the rest dropped.
    dialog.LoadFromData(TZRTrackTabelleData());
    EXPECT_EQ(dialog.sgTracks->rowCount(), TDlgTrackTabelle::kMinimumRows);
    dialog.sgTracks->item(0, 1)->setText(QStringLiteral("Eins"));
    dialog.sgTracks->item(2, 2)->setText(QStringLiteral("3:33"));
    dialog.StoreToData(stored);
    ASSERT_EQ(stored.Count(), 3);
    EXPECT_EQ(stored.GetTitle(1), "");
    EXPECT_EQ(stored.GetDuration(2), "3:33");
    EXPECT_TRUE(stored.ShowNumbers());
}

TEST_F(TrackDialogs, EnterMovesOnAndWrapsToTheFirstRow) {
    TDlgTrackTabelle dialog;
    const int last = dialog.sgTracks->rowCount() - 1;
    const std::pair<std::pair<int, int>, std::pair<int, int>> moves[] = {
        {{0, 1}, {0, 2}}, {{0, 2}, {1, 1}}, {{last, 2}, {0, 1}}};
    for (const auto& [from, to] : moves) {
        dialog.sgTracks->setCurrentCell(from.first, from.second);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(dialog.sgTracks, &enter);
        EXPECT_EQ(dialog.sgTracks->currentRow(), to.first);
        EXPECT_EQ(dialog.sgTracks->currentColumn(), to.second);
    }
}

TEST_F(TrackDialogs, TheAudioCdButtonFillsTheGridFromTheImportOrSaysThereIsNoDisc) {
    FreeDBCache().Store(kDiscId, Entry());
    TDlgTrackTabelle dialog;
    TZRTrackTabelleData before;
    for (int i = 0; i < 6; ++i) before.AddTrack("alt", "");
    dialog.LoadFromData(before);
    dialog.RunImport = [](TDlgTrackEinlesen& import) {
        import.FormShow();
        return true;
    };
    dialog.BtnAudioCDClick();
    TZRTrackTabelleData stored;
    dialog.StoreToData(stored);
    ASSERT_EQ(stored.Count(), 3);
    EXPECT_EQ(stored.GetTitle(0), "Erster");
    EXPECT_EQ(stored.GetTitle(2), "Track3");
    EXPECT_EQ(stored.GetDuration(1), "4:44");

    InsertDisc(false);
    AnswerNextMessageBox();
    dialog.BtnAudioCDClick();
    EXPECT_EQ(message, LocalizedText("IDS_CDINFO2"));
}

TEST_F(TrackDialogs, TheMatchChoiceTakesTheDoubleClickedLineOrNone) {
    const std::vector<std::string> matches = {"rock 1 A", "jazz 2 B", "blues 3 C"};
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TDlgFreeDBMultiMatch*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->lbTreffer->currentRow(), 0);
        emit dialog->lbTreffer->itemDoubleClicked(dialog->lbTreffer->item(2));
    });
    EXPECT_EQ(ChooseCddbMatch(matches, nullptr), 2);
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(ChooseCddbMatch(matches, nullptr), -1);
}

TEST_F(TrackDialogs, TheOptionsKeepServerListAndProxyOnlyOnOk) {
    Settings().WriteString(kCddbSitesSection, "101", DefaultServerLine());
    Settings().WriteString(kCddbSitesSection, "102", "b.example.org http 80 /~cddb/cddb.cgi N0 W0 Server B");
    Settings().WriteString(kCddbSection, "Server", "B.EXAMPLE.ORG http 80 /~cddb/cddb.cgi N0 W0 Server B");
    {
        TDlgFreeDBOptionen options;
        EXPECT_EQ(options.ServerLines().size(), 2u) << "the default line once";
        EXPECT_EQ(options.cbServer->currentIndex(), 1);
        EXPECT_EQ(options.cbServer->currentText(), QStringLiteral("b.example.org Server B"));
        EXPECT_FALSE(options.edProxyServer->isEnabled());
        options.chProxyserver->setChecked(true);
        EXPECT_TRUE(options.edProxyServer->isEnabled());

        // Only another protocol: the box stays, the answer is kept all the same.
        QFile::remove(SiteListFileName());
        options.ApplySiteList({"210 OK", "a.example.org cddbp 8880 - N0 W0 A", "."});
        EXPECT_EQ(options.ServerLines().size(), 2u);
        EXPECT_TRUE(QFile::exists(SiteListFileName()));
        options.ApplySiteList({"210 OK", "c.example.org http 8080 /cgi N0 W0 C", "."});
        EXPECT_EQ(options.ServerLines(), std::vector<std::string>{"c.example.org http 8080 /cgi N0 W0 C"});
        options.edProxyPassword->setText(QStringLiteral("geheim"));
        options.reject();
    }
    EXPECT_EQ(Settings().ReadString(kCddbSitesSection, "102", ""), "b.example.org http 80 /~cddb/cddb.cgi N0 W0 Server B");
    EXPECT_FALSE(Settings().ReadBool(kCddbSection, "UseProxy", false));

    TDlgFreeDBOptionen options;
    options.chProxyserver->setChecked(true);
    options.edProxyPassword->setText(QStringLiteral("geheim"));
    options.ApplySiteList({"210 OK", "c.example.org http 8080 /cgi N0 W0 C", "."});
    options.BtnOK->click();
    EXPECT_TRUE(Settings().ReadBool(kCddbSection, "UseProxy", false));
    EXPECT_EQ(DecodeProxyPassword(Settings().ReadString(kCddbSection, "ProxyPWD", "")), "geheim");
    EXPECT_EQ(Settings().ReadString(kCddbSection, "Server", ""), "c.example.org http 8080 /cgi N0 W0 C");
    EXPECT_EQ(Settings().ReadString(kCddbSitesSection, "101", ""), "c.example.org http 8080 /cgi N0 W0 C");
    EXPECT_FALSE(Settings().ValueExists(kCddbSitesSection, "102"));
}
