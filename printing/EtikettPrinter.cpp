#include "printing/EtikettPrinter.h"

#include "document/Etikett.h"
#include "document/SuchTabelle.h"
#include "foundation/Debug.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/Rounding.h"
#include "foundation/ScaleCanvas.h"
#include "foundation/ZRRegIniFile.h"
#include "platform/printer/Printer.h"
#include "printing/DatasetRange.h"
#include "printing/DruckPositionData.h"
#include "printing/LabelPlacement.h"
#include "printing/MemMapDIBSection.h"
#include "printing/PrintSource.h"
#include "printing/PrintUi.h"
#include "printing/PrinterScaling.h"
#include "printing/PrinterSupport.h"

#include <QtCore/QFileInfo>

#include <algorithm>
#include <exception>
#include <limits>

namespace {

constexpr int32_t kBitmapDpi = 300;
// The print dialog's mask has at least this many characters.
constexpr size_t kDialogMaskLength = 1024;
constexpr gdi::Color kWhite = gdi::Rgb(255, 255, 255);

std::string Decimal(int64_t v) { return std::to_string(v); }

// Puts the sheet's page on the printer again when the dialog chose another printer.
class PaperFollowsPrinter {
public:
    explicit PaperFollowsPrinter(const TEtikett& sheet) : sheet_(sheet), printer_(gdi::CurrentPrinter().Name()) {
        SetPaper();
    }
    void AfterDialog() const {
        if (gdi::CurrentPrinter().Name() != printer_) SetPaper();
    }

private:
    void SetPaper() const { PrinterSupport().SetUserPaperSize(sheet_.PageWidth, sheet_.PageHeight); }
    const TEtikett& sheet_;
    std::string printer_;
};

// Frees the cancel window (and enables the main window) however the job ends.
class JobWindow {
public:
    JobWindow(TPrintUi& ui, const QString& text) : ui_(ui) { ui_.BeginJob(text); }
    ~JobWindow() { ui_.EndJob(); }
    JobWindow(const JobWindow&) = delete;
    JobWindow& operator=(const JobWindow&) = delete;

private:
    TPrintUi& ui_;
};

// The labels of a sheet job, all designs together: none without a design,
// whatever is counted.
int64_t SheetJobLabels(const TSheetPrintOptions& options, int64_t designCount, int64_t freeOnFirstSheet,
                       int32_t positions) {
    if (designCount <= 0) return 0;
    if (!options.CountBySheets) return int64_t{std::max(options.LabelsPerDesign, 0)} * designCount;
    const int64_t available = freeOnFirstSheet + int64_t{std::max(options.SheetCount, 1) - 1} * positions;
    return options.KeepTogether ? available / designCount * designCount : available;
}

}  // namespace

// Every design of the list gets its counters back ("lfdNr" 1, "GesNr" "##")
// when the command ends, however it ends.
class TEtikettPrinter::CounterReset {
public:
    explicit CounterReset(const std::vector<Entry>& designs) : designs_(designs) {}
    ~CounterReset() {
        for (const Entry& e : designs_) e.design->Placeholders().ResetCounters();
    }
    CounterReset(const CounterReset&) = delete;
    CounterReset& operator=(const CounterReset&) = delete;

private:
    const std::vector<Entry>& designs_;
};

TEtikettPrinter::TEtikettPrinter(TPrintSource& source, TPrintUi& ui)
    : source_(source), ui_(ui), sheet_(source.Sheet()) {
    for (int32_t i = 0; i < source.DesignCount(); ++i) designs_.push_back({source.DesignCaption(i), &source.Design(i), 0});
    ReadUserOffsets();
}

TEtikettPrinter::~TEtikettPrinter() = default;

