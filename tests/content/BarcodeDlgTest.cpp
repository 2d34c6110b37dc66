// The barcode dialog: the controls of each symbology, the data-set field,
// the key filter with its beep, and OK and Cancel through ShowBarcodeDlg.
#include "support/BarcodeDlgDriver.h"
#include "support/BarcodeSupport.h"

#include "content/DataSet.h"
#include "content/widgets/BarcodeDlg.h"
#include "controls/CtrlFocus.h"
#include "foundation/Codepage1252.h"
#include "foundation/Localizer.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include <gtest/gtest.h>

#include <map>

namespace {

// Two records; fields of every kind, of which only texts and numbers may
// give a barcode its text.
class FakeDataSet : public TDataSet {
public:
    std::vector<TDataSetField> Fields() const override {
        return {{"Artikel", TFieldType::String},  {"Aktiv", TFieldType::Boolean}, {"EAN", TFieldType::LargeInt},
                {"Datum", TFieldType::Date},      {"Bild", TFieldType::Graphic},  {"Menge", TFieldType::Integer}};
    }
    void First() override { record = 0; }
    std::string FieldValue(const std::string& name) const override {
        const auto field = values[record].find(name);
        if (field == values[record].end()) RaiseFieldNotFound(name);
        return field->second;
    }
    size_t record = 1;
    std::map<std::string, std::string> values[2] = {
        {{"Artikel", "Schraube"}, {"EAN", "400638133393"}, {"Menge", "12"}},
        {{"Artikel", "Mutter"}, {"EAN", "978020137962"}, {"Menge", "7"}},
    };
};

struct DialogFixture : ::testing::Test {
    WithPrinterDpi printer{600};
    TBarcodeDlg dialog;
    int beeps = 0;
    DialogFixture() { dialog.Beep = [this] { ++beeps; }; }

    void Type(QLineEdit* edit, const QString& text) {
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(edit, &press);
        }
    }
    void ChooseType(TBarcodeTyp type) { dialog.cbTyp->setCurrentIndex(type); }
};

using BarcodeDlg = DialogFixture;

}  // namespace

