#include "document/Etikett.h"
#include "document/LabelTypes.h"
#include "document/widgets/DlgDefEtikett.h"
#include "document/widgets/DlgSelEtikett.h"

#include "controls/ControlsTesting.h"
#include "controls/ValidateEdit.h"
#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"
#include "SheetTesting.h"
#include "support/FormTexts.h"
#include "support/Screenshot.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

class LabelTypeTest : public ::testing::Test {
protected:
    LabelTypeTest() {
        UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
        Localizer().SetLanguage(0);
    }
    ~LabelTypeTest() override { Localizer().SetLanguage(0); }

    static void StoreUserType(const std::string& number, const std::string& name, float width = 105, float height = 38) {
        TEtikett sheet;
        TLabelTypeDefinition d;
        d.LabelWidth = width;
        d.LabelHeight = height;
        d.Across = 2;
        d.Down = 7;
        d.MarginTop = 16;
        d.Name = name;
        ApplyLabelTypeDefinition(sheet, d);
        sheet.SaveToSettings(kUserLabelTypeSection, number);
    }

    // A selection dialog whose definition dialog answers with `answer`.
    std::unique_ptr<TDlgSelEtikett> Dialog() {
        auto dialog = std::make_unique<TDlgSelEtikett>();
        dialog->EditDefinition = [this](TLabelTypeDefinition& d) {
            edited.push_back(d);
            if (!answer) return false;
            d = *answer;
            return true;
        };
        dialog->Confirm = [this](const QString& question) {
            questions << question;
            return confirm;
        };
        return dialog;
    }

    static TLabelTypeDefinition Definition(double w, double h, int across, int down, double left = 0, double top = 0,
                                           double gapX = 0, double gapY = 0, const std::string& name = "Eigene") {
        TLabelTypeDefinition d;
        d.LabelWidth = w;
        d.LabelHeight = h;
        d.Across = across;
        d.Down = down;
        d.MarginLeft = left;
        d.MarginTop = top;
        d.GapX = gapX;
        d.GapY = gapY;
        d.Name = name;
        return d;
    }

    QTemporaryDir dir;
    std::optional<TLabelTypeDefinition> answer;
    std::vector<TLabelTypeDefinition> edited;
    bool confirm = true;
    QStringList questions;
};

std::vector<std::string> Keys(const TLabelTypeDefinition& d) {
    std::vector<std::string> keys;
    for (const char* key : LabelTypeDefinitionProblems(d)) keys.emplace_back(key);
    return keys;
}

}  // namespace

