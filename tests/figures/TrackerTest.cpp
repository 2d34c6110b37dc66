// The trackers on a scripted drawing surface: an off-screen bitmap at 4
// pixels per millimetre and a drag loop that plays a list of events.
#include "figures/Tracker.h"

#include "figures/Rasten.h"
#include "foundation/Exceptions.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/BitmapCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <functional>
#include <vector>

namespace {

using Kind = TDragEvent::Kind;

gdi::Brush SolidBrush(gdi::Color color) {
    gdi::Brush brush;
    brush.color = color;
    return brush;
}

class ScriptedSurface : public TTrackerSurface {
public:
    ScriptedSurface() : image(400, 300), scale(&image) {
        scale.Reset(kResetUnit);
        scale.SetResolutionX(4);
        scale.SetResolutionY(4);
        // Something to draw over: the feedback must give it back unchanged.
        image.FillRect({0, 0, 400, 300}, SolidBrush(0x3366CC));
        image.FillRect({100, 100, 250, 220}, SolidBrush(0x00C0FF));
    }

    TScaleCanvas& GetScaleCanvas() override { return scale; }
    void InvalidateRect(const TRect& r) override { invalidated.push_back(r); }
    void ShowFeedback(const TRect& r) override { shown.push_back(r); }
    int32_t GetCursor() const override { return cursor; }
    void SetCursor(int32_t id) override {
        cursor = id;
        cursors.push_back(id);
    }
    void ReleaseMouseCapture() override { ++releases; }
    uint32_t KeyboardShiftState() const override { return keyboard; }
    int32_t ScreenWidth() const override { return 1600; }
    void RunDragLoop(const std::function<bool(const TDragEvent&)>& handler) override {
        while (!script.empty()) {
            const TDragEvent e = script.front();
            script.pop_front();
            if (beforeEvent) beforeEvent(e);
            if (handler(e)) return;
        }
    }
    void LoadCursors(std::span<const int32_t> ids) override { loaded.assign(ids.begin(), ids.end()); }

    std::vector<uint32_t> Pixels() const {
        const QImage& img = image.bitmap().image();
        std::vector<uint32_t> pixels;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) pixels.push_back(image.bitmap().Pixel(x, y));
        return pixels;
    }
    gdi::Color Pixel(int x, int y) const { return image.bitmap().Pixel(x, y); }

    gdi::BitmapCanvas image;
    TScaleCanvas scale;
    std::deque<TDragEvent> script;
    std::function<void(const TDragEvent&)> beforeEvent;
    std::vector<TRect> invalidated, shown;
    int32_t cursor = 17;
    std::vector<int32_t> cursors, loaded;
    int releases = 0;
    uint32_t keyboard = kLeftButton;
};

class TrackerTest : public ::testing::Test {
protected:
    TrackerTest() : tracker(surface) {
        SetGridX(1);
        tracker.SetGeometry({50, 50, 40, 20, 0, -1});
        tracker.OnBeginTrack = [this](TCustomTracker&) { calls.push_back("begin"); };
        tracker.OnEndTrack = [this](TCustomTracker&) { calls.push_back("end"); };
        tracker.OnApply = [this](TRectTracker&, const TTrackGeometry& g) {
            calls.push_back("apply");
            applied.push_back(g);
        };
    }
    ~TrackerTest() override { RasterWeite = savedGrid_; }

    void Move(int x, int y, uint32_t shift = kLeftButton) { surface.script.push_back({Kind::Move, {x, y}, shift}); }
    void Keys(uint32_t shift) { surface.script.push_back({Kind::KeyState, {}, shift}); }
    void Up(int x, int y, uint32_t shift = 0) { surface.script.push_back({Kind::ButtonUp, {x, y}, shift}); }

    ScriptedSurface surface;
    TRectTracker tracker;
    std::vector<std::string> calls;
    std::vector<TTrackGeometry> applied;

private:
    double savedGrid_ = RasterWeite;
};

