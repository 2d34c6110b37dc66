// Glyph outlines as contour lists, and contours rendered into device polygons.
#include "shapes/KonturList.h"
#include "shapes/PolyPolygonData.h"
#include "shapes/RenderMan.h"
#include "shapes/TTFConverter.h"

#include "platform/gdi/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

TEST(TTFConverter, CharactersBecomeClosedContoursWithYDownwards) {
    TTTFConverter converter;
    converter.Font.SetHeight(-1000);
    TKonturList list;
    converter.CharToKonturList(list, 'o');
    ASSERT_EQ(list.Count(), 2);  // the outer and the inner ring
    for (int32_t k = 0; k < list.Count(); ++k) {
        const TKontur& c = list.Items(k);
        ASSERT_GT(c.Count(), 2);
        EXPECT_EQ(c.Strokes(0).Kind, kStrokeMove);
        // Glyph contours end where they began.
        EXPECT_FLOAT_EQ(c.Strokes(c.Count() - 1).End().X, c.Strokes(0).Points[0].X);
        EXPECT_FLOAT_EQ(c.Strokes(c.Count() - 1).End().Y, c.Strokes(0).Points[0].Y);
    }
    // An "o" of an em of 1000 stands on the baseline, about half an em high.
    const TFloatRect bounds = list.GetBounds();
    EXPECT_NEAR(bounds.Bottom, 0, 20);
    EXPECT_NEAR(bounds.Top, -520, 60);
    EXPECT_GT(bounds.Right - bounds.Left, 400);

    const int32_t before = list.Count();
    converter.CharToKonturList(list, ' ');
    EXPECT_EQ(list.Count(), before);
    // Symbol fonts are asked in their charset: byte "a" is their alpha.
    converter.Font.SetName("Symbol");
    converter.Font.SetCharset(gdi::SYMBOL_CHARSET);
    TKonturList alpha;
    converter.CharToKonturList(alpha, 'a');
    EXPECT_GT(alpha.Count(), 0);
}

TEST(RenderMan, PlainRenderMapsLinesAndFlattensCurves) {
    TKonturList list;
    TKontur& square = list.AddKontur();
    square.MoveTo(0, 0);
    square.LineTo(10, 0);
    square.LineTo(10, 10);
    square.LineTo(0, 0);
    TKontur& curve = list.AddKontur();
    curve.MoveTo(0, 0);
    curve.QuadTo(50, 100, 100, 0);
    TMatrix3 m = kIdentityMatrix;
    MatrixScale(m, 2, 2);
    MatrixTranslate(m, 100, 200);
    TPolyPolygonData data;
    TRenderMan().RenderPlain(list, data, m);
    ASSERT_EQ(data.PolygonCount(), 2);
    EXPECT_EQ(data.Counts()[0], 4);
    EXPECT_EQ(data.Points()[1], (TPoint{120, 200}));
    // The curve: from its start to its end through points near the parabola.
    const int32_t n = data.Counts()[1];
    EXPECT_GT(n, 8);
    EXPECT_EQ(data.Points().back(), (TPoint{300, 200}));
    for (int32_t i = 4; i < 4 + n; ++i) {
        const double x = (data.Points()[i].x - 100) / 2.0, y = (data.Points()[i].y - 200) / 2.0;
        const double t = x / 100;
        EXPECT_NEAR(y, 200 * t * (1 - t), 1.0) << i;
    }
    gdi::RecordingCanvas canvas;
    data.DrawPolygons(canvas);
    ASSERT_EQ(canvas.Calls().size(), 1u);
    EXPECT_EQ(canvas.Calls()[0].counts, data.Counts());
}

TEST(PolyPolygonData, RoundsToEvenAndDrawsOnlyFinishedPolygons) {
    TPolyPolygonData data;
    gdi::RecordingCanvas canvas;
    data.DrawPolygons(canvas);
    EXPECT_TRUE(canvas.Calls().empty());
    EXPECT_EQ(data.GetBounds(), (TRect{0, 0, 0, 0}));
    data.AddFloatPoint(2.5f, 3.5f);
    EXPECT_EQ(data.Points()[0], (TPoint{2, 4}));
    data.AddPoint(10, 0);
    data.AddPoint(0, 10);
    data.ClosePolygon();
    data.AddPoint(50, 50);
    EXPECT_EQ(data.GetBounds(), (TRect{0, 0, 50, 50}));
    data.DrawPolygons(canvas);
    ASSERT_EQ(canvas.Calls().size(), 1u);
    EXPECT_EQ(canvas.Calls()[0].points.size(), 3u);
}

}  // namespace
