// Every registered shape: the registration order, a drawing of all of them,
// golden outlines and the handle limits that shapes rewrite themselves.
#include "shapes/AutoShape.h"

#include "foundation/FillData.h"
#include "foundation/GradientPalette.h"
#include "platform/gdi/BitmapCanvas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace {

void Place(TAbstractAutoShape& shape, int cx, int cy, int w, int h, float angle = 0) {
    shape.SetCenterX(cx);
    shape.SetCenterY(cy);
    shape.SetWidth(w);
    shape.SetHeight(h);
    shape.SetAngle(angle);
}

int DarkPixelsIn(const gdi::Bitmap& bitmap, const TRect& r) {
    int count = 0;
    for (int y = std::max(0, r.top); y < std::min(bitmap.Height(), r.bottom); ++y)
        for (int x = std::max(0, r.left); x < std::min(bitmap.Width(), r.right); ++x)
            if (bitmap.Pixel(x, y) != 0xFFFFFFu) ++count;
    return count;
}

}  // namespace

TEST(ShapeCatalogue, RegistersAllNamesInOrder) {
    const std::vector<std::string> names = AutoShapeFactory().ShapeNames();
    ASSERT_EQ(names.size(), 76u);
    const std::pair<size_t, const char*> expected[] = {
        {0, "TDefaultShape"},      {1, "TPfeilShape"},          {4, "TBanderoleShape"},
        {14, "TRechteckShape"},    {15, "TRundPfeilRShape"},    {16, "TBandOGekrShape"},
        {45, "TRechtsGekrPfeilShape"}, {60, "TLegendeWolkeShape"}, {70, "TBanderoleShape1"},
        {72, "TOctettShape"},      {75, "TRundPfeilUShape"},
    };
    for (const auto& [index, name] : expected) EXPECT_EQ(names[index], name) << index;
}

// Draws all shapes in a grid with a gradient and a pen, upright and turned by
// 30 degrees; every cell must show its shape. With ZORBIT_SCREENSHOTS set the
// sheets are written there to be looked at.
TEST(ShapeCatalogue, DrawsEveryShapeFilledAndTurned) {
    const std::vector<std::string> names = AutoShapeFactory().ShapeNames();
    constexpr int kColumns = 8, kCell = 300, kMargin = 40;
    const int rows = (static_cast<int>(names.size()) + kColumns - 1) / kColumns;
    for (const float angle : {0.0f, 30.0f}) {
        gdi::BitmapCanvas sheet(kColumns * kCell, rows * kCell, 300, 300);
        sheet.FillRect({0, 0, kColumns * kCell, rows * kCell}, gdi::SolidBrush(0xFFFFFF));
        TFillData fill;
        fill.SetKind(fkGradient);
        fill.SetGradientType(TGradienttyp::gtLinear);
        fill.SetPalette(TGradientpalette(0xFFC040, 0x4060FF));
        gdi::Pen pen = sheet.pen();
        pen.color = 0x202020;
        pen.width = 3;
        sheet.SetPen(pen);
        for (size_t i = 0; i < names.size(); ++i) {
            const int col = static_cast<int>(i) % kColumns, row = static_cast<int>(i) / kColumns;
            const TRect cell{col * kCell, row * kCell, (col + 1) * kCell, (row + 1) * kCell};
            auto shape = AutoShapeFactory().CreateShape(names[i]);
            Place(*shape, cell.left + kCell / 2, cell.top + kCell / 2, kCell - 2 * kMargin - 40,
                  (kCell - 2 * kMargin) / 2 + 40, angle);
            shape->DrawFilled(sheet, fill);
            EXPECT_GT(DarkPixelsIn(sheet.bitmap(), cell), 500) << names[i] << " at " << angle;
        }
        if (const char* folder = std::getenv("ZORBIT_SCREENSHOTS"))
            sheet.bitmap().image().save(QString("%1/shapes-%2.png").arg(folder).arg(static_cast<int>(angle)));
    }
}

