// Fills: the stream format, damaged streams, and drawing on bitmaps,
// recordings and printers.
#include "foundation/Exceptions.h"
#include "foundation/FillData.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/RecordingCanvas.h"
#include "support/FakePrinter.h"
#include "support/Colors.h"

#include <QtCore/QBuffer>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr gdi::Color kBackground = gdi::Rgb(255, 0, 0);

std::vector<uint8_t> Bytes(const TFillData& f) {
    TMemoryStream s;
    f.SaveToStream(s);
    return s.Bytes();
}

std::vector<uint8_t> Ints(std::initializer_list<int32_t> values) {
    TMemoryStream s;
    for (int32_t v : values) StreamWriteInt(s, v);
    return s.Bytes();
}

void Load(TFillData& f, const std::vector<uint8_t>& bytes) {
    TMemoryStream s(bytes);
    f.LoadFromStream(s);
}

void MakeGradient(TFillData& f) {
    f.SetKind(fkGradient);
    f.SetGradientType(TGradienttyp::gtRadial);
    f.Palette().Add(40, gdi::Rgb(10, 200, 30));
    f.SetAbstandX(0.25f);
    f.SetAbstandY(-0.125f);
    f.SetWinkel(33.5f);
    f.SetRandabstand(0.1f);
    f.Palette().SetRampSize(77);
}

gdi::Bitmap FourColours() {
    gdi::Bitmap b(2, 2);
    b.SetPixel(0, 0, gdi::Rgb(255, 0, 0));
    b.SetPixel(1, 0, gdi::Rgb(0, 255, 0));
    b.SetPixel(0, 1, gdi::Rgb(0, 0, 255));
    b.SetPixel(1, 1, gdi::Rgb(255, 255, 0));
    return b;
}

// An 8-bit bitmap file with a colour table, as another program writes it.
std::vector<uint8_t> ForeignBitmapFile() {
    QImage image(3, 2, QImage::Format_Indexed8);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 128, 0)});
    image.fill(1);
    image.setPixel(0, 0, 0);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return {data.begin(), data.end()};
}

std::vector<uint8_t> PatternStream(int32_t mode, const std::vector<uint8_t>& file) {
    TMemoryStream s;
    for (int32_t v : {101, 3, mode, static_cast<int32_t>(file.size())}) StreamWriteInt(s, v);
    s.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
    return s.Bytes();
}

}  // namespace

TEST(FillDataStream, WrittenAndReadBackByteForByte) {
    EXPECT_EQ(Bytes(TFillData()), Ints({101, 0}));
    TFillData colour;
    colour.SetKind(fkColor);
    colour.SetColor(0x00FF00);
    EXPECT_EQ(Bytes(colour), Ints({101, 1, 0x00FF00}));

    TFillData gradient;
    MakeGradient(gradient);
    TFillData pattern;
    pattern.SetKind(fkPattern);
    pattern.SetPatternMode(1);
    pattern.SetBitmap(FourColours());
    TFillData unknownKind;
    unknownKind.SetKind(9);
    TFillData noPattern;
    noPattern.SetKind(fkPattern);
    noPattern.SetBitmap(gdi::Bitmap());
    EXPECT_EQ(Bytes(noPattern), Ints({101, 3, 0, 0}));

    for (const TFillData* f : {&colour, &gradient, &pattern, &unknownKind, &noPattern}) {
        const std::vector<uint8_t> written = Bytes(*f);
        TFillData read;
        TMemoryStream s(written);
        read.LoadFromStream(s);
        EXPECT_EQ(s.Remaining(), 0);
        EXPECT_EQ(Bytes(read), written) << int(f->Kind());
        EXPECT_TRUE(read.Changed);
    }
    TFillData read;
    Load(read, Bytes(gradient));
    EXPECT_EQ(read.GradientType(), static_cast<uint8_t>(TGradienttyp::gtRadial));
    EXPECT_EQ(read.Palette().Count(), 3);
    EXPECT_EQ(read.Palette().Items(1)->Color(), gdi::Rgb(10, 200, 30));
    EXPECT_FLOAT_EQ(read.AbstandY(), -0.125f);
    EXPECT_FLOAT_EQ(read.Winkel(), 33.5f);
    EXPECT_EQ(read.Palette().RampSize(), 77);

    Load(read, Bytes(pattern));
    EXPECT_EQ(read.PatternMode(), 1);
    ASSERT_EQ(read.Bitmap().Width(), 2);
    EXPECT_EQ(read.Bitmap().Pixel(1, 1), gdi::Rgb(255, 255, 0));

    // A pattern written by another program comes back in its own bytes.
    const std::vector<uint8_t> foreign = PatternStream(0, ForeignBitmapFile());
    Load(read, foreign);
    EXPECT_EQ(Bytes(read), foreign);
    EXPECT_EQ(read.Bitmap().Pixel(0, 0), kBlack);
    EXPECT_EQ(read.Bitmap().Pixel(2, 1), gdi::Rgb(255, 128, 0));
}

