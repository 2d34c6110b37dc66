#include "foundation/RGBHSL.h"

#include "foundation/Rounding.h"

#include <algorithm>

namespace {

uint8_t ChannelOf(double v) { return static_cast<uint8_t>(std::clamp(Round(v * 255.0), 0, 255)); }

double HueToChannel(double m1, double m2, double h) {
    if (h < 0) h += 1;
    if (h > 1) h -= 1;
    if (6 * h < 1) return m1 + (m2 - m1) * 6 * h;
    if (2 * h < 1) return m2;
    if (3 * h < 2) return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6;
    return m1;
}

}  // namespace

THSL RGBToHSL(gdi::Color color) {
    const double r = gdi::RedOf(color) / 255.0;
    const double g = gdi::GreenOf(color) / 255.0;
    const double b = gdi::BlueOf(color) / 255.0;
    const double mx = std::max(std::max(b, g), r);
    const double mn = std::min(std::min(b, g), r);
    THSL hsl;
    hsl.Luminance = (mx + mn) / 2;
    if (mx == mn) return hsl;
    const double d = mx - mn;
    hsl.Saturation = hsl.Luminance >= 0.5 ? d / (2 - mx - mn) : d / (mx + mn);
    double h;
    if (mx == r) {
        h = (g - b) / d;
    } else if (mx != g) {
        h = (r - g) / d + 4;
    } else {
        h = (b - r) / d + 2;
    }
    hsl.Hue = h / 6;
    if (hsl.Hue < 0) hsl.Hue += 1;
    return hsl;
}

gdi::Color HSLToRGB(double luminance, double saturation, double hue) {
    if (saturation == 0) {
        const uint8_t v = ChannelOf(luminance);
        return gdi::Rgb(v, v, v);
    }
    const double l = luminance, s = saturation;
    const double m2 = l > 0.5 ? l + s - l * s : l * (1 + s);
    const double m1 = 2 * l - m2;
    return gdi::Rgb(ChannelOf(HueToChannel(m1, m2, hue + 1.0 / 3.0)), ChannelOf(HueToChannel(m1, m2, hue)),
                    ChannelOf(HueToChannel(m1, m2, hue - 1.0 / 3.0)));
}

TRGBHSL::TRGBHSL(gdi::Color color) { SetColor(color); }

gdi::Color TRGBHSL::GetColor() const { return gdi::Rgb(red_, green_, blue_); }

void TRGBHSL::SetColor(gdi::Color color) {
    red_ = static_cast<uint8_t>(gdi::RedOf(color));
    green_ = static_cast<uint8_t>(gdi::GreenOf(color));
    blue_ = static_cast<uint8_t>(gdi::BlueOf(color));
    UpdateHSL();
}

void TRGBHSL::SetRed(uint8_t v) {
    red_ = v;
    UpdateHSL();
}

void TRGBHSL::SetGreen(uint8_t v) {
    green_ = v;
    UpdateHSL();
}

void TRGBHSL::SetBlue(uint8_t v) {
    blue_ = v;
    UpdateHSL();
}

void TRGBHSL::SetHue(double v) {
    hue_ = v;
    UpdateRGB();
}

void TRGBHSL::SetSaturation(double v) {
    saturation_ = v;
    UpdateRGB();
}

void TRGBHSL::SetLuminance(double v) {
    luminance_ = v;
    UpdateRGB();
}

void TRGBHSL::UpdateHSL() {
    const THSL hsl = RGBToHSL(GetColor());
    hue_ = hsl.Hue;
    saturation_ = hsl.Saturation;
    luminance_ = hsl.Luminance;
}

void TRGBHSL::UpdateRGB() {
    const gdi::Color c = HSLToRGB(luminance_, saturation_, hue_);
    red_ = static_cast<uint8_t>(gdi::RedOf(c));
    green_ = static_cast<uint8_t>(gdi::GreenOf(c));
    blue_ = static_cast<uint8_t>(gdi::BlueOf(c));
}
