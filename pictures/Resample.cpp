#include "pictures/Resample.h"

#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"
#include "foundation/Rounding.h"
#include "pictures/RowBands.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using imaging::Dib;
using imaging::DibHandle;

// ---- kernels

float KernelBox(float x) { return x > -0.5f && x <= 0.5f ? 1.0f : 0.0f; }

float KernelTriangle(float x) {
    const float t = std::fabs(x);
    return t < 1.0f ? 1.0f - t : 0.0f;
}

float KernelHermite(float x) {
    const float t = std::fabs(x);
    return t < 1.0f ? (2.0f * t - 3.0f) * t * t + 1.0f : 0.0f;
}

float KernelBell(float x) {
    const float t = std::fabs(x);
    if (t < 0.5f) return 0.75f - t * t;
    if (t < 1.5f) return 0.5f * (t - 1.5f) * (t - 1.5f);
    return 0.0f;
}

float KernelBSpline(float x) {
    const float t = std::fabs(x);
    if (t < 1.0f) return t * t * t / 2.0f - t * t + 2.0f / 3.0f;
    if (t < 2.0f) return (2.0f - t) * (2.0f - t) * (2.0f - t) / 6.0f;
    return 0.0f;
}

float KernelSinc(float x) {
    if (x == 0.0f) return 1.0f;
    const double px = std::numbers::pi * x;
    return static_cast<float>(std::sin(px) / px);
}

float KernelLanczos3(float x) {
    const float t = std::fabs(x);
    return t < 3.0f ? KernelSinc(t) * KernelSinc(t / 3.0f) : 0.0f;
}

float KernelMitchell(float x) {
    const float t = std::fabs(x);
    if (t < 1.0f) return (7.0f * t * t * t - 12.0f * t * t + 16.0f / 3.0f) / 6.0f;
    if (t < 2.0f) return (-7.0f / 3.0f * t * t * t + 12.0f * t * t - 20.0f * t + 32.0f / 3.0f) / 6.0f;
    return 0.0f;
}

const std::array<TZRFilterEntry, 7> ResampleFilters = {{
    {"Box", KernelBox, 0.5f},
    {"Triangle", KernelTriangle, 1.0f},
    {"Hermite", KernelHermite, 1.0f},
    {"Bell", KernelBell, 1.5f},
    {"B-Spline", KernelBSpline, 2.0f},
    {"Lanczos3", KernelLanczos3, 3.0f},
    {"Mitchell", KernelMitchell, 2.0f},
}};

// ---- contributor lists

namespace {

int32_t Reflected(int64_t j, int32_t size) {
    if (j < 0) j = -j;
    if (j >= size) j = 2 * int64_t{size} - 1 - j;
    return static_cast<int32_t>(std::clamp<int64_t>(j, 0, size - 1));
}

void Normalise(TZRCList& entry, double sum) {
    if (sum == 0 || entry.List.empty()) return;
    int64_t fixedSum = 0;
    size_t largest = 0;
    for (size_t k = 0; k < entry.List.size(); ++k) {
        TZRContribution& c = entry.List[k];
        c.Weight = static_cast<float>(c.Weight / sum);
        c.FixedWeight = Trunc(static_cast<long double>(c.Weight) * 65536);
        fixedSum += c.FixedWeight;
        if (std::fabs(c.Weight) > std::fabs(entry.List[largest].Weight)) largest = k;
    }
    // Truncating every weight would lose up to one unit each: white would come out 254.
    entry.List[largest].FixedWeight += static_cast<int32_t>(65536 - fixedSum);
}

}  // namespace

