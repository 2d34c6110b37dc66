// Text on a circle: the layout as plain geometry, the ring, and the choice
// between turned fonts, glyph outlines and greeked characters.
#include "figures/RTFEllipseDrawer.h"

#include "RTFTestSupport.h"
#include "foundation/Rounding.h"
#include "foundation/ScaleCanvas.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using test::Chars;
using test::FixedTextCanvas;

constexpr double kPi = M_PI;

// Three characters 2 mm wide with an ascent of 3 mm.
std::vector<TRTFToken> ThreeChars() {
    std::vector<TRTFToken> tokens(3);
    for (TRTFToken& t : tokens) {
        t.Text = "x";
        t.Width = 2;
        t.Ascent = 3;
        t.Height = 4;
    }
    return tokens;
}

TEST(CircleLayout, PlacementTimesAlignment) {
    const auto tokens = ThreeChars();
    const float cap = 2.5f, total = 6, radius = 20;
    struct Case {
        uint8_t placement, alignment;
        double start, end;  // of the ring, normalised
        double rho;
    };
    const double top = radius - cap, bottom = radius;
    const double sTop = total / top, sBottom = total / bottom;
    const Case cases[] = {
        // Top: left starts at 9 o'clock, centred on 12, right ends at 3 o'clock.
        {kCircleTop, kAlignLeft, kPi, kPi + sTop, top},
        {kCircleTop, kAlignCenter, 1.5 * kPi - sTop / 2, 1.5 * kPi + sTop / 2, top},
        {kCircleTop, kAlignJustify, 1.5 * kPi - sTop / 2, 1.5 * kPi + sTop / 2, top},
        {kCircleTop, kAlignRight, 2 * kPi - sTop, 2 * kPi, top},
        // Bottom: the text runs counter-clockwise, centred on 6 o'clock.
        {kCircleBottom, kAlignLeft, kPi - sBottom, kPi, bottom},
        {kCircleBottom, kAlignCenter, 0.5 * kPi - sBottom / 2, 0.5 * kPi + sBottom / 2, bottom},
        {kCircleBottom, kAlignRight, 0, sBottom, bottom},
    };
    for (const Case& c : cases) {
        const TCircleLayout l = LayoutOnCircle(tokens, cap, total, c.placement, radius, 0, 1, c.alignment);
        SCOPED_TRACE(testing::Message() << int(c.placement) << "/" << int(c.alignment));
        EXPECT_NEAR(l.StartAngle, c.start, 1e-9);
        EXPECT_NEAR(l.EndAngle, c.end, 1e-9);
        EXPECT_NEAR(l.SweepAngle, c.end - c.start, 1e-9);
        EXPECT_DOUBLE_EQ(l.BaselineRadius, c.rho);
        ASSERT_EQ(l.Places.size(), 3u);
        // Characters follow one another along the arc, clockwise on top.
        const double step = (c.placement == kCircleTop ? 1 : -1) * 2 / c.rho;
        for (const TCircleCharPlace& p : l.Places) EXPECT_NEAR(p.End - p.Start, step, 1e-9);
    }
}

TEST(CircleLayout, CentredCharactersAndTheirPlaces) {
    const auto tokens = ThreeChars();
    // Centred at the top, the middle character stands upright, turned by the
    // smallest turn rather than none.
    const TCircleLayout top = LayoutOnCircle(tokens, 2.5f, 6, kCircleTop, 20, 0, 1, kAlignCenter);
    EXPECT_DOUBLE_EQ(top.Places[1].Theta, 0.1);
    EXPECT_NEAR(top.Places[0].Theta, -top.Places[2].Theta, 1e-9);
    EXPECT_LT(top.Places[0].Theta, 0);
    // The cell's corner lies outward of the baseline by the ascent plus the arc's sag.
    const TCircleCharPlace& p = top.Places[1];
    const double rho = 17.5, half = 1 / rho;
    const double lift = 3 + (1 - std::cos(half)) * rho / 2;
    EXPECT_NEAR(p.Reference.X, rho * std::cos(p.Start) + std::cos((0.1 - 90) * kPi / 180) * lift, 1e-4);
    EXPECT_NEAR(p.Reference.Y, rho * std::sin(p.Start) + std::sin((0.1 - 90) * kPi / 180) * lift, 1e-4);
    EXPECT_LT(p.Reference.Y, -rho);  // above the baseline, toward the rim

    // At the bottom the characters stand toward the centre.
    const TCircleLayout bottom = LayoutOnCircle(tokens, 2.5f, 6, kCircleBottom, 20, 0, 1, kAlignCenter);
    EXPECT_DOUBLE_EQ(bottom.Places[1].Theta, 0.1);
    EXPECT_LT(bottom.Places[1].Reference.Y, 20);
    EXPECT_GT(bottom.Places[0].Reference.X, bottom.Places[2].Reference.X - 100);
    EXPECT_LT(bottom.Places[0].Reference.X, bottom.Places[2].Reference.X);  // left to right
    // The figure's angle turns the whole text.
    const TCircleLayout turned = LayoutOnCircle(tokens, 2.5f, 6, kCircleTop, 20, 90, 1, kAlignCenter);
    EXPECT_NEAR(turned.Places[1].Theta, 90, 1e-9);
}