void ExpectGeometry(const TTrackGeometry& g, float cx, float cy, float w, float h, float angle = 0) {
    EXPECT_NEAR(g.CenterX, cx, 1e-4);
    EXPECT_NEAR(g.CenterY, cy, 1e-4);
    EXPECT_NEAR(g.Width, w, 1e-4);
    EXPECT_NEAR(g.Height, h, 1e-4);
    EXPECT_NEAR(g.Angle, angle, 1e-3);
}

}  // namespace

TEST_F(TrackerTest, CornerDragWithAndWithoutShift) {
    const auto before = surface.Pixels();
    Move(113 - 40, 153 + 16);  // the top-left handle by (-10, +4) mm
    Up(113 - 40, 153 + 16);
    EXPECT_TRUE(tracker.MouseDown(113, 153));
    ASSERT_EQ(applied.size(), 1u);
    ExpectGeometry(applied[0], 54, 52, 32, 16);
    EXPECT_EQ(applied[0].Mode, kTrackTopLeft);
    EXPECT_EQ(calls, (std::vector<std::string>{"begin", "apply", "end"}));
    EXPECT_EQ(surface.releases, 1);
    EXPECT_EQ(tracker.Mode, kTrackNone);
    EXPECT_EQ(tracker.DragStartBounds, (TRect{113, 153, 305, 247}));
    EXPECT_TRUE(surface.Pixels() == before) << "the feedback frame was left behind";
    EXPECT_FALSE(surface.shown.empty());

    tracker.SetGeometry({50, 50, 40, 20, 0, -1});
    Move(113 - 40, 153 + 16, kLeftButton | kShiftKey);
    Up(113 - 40, 153 + 16, kShiftKey);
    EXPECT_TRUE(tracker.MouseDown(113, 153));
    ExpectGeometry(applied.back(), 50, 50, 24, 12);
}

TEST_F(TrackerTest, TheFeedbackFrameShowsWhileDragging) {
    const auto before = surface.Pixels();
    // Frames are drawn with the not-XOR mix in blue over the light figure.
    const gdi::Color under = 0x00C0FF;
    const gdi::Color frame = ~(0xFF0000u ^ under) & 0xFFFFFFu;
    int checked = 0;
    surface.beforeEvent = [&](const TDragEvent& e) {
        ++checked;
        if (e.kind == Kind::Move) {  // the start frame: corner (30, 40) mm
            EXPECT_EQ(surface.Pixel(120, 160), frame);
            EXPECT_EQ(surface.Pixel(152, 176), under);
        } else {  // the new frame: corner (38, 44) mm; the start frame is gone
            EXPECT_EQ(surface.Pixel(120, 160), under);
            EXPECT_EQ(surface.Pixel(152, 176), frame);
        }
    };
    Move(113 - 40, 153 + 16);
    Up(113 - 40, 153 + 16);
    tracker.MouseDown(113, 153);
    EXPECT_EQ(checked, 2);
    EXPECT_TRUE(surface.Pixels() == before);
}

// Shift and Ctrl act the moment they change, without a mouse move.
TEST_F(TrackerTest, ShiftPressedAndReleasedDuringTheDrag) {
    std::vector<TTrackGeometry> states;
    surface.beforeEvent = [&](const TDragEvent&) { states.push_back(tracker.Geometry); };
    Move(73, 169);
    Keys(kShiftKey);
    Keys(kShiftKey);  // no change: nothing happens
    Keys(0);
    Keys(kShiftKey);
    Up(73, 169, kShiftKey);
    tracker.MouseDown(113, 153);
    ASSERT_EQ(states.size(), 6u);
    ExpectGeometry(states[1], 54, 52, 32, 16);  // after the move
    ExpectGeometry(states[2], 50, 50, 24, 12);  // Shift down
    ExpectGeometry(states[4], 54, 52, 32, 16);  // Shift up
    ExpectGeometry(applied.back(), 50, 50, 24, 12);
    EXPECT_TRUE(surface.script.empty());
}

TEST_F(TrackerTest, AClickWithoutMovingAppliesTheUnchangedGeometry) {
    const auto before = surface.Pixels();
    Up(287, 200);
    EXPECT_TRUE(tracker.MouseDown(287, 200));
    ASSERT_EQ(applied.size(), 1u);
    ExpectGeometry(applied[0], 50, 50, 40, 20);
    EXPECT_EQ(applied[0].Mode, kTrackRight);
    EXPECT_TRUE(surface.Pixels() == before);
    // Away from every handle nothing happens at all.
    EXPECT_FALSE(tracker.MouseDown(200, 200));
    EXPECT_EQ(applied.size(), 1u);
}

