// The metafile players: the mapping, the WMF and EMF headers, every record
// group unturned and turned, object slots, damaged records, and the
// program's own metafiles played back.
#include "pictures/EMFDecoder.h"
#include "pictures/MetaBuilders.h"
#include "pictures/WMFDecoder.h"
#include "pictures/ZRMetaFile.h"
#include "support/Files.h"

#include "foundation/Exceptions.h"
#include "foundation/PointHelpers.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/Metafile.h"
#include "platform/gdi/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using gdi::RecordedCall;
using metatest::Bytes;
using metatest::Emf;
using metatest::Wmf;
using Op = gdi::RecordedCall::Op;

namespace {

std::unique_ptr<TZRMetaFile> Load(const std::vector<uint8_t>& bytes) {
    auto picture = std::make_unique<TZRMetaFile>();
    TMemoryStream stream(bytes);
    picture->LoadFromStream(stream, stream.Size());
    return picture;
}

std::vector<RecordedCall> Play(const std::vector<uint8_t>& bytes, float angle, int32_t cx = 100, int32_t cy = 100,
                               int32_t w = 200, int32_t h = 200) {
    const auto picture = Load(bytes);
    gdi::RecordingCanvas canvas;
    picture->Draw(canvas, cx, cy, w, h, angle);
    return canvas.Calls();
}

std::vector<RecordedCall> OfKind(const std::vector<RecordedCall>& calls, Op op) {
    std::vector<RecordedCall> out;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(out), [op](const RecordedCall& c) { return c.op == op; });
    return out;
}

// A point turned about (cx, cy) by degrees, clockwise on the device.
gdi::Point Turned(gdi::Point p, double degrees, double cx, double cy) {
    const double a = degrees * M_PI / 180, dx = p.x - cx, dy = p.y - cy;
    return {int32_t(std::lround(cx + dx * std::cos(a) - dy * std::sin(a))),
            int32_t(std::lround(cy + dx * std::sin(a) + dy * std::cos(a)))};
}

// A base player whose mapping the tests set field by field.
struct Mapping : TCustomZRMetaFile {
    Mapping() {
        Box = {0, 0, 100, 50};
        Target = {0, 0, 200, 100};
    }
};

}  // namespace

TEST(Metafile, MappingTable) {
    struct Case {
        const char* name;
        void (*setup)(Mapping&);
        gdi::Point logical, device;
    };
    const Case cases[] = {
        {"box to target", [](Mapping&) {}, {10, 10}, {20, 20}},
        {"window over viewport", [](Mapping& m) { m.WindowExt = {10, 5}, m.ViewportExt = {100, 50}; }, {1, 1}, {20, 20}},
        {"other map mode: ratio 1", [](Mapping& m) { m.MapMode = 1, m.WindowExt = {10, 5}, m.ViewportExt = {100, 50}; }, {1, 1}, {2, 2}},
        {"origins subtracted", [](Mapping& m) { m.MapMode = 1, m.WindowOrg = {5, 0}, m.ViewportOrg = {0, -10}; }, {1, 1}, {-8, 22}},
        {"window scale", [](Mapping& m) { m.WindowScale = {2, 1}; }, {10, 10}, {40, 20}},
        {"world transform in compatible mode", [](Mapping& m) { MatrixScale(m.WorldTransform, 3, 3); }, {10, 10}, {20, 20}},
        {"world transform in advanced mode", [](Mapping& m) { MatrixScale(m.WorldTransform, 3, 3), m.GraphicsMode = 2; }, {10, 10}, {60, 60}},
        {"turned by 90 about the target's centre", [](Mapping& m) { m.Angle = 90; }, {0, 0}, {150, -50}},
    };
    for (const Case& c : cases) {
        Mapping m;
        c.setup(m);
        m.BuildMatrices();
        EXPECT_TRUE(m.MappingValid()) << c.name;
        EXPECT_EQ(m.MapPoint(c.logical.x, c.logical.y), c.device) << c.name;
    }
    Mapping m;
    m.Angle = 90;
    m.BuildMatrices();
    EXPECT_EQ(m.MapLength(10, 5), (gdi::Point{20, 10}));  // lengths never turn
    // A zero box or window extent gives no picture.
    m.Box = {0, 0, 0, 50};
    m.BuildMatrices();
    EXPECT_FALSE(m.MappingValid());
    Mapping n;
    n.WindowExt = {0, 5};
    n.BuildMatrices();
    EXPECT_FALSE(n.MappingValid());
}

TEST(Metafile, IsEMFNeedsMoreThan100Bytes) {
    std::vector<uint8_t> bytes(101, 0);
    bytes[0] = 1;
    const uint32_t signature = 0x464D4520;
    std::memcpy(bytes.data() + 40, &signature, 4);
    TMemoryStream exactly(std::vector<uint8_t>(bytes.begin(), bytes.end() - 1));
    EXPECT_FALSE(TZRMetaFile::IsEMF(exactly));
    TMemoryStream more(bytes);
    EXPECT_TRUE(TZRMetaFile::IsEMF(more));
    EXPECT_EQ(more.Position(), 0);
    bytes[0] = 2;
    TMemoryStream otherType(bytes);
    EXPECT_FALSE(TZRMetaFile::IsEMF(otherType));
}