TEST_F(LabelTypeTest, DefinitionChecksInOrder) {
    struct Case {
        const char* what;
        TLabelTypeDefinition definition;
        std::vector<std::string> keys;
    };
    const Case cases[] = {
        {"2 x 7 of 105 x 38 from 16 mm: 210 by 282", Definition(105, 38, 2, 7, 0, 16), {}},
        {"3 x 70 from 1 mm: 211, the tolerance", Definition(70, 38, 3, 7, 1), {}},
        {"3 x 70 from 1.5 mm: 211.5", Definition(70, 38, 3, 7, 1.5), {"IDS_DLGDEFETIKETTMSG3"}},
        {"298 mm down pass, 298.5 fail", Definition(10, 282, 1, 1, 0, 16), {}},
        {"too high", Definition(10, 282.5, 1, 1, 0, 16), {"IDS_DLGDEFETIKETTMSG4"}},
        {"gaps count between labels only", Definition(50, 38, 4, 7, 0, 0, 3.5, 0), {}},
        {"33 x 32 small labels fit but are 1056", Definition(5, 5, 33, 32), {"IDS_DLGDEFETIKETTMSG5"}},
        {"0 columns and width 0", Definition(0, 38, 0, 7), {"IDS_DLGDEFETIKETTMSG1", "IDS_DLGDEFETIKETTMSG2"}},
        {"too wide and too high", Definition(110, 150, 2, 2), {"IDS_DLGDEFETIKETTMSG3", "IDS_DLGDEFETIKETTMSG4"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Keys(c.definition), c.keys) << c.what;
}

TEST_F(LabelTypeTest, DefinitionDialogShowsEveryFailingCheckAndStaysOpen) {
    TDlgDefEtikett dialog;
    QStringList shown;
    dialog.ShowError = [&shown](const QString& text) { shown << text; };
    dialog.SetDefinition(Definition(0, 38, 0, 7));
    dialog.BtnOKClick();
    EXPECT_EQ(shown, QStringList({QStringLiteral("Es muß mindestens eine Vorlage in waagrechter und senkrechter Richtung geben."),
                                  QStringLiteral("Breite und Höhe müssen größer 0 sein.")}));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    shown.clear();
    dialog.edNX->SetValue(2);
    dialog.edX->setText(QStringLiteral("105"));
    dialog.edY->setText(QStringLiteral("kein Wert"));  // no number: the lower limit, 0
    dialog.BtnOKClick();
    EXPECT_EQ(shown, QStringList({QStringLiteral("Breite und Höhe müssen größer 0 sein.")}));

    shown.clear();
    dialog.edY->SetValue(38);
    dialog.edRY->SetValue(16);
    dialog.edBezeichnung->setText(QStringLiteral("Ordner groß"));
    dialog.BtnOKClick();
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const TLabelTypeDefinition d = dialog.Definition();
    EXPECT_EQ(d.LabelWidth, 105);
    EXPECT_EQ(d.Across, 2);
    EXPECT_EQ(d.Down, 7);
    EXPECT_EQ(d.MarginTop, 16);
    EXPECT_EQ(d.Name, "Ordner gro\xDF");
}

TEST_F(LabelTypeTest, ListHoldsBuiltInTypesThenReadableUserTypes) {
    StoreUserType("101", "Eigene A");
    Settings().WriteString(kUserLabelTypeSection, "102", "kaputt,1,2");
    StoreUserType("105", "Eigene B");
    auto dialog = Dialog();
    ASSERT_EQ(dialog->EntryCount(), 25);
    for (int i = 0; i < 23; ++i) EXPECT_EQ(dialog->EntryText(i), "1");
    EXPECT_EQ(dialog->EntryText(23), "101");
    EXPECT_EQ(dialog->EntryText(24), "105");
    EXPECT_EQ(dialog->lbEtikett->item(24)->text(), QStringLiteral("Eigene B"));
    // The unreadable type stays in the settings.
    EXPECT_TRUE(Settings().ValueExists(kUserLabelTypeSection, "102"));

    EXPECT_EQ(dialog->SelectedIndex(), 0);
    EXPECT_EQ(dialog->lbEtikett->item(0)->text(), QStringLiteral("L7160 Adressetiketten 64 x 38,1 mm, 21 je A4-Blatt"));
    EXPECT_FALSE(dialog->cmdNeu->isVisibleTo(dialog.get()));
    EXPECT_FALSE(dialog->BtnOeffnen->isVisibleTo(dialog.get()));
    // Built-in types can be neither changed nor deleted; user's types can.
    EXPECT_FALSE(dialog->cmdLoeschen->isEnabled());
    dialog->SelectEntry(23);
    EXPECT_TRUE(dialog->cmdLoeschen->isEnabled());
    EXPECT_TRUE(dialog->cmdAendern->isEnabled());

    // Built-in names follow the language.
    Localizer().SetLanguage(1);
    EXPECT_EQ(dialog->lbEtikett->item(0)->text(), QStringLiteral("L7160 Address labels 64 x 38.1 mm, 21 per A4 sheet"));
    EXPECT_EQ(dialog->EntrySheet(0).Name, "L7160 Address labels 64 x 38.1 mm, 21 per A4 sheet");
}

TEST_F(LabelTypeTest, BuiltInTypesAreCatalogueSheets) {
    auto dialog = Dialog();
    int landscape = 0;
    for (int i = 0; i < 23; ++i) {
        const TEtikett& sheet = dialog->EntrySheet(i);
        const TBuiltInLabelType& type = BuiltInLabelTypes()[i];
        EXPECT_TRUE(sheet.GeometryProblem().empty()) << type.ArticleNumber;
        EXPECT_EQ(sheet.Artikel, std::string(type.Brand) + " " + type.Part);
        EXPECT_EQ(sheet.Name.rfind(std::string(type.ArticleNumber) + " ", 0), 0u);
        EXPECT_EQ(sheet.Name.find("kein Defaultwert"), std::string::npos) << type.ArticleNumber;
        landscape += sheet.Orientation;
        // Only the CD sheets draw guides of their stationery.
        const bool disc = std::string(type.Part) == "L6015" || std::string(type.Part) == "L7676" ||
                          std::string(type.Part) == "5824";
        EXPECT_EQ(sheet.GetShapeKey() != "none", disc) << type.ArticleNumber << " " << sheet.GetShapeKey();
    }
    EXPECT_EQ(landscape, 1);

    // A CD sheet locks the orientation; the spine labels are landscape.
    dialog->SelectEntry(11);
    EXPECT_FALSE(dialog->rgAusrichtung->isEnabled());
    dialog->SelectEntry(18);
    EXPECT_TRUE(dialog->rgAusrichtung->isEnabled());
    EXPECT_EQ(dialog->OrientationIndex(), 1);
}

TEST_F(LabelTypeTest, NewTypeNumberIsAboveEveryStoredNumber) {
    struct Case {
        std::vector<std::string> stored;
        int32_t expected;
    };
    const Case cases[] = {
        {{}, 101},
        {{"101", "105"}, 106},
        {{"101", "110", "Notiz", "-5"}, 111},  // 110 no longer reads as a sheet; it still counts
    };
    for (const Case& c : cases) {
        Settings().EraseSection(kUserLabelTypeSection);
        for (const std::string& number : c.stored) {
            if (number == "110")
                Settings().WriteString(kUserLabelTypeSection, number, "kein Etikett");
            else
                StoreUserType(number, "Typ " + number);
        }
        EXPECT_EQ(NextUserLabelTypeNumber(), c.expected);
    }

    // The dialog's New takes that number and leaves the unreadable value alone.
    answer = Definition(105, 38, 2, 7, 0, 16, 0, 0, "Neu");
    auto dialog = Dialog();
    dialog->cmdNeuClick();
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].LabelWidth, 0);
    EXPECT_EQ(edited[0].Across, 1);
    EXPECT_EQ(edited[0].Name, "");
    EXPECT_EQ(dialog->EntryText(dialog->EntryCount() - 1), "111");
    EXPECT_EQ(dialog->SelectedIndex(), dialog->EntryCount() - 1);
    EXPECT_EQ(Settings().ReadString(kUserLabelTypeSection, "110", {}), "kein Etikett");
    TEtikett stored;
    ASSERT_TRUE(stored.LoadFromSettings(kUserLabelTypeSection, "111"));
    EXPECT_EQ(stored.Name, "Neu");
    EXPECT_EQ(stored.Columns, 2);
    EXPECT_EQ(stored.PageHeight, 297);
}

