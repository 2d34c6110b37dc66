#include "document/Wasserzeichen.h"

#include "document/Stationery.h"
#include "platform/gdi/BitmapCanvas.h"
#include "SheetTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

using namespace sheettest;

namespace {

gdi::Rect BoundsOf(const std::vector<gdi::Point>& points) {
    gdi::Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const gdi::Point& p : points)
        box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x), std::max(box.bottom, p.y)};
    return box;
}

// The rectangles drawn with a brush of the colour.
std::vector<gdi::Rect> FilledRectangles(const gdi::RecordingCanvas& canvas, gdi::Color color) {
    std::vector<gdi::Rect> rects;
    for (const gdi::RecordedCall& call : canvas.Calls())
        if (call.op == gdi::RecordedCall::Op::Shape && call.state.brush.style == gdi::BrushStyle::Solid &&
            call.state.brush.color == color)
            rects.push_back(call.rect);
    return rects;
}

}  // namespace

TEST(Wasserzeichen, ShapeKeysAreLookedUpInTableOrder) {
    struct Case {
        const char* lookup;
        const char* key;
    } cases[] = {
        {"Standard DIN A4 Seite", "none"},
        {"CD QN-2051EX", "QN-2051EX"},
        {"CD QN-2051", "QN-2051"},
        {"Mein Kreis QN-2049", "Kreis"},
        {"kreis QN-2049", "QN-2049"},
        {"Umschlag TA_DINLANG", "TA_DINLANG"},
        {"Fenster DINLANGFENSTER", "DINLANGFENSTER"},
        {"Shirt TShirtWZ15", "TShirtWZ15"},
        {"Avery 8691-Disc Avery 8691-Disc", "Avery 5931"},
        {"Avery J8676 Avery J8676", "Avery 8676"},
        {"Sterne KROXASTERNE3", "KROXASTERNE3"},
    };
    TWasserzeichen guides;
    for (const Case& c : cases) {
        guides.SurfaceColor = 0;
        EXPECT_EQ(guides.ResolveShapeKey(c.lookup), c.key) << c.lookup;
        EXPECT_EQ(guides.SurfaceColor, TWasserzeichen::kWhite);
    }
}

TEST(Wasserzeichen, NoSearchTextHidesALaterOne) {
    const auto table = TWasserzeichen::ShapeKeyTable();
    for (size_t i = 0; i < table.size(); ++i)
        for (size_t j = i + 1; j < table.size(); ++j)
            EXPECT_EQ(std::string_view(table[j].SearchText).find(table[i].SearchText), std::string_view::npos)
                << table[i].SearchText << " hides " << table[j].SearchText;
    // Every key of the table draws something of its own.
    TWasserzeichen guides;
    for (const TSpecialSheetRow& row : table) {
        guides.SetShape(row.SearchText);
        EXPECT_EQ(guides.ShapeKey, row.ShapeKey);
        EXPECT_TRUE(guides.Drawing != TWasserzeichen::Instructions::None || guides.PolygonCount != 1 ||
                    guides.ShapeKey.rfind("QN-", 0) == 0)
            << row.ShapeKey;
    }
    // Every disc product of the catalogue finds a sheet with discs.
    for (const TStationeryProduct& product : StationeryProducts()) {
        if (product.Shape != TStationeryShape::Disc) continue;
        const TSpecialSheet* sheet = FindSpecialSheet(guides.ResolveShapeKey(StationeryArticleKey(product)));
        ASSERT_NE(sheet, nullptr) << StationeryArticleKey(product);
        EXPECT_TRUE(std::any_of(sheet->Parts, sheet->Parts + sheet->PartCount,
                                [](const TSheetPart& p) { return p.Kind == TSheetPartKind::Disc; }));
    }
}

