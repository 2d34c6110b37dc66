// The row-by-row rasterisers of the bitmap backend against the slow way
// (ReferenceRaster.h) on random shapes, mixes and clip regions: the same
// pixels, through an image, through a translated painter and through a
// painter whose pixels the canvas cannot reach.

#include "PixelTestSupport.h"
#include "ReferenceRaster.h"

#include "platform/gdi/ShapeSpans.h"

#include <QtGui/QPainter>
#include <QtGui/QPixmap>

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace gdi {
namespace {

constexpr int kSide = 64;
constexpr Color kPen = Rgb(0x12, 0xA4, 0x56), kFill = Rgb(0xC8, 0x30, 0x9A), kGap = Rgb(0x40, 0x40, 0xF0);

Color FromQRgbForTest(QRgb c) { return Rgb(qRed(c), qGreen(c), qBlue(c)); }

QImage Background() {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) image.setPixel(x, y, qRgb(x * 4, y * 4, (x * y) & 0xFF));
    return image;
}

// Runs the same drawing on the three kinds of raster target a painter canvas
// meets and expects each to end as the reference image.
void ExpectOnEveryTarget(const std::function<void(Canvas&)>& draw, const QImage& expected, const std::string& what) {
    DeviceCaps caps;
    caps.horzRes = caps.physicalWidth = caps.vertRes = caps.physicalHeight = kSide;
    auto compare = [&](const QImage& got, const char* target) {
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                if ((got.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF)) {
                    ADD_FAILURE() << what << " on " << target << ": first difference at " << x << "," << y;
                    return;
                }
            }
        }
    };
    {
        BitmapCanvas canvas(kSide, kSide);
        canvas.StretchBlt({0, 0, kSide, kSide}, Bitmap(Background()), {0, 0, kSide, kSide});
        draw(canvas);
        compare(canvas.bitmap().image(), "an image");
    }
    {
        // A painter moved by (7, 5) on a larger image: device pixels are moved image pixels.
        QImage image(kSide + 10, kSide + 10, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.translate(7, 5);
        painter.drawImage(0, 0, Background());
        {
            PainterCanvas canvas(painter, DeviceKind::Bitmap, caps);
            draw(canvas);
        }
        painter.end();
        compare(image.copy(7, 5, kSide, kSide), "a translated painter");
    }
    {
        QPixmap pixmap = QPixmap::fromImage(Background());
        QPainter painter(&pixmap);
        {
            PainterCanvas canvas(painter, DeviceKind::Bitmap, caps);
            draw(canvas);
        }
        painter.end();
        compare(pixmap.toImage().convertToFormat(QImage::Format_RGB32), "a pixmap");
    }
}

struct Random {
    std::mt19937 engine{20260611};
    int32_t Int(int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(engine); }
    bool Chance(int percent) { return Int(0, 99) < percent; }
    Rect Box() {
        const int32_t l = Int(-12, kSide), t = Int(-12, kSide);
        return {l, t, l + Int(1, 50), t + Int(1, 50)};
    }
    // No clip region, a rectangle, or a region of holes and pieces.
    std::optional<Region> Clip() {
        const int kind = Int(0, 2);
        if (kind == 0) return std::nullopt;
        Region clip = Region::FromRect(Box());
        if (kind == 2) {
            for (int i = 0; i < 3; ++i) {
                Region piece = Chance(50) ? Region::FromRect(Box()) : Region::FromEllipse(Box());
                clip.Combine(clip, piece, Chance(50) ? RegionCombine::Or : RegionCombine::Diff);
            }
        }
        return clip;
    }
};

QRegion Within(const QRegion& area, const std::optional<Region>& clip) {
    const QRegion onCanvas = area.intersected(QRect(0, 0, kSide, kSide));
    return clip ? onCanvas.intersected(clip->qt()) : onCanvas;
}

void PaintVisits(QImage& image, std::span<const QPoint> pixels, const std::optional<Region>& clip, Rop2 mix, Color c) {
    for (const QPoint& p : pixels) test::PaintPixels(image, Within(QRect(p, QSize(1, 1)), clip), mix, c);
}

void Prepare(Canvas& canvas, const std::optional<Region>& clip, Rop2 mix, bool pen) {
    canvas.SelectClipRgn(clip ? &*clip : nullptr);
    canvas.SetROP2(mix);
    canvas.pen() = pen ? Pen{PenStyle::Solid, 0, kPen} : Pen{PenStyle::Null, 0, kPen};
    canvas.brush() = SolidBrush(kFill);
}

