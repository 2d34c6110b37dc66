// Pixel rules of the bitmap backend: which pixels lines, shapes and fills
// cover, pens and brushes, mix modes and blits.

#include "PixelTestSupport.h"

#include "platform/gdi/BitmapCanvas.h"
#include "support/Colors.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace gdi {
namespace {

using test::Art;
using test::InkBox;
using test::kBlack;
using test::kWhite;

constexpr Color kBlue = Rgb(0, 0, 255);

struct LineCase {
    Point from, to;
    Rect ink;  // the pixels drawn
    int32_t count;
};

TEST(PixelRules, LineToLeavesOutItsEndPixel) {
    const LineCase cases[] = {
        {{2, 3}, {12, 3}, {2, 3, 12, 4}, 10},     // right
        {{12, 3}, {2, 3}, {3, 3, 13, 4}, 10},     // left
        {{5, 1}, {5, 11}, {5, 1, 6, 11}, 10},     // down
        {{5, 11}, {5, 1}, {5, 2, 6, 12}, 10},     // up
        {{1, 1}, {9, 9}, {1, 1, 9, 9}, 8},        // diagonal
        {{4, 4}, {4, 4}, {}, 0},                  // a point draws nothing
    };
    for (const LineCase& c : cases) {
        BitmapCanvas canvas(16, 16);
        canvas.MoveTo(c.from.x, c.from.y);
        canvas.LineTo(c.to.x, c.to.y);
        EXPECT_EQ(InkBox(canvas.bitmap()), c.ink) << c.from.x << "," << c.from.y;
        EXPECT_EQ(test::CountPixels(canvas.bitmap(), kBlack), c.count);
        EXPECT_EQ(canvas.CurrentPosition(), c.to);
    }
}

TEST(PixelRules, PartOfALineWalkIsThePartOfTheWholeWalk) {
    const Point ends[][2] = {{{0, 0}, {17, 5}},   {{17, 5}, {0, 0}},   {{3, -9}, {-4, 20}}, {{-6, 2}, {9, -2}},
                             {{0, 0}, {12, 12}},  {{5, 5}, {5, -7}},   {{0, 0}, {23, 22}},  {{-1, -1}, {-30, -2}}};
    for (const auto& e : ends) {
        std::vector<Point> whole;
        LineDDA(e[0].x, e[0].y, e[1].x, e[1].y, [&](int32_t x, int32_t y) { whole.push_back({x, y}); });
        const int64_t length = LineDDALength(e[0].x, e[0].y, e[1].x, e[1].y);
        ASSERT_EQ(static_cast<int64_t>(whole.size()), length);
        for (int64_t first = 0; first <= length; ++first) {
            for (int64_t last = first; last <= length; ++last) {
                std::vector<Point> part;
                LineDDASteps(e[0].x, e[0].y, e[1].x, e[1].y, first, last,
                             [&](int32_t x, int32_t y) { part.push_back({x, y}); });
                EXPECT_TRUE(std::equal(part.begin(), part.end(), whole.begin() + first, whole.begin() + last))
                    << e[0].x << "," << e[0].y << " " << first << ".." << last;
            }
        }
    }
}

TEST(PixelRules, LinesFarBeyondTheBitmapDrawOnlyWhatShows) {
    // Ends two billion pixels away: the row changes where the walk is half done.
    BitmapCanvas canvas(100, 100);
    canvas.MoveTo(-2000000000, 50);
    canvas.LineTo(2000000000, 51);
    EXPECT_EQ(canvas.bitmap().Pixel(0, 50), kBlack);
    EXPECT_EQ(canvas.bitmap().Pixel(1, 50), kWhite);
    EXPECT_EQ(canvas.bitmap().Pixel(1, 51), kBlack);
    EXPECT_EQ(test::CountPixels(canvas.bitmap(), kBlack), 100);

    // A dotted line keeps its dots' phase over the stretch it does not walk:
    // three pixels on, three off, counted from its start.
    BitmapCanvas dotted(100, 20);
    dotted.pen().style = PenStyle::Dot;
    dotted.SetBkMode(BkMode::Transparent);
    const int32_t start = -1000004;
    dotted.MoveTo(start, 5);
    dotted.LineTo(100, 5);
    for (int32_t x = 0; x < 100; ++x) {
        const bool on = (x - start) % 6 < 3;
        EXPECT_EQ(dotted.bitmap().Pixel(x, 5), on ? kBlack : kWhite) << x;
    }
}

TEST(PixelRules, ShapesMostlyBeyondTheBitmapDrawOnlyWhatShows) {
    // The same ellipse on a canvas that shows it whole and on one that shows a
    // corner of it: edge and inside pixels agree.
    BitmapCanvas whole(200, 200);
    whole.brush().color = kRed;
    whole.Ellipse(0, 0, 200, 200);
    BitmapCanvas corner(40, 40);
    corner.brush().color = kRed;
    corner.Ellipse(-37, -21, 163, 179);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(corner.bitmap().Pixel(x, y), whole.bitmap().Pixel(x + 37, y + 21)) << x << "," << y;

    // Shapes millions of pixels across, thin and wide pens, copied and mixed.
    for (const Rop2 rop : {Rop2::CopyPen, Rop2::XorPen}) {
        for (const int32_t width : {1, 3}) {
            BitmapCanvas canvas(10, 10);
            canvas.SetROP2(rop);
            canvas.pen().width = width;
            canvas.brush().color = kRed;
            canvas.Ellipse(-2000000, -2000000, 2000000, 2000000);
            const Color inside = rop == Rop2::CopyPen ? kRed : Rgb(0, 255, 255);
            EXPECT_EQ(test::CountPixels(canvas.bitmap(), inside), 100) << static_cast<int>(rop) << " " << width;
        }
    }
}

TEST(PixelRules, OutputAtTheLimitsOfTheCoordinatesIsSafe) {
    // Logical coordinates near the 32-bit limits, magnified by the mapping,
    // reach the device saturated: every output keeps its rules without
    // overflowing and draws what shows of it.
    constexpr int32_t far = 2000000000;
    BitmapCanvas canvas(10, 10);
    canvas.SetMapMode(MapMode::Anisotropic);
    canvas.SetViewportExt(30000, 30000);
    canvas.FillRect({-far, -far, far, far}, SolidBrush(kRed));
    EXPECT_EQ(test::CountPixels(canvas.bitmap(), kRed), 100);
    canvas.FrameRect({-far, -far, far, far}, SolidBrush(kBlack));
    canvas.InvertRect({-far, -far, far, far});
    canvas.Rectangle(-far, -far, far, far);
    canvas.RoundRect(-far, -far, far, far, far, far);
    canvas.Arc(-far, -far, far, far, far, 0, 0, far);
    canvas.pen().width = 5;
    canvas.Pie(-far, -far, far, far, far, 0, 0, far);
    const Point triangle[] = {{-far, -far}, {far, 0}, {0, far}};
    canvas.Polygon(triangle);
    const Rect box{-far, -far, far, far};
    canvas.ExtTextOut(0, 0, ETO_OPAQUE | ETO_CLIPPED, &box, u"x");
    canvas.BitBlt(-far, -far, far, far, canvas.bitmap(), 0, 0);
    canvas.IntersectClipRect(-far, -far, far, far);
    canvas.OffsetClipRgn(far, far);
    EXPECT_EQ(canvas.GetClipBox(), Rect{});
    canvas.SelectClipRgn(nullptr);
    canvas.pen().width = 1;
    canvas.brush().color = kBlue;
    canvas.Rectangle(-far, -far, far, far);
    EXPECT_EQ(test::CountPixels(canvas.bitmap(), kBlue), 100);
}

TEST(PixelRules, PolylineJoinsAreDrawnOnceUnderXor) {
    BitmapCanvas canvas(20, 20);
    canvas.Rectangle(-1, -1, 30, 30);  // a background that is not white
    canvas.brush().color = Rgb(10, 200, 90);
    canvas.FillRect({0, 0, 20, 20});
    const Bitmap before = canvas.bitmap();
    canvas.SetROP2(Rop2::XorPen);
    canvas.pen().color = Rgb(0x12, 0x34, 0x56);
    const Point zigzag[] = {{1, 1}, {15, 1}, {15, 8}, {3, 15}, {18, 18}, {1, 1}};
    canvas.Polyline(zigzag);
    const int32_t changed = 20 * 20 - test::CountPixels(canvas.bitmap(), Rgb(10, 200, 90));
    EXPECT_GT(changed, 40);
    canvas.Polyline(zigzag);
    EXPECT_TRUE(test::SamePixels(canvas.bitmap(), before));
}

TEST(PixelRules, RectangleCoversLeftToRightMinusOne) {
    BitmapCanvas canvas(16, 12);
    canvas.brush().color = kRed;
    canvas.Rectangle(2, 1, 10, 7);
    EXPECT_EQ(Art(canvas.bitmap()),
              "................\n"
              "..########......\n"
              "..#oooooo#......\n"
              "..#oooooo#......\n"
              "..#oooooo#......\n"
              "..#oooooo#......\n"
              "..########......\n"
              "................\n"
              "................\n"
              "................\n"
              "................\n"
              "................\n");
}

TEST(PixelRules, ShapesWithTheNullPenAreOnePixelSmaller) {
    const Canvas::Shape shapes[] = {Canvas::Shape::Rectangle, Canvas::Shape::Ellipse, Canvas::Shape::RoundRect};
    for (const Canvas::Shape shape : shapes) {
        BitmapCanvas canvas(24, 24);
        canvas.pen().style = PenStyle::Null;
        canvas.brush().color = kBlack;
        if (shape == Canvas::Shape::Rectangle) canvas.Rectangle(3, 4, 19, 16);
        if (shape == Canvas::Shape::Ellipse) canvas.Ellipse(3, 4, 19, 16);
        if (shape == Canvas::Shape::RoundRect) canvas.RoundRect(3, 4, 19, 16, 6, 6);
        EXPECT_EQ(InkBox(canvas.bitmap()), (Rect{3, 4, 18, 15})) << static_cast<int>(shape);
    }
}

// Pixels of a bitmap mirrored left to right and top to bottom inside a box.
bool Symmetric(const Bitmap& b, const Rect& box) {
    for (int32_t y = box.top; y < box.bottom; ++y) {
        for (int32_t x = box.left; x < box.right; ++x) {
            const int32_t mx = box.left + box.right - 1 - x, my = box.top + box.bottom - 1 - y;
            if (b.Pixel(x, y) != b.Pixel(mx, y) || b.Pixel(x, y) != b.Pixel(x, my)) return false;
        }
    }
    return true;
}

TEST(PixelRules, EllipseFitsItsBoxAndIsSymmetric) {
    const Rect boxes[] = {{2, 2, 12, 12}, {1, 3, 22, 10}, {4, 1, 9, 20}, {0, 0, 3, 3}};
    for (const Rect& box : boxes) {
        BitmapCanvas canvas(24, 24);
        canvas.brush().color = kRed;
        canvas.Ellipse(box.left, box.top, box.right, box.bottom);
        EXPECT_EQ(InkBox(canvas.bitmap()), box);
        EXPECT_TRUE(Symmetric(canvas.bitmap(), box)) << Art(canvas.bitmap());
        // The outline is closed: the fill never touches the background.
        for (int32_t y = box.top; y < box.bottom; ++y) {
            for (int32_t x = box.left + 1; x < box.right; ++x) {
                const bool redBesideWhite = (canvas.bitmap().Pixel(x, y) == kRed && canvas.bitmap().Pixel(x - 1, y) == kWhite) ||
                                            (canvas.bitmap().Pixel(x - 1, y) == kRed && canvas.bitmap().Pixel(x, y) == kWhite);
                EXPECT_FALSE(redBesideWhite) << Art(canvas.bitmap());
            }
        }
    }
}

TEST(PixelRules, EllipseRegionHasTheNullPenEllipsesPixels) {
    const Rect boxes[] = {{2, 2, 13, 12}, {1, 3, 22, 10}, {5, 1, 9, 20}};
    for (const Rect& box : boxes) {
        BitmapCanvas canvas(24, 24);
        canvas.pen().style = PenStyle::Null;
        canvas.brush().color = kBlack;
        canvas.Ellipse(box.left, box.top, box.right, box.bottom);
        BitmapCanvas byRegion(24, 24);
        byRegion.FillRgn(Region::FromEllipse(box), SolidBrush(kBlack));
        EXPECT_TRUE(test::SamePixels(canvas.bitmap(), byRegion.bitmap())) << Art(canvas.bitmap());
        EXPECT_TRUE(Symmetric(canvas.bitmap(), {box.left, box.top, box.right - 1, box.bottom - 1}));
    }
}

TEST(PixelRules, PolygonFillsInsideAndOutlinesEveryEdgeWithItsVertices) {
    BitmapCanvas canvas(12, 12);
    canvas.brush().color = kRed;
    const Point square[] = {{2, 2}, {8, 2}, {8, 8}, {2, 8}};
    canvas.Polygon(square);
    EXPECT_EQ(InkBox(canvas.bitmap()), (Rect{2, 2, 9, 9}));
    EXPECT_EQ(test::CountPixels(canvas.bitmap(), kBlack), 24);
    EXPECT_EQ(test::CountPixels(canvas.bitmap(), kRed), 25);

    BitmapCanvas filled(12, 12);
    filled.pen().style = PenStyle::Null;
    filled.brush().color = kRed;
    filled.Polygon(square);
    EXPECT_EQ(InkBox(filled.bitmap()), (Rect{2, 2, 8, 8}));
}

TEST(PixelRules, FourCornerPolygonsAlongTheAxesFillAsTheirOutlinesSay) {
    // Each against the same outline with one more point halfway along its
    // first edge, which is scan converted as any polygon.
    const std::vector<Point> outlines[] = {
        {{2, 2}, {8, 2}, {8, 9}, {2, 9}},  // clockwise
        {{8, 2}, {2, 2}, {2, 9}, {8, 9}},  // the other way round
        {{2, 2}, {8, 2}, {8, 9}, {8, 2}},  // back over its own edge: no area
        {{2, 4}, {8, 4}, {4, 4}, {6, 4}},  // all on one row: no area
    };
    for (const std::vector<Point>& outline : outlines) {
        std::vector<Point> longer = outline;
        longer.insert(longer.begin() + 1, {(outline[0].x + outline[1].x) / 2, (outline[0].y + outline[1].y) / 2});
        BitmapCanvas four(12, 12), five(12, 12);
        for (BitmapCanvas* c : {&four, &five}) {
            c->brush().color = kRed;
            c->pen().color = kBlue;
        }
        four.Polygon(outline);
        five.Polygon(longer);
        EXPECT_TRUE(test::SamePixels(four.bitmap(), five.bitmap())) << Art(four.bitmap()) << Art(five.bitmap());
    }
}

TEST(PixelRules, FillModeDecidesAboutOverlaps) {
    // Two squares drawn the same way round: the inner one is a hole with the
    // alternate rule and filled with the winding rule.
    const Point points[] = {{0, 0}, {16, 0}, {16, 16}, {0, 16}, {4, 4}, {12, 4}, {12, 12}, {4, 12}};
    const int32_t counts[] = {4, 4};
    for (const PolyFillMode mode : {PolyFillMode::Alternate, PolyFillMode::Winding}) {
        BitmapCanvas canvas(16, 16);
        canvas.pen().style = PenStyle::Null;
        canvas.brush().color = kBlack;
        canvas.SetPolyFillMode(mode);
        canvas.PolyPolygon(points, counts);
        EXPECT_EQ(canvas.bitmap().Pixel(8, 8), mode == PolyFillMode::Winding ? kBlack : kWhite);
        EXPECT_EQ(canvas.bitmap().Pixel(2, 2), kBlack);
    }
}

TEST(PixelRules, FillRectAndFrameRectAreExact) {
    BitmapCanvas canvas(10, 8);
    canvas.FillRect({1, 1, 5, 4}, SolidBrush(kBlack));
    canvas.FrameRect({6, 1, 10, 7}, SolidBrush(kRed));
    canvas.FillRect({4, 6, 2, 7}, SolidBrush(kBlack));  // given the wrong way round
    EXPECT_EQ(Art(canvas.bitmap()),
              "..........\n"
              ".####.oooo\n"
              ".####.o..o\n"
              ".####.o..o\n"
              "......o..o\n"
              "......o..o\n"
              "..##..oooo\n"
              "..........\n");
}

TEST(PixelRules, WidePenIsCentredOnTheLine) {
    BitmapCanvas canvas(30, 20);
    canvas.pen().width = 5;
    canvas.MoveTo(8, 10);
    canvas.LineTo(22, 10);
    const Rect ink = InkBox(canvas.bitmap());
    EXPECT_EQ(ink.top, 8);
    EXPECT_EQ(ink.bottom, 13);
    EXPECT_LE(ink.left, 7);  // round caps reach past the ends
    EXPECT_GE(ink.right, 23);
}

TEST(PixelRules, ThinPenDashesRepeatInDevicePixels) {
    BitmapCanvas canvas(26, 4);
    canvas.pen().style = PenStyle::Dot;
    canvas.SetBkMode(BkMode::Transparent);
    canvas.MoveTo(0, 1);
    canvas.LineTo(26, 1);
    canvas.SetBkMode(BkMode::Opaque);
    canvas.SetBkColor(kRed);
    canvas.pen().style = PenStyle::Dash;
    canvas.MoveTo(0, 2);
    canvas.LineTo(26, 2);
    EXPECT_EQ(Art(canvas.bitmap()),
              "..........................\n"
              "###...###...###...###...##\n"
              "##################oooooo##\n"
              "..........................\n");
}

TEST(PixelRules, HatchBrushLeavesGapsAloneWhenTransparent) {
    for (const BkMode mode : {BkMode::Transparent, BkMode::Opaque}) {
        BitmapCanvas canvas(16, 16);
        canvas.SetBkMode(mode);
        canvas.SetBkColor(kRed);
        canvas.FillRect({0, 0, 16, 16}, HatchBrush(HatchStyle::Cross, kBlack));
        EXPECT_EQ(test::CountPixels(canvas.bitmap(), kBlack), 4 * 15);
        EXPECT_EQ(test::CountPixels(canvas.bitmap(), mode == BkMode::Opaque ? kRed : kWhite), 256 - 60);
    }
    BitmapCanvas canvas(16, 16);
    canvas.SetBkMode(BkMode::Transparent);
    canvas.FillRect({0, 0, 16, 16}, HatchBrush(HatchStyle::FDiagonal, kBlack));
    for (int32_t i = 0; i < 16; ++i) EXPECT_EQ(canvas.bitmap().Pixel(i, i), kBlack);
}

TEST(PixelRules, PatternBrushTilesFromTheBrushOrigin) {
    auto pattern = std::make_shared<Bitmap>(2, 2);
    pattern->SetPixel(0, 0, kBlack);
    Brush brush{BrushStyle::Pattern, kWhite, HatchStyle::Horizontal, pattern};
    BitmapCanvas canvas(6, 2);
    canvas.SetBrushOrg({1, 0});
    canvas.FillRect({0, 0, 6, 2}, brush);
    EXPECT_EQ(Art(canvas.bitmap()), ".#.#.#\n......\n");
}

// Every mix mode on one pixel: pen colour P onto destination colour D.
TEST(PixelRules, AllMixModesCombinePenAndDestination) {
    const uint32_t p = 0x00F0CC33, d = 0x0055AA0F;
    const struct {
        Rop2 rop;
        uint32_t expected;
    } cases[] = {
        {Rop2::Black, 0},           {Rop2::NotMergePen, ~(p | d)}, {Rop2::MaskNotPen, ~p & d},
        {Rop2::NotCopyPen, ~p},     {Rop2::MaskPenNot, p & ~d},    {Rop2::Not, ~d},
        {Rop2::XorPen, p ^ d},      {Rop2::NotMaskPen, ~(p & d)},  {Rop2::MaskPen, p & d},
        {Rop2::NotXorPen, ~(p ^ d)}, {Rop2::Nop, d},               {Rop2::MergeNotPen, ~p | d},
        {Rop2::CopyPen, p},         {Rop2::MergePenNot, p | ~d},   {Rop2::MergePen, p | d},
        {Rop2::White, 0xFFFFFF},
    };
    for (const auto& c : cases) {
        BitmapCanvas canvas(4, 1);
        canvas.FillRect({0, 0, 4, 1}, SolidBrush(d));
        canvas.SetROP2(c.rop);
        canvas.pen().color = p;
        canvas.MoveTo(1, 0);
        canvas.LineTo(2, 0);
        EXPECT_EQ(canvas.bitmap().Pixel(1, 0), c.expected & 0xFFFFFF) << static_cast<int>(c.rop);
        EXPECT_EQ(canvas.bitmap().Pixel(2, 0), d);
    }
}

TEST(PixelRules, InvertingTwiceRestoresTheImage) {
    BitmapCanvas canvas(40, 30);
    for (int32_t i = 0; i < 30; ++i) canvas.FillRect({0, i, 40, i + 1}, SolidBrush(Rgb(i * 8, 255 - i * 8, 77)));
    const Bitmap before = canvas.bitmap();
    for (const Rop2 rop : {Rop2::XorPen, Rop2::NotXorPen, Rop2::Not}) {
        for (int pass = 0; pass < 2; ++pass) {
            canvas.SetROP2(rop);
            canvas.pen().color = Rgb(0xFF, 0x80, 0x80);
            canvas.brush() = SolidBrush(Rgb(0x20, 0x40, 0x60));
            canvas.Rectangle(2, 2, 20, 15);
            canvas.Ellipse(10, 5, 38, 28);
            const Point triangle[] = {{3, 28}, {25, 3}, {37, 26}};
            canvas.Polygon(triangle);
            canvas.Pie(1, 1, 30, 29, 30, 0, 0, 15);
            canvas.brush().style = BrushStyle::Null;
            canvas.RoundRect(5, 5, 35, 25, 8, 8);
            canvas.Arc(0, 0, 40, 30, 40, 15, 0, 0);
            const Point curve[] = {{1, 1}, {30, 5}, {5, 25}, {38, 28}};
            canvas.PolyBezier(curve);
        }
        EXPECT_TRUE(test::SamePixels(canvas.bitmap(), before)) << static_cast<int>(rop);
    }
}

TEST(PixelRules, DottedInvertedLineErasesItself) {
    BitmapCanvas canvas(20, 6);
    canvas.FillRect({0, 0, 20, 6}, SolidBrush(Rgb(30, 60, 90)));
    const Bitmap before = canvas.bitmap();
    auto dotted = [&] {
        int32_t counter = 0;
        LineDDA(1, 2, 15, 2, [&](int32_t x, int32_t y) {
            if (++counter <= 3) canvas.InvertRect({x, y, x + 1, y + 1});
            if (counter == 7) counter = 0;
        });
    };
    dotted();
    EXPECT_EQ(canvas.bitmap().Pixel(1, 2), Rgb(225, 195, 165));
    EXPECT_EQ(canvas.bitmap().Pixel(4, 2), Rgb(30, 60, 90));
    EXPECT_EQ(canvas.bitmap().Pixel(8, 2), Rgb(225, 195, 165));
    dotted();
    EXPECT_TRUE(test::SamePixels(canvas.bitmap(), before));
}

TEST(PixelRules, BlitsCombineSourcePatternAndDestination) {
    Bitmap source(2, 1);
    source.SetPixel(0, 0, 0x00FF00FF);
    source.SetPixel(1, 0, 0x00000F0F);
    const uint32_t d = 0x0033CC55, pat = 0x00F0F000;
    const struct {
        uint32_t rop;
        uint32_t expected0, expected1;
    } cases[] = {
        {SRCCOPY, 0xFF00FF, 0x000F0F},
        {SRCAND, 0xFF00FF & d, 0x000F0F & d},
        {SRCPAINT, 0xFF00FF | d, 0x000F0F | d},
        {SRCINVERT, 0xFF00FF ^ d, 0x000F0F ^ d},
        {SRCERASE, 0xFF00FF & ~d, 0x000F0F & ~d},
        {NOTSRCCOPY, ~0xFF00FFu, ~0x000F0Fu},
        {NOTSRCERASE, ~(0xFF00FF | d), ~(0x000F0F | d)},
        {MERGEPAINT, ~0xFF00FFu | d, ~0x000F0Fu | d},
        {DSTINVERT, ~d, ~d},
        {PATCOPY, pat, pat},
        {PATINVERT, pat ^ d, pat ^ d},
        {BLACKNESS, 0, 0},
        {WHITENESS, 0xFFFFFF, 0xFFFFFF},
        {0x00B8074A, (0xFF00FF & d) | (pat & ~0xFF00FFu), (0x000F0F & d) | (pat & ~0x000F0Fu)},  // source picks D or P
    };
    for (const auto& c : cases) {
        BitmapCanvas canvas(4, 1);
        canvas.FillRect({0, 0, 4, 1}, SolidBrush(d));
        canvas.brush().color = pat;
        canvas.BitBlt(1, 0, 2, 1, source, 0, 0, c.rop);
        EXPECT_EQ(canvas.bitmap().Pixel(1, 0), c.expected0 & 0xFFFFFF) << std::hex << c.rop;
        EXPECT_EQ(canvas.bitmap().Pixel(2, 0), c.expected1 & 0xFFFFFF) << std::hex << c.rop;
        EXPECT_EQ(canvas.bitmap().Pixel(0, 0), d);
        EXPECT_EQ(canvas.bitmap().Pixel(3, 0), d);
    }
}

TEST(PixelRules, StretchBltRepeatsPixelsAndMirrors) {
    Bitmap source(2, 2);
    source.SetPixel(0, 0, kBlack);
    source.SetPixel(1, 1, kRed);
    BitmapCanvas canvas(8, 4);
    canvas.StretchBlt({0, 0, 4, 4}, source, {0, 0, 2, 2});
    canvas.StretchBlt({8, 0, 4, 4}, source, {0, 0, 2, 2});  // right to left
    EXPECT_EQ(Art(canvas.bitmap()),
              "##....##\n"
              "##....##\n"
              "..oooo..\n"
              "..oooo..\n");
}

TEST(PixelRules, StretchBltMakesOnlyThePixelsThatShow) {
    // A 3 x 3 picture stretched to 7 x 7 on a canvas that shows it whole, and
    // on smaller ones that show only a corner: the shown pixels are the same.
    Bitmap source(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) source.SetPixel(x, y, Rgb(40 * x, 40 * y, 200));
    BitmapCanvas whole(70, 70);
    whole.StretchBlt({0, 0, 70, 70}, source, {0, 0, 3, 3});
    for (const Point shift : {Point{0, 0}, Point{-33, -47}}) {
        BitmapCanvas corner(30, 20);
        corner.StretchBlt({shift.x, shift.y, shift.x + 70, shift.y + 70}, source, {0, 0, 3, 3});
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x)
                ASSERT_EQ(corner.bitmap().Pixel(x, y), whole.bitmap().Pixel(x - shift.x, y - shift.y)) << x << "," << y;
    }