void TEtikettPrinter::Print() {
    if (designs_.empty()) return;
    try {
        if (TPrintRecordSet* records = source_.RecordSet())
            PrintDataset(*records);
        else if (int64_t{sheet_.Columns} * sheet_.Rows == 1)
            PrintSingleLabelSheets();
        else
            PrintSheets();
    } catch (const EPrinter& e) {
        ui_.ShowMessage(QString::fromUtf8(e.Message()));
    }
}

// ---- multi-label sheets

void TEtikettPrinter::PrintSheets() {
    const PaperFollowsPrinter paper(sheet_);
    TSheetPrintOptions options;
    for (int32_t i = 0; i < static_cast<int32_t>(designs_.size()); ++i) options.Designs.push_back(i);
    options.Mask.assign(std::max(kDialogMaskLength, static_cast<size_t>(LabelPositionsOf(sheet_))), '1');
    if (!ui_.AskSheetOptions(source_, options)) return;
    paper.AfterDialog();
    SetDesignList(options.Designs);
    mask_ = options.Mask;

    const int64_t designCount = static_cast<int64_t>(designs_.size());
    const int32_t positions = LabelPositionsOf(sheet_);
    const int64_t total = std::min<int64_t>(
        SheetJobLabels(options, designCount, CountMarkedPositions(mask_, positions), positions),
        std::numeric_limits<int32_t>::max());
    if (total <= 0) {
        ShowNoLabels();
        return;
    }
    // Each design's share; the first designs take the rest when they take turns.
    for (int64_t d = 0; d < designCount; ++d)
        designs_[static_cast<size_t>(d)].labelCount = static_cast<int32_t>(total / designCount + (d < total % designCount));

    const CounterReset reset(designs_);
    StartCounters();
    gdi::Printer& printer = gdi::CurrentPrinter();
    printer.SetOrientation(gdi::PageOrientation::Portrait);
    printer.SetCopies(1);
    RunJob(LocalizedFormat("IDS_DLGDRUCKABBRECHENMSG2", {1, 1}), true, [&] { PrintSheetLabels(options); });
}

void TEtikettPrinter::PrintSheetLabels(const TSheetPrintOptions& options) {
    const int32_t lastSheet = options.CountBySheets ? std::max(options.SheetCount, 1) : 0;
    auto printLabel = [&](int32_t design) {
        if (!AdvanceLabel(lastSheet)) return false;
        SetLabelText();
        PrintDesign(design);
        RemoveClipRegion();
        return !LetEventsRun();
    };
    const int32_t designCount = static_cast<int32_t>(designs_.size());
    if (options.KeepTogether) {
        for (int32_t d = 0; d < designCount; ++d)
            for (int32_t k = 0; k < designs_[static_cast<size_t>(d)].labelCount; ++k)
                if (!printLabel(d)) return;
        return;
    }
    int64_t total = 0;
    for (const Entry& e : designs_) total += e.labelCount;
    for (int64_t k = 0; k < total; ++k)
        if (!printLabel(static_cast<int32_t>(k % designCount))) return;
}

// ---- one-label sheets

void TEtikettPrinter::PrintSingleLabelSheets() {
    if (source_.ClipRingActive() && sheet_.ZoomRegions.HasClipRegion()) {
        PrintWithClipRing();
        return;
    }
    const int32_t designCount = static_cast<int32_t>(designs_.size());
    const int32_t current = std::clamp(source_.CurrentDesign(), 0, designCount - 1);
    TSingleLabelPrintOptions options;
    options.OfferSelection = designs_[static_cast<size_t>(current)].design->HasSelection();
    options.OfferPages = designCount > 1;
    options.FromPage = 1;
    options.ToPage = designCount;
    const PaperFollowsPrinter paper(sheet_);
    const CounterReset reset(designs_);
    if (!ui_.AskSingleLabelOptions(source_, options)) return;
    paper.AfterDialog();

    selectedOnly_ = options.OfferSelection && options.Range == TPrintRange::Selection;
    int32_t first = 0, last = designCount - 1;
    if (selectedOnly_) {
        first = last = current;
    } else if (options.Range == TPrintRange::Pages) {
        first = std::max(1, options.FromPage) - 1;
        last = std::min(designCount, options.ToPage) - 1;
    }
    if (first > last) {
        ShowNoLabels();
        return;
    }
    RunOneLabelJob(options.Copies, last - first + 1, [&](int32_t page) { PrintDesign(first + page); });
}