TEST_F(LabelTypeTest, ChangeKeepsNumberAndPlaceDeleteAsksAndRemoves) {
    const sheettest::ScopedLocale locale(QLocale::C);
    StoreUserType("101", "Erster", 50, 20);
    StoreUserType("102", "Zweiter", 60, 30);
    auto dialog = Dialog();
    dialog->SelectEntry(23);
    answer = Definition(105, 38, 2, 7, 0, 16, 0, 0, "Erster neu");
    dialog->cmdAendernClick();
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].LabelWidth, 50);
    EXPECT_EQ(edited[0].Name, "Erster");
    EXPECT_EQ(dialog->EntryText(23), "101");
    EXPECT_EQ(dialog->lbEtikett->item(23)->text(), QStringLiteral("Erster neu"));
    EXPECT_EQ(dialog->EntrySheet(23).Artikel, "105.0 x 38.0 mm");
    TEtikett stored;
    ASSERT_TRUE(stored.LoadFromSettings(kUserLabelTypeSection, "101"));
    EXPECT_EQ(stored.Artikel, "105.0 x 38.0 mm");
    EXPECT_EQ(stored.LabelWidth, 105);

    confirm = false;
    dialog->cmdLoeschenClick();
    EXPECT_EQ(questions, QStringList({QStringLiteral("Soll der Eintrag wirklich gelöscht werden?")}));
    EXPECT_EQ(dialog->EntryCount(), 25);
    confirm = true;
    dialog->cmdLoeschenClick();
    EXPECT_EQ(dialog->EntryCount(), 24);
    EXPECT_EQ(dialog->EntryText(23), "102");
    EXPECT_EQ(dialog->SelectedIndex(), 0);
    EXPECT_FALSE(Settings().ValueExists(kUserLabelTypeSection, "101"));
    // Built-in entries are never deleted.
    questions.clear();
    dialog->cmdLoeschenClick();
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(dialog->EntryCount(), 24);
}