TEST(RasterPaths, BoxShapesMatchThePixelByPixelRule) {
    Random random;
    const Canvas::Shape shapes[] = {Canvas::Shape::Ellipse, Canvas::Shape::RoundRect, Canvas::Shape::Pie,
                                    Canvas::Shape::Chord};
    for (int round = 0; round < 160; ++round) {
        const Canvas::Shape shape = shapes[round % 4];
        const Rect box = random.Box();
        const Point a{random.Int(-20, 90), random.Int(-20, 90)}, b{random.Int(-20, 90), random.Int(-20, 90)};
        const Point corner = shape == Canvas::Shape::RoundRect ? Point{random.Int(0, 30), random.Int(0, 30)} : a;
        const bool pen = random.Chance(60);
        const Rop2 mix = random.Chance(50) ? Rop2::CopyPen : Rop2::XorPen;
        const std::optional<Region> clip = random.Clip();

        // With a pen the shape runs on its box and the pen takes its edge;
        // without one it runs through the centres of the box's outer pixels.
        const Rect outline = pen ? box : Rect{box.left, box.top, box.right - 1, box.bottom - 1};
        const ShapeSpans rule(shape, outline, QPointF(a.x, a.y), QPointF(b.x, b.y), {corner.x, corner.y});
        const QRegion area = test::PixelRegion(QRect(box.left, box.top, box.Width(), box.Height()), [&](int x, int y) { return rule.Contains(x, y); });
        QImage expected = Background();
        if (pen) {
            const QRegion inside = test::Eroded(area);
            test::PaintPixels(expected, Within(inside, clip), mix, kFill);
            test::PaintPixels(expected, Within(area.subtracted(inside), clip), mix, kPen);
        } else {
            test::PaintPixels(expected, Within(area, clip), mix, kFill);
        }
        ExpectOnEveryTarget(
            [&](Canvas& c) {
                Prepare(c, clip, mix, pen);
                if (shape == Canvas::Shape::Ellipse) c.Ellipse(box.left, box.top, box.right, box.bottom);
                if (shape == Canvas::Shape::RoundRect) c.RoundRect(box.left, box.top, box.right, box.bottom, corner.x, corner.y);
                if (shape == Canvas::Shape::Pie) c.Pie(box.left, box.top, box.right, box.bottom, a.x, a.y, b.x, b.y);
                if (shape == Canvas::Shape::Chord) c.Chord(box.left, box.top, box.right, box.bottom, a.x, a.y, b.x, b.y);
            },
            expected, "shape " + std::to_string(static_cast<int>(shape)) + " round " + std::to_string(round));
    }
}

TEST(RasterPaths, PolygonsMatchThePixelByPixelRule) {
    Random random;
    for (int round = 0; round < 160; ++round) {
        std::vector<Point> points;
        std::vector<int32_t> counts;
        for (int polygon = random.Int(1, 2); polygon > 0; --polygon) {
            counts.push_back(random.Int(3, 7));
            for (int i = 0; i < counts.back(); ++i) points.push_back({random.Int(-10, kSide + 10), random.Int(-10, kSide + 10)});
        }
        const PolyFillMode mode = random.Chance(50) ? PolyFillMode::Alternate : PolyFillMode::Winding;
        const bool pen = random.Chance(60);
        const Rop2 mix = random.Chance(50) ? Rop2::CopyPen : Rop2::XorPen;
        const std::optional<Region> clip = random.Clip();

        const QRegion area = test::PixelRegion(QRect(-12, -12, kSide + 24, kSide + 24), [&](int x, int y) {
            return test::PolygonContains(points, counts, mode, x, y);
        });
        // Each outline closed, with the pixels of its lines in drawing order.
        std::vector<QPoint> outline;
        size_t start = 0;
        for (const int32_t count : counts) {
            std::vector<QPoint> closed;
            for (int32_t i = 0; i <= count; ++i) {
                const Point& p = points[start + static_cast<size_t>(i % count)];
                if (closed.empty() || closed.back() != QPoint(p.x, p.y)) closed.push_back({p.x, p.y});
            }
            start += static_cast<size_t>(count);
            const std::vector<QPoint> pixels = closed.size() == 1 ? closed : test::ThinPixels(closed);
            outline.insert(outline.end(), pixels.begin(), pixels.end());
        }
        QImage expected = Background();
        QRegion fill = area;
        if (pen && mix != Rop2::CopyPen) {
            for (const QPoint& p : outline) fill -= QRect(p, QSize(1, 1));
        }
        test::PaintPixels(expected, Within(fill, clip), mix, kFill);
        if (pen) PaintVisits(expected, outline, clip, mix, kPen);
        ExpectOnEveryTarget(
            [&](Canvas& c) {
                Prepare(c, clip, mix, pen);
                c.SetPolyFillMode(mode);
                c.PolyPolygon(points, counts);
            },
            expected, "polygon round " + std::to_string(round));
        // A region made of the polygons holds the same pixels.
        EXPECT_TRUE(Region::FromPolyPolygon(points, counts, mode).qt().xored(area).isEmpty()) << round;
    }
}