TEST(FillDataStream, VersionWithoutRampSizeKeepsTheOldOne) {
    TFillData f;
    f.Palette().SetRampSize(12);
    TMemoryStream s;
    for (int32_t v : {100, 2, 3, 2, 0, 0x111111, 100, 0x222222}) StreamWriteInt(s, v);
    for (float v : {0.f, 0.f, 45.f, 0.f}) StreamWriteSingle(s, v);
    StreamWriteInt(s, 4711);  // the next value of the record
    s.SetPosition(0);
    f.LoadFromStream(s);
    EXPECT_EQ(f.Palette().RampSize(), 12);
    EXPECT_EQ(f.GradientType(), 3);
    EXPECT_EQ(StreamReadInt(s), 4711);
}

TEST(FillDataStream, DamagedStreamsAreRefusedAndChangeNothing) {
    TFillData gradient;
    MakeGradient(gradient);
    TFillData pattern;
    pattern.SetKind(fkPattern);
    pattern.SetBitmap(FourColours());

    std::vector<std::pair<std::string, std::vector<uint8_t>>> damaged;
    for (const TFillData* f : {&gradient, &pattern}) {
        const std::vector<uint8_t> whole = Bytes(*f);
        for (size_t n = 0; n < whole.size(); ++n) {
            damaged.push_back({"cut at " + std::to_string(n), {whole.begin(), whole.begin() + static_cast<ptrdiff_t>(n)}});
        }
    }
    damaged.push_back({"two thousand million stops", Ints({101, 2, 0, 0x7FFFFFFF, 0, 0})});
    damaged.push_back({"negative stop count", Ints({101, 2, 0, -1, 0, 0, 0, 0, 0, 0})});
    std::vector<uint8_t> rampZero = Bytes(gradient);
    std::vector<uint8_t> rampHuge = rampZero;
    const std::vector<uint8_t> zero = Ints({0}), huge = Ints({100000000});
    std::copy(zero.begin(), zero.end(), rampZero.end() - 4);
    std::copy(huge.begin(), huge.end(), rampHuge.end() - 4);
    damaged.push_back({"ramp size 0", rampZero});
    damaged.push_back({"ramp size 100000000", rampHuge});
    damaged.push_back({"block larger than the stream", Ints({101, 3, 0, 0x7FFFFFF0, 1, 2})});
    damaged.push_back({"negative block", Ints({101, 3, 0, -5})});
    damaged.push_back({"block that is no bitmap", PatternStream(0, {1, 2, 3, 4, 5, 6, 7, 8})});
    std::vector<uint8_t> giant = EncodeBitmapFile(FourColours());
    const std::vector<uint8_t> size = Ints({30000});
    std::copy(size.begin(), size.end(), giant.begin() + 18);  // width
    std::copy(size.begin(), size.end(), giant.begin() + 22);  // height
    damaged.push_back({"bitmap claiming 30000 x 30000 pixels", PatternStream(0, giant)});
    std::vector<uint8_t> shortPixels = EncodeBitmapFile(FourColours());
    shortPixels.resize(shortPixels.size() - 4);
    damaged.push_back({"bitmap with pixels missing", PatternStream(0, shortPixels)});

    for (const auto& [what, bytes] : damaged) {
        TFillData f;
        f.SetKind(fkColor);
        f.SetColor(0x123456);
        const std::vector<uint8_t> before = Bytes(f);
        TMemoryStream s(bytes);
        EXPECT_THROW(f.LoadFromStream(s), EReadError) << what;
        EXPECT_EQ(Bytes(f), before) << what;
    }
}