void TEtikettPrinter::PrintWithClipRing() {
    TClipRingPrintOptions options;
    options.OfferSelection = designs_.front().design->HasSelection();
    const PaperFollowsPrinter paper(sheet_);
    const CounterReset reset(designs_);
    if (!ui_.AskClipRingOptions(source_, options)) return;
    paper.AfterDialog();

    pageAsBitmap_ = options.PageAsBitmap;
    selectedOnly_ = options.OfferSelection && options.SelectionOnly;
    RunOneLabelJob(options.Copies, 1, [&](int32_t) {
        if (pageAsBitmap_)
            PrintClipRegionsAsBitmap();
        else
            PrintClipRegions();
    });
}

// Collated copies of pagesPerCopy pages, drawPage(0 .. pagesPerCopy - 1) drawing each page of a copy.
void TEtikettPrinter::RunOneLabelJob(int32_t copies, int32_t pagesPerCopy,
                                     const std::function<void(int32_t page)>& drawPage) {
    copies = ApplyDriverCopies(copies);
    for (Entry& e : designs_) e.labelCount = copies;
    StartCounters();
    gdi::CurrentPrinter().SetOrientation(gdi::PageOrientation::Portrait);
    RunJob(LocalizedFormat("IDS_DLGDRUCKABBRECHENMSG1", {1}), false, [&] {
        SetLabelPosition(1);
        const int64_t pages = int64_t{copies} * pagesPerCopy;
        for (int64_t page = 1; page <= pages; ++page) {
            SetJobText(LocalizedFormat("IDS_DLGDRUCKABBRECHENMSG1", {page}));
            drawPage(static_cast<int32_t>((page - 1) % pagesPerCopy));
            if (LetEventsRun() || page == pages) return;
            ChangePage();
            SetLabelPosition(1);
        }
    });
}

void TEtikettPrinter::PrintClipRegions() {
    TRegionScaleCanvas& canvas = *printerCanvas_;
    const TMMRgnList& regions = sheet_.ZoomRegions;
    for (int32_t i = 0; i < regions.Count(); ++i) {
        const TMMRgn& region = regions.GetItem(i);
        if (!region.IsClipRegion()) continue;
        if (Aborted()) return;
        canvas.ClearRegions();
        canvas.Regions.push_back(region.CreateZone(canvas));
        canvas.Canvas().SelectClipRgn(&canvas.Regions.back().Clip);
        PrintDesign(0);
    }
}

void TEtikettPrinter::PrintClipRegionsAsBitmap() {
    TMemMapDIBSection& dib = GetMemMapDIB();
    dib.ResetCanvas();
    TRegionScaleCanvas bitmap(&dib.Canvas());
    bitmap.RotatedSheet = printerCanvas_->RotatedSheet;
    bitmap.Reset(kResetScreen);
    bitmap.SetZoom(static_cast<float>(kBitmapDpi / static_cast<double>(gdi::ScreenCaps().logPixelsY)));
    // The print canvas goes back to the printer's, and the shared bitmap's
    // canvas to the state it was made in, however this ends.
    struct PrinterCanvasBack {
        TEtikettPrinter& engine;
        TMemMapDIBSection& dib;
        ~PrinterCanvasBack() {
            engine.canvas_ = engine.printerCanvas_.get();
            dib.ResetCanvas();
        }
    } back{*this, dib};
    canvas_ = &bitmap;
    const TMMRgnList& regions = sheet_.ZoomRegions;
    for (int32_t i = 0; i < regions.Count(); ++i) {
        const TMMRgn& region = regions.GetItem(i);
        if (!region.IsClipRegion()) continue;
        if (Aborted()) return;
        PrintClipRegionBitmap(region);
    }
}

