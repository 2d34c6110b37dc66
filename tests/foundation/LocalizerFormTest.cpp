#include "foundation/widgets/LocalizerForm.h"

#include "foundation/Localizer.h"
#include "foundation/LanguageFiles.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>
#include <QtGui/QAction>
#include <QtGui/QKeySequence>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabWidget>

namespace {

// A panel with its own section, nested in the dialog below.
class TNestedPanel : public TLocalizerWidget {
    Q_OBJECT
public:
    explicit TNestedPanel(QWidget* parent) : TLocalizerWidget(parent) {
        label = new QLabel(QStringLiteral("Vorschau"), this);
        label->setObjectName(QStringLiteral("lblName"));  // same name as in the dialog
        Localize();
    }
    QLabel* label;
};

class TDlgSprachTest : public TLocalizerDialog {
    Q_OBJECT
public:
    TDlgSprachTest() {
        setWindowTitle(QStringLiteral("Sprachtest"));
        label = Named(new QLabel(QStringLiteral("Name:"), this), "lblName");
        ok = Named(new QPushButton(QStringLiteral("Übernehmen"), this), "btnUebernehmen");
        ok->setToolTip(QStringLiteral("Änderungen übernehmen"));
        grid = Named(new QCheckBox(QStringLiteral("Gitter anzeigen"), this), "cbGitter");
        group = Named(new QGroupBox(QStringLiteral("Ausrichtung"), this), "gbAusrichtung");
        unit = Named(new QComboBox(this), "cbEinheit");
        unit->addItems({QStringLiteral("Millimeter"), QStringLiteral("Zoll"), QStringLiteral("Punkt")});
        name = Named(new QLineEdit(QStringLiteral("Etikett"), this), "edName");
        tabs = Named(new QTabWidget(this), "pcSeiten");
        tabs->addTab(Named(new QWidget, "tsAllgemein"), QStringLiteral("Allgemein"));
        action = Named(new QAction(QStringLiteral("Neu"), this), "actNeu");
        summary = new QLabel(this);  // no name: set by AfterLocalize
        buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        nested = new TNestedPanel(this);
        Localize();
    }

    void BeforeLocalize() override { RegisterText(QStringLiteral("Summary"), QStringLiteral("%s in %s")); }
    void AfterLocalize() override {
        summary->setText(FormatText(GetText(QStringLiteral("Summary")), {name->text(), unit->itemText(0)}));
        ++afterLocalizeCount;
    }

    QStringList Snapshot() const {
        QStringList items;
        for (int i = 0; i < unit->count(); ++i) items << unit->itemText(i);
        QStringList s = {windowTitle(),  label->text(), ok->text(),       ok->toolTip(),  grid->text(),
                         group->title(), items.join(QLatin1Char('|')),   name->text(),   tabs->tabText(0),
                         action->text(), summary->text(), nested->label->text()};
        for (QAbstractButton* b : buttons->buttons()) s << b->text();
        return s;
    }

    template <class T>
    static T* Named(T* object, const char* objectName) {
        object->setObjectName(QString::fromLatin1(objectName));
        return object;
    }

    QLabel* label;
    QPushButton* ok;
    QCheckBox* grid;
    QGroupBox* group;
    QComboBox* unit;
    QLineEdit* name;
    QTabWidget* tabs;
    QAction* action;
    QLabel* summary;
    QDialogButtonBox* buttons;
    TNestedPanel* nested;
    int afterLocalizeCount = 0;
};

class LocalizerFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteLanguageFile(dir_.path(), "deu",
                          {"[Default]", "[TDlgSprachTest]", "DlgSprachTest.Caption=Sprachtest", "lblName.Caption=Name:",
                           "btnUebernehmen.Caption=Übernehmen", "btnUebernehmen.Hint=Änderungen übernehmen",
                           "cbGitter.Caption=Gitter anzeigen", "gbAusrichtung.Caption=Ausrichtung",
                           "cbEinheit.Items0=Millimeter", "cbEinheit.Items1=Zoll", "cbEinheit.Items2=Punkt",
                           "edName.Text=Etikett", "tsAllgemein.Caption=Allgemein", "actNeu.Caption=Neu",
                           "[TNestedPanel]", "lblName.Caption=Vorschau"});
        WriteLanguageFile(dir_.path(), "eng",
                          {"[Default]", "IDS_mbCancel=Cancel", "XSmkcCtrl=Ctrl+", "XSmkcBkSp=Backspace", "[TDlgSprachTest]",
                           "DlgSprachTest.Caption=Language test", "lblName.Caption=Name:",
                           "btnUebernehmen.Caption=Apply", "btnUebernehmen.Hint=Apply the changes",
                           "gbAusrichtung.Caption=Alignment", "cbEinheit.Items0=Millimetres", "cbEinheit.Items1=Inches",
                           "cbEinheit.Items2=Points", "cbEinheit.Items3=Pixels", "edName.Text=Label",
                           "tsAllgemein.Caption=General", "actNeu.Caption=New", "Summary=%s, measured in %s",
                           "[TNestedPanel]", "lblName.Caption=Preview"});
        saved_ = Localizer().ResourceFolder();
        Localizer().SetResourceFolder(dir_.path());
        Localizer().SetLanguage(0);
    }
    void TearDown() override {
        Localizer().SetResourceFolder(saved_);
        Localizer().SetLanguage(0);
    }
    static void Switch(int language) {
        Localizer().SetLanguage(language);
        QApplication::processEvents();  // Qt's own widgets re-text on the posted language change
    }

    QTemporaryDir dir_;
    QString saved_;
};

}  // namespace