void BuildContributors(int32_t sourceSize, int32_t destSize, TResampleFilter filter, float support, TZRCListList& list) {
    list.assign(static_cast<size_t>(std::max(0, destSize)), {});
    if (sourceSize < 1 || destSize < 1) return;
    const double scale = (sourceSize == 1 || destSize == 1) ? static_cast<double>(destSize) / sourceSize
                                                           : static_cast<double>(destSize - 1) / (sourceSize - 1);
    const bool reducing = scale < 1;
    const double width = reducing ? support / scale : support;
    for (int32_t i = 0; i < destSize; ++i) {
        TZRCList& entry = list[static_cast<size_t>(i)];
        entry.List.reserve(static_cast<size_t>(Trunc(2 * width + 1)) + 1);
        const double centre = i / scale;
        double sum = 0;
        const auto first = static_cast<int64_t>(std::floor(centre - width));
        const auto last = static_cast<int64_t>(std::ceil(centre + width));
        for (int64_t j = first; j <= last; ++j) {
            const double weight = reducing ? filter(static_cast<float>((centre - j) * scale)) * scale
                                           : filter(static_cast<float>(centre - j));
            if (weight == 0) continue;
            entry.List.push_back({Reflected(j, sourceSize), static_cast<float>(weight), 0});
            sum += weight;
        }
        Normalise(entry, sum);
        entry.Count = static_cast<int32_t>(entry.List.size());
    }
}

void FreeContributors(TZRCListList& list) { list.clear(); }