    // A target four million pixels wide of which 10 x 10 show: the pixels
    // under the picture's centre, through the copy and the three-operand path.
    Bitmap checker(2, 2);
    checker.SetPixel(0, 0, kBlack);
    checker.SetPixel(1, 1, kBlack);
    for (const uint32_t rop : {SRCCOPY, 0x00CA0749u}) {  // DPSDxax: the source where the pattern is set
        BitmapCanvas canvas(10, 10);
        canvas.brush() = SolidBrush(Rgb(255, 255, 255));
        canvas.StretchBlt({-2000000, -2000000, 2000000, 2000000}, checker, {0, 0, 2, 2}, rop);
        EXPECT_EQ(test::CountPixels(canvas.bitmap(), kBlack), 100) << std::hex << rop;
    }
    BitmapCanvas smooth(10, 10);
    smooth.SetStretchBltMode(StretchMode::Halftone);
    smooth.StretchBlt({-2000000, -2000000, 2000000, 2000000}, checker, {0, 0, 2, 2});
    EXPECT_EQ(test::CountPixels(smooth.bitmap(), kWhite), 0);
}

TEST(PixelRules, ClipRegionLimitsEveryOutput) {
    BitmapCanvas canvas(12, 12);
    EXPECT_EQ(canvas.IntersectClipRect(2, 2, 8, 8), RegionKind::Simple);
    EXPECT_EQ(canvas.ExcludeClipRect(4, 4, 6, 6), RegionKind::Complex);
    canvas.FillRect({0, 0, 12, 12}, SolidBrush(kBlack));
    canvas.SetPixel(0, 0, kRed);
    canvas.MoveTo(0, 10);
    canvas.LineTo(12, 10);
    EXPECT_EQ(InkBox(canvas.bitmap()), (Rect{2, 2, 8, 8}));
    EXPECT_EQ(test::CountPixels(canvas.bitmap(), kBlack), 36 - 4);
    EXPECT_EQ(canvas.GetPixel(5, 5), CLR_INVALID);
    EXPECT_EQ(canvas.GetPixel(3, 3), kBlack);
    canvas.SelectClipRgn(nullptr);
    canvas.SetPixel(0, 0, kRed);
    EXPECT_EQ(canvas.GetPixel(0, 0), kRed);
}

