// A 40-character text on a circle of 100 mm at 600 dpi (letters 5 mm high):
// drawn as filled glyph outlines (the printer path with "NoRotate"), and with
// turned fonts for comparison; and the outline data of 40 characters alone.
#include "foundation/CircleText.h"
#include "foundation/TtfHelp.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/GlyphOutline.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int32_t kSide = 2362;  // 100 mm at 600 dpi
const std::string kText = "Zorbit Etiketten: Sommerfest 2024 - Live";  // 40 characters

void Prepare(gdi::Canvas& canvas) {
    canvas.font().faceName = "Arial";
    canvas.font().height = -118;  // 5 mm
    canvas.font().weight = gdi::FW_BOLD;
    canvas.SetTextColor(gdi::Rgb(0, 0, 120));
}

}  // namespace

static void BM_CircleText40Outlines(benchmark::State& state) {
    gdi::BitmapCanvas canvas(kSide, kSide, 600, 600);
    Prepare(canvas);
    TCircleTextGeometry geometry;
    for (auto _ : state) {
        DrawTextOnCircle(canvas, {0, 0, kSide, kSide}, kCircleTextUpper, 0, kText, 1, geometry, false);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kText.size()));
}
BENCHMARK(BM_CircleText40Outlines)->Unit(benchmark::kMillisecond);

static void BM_CircleText40TurnedFonts(benchmark::State& state) {
    gdi::BitmapCanvas canvas(kSide, kSide, 600, 600);
    Prepare(canvas);
    TCircleTextGeometry geometry;
    for (auto _ : state) {
        DrawTextOnCircle(canvas, {0, 0, kSide, kSide}, kCircleTextUpper, 0, kText, 1, geometry, true);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kText.size()));
}
BENCHMARK(BM_CircleText40TurnedFonts)->Unit(benchmark::kMillisecond);

// Only the outline data (turned by an angle per character) and its walk.
static void BM_GlyphOutlines40(benchmark::State& state) {
    gdi::LogFont font;
    font.height = -118;
    font.weight = gdi::FW_BOLD;
    for (auto _ : state) {
        size_t points = 0;
        for (size_t i = 0; i < kText.size(); ++i) {
            const double a = 0.05 * static_cast<double>(i);
            const gdi::Mat2 m{gdi::ToFixed(std::cos(a)), gdi::ToFixed(std::sin(a)), gdi::ToFixed(-std::sin(a)),
                              gdi::ToFixed(std::cos(a))};
            const auto outline = gdi::BuildGlyphOutline(font, static_cast<unsigned char>(kText[i]), m);
            if (outline) points += GlyphOutlinePolygons(outline->data).points.size();
        }
        benchmark::DoNotOptimize(points);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(kText.size()));
}
BENCHMARK(BM_GlyphOutlines40)->Unit(benchmark::kMicrosecond);