TEST_F(LabelTypeTest, SelectMatchingAndTheRememberedEntry) {
    StoreUserType("101", "Erster", 50, 20);
    StoreUserType("102", "Zweiter", 60, 30);
    TEtikett second;
    ASSERT_TRUE(second.LoadFromSettings(kUserLabelTypeSection, "102"));
    {
        auto dialog = Dialog();
        dialog->SelectEntry(5);
        dialog->SelectMatching(second);
        EXPECT_EQ(dialog->SelectedIndex(), 24);
        TEtikett unknown;
        unknown.SetLabelWidth(12.5f);
        dialog->SelectMatching(unknown);
        EXPECT_EQ(dialog->SelectedIndex(), 0);
        // A built-in type matches by its name too (names are per language).
        TEtikett cd;
        cd.Assign(dialog->EntrySheet(11));
        dialog->SelectMatching(cd);
        EXPECT_EQ(dialog->SelectedIndex(), 11);

        // OK gives the sheet the chosen orientation and remembers the entry.
        dialog->SelectEntry(24);
        dialog->rbQuerformat->click();
        dialog->BtnOKClick();
        EXPECT_EQ(dialog->result(), TDlgSelEtikett::kResultOK);
        EXPECT_EQ(dialog->GetSelectedEtikett()->Orientation, 1);
        EXPECT_EQ(Settings().ReadInteger("Allgemein", "DefVorlage", -1), 24);
    }
    EXPECT_EQ(Dialog()->SelectedIndex(), 24);
    // The orientation of a user's type is not stored by the dialog.
    EXPECT_EQ(Dialog()->GetSelectedEtikett()->Orientation, 0);
    Settings().WriteInteger("Allgemein", "DefVorlage", 25);
    EXPECT_EQ(Dialog()->SelectedIndex(), 0);
    Settings().WriteInteger("Allgemein", "DefVorlage", -1);
    EXPECT_EQ(Dialog()->SelectedIndex(), 0);
}

TEST_F(LabelTypeTest, OpenAndCancelResults) {
    auto dialog = Dialog();
    dialog->ShowOpenButton();
    EXPECT_TRUE(dialog->BtnOeffnen->isVisibleTo(dialog.get()));
    dialog->BtnOeffnen->click();
    EXPECT_EQ(dialog->result(), TDlgSelEtikett::kResultOpen);
    dialog->BtnAbbrechen->click();
    EXPECT_EQ(dialog->result(), TDlgSelEtikett::kResultCancel);
    EXPECT_FALSE(Settings().ValueExists("Allgemein", "DefVorlage"));
}

TEST_F(LabelTypeTest, PreviewFitsThePageInEitherOrientation) {
    auto dialog = Dialog();
    constexpr gdi::Color grey = gdi::Rgb(0x80, 0x80, 0x80);
    // The first and last columns and rows the page's black frame reaches.
    struct Extent {
        int left = 1000, top = 1000, right = -1, bottom = -1;
    };
    const auto extent = [&](int orientation) {
        dialog->SetOrientationIndex(orientation);
        EXPECT_EQ(dialog->GetSelectedEtikett()->Orientation, orientation);  // before any drawing
        const gdi::Bitmap picture = dialog->RenderPreview(150, 150, grey);
        Extent e;
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 150; ++x)
                if (picture.Pixel(x, y) == 0) {
                    e.left = std::min(e.left, x), e.right = std::max(e.right, x);
                    e.top = std::min(e.top, y), e.bottom = std::max(e.bottom, y);
                }
        return e;
    };
    // A4 portrait: full height, centred across (210 / 297 of 149 pixels).
    const Extent portrait = extent(0);
    EXPECT_EQ(portrait.top, 0);
    EXPECT_GE(portrait.bottom, 147);
    EXPECT_NEAR(portrait.left, 149 - portrait.right, 1);
    EXPECT_NEAR(portrait.right - portrait.left, 105, 2);
    // Landscape: full width, centred down.
    const Extent landscape = extent(1);
    EXPECT_EQ(landscape.left, 0);
    EXPECT_GE(landscape.right, 147);
    EXPECT_NEAR(landscape.top, 149 - landscape.bottom, 1);
    EXPECT_NEAR(landscape.bottom - landscape.top, 105, 2);
    EXPECT_EQ(dialog->GetSelectedEtikett()->Orientation, 1);
}