TEST_F(LocalizerFormTest, SwitchesToEnglishAndBackWithIdenticalTexts) {
    TDlgSprachTest dialog;
    QApplication::processEvents();
    const QStringList german = dialog.Snapshot();
    const QStringList expectedGerman = {"Sprachtest", "Name:", "Übernehmen", "Änderungen übernehmen", "Gitter anzeigen",
                                        "Ausrichtung", "Millimeter|Zoll|Punkt", "Etikett", "Allgemein", "Neu",
                                        "Etikett in Millimeter", "Vorschau", "OK", "Abbrechen"};
    EXPECT_EQ(german, expectedGerman);
    EXPECT_EQ(QKeySequence(QStringLiteral("Ctrl+Backspace")).toString(QKeySequence::NativeText), QStringLiteral("Strg+Rück"));

    Switch(1);
    const QStringList english = dialog.Snapshot();
    const QStringList expectedEnglish = {"Language test", "Name:", "Apply", "Apply the changes",
                                         "Gitter anzeigen",  // no English key: the built-in text
                                         "Alignment", "Millimetres|Inches|Points|Pixels", "Label", "General", "New",
                                         "Label, measured in Millimetres", "Preview", "OK", "Cancel"};
    EXPECT_EQ(english, expectedEnglish);
    EXPECT_EQ(QKeySequence(QStringLiteral("Ctrl+Backspace")).toString(QKeySequence::NativeText), QStringLiteral("Ctrl+Backspace"));

    for (int round = 0; round < 2; ++round) {
        Switch(0);
        EXPECT_EQ(dialog.Snapshot(), german);
        Switch(1);
        EXPECT_EQ(dialog.Snapshot(), english);
    }
    Switch(0);
    EXPECT_EQ(dialog.Snapshot(), german);
    EXPECT_EQ(dialog.afterLocalizeCount, 7);  // once when made, once per switch
}

TEST_F(LocalizerFormTest, ItemsThatCodeAddedSurviveLanguageSwitches) {
    TDlgSprachTest dialog;
    dialog.unit->addItem(QStringLiteral("Twips"), 42);
    dialog.unit->setCurrentIndex(3);
    const auto items = [&] {
        QStringList texts;
        for (int i = 0; i < dialog.unit->count(); ++i) texts << dialog.unit->itemText(i);
        return texts.join(QLatin1Char('|'));
    };
    for (int round = 0; round < 2; ++round) {
        // English names one item more than the window has by design: it goes
        // after the design-time items, before the one that code added.
        Switch(1);
        EXPECT_EQ(items(), QStringLiteral("Millimetres|Inches|Points|Pixels|Twips"));
        EXPECT_EQ(dialog.unit->itemData(4).toInt(), 42);
        EXPECT_EQ(dialog.unit->currentText(), QStringLiteral("Twips"));
        Switch(0);
        EXPECT_EQ(items(), QStringLiteral("Millimeter|Zoll|Punkt|Twips"));
        EXPECT_EQ(dialog.unit->itemData(3).toInt(), 42);
        EXPECT_EQ(dialog.unit->currentText(), QStringLiteral("Twips"));
    }
}

TEST_F(LocalizerFormTest, DamagedLanguageKeepsTheWindowTexts) {
    TDlgSprachTest dialog;
    const QStringList german = dialog.Snapshot();
    WriteRawFile(dir_.path() + QStringLiteral("/eng.ini"), QByteArray("\xFF\xFE[\0", 3));
    EXPECT_THROW(Localizer().SetLanguage(1), ELanguageError);
    QApplication::processEvents();
    EXPECT_EQ(dialog.Snapshot(), german);
    EXPECT_EQ(Localizer().LanguageIndex(), 0);
}

TEST_F(LocalizerFormTest, WindowsLocalizeThemselvesWhenShown) {
    Switch(1);
    TLocalizerDialog plain;
    plain.setObjectName(QStringLiteral("DlgPlain"));
    auto* label = new QLabel(QStringLiteral("unverändert"), &plain);
    label->setObjectName(QStringLiteral("lblName"));
    EXPECT_FALSE(plain.IsLocalized());
    plain.show();
    EXPECT_TRUE(plain.IsLocalized());
    EXPECT_EQ(plain.SectionName(), QStringLiteral("QDialog"));  // no Q_OBJECT of its own
    EXPECT_EQ(label->text(), QStringLiteral("unverändert"));
}

#include "LocalizerFormTest.moc"