TEST(Metafile, WmfHeaderTable) {
    const std::vector<uint8_t> good = Wmf().Rec(0x041B, {20, 30, 10, 10}).File(0, 0, 100, -50);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int64_t size;
        bool ok;
    };
    std::vector<uint8_t> wrongKey = good, wrongChecksum = good;
    wrongKey[0] ^= 1;
    wrongChecksum[20] ^= 0x10;
    const std::vector<Case> cases = {
        {"placeable", good, int64_t(good.size()), true},
        {"wrong key", wrongKey, int64_t(wrongKey.size()), false},
        {"one checksum bit wrong", wrongChecksum, int64_t(wrongChecksum.size()), false},
        {"too short for both headers", std::vector<uint8_t>(good.begin(), good.begin() + 39), 39, false},
        {"size beyond the bytes", good, int64_t(good.size()) + 2, false},
    };
    for (const Case& c : cases) {
        TZRWMF player;
        TMemoryStream stream(c.bytes);
        if (c.ok) {
            player.LoadFromStream(stream, c.size);
            EXPECT_EQ(player.GetWidth(), 100);
            EXPECT_EQ(player.GetHeight(), 50);
            TMemoryStream saved;
            player.SaveToStream(saved);
            EXPECT_EQ(saved.Bytes(), c.bytes);
            continue;
        }
        try {
            player.LoadFromStream(stream, c.size);
            ADD_FAILURE() << c.name;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), "falsches WMF Format") << c.name;
        }
        EXPECT_TRUE(player.IsEmpty()) << c.name;
        EXPECT_EQ(player.GetWidth(), 1) << c.name;
    }
}

// Every record group, unturned and turned by 90 degrees: the box (0, 0, 100,
// 100) on the target (0, 0, 200, 200), so one unit is two device pixels.
TEST(Metafile, WmfRecordGroupsAtZeroAndNinety) {
    Wmf wmf;
    wmf.Rec(0x020C, {100, 100})                                 // window extent
        .Rec(0x02FA, {0, 3, 0, 0x00FF, 0})                      // pen 0: red, width 3
        .Rec(0x02FC, {0, 0x0000, 0x00FF, 0})                    // brush 1: blue... colour 0x00FF0000
        .Rec(0x012D, {0})
        .Rec(0x012D, {1})
        .Rec(0x0214, {10, 10})                                   // move to (10, 10)
        .Rec(0x0213, {10, 20})                                   // line to (20, 10)
        .Rec(0x041B, {20, 30, 10, 10})                           // rectangle (10, 10)-(30, 20)
        .Rec(0x0418, {20, 30, 10, 10})                           // ellipse
        .Rec(0x061C, {4, 6, 20, 30, 10, 10})                     // round rectangle
        .Rec(0x0324, {3, 0, 0, 10, 0, 0, 10})                    // polygon
        .Rec(0x0325, {3, 0, 0, 10, 0, 10, 10})                   // polyline
        .Rec(0x0538, {2, 3, 3, 0, 0, 5, 0, 0, 5, 10, 10, 15, 10, 10, 15})  // poly-polygon
        .Rec(0x0817, {10, 40, 10, 60, 20, 60, 0, 40})            // arc, chord and pie
        .Rec(0x0830, {10, 40, 10, 60, 20, 60, 0, 40})
        .Rec(0x081A, {10, 40, 10, 60, 20, 60, 0, 40});
    Bytes font;
    font.I16(-10).I16(0).I16(0).I16(0).I16(400).U32(0).U32(0).Text("Arial").U8(0);
    wmf.Raw(0x02FB, font.v).Rec(0x012D, {2});
    Bytes text;
    text.U16(2).Text("Ab").I16(50).I16(10);
    wmf.Raw(0x0521, text.v);
    const std::vector<uint8_t> bytes = wmf.File(0, 0, 100, 100);

    for (float angle : {0.0f, 90.0f}) {
        const auto calls = Play(bytes, angle);
        const auto polygons = OfKind(calls, Op::Polygon);
        const auto lines = OfKind(calls, Op::Line);
        const auto paths = OfKind(calls, Op::Path);
        const auto texts = OfKind(calls, Op::Text);
        ASSERT_EQ(polygons.size(), 6u) << angle;  // rectangle, round rectangle, polygon, poly-polygon, chord, pie
        ASSERT_EQ(lines.size(), 3u) << angle;     // line, polyline, arc
        ASSERT_EQ(paths.size(), 1u) << angle;     // the ellipse as a Bezier path
        ASSERT_EQ(texts.size(), 1u) << angle;
        const std::vector<gdi::Point> rectangle = {{20, 20}, {62, 20}, {62, 42}, {20, 42}, {20, 20}};
        for (size_t i = 0; i < rectangle.size(); ++i)
            EXPECT_EQ(polygons[0].points[i], Turned(rectangle[i], angle, 100, 100)) << angle << " corner " << i;
        EXPECT_EQ(polygons[0].state.pen.width, 6);
        EXPECT_EQ(polygons[0].state.pen.color, gdi::Rgb(255, 0, 0));
        EXPECT_EQ(polygons[0].state.brush.color, gdi::Rgb(0, 0, 255));
        EXPECT_EQ(polygons[3].counts, (std::vector<int32_t>{3, 3}));
        EXPECT_EQ(lines[0].points.back(), Turned({40, 20}, angle, 100, 100));
        EXPECT_EQ(texts[0].text, u"Ab");
        EXPECT_EQ(texts[0].points[0], Turned({20, 100}, angle, 100, 100));
        EXPECT_EQ(texts[0].state.font.height, -20);
        EXPECT_EQ(texts[0].state.font.escapement, angle == 0 ? 0 : -900);
        // The ellipse's path starts at its left end, turned with the picture.
        EXPECT_EQ(paths[0].path.points.front(), Turned({19, 30}, angle, 100, 100));
    }
}

