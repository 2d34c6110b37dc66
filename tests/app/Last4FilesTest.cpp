#include "app/Last4Files.h"

#include "MasterFixture.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtGui/QAction>

namespace {

class RecentFilesTest : public MasterTest {
protected:
    static QStringList Stored() {
        QStringList values;
        for (int i = 0; i < 4; ++i)
            values << Settings().ReadText(TLast4Files::kSection, "File" + std::to_string(i), QStringLiteral("<none>"));
        return values;
    }

    QString MakeFile(const QString& name) const {
        const QString path = QDir(files.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    QTemporaryDir files;
};

}  // namespace

TEST_F(RecentFilesTest, InsertKeepsFourNewestFirst) {
    struct Case {
        const char* what;
        QStringList before;
        QString path;
        QStringList after;
    };
    const Case cases[] = {
        {"a new path goes first, its case kept", {}, "/Daten/Label.qem", {"/Daten/Label.qem"}},
        {"a fifth path pushes out the oldest", {"/d", "/c", "/b", "/a"}, "/e", {"/e", "/d", "/c", "/b"}},
        {"a known path moves up, the others shift down", {"/d", "/c", "/b", "/a"}, "/a", {"/a", "/d", "/c", "/b"}},
        {"the newest path stays where it is", {"/d", "/c"}, "/d", {"/d", "/c"}},
        {"another case is another file", {"/daten/label.qem"}, "/Daten/Label.qem", {"/Daten/Label.qem", "/daten/label.qem"}},
    };
    for (const Case& c : cases) {
        Settings().EraseSection(TLast4Files::kSection);
        for (int i = 0; i < c.before.size(); ++i) Settings().WriteText(TLast4Files::kSection, "File" + std::to_string(i), c.before[i]);
        TLast4Files list;
        list.Insert(c.path);
        EXPECT_EQ(list.Files(), c.after) << c.what;
    }
}

TEST_F(RecentFilesTest, EmptyValuesAreDroppedAndUnusedValuesDeleted) {
    const std::string section = TLast4Files::kSection;
    Settings().WriteText(section, "File0", QStringLiteral("/x.qem"));
    Settings().WriteText(section, "File1", {});
    Settings().WriteText(section, "File2", QStringLiteral("/y.qem"));
    Settings().WriteText(section, "File3", {});
    {
        TLast4Files list;
        EXPECT_EQ(list.Files(), QStringList({"/x.qem", "/y.qem"}));
    }
    EXPECT_EQ(Stored(), QStringList({"/x.qem", "/y.qem", "<none>", "<none>"}));
}

TEST_F(RecentFilesTest, FileMenuShowsSavedPathsAndOpensThem) {
    TMaster& m = CreateMaster();
    EXPECT_FALSE(m.MenuItem("mnuSepLD")->isVisible());
    EXPECT_FALSE(m.MenuItem("mnuLD1")->isVisible());

    // A long path with an ampersand and capitals, as it was saved.
    const QString longName = QString(200, QLatin1Char('L')) + QStringLiteral(" & Co.qem");
    const QString path = MakeFile(longName);
    const QString missing = QDir(files.path()).filePath(QStringLiteral("Weg.qem"));
    m.RecentFiles().AddFile(missing);
    m.RecentFiles().AddFile(path);
    QAction* first = m.MenuItem("mnuLD1");
    EXPECT_TRUE(m.MenuItem("mnuSepLD")->isVisible());
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->isEnabled());
    QString shown = path;
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    EXPECT_EQ(first->text(), QStringLiteral("&1 ") + shown);
    EXPECT_EQ(m.MenuItem("mnuLD2")->text(), QStringLiteral("&2 ") + missing);
    EXPECT_FALSE(m.MenuItem("mnuLD3")->isVisible());

    // The captions survive a change of language.
    m.mnuSpracheClick(m.MenuItem("mnuSpracheEnglisch"));
    EXPECT_EQ(first->text(), QStringLiteral("&1 ") + shown);

    // The whole path arrives at the loader.
    QStringList loaded;
    m.SetDocumentLoader([&loaded](const QString& p) -> QWidget* {
        loaded << p;
        return nullptr;
    });
    first->trigger();
    EXPECT_EQ(loaded, QStringList({path}));

    // A missing file is named in a warning and stays in the list.
    messages.clear();
    m.MenuItem("mnuLD2")->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, TMessageKind::Warning);
    EXPECT_EQ(messages[0].text, QStringLiteral("The file %1 was not found!").arg(missing));
    EXPECT_EQ(m.RecentFiles().Files(), QStringList({path, missing}));
    EXPECT_EQ(loaded.size(), 1);

    master.reset();
    EXPECT_EQ(Stored(), QStringList({path, missing, "<none>", "<none>"}));
}
