// Float paths, rounded corners and stars, and Bezier points.
#include "foundation/Abrunden.h"
#include "foundation/Exceptions.h"
#include "foundation/FloatKontur.h"
#include "foundation/QBezier.h"
#include "platform/gdi/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <array>
#include <cmath>

namespace {

double DistanceToSegment(TFloatPoint p, TFloatPoint a, TFloatPoint b) {
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 == 0 ? 0 : ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / len2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

std::vector<TFloatPoint> Used(const TFloatKontur& k) { return {k.Points.begin(), k.Points.begin() + k.Count}; }

// The points every LineTo of a recording reached, in order.
std::vector<gdi::Point> LinePoints(const gdi::RecordingCanvas& c) {
    std::vector<gdi::Point> points;
    for (const auto& call : c.Calls()) {
        if (call.op != gdi::RecordedCall::Op::Line) continue;
        if (points.empty() || points.back() != call.points.front()) points.push_back(call.points.front());
        points.push_back(call.points.back());
    }
    return points;
}

}  // namespace

TEST(FloatKontur, CornerArcStaysOnTheQuarterCircle) {
    // Millimetres and pixels alike: radius 10 units, then 10 mm at 300 dpi,
    // then a 15 mm circle on a whole A4 page in the view (2 pixels per mm).
    for (const double scale : {1.0, 300 / 25.4, 1.5}) {
        const float r = static_cast<float>(10 * scale);
        TFloatKontur k(0, 0, 1, 1);
        k.MoveTo(0, 0);
        k.CornerArcTo(r, 0, r, r);
        const std::vector<TFloatPoint> points = Used(k);
        ASSERT_GT(points.size(), 3u);
        EXPECT_EQ(points.back().X, r);
        EXPECT_EQ(points.back().Y, r);
        for (const TFloatPoint& p : points) {
            // Within 0.01 mm of the circle of radius 10 mm about (0, 10 mm).
            EXPECT_NEAR(std::hypot(p.X, p.Y - r), r, 0.01 * scale) << p.X << "," << p.Y;
        }
        // No chord strays more than a quarter unit from the curve, so that a
        // small circle shows no corners.
        for (size_t i = 1; i < points.size(); ++i) {
            for (int s = 1; s < 8; ++s) {
                const double angle = std::atan2(points[i - 1].Y - r, points[i - 1].X) +
                                     (std::atan2(points[i].Y - r, points[i].X) - std::atan2(points[i - 1].Y - r, points[i - 1].X)) * s / 8;
                const TFloatPoint onCircle{static_cast<float>(r * std::cos(angle)), static_cast<float>(r + r * std::sin(angle))};
                EXPECT_LE(DistanceToSegment(onCircle, points[i - 1], points[i]), 0.25 + 0.003 * r);
            }
        }
    }
}

// A curve far larger than the area that shows is followed only there:
// elsewhere its pieces become chords, inside it the points stay as they were.
TEST(FloatKontur, CurvesAreFollowedOnlyWhereTheyShow) {
    auto circle = [](bool limited) {
        TFloatKontur k(0, 0, 1, 1);
        if (limited) k.SetVisibleArea(-20000, 9999000, 20000, 10001000);  // around the bottom of the circle
        k.AddArc(-10000000, -10000000, 10000000, 10000000, 0, 359);
        return k;
    };
    const TFloatKontur whole = circle(false), shown = circle(true);
    EXPECT_GT(whole.Count, 5000);
    EXPECT_LT(shown.Count, 200);
    const std::vector<TFloatPoint> all = Used(whole);
    int32_t inside = 0;
    for (const TFloatPoint& p : Used(shown)) {
        if (std::fabs(p.X) > 20000 || std::fabs(p.Y - 10000000) > 1000) continue;
        ++inside;
        EXPECT_NE(std::find_if(all.begin(), all.end(), [&p](const TFloatPoint& q) { return q.X == p.X && q.Y == p.Y; }),
                  all.end());
    }
    EXPECT_GE(inside, 3);
}

TEST(FloatKontur, CurvesStartAtTheOriginOfAnEmptyContour) {
    TFloatKontur k(5, 7, 1, 1);
    EXPECT_EQ(k.LastPoint().X, 5);  // an empty contour's last point is its origin
    EXPECT_EQ(k.LastPoint().Y, 7);
    k.BezierTo(5, 20, 30, 20, 30, 7);
    ASSERT_GT(k.Count, 2);
    EXPECT_EQ(k.Points[0].X, 5);
    EXPECT_EQ(k.Points[0].Y, 7);
    EXPECT_FLOAT_EQ(k.LastPoint().X, 30);

    // 20 degrees from 350 over 0, not 340 degrees backwards.
    TFloatKontur arc(0, 0, 1, 1);
    arc.AddArc(0, 0, 20, 20, 350, 10);
    for (const TFloatPoint& p : Used(arc)) {
        EXPECT_GT(p.X, 19.3) << p.Y;  // all near the right end of the circle
        EXPECT_NEAR(std::hypot(p.X - 10, p.Y - 10), 10, 0.01);
    }
    EXPECT_NEAR(arc.LastPoint().X, 10 + 10 * std::cos(10 * M_PI / 180), 1e-4);
    EXPECT_NEAR(arc.LastPoint().Y, 10 + 10 * std::sin(10 * M_PI / 180), 1e-4);

    // A segment runs backwards as given; equal angles give one point.
    TFloatKontur seg(0, 0, 1, 1);
    seg.AddEllipseSegment(20, 20, 0, 0, 90, 0);
    EXPECT_NEAR(seg.LastPoint().X, 20, 1e-4);
    EXPECT_NEAR(seg.LastPoint().Y, 10, 1e-4);
    EXPECT_GT(seg.Points[0].Y, 15);  // near 90 degrees: the bottom (y down)
    seg.Clear();
    seg.AddEllipseSegment(0, 0, 20, 20, 180, 180);
    EXPECT_EQ(seg.Count, 1);

    // Polar points: degrees, scaled per axis.
    TFloatKontur polar(100, 50, 40, 20);
    TFloatPoint p;
    polar.LineToPolar(p, 0.5f, 90);
    EXPECT_NEAR(p.X, 100, 1e-4);
    EXPECT_NEAR(p.Y, 60, 1e-4);
    EXPECT_EQ(polar.Count, 1);
    EXPECT_FLOAT_EQ(polar.MirrorX({120, 3}).X, 80);
    EXPECT_FLOAT_EQ(polar.MirrorXY({120, 3}).Y, 97);
}

TEST(FloatKontur, BezierOfHigherDegreeAndRefusals) {
    // A quadratic through three points: its midpoint is (P0 + 2 P1 + P2) / 4.
    TFloatKontur k(0, 0, 1, 1);
    k.MoveTo(0, 0);
    const std::array<TFloatPoint, 3> quad{{{0, 0}, {50, 100}, {100, 0}}};
    EXPECT_TRUE(k.AddBezier(quad));
    bool nearTop = false;
    for (const TFloatPoint& p : Used(k)) nearTop |= std::abs(p.X - 50) < 5 && std::abs(p.Y - 50) < 1;
    EXPECT_TRUE(nearTop);
    const int32_t count = k.Count;
    std::vector<TFloatPoint> many(14, TFloatPoint{1, 1});
    EXPECT_FALSE(k.AddBezier(many));  // degree 13: refused
    EXPECT_FALSE(k.AddBezier(std::span<const TFloatPoint>(many).first(1)));
    EXPECT_EQ(k.Count, count);
    std::vector<TFloatPoint> thirteen(13);
    for (size_t i = 0; i < 13; ++i) thirteen[i] = {static_cast<float>(i * 10), static_cast<float>(i % 2 * 40)};
    EXPECT_TRUE(k.AddBezier(thirteen));
    EXPECT_FLOAT_EQ(k.LastPoint().X, 120);
}

TEST(FloatKontur, GrowsByHundredsAndHandsOutTurnedPoints) {
    TFloatKontur k(10, 10, 1, 1);
    EXPECT_EQ(k.Capacity(), 100);
    for (int i = 0; i < 99; ++i) k.AddPoint(1, 1);
    EXPECT_EQ(k.Capacity(), 100);
    k.AddPoint(1, 1);  // the 100th point fills the array
    EXPECT_EQ(k.Capacity(), 200);
    k.Clear();
    EXPECT_EQ(k.Capacity(), 200);

    for (auto [x, y] : {std::pair{20.f, 10.f}, std::pair{10.f, 20.f}, std::pair{12.5f, 10.f}, std::pair{13.5f, 10.f},
                        std::pair{0.f, 0.f}}) {
        k.AddPoint(x, y);
    }
    std::vector<TPoint> four(4), five(5), six(6);
    EXPECT_THROW(k.ToPointArray(four, 0), Exception);
    EXPECT_THROW(k.ToPointArray(six, 0), Exception);
    k.ToPointArray(five, 0);
    EXPECT_EQ(five[2], (TPoint{12, 10}));  // ties to even
    EXPECT_EQ(five[3], (TPoint{14, 10}));
    k.ToPointArray(five, 90);  // clockwise about the origin on a y-down device
    EXPECT_EQ(five[0], (TPoint{10, 20}));
    EXPECT_EQ(five[1], (TPoint{0, 10}));
    TFloatKontur empty(0, 0, 1, 1);
    empty.ToPointArray(four, 0);  // nothing to write, any array
    EXPECT_EQ(four[0], (TPoint{0, 0}));
}

TEST(QBezier, BernsteinPoints) {
    const std::array<gdi::Point, 3> controls{{{0, 0}, {10, 0}, {10, 10}}};
    std::array<gdi::Point, 5> out;
    BezierPoints(2, 4, controls, out);
    const std::array<gdi::Point, 5> expected{{{0, 0}, {4, 1}, {8, 2}, {9, 6}, {10, 10}}};
    EXPECT_EQ(out, expected);
    std::array<gdi::Point, 6> six;
    QuadBezierPoints(controls, six);
    EXPECT_EQ(six.front(), (gdi::Point{0, 0}));
    EXPECT_EQ(six.back(), (gdi::Point{10, 10}));
    const std::array<gdi::Point, 4> cubic{{{0, 0}, {0, 30}, {30, 30}, {30, 0}}};
    EXPECT_EQ(BezierPoint(3, cubic, 0.5), (gdi::Point{15, 22}));  // 22.5: ties to even
}

TEST(RoundedOutlines, CornerArcReplacesTheCorner) {
    gdi::RecordingCanvas c;
    DrawRoundedCorner(c, {0, 0}, {10, 0}, {10, 10}, 3);
    const std::vector<gdi::Point> points = LinePoints(c);
    // From p1 along the edge, 11 arc points about (7, 3), then to p3.
    ASSERT_EQ(points.size(), 13u);
    EXPECT_EQ(points[0], (gdi::Point{0, 0}));
    EXPECT_EQ(points[1], (gdi::Point{7, 0}));
    EXPECT_EQ(points[11], (gdi::Point{10, 3}));
    EXPECT_EQ(points[12], (gdi::Point{10, 10}));
    for (size_t i = 1; i <= 11; ++i) EXPECT_NEAR(std::hypot(points[i].x - 7, points[i].y - 3), 3, 0.75);

    struct Case { const char* what; gdi::Point a, b, c; int32_t r; std::vector<gdi::Point> expected; };
    const Case cases[] = {
        {"radius 0: the two lines", {0, 0}, {10, 0}, {10, 10}, 0, {{0, 0}, {10, 0}, {10, 10}}},
        {"zero-length edge", {0, 0}, {0, 0}, {10, 10}, 3, {{0, 0}, {10, 10}}},
        {"parallel edges", {0, 0}, {5, 0}, {10, 0}, 3, {{0, 0}, {10, 0}}},
    };
    for (const Case& k : cases) {
        gdi::RecordingCanvas r;
        DrawRoundedCorner(r, k.a, k.b, k.c, k.r);
        EXPECT_EQ(LinePoints(r), k.expected) << k.what;
    }
    // The pen already at p1: no move.
    gdi::RecordingCanvas r;
    r.MoveTo(0, 0);
    DrawRoundedCorner(r, {0, 0}, {10, 0}, {10, 10}, 0);
    EXPECT_EQ(r.CurrentPosition(), (gdi::Point{10, 10}));
}

TEST(RoundedOutlines, StarIsOneClosedLine) {
    gdi::RecordingCanvas c;
    DrawRoundedStar(c, 5, 100, 100, 80, 35, 6);
    const std::vector<gdi::Point> points = LinePoints(c);
    ASSERT_GT(points.size(), 100u);
    EXPECT_EQ(points.front(), points.back());
    // The first tip points along +x: the rightmost point is near (100 + 80 - rounding, 100).
    const auto rightmost = *std::max_element(points.begin(), points.end(), [](auto a, auto b) { return a.x < b.x; });
    EXPECT_GT(rightmost.x, 165);
    EXPECT_LE(rightmost.x, 180);
    EXPECT_NEAR(rightmost.y, 100, 2);
    for (const gdi::Point& p : points) EXPECT_LE(std::hypot(p.x - 100, p.y - 100), 80.5);
    gdi::RecordingCanvas none;
    DrawRoundedStar(none, 0, 0, 0, 10, 5, 1);
    EXPECT_TRUE(none.Calls().empty());
}
