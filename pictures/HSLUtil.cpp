#include "pictures/HSLUtil.h"

#include <algorithm>
#include <cmath>
#include <cstring>

float ClampSingle(float high, float low, float x) {
    if (x < low) return low;
    if (x > high) return high;
    return x;
}

float WrapSingle(float high, float low, float x) {
    const float range = high - low;
    if (!(range > 0) || (x > low && x <= high)) return x;
    // As many whole steps as it takes, in one go (a huge x would never get there step by step).
    float inside = std::fmod(x - low, range);
    if (inside <= 0) inside += range;
    return low + inside;
}

namespace {

// value x 255 rounded to even ties, within 0 .. 255 (what Round gives, in
// single precision: this runs three times for every pixel of a picture).
uint8_t ByteOf(float value) {
    const float scaled = value * 255.0f;
    if (!(scaled > 0)) return 0;
    if (scaled >= 255) return 255;
    return static_cast<uint8_t>(std::lrint(scaled));
}

// One channel of an HSL colour: the hue h measured from the channel's own
// place on the colour wheel.
uint8_t HueChannel(float m1, float m2, float h) {
    if (h < 0) h += 1;
    else if (h > 1) h -= 1;
    float value = m1;
    if (6 * h < 1) value = m1 + (m2 - m1) * 6 * h;
    else if (2 * h < 1) value = m2;
    else if (3 * h < 2) value = m1 + (m2 - m1) * (2.0f / 3.0f - h) * 6;
    return ByteOf(value);
}

}  // namespace

gdi::Color HSLToColor(float hue, float saturation, float lightness) {
    if (saturation == 0) {
        const uint8_t v = ByteOf(lightness);
        return gdi::Rgb(v, v, v);
    }
    const float m2 = lightness <= 0.5f ? lightness * (1 + saturation) : lightness + saturation - lightness * saturation;
    const float m1 = 2 * lightness - m2;
    return gdi::Rgb(HueChannel(m1, m2, hue + 1.0f / 3.0f), HueChannel(m1, m2, hue), HueChannel(m1, m2, hue - 1.0f / 3.0f));
}

void AdjustHSL(uint8_t& red, uint8_t& green, uint8_t& blue, float hueShift, float saturationShift,
               float lightnessShift) {
    const float r = red / 255.0f, g = green / 255.0f, b = blue / 255.0f;
    const float most = std::max({r, g, b});
    const float least = std::min({r, g, b});
    float lightness = (most + least) / 2;
    float hue = 0;
    float saturation = 0;
    if (most != least) {
        const float delta = most - least;
        saturation = lightness < 0.5f ? delta / (most + least) : delta / (2 - most - least);
        if (most == r) hue = (g - b) / delta;
        else if (most == g) hue = 2 + (b - r) / delta;
        else hue = 4 + (r - g) / delta;
        hue /= 6;
        if (hue < 0) hue += 1;
    }
    hue = WrapSingle(1, 0, hue + hueShift);
    saturation = ClampSingle(1, 0, saturation + saturationShift);
    lightness = ClampSingle(1, 0, lightness + lightnessShift);
    const gdi::Color c = HSLToColor(hue, saturation, lightness);
    red = static_cast<uint8_t>(gdi::RedOf(c));
    green = static_cast<uint8_t>(gdi::GreenOf(c));
    blue = static_cast<uint8_t>(gdi::BlueOf(c));
}

// ---- many pixels at a time
//
// The same operations in the same order as AdjustHSL and HSLToColor above,
// on 4, 8 or 16 lanes (as wide as the processor's vector registers): every
// branch is computed and the lanes pick their own. (The file is built
// without contracting multiplies and adds, so that each operation rounds
// as the one-pixel code does.)

