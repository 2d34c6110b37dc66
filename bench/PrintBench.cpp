// Printing to the PDF printer. Page-as-bitmap printing: one A4 page drawn at
// 300 dpi into the page bitmap, tile by tile (the bitmap holds 169 mm square),
// and each tile sent stretched onto a 600-dpi printer. The page holds a 3 x 7
// label sheet, each label with a framed rectangle, an ellipse, two lines and
// a line of text. Through the print engine: a document of one design on a
// 3 x 7 address sheet, the labels made of figures (a filled rectangle, an
// ellipse and two lines), 20 sheets in one job; and the same page printed as
// one clip region through the page bitmap.
#include "document/Stationery.h"
#include "foundation/ScaleCanvas.h"
#include "foundation/ZRRegIniFile.h"
#include "platform/printer/Printer.h"
#include "printing/EtikettPrinter.h"
#include "printing/MemMapDIBSection.h"
#include "tests/printing/PrintDocumentFakes.h"

#include <QtCore/QTemporaryDir>

#include <benchmark/benchmark.h>

#include <tuple>

namespace {

constexpr float kPageWidth = 210, kPageHeight = 297;
constexpr float kTileWidth = 105, kTileHeight = 148.5f;  // four tiles of A4, each within the bitmap

void DrawLabels(TScaleCanvas& canvas) {
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 3; ++column) {
            const float x = 7 + column * 66, y = 15 + row * 38.1f;
            canvas.Pen() = gdi::Pen{};
            canvas.SetPenWidthMM(0.3f);
            canvas.Brush() = gdi::SolidBrush(gdi::Rgb(255, 230, 200));
            canvas.Rectangle(x + 2, y + 2, x + 62, y + 36);
            canvas.Brush() = gdi::SolidBrush(gdi::Rgb(60, 120, 220));
            canvas.Ellipse(x + 4, y + 4, x + 24, y + 24);
            canvas.Line(x + 28, y + 8, x + 60, y + 8);
            canvas.Line(x + 28, y + 30, x + 60, y + 16);
            canvas.TextOut("Etikett " + std::to_string(row * 3 + column + 1), x + 28, y + 10);
        }
}

// The page through the page bitmap onto the printer's canvas; the rows sent.
int64_t PrintPageAsBitmap(gdi::Canvas& printer, const gdi::DeviceCaps& printerCaps) {
    TMemMapDIBSection& dib = GetMemMapDIB();
    dib.ResetCanvas();
    TRegionScaleCanvas bitmap(&dib.Canvas());
    TScaler onPrinter;
    onPrinter.SetResolutionX(printerCaps.logPixelsX / 25.4f);
    onPrinter.SetResolutionY(printerCaps.logPixelsY / 25.4f);
    onPrinter.SetPhysicalOffsetX(printerCaps.physicalOffsetX);
    onPrinter.SetPhysicalOffsetY(printerCaps.physicalOffsetY);
    int64_t rows = 0;
    for (float top = 0; top < kPageHeight; top += kTileHeight)
        for (float left = 0; left < kPageWidth; left += kTileWidth) {
            bitmap.Reset(kResetScreen);
            bitmap.SetZoom(300.0f / gdi::ScreenCaps().logPixelsY);
            bitmap.SetWorldOffsetX(-left);
            bitmap.SetWorldOffsetY(-top);
            const TRect tile = bitmap.MMRectToPixel(left, top, left + kTileWidth, top + kTileHeight);
            dib.Canvas().FillRect(tile, gdi::SolidBrush(gdi::Rgb(255, 255, 255)));
            DrawLabels(bitmap);
            const TRect dest = onPrinter.MMRectToPixel(left, top, left + kTileWidth, top + kTileHeight);
            rows += dib.StretchToCanvas(printer, dest, tile);
        }
    return rows;
}

void SelectPdfPrinter(bool colour) {
    gdi::SelectPrinter(gdi::PdfPrinterName());
    gdi::CurrentPrinter().SetColor(colour);
}

}  // namespace

