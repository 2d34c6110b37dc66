// The main window's pictures, cursors and texts are all there.
#include "MasterFixture.h"

#include "app/Cursors.h"
#include "app/FileInfo.h"
#include "app/DlgInfo.h"
#include "app/SpeedButton.h"

#include "figures/Tracker.h"
#include "foundation/MyMemIniFile.h"
#include "foundation/widgets/LocalizerForm.h"
#include "support/FormTexts.h"

#include <QtGui/QAction>
#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <QtWidgets/QMenu>

TEST(Cursors, ScreenCursorsComeFromTheirPicturesWithTheirHotSpots) {
    for (const TCursorResource& r : CursorResources()) {
        const QCursor cursor = LoadCursorResource(r.id);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << r.file;
        EXPECT_FALSE(cursor.pixmap().isNull()) << r.file;
        EXPECT_EQ(cursor.hotSpot(), QPoint(r.hotX, r.hotY)) << r.file;
    }
    EXPECT_EQ(LoadCursorResource(108).shape(), Qt::ArrowCursor);
    // The trackers' cursors have their pictures here too.
    for (const int32_t id : TCustomTracker::kCursorIds) EXPECT_EQ(LoadCursorResource(id).shape(), Qt::BitmapCursor) << id;
    LoadScreenCursors();
    EXPECT_EQ(ScreenCursor(1).shape(), Qt::PointingHandCursor);
    // Cursor 11 is the barcode cursor.
    EXPECT_EQ(ScreenCursor(11).hotSpot(), QPoint(9, 9));
    EXPECT_EQ(ScreenCursor(11).pixmap().toImage(), LoadCursorResource(116).pixmap().toImage());
    EXPECT_EQ(ScreenCursor(17).hotSpot(), QPoint(16, 16));
    for (int number = 1; number <= 24; ++number) EXPECT_TRUE(HasScreenCursor(number)) << number;
    EXPECT_FALSE(HasScreenCursor(25));
    EXPECT_EQ(ScreenCursor(25).shape(), Qt::ArrowCursor);
}

TEST_F(MasterTest, EveryButtonAndMenuItemHasItsPicture) {
    TMaster& m = CreateMaster();
    for (TSpeedButton* b : m.findChildren<TSpeedButton*>()) {
        if (b->objectName() == QLatin1String("RastenBtn")) continue;  // shows its step as text
        EXPECT_FALSE(b->icon().pixmap(16, 16).isNull()) << b->objectName().toStdString();
    }
    for (QAction* a : m.findChildren<QAction*>()) {
        if (!a->icon().isNull()) {
            EXPECT_FALSE(a->icon().pixmap(16, 16).isNull()) << a->objectName().toStdString();
        }
    }
    for (const char* language : {"", "_en", "_fr", "_it", "_es", "_nl"})
        for (const char* base : {"fett", "kursiv", "underline"})
            EXPECT_FALSE(QIcon(QStringLiteral(":/icons/%1%2.svg").arg(QLatin1String(base), QLatin1String(language))).pixmap(16, 16).isNull())
                << base << language;
}

TEST_F(MasterTest, EveryTextOfTheWindowsIsInBothLanguages) {
    TMaster& m = CreateMaster();
    TDlgInfo info;
    // Texts the windows set themselves (values, not words).
    auto computed = [](const QString& key) {
        return key == QLatin1String("RastenBtn.Caption") || key == QLatin1String("Version.Caption") ||
               key.startsWith(QLatin1String("cbFontName.Items")) || key.startsWith(QLatin1String("cbFontSize.")) ||
               (key.startsWith(QLatin1String("mnu")) && key.endsWith(QLatin1String(".Hint")));
    };
    const int checked =
        ExpectFormTextsInBothLanguages({{&m, QStringLiteral("TMaster")}, {&info, QStringLiteral("TDlgInfo")}}, computed);
    EXPECT_GT(checked, 180);
    // Texts the windows register and ask for by key.
    TMyMemIniFile german;
    TMyMemIniFile english;
    ASSERT_TRUE(Localizer().LoadLanguageResource(0, german));
    ASSERT_TRUE(Localizer().LoadLanguageResource(1, english));
    const TMyMemIniFile& registered = Localizer().RegisteredDefaults();
    for (const QString& section : {QStringLiteral("TDlgInfo"), QStringLiteral("TStartbild")}) {
        for (const QString& key : registered.ReadSection(section)) {
            EXPECT_EQ(german.ReadString(section, key, {}), registered.ReadString(section, key, {})) << key.toStdString();
            EXPECT_FALSE(english.ReadString(section, key, {}).isEmpty()) << key.toStdString();
        }
    }
}