// One region with a millimetre of white around it: drawn into the page
// bitmap at 300 dpi and sent onto the printer clipped to the region, so that
// the white never covers a neighbour. A box larger than the bitmap is sent
// in tiles; the region is one label whatever the number of tiles.
void TEtikettPrinter::PrintClipRegionBitmap(const TMMRgn& region) {
    TMemMapDIBSection& dib = GetMemMapDIB();
    TRegionScaleCanvas& bitmap = *canvas_;
    gdi::Canvas& printer = printerCanvas_->Canvas();
    const double grow = region.Grow;
    const double left = region.Left - grow - 1, top = region.Top - grow - 1;
    const double right = region.Right + grow + 1, bottom = region.Bottom + grow + 1;
    const double tile = (TMemMapDIBSection::kWidth - 1) / static_cast<double>(std::max(bitmap.ScaleX, bitmap.ScaleY));

    const gdi::Region onPrinter = region.CreateZone(*printerCanvas_).Clip;
    printer.SelectClipRgn(&onPrinter);
    Entry& entry = designs_.front();
    entry.design->Placeholders().SetValue("GesNr", Decimal(entry.labelCount));
    entry.design->NotifyLabelStart(kRealPrintJob);
    for (double y = top; y < bottom && !Aborted(); y += tile)
        for (double x = left; x < right && !Aborted(); x += tile) {
            const double x2 = std::min(x + tile, right), y2 = std::min(y + tile, bottom);
            dib.Canvas().SelectClipRgn(nullptr);
            dib.Canvas().FillRect({0, 0, TMemMapDIBSection::kWidth, TMemMapDIBSection::kHeight}, gdi::SolidBrush(kWhite));
            bitmap.SetWorldOffsetX(static_cast<float>(-x));
            bitmap.SetWorldOffsetY(static_cast<float>(-y));
            bitmap.ClearRegions();
            bitmap.Regions.push_back(region.CreateZone(bitmap));
            dib.Canvas().SelectClipRgn(&bitmap.Regions.back().Clip);
            PrintDesignLabel(0, false);
            dib.Canvas().SelectClipRgn(nullptr);
            const gdi::Rect source{0, 0, std::min(bitmap.MMToPixel(static_cast<float>(x2 - x)), TMemMapDIBSection::kWidth),
                                   std::min(bitmap.MMToPixel(static_cast<float>(y2 - y)), TMemMapDIBSection::kHeight)};
            const gdi::Rect dest{MMToDeviceX(x), MMToDeviceY(y), MMToDeviceX(x2), MMToDeviceY(y2)};
            dib.StretchToCanvas(printer, dest, source);
        }
    entry.design->NotifyLabelEnd(kRealPrintJob);
    entry.design->Placeholders().IncrementValue("lfdNr");
    RemoveClipRegion();
}

// ---- serial printing

void TEtikettPrinter::PrintDataset(TPrintRecordSet& records) {
    const int32_t positions = LabelPositionsOf(sheet_);
    TDatasetPrintOptions options;
    options.RecordTo = records.RecordCount();
    options.PageTo = std::max(1, DatasetPageCount(records.RecordCount(), positions));
    options.Mask.assign(static_cast<size_t>(positions), '1');
    const PaperFollowsPrinter paper(sheet_);
    if (!ui_.AskDatasetOptions(source_, records, options)) return;
    paper.AfterDialog();

    mask_ = options.Mask;
    const int32_t design = std::clamp(options.Design, 0, static_cast<int32_t>(designs_.size()) - 1);
    const TRecordRange range = RecordRangeOf(options, records.RecordCount(), positions);
    if (range.Count <= 0) {
        ShowNoLabels();
        return;
    }
    const int32_t copies = std::max(1, options.CopiesPerRecord);
    gdi::Printer& printer = gdi::CurrentPrinter();
    printer.SetOrientation(gdi::PageOrientation::Portrait);
    printer.SetCopies(1);
    RunJob(LocalizedFormat("IDS_DLGDRUCKABBRECHENMSG2", {1, 1}), true, [&] {
        records.MoveTo(range.FirstRecord);
        PrintDatasetRecords(records, design, range.Count, copies);
    });
}

