// Values from damaged files and coordinates near the ends of the 32-bit
// range: every routine gives a defined result (saturated, or NaN as 0) and
// nothing overflows, which the undefined-behaviour sanitizer of the test
// build checks on every line below.
#include "FixedMetricCanvas.h"

#include "foundation/Abrunden.h"
#include "foundation/CircleText.h"
#include "foundation/PointHelpers.h"
#include "foundation/Rounding.h"
#include "foundation/ScaleCanvas.h"
#include "foundation/Transformation.h"
#include "foundation/WrappedText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Rectangles at and near the ends of the range, some of them upside down.
const gdi::Rect kExtremeRects[] = {
    {kMin, kMin, kMax, kMax}, {kMax - 10, kMax - 10, kMax, kMax}, {kMin, kMin, kMin + 10, kMin + 10},
    {kMax, kMax, kMin, kMin}, {-5, kMin, 5, kMax},                {kMin, 0, kMax, 30},
};

}  // namespace

TEST(ExtremeValues, RoundingSaturatesAndNaNGivesZero) {
    struct Case { long double x; int32_t round, trunc; int64_t round64; };
    const Case cases[] = {
        {kNaN, 0, 0, 0},
        {kInf, kMax, kMax, INT64_MAX},
        {-kInf, kMin, kMin, INT64_MIN},
        {1e30L, kMax, kMax, INT64_MAX},
        {-1e30L, kMin, kMin, INT64_MIN},
        {2147483646.6L, kMax, 2147483646, 2147483647},
        {-2147483648.4L, kMin, kMin, -2147483648LL},
        {4294967296.5L, kMax, kMax, 4294967296LL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Round(c.x), c.round) << static_cast<double>(c.x);
        EXPECT_EQ(Trunc(c.x), c.trunc) << static_cast<double>(c.x);
        EXPECT_EQ(Round64(c.x), c.round64) << static_cast<double>(c.x);
    }
}

TEST(ExtremeValues, ScalerOffsetsAtTheLimits) {
    TScaler s;
    s.Reset(kResetUnit);
    s.SetDeviceOffsetX(kMax);
    s.SetPhysicalOffsetX(kMax);  // the sum of the two offsets saturates
    EXPECT_EQ(s.PixelOffsetX, kMax);
    EXPECT_EQ(s.MMToPixelX(0), -kMax);
    EXPECT_EQ(s.MMToPixelX(-3e9f), kMin);
    s.SetDeviceOffsetY(kMin);
    s.SetPhysicalOffsetY(-1);
    EXPECT_EQ(s.PixelOffsetY, kMin);
    EXPECT_EQ(s.MMToPixelY(0), kMax);
    EXPECT_EQ(s.MMToPixelY(3e38f), kMax);
    EXPECT_EQ(s.MMToPixelY(-3e38f), kMin);  // far below, whatever the offset
    s.SetZoom(1e30f);
    EXPECT_EQ(s.MMToPixelX(1), kMax);
    EXPECT_EQ(s.MMToPixelY(std::numeric_limits<float>::quiet_NaN()), kMax);  // NaN is 0 before the offset
    EXPECT_EQ(s.MMToPixel(1), kMax);
    // Rounding still comes before the offset: 2.5 rounds to 2, less 1.
    TScaler ties;
    ties.Reset(kResetUnit);
    ties.SetDeviceOffsetX(1);
    EXPECT_EQ(ties.MMToPixelX(2.5f), 1);
}

