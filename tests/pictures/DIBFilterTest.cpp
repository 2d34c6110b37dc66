// The colour filters, their table and progress, and the HSL conversions.
#include "pictures/DIBFilter.h"
#include "pictures/HSLUtil.h"

#include "foundation/Exceptions.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

using imaging::DibHandle;

namespace {

// Every byte value in every channel, alpha varied, in a 16 x 16 picture.
DibHandle AllValues(int bits) {
    DibHandle dib = imaging::CreateDIB(16, 16, bits);
    std::mt19937 random(11);
    const int step = bits / 8;
    for (int32_t row = 0; row < 16; ++row)
        for (int32_t x = 0; x < 16; ++x) {
            uint8_t* p = dib->Row(row) + x * step;
            const int v = row * 16 + x;
            p[0] = uint8_t(v), p[1] = uint8_t(255 - v), p[2] = uint8_t(v * 7);
            if (bits == 32) p[3] = uint8_t(random());
        }
    return dib;
}

std::vector<uint8_t> Alphas(const imaging::Dib& dib) {
    std::vector<uint8_t> alphas;
    for (int32_t row = 0; row < dib.Height(); ++row)
        for (int32_t x = 0; x < dib.Width(); ++x) alphas.push_back(dib.Row(row)[4 * x + 3]);
    return alphas;
}

std::string Raised(const std::function<void()>& work) {
    try {
        work();
    } catch (const Exception& e) {
        return e.what();
    }
    return {};
}

}  // namespace

TEST(DIBFilter, BrightnessContrastTable) {
    struct Case {
        float brightness, contrast, intensity, gamma;
        std::vector<std::pair<int, int>> entries;  // index, value
    };
    const Case cases[] = {
        {0, 0, 0, 1, {{0, 0}, {1, 1}, {127, 127}, {128, 128}, {254, 254}, {255, 255}}},
        {1, 0, 0, 1, {{0, 255}, {128, 255}, {255, 255}}},
        {-1, 0, 0, 1, {{0, 0}, {128, 0}, {255, 0}}},
        {0.5f, 0, 0, 1, {{0, 128}, {100, 228}, {200, 255}}},
        // Contrast 1: k = 128, nearly a threshold at 128.
        {0, 1, 0, 1, {{0, 0}, {127, 0}, {128, 128}, {129, 255}, {255, 255}}},
        // Contrast -1: k = 1/128, everything near 128.
        {0, -1, 0, 1, {{0, 127}, {128, 128}, {255, 129}}},
        {0, 0, 1, 1, {{0, 0}, {100, 200}, {128, 255}}},
        {0, 0, -1, 1, {{0, 0}, {255, 0}}},
        {0, 0, 0, 2, {{0, 0}, {64, 128}, {255, 255}}},
        {0, 0, 0, 0.5f, {{128, 64}, {255, 255}}},
        // The limits of gamma in single precision are accepted.
        {0, 0, 0, 0.0001f, {{0, 0}, {254, 0}, {255, 255}}},
        {0, 0, 0, 100, {{0, 0}, {1, 241}, {255, 255}}},
    };
    for (const Case& c : cases) {
        const TColorTable table = BrightnessContrastTable(c.brightness, c.contrast, c.intensity, c.gamma);
        for (const auto& [index, value] : c.entries)
            EXPECT_EQ(table[size_t(index)], value)
                << c.brightness << " " << c.contrast << " " << c.intensity << " " << c.gamma << " [" << index << "]";
    }
}

TEST(DIBFilter, OutOfRangeValuesRaiseBeforeThePictureIsTouched) {
    struct Case {
        float brightness, contrast, intensity, gamma;
        const char* text;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {1.01f, 0, 0, 1, "prozHelligkeit außerhalb von -1..1"},
        {nan, 0, 0, 1, "prozHelligkeit außerhalb von -1..1"},
        {0, -1.5f, 0, 1, "prozKontrast außerhalb von -1..1"},
        {0, 0, 2, 1, "prozIntensitaet außerhalb von -1..1"},
        {0, 0, 0, 0, "gamma außerhalb von 0,0001..100"},
        {0, 0, 0, 100.5f, "gamma außerhalb von 0,0001..100"},
        {0, 0, 0, 0.0000999f, "gamma außerhalb von 0,0001..100"},
        {5, 5, 5, 0, "prozHelligkeit außerhalb von -1..1"},  // checked in this order
        {0, 5, 5, 0, "prozKontrast außerhalb von -1..1"},
    };
    DibHandle dib = AllValues(24);
    const std::vector<uint8_t> before = dib->Packed();
    for (const Case& c : cases) {
        EXPECT_EQ(Raised([&] { FilterBrightnessContrast(*dib, {}, c.brightness, c.contrast, c.intensity, c.gamma); }),
                  c.text);
    }
    EXPECT_EQ(dib->Packed(), before);
}