TEST(Wasserzeichen, FrameCornerFollowsTheViewFlags) {
    struct Case {
        bool mirrored, turned;
        uint8_t orientation;
        gdi::Point corner;
    } cases[] = {
        {false, false, 0, {100, 50}},
        {true, false, 0, {300, 50}},
        {false, true, 0, {300, 250}},
        {false, false, 1, {300, 50}},
        {true, true, 0, {100, 250}},
    };
    TWasserzeichen guides;
    for (const Case& c : cases) {
        guides.Mirrored = c.mirrored;
        guides.Turned = c.turned;
        guides.Orientation = c.orientation;
        guides.BuildMatrix({100, 50, 300, 250});
        EXPECT_EQ(guides.TransformPoint(0, 0), c.corner) << c.mirrored << c.turned << int{c.orientation};
    }
}

TEST(Wasserzeichen, FoldBandsLieOnTheFolds) {
    struct Case {
        const char* key;
        std::vector<gdi::Rect> bands;  // device rectangles on a 2100 x 2970 label
    } cases[] = {
        {"1KNICKH", {{0, 1480, 2101, 1491}}},
        {"1KNICKV", {{1045, 0, 1056, 2971}}},
        {"2KNICKH", {{0, 985, 2101, 996}, {0, 1975, 2101, 1986}}},
        {"2KNICKV", {{699, 0, 702, 2971}, {1399, 0, 1402, 2971}}},
        {"3KNICKV", {{524, 0, 527, 2971}, {1049, 0, 1052, 2971}, {1574, 0, 1577, 2971}}},
    };
    for (const Case& c : cases) {
        TWasserzeichen guides;
        guides.SetShape(c.key);
        Recording rec;
        guides.DrawGuides(rec.canvas, {0, 0, 2100, 2970});
        EXPECT_EQ(FilledRectangles(rec.canvas, TWasserzeichen::kFoldGrey), c.bands) << c.key;
        EXPECT_EQ(rec.canvas.pen().color, 0u);
        EXPECT_EQ(rec.canvas.brush().style, gdi::BrushStyle::Solid);
    }
    // A card with a fold band in its outline: the band is grey, the region leaves it out.
    TWasserzeichen card;
    card.SetShape("QN-3052");
    EXPECT_EQ(card.PointCount, 10);
    const gdi::Rect rect{0, 0, 860, 1080};
    const std::optional<gdi::Region> region = card.CreateRegion(rect);
    ASSERT_TRUE(region);
    EXPECT_TRUE(region->Contains(430, 100));
    EXPECT_TRUE(region->Contains(430, 1000));
    EXPECT_FALSE(region->Contains(430, 540));
    Recording rec;
    card.DrawGuides(rec.canvas, rect);
    bool greyBand = false;
    for (const gdi::RecordedCall& call : rec.Calls())
        greyBand |= call.op == gdi::RecordedCall::Op::Polygon && call.state.brush.color == TWasserzeichen::kFoldGrey &&
                    BoundsOf(call.points) == gdi::Rect{0, 535, 860, 545};
    EXPECT_TRUE(greyBand);
}

TEST(Wasserzeichen, CirclesFollowTheLabelAndRingsStayRound) {
    // "Kreis" is an ellipse that fills the label.
    TWasserzeichen circle;
    circle.SetShape("Kreis");
    EXPECT_FALSE(circle.CreateRegion({0, 0, 200, 100}));
    Recording rec;
    circle.DrawFace(rec.canvas, {0, 0, 200, 100});
    ASSERT_EQ(rec.Calls().size(), 1u);
    EXPECT_EQ(BoundsOf(rec.Calls()[0].path.points), (gdi::Rect{0, 0, 199, 99}));

    // A ring stays a circle whose diameter follows the shorter side.
    TWasserzeichen ring;
    ring.SetShape("QN-2051EX");
    rec.canvas.Clear();
    ring.DrawFace(rec.canvas, {0, 0, 200, 100});
    ASSERT_EQ(rec.Calls().size(), 1u);
    const gdi::RecordedCall& face = rec.Calls()[0];
    EXPECT_TRUE(face.fill && face.stroke);
    EXPECT_EQ(face.state.polyFillMode, gdi::PolyFillMode::Alternate);
    // Two closed figures: the ring and its hole, both centred.
    std::vector<gdi::Point> outer(face.path.points.begin(), face.path.points.begin() + 13);
    std::vector<gdi::Point> hole(face.path.points.begin() + 13, face.path.points.end());
    EXPECT_EQ(BoundsOf(outer), (gdi::Rect{50, 0, 149, 99}));
    EXPECT_EQ(BoundsOf(hole), (gdi::Rect{79, 29, 120, 70}));
}