// Without a mapping record the window (0, 0)-(1, 1) covers the bounding box;
// a map mode other than the anisotropic one makes the ratio 1 at once; region
// and bitmap objects keep their slots; bitmap records draw at every angle.
TEST(Metafile, WmfDefaultsAndSkippedRecords) {
    const std::vector<gdi::Point> unit = {{0, 0}, {200, 0}, {200, 200}, {0, 200}, {0, 0}};
    const auto bare = OfKind(Play(Wmf().Rec(0x041B, {0, 0, 0, 0}).File(10, 20, 110, 120), 0), Op::Polygon);
    ASSERT_EQ(bare.size(), 1u);
    EXPECT_EQ(bare[0].points, unit);

    const auto textMode = OfKind(Play(Wmf().Rec(0x020C, {10, 10}).Rec(0x0103, {1}).Rec(0x041B, {5, 5, 0, 0}).File(10, 20, 110, 120), 0),
                                 Op::Polygon);
    ASSERT_EQ(textMode.size(), 1u);
    EXPECT_EQ(textMode[0].points[2], (gdi::Point{12, 12}));  // ratio 1, not 10

    Wmf objects;
    objects.Rec(0x06FF, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})  // a region: slot 0
        .Rec(0x02FC, {0, 0x00FF, 0, 0})                    // red brush: slot 1
        .Rec(0x012D, {1})
        // a 1 x 1 green DIB stretched over (0, 0)-(50, 50): header, then one padded row
        .Rec(0x0B41, {0x0020, 0x00CC, 1, 1, 0, 0, 50, 50, 0, 0, 40, 0, 1, 0, 1, 0, 1, 24, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0,
                      0, 0, 0xFF00, 0})
        .Rec(0x041B, {20, 30, 10, 10});
    for (float angle : {0.0f, 90.0f, 30.0f}) {
        const auto calls = Play(objects.File(0, 0, 100, 100), angle);
        const auto polygons = OfKind(calls, Op::Polygon);
        ASSERT_EQ(polygons.size(), 1u) << angle;
        EXPECT_EQ(polygons[0].state.brush.color, gdi::Rgb(255, 0, 0)) << angle;
        const auto blits = OfKind(calls, Op::StretchBlt);
        ASSERT_EQ(blits.size(), 1u) << angle;
        EXPECT_EQ(blits[0].bitmap->Pixel(0, 0), gdi::Rgb(0, 255, 0)) << angle;
    }
}

// A picture with a bitmap, a clip rectangle, a large pixel and a text on its
// background rectangle looks the same at every angle: each sample point,
// turned with the picture, keeps its colour.
TEST(Metafile, WmfBitmapClipAndPixelRecordsTurnWithThePicture) {
    Wmf wmf;
    wmf.Rec(0x020C, {50, 50});  // 4 device pixels per unit
    // A 2 x 2 DIB (bottom row blue, yellow; top row red, green) stretched over (5, 5)-(25, 25).
    Bytes dib;
    dib.U16(0x0020).U16(0x00CC).U16(0).I16(2).I16(2).I16(0).I16(0).I16(20).I16(20).I16(5).I16(5);
    dib.U32(40).I32(2).I32(2).U16(1).U16(24).U32(0).U32(16).U32(0).U32(0).U32(0).U32(0);
    dib.U8(255).U8(0).U8(0).U8(0).U8(255).U8(255).U16(0).U8(0).U8(0).U8(255).U8(0).U8(255).U8(0).U16(0);
    wmf.Raw(0x0F43, dib.v)
        .Rec(0x0416, {50, 40, 0, 0})                   // clip to (0, 0)-(40, 50)
        .Rec(0x02FA, {5, 0, 0, 0, 0})                  // null pen
        .Rec(0x02FC, {0, 0x00FF, 0x0080, 0})           // a red-violet brush
        .Rec(0x012D, {0})
        .Rec(0x012D, {1})
        .Rec(0x041B, {48, 48, 30, 30})                 // rectangle (30, 30)-(49, 49), cut at 40
        .Rec(0x041F, {0x00FF, 0x00FF, 15, 35})         // a magenta pixel at (35, 15)
        .Rec(0x0201, {0xFF00, 0x0000});                // green background
    Bytes opaque;                                      // a space on the background of (2, 32)-(18, 45)
    opaque.I16(40).I16(5).U16(1).U16(2).I16(2).I16(32).I16(18).I16(45).Text(" ").U8(0);
    wmf.Raw(0x0A32, opaque.v);
    const auto picture = Load(wmf.File(0, 0, 50, 50));
    struct Sample {
        double x, y;  // logical units
        gdi::Color color;
    };
    const gdi::Color white = gdi::Rgb(255, 255, 255);
    const Sample samples[] = {
        {10, 10, gdi::Rgb(255, 0, 0)}, {20, 10, gdi::Rgb(0, 255, 0)}, {10, 20, gdi::Rgb(0, 0, 255)},
        {20, 20, gdi::Rgb(255, 255, 0)}, {35, 40, gdi::Rgb(255, 0, 128)}, {44, 40, white},
        {35.1, 15.1, gdi::Rgb(255, 0, 255)}, {45, 10, white}, {14, 36, gdi::Rgb(0, 255, 0)}, {14, 47, white},
    };
    for (float angle : {0.0f, 30.0f, 90.0f, 135.0f, 200.0f}) {
        gdi::BitmapCanvas canvas(300, 300);
        picture->Draw(canvas, 150, 150, 200, 200, angle);
        for (const Sample& s : samples) {
            const double a = angle * M_PI / 180, dx = 50 + 4 * s.x - 150, dy = 50 + 4 * s.y - 150;
            const auto x = int32_t(std::floor(150 + dx * std::cos(a) - dy * std::sin(a)));
            const auto y = int32_t(std::floor(150 + dx * std::sin(a) + dy * std::cos(a)));
            EXPECT_EQ(canvas.bitmap().Pixel(x, y), s.color) << angle << " degrees at (" << s.x << ", " << s.y << ")";
        }
    }
}