TEST_F(BarcodeDlg, UpdateTypeControlsFollowsTheTableOfSymbologies) {
    struct Row {
        TBarcodeTyp type;
        const char* promptKey;
        const char* valid;  // a key, or the text itself
        bool locked;
        int limit;  // 0: none
        bool addOn;
        bool checkDigitLabels;
    };
    const Row rows[] = {
        {btEAN8, "IDS_BARCODE1", "IDS_BARCODE2", true, 7, true, true},
        {btEAN13, "IDS_BARCODE3", "IDS_BARCODE2", true, 12, true, true},
        {btEAN128, "IDS_BARCODE4", "IDS_BARCODE2", true, 48, false, false},
        {btCode25Standard, "IDS_BARCODE5", "IDS_BARCODE2", false, 0, false, false},
        {btCode25Interleaved, "IDS_BARCODE5", "IDS_BARCODE2", false, 0, false, false},
        {btCode128, "IDS_BARCODE6", "0-9, A-Z, !\"#$%&`()*+,-./:;<=>?§", true, 0, false, false},
        {btCode39, "IDS_BARCODE7", "0-9, A-Z, -.$/+%", false, 0, false, false},
        {btCodabar, "IDS_BARCODE7", "0-9, -$:/.+", true, 0, false, false},
        {btCode93, "IDS_BARCODE7", "0-9, A-Z, -.$/+%", true, 0, false, false},
        {btITF14, "IDS_BARCODE11", "IDS_BARCODE2", true, 13, false, true},
        {btUPC_A, "IDS_BARCODE9", "IDS_BARCODE2", true, 11, true, true},
        {btUPC_E, "IDS_BARCODE10", "IDS_BARCODE2", true, 7, true, true},
    };
    dialog.FormShow();
    for (const Row& r : rows) {
        dialog.chPruefziffer->setChecked(false);  // whether a locked box is ticked anew
        ChooseType(r.type);
        const std::string name = BarcodeTypeNames[r.type];
        EXPECT_EQ(dialog.PreviewBarcode().BarcodeType(), r.type);
        EXPECT_EQ(dialog.lblText->text(), LocalizedText(r.promptKey)) << name;
        const QString valid = QString::fromUtf8(r.valid);
        EXPECT_EQ(dialog.lblValidEntries->text(), valid.startsWith("IDS_") ? LocalizedText(r.valid) : valid) << name;
        EXPECT_EQ(dialog.chPruefziffer->isEnabled(), !r.locked) << name;
        EXPECT_EQ(dialog.chPruefziffer->isChecked(), r.locked) << name;
        EXPECT_EQ(dialog.PreviewBarcode().CalcCheckDigit(), r.locked) << name;
        EXPECT_EQ(dialog.TextLimit(), r.limit) << name;
        EXPECT_EQ(!dialog.edZusatz->isHidden(), r.addOn) << name;
        EXPECT_EQ(!dialog.lblZusatz->isHidden(), r.addOn) << name;
        if (r.addOn) {
            EXPECT_EQ(dialog.AddOnLimit(), 5) << name;
        }
        EXPECT_EQ(!dialog.lblPruefziffer->isHidden(), r.checkDigitLabels) << name;
        EXPECT_EQ(!dialog.lblPruefzifferB->isHidden(), r.checkDigitLabels) << name;
    }

    // Back from EAN 13 to Code 39: the box is free again and stays ticked.
    ChooseType(btEAN13);
    ChooseType(btCode39);
    EXPECT_TRUE(dialog.chPruefziffer->isEnabled());
    EXPECT_TRUE(dialog.chPruefziffer->isChecked());

    // A symbology of a newer file leaves the plain state.
    dialog.PreviewBarcode().SetBarcodeType(12);
    dialog.UpdateTypeControls();
    EXPECT_TRUE(dialog.chPruefziffer->isEnabled());
    EXPECT_TRUE(dialog.edZusatz->isHidden());
    EXPECT_EQ(dialog.TextLimit(), 0);
}

TEST_F(BarcodeDlg, TextAndCheckDigitFollowTheEntryAndSwitchingTheTypeClearsThem) {
    ChooseType(btEAN13);
    dialog.FormShow();
    dialog.edText->setText("400638133393");
    EXPECT_EQ(dialog.PreviewBarcode().Text(), "400638133393");
    EXPECT_EQ(dialog.lblPruefziffer->text(), "1");
    dialog.edZusatz->setText("12");
    EXPECT_EQ(dialog.PreviewBarcode().AddOn(), "12");
    ChooseType(btUPC_A);
    EXPECT_EQ(dialog.edText->text(), "");
    EXPECT_EQ(dialog.edZusatz->text(), "");
    EXPECT_EQ(dialog.PreviewBarcode().Text(), "");
    EXPECT_EQ(dialog.PreviewBarcode().AddOn(), "");
    dialog.chTextAnzeigen->setChecked(false);
    EXPECT_FALSE(dialog.PreviewBarcode().ShowText());
    dialog.chAECOCcompatible->setChecked(true);
    EXPECT_TRUE(dialog.PreviewBarcode().AECOC());
}

TEST_F(BarcodeDlg, TheLengthLimitStopsTypingButKeepsAStoredText) {
    dialog.PreviewBarcode().SetBarcodeType(btEAN13);
    dialog.PreviewBarcode().SetText("4006381333932");  // a 13th digit as entered
    dialog.FormShow();
    EXPECT_EQ(dialog.edText->text(), "4006381333932");
    EXPECT_EQ(dialog.PreviewBarcode().Text(), "4006381333932");
    EXPECT_EQ(dialog.edText->selectedText(), "4006381333932");  // the first key typed replaces it
    dialog.edText->end(false);
    Type(dialog.edText, "5");
    EXPECT_EQ(dialog.edText->text(), "4006381333932");
    dialog.edText->clear();
    Type(dialog.edText, "12345678901234");
    EXPECT_EQ(dialog.edText->text(), "123456789012");
    Type(dialog.edZusatz, "1234567");
    EXPECT_EQ(dialog.edZusatz->text(), "12345");
}