TEST(CircleLayout, SpacingDoublesTheGapsAndTheSweepNotTheCharacters) {
    const auto tokens = ThreeChars();
    const TCircleLayout one = LayoutOnCircle(tokens, 2.5f, 6, kCircleTop, 20, 0, 1, kAlignLeft);
    const TCircleLayout two = LayoutOnCircle(tokens, 2.5f, 6, kCircleTop, 20, 0, 2, kAlignLeft);
    EXPECT_NEAR(two.SweepAngle, 2 * one.SweepAngle, 1e-12);
    for (size_t i = 1; i < 3; ++i)
        EXPECT_NEAR(two.Places[i].Start - two.Places[0].Start, 2 * (one.Places[i].Start - one.Places[0].Start), 1e-12);
    // Each character's own middle stays half its width from its start.
    EXPECT_NEAR(two.Places[0].Theta, one.Places[0].Theta, 1e-9);
}

TEST(CircleLayout, NoRoomUnderTheCharactersGivesNoPlaces) {
    const auto tokens = ThreeChars();
    EXPECT_TRUE(LayoutOnCircle(tokens, 2.5f, 6, kCircleTop, 2.5f, 0, 1, kAlignLeft).Places.empty());
    EXPECT_TRUE(LayoutOnCircle(tokens, 2.5f, 6, kCircleTop, 1, 0, 1, kAlignLeft).Places.empty());
    EXPECT_EQ(LayoutOnCircle(tokens, 2.5f, 6, kCircleBottom, 1, 0, 1, kAlignLeft).Places.size(), 3u);
}

// ---- drawing

struct CircleScreen {
    FixedTextCanvas device;
    TScaleCanvas canvas{&device};
    explicit CircleScreen(gdi::DeviceKind kind = gdi::DeviceKind::Bitmap, float zoom = 4) : device(kind) {
        canvas.Reset(kResetScreen);
        canvas.SetZoom(zoom);
    }
    size_t Polygons() const {
        size_t n = 0;
        for (const auto& c : device.Calls()) n += c.op == gdi::RecordedCall::Op::Polygon;
        return n;
    }
    size_t Lines() const {
        size_t n = 0;
        for (const auto& c : device.Calls()) n += c.op == gdi::RecordedCall::Op::Line;
        return n;
    }
};

struct Circle : test::FixedMeasurer {
    TRTFEllipseDrawer drawer;
    explicit Circle(const std::string& rtf) {
        drawer.SetMeasurer(&measurer);
        drawer.SetRTF(rtf);
    }
};

// Resets the process-wide timing of round-text draws around a test.
class CircleDrawTiming : public testing::Test {
protected:
    void SetUp() override { LastCircleDrawTime = 0; }
    void TearDown() override {
        LastCircleDrawTime = 0;
        SetCircleDrawClock(nullptr);
    }
};

TEST_F(CircleDrawTiming, TokensAreCharactersAndSpacesOnly) {
    Circle c("{a b\\par{\\field{\\*\\fldinst{Name}}}\\qc c-}");
    EXPECT_EQ(test::TokenSummary(c.drawer), (std::vector<std::string>{"w:a", "s: ", "w:b", "w:c", "w:-", "s:", "w:"}));
    EXPECT_FLOAT_EQ(c.drawer.TotalWidth, Chars(5));
    EXPECT_FLOAT_EQ(c.drawer.CapHeight, 80 * 25.4f / 720);
}

TEST_F(CircleDrawTiming, ExactDrawTurnsAFontPerCharacterAndFillsTheRing) {
    Circle c("{ab c}");
    CircleScreen screen;
    TTextRing ring;
    c.drawer.DrawOnCircle(screen.canvas, kCircleTop, 50, 50, 30, 0, 1, kAlignCenter, ring);
    const auto texts = screen.device.Texts();
    ASSERT_EQ(texts.size(), 4u);  // the space too
    const TCircleLayout layout =
        LayoutOnCircle(c.drawer.Tokens, c.drawer.CapHeight, c.drawer.TotalWidth, kCircleTop, 30, 0, 1, kAlignCenter);
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].escapement, static_cast<int32_t>(std::lround(-layout.Places[i].Theta * 10))) << i;
        EXPECT_EQ(texts[i].at.x, screen.canvas.MMToPixelX(50 + layout.Places[i].Reference.X)) << i;
        EXPECT_EQ(texts[i].at.y, screen.canvas.MMToPixelY(50 + layout.Places[i].Reference.Y)) << i;
        // 10 points at 96 dpi and zoom 4.
        EXPECT_EQ(texts[i].font.height, -MulDiv(10, 384, 72));
    }
    EXPECT_EQ(ring.OuterRadius, screen.canvas.MMToPixel(30));
    EXPECT_EQ(ring.InnerRadius, screen.canvas.MMToPixel(30 - c.drawer.CapHeight));
    EXPECT_DOUBLE_EQ(ring.StartAngle, layout.StartAngle);
    EXPECT_DOUBLE_EQ(ring.EndAngle, layout.EndAngle);
    EXPECT_GT(ring.StartAngle, 0);

    // Bottom: the inner radius lies a cap height inside the circle too.
    TTextRing bottom;
    c.drawer.DrawOnCircle(screen.canvas, kCircleBottom, 50, 50, 30, 0, 1, kAlignCenter, bottom);
    EXPECT_EQ(bottom.InnerRadius, screen.canvas.MMToPixel(30 - c.drawer.CapHeight));
    EXPECT_NEAR(bottom.StartAngle + bottom.SweepAngle / 2, kPi / 2, 1e-6);
}