void TEtikettPrinter::PrintDatasetRecords(TPrintRecordSet& records, int32_t design, int32_t count, int32_t copies) {
    TPrintDesign& d = *designs_[static_cast<size_t>(design)].design;
    for (int32_t r = 0; r < count && !records.Eof(); ++r) {
        d.ResolveFields(records);
        d.NotifyLabelStart(kRealPrintJob);
        for (int32_t c = 0; c < copies; ++c) {
            AdvanceLabel();
            SetLabelText();
            {
                const TPrintingRecordScope printing(source_);
                PrintDesignLabel(design, false);
            }
            RemoveClipRegion();
            if (LetEventsRun()) break;
        }
        d.NotifyLabelEnd(kRealPrintJob);
        if (Aborted()) return;
        records.Next();
    }
}

// ---- the job frame

bool TEtikettPrinter::RunJob(const QString& firstText, bool readUserOffsets, const std::function<void()>& labels) {
    gdi::Printer& printer = gdi::CurrentPrinter();
    if (!PrepareOutput(printer)) return false;
    const JobWindow window(ui_, firstText);
    if (!printer.BeginDoc(JobTitle().toStdString())) throw EPrinter(LocalizedText("IDS_PRINTJOBFAILED"));
    printerCanvas_ = std::make_unique<TRegionScaleCanvas>(&printer.GetCanvas());
    printerCanvas_->RotatedSheet = sheet_.Orientation != 0;
    canvas_ = printerCanvas_.get();
    walk_ = TLabelWalk(mask_, LabelPositionsOf(sheet_));
    auto forgetCanvas = [this] {
        canvas_ = nullptr;
        printerCanvas_.reset();  // before the printer's canvas goes with the job
    };
    bool ended = false;
    try {
        StartPrintJob(kRealPrintJob);
        if (readUserOffsets) ReadUserOffsets();
        ApplyLabelOrigin();
        labels();
        SetJobText(LocalizedText("IDS_DLGDRUCKABBRECHENMSG3"));
        ended = true;
        EndPrintJob(kRealPrintJob);
        if (!Aborted()) DrawCutMarks();
    } catch (...) {
        // No half sheet reaches the printer.
        if (printer.Printing()) printer.Abort();
        if (!ended) EndPrintJob(kRealPrintJob);
        forgetCanvas();
        throw;
    }
    forgetCanvas();
    if (!Aborted() && !printer.EndDoc()) throw EPrinter(LocalizedText("IDS_PRINTJOBFAILED"));
    return true;
}

bool TEtikettPrinter::PrepareOutput(gdi::Printer& printer) {
    if (printer.Name() != gdi::PdfPrinterName()) return true;
    QString path = SuggestedPdfFile();
    if (!ChoosePdfFile(ui_, path)) return false;
    printer.SetOutputFile(path.toStdString());
    return true;
}

// The document's name with ".pdf" in the document's folder (the personal
// folder for a document without one), whatever the last job wrote.
QString TEtikettPrinter::SuggestedPdfFile() const {
    const QFileInfo document(source_.DocumentPath());
    QString name = document.completeBaseName();
    if (name.isEmpty()) name = QFileInfo(source_.DocumentName()).completeBaseName();
    if (name.isEmpty()) name = LocalizedText("IDS_DATEINAME");
    const QString folder = source_.DocumentPath().isEmpty() ? GetPersonalFolder()
                                                             : document.absolutePath() + QLatin1Char('/');
    return folder + name + QStringLiteral(".pdf");
}

