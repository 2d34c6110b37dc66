// The small figure dialogs: the position dialog with its proportional sizes
// and checks, the circular-text, field and text-entry dialogs, and their
// texts in both languages.
#include "controls/ControlsTesting.h"

#include "controls/CloseQueryDialog.h"
#include "controls/ValidateEdit.h"
#include "document/FeldListe.h"
#include "figures/FigureDialogs.h"
#include "figures/Rechteck.h"
#include "figures/widgets/DlgPosition.h"
#include "figures/widgets/DlgRotText.h"
#include "figures/widgets/DlgTextField.h"
#include "figures/widgets/DlgTextNeu.h"
#include "figures/widgets/FigureDialogs.h"
#include "foundation/Localizer.h"
#include "foundation/MyMemIniFile.h"

#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>

#include <gtest/gtest.h>

namespace {

void Fill(TDlgPosition& d, double cx, double cy, double w, double h, double angle) {
    d.edHori->SetValue(cx);
    d.edVert->SetValue(cy);
    d.edWidth->SetValue(w);
    d.edHeight->SetValue(h);
    d.edWinkel->SetValue(angle);
}

}  // namespace

TEST(DlgPosition, ProportionalSizesFollowEachOther) {
    TDlgPosition d;
    d.SetFlags(13);
    Fill(d, 0, 0, 20, 10, 0);
    ShowActive(&d);
    EXPECT_DOUBLE_EQ(d.Ratio, 2);
    // Leaving the width field after typing a new width.
    d.edWidth->setFocus(Qt::TabFocusReason);
    d.edWidth->setText("30");
    d.edHeight->setFocus(Qt::TabFocusReason);
    EXPECT_DOUBLE_EQ(d.edHeight->Value(), 15);
    d.edHeight->setText("5");
    d.edWinkel->setFocus(Qt::TabFocusReason);
    EXPECT_DOUBLE_EQ(d.edWidth->Value(), 10);

    // Without the proportional flag the fields are independent.
    d.SetFlags(11);
    d.edWidth->SetValue(40);
    d.edWidthExit();
    EXPECT_DOUBLE_EQ(d.edHeight->Value(), 5);
}

TEST(DlgPosition, ZeroHeightGivesAHugeRatio) {
    TDlgPosition d;
    d.SetFlags(13);
    Fill(d, 0, 0, 20, 0, 0);
    d.show();
    EXPECT_DOUBLE_EQ(d.Ratio, 99999999999.0);
    d.edWidth->SetValue(30);
    d.edWidthExit();
    EXPECT_DOUBLE_EQ(d.edHeight->Value(), 0);
}

TEST(DlgPosition, FlagsEnableTheirGroups) {
    struct Case {
        uint8_t flags;
        bool position, size, angle;
    } cases[] = {{1, true, false, false}, {11, true, true, true}, {13, true, true, true},
                 {3, true, true, false},  {5, true, true, false}, {8, false, false, true}};
    TDlgPosition d;
    for (const Case& c : cases) {
        d.SetFlags(c.flags);
        EXPECT_EQ(d.edHori->isEnabled(), c.position) << int(c.flags);
        EXPECT_EQ(d.gbSize->isEnabled(), c.size) << int(c.flags);
        EXPECT_EQ(d.edHeight->isEnabled(), c.size) << int(c.flags);
        EXPECT_EQ(d.edWinkel->isEnabled(), c.angle) << int(c.flags);
    }
}

TEST(DlgPosition, EnterMovesOnAndOkChecksTheLimits) {
    TDlgPosition d;
    d.SetFlags(11);
    Fill(d, 1, 2, 3, 4, 5);
    ShowActive(&d);
    d.edHori->setFocus(Qt::TabFocusReason);
    Key(d.edHori, Qt::Key_Return);
    EXPECT_TRUE(d.edVert->hasFocus());
    EXPECT_TRUE(d.isVisible());

    EXPECT_TRUE(FormCloseQuery(&d));
    const struct {
        TQDXFloatEdit* edit;
        double value;
    } outside[] = {{d.edHori, 1000.5}, {d.edVert, -2000}, {d.edWidth, 1001}, {d.edHeight, -1}, {d.edWinkel, 361}};
    for (const auto& o : outside) {
        const double saved = o.edit->Value();
        o.edit->SetValue(o.value);
        EXPECT_THROW(FormCloseQuery(&d), EValidation) << o.edit->objectName().toStdString();
        o.edit->SetValue(saved);
    }
    d.edWinkel->SetValue(-360);
    EXPECT_TRUE(FormCloseQuery(&d));
}

