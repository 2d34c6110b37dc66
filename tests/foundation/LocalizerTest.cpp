#include "foundation/Localizer.h"

#include "foundation/MyMemIniFile.h"
#include "foundation/widgets/LocalizerForm.h"
#include "foundation/LanguageFiles.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>

namespace {

class LocalizerTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteLanguageFile(dir_.path(), "deu", {"[Default]", "IDS_A=Deutsch A", "[Form]", "lbl.Caption=Beschriftung"});
        WriteLanguageFile(dir_.path(), "eng",
                          {"[Default]", "IDS_A=English A", "IDS_BREAK=one#13##10#two", "[Form]", "lbl.Caption=Caption"});
        WriteLanguageFile(dir_.path(), "fra", {"[Default]", "IDS_A=Français A"});
        WriteLanguageFile(dir_.path(), "ned", {"[Default]", "IDS_A=Nederlands A"});
        WriteLanguageFile(dir_.path(), "rus", {"[Default]", "IDS_A=Русский А"});
        localizer_.SetResourceFolder(dir_.path());
        localizer_.SetInstallQtTranslations(false);
        localizer_.SetMessageHandler([this](const QString& m) { messages_ << m; });
        localizer_.RegisterGlobalDefault(QStringLiteral("IDS_A"), QStringLiteral("Vorgabe A"));
        localizer_.RegisterGlobalDefault(QStringLiteral("IDS_ONLYDEFAULT"), QStringLiteral("nur Vorgabe"));
    }

    QTemporaryDir dir_;
    TLocalizer localizer_;
    QStringList messages_;
};

}  // namespace

TEST_F(LocalizerTest, LookupChain) {
    const QString a = QStringLiteral("IDS_A");
    EXPECT_FALSE(localizer_.LanguageLoaded());
    EXPECT_EQ(localizer_.GetGlobalText(a), QStringLiteral("Vorgabe A"));
    localizer_.SetLanguage(1);
    EXPECT_EQ(localizer_.GetGlobalText(QStringLiteral("ids_a")), QStringLiteral("English A"));
    EXPECT_EQ(localizer_.GetGlobalText(QStringLiteral("IDS_ONLYDEFAULT")), QStringLiteral("nur Vorgabe"));
    EXPECT_EQ(localizer_.GetGlobalText(QStringLiteral("IDS_NOWHERE")), QStringLiteral("kein Defaultwert definiert"));
    EXPECT_EQ(localizer_.GetGlobalText(QStringLiteral("IDS_BREAK")), QStringLiteral("one\r\ntwo"));
    EXPECT_EQ(localizer_.GetText(QStringLiteral("form"), QStringLiteral("LBL.caption")), QStringLiteral("Caption"));
    localizer_.SetLanguage(15);
    EXPECT_EQ(localizer_.GetGlobalText(a), QStringLiteral("Русский А"));  // stays Unicode
    EXPECT_EQ(localizer_.GetLanguageCode(), QStringLiteral("rus"));
}

TEST_F(LocalizerTest, EscapesRoundTrip) {
    localizer_.RegisterDefault(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("Links#\r\nRechts"));
    EXPECT_EQ(localizer_.RegisteredDefaults().ReadString(QStringLiteral("S"), QStringLiteral("k"), {}),
              QStringLiteral("Links##13##10#Rechts"));
    EXPECT_EQ(localizer_.GetText(QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("Links#\r\nRechts"));
}

TEST_F(LocalizerTest, FailedSwitchKeepsThePreviousLanguage) {
    localizer_.SetLanguage(1);
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"no byte-order mark", QByteArray("[Default]\r\nIDS_A=x\r\n")},
        {"odd length", QByteArray("\xFF\xFE[\0D\0", 5)},
        {"broken surrogate", QByteArray("\xFF\xFE[\0D\0]\0\r\0\n\0\x00\xD8", 14)},
        {"no Default section", QByteArray("\xFF\xFEx\0=\0y\0", 8)},
        {"empty", QByteArray()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteRawFile(dir_.path() + QStringLiteral("/fra.ini"), c.bytes);
        try {
            localizer_.SetLanguage(2);
            FAIL() << "no error";
        } catch (const ELanguageError& e) {
            EXPECT_STREQ(e.what(), "Die Sprache wird nicht unterstützt: fra");
        }
        EXPECT_EQ(localizer_.LanguageIndex(), 1);
        EXPECT_EQ(localizer_.GetGlobalText(QStringLiteral("IDS_A")), QStringLiteral("English A"));
    }
    QFile::remove(dir_.path() + QStringLiteral("/fra.ini"));
    localizer_.SetLanguage(2);  // not available: a message, nothing changes
    EXPECT_EQ(messages_, QStringList{QStringLiteral("Ausgewählte Sprache steht nicht zur Verfügung")});
    EXPECT_EQ(localizer_.LanguageIndex(), 1);
}

