#include "document/widgets/DlgVideoFelder.h"

#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include <deque>

namespace {

class DlgVideoFelderTest : public ::testing::Test {
protected:
    DlgVideoFelderTest() {
        UseSettingsFile(dir.path() + QStringLiteral("/registry.dat"));
        fields.LoadDefaults();
    }

    // A dialog whose questions are answered from the lists below.
    std::unique_ptr<TDlgVideoFelder> Dialog() {
        auto dialog = std::make_unique<TDlgVideoFelder>();
        dialog->InputQuery = [this](const QString& caption, const QString& prompt, QString& text) {
            asked << caption + QLatin1Char('|') + prompt + QLatin1Char('|') + text;
            if (answers.empty()) return false;
            const QString answer = answers.front();
            answers.pop_front();
            if (answer == QLatin1String("<cancel>")) return false;
            text = answer;
            return true;
        };
        dialog->Confirm = [this](const QString& question) {
            asked << question;
            return confirm;
        };
        dialog->SetFields(fields);
        return dialog;
    }

    static QStringList Items(const TDlgVideoFelder& d) {
        QStringList items;
        for (int i = 0; i < d.lbFelder->count(); ++i) items << d.lbFelder->item(i)->text();
        return items;
    }

    QTemporaryDir dir;
    TFeldListe fields{TFeldListe::EmptyTag{}};
    std::deque<QString> answers;
    bool confirm = true;
    QStringList asked;
};

}  // namespace

TEST_F(DlgVideoFelderTest, ShowsTheNamesWithTheFirstSelected) {
    auto d = Dialog();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Felder bearbeiten"));
    EXPECT_EQ(Items(*d).size(), 12);
    EXPECT_EQ(Items(*d)[10], QStringLiteral("Kassettenlänge"));
    EXPECT_EQ(d->lbFelder->currentRow(), 0);
}

TEST_F(DlgVideoFelderTest, NewAndRename) {
    auto d = Dialog();
    answers = {QStringLiteral("Regisseur"), QString(), QStringLiteral("<cancel>")};
    d->cmdNeuClick();
    d->cmdNeuClick();  // empty name: nothing
    d->cmdNeuClick();  // cancelled: nothing
    EXPECT_EQ(asked.first(), QStringLiteral("Neues Feld|Bitte geben Sie den Namen des neuen Feldes ein.|"));
    EXPECT_EQ(d->Fields().Count(), 13);
    EXPECT_EQ(d->Fields().Names.back(), "Regisseur");
    EXPECT_EQ(d->Fields().Ids.back(), "100013");
    EXPECT_EQ(d->lbFelder->currentRow(), 12);

    d->lbFelder->setCurrentRow(1);
    asked.clear();
    answers = {QStringLiteral("Länge")};
    d->cmdUmbenennenClick();
    EXPECT_EQ(asked.first(),
              QStringLiteral("Feld umbenennen|Bitte geben Sie den neuen Namen des Feldes ein.|Spieldauer1"));
    EXPECT_EQ(d->Fields().Names[1], "L\xE4nge");
    EXPECT_EQ(d->Fields().Ids[1], "100002");
    EXPECT_EQ(d->lbFelder->item(1)->text(), QStringLiteral("Länge"));
    EXPECT_EQ(d->lbFelder->currentRow(), 1);

    answers = {QString()};
    d->cmdUmbenennenClick();  // an empty name changes nothing
    EXPECT_EQ(d->Fields().Names[1], "L\xE4nge");
}

TEST_F(DlgVideoFelderTest, DeleteAsksFirst) {
    auto d = Dialog();
    d->lbFelder->setCurrentRow(2);
    confirm = false;
    d->cmdLoeschenClick();
    EXPECT_EQ(asked, QStringList{QStringLiteral("Soll das ausgewählte Feld wirklich gelöscht werden?")});
    EXPECT_EQ(d->Fields().Count(), 12);
    confirm = true;
    d->cmdLoeschenClick();
    EXPECT_EQ(d->Fields().Count(), 11);
    EXPECT_EQ(Items(*d).size(), 11);
    EXPECT_EQ(d->Fields().GetNameById("100003"), "<Nicht gefunden>");
    EXPECT_EQ(d->lbFelder->currentItem()->text(), QStringLiteral("Hauptdarsteller1"));
    answers = {QStringLiteral("Neu")};
    d->cmdNeuClick();
    EXPECT_EQ(d->Fields().Ids.back(), "100013");
}

TEST_F(DlgVideoFelderTest, ArrowsMoveTheSelectedField) {
    auto d = Dialog();
    d->cmdUpClick();  // the first cannot go up
    EXPECT_EQ(d->Fields().Names[0], "Titel1");
    d->cmdDownClick();
    EXPECT_EQ(d->Fields().Names[1], "Titel1");
    EXPECT_EQ(d->Fields().Ids[1], "100001");
    EXPECT_EQ(Items(*d)[0], QStringLiteral("Spieldauer1"));
    EXPECT_EQ(d->lbFelder->currentRow(), 1);
    d->lbFelder->setCurrentRow(11);
    d->cmdDownClick();  // the last cannot go down
    EXPECT_EQ(d->Fields().Names[11], "Kassettennummer");
    d->cmdUpClick();
    EXPECT_EQ(d->Fields().Names[10], "Kassettennummer");
    EXPECT_EQ(d->lbFelder->currentRow(), 10);
}

TEST_F(DlgVideoFelderTest, TickedBoxMakesTheNamesTheDefault) {
    {
        auto d = Dialog();
        answers = {QStringLiteral("Extra")};
        d->cmdNeuClick();
    }
    EXPECT_EQ(TFeldListe().Count(), 12);  // not ticked: the settings stay
    {
        auto d = Dialog();
        answers = {QStringLiteral("Extra")};
        d->cmdNeuClick();
        d->cbStandard->setChecked(true);
    }
    const TFeldListe fresh;
    EXPECT_EQ(fresh.Count(), 13);
    EXPECT_EQ(fresh.Names.back(), "Extra");
}

// EditFields runs the dialog modally; closing it with the close box still
// takes the edited list.
TEST_F(DlgVideoFelderTest, EditFieldsTakesTheListHoweverTheDialogCloses) {
    InstallFieldListEditor();
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<TDlgVideoFelder*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->InputQuery = [](const QString&, const QString&, QString& text) {
            text = QStringLiteral("Zusatz");
            return true;
        };
        d->cmdNeuClick();
        ran = true;
        d->close();
    });
    EXPECT_TRUE(fields.EditFields());
    SetFieldListEditor({});
    EXPECT_TRUE(ran);
    EXPECT_EQ(fields.Count(), 13);
    EXPECT_EQ(fields.Names.back(), "Zusatz");
}

TEST_F(DlgVideoFelderTest, EnglishTexts) {
    Localizer().SetLanguage(1);
    auto d = Dialog();
    d->show();
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Edit fields"));
    EXPECT_EQ(d->cmdNeu->text(), QStringLiteral("&New"));
    EXPECT_EQ(d->lblStandard->text(), QStringLiteral("as the default for new labels"));
    EXPECT_EQ(d->cmdDown->toolTip(), QStringLiteral("Move field down"));
    d->cmdNeuClick();
    EXPECT_EQ(asked.first(), QStringLiteral("New field|Please enter the name of the new field.|"));
    EXPECT_EQ(Items(*d).size(), 12);  // the names are data, not texts
    Localizer().SetLanguage(0);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Felder bearbeiten"));
    EXPECT_EQ(d->cbStandard->text(), QStringLiteral("diese Felder"));
}
