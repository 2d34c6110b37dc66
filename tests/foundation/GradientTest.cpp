// Gradient palettes (stops and colour ramp) and the four gradient renderers.
#include "foundation/Exceptions.h"
#include "foundation/Gradient.h"
#include "foundation/GradientPalette.h"
#include "foundation/MyMemIniFile.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/RecordingCanvas.h"
#include "support/Colors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

std::vector<std::pair<int32_t, gdi::Color>> Stops(const TGradientpalette& p) {
    std::vector<std::pair<int32_t, gdi::Color>> stops;
    for (int32_t i = 0; i < p.Count(); ++i) stops.emplace_back(p.Items(i)->Position(), p.Items(i)->Color());
    return stops;
}

}  // namespace

TEST(GradientPalette, RampIsSmoothBetweenStopsWithFlatMargins) {
    TGradientpalette p(kBlack, kWhite);
    p.SetRampSize(3);
    EXPECT_EQ(p.ColorAt(0), kBlack);
    EXPECT_EQ(p.ColorAt(1), gdi::Rgb(128, 128, 128));  // smoothstep 0.5: round(127.5) = 128
    EXPECT_EQ(p.ColorAt(2), kWhite);
    EXPECT_EQ(p.ColorAt(-5), kBlack);  // clamped
    EXPECT_EQ(p.ColorAt(99), kWhite);

    // With 255 entries the ramp is the master table itself.
    p.SetRampSize(255);
    p.SetEdgeMargin(0.2);
    for (int32_t k : {0, 30, 51}) EXPECT_EQ(p.ColorAt(k), kBlack) << k;
    EXPECT_NE(p.ColorAt(60), kBlack);
    EXPECT_NE(p.ColorAt(195), kWhite);
    for (int32_t k : {204, 230, 254}) EXPECT_EQ(p.ColorAt(k), kWhite) << k;
    // Smooth: the steps grow towards the middle and shrink again.
    EXPECT_LT(gdi::RedOf(p.ColorAt(60)) - gdi::RedOf(p.ColorAt(59)), gdi::RedOf(p.ColorAt(128)) - gdi::RedOf(p.ColorAt(127)));

    p.SetEdgeMargin(7);  // clamped
    EXPECT_DOUBLE_EQ(p.EdgeMargin(), 0.49);
    p.SetEdgeMargin(std::nan(""));
    EXPECT_DOUBLE_EQ(p.EdgeMargin(), 0);
    p.SetRampSize(0);  // no ramp at all still answers
    EXPECT_EQ(p.ColorAt(0), kBlack);
}

TEST(GradientPalette, StopsStaySortedAndNotify) {
    TGradientpalette p(kBlack, kWhite);
    int changes = 0;
    p.OnChange = [&](TGradientpalette&) { ++changes; };
    TGradientEntry* red = p.Add(50, gdi::Rgb(255, 0, 0));
    EXPECT_EQ(changes, 1);
    red->SetPos(5);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(p.Items(1), red);
    red->SetColor(gdi::Rgb(0, 255, 0));
    EXPECT_EQ(changes, 3);
    p.Remove(red);
    EXPECT_EQ(p.Count(), 2);
    p.Remove(nullptr);  // not a stop: still a change
    EXPECT_EQ(changes, 5);

    // Assign copies stops and ramp size, not the margin, and stays silent.
    TGradientpalette other(kWhite, kBlack);
    other.Add(40, gdi::Rgb(1, 2, 3));
    other.SetRampSize(17);
    p.SetEdgeMargin(0.1);
    changes = 0;
    p.Assign(other);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(Stops(p), Stops(other));
    EXPECT_EQ(p.RampSize(), 17);
    EXPECT_DOUBLE_EQ(p.EdgeMargin(), 0.1);
}

