// A sheet at 300 dpi with the four gradient types, a rounded star, rounded
// corners, a pattern, a justified and a turned text block and a text on a
// circle drawn both with turned fonts and as glyph outlines. The picture is
// written to "drawing-sheet-300dpi.png" in the test's home folder for a look.
#include "foundation/Abrunden.h"
#include "foundation/CircleText.h"
#include "foundation/FillData.h"
#include "foundation/FloatKontur.h"
#include "foundation/Rounding.h"
#include "foundation/WrappedText.h"
#include "platform/gdi/BitmapCanvas.h"

#include <QtCore/QDir>

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr double kDpi = 300;
int32_t Px(double mm) { return Round(mm * kDpi / 25.4); }
gdi::Rect Box(double l, double t, double r, double b) { return {Px(l), Px(t), Px(r), Px(b)}; }

std::vector<gdi::Point> RectPoints(const gdi::Rect& r) {
    return {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
}

void Label(gdi::Canvas& c, double x, double y, const char16_t* text) {
    c.font().height = -Px(3);
    c.SetBkMode(gdi::BkMode::Transparent);
    c.SetTextColor(gdi::Rgb(60, 60, 60));
    c.TextOut(Px(x), Px(y), text);
}

gdi::Pen SolidPen(int32_t width, gdi::Color color) {
    gdi::Pen pen;
    pen.width = width;
    pen.color = color;
    return pen;
}

void Frame(gdi::Canvas& c, const gdi::Rect& r) {
    c.SetPen(SolidPen(1, gdi::Rgb(150, 150, 150)));
    c.SetBrush(gdi::NullBrush());
    c.Rectangle(r.left, r.top, r.right, r.bottom);
}

// Distinct colours and ink in a part of the sheet.
struct Ink {
    size_t colours = 0;
    int64_t painted = 0;
};
Ink InkIn(const gdi::Bitmap& b, const gdi::Rect& r) {
    std::set<gdi::Color> colours;
    Ink ink;
    for (int32_t y = r.top; y < r.bottom; ++y) {
        for (int32_t x = r.left; x < r.right; ++x) {
            const gdi::Color c = b.Pixel(x, y);
            colours.insert(c);
            ink.painted += c != gdi::Rgb(255, 255, 255);
        }
    }
    ink.colours = colours.size();
    return ink;
}

}  // namespace