TEST(DIBFilter, NeutralValuesLeaveEveryPixelAlone) {
    for (int bits : {24, 32}) {
        DibHandle dib = AllValues(bits);
        const std::vector<uint8_t> before = dib->Packed();
        FilterBrightnessContrast(*dib, {}, 0, 0, 0, 1);
        EXPECT_EQ(dib->Packed(), before) << bits;
        FilterHSL(*dib, {}, 0, 0, 0);
        EXPECT_EQ(dib->Packed(), before) << bits;
    }
}

TEST(DIBFilter, FiltersKeepAlphaAndLeaveOtherDepthsAlone) {
    const std::vector<std::function<void(imaging::Dib&)>> filters = {
        [](imaging::Dib& d) { FilterBrightnessContrast(d, {}, 0.3f, -0.2f, 0.1f, 1.7f); },
        [](imaging::Dib& d) { FilterHSL(d, {}, 0.25f, 0.5f, -0.1f); },
        [](imaging::Dib& d) { FilterTint(d, {}, 0.1f, 0.3f); },
    };
    for (const auto& filter : filters) {
        DibHandle dib = AllValues(32);
        const std::vector<uint8_t> alphas = Alphas(*dib);
        const std::vector<uint8_t> before = dib->Packed();
        filter(*dib);
        EXPECT_NE(dib->Packed(), before);
        EXPECT_EQ(Alphas(*dib), alphas);

        DibHandle grey = imaging::CreateDIB(8, 8, 8);
        for (int32_t row = 0; row < 8; ++row) std::memset(grey->Row(row), row * 30, 8);
        const std::vector<uint8_t> greyBefore = grey->Packed();
        filter(*grey);
        EXPECT_EQ(grey->Packed(), greyBefore);
    }
}

TEST(DIBFilter, HueShiftAndTint) {
    // Red turned half round is cyan; a grey stays what it is.
    uint8_t r = 255, g = 0, b = 0;
    AdjustHSL(r, g, b, 0.5f, 0, 0);
    EXPECT_EQ((std::array<int, 3>{r, g, b}), (std::array<int, 3>{0, 255, 255}));
    for (float shift : {0.5f, -0.3f, 0.25f, 1.0f}) {
        for (int v = 0; v < 256; ++v) {
            uint8_t gr = uint8_t(v), gg = uint8_t(v), gb = uint8_t(v);
            AdjustHSL(gr, gg, gb, shift, 0, 0);
            ASSERT_TRUE(gr == v && gg == v && gb == v) << shift << " " << v;
        }
    }
    // Saturation taken away entirely leaves the lightness as grey.
    r = 200, g = 100, b = 0;
    AdjustHSL(r, g, b, 0, -1, 0);
    EXPECT_TRUE(r == 100 && g == 100 && b == 100) << int(r) << " " << int(g) << " " << int(b);

    // The tint maps grey values onto one hue; saturation 0 is black and white.
    DibHandle dib = imaging::CreateDIB(3, 1, 24);
    const uint8_t pixels[] = {10, 20, 30, 0, 0, 0, 255, 255, 255};
    std::memcpy(dib->Row(0), pixels, sizeof pixels);
    FilterTint(*dib, {}, 0.7f, 0);
    const uint8_t greys[] = {20, 20, 20, 0, 0, 0, 255, 255, 255};
    EXPECT_EQ(0, std::memcmp(dib->Row(0), greys, sizeof greys));
    std::memcpy(dib->Row(0), pixels, sizeof pixels);
    FilterTint(*dib, {}, 0.1f, 0.3f);
    const gdi::Color tinted = HSLToColor(0.1f, 0.3f, 20 / 255.0f);
    EXPECT_EQ(dib->Row(0)[0], gdi::BlueOf(tinted));
    EXPECT_EQ(dib->Row(0)[2], gdi::RedOf(tinted));
    EXPECT_GT(dib->Row(0)[2], dib->Row(0)[0]);  // a warm brown
    EXPECT_EQ(dib->Row(0)[8], 255);             // white stays white
}

