// Lines, rectangles and ellipses: geometry from the mouse, moves, pens and
// fills, hit tests, records old and new, snapshots and copies.
#include "FigureTestSupport.h"
#include "support/FigureFakes.h"

#include "figures/Ellipse.h"
#include "figures/FigureGroup.h"
#include "figures/Rasten.h"
#include "figures/Tracker.h"
#include "foundation/FillData.h"
#include "foundation/StreamHelp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A view at 4 pixels per mm with a 1 mm grid.
class FigureOnView : public ::testing::Test {
protected:
    FigureOnView() : child(view) { SetGridX(1); }
    ~FigureOnView() override { RasterWeite = savedGrid_; }

    template <class F>
    std::unique_ptr<F> Make(double cx, double cy, double w, double h, double angle = 0) {
        auto f = std::make_unique<F>(&child);
        SetGeometry(*f, cx, cy, w, h, angle);
        return f;
    }

    FakeMMWindow view;
    FakeChild child;

private:
    double savedGrid_ = RasterWeite;
};

}  // namespace

TEST_F(FigureOnView, LineFromTheMouseFollowsItsDiagonal) {
    TLinie line(&child);
    line.SetFromPixelRect({100, 50}, {40, 90});  // x falls while y rises
    EXPECT_FALSE(line.MainDiagonal);
    EXPECT_DOUBLE_EQ(line.CenterX, 17.5);  // 25 and 10 mm, snapped to the grid
    EXPECT_DOUBLE_EQ(line.Width, 15);
    EXPECT_DOUBLE_EQ(line.Height, 10);
    line.SetFromPixelRect({40, 50}, {100, 90});
    EXPECT_TRUE(line.MainDiagonal);

    TRechteck box(&child);
    box.SetAngle(30);
    box.SetFromPixelRect({100, 90}, {40, 50});
    EXPECT_EQ(box.Angle, 0);
    EXPECT_DOUBLE_EQ(box.CenterY, 17);  // 22.5 and 12.5 mm snap to 22 and 12
}

TEST_F(FigureOnView, LineFoldsItsAngleIntoTheBox) {
    auto line = Make<TLinie>(30, 30, 20, 0);
    line->RotateBy(90);
    EXPECT_EQ(line->Angle, 0);
    EXPECT_NEAR(line->Width, 0, 1e-12);
    EXPECT_NEAR(line->Height, 20, 1e-12);
    EXPECT_EQ(line->CenterX, 30);
    EXPECT_EQ(line->CenterY, 30);
    // A horizontal line is one pixel high.
    auto flat = Make<TLinie>(30, 30, 20, 0);
    EXPECT_EQ(flat->GetExtent(view.scale).Height(), 1);
}

TEST_F(FigureOnView, DragMovesTheFigureWithTheMouse) {
    struct Case {
        TPoint from, to;
        double dx, dy;
    } cases[] = {{{100, 100}, {140, 100}, 10, 0}, {{100, 100}, {60, 100}, -10, 0}, {{100, 100}, {100, 120}, 0, 5}};
    for (const Case& c : cases) {
        for (auto* f : std::initializer_list<TFigure*>{Make<TLinie>(20, 20, 5, 5).release(),
                                                       Make<TEllipse>(20, 20, 5, 5).release()}) {
            const std::unique_ptr<TFigure> owned(f);
            f->MoveByPixels(c.to, c.from);  // the mouse now, then where it was
            EXPECT_DOUBLE_EQ(f->CenterX, 20 + c.dx) << f->ClassName();
            EXPECT_DOUBLE_EQ(f->CenterY, 20 + c.dy) << f->ClassName();
        }
    }
}

TEST_F(FigureOnView, PenSetters) {
    struct Step {
        enum { Color, Width, Style } what;
        double value;
        uint8_t style;
        float width;
        gdi::Color color;
    } steps[] = {
        {Step::Width, 0, kPenClear, 0, 0xFF0000},         {Step::Color, 0x0000FF, kPenSolid, 0, 0x0000FF},
        {Step::Color, -1, kPenClear, 0, 0x0000FF},        {Step::Color, 1, kPenClear, 0, 0x0000FF},
        {Step::Width, 0.5, kPenSolid, 0.5f, 0x0000FF},    {Step::Style, 2, 2, 0.5f, 0x0000FF},
    };
    TLinie line(&child);
    EXPECT_EQ(line.PenStyle, kPenSolid);
    EXPECT_FLOAT_EQ(line.PenWidth, 0.1f);
    for (const Step& s : steps) {
        bool taken = false;
        if (s.what == Step::Color) taken = line.SetPenColor(static_cast<gdi::Color>(static_cast<int64_t>(s.value)));
        if (s.what == Step::Width) taken = line.SetPenWidth(static_cast<float>(s.value));
        if (s.what == Step::Style) taken = line.SetPenStyle(static_cast<uint8_t>(s.value));
        EXPECT_TRUE(taken);
        EXPECT_EQ(line.PenStyle, s.style) << s.value;
        EXPECT_FLOAT_EQ(line.PenWidth, s.width) << s.value;
        EXPECT_EQ(line.PenColor, s.color) << s.value;
    }
}

