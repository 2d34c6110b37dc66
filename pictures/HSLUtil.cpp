#include "pictures/HSLUtil.h"

#include <algorithm>
#include <cmath>

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