TEST_F(TrackerTest, LostCaptureAndCancelEndTheDragWithTheResult) {
    Move(287 + 48, 200);  // the right edge by 12 mm
    surface.script.push_back({Kind::CaptureLost, {}, 0});
    Move(400, 400);  // never seen
    tracker.MouseDown(287, 200);
    ExpectGeometry(applied.back(), 56, 50, 52, 20);
    EXPECT_EQ(surface.releases, 0);  // the capture is gone already
    surface.script.clear();

    tracker.SetGeometry({50, 50, 40, 20, 0, -1});
    Move(287 + 48, 200);
    surface.script.push_back({Kind::Cancel, {}, 0});
    tracker.MouseDown(287, 200);
    ExpectGeometry(applied.back(), 56, 50, 52, 20);
    EXPECT_EQ(surface.releases, 1);

    tracker.SetGeometry({50, 50, 40, 20, 0, -1});
    Move(287 + 48, 200);  // a loop that stops without a word
    tracker.MouseDown(287, 200);
    EXPECT_EQ(applied.size(), 3u);
    EXPECT_EQ(calls.back(), "end");
}

// A callback that fails ends the drag: the grab and the cursor are given
// back, the tracker is idle again, and the exception reaches the caller.
// Escape: the feedback goes, the geometry is the one the drag began with,
// nothing is applied, and the figure hears of the end (to drop its undo step).
TEST_F(TrackerTest, AbandonedDragsLeaveEverythingAsItWas) {
    tracker.AdjustHandles.Count = 1;
    tracker.AdjustHandles.Entries[0] = {kHotTrackCartesian, 0.25f, -0.5f, 0.5f, 0.25f, -0.5f, 0.5f};
    int adjustEnds = 0;
    tracker.OnAdjustMove = [](TRectTracker&, int32_t, const THotTrackEntry&) {};
    tracker.OnAdjustEnd = [&](TRectTracker&, int32_t, const THotTrackEntry&) { ++adjustEnds; };
    struct Case { const char* what; TPoint grab, to; };
    const Case cases[] = {
        {"corner", {113, 153}, {73, 169}},
        {"edge", {287, 200}, {335, 200}},
        {"rotation", {305, 200}, {250, 100}},
        {"adjust handle", {241, 221}, {261, 221}},
    };
    const auto before = surface.Pixels();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        calls.clear();
        Move(c.to.x, c.to.y);
        surface.script.push_back({Kind::Abandon, {}, 0});
        Move(20, 20);  // never seen
        const int releases = surface.releases;
        EXPECT_TRUE(tracker.MouseDown(c.grab.x, c.grab.y));
        EXPECT_EQ(calls, (std::vector<std::string>{"begin", "end"}));
        EXPECT_TRUE(tracker.Abandoned);
        ExpectGeometry(tracker.Geometry, 50, 50, 40, 20);
        EXPECT_FLOAT_EQ(tracker.AdjustHandles.Entries[0].Value1, 0.25f);
        EXPECT_EQ(surface.releases, releases + 1);
        EXPECT_TRUE(surface.Pixels() == before) << "feedback left behind";
        surface.script.clear();
    }
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(adjustEnds, 0);
    // The next drag that ends normally is not abandoned.
    Up(287, 200);
    tracker.MouseDown(287, 200);
    EXPECT_FALSE(tracker.Abandoned);
    EXPECT_EQ(applied.size(), 1u);

    TLineTracker line(surface);
    line.SetLine({10, 10, 30, 20, 0});
    int lineApplies = 0;
    line.OnApply = [&](TLineTracker&, const TLineTrackGeometry&) { ++lineApplies; };
    surface.script.push_back({Kind::Move, {130, 74}, kLeftButton});
    surface.script.push_back({Kind::Abandon, {}, 0});
    EXPECT_TRUE(line.MouseDown(120, 80));
    EXPECT_EQ(lineApplies, 0);
    EXPECT_EQ(line.Line.X2, 30);
    EXPECT_EQ(line.Line.Y2, 20);
    EXPECT_TRUE(surface.Pixels() == before);
}