TEST(GradientPalette, LoadingNormalisesTheStops) {
    struct Case {
        const char* what;
        std::vector<std::pair<int32_t, gdi::Color>> stored, loaded;
    };
    const Case cases[] = {
        {"one stop: black added at 0, the stop moved to 100", {{30, 0x123456}}, {{0, kBlack}, {100, 0x123456}}},
        {"none: two black stops", {}, {{0, kBlack}, {100, kBlack}}},
        {"unsorted, ends moved to 0 and 100", {{90, 1}, {10, 2}, {50, 3}}, {{0, 2}, {50, 3}, {100, 1}}},
        {"already normal", {{0, 1}, {100, 2}}, {{0, 1}, {100, 2}}},
        {"inner stops beyond the ends are brought between them", {{-50, 1}, {-20, 2}, {300, 3}, {150, 4}},
         {{0, 1}, {0, 2}, {100, 4}, {100, 3}}},
    };
    for (const Case& c : cases) {
        TMemoryStream s;
        StreamWriteInt(s, static_cast<int32_t>(c.stored.size()));
        for (auto [pos, color] : c.stored) {
            StreamWriteInt(s, pos);
            StreamWriteColor(s, color);
        }
        s.SetPosition(0);
        TGradientpalette p(kWhite, kWhite);
        p.LoadFromStream(s);
        EXPECT_EQ(Stops(p), c.loaded) << c.what;
        EXPECT_EQ(s.Remaining(), 0) << c.what;
    }

    // A count larger than the bytes that remain is refused before anything changes.
    TMemoryStream s;
    StreamWriteInt(s, 100000000);
    StreamWriteInt(s, 0);
    s.SetPosition(0);
    TGradientpalette p(kWhite, kBlack);
    EXPECT_THROW(p.LoadFromStream(s), EReadError);
    EXPECT_EQ(p.Count(), 2);
}

TEST(GradientPalette, IniRoundTripAndDamagedCounts) {
    TGradientpalette p(kBlack, kWhite);
    p.Add(25, 0x00FF00);
    TMyMemIniFile ini;
    p.SaveToIni(ini, "Sonne");
    EXPECT_EQ(ini.ReadInteger("Sonne", "PalNumColor", 0), 3);
    EXPECT_EQ(ini.ReadInteger("Sonne", "PalPos1", 0), 25);
    EXPECT_EQ(ini.ReadInteger("Sonne", "PalColor1", 0), 0x00FF00);
    TGradientpalette q(kWhite, kWhite);
    q.LoadFromIni(ini, "Sonne");
    EXPECT_EQ(Stops(q), Stops(p));

    // A damaged count gives no more stops than the section has values.
    ini.WriteInteger("Kaputt", "PalNumColor", 2000000000);
    ini.WriteInteger("Kaputt", "PalPos0", 0);
    q.LoadFromIni(ini, "Kaputt");
    EXPECT_LE(q.Count(), 2);
    q.LoadFromIni(ini, "Fehlt");  // a missing section: two black stops
    EXPECT_EQ(Stops(q), (std::vector<std::pair<int32_t, gdi::Color>>{{0, kBlack}, {100, kBlack}}));
}

// ---- renderers

namespace {

constexpr gdi::Rect kBox{10, 10, 110, 90};  // 100 x 80

enum class Kind { Linear, Radial, Cone, Square };

int32_t Grey(gdi::Color c) { return static_cast<int32_t>(gdi::RedOf(c)); }

// Renders black-to-white into kBox on a red canvas.
gdi::Bitmap Render(Kind kind, double angle, double offsetX = 0, double offsetY = 0) {
    gdi::BitmapCanvas canvas(120, 100);
    canvas.FillRect({0, 0, 120, 100}, gdi::SolidBrush(kRed));
    TGradientpalette palette(kBlack, kWhite);
    switch (kind) {
        case Kind::Linear: GradientLinear(canvas, kBox, palette, angle, 0, 1); break;
        case Kind::Radial: GradientRadial(canvas, kBox, palette, offsetX, offsetY, 0, 1); break;
        case Kind::Cone: GradientCone(canvas, kBox, palette, offsetX, offsetY, angle); break;
        case Kind::Square: GradientRect(canvas, kBox, palette, offsetX, offsetY, angle, 0, 1); break;
    }
    EXPECT_EQ(palette.RampSize(), 256);  // restored
    return canvas.bitmap();
}

// Checks that every pixel of kBox is painted in grey and that the grey
// level follows `level` (a larger level never gives a darker pixel, apart
// from pixels whose levels differ by less than `slack`).
void ExpectOrdered(const gdi::Bitmap& b, const std::function<double(double, double)>& level, double slack,
                   const std::string& what) {
    struct Sample { double level; int32_t grey; };
    std::vector<Sample> samples;
    int bad = 0;
    for (int32_t y = kBox.top; y < kBox.bottom; ++y) {
        for (int32_t x = kBox.left; x < kBox.right; ++x) {
            const gdi::Color c = b.Pixel(x, y);
            if (!(gdi::RedOf(c) == gdi::GreenOf(c) && gdi::GreenOf(c) == gdi::BlueOf(c)) && ++bad < 3) {
                ADD_FAILURE() << what << ": pixel not painted at " << x << "," << y;
            }
            if (x % 3 == 0 && y % 3 == 0) samples.push_back({level(x + 0.5, y + 0.5), Grey(c)});
        }
    }
    for (const Sample& p : samples) {
        for (const Sample& q : samples) {
            if (p.level + slack < q.level && p.grey > q.grey && ++bad < 3) {
                ADD_FAILURE() << what << ": level " << p.level << " grey " << p.grey << " but level " << q.level
                              << " grey " << q.grey;
            }
        }
    }
    // The whole ramp is used: black and white both appear.
    int32_t darkest = 255, lightest = 0;
    for (const Sample& s : samples) {
        darkest = std::min(darkest, s.grey);
        lightest = std::max(lightest, s.grey);
    }
    EXPECT_LT(darkest, 40) << what;
    EXPECT_GT(lightest, 215) << what;
    EXPECT_EQ(bad, 0) << what;
}

constexpr double kCx = kBox.left + 50, kCy = kBox.top + 40;

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

}  // namespace

