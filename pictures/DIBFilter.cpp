#include "pictures/DIBFilter.h"

#include "foundation/Debug.h"
#include "foundation/Exceptions.h"
#include "foundation/Rounding.h"
#include "pictures/HSLUtil.h"
#include "pictures/Resample.h"
#include "pictures/RowBands.h"

#include <algorithm>
#include <cmath>

using imaging::Dib;

namespace {

// What one pixel of the hue, saturation and lightness shift costs, in the
// multiply-adds that ForRowBands counts.
constexpr int64_t kHSLCostPerPixel = 40;

int32_t Percent(int64_t done, int64_t last) {
    if (last <= 0) return 100;  // one row or one pixel: done at once
    return static_cast<int32_t>(MulDiv64(100, done, last));
}

// Calls pixel(p) with p at the blue byte of every pixel, in memory order,
// reporting progress as the header describes.
template <class PixelWork>
void ForEachPixel(Dib& dib, const TFilterProgress& progress, PixelWork pixel) {
    const int32_t bits = dib.BitCount();
    if (bits != 24 && bits != 32) return;
    const int32_t width = dib.Width();
    const int32_t height = dib.Height();
    const int64_t lastPixel = int64_t{width} * height - 1;
    const int32_t step = bits / 8;
    for (int32_t row = 0; row < height; ++row) {
        if (bits == 32 && progress) progress(Percent(int64_t{row} * width, lastPixel));
        uint8_t* p = dib.Row(row);
        for (int32_t x = 0; x < width; ++x, p += step) pixel(p);
        if (bits == 24 && progress) progress(Percent(row, height - 1));
    }
}

// Calls rowWork(row, width, bytes per pixel) for every row, spread over the
// processor's cores; the progress is reported on the calling thread as the
// rows get done, row by row with the values ForEachPixel reports.
template <class RowWork>
void ForEachRowOnCores(Dib& dib, const TFilterProgress& progress, RowWork rowWork) {
    const int32_t bits = dib.BitCount();
    if (bits != 24 && bits != 32) return;
    const int32_t width = dib.Width();
    const int32_t height = dib.Height();
    const int64_t lastPixel = int64_t{width} * height - 1;
    int32_t reported = 0;
    auto report = [&](int32_t rowsDone) {
        if (!progress) return;
        for (; reported < rowsDone; ++reported)
            progress(bits == 32 ? Percent(int64_t{reported} * width, lastPixel) : Percent(reported, height - 1));
    };
    // Chunks of about a hundredth of a large picture, and of one row of a small one.
    ForRowChunks(
        height, std::max(1, height / 100), int64_t{height} * width * kHSLCostPerPixel,
        [&](int32_t first, int32_t last) {
            for (int32_t row = first; row < last; ++row) rowWork(dib.Row(row), width, bits / 8);
        },
        report);
}

void RequireInRange(float high, float low, float value, const char* message) {
    if (!InRange(high, low, value)) throw Exception(message);
}

}  // namespace

bool InRange(float high, float low, float x) { return x >= low && x <= high; }

TColorTable BrightnessContrastTable(float brightness, float contrast, float intensity, float gamma) {
    RequireInRange(1, -1, brightness, "prozHelligkeit außerhalb von -1..1");
    RequireInRange(1, -1, contrast, "prozKontrast außerhalb von -1..1");
    RequireInRange(1, -1, intensity, "prozIntensitaet außerhalb von -1..1");
    RequireInRange(100, 0.0001f, gamma, "gamma außerhalb von 0,0001..100");
    const double k = contrast >= 0 ? 128.0 / (128.0 - double{contrast} * 127.0) : (double{contrast} * 127.0 + 128.0) / 128.0;
    const int32_t lift = Round(double{brightness} * 255.0);
    TColorTable table{};
    for (int32_t i = 0; i < 256; ++i) {
        int32_t t = Round(std::pow(i / 255.0, 1.0 / double{gamma}) * 255.0);
        t += lift;
        t = Round(k * (t - 128) + 128);
        t = Round((double{intensity} + 1) * t);
        table[static_cast<size_t>(i)] = ClampByte(t);
    }
    return table;
}

void ApplyTable(Dib& dib, const TColorTable& table, const TFilterProgress& progress) {
    ForEachPixel(dib, progress, [&table](uint8_t* p) {
        p[0] = table[p[0]];
        p[1] = table[p[1]];
        p[2] = table[p[2]];
    });
}

void FilterBrightnessContrast(Dib& dib, const TFilterProgress& progress, float brightness, float contrast,
                              float intensity, float gamma) {
    ApplyTable(dib, BrightnessContrastTable(brightness, contrast, intensity, gamma), progress);
}

void FilterHSL(Dib& dib, const TFilterProgress& progress, float hueShift, float saturationShift, float lightnessShift) {
    ForEachRowOnCores(dib, progress, [=](uint8_t* row, int32_t width, int32_t step) {
        AdjustHSLPixels(row, width, step, hueShift, saturationShift, lightnessShift);
    });
}

void FilterTint(Dib& dib, const TFilterProgress& progress, float hue, float saturation) {
    Debug().LogFmt(u"%f %f", {hue, saturation});
    TColorTable blue{}, green{}, red{};
    for (int32_t i = 0; i < 256; ++i) {
        const gdi::Color c = HSLToColor(hue, saturation, i / 255.0f);
        blue[static_cast<size_t>(i)] = static_cast<uint8_t>(gdi::BlueOf(c));
        green[static_cast<size_t>(i)] = static_cast<uint8_t>(gdi::GreenOf(c));
        red[static_cast<size_t>(i)] = static_cast<uint8_t>(gdi::RedOf(c));
    }
    ForEachPixel(dib, progress, [&](uint8_t* p) {
        const int32_t grey = (p[0] + p[1] + p[2]) / 3;
        p[0] = blue[static_cast<size_t>(grey)];
        p[1] = green[static_cast<size_t>(grey)];
        p[2] = red[static_cast<size_t>(grey)];
    });
}
