#pragma once
// The colour filters of the picture post-processing. Each works in place on
// a 24-bit or 32-bit DIB and leaves any other depth untouched; alpha bytes
// never change. Values out of range raise Exception with a fixed German text
// before the DIB is touched.
//
// Progress, when given, is reported in percent: for 24-bit pictures after
// every row, for 32-bit pictures at the start of every row (as a share of
// the pixels before it). A picture of one row or one pixel reports 100.
// FilterHSL works on the processor's cores and reports the same values on
// the calling thread as the rows get done.

#include "platform/imaging/Dib.h"

#include <array>
#include <cstdint>
#include <functional>

using TFilterProgress = std::function<void(int32_t percent)>;
using TColorTable = std::array<uint8_t, 256>;

// low <= x <= high, compared in single precision (NaN is never in range).
bool InRange(float high, float low, float x);

// The one table of brightness, contrast and intensity (each -1 .. 1, 0 =
// unchanged) and gamma (0.0001 .. 100, 1 = unchanged).
TColorTable BrightnessContrastTable(float brightness, float contrast, float intensity, float gamma);
// The table applied to the blue, green and red byte of every pixel.
void ApplyTable(imaging::Dib& dib, const TColorTable& table, const TFilterProgress& progress = {});

void FilterBrightnessContrast(imaging::Dib& dib, const TFilterProgress& progress, float brightness, float contrast,
                              float intensity, float gamma);
// Hue shift in turns, saturation and lightness shifts in -1 .. 1.
void FilterHSL(imaging::Dib& dib, const TFilterProgress& progress, float hueShift, float saturationShift,
               float lightnessShift);
// Every pixel's grey value becomes the colour of that lightness with the
// given hue and saturation (0 .. 1); saturation 0 gives black and white.
void FilterTint(imaging::Dib& dib, const TFilterProgress& progress, float hue, float saturation);
