#include "foundation/ZRRegIniFile.h"

#include "foundation/Debug.h"
#include "platform/registry/RegistryStore.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>

namespace {

class LocaleScope {
public:
    explicit LocaleScope(QLocale::Language language) : saved_(QLocale()) { QLocale::setDefault(QLocale(language)); }
    ~LocaleScope() { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

class SettingsStoreTest : public ::testing::Test {
protected:
    QString StorePath() const { return dir_.path() + QStringLiteral("/registry.dat"); }
    TZRRegIniFile& Ini() {
        if (!ini_) ini_ = std::make_unique<TZRRegIniFile>(StorePath());
        return *ini_;
    }
    // Writes a raw string value, as another version of the program might have.
    void Raw(const std::string& section, const std::string& ident, const QString& text) {
        Ini().WriteText(section, ident, text);
    }

    QTemporaryDir dir_;
    std::unique_ptr<TZRRegIniFile> ini_;
};

}  // namespace

TEST_F(SettingsStoreTest, TypedReadsOfStoredTexts) {
    LocaleScope german(QLocale::German);
    struct Case {
        const char* stored;  // nullptr: no value
        int32_t integer;     // ReadInteger with default 7
        bool boolean;        // ReadBool with default true
        double floating;     // ReadFloat with default 2.5
    };
    const Case cases[] = {
        {nullptr, 7, true, 2.5},  {"abc", 7, true, 2.5}, {"2", 2, true, 2.0},     {"0", 0, false, 0.0},
        {"-15", -15, true, -15},  {"0,5", 7, true, 0.5}, {"0.5", 7, true, 2.5},   {"", 7, true, 2.5},
        {"99999999999", 7, true, 99999999999.0},         {"1e3", 7, true, 1000.0},
        // Floats that are no numbers give the default, never NaN or infinity.
        {"nan", 7, true, 2.5},    {"NaN", 7, true, 2.5}, {"inf", 7, true, 2.5},   {"-inf", 7, true, 2.5},
        {"1e999", 7, true, 2.5},  {"-1e999", 7, true, 2.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        Ini().EraseSection("Typen");
        if (c.stored) Raw("Typen", "v", QString::fromLatin1(c.stored));
        EXPECT_EQ(Ini().ReadInteger("Typen", "v", 7), c.integer);
        EXPECT_EQ(Ini().ReadBool("Typen", "v", true), c.boolean);
        EXPECT_DOUBLE_EQ(Ini().ReadFloat("Typen", "v", 2.5), c.floating);
    }
    EXPECT_FALSE(Ini().ReadBool("Typen", "missing", false));
}

TEST_F(SettingsStoreTest, WritesUseTheStringEncoding) {
    LocaleScope german(QLocale::German);
    Ini().WriteFloat("Raster", "Gitterweite2", 0.5);
    Ini().WriteFloat("Raster", "Gross", 12345.25);
    Ini().WriteInteger("Allgemein", "Gitterfarbe", -3);
    Ini().WriteBool("Allgemein", "Gitter", true);
    const std::string ansiPath = "C:\\Etiketten\\Gr\xFC\xDF" "e \x80";  // Windows-1252
    Ini().WriteString("Allgemein", "SaveDir", ansiPath);
    EXPECT_EQ(Ini().ReadString("Raster", "Gitterweite2", ""), "0,5");
    EXPECT_EQ(Ini().ReadString("Raster", "Gross", ""), "12345,25");
    EXPECT_EQ(Ini().ReadString("Allgemein", "Gitterfarbe", ""), "-3");
    EXPECT_EQ(Ini().ReadString("Allgemein", "Gitter", ""), "1");
    EXPECT_EQ(Ini().ReadString("Allgemein", "SaveDir", ""), ansiPath);
    EXPECT_EQ(Ini().ReadText("Allgemein", "SaveDir", {}), QStringLiteral("C:\\Etiketten\\Grüße €"));
    EXPECT_DOUBLE_EQ(Ini().ReadFloat("Raster", "Gitterweite2", 0), 0.5);
    {
        LocaleScope english(QLocale::English);
        EXPECT_DOUBLE_EQ(Ini().ReadFloat("Raster", "Gitterweite2", 9), 9);  // "0,5" is no English number
    }
}

TEST_F(SettingsStoreTest, SectionsAndNestedKeys) {
    Ini().WriteString("", "Version", "Version 1.00");
    EXPECT_TRUE(Ini().Store().ValueExists(QStringLiteral("Software\\Kroxa\\Zorbit Software"), QStringLiteral("Version")));
    Ini().WriteString("freedb\\Sites", "1", "a");
    EXPECT_TRUE(Ini().SectionExists("freedb"));
    EXPECT_TRUE(Ini().SectionExists("freedb\\Sites"));
    EXPECT_EQ(Ini().SectionKey("freedb\\Sites"), "Software\\Kroxa\\Zorbit Software\\freedb\\Sites");

    std::vector<std::string> list = {"unchanged"};
    Ini().ReadSection("Missing", list);
    EXPECT_EQ(list, std::vector<std::string>{"unchanged"});
    for (const char* name : {"C:\\b.qem", "C:\\a.qem", "C:\\c.qem"}) Ini().WriteString("RecentFiles", name, "");
    Ini().WriteString("RecentFiles\\Sub", "not a value of RecentFiles", "");
    Ini().ReadSection("RecentFiles", list);
    EXPECT_EQ(list, (std::vector<std::string>{"C:\\b.qem", "C:\\a.qem", "C:\\c.qem"}));

    Ini().DeleteKey("RecentFiles", "C:\\a.qem");
    Ini().DeleteKey("RecentFiles", "missing");
    Ini().DeleteKey("MissingSection", "x");
    Ini().ReadSection("RecentFiles", list);
    EXPECT_EQ(list, (std::vector<std::string>{"C:\\b.qem", "C:\\c.qem"}));

    Ini().EraseSection("freedb");
    EXPECT_FALSE(Ini().SectionExists("freedb\\Sites"));
    Ini().EraseSection("freedb");  // missing: nothing happens
    EXPECT_EQ(Ini().ReadString("", "Version", ""), "Version 1.00");
}

TEST_F(SettingsStoreTest, ValuesPersistAcrossReopening) {
    Ini().WriteInteger("Drucker", "NoRotate", 1);
    Ini().WriteString("Vorlagen", "101", "Eigene,1,2");
    Ini().WriteString("Vorlagen", "102", "Eigene,3,4");
    ini_.reset();
    TZRRegIniFile again(StorePath());
    EXPECT_EQ(again.ReadInteger("Drucker", "NoRotate", 0), 1);
    std::vector<std::string> names;
    again.ReadSection("Vorlagen", names);
    EXPECT_EQ(names, (std::vector<std::string>{"101", "102"}));
}

TEST_F(SettingsStoreTest, ValuesOfAnotherTypeRaiseOnlyForStringReads) {
    Ini().Store().WriteInteger(QStringLiteral("Software\\Kroxa\\Zorbit Software\\X"), QStringLiteral("dword"), 5);
    EXPECT_THROW(Ini().ReadString("X", "dword", ""), ERegistryException);
    EXPECT_THROW(Ini().ReadInteger("X", "dword", 0), ERegistryException);
    EXPECT_DOUBLE_EQ(Ini().ReadFloat("X", "dword", 1.5), 1.5);
}

TEST_F(SettingsStoreTest, DamagedStoreGivesDefaultsAndAMessage) {
    QFile file(StorePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("ZRSTORE1 damaged beyond repair");
    file.close();
    TZRRegIniFile ini(StorePath());
    EXPECT_EQ(ini.ReadInteger("Allgemein", "DefVorlage", 3), 3);
    const QString message = ini.LoadProblemMessage();
    EXPECT_TRUE(message.contains(StorePath())) << message.toStdString();
    EXPECT_TRUE(message.contains(ini.Store().Problem()->movedTo)) << message.toStdString();
    EXPECT_TRUE(QFile::exists(ini.Store().Problem()->movedTo));
    ini.WriteInteger("Allgemein", "DefVorlage", 4);
    EXPECT_EQ(TZRRegIniFile(StorePath()).ReadInteger("Allgemein", "DefVorlage", 0), 4);
}

TEST_F(SettingsStoreTest, ADamagedProcessStoreIsReportedOnTheTraceOutput) {
    QFile file(StorePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("garbage");
    file.close();
    QStringList lines;
    Debug().SetSink([&](const QString& line) { lines << line; });
    UseSettingsFile(StorePath());
    Debug().SetSink({});
    EXPECT_EQ(Settings().ReadInteger("", "Sprache", -99), -99);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(StorePath()) && lines[0].contains(QStringLiteral("defaults"))) << lines[0].toStdString();
    UseSettingsFile(registry::Store::DefaultFilePath());
}

TEST_F(SettingsStoreTest, TheUsersStoreLivesInTheConfigFolder) {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_EQ(registry::Store::DefaultFilePath(), config + QStringLiteral("/zorbit/registry.dat"));
}

TEST(DataFolders, DataFileIsMovedFromTheProgramFolder) {
    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/program");
    const QString appData = dir.path() + QStringLiteral("/appdata");
    QDir().mkpath(program);
    auto put = [](const QString& path, const QByteArray& content) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    };
    put(program + QStringLiteral("/Gradient.ini"), "old");

    const QString data = DataFolderBelow(appData, program);
    EXPECT_EQ(data, appData + QStringLiteral("/Kroxa/Zorbit Software/"));
    const QString path = GetDataFilePath(QStringLiteral("Gradient.ini"), data, program);
    EXPECT_EQ(path, data + QStringLiteral("Gradient.ini"));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(program + QStringLiteral("/Gradient.ini")));

    // A copy in the data folder wins; the program folder's stays untouched.
    put(program + QStringLiteral("/Gradient.ini"), "older");
    EXPECT_EQ(GetDataFilePath(QStringLiteral("Gradient.ini"), data, program), path);
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old");
    EXPECT_TRUE(QFile::exists(program + QStringLiteral("/Gradient.ini")));

    // Neither has it: the path names the data folder's file, nothing is made.
    EXPECT_FALSE(QFile::exists(GetDataFilePath(QStringLiteral("custcolo.dat"), data, program)));
}

TEST(DataFolders, UncreatableDataFolderFallsBackToTheProgramFolder) {
    QTemporaryDir dir;
    const QString program = dir.path() + QStringLiteral("/program");
    QDir().mkpath(program);
    const QString blocker = dir.path() + QStringLiteral("/file");  // a file where a folder should be
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QFile old(program + QStringLiteral("/custcolo.dat"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();

    const QString data = DataFolderBelow(blocker, program);
    EXPECT_EQ(data, program + QStringLiteral("/"));
    EXPECT_EQ(GetDataFilePath(QStringLiteral("custcolo.dat"), data, program), program + QStringLiteral("/custcolo.dat"));
    EXPECT_TRUE(QFile::exists(program + QStringLiteral("/custcolo.dat")));
}

// File dialogs start in this folder: it must exist, or they open in the
// working folder.
TEST(DataFolders, PersonalFolderIsAnExistingFolder) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString personal = GetPersonalFolder();
    EXPECT_TRUE(QFileInfo(personal).isDir()) << personal.toStdString();
    if (!QFileInfo(documents).isDir()) EXPECT_EQ(QDir(personal), QDir::home());
}