TEST(FillData, AngleIsBroughtIntoAFullTurn) {
    struct Case { float in, out; };
    for (const Case& c : {Case{-30, 330}, Case{720, 360}, Case{360, 360}, Case{0, 0}, Case{725, 5}, Case{-720, 0}}) {
        TFillData f;
        f.SetWinkel(c.in);
        EXPECT_FLOAT_EQ(f.Winkel(), c.out) << c.in;
    }
    TFillData f;
    f.SetWinkel(1e30f);  // no endless stepping
    EXPECT_GE(f.Winkel(), 0);
    EXPECT_LE(f.Winkel(), 360);
    f.SetWinkel(std::nanf(""));
    EXPECT_EQ(f.Winkel(), 0);
}

TEST(FillData, KindsChangeWhatTheyOwn) {
    TFillData f;
    EXPECT_EQ(f.Color(), 0xFF0000u);  // blue
    f.SetKind(fkPattern);
    f.SetBitmap(FourColours());
    f.Changed = false;
    f.SetColor(1);
    EXPECT_FALSE(f.Changed);  // the colour is not part of the cache
    f.SetKind(fkColor);  // the pattern is dropped
    EXPECT_EQ(f.Bitmap().Width(), 1);
    EXPECT_TRUE(f.Changed);
    f.Changed = false;
    f.Palette().Add(50, 0);
    EXPECT_TRUE(f.Changed);  // the palette tells its fill

    TFillData copy;
    MakeGradient(f);
    copy.Assign(f);
    EXPECT_EQ(Bytes(copy), Bytes(f));
}

// ---- drawing

namespace {

std::unique_ptr<gdi::BitmapCanvas> RedCanvas(int32_t w, int32_t h) {
    auto c = std::make_unique<gdi::BitmapCanvas>(w, h);
    c->FillRect({0, 0, w, h}, gdi::SolidBrush(kBackground));
    return c;
}

bool IsGrey(gdi::Color c) { return gdi::RedOf(c) == gdi::GreenOf(c) && gdi::GreenOf(c) == gdi::BlueOf(c); }

const std::vector<gdi::Point> kTriangle{{10, 10}, {90, 10}, {10, 70}};

// Inside the triangle by the pixel-centre rule, with a margin of a pixel.
int InsideTriangle(int32_t x, int32_t y) {
    const double cx = x + 0.5, cy = y + 0.5;
    const double edge = 80 - (cx - 10) - (cy - 10) * 80.0 / 60.0;  // > 0 inside the hypotenuse
    if (cx < 10 || cy < 10 || edge < 0) return cx < 9 || cy < 9 || edge < -1.5 ? -1 : 0;
    return cx > 11 && cy > 11 && edge > 1.5 ? 1 : 0;
}

}  // namespace

