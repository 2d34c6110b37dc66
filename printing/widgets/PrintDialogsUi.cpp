#include "printing/widgets/PrintDialogsUi.h"

#include "document/Etikett.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/ScaleCanvas.h"
#include "platform/printer/Printer.h"
#include "printing/EtikettPrinter.h"
#include "printing/PrintSource.h"
#include "printing/PrinterScaling.h"
#include "printing/PrinterSupport.h"
#include "printing/widgets/CILDruckDlg.h"
#include "printing/widgets/DatasetDruckDlg.h"
#include "printing/widgets/DlgDruckAbbrechen.h"
#include "printing/widgets/DlgDruckPosition2.h"
#include "printing/widgets/DlgDruckauswahl.h"
#include "printing/widgets/DlgSelPrinter.h"
#include "printing/widgets/ZRDruckDlg.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMessageBox>

#include <vector>

namespace {

std::vector<std::string> CaptionsOf(TPrintSource& source) {
    std::vector<std::string> captions;
    for (int32_t i = 0; i < source.DesignCount(); ++i) captions.push_back(source.DesignCaption(i));
    return captions;
}

// The sheet's outlines on the current printer, shifted by the offsets.
void PrintSheetOutlines(QWidget* owner, const TPrintSheetPicture& sheet, double offsetX, double offsetY) {
    PrinterSupport().SetUserPaperSize(sheet.PageWidth, sheet.PageHeight);
    if (ExecuteSelPrinter(owner) != QDialog::Accepted) return;
    gdi::Printer& printer = gdi::CurrentPrinter();
    if (printer.Name() == gdi::PdfPrinterName()) {
        QString path = QString::fromStdString(printer.Identity().port);
        TPrintDialogsUi ui(owner);
        if (!ChoosePdfFile(ui, path)) return;
        printer.SetOutputFile(path.toStdString());
    }
    printer.SetOrientation(gdi::PageOrientation::Portrait);
    if (!printer.BeginDoc(ApplicationTitle().toStdString())) throw EPrinter(LocalizedText("IDS_PRINTJOBFAILED"));
    try {
        TScaleCanvas canvas(&printer.GetCanvas());
        ResetToPrinter(canvas);
        canvas.SetWorldOffsetX(static_cast<float>(offsetX));
        canvas.SetWorldOffsetY(static_cast<float>(offsetY));
        DrawSheetPicture(canvas, sheet);
    } catch (...) {
        // No half page reaches the printer.
        if (printer.Printing()) printer.Abort();
        throw;
    }
    if (!printer.EndDoc()) throw EPrinter(LocalizedText("IDS_PRINTJOBFAILED"));
}

}  // namespace

TPrintDialogsUi::TPrintDialogsUi(QWidget* mainWindow) : mainWindow_(mainWindow) {}

TPrintDialogsUi::~TPrintDialogsUi() = default;

bool TPrintDialogsUi::AskSheetOptions(TPrintSource& source, TSheetPrintOptions& options) {
    if (!sheetDialog_) sheetDialog_ = std::make_unique<TDlgDruckauswahl>(mainWindow_);
    sheetDialog_->SetSheet(source.Sheet());
    sheetDialog_->SetDesigns(CaptionsOf(source));
    if (sheetDialog_->exec() != QDialog::Accepted) return false;
    sheetDialog_->ReadOptions(options);
    return true;
}

bool TPrintDialogsUi::AskSingleLabelOptions(TPrintSource&, TSingleLabelPrintOptions& options) {
    TZRDruckDlg dialog(mainWindow_);
    dialog.SetOptions(static_cast<uint8_t>((options.OfferSelection ? TZRDruckDlg::kOfferSelection : 0) |
                                           (options.OfferPages ? TZRDruckDlg::kOfferPages : 0)));
    dialog.SetFromPage(options.FromPage);
    dialog.SetToPage(options.ToPage);
    if (dialog.exec() != QDialog::Accepted) return false;
    options.Copies = dialog.Copies();
    options.Range = dialog.PrintRange();
    options.FromPage = dialog.FromPage();
    options.ToPage = dialog.ToPage();
    return true;
}

bool TPrintDialogsUi::AskClipRingOptions(TPrintSource&, TClipRingPrintOptions& options) {
    TCILDruckDlg dialog(mainWindow_);
    dialog.SetOptions(options.OfferSelection ? TCILDruckDlg::kOfferSelection : 0);
    if (dialog.exec() != QDialog::Accepted) return false;
    options.Copies = dialog.Copies();
    options.SelectionOnly = dialog.SelectionOnly();
    options.PageAsBitmap = dialog.PrintStyle() == 1;
    return true;
}

bool TPrintDialogsUi::AskDatasetOptions(TPrintSource& source, TPrintRecordSet& records, TDatasetPrintOptions& options) {
    TDatasetDruckDlg dialog(mainWindow_);
    dialog.SetDocument(&source, &records);
    if (records.RecordCount() == 1) dialog.RemovePanel(TDatasetDruckDlg::kCountPanel);
    dialog.SetSheet(source.Sheet());
    dialog.SetRecordFrom(1);
    dialog.SetRecordTo(options.RecordTo);
    dialog.SetPageFrom(1);
    dialog.SetPageTo(options.PageTo);
    dialog.SetRangeKind(TRecordRangeKind::AllRecords);
    dialog.SetDesigns(CaptionsOf(source), options.Design);
    if (dialog.exec() != QDialog::Accepted) return false;
    options = dialog.Options();
    return true;
}

bool TPrintDialogsUi::AskPdfFile(QString& path) {
    // The engine asks before it replaces a file, in the program's words.
    const QString chosen = QFileDialog::getSaveFileName(mainWindow_, LocalizedText("IDS_PRINTPDFFILE"), path,
                                                        LocalizedText("IDS_PRINTPDFFILTER"), nullptr,
                                                        QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty()) return false;
    path = chosen;
    return true;
}

bool TPrintDialogsUi::AskReplaceFile(const QString& path) {
    return QMessageBox::question(mainWindow_, LocalizedText("IDS_PRINTPDFFILE"),
                                 LocalizedFormat("IDS_PRINTPDFREPLACE", {QDir::toNativeSeparators(path)}),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void TPrintDialogsUi::ShowMessage(const QString& text) {
    QMessageBox::information(mainWindow_, LocalizedText("IDS_DLGDRUCKENCAPTION"), text);
}

void TPrintDialogsUi::BeginJob(const QString& text) {
    cancelWindow_ = std::make_unique<TDlgDruckAbbrechen>(mainWindow_);
    cancelWindow_->SetText(text);
    cancelWindow_->show();
    cancelWindow_->repaint();
    if (mainWindow_) mainWindow_->setEnabled(false);
    cancelWindow_->setEnabled(true);
}

void TPrintDialogsUi::SetJobText(const QString& text) {
    if (cancelWindow_) cancelWindow_->SetText(text);
}

void TPrintDialogsUi::EndJob() {
    if (mainWindow_) mainWindow_->setEnabled(true);
    cancelWindow_.reset();
}

void TPrintDialogsUi::ProcessEvents() { QCoreApplication::processEvents(); }

void PrintDocument(TPrintSource& source, QWidget* mainWindow) {
    TPrintDialogsUi ui(mainWindow);
    TEtikettPrinter engine(source, ui);
    engine.Print();
}

void InstallPrintHooks() { DruckPositionHooks().TestPrint = PrintSheetOutlines; }