uint8_t ClampByte(int32_t value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

// ---- the passes

namespace {

// The lists of a pass as flat arrays: for destination pixel i the taps
// first[i] .. first[i + 1] - 1, each a source index and a fixed weight.
// Taps of weight 0 are left out.
struct Taps {
    std::vector<int32_t> first;
    std::vector<int32_t> source;
    std::vector<int32_t> weight;
};

Taps MakeTaps(int32_t sourceSize, int32_t destSize, TResampleFilter filter, float support) {
    TZRCListList lists;
    BuildContributors(sourceSize, destSize, filter, support, lists);
    Taps taps;
    taps.first.reserve(lists.size() + 1);
    for (const TZRCList& entry : lists) {
        taps.first.push_back(static_cast<int32_t>(taps.source.size()));
        for (const TZRContribution& c : entry.List) {
            if (c.FixedWeight == 0) continue;
            taps.source.push_back(c.Pixel);
            taps.weight.push_back(c.FixedWeight);
        }
    }
    taps.first.push_back(static_cast<int32_t>(taps.source.size()));
    FreeContributors(lists);
    return taps;
}

// Sums are 32-bit; an arithmetic shift and ClampByte give what a division
// truncating toward zero and ClampByte give.
template <int Channels>
void HorizontalRow(const uint8_t* source, uint8_t* target, const Taps& taps, int32_t destWidth) {
    for (int32_t x = 0; x < destWidth; ++x) {
        int32_t sum[Channels] = {};
        for (int32_t k = taps.first[static_cast<size_t>(x)]; k < taps.first[static_cast<size_t>(x) + 1]; ++k) {
            const uint8_t* p = source + static_cast<ptrdiff_t>(taps.source[static_cast<size_t>(k)]) * Channels;
            const int32_t w = taps.weight[static_cast<size_t>(k)];
            for (int c = 0; c < Channels; ++c) sum[c] += w * p[c];
        }
        for (int c = 0; c < Channels; ++c) target[x * Channels + c] = ClampByte(sum[c] >> 16);
    }
}

DibHandle HorizontalPass(const Dib& dib, int32_t newWidth, TResampleFilter filter, float support, int channels) {
    if (dib.Width() < 1) throw Exception("Source bitmap too small");
    DibHandle out = imaging::CreateDIBForWriting(newWidth, dib.Height(), channels * 8);
    if (!out) throw Exception(LocalizedText("IDS_PICTTOOLARGE"));
    const Taps taps = MakeTaps(dib.Width(), newWidth, filter, support);
    Dib& target = *out;
    const int64_t cost = int64_t{dib.Height()} * static_cast<int64_t>(taps.source.size()) * channels;
    ForRowBands(dib.Height(), cost, [&](int32_t first, int32_t last) {
        for (int32_t row = first; row < last; ++row) {
            if (channels == 4) HorizontalRow<4>(dib.Row(row), target.Row(row), taps, newWidth);
            else HorizontalRow<3>(dib.Row(row), target.Row(row), taps, newWidth);
        }
    });
    return out;
}

// Row by row: each destination row is the weighted sum of whole source rows.
DibHandle VerticalPass(const Dib& dib, int32_t newHeight, TResampleFilter filter, float support, int channels) {
    if (dib.Height() < 1) throw Exception("Source bitmap too small");
    DibHandle out = imaging::CreateDIBForWriting(dib.Width(), newHeight, channels * 8);
    if (!out) throw Exception(LocalizedText("IDS_PICTTOOLARGE"));
    const Taps taps = MakeTaps(dib.Height(), newHeight, filter, support);
    const size_t bytes = static_cast<size_t>(dib.Width()) * static_cast<size_t>(channels);
    Dib& result = *out;
    const int64_t cost = static_cast<int64_t>(bytes) * static_cast<int64_t>(taps.source.size());
    ForRowBands(newHeight, cost, [&](int32_t first, int32_t last) {
        std::vector<int32_t> sums(bytes);
        for (int32_t row = first; row < last; ++row) {
            std::fill(sums.begin(), sums.end(), 0);
            for (int32_t k = taps.first[static_cast<size_t>(row)]; k < taps.first[static_cast<size_t>(row) + 1]; ++k) {
                const uint8_t* source = dib.Row(taps.source[static_cast<size_t>(k)]);
                const int32_t w = taps.weight[static_cast<size_t>(k)];
                int32_t* sum = sums.data();
                for (size_t i = 0; i < bytes; ++i) sum[i] += w * source[i];
            }
            uint8_t* target = result.Row(row);
            for (size_t i = 0; i < bytes; ++i) target[i] = ClampByte(sums[i] >> 16);
        }
    });
    return out;
}

const Dib& As24(const Dib& dib, DibHandle& copy) {
    if (dib.BitCount() == 24) return dib;
    copy = imaging::CopyHandle(dib);
    imaging::ConvertDIB(copy, 24);
    return *copy;
}

}  // namespace

DibHandle ZRStretchDIBHorz24(const Dib& dib, int32_t newWidth, TResampleFilter filter, float support) {
    DibHandle copy;
    return HorizontalPass(As24(dib, copy), newWidth, filter, support, 3);
}

DibHandle ZRStretchDIBVert24(const Dib& dib, int32_t newHeight, TResampleFilter filter, float support) {
    DibHandle copy;
    return VerticalPass(As24(dib, copy), newHeight, filter, support, 3);
}

DibHandle ZRStretchDIBHorz32(const Dib& dib, int32_t newWidth, TResampleFilter filter, float support) {
    if (dib.BitCount() != 32) throw Exception("ZRStretchDIBHorz32: DIB hat nicht 32bit");
    return HorizontalPass(dib, newWidth, filter, support, 4);
}

DibHandle ZRStretchDIBVert32(const Dib& dib, int32_t newHeight, TResampleFilter filter, float support) {
    if (dib.BitCount() != 32) throw Exception("ZRStretchDIBVert32: Dib ist nicht 32bit");
    return VerticalPass(dib, newHeight, filter, support, 4);
}

DibHandle StretchDIBFiltered(const Dib& dib, int32_t newWidth, int32_t newHeight, TResampleFilter filter,
                             float support) {
    DibHandle copy;
    const Dib& source = dib.BitCount() <= 23 ? As24(dib, copy) : dib;
    if (source.Width() < 1 || source.Height() < 1) throw Exception("Source bitmap too small");
    if (newWidth <= 0 || newHeight <= 0) throw Exception("Dest bitmap too small");
    if (source.BitCount() == 24) {
        DibHandle across = ZRStretchDIBHorz24(source, newWidth, filter, support);
        return ZRStretchDIBVert24(*across, newHeight, filter, support);
    }
    DibHandle across = ZRStretchDIBHorz32(source, newWidth, filter, support);
    return ZRStretchDIBVert32(*across, newHeight, filter, support);
}