bool ChoosePdfFile(TPrintUi& ui, QString& path) {
    for (;;) {
        if (!ui.AskPdfFile(path) || path.isEmpty()) return false;
        if (!QFileInfo::exists(path) || ui.AskReplaceFile(path)) return true;
    }
}

QString TEtikettPrinter::JobTitle() const {
    QString title = ApplicationTitle();
    const QString document = source_.DocumentName();
    if (!document.isEmpty()) title += QStringLiteral(" - ") + document;
    return title;
}

void TEtikettPrinter::StartPrintJob(int32_t flag) {
    try {
        for (const Entry& e : designs_) e.design->NotifyPrintJobStart(flag);
    } catch (const std::exception&) {
        Debug().Log("Fehler in TEtikettPrinter.StartPrintJob");
    }
}

void TEtikettPrinter::EndPrintJob(int32_t flag) {
    try {
        for (const Entry& e : designs_) e.design->NotifyPrintJobEnd(flag);
    } catch (const std::exception&) {
        Debug().Log("Fehler in TEtikettPrinter.EndPrintJob");
    }
}

void TEtikettPrinter::ReadUserOffsets() {
    const TDruckPositionData offsets(false);
    userX_ = offsets.X;
    userY_ = offsets.Y;
}

bool TEtikettPrinter::Aborted() const { return gdi::CurrentPrinter().Aborted(); }

bool TEtikettPrinter::LetEventsRun() {
    ui_.ProcessEvents();
    return Aborted();
}

void TEtikettPrinter::SetJobText(const QString& text) { ui_.SetJobText(text); }

void TEtikettPrinter::SetLabelText() {
    SetJobText(LocalizedFormat("IDS_DLGDRUCKABBRECHENMSG2", {walk_.Position(), walk_.Sheet()}));
}

// ---- placement

void TEtikettPrinter::ApplyLabelOrigin() {
    TRegionScaleCanvas& canvas = *printerCanvas_;
    ResetToPrinter(canvas);
    canvas.SetWorldOffsetX(static_cast<float>(userX_ + originX_));
    canvas.SetWorldOffsetY(static_cast<float>(userY_ + originY_));
}

int32_t TEtikettPrinter::MMToDeviceX(double mm) const { return printerCanvas_->MMToPixelX(static_cast<float>(mm)); }

int32_t TEtikettPrinter::MMToDeviceY(double mm) const { return printerCanvas_->MMToPixelY(static_cast<float>(mm)); }

void TEtikettPrinter::SetLabelPosition(int32_t position) {
    const TLabelPlace place = LabelPlaceOf(sheet_, position);
    originX_ = place.OriginX;
    originY_ = place.OriginY;
    ApplyLabelOrigin();
    // The clip region is in device pixels: the corners go through the
    // canvas's mapping (which is more than the identity when the printer's
    // two resolutions differ); the right and bottom pixel rows belong to it.
    gdi::Region clip = gdi::Region::FromRect(DeviceBox(place.ClipLeft, place.ClipTop, place.ClipRight, place.ClipBottom));
    // A label that is a ring leaves out its centre hole.
    if (const double hole = sheet_.LabelHoleDiameter(); hole > 0) {
        const double cx = sheet_.LabelWidth / 2.0, cy = sheet_.LabelHeight / 2.0, r = hole / 2;
        clip.Combine(clip, gdi::Region::FromEllipse(DeviceBox(cx - r, cy - r, cx + r, cy + r)), gdi::RegionCombine::Diff);
    }
    printerCanvas_->Canvas().SelectClipRgn(&clip);
    if (sheet_.Orientation != 0) {
        // Designs of a landscape sheet are drawn turned from the label's bottom-left corner.
        originY_ += sheet_.LabelHeight;
        ApplyLabelOrigin();
    }
}