// The wording of the shipped texts: what the status bar shows starts with a
// capital, the spellings below are wrong in German, one action has one word,
// and the English product name is not joined German-style.
TEST_F(MasterTest, TextsReadCorrectlyInBothLanguages) {
    TMyMemIniFile german, english;
    ASSERT_TRUE(Localizer().LoadLanguageResource(0, german));
    ASSERT_TRUE(Localizer().LoadLanguageResource(1, english));
    for (TMyMemIniFile* texts : {&german, &english}) {
        for (const QString& section : texts->ReadSections()) {
            for (const QString& key : texts->ReadSection(section)) {
                const QString text = texts->ReadString(section, key, {});
                if (!key.endsWith(QLatin1String(".Hint"))) continue;
                const QString status = TSpeedButton::LongHint(text);
                EXPECT_TRUE(status.isEmpty() || !status[0].isLower()) << key.toStdString() << ": " << status.toStdString();
            }
        }
    }
    struct Wrong { const char* text; const char* why; };
    const Wrong wrongInGerman[] = {
        {"zuviele", "zu viele"}, {"Gradient", "Verlauf"}, {"CD ROM", "CD-ROM"}, {"1.Punkt", "1. Punkt"},
        {"Shift ->", "Umschalt"}, {"rueck", "ü"},          {"schliess", "ß"},    {"Font...", "Schrift..."},
        {"  ", "one blank"},      {"auflösen", "aufheben"},
    };
    for (const QString& section : german.ReadSections()) {
        for (const QString& key : german.ReadSection(section)) {
            const QString text = german.ReadString(section, key, {});
            for (const Wrong& w : wrongInGerman)
                EXPECT_FALSE(text.contains(QString::fromUtf8(w.text))) << key.toStdString() << "=" << text.toStdString()
                                                                        << " (" << w.why << ")";
        }
    }
    EXPECT_EQ(german.ReadString(QStringLiteral("TMaster"), QStringLiteral("mnuUnGroup.Caption"), {}),
              german.ReadString(QStringLiteral("Default"), QStringLiteral("IDS_UNDOUNGROUP"), {}));
    EXPECT_EQ(german.ReadString(QStringLiteral("Default"), QStringLiteral("IDS_TRACKTABELLE1"), {}), QStringLiteral("Nr."));
    for (const QString& section : english.ReadSections())
        for (const QString& key : english.ReadSection(section))
            EXPECT_FALSE(english.ReadString(section, key, {}).contains(QStringLiteral("Zorbit-"))) << key.toStdString();
}

TEST_F(MasterTest, AboutBoxShowsTheFullVersionAndCreditsOnShiftClick) {
    TDlgInfo info;
    EXPECT_EQ(info.VersionText(), FileInfo().FullVersionText());
    EXPECT_EQ(info.windowTitle(), QStringLiteral("Infos"));
    info.ProductNameMouseDown(Qt::NoModifier);
    EXPECT_TRUE(messages.empty());
    info.ProductNameMouseDown(Qt::ShiftModifier);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Zorbit Etiketten-Designer")));
    Localizer().SetLanguage(1);
    EXPECT_EQ(info.windowTitle(), QStringLiteral("Info"));
}
