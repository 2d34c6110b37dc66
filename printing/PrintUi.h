#pragma once
// What the print engine asks of the windows around a print job: the print
// dialogs, the file of the PDF printer, messages, and the cancel window
// shown while a job runs (with the main window disabled meanwhile). The
// print windows implement it (printing/widgets/PrintDialogsUi.h); tests
// answer with scripts of their own.

#include "printing/PrintOptions.h"

#include <QtCore/QString>

class TPrintRecordSet;
class TPrintSource;

class TPrintUi {
public:
    virtual ~TPrintUi() = default;

    // Each dialog answers true for "Drucken"/OK and fills in the options.
    virtual bool AskSheetOptions(TPrintSource& source, TSheetPrintOptions& options) = 0;
    virtual bool AskSingleLabelOptions(TPrintSource& source, TSingleLabelPrintOptions& options) = 0;
    virtual bool AskClipRingOptions(TPrintSource& source, TClipRingPrintOptions& options) = 0;
    virtual bool AskDatasetOptions(TPrintSource& source, TPrintRecordSet& records, TDatasetPrintOptions& options) = 0;
    // The file the PDF printer writes, starting from the suggestion; false
    // when the user does not want one.
    virtual bool AskPdfFile(QString& path) = 0;
    // Whether the existing file may be replaced.
    virtual bool AskReplaceFile(const QString& path) = 0;
    virtual void ShowMessage(const QString& text) = 0;

    // The cancel window with its first text, shown at once; the main window
    // is disabled until EndJob.
    virtual void BeginJob(const QString& text) = 0;
    virtual void SetJobText(const QString& text) = 0;
    virtual void EndJob() = 0;
    // Lets pending events run (the cancel window's button among them).
    virtual void ProcessEvents() = 0;
};

// The PDF printer's file, from the suggestion: asked again until the user
// takes a file that is not there yet or agrees to replace it; false when he
// takes none.
bool ChoosePdfFile(TPrintUi& ui, QString& path);
