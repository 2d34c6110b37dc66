// Drawing barcodes onto an A4 page at 600 dpi, as printing a sheet of
// labels as a bitmap does. A thousand EAN-13 symbols of the smallest module
// (7 dots) cover about eight pages' worth of pixels, so the drawing is
// bound by filling memory: the third benchmark fills only their white boxes,
// the second measures them without drawing. The last draws them as barcode
// figures, as printing a design does. The plain fills of the page give what
// the machine's memory takes for 32-bit fills, the floor under all of them.
#include "content/barcode/ZRBarcode.h"
#include "figures/Barcode.h"
#include "foundation/BmpScaleCanvas.h"
#include "tests/support/FakePrinter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<TBmpScaleCanvas> A4At600Dpi() {
    gdi::SetCurrentPrinter(std::make_unique<gdi::test::FakePrinter>(gdi::test::FakePrinter::A4Caps(600, 600)));
    auto canvas = std::make_unique<TBmpScaleCanvas>();
    canvas->BitmapCanvas().SetResolution(600, 600);
    canvas->SetSize(4961, 7016);
    canvas->SetResolutionX(600 / 25.4f);
    canvas->SetResolutionY(600 / 25.4f);
    return canvas;
}

// Five columns of twenty labels.
std::vector<TZRBarcode> SheetOfEan13() {
    std::vector<TZRBarcode> barcodes(100);
    for (size_t i = 0; i < barcodes.size(); ++i) {
        TZRBarcode& b = barcodes[i];
        b.SetBarcodeType(btEAN13);
        b.SetWidth(35);
        b.SetHeight(12);
        b.SetCenterX(21 + 42 * static_cast<float>(i % 5));
        b.SetCenterY(7.4f + 14.8f * static_cast<float>(i / 5));
    }
    return barcodes;
}

// The sheet ten times, each time with other numbers.
template <class Work>
void ThousandSymbolsOnce(std::vector<TZRBarcode>& barcodes, Work work) {
    for (int round = 0; round < 10; ++round) {
        for (size_t i = 0; i < barcodes.size(); ++i) {
            barcodes[i].SetText(std::to_string(400638133000 + round * 100 + static_cast<int64_t>(i)));
            work(barcodes[i]);
        }
    }
}

template <class Work>
void ThousandSymbolsOnce(Work work) {
    std::vector<TZRBarcode> barcodes = SheetOfEan13();
    ThousandSymbolsOnce(barcodes, work);
}

template <class Work>
void ThousandSymbols(benchmark::State& state, Work work) {
    std::vector<TZRBarcode> barcodes = SheetOfEan13();
    for (auto _ : state) {
        ThousandSymbolsOnce(barcodes, work);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}

}  // namespace

static void BM_ThousandEan13OnA4At600Dpi(benchmark::State& state) {
    const auto canvas = A4At600Dpi();
    ThousandSymbols(state, [&](TZRBarcode& b) { b.Draw(*canvas); });
}
BENCHMARK(BM_ThousandEan13OnA4At600Dpi)->Unit(benchmark::kMillisecond);

static void BM_ThousandEan13MeasuredOnly(benchmark::State& state) {
    const auto canvas = A4At600Dpi();
    ThousandSymbols(state, [&](TZRBarcode& b) {
        TRect bounds;
        b.GetBounds(*canvas, bounds);
        benchmark::DoNotOptimize(bounds);
    });
}
BENCHMARK(BM_ThousandEan13MeasuredOnly)->Unit(benchmark::kMillisecond);

static void BM_ThousandWhiteSymbolBoxesOnA4At600Dpi(benchmark::State& state) {
    const auto canvas = A4At600Dpi();
    canvas->Pen().style = gdi::PenStyle::Null;
    canvas->Brush() = gdi::SolidBrush(gdi::Rgb(255, 255, 255));
    ThousandSymbols(state, [&](TZRBarcode& b) {
        TRect bounds;
        b.GetBounds(*canvas, bounds);
        canvas->BitmapCanvas().FillRect(bounds);
    });
    // The pixels one run writes (the page has room for a tenth of them).
    int64_t pixels = 0;
    ThousandSymbolsOnce([&](TZRBarcode& b) {
        TRect bounds;
        b.GetBounds(*canvas, bounds);
        pixels += int64_t{bounds.Width()} * bounds.Height();
    });
    state.counters["Mpixels"] = static_cast<double>(pixels) / 1e6;
    state.SetBytesProcessed(state.iterations() * pixels * 4);
}
BENCHMARK(BM_ThousandWhiteSymbolBoxesOnA4At600Dpi)->Unit(benchmark::kMillisecond);