TEST(FillDataDrawing, NoneAndColour) {
    gdi::RecordingCanvas c;
    TFillData f;
    f.FillPolygon(c, kTriangle);
    EXPECT_TRUE(c.Calls().empty());
    f.SetKind(fkColor);
    f.SetColor(0x336699);
    c.pen().style = gdi::PenStyle::Dash;
    f.FillPolygon(c, kTriangle);
    ASSERT_EQ(c.Calls().size(), 1u);
    EXPECT_EQ(c.Calls()[0].op, gdi::RecordedCall::Op::Polygon);
    EXPECT_EQ(c.Calls()[0].state.pen.style, gdi::PenStyle::Null);  // no outline
    EXPECT_EQ(c.Calls()[0].state.brush.color, 0x336699u);
    EXPECT_EQ(c.pen().style, gdi::PenStyle::Dash);

    TFillData g;
    MakeGradient(g);
    g.SetGradientType(TGradienttyp::gtLinearDoppelt);  // no renderer
    g.FillPolygon(c, kTriangle);
    g.SetGradientType(200);
    g.FillPolygon(c, kTriangle);
    EXPECT_EQ(c.Calls().size(), 1u);
}

TEST(FillDataDrawing, GradientFillsOnlyTheShapeAndKeepsTheClip) {
    for (uint8_t type = 0; type <= 3; ++type) {
        auto canvas = RedCanvas(100, 80);
        TFillData f;
        f.SetKind(fkGradient);
        f.SetGradientType(type);
        f.FillPolygon(*canvas, kTriangle);
        EXPECT_FALSE(canvas->GetClipRgn().has_value());
        EXPECT_FALSE(f.Changed);
        int wrong = 0;
        for (int32_t y = 0; y < 80; ++y) {
            for (int32_t x = 0; x < 100; ++x) {
                const gdi::Color c = canvas->bitmap().Pixel(x, y);
                const int inside = InsideTriangle(x, y);
                if ((inside > 0 && !IsGrey(c)) || (inside < 0 && c != kBackground)) ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << int(type);
    }
    // A clip region that was there stays, and limits the fill.
    auto canvas = RedCanvas(100, 80);
    canvas->IntersectClipRect(0, 0, 30, 80);
    TFillData f;
    f.SetKind(fkGradient);
    f.FillPolygon(*canvas, kTriangle);
    ASSERT_TRUE(canvas->GetClipRgn().has_value());
    EXPECT_EQ(canvas->GetClipRgn()->Box(), (gdi::Rect{0, 0, 30, 80}));
    EXPECT_TRUE(IsGrey(canvas->bitmap().Pixel(20, 20)));
    EXPECT_EQ(canvas->bitmap().Pixel(50, 15), kBackground);
}

TEST(FillDataDrawing, ShapeInLogicalUnitsOfAScaledMapping) {
    // Logical units are half a pixel wide: the shape's clip is made in device units.
    auto canvas = RedCanvas(100, 80);
    canvas->SetMapMode(gdi::MapMode::Anisotropic);
    canvas->SetWindowExt(2, 1);
    canvas->SetViewportExt(1, 1);
    TFillData f;
    f.SetKind(fkGradient);
    const std::vector<gdi::Point> rect{{0, 0}, {120, 0}, {120, 40}, {0, 40}};
    f.FillPolygon(*canvas, rect);
    EXPECT_TRUE(IsGrey(canvas->bitmap().Pixel(58, 20)));
    EXPECT_EQ(canvas->bitmap().Pixel(62, 20), kBackground);
    EXPECT_EQ(canvas->bitmap().Pixel(20, 42), kBackground);
}

TEST(FillDataDrawing, ScreenCacheKeepsProportionsAndIsReused) {
    gdi::RecordingCanvas c(gdi::ScreenCaps(), gdi::DeviceKind::Bitmap);
    TFillData f;
    f.SetKind(fkGradient);
    const std::vector<gdi::Point> wide{{0, 0}, {400, 0}, {400, 100}, {0, 100}};
    f.FillPolygon(c, wide);
    auto blits = [&] {
        std::vector<gdi::RecordedCall> b;
        for (const auto& call : c.Calls())
            if (call.op == gdi::RecordedCall::Op::StretchBlt) b.push_back(call);
        return b;
    };
    ASSERT_EQ(blits().size(), 1u);
    EXPECT_EQ(blits()[0].bitmap->Width(), 512);
    EXPECT_EQ(blits()[0].bitmap->Height(), 128);
    EXPECT_EQ(blits()[0].rect, (gdi::Rect{0, 0, 400, 100}));
    EXPECT_FALSE(f.Changed);
    f.FillPolygon(c, wide);
    EXPECT_FALSE(f.Changed);
    f.SetGradientType(TGradienttyp::gtRadial);  // other types: 256 on the longer side
    f.FillPolygon(c, wide);
    EXPECT_EQ(blits().back().bitmap->Width(), 256);
    EXPECT_EQ(blits().back().bitmap->Height(), 64);
    // A shape one pixel high still gets a cache of at least one row.
    const std::vector<gdi::Point> thin{{0, 0}, {3000, 0}, {3000, 1}, {0, 1}};
    f.FillPolygon(c, thin);
    EXPECT_EQ(blits().back().bitmap->Height(), 1);
}

TEST(FillDataDrawing, PrinterGetsOneBoundedBitmapOrBands) {
    auto printer = std::make_unique<gdi::test::FakePrinter>();
    gdi::test::FakePrinter& fake = *printer;
    gdi::SetCurrentPrinter(std::move(printer));
    fake.BeginDoc("Verlauf");
    gdi::RecordingCanvas& c = fake.Recording();
    TFillData f;
    f.SetKind(fkGradient);
    const std::vector<gdi::Point> box{{0, 0}, {3000, 0}, {3000, 1500}, {0, 1500}};
    f.FillPolygon(c, box);
    ASSERT_EQ(c.Calls().size(), 1u);
    const gdi::RecordedCall& blit = c.Calls()[0];
    EXPECT_EQ(blit.op, gdi::RecordedCall::Op::StretchBlt);
    EXPECT_EQ(blit.bitmap->Width(), 948);  // 3000 shrunk by 3/4 four times
    EXPECT_EQ(blit.bitmap->Height(), 474);
    EXPECT_EQ(blit.rect, (gdi::Rect{0, 0, 3000, 1500}));
    EXPECT_TRUE(blit.state.clip.has_value());

    // Band by band: only the pixels of the shape, no clip region left behind.
    c.Clear();
    UseScanlines = true;
    c.IntersectClipRect(0, 0, 2000, 2000);
    const std::vector<gdi::Point> diamond{{500, 0}, {1000, 500}, {500, 1000}, {0, 500}};
    f.FillPolygon(c, diamond);
    UseScanlines = false;
    const gdi::Region shape = gdi::Region::FromPolygon(diamond, gdi::PolyFillMode::Alternate);
    gdi::Region covered;
    for (const auto& call : c.Calls()) {
        ASSERT_EQ(call.op, gdi::RecordedCall::Op::StretchBlt);
        EXPECT_FALSE(call.state.clip.has_value());
        EXPECT_LE(std::max(call.bitmap->Width(), call.bitmap->Height()), 512);
        covered.Combine(covered, gdi::Region::FromRect(call.rect), gdi::RegionCombine::Or);
    }
    EXPECT_GT(c.Calls().size(), 100u);
    EXPECT_TRUE(covered == shape);
    EXPECT_EQ(c.GetClipRgn()->Box(), (gdi::Rect{0, 0, 2000, 2000}));

    // A clip that cuts the shape sends less, but the same part of the same gradient.
    const std::vector<gdi::RecordedCall> whole = c.Calls();
    c.Clear();
    c.SelectClipRgn(nullptr);
    c.IntersectClipRect(0, 0, 500, 1000);
    UseScanlines = true;
    f.FillPolygon(c, diamond);
    UseScanlines = false;
    ASSERT_FALSE(c.Calls().empty());
    for (const auto& call : c.Calls()) {
        EXPECT_LE(call.rect.right, 500);
        const bool same = std::any_of(whole.begin(), whole.end(), [&](const gdi::RecordedCall& w) {
            return w.rect.left == call.rect.left && w.rect.top == call.rect.top && w.srcRect.left == call.srcRect.left &&
                   w.srcRect.top == call.srcRect.top && w.bitmap->Width() == call.bitmap->Width();
        });
        EXPECT_TRUE(same) << call.rect.left << "," << call.rect.top;
    }
    fake.EndDoc();
    gdi::SetCurrentPrinter(std::make_unique<gdi::test::FakePrinter>());
}

TEST(FillDataDrawing, PatternsAreStretchedOrTiled) {
    TFillData f;
    f.SetKind(fkPattern);
    f.SetBitmap(FourColours());
    const std::vector<gdi::Point> square{{10, 10}, {30, 10}, {30, 30}, {10, 30}};
    auto canvas = RedCanvas(40, 40);
    f.FillPolygon(*canvas, square);  // stretched: four quadrants
    const gdi::Bitmap& b = canvas->bitmap();
    EXPECT_EQ(b.Pixel(12, 12), gdi::Rgb(255, 0, 0));
    EXPECT_EQ(b.Pixel(27, 12), gdi::Rgb(0, 255, 0));
    EXPECT_EQ(b.Pixel(12, 27), gdi::Rgb(0, 0, 255));
    EXPECT_EQ(b.Pixel(27, 27), gdi::Rgb(255, 255, 0));
    EXPECT_EQ(b.Pixel(5, 5), kBackground);

    f.SetPatternMode(1);  // tiled from the shape's top-left
    canvas = RedCanvas(40, 40);
    f.FillPolygon(*canvas, square);
    for (int32_t y = 10; y < 30; ++y) {
        for (int32_t x = 10; x < 30; ++x) {
            ASSERT_EQ(canvas->bitmap().Pixel(x, y), FourColours().Pixel((x - 10) % 2, (y - 10) % 2)) << x << "," << y;
        }
    }
    EXPECT_EQ(canvas->bitmap().Pixel(35, 20), kBackground);
}

TEST(FillDataDrawing, TilesOfALongThinPatternStayAsLargeAsThePattern) {
    // A pattern file may be 16 million pixels wide and one high; growing it
    // to 64 rows would ask for gigabytes.
    TFillData f;
    f.SetKind(fkPattern);
    f.SetPatternMode(1);
    gdi::Bitmap thin(8192, 1);
    thin.Fill(gdi::Rgb(0, 128, 255));
    f.SetBitmap(thin);
    gdi::RecordingCanvas c(gdi::ScreenCaps(), gdi::DeviceKind::Bitmap);
    const std::vector<gdi::Point> shape{{0, 0}, {300, 0}, {300, 200}, {0, 200}};
    f.FillPolygon(c, shape);
    int32_t blits = 0;
    for (const gdi::RecordedCall& call : c.Calls()) {
        if (call.op != gdi::RecordedCall::Op::StretchBlt) continue;
        ++blits;
        EXPECT_LE(int64_t{call.bitmap->Width()} * call.bitmap->Height(), 8192);
    }
    EXPECT_EQ(blits, 200);  // one row of the shape per tile
}

TEST(FillDataDrawing, TilesSendOnlyTheirVisiblePart) {
    // A pattern one pixel wide and 20000 high: every column of the shape is
    // one tile, of which only the shape's 200 rows may be copied.
    TFillData tall;
    tall.SetKind(fkPattern);
    tall.SetPatternMode(1);
    tall.SetBitmap(gdi::Bitmap(1, 20000));
    const std::vector<gdi::Point> shape{{0, 0}, {300, 0}, {300, 200}, {0, 200}};
    for (const gdi::DeviceKind kind : {gdi::DeviceKind::Bitmap, gdi::DeviceKind::Printer}) {
        gdi::RecordingCanvas c(gdi::ScreenCaps(), kind);
        tall.FillPolygon(c, shape);
        int32_t blits = 0;
        for (const gdi::RecordedCall& call : c.Calls()) {
            if (call.op != gdi::RecordedCall::Op::StretchBlt) continue;
            ++blits;
            const gdi::Rect source = call.srcRect.Normalized();
            EXPECT_LE(int64_t{source.Width()} * source.Height(), 200);
            EXPECT_LE(int64_t{call.bitmap->Width()} * call.bitmap->Height(), kind == gdi::DeviceKind::Printer ? 200 : 20000);
        }
        EXPECT_EQ(blits, 300);
    }

    // Cut tiles keep their place: a clip inside the shape shows the pattern
    // as it lies from the shape's top-left.
    TFillData f;
    f.SetKind(fkPattern);
    f.SetPatternMode(1);
    f.SetBitmap(FourColours());
    auto canvas = RedCanvas(120, 120);
    canvas->IntersectClipRect(37, 41, 101, 113);
    f.FillPolygon(*canvas, std::vector<gdi::Point>{{5, 7}, {115, 7}, {115, 117}, {5, 117}});
    for (int32_t y = 0; y < 120; ++y) {
        for (int32_t x = 0; x < 120; ++x) {
            const bool inside = x >= 37 && x < 101 && y >= 41 && y < 113;
            const gdi::Color expected = inside ? FourColours().Pixel((x - 5) % 2, (y - 7) % 2) : kBackground;
            ASSERT_EQ(canvas->bitmap().Pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(FillDataDrawing, ShadesAndPolygonSets) {
    struct Case { uint8_t kind; gdi::Color colour, dark, medium; };
    const Case cases[] = {
        {fkNone, 0, 0xC0C0C0, 0xC0C0C0},
        {fkPattern, 0, 0x808080, 0x808080},
        // Pure blue: saturation limited, luminance fixed.
        {fkColor, 0xFF0000, gdi::Rgb(46, 46, 107), gdi::Rgb(51, 51, 153)},
    };
    for (const Case& c : cases) {
        TFillData f;
        f.SetKind(c.kind);
        f.SetColor(c.colour);
        gdi::RecordingCanvas canvas;
        f.FillPolygonDarkShade(canvas, kTriangle);
        f.FillPolygonMediumShade(canvas, kTriangle);
        ASSERT_EQ(canvas.Calls().size(), 2u);
        EXPECT_EQ(canvas.Calls()[0].state.brush.color, c.dark) << int(c.kind);
        EXPECT_EQ(canvas.Calls()[1].state.brush.color, c.medium) << int(c.kind);
        EXPECT_EQ(canvas.Calls()[0].state.pen.style, gdi::PenStyle::Null);
    }
    TFillData g;
    g.SetKind(fkGradient);
    g.Palette().Items(0)->SetColor(0xFF0000);
    EXPECT_EQ(g.ShadeColor(0.4, 0.3), gdi::Rgb(46, 46, 107));

    // Two squares, one inside the other: the hole stays empty.
    g.Palette().Items(0)->SetColor(kBlack);
    const std::vector<gdi::Point> points{{0, 0}, {40, 0}, {40, 40}, {0, 40}, {10, 10}, {30, 10}, {30, 30}, {10, 30}};
    const std::vector<int32_t> counts{4, 4};
    auto canvas = RedCanvas(50, 50);
    g.FillPolyPolygon(*canvas, points, counts);
    EXPECT_TRUE(IsGrey(canvas->bitmap().Pixel(5, 20)));
    EXPECT_EQ(canvas->bitmap().Pixel(20, 20), kBackground);
    // Counts that do not fit the points draw nothing.
    auto untouched = RedCanvas(50, 50);
    const std::vector<int32_t> tooMany{4, 5};
    const std::vector<int32_t> negative{-4, 8};
    g.FillPolyPolygon(*untouched, points, tooMany);
    g.FillPolyPolygon(*untouched, points, negative);
    g.FillPolyPolygon(*untouched, points, {});
    EXPECT_EQ(untouched->bitmap().Pixel(5, 20), kBackground);
}