// Character extra and justification are lengths of the picture, mapped to
// the device; palettes and the mapper flags reach the canvas as in EMF.
TEST(Metafile, WmfTextExtrasPaletteAndMapperFlags) {
    Bytes advances, palette;
    advances.I16(10).I16(10).U16(5).U16(0).Text("a b c").U8(0).I16(10).I16(10).I16(10).I16(10).I16(10);
    palette.U16(0x300).U16(2).U8(10).U8(20).U8(30).U8(0).U8(40).U8(50).U8(60).U8(0);
    Wmf wmf;
    wmf.Rec(0x020C, {50, 50})                  // 2 device pixels per unit
        .Raw(0x0A32, advances.v)
        .Rec(0x0108, {2})                      // 2 units after every character
        .Raw(0x0A32, advances.v)
        .Rec(0x0108, {0})
        .Rec(0x020A, {2, 3})                   // 3 units over 2 spaces
        .Raw(0x0A32, advances.v)
        .Rec(0x0231, {1, 0})
        .Raw(0x00F7, palette.v)                // slot 0
        .Rec(0x0234, {0})
        .Rec(0x0035, {})
        .Rec(0x02FC, {0, 0x0001, 0x0100, 0})   // brush of palette entry 1
        .Rec(0x012D, {1})
        .Rec(0x041B, {20, 30, 10, 10});
    const auto calls = Play(wmf.File(0, 0, 50, 50), 0, 50, 50, 100, 100);
    const auto texts = OfKind(calls, Op::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].dx, (std::vector<int32_t>{20, 20, 20, 20, 20}));
    EXPECT_EQ(texts[1].dx, (std::vector<int32_t>{24, 24, 24, 24, 24}));
    EXPECT_EQ(texts[2].dx, (std::vector<int32_t>{20, 23, 20, 23, 20}));
    const auto polygons = OfKind(calls, Op::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].state.brush.color, gdi::Rgb(40, 50, 60));
    EXPECT_EQ(polygons[0].state.mapperFlags, 1u);
}


// unit, three advances of 3 become 4, 5 and 5, not 4, 4 and 4.
TEST(Metafile, WmfTextAdvancesAreCumulative) {
    Bytes ext;
    ext.I16(10).I16(10).U16(3).U16(0).Text("abc").U8(0).I16(3).I16(3).I16(3);
    const auto calls = Play(Wmf().Rec(0x020C, {100, 100}).Raw(0x0A32, ext.v).File(0, 0, 100, 100), 0, 75, 75, 150, 150);
    const auto texts = OfKind(calls, Op::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].dx, (std::vector<int32_t>{4, 5, 5}));
    // Without advances the font's own spacing is used.
    Bytes bare;
    bare.I16(10).I16(10).U16(3).U16(0).Text("abc").U8(0);
    const auto plain = OfKind(Play(Wmf().Raw(0x0A32, bare.v).File(0, 0, 100, 100), 0), Op::Text);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_TRUE(plain[0].dx.empty());
}

TEST(Metafile, ObjectSlotsAreReused) {
    const auto calls = Play(Wmf()
                                .Rec(0x02FA, {0, 1, 0, 0x00FF, 0})      // pen: slot 0
                                .Rec(0x02FC, {0, 0xFF00, 0, 0})         // green brush: slot 1
                                .Rec(0x01F0, {0})                       // slot 0 freed
                                .Rec(0x02FC, {0, 0x0000, 0x00FF, 0})    // blue brush takes slot 0
                                .Rec(0x012D, {0})
                                .Rec(0x041B, {20, 30, 10, 10})
                                .Rec(0x012D, {1})
                                .Rec(0x012D, {77})                      // no such object: ignored
                                .Rec(0x041B, {20, 30, 10, 10})
                                .File(0, 0, 100, 100),
                            0);
    const auto polygons = OfKind(calls, Op::Polygon);
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(polygons[0].state.brush.color, gdi::Rgb(0, 0, 255));
    EXPECT_EQ(polygons[1].state.brush.color, gdi::Rgb(0, 255, 0));
}

// Counts beyond their record are skipped; a record past the data, of size 0
// or with function 0 ends playback.
TEST(Metafile, DamagedRecordsEndOrSkip) {
    const auto skipped = Play(Wmf().Rec(0x0324, {100, 0, 0, 10, 10}).Rec(0x041B, {20, 30, 10, 10}).File(0, 0, 100, 100), 0);
    EXPECT_EQ(OfKind(skipped, Op::Polygon).size(), 1u);
    std::vector<uint8_t> ended = Wmf().Rec(0x041B, {20, 30, 10, 10}).Raw(0, {}).Rec(0x041B, {20, 30, 10, 10}).File(0, 0, 100, 100);
    EXPECT_EQ(OfKind(Play(ended, 0), Op::Polygon).size(), 1u);
    std::vector<uint8_t> tooLong = Wmf().Rec(0x041B, {20, 30, 10, 10}).Rec(0x041B, {20, 30, 10, 10}).File(0, 0, 100, 100);
    tooLong[40 + 14] = 0x7F;  // the second record's size reaches far past the end
    EXPECT_EQ(OfKind(Play(tooLong, 0), Op::Polygon).size(), 1u);
    // A zero box draws nothing.
    EXPECT_TRUE(Play(Wmf().Rec(0x041B, {20, 30, 10, 10}).File(0, 0, 0, 100), 0).empty());
    EXPECT_TRUE(Play(Wmf().Rec(0x020C, {0, 100}).Rec(0x041B, {20, 30, 10, 10}).File(0, 0, 100, 100), 0).empty());
}

