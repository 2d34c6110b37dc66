// Text on a circle (fixed metrics: characters 10 wide, ascent 16, descent 4)
// and the glyph outline walker.
#include "FixedMetricCanvas.h"

#include "foundation/CircleText.h"
#include "foundation/TtfHelp.h"
#include "foundation/ZRRegIniFile.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/GlyphOutline.h"
#include "platform/registry/RegistryStore.h"
#include "support/FakePrinter.h"

#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr gdi::Rect kDisc{0, 0, 200, 200};  // radius 100 about (100, 100)

}  // namespace

TEST(CircleText, SpanFollowsWidthAndSpacing) {
    for (auto [spacing, span] : {std::pair{1.0, 0.4}, std::pair{2.0, 0.7}, std::pair{0.5, 0.25}}) {
        FixedMetricCanvas canvas;
        TCircleTextGeometry g;
        DrawTextOnCircle(canvas, kDisc, kCircleTextUpper, 0, "ABCD", spacing, g, true);
        EXPECT_NEAR(g.Span, span, 1e-12) << spacing;  // (10 + 30 x spacing) / 100
        EXPECT_EQ(g.Radius, 100);
        EXPECT_EQ(g.BaseRadius, 100 - 16 - 1);
        // Upper arc: the text runs clockwise, its middle at the top.
        EXPECT_NEAR(g.EndAngle - g.StartAngle, span - 0.05, 1e-12);
    }
    FixedMetricCanvas canvas;
    TCircleTextGeometry g;
    DrawTextOnCircle(canvas, kDisc, kCircleTextLower, 0, "ABCD", 1, g, true);
    EXPECT_EQ(g.BaseRadius, 100 - 20);
    EXPECT_NEAR(g.StartAngle - g.EndAngle, 0.4, 1e-12);
    EXPECT_NEAR((g.StartAngle + g.EndAngle) / 2, 3.1415 / 2, 1e-12);  // centred on the bottom (+90 degrees)

    // An empty circle draws nothing and leaves the geometry alone.
    TCircleTextGeometry untouched;
    untouched.Radius = 77;
    FixedMetricCanvas empty;
    DrawTextOnCircle(empty, {10, 10, 11, 300}, kCircleTextUpper, 0, "AB", 1, untouched, true);
    EXPECT_EQ(untouched.Radius, 77);
    EXPECT_TRUE(empty.Calls().empty());
}

TEST(CircleText, TextReadsLeftToRightOnTopAndBottom) {
    for (int32_t mode : {kCircleTextUpper, kCircleTextLower}) {
        FixedMetricCanvas canvas;
        canvas.font().escapement = 450;
        canvas.SetTextAlign(gdi::TA_RIGHT | gdi::TA_BASELINE);
        TCircleTextGeometry g;
        DrawTextOnCircle(canvas, kDisc, mode, 0, "ABCDEFG", 1, g, true);
        const auto lines = canvas.TextLines();
        ASSERT_EQ(lines.size(), 7u);
        double sumX = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            sumX += lines[i].at.x;
            if (i > 0) {
                EXPECT_GT(lines[i].at.x, lines[i - 1].at.x) << mode;
            }
            if (mode == kCircleTextUpper) {
                EXPECT_LT(lines[i].at.y, 40) << i;
            } else {
                EXPECT_GT(lines[i].at.y, 160) << i;
            }
        }
        // Centred: the characters' mean position lies close to the vertical axis.
        EXPECT_NEAR(sumX / 7 + 5, 100, 6) << mode;
        // Turned along the arc: the ends lean opposite ways, the middle is upright.
        const int32_t sign = mode == kCircleTextUpper ? 1 : -1;
        EXPECT_GT(sign * lines.front().escapement, 100);
        EXPECT_LT(sign * lines.back().escapement, -100);
        EXPECT_NEAR(lines[3].escapement, 0, 60);
        EXPECT_EQ(canvas.Calls()[0].state.textAlign, mode == kCircleTextUpper ? gdi::TA_BOTTOM : gdi::TA_TOP);
        // Afterwards: unturned font, top-left alignment.
        EXPECT_EQ(canvas.font().escapement, 0);
        EXPECT_EQ(canvas.GetTextAlign(), gdi::TA_LEFT | gdi::TA_TOP);
    }
    // An angle moves the text along the circle: 90 degrees puts the upper
    // arc's text on the right side.
    FixedMetricCanvas canvas;
    TCircleTextGeometry g;
    DrawTextOnCircle(canvas, kDisc, kCircleTextUpper, 90, "ABC", 1, g, true);
    for (const auto& line : canvas.TextLines()) EXPECT_GT(line.at.x, 160);
}

