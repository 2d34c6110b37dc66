#pragma once
// Resampling of DIBs with a reconstruction filter, in two separable passes
// (first across, then down) over precomputed contributor lists with 16.16
// fixed-point weights. 24-bit pictures stay 24-bit; 32-bit pictures are
// resampled with their alpha channel; fewer bits are taken as 24.

#include "platform/imaging/Dib.h"

#include <array>
#include <cstdint>
#include <vector>

// A filter: a weight for a distance x in (scaled) source pixels.
using TResampleFilter = float (*)(float x);

float KernelBox(float x);
float KernelTriangle(float x);
float KernelHermite(float x);
float KernelBell(float x);
float KernelBSpline(float x);
float KernelSinc(float x);
float KernelLanczos3(float x);
float KernelMitchell(float x);
// The tent filter the thumbnails use (the triangle under the name callers know).
inline float ResampleTriangleKernel(float x) { return KernelTriangle(x); }

struct TZRFilterEntry {
    const char* Name;
    TResampleFilter Filter;
    float Support;  // in source pixels
};
// "Box", "Triangle", "Hermite", "Bell", "B-Spline", "Lanczos3", "Mitchell".
extern const std::array<TZRFilterEntry, 7> ResampleFilters;

struct TZRContribution {
    int32_t Pixel = 0;        // source index, always within the source
    float Weight = 0;         // normalised
    int32_t FixedWeight = 0;  // the weight in 16.16
};
using TZRContributorList = std::vector<TZRContribution>;
struct TZRCList {
    int32_t Count = 0;
    TZRContributorList List;
};
using TZRCListList = std::vector<TZRCList>;

// One list per destination pixel of a pass from sourceSize to destSize
// pixels. The fixed weights of a list add up to exactly 65536 (the rounding
// remainder goes to its largest weight), so flat areas keep their value.
void BuildContributors(int32_t sourceSize, int32_t destSize, TResampleFilter filter, float support, TZRCListList& list);
void FreeContributors(TZRCListList& list);
uint8_t ClampByte(int32_t value);

// The four passes; each makes a new DIB. The 24-bit passes convert a DIB of
// another depth first; the 32-bit ones refuse it.
imaging::DibHandle ZRStretchDIBHorz24(const imaging::Dib& dib, int32_t newWidth, TResampleFilter filter, float support);
imaging::DibHandle ZRStretchDIBVert24(const imaging::Dib& dib, int32_t newHeight, TResampleFilter filter, float support);
imaging::DibHandle ZRStretchDIBHorz32(const imaging::Dib& dib, int32_t newWidth, TResampleFilter filter, float support);
imaging::DibHandle ZRStretchDIBVert32(const imaging::Dib& dib, int32_t newHeight, TResampleFilter filter, float support);

// A new DIB of newWidth x newHeight; the source stays the caller's.
// Raises Exception "Source bitmap too small" or "Dest bitmap too small".
imaging::DibHandle StretchDIBFiltered(const imaging::Dib& dib, int32_t newWidth, int32_t newHeight,
                                      TResampleFilter filter, float support);
