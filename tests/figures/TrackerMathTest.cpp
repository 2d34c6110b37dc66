#include "figures/TrackerMath.h"

#include "figures/Rasten.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// 4 pixels per millimetre; the grid step 1 mm unless a test sets another.
class TrackerMathTest : public ::testing::Test {
protected:
    TrackerMathTest() {
        scaler.SetResolutionX(4);
        scaler.SetResolutionY(4);
        SetGridX(1);
    }
    ~TrackerMathTest() override { RasterWeite = savedGrid_; }

    static TTrackGeometry Box(float angle = 0) { return {50, 50, 40, 20, angle, -1}; }

    TCustomScaler scaler;

private:
    double savedGrid_ = RasterWeite;
};

void ExpectGeometry(const TTrackGeometry& g, float cx, float cy, float w, float h, const char* what) {
    EXPECT_NEAR(g.CenterX, cx, 1e-4) << what;
    EXPECT_NEAR(g.CenterY, cy, 1e-4) << what;
    EXPECT_NEAR(g.Width, w, 1e-4) << what;
    EXPECT_NEAR(g.Height, h, 1e-4) << what;
}

TFloatPoint Turned(float x, float y, float cx, float cy, double angle) {
    return RotateFloatPointAbout({x, y}, {cx, cy}, angle);
}

}  // namespace

TEST_F(TrackerMathTest, HandlePlaces) {
    const TRectHandlePoints h = ComputeRectHandles(Box(), {}, scaler);
    // The box spans 120..280 x 160..240 pixels.
    const TPoint expected[9] = {{113, 153}, {287, 153}, {287, 247}, {113, 247}, {200, 153},
                                {287, 200}, {200, 247}, {113, 200}, {305, 200}};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(h.Rotated[i], expected[i]) << i;
        EXPECT_EQ(h.Unrotated[i], expected[i]) << i;
    }
    EXPECT_EQ(h.Bounds, (TRect{113, 153, 305, 247}));
    EXPECT_EQ(h.AdjustCount, 0);

    const TRectHandlePoints turned = ComputeRectHandles(Box(90), {}, scaler);
    EXPECT_EQ(turned.Rotated[8], (TPoint{200, 305}));  // the rotation handle now points down
    EXPECT_EQ(turned.Rotated[0], (TPoint{247, 113}));
    EXPECT_EQ(turned.Bounds, (TRect{153, 113, 247, 305}));
}

TEST_F(TrackerMathTest, HandleHitsWithinFourPixels) {
    const TRectHandlePoints h = ComputeRectHandles(Box(), {}, scaler);
    struct Case {
        TPoint p;
        uint8_t flags;
        int32_t mode;
        TPoint grab;
    };
    const Case cases[] = {
        {{113 + 4, 153 + 4}, 7, kTrackTopLeft, {0, 0}},
        {{113 - 4, 153 - 4}, 7, kTrackTopLeft, {0, 0}},
        {{113 + 5, 153}, 7, kTrackNone, {0, 0}},
        {{113, 153 - 5}, 7, kTrackNone, {0, 0}},
        {{287, 247}, 7, kTrackBottomRight, {0, 0}},
        {{200 + 4, 153 - 4}, 7, kTrackTop, {0, 0}},
        {{113, 200}, 7, kTrackLeft, {0, 0}},
        {{305 + 4, 200 - 4}, 7, kTrackRotate, {4, -4}},
        {{305 + 5, 200}, 7, kTrackNone, {0, 0}},
        {{200, 153}, 5, kTrackNone, {0, 0}},     // edges off
        {{113, 153}, 6, kTrackNone, {0, 0}},     // corners off
        {{305, 200}, 3, kTrackNone, {0, 0}},     // rotation off
        {{200, 200}, 7, kTrackNone, {0, 0}},
    };
    for (const Case& c : cases) {
        TPoint grab{99, 99};
        EXPECT_EQ(HitRectHandle(h, c.flags, c.p, grab), c.mode) << c.p.x << "," << c.p.y << " flags " << int(c.flags);
        EXPECT_EQ(grab, c.grab) << c.p.x << "," << c.p.y;
    }
    EXPECT_TRUE(NearHandle({4, -4}, {0, 0}));
    EXPECT_FALSE(NearHandle({5, 0}, {0, 0}));
    EXPECT_FALSE(NearHandle({0, -5}, {0, 0}));
}

