#pragma once
// The print windows behind the print engine: the print dialog of the kind of
// job, the file of the PDF printer, messages, and the cancel window while a
// job runs, with the main window disabled meanwhile. The sheet print dialog
// is made once per print command, so that it keeps the user's answers while
// the command lasts.
//
// PrintDocument is what the document window's print command calls.

#include "printing/PrintUi.h"

#include <memory>

class QWidget;
class TDlgDruckAbbrechen;
class TDlgDruckauswahl;
class TPrintSource;

class TPrintDialogsUi : public TPrintUi {
public:
    // mainWindow owns the dialogs and is disabled while a job runs (may be none).
    explicit TPrintDialogsUi(QWidget* mainWindow);
    ~TPrintDialogsUi() override;

    bool AskSheetOptions(TPrintSource& source, TSheetPrintOptions& options) override;
    bool AskSingleLabelOptions(TPrintSource& source, TSingleLabelPrintOptions& options) override;
    bool AskClipRingOptions(TPrintSource& source, TClipRingPrintOptions& options) override;
    bool AskDatasetOptions(TPrintSource& source, TPrintRecordSet& records, TDatasetPrintOptions& options) override;
    bool AskPdfFile(QString& path) override;
    bool AskReplaceFile(const QString& path) override;
    void ShowMessage(const QString& text) override;
    void BeginJob(const QString& text) override;
    void SetJobText(const QString& text) override;
    void EndJob() override;
    void ProcessEvents() override;

private:
    QWidget* mainWindow_;
    std::unique_ptr<TDlgDruckauswahl> sheetDialog_;
    std::unique_ptr<TDlgDruckAbbrechen> cancelWindow_;
};

// Prints the document: the engine with the print windows, for one command.
void PrintDocument(TPrintSource& source, QWidget* mainWindow);

// Installs what the print-position dialog takes from the engine: the test
// print of a sheet's outlines.
void InstallPrintHooks();