TEST(Wasserzeichen, PlainLabelsAndEmptyFrames) {
    TWasserzeichen guides;
    guides.SetPlainLabel(70, 36, 2.5f);
    EXPECT_EQ(guides.FrameWidth, 700);
    EXPECT_EQ(guides.FrameHeight, 360);
    EXPECT_EQ(guides.FrameRadius, 25);
    EXPECT_TRUE(guides.RoundedFrame);
    EXPECT_FALSE(guides.CreateRegion({0, 0, 70, 36}));

    // With radius 0 the rounded rectangle has square corners.
    guides.SetPlainLabel(70, 36, 0);
    Recording rec;
    guides.DrawFace(rec.canvas, {0, 0, 70, 36});
    ASSERT_EQ(rec.Calls().size(), 1u);
    for (const gdi::Point& p : rec.Calls()[0].path.points)
        EXPECT_TRUE((p.x == 0 || p.x == 70) && (p.y == 0 || p.y == 36)) << p.x << "," << p.y;

    // A frame without extent, or from sizes that are no numbers, draws nothing.
    for (const float bad : {0.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 1e30f}) {
        guides.SetPlainLabel(bad, 36, 2);
        rec.canvas.Clear();
        guides.DrawShadow(rec.canvas, {0, 0, 70, 36});
        guides.DrawFace(rec.canvas, {0, 0, 70, 36});
        guides.DrawGuides(rec.canvas, {0, 0, 70, 36});
        EXPECT_TRUE(rec.Calls().empty()) << bad;
        EXPECT_FALSE(guides.CreateRegion({0, 0, 70, 36}));
    }
}

TEST(Wasserzeichen, ColouredDiscsShowTheirColourOnTheFace) {
    TWasserzeichen guides;
    EXPECT_EQ(guides.ResolveShapeKey("Ringe KROXARING"), "KROXARING");
    EXPECT_EQ(guides.SurfaceColor, TWasserzeichen::kWhite);
    guides.SetShape("Ringe KROXARING GELB");
    EXPECT_EQ(guides.ShapeKey, "KROXARING");
    EXPECT_EQ(guides.SurfaceColor, gdi::Color(0x00FFFF));
    // One pixel per millimetre: a disc of 116 mm around (105, 74.5) with a 41 mm hole.
    gdi::BitmapCanvas canvas(210, 297);
    guides.DrawFace(canvas, {0, 0, 210, 297});
    EXPECT_EQ(canvas.bitmap().Pixel(145, 74), gdi::Color(0x00FFFF));  // the printable ring
    EXPECT_EQ(canvas.bitmap().Pixel(105, 74), TWasserzeichen::kWhite);  // the hole
    EXPECT_EQ(canvas.bitmap().Pixel(10, 150), TWasserzeichen::kWhite);  // beside the discs
    EXPECT_EQ(canvas.bitmap().Pixel(65, 222), gdi::Color(0x00FFFF));  // the second disc's ring
}

TEST(Wasserzeichen, RingGuidesAreBlackOnThePrinter) {
    TWasserzeichen guides;
    guides.SetShape("QN-2049");
    for (const auto kind : {gdi::DeviceKind::Bitmap, gdi::DeviceKind::Printer}) {
        gdi::RecordingCanvas canvas(gdi::ScreenCaps(), kind);
        guides.DrawGuides(canvas, {0, 0, 2100, 2970});
        int32_t rings = 0;
        for (const gdi::RecordedCall& call : canvas.Calls()) {
            if (call.op != gdi::RecordedCall::Op::Bezier) continue;
            ++rings;
            EXPECT_EQ(call.state.pen.color, kind == gdi::DeviceKind::Printer ? 0u : TWasserzeichen::kGuideGrey);
            EXPECT_EQ(call.state.brush.style, gdi::BrushStyle::Null);
        }
        EXPECT_EQ(rings, 6);  // three rings with their holes
    }
}