namespace {

struct TGolden {
    const char* Name;
    float Angle;
    int Points;           // in all arrays together
    TRect Bounds;
    uint32_t Hash;        // FNV-1a over every point of every array
};

uint32_t HashOf(const std::vector<std::span<const TPoint>>& arrays) {
    uint32_t h = 2166136261u;
    const auto mix = [&h](int32_t v) {
        for (int i = 0; i < 4; ++i) {
            h ^= static_cast<uint8_t>(v >> (8 * i));
            h *= 16777619u;
        }
    };
    for (const auto& a : arrays) {
        mix(static_cast<int32_t>(a.size()));
        for (const TPoint& p : a) {
            mix(p.x);
            mix(p.y);
        }
    }
    return h;
}

TGolden Measure(const std::string& name, float angle) {
    auto shape = AutoShapeFactory().CreateShape(name);
    Place(*shape, 300, 200, 200, 100, angle);
    const auto arrays = shape->PointArrays();
    int points = 0;
    for (const auto& a : arrays) points += static_cast<int>(a.size());
    return {nullptr, angle, points, shape->GetBounds(), HashOf(arrays)};
}

#include "ShapeGolden.inc"

}  // namespace

// The outlines of every shape class on a 200 x 100 box at 300, 200, upright
// and turned by 30 degrees, as reviewed on the drawn sheets.
TEST(ShapeCatalogue, GoldenOutlines) {
    if (std::getenv("ZORBIT_PRINT_GOLDEN")) {
        for (const std::string& name : AutoShapeFactory().ShapeNames())
            for (const float angle : {0.0f, 30.0f}) {
                const TGolden g = Measure(name, angle);
                std::printf("    {\"%s\", %g, %d, {%d, %d, %d, %d}, 0x%08Xu},\n", name.c_str(), angle, g.Points,
                            g.Bounds.left, g.Bounds.top, g.Bounds.right, g.Bounds.bottom, g.Hash);
            }
        return;
    }
    ASSERT_EQ(std::size(kGolden), 2 * AutoShapeFactory().ShapeNames().size());
    for (const TGolden& expected : kGolden) {
        const TGolden g = Measure(expected.Name, expected.Angle);
        EXPECT_EQ(g.Points, expected.Points) << expected.Name << " at " << expected.Angle;
        EXPECT_EQ(g.Bounds, expected.Bounds) << expected.Name << " at " << expected.Angle;
        EXPECT_EQ(g.Hash, expected.Hash) << expected.Name << " at " << expected.Angle;
    }
}

namespace {

std::unique_ptr<TAbstractAutoShape> Placed(const char* name, int w = 200, int h = 100) {
    auto shape = AutoShapeFactory().CreateShape(name);
    Place(*shape, 300, 200, w, h);
    return shape;
}

void SetTip(TAbstractAutoShape& shape, float x, float y) {
    THotTrackEntry tip = shape.HotTrackData.Entries[0];
    tip.Value1 = x;
    tip.Value2 = y;
    shape.SetAdjustHandle(0, tip);
}

}  // namespace

TEST(ShapeCatalogue, BlockArrowWithItsDefaultHandle) {
    auto arrow = Placed("TPfeilShape");
    const std::vector<TPoint> expected{{200, 175}, {350, 175}, {350, 150}, {400, 200},
                                       {350, 250}, {350, 225}, {200, 225}, {200, 175}};
    const auto arrays = arrow->PointArrays();
    EXPECT_EQ(std::vector<TPoint>(arrays[0].begin(), arrays[0].end()), expected);
}

// The rectangular callout's tail leaves through the edge of the tip's
// quadrant; its base ends are points 1 and 6 of the outline.
TEST(ShapeCatalogue, CalloutTailCases) {
    struct Case {
        float x, y;
        TPoint b1, b2;
    };
    const Case cases[] = {
        {0.1f, -0.8f, {366, 150}, {317, 150}},   // top, right half
        {0.8f, -0.8f, {400, 192}, {400, 167}},   // right, upper half (tie)
        {0.8f, 0.3f, {400, 233}, {400, 208}},    // right, lower half
        {0.5f, 0.5f, {317, 250}, {366, 250}},    // bottom, right half (tie)
        {-0.3f, 0.8f, {234, 250}, {283, 250}},   // bottom, left half (default)
        {-0.8f, 0.8f, {200, 208}, {200, 233}},   // left, lower half (tie)
        {-0.8f, -0.3f, {200, 167}, {200, 192}},  // left, upper half
        {-0.5f, -0.5f, {283, 150}, {234, 150}},  // top, left half (tie)
        {0, -0.8f, {366, 150}, {317, 150}},      // straight up
        {0, 0.8f, {234, 250}, {283, 250}},       // straight down
    };
    for (const Case& c : cases) {
        auto callout = Placed("TLegendeRechteckShape");
        SetTip(*callout, c.x, c.y);
        const auto outline = callout->PointArrays()[0];
        ASSERT_EQ(outline.size(), 8u) << c.x << ", " << c.y;
        EXPECT_EQ(outline[1], c.b1) << c.x << ", " << c.y;
        EXPECT_EQ(outline[6], c.b2) << c.x << ", " << c.y;
        EXPECT_EQ(outline[0], outline[7]);
    }
    auto centred = Placed("TLegendeRechteckShape");
    SetTip(*centred, 0, 0);
    EXPECT_EQ(centred->PointArrays()[0].size(), 2u);
}

