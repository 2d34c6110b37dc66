// Fonts, measuring and text output. Glyph pixels are anti-aliased, so the
// geometry is checked through the text cell, which an opaque background
// paints exactly.

#include "PixelTestSupport.h"

#include "platform/gdi/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace gdi {
namespace {

constexpr Color kRed = Rgb(255, 0, 0);

// The cell that the opaque background paints in red.
Rect CellBox(const Bitmap& b) {
    Rect box;
    bool any = false;
    for (int32_t y = 0; y < b.Height(); ++y) {
        for (int32_t x = 0; x < b.Width(); ++x) {
            if (b.Pixel(x, y) != kRed) continue;
            box = any ? UnionRect(box, {x, y, x + 1, y + 1}) : Rect{x, y, x + 1, y + 1};
            any = true;
        }
    }
    return box;
}

void UseOpaqueCell(Canvas& c, int32_t height) {
    c.font().height = height;
    c.SetBkMode(BkMode::Opaque);
    c.SetBkColor(kRed);
    c.SetTextColor(Rgb(0, 0, 255));
}

TEST(Text, AlignmentPlacesTheCellAroundTheReferencePoint) {
    BitmapCanvas canvas(200, 120);
    UseOpaqueCell(canvas, -30);
    const Size extent = canvas.TextExtent(u"Hxg");
    const TextMetrics m = canvas.GetTextMetrics();
    ASSERT_GT(extent.cx, 30);
    EXPECT_EQ(extent.cy, m.height);
    const int32_t x = 100, y = 60;
    const struct {
        uint32_t align;
        Rect cell;
    } cases[] = {
        {TA_LEFT | TA_TOP, {x, y, x + extent.cx, y + m.height}},
        {TA_RIGHT | TA_TOP, {x - extent.cx, y, x, y + m.height}},
        {TA_CENTER | TA_BASELINE, {x - extent.cx / 2, y - m.ascent, x - extent.cx / 2 + extent.cx, y + m.descent}},
        {TA_LEFT | TA_BOTTOM, {x, y - m.height, x + extent.cx, y}},
    };
    for (const auto& c : cases) {
        BitmapCanvas one(200, 120);
        UseOpaqueCell(one, -30);
        one.SetTextAlign(c.align);
        one.TextOut(x, y, u"Hxg");
        const Rect cell = CellBox(one.bitmap());
        EXPECT_EQ(cell.top, c.cell.top) << c.align;
        EXPECT_EQ(cell.bottom, c.cell.bottom) << c.align;
        EXPECT_NEAR(cell.left, c.cell.left, 1) << c.align;
        EXPECT_NEAR(cell.right, c.cell.right, 1) << c.align;
        // Glyphs are drawn in the text colour inside the cell.
        const Rect ink = test::InkBox(one.bitmap());
        EXPECT_EQ(ink, cell);
        EXPECT_GT(test::CountPixels(one.bitmap(), Rgb(0, 0, 255)), 50);
    }
}

TEST(Text, HeightsSelectEmOrCellSize) {
    RecordingCanvas canvas;
    canvas.font().height = -100;
    const TextMetrics byEm = canvas.GetTextMetrics();
    EXPECT_NEAR(byEm.height - byEm.internalLeading, 100, 1);
    EXPECT_GT(byEm.ascent, 80);
    EXPECT_GT(byEm.descent, 10);
    canvas.font().height = 100;
    const TextMetrics byCell = canvas.GetTextMetrics();
    EXPECT_NEAR(byCell.height, 100, 1);
    EXPECT_LT(byCell.ascent, byEm.ascent);
    canvas.font().height = 0;
    EXPECT_GT(canvas.GetTextMetrics().height, 5);
    EXPECT_FALSE(canvas.TextFace().empty());
}

TEST(Text, ExtentsAddUpAndFollowWidthAndWeight) {
    RecordingCanvas canvas;
    canvas.font().height = -720;
    const std::vector<int32_t> partial = canvas.PartialExtents(u"Label 42");
    ASSERT_EQ(partial.size(), 8u);
    EXPECT_EQ(partial.back(), canvas.TextExtent(u"Label 42").cx);
    EXPECT_EQ(canvas.TextExtent(u"Label").cx + canvas.TextExtent(u" 42").cx, partial.back());
    for (size_t i = 1; i < partial.size(); ++i) EXPECT_GT(partial[i], partial[i - 1]);
    EXPECT_EQ(canvas.TextExtent(u"").cx, 0);

    const int32_t normal = partial.back();
    canvas.font().width = canvas.GetTextMetrics().aveCharWidth * 2;
    EXPECT_NEAR(canvas.TextExtent(u"Label 42").cx, 2 * normal, normal / 50);
    canvas.font().width = 0;
    canvas.font().weight = FW_BOLD;
    EXPECT_GT(canvas.TextExtent(u"Label 42").cx, normal);
    EXPECT_EQ(canvas.GetTextMetrics().weight, FW_BOLD);
}

TEST(Text, MeasuringIsTheSameOnABitmapAndARecordingOfOneResolution) {
    BitmapCanvas bitmap(10, 10, 300);
    DeviceCaps caps = bitmap.Caps();
    RecordingCanvas recording(caps, DeviceKind::Printer);
    for (const char* face : {"Arial", "Times New Roman", "Courier New"}) {
        for (const int32_t height : {-13, -50, 37}) {
            for (Canvas* c : {static_cast<Canvas*>(&bitmap), static_cast<Canvas*>(&recording)}) {
                c->font().faceName = face;
                c->font().height = height;
                c->font().italic = height > 0;
            }
            EXPECT_EQ(bitmap.PartialExtents(u"Zorbit Etikett äöü"), recording.PartialExtents(u"Zorbit Etikett äöü"));
            const TextMetrics a = bitmap.GetTextMetrics(), b = recording.GetTextMetrics();
            EXPECT_EQ(a.height, b.height);
            EXPECT_EQ(a.ascent, b.ascent);
            EXPECT_EQ(a.aveCharWidth, b.aveCharWidth);
        }
    }
}

TEST(Text, HugeFontsSaturateTheirSizes) {
    RecordingCanvas canvas;
    canvas.font().height = INT32_MIN;
    canvas.font().width = INT32_MAX;
    const TextMetrics m = canvas.GetTextMetrics();
    EXPECT_EQ(m.height, INT32_MAX);
    EXPECT_GT(m.ascent, 0);
    EXPECT_GT(m.descent, 0);
    const std::vector<int32_t> partial = canvas.PartialExtents(u"WWWWW");
    ASSERT_EQ(partial.size(), 5u);
    EXPECT_EQ(partial.back(), INT32_MAX);
    EXPECT_TRUE(std::is_sorted(partial.begin(), partial.end()));
}

TEST(Text, AdvancesAndOptionsOfExtTextOut) {
    BitmapCanvas canvas(200, 80);
    UseOpaqueCell(canvas, -20);
    const int32_t dx[] = {30, 30, 30};
    canvas.ExtTextOut(10, 10, 0, nullptr, u"abc", dx);
    EXPECT_EQ(CellBox(canvas.bitmap()).Width(), 90);

    BitmapCanvas opaque(200, 80);
    UseOpaqueCell(opaque, -20);
    opaque.SetBkMode(BkMode::Transparent);
    const Rect box{5, 5, 150, 60};
    opaque.ExtTextOut(10, 10, ETO_OPAQUE, &box, u"abc");
    EXPECT_EQ(CellBox(opaque.bitmap()), box);

    BitmapCanvas clipped(200, 80);
    UseOpaqueCell(clipped, -40);
    const Rect clip{0, 0, 30, 25};
    clipped.ExtTextOut(10, 10, ETO_CLIPPED, &clip, u"Wide text");
    EXPECT_EQ(test::InkBox(clipped.bitmap()), (Rect{10, 10, 30, 25}));
    // The clip of one call does not stay.
    clipped.TextOut(100, 40, u"x");
    EXPECT_GT(test::InkBox(clipped.bitmap()).right, 100);
}

TEST(Text, EscapementTurnsTheTextCounterClockwise) {
    BitmapCanvas canvas(120, 120);
    UseOpaqueCell(canvas, -20);
    const Size extent = canvas.TextExtent(u"Text");
    canvas.font().escapement = 900;
    canvas.TextOut(40, 100, u"Text");
    const Rect cell = CellBox(canvas.bitmap());
    // Upwards from the reference point, the top of the letters to the left.
    EXPECT_NEAR(cell.left, 40, 1);
    EXPECT_NEAR(cell.right, 40 + extent.cy, 1);
    EXPECT_NEAR(cell.bottom, 100, 1);
    EXPECT_NEAR(cell.top, 100 - extent.cx, 1);
}

TEST(Text, UpdateCpUsesAndMovesTheCurrentPosition) {
    RecordingCanvas canvas;
    canvas.font().height = -16;
    canvas.SetTextAlign(TA_UPDATECP);
    canvas.MoveTo(10, 20);
    const int32_t width = canvas.TextExtent(u"abc").cx;
    canvas.TextOut(500, 500, u"abc");
    ASSERT_EQ(canvas.Calls().size(), 1u);
    EXPECT_EQ(canvas.Calls()[0].points[0], (Point{10, 20}));
    EXPECT_EQ(canvas.CurrentPosition(), (Point{10 + width, 20}));
    const int32_t dx[] = {5, 6, 7};
    canvas.ExtTextOut(0, 0, 0, nullptr, u"xyz", dx);
    EXPECT_EQ(canvas.CurrentPosition(), (Point{28 + width, 20}));
    canvas.SetTextAlign(TA_UPDATECP | TA_RIGHT);
    canvas.ExtTextOut(0, 0, 0, nullptr, u"xyz", dx);
    EXPECT_EQ(canvas.CurrentPosition(), (Point{10 + width, 20}));
}

TEST(Text, UnderlineAndStrikeOutDrawLines) {
    BitmapCanvas plain(100, 60), lined(100, 60);
    for (BitmapCanvas* c : {&plain, &lined}) {
        c->font().height = -30;
        c->SetBkMode(BkMode::Transparent);
        c->SetTextAlign(TA_BASELINE);
    }
    lined.font().underline = true;
    lined.font().strikeOut = true;
    plain.TextOut(10, 40, u"ab");
    lined.TextOut(10, 40, u"ab");
    EXPECT_GT(test::InkBox(lined.bitmap()).bottom, 40);
    EXPECT_LE(test::InkBox(plain.bitmap()).bottom, 41);
    EXPECT_GT(test::CountPixels(lined.bitmap(), test::kBlack), test::CountPixels(plain.bitmap(), test::kBlack) + 20);
}

}  // namespace
}  // namespace gdi