TEST_F(TrackerMathTest, CursorsFollowTheTurn) {
    struct Case {
        float angle;
        int32_t cursors[8];
    };
    const Case cases[] = {
        {0, {212, 214, 212, 214, 211, 213, 211, 213}},
        {90, {214, 212, 214, 212, 213, 211, 213, 211}},
        {30, {211, 213, 211, 213, 214, 212, 214, 212}},
    };
    for (const Case& c : cases) {
        const TTrackGeometry g = Box(c.angle);
        const TRectHandlePoints h = ComputeRectHandles(g, {}, scaler);
        for (int mode = 0; mode < 8; ++mode)
            EXPECT_EQ(RectHandleCursor(h, DeviceCenter(g, scaler), mode), c.cursors[mode]) << c.angle << " " << mode;
        EXPECT_EQ(RectHandleCursor(h, DeviceCenter(g, scaler), kTrackRotate), 200);
        EXPECT_EQ(RectHandleCursor(h, DeviceCenter(g, scaler), kTrackAdjust + 2), 210);
        EXPECT_EQ(RectHandleCursor(h, DeviceCenter(g, scaler), kTrackNone), 0);
    }
}

// The drags of a 40 x 20 box centred at (50, 50).
TEST_F(TrackerMathTest, SizingDrags) {
    struct Case {
        const char* what;
        double grid;
        int32_t mode;
        float du, dv;
        bool shift;
        float cx, cy, w, h;
    };
    const Case cases[] = {
        {"top-left by (-10, +4): proportion kept, bottom-right stays", 1, kTrackTopLeft, -10, 4, false, 54, 52, 32, 16},
        {"the same with Shift: about the centre", 1, kTrackTopLeft, -10, 4, true, 50, 50, 24, 12},
        {"bottom-right by (+20, 0): the smaller change wins", 1, kTrackBottomRight, 20, 0, false, 50, 50, 40, 20},
        {"bottom-right by (+20, +10)", 1, kTrackBottomRight, 20, 10, false, 60, 55, 60, 30},
        {"right edge: height and left edge stay", 1, kTrackRight, 12, 7, false, 56, 50, 52, 20},
        {"left edge", 1, kTrackLeft, -3, 0, false, 48.5f, 50, 43, 20},
        {"top edge", 1, kTrackTop, 9, -5, false, 50, 47.5f, 40, 25},
        {"bottom edge with Shift", 1, kTrackBottom, 0, 3, true, 50, 50, 40, 26},
        {"bottom-right past the top-left corner", 1, kTrackBottomRight, -50, -30, false, 20, 35, 20, 10},
        {"grid 5: 52.5 snaps to 50", 5, kTrackRight, 12.5f, 0, false, 55, 50, 50, 20},
        {"grid 5: 57.5 snaps to 60", 5, kTrackRight, 17.5f, 0, false, 60, 50, 60, 20},
        {"grid 1: sizes snap, not positions", 1, kTrackRight, 0.4f, 0, false, 50, 50, 40, 20},
    };
    for (const Case& c : cases) {
        SetGridX(c.grid);
        ExpectGeometry(SizeTrackGeometry(Box(), c.mode, c.du, c.dv, c.shift), c.cx, c.cy, c.w, c.h, c.what);
    }
}

TEST_F(TrackerMathTest, SizingATurnedFrameKeepsTheOppositeSideInPlace) {
    const TTrackGeometry saved = Box(30);
    const TTrackGeometry edge = SizeTrackGeometry(saved, kTrackRight, 10, 0, false);
    const TFloatPoint leftMid = Turned(50 + 5, 50, 50, 50, 30);  // the centre moves 5 mm along the turned x axis
    ExpectGeometry(edge, leftMid.X, leftMid.Y, 50, 20, "right edge at 30 degrees");
    EXPECT_NEAR(edge.CenterX, 50 + 5 * std::cos(M_PI / 6), 1e-4);
    EXPECT_NEAR(edge.CenterY, 50 + 5 * std::sin(M_PI / 6), 1e-4);
    EXPECT_EQ(edge.Angle, 30);

    const TTrackGeometry corner = SizeTrackGeometry(saved, kTrackTopLeft, -10, 4, false);
    EXPECT_NEAR(corner.Width, 32, 1e-4);
    EXPECT_NEAR(corner.Height, 16, 1e-4);
    const TFloatPoint oldBottomRight = Turned(70, 60, 50, 50, 30);
    const TFloatPoint newBottomRight = Turned(corner.CenterX + 16, corner.CenterY + 8, corner.CenterX, corner.CenterY, 30);
    EXPECT_NEAR(newBottomRight.X, oldBottomRight.X, 1e-4);
    EXPECT_NEAR(newBottomRight.Y, oldBottomRight.Y, 1e-4);
}

