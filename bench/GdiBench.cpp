// Speed of the drawing layer on page-sized off-screen bitmaps.
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/RecordingCanvas.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

// An A4 page at 600 dpi.
constexpr int32_t kPageWidth = 4961, kPageHeight = 7016;

std::vector<gdi::Rect> RandomRects(size_t count) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int32_t> x(0, kPageWidth - 400), y(0, kPageHeight - 400), size(1, 400);
    std::vector<gdi::Rect> rects;
    for (size_t i = 0; i < count; ++i) {
        const int32_t l = x(random), t = y(random);
        rects.push_back({l, t, l + size(random), t + size(random)});
    }
    return rects;
}

void FillRects600Dpi(benchmark::State& state) {
    gdi::BitmapCanvas canvas(kPageWidth, kPageHeight, 600);
    const std::vector<gdi::Rect> rects = RandomRects(10000);
    gdi::Brush brush;
    brush.color = gdi::Rgb(200, 30, 30);
    for (auto _ : state) {
        for (const gdi::Rect& r : rects) canvas.FillRect(r, brush);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rects.size()));
}
BENCHMARK(FillRects600Dpi)->Unit(benchmark::kMillisecond);

void OutlinedRectangles600Dpi(benchmark::State& state) {
    gdi::BitmapCanvas canvas(kPageWidth, kPageHeight, 600);
    const std::vector<gdi::Rect> rects = RandomRects(10000);
    canvas.brush().color = gdi::Rgb(30, 200, 30);
    for (auto _ : state) {
        for (const gdi::Rect& r : rects) canvas.Rectangle(r.left, r.top, r.right, r.bottom);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rects.size()));
}
BENCHMARK(OutlinedRectangles600Dpi)->Unit(benchmark::kMillisecond);

void Ellipses600Dpi(benchmark::State& state) {
    gdi::BitmapCanvas canvas(kPageWidth, kPageHeight, 600);
    const std::vector<gdi::Rect> rects = RandomRects(1000);
    canvas.brush().color = gdi::Rgb(30, 30, 200);
    for (auto _ : state) {
        for (const gdi::Rect& r : rects) canvas.Ellipse(r.left, r.top, r.right, r.bottom);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rects.size()));
}
BENCHMARK(Ellipses600Dpi)->Unit(benchmark::kMillisecond);

void MeasureText(benchmark::State& state) {
    gdi::RecordingCanvas canvas;
    canvas.font().height = -240;
    for (auto _ : state) {
        benchmark::DoNotOptimize(canvas.PartialExtents(u"Zorbit druckt Etiketten auf vorgestanzte Bogen."));
    }
}
BENCHMARK(MeasureText);

void DrawText600Dpi(benchmark::State& state) {
    gdi::BitmapCanvas canvas(2000, 400, 600);
    canvas.font().height = -100;
    for (auto _ : state) canvas.TextOut(10, 10, u"Zorbit druckt Etiketten");
}
BENCHMARK(DrawText600Dpi);

}  // namespace