TEST_F(LocalizerTest, StartLanguage) {
    struct Case {
        const char* name;
        uint32_t mask;
        int stored;
        uint8_t userLanguage;
        int expected;  // -1: no language loaded
    };
    const Case cases[] = {
        {"stored English", kAllLanguagesMask, 1, 0x07, 1},
        {"French system", kAllLanguagesMask, kNoLanguage, 0x0C, 2},
        {"French not allowed", 0x3, kNoLanguage, 0x0C, -1},
        {"Italian system, no resource", kAllLanguagesMask, kNoLanguage, 0x10, -1},
        {"stored Russian, mask 0x21F", 0x21F, 15, 0x07, 9},
        {"stored language not shipped", 0x21F, 4, 0x07, 9},
        {"nothing allowed", 0, 1, 0x09, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLocalizer localizer;
        localizer.SetResourceFolder(dir_.path());
        localizer.SetInstallQtTranslations(false);
        localizer.SetAllowedLanguages(c.mask);
        localizer.ChooseStartLanguage(c.stored, c.userLanguage);
        EXPECT_EQ(localizer.LanguageLoaded() ? localizer.LanguageIndex() : -1, c.expected);
    }
}

TEST_F(LocalizerTest, AvailabilityFollowsMaskAndResources) {
    localizer_.SetAllowedLanguages(0x21F);
    EXPECT_TRUE(localizer_.IsLanguageAvailable(0));
    EXPECT_TRUE(localizer_.IsLanguageAvailable(9));
    EXPECT_FALSE(localizer_.IsLanguageAvailable(15));  // present, not allowed
    EXPECT_FALSE(localizer_.IsLanguageAvailable(3));   // allowed, not present
    EXPECT_FALSE(localizer_.IsLanguageAvailable(22));
    EXPECT_FALSE(localizer_.IsLanguageAvailable(-1));
}

TEST_F(LocalizerTest, GlyphsShowTheLettersOfTheLanguage) {
    auto inked = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += qAlpha(image.pixel(x, y)) > 0;
        return n;
    };
    const QImage bold = localizer_.GetBoldGlyph();
    EXPECT_EQ(bold.size(), QSize(16, 16));
    EXPECT_GT(inked(bold), 0);
    EXPECT_GT(inked(localizer_.GetUnderlineGlyph()), 0);
    localizer_.SetLanguage(1);
    EXPECT_NE(localizer_.GetBoldGlyph(), bold);  // "B" instead of "F"
}

TEST(LocalizerShipped, GermanAndEnglishAreOffered) {
    TLocalizer localizer;
    for (int i = 0; i < kLanguageCount; ++i) EXPECT_EQ(localizer.IsLanguageAvailable(i), i <= 1) << i;
    EXPECT_TRUE(localizer.GetManualFileName(1).endsWith(QStringLiteral("_eng.htm")));
}

TEST_F(LocalizerTest, ExportModeCollectsWindowTexts) {
    const QString exportFile = dir_.path() + QStringLiteral("/export.txt");
    WriteLanguageFile(dir_.path(), "export", {"[Old]", "keep=1", "[TExportForm]", "lbl.Caption=alt"});
    QFile::rename(dir_.path() + QStringLiteral("/export.ini"), exportFile);
    {
        TLocalizer localizer({QStringLiteral("zorbit"), QStringLiteral("/reswrite")});
        ASSERT_TRUE(localizer.ExportMode());
        localizer.SetExportFileName(exportFile);
        localizer.SetInstallQtTranslations(false);
        QStringList messages;
        localizer.SetMessageHandler([&](const QString& m) { messages << m; });
        localizer.RegisterGlobalDefault(QStringLiteral("IDS_X"), QStringLiteral("Zeile1\r\nZeile2"));
        localizer.AddExportExclusion(QStringLiteral("TExportForm"), QStringLiteral("cbSize"), QStringLiteral("Items"));
        localizer.AddExportExclusion(QStringLiteral("TExportForm"), QStringLiteral("sep"), QStringLiteral("Caption"));

        QWidget form;
        form.setObjectName(QStringLiteral("ExportForm"));
        form.setWindowTitle(QStringLiteral("Fenster"));
        auto* label = new QLabel(QStringLiteral("Beschriftung"), &form);
        label->setObjectName(QStringLiteral("lbl"));
        (new QLabel(QStringLiteral("-"), &form))->setObjectName(QStringLiteral("sep"));
        (new QLabel(QStringLiteral("ohne Namen"), &form));
        (new QLabel(QStringLiteral("   "), &form))->setObjectName(QStringLiteral("blank"));
        auto* combo = new QComboBox(&form);
        combo->setObjectName(QStringLiteral("cbSize"));
        combo->addItems({QStringLiteral("8"), QStringLiteral("10")});
        auto* list = new QComboBox(&form);
        list->setObjectName(QStringLiteral("cbArt"));
        list->addItems({QStringLiteral("Eins"), QStringLiteral("Zwei")});
        LocalizeFormTexts(&form, QStringLiteral("TExportForm"), localizer);
        EXPECT_EQ(label->text(), QStringLiteral("Beschriftung"));  // texts stay

        localizer.SetLanguage(1);
        EXPECT_EQ(messages, QStringList{QStringLiteral("Sprachumschaltung nicht möglich, da Resourcenschreibmodus aktiviert ist")});
    }
    TMyMemIniFile written;
    written.LoadFromFile(exportFile.toStdString());
    const QString form = QStringLiteral("TExportForm");
    EXPECT_EQ(written.ReadString(QStringLiteral("Old"), QStringLiteral("keep"), {}), QStringLiteral("1"));
    EXPECT_EQ(written.ReadString(form, QStringLiteral("lbl.Caption"), {}), QStringLiteral("Beschriftung"));
    EXPECT_EQ(written.ReadString(form, QStringLiteral("ExportForm.Caption"), {}), QStringLiteral("Fenster"));
    EXPECT_EQ(written.ReadString(form, QStringLiteral("cbArt.Items1"), {}), QStringLiteral("Zwei"));
    for (const char* absent : {"sep.Caption", "blank.Caption", "cbSize.Items0"})
        EXPECT_FALSE(written.ValueExists(form, QString::fromLatin1(absent))) << absent;
    EXPECT_EQ(written.ReadString(QStringLiteral("Default"), QStringLiteral("IDS_X"), {}), QStringLiteral("Zeile1#13##10#Zeile2"));
    EXPECT_EQ(written.ReadString(QStringLiteral("Localizer"), QStringLiteral("NoLanguageFile"), {}),
              QStringLiteral("Die Sprache wird nicht unterstützt"));
}
