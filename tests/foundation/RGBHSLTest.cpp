// Colour conversion between RGB and hue, saturation and luminance.
#include "foundation/RGBHSL.h"

#include <gtest/gtest.h>

TEST(RGBHSL, KnownColours) {
    struct Case { gdi::Color color; double h, s, l; };
    const Case cases[] = {
        {0x0000FF, 0, 1, 0.5},            // red
        {0x00FF00, 1.0 / 3, 1, 0.5},      // green
        {0xFF0000, 2.0 / 3, 1, 0.5},      // blue
        {0x808080, 0, 0, 128.0 / 255},    // mid grey
        {0x000000, 0, 0, 0},
        {0xFFFFFF, 0, 0, 1},
        {0xFF00FF, 5.0 / 6, 1, 0.5},      // magenta: red and blue, a negative raw hue
        {0x40C080, 0.25, 128.0 / 254, 128.0 / 255},  // r 0x80, g 0xC0, b 0x40: luminance above half
        {0x202040, 0, 1.0 / 3, 48.0 / 255},  // dark red: saturation below half luminance
    };
    for (const Case& c : cases) {
        const THSL hsl = RGBToHSL(c.color);
        EXPECT_NEAR(hsl.Hue, c.h, 1e-9) << std::hex << c.color;
        EXPECT_NEAR(hsl.Saturation, c.s, 1e-9) << std::hex << c.color;
        EXPECT_NEAR(hsl.Luminance, c.l, 1e-9) << std::hex << c.color;
        EXPECT_EQ(HSLToRGB(hsl.Luminance, hsl.Saturation, hsl.Hue), c.color) << std::hex << c.color;
    }
}

TEST(RGBHSL, RoundTripGivesTheSameBytes) {
    // Every channel value in steps of 3, and every pair of extremes in between.
    int failures = 0;
    for (uint32_t r = 0; r < 256; r += 3) {
        for (uint32_t g = 0; g < 256; g += 3) {
            for (uint32_t b = 0; b < 256; b += 3) {
                const gdi::Color c = gdi::Rgb(r, g, b);
                const THSL hsl = RGBToHSL(c);
                if (HSLToRGB(hsl.Luminance, hsl.Saturation, hsl.Hue) != c && ++failures < 5) ADD_FAILURE() << c;
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(RGBHSL, SettersKeepBothSidesConsistent) {
    TRGBHSL c(0xFF0000);  // pure blue
    c.SetLuminance(0.3);
    EXPECT_EQ(c.Red(), 0);
    EXPECT_EQ(c.Green(), 0);
    EXPECT_EQ(c.Blue(), 153);  // m2 = 0.6, round(0.6 x 255)
    c.SetRed(255);
    EXPECT_NEAR(c.Hue(), RGBToHSL(c.GetColor()).Hue, 0);
    EXPECT_EQ(c.GetColor(), gdi::Rgb(255, 0, 153));

    // A hue just below a full turn and one of 0 give the same colour up to rounding.
    TRGBHSL a(0), b(0);
    for (TRGBHSL* x : {&a, &b}) {
        x->SetSaturation(0.8);
        x->SetLuminance(0.4);
    }
    a.SetHue(0.9999999);
    b.SetHue(0);
    EXPECT_NEAR(a.Red(), b.Red(), 1);
    EXPECT_NEAR(a.Green(), b.Green(), 1);
    EXPECT_NEAR(a.Blue(), b.Blue(), 1);
}
