// Figures: 1,000 mixed lines, rectangles and ellipses drawn onto an A4 page
// at 600 dpi, and one point hit-tested against all of them on the view.
#include "figures/Ellipse.h"
#include "foundation/BmpScaleCanvas.h"
#include "tests/support/FigureFakes.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

// Lines, rectangles and ellipses of 5 to 30 mm spread over an A4 page, a
// third turned, half of the boxes filled.
std::vector<std::unique_ptr<TFigure>> MixedFigures(TChildBase* owner) {
    std::vector<std::unique_ptr<TFigure>> figures;
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245 + 12345;
        return static_cast<int>((seed >> 16) % static_cast<uint32_t>(range));
    };
    for (int i = 0; i < 1000; ++i) {
        std::unique_ptr<TFigure> f;
        switch (i % 3) {
        case 0:
            f = std::make_unique<TLinie>(owner);
            break;
        case 1:
            f = std::make_unique<TRechteck>(owner);
            break;
        default:
            f = std::make_unique<TEllipse>(owner);
            break;
        }
        f->SetCenterX(15 + next(180));
        f->SetCenterY(15 + next(267));
        f->SetWidth(5 + next(25));
        f->SetHeight(5 + next(25));
        if (i % 3 != 0 && next(2)) f->SetFillColor(gdi::Rgb(next(256), next(256), next(256)));
        f->SetPenColor(gdi::Rgb(next(256), 0, 0));
        f->SetPenWidth(0.1f * static_cast<float>(1 + next(5)));
        if (next(3) == 0) f->SetAngle(next(360));
        figures.push_back(std::move(f));
    }
    return figures;
}

}  // namespace

static void BM_Draw1000FiguresOnA4At600Dpi(benchmark::State& state) {
    TBmpScaleCanvas canvas;
    canvas.BitmapCanvas().SetResolution(600, 600);
    canvas.SetSize(4961, 7016);  // A4 at 600 dpi
    canvas.SetResolutionX(600 / 25.4f);
    canvas.SetResolutionY(600 / 25.4f);
    const auto figures = MixedFigures(nullptr);
    for (auto _ : state) {
        for (const auto& f : figures) f->DrawTo(canvas);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_Draw1000FiguresOnA4At600Dpi)->Unit(benchmark::kMillisecond);

static void BM_HitTestOnePointAgainst1000Figures(benchmark::State& state) {
    // The view at screen resolution, zoom 1.
    FakeMMWindow view(1, 1, 96 / 25.4f);
    FakeChild child(view);
    const auto figures = MixedFigures(&child);
    int hits = 0;
    int x = 0;
    for (auto _ : state) {
        // The design asks every figure from the top down until one is hit;
        // here all of them are asked.
        x = (x + 37) % 800;
        for (auto it = figures.rbegin(); it != figures.rend(); ++it) hits += (*it)->HitTestCode(x, 500) != 0;
    }
    benchmark::DoNotOptimize(hits);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_HitTestOnePointAgainst1000Figures)->Unit(benchmark::kMicrosecond);
