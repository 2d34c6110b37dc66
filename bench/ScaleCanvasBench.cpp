// The millimetre conversions, and filling rectangles through the scale canvas
// into an A4 page at 600 dpi.
#include "foundation/BmpScaleCanvas.h"

#include <benchmark/benchmark.h>

static void BM_MMToPixelConversions(benchmark::State& state) {
    TScaler scaler;
    scaler.SetResolutionX(600 / 25.4f);
    scaler.SetResolutionY(600 / 25.4f);
    scaler.SetWorldOffsetX(12.5f);
    scaler.SetDeviceOffsetY(-40);
    float mm = 0;
    for (auto _ : state) {
        mm += 0.37f;
        if (mm > 297) mm = 0;
        benchmark::DoNotOptimize(scaler.MMToPixelX(mm) + scaler.MMToPixelY(mm) + scaler.MMToPixel(mm));
        benchmark::DoNotOptimize(scaler.PixelToMMX(static_cast<int32_t>(mm * 10)));
    }
    state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(BM_MMToPixelConversions);

static void BM_FillTenThousandRectanglesOnA4At600Dpi(benchmark::State& state) {
    TBmpScaleCanvas canvas;
    canvas.BitmapCanvas().SetResolution(600, 600);
    canvas.SetSize(4961, 7016);  // A4 at 600 dpi
    canvas.SetResolutionX(600 / 25.4f);
    canvas.SetResolutionY(600 / 25.4f);
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            const float x = static_cast<float>(i % 100) * 2.0f;
            const float y = static_cast<float>(i / 100) * 2.9f;
            canvas.Brush().color = gdi::Rgb(i & 0xFF, (i >> 3) & 0xFF, 128);
            canvas.FillRect(x, y, x + 1.8f, y + 2.5f);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_FillTenThousandRectanglesOnA4At600Dpi)->Unit(benchmark::kMillisecond);