TEST(ExtremeValues, PointsTurnedByAnyAngleStayInRange) {
    const TPoint far{kMax, kMin};
    for (double angle : {kNaN, kInf, -kInf, 45.0, 180.0, 1e300}) {
        SCOPED_TRACE(angle);
        const TPoint p = RotatePointAbout(far, {kMin, kMax}, angle);
        EXPECT_TRUE(p.x >= kMin && p.y <= kMax);
    }
    // An angle that is no number turns nothing.
    EXPECT_EQ(RotatePointAbout({10, 20}, {0, 0}, kNaN), (TPoint{10, 20}));
    EXPECT_EQ(RotatePointAbout({kMax, 0}, {kMin, 0}, 180), (TPoint{kMin, 0}));
    EXPECT_EQ(AddPoints({kMax, kMin}, {1, -1}), (TPoint{kMax, kMin}));
    EXPECT_EQ(SubtractPoints({kMin, kMax}, {1, -1}), (TPoint{kMin, kMax}));
    EXPECT_EQ(LerpPoint({kMin, kMin}, {kMax, kMax}, 1), (TPoint{kMax, kMax}));

    TTransformation t;
    t.Scale(1e9f, -1e9f);
    int32_t x = 0, y = 0;
    t.MapPixel(kMax, kMax, x, y);
    EXPECT_EQ(x, kMax);
    EXPECT_EQ(y, kMin);
}

TEST(ExtremeValues, TextBlocksInRectanglesAtTheLimits) {
    const uint8_t flagSets[] = {wtLeft | wtTop, wtCenter | wtVCenter, wtRight | wtBottom, wtJustify | wtTop,
                                wtCenter | wtBottom | wtMeasureOnly};
    for (const gdi::Rect& rect : kExtremeRects) {
        for (uint8_t flags : flagSets) {
            for (double angle : {0.0, 30.0, kNaN}) {
                FixedMetricCanvas canvas;
                TWrappedTextResult result;
                const int32_t height =
                    DrawWrappedTextRotated(canvas, "AAA BBB CCC\r\n\r\nDD EE FF GG", rect, result, flags, angle);
                EXPECT_GE(height, 0) << rect.left << " " << rect.top << " " << int(flags);
            }
        }
        for (int32_t vertical = 0; vertical <= 2; ++vertical) {
            for (int32_t horizontal = 0; horizontal <= 3; ++horizontal) {
                FixedMetricCanvas canvas;
                const int32_t height = DrawJustifiedText(canvas, "AAA BBB CCC\r\nD E F G H I", rect, vertical, horizontal);
                EXPECT_GE(height, 0);
            }
        }
    }
    // A justified line of one gap in a rectangle as wide as the range.
    const std::vector<int32_t> advances = JustifiedAdvances(u"A B", std::vector<int32_t>{10, 10, 10}, kMax);
    EXPECT_EQ(advances[1], kMax);
}

TEST(ExtremeValues, CircleTextStarsAndEllipsesAtTheLimits) {
    for (const gdi::Rect& rect : kExtremeRects) {
        for (int32_t mode : {kCircleTextUpper, kCircleTextLower}) {
            for (bool rotatedFonts : {true, false}) {
                FixedMetricCanvas canvas;
                TCircleTextGeometry geometry;
                DrawTextOnCircle(canvas, rect, mode, 30, "Rund", 1, geometry, rotatedFonts);
            }
        }
    }
    gdi::RecordingCanvas canvas;
    for (gdi::Point centre : {gdi::Point{kMax, kMax}, gdi::Point{kMin, kMin}, gdi::Point{kMin, kMax}}) {
        DrawRoundedStar(canvas, 5, centre.x, centre.y, kMax, kMax / 2, 100);
        DrawRoundedStar(canvas, 5, centre.x, centre.y, kMin, kMin, kMin);
        DrawBezierEllipse(canvas, centre.x, centre.y, kMax, kMax);
        DrawBezierEllipse(canvas, centre.x, centre.y, kMin, kMin);
    }
    EXPECT_EQ(PolarPointInt(1e300, 0), (gdi::Point{kMax, 0}));
    EXPECT_EQ(PolarPointInt(kNaN, 0), (gdi::Point{0, 0}));

    TScaleCanvas sc(&canvas);
    sc.Reset(kResetUnit);
    sc.Ellipse(-3e9f, -3e9f, 3e9f, 3e9f);
    sc.EllipseBezier(-3e9f, -3e9f, 3e9f, 3e9f);
    sc.SetFontAngle(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(canvas.font().escapement, 0);
}