// The metafile's own saved states never reach the caller's, and playback
// leaves the canvas's state as it was.
TEST(Metafile, SavedStatesStayTheMetafilesOwn) {
    gdi::RecordingCanvas canvas;
    canvas.SetTextColor(gdi::Rgb(1, 2, 3));
    const int32_t depth = canvas.SaveDC();
    canvas.SetTextColor(gdi::Rgb(4, 5, 6));
    const auto picture = Load(Wmf()
                                   .Rec(0x0127, {-1})
                                   .Rec(0x0127, {-1})
                                   .Rec(0x0209, {0xFF, 0})
                                   .Rec(0x001E, {})
                                   .Rec(0x001E, {})
                                   .File(0, 0, 100, 100));
    picture->Draw(canvas, 50, 50, 100, 100, 0);
    EXPECT_EQ(canvas.TextColor(), gdi::Rgb(4, 5, 6));
    EXPECT_EQ(canvas.SaveDC(), depth + 1);
}

TEST(Metafile, EmfHeaderTable) {
    const std::vector<uint8_t> good = Emf().Rec(43, {10, 10, 20, 20}).File(100, 50);
    auto withTotal = [&good](uint32_t total) {
        std::vector<uint8_t> b = good;
        std::memcpy(b.data() + 48, &total, 4);
        return b;
    };
    std::vector<uint8_t> noSignature = good;
    noSignature[40] = 'X';
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int64_t size;
        bool ok;
    };
    const std::vector<Case> cases = {
        {"whole", good, int64_t(good.size()), true},
        {"size of the header only", withTotal(100), int64_t(good.size()), true},
        {"size below 100", withTotal(99), int64_t(good.size()), false},
        {"size beyond the bytes", withTotal(uint32_t(good.size() + 4)), int64_t(good.size()), false},
        {"size beyond the count given", good, int64_t(good.size()) - 4, false},
        {"no signature", noSignature, int64_t(good.size()), false},
    };
    for (const Case& c : cases) {
        TZREMF player;
        TMemoryStream stream(c.bytes);
        if (!c.ok) {
            EXPECT_THROW(player.LoadFromStream(stream, c.size), Exception) << c.name;
            EXPECT_TRUE(player.IsEmpty()) << c.name;
            continue;
        }
        player.LoadFromStream(stream, c.size);
        EXPECT_EQ(player.GetWidth(), 100) << c.name;
        EXPECT_EQ(player.GetHeight(), 50) << c.name;
    }
    // Exactly 100 bytes are too few for the facade to take them as EMF.
    const std::vector<uint8_t> header = withTotal(100);
    const std::vector<uint8_t> hundred(header.begin(), header.begin() + 100);
    TZRMetaFile facade;
    TMemoryStream stream(hundred);
    EXPECT_THROW(facade.LoadFromStream(stream, 100), Exception);
    EXPECT_TRUE(dynamic_cast<const TZRWMF*>(facade.Player()));
}

namespace {

// A 2 x 1 DIB (red, blue) as STRETCHDIBITS into (x, y, w, h).
Bytes StretchDibits(int32_t x, int32_t y, int32_t w, int32_t h) {
    Bytes r;
    r.I32(0).I32(0).I32(0).I32(0).I32(x).I32(y).I32(0).I32(0).I32(2).I32(1);
    r.U32(80).U32(40).U32(120).U32(8).U32(0).U32(0x00CC0020).I32(w).I32(h);
    r.U32(40).I32(2).I32(1).U16(1).U16(24).U32(0).U32(8).U32(0).U32(0).U32(0).U32(0);
    r.U8(0).U8(0).U8(255).U8(255).U8(0).U8(0).U16(0);
    return r;
}

Bytes FillRegion(uint32_t brush, gdi::Rect rect) {
    Bytes r;
    r.I32(0).I32(0).I32(0).I32(0).U32(48).U32(brush);
    r.U32(32).U32(1).U32(1).U32(16).I32(rect.left).I32(rect.top).I32(rect.right).I32(rect.bottom);
    r.I32(rect.left).I32(rect.top).I32(rect.right).I32(rect.bottom);
    return r;
}

Bytes TextW(int32_t x, int32_t y, const std::u16string& s, std::vector<int32_t> dx, int32_t graphicsMode = 1) {
    Bytes r;
    r.I32(0).I32(0).I32(-1).I32(-1).I32(graphicsMode).F32(0).F32(0);
    const uint32_t stringOffset = 76, dxOffset = uint32_t(76 + ((2 * s.size() + 3) & ~size_t{3}));
    r.I32(x).I32(y).U32(uint32_t(s.size())).U32(stringOffset).U32(0).I32(0).I32(0).I32(0).I32(0).U32(dx.empty() ? 0 : dxOffset);
    for (char16_t c : s) r.U16(c);
    r.Pad(4);
    for (int32_t d : dx) r.I32(d);
    return r;
}

}  // namespace