TEST_F(CircleDrawTiming, NothingForNoRoomNoRadiusOrCharactersOutOfSight) {
    Circle c("{abc}");
    CircleScreen screen;
    TTextRing ring;
    ring.OuterRadius = 77;
    c.drawer.DrawOnCircle(screen.canvas, kCircleTop, 50, 50, c.drawer.CapHeight, 0, 1, kAlignLeft, ring);
    c.drawer.DrawOnCircle(screen.canvas, kCircleTop, 50, 50, 0, 0, 1, kAlignLeft, ring);
    c.drawer.DrawOnCircle(screen.canvas, kCircleBottom, 50, 50, -5, 0, 1, kAlignLeft, ring);
    EXPECT_TRUE(screen.device.Calls().empty());
    EXPECT_EQ(ring.OuterRadius, 77);
    // Characters whose square misses the visible rectangle are skipped.
    screen.canvas.VisibleRect = {0, 0, 10, 10};
    c.drawer.DrawOnCircle(screen.canvas, kCircleTop, 200, 200, 30, 0, 1, kAlignLeft, ring);
    EXPECT_TRUE(screen.device.Texts().empty());
    EXPECT_EQ(ring.OuterRadius, screen.canvas.MMToPixel(30));
}

TEST_F(CircleDrawTiming, ASlowDrawSwitchesTheScreenToOutlinesButNotThePrinter) {
    Circle c("{ab}");
    uint32_t now = 1000;
    SetCircleDrawClock([&] { return now += 150; });  // every draw seems to take 150 ms
    TTextRing ring;
    CircleScreen first;
    c.drawer.DrawOnCircle(first.canvas, kCircleTop, 50, 50, 30, 0, 1, kAlignLeft, ring);
    EXPECT_EQ(first.device.Texts().size(), 2u);
    EXPECT_EQ(LastCircleDrawTime, 150u);

    CircleScreen second;
    c.drawer.DrawOnCircle(second.canvas, kCircleTop, 50, 50, 30, 0, 1, kAlignLeft, ring);
    EXPECT_TRUE(second.device.Texts().empty());
    EXPECT_EQ(second.Polygons(), 2u);  // one filled outline per character
    for (const auto& call : second.device.Calls())
        if (call.op == gdi::RecordedCall::Op::Polygon) {
            EXPECT_EQ(call.state.pen.style, gdi::PenStyle::Null);
        }
    EXPECT_EQ(second.device.pen().style, gdi::PenStyle::Solid);

    CircleScreen printer(gdi::DeviceKind::Printer);
    c.drawer.DrawOnCircle(printer.canvas, kCircleTop, 50, 50, 30, 0, 1, kAlignLeft, ring);
    EXPECT_EQ(printer.device.Texts().size(), 2u);
    EXPECT_EQ(printer.Polygons(), 0u);
}

TEST_F(CircleDrawTiming, TinyCharactersAreGreekedOnTheScreenOnly) {
    Circle c("{{\\colortbl;\\red0\\green128\\blue0;}\\cf1 a b}");
    TTextRing ring;
    CircleScreen screen(gdi::DeviceKind::Bitmap, 0.05f);
    c.drawer.DrawOnCircle(screen.canvas, kCircleTop, 500, 500, 300, 0, 1, kAlignLeft, ring);
    EXPECT_TRUE(screen.device.Texts().empty());
    EXPECT_EQ(screen.Lines(), 2u);  // the space leaves a gap
    for (const auto& call : screen.device.Calls()) {
        ASSERT_EQ(call.op, gdi::RecordedCall::Op::Line);
        EXPECT_EQ(call.state.pen.color, gdi::Rgb(0, 128, 0));
        EXPECT_EQ(call.points.size(), 5u);
        EXPECT_EQ(call.points.front(), call.points.back());
    }
    CircleScreen printer(gdi::DeviceKind::Printer, 0.05f);
    c.drawer.DrawOnCircle(printer.canvas, kCircleTop, 500, 500, 300, 0, 1, kAlignLeft, ring);
    EXPECT_EQ(printer.device.Texts().size(), 3u);
}

}  // namespace