TEST_F(TrackerMathTest, KeepAspect) {
    float w = 50, h = 16;
    KeepAspect(40, 20, w, h);
    EXPECT_FLOAT_EQ(w, 32);
    w = 44, h = 30;
    KeepAspect(40, 20, w, h);
    EXPECT_FLOAT_EQ(h, 22);
    w = 7, h = 9;
    KeepAspect(0, 20, w, h);  // a saved zero leaves both
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 9);
}

TEST_F(TrackerMathTest, RotationStepsByDistance) {
    struct Case {
        double distance;
        float step;
        int32_t cursor;
    };
    // A screen 1600 pixels wide: c = 100.
    const Case cases[] = {
        {0, 15, 201},   {119.9, 15, 201}, {120, 10, 202}, {219, 10, 202}, {220, 5, 203},
        {319, 5, 203},  {320, 1, 204},    {419, 1, 204},  {420, 0.1f, 205}, {5000, 0.1f, 205},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RotationStep(c.distance, 1600), c.step) << c.distance;
        EXPECT_EQ(RotationStepCursor(RotationStep(c.distance, 1600)), c.cursor) << c.distance;
    }
    EXPECT_EQ(RotationStep(19, 15), 15);  // c = 0 on a tiny screen: 15 or 0.1
    EXPECT_EQ(RotationStep(25, 15), 0.1f);
}

TEST_F(TrackerMathTest, RotationDrag) {
    const TTrackGeometry saved = Box();
    TRotationDrag d;
    d.DeviceCenter = {200, 200};
    d.ScreenWidth = 1600;
    d.Start = {307, 201};
    d.GrabOffset = {2, 1};
    struct Case {
        TPoint handle;  // the mouse less the grab offset
        bool ctrl;
        float angle, step;
    };
    const Case cases[] = {
        {{270, 250}, false, 30, 15},       // 35.7 degrees near the centre: 15 degree steps
        {{270, 250}, true, 35.7f, 0.1f},   // Ctrl: 0.1 degrees whatever the distance
        {{305, 200}, false, 0, 15},
        {{200, 330}, false, 90, 10},       // straight down, 130 pixels away
        {{100, 200}, false, 180, 15},
        {{200, 100}, false, -90, 15},      // angles outside [0, 360) stay for the figure to wrap
        {{200 + 429, 200 + 248}, false, 30.1f, 0.1f},
    };
    for (const Case& c : cases) {
        d.Mouse = AddPoints(c.handle, d.GrabOffset);
        d.Ctrl = c.ctrl;
        float step = 0;
        const TTrackGeometry g = RotateTrackGeometry(saved, d, scaler, &step);
        EXPECT_NEAR(g.Angle, c.angle, 1e-3) << c.handle.x << "," << c.handle.y;
        EXPECT_EQ(step, c.step) << c.handle.x << "," << c.handle.y;
        ExpectGeometry(g, 50, 50, 40, 20, "the size stays without Shift");
    }
    // Shift scales with the distance: 100 pixels further out is 25 mm on each side.
    d.Start = {305, 200};
    d.GrabOffset = {0, 0};
    d.Mouse = {405, 200};
    d.Ctrl = false;
    d.Shift = true;
    const TTrackGeometry scaled = RotateTrackGeometry(saved, d, scaler);
    ExpectGeometry(scaled, 50, 50, 90, 45, "Shift");
    d.Mouse = {205, 200};  // back over the centre: the width turns over and stays positive
    const TTrackGeometry flipped = RotateTrackGeometry(saved, d, scaler);
    ExpectGeometry(flipped, 50, 50, 10, 5, "Shift inwards");
}

