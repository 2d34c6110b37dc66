// Page-as-bitmap printing: one A4 page drawn at 300 dpi into the page bitmap,
// tile by tile (the bitmap holds 169 mm square), and each tile sent stretched
// onto a 600-dpi printer. The page holds a 3 x 7 label sheet, each label with
// a framed rectangle, an ellipse, two lines and a line of text.
#include "foundation/ScaleCanvas.h"
#include "platform/printer/Printer.h"
#include "printing/MemMapDIBSection.h"

#include <QtCore/QTemporaryDir>

#include <benchmark/benchmark.h>

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