TEST(PixelRules, FloodFillStopsAtTheBorderOrOtherColours) {
    BitmapCanvas canvas(12, 12);
    canvas.brush().style = BrushStyle::Null;
    canvas.Rectangle(2, 2, 10, 10);
    canvas.brush() = SolidBrush(kRed);
    EXPECT_TRUE(canvas.FloodFill(5, 5, kBlack, FloodFillType::Border));
    EXPECT_EQ(test::CountPixels(canvas.bitmap(), kRed), 36);
    canvas.brush().color = kBlue;
    EXPECT_TRUE(canvas.FloodFill(0, 0, kWhite, FloodFillType::Surface));
    EXPECT_EQ(test::CountPixels(canvas.bitmap(), kBlue), 144 - 64);
    EXPECT_FALSE(canvas.FloodFill(5, 5, kWhite, FloodFillType::Surface));
}

TEST(PixelRules, PieAndChordCloseTheirArcs) {
    BitmapCanvas pie(21, 21);
    pie.brush().color = kRed;
    // A quarter from the right radial counter-clockwise to the top one.
    pie.Pie(0, 0, 21, 21, 21, 10, 10, 0);
    const Rect ink = InkBox(pie.bitmap());
    EXPECT_EQ(ink.right, 21);
    EXPECT_EQ(ink.top, 0);
    EXPECT_GE(ink.left, 9);
    EXPECT_LE(ink.bottom, 12);
    BitmapCanvas chord(21, 21);
    chord.Chord(0, 0, 21, 21, 0, 10, 21, 10);  // the lower half
    EXPECT_EQ(InkBox(chord.bitmap()).top, 10);
    EXPECT_EQ(InkBox(chord.bitmap()).bottom, 21);
}

