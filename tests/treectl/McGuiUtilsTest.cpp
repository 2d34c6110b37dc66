// The drawing helpers on an off-screen bitmap: arrows, frames, button
// frames in the shades of a face colour, colours as hue, lightness and
// saturation, flat borders, the flat scroll bar's thumb and masked copies.
#include "treectl/support/McGuiUtils.h"

#include "platform/gdi/BitmapCanvas.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using gdi::Rect;
constexpr gdi::Color kWhite = gdi::Rgb(255, 255, 255);
constexpr gdi::Color kRed = gdi::Rgb(255, 0, 0);

std::string Art(const gdi::Bitmap& b) {
    std::string s;
    for (int32_t y = 0; y < b.Height(); ++y) {
        for (int32_t x = 0; x < b.Width(); ++x) s += b.Pixel(x, y) == kWhite ? '.' : '#';
        s += '\n';
    }
    return s;
}

std::string ArrowArt(TMcArrowDirection direction, Rect r, bool enabled = true) {
    gdi::BitmapCanvas canvas(10, 10);
    DrawArrow(canvas, direction, r, gdi::Rgb(0, 0, 0), enabled);
    return Art(canvas.bitmap());
}

TEST(McGuiUtils, ArrowShapes) {
    EXPECT_EQ(ArrowArt(TMcArrowDirection::Left, {0, 0, 8, 9}),
              "..........\n"
              ".....#....\n"
              "....##....\n"
              "...###....\n"
              "..####....\n"
              "...###....\n"
              "....##....\n"
              ".....#....\n"
              "..........\n"
              "..........\n");
    EXPECT_EQ(ArrowArt(TMcArrowDirection::Down, {0, 0, 9, 6}),
              "..........\n"
              ".#######..\n"
              "..#####...\n"
              "...###....\n"
              "....#.....\n"
              "..........\n"
              "..........\n"
              "..........\n"
              "..........\n"
              "..........\n");
    for (auto direction : {TMcArrowDirection::Left, TMcArrowDirection::Up, TMcArrowDirection::Right,
                           TMcArrowDirection::Down}) {
        const std::string empty = ArrowArt(direction, {0, 0, 0, 0});
        EXPECT_EQ(ArrowArt(direction, {2, 2, 7, 7}), empty) << "5 x 5 is too small";
        EXPECT_NE(ArrowArt(direction, {2, 2, 8, 8}), empty) << "6 x 6 is enough";
    }
}

TEST(McGuiUtils, DisabledArrowIsEmbossed) {
    gdi::BitmapCanvas enabled(12, 12), disabled(12, 12);
    constexpr gdi::Color background = gdi::Rgb(1, 2, 3);
    enabled.FillRect({0, 0, 12, 12}, gdi::SolidBrush(background));
    disabled.FillRect({0, 0, 12, 12}, gdi::SolidBrush(background));
    DrawArrow(enabled, TMcArrowDirection::Right, {0, 0, 12, 12}, gdi::Rgb(0, 0, 0), true);
    DrawArrow(disabled, TMcArrowDirection::Right, {0, 0, 12, 12}, gdi::Rgb(0, 0, 0), false);
    auto ink = [background](const gdi::Bitmap& b) {
        Rect box{100, 100, -1, -1};
        for (int32_t y = 0; y < b.Height(); ++y) {
            for (int32_t x = 0; x < b.Width(); ++x) {
                if (b.Pixel(x, y) == background) continue;
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
            }
        }
        return box;
    };
    const Rect a = ink(enabled.bitmap()), b = ink(disabled.bitmap());
    EXPECT_EQ(b, (Rect{a.left, a.top, a.right + 1, a.bottom + 1}));
    EXPECT_EQ(disabled.bitmap().Pixel(a.left, a.top), gdi::ResolveColor(clBtnShadow));
    EXPECT_EQ(disabled.bitmap().Pixel(a.right, a.top + 4), gdi::ResolveColor(clBtnHighlight));
}

