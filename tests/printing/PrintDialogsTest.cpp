// The print dialogs: the wizard of multi-label sheets with its first-sheet
// picture, the dialogs of one-label and disc sheets with the printer put back
// on cancel, the serial print dialog's panels, their texts in both languages,
// and a print command through the real dialogs.
#include "EnginePrintingTesting.h"

#include "controls/SpinEdit.h"
#include "controls/ValidateEdit.h"
#include "foundation/FillData.h"
#include "foundation/Localizer.h"
#include "printing/PrinterOptions.h"
#include "printing/PrintSheetPicture.h"
#include "printing/widgets/CILDruckDlg.h"
#include "printing/widgets/DatasetDruckDlg.h"
#include "printing/widgets/DlgDruckAbbrechen.h"
#include "printing/widgets/DlgDruckauswahl.h"
#include "printing/widgets/DlgDruckPosition2.h"
#include "printing/widgets/PrintDialogsUi.h"
#include "printing/widgets/PrinterChoicePanel.h"
#include "printing/widgets/SheetMaskBox.h"
#include "printing/widgets/ZRDruckDlg.h"
#include "support/FormTexts.h"

#include <QtGui/QMouseEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QRadioButton>

#include <array>

namespace {

template <class W>
W* Child(QWidget* parent, const char* name) {
    W* w = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// The middle of the label at the position on the picture.
QPoint PointOf(const TSheetMaskBox& box, int32_t position) { return box.PositionRect(position).center(); }

void Click(QWidget* w, QPoint p) {
    QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
}

class PrintDialogs : public EnginePrinting {
protected:
    void TearDown() override {
        Settings().EraseSection("Druckoption");
        TCILDruckDlg::SetInkjetQuestion(nullptr);
        EnginePrinting::TearDown();
    }
};

}  // namespace

TEST_F(PrintDialogs, SheetWizardPagesSkipTheDesignPageForOneDesign) {
    for (const size_t designs : {size_t{1}, size_t{3}}) {
        SCOPED_TRACE(designs);
        TDlgDruckauswahl dialog;
        dialog.SetDesigns(std::vector<std::string>(designs, "Design"));
        const std::vector<int> forward = designs == 1 ? std::vector<int>{0, 2, 3} : std::vector<int>{0, 1, 2, 3};
        for (size_t i = 0; i < forward.size(); ++i) {
            EXPECT_EQ(dialog.Page(), forward[i]);
            EXPECT_EQ(Child<QPushButton>(&dialog, "cmdDrucken")->isVisibleTo(&dialog), i + 1 == forward.size());
            dialog.cmdWeiterClick();
        }
        EXPECT_EQ(dialog.Page(), 3);  // "Weiter" on the last page does nothing
        for (size_t i = forward.size(); i-- > 0;) {
            EXPECT_EQ(dialog.Page(), forward[i]);
            dialog.cmdZurueckClick();
        }
        EXPECT_EQ(dialog.Page(), 0);
        EXPECT_FALSE(Child<QPushButton>(&dialog, "cmdZurueck")->isEnabled());
    }
}

TEST_F(PrintDialogs, SheetWizardAnswersAndTheFirstSheetMask) {
    TDlgDruckauswahl dialog;
    TwoByTwo(doc.sheet);
    dialog.SetSheet(doc.sheet);
    dialog.SetDesigns({"Vorne", "Hinten"});
    TSheetPrintOptions options;
    dialog.ReadOptions(options);
    EXPECT_EQ(options.Designs, (std::vector<int32_t>{0, 1}));
    EXPECT_FALSE(options.CountBySheets);
    EXPECT_TRUE(options.KeepTogether);
    EXPECT_EQ(options.Mask, std::string(1024, '1'));

    // Each option opens its own number and note and closes the other's.
    auto* labels = Child<TQDXIntegerEdit>(&dialog, "edNrLabel");
    auto* sheets = Child<TQDXIntegerEdit>(&dialog, "edNrBoegen");
    auto* byLabels = Child<QRadioButton>(&dialog, "rbNrLabels");
    auto* bySheets = Child<QRadioButton>(&dialog, "rbNrBoegen");
    const auto open = [&] {
        return std::array{labels->isEnabled(), Child<QLabel>(&dialog, "lLabel")->isEnabled(), sheets->isEnabled(),
                          Child<QLabel>(&dialog, "lBoegen")->isEnabled()};
    };
    EXPECT_EQ(open(), (std::array{true, true, false, false}));
    bySheets->click();
    EXPECT_EQ(open(), (std::array{false, false, true, true}));
    byLabels->click();
    EXPECT_EQ(open(), (std::array{true, true, false, false}));
    bySheets->click();
    // Typing in the open number keeps its choice; keys that type nothing change nothing.
    Key(sheets, Qt::Key_Shift, Qt::ShiftModifier);
    Key(sheets, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
    EXPECT_TRUE(bySheets->isChecked());
    Child<QListWidget>(&dialog, "lbEtikett")->item(0)->setSelected(false);
    sheets->setText(QStringLiteral("3"));

    // "Alle fehlen", then the last label is there after all.
    dialog.resize(520, 460);
    dialog.show();
    while (dialog.Page() < TDlgDruckauswahl::kFirstSheetPage) dialog.cmdWeiterClick();
    dialog.cmdAlleFehlenClick();
    TSheetMaskBox& box = dialog.MaskBox();
    Click(&box, PointOf(box, 4));
    dialog.ReadOptions(options);
    EXPECT_EQ(options.Mask.substr(0, 4), "0001");
    EXPECT_EQ(options.Designs, (std::vector<int32_t>{1}));
    EXPECT_TRUE(options.CountBySheets);
    EXPECT_EQ(options.SheetCount, 3);
    SaveScreenshot(dialog, "print-wizard-first-sheet");

    // The picture marks missing labels grey.
    const gdi::Bitmap picture = box.Render();
    const QPoint missing = PointOf(box, 1), present = PointOf(box, 4);
    EXPECT_EQ(box.PositionAt(present), 4);
    EXPECT_EQ(picture.Pixel(missing.x() + 10, missing.y() + 20), gdi::Color(0xF3F3F3));
    EXPECT_NE(picture.Pixel(present.x() + 10, present.y() + 20), gdi::Color(0xF3F3F3));
}

TEST_F(PrintDialogs, TheMaskPictureCoversSheetsOfMoreThan1024Labels) {
    TEtikett big;
    big.SetColumns(40);
    big.SetRows(30);
    big.SetLabelWidth(5);
    big.SetLabelHeight(9);
    big.SetMarginLeft(5);
    big.SetMarginTop(5);
    TSheetMaskBox box;
    box.resize(300, 420);
    box.SetSheet(big);
    box.SetMask(std::string(1024, '1'));
    box.TogglePosition(1100);
    EXPECT_EQ(box.Mask().size(), 1100u);
    EXPECT_EQ(box.Mask()[1099], '0');
    EXPECT_EQ(box.Mask()[1050], '1');
    EXPECT_EQ(box.Render().Width(), 300);
    EXPECT_EQ(box.PositionAt(PointOf(box, 1200)), 1200);
}

TEST_F(PrintDialogs, ChoosingAnotherPrinterShowsItsCaptionOffsetsAndScanlines) {
    TDlgDruckauswahl dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Drucken: Fake"));
    EXPECT_EQ(Child<QLabel>(&dialog, "lblDruckpositionHorz")->text(), QStringLiteral("keine Verschiebung"));
    EXPECT_FALSE(Child<QCheckBox>(&dialog, "cbUseScanlines")->isChecked());

    StoreOffsets(1.5, 0);
    Settings().WriteBool("Druckoption\\PDF", "UseBMPScanlines", true);
    auto* panel = dialog.findChild<TPrinterChoicePanel*>();
    ASSERT_NE(panel, nullptr);
    const int pdf = panel->PrinterBox()->findText(QStringLiteral("PDF"));
    ASSERT_GE(pdf, 0);
    panel->cbDruckerChange(pdf);
    EXPECT_EQ(gdi::CurrentPrinter().Name(), "PDF");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Drucken: PDF"));
    EXPECT_EQ(Child<QLabel>(&dialog, "lblDruckpositionHorz")->text(), QStringLiteral("1,5 mm nach rechts"));
    EXPECT_TRUE(Child<QCheckBox>(&dialog, "cbUseScanlines")->isChecked());
    EXPECT_TRUE(UseScanlines);
    UseScanlines = false;
}

TEST_F(PrintDialogs, OneLabelDialogRangesCopiesAndAnEmptiedPageNumber) {
    TZRDruckDlg dialog;
    EXPECT_FALSE(Child<QRadioButton>(&dialog, "rbSeiten")->isVisibleTo(&dialog));
    EXPECT_FALSE(Child<QRadioButton>(&dialog, "rbMarkierung")->isEnabled());
    dialog.SetOptions(TZRDruckDlg::kOfferSelection | TZRDruckDlg::kOfferPages);
    EXPECT_TRUE(Child<QRadioButton>(&dialog, "rbSeiten")->isVisibleTo(&dialog));
    EXPECT_TRUE(Child<QRadioButton>(&dialog, "rbMarkierung")->isEnabled());
    dialog.SetFromPage(1);
    dialog.SetToPage(4);
    EXPECT_EQ(dialog.PrintRange(), TPrintRange::All);  // setting the numbers chooses nothing

    ShowActive(&dialog);
    auto* from = Child<TQDXIntegerEdit>(&dialog, "edVon");
    from->setFocus();
    QCoreApplication::processEvents();
    from->setText(QString());
    EXPECT_EQ(dialog.PrintRange(), TPrintRange::Pages);
    EXPECT_TRUE(from->ValidateEntry());
    EXPECT_EQ(from->text(), QStringLiteral("4"));
    EXPECT_EQ(dialog.FromPage(), 4);

    for (const auto& [asked, kept] : {std::pair{5000, 1000}, std::pair{0, 1}, std::pair{12, 12}}) {
        dialog.SetCopies(asked);
        EXPECT_EQ(dialog.Copies(), kept);
    }
    dialog.hide();
    SaveScreenshot(dialog, "print-one-label");
}

TEST_F(PrintDialogs, CancellingPutsThePrinterBackWithItsSettings) {
    ASSERT_TRUE(gdi::SelectPrinter(gdi::PdfPrinterName()));
    gdi::Printer& before = gdi::CurrentPrinter();
    ASSERT_TRUE(before.SelectPaper({"A5", 1480, 2100, 0, "A5"}));
    before.SetOrientation(gdi::PageOrientation::Landscape);
    before.SetCopies(3);
    before.SetColor(false);
    const gdi::PrinterSettings kept = before.Settings();

    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Abbrechen");
        TZRDruckDlg dialog;
        WhenShown<TZRDruckDlg>([&](TZRDruckDlg& d) {
            // Choosing the printer again gives it the driver's settings.
            auto* printers = Child<QComboBox>(&d, "cbDrucker");
            d.cbDruckerChange(printers->findText(QStringLiteral("PDF")));
            EXPECT_NE(gdi::CurrentPrinter().Settings(), kept);
            Child<QCheckBox>(&d, "cbUseScanlines")->setChecked(true);
            d.SetCopies(4);
            ok ? d.accept() : d.reject();
        });
        dialog.exec();
        if (!ok) {
            EXPECT_EQ(gdi::CurrentPrinter().Settings(), kept);
            EXPECT_FALSE(ReadUseScanlines());
        } else {
            EXPECT_EQ(gdi::CurrentPrinter().Copies(), 4);
            EXPECT_TRUE(ReadUseScanlines());
        }
    }
    UseScanlines = false;
}

TEST_F(PrintDialogs, DiscDialogAsksForThePrintStyleOnlyOnce) {
    int asked = 0;
    QWidget mainWindow;
    TCILDruckDlg::SetInkjetQuestion([&](QWidget* parent, const QString& question) {
        ++asked;
        EXPECT_EQ(parent, &mainWindow);  // centred on the main window, not on the hidden dialog
        EXPECT_EQ(question, QStringLiteral("Ist der Drucker Fake Driver ein Tintenstrahldrucker?"));
        return false;  // not an ink-jet printer: each region as a bitmap
    });
    {
        TCILDruckDlg dialog(&mainWindow);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(dialog.PrintStyle(), kPrintStyleBitmap);
        EXPECT_EQ(ReadPrintStyle(), kPrintStyleBitmap);
        SaveScreenshot(dialog, "print-disc");
    }
    TCILDruckDlg again;
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(again.PrintStyle(), kPrintStyleBitmap);
    WhenShown<TCILDruckDlg>([](TCILDruckDlg& d) {
        Child<QRadioButton>(&d, "rbNormal")->setChecked(true);
        d.accept();
    });
    again.exec();
    EXPECT_EQ(ReadPrintStyle(), kPrintStyleInkjet);
}

TEST_F(PrintDialogs, SerialPrintDialogShowsOnlyThePanelsThatAsk) {
    struct Case {
        const char* name;
        int columns, designs;
        bool oneRecord;
        std::vector<const char*> panels;
    };
    const Case cases[] = {
        {"everything to ask", 2, 2, false, {"panDrucker", "panDesign", "panAnzahl", "panEtikettenauswahl"}},
        {"one design, one record, one label", 1, 1, true, {"panDrucker"}},
        {"one design", 2, 1, false, {"panDrucker", "panAnzahl", "panEtikettenauswahl"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TEtikett sheet;
        sheet.SetColumns(c.columns);
        sheet.SetLabelWidth(90);
        TDatasetDruckDlg dialog;
        if (c.oneRecord) dialog.RemovePanel(TDatasetDruckDlg::kCountPanel);
        dialog.SetSheet(sheet);
        dialog.SetDesigns(std::vector<std::string>(static_cast<size_t>(c.designs), "Design"), 0);
        EXPECT_FALSE(Child<QPushButton>(&dialog, "BtnDruckvorschau")->isVisibleTo(&dialog));
        dialog.show();
        std::vector<std::string> names;
        for (QWidget* panel : dialog.Panels()) names.push_back(panel->objectName().toStdString());
        EXPECT_EQ(names, std::vector<std::string>(c.panels.begin(), c.panels.end()));
        auto* next = Child<QPushButton>(&dialog, "BtnWeiter");
        for (size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(dialog.PanelIndex(), static_cast<int>(i));
            EXPECT_TRUE(dialog.Panels()[i]->isVisible());
            EXPECT_EQ(next->text(), QString::fromUtf8(i + 1 == names.size() ? "Drucken" : "Weiter"));
            EXPECT_EQ(Child<QPushButton>(&dialog, "BtnZurueck")->isEnabled(), i > 0);
            if (i + 1 < names.size()) dialog.BtnWeiterClick();
        }
        dialog.BtnWeiterClick();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

TEST_F(PrintDialogs, SerialPrintDialogRangesAndLimits) {
    TDatasetDruckDlg dialog;
    TwoByTwo(doc.sheet);
    dialog.SetSheet(doc.sheet);
    dialog.SetRecordFrom(1);
    dialog.SetRecordTo(25);
    dialog.SetPageFrom(1);
    dialog.SetPageTo(7);
    dialog.SetRangeKind(TRecordRangeKind::AllRecords);
    EXPECT_EQ(dialog.Options().Mask, "1111");
    // Typing a page number chooses the page range.
    Child<TQDXIntegerEdit>(&dialog, "edSeiteVon")->textEdited(QStringLiteral("2"));
    EXPECT_EQ(dialog.RangeKind(), TRecordRangeKind::Pages);
    EXPECT_EQ(Child<TQDXIntegerEdit>(&dialog, "edSeiteBis")->UpperLimit(), 7);
    EXPECT_EQ(Child<TQDXIntegerEdit>(&dialog, "edDSVon")->UpperLimit(), 25);
    dialog.SetCopiesPerRecord(5000);
    EXPECT_EQ(dialog.CopiesPerRecord(), 1000);
    printtest::NumberedRecords records(5);
    dialog.SetDocument(&doc, &records);
    EXPECT_TRUE(Child<QPushButton>(&dialog, "BtnDruckvorschau")->isVisibleTo(&dialog));
    dialog.resize(520, 460);
    dialog.show();
    dialog.BtnWeiterClick();
    dialog.BtnWeiterClick();
    SaveScreenshot(dialog, "print-serial-count");
}

TEST_F(PrintDialogs, EveryTextOfThePrintDialogsIsInBothLanguages) {
    TDlgDruckauswahl sheet;
    TZRDruckDlg single;
    TCILDruckDlg::SetInkjetQuestion([](QWidget*, const QString&) { return true; });
    TCILDruckDlg disc;
    TDatasetDruckDlg serial;
    // Values and captions that name the printer.
    const QStringList values = {"DlgDruckauswahl", "DatasetDruckDlg", "lblDruckpositionHorz", "lblDruckpositionVert", "cbDrucker", "edNrLabel", "edNrBoegen",
                                "lblTyp", "lblOrt", "lblKommentar", "edAnzahl", "edVon", "edBis", "edDSVon",
                                "edDSBis", "edSeiteVon", "edSeiteBis"};
    const int checked = ExpectFormTextsInBothLanguages({&sheet, &single, &disc, &serial}, [&](const QString& key) {
        return values.contains(key.section(QLatin1Char('.'), 0, 0));
    });
    EXPECT_GT(checked, 80);
    // The captions name the printer in the user's language.
    Localizer().SetLanguage(1);
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Print: Fake"));
    EXPECT_EQ(LocalizedText("IDS_PRINTNOLABELS"), QStringLiteral("With these settings no label is printed."));
    Localizer().SetLanguage(0);
    EXPECT_EQ(serial.windowTitle(), QStringLiteral("Drucken: Fake"));
}

TEST_F(PrintDialogs, PrintCommandThroughTheRealWindows) {
    QWidget mainWindow;
    mainWindow.show();
    TwoByTwo(doc.sheet);
    doc.AddStandardFigures();
    bool disabledWhilePrinting = false;
    QString cancelText;
    doc.log.afterLabel = [&](const printtest::PrintedLabel&) {
        disabledWhilePrinting = !mainWindow.isEnabled();
        if (TDlgDruckAbbrechen* cancel = TDlgDruckAbbrechen::Current()) {
            EXPECT_TRUE(cancel->isVisible());
            EXPECT_TRUE(cancel->isEnabled());
            cancelText = cancel->Text();
        }
    };
    WhenShown<TDlgDruckauswahl>([](TDlgDruckauswahl& d) {
        while (d.Page() < TDlgDruckauswahl::kFirstSheetPage) d.cmdWeiterClick();
        d.cmdDruckenClick();
    });
    PrintDocument(doc, &mainWindow);
    ASSERT_EQ(doc.log.labels.size(), 2u);
    EXPECT_TRUE(disabledWhilePrinting);
    EXPECT_EQ(cancelText, QStringLiteral("Drucke Design 2 auf Seite 1"));
    EXPECT_TRUE(mainWindow.isEnabled());
    EXPECT_EQ(TDlgDruckAbbrechen::Current(), nullptr);
    EXPECT_EQ(fake().Pages(), 1);
    EXPECT_FALSE(fake().Printing());
}

TEST_F(PrintDialogs, TheTestPrintOfThePrintPositionDialogDrawsTheSheetShifted) {
    InstallPrintHooks();
    ASSERT_TRUE(DruckPositionHooks().TestPrint);
    TwoByTwo(doc.sheet);
    WhenShown<QDialog>([](QDialog& d) { d.accept(); });  // the printer choice
    DruckPositionHooks().TestPrint(nullptr, SheetPictureOf(doc.sheet), 2, -1);
    DruckPositionHooks() = {};
    EXPECT_FALSE(fake().Printing());
    EXPECT_EQ(fake().Pages(), 1);
    // The sheet's page outline, its corner at the offsets.
    std::vector<gdi::Point> corners;
    for (const gdi::RecordedCall& c : fake().Recording().Calls())
        if (c.op == gdi::RecordedCall::Op::Polygon && c.points.size() == 5)
            corners.push_back(ToDevice(c.state, c.points[0]));
    ASSERT_EQ(corners.size(), 1u);
    const gdi::DeviceCaps caps = fake().Caps();
    EXPECT_NEAR(corners[0].x, 2 * 600 / 25.4 - caps.physicalOffsetX, 1.5);
    EXPECT_NEAR(corners[0].y, -1 * 1200 / 25.4 - caps.physicalOffsetY, 1.5);
    EXPECT_GT(fake().Recording().Calls().size(), 5u);  // the labels too
}