TEST(ShapeCatalogue, RingLeavesItsHoleEmptyAndCloudReachesItsTip) {
    auto ring = Placed("TRadShape");
    EXPECT_FALSE(ring->HitTest(300, 200, false, 3));
    EXPECT_TRUE(ring->HitTest(210, 200, false, 3));

    auto cloud = Placed("TLegendeWolkeShape");
    SetTip(*cloud, 2.0f, 0);  // far to the right: the smallest bubble sits on the tip
    const TRect bounds = cloud->GetBounds();
    EXPECT_NEAR(bounds.right, 300 + 400 + 0.028 * 200, 2);
    EXPECT_TRUE(cloud->HitTest(700, 200, false, 2));
    EXPECT_FALSE(cloud->HitTest(420, 200, false, 2));  // the gap between cloud and bubbles
}

// Limits that shapes rewrite so that one handle cannot pass another.
TEST(ShapeCatalogue, HandleLimitsFollowTheOtherHandles) {
    auto fourWay = Placed("TPfeilLROUShape");
    fourWay->GetBounds();
    const THotTrackData& h = fourWay->HotTrackData;
    EXPECT_FLOAT_EQ(h.Entries[0].Min2, -0.3f);
    EXPECT_FLOAT_EQ(h.Entries[0].Max2, -0.1f);
    EXPECT_FLOAT_EQ(h.Entries[1].Min1, 0.2f);
    EXPECT_FLOAT_EQ(h.Entries[1].Min2, -0.2f);

    auto boxArrow = Placed("TLegendePfeilRShape");
    boxArrow->GetBounds();
    EXPECT_FLOAT_EQ(boxArrow->HotTrackData.Entries[1].Min1, 0.15f);  // h1 stops at the box edge h0
    EXPECT_FLOAT_EQ(boxArrow->HotTrackData.Entries[0].Max1, 0.33f);

    auto cube = Placed("TWuerfelShape", 50, 100);
    THotTrackEntry depth = cube->HotTrackData.Entries[0];
    depth.Value2 = 0.4f;
    cube->SetAdjustHandle(0, depth);
    EXPECT_FLOAT_EQ(cube->HotTrackData.Entries[0].Max2, 0.5f - 0.47f);
    EXPECT_FLOAT_EQ(cube->HotTrackData.Entries[0].Value2, 0.5f - 0.47f);

    auto curved = Placed("TRundPfeilLShape");
    int changes = 0;
    curved->OnChange = [&](TAbstractAutoShape&) { ++changes; };
    curved->SetAdjustHandle(1, curved->HotTrackData.Entries[1]);
    EXPECT_EQ(changes, 1);
    EXPECT_FLOAT_EQ(curved->HotTrackData.Entries[2].Max2, 2 * 0.4f - 0.52f);
    EXPECT_FLOAT_EQ(curved->HotTrackData.Entries[1].Min2, (0.05f + 0.52f) / 2);
}

// No shape hangs, throws or draws outside reason on a 0 x 0 box or on handle
// values a damaged file may hold.
TEST(ShapeCatalogue, DegenerateBoxesAndHostileHandles) {
    const float hostile[] = {0, -1e30f, 1e30f, std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity()};
    gdi::BitmapCanvas canvas(50, 50);
    TFillData fill;
    for (const std::string& name : AutoShapeFactory().ShapeNames()) {
        auto shape = AutoShapeFactory().CreateShape(name);
        Place(*shape, 20, 20, 0, 0);
        shape->DrawFilled(canvas, fill);
        EXPECT_FALSE(shape->HitTest(300, 300, false, 5)) << name;
        for (const float v : hostile) {
            THotTrackData data;
            data.Count = kHotTrackEntries;
            for (THotTrackEntry& e : data.Entries) e = {0, v, v, v, v, v, v};
            shape->SetHotTrackData(data);
            Place(*shape, 20, 20, 40, 30);
            shape->DrawFilled(canvas, fill);
            shape->HitTest(20, 20, false, 5);
            for (int i = 0; i < kHotTrackEntries; ++i) shape->SetAdjustHandle(i, data.Entries[static_cast<size_t>(i)]);
            shape->GetBounds();
        }
    }
}