#if defined(__GNUC__) && !defined(__clang__)
// The lane values never cross a function boundary that is not inlined.
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace {

template <int Lanes>
struct LaneTypes;
template <>
struct LaneTypes<4> {
    using Floats = float __attribute__((vector_size(16)));
    using Ints = int32_t __attribute__((vector_size(16)));
};
template <>
struct LaneTypes<8> {
    using Floats = float __attribute__((vector_size(32)));
    using Ints = int32_t __attribute__((vector_size(32)));
};
template <>
struct LaneTypes<16> {
    using Floats = float __attribute__((vector_size(64)));
    using Ints = int32_t __attribute__((vector_size(64)));
};

#define HSL_INLINE inline __attribute__((always_inline))

template <class Floats>
HSL_INLINE Floats Splat(float v) {
    return Floats{} + v;
}

// ByteOf on all lanes: the value x 255 held within 0 .. 255 (a value that
// is not a number gives 0), then rounded to a whole number, ties to even, as
// lrint does, by adding and taking away 2^23.
template <class Floats, class Ints>
HSL_INLINE Ints BytesOf(Floats value) {
    const auto k = Splat<Floats>;
    Floats scaled = value * k(255.0f);
    scaled = scaled > k(0) ? scaled : k(0);
    scaled = scaled < k(255) ? scaled : k(255);
    return __builtin_convertvector((scaled + k(8388608.0f)) - k(8388608.0f), Ints);
}

// HueChannel with the differences (m2 - m1) and (m2 - m1) x 6 worked out once.
template <class Floats, class Ints>
HSL_INLINE Ints HueChannel(Floats m1, Floats m2, Floats difference, Floats difference6, Floats h) {
    const auto k = Splat<Floats>;
    h = h < k(0) ? h + k(1) : (h > k(1) ? h - k(1) : h);
    const Floats rising = m1 + difference6 * h;
    const Floats falling = m1 + difference * (k(2.0f / 3.0f) - h) * k(6);
    Floats value = m1;
    value = k(3) * h < k(2) ? falling : value;
    value = k(2) * h < k(1) ? m2 : value;
    value = k(6) * h < k(1) ? rising : value;
    return BytesOf<Floats, Ints>(value);
}

template <class Floats>
HSL_INLINE Floats Clamped(Floats x) {
    const auto k = Splat<Floats>;
    return x < k(0) ? k(0) : (x > k(1) ? k(1) : x);
}

struct Shifts {
    float hue, saturation, lightness;
};

// red, green and blue in 0 .. 1 in; the new bytes out.
template <class Floats, class Ints>
HSL_INLINE void AdjustLanes(Floats r, Floats g, Floats b, const Shifts& shift, Ints& red, Ints& green, Ints& blue) {
    const auto k = Splat<Floats>;
    const Floats most = (r > g ? r : g) > b ? (r > g ? r : g) : b;
    const Floats least = (r < g ? r : g) < b ? (r < g ? r : g) : b;
    Floats lightness = (most + least) / k(2);
    const Ints colourful = most != least;
    const Floats delta = most - least;
    Floats saturation = delta / (lightness < k(0.5f) ? most + least : k(2) - most - least);
    const Ints redMost = most == r, greenMost = most == g;
    const Floats part = (redMost ? g - b : (greenMost ? b - r : r - g)) / delta;
    Floats hue = redMost ? part : (greenMost ? k(2) + part : k(4) + part);
    hue = hue / k(6);
    hue = hue < k(0) ? hue + k(1) : hue;
    hue = colourful ? hue : k(0);
    saturation = colourful ? saturation : k(0);

    // WrapSingle(1, 0, x) for x in (-1, 2]: the caller keeps the shift within (-1, 1].
    hue = hue + k(shift.hue);
    hue = hue <= k(0) ? hue + k(1) : (hue > k(1) ? hue - k(1) : hue);
    saturation = Clamped(saturation + k(shift.saturation));
    lightness = Clamped(lightness + k(shift.lightness));

    const Floats m2 = lightness <= k(0.5f) ? lightness * (k(1) + saturation) : lightness + saturation - lightness * saturation;
    const Floats m1 = k(2) * lightness - m2;
    // A grey (saturation 0) needs no lanes of its own: m1 and m2 are then
    // both exactly the lightness, and so is every channel.
    const Floats difference = m2 - m1, difference6 = difference * k(6);
    red = HueChannel<Floats, Ints>(m1, m2, difference, difference6, hue + k(1.0f / 3.0f));
    green = HueChannel<Floats, Ints>(m1, m2, difference, difference6, hue);
    blue = HueChannel<Floats, Ints>(m1, m2, difference, difference6, hue - k(1.0f / 3.0f));
}

// Each byte value as a share of 255, exactly as AdjustHSL divides.
struct ByteShares {
    float of[256];
    ByteShares() {
        for (int32_t i = 0; i < 256; ++i) of[i] = static_cast<uint8_t>(i) / 255.0f;
    }
};
const ByteShares kShares;

template <int Lanes>
HSL_INLINE void AdjustPixelsInLanes(uint8_t* pixels, int32_t count, int32_t step, const Shifts& shift) {
    using Floats = typename LaneTypes<Lanes>::Floats;
    using Ints = typename LaneTypes<Lanes>::Ints;
    for (int32_t first = 0; first < count; first += Lanes) {
        const int32_t n = std::min(Lanes, count - first);
        uint8_t* p = pixels + static_cast<ptrdiff_t>(first) * step;
        Floats r = {}, g = {}, b = {};
        for (int32_t k = 0; k < n; ++k) {
            b[k] = kShares.of[p[k * step]];
            g[k] = kShares.of[p[k * step + 1]];
            r[k] = kShares.of[p[k * step + 2]];
        }
        Ints red, green, blue;
        AdjustLanes<Floats, Ints>(r, g, b, shift, red, green, blue);
        for (int32_t k = 0; k < n; ++k) {
            p[k * step] = static_cast<uint8_t>(blue[k]);
            p[k * step + 1] = static_cast<uint8_t>(green[k]);
            p[k * step + 2] = static_cast<uint8_t>(red[k]);
        }
    }
}

void AdjustPixelsIn4(uint8_t* pixels, int32_t count, int32_t step, const Shifts& shift) {
    AdjustPixelsInLanes<4>(pixels, count, step, shift);
}

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) void AdjustPixelsIn8(uint8_t* pixels, int32_t count, int32_t step, const Shifts& shift) {
    AdjustPixelsInLanes<8>(pixels, count, step, shift);
}
__attribute__((target("avx512f"))) void AdjustPixelsIn16(uint8_t* pixels, int32_t count, int32_t step,
                                                          const Shifts& shift) {
    AdjustPixelsInLanes<16>(pixels, count, step, shift);
}
#endif

}  // namespace

