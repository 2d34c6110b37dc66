// Fonts, measuring and text output. Glyph pixels are anti-aliased, so the
// geometry is checked through the text cell, which an opaque background
// paints exactly.

#include "PixelTestSupport.h"

#include "platform/gdi/RecordingCanvas.h"
#include "platform/gdi/TextEngine.h"
#include "support/Colors.h"

#include <QtGui/QGlyphRun>
#include <QtGui/QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace gdi {
namespace {

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

// The glyphs of a text drawn by Qt's painter itself at the positions the
// canvas gives them: a reference for the canvas's own glyph drawing.
QImage PainterReference(Canvas& measure, QSize size, QPointF origin, double degrees, const std::u16string& text) {
    TextEngine::Face& face = *TextEngine::Instance().Resolve(measure.font());
    const TextEngine::PaintInfo info = TextEngine::Paint(face);
    const std::vector<quint32> glyphs = TextEngine::Glyphs(face, text);
    const std::vector<int32_t> advances = TextEngine::Advances(face, text);
    QList<quint32> indexes;
    QList<QPointF> positions;
    double pen = 0;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        indexes << glyphs[i];
        positions << QPointF(pen, 0);
        pen += advances[i];
    }
    QGlyphRun run;
    run.setRawFont(info.font);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(origin);
    p.rotate(-degrees);
    p.setPen(Qt::black);
    p.drawGlyphRun(QPointF(0, 0), run);
    return image;
}

struct PixelDifference {
    int32_t pixels = 0;  // pixels that differ
    int32_t largest = 0;  // the largest difference of a channel
    double ink = 0, otherInk = 0;  // summed darkness of each
};

PixelDifference Compare(const QImage& a, const QImage& b) {
    PixelDifference d;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            d.ink += 255 - qGray(p);
            d.otherInk += 255 - qGray(q);
            if (p == q) continue;
            ++d.pixels;
            d.largest = std::max({d.largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                  std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return d;
}

TEST(Text, GlyphsAreThoseOfThePaintersOwnFill) {
    // Large glyphs, which the painter fills as outlines. On whole pixels the
    // canvas draws the same pixels (glyphs that share a pixel may sum their
    // coverage a step apart); turned, origins fall on quarter pixels.
    const std::u16string text = u"Wolke 7 \u00e4g";
    for (const int32_t escapement : {0, 300}) {
        SCOPED_TRACE(escapement);
        BitmapCanvas canvas(700, 400), again(700, 400);
        for (BitmapCanvas* c : {&canvas, &again}) {
            c->font().height = -100;
            c->font().escapement = escapement;
            c->SetBkMode(BkMode::Transparent);
            c->SetTextAlign(TA_BASELINE);
            c->TextOut(40, 300, text);
        }
        // Drawn again from the kept glyphs: the same pixels.
        EXPECT_TRUE(test::SamePixels(canvas.bitmap(), again.bitmap()));
        const QImage reference = PainterReference(canvas, QSize(700, 400), QPointF(40, 300), escapement / 10.0, text);
        const PixelDifference d = Compare(canvas.bitmap().image(), reference);
        EXPECT_GT(d.ink, 255 * 3000);
        EXPECT_NEAR(d.ink, d.otherInk, d.otherInk / 100);
        if (escapement == 0) {
            EXPECT_LE(d.pixels, 20);
            EXPECT_LE(d.largest, 2);
        } else {
            EXPECT_LE(d.largest, 160);
        }
    }
}

TEST(Text, GlyphsKeepToTheClipRegion) {
    BitmapCanvas canvas(300, 120);
    canvas.font().height = -90;
    canvas.SetBkMode(BkMode::Transparent);
    const Rect parts[] = {{0, 0, 60, 120}, {100, 30, 180, 70}};
    const Region clip = Region::FromRects(parts);
    canvas.SelectClipRgn(&clip);
    canvas.TextOut(5, 5, u"MMMMMM");
    const Bitmap& b = canvas.bitmap();
    int32_t inside = 0;
    for (int32_t y = 0; y < b.Height(); ++y) {
        for (int32_t x = 0; x < b.Width(); ++x) {
            if (b.Pixel(x, y) == test::kWhite) continue;
            const bool in = (x < 60) || (x >= 100 && x < 180 && y >= 30 && y < 70);
            ASSERT_TRUE(in) << x << "," << y;
            inside += x >= 100;
        }
    }
    EXPECT_GT(inside, 100);
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
