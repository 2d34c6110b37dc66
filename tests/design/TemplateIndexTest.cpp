// The template folder, the index "styles.ini" and the template files.
#include "design/TemplateIndex.h"

#include "foundation/Exceptions.h"
#include "foundation/MyMemIniFile.h"
#include "foundation/ZRRegIniFile.h"
#include "support/Files.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// The contents of a small stand-in document.
constexpr char kStandInDocument[] = "TUVI_0101";

class TemplateTest : public ::testing::Test {
protected:
    TemplateTest() : folder(dir.path() + QStringLiteral("/Vorlagen")), index(folder) {}

    TMyMemIniFile& Ini() {
        ini.LoadFromFile(QFile::encodeName(index.IndexPath()).toStdString());
        return ini;
    }
    QStringList Files() const { return QDir(folder).entryList({QStringLiteral("*.sty")}, QDir::Files, QDir::Name); }
    static TTemplateWriter Writer() {
        return [](const QString& path) { WriteFile(path, kStandInDocument); };
    }

    QTemporaryDir dir;
    QString folder;
    TTemplateIndex index;
    TMyMemIniFile ini;
};

}  // namespace

TEST(TemplateFolder, SettingOrTheDataFolder) {
    EXPECT_EQ(TemplateFolderFrom(QString(), QStringLiteral("/home/u/.local/share/Kroxa/Zorbit Software/")),
              QStringLiteral("/home/u/.local/share/Kroxa/Zorbit Software/Styles/"));
    EXPECT_EQ(TemplateFolderFrom(QStringLiteral("/srv/vorlagen"), QStringLiteral("/data/")),
              QStringLiteral("/srv/vorlagen/"));
    EXPECT_EQ(TemplateFolderFrom(QStringLiteral("/srv/vorlagen/"), QStringLiteral("/data/")),
              QStringLiteral("/srv/vorlagen/"));

    EXPECT_EQ(GetTemplateFolder(), GetDataFolder() + QStringLiteral("Styles/"));
    Settings().WriteText("StyleDir", "StyleDir", QStringLiteral("/srv/vorlagen"));
    EXPECT_EQ(GetTemplateFolder(), QStringLiteral("/srv/vorlagen/"));
    Settings().EraseSection("StyleDir");
}

TEST_F(TemplateTest, NumbersFollowMaxAndAreNeverUsedTwice) {
    EXPECT_EQ(index.IndexPath(), folder + QStringLiteral("/styles.ini"));
    EXPECT_EQ(index.SaveTemplate(QStringLiteral("Adressen"), Writer()), folder + QStringLiteral("/STIL1.sty"));
    EXPECT_EQ(index.SaveTemplate(QStringLiteral("CD"), Writer()), folder + QStringLiteral("/STIL2.sty"));
    EXPECT_EQ(Ini().ReadInteger("Allgemein", "Max", 0), 2);
    index.DeleteTemplate(QStringLiteral("STIL1.sty"));
    EXPECT_EQ(index.SaveTemplate(QStringLiteral("Neu"), Writer()), folder + QStringLiteral("/STIL3.sty"));

    // An index that has come to 6 goes on with 7 and 8.
    Ini().WriteInteger("Allgemein", "Max", 6);
    ini.SaveToFile(QFile::encodeName(index.IndexPath()).toStdString());
    EXPECT_EQ(index.SaveTemplate(QStringLiteral("sieben"), Writer()), folder + QStringLiteral("/STIL7.sty"));
    EXPECT_EQ(index.NewTemplateFileName(), folder + QStringLiteral("/STIL8.sty"));
    EXPECT_EQ(Ini().ReadInteger("Allgemein", "Max", 0), 8);
    EXPECT_EQ(Files(), QStringList({"STIL2.sty", "STIL3.sty", "STIL7.sty"}));

    // A file or entry of a number that "Max" has not reached yet is kept.
    WriteFile(folder + QStringLiteral("/STIL9.sty"), "fremd");
    index.RegisterTemplate(QStringLiteral("STIL10.sty"), QStringLiteral("von Hand"));
    EXPECT_EQ(index.SaveTemplate(QStringLiteral("elf"), Writer()), folder + QStringLiteral("/STIL11.sty"));
    EXPECT_EQ(ReadFile(folder + QStringLiteral("/STIL9.sty")), QByteArray("fremd"));
}

TEST_F(TemplateTest, AMaxOutOfRangeStillGivesAFreeNumber) {
    struct Case {
        const char* max;
        const char* expected;
    };
    // STIL1.sty is taken, so a "Max" that counts as 0 goes on with 2.
    const Case cases[] = {
        {"9223372036854775807", "STIL2.sty"}, {"-5", "STIL2.sty"},         {"2147483648", "STIL2.sty"},
        {"abc", "STIL2.sty"},                 {"2147483646", "STIL2147483647.sty"},
        {"2147483647", "STIL2.sty"},  // after the largest number it starts again at 1
    };
    index.SaveTemplate(QStringLiteral("eins"), Writer());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.max);
        Ini().WriteString("Allgemein", "Max", QString::fromLatin1(c.max));
        ini.SaveToFile(QFile::encodeName(index.IndexPath()).toStdString());
        EXPECT_EQ(index.NewTemplateFileName(), folder + u'/' + QString::fromLatin1(c.expected));
        EXPECT_EQ(Ini().ReadString("Allgemein", "Max", QString()), QString::fromLatin1(c.expected).mid(4).chopped(4));
    }
}