TEST_F(BarcodeDlg, RefusedKeysBeepAndLowerCaseBecomesCapitals) {
    dialog.FormShow();
    ChooseType(btCode39);
    Type(dialog.edText, "ab*1");
    EXPECT_EQ(dialog.edText->text(), "AB1");
    EXPECT_EQ(beeps, 1);
    ChooseType(btEAN13);
    Type(dialog.edText, "4x0");
    Type(dialog.edZusatz, "1-2");
    EXPECT_EQ(dialog.edText->text(), "40");
    EXPECT_EQ(dialog.edZusatz->text(), "12");
    EXPECT_EQ(beeps, 3);
    ChooseType(btCode128);
    Type(dialog.edText, QString::fromUtf8("Maß€中"));  // the euro sign has no value; the last is no Windows-1252 character
    EXPECT_EQ(dialog.edText->text(), QString::fromUtf8("Maß"));
    EXPECT_EQ(beeps, 5);
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    QApplication::sendEvent(dialog.edText, &backspace);
    EXPECT_EQ(dialog.edText->text(), QString::fromUtf8("Ma"));
    EXPECT_EQ(beeps, 5);
}

TEST_F(BarcodeDlg, WithoutADataSetTheFieldRowIsHiddenAndEnterMovesOn) {
    dialog.PreviewBarcode().SetBarcodeType(btEAN8);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_TRUE(dialog.panDBFeld->isHidden());
    EXPECT_TRUE(dialog.edText->isEnabled());
    EXPECT_EQ(dialog.lblPruefziffer->text(), "") << "no check digit without a text";

    // The dialog opens with the focus in the text, so the first keys typed count.
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), dialog.edText);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(dialog.edText, &enter);
    EXPECT_TRUE(dialog.isVisible()) << "Enter does not close the dialog";
    EXPECT_NE(QApplication::focusWidget(), dialog.edText);

    dialog.edText->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialog.ZRCtrlFocus1->LastControl(), dialog.edText) << "the focused entry is coloured";
}

TEST_F(BarcodeDlg, ADataFieldGivesTheTextAndLocksTheEntry) {
    FakeDataSet data;
    dialog.SetDataSet(&data);
    dialog.PreviewBarcode().SetBarcodeType(btCode128);
    dialog.PreviewBarcode().SetDataField("Menge");
    dialog.FormShow();
    EXPECT_FALSE(dialog.panDBFeld->isHidden());
    QStringList items;
    for (int i = 0; i < dialog.cbDatenbankfelder->count(); ++i) items << dialog.cbDatenbankfelder->itemText(i);
    EXPECT_EQ(items, (QStringList{" ", "Artikel", "EAN", "Menge"}));
    EXPECT_EQ(dialog.cbDatenbankfelder->currentText(), "Menge");
    EXPECT_FALSE(dialog.edText->isEnabled());

    dialog.cbDatenbankfelder->setCurrentIndex(1);  // the current record's value
    EXPECT_EQ(dialog.PreviewBarcode().DataField(), "Artikel");
    EXPECT_EQ(dialog.PreviewBarcode().Text(), "Mutter");
    EXPECT_EQ(dialog.edText->text(), "Mutter");
    EXPECT_FALSE(dialog.edText->isEnabled());

    dialog.cbDatenbankfelder->setCurrentIndex(2);
    ChooseType(btEAN13);  // the first record's value
    EXPECT_EQ(dialog.PreviewBarcode().Text(), "400638133393");
    EXPECT_EQ(dialog.edText->text(), "400638133393");
    EXPECT_TRUE(dialog.PreviewBarcode().IsValid());

    dialog.cbDatenbankfelder->setCurrentIndex(0);
    EXPECT_EQ(dialog.PreviewBarcode().DataField(), "");
    EXPECT_TRUE(dialog.edText->isEnabled());
    ChooseType(btCode39);
    EXPECT_EQ(dialog.PreviewBarcode().DataField(), "") << "the blank item is no field";
    EXPECT_EQ(dialog.edText->text(), "");
}

