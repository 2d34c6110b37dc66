#include "ControlsTesting.h"

#include "controls/DlgAusrichtung.h"
#include "controls/DlgInputQuery.h"
#include "controls/DlgStift.h"
#include "controls/ElementAusrichtenDlg.h"
#include "controls/ValidateEdit.h"

#include "foundation/Localizer.h"
#include "foundation/MyMemIniFile.h"
#include "foundation/ZRRegIniFile.h"
#include "support/FormTexts.h"

#include <QtCore/QTemporaryDir>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>

#include <optional>

using namespace ElementAlign;

namespace {

class SmallDialogs : public GermanLocale {
protected:
    void SetUp() override {
        GermanLocale::SetUp();
        Settings().WriteInteger("Ausrichten", "Verteilen", 1);
    }
    void TearDown() override {
        Settings().DeleteKey("Ausrichten", "Verteilen");
        GermanLocale::TearDown();
    }
};

std::optional<QString> RaisedMessage(const std::function<void()>& f) {
    try {
        f();
    } catch (const EValidation& e) {
        return QString::fromUtf8(e.Message());
    }
    return std::nullopt;
}

// The first row of the image with a pixel darker than the background.
int FirstInkRow(const QImage& image) {
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (qGray(image.pixel(x, y)) < 128) return y;
    return -1;
}

}  // namespace

TEST_F(SmallDialogs, AlignmentOffersDistributionAndReferencesByTheSelection) {
    struct Case {
        int32_t selected;
        int setting;
        bool distribution;
        bool referenceChoice;
    };
    const Case cases[] = {{1, 1, false, false}, {2, 1, false, true}, {3, 0, false, true}, {3, 1, true, true}};
    for (const Case& c : cases) {
        Settings().WriteInteger("Ausrichten", "Verteilen", c.setting);
        TElementAusrichtenDlg dialog(c.selected);
        SCOPED_TRACE(c.selected);
        EXPECT_EQ(dialog.OffersDistribution(), c.distribution);
        EXPECT_EQ(dialog.ToSelection()->isEnabled(), c.referenceChoice);
        EXPECT_EQ(dialog.ToLabel()->isChecked(), !c.referenceChoice);
        EXPECT_EQ(dialog.ToSelection()->isChecked(), c.referenceChoice);
    }
}

TEST_F(SmallDialogs, AlignmentButtonsOfAGroupReleaseEachOther) {
    TElementAusrichtenDlg dialog(3);
    dialog.Button(kLeft)->click();
    dialog.Button(kHCenter)->click();
    EXPECT_FALSE(dialog.Button(kLeft)->isChecked());
    EXPECT_EQ(dialog.ComputeCode(), kHCenter | kToSelection);
    dialog.Button(kHCenter)->click();  // released again
    EXPECT_EQ(dialog.ComputeCode(), kToSelection);
    // Buttons of other groups stay down; the first in order counts.
    dialog.Button(kSpreadHGaps)->click();
    dialog.Button(kLeft)->click();
    dialog.Button(kBottom)->click();
    dialog.WholeLabel()->setChecked(true);
    dialog.ToLastSelected()->setChecked(true);
    EXPECT_TRUE(dialog.Button(kSpreadHGaps)->isChecked());
    EXPECT_EQ(dialog.ComputeCode(), kLeft | kBottom | kToLastSelected | kWholeLabel);
}

TEST_F(SmallDialogs, AlignmentThroughItsEntryFunction) {
    int32_t code = -1;
    WhenShown<TElementAusrichtenDlg>([](TElementAusrichtenDlg& d) {
        d.Button(kLeft)->click();
        d.Button(kSpreadHGaps)->click();
        d.Button(kSpreadVCenter)->click();
        ClickButton(&d, "OKBtn");
    });
    EXPECT_TRUE(ShowElementAlignDialog(code, 3));
    EXPECT_EQ(code, kLeft | kSpreadVCenter | kToSelection);

    // OK with no button down, and Cancel, leave the code alone.
    code = -1;
    WhenShown<TElementAusrichtenDlg>([](TElementAusrichtenDlg& d) { ClickButton(&d, "OKBtn"); });
    EXPECT_FALSE(ShowElementAlignDialog(code, 1));
    WhenShown<TElementAusrichtenDlg>([](TElementAusrichtenDlg& d) {
        d.Button(kTop)->click();
        ClickButton(&d, "CancelBtn");
    });
    EXPECT_FALSE(ShowElementAlignDialog(code, 1));
    EXPECT_EQ(code, -1);
    // One figure: the label is the reference.
    WhenShown<TElementAusrichtenDlg>([](TElementAusrichtenDlg& d) {
        d.Button(kRight)->click();
        ClickButton(&d, "OKBtn");
    });
    EXPECT_TRUE(ShowElementAlignDialog(code, 1));
    EXPECT_EQ(code, kRight | kToLabel);
}

