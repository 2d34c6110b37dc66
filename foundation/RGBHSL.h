#pragma once
// Colours as hue, saturation and luminance. A TRGBHSL keeps both forms
// consistent: setting a channel recomputes hue, saturation and luminance;
// setting one of those recomputes the three channels. Hue, saturation and
// luminance run from 0 to 1 (a full turn of hue is 1).

#include "platform/gdi/GdiTypes.h"

#include <cstdint>

struct THSL {
    double Hue = 0;
    double Saturation = 0;
    double Luminance = 0;
};

THSL RGBToHSL(gdi::Color color);
gdi::Color HSLToRGB(double luminance, double saturation, double hue);

class TRGBHSL {
public:
    explicit TRGBHSL(gdi::Color color = 0);

    gdi::Color GetColor() const;
    void SetColor(gdi::Color color);

    uint8_t Red() const { return red_; }
    uint8_t Green() const { return green_; }
    uint8_t Blue() const { return blue_; }
    void SetRed(uint8_t v);
    void SetGreen(uint8_t v);
    void SetBlue(uint8_t v);

    double Hue() const { return hue_; }
    double Saturation() const { return saturation_; }
    double Luminance() const { return luminance_; }
    void SetHue(double v);
    void SetSaturation(double v);
    void SetLuminance(double v);

    void UpdateHSL();
    void UpdateRGB();

private:
    uint8_t blue_ = 0;
    uint8_t red_ = 0;
    uint8_t green_ = 0;
    double luminance_ = 0;
    double hue_ = 0;
    double saturation_ = 0;
};