// The whole picture is shifted many pixels at a time and on several
// threads: each pixel comes out as the one-pixel shift makes it, for
// colours across the cube, rows with a few pixels left over, both depths
// and every width of vector the processor offers.
TEST(DIBFilter, HSLShiftOfAPictureIsThatOfEachPixel) {
    std::vector<std::array<uint8_t, 3>> colours;
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15) colours.push_back({uint8_t(b), uint8_t(g), uint8_t(r)});
    std::mt19937 random(5);
    for (int i = 0; i < 20000; ++i) colours.push_back({uint8_t(random()), uint8_t(random()), uint8_t(random())});
    for (int v = 0; v < 256; ++v) colours.push_back({uint8_t(v), uint8_t(v), uint8_t(v)});
    constexpr int32_t kWidth = 1003;  // eight lanes and three over
    const auto height = int32_t((colours.size() + kWidth - 1) / kWidth);
    const std::array<float, 3> shifts[] = {{0.1f, 0.2f, -0.1f}, {0.5f, 0, 0},       {-0.5f, 1, -1},
                                           {1, -1, 1},          {-0.999f, 0.3f, 0.7f}, {0.25f, -0.25f, 0.25f},
                                           {0, 0.6f, 0},        {2.5f, 0.1f, 0}};
    for (int bits : {24, 32}) {
        for (const auto& shift : shifts) {
            DibHandle dib = imaging::CreateDIB(kWidth, height, bits);
            for (size_t i = 0; i < colours.size(); ++i) {
                uint8_t* p = dib->Row(int32_t(i / kWidth)) + (i % kWidth) * size_t(bits / 8);
                std::memcpy(p, colours[i].data(), 3);
            }
            FilterHSL(*dib, {}, shift[0], shift[1], shift[2]);
            for (size_t i = 0; i < colours.size(); ++i) {
                uint8_t b = colours[i][0], g = colours[i][1], r = colours[i][2];
                AdjustHSL(r, g, b, shift[0], shift[1], shift[2]);
                const uint8_t* p = dib->Row(int32_t(i / kWidth)) + (i % kWidth) * size_t(bits / 8);
                ASSERT_TRUE(p[0] == b && p[1] == g && p[2] == r)
                    << bits << " bits, shift " << shift[0] << " " << shift[1] << " " << shift[2] << ", colour "
                    << int(colours[i][2]) << " " << int(colours[i][1]) << " " << int(colours[i][0]);
            }
        }
    }
    for (int32_t lanes : HSLLaneWidths()) {
        for (const auto& shift : shifts) {
            std::vector<std::array<uint8_t, 3>> pixels = colours;
            AdjustHSLPixels(pixels[0].data(), int32_t(pixels.size()), 3, shift[0], shift[1], shift[2], lanes);
            for (size_t i = 0; i < colours.size(); ++i) {
                uint8_t b = colours[i][0], g = colours[i][1], r = colours[i][2];
                AdjustHSL(r, g, b, shift[0], shift[1], shift[2]);
                ASSERT_TRUE(pixels[i][0] == b && pixels[i][1] == g && pixels[i][2] == r)
                    << lanes << " lanes, shift " << shift[0] << " " << shift[1] << " " << shift[2] << ", colour "
                    << int(colours[i][2]) << " " << int(colours[i][1]) << " " << int(colours[i][0]);
            }
        }
    }
}

TEST(DIBFilter, HSLHelpers) {
    EXPECT_EQ(HSLToColor(0, 1, 0.5f), gdi::Rgb(255, 0, 0));
    EXPECT_EQ(HSLToColor(1.0f / 3, 1, 0.5f), gdi::Rgb(0, 255, 0));
    EXPECT_EQ(HSLToColor(2.0f / 3, 1, 0.5f), gdi::Rgb(0, 0, 255));
    EXPECT_EQ(HSLToColor(0.5f, 0, 0.5f), gdi::Rgb(128, 128, 128));  // 127.5 to even
    EXPECT_EQ(HSLToColor(0.3f, 0.8f, 1), gdi::Rgb(255, 255, 255));
    EXPECT_EQ(HSLToColor(0.3f, 0.8f, 0), gdi::Rgb(0, 0, 0));

    struct Wrap {
        float x, wrapped;
    };
    for (const Wrap& w : {Wrap{0, 1}, Wrap{1, 1}, Wrap{0.25f, 0.25f}, Wrap{1.5f, 0.5f}, Wrap{-0.25f, 0.75f},
                          Wrap{-2, 1}, Wrap{3.5f, 0.5f}})
        EXPECT_FLOAT_EQ(WrapSingle(1, 0, w.x), w.wrapped) << w.x;
    const float huge = WrapSingle(1, 0, 1e30f);  // ends at once, inside the range
    EXPECT_TRUE(huge > 0 && huge <= 1);
    EXPECT_EQ(ClampSingle(1, 0, -0.5f), 0);
    EXPECT_EQ(ClampSingle(1, 0, 1.5f), 1);
    EXPECT_EQ(ClampSingle(1, 0, 0.5f), 0.5f);
    EXPECT_TRUE(InRange(1, -1, -1) && InRange(1, -1, 1) && !InRange(1, -1, 1.0001f));
}

TEST(DIBFilter, Progress) {
    struct Case {
        int32_t width, height, bits;
        std::vector<int32_t> reports;
    };
    const Case cases[] = {
        {4, 3, 24, {0, 50, 100}},   // after every row
        {2, 2, 32, {0, 67}},        // at the start of every row, as a share of the pixels
        {5, 1, 24, {100}},          // one row
        {1, 1, 32, {100}},          // one pixel
        {1, 3, 32, {0, 50, 100}},
    };
    for (const Case& c : cases) {
        DibHandle dib = imaging::CreateDIB(c.width, c.height, c.bits);
        std::vector<int32_t> reports;
        const TFilterProgress progress = [&reports](int32_t percent) { reports.push_back(percent); };
        FilterBrightnessContrast(*dib, progress, 0.1f, 0, 0, 1);
        EXPECT_EQ(reports, c.reports) << c.width << "x" << c.height << "x" << c.bits;
        reports.clear();
        FilterHSL(*dib, progress, 0.1f, 0, 0);
        EXPECT_EQ(reports, c.reports);
        reports.clear();
        FilterTint(*dib, progress, 0.1f, 0.3f);
        EXPECT_EQ(reports, c.reports);
    }
}