TEST_F(SmallDialogs, PenWidthThroughItsEntryFunction) {
    float width = 0.456f;
    WhenShown<TDlgStift>([](TDlgStift& d) {
        EXPECT_EQ(d.WidthField()->text(), QStringLiteral("0,46"));
        d.QuickButton(1)->click();
        EXPECT_EQ(d.WidthField()->text(), QStringLiteral("0,18"));
        ClickButton(&d, "OKBtn");
    });
    EXPECT_TRUE(EditPenWidth(width));
    EXPECT_FLOAT_EQ(width, 0.18f);

    // A typed 0,004 passes the field and comes back rounded to 0.
    WhenShown<TDlgStift>([](TDlgStift& d) {
        d.WidthField()->selectAll();
        Type(d.WidthField(), QStringLiteral("0,004"));
        ClickButton(&d, "OKBtn");
    });
    EXPECT_TRUE(EditPenWidth(width));
    EXPECT_FLOAT_EQ(width, 0.0f);

    width = 1.5f;
    WhenShown<TDlgStift>([](TDlgStift& d) {
        d.WidthField()->SetValue(3);
        ClickButton(&d, "CancelBtn");
    });
    EXPECT_FALSE(EditPenWidth(width));
    EXPECT_FLOAT_EQ(width, 1.5f);
}

TEST_F(SmallDialogs, PenWidthOutsideTheLimitsKeepsTheDialogOpen) {
    TDlgStift dialog;
    dialog.show();
    dialog.WidthField()->SetValue(11);
    EXPECT_EQ(RaisedMessage([&] { dialog.accept(); }), QStringLiteral("Wert muß zwischen 0,00 und 10,00 liegen"));
    EXPECT_TRUE(dialog.isVisible());
    dialog.WidthField()->setText(QStringLiteral("0,5x"));
    EXPECT_EQ(RaisedMessage([&] { dialog.accept(); }), QStringLiteral("Falscher Eintrag 0,5x im Feld feDicke"));
    EXPECT_TRUE(dialog.isVisible());
    dialog.WidthField()->setText(QStringLiteral("0,5"));
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FLOAT_EQ(dialog.Width(), 0.5f);
}

TEST_F(SmallDialogs, TextAlignmentThroughItsEntryFunction) {
    uint8_t horizontal = 2;
    uint8_t vertical = 1;
    WhenShown<TDlgAusrichtung>([](TDlgAusrichtung& d) {
        EXPECT_TRUE(d.HorizontalButton(2)->isChecked());
        EXPECT_TRUE(d.VerticalButton(1)->isChecked());
        EXPECT_EQ(d.PreviewFlags(), 4 | 32);
        d.HorizontalButton(3)->click();
        d.VerticalButton(2)->click();
        EXPECT_FALSE(d.HorizontalButton(2)->isChecked());
        EXPECT_EQ(d.PreviewFlags(), 8 | 64);
        ClickButton(&d, "OKBtn");
    });
    EXPECT_TRUE(EditTextAlignment(horizontal, vertical));
    EXPECT_EQ(horizontal, 3);
    EXPECT_EQ(vertical, 2);

    WhenShown<TDlgAusrichtung>([](TDlgAusrichtung& d) {
        d.HorizontalButton(0)->click();
        ClickButton(&d, "CancelBtn");
    });
    EXPECT_FALSE(EditTextAlignment(horizontal, vertical));
    EXPECT_EQ(horizontal, 3);
}

TEST_F(SmallDialogs, TextAlignmentPreviewPlacesTheSampleText) {
    TDlgAusrichtung dialog;
    dialog.show();
    dialog.SetAlignment(0, 0);
    const int top = FirstInkRow(dialog.Preview()->grab().toImage());
    dialog.VerticalButton(2)->click();
    const int bottom = FirstInkRow(dialog.Preview()->grab().toImage());
    ASSERT_GE(top, 0);
    EXPECT_LT(top, 12);
    EXPECT_GT(bottom, top + 10);
}

TEST_F(SmallDialogs, InputQueryThroughItsEntryFunction) {
    QString text = QStringLiteral("Design 1");
    WhenShown<TDlgInputQuery>([](TDlgInputQuery& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Design umbenennen"));
        EXPECT_EQ(d.PromptLabel()->text(), QStringLiteral("Neuer Name:"));
        EXPECT_EQ(d.focusWidget(), d.TextField());
        EXPECT_EQ(d.TextField()->selectedText(), QStringLiteral("Design 1"));
        Type(d.TextField(), QStringLiteral("Rückseite"));
        ClickButton(&d, "OKBtn");
    });
    EXPECT_TRUE(ShowInputQuery(QStringLiteral("Design umbenennen"), QStringLiteral("Neuer Name:"), text));
    EXPECT_EQ(text, QStringLiteral("Rückseite"));

    WhenShown<TDlgInputQuery>([](TDlgInputQuery& d) {
        d.TextField()->setText(QStringLiteral("verworfen"));
        ClickButton(&d, "CancelBtn");
    });
    EXPECT_FALSE(ShowInputQuery(QStringLiteral("Frage"), QStringLiteral("Name:"), text));
    EXPECT_EQ(text, QStringLiteral("Rückseite"));
}

TEST_F(SmallDialogs, EveryTextIsInBothLanguages) {
    TElementAusrichtenDlg align(3);
    TDlgStift pen;
    TDlgAusrichtung textAlign;
    TDlgInputQuery query;
    // The fields' values.
    auto computed = [](const QString& key) { return key.endsWith(QLatin1String(".Text")); };
    const int checked = ExpectFormTextsInBothLanguages({&align, &pen, &textAlign, &query}, computed);
    EXPECT_GT(checked, 50);

    Localizer().SetLanguage(1);
    EXPECT_EQ(align.windowTitle(), QStringLiteral("Align objects"));
    EXPECT_EQ(pen.QuickButton(0)->text(), QStringLiteral("0.1 mm"));
    Localizer().SetLanguage(0);
    EXPECT_EQ(align.windowTitle(), QStringLiteral("Elemente ausrichten"));
}