TEST_F(TemplateTest, TheListInTheOrderOfTheIndex) {
    index.SaveTemplate(QStringLiteral("Adressen"), Writer());
    index.SaveTemplate(QStringLiteral("Grüße zum Fest"), Writer());
    index.SaveTemplate(QStringLiteral("  CD mit Leerzeichen "), Writer());
    // Beyond Windows-1252: the index is then written in UTF-16.
    index.SaveTemplate(QStringLiteral("Sterne ★ und Ω"), Writer());
    const std::vector<TTemplateEntry> list = index.Templates();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].FileName, QStringLiteral("STIL1.sty"));
    EXPECT_EQ(list[0].Description, QStringLiteral("Adressen"));
    EXPECT_EQ(list[1].Description, QStringLiteral("Grüße zum Fest"));
    EXPECT_EQ(list[2].FileName, QStringLiteral("STIL3.sty"));
    EXPECT_EQ(list[2].Description, QStringLiteral("  CD mit Leerzeichen "));
    EXPECT_EQ(list[3].Description, QStringLiteral("Sterne ★ und Ω"));
}

TEST_F(TemplateTest, AFailingWriterLeavesNoEntryAndNoFile) {
    index.SaveTemplate(QStringLiteral("erste"), Writer());
    const auto failing = [](const QString& path) {
        WriteFile(path, "halb");  // a partial file
        throw EWriteError("Die Datei konnte nicht geschrieben werden.");
    };
    EXPECT_THROW(index.SaveTemplate(QStringLiteral("zweite"), failing), EWriteError);
    EXPECT_EQ(Files(), QStringList({"STIL1.sty"}));
    ASSERT_EQ(index.Templates().size(), 1u);
    EXPECT_EQ(index.Templates()[0].Description, QStringLiteral("erste"));
    // The number stays used.
    EXPECT_EQ(index.SaveTemplate(QStringLiteral("dritte"), Writer()), folder + QStringLiteral("/STIL3.sty"));
}

TEST_F(TemplateTest, ARegistrationThatFailsTakesTheFileAway) {
    index.SaveTemplate(QStringLiteral("erste"), Writer());
    // While the template is written, a folder takes the index file's place.
    const auto writeAndSpoil = [this](const QString& path) {
        WriteFile(path, kStandInDocument);
        QFile::remove(index.IndexPath());
        QDir().mkpath(index.IndexPath());
    };
    EXPECT_THROW(index.SaveTemplate(QStringLiteral("zweite"), writeAndSpoil), Exception);
    EXPECT_EQ(Files(), QStringList({"STIL1.sty"}));
}

TEST_F(TemplateTest, RenamingAndDeleting) {
    index.SaveTemplate(QStringLiteral("Adressen"), Writer());
    index.SaveTemplate(QStringLiteral("CD"), Writer());

    index.RenameTemplate(QStringLiteral("STIL2.sty"), QStringLiteral("CD-Hülle\r\nzweite Zeile"));
    index.RenameTemplate(QStringLiteral("STIL1.sty"), QString());
    std::vector<TTemplateEntry> list = index.Templates();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].FileName, QStringLiteral("STIL1.sty"));
    EXPECT_EQ(list[0].Description, QString());
    EXPECT_EQ(list[1].Description, QStringLiteral("CD-Hülle  zweite Zeile"));

    index.DeleteTemplate(QStringLiteral("STIL1.sty"));
    EXPECT_EQ(Files(), QStringList({"STIL2.sty"}));
    // A template whose file is gone already still leaves the index.
    QFile::remove(folder + QStringLiteral("/STIL2.sty"));
    index.DeleteTemplate(QStringLiteral("STIL2.sty"));
    EXPECT_TRUE(index.Templates().empty());
    EXPECT_EQ(Ini().ReadInteger("Allgemein", "Max", 0), 2);
}

TEST_F(TemplateTest, AnEntryNamingAPathDeletesNoFileOutsideTheFolder) {
    WriteFile(dir.path() + QStringLiteral("/wichtig.qem"), "behalten");
    index.RegisterTemplate(QStringLiteral("../wichtig.qem"), QStringLiteral("untergeschoben"));
    index.DeleteTemplate(QStringLiteral("../wichtig.qem"));
    EXPECT_TRUE(QFileInfo::exists(dir.path() + QStringLiteral("/wichtig.qem")));
    EXPECT_TRUE(index.Templates().empty());
}

TEST_F(TemplateTest, TheCommandAsksAndRefusesAnEmptyName) {
    QStringList asked, errors, infos;
    QString answer;
    bool ok = true;
    TSaveTemplateUi ui;
    ui.InputQuery = [&](const QString& caption, const QString& prompt, QString& text) {
        asked << caption << prompt << text;
        text = answer;
        return ok;
    };
    ui.ShowError = [&](const QString& text) { errors << text; };
    ui.ShowInformation = [&](const QString& text) { infos << text; };

    answer = QStringLiteral("Einladung");
    EXPECT_TRUE(SaveAsTemplateCommand(index, ui, Writer()));
    EXPECT_EQ(asked, QStringList({"Neue Vorlage", "Bitte geben Sie die Beschreibung der neuen Vorlage ein.", "Neu"}));
    EXPECT_EQ(infos, QStringList({"Vorlage wurde gespeichert"}));
    EXPECT_EQ(index.Templates().size(), 1u);

    answer.clear();
    EXPECT_FALSE(SaveAsTemplateCommand(index, ui, Writer()));
    EXPECT_EQ(errors, QStringList({"Vorlage ohne Namen kann nicht gespeichert werden"}));
    ok = false;
    answer = QStringLiteral("abgebrochen");
    EXPECT_FALSE(SaveAsTemplateCommand(index, ui, Writer()));
    EXPECT_EQ(index.Templates().size(), 1u);
    EXPECT_EQ(Files(), QStringList({"STIL1.sty"}));
    EXPECT_EQ(infos.size(), 1);
}
