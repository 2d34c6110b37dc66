// The document window's view: an inverting rubber band dragged across a
// 1600 x 1000 client area. Each step erases the band where it was and draws
// it at the new corner, as a mouse move does, and the view asks for the
// touched pixels to be shown. The first benchmark times that; the second
// also the event loop's turn that shows them (the platform's own copying to
// the screen included).
#include "app/DottedLine.h"
#include "app/MMWindow.h"

#include <benchmark/benchmark.h>

#include <QtCore/QCoreApplication>

namespace {

constexpr int kClientWidth = 1600;
constexpr int kClientHeight = 1000;

// A shown view whose client area is 1600 x 1000, painted once.
class BenchView {
public:
    BenchView() {
        view.resize(kClientWidth, kClientHeight);
        view.show();
        QCoreApplication::processEvents();
        view.resize(2 * kClientWidth - view.ClientWidth(), 2 * kClientHeight - view.ClientHeight());
        QCoreApplication::processEvents();
        view.SetColor(gdi::Rgb(255, 255, 255));
        view.InvalidateAll();
        view.UpdateNow();
    }
    TMMWindow view;
};

// The band's moving corner walks a diagonal from near the start to the far corner and back.
gdi::Point CornerAt(int64_t step) {
    const int64_t i = step % 400;
    const int64_t t = i < 200 ? i : 400 - i;
    return {static_cast<int32_t>(20 + t * (kClientWidth - 40) / 200), static_cast<int32_t>(20 + t * (kClientHeight - 40) / 200)};
}

void MoveRubberBand(benchmark::State& state, bool present) {
    BenchView bench;
    TMMWindow& view = bench.view;
    if (view.ClientWidth() != kClientWidth || view.ClientHeight() != kClientHeight) {
        state.SkipWithError("the client area could not be sized");
        return;
    }
    gdi::Canvas& canvas = view.DrawCanvas();
    const gdi::Point start{10, 10};
    gdi::Point corner = CornerAt(0);
    DrawDottedRect(canvas, start.x, start.y, corner.x, corner.y);
    int64_t step = 0;
    for (auto _ : state) {
        DrawDottedRect(canvas, start.x, start.y, corner.x, corner.y);
        corner = CornerAt(++step);
        DrawDottedRect(canvas, start.x, start.y, corner.x, corner.y);
        if (!present) state.PauseTiming();
        QCoreApplication::processEvents();
        if (!present) state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_RubberBandStep(benchmark::State& state) { MoveRubberBand(state, false); }
void BM_RubberBandStepPresented(benchmark::State& state) { MoveRubberBand(state, true); }

}  // namespace

BENCHMARK(BM_RubberBandStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RubberBandStepPresented)->Unit(benchmark::kMicrosecond);

