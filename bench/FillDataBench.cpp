// Gradient fills of a 100 x 100 mm box at 600 dpi (2362 x 2362 pixels): the
// screen and bitmap path with its cached rendering (rebuilt and reused), the
// printer path with its bounded rendering, the banded print path, and a
// rendering at full size for comparison. Argument: the gradient type.
#include "foundation/FillData.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/RecordingCanvas.h"
#include "tests/support/FakePrinter.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int32_t kSide = 2362;  // 100 mm at 600 dpi

void MakeGradient(TFillData& fill, int64_t type) {
    fill.SetKind(fkGradient);
    fill.SetGradientType(static_cast<uint8_t>(type));
    fill.Palette().Add(40, gdi::Rgb(220, 60, 40));
    fill.SetWinkel(30);
    fill.SetAbstandX(0.2f);
}

const std::vector<gdi::Point> kBox{{0, 0}, {kSide, 0}, {kSide, kSide}, {0, kSide}};

}  // namespace

static void BM_GradientBitmapCacheRebuilt(benchmark::State& state) {
    gdi::BitmapCanvas canvas(kSide, kSide, 600, 600);
    TFillData fill;
    MakeGradient(fill, state.range(0));
    for (auto _ : state) {
        fill.Changed = true;
        fill.FillPolygon(canvas, kBox);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GradientBitmapCacheRebuilt)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

static void BM_GradientBitmapCacheReused(benchmark::State& state) {
    gdi::BitmapCanvas canvas(kSide, kSide, 600, 600);
    TFillData fill;
    MakeGradient(fill, state.range(0));
    fill.FillPolygon(canvas, kBox);
    for (auto _ : state) {
        fill.FillPolygon(canvas, kBox);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GradientBitmapCacheReused)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The printer receives one rendering of at most 1000 pixels per side.
static void BM_GradientPrinter(benchmark::State& state) {
    gdi::RecordingCanvas printer(gdi::test::FakePrinter::A4Caps(600, 600), gdi::DeviceKind::Printer);
    TFillData fill;
    MakeGradient(fill, state.range(0));
    for (auto _ : state) {
        fill.FillPolygon(printer, kBox);
        printer.Clear();
    }
}
BENCHMARK(BM_GradientPrinter)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// Band by band into a circle of 100 mm: one blit per row of the region.
static void BM_GradientPrinterBanded(benchmark::State& state) {
    gdi::RecordingCanvas printer(gdi::test::FakePrinter::A4Caps(600, 600), gdi::DeviceKind::Printer);
    TFillData fill;
    MakeGradient(fill, state.range(0));
    std::vector<gdi::Point> circle;
    for (int i = 0; i < 360; ++i) {
        const double a = i * 3.14159265358979 / 180;
        circle.push_back({static_cast<int32_t>(kSide / 2 + kSide / 2 * std::cos(a)),
                          static_cast<int32_t>(kSide / 2 + kSide / 2 * std::sin(a))});
    }
    UseScanlines = true;
    for (auto _ : state) {
        fill.FillPolygon(printer, circle);
        printer.Clear();
    }
    UseScanlines = false;
}
BENCHMARK(BM_GradientPrinterBanded)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// Every band painted at full size with one band per pixel, without any cache.
static void BM_GradientRenderFullSize(benchmark::State& state) {
    gdi::BitmapCanvas canvas(kSide, kSide, 600, 600);
    TFillData fill;
    MakeGradient(fill, state.range(0));
    for (auto _ : state) {
        fill.RenderGradient(canvas, {0, 0, kSide, kSide}, 1);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GradientRenderFullSize)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
