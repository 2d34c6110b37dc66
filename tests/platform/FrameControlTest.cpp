// Check boxes, radio buttons and the focus rectangle of the drawing layer,
// and the highlighted drawing styles of image lists.
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/FrameControl.h"
#include "platform/gdi/ImageList.h"

#include <gtest/gtest.h>

namespace gdi {
namespace {

int Count(const Bitmap& b, const Rect& r, Color c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) n += b.Pixel(x, y) == c ? 1 : 0;
    }
    return n;
}

TEST(FrameControl, CheckBoxStates) {
    const Rect box{2, 2, 15, 15};
    const Rect inside{4, 4, 13, 13};
    struct Case {
        uint32_t state;
        Color face, mark;
        int markPixels;
    };
    const Case cases[] = {
        {DFCS_BUTTONCHECK, SysColor(COLOR_WINDOW), SysColor(COLOR_WINDOWTEXT), 0},
        {DFCS_BUTTONCHECK | DFCS_CHECKED, SysColor(COLOR_WINDOW), SysColor(COLOR_WINDOWTEXT), 21},
        {DFCS_BUTTON3STATE | DFCS_CHECKED, SysColor(COLOR_BTNFACE), SysColor(COLOR_BTNSHADOW), 21},  // grayed
        {DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, SysColor(COLOR_BTNFACE), SysColor(COLOR_BTNSHADOW), 21},
    };
    for (const Case& c : cases) {
        BitmapCanvas canvas(17, 17);
        canvas.FillRect({0, 0, 17, 17}, SolidBrush(Rgb(1, 2, 3)));
        ASSERT_TRUE(DrawFrameControl(canvas, box, DFC_BUTTON, c.state));
        const Bitmap& b = canvas.bitmap();
        EXPECT_EQ(b.Pixel(2, 2), SysColor(COLOR_BTNSHADOW)) << c.state << ": the sunken outer ring";
        EXPECT_EQ(b.Pixel(3, 3), SysColor(COLOR_3DDKSHADOW)) << c.state;
        EXPECT_EQ(b.Pixel(14, 14), SysColor(COLOR_BTNHIGHLIGHT)) << c.state;
        EXPECT_EQ(b.Pixel(1, 1), Rgb(1, 2, 3)) << "nothing outside the box";
        if (c.mark != c.face) {
            EXPECT_EQ(Count(b, inside, c.mark), c.markPixels) << c.state << ": the 7 x 7 check mark";
        }
        EXPECT_EQ(Count(b, inside, c.face), 81 - c.markPixels) << c.state;
    }
    BitmapCanvas canvas(4, 4);
    EXPECT_FALSE(DrawFrameControl(canvas, box, 1, 0)) << "only buttons are drawn";
}

TEST(FrameControl, RadioButtonHasItsDotWhenChecked) {
    for (bool checked : {false, true}) {
        BitmapCanvas canvas(13, 13);
        canvas.FillRect({0, 0, 13, 13}, SolidBrush(Rgb(1, 2, 3)));
        DrawFrameControl(canvas, {0, 0, 12, 12}, DFC_BUTTON, DFCS_BUTTONRADIO | (checked ? DFCS_CHECKED : 0));
        const Bitmap& b = canvas.bitmap();
        EXPECT_EQ(b.Pixel(6, 6) == SysColor(COLOR_WINDOWTEXT), checked);
        EXPECT_EQ(b.Pixel(0, 0), Rgb(1, 2, 3)) << "the corners stay as they were";
        EXPECT_GT(Count(b, {0, 0, 13, 13}, SysColor(COLOR_BTNSHADOW)), 4) << "the shadowed upper arc";
    }
}

TEST(FrameControl, FocusRectangleInvertsEveryOtherPixelAndGoesAwayAgain) {
    BitmapCanvas canvas(10, 8);
    canvas.FillRect({0, 0, 10, 8}, SolidBrush(Rgb(255, 255, 255)));
    const Rect r{1, 1, 9, 7};
    DrawFocusRect(canvas, r);
    const Bitmap& b = canvas.bitmap();
    for (int x = 1; x < 9; ++x) EXPECT_EQ(b.Pixel(x, 1), (x + 1) % 2 == 0 ? Rgb(0, 0, 0) : Rgb(255, 255, 255)) << x;
    for (int y = 1; y < 7; ++y) EXPECT_EQ(b.Pixel(1, y), (1 + y) % 2 == 0 ? Rgb(0, 0, 0) : Rgb(255, 255, 255)) << y;
    EXPECT_EQ(b.Pixel(4, 4), Rgb(255, 255, 255)) << "the inside stays";
    DrawFocusRect(canvas, r);
    EXPECT_EQ(Count(canvas.bitmap(), {0, 0, 10, 8}, Rgb(255, 255, 255)), 80);
}

TEST(ImageList, DrawingStylesBlendWithTheHighlight) {
    ImageList list(2, 1);
    Bitmap picture(2, 1);
    picture.SetPixel(0, 0, Rgb(255, 255, 255));
    picture.SetPixel(1, 0, Rgb(255, 0, 255));
    list.Add(picture, Rgb(255, 0, 255));
    const Color h = SysColor(COLOR_HIGHLIGHT);
    auto mix = [](uint32_t a, uint32_t b, uint32_t share) { return (a * (256 - share) + b * share) / 256; };
    for (auto [style, share] : {std::pair{ImageList::DrawingStyle::Normal, 0u}, {ImageList::DrawingStyle::Focus, 64u},
                                {ImageList::DrawingStyle::Selected, 128u}}) {
        BitmapCanvas canvas(2, 1);
        canvas.FillRect({0, 0, 2, 1}, SolidBrush(Rgb(0, 0, 0)));
        list.SetDrawingStyle(style);
        list.Draw(canvas, 0, 0, 0);
        EXPECT_EQ(canvas.bitmap().Pixel(0, 0), Rgb(mix(255, RedOf(h), share), mix(255, GreenOf(h), share),
                                                   mix(255, BlueOf(h), share)));
        EXPECT_EQ(canvas.bitmap().Pixel(1, 0), Rgb(0, 0, 0)) << "the key colour stays transparent";
    }
}

}  // namespace
}  // namespace gdi