TEST(CircleText, OutlinesInsteadOfTurnedFonts) {
    FixedMetricCanvas canvas;
    canvas.font().faceName = "Arial";
    canvas.font().height = -20;
    canvas.SetTextColor(0x2040C0);
    canvas.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
    TCircleTextGeometry g;
    DrawTextOnCircle(canvas, kDisc, kCircleTextUpper, 0, "AB C", 1, g, false);
    EXPECT_EQ(g.BaseRadius, 100 - 16 - 1);  // reported as for turned fonts
    int polygons = 0;
    for (const auto& call : canvas.Calls()) {
        ASSERT_EQ(call.op, gdi::RecordedCall::Op::Polygon);  // no text calls
        EXPECT_EQ(call.state.brush.style, gdi::BrushStyle::Solid);
        EXPECT_EQ(call.state.brush.color, 0x2040C0u);
        EXPECT_EQ(call.state.pen.style, gdi::PenStyle::Null);
        EXPECT_EQ(call.state.font.escapement, 0);
        ++polygons;
    }
    EXPECT_EQ(polygons, 3);  // the space has no outline
    // The outlines lie on the upper arc, outside the baseline radius r + descent - ascent.
    for (const auto& call : canvas.Calls()) {
        for (const gdi::Point& p : call.points) {
            EXPECT_LT(p.y, 60);
            EXPECT_LT(std::hypot(p.x - 100, p.y - 100), 100 + 2);
        }
    }
}

TEST(CircleText, NoRotateSwitchesOffTurnedFontsOnThePrinterOnly) {
    QTemporaryDir dir;
    UseSettingsFile(dir.filePath("store"));
    auto printer = std::make_unique<gdi::test::FakePrinter>();
    gdi::test::FakePrinter& fake = *printer;
    gdi::SetCurrentPrinter(std::move(printer));
    gdi::BitmapCanvas screen(10, 10);

    fake.BeginDoc("Rund");
    EXPECT_TRUE(UseRotatedFonts(fake.GetCanvas()));
    Settings().WriteInteger("Drucker", "NoRotate", 1);
    EXPECT_FALSE(UseRotatedFonts(fake.GetCanvas()));  // read afresh
    EXPECT_TRUE(UseRotatedFonts(screen));

    // Printing draws filled outlines instead of turned text.
    gdi::Canvas& c = fake.GetCanvas();
    c.font().height = -40;
    TCircleTextGeometry g;
    DrawTextOnCircle(c, {0, 0, 600, 600}, kCircleTextLower, 0, "Rund", 1, g);
    bool anyText = false, anyPolygon = false;
    for (const auto& call : fake.Recording().Calls()) {
        anyText |= call.op == gdi::RecordedCall::Op::Text;
        anyPolygon |= call.op == gdi::RecordedCall::Op::Polygon;
    }
    EXPECT_FALSE(anyText);
    EXPECT_TRUE(anyPolygon);
    Settings().WriteInteger("Drucker", "NoRotate", 0);
    EXPECT_TRUE(UseRotatedFonts(fake.GetCanvas()));
    fake.EndDoc();

    gdi::SetCurrentPrinter(std::make_unique<gdi::test::FakePrinter>());
    UseSettingsFile(registry::Store::DefaultFilePath());
}

// ---- the outline walker

