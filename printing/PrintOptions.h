#pragma once
// The answers of the print dialogs as the print engine reads them, and what
// the engine offers the dialogs beforehand.
//
// A first-sheet mask has one character per label position (character n - 1
// for position n): '1' means the label is still on the first sheet; any
// other character means it is missing. Positions past the mask's end count
// as free.

#include <cstdint>
#include <string>
#include <vector>

// Multi-label sheets.
struct TSheetPrintOptions {
    // Indexes of the document's designs to print, in list order.
    std::vector<int32_t> Designs;
    // True: SheetCount sheets are filled; false: LabelsPerDesign labels of each design.
    bool CountBySheets = false;
    int32_t SheetCount = 1;
    int32_t LabelsPerDesign = 1;
    // All labels of one design before the next design starts.
    bool KeepTogether = true;
    std::string Mask;
};

enum class TPrintRange : int32_t { All = 0, Selection = 1, Pages = 2 };

// One-label sheets.
struct TSingleLabelPrintOptions {
    // Offered by the engine.
    bool OfferSelection = false;
    bool OfferPages = false;
    // Answers (FromPage and ToPage are preset to the first and last design).
    int32_t Copies = 1;
    TPrintRange Range = TPrintRange::All;
    int32_t FromPage = 1;
    int32_t ToPage = 1;
};

// One-label sheets whose clip regions are printed one by one (disc labels).
struct TClipRingPrintOptions {
    bool OfferSelection = false;
    int32_t Copies = 1;
    bool SelectionOnly = false;
    // The print style "page as bitmap": each region through the 300-dpi page bitmap.
    bool PageAsBitmap = false;
};

enum class TRecordRangeKind : int32_t { AllRecords = 0, Records = 1, Pages = 2 };

// Serial printing over a record set.
struct TDatasetPrintOptions {
    int32_t Design = 0;  // index of the document's design
    TRecordRangeKind RangeKind = TRecordRangeKind::AllRecords;
    int32_t RecordFrom = 1;
    int32_t RecordTo = 1;
    int32_t PageFrom = 1;
    int32_t PageTo = 1;
    int32_t CopiesPerRecord = 1;
    std::string Mask;
};