TEST(RasterPaths, ThinLinesAndDashesMatchTheWalk) {
    Random random;
    const struct {
        PenStyle style;
        std::vector<int> dashes;
    } pens[] = {{PenStyle::Solid, {}}, {PenStyle::Dot, {3, 3}}, {PenStyle::Dash, {18, 6}}};
    for (int round = 0; round < 90; ++round) {
        std::vector<Point> points;
        for (int i = random.Int(2, 5); i > 0; --i) points.push_back({random.Int(-30, kSide + 30), random.Int(-30, kSide + 30)});
        const auto& pen = pens[round % 3];
        const bool opaque = random.Chance(50);
        const Rop2 mix = random.Chance(50) ? Rop2::CopyPen : Rop2::XorPen;
        const std::optional<Region> clip = random.Clip();

        std::vector<QPoint> polyline;
        for (const Point& p : points) {
            if (polyline.empty() || polyline.back() != QPoint(p.x, p.y)) polyline.push_back({p.x, p.y});
        }
        QImage expected = Background();
        PaintVisits(expected, test::ThinPixels(polyline, pen.dashes), clip, mix, kPen);
        if (opaque && !pen.dashes.empty()) PaintVisits(expected, test::ThinPixels(polyline, pen.dashes, true), clip, mix, kGap);
        ExpectOnEveryTarget(
            [&](Canvas& c) {
                Prepare(c, clip, mix, true);
                c.pen().style = pen.style;
                c.SetBkMode(opaque ? BkMode::Opaque : BkMode::Transparent);
                c.SetBkColor(kGap);
                c.Polyline(points);
            },
            expected, "line round " + std::to_string(round));
    }
}

// Where a pixel's centre lies against a wide round pen's stroke along the
// polyline: -1 nearer than half the width, 0 exactly that far, 1 farther.
int DistanceClass(std::span<const Point> line, int32_t width, int32_t x, int32_t y) {
    int best = 1;
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        const int64_t ax = line[i].x, ay = line[i].y, dx = line[i + 1].x - ax, dy = line[i + 1].y - ay;
        const int64_t px = x - ax, py = y - ay, length2 = dx * dx + dy * dy, along = px * dx + py * dy;
        // Four times the squared distance against the squared width, times |ab|² beside an end.
        int64_t left, right;
        if (length2 == 0 || along <= 0) {
            left = 4 * (px * px + py * py), right = int64_t{width} * width;
        } else if (along >= length2) {
            const int64_t qx = px - dx, qy = py - dy;
            left = 4 * (qx * qx + qy * qy), right = int64_t{width} * width;
        } else {
            const int64_t cross = px * dy - py * dx;
            left = 4 * cross * cross, right = int64_t{width} * width * length2;
        }
        best = std::min(best, left < right ? -1 : left == right ? 0 : 1);
    }
    return best;
}

