// The small windows of the print path: the cancel window of a job, the
// progress window of the preview builder and the printer choice, and their
// texts in both languages.
#include "PrintingTesting.h"

#include "support/FormTexts.h"
#include "printing/widgets/DlgDruckAbbrechen.h"
#include "printing/widgets/DlgDruckPosition2.h"
#include "printing/widgets/DlgSelPrinter.h"
#include "printing/widgets/PreviewProgressDlg.h"
#include "printing/widgets/PrinterPropertiesDlg.h"

#include <QtCore/QEventLoop>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>

#include <stdexcept>

namespace {

QListWidgetItem* ItemNamed(QListWidget* list, const std::string& name) {
    const QList<QListWidgetItem*> found = list->findItems(QString::fromStdString(name), Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

}  // namespace

TEST_F(PrintingTest, CancelWindowShowsTheJobAndAbortsIt) {
    EXPECT_EQ(TDlgDruckAbbrechen::Current(), nullptr);
    {
        TDlgDruckAbbrechen window;
        EXPECT_EQ(TDlgDruckAbbrechen::Current(), &window);
        window.SetText(QStringLiteral("Drucke Design 3 auf Seite 1"));
        EXPECT_EQ(window.Text(), QStringLiteral("Drucke Design 3 auf Seite 1"));
        window.show();
        SaveScreenshot(window, "cancel-window");

        ASSERT_TRUE(fake().BeginDoc("Job"));
        ClickButton(&window, "cmdAbbrechen");
        EXPECT_TRUE(fake().Aborted());
        EXPECT_FALSE(fake().Printing());

        // Closing the window cancels as well; between jobs it does nothing.
        ASSERT_TRUE(fake().BeginDoc("Job"));
        window.reject();
        EXPECT_TRUE(fake().Aborted());
        window.reject();
        EXPECT_TRUE(window.isVisible());  // the job frame frees it, not the user
    }
    EXPECT_EQ(TDlgDruckAbbrechen::Current(), nullptr);
}

TEST(PreviewProgress, BuilderRunsOnceWhileShownAndMayStopEarly) {
    TPreviewProgressDlg window;
    int runs = 0;
    int pages = 0;
    window.Run([&](TPreviewProgressDlg& progress) {
        ++runs;
        EXPECT_TRUE(progress.isVisible());
        for (pages = 1; pages <= 100; ++pages) {
            progress.SetText(QStringLiteral("Seite %1 von 100").arg(pages));
            if (pages == 3) progress.findChild<QPushButton*>(QStringLiteral("BtnSofort"))->click();
            QCoreApplication::processEvents();
            progress.show();  // showing it again does not start a second run
            if (progress.ShowNow()) break;
        }
        SaveScreenshot(progress, "preview-progress");
    });
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(pages, 3);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.Text(), QStringLiteral("Seite 3 von 100"));

    // A second run starts afresh; what the builder raises reaches the caller.
    EXPECT_THROW(window.Run([&](TPreviewProgressDlg& progress) {
        EXPECT_FALSE(progress.ShowNow());
        ++runs;
        throw std::runtime_error("page could not be saved");
    }),
                 std::runtime_error);
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(PrintingTest, PrinterChoiceMakesTheClickedPrinterCurrentAtOnce) {
    TDlgSelPrinter window;
    QListWidget* list = window.PrinterList();
    ASSERT_GE(list->count(), 1);
    EXPECT_EQ(list->item(list->count() - 1)->text(), QString::fromStdString(gdi::PdfPrinterName()));
    EXPECT_EQ(list->currentItem(), nullptr);  // the fake printer is none of the system's
    SaveScreenshot(window, "printer-choice");

    // A printer that offers nothing to choose has nothing to show.
    fake().SetPapers({});
    try {
        window.cmdEinstellungClick();
        ADD_FAILURE() << "no exception";
    } catch (const EPrinter& e) {
        EXPECT_EQ(QString::fromUtf8(e.Message()), QStringLiteral("Für diesen Drucker sind keine Einstellungen verfügbar."));
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    QListWidgetItem* pdf = ItemNamed(list, gdi::PdfPrinterName());
    ASSERT_NE(pdf, nullptr);
    window.lbDruckerClick(pdf);
    EXPECT_EQ(gdi::CurrentPrinter().Name(), gdi::PdfPrinterName());
    window.reject();  // the choice stays
    EXPECT_EQ(gdi::CurrentPrinter().Name(), gdi::PdfPrinterName());

    // The PDF printer's properties offer its resolutions and colour or grey.
    bool shown = false;
    WhenShown<TPrinterPropertiesDlg>([&](TPrinterPropertiesDlg& d) {
        shown = true;
        EXPECT_EQ(d.ResolutionBox()->count(), 3);
        EXPECT_TRUE(d.ColorBox()->isEnabled());
        EXPECT_FALSE(d.DuplexBox()->isEnabled());
        d.reject();
    });
    EXPECT_FALSE(PrinterSupport().ShowPrinterProperties(&window));
    EXPECT_TRUE(shown);
}

TEST_F(PrintingTest, PrinterPropertiesOfferWhatTheDriverOffersAndOkPutsThemOnThePrinter) {
    fake().SetChoices({{300, 600, 1200}, true, {gdi::DuplexMode::LongSide, gdi::DuplexMode::ShortSide}});
    const gdi::PrinterSettings before = fake().Settings();
    for (const bool ok : {false, true}) {
        WhenShown<TPrinterPropertiesDlg>([&](TPrinterPropertiesDlg& d) {
            EXPECT_EQ(d.PaperBox()->currentText(), QStringLiteral("A4"));
            EXPECT_EQ(d.ResolutionBox()->currentText(), QStringLiteral("600 dpi"));
            EXPECT_EQ(d.DuplexBox()->count(), 3);
            d.PaperBox()->setCurrentIndex(d.PaperBox()->findText(QStringLiteral("Letter")));
            d.ResolutionBox()->setCurrentIndex(d.ResolutionBox()->findText(QStringLiteral("300 dpi")));
            d.ColorBox()->setCurrentIndex(d.ColorBox()->findText(QStringLiteral("Graustufen")));
            d.DuplexBox()->setCurrentIndex(d.DuplexBox()->findText(QStringLiteral("beidseitig, an der langen Kante wenden")));
            if (ok) SaveScreenshot(d, "printer-properties");
            ClickButton(&d, ok ? "BtnOK" : "BtnAbbrechen");
        });
        EXPECT_EQ(PrinterSupport().ShowPrinterProperties(nullptr), ok);
        if (!ok) EXPECT_EQ(fake().Settings(), before);
    }
    EXPECT_EQ(fake().CurrentPaper().key, "Letter");
    EXPECT_EQ(fake().Resolution(), 300);
    EXPECT_FALSE(fake().Color());
    EXPECT_EQ(fake().Duplex(), gdi::DuplexMode::LongSide);

    // A printer without a choice shows its value greyed.
    fake().SetChoices({});
    WhenShown<TPrinterPropertiesDlg>([&](TPrinterPropertiesDlg& d) {
        EXPECT_FALSE(d.ResolutionBox()->isEnabled());
        EXPECT_FALSE(d.ColorBox()->isEnabled());
        EXPECT_EQ(d.ColorBox()->currentText(), QStringLiteral("Graustufen"));
        EXPECT_FALSE(d.DuplexBox()->isEnabled());
        d.reject();
    });
    EXPECT_FALSE(PrinterSupport().ShowPrinterProperties(nullptr));
}

TEST_F(PrintingTest, EveryTextOfThePrintWindowsIsInBothLanguages) {
    TDlgDruckPosition2 position;
    TDlgDruckAbbrechen cancel;
    TPreviewProgressDlg progress;
    TDlgSelPrinter choice;
    TPrinterPropertiesDlg properties(gdi::CurrentPrinter());
    // Texts the windows set themselves: offsets in words, the job's progress, printer names.
    auto computed = [](const QString& key) {
        for (const char* name : {"labHori.", "labVert.", "lText.", "lblSeiten.", "lbDrucker.Items", "lblDruckername.",
                                 "cbPapier.", "cbAufloesung.", "cbFarbe.", "cbBeidseitig."})
            if (key.startsWith(QLatin1String(name))) return true;
        return false;
    };
    const int checked = ExpectFormTextsInBothLanguages({&position, &cancel, &progress, &choice, &properties}, computed);
    EXPECT_GE(checked, 15);

    Localizer().SetLanguage(1);
    EXPECT_EQ(position.windowTitle(), QStringLiteral("Print position"));
    EXPECT_EQ(position.findChild<QLabel*>(QStringLiteral("labHori"))->text(), QStringLiteral("no offset"));
    EXPECT_EQ(choice.findChild<QPushButton*>(QStringLiteral("cmdEinstellung"))->text(), QStringLiteral("&Settings..."));
    SaveScreenshot(position, "print-position-english");
    Localizer().SetLanguage(0);
    EXPECT_EQ(position.findChild<QLabel*>(QStringLiteral("labHori"))->text(), QStringLiteral("keine Verschiebung"));
}