TEST_F(TrackerMathTest, AdjustHandles) {
    THotTrackData data;
    data.Count = 2;
    data.Entries[0] = {kHotTrackCartesian, 0.25f, -0.5f, 0.5f, 0.25f, -0.5f, 0.5f};
    data.Entries[1] = {kHotTrackPolar, 0.5f, 0, 1, 90, -180, 180};
    const TRectHandlePoints h = ComputeRectHandles(Box(), data, scaler);
    EXPECT_EQ(h.AdjustCount, 2);
    EXPECT_EQ(h.Adjust[0], (TPoint{240, 220}));
    EXPECT_EQ(h.Adjust[1], (TPoint{200, 240}));
    TPoint grab;
    EXPECT_EQ(HitRectHandle(h, 7, {203, 237}, grab), kTrackAdjust + 1);
    EXPECT_EQ(grab, (TPoint{3, -3}));

    struct Case {
        const char* what;
        int entry;
        float angle;
        TFloatPoint mouse;
        float v1, v2;
    };
    const Case cases[] = {
        {"cartesian", 0, 0, {60, 55}, 0.25f, 0.25f},
        {"cartesian clamped", 0, 0, {100, 20}, 0.5f, -0.5f},
        {"cartesian in a turned frame", 0, 90, {50, 60}, 0.25f, 0},
        {"polar below", 1, 0, {50, 60}, 0.5f, 90},
        {"polar above", 1, 0, {50, 40}, 0.5f, -90},
        {"polar radius clamped", 1, 0, {100, 50}, 1, 0},
    };
    for (const Case& c : cases) {
        const THotTrackEntry e = TrackAdjustEntry(data.Entries[c.entry], c.mouse, Box(c.angle));
        EXPECT_NEAR(e.Value1, c.v1, 1e-5) << c.what;
        EXPECT_NEAR(e.Value2, c.v2, 1e-4) << c.what;
        EXPECT_EQ(e.Min2, data.Entries[c.entry].Min2) << c.what;
    }
    // The angle is brought up to the minimum by whole turns, then clamped.
    const THotTrackEntry upper{kHotTrackPolar, 0.5f, 0, 1, 0, 180, 360};
    EXPECT_NEAR(TrackAdjustEntry(upper, {50, 40}, Box()).Value2, 270, 1e-4);  // -90 + 360
    // A damaged record with a far-off minimum ends at once.
    const THotTrackEntry damaged{kHotTrackPolar, 0.5f, 0, 1, 0, 1e30f, 2e30f};
    EXPECT_EQ(TrackAdjustEntry(damaged, {50, 40}, Box()).Value2, 1e30f);
    // A stored count beyond eight entries uses the eight there are.
    data.Count = 1000;
    EXPECT_EQ(ComputeRectHandles(Box(), data, scaler).AdjustCount, 8);
}

TEST_F(TrackerMathTest, LineEndDrags) {
    const TLineTrackGeometry saved{10, 10, 30, 20, 0};
    const TLineTrackGeometry second = DragLineEnd(saved, 1, 2.4f, -0.6f);
    EXPECT_EQ(second.X2, 32);
    EXPECT_EQ(second.Y2, 19);
    EXPECT_EQ(second.X1, 10);
    const TLineTrackGeometry first = DragLineEnd(saved, 0, 2.5f, -1.5f);
    EXPECT_EQ(first.X1, 12);  // 12.5 snaps to 12
    EXPECT_EQ(first.Y1, 8);   // 8.5 snaps to 8
    EXPECT_EQ(first.X2, 30);
}

TEST_F(TrackerMathTest, RotatedBoxPoints) {
    const auto points = RotatedBoxPoints(Box(), scaler);
    EXPECT_EQ(points[0], (TPoint{120, 160}));
    EXPECT_EQ(points[2], (TPoint{280, 240}));
    EXPECT_EQ(points[4], points[0]);
    const auto turned = RotatedBoxPoints(Box(90), scaler);
    EXPECT_EQ(turned[0], (TPoint{240, 120}));
    EXPECT_TRUE(SameGeometry(Box(), Box()));
    TTrackGeometry other = Box();
    other.Mode = 5;
    EXPECT_TRUE(SameGeometry(Box(), other));  // the mode does not count
    other.Angle = 0.1f;
    EXPECT_FALSE(SameGeometry(Box(), other));
}