TEST(RasterPaths, WideRoundPensTakeThePixelsNearTheirLines) {
    Random random;
    for (int round = 0; round < 120; ++round) {
        std::vector<Point> points;
        for (int i = random.Int(2, 6); i > 0; --i) points.push_back({random.Int(-15, kSide + 15), random.Int(-15, kSide + 15)});
        const int32_t width = random.Int(2, 9);
        const Rop2 mix = random.Chance(50) ? Rop2::CopyPen : Rop2::XorPen;
        const std::optional<Region> clip = random.Clip();
        auto draw = [&](Canvas& c) {
            Prepare(c, clip, mix, true);
            c.pen().width = width;
            c.Polyline(points);
        };
        BitmapCanvas canvas(kSide, kSide);
        canvas.StretchBlt({0, 0, kSide, kSide}, Bitmap(Background()), {0, 0, kSide, kSide});
        draw(canvas);
        const QImage background = Background(), got = canvas.bitmap().image();
        const QRegion visible = Within(QRect(0, 0, kSide, kSide), clip);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const bool changed = (got.pixel(x, y) & 0xFFFFFF) != (background.pixel(x, y) & 0xFFFFFF);
                const int where = visible.contains(QPoint(x, y)) ? DistanceClass(points, width, x, y) : 1;
                // A centre exactly half the width away may go either way.
                if (where != 0) ASSERT_EQ(changed, where < 0) << "round " << round << " at " << x << "," << y;
            }
        }
        // Each pixel once, whatever the target.
        ExpectOnEveryTarget(draw, got, "wide pen round " + std::to_string(round));
    }
    // Along the axes a line is exactly as many pixels across as the pen is
    // wide; an even width has its extra pixel above or left of the line.
    for (int32_t width = 2; width <= 7; ++width) {
        for (const bool across : {false, true}) {
            BitmapCanvas canvas(40, 40);
            canvas.pen().width = width;
            canvas.MoveTo(across ? 20 : 5, across ? 5 : 20);
            canvas.LineTo(across ? 20 : 35, across ? 35 : 20);
            int32_t ink = 0, first = -1;
            for (int32_t i = 0; i < 40; ++i) {
                if (canvas.bitmap().Pixel(across ? i : 20, across ? 20 : i) != test::kBlack) continue;
                if (first < 0) first = i;
                ++ink;
            }
            EXPECT_EQ(ink, width) << width << " " << across;
            EXPECT_EQ(first, 20 - width / 2) << width << " " << across;
        }
    }
}

TEST(RasterPaths, NestedEllipsesEndAsTheEllipsesDrawnInTurn) {
    Random random;
    for (int round = 0; round < 40; ++round) {
        // Nested boxes as a radial gradient makes them, and boxes at random.
        std::vector<Rect> boxes;
        std::vector<Color> colors;
        const int32_t cx = random.Int(0, kSide), cy = random.Int(0, kSide);
        for (int i = 0; i < 8; ++i) {
            const int32_t r = 40 - 5 * i;
            boxes.push_back(round % 2 ? random.Box() : Rect{cx - r, cy - r, cx + r + round % 3, cy + r});
            colors.push_back(Rgb(30 * i, 255 - 30 * i, 7 * i));
        }
        const std::optional<Region> clip = random.Clip();
        BitmapCanvas stacked(kSide, kSide);
        stacked.StretchBlt({0, 0, kSide, kSide}, Bitmap(Background()), {0, 0, kSide, kSide});
        stacked.SelectClipRgn(clip ? &*clip : nullptr);
        stacked.pen().style = PenStyle::Null;
        for (size_t i = 0; i < boxes.size(); ++i) {
            stacked.brush() = SolidBrush(colors[i]);
            stacked.Ellipse(boxes[i].left, boxes[i].top, boxes[i].right, boxes[i].bottom);
        }
        ExpectOnEveryTarget(
            [&](Canvas& c) {
                Prepare(c, clip, Rop2::CopyPen, false);
                c.NestedEllipses(boxes, colors);
                EXPECT_EQ(c.brush().color, colors.back());
            },
            stacked.bitmap().image(), "nested round " + std::to_string(round));
    }
}