TEST(GradientRenderers, BandsFollowTypeAndAngle) {
    for (double angle : {0.0, 45.0, 90.0}) {
        const double a = Radians(angle);
        const std::string at = " at " + std::to_string(static_cast<int>(angle));
        // Linear: light grows along the turned x axis.
        ExpectOrdered(Render(Kind::Linear, angle),
                      [&](double x, double y) { return (x - kCx) * std::cos(a) + (y - kCy) * std::sin(a); }, 2.5,
                      "linear" + at);
        // Square: dark outside, light at the centre, in squares turned by the angle.
        ExpectOrdered(Render(Kind::Square, angle),
                      [&](double x, double y) {
                          const double u = (x - kCx) * std::cos(a) + (y - kCy) * std::sin(a);
                          const double v = -(x - kCx) * std::sin(a) + (y - kCy) * std::cos(a);
                          return -std::max(std::abs(u), std::abs(v));
                      },
                      2.5, "square" + at);
        // Cone: dark along the angle, light opposite, symmetric on both sides.
        ExpectOrdered(Render(Kind::Cone, angle),
                      [&](double x, double y) {
                          double d = std::atan2(y - kCy, x - kCx) - a;
                          d = std::remainder(d, 2 * std::numbers::pi);
                          return std::abs(d) * 180 / std::numbers::pi;
                      },
                      6.0, "cone" + at);
    }
    // Radial: dark outside, light at the centre; the offsets move the centre
    // by fractions of the width (also vertically).
    for (auto [ox, oy] : {std::pair{0.0, 0.0}, std::pair{0.25, 0.0}, std::pair{0.0, -0.2}}) {
        const double cx = kBox.left + std::trunc(100 * ox) + 50, cy = kBox.top + std::trunc(100 * oy) + 40;
        ExpectOrdered(Render(Kind::Radial, 0, ox, oy),
                      [&](double x, double y) { return -std::hypot(x - cx, y - cy); }, 2.5,
                      "radial " + std::to_string(ox) + "," + std::to_string(oy));
    }
}

TEST(GradientRenderers, BandCountsAndCentres) {
    TGradientpalette palette(kBlack, kWhite);
    auto polygons = [](const gdi::RecordingCanvas& c, gdi::RecordedCall::Op op) {
        return std::count_if(c.Calls().begin(), c.Calls().end(), [op](const auto& call) { return call.op == op; });
    };
    {
        // 100 x 50 at 0 degrees: the band area is 102 pixels wide.
        gdi::RecordingCanvas c;
        GradientLinear(c, {0, 0, 100, 50}, palette, 0, 0, 1);
        EXPECT_EQ(polygons(c, gdi::RecordedCall::Op::Polygon), 102);
        EXPECT_EQ(c.Calls().front().state.pen.style, gdi::PenStyle::Null);
        EXPECT_EQ(c.pen().style, gdi::PenStyle::Solid);  // left solid
        // The first band starts on the left edge of the band area, one pixel out.
        EXPECT_EQ(c.Calls().front().points.front(), (gdi::Point{-1, -1}));
        // Steps of 3 pixels give a third of the bands.
        gdi::RecordingCanvas c3;
        GradientLinear(c3, {0, 0, 100, 50}, palette, 0, 0, 3);
        EXPECT_EQ(polygons(c3, gdi::RecordedCall::Op::Polygon), 34);
    }
    {
        // Offsets (0.5, 0) in 100 x 100: centre (100, 50), far corner (0, 100).
        gdi::RecordingCanvas c;
        GradientRadial(c, {0, 0, 100, 100}, palette, 0.5, 0, 0, 1);
        ASSERT_EQ(polygons(c, gdi::RecordedCall::Op::Shape), 111);  // d = 111
        EXPECT_EQ(c.Calls().front().rect, (gdi::Rect{100 - 113, 50 - 113, 100 + 113, 50 + 113}));  // Ro = 113
        EXPECT_EQ(c.Calls().front().state.brush.color, kBlack);
    }
    {
        // The cone paints 2 x (n + 1) wedges with a ramp of n + 1 colours.
        gdi::RecordingCanvas c;
        palette.SetRampSize(10);
        GradientCone(c, {0, 0, 100, 100}, palette, 0, 0, 0);
        EXPECT_EQ(polygons(c, gdi::RecordedCall::Op::Polygon), 22);
        EXPECT_EQ(c.Calls().back().state.brush.color, kWhite);
        EXPECT_EQ(palette.RampSize(), 10);
        palette.SetRampSize(256);
    }
}