TEST(McGuiUtils, HueLightnessSaturation) {
    const struct {
        gdi::Color rgb;
        int32_t h, l, s;
    } cases[] = {
        {kRed, 0, 126, 252},
        {gdi::Rgb(128, 128, 128), 168, 126, 0},
        {gdi::Rgb(0, 255, 0), 84, 126, 252},
        {gdi::Rgb(0, 0, 255), 168, 126, 252},
        {kWhite, 168, 252, 0},
        {gdi::Rgb(0, 0, 0), 168, 0, 0},
        {gdi::Rgb(255, 255, 128), 42, 189, 252},  // light colours keep their saturation
    };
    for (const auto& c : cases) {
        const gdi::Color hls = RGBtoHLS(c.rgb);
        EXPECT_EQ(HueOf(hls), c.h) << std::hex << c.rgb;
        EXPECT_EQ(LightnessOf(hls), c.l) << std::hex << c.rgb;
        EXPECT_EQ(SaturationOf(hls), c.s) << std::hex << c.rgb;
    }
    int worst = 0;
    for (uint32_t r = 0; r < 256; r += 51) {
        for (uint32_t g = 0; g < 256; g += 51) {
            for (uint32_t b = 0; b < 256; b += 51) {
                const gdi::Color hls = RGBtoHLS(gdi::Rgb(r, g, b));
                const gdi::Color back = HLStoRGB(HueOf(hls), LightnessOf(hls), SaturationOf(hls));
                worst = std::max({worst, std::abs(int(gdi::RedOf(back)) - int(r)),
                                  std::abs(int(gdi::GreenOf(back)) - int(g)), std::abs(int(gdi::BlueOf(back)) - int(b))});
            }
        }
    }
    EXPECT_LE(worst, 3) << "every colour converts back to itself";
    EXPECT_EQ(HLStoRGB(168, 255, 0), kWhite) << "a lightness beyond the scale stays white";
}

TEST(McGuiUtils, FramesAndButtonFrames) {
    gdi::BitmapCanvas canvas(8, 6);
    Draw3dRect(canvas, 1, 1, 6, 4, kRed, gdi::Rgb(0, 0, 255));
    EXPECT_EQ(Art(canvas.bitmap()),
              "........\n"
              ".######.\n"
              ".#....#.\n"
              ".#....#.\n"
              ".######.\n"
              "........\n");
    EXPECT_EQ(canvas.bitmap().Pixel(6, 1), gdi::Rgb(0, 0, 255)) << "the far corners are bottom-right";
    EXPECT_EQ(canvas.bitmap().Pixel(1, 4), gdi::Rgb(0, 0, 255));
    EXPECT_EQ(canvas.bitmap().Pixel(5, 1), kRed);

    gdi::BitmapCanvas button(10, 10);
    DrawButtonFrameEx(button, {0, 0, 10, 10}, true, false, clBtnFace, false);
    EXPECT_EQ(button.bitmap().Pixel(0, 0), gdi::ResolveColor(clBtnHighlight));
    EXPECT_EQ(button.bitmap().Pixel(9, 9), gdi::ResolveColor(cl3DDkShadow));
    EXPECT_EQ(button.bitmap().Pixel(8, 8), gdi::ResolveColor(clBtnShadow));
    DrawButtonFrameEx(button, {0, 0, 10, 10}, true, true, gdi::Rgb(0, 0, 200), true);
    const gdi::Color dark = button.bitmap().Pixel(0, 0), light = button.bitmap().Pixel(9, 9);
    EXPECT_LT(gdi::BlueOf(dark), 200u) << "down: dark outside top-left";
    EXPECT_GT(gdi::BlueOf(light), 200u);
    EXPECT_EQ(button.bitmap().Pixel(1, 1), gdi::ResolveColor(clBtnFace)) << "flat: the inner ring is not drawn again";
}