TEST_F(TrackerTest, AFailingCallbackEndsTheDragCleanly) {
    struct Case {
        const char* what;
        std::function<void()> arm;
        std::vector<std::string> calls;  // never "end"
    };
    const Case cases[] = {
        {"begin", [this] { tracker.OnBeginTrack = [](TCustomTracker&) { throw Exception("begin"); }; }, {}},
        {"apply", [this] { tracker.OnApply = [](TRectTracker&, const TTrackGeometry&) { throw Exception("apply"); }; },
         {"begin"}},
        {"feedback during a move",
         [this] {
             int frames = 0;
             tracker.OnFeedback = [frames](TRectTracker&, TTrackGeometry&, bool&) mutable {
                 if (++frames > 1) throw Exception("feedback");
             };
         },
         {"begin"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tracker.SetGeometry({50, 50, 40, 20, 0, -1});
        tracker.OnBeginTrack = [this](TCustomTracker&) { calls.push_back("begin"); };
        tracker.OnApply = {};
        tracker.OnFeedback = {};
        c.arm();
        calls.clear();
        surface.releases = 0;
        surface.cursor = 17;
        surface.script.clear();
        Move(335, 200);
        Up(335, 200);
        EXPECT_THROW(tracker.MouseDown(287, 200), Exception);
        EXPECT_EQ(surface.image.GetROP2(), gdi::Rop2::CopyPen);  // the canvas draws normally again
        EXPECT_EQ(tracker.Mode, kTrackNone);
        EXPECT_EQ(surface.releases, 1);
        EXPECT_EQ(surface.cursor, 17);
        EXPECT_EQ(calls, c.calls);
    }
}

TEST_F(TrackerTest, RotationSnapsByDistanceAndCtrl) {
    const auto before = surface.Pixels();
    // Grab the rotation handle (305, 200) 2 pixels to the right and 1 down.
    Move(270 + 2, 250 + 1);
    Keys(kCtrlKey);
    Up(270 + 2, 250 + 1, kCtrlKey);
    tracker.MouseDown(307, 201);
    ExpectGeometry(applied.back(), 50, 50, 40, 20, 35.7f);
    // 15 degree steps near the centre, 0.1 with Ctrl; the cursor said so and is given back.
    EXPECT_EQ(surface.cursors, (std::vector<int32_t>{201, 205, 17}));
    EXPECT_EQ(surface.cursor, 17);
    EXPECT_TRUE(surface.Pixels() == before) << "rotation line or frame left behind";

    tracker.SetGeometry({50, 50, 40, 20, 0, -1});
    Move(272, 251);
    Up(272, 251);
    tracker.MouseDown(307, 201);
    ExpectGeometry(applied.back(), 50, 50, 40, 20, 30);
}

TEST_F(TrackerTest, FrameTurnedBy30Degrees) {
    tracker.SetGeometry({50, 50, 40, 20, 30, -1});
    tracker.UpdateHandles();
    const TPoint right = tracker.Handles().Rotated[kTrackRight];
    // 10 mm along the turned x axis: (34.6, 20) pixels.
    Move(right.x + 35, right.y + 20);
    Up(right.x + 35, right.y + 20);
    EXPECT_TRUE(tracker.MouseDown(right.x, right.y));
    ExpectGeometry(applied.back(), 50 + 5 * std::cos(M_PI / 6), 50 + 5 * std::sin(M_PI / 6), 50, 20, 30);
}

TEST_F(TrackerTest, AdjustHandleDrag) {
    tracker.AdjustHandles.Count = 1;
    tracker.AdjustHandles.Entries[0] = {kHotTrackCartesian, 0.25f, -0.5f, 0.5f, 0.25f, -0.5f, 0.5f};
    std::vector<float> moves;
    float ended = 0;
    tracker.OnAdjustMove = [&](TRectTracker&, int32_t index, const THotTrackEntry& e) {
        EXPECT_EQ(index, 0);
        moves.push_back(e.Value1);
    };
    tracker.OnAdjustEnd = [&](TRectTracker&, int32_t, const THotTrackEntry& e) { ended = e.Value1; };
    // Grabbed one pixel off; the handle goes 5 mm to the right: 0.25 -> 0.375.
    Move(261, 221);
    Up(261, 221);
    EXPECT_TRUE(tracker.MouseDown(241, 221));
    EXPECT_EQ(moves, (std::vector<float>{0.25f, 0.25f, 0.375f}));  // drawn, erased, drawn
    EXPECT_FLOAT_EQ(ended, 0.375f);
    EXPECT_FLOAT_EQ(tracker.AdjustHandles.Entries[0].Value1, 0.375f);
    EXPECT_FLOAT_EQ(tracker.AdjustHandles.Entries[0].Value2, 0.25f);
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(surface.cursors.front(), 210);
}

TEST_F(TrackerTest, HandlesDrawnByTheirFlags) {
    tracker.HandleFlags = 5;
    tracker.DrawHandles();  // not visible: nothing
    EXPECT_EQ(surface.Pixel(113, 153), 0x00C0FFu);
    tracker.SetVisible(true);
    EXPECT_EQ(surface.invalidated.size(), 9u);
    tracker.SetVisible(true);
    EXPECT_EQ(surface.invalidated.size(), 9u);
    EXPECT_EQ(surface.invalidated[0], (TRect{108, 148, 118, 158}));
    tracker.DrawHandles();
    EXPECT_EQ(surface.Pixel(113, 153), 0x00FF00u);  // corner: lime
    EXPECT_EQ(surface.Pixel(110, 150), 0x000000u);  // black pen
    EXPECT_EQ(surface.Pixel(200, 153), 0xFFFFFFu);  // edge handle off: white
    EXPECT_EQ(surface.Pixel(197, 150), 0xC0C0C0u);  // with a silver pen
    EXPECT_EQ(surface.Pixel(305, 200), 0x0000FFu);  // rotation handle: red
    // Edge handles cannot be grabbed now.
    EXPECT_FALSE(tracker.MouseDown(200, 153));
    EXPECT_EQ(tracker.GetCursor(200, 153), 0);
    EXPECT_EQ(tracker.GetCursor(113, 153), 212);
    EXPECT_EQ(tracker.GetCursor(305, 200), 200);
    tracker.SetVisible(false);
    EXPECT_EQ(surface.invalidated.size(), 18u);
    EXPECT_EQ(surface.loaded, (std::vector<int32_t>{200, 201, 202, 203, 204, 205, 210, 211, 212, 213, 214}));
}

TEST_F(TrackerTest, LineTracker) {
    TLineTracker line(surface);
    line.SetLine({10, 10, 30, 20, 0});
    std::vector<TLineTrackGeometry> lines;
    line.OnApply = [&](TLineTracker&, const TLineTrackGeometry& l) { lines.push_back(l); };
    const auto before = surface.Pixels();
    EXPECT_EQ(line.GetCursor(120 + 4, 80 - 4), 210);
    EXPECT_EQ(line.GetCursor(120 + 5, 80), 0);
    surface.script.push_back({Kind::Move, {130, 74}, kLeftButton});  // (+2.5, -1.5) mm
    surface.script.push_back({Kind::ButtonUp, {130, 74}, 0});
    EXPECT_TRUE(line.MouseDown(120, 80));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Mode, 1);
    EXPECT_EQ(lines[0].X2, 32);  // 32.5 snaps to 32
    EXPECT_EQ(lines[0].Y2, 18);  // 18.5 snaps to 18
    EXPECT_EQ(lines[0].X1, 10);
    EXPECT_EQ(line.DragStartBounds, (TRect{40, 40, 120, 80}));
    EXPECT_TRUE(surface.Pixels() == before);
    EXPECT_FALSE(line.MouseDown(80, 60));

    line.DrawHandles();
    EXPECT_EQ(surface.Pixel(40, 40), 0x00FF00u);
    EXPECT_EQ(surface.Pixel(36, 40), 0x000000u);
}
