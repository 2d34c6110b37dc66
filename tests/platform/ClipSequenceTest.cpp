// A clip region selected after drawing without one still clips: each
// operation of a painter canvas applies the clip of the moment.

#include "PixelTestSupport.h"

#include <gtest/gtest.h>

namespace gdi {
namespace {

TEST(ClipSequence, ComplexRegionAfterUnclippedDrawing) {
    // Between two clipped blits: nothing, a pixel, a line, a fill.
    for (int between = 0; between < 4; ++between) {
        BitmapCanvas canvas(200, 200);
        Bitmap src(4, 4);
        src.Fill(test::kBlack);
        const Region square = Region::FromRect({0, 0, 40, 40});
        canvas.SelectClipRgn(&square);
        canvas.StretchBlt({0, 0, 40, 40}, src, {0, 0, 4, 4});
        canvas.SelectClipRgn(nullptr);
        if (between == 1) canvas.SetPixel(180, 180, Rgb(0, 0, 255));
        if (between == 2) {
            canvas.MoveTo(180, 190);
            canvas.LineTo(190, 190);
        }
        if (between == 3) canvas.FillRect({180, 180, 190, 190}, SolidBrush(Rgb(0, 0, 255)));
        const Point diamond[] = {{100, 0}, {150, 50}, {100, 100}, {50, 50}};
        const Region shape = Region::FromPolygon(diamond, PolyFillMode::Alternate);
        canvas.SelectClipRgn(&shape);
        canvas.StretchBlt({50, 0, 150, 100}, src, {0, 0, 4, 4});
        EXPECT_EQ(canvas.bitmap().Pixel(55, 5), test::kWhite) << between;  // outside the diamond
        EXPECT_EQ(canvas.bitmap().Pixel(100, 50), test::kBlack) << between;
    }
}

}  // namespace
}  // namespace gdi
