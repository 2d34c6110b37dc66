// Speed of the colour filters of the picture post-processing on a
// 12-megapixel photo (the Lanczos3 reduction of the same size is in
// PictureBench), and of one preview update of the dialogs at the largest
// picture they hold.
#include "pictures/DIBFilter.h"
#include "pictures/ZRDib.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace {

// Photo-like: smooth colour fields with grain.
imaging::DibHandle TwelveMegapixels32() {
    imaging::DibHandle dib = imaging::CreateDIB(4000, 3000, 32);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> grain(-12, 12);
    for (int32_t y = 0; y < 3000; ++y) {
        uint8_t* row = dib->TopRow(y);
        for (int32_t x = 0; x < 4000; ++x) {
            row[4 * x] = uint8_t(std::clamp(x / 16 + grain(random), 0, 255));
            row[4 * x + 1] = uint8_t(std::clamp(y / 12 + grain(random), 0, 255));
            row[4 * x + 2] = uint8_t(std::clamp((x + y) / 28 + grain(random), 0, 255));
            row[4 * x + 3] = 255;
        }
    }
    return dib;
}

void BrightnessContrastTwelveMegapixel32(benchmark::State& state) {
    imaging::DibHandle dib = TwelveMegapixels32();
    for (auto _ : state) FilterBrightnessContrast(*dib, {}, 0.1f, 0.2f, 0, 1.2f);
    state.SetItemsProcessed(state.iterations() * 12'000'000);
}
BENCHMARK(BrightnessContrastTwelveMegapixel32)->Unit(benchmark::kMillisecond);

void HSLTwelveMegapixel32(benchmark::State& state) {
    imaging::DibHandle dib = TwelveMegapixels32();
    for (auto _ : state) FilterHSL(*dib, {}, 0.1f, 0.2f, -0.1f);
    state.SetItemsProcessed(state.iterations() * 12'000'000);
}
BENCHMARK(HSLTwelveMegapixel32)->Unit(benchmark::kMillisecond);

void TintTwelveMegapixel32(benchmark::State& state) {
    imaging::DibHandle dib = TwelveMegapixels32();
    for (auto _ : state) FilterTint(*dib, {}, 0.1f, 0.3f);
    state.SetItemsProcessed(state.iterations() * 12'000'000);
}
BENCHMARK(TintTwelveMegapixel32)->Unit(benchmark::kMillisecond);

// What a slider move costs at the largest picture the dialogs hold: the
// preview-size copy of it, filtered.
void SliderPreviewOfLargestPicture(benchmark::State& state) {
    TZRDib holder;
    holder.SetDIB(TwelveMegapixels32());  // reduced to the holder's limit
    for (auto _ : state) {
        imaging::DibHandle preview = imaging::StretchDIB(*holder.Handle(), 298, 223);
        FilterHSL(*preview, {}, 0.1f, 0.2f, -0.1f);
        benchmark::DoNotOptimize(preview);
    }
}
BENCHMARK(SliderPreviewOfLargestPicture)->Unit(benchmark::kMillisecond);

}  // namespace