// Every record group: at 0 all play; at 90 bitmaps of STRETCHDIBITS turn
// and clipping and regions are dropped; at 30 bitmaps are dropped too.
TEST(Metafile, EmfRecordGroupsAtZeroAndNinety) {
    Emf emf;
    emf.Rec(38, {1, 0, 2, 0, 0x0000FF})                 // pen 1: red, width 2
        .Rec(39, {2, 0, 0x00FF00, 0})                    // brush 2: green
        .Rec(37, {1})
        .Rec(37, {2})
        .Rec(27, {10, 10})
        .Rec(54, {20, 10})
        .Rec(43, {10, 10, 30, 20})                       // rectangle
        .Rec(42, {10, 10, 30, 20})                       // ellipse
        .Rec(44, {10, 10, 30, 20, 6, 4})                 // round rectangle
        .Rec(45, {40, 0, 60, 20, 60, 10, 40, 10})        // arc, chord, pie
        .Rec(46, {40, 0, 60, 20, 60, 10, 40, 10})
        .Rec(47, {40, 0, 60, 20, 60, 10, 40, 10});
    Bytes poly16, poly32;
    poly16.I32(0).I32(0).I32(0).I32(0).U32(3).I16(0).I16(0).I16(10).I16(0).I16(0).I16(10);
    poly32.I32(0).I32(0).I32(0).I32(0).U32(3).I32(0).I32(0).I32(10).I32(0).I32(0).I32(10);
    emf.Rec(86, poly16).Rec(3, poly32);
    emf.Rec(81, StretchDibits(50, 50, 20, 10)).Rec(71, FillRegion(2, {0, 0, 10, 10}));
    emf.Rec(84, TextW(10, 80, u"Hi", {5, 5}));
    emf.Rec(30, {0, 0, 50, 50}).Rec(43, {10, 10, 30, 20});  // clipped rectangle
    emf.Rec(37, {int32_t(0x80000004)}).Rec(43, {10, 10, 30, 20});
    const std::vector<uint8_t> bytes = emf.File(100, 100);

    for (float angle : {0.0f, 90.0f, 30.0f}) {
        const auto calls = Play(bytes, angle, 50, 50, 100, 100);
        const auto polygons = OfKind(calls, Op::Polygon);
        ASSERT_EQ(polygons.size(), 8u) << angle;  // rect, round rect, chord, pie, two polygons, two rects
        EXPECT_EQ(OfKind(calls, Op::Line).size(), 2u) << angle;
        EXPECT_EQ(OfKind(calls, Op::Path).size(), 1u) << angle;
        EXPECT_EQ(polygons[0].points[2], Turned({31, 21}, angle, 50, 50)) << angle;
        EXPECT_EQ(polygons[0].state.brush.color, gdi::Rgb(0, 255, 0));
        EXPECT_EQ(polygons[7].state.brush.color, gdi::Rgb(0, 0, 0));  // stock object 4
        const auto blits = OfKind(calls, Op::StretchBlt);
        const auto regions = OfKind(calls, Op::FillRegion);
        const auto texts = OfKind(calls, Op::Text);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].dx, (std::vector<int32_t>{5, 5}));
        EXPECT_EQ(texts[0].state.font.escapement, 0);  // no font selected: the canvas's own
        // Every output is clipped to the frame; the clip rectangle adds to it only unturned.
        ASSERT_TRUE(polygons[5].state.clip.has_value());
        ASSERT_TRUE(polygons[6].state.clip.has_value());
        if (angle == 0) {
            ASSERT_EQ(blits.size(), 1u);
            EXPECT_EQ(blits[0].rect, (gdi::Rect{50, 50, 70, 60}));
            EXPECT_EQ(blits[0].bitmap->Pixel(0, 0), gdi::Rgb(255, 0, 0));
            EXPECT_EQ(regions.size(), 1u);
            EXPECT_EQ(polygons[5].state.clip->Box(), (gdi::Rect{0, 0, 100, 100}));
            EXPECT_EQ(polygons[6].state.clip->Box(), (gdi::Rect{0, 0, 50, 50}));
        } else if (angle == 90) {
            ASSERT_EQ(blits.size(), 1u);
            EXPECT_EQ(blits[0].bitmap->Width(), 1);  // turned a quarter clockwise: red on top
            EXPECT_EQ(blits[0].bitmap->Pixel(0, 0), gdi::Rgb(255, 0, 0));
            EXPECT_EQ(blits[0].rect, (gdi::Rect{40, 50, 50, 70}));
            EXPECT_TRUE(regions.empty());
            EXPECT_EQ(polygons[6].state.clip, polygons[5].state.clip);
        } else {
            EXPECT_EQ(polygons[6].state.clip, polygons[5].state.clip);
            EXPECT_TRUE(blits.empty());
            EXPECT_TRUE(regions.empty());
        }
    }
}