TEST(RasterPaths, InvertingOutputsTouchEachPixelOnce) {
    // Under XOR a pixel that the brush and the pen both reached would show
    // both colours; each pixel must show the brush's or the pen's alone (the
    // outlines do not cross themselves).
    const std::function<void(Canvas&)> outputs[] = {
        [](Canvas& c) { c.Ellipse(5, 8, 58, 50); },
        [](Canvas& c) { c.Pie(2, 2, 60, 60, 60, 10, 10, 60); },
        [](Canvas& c) { c.RoundRect(4, 4, 60, 44, 20, 16); },
        [](Canvas& c) {
            const Point arrow[] = {{32, 2}, {62, 40}, {40, 30}, {36, 62}, {24, 62}, {22, 30}, {2, 40}};
            c.Polygon(arrow);
        },
        [](Canvas& c) {
            c.BeginPath();
            c.MoveTo(3, 40);
            const Point dome[] = {{10, -10}, {54, -10}, {60, 40}};
            c.PolyBezierTo(dome);
            c.LineTo(30, 60);
            c.CloseFigure();
            c.EndPath();
            c.StrokeAndFillPath();
        },
    };
    const struct {
        Pen pen;
        BkMode bkMode;
    } pens[] = {{{PenStyle::Solid, 5, kPen}, BkMode::Transparent},
                {{PenStyle::Dash, 1, kPen}, BkMode::Opaque},
                {{PenStyle::Dot, 6, kPen, true, PenEndCap::Flat, PenJoin::Miter}, BkMode::Transparent}};
    const QImage background = Background();
    for (size_t o = 0; o < std::size(outputs); ++o) {
        for (const auto& p : pens) {
            BitmapCanvas canvas(kSide, kSide);
            canvas.StretchBlt({0, 0, kSide, kSide}, Bitmap(background), {0, 0, kSide, kSide});
            canvas.SetROP2(Rop2::XorPen);
            canvas.pen() = p.pen;
            canvas.SetBkMode(p.bkMode);
            canvas.SetBkColor(kGap);
            canvas.brush() = SolidBrush(kFill);
            outputs[o](canvas);
            int changed = 0;
            for (int y = 0; y < kSide; ++y) {
                for (int x = 0; x < kSide; ++x) {
                    const Color was = FromQRgbForTest(background.pixel(x, y)), now = canvas.bitmap().Pixel(x, y);
                    if (now == was) continue;
                    ++changed;
                    const bool one = now == (was ^ kFill) || now == (was ^ kPen) || now == (was ^ kGap);
                    ASSERT_TRUE(one) << "output " << o << " pen " << static_cast<int>(p.pen.style) << " at " << x << "," << y;
                }
            }
            EXPECT_GT(changed, 400) << o;
        }
    }
}

TEST(RasterPaths, ShapesAtTheLimitsOfThePlaneCostWhatTheyCover) {
    constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;
    // A rectangle turned so far that it collapsed into a line there and back.
    const Point sliver[] = {{kMin, kMax}, {kMin, kMax}, {kMax, kMin}, {kMax, kMin}};
    EXPECT_TRUE(Region::FromPolygon(sliver, PolyFillMode::Alternate).IsEmpty());
    // A triangle over the whole plane: its region ends where devices end.
    const Point huge[] = {{kMin, kMin}, {kMax, 0}, {0, kMax}};
    const Region region = Region::FromPolygon(huge, PolyFillMode::Winding);
    EXPECT_TRUE(region.Contains(0, 0));
    EXPECT_TRUE(region.Contains(-1000000, -1000000));
    const Rect box = region.Box();
    EXPECT_GE(box.left, -(1 << 20));
    EXPECT_LE(box.bottom, 1 << 20);
    // On a canvas only what shows is drawn.
    BitmapCanvas canvas(kSide, kSide);
    canvas.brush() = SolidBrush(kFill);
    canvas.Polygon(huge);
    EXPECT_EQ(test::CountPixels(canvas.bitmap(), kFill), kSide * kSide);
    canvas.brush() = SolidBrush(test::kBlack);
    canvas.Polygon(sliver);
    EXPECT_EQ(test::CountPixels(canvas.bitmap(), test::kBlack), 0);
}

// A wide dashed pen along a line millions of times longer than the surface
// strokes only what shows, with its dashes where the whole line puts them:
// a line that starts a whole number of dash periods earlier looks the same.
TEST(RasterPaths, WideDashesOfAnEndlessLineStandWhereTheWholeLinePutsThem) {
    Pen pen;
    pen.style = PenStyle::Dash;  // 3 widths of dash, 1 of gap: 16 pixels at width 4
    pen.width = 4;
    pen.geometric = true;
    pen.cap = PenEndCap::Flat;
    pen.color = test::kBlack;
    auto draw = [&pen](int32_t from, int32_t to) {
        BitmapCanvas canvas(100, 20);
        canvas.SetPen(pen);
        canvas.MoveTo(from, 10);
        canvas.LineTo(to, 10);
        return canvas.bitmap();
    };
    const Bitmap endless = draw(-16 * 6'250'000, 100'000'000);
    EXPECT_TRUE(test::SamePixels(endless, draw(-1600, 1600)));
    EXPECT_EQ(test::CountPixels(endless, test::kBlack), 100 / 16 * 12 * 4 + 4 * 4);
}

}  // namespace
}  // namespace gdi