TEST(DrawingSheet, RendersEveryKindAt300Dpi) {
    gdi::BitmapCanvas canvas(Px(200), Px(170), 300, 300);

    // Row 1: the four gradient types.
    const char16_t* names[] = {u"linear 30\u00B0", u"radial", u"konisch 45\u00B0", u"quadratisch 20\u00B0"};
    for (int i = 0; i < 4; ++i) {
        TFillData fill;
        fill.SetKind(fkGradient);
        fill.SetGradientType(static_cast<uint8_t>(i));
        fill.Palette().Items(0)->SetColor(gdi::Rgb(20, 40, 160));
        fill.Palette().Items(1)->SetColor(gdi::Rgb(255, 230, 90));
        fill.Palette().Add(50, gdi::Rgb(220, 60, 40));
        fill.SetWinkel(i == 0 ? 30 : i == 2 ? 45 : 20);
        fill.SetAbstandX(i == 1 ? 0.2f : 0);
        fill.SetAbstandY(i == 1 ? -0.1f : 0);
        fill.SetRandabstand(i == 3 ? 0.1f : 0);
        const gdi::Rect r = Box(5 + 48 * i, 5, 45 + 48 * i, 45);
        fill.FillPolygon(canvas, RectPoints(r));
        Label(canvas, 5 + 48 * i, 46, names[i]);
    }

    // Row 2: a rounded star, a frame with rounded corners filled radially, a
    // rounded zigzag, a tiled pattern.
    canvas.SetPen(SolidPen(Px(0.5), gdi::Rgb(20, 60, 20)));
    canvas.SetBrush(gdi::SolidBrush(gdi::Rgb(120, 200, 120)));
    canvas.BeginPath();
    DrawRoundedStar(canvas, 7, Px(25), Px(75), Px(20), Px(9), Px(2));
    canvas.EndPath();
    canvas.StrokeAndFillPath();
    Label(canvas, 5, 96, u"Stern, abgerundet");

    TFloatKontur frame(static_cast<float>(Px(72)), static_cast<float>(Px(75)), 1, 1);
    const float l = Px(52), t = Px(55), rr = Px(92), b = Px(95), c = Px(8);
    frame.MoveTo(l + c, t);
    frame.LineTo(rr - c, t);
    frame.CornerArcTo(rr, t, rr, t + c);
    frame.LineTo(rr, b - c);
    frame.CornerArcTo(rr, b, rr - c, b);
    frame.LineTo(l + c, b);
    frame.CornerArcTo(l, b, l, b - c);
    frame.LineTo(l, t + c);
    frame.CornerArcTo(l, t, l + c, t);
    std::vector<TPoint> outline(static_cast<size_t>(frame.Count));
    frame.ToPointArray(outline, 10);
    TFillData radial;
    radial.SetKind(fkGradient);
    radial.SetGradientType(TGradienttyp::gtRadial);
    radial.Palette().Items(0)->SetColor(gdi::Rgb(90, 0, 120));
    radial.FillPolygon(canvas, outline);
    canvas.SetPen(SolidPen(Px(0.4), gdi::Rgb(0, 0, 0)));
    canvas.SetBrush(gdi::NullBrush());
    canvas.Polygon(outline);
    Label(canvas, 52, 96, u"Ecken, abgerundet");

    canvas.SetPen(SolidPen(Px(0.6), gdi::Rgb(200, 40, 40)));
    const gdi::Point zig[] = {{Px(102), Px(92)}, {Px(110), Px(58)}, {Px(120), Px(92)}, {Px(130), Px(58)}, {Px(138), Px(92)}};
    canvas.MoveTo(zig[0].x, zig[0].y);
    for (int i = 1; i + 1 < 5; ++i) {
        const gdi::Point from = i == 1 ? zig[0] : gdi::Point{(zig[i - 1].x + zig[i].x) / 2, (zig[i - 1].y + zig[i].y) / 2};
        const gdi::Point to = i == 3 ? zig[4] : gdi::Point{(zig[i].x + zig[i + 1].x) / 2, (zig[i].y + zig[i + 1].y) / 2};
        DrawRoundedCorner(canvas, from, zig[i], to, Px(4));
    }
    Label(canvas, 100, 96, u"DrawRoundedCorner");

    gdi::Bitmap tile(8, 8);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x) tile.SetPixel(x, y, (x / 4 + y / 4) % 2 ? gdi::Rgb(250, 200, 0) : gdi::Rgb(0, 120, 200));
    TFillData pattern;
    pattern.SetKind(fkPattern);
    pattern.SetPatternMode(1);
    pattern.SetBitmap(tile);
    const gdi::Point diamond[] = {{Px(170), Px(55)}, {Px(193), Px(75)}, {Px(170), Px(95)}, {Px(147), Px(75)}};
    pattern.FillPolygon(canvas, diamond);
    Label(canvas, 148, 96, u"Muster, gekachelt");

    // Row 3: a justified block, a turned block, a text on a circle.
    const std::string text =
        "Etiketten f\xFCr CDs, DVDs und Briefe: Blocksatz verteilt den Platz gleichm\xE4\xDFig auf die "
        "Wortabst\xE4nde, nur die letzte Zeile eines Absatzes bleibt links.\r\nZweiter Absatz mit "
        "einem Wort: Donaudampfschifffahrtsgesellschaftskapit\xE4nsm\xFCtze.";
    const gdi::Rect justified = Box(5, 105, 62, 165);
    Frame(canvas, justified);
    canvas.font().height = -Px(3.2);
    canvas.SetTextColor(gdi::Rgb(0, 0, 0));
    DrawJustifiedText(canvas, text, justified, 0, 3);

    const gdi::Rect turned = Box(70, 112, 128, 158);
    Frame(canvas, turned);
    canvas.font().height = -Px(3.2);
    canvas.SetTextColor(gdi::Rgb(0, 0, 140));
    TWrappedTextResult result;
    DrawWrappedTextRotated(canvas, text, turned, result, wtJustify | wtVCenter, 15);

    const gdi::Rect disc = Box(136, 106, 194, 164);
    canvas.SetPen(SolidPen(1, gdi::Rgb(180, 180, 180)));
    canvas.SetBrush(gdi::SolidBrush(gdi::Rgb(235, 240, 250)));
    canvas.Ellipse(disc.left, disc.top, disc.right, disc.bottom);
    canvas.font().height = -Px(5);
    canvas.font().weight = gdi::FW_BOLD;
    canvas.SetTextColor(gdi::Rgb(160, 0, 0));
    TCircleTextGeometry upper, lower;
    DrawTextOnCircle(canvas, disc, kCircleTextUpper, 0, "GEDREHTE SCHRIFT", 1.1, upper, true);
    canvas.SetTextColor(gdi::Rgb(0, 100, 0));
    DrawTextOnCircle(canvas, disc, kCircleTextLower, 0, "gef\xFCllte Umrisse", 1.1, lower, false);
    canvas.font().weight = gdi::FW_NORMAL;

    const gdi::Bitmap& sheet = canvas.bitmap();
    QDir().mkpath(QDir::homePath());
    const QString path = QDir::home().filePath("drawing-sheet-300dpi.png");
    ASSERT_TRUE(sheet.image().save(path, "PNG"));
    RecordProperty("sheet", path.toStdString());
    std::cout << "sheet: " << path.toStdString() << "\n";

    // Every part has ink; gradients have many colours; the circle text sits
    // on both halves of the disc.
    for (int i = 0; i < 4; ++i) EXPECT_GT(InkIn(sheet, Box(6 + 48 * i, 6, 44 + 48 * i, 44)).colours, 60u) << i;
    for (const gdi::Rect& r : {Box(5, 55, 45, 95), Box(52, 55, 92, 95), Box(100, 55, 140, 95), Box(147, 55, 193, 95)}) {
        EXPECT_GT(InkIn(sheet, r).painted, 2000);
    }
    EXPECT_GT(InkIn(sheet, Box(6, 106, 61, 164)).painted, 5000);
    EXPECT_GT(InkIn(sheet, Box(71, 113, 127, 157)).painted, 5000);
    EXPECT_TRUE(result.Complete);
    auto dark = [&](const gdi::Rect& r) {
        int64_t n = 0;
        for (int32_t y = r.top; y < r.bottom; ++y)
            for (int32_t x = r.left; x < r.right; ++x) n += gdi::GreenOf(sheet.Pixel(x, y)) < 120;
        return n;
    };
    EXPECT_GT(dark(Box(140, 106, 190, 120)), 2000);  // turned fonts at the top
    EXPECT_GT(dark(Box(140, 150, 190, 164)), 2000);  // outlines at the bottom
}