gdi::Rect TEtikettPrinter::DeviceBox(double left, double top, double right, double bottom) const {
    const gdi::Canvas& device = printerCanvas_->Canvas();
    const gdi::Point a = device.LPtoDP({MMToDeviceX(left), MMToDeviceY(top)});
    const gdi::Point b = device.LPtoDP({MMToDeviceX(right), MMToDeviceY(bottom)});
    return {a.x, a.y, gdi::Saturated(int64_t{b.x} + 1), gdi::Saturated(int64_t{b.y} + 1)};
}

bool TEtikettPrinter::AdvanceLabel(int32_t lastSheet) {
    const TLabelWalk::Step step = walk_.Advance(lastSheet);
    if (step == TLabelWalk::Step::Beyond) return false;
    if (step == TLabelWalk::Step::NewPage) ChangePage();
    SetLabelPosition(walk_.Position());
    return true;
}

void TEtikettPrinter::ChangePage() {
    DrawCutMarks();
    NewSheet();
}

void TEtikettPrinter::NewSheet() {
    RemoveClipRegion();
    SetJobText(LocalizedText("IDS_DLGDRUCKABBRECHENMSG3"));
    gdi::CurrentPrinter().NewPage();
    RemoveClipRegion();
}

void TEtikettPrinter::DrawCutMarks() {
    RemoveClipRegion();
    originX_ = originY_ = 0;
    ApplyLabelOrigin();
    sheet_.DrawCutMarks(*printerCanvas_);
}

void TEtikettPrinter::RemoveClipRegion() { printerCanvas_->Canvas().SelectClipRgn(nullptr); }

void TEtikettPrinter::MaskSpecialArticles() {
    const TArticleMask* mask = SpecialArticleMask(sheet_.GetShapeKey());
    if (!mask) return;
    TRegionScaleCanvas& canvas = *canvas_;
    canvas.Canvas().SaveDC();
    gdi::Pen pen;
    pen.color = kWhite;
    canvas.Canvas().SetPen(pen);
    canvas.Canvas().SetBrush(gdi::SolidBrush(kWhite));
    for (const auto& polygon : *mask) canvas.PolygonMM(polygon);
    canvas.Canvas().RestoreDC(-1);
}

// ---- drawing a design

void TEtikettPrinter::PrintDesignLabel(int32_t index, bool notify) {
    Entry& entry = designs_[static_cast<size_t>(index)];
    TPrintDesign& design = *entry.design;
    if (notify) {
        design.Placeholders().SetValue("GesNr", Decimal(entry.labelCount));
        design.NotifyLabelStart(kRealPrintJob);
    }
    if (selectedOnly_)
        design.PrintSelectedFigures(*canvas_);
    else
        design.PrintAllFigures(*canvas_);
    MaskSpecialArticles();
    if (notify) {
        design.NotifyLabelEnd(kRealPrintJob);
        design.Placeholders().IncrementValue("lfdNr");
    }
}

void TEtikettPrinter::SetDesignList(const std::vector<int32_t>& indexes) {
    std::vector<Entry> chosen;
    for (const int32_t i : indexes)
        if (i >= 0 && i < source_.DesignCount()) chosen.push_back({source_.DesignCaption(i), &source_.Design(i), 0});
    designs_ = std::move(chosen);
}

void TEtikettPrinter::StartCounters() {
    for (const Entry& e : designs_) {
        e.design->Placeholders().SetValue("lfdNr", "1");
        e.design->Placeholders().SetValue("GesNr", Decimal(e.labelCount));
    }
}

void TEtikettPrinter::ShowNoLabels() { ui_.ShowMessage(LocalizedText("IDS_PRINTNOLABELS")); }

int32_t TEtikettPrinter::ApplyDriverCopies(int32_t copies) {
    copies = std::max(1, copies);
    gdi::Printer& printer = gdi::CurrentPrinter();
    printer.SetCopies(1);
    if (copies > 1 && copies < PrinterSupport().GetMaxCopies()) {
        printer.SetCopies(copies);
        return 1;
    }
    return copies;
}