TEST(GradientRenderers, BoxesTooSmallForOneBandDrawNothing) {
    TGradientpalette palette(kBlack, kWhite);
    int changes = 0;
    palette.OnChange = [&](TGradientpalette&) { ++changes; };
    for (const gdi::Rect& r : {gdi::Rect{0, 0, 0, 0}, gdi::Rect{5, 5, 5, 40}, gdi::Rect{0, 0, 2, 2}}) {
        gdi::RecordingCanvas c;
        GradientRadial(c, r, palette, 0, 0, 0, 4);
        GradientRect(c, r, palette, 0.5, 0.5, 0, 0, 8);
        if (r.IsEmpty()) {
            GradientLinear(c, r, palette, 30, 0, 1);
            GradientCone(c, r, palette, 0, 0, 0);
        }
        EXPECT_TRUE(c.Calls().empty()) << r.left << "," << r.right;
    }
    gdi::RecordingCanvas c;
    palette.SetRampSize(0);
    changes = 0;
    GradientCone(c, {0, 0, 10, 10}, palette, 0, 0, 0);
    GradientLinear(c, {0, 0, 10, 10}, palette, 0, 0, 1);
    EXPECT_TRUE(c.Calls().empty());
    EXPECT_EQ(changes, 0);
}

TEST(GradientRenderers, RingsEndAsTheBandsPaintedOneOverTheOther) {
    // A recording keeps the bands as whole circles and squares; painted one
    // over the other they must give the pixels of the rings that a bitmap
    // gets, where each pixel is painted once.
    const struct {
        Kind kind;
        double angle, offsetX, offsetY;
    } cases[] = {{Kind::Radial, 0, 0, 0}, {Kind::Radial, 0, 0.3, -0.4}, {Kind::Square, 0, 0, 0},
                 {Kind::Square, 30, 0.2, 0.1}, {Kind::Square, 45, -0.5, 0.5}};
    for (const auto& c : cases) {
        TGradientpalette palette(kBlack, kWhite);
        palette.Add(30, gdi::Rgb(200, 40, 10));
        gdi::RecordingCanvas recording;
        gdi::BitmapCanvas rings(120, 100);
        for (gdi::Canvas* canvas : {static_cast<gdi::Canvas*>(&recording), static_cast<gdi::Canvas*>(&rings)}) {
            if (c.kind == Kind::Radial) GradientRadial(*canvas, kBox, palette, c.offsetX, c.offsetY, 0.1, 1);
            if (c.kind == Kind::Square) GradientRect(*canvas, kBox, palette, c.offsetX, c.offsetY, c.angle, 0.1, 1);
        }
        gdi::BitmapCanvas stacked(120, 100);
        stacked.pen().style = gdi::PenStyle::Null;
        for (const gdi::RecordedCall& call : recording.Calls()) {
            stacked.brush() = call.state.brush;
            if (call.op == gdi::RecordedCall::Op::Shape) {
                stacked.Ellipse(call.rect.left, call.rect.top, call.rect.right, call.rect.bottom);
            } else {
                ASSERT_EQ(call.op, gdi::RecordedCall::Op::Polygon);
                stacked.Polygon(std::span(call.points).first(static_cast<size_t>(call.counts.front())));
            }
        }
        EXPECT_TRUE(rings.bitmap().image() == stacked.bitmap().image()) << static_cast<int>(c.kind) << " " << c.angle;
    }
}