TEST(PixelRules, BitmapCanvasKeepsPixelsWhenResized) {
    BitmapCanvas canvas(4, 4, 300);
    EXPECT_EQ(canvas.Caps().logPixelsX, 300);
    EXPECT_EQ(canvas.Caps().horzRes, 4);
    canvas.SetPixel(1, 1, kRed);
    canvas.SetSize(8, 2);
    EXPECT_EQ(canvas.bitmap().Pixel(1, 1), kRed);
    EXPECT_EQ(canvas.Caps().horzRes, 8);
    canvas.SetPixel(6, 1, kBlack);
    EXPECT_EQ(canvas.CopyPixels({5, 0, 8, 2}).Pixel(1, 1), kBlack);
    EXPECT_EQ(canvas.Kind(), DeviceKind::Bitmap);
}

// A view's buffer: its memory grows in steps and stays when it shrinks;
// drawing works at every size, and a copy taken of its picture stays as
// it was when the buffer is drawn on again.
TEST(PixelRules, BitmapCanvasSizedForRepaintKeepsItsMemory) {
    BitmapCanvas canvas;
    canvas.SetSizeForRepaint(300, 200);
    const uchar* memory = canvas.bitmap().image().constBits();
    for (const auto& [w, h] : {std::pair{512, 256}, {40, 30}, {511, 100}}) {
        canvas.SetSizeForRepaint(w, h);
        EXPECT_EQ(canvas.bitmap().image().constBits(), memory) << w << "x" << h;
        EXPECT_EQ(canvas.Caps().horzRes, w);
        canvas.FillRect({0, 0, w, h}, SolidBrush(kRed));
        EXPECT_EQ(canvas.bitmap().Pixel(w - 1, h - 1), kRed);
    }
    const QImage copy = canvas.bitmap().image().copy();
    const QImage shared = canvas.bitmap().image();
    canvas.FillRect({0, 0, 10, 10}, SolidBrush(kBlack));
    EXPECT_EQ(shared, copy);
    canvas.SetSizeForRepaint(513, 10);  // beyond the step: new memory
    EXPECT_EQ(canvas.bitmap().Width(), 513);
    canvas.SetPixel(512, 9, kBlack);
    EXPECT_EQ(canvas.bitmap().Pixel(512, 9), kBlack);
    canvas.SetSizeForRepaint(0, 10);
    EXPECT_TRUE(canvas.bitmap().IsEmpty());
}

}  // namespace
}  // namespace gdi