TEST_F(FigureOnView, FillSetters) {
    TRechteck box(&child);
    EXPECT_EQ(box.Fill->Kind(), fkNone);
    box.Fill->SetColor(0x123456);
    struct Step {
        int what;  // 0 colour, 1 brush style
        int64_t value;
        uint8_t kind;
        gdi::Color color;
    } steps[] = {{1, 0, fkColor, 0x123456}, {0, -1, fkNone, 0x123456}, {0, 0x00FF00, fkColor, 0x00FF00},
                 {1, 1, fkNone, 0x00FF00},  {0, 1, fkNone, 0x00FF00}};
    for (const Step& s : steps) {
        EXPECT_TRUE(s.what == 0 ? box.SetFillColor(static_cast<gdi::Color>(s.value))
                                : box.SetBrushStyle(static_cast<uint8_t>(s.value)));
        EXPECT_EQ(box.Fill->Kind(), s.kind) << s.value;
        EXPECT_EQ(box.Fill->Color(), s.color) << s.value;
    }
    TFillData gradient;
    gradient.SetKind(fkGradient);
    EXPECT_TRUE(box.SetFillData(gradient));
    EXPECT_EQ(box.Fill->Kind(), fkGradient);
    EXPECT_FALSE(TLinie(&child).SetFillColor(0x00FF00));
}

TEST_F(FigureOnView, GradientTurnsWithTheRectangle) {
    TRechteck box(&child);
    box.Fill->SetKind(fkGradient);
    box.Fill->SetWinkel(10);
    box.RotateBy(30);
    EXPECT_FLOAT_EQ(box.Fill->Winkel(), 40);
    box.SetAngle(350);
    box.SetAngle(370);
    EXPECT_EQ(box.Angle, 10);
    EXPECT_FLOAT_EQ(box.Fill->Winkel(), 20);  // 40 + 320, then + 20 and brought into range
}

// A 40 x 20 mm box at 4 px/mm: device 80..240 x 60..140 unturned.
TEST_F(FigureOnView, RectangleHitTable) {
    struct Case {
        const char* what;
        double angle;
        bool filled;
        TPoint p;
        bool hit;
    } cases[] = {
        {"inside, no fill", 0, false, {160, 100}, false},
        {"inside, filled", 0, true, {160, 100}, true},
        {"4 px outside the left edge", 0, false, {75, 100}, true},
        {"6 px outside the left edge", 0, false, {73, 100}, false},
        {"4 px inside the top edge", 0, false, {160, 63}, true},
        {"6 px inside the top edge", 0, false, {160, 65}, false},
        {"6 px outside, filled", 0, true, {160, 53}, false},
        {"turned 30: the unturned top-left corner", 30, true, {80, 60}, false},
        {"turned 30: the unturned top-right corner", 30, true, {235, 65}, false},
        {"turned 30: on the turned top edge", 30, false, {180, 65}, true},
        {"turned 30: centre, filled", 30, true, {160, 100}, true},
    };
    for (const Case& c : cases) {
        auto box = Make<TRechteck>(40, 25, 40, 20, c.angle);
        if (c.filled) box->SetFillColor(0x00FF00);
        EXPECT_EQ(box->HitTest(c.p), c.hit) << c.what;
    }
}

TEST_F(FigureOnView, LineAndEllipseHits) {
    auto line = Make<TLinie>(40, 25, 40, 20);  // (80, 140) to (240, 60)
    EXPECT_TRUE(line->HitTest({160, 100}));
    EXPECT_TRUE(line->HitTest({162, 104}));
    EXPECT_FALSE(line->HitTest({160, 110}));

    auto ellipse = Make<TEllipse>(40, 25, 40, 20);
    EXPECT_FALSE(ellipse->HitTest({160, 100}));
    EXPECT_TRUE(ellipse->HitTest({160, 62}));
    EXPECT_FALSE(ellipse->HitTest({84, 64}));  // inside the box, outside the ellipse
    ellipse->SetFillColor(0x00FF00);
    EXPECT_TRUE(ellipse->HitTest({160, 100}));
    EXPECT_FALSE(ellipse->HitTest({84, 64}));
}

TEST(FigureRecords, OlderRectangleRecordLoads) {
    TMemoryStream stream;
    TEtikettFiler filer;
    filer.Stream = &stream;
    filer.WriteRawByte(ecRechteck);
    for (double v : {5.0, 6.0, 7.0, 8.0, 0.0, 0.0, 0.0}) filer.WriteTaggedDouble(v);
    filer.WriteTaggedBoolean(true);
    filer.WriteTaggedDouble(0.3);
    filer.WriteTaggedInteger(1);
    filer.WriteTaggedLongint(0x0000FF);
    filer.WriteTaggedLongint(0x00FF00);  // the fill colour in place of the marker
    filer.WriteTaggedInteger(1);         // a clear brush
    const auto read = ReadElementBytes(stream.Bytes());
    auto* box = dynamic_cast<TRechteck*>(read.get());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Fill->Kind(), fkNone);
    EXPECT_EQ(box->Fill->Color(), 0x00FF00u);
    EXPECT_EQ(box->MarginLeft, 1.0);
    EXPECT_EQ(box->PenStyle, 1);
    EXPECT_FLOAT_EQ(box->PenWidth, 0.3f);
    EXPECT_EQ(box->Width, 7);
}