// Palettes give the colours of palette indices (the default palette before
// one is selected); the mapper flags reach the canvas; a meta region is what
// a reset clip returns to and no later clip widens; a widened path is the
// outline of the pen's stroke.
TEST(Metafile, EmfPaletteMapperFlagsMetaRegionAndWidenPath) {
    auto brush = [](uint32_t colour) { return Bytes().U32(2).U32(0).U32(colour).U32(0); };
    Bytes palette, entries, moreEntries, resetClip, wideClip;
    palette.U32(3).U16(0x300).U16(2).U8(10).U8(20).U8(30).U8(0).U8(40).U8(50).U8(60).U8(0);
    entries.U32(3).U32(1).U32(1).U8(70).U8(80).U8(90).U8(0);
    moreEntries.U32(3).U32(4).U32(1).U8(1).U8(2).U8(3).U8(0);
    resetClip.U32(0).U32(5);
    wideClip.U32(48).U32(5).U32(32).U32(1).U32(1).U32(16).I32(0).I32(0).I32(100).I32(100);
    wideClip.I32(0).I32(0).I32(100).I32(100);
    Emf emf;
    emf.Rec(16, {1})
        .Rec(39, brush(0x0100000D)).Rec(37, {2}).Rec(43, {0, 0, 10, 10})   // default palette: red
        .Rec(49, palette).Rec(48, {3})
        .Rec(39, brush(0x01000001)).Rec(37, {2}).Rec(43, {0, 0, 10, 10})   // (40, 50, 60)
        .Rec(50, entries).Rec(37, {2}).Rec(43, {0, 0, 10, 10})             // entry 1 changed
        .Rec(51, {3, 5}).Rec(50, moreEntries)
        .Rec(39, brush(0x01000004)).Rec(37, {2}).Rec(43, {0, 0, 10, 10})   // entry 4 after the resize
        .Rec(52, {})
        .Rec(30, {0, 0, 50, 50}).Rec(28, {})
        .Rec(75, resetClip).Rec(43, {0, 0, 10, 10})
        .Rec(75, wideClip).Rec(43, {0, 0, 10, 10})
        .Rec(38, {1, 0x10200, 10, 0, 0}).Rec(37, {1})                     // a flat-ended pen 10 wide
        .Rec(59, {}).Rec(27, {10, 70}).Rec(54, {90, 70}).Rec(60, {}).Rec(66, {}).Rec(62, {});
    const auto calls = Play(emf.File(100, 100), 0, 50, 50, 100, 100);
    const auto polygons = OfKind(calls, Op::Polygon);
    ASSERT_EQ(polygons.size(), 6u);
    EXPECT_EQ(polygons[0].state.brush.color, gdi::Rgb(255, 0, 0));
    EXPECT_EQ(polygons[1].state.brush.color, gdi::Rgb(40, 50, 60));
    EXPECT_EQ(polygons[2].state.brush.color, gdi::Rgb(70, 80, 90));
    EXPECT_EQ(polygons[3].state.brush.color, gdi::Rgb(1, 2, 3));
    EXPECT_EQ(polygons[0].state.mapperFlags, 1u);
    for (size_t i : {4u, 5u}) {
        ASSERT_TRUE(polygons[i].state.clip.has_value());
        EXPECT_EQ(polygons[i].state.clip->Box(), (gdi::Rect{0, 0, 50, 50})) << i;
    }
    const auto paths = OfKind(calls, Op::Path);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(BoundsOfPoints(paths[0].path.points), (gdi::Rect{10, 65, 90, 75}));
}

TEST(Metafile, EmfSavedMatricesAndWorldTransform) {
    // SAVEDC, a window origin, RESTOREDC: the matrices come back, the origin
    // field stays until the next mapping record rebuilds from it.
    const auto restored = OfKind(Play(Emf()
                                          .Rec(33, {})
                                          .Rec(10, {5, 5})
                                          .Rec(34, {-1})
                                          .Rec(43, {10, 10, 20, 20})
                                          .Rec(17, {8})
                                          .Rec(43, {10, 10, 20, 20})
                                          .Rec(14, {0, 16, 20})  // an EOF record does not stop playback
                                          .Rec(43, {10, 10, 20, 20})
                                          .File(100, 100),
                                      0, 50, 50, 100, 100),
                                 Op::Polygon);
    ASSERT_EQ(restored.size(), 3u);
    EXPECT_EQ(restored[0].points[0], (gdi::Point{10, 10}));
    EXPECT_EQ(restored[1].points[0], (gdi::Point{5, 5}));

    // Text in the advanced graphics mode turns with the world transform;
    // in the compatible mode the transform plays no part.
    const float c = std::cos(float(M_PI) / 6), s = std::sin(float(M_PI) / 6);
    Bytes xform;
    xform.F32(c).F32(s).F32(-s).F32(c).F32(0).F32(0);
    const auto texts = OfKind(Play(Emf().Rec(35, xform).Rec(84, TextW(20, 0, u"a", {}, 2)).Rec(84, TextW(20, 0, u"a", {}, 1)).File(100, 100),
                                   0, 50, 50, 100, 100),
                              Op::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].state.font.escapement, 3300);
    EXPECT_EQ(texts[0].points[0], (gdi::Point{17, 10}));
    EXPECT_EQ(texts[1].state.font.escapement, 0);
    EXPECT_EQ(texts[1].points[0], (gdi::Point{20, 0}));
}

// The metafile cannot widen the clip region the canvas had.
TEST(Metafile, EmfClipStaysInsideTheCanvasClip) {
    Bytes clip;
    clip.U32(48).U32(5);  // RGN_COPY
    clip.U32(32).U32(1).U32(1).U32(16).I32(0).I32(0).I32(100).I32(100).I32(0).I32(0).I32(100).I32(100);
    const auto picture = Load(Emf().Rec(75, clip).Rec(43, {10, 10, 90, 90}).Rec(26, {30, 30}).Rec(43, {10, 10, 90, 90}).File(100, 100));
    gdi::RecordingCanvas canvas;
    const gdi::Region own = gdi::Region::FromRect({0, 0, 40, 40});
    canvas.SelectClipRgn(&own);
    picture->Draw(canvas, 50, 50, 100, 100, 0);
    const auto polygons = OfKind(canvas.Calls(), Op::Polygon);
    ASSERT_EQ(polygons.size(), 2u);
    for (const auto& p : polygons) {
        ASSERT_TRUE(p.state.clip.has_value());
        EXPECT_EQ(gdi::UnionRect(p.state.clip->Box(), {0, 0, 40, 40}), (gdi::Rect{0, 0, 40, 40}));
    }
    EXPECT_EQ(canvas.GetClipRgn(), own);
}