namespace {

class OutlineBuilder {
public:
    // A contour header; cb is filled in by End unless given.
    OutlineBuilder& Contour(double x, double y, uint32_t type = gdi::kPolygonContour) {
        headerAt_ = data_.size();
        U32(0);
        U32(type);
        Fixed(x);
        Fixed(y);
        return *this;
    }
    OutlineBuilder& Record(uint16_t type, std::vector<std::pair<double, double>> points, int extraCount = 0) {
        U16(type);
        U16(static_cast<uint16_t>(points.size() + extraCount));
        for (auto [x, y] : points) {
            Fixed(x);
            Fixed(y);
        }
        return *this;
    }
    OutlineBuilder& End(int64_t cbDelta = 0) {
        const uint32_t cb = static_cast<uint32_t>(static_cast<int64_t>(data_.size() - headerAt_) + cbDelta);
        for (int i = 0; i < 4; ++i) data_[headerAt_ + static_cast<size_t>(i)] = static_cast<uint8_t>(cb >> (8 * i));
        return *this;
    }
    std::vector<uint8_t> Data() const { return data_; }

private:
    void U16(uint16_t v) {
        data_.push_back(static_cast<uint8_t>(v));
        data_.push_back(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) data_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void Fixed(double v) { U32(static_cast<uint32_t>(gdi::ToFixed(v))); }
    std::vector<uint8_t> data_;
    size_t headerAt_ = 0;
};

using Points = std::vector<gdi::Point>;

}  // namespace

TEST(GlyphOutlineWalker, LinesSplinesAndClosing) {
    // A square: three line points, then the start (fraction dropped) and the first point again.
    const TGlyphPolygons square = GlyphOutlinePolygons(
        OutlineBuilder().Contour(0.75, 0).Record(gdi::kLineRecord, {{10, 0}, {10, 10}, {0, 10}}).End().Data());
    EXPECT_EQ(square.points, (Points{{10, 0}, {10, -10}, {0, -10}, {0, 0}, {10, 0}}));
    EXPECT_EQ(square.counts, (std::vector<int32_t>{5}));

    // One quadratic piece: six points from the start to the end.
    const TGlyphPolygons one = GlyphOutlinePolygons(
        OutlineBuilder().Contour(0, 0).Record(gdi::kQSplineRecord, {{10, 0}, {10, 10}}).End().Data());
    EXPECT_EQ(one.points, (Points{{0, 0}, {4, 0}, {6, -2}, {8, -4}, {10, -6}, {10, -10}, {0, 0}, {0, 0}}));

    // Two control points: the curve passes through their midpoint (10, 5).
    const TGlyphPolygons two = GlyphOutlinePolygons(
        OutlineBuilder().Contour(0, 0).Record(gdi::kQSplineRecord, {{10, 0}, {10, 10}, {0, 10}}).End().Data());
    ASSERT_EQ(two.points.size(), 14u);
    EXPECT_EQ(two.points[5], (gdi::Point{10, -5}));
    EXPECT_EQ(two.points[6], (gdi::Point{10, -5}));
    EXPECT_EQ(two.points[11], (gdi::Point{0, -10}));

    // A record starts where the previous one ended.
    const TGlyphPolygons chained = GlyphOutlinePolygons(OutlineBuilder()
                                                            .Contour(0, 0)
                                                            .Record(gdi::kLineRecord, {{20, 0}})
                                                            .Record(gdi::kQSplineRecord, {{20, 20}, {0, 20}})
                                                            .End()
                                                            .Data());
    EXPECT_EQ(chained.points[1], (gdi::Point{20, 0}));

    // Halves round up, away from the integer part below.
    const TGlyphPolygons rounding = GlyphOutlinePolygons(
        OutlineBuilder().Contour(0, 0).Record(gdi::kLineRecord, {{1.5, -1.5}, {2.49, 0.5}, {-2.5, 2}}).End().Data());
    EXPECT_EQ(Points(rounding.points.begin(), rounding.points.begin() + 3), (Points{{2, 1}, {2, -1}, {-2, -2}}));
}

TEST(GlyphOutlineWalker, DamagedDataIsWalkedOnlyAsFarAsItFits) {
    struct Case { const char* what; std::vector<uint8_t> data; std::vector<int32_t> counts; };
    std::vector<uint8_t> cut = OutlineBuilder().Contour(0, 0).Record(gdi::kLineRecord, {{5, 5}, {6, 6}}).End().Data();
    cut.resize(cut.size() - 3);
    const Case cases[] = {
        {"nothing", {}, {}},
        {"a header cut short", {24, 0, 0, 0, 24, 0}, {}},
        {"contour size beyond the data", OutlineBuilder().Contour(0, 0).Record(gdi::kLineRecord, {{5, 5}}).End(1).Data(), {}},
        {"contour size below a header", OutlineBuilder().Contour(0, 0).End(-10).Data(), {}},
        {"not a polygon contour", OutlineBuilder().Contour(0, 0, 7).Record(gdi::kLineRecord, {{5, 5}}).End().Data(), {}},
        {"data cut in a record", cut, {}},
        {"a record claiming more points than its contour holds",
         OutlineBuilder().Contour(0, 0).Record(gdi::kLineRecord, {{5, 5}}).Record(gdi::kLineRecord, {{6, 6}}, 1000).End().Data(),
         {3}},
        {"an unknown record kind", OutlineBuilder().Contour(0, 0).Record(3, {{5, 5}, {6, 6}, {7, 7}}).End().Data(), {2}},
        {"a one-point spline", OutlineBuilder().Contour(0, 0).Record(gdi::kQSplineRecord, {{5, 5}}).End().Data(), {3}},
        {"a contour without records, then another",
         OutlineBuilder().Contour(1, 1).End().Contour(0, 0).Record(gdi::kLineRecord, {{5, 5}}).End().Data(), {2, 3}},
    };
    for (const Case& c : cases) EXPECT_EQ(GlyphOutlinePolygons(c.data).counts, c.counts) << c.what;

    // Far more points and contours than a buffer of 1024 would hold: the
    // line record of 3000 points is taken whole and passes 1000, so the
    // spline record after it adds nothing and the contour is closed; every
    // further contour ends after its first record.
    OutlineBuilder big;
    std::vector<std::pair<double, double>> many;
    for (int i = 0; i < 3000; ++i) many.push_back({i % 100, i / 100});
    big.Contour(0, 0).Record(gdi::kLineRecord, many).Record(gdi::kQSplineRecord, many).End();
    for (int i = 0; i < 600; ++i)
        big.Contour(i, 0).Record(gdi::kLineRecord, {{i, 5}}).Record(gdi::kQSplineRecord, {{i, 6}, {i, 7}}).End();
    const TGlyphPolygons limited = GlyphOutlinePolygons(big.Data());
    ASSERT_EQ(limited.counts.size(), 601u);
    EXPECT_EQ(limited.counts[0], 3002);
    EXPECT_EQ(limited.counts[600], 3);
    EXPECT_EQ(limited.points.size(), static_cast<size_t>(3002 + 600 * 3));

    // Below the limit a spline piece is added; the piece that passes it is the last.
    OutlineBuilder near;
    std::vector<std::pair<double, double>> nearly(998, {1, 1});
    std::vector<std::pair<double, double>> controls;
    for (int i = 0; i < 10; ++i) controls.push_back({i, i});
    near.Contour(0, 0).Record(gdi::kLineRecord, nearly).Record(gdi::kQSplineRecord, controls).End();
    EXPECT_EQ(GlyphOutlinePolygons(near.Data()).counts, (std::vector<int32_t>{998 + 6 + 2}));

    gdi::RecordingCanvas canvas;
    DrawGlyphOutline(canvas, cases[4].data);
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST(GlyphOutlineWalker, LetterOIsFilledWithItsHole) {
    gdi::BitmapCanvas canvas(300, 300);
    canvas.font().height = -200;
    canvas.SetBrush(gdi::SolidBrush(0));
    canvas.pen().style = gdi::PenStyle::Null;
    DrawGlyph(canvas, u'O', 50, 250, 0);
    const gdi::Bitmap& b = canvas.bitmap();
    // The ring is black, its middle and the space round it white.
    int32_t row = 250 - 72, left = -1, right = -1;  // about the letter's middle height
    for (int32_t x = 0; x < 300; ++x) {
        if (b.Pixel(x, row) == 0) {
            if (left < 0) left = x;
            right = x;
        }
    }
    ASSERT_GT(left, 50);
    EXPECT_GT(right - left, 100);
    EXPECT_EQ(b.Pixel((left + right) / 2, row), gdi::Rgb(255, 255, 255));
    EXPECT_EQ(b.Pixel(left + 5, row), 0u);
    // Turned a quarter counter-clockwise about its origin, the letter lies above and left of it.
    gdi::BitmapCanvas turned(300, 300);
    turned.SetBrush(gdi::SolidBrush(0));
    turned.pen().style = gdi::PenStyle::Null;
    turned.font().height = -100;
    DrawGlyph(turned, u'L', 150, 150, 3.14159265 / 2);
    int32_t inkLeft = 300, inkRight = 0, inkTop = 300, inkBottom = 0;
    for (int32_t y = 0; y < 300; ++y) {
        for (int32_t x = 0; x < 300; ++x) {
            if (turned.bitmap().Pixel(x, y) != 0) continue;
            inkLeft = std::min(inkLeft, x);
            inkRight = std::max(inkRight, x);
            inkTop = std::min(inkTop, y);
            inkBottom = std::max(inkBottom, y);
        }
    }
    EXPECT_LT(inkRight, 151);
    EXPECT_LT(inkBottom, 151);
    EXPECT_GT(inkBottom - inkTop, 40);  // the L's width now runs upwards
}