TEST(FigureRecords, DamagedFillRefusesTheRecord) {
    TRechteck box(nullptr);
    box.SetFillColor(0x00FF00);
    std::vector<uint8_t> bytes = ElementBytes(box);
    bytes.resize(bytes.size() - 40);  // into the fill
    EXPECT_THROW(ReadElementBytes(bytes), EFilerReadError);
}

TEST(FigureRecords, WriteReadWriteGivesTheSameBytes) {
    TLinie line(nullptr);
    line.SetCenterX(3.25);
    line.SetWidth(12);
    line.SetHeight(4);
    line.MainDiagonal = true;
    line.SetPenStyle(3);
    TRechteck box(nullptr);
    box.SetWidth(20);
    box.SetHeight(10);
    box.SetAngle(33);
    box.Fill->SetKind(fkGradient);
    box.MarginTop = 2.5;
    TEllipse ellipse(nullptr);
    ellipse.SetCenterY(-4);
    ellipse.SetFillColor(0x0000FF);
    TFigureGroup group(nullptr);
    group.AddMember(line.Clone());
    group.AddMember(ellipse.Clone());
    group.Reserved = true;

    for (TFigure* f : std::initializer_list<TFigure*>{&line, &box, &ellipse, &group}) {
        const std::vector<uint8_t> first = ElementBytes(*f);
        EXPECT_EQ(first[0], f->ElementCode());
        const auto read = ReadElementBytes(first);
        ASSERT_TRUE(read) << f->ClassName();
        EXPECT_STREQ(read->ClassName(), f->ClassName());
        EXPECT_EQ(ElementBytes(*read), first) << f->ClassName();
        // Snapshots and copies agree with the original as well.
        EXPECT_EQ(SnapshotBytes(*read), SnapshotBytes(*f)) << f->ClassName();
        EXPECT_EQ(SnapshotBytes(*f->Clone()), SnapshotBytes(*f)) << f->ClassName();
    }
}

TEST(FigureRecords, AssignTakesOnlyItsOwnClass) {
    TLinie line(nullptr);
    TRechteck box(nullptr);
    TEllipse ellipse(nullptr);
    box.SetCenterX(4);
    EXPECT_THROW(ellipse.Assign(box), EInvalidCast);
    EXPECT_EQ(ellipse.CenterX, 0);
    EXPECT_THROW(box.Assign(line), EInvalidCast);
    ellipse.SetCenterX(9);
    box.Assign(ellipse);  // an ellipse is a rectangle
    EXPECT_EQ(box.CenterX, 9);
    line.Assign(box);
    EXPECT_EQ(line.CenterX, 9);
}

TEST(FigureRecords, WhatIsSavedAlwaysReadsBack) {
    // A line whose turned box no double can hold, folded when it is read.
    TLinie line(nullptr);
    line.Width = 1.5e308;
    line.Height = 1.5e308;
    line.Angle = 45;
    const auto read = ReadElementBytes(ElementBytes(line));
    ASSERT_TRUE(read);
    EXPECT_TRUE(std::isinf(read->Width));
    const auto again = ReadElementBytes(ElementBytes(*read));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Width, std::numeric_limits<double>::max());
    EXPECT_EQ(ElementBytes(*again), ElementBytes(*read));
}

TEST_F(FigureOnView, EllipseFollowsTheDragAndLeavesNoFeedbackBehind) {
    SetGridX(5);
    auto ellipse = Make<TEllipse>(50, 37.5, 20, 10);
    ellipse->Select();
    auto& tracker = static_cast<TRectTracker&>(*ellipse->Tracker);
    tracker.UpdateHandles();
    const TPoint corner = tracker.Handles().Rotated[kTrackBottomRight];
    view.Move(corner.x + 20, corner.y + 10);
    view.Move(corner.x + 40, corner.y + 20);
    view.Up(corner.x + 40, corner.y + 20);
    EXPECT_TRUE(ellipse->TrackerMouseDown(corner.x, corner.y));
    EXPECT_DOUBLE_EQ(ellipse->Width, 30);
    EXPECT_DOUBLE_EQ(ellipse->Height, 15);
    EXPECT_DOUBLE_EQ(ellipse->CenterX, 55);
    // The inverted outlines were all drawn twice.
    for (int y = 0; y < 300; y += 3)
        for (int x = 0; x < 400; x += 3) ASSERT_EQ(view.Pixel(x, y), 0xFFFFFFu) << x << "," << y;
}
