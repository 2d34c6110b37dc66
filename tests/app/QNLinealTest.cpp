// The ruler: its scale, the inverting mark and snapping.
#include "app/QNLineal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(RulerScale, StartsLeftOfTheRulerWithRoundedTicksAndTruncatedLabels) {
    // 96 pixels per inch at zoom 1, the zero 45 pixels in.
    const TRulerScale s = ComputeRulerScale(378, 45, false, 150);
    EXPECT_EQ(s.majorTicks, (std::vector<int32_t>{-31, 7, 45, 82, 120}));
    const std::vector<TRulerScale::Label> labels = {{-31, -2}, {6, -1}, {44, 0}, {82, 1}, {120, 2}};
    EXPECT_EQ(s.labels, labels);
    // Three minor ticks between the first two major ones: -31 + 9.45, 18.9, 28.35.
    ASSERT_GE(s.minorTicks.size(), 3u);
    EXPECT_EQ((std::vector<int32_t>(s.minorTicks.begin(), s.minorTicks.begin() + 3)), (std::vector<int32_t>{-22, -12, -3}));
}

TEST(RulerScale, StepsFollowTheScaleAndTheUnit) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double pixPerdm;
        bool inch;
        double step;
        std::vector<int32_t> firstLabels;
    } cases[] = {
        {378, false, 37.8, {0, 1, 2}},      // a labelled tick every centimetre
        {189, false, 94.5, {0, 5, 10}},     // zoom 0.5: every 5 cm
        {201, false, 20.1, {0, 1, 2}},
        {200, false, 100, {0, 5, 10}},
        {378, true, 96.012, {0, 1, 2}},     // inches: 960.12 pixels per 10 inches
        {75.6, true, 96.012, {0, 5, 10}},   // zoom 0.2 in inches: 192.024 -> every 5 inches
        {0, false, 0, {}},                  // no scale: nothing, and no endless loop
        {-40, false, 0, {}},
        {nan, false, 0, {}},
    };
    for (const auto& c : cases) {
        const TRulerScale s = ComputeRulerScale(c.pixPerdm, 0, c.inch, 400);
        std::vector<int32_t> values;
        for (size_t i = 0; i < s.labels.size() && i < 3; ++i) values.push_back(s.labels[i].value);
        EXPECT_NEAR(s.majorStep, c.step, 1e-9) << c.pixPerdm;
        EXPECT_EQ(values, c.firstLabels) << c.pixPerdm;
        EXPECT_EQ(s.majorTicks.empty(), c.step == 0);
    }
    // Far from the ruler's start the scale is found without walking every step.
    const TRulerScale far = ComputeRulerScale(378, 2000000000, false, 100);
    ASSERT_FALSE(far.labels.empty());
    EXPECT_LE(far.labels.front().position, 0);
    const TRulerScale left = ComputeRulerScale(378, -2000000000, false, 100);
    ASSERT_FALSE(left.majorTicks.empty());
    EXPECT_GT(left.majorTicks.front(), -2 * 38);
}

namespace {

int InvertedColumns(const QImage& now, const QImage& before, int row) {
    int n = 0;
    for (int x = 0; x < now.width(); ++x)
        if (now.pixel(x, row) != before.pixel(x, row)) ++n;
    return n;
}

}  // namespace

TEST(QNLineal, TheMarkIsDrawnByInvertingAndForgottenWhenTheScaleRepaints) {
    TQNLineal ruler;
    ruler.resize(300, 20);
    ruler.SetPixPerdm(378);
    ruler.SetStartNull(45);
    const QImage clean = ruler.PresentedFrame().copy();

    ruler.UpdateCursorMarkAt(QPoint(40, 5));
    EXPECT_EQ(ruler.CursorMark(), 40);
    const QImage marked = ruler.PresentedFrame().copy();
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(marked.pixel(40, y), ~clean.pixel(40, y) | 0xFF000000u) << y;
        EXPECT_EQ(InvertedColumns(marked, clean, y), 1);
    }
    ruler.UpdateCursorMarkAt(QPoint(60, 5));
    EXPECT_EQ(ruler.PresentedFrame().pixel(40, 3), clean.pixel(40, 3));
    EXPECT_NE(ruler.PresentedFrame().pixel(60, 3), clean.pixel(60, 3));
    ruler.HideCursorMark();
    EXPECT_EQ(ruler.CursorMark(), -1);
    EXPECT_EQ(ruler.PresentedFrame(), clean);

    // A new scale repaints: the old mark is not erased a second time.
    ruler.UpdateCursorMarkAt(QPoint(40, 5));
    ruler.SetStartNull(45);
    ruler.UpdateCursorMarkAt(QPoint(60, 5));
    for (int y = 0; y < 20; ++y) EXPECT_EQ(InvertedColumns(ruler.PresentedFrame(), clean, y), 1);

    // A vertical ruler marks rows; a ruler without a scale still paints.
    TQNLineal vertical;
    vertical.SetOrientation(TLinealOrientation::LOVertikal);
    vertical.resize(20, 200);
    vertical.SetPixPerdm(0);
    const QImage plain = vertical.PresentedFrame().copy();
    vertical.UpdateCursorMarkAt(QPoint(5, 70));
    for (int x = 0; x < 20; ++x) EXPECT_NE(vertical.PresentedFrame().pixel(x, 70), plain.pixel(x, 70));
    EXPECT_EQ(vertical.PresentedFrame().pixel(5, 71), plain.pixel(5, 71));
}

TEST(QNLineal, TheMarkSnapsToTheGridFromTheZero) {
    TQNLineal ruler;
    ruler.SetPixPerdm(378);
    ruler.SetStartNull(45);
    ruler.RasterWeite = 5;  // 18.9 pixels
    const struct {
        bool snap;
        int32_t at, result;
    } cases[] = {{false, 60, 60}, {true, 60, 64}, {true, 45, 45}, {true, 30, 26}, {true, 54, 45}, {true, 55, 64}};
    for (const auto& c : cases) {
        ruler.Rasten = c.snap;
        EXPECT_EQ(ruler.SnapToRaster(c.at), c.result) << c.at;
    }
    ruler.RasterWeite = 0;
    EXPECT_EQ(ruler.SnapToRaster(60), 60);
    ruler.RasterWeite = 5;
    ruler.resize(200, 20);
    ruler.UpdateCursorMarkAt(QPoint(60, 3));
    EXPECT_EQ(ruler.CursorMark(), 64);
}