TEST(DlgPosition, FigureEditsThroughTheInstalledDialog) {
    InstallFigureDialogs();
    TRechteck r(nullptr);
    r.SetCenterX(12.34);
    r.SetWidth(20);
    r.SetHeight(10);
    QString shownX;
    auto answer = [&](const QString& x, bool ok) {
        QTimer::singleShot(0, [&shownX, x, ok] {
            auto* d = qobject_cast<TDlgPosition*>(QApplication::activeModalWidget());
            ASSERT_TRUE(d);
            shownX = d->edHori->text();
            d->edHori->setText(x);
            (ok ? d->BtnOK : d->BtnAbbrechen)->click();
        });
    };
    answer("-7", true);
    EXPECT_TRUE(r.EditPosition());
    EXPECT_EQ(shownX, QLocale().toString(12.3));
    EXPECT_EQ(r.CenterX, -7);
    EXPECT_EQ(r.Width, 20);
    answer("5", false);
    EXPECT_FALSE(r.EditPosition());
    EXPECT_EQ(r.CenterX, -7);
    SetPositionDialog(nullptr);
}

TEST(DlgRotText, SpacingStaysWithinItsRange) {
    TDlgRotText d;
    EXPECT_DOUBLE_EQ(d.Spacing, 1.0);
    d.SetSpacing(4.95);
    d.Spin1Up->click();
    EXPECT_DOUBLE_EQ(d.Spacing, 5);
    d.SetSpacing(0.15);
    d.Spin1Down->click();
    EXPECT_DOUBLE_EQ(d.Spacing, 0.1);
    EXPECT_EQ(d.panKerning->text(), QLocale().toString(0.1));
    d.rbBottom->click();
    EXPECT_EQ(d.Style, 1);
    d.SetStyle(0);
    EXPECT_TRUE(d.rbTop->isChecked());
}

TEST(DlgTextField, ShowsAndKeepsTheValuesOfTheFields) {
    TFeldListe fields(TFeldListe::EmptyTag{});
    fields.AddField("Name", "Meier");
    fields.AddField("Ort", "K\xF6ln");
    TDlgTextField d;
    d.SetFieldList(&fields);
    ASSERT_EQ(d.lbFields->count(), 2);
    EXPECT_EQ(d.edData->text(), "Meier");
    d.lbFields->setCurrentRow(1);
    EXPECT_EQ(d.edData->text(), QStringLiteral("Köln"));
    d.edData->setText("Bonn");
    d.edDataExit();
    EXPECT_EQ(d.Values[1], "Bonn");
    EXPECT_EQ(fields.Values[1], "K\xF6ln");  // the list itself stays
    emit d.lbFields->itemDoubleClicked(d.lbFields->item(1));
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.lbFields->currentRow(), 1);
}

TEST(DlgTextNeu, KeepsAtMost1024Characters) {
    TDlgTextNeu d;
    d.Memo1->setPlainText(QString(1100, 'x'));
    EXPECT_EQ(d.Memo1->toPlainText().size(), TDlgTextNeu::kMaxLength);
}

TEST(FigureDialogs, TextsInBothLanguages) {
    QTemporaryDir dir;
    TLocalizer exporter({QStringLiteral("zorbit"), QStringLiteral("/RESWRITE")});
    exporter.SetInstallQtTranslations(false);
    exporter.SetExportFileName(dir.filePath(QStringLiteral("texts.txt")));
    TDlgPosition position;
    TDlgRotText rotText;
    TDlgTextField field;
    TDlgTextNeu text;
    const std::pair<QWidget*, QString> dialogs[] = {{&position, "TDlgPosition"},
                                                    {&rotText, "TDlgRotText"},
                                                    {&field, "TDlgTextField"},
                                                    {&text, "TDlgTextNeu"}};
    for (const auto& [dialog, section] : dialogs) LocalizeFormTexts(dialog, section, exporter);
    exporter.WriteExportFile();
    TMyMemIniFile exported;
    exported.LoadFromFile(dir.filePath(QStringLiteral("texts.txt")).toStdString());
    TMyMemIniFile german, english;
    ASSERT_TRUE(Localizer().LoadLanguageResource(0, german));
    ASSERT_TRUE(Localizer().LoadLanguageResource(1, english));
    int checked = 0;
    for (const auto& [dialog, section] : dialogs) {
        for (const QString& key : exported.ReadSection(section)) {
            // Entries and the spacing are values, not words.
            if (key.endsWith(QLatin1String(".Text")) || key.startsWith(QLatin1String("panKerning"))) continue;
            ++checked;
            EXPECT_EQ(german.ReadString(section, key, {}), exported.ReadString(section, key, {}))
                << section.toStdString() << " " << key.toStdString();
            EXPECT_FALSE(english.ReadString(section, key, {}).isEmpty()) << key.toStdString();
        }
    }
    EXPECT_GT(checked, 20);

    Localizer().SetLanguage(1);
    position.Localize();
    EXPECT_EQ(position.windowTitle(), "Element position");
    EXPECT_EQ(position.gbSize->title(), "Width and height");
    Localizer().SetLanguage(0);
}
