// Regions, and paths built on a canvas.

#include "PixelTestSupport.h"

#include "platform/gdi/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace gdi {
namespace {

TEST(Region, CombineModes) {
    const Region a = Region::FromRect({0, 0, 10, 10});
    const Region b = Region::FromRect({5, 5, 15, 15});
    const struct {
        RegionCombine mode;
        RegionKind kind;
        Rect box;
        int64_t area;
    } cases[] = {
        {RegionCombine::And, RegionKind::Simple, {5, 5, 10, 10}, 25},
        {RegionCombine::Or, RegionKind::Complex, {0, 0, 15, 15}, 175},
        {RegionCombine::Xor, RegionKind::Complex, {0, 0, 15, 15}, 150},
        {RegionCombine::Diff, RegionKind::Complex, {0, 0, 10, 10}, 75},
        {RegionCombine::Copy, RegionKind::Simple, {0, 0, 10, 10}, 100},
    };
    for (const auto& c : cases) {
        Region r;
        EXPECT_EQ(r.Combine(a, b, c.mode), c.kind);
        EXPECT_EQ(r.Box(), c.box);
        int64_t area = 0;
        for (const Rect& rect : r.Rects()) area += int64_t{rect.Width()} * rect.Height();
        EXPECT_EQ(area, c.area) << static_cast<int>(c.mode);
    }
    Region none;
    EXPECT_EQ(none.Combine(a, Region::FromRect({20, 20, 30, 30}), RegionCombine::And), RegionKind::Null);
    EXPECT_EQ(none.Box(), Rect{});
}

TEST(Region, RectsInBandedOrderAndHitTests) {
    Region r = Region::FromRects(std::vector<Rect>{{10, 0, 20, 5}, {0, 0, 5, 10}, {0, 20, 30, 25}});
    const std::vector<Rect> expected{{0, 0, 5, 5}, {10, 0, 20, 5}, {0, 5, 5, 10}, {0, 20, 30, 25}};
    EXPECT_EQ(r.Rects(), expected);
    r.Offset(1, -1);
    EXPECT_TRUE(r.Contains(1, -1));
    EXPECT_FALSE(r.Contains(0, 0));
    EXPECT_TRUE(r.Contains(30, 23));
    EXPECT_FALSE(r.Contains(31, 23));
    EXPECT_TRUE(r.Intersects({25, 10, 40, 20}));
    EXPECT_FALSE(r.Intersects({25, 10, 40, 19}));
    EXPECT_EQ(Region::FromRect({5, 5, 5, 9}).Kind(), RegionKind::Null);
    EXPECT_EQ(Region::FromRect({9, 9, 5, 5}), Region::FromRect({5, 5, 9, 9}));
}

// Rectangles joined pairwise: many that overlap give their union, and a
// union that needs more rectangles than allowed gives nothing.
TEST(Region, ManyRectanglesJoinIntoTheirUnion) {
    std::vector<Rect> columns, overlapping;
    for (int32_t i = 0; i < 1000; ++i) {
        columns.push_back({2 * i, 0, 2 * i + 1, 10});
        overlapping.push_back({i, i, i + 100, i + 100});
    }
    EXPECT_EQ(Region::FromRects(columns).RectCount(), 1000u);
    EXPECT_FALSE(Region::FromRects(columns, 999).has_value());
    const Region stairs = Region::FromRects(overlapping);
    EXPECT_EQ(stairs.Box(), (Rect{0, 0, 1099, 1099}));
    EXPECT_TRUE(stairs.Contains(550, 500));
    EXPECT_FALSE(stairs.Contains(900, 100));
    EXPECT_EQ(*Region::FromRects(overlapping, 5000), stairs);
}

TEST(Region, PolygonFillModes) {
    // A five-pointed star: its middle is outside with the alternate rule.
    const Point star[] = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    const Region alternate = Region::FromPolygon(star, PolyFillMode::Alternate);
    const Region winding = Region::FromPolygon(star, PolyFillMode::Winding);
    EXPECT_FALSE(alternate.Contains(50, 50));
    EXPECT_TRUE(winding.Contains(50, 50));
    EXPECT_TRUE(alternate.Contains(50, 20));
    EXPECT_EQ(alternate.Box(), winding.Box());
    const Point square[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    EXPECT_EQ(Region::FromPolygon(square, PolyFillMode::Alternate), Region::FromRect({0, 0, 4, 4}));
}

TEST(Region, FrameRgnDrawsTheInnerEdge) {
    BitmapCanvas canvas(12, 12);
    const Region shape = Region::FromRects(std::vector<Rect>{{1, 1, 11, 6}, {1, 6, 6, 11}});
    canvas.FrameRgn(shape, SolidBrush(test::kBlack), 1, 1);
    EXPECT_EQ(test::Art(canvas.bitmap()),
              "............\n"
              ".##########.\n"
              ".#........#.\n"
              ".#........#.\n"
              ".#........#.\n"
              ".#...######.\n"
              ".#...#......\n"
              ".#...#......\n"
              ".#...#......\n"
              ".#...#......\n"
              ".#####......\n"
              "............\n");
}

TEST(Path, LinesAndShapesBecomeFigures) {
    RecordingCanvas canvas;
    canvas.BeginPath();
    canvas.MoveTo(1, 1);
    canvas.LineTo(5, 1);
    canvas.LineTo(5, 5);
    canvas.CloseFigure();
    canvas.LineTo(9, 9);  // a new figure from the current position
    canvas.Rectangle(10, 10, 20, 20);
    canvas.Ellipse(0, 0, 11, 11);
    canvas.EndPath();
    EXPECT_TRUE(canvas.Calls().empty());
    const PathData path = canvas.GetPath();
    const std::vector<uint8_t> head{PT_MOVETO, PT_LINETO, PT_LINETO | PT_CLOSEFIGURE, PT_MOVETO, PT_LINETO,
                                    PT_MOVETO, PT_LINETO, PT_LINETO, PT_LINETO | PT_CLOSEFIGURE};
    ASSERT_GE(path.types.size(), head.size() + 13);
    EXPECT_EQ(std::vector<uint8_t>(path.types.begin(), path.types.begin() + 9), head);
    EXPECT_EQ(path.points[3], (Point{5, 5}));
    EXPECT_EQ(path.points[5], (Point{19, 10}));  // the rectangle runs on its outer pixels
    EXPECT_EQ(path.points[7], (Point{10, 19}));
    // The ellipse: a move and four Bezier pieces.
    EXPECT_EQ(path.types.size(), head.size() + 13);
    EXPECT_EQ(path.types[9], PT_MOVETO);
    EXPECT_EQ(path.points[9], (Point{10, 5}));
    EXPECT_EQ(path.types.back(), PT_BEZIERTO | PT_CLOSEFIGURE);

    canvas.StrokeAndFillPath();
    ASSERT_EQ(canvas.Calls().size(), 1u);
    EXPECT_EQ(canvas.Calls()[0].op, RecordedCall::Op::Path);
    EXPECT_TRUE(canvas.Calls()[0].fill && canvas.Calls()[0].stroke);
    EXPECT_TRUE(canvas.GetPath().IsEmpty());
}

TEST(Path, RegionAndClipFromAPath) {
    RecordingCanvas canvas(ScreenCaps());
    canvas.BeginPath();
    const Point square[] = {{2, 2}, {12, 2}, {12, 8}, {2, 8}};
    canvas.Polygon(square);
    canvas.EndPath();
    EXPECT_EQ(canvas.PathToRegion(), Region::FromRect({2, 2, 12, 8}));
    EXPECT_TRUE(canvas.GetPath().IsEmpty());

    canvas.BeginPath();
    canvas.Ellipse(0, 0, 21, 21);
    canvas.EndPath();
    canvas.FlattenPath();
    for (const uint8_t t : canvas.GetPath().types) EXPECT_NE(t & ~PT_CLOSEFIGURE, PT_BEZIERTO);
    EXPECT_TRUE(canvas.SelectClipPath(RegionCombine::Copy));
    EXPECT_TRUE(canvas.PtVisible(10, 10));
    EXPECT_FALSE(canvas.PtVisible(1, 1));
    EXPECT_EQ(canvas.GetClipRgn()->Box(), (Rect{0, 0, 20, 20}));
}

TEST(Path, AClipPathFarLargerThanTheSurfaceClipsWhatShows) {
    BitmapCanvas canvas(20, 20);
    canvas.BeginPath();
    canvas.Ellipse(-2000000, -2000000, 2000000, 2000000);
    canvas.EndPath();
    EXPECT_TRUE(canvas.SelectClipPath(RegionCombine::Copy));
    EXPECT_EQ(canvas.GetClipBox(), (Rect{0, 0, 20, 20}));
    canvas.FillRect({0, 0, 20, 20}, SolidBrush(test::kBlack));
    EXPECT_EQ(test::CountPixels(canvas.bitmap(), test::kBlack), 400);
}

TEST(Path, FilledPathPaintsLikeThePolygon) {
    BitmapCanvas byPath(16, 16), byPolygon(16, 16);
    const Point triangle[] = {{1, 1}, {14, 3}, {5, 13}};
    for (BitmapCanvas* c : {&byPath, &byPolygon}) {
        c->pen().style = PenStyle::Null;
        c->brush().color = test::kBlack;
    }
    byPath.BeginPath();
    byPath.MoveTo(1, 1);
    byPath.LineTo(14, 3);
    byPath.LineTo(5, 13);
    byPath.EndPath();
    byPath.FillPath();
    byPolygon.Polygon(triangle);
    EXPECT_TRUE(test::SamePixels(byPath.bitmap(), byPolygon.bitmap())) << test::Art(byPath.bitmap());
}

}  // namespace
}  // namespace gdi