// A wide dashed pen on a huge round rectangle (a file found by fuzzing) is
// built from the part that shows and drawn within the picture's frame only.
TEST(Metafile, HugeShapesCostWhatShowsAndStayInTheirFrame) {
    const std::vector<uint8_t> bytes = FileBytes(FixturePath(QStringLiteral("metafiles/wide-dashed-round-rect.emf")));
    ASSERT_FALSE(bytes.empty());
    const auto picture = Load(bytes);
    for (float angle : {0.0f, 30.0f}) {
        gdi::BitmapCanvas canvas(300, 300);
        picture->Draw(canvas, 150, 150, 100, 80, angle);
        std::array<gdi::Point, 4> frame{{{100, 110}, {200, 110}, {200, 190}, {100, 190}}};
        for (gdi::Point& p : frame) p = Turned(p, angle, 150, 150);
        const gdi::Region inside = gdi::Region::FromPolygon(frame, gdi::PolyFillMode::Winding);
        int32_t painted = 0;
        for (int32_t y = 0; y < 300; ++y) {
            for (int32_t x = 0; x < 300; ++x) {
                if (canvas.bitmap().Pixel(x, y) == gdi::Rgb(255, 255, 255)) continue;
                ++painted;
                ASSERT_TRUE(inside.Contains(x, y)) << angle << " degrees: (" << x << ", " << y << ")";
            }
        }
        EXPECT_GT(painted, 1000) << angle;
        // The huge round rectangle's outline follows its curves only near the frame.
        size_t points = 0;
        for (const RecordedCall& call : Play(bytes, angle, 150, 150, 100, 80)) points += call.points.size();
        EXPECT_LT(points, 2000u) << angle;
    }
}

// Saved states beyond their limit stop the drawing cleanly: what came before
// is drawn, the canvas gets its own state back.
TEST(Metafile, SavedStatesBeyondTheLimitStopTheDrawing) {
    const auto picture = Load(metatest::ClipLevelsEmf(1100, 20, 5));
    gdi::RecordingCanvas canvas;
    const int32_t depth = canvas.SaveDC();
    picture->Draw(canvas, 500, 500, 1000, 1000, 0);
    EXPECT_EQ(OfKind(canvas.Calls(), Op::Polygon).size(), 1024u);
    EXPECT_FALSE(canvas.GetClipRgn().has_value());
    EXPECT_EQ(canvas.SaveDC(), depth + 1);
}

namespace {

void DrawSample(gdi::Canvas& c) {
    c.pen().color = gdi::Rgb(200, 0, 0);
    c.pen().width = 3;
    c.SetBrush(gdi::SolidBrush(gdi::Rgb(0, 160, 0)));
    c.Rectangle(10, 10, 60, 40);
    c.SetBrush(gdi::SolidBrush(gdi::Rgb(0, 0, 200)));
    c.Ellipse(70, 10, 110, 50);
    const gdi::Point triangle[] = {{20, 70}, {60, 50}, {60, 75}};
    c.Polygon(triangle);
    c.MoveTo(70, 60);
    c.LineTo(110, 75);
}

int32_t Differences(const gdi::Bitmap& a, const gdi::Bitmap& b) {
    int32_t n = 0;
    for (int32_t y = 0; y < a.Height(); ++y)
        for (int32_t x = 0; x < a.Width(); ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
    return n;
}

}  // namespace

// The program's own metafiles, played unturned at their own size, give the
// picture they were made of (shapes may grow by their right and bottom edge).
TEST(Metafile, OwnMetafilesPlayBackTheSame) {
    gdi::BitmapCanvas direct(120, 80);
    DrawSample(direct);
    gdi::Metafile metafile;
    metafile.SetSize(120, 80);
    {
        gdi::MetafileCanvas recording(metafile);
        DrawSample(recording);
    }
    for (bool enhanced : {false, true}) {
        const auto picture = Load(enhanced ? metafile.EmfBytes() : metafile.WmfBytes());
        EXPECT_EQ(picture->GetWidth(), 120) << enhanced;
        gdi::BitmapCanvas played(120, 80);
        picture->Draw(played, 60, 40, 120, 80, 0);
        // Rectangles and ellipses cover one unit more to the right and bottom when played.
        EXPECT_LT(Differences(direct.bitmap(), played.bitmap()), 120 * 80 / 16) << enhanced;

        EXPECT_EQ(played.bitmap().Pixel(30, 25), gdi::Rgb(0, 160, 0)) << enhanced;
        EXPECT_EQ(played.bitmap().Pixel(90, 30), gdi::Rgb(0, 0, 200)) << enhanced;
        EXPECT_EQ(played.bitmap().Pixel(50, 65), gdi::Rgb(0, 0, 200)) << enhanced;
    }
}

TEST(Metafile, FacadeAssignAndEmptyFacade) {
    TZRMetaFile empty;
    EXPECT_EQ(empty.GetWidth(), 1);
    EXPECT_EQ(empty.GetHeight(), 1);
    gdi::RecordingCanvas canvas;
    empty.Draw(canvas, 0, 0, 10, 10, 0);
    EXPECT_TRUE(canvas.Calls().empty());
    TZRMetaFile copy;
    copy.Assign(empty);
    EXPECT_FALSE(copy.Player());

    const std::vector<uint8_t> bytes = Emf().Rec(43, {10, 10, 20, 20}).File(100, 50);
    const auto source = Load(bytes);
    copy.Assign(*source);
    ASSERT_TRUE(dynamic_cast<const TZREMF*>(copy.Player()));
    EXPECT_NE(copy.Player(), source->Player());
    TMemoryStream saved;
    copy.SaveToStream(saved);
    EXPECT_EQ(saved.Bytes(), bytes);
    TZRWMF wmf;
    EXPECT_THROW(wmf.SetMetaFileHandle(gdi::Metafile()), Exception);
}