namespace {

// Fills the whole page once per run in pieces of the given width (0: whole
// rows), column of pieces after column, each piece row by row, in colours
// that alternate between runs.
template <class FillPiece>
void FillPageInPieces(benchmark::State& state, int32_t pieceWidth, FillPiece fillPiece) {
    const auto canvas = A4At600Dpi();
    gdi::BitmapCanvas& page = canvas->BitmapCanvas();
    if (pieceWidth == 0) pieceWidth = page.bitmap().Width();
    const int32_t width = page.bitmap().Width() / pieceWidth * pieceWidth, height = page.bitmap().Height();
    uint32_t color = 0xFF000000u;
    for (auto _ : state) {
        color ^= 0x00FFFFFFu;
        for (int32_t x = 0; x < width; x += pieceWidth)
            for (int32_t y = 0; y < height; ++y) fillPiece(page.ScanLine(y) + x, pieceWidth, color);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t{width} * height * 4);
}

void PlainFill(uint32_t* pixels, int32_t count, uint32_t color) { std::fill_n(pixels, count, color); }

// A symbol's width at 600 dpi: the pieces in which the boxes are filled.
constexpr int32_t kSymbolPixels = 791;

}  // namespace

// What the machine gives for plain 32-bit fills of the whole page, row by
// row: the floor under any drawing that writes a pixel count.
static void BM_PlainFillOfA4At600Dpi(benchmark::State& state) { FillPageInPieces(state, 0, PlainFill); }
BENCHMARK(BM_PlainFillOfA4At600Dpi)->Unit(benchmark::kMillisecond);

// The same in pieces of a symbol's width, column of symbols after column, as
// the boxes are filled.
static void BM_PlainFillOfA4At600DpiInSymbolRows(benchmark::State& state) {
    FillPageInPieces(state, kSymbolPixels, PlainFill);
}
BENCHMARK(BM_PlainFillOfA4At600DpiInSymbolRows)->Unit(benchmark::kMillisecond);

#if defined(__SSE2__)
// The same with stores that bypass the caches.
static void BM_StreamFillOfA4At600DpiInSymbolRows(benchmark::State& state) {
    FillPageInPieces(state, kSymbolPixels, [](uint32_t* p, int32_t count, uint32_t color) {
        uint32_t* e = p + count;
        const __m128i v = _mm_set1_epi32(static_cast<int>(color));
        while (p < e && (reinterpret_cast<uintptr_t>(p) & 15)) *p++ = color;
        for (; p + 4 <= e; p += 4) _mm_stream_si128(reinterpret_cast<__m128i*>(p), v);
        while (p < e) *p++ = color;
    });
    _mm_sfence();
}
BENCHMARK(BM_StreamFillOfA4At600DpiInSymbolRows)->Unit(benchmark::kMillisecond);
#endif

static void BM_ThousandEan13FiguresOnA4At600Dpi(benchmark::State& state) {
    const auto canvas = A4At600Dpi();
    std::vector<std::unique_ptr<TBarcode>> figures;
    for (const TZRBarcode& b : SheetOfEan13()) {
        auto figure = std::make_unique<TBarcode>(nullptr);
        figure->Barcode->SetBarcodeType(btEAN13);
        figure->SetCenterX(b.CenterX);
        figure->SetCenterY(b.CenterY);
        figure->SetWidth(b.Width);
        figure->SetHeight(b.Height);
        figures.push_back(std::move(figure));
    }
    for (auto _ : state) {
        for (int round = 0; round < 10; ++round) {
            for (size_t i = 0; i < figures.size(); ++i) {
                figures[i]->Barcode->SetText(std::to_string(400638133000 + round * 100 + static_cast<int64_t>(i)));
                figures[i]->DrawTo(*canvas);
            }
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ThousandEan13FiguresOnA4At600Dpi)->Unit(benchmark::kMillisecond);