TEST_F(BarcodeDlg, AFieldTheDataSetLacksRaisesItsError) {
    FakeDataSet data;
    data.values[1].erase("EAN");
    dialog.SetDataSet(&data);
    dialog.FormShow();
    const QSignalBlocker quiet(dialog.cbDatenbankfelder);
    dialog.cbDatenbankfelder->setCurrentIndex(2);
    try {
        dialog.cbDatenbankfelderChange();
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Das Feld 'EAN' wurde nicht gefunden");
    }
}

namespace {

struct Snapshot {
    TBarcodeTyp type;
    std::string text, addOn, dataField;
    bool check, show, aecoc;
    float angle, x, y, w, h;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const TZRBarcode& b) {
    return {b.BarcodeType(), b.Text(), b.AddOn(), b.DataField(), b.CalcCheckDigit(), b.ShowText(), b.AECOC(),
            b.Angle(),       b.CenterX, b.CenterY, b.Width,        b.Height};
}

}  // namespace

TEST(ShowBarcodeDlg, CancelLeavesTheBarcodeAsItWasAndOkTakesTheSettings) {
    WithPrinterDpi printer(600);
    TZRBarcode barcode;
    BarcodeSetup setup;
    setup.type = btCode39;
    setup.text = "Zorbit";
    setup.checkDigit = false;
    setup.angle = 90;
    setup.centreX = 12;
    setup.centreY = 34;
    setup.width = 56;
    setup.height = 18;
    Apply(barcode, setup);
    barcode.SetDataField("Artikel");
    const Snapshot before = Take(barcode);

    auto edit = [](TBarcodeDlg& d) {
        d.cbTyp->setCurrentIndex(btEAN13);
        d.edText->setText("400638133393");
        d.edZusatz->setText("52495");
        d.chTextAnzeigen->setChecked(false);
    };
    WhenBarcodeDlgShown(edit, false);
    EXPECT_FALSE(ShowBarcodeDlg(barcode, nullptr));
    EXPECT_EQ(Take(barcode), before);

    WhenBarcodeDlgShown(edit, true);
    EXPECT_TRUE(ShowBarcodeDlg(barcode, nullptr));
    Snapshot after = before;
    after.type = btEAN13;
    after.text = "400638133393";
    after.addOn = "52495";
    after.check = true;
    after.show = false;
    after.dataField = "";  // without a data set the type change clears it
    EXPECT_EQ(Take(barcode), after);
    EXPECT_TRUE(barcode.IsValid());
}

TEST_F(BarcodeDlg, ThePreviewShowsTheSymbolAndTheTextsComeInBothLanguages) {
    dialog.PreviewBarcode().SetBarcodeType(btEAN13);
    dialog.PreviewBarcode().SetText("400638133393");
    dialog.show();
    QApplication::processEvents();
    const QImage preview = dialog.pbPreview->grab().toImage();
    int dark = 0;
    for (int x = 0; x < preview.width(); ++x) dark += qGray(preview.pixel(x, preview.height() / 2)) < 128;
    EXPECT_GT(dark, 20) << "bars across the middle of the preview";
    EXPECT_EQ(dialog.windowTitle(), "Barcode bearbeiten");
    EXPECT_EQ(dialog.chPruefziffer->text(), "Prüfziffer berechnen");

    Localizer().SetLanguage(1);
    EXPECT_EQ(dialog.windowTitle(), "Edit barcode");
    EXPECT_EQ(dialog.chPruefziffer->text(), "Calc check digit");
    EXPECT_EQ(dialog.lblText->text(), "Please enter 12 digits:") << "the prompt follows the language";
    Localizer().SetLanguage(0);
    EXPECT_EQ(dialog.lblText->text(), "Bitte geben Sie 12 Ziffern ein:");
}