// Onto the PDF printer (the engine of the system's printers too), one page per
// iteration, in colour or with the printer set to grey.
static void BM_PageAsBitmapA4At300Dpi(benchmark::State& state) {
    const bool colour = state.range(0) != 0;
    SelectPdfPrinter(colour);
    gdi::Printer& printer = gdi::CurrentPrinter();
    QTemporaryDir dir;
    printer.SetOutputFile(dir.filePath(QStringLiteral("bench.pdf")).toStdString());
    printer.BeginDoc("bench");
    for (auto _ : state) {
        benchmark::DoNotOptimize(PrintPageAsBitmap(printer.GetCanvas(), printer.Caps()));
        printer.NewPage();
    }
    printer.EndDoc();
    state.SetLabel(colour ? "colour" : "grey");
}
BENCHMARK(BM_PageAsBitmapA4At300Dpi)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

namespace {

constexpr int kSheetsPerJob = 20;

// A 3 x 7 address sheet of the catalogue with the standard figures on one design.
void PrepareAddressSheet(printtest::TestDocument& doc) {
    AssignStationeryProduct(doc.sheet, *FindStationeryProduct("Avery", "L7160"));
    doc.AddStandardFigures();
}

}  // namespace

// One job of 20 sheets of 21 labels per iteration; the counter is the time per sheet.
static void BM_EnginePrintsAddressSheetsToPdf(benchmark::State& state) {
    QTemporaryDir dir;
    UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
    SelectPdfPrinter(true);
    printtest::TestDocument doc(1);
    PrepareAddressSheet(doc);
    printtest::ScriptedUi ui;
    ui.pdfFile = dir.filePath(QStringLiteral("sheets.pdf"));
    ui.sheet = [](TSheetPrintOptions& o) {
        o.CountBySheets = true;
        o.SheetCount = kSheetsPerJob;
        return true;
    };
    for (auto _ : state) {
        doc.log.labels.clear();
        TEtikettPrinter(doc, ui).Print();
        if (doc.log.labels.size() != 21u * kSheetsPerJob) state.SkipWithError("not every label was printed");
    }
    state.counters["per_sheet"] = benchmark::Counter(kSheetsPerJob, benchmark::Counter::kIsIterationInvariantRate |
                                                                        benchmark::Counter::kInvert);
}
BENCHMARK(BM_EnginePrintsAddressSheetsToPdf)->Unit(benchmark::kMillisecond);

// The whole A4 page as one clip region through the page bitmap at 300 dpi
// (sent in tiles), one job of one page per iteration.
static void BM_EnginePrintsPageAsBitmap(benchmark::State& state) {
    QTemporaryDir dir;
    UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
    SelectPdfPrinter(true);
    printtest::TestDocument doc(1);
    doc.sheet.SetMarginLeft(0);
    doc.sheet.SetMarginTop(0);
    doc.sheet.ZoomRegions.Clear();
    doc.sheet.ZoomRegions.AddRect(QStringLiteral("Seite"), kRegionClip, 0, 0, 210, 297, 0);
    doc.clipRing = true;
    // The figures of 21 address labels on the one design.
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 3; ++column) {
            const double x = 7.48 + column * 66.04, y = 15.49 + row * 38.1;
            for (auto [cx, cy, w, h, kind] : {std::tuple{32.0, 19.05, 60.0, 34.0, 0}, {16.0, 19.05, 12.8, 12.7, 1},
                                              {41.6, 12.7, 21.3, 0.0, 2}, {41.6, 25.4, 21.3, 0.0, 2}}) {
                std::unique_ptr<TFigure> f;
                if (kind == 0) f = printtest::Box<TRechteck>(x + cx, y + cy, w, h);
                if (kind == 1) f = printtest::Box<TEllipse>(x + cx, y + cy, w, h);
                if (kind == 2) f = printtest::Box<TLinie>(x + cx, y + cy, w, h);
                if (auto* box = dynamic_cast<TRechteck*>(f.get())) box->SetFillColor(gdi::Rgb(255, 240, 220));
                doc.design(0).Add(std::move(f));
            }
        }
    printtest::ScriptedUi ui;
    ui.pdfFile = dir.filePath(QStringLiteral("page.pdf"));
    ui.clipRing = [](TClipRingPrintOptions& o) {
        o.PageAsBitmap = true;
        return true;
    };
    for (auto _ : state) {
        doc.log.labels.clear();
        TEtikettPrinter(doc, ui).Print();
        if (doc.log.labels.size() != 4u) state.SkipWithError("the page was not sent in four tiles");
    }
}
BENCHMARK(BM_EnginePrintsPageAsBitmap)->Unit(benchmark::kMillisecond);