TEST(McGuiUtils, EveryFlatBorderStaysInsideItsRectangle) {
    for (int type = 0; type <= static_cast<int>(TMcFlatBorderType::fbtNone); ++type) {
        gdi::BitmapCanvas canvas(20, 16);
        canvas.FillRect({0, 0, 20, 16}, gdi::SolidBrush(kWhite));
        DrawFlatFrame(canvas, {2, 2, 18, 14}, kRed, static_cast<TMcFlatBorderType>(type));
        const gdi::Bitmap& b = canvas.bitmap();
        for (int32_t y = 0; y < 16; ++y) {
            for (int32_t x = 0; x < 20; ++x) {
                const bool inside = x >= 2 && x < 18 && y >= 2 && y < 14;
                if (!inside) {
                    EXPECT_EQ(b.Pixel(x, y), kWhite) << "type " << type << " at " << x << "," << y;
                }
            }
        }
        EXPECT_EQ(b.Pixel(10, 8), kWhite) << "the middle is left alone, type " << type;
    }
    gdi::BitmapCanvas line(10, 10);
    DrawFlatFrame(line, {0, 0, 10, 10}, kRed, TMcFlatBorderType::fbtLine);
    EXPECT_EQ(line.bitmap().Pixel(5, 9), gdi::ResolveColor(clWindowFrame));
    EXPECT_EQ(line.bitmap().Pixel(5, 0), kRed);
    EXPECT_EQ(line.bitmap().Pixel(5, 1), kRed);
    EXPECT_EQ(line.bitmap().Pixel(5, 2), kWhite);
}

TEST(McGuiUtils, FlatScrollThumbTable) {
    const struct {
        int32_t bar, button;
        TMcScrollInfo info;
        bool tracking, control;
        TMcFlatThumb thumb;
    } cases[] = {
        {200, 17, {0, 99, 10, 0, 0}, false, false, {17, 17}},     // MulDiv(10, 166, 100) = 17
        {200, 17, {0, 99, 10, 90, 0}, false, false, {166, 17}},   // at the end of the track
        {200, 17, {0, 999, 10, 0, 0}, false, false, {17, 8}},     // 2 pixels, raised to the least 8
        {200, 17, {0, 999, 10, 990, 500}, true, false, {97, 8}},  // the track position while tracking
        {200, 17, {0, 9, 10, 0, 0}, false, false, {}},            // the page covers all: no thumb
        {200, 17, {0, 9, 10, 0, 0}, false, true, {17, 166}},      // a control bar draws it the track long
        {200, 17, {0, 99, 0, 0, 0}, false, false, {17, 17}},      // page 0: the system thumb size
        {200, 17, {5, 4, 10, 0, 0}, false, false, {}},            // no range
    };
    for (const auto& c : cases) {
        const TMcFlatThumb t = FlatScrollThumb(c.bar, c.button, c.info, c.tracking, c.control);
        EXPECT_EQ(t.start, c.thumb.start) << c.info.max << " " << c.info.pos;
        EXPECT_EQ(t.length, c.thumb.length) << c.info.max << " " << c.info.pos;
    }
}

TEST(McGuiUtils, TransparentBitmapLeavesTheKeyColourOut) {
    gdi::Bitmap picture(4, 3);
    picture.Fill(gdi::Rgb(255, 0, 255));
    picture.SetPixel(1, 1, gdi::Rgb(0, 0, 0));
    picture.SetPixel(2, 1, kRed);
    gdi::BitmapCanvas canvas(6, 5);
    canvas.FillRect({0, 0, 6, 5}, gdi::SolidBrush(gdi::Rgb(0, 128, 0)));
    DrawTransparentBitmapEx(canvas, picture, 1, 1, {0, 0, 4, 3}, gdi::Rgb(255, 0, 255));
    EXPECT_EQ(canvas.bitmap().Pixel(2, 2), gdi::Rgb(0, 0, 0));
    EXPECT_EQ(canvas.bitmap().Pixel(3, 2), kRed);
    EXPECT_EQ(canvas.bitmap().Pixel(1, 1), gdi::Rgb(0, 128, 0));
    EXPECT_EQ(canvas.bitmap().Pixel(4, 3), gdi::Rgb(0, 128, 0));
}

TEST(McGuiUtils, KeyboardRepeatTimes) {
    EXPECT_EQ(KeyboardRepeatTime(SPI_GETKEYBOARDDELAY) % 250, 0);
    EXPECT_GE(KeyboardRepeatTime(SPI_GETKEYBOARDDELAY), 250);
    EXPECT_GT(KeyboardRepeatTime(SPI_GETKEYBOARDSPEED), 0);
    EXPECT_LE(KeyboardRepeatTime(SPI_GETKEYBOARDSPEED), 1000);
}

}  // namespace