TEST_F(LabelTypeTest, AMouseClickShowsTheClickedTypeAsTheArrowKeysDo) {
    StoreUserType("1000", "Eigene Etiketten");
    auto dialog = Dialog();
    dialog->show();
    QApplication::processEvents();
    auto* list = dialog->findChild<QListWidget*>(QStringLiteral("lbEtikett"));
    ASSERT_NE(list, nullptr);
    auto* landscape = dialog->findChild<QRadioButton*>(QStringLiteral("rbQuerformat"));
    auto* change = dialog->findChild<QPushButton*>(QStringLiteral("cmdAendern"));
    const auto click = [&](int row) {
        QListWidgetItem* item = list->item(row);
        list->scrollToItem(item);
        const QPoint at = list->visualItemRect(item).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(list->viewport(), &event);
        }
    };
    // The landscape type turns the orientation, the user's own type may be changed.
    int landscapeRow = -1;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().startsWith(QStringLiteral("4760 "))) landscapeRow = i;
    ASSERT_GE(landscapeRow, 0);
    click(landscapeRow);
    EXPECT_EQ(dialog->SelectedIndex(), landscapeRow);
    EXPECT_TRUE(landscape->isChecked());
    EXPECT_FALSE(change->isEnabled());
    click(list->count() - 1);
    EXPECT_FALSE(landscape->isChecked());
    EXPECT_TRUE(change->isEnabled());
    // The arrow keys do the same.
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(list, &up);
    EXPECT_EQ(dialog->SelectedIndex(), list->count() - 2);
    EXPECT_FALSE(change->isEnabled());
}

TEST_F(LabelTypeTest, EntryFunctionCopiesTheChosenSheet) {
    TEtikett current;
    {
        auto dialog = Dialog();
        current.Assign(dialog->EntrySheet(3));
    }
    current.SetOrientation(1);
    // The dialog is answered as soon as it shows.
    WhenShown<TDlgSelEtikett>([](TDlgSelEtikett& dialog) {
        EXPECT_EQ(dialog.SelectedIndex(), 3);
        EXPECT_EQ(dialog.OrientationIndex(), 1);
        dialog.BtnOKClick();
    });
    const std::unique_ptr<TEtikett> chosen = ChangeLabelType(current);
    ASSERT_NE(chosen, nullptr);
    EXPECT_TRUE(chosen->IsSameGeometry(current));
    EXPECT_EQ(chosen->Orientation, 1);

    WhenShown<TDlgSelEtikett>([](TDlgSelEtikett& dialog) { dialog.close(); });
    EXPECT_EQ(ChangeLabelType(current), nullptr);

    WhenShown<TDlgSelEtikett>([](TDlgSelEtikett& dialog) { dialog.BtnOeffnen->click(); });
    const TLabelTypeChoice choice = ChooseLabelType(true);
    EXPECT_EQ(choice.Result, TLabelTypeResult::OpenDocument);
    EXPECT_EQ(choice.Sheet, nullptr);
}

TEST_F(LabelTypeTest, TextsInBothLanguages) {
    TDlgSelEtikett selection;
    TDlgDefEtikett definition;
    // The list's names and the fields' values are set by the dialogs.
    const auto computed = [](const QString& key) {
        return key.startsWith(QLatin1String("lbEtikett.Items")) || key.endsWith(QLatin1String(".Text"));
    };
    EXPECT_GT(ExpectFormTextsInBothLanguages({&selection, &definition}, computed), 25);
}

// Shows both dialogs; with ZORBIT_SCREENSHOTS set to a folder, their pictures
// are kept there.
TEST_F(LabelTypeTest, ShowsTheDialogs) {
    StoreUserType("101", "Eigene Ordneretiketten");
    auto dialog = Dialog();
    dialog->show();
    const auto keep = [](QWidget& window, const char* name) {
        QApplication::processEvents();
        SaveScreenshot(window, name, true);
    };
    for (const auto& [index, name] : {std::pair{0, "label-type-a4"}, std::pair{11, "label-type-cd"}}) {
        dialog->SelectEntry(index);
        // The preview shows the page: black outline pixels in a grey box.
        const gdi::Bitmap picture = dialog->RenderPreview(150, 150, gdi::Rgb(0x80, 0x80, 0x80));
        EXPECT_EQ(picture.Pixel(75, 0), 0u) << name;
        keep(*dialog, name);
    }
    TDlgDefEtikett definition;
    definition.SetDefinition(Definition(105, 38, 2, 7, 0, 16, 0, 0, "Ordner"));
    definition.show();
    keep(definition, "label-definition");
}
