#pragma once
// The print engine of one document. A print command creates it for the
// active document, calls Print and frees it again. The engine asks for the
// print options, runs the job on the current printer, repeats the chosen
// designs over the label positions of the sheet, keeps the running numbers
// of the labels ("lfdNr", and "GesNr", the number of labels of a design in
// the job), tells the designs when the job and each label begin and end, and
// shows the cancel window while the job runs.
//
// Three kinds of job: serial printing when the document's database link
// holds a record set; one-label sheets (single labels with collated copies
// and a range of designs, or disc labels printed region by region); and
// multi-label sheets, counted by sheets or by labels per design, designs
// kept together or taking turns.
//
// A job that fails part-way is aborted, so that no half sheet with cut marks
// reaches the printer; the failure passes on (printer failures are shown).
// The job's pages are drawn through a region-clipped scale canvas of the
// printer: its world offsets are the user's print offset plus the label's
// top-left corner, and the printer's clip region is the label's cell (half
// the gap around it, half the margin at the sheet's edges).

#include "platform/gdi/GdiTypes.h"
#include "printing/LabelWalk.h"
#include "printing/PrintOptions.h"

#include <QtCore/QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TEtikett;
class TMMRgn;
class TPrintDesign;
class TPrintRecordSet;
class TPrintSource;
class TPrintUi;
class TRegionScaleCanvas;

namespace gdi {
class Printer;
}

class TEtikettPrinter {
public:
    TEtikettPrinter(TPrintSource& source, TPrintUi& ui);
    ~TEtikettPrinter();
    TEtikettPrinter(const TEtikettPrinter&) = delete;
    TEtikettPrinter& operator=(const TEtikettPrinter&) = delete;

    // Runs the print command: the dialog of the document's kind of job, then the job.
    void Print();

    // Millimetres to logical units of the printer with the current label origin.
    int32_t MMToDeviceX(double mm) const;
    int32_t MMToDeviceY(double mm) const;

private:
    struct Entry {
        std::string caption;
        TPrintDesign* design;
        int32_t labelCount;  // "GesNr"
    };
    class CounterReset;

    // ---- the kinds of job
    void PrintSheets();
    void PrintSingleLabelSheets();
    void PrintWithClipRing();
    void PrintDataset(TPrintRecordSet& records);
    void PrintSheetLabels(const TSheetPrintOptions& options);
    void RunOneLabelJob(int32_t copies, int32_t pagesPerCopy, const std::function<void(int32_t page)>& drawPage);
    void PrintDatasetRecords(TPrintRecordSet& records, int32_t design, int32_t count, int32_t copies);

    // ---- the job frame: the cancel window, the printer's document and the
    // notifications around the labels. False when no job was begun (the
    // PDF printer got no file).
    bool RunJob(const QString& firstText, bool readUserOffsets, const std::function<void()>& labels);
    bool PrepareOutput(gdi::Printer& printer);
    QString SuggestedPdfFile() const;
    QString JobTitle() const;
    void StartPrintJob(int32_t flag);
    void EndPrintJob(int32_t flag);
    void ReadUserOffsets();
    bool Aborted() const;
    // Lets the cancel window's button work, then tells whether the job was aborted.
    bool LetEventsRun();
    void SetJobText(const QString& text);
    void SetLabelText();

    // ---- placement
    void ApplyLabelOrigin();
    void SetLabelPosition(int32_t position);
    // The device pixels of a box in label mm, the right and bottom row included.
    gdi::Rect DeviceBox(double left, double top, double right, double bottom) const;
    // The next position; a new sheet begins the next page. False when that
    // sheet would come after lastSheet (0: no limit).
    bool AdvanceLabel(int32_t lastSheet = 0);
    void ChangePage();
    void NewSheet();
    void DrawCutMarks();
    void RemoveClipRegion();
    void MaskSpecialArticles();

    // ---- drawing a design
    void PrintDesignLabel(int32_t index, bool notify);
    void PrintDesign(int32_t index) { PrintDesignLabel(index, true); }
    void PrintClipRegions();
    void PrintClipRegionsAsBitmap();
    void PrintClipRegionBitmap(const TMMRgn& region);

    void SetDesignList(const std::vector<int32_t>& indexes);
    // "lfdNr" 1 and "GesNr" the design's label count, for every design of the list.
    void StartCounters();
    void ShowNoLabels();
    // The printer makes the copies itself when it can: the copies left for the engine.
    int32_t ApplyDriverCopies(int32_t copies);

    TPrintSource& source_;
    TPrintUi& ui_;
    TEtikett& sheet_;
    std::vector<Entry> designs_;
    double userX_ = 0, userY_ = 0;
    double originX_ = 0, originY_ = 0;
    TLabelWalk walk_;
    std::string mask_;
    bool selectedOnly_ = false;
    bool pageAsBitmap_ = false;
    std::unique_ptr<TRegionScaleCanvas> printerCanvas_;
    TRegionScaleCanvas* canvas_ = nullptr;
};