std::vector<int32_t> HSLLaneWidths() {
    std::vector<int32_t> widths = {4};
#if defined(__x86_64__) || defined(__i386__)
    if (__builtin_cpu_supports("avx2")) widths.push_back(8);
    if (__builtin_cpu_supports("avx512f")) widths.push_back(16);
#endif
    return widths;
}

void AdjustHSLPixels(uint8_t* pixels, int32_t count, int32_t bytesPerPixel, float hueShift, float saturationShift,
                     float lightnessShift, int32_t lanes) {
    if (!(hueShift > -1 && hueShift <= 1)) {
        for (int32_t i = 0; i < count; ++i, pixels += bytesPerPixel)
            AdjustHSL(pixels[2], pixels[1], pixels[0], hueShift, saturationShift, lightnessShift);
        return;
    }
    static const int32_t widest = HSLLaneWidths().back();
    const Shifts shift{hueShift, saturationShift, lightnessShift};
    switch (lanes ? lanes : widest) {
#if defined(__x86_64__) || defined(__i386__)
    case 16: AdjustPixelsIn16(pixels, count, bytesPerPixel, shift); break;
    case 8: AdjustPixelsIn8(pixels, count, bytesPerPixel, shift); break;
#endif
    default: AdjustPixelsIn4(pixels, count, bytesPerPixel, shift); break;
    }
}
