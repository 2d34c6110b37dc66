// The template manager: the list of descriptions, renaming and deleting.
#include "design/TemplateIndex.h"
#include "design/widgets/DlgVorlagenVerwalten.h"

#include "../support/FormTexts.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

namespace {

QStringList Shown(const TDlgVorlagenVerwalten& dialog) {
    QStringList texts;
    for (int i = 0; i < dialog.lbVorlagen->count(); ++i) texts << dialog.lbVorlagen->item(i)->text();
    return texts;
}

class TemplateManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
        Localizer().SetLanguage(0);
        for (const char* description : {"Adressen", "CD-Hülle", "Geschenke"})
            index.SaveTemplate(QString::fromUtf8(description), [](const QString& path) {
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            });
    }
    void TearDown() override { Localizer().SetLanguage(0); }

    QTemporaryDir dir;
    TTemplateIndex index{dir.filePath(QStringLiteral("Vorlagen"))};
};

}  // namespace

TEST_F(TemplateManagerTest, RenamesAndDeletesInTheIndexAndTheList) {
    TDlgVorlagenVerwalten dialog(index);
    EXPECT_EQ(Shown(dialog), QStringList({"Adressen", "CD-Hülle", "Geschenke"}));
    QStringList asked;
    dialog.InputQuery = [&](const QString& caption, const QString&, QString& text) {
        asked << caption + QLatin1Char(':') + text;
        text.clear();
        return true;
    };
    bool confirm = false;
    dialog.Confirm = [&](const QString& question) {
        asked << question;
        return confirm;
    };

    // An empty description is kept as such.
    dialog.lbVorlagen->setCurrentRow(1);
    dialog.BtnUmbenennenClick();
    EXPECT_EQ(index.Templates()[1].Description, QString());
    EXPECT_EQ(Shown(dialog), QStringList({"Adressen", "", "Geschenke"}));

    dialog.lbVorlagen->setCurrentRow(0);
    dialog.BtnLoeschenClick();  // answered No
    EXPECT_EQ(index.Templates().size(), 3u);
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0], QStringLiteral("Vorlage umbenennen:CD-Hülle"));
    EXPECT_EQ(asked[1], QStringLiteral("Soll die markierte Vorlage\n\n\"Adressen\"\n\nwirklich gelöscht werden?"));

    confirm = true;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(dialog.BtnLoeschen->isEnabled());
        dialog.BtnLoeschenClick();
    }
    EXPECT_TRUE(index.Templates().empty());
    EXPECT_TRUE(QDir(index.Folder()).entryList({QStringLiteral("*.sty")}).isEmpty());
    EXPECT_FALSE(dialog.BtnLoeschen->isEnabled());
    EXPECT_FALSE(dialog.BtnUmbenennen->isEnabled());
    dialog.BtnLoeschenClick();  // nothing left: nothing happens
}

TEST_F(TemplateManagerTest, TextsInBothLanguages) {
    TDlgVorlagenVerwalten dialog(index);
    // The list shows the user's descriptions.
    const auto descriptions = [](const QString& key) { return key.startsWith(QLatin1String("lbVorlagen.Items")); };
    EXPECT_GE(ExpectFormTextsInBothLanguages({&dialog}, descriptions), 5);
    Localizer().SetLanguage(1);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Manage templates"));
    EXPECT_EQ(Shown(dialog), QStringList({"Adressen", "CD-Hülle", "Geschenke"}));
}
