// Logical-to-device mapping, saved states and clipping in logical units.

#include "PixelTestSupport.h"

#include "platform/gdi/PainterCanvas.h"
#include "platform/gdi/RecordingCanvas.h"

#include <QtGui/QPainter>

#include <gtest/gtest.h>

namespace gdi {
namespace {

DeviceCaps Caps(int32_t dpiX, int32_t dpiY, int32_t width = 0, int32_t height = 0) {
    DeviceCaps caps;
    caps.logPixelsX = dpiX;
    caps.logPixelsY = dpiY;
    caps.horzRes = width;
    caps.vertRes = height;
    return caps;
}

TEST(Mapping, TextModeMovesByTheOrigins) {
    RecordingCanvas canvas(Caps(96, 96));
    EXPECT_EQ(canvas.LPtoDP({7, -3}), (Point{7, -3}));
    canvas.SetWindowOrg(10, 20);
    canvas.SetViewportOrg(100, 200);
    EXPECT_EQ(canvas.LPtoDP({10, 20}), (Point{100, 200}));
    EXPECT_EQ(canvas.DPtoLP({101, 199}), (Point{11, 19}));
    // Extents are fixed in this mode.
    EXPECT_EQ(canvas.SetWindowExt(5, 5), (Size{1, 1}));
    EXPECT_EQ(canvas.WindowExt(), (Size{1, 1}));
}

TEST(Mapping, AnisotropicScalesEachAxisAndRoundsHalvesUp) {
    struct Case {
        Point windowOrg;
        Size windowExt;
        Point viewportOrg;
        Size viewportExt;
        Point logical, device;
    };
    const Case cases[] = {
        {{0, 0}, {1200, 1200}, {0, 0}, {600, 1200}, {3, 3}, {2, 3}},        // 1.5 rounds up
        {{0, 0}, {1200, 1200}, {0, 0}, {600, 1200}, {-3, 5}, {-1, 5}},      // -1.5 rounds up too
        {{0, 0}, {1200, 1200}, {0, 0}, {600, 1200}, {1001, 7}, {501, 7}},
        {{100, 0}, {10, 10}, {5, 5}, {20, -30}, {101, 1}, {7, 2}},
        {{0, 0}, {-4, 4}, {0, 0}, {8, 8}, {3, 3}, {-6, 6}},
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas(Caps(600, 1200));
        canvas.SetMapMode(MapMode::Anisotropic);
        canvas.SetWindowOrg(c.windowOrg.x, c.windowOrg.y);
        canvas.SetWindowExt(c.windowExt.cx, c.windowExt.cy);
        canvas.SetViewportOrg(c.viewportOrg.x, c.viewportOrg.y);
        canvas.SetViewportExt(c.viewportExt.cx, c.viewportExt.cy);
        EXPECT_EQ(canvas.LPtoDP(c.logical), c.device) << c.logical.x << "," << c.logical.y;
    }
}

TEST(Mapping, IsotropicShrinksTheViewportToSquareUnits) {
    RecordingCanvas canvas(Caps(96, 96));
    canvas.SetMapMode(MapMode::Isotropic);
    canvas.SetWindowExt(100, 100);
    canvas.SetViewportExt(400, -200);
    EXPECT_EQ(canvas.ViewportExt(), (Size{200, -200}));
    EXPECT_EQ(canvas.LPtoDP({50, 50}), (Point{100, -100}));

    // Non-square pixels: equal physical lengths, not equal pixel counts.
    RecordingCanvas printer(Caps(600, 1200));
    printer.SetMapMode(MapMode::Isotropic);
    printer.SetWindowExt(1000, 1000);
    printer.SetViewportExt(1000, 1000);
    EXPECT_EQ(printer.ViewportExt(), (Size{500, 1000}));
}

TEST(Mapping, MetricModesUseTheResolutionWithYUp) {
    const struct {
        MapMode mode;
        int32_t unitsPerInch;
    } cases[] = {{MapMode::LoMetric, 254}, {MapMode::HiMetric, 2540}, {MapMode::LoEnglish, 100},
                 {MapMode::HiEnglish, 1000}, {MapMode::Twips, 1440}};
    for (const auto& c : cases) {
        RecordingCanvas canvas(Caps(300, 600));
        canvas.SetMapMode(c.mode);
        EXPECT_EQ(canvas.LPtoDP({c.unitsPerInch, c.unitsPerInch}), (Point{300, -600}));
        EXPECT_EQ(canvas.DPtoLP({300, -600}), (Point{c.unitsPerInch, c.unitsPerInch}));
        canvas.SetMapMode(MapMode::Text);
        EXPECT_EQ(canvas.LPtoDP({5, 5}), (Point{5, 5}));
    }
}

TEST(Mapping, WorldTransformOnlyInAdvancedMode) {
    RecordingCanvas canvas(Caps(96, 96));
    const XForm rotate{0, 1, -1, 0, 10, 0};  // a quarter turn, then 10 to the right
    EXPECT_FALSE(canvas.SetWorldTransform(rotate));
    canvas.SetGraphicsMode(GraphicsMode::Advanced);
    EXPECT_TRUE(canvas.SetWorldTransform(rotate));
    EXPECT_EQ(canvas.LPtoDP({5, 0}), (Point{10, 5}));
    canvas.SetMapMode(MapMode::Anisotropic);
    canvas.SetViewportExt(2, 2);
    EXPECT_EQ(canvas.LPtoDP({5, 0}), (Point{20, 10}));  // world first, then the page
    EXPECT_TRUE(canvas.ModifyWorldTransform(XForm{2, 0, 0, 2, 0, 0}, 3));
    EXPECT_EQ(canvas.WorldTransform(), (XForm{0, 2, -2, 0, 20, 0}));
    EXPECT_TRUE(canvas.ModifyWorldTransform(XForm{}, 1));
    EXPECT_TRUE(IsIdentity(canvas.WorldTransform()));
    canvas.SetGraphicsMode(GraphicsMode::Compatible);
    EXPECT_TRUE(canvas.SetGraphicsMode(GraphicsMode::Advanced) == GraphicsMode::Compatible);
}

TEST(Mapping, SaveAndRestoreByDepthOrBackwards) {
    RecordingCanvas canvas(Caps(96, 96));
    canvas.pen().color = 1;
    EXPECT_EQ(canvas.SaveDC(), 1);
    canvas.pen().color = 2;
    canvas.SetMapMode(MapMode::LoMetric);
    canvas.IntersectClipRect(0, 0, 10, -10);
    EXPECT_EQ(canvas.SaveDC(), 2);
    canvas.pen().color = 3;
    canvas.MoveTo(5, 5);
    EXPECT_EQ(canvas.SaveDC(), 3);
    canvas.pen().color = 4;

    EXPECT_TRUE(canvas.RestoreDC(-1));
    EXPECT_EQ(canvas.pen().color, 3u);
    EXPECT_EQ(canvas.CurrentPosition(), (Point{5, 5}));
    EXPECT_TRUE(canvas.RestoreDC(1));
    EXPECT_EQ(canvas.pen().color, 1u);
    EXPECT_EQ(canvas.GetMapMode(), MapMode::Text);
    EXPECT_FALSE(canvas.GetClipRgn().has_value());
    EXPECT_FALSE(canvas.RestoreDC(1));
    EXPECT_FALSE(canvas.RestoreDC(-1));
    EXPECT_FALSE(canvas.RestoreDC(0));
}

TEST(Mapping, ClipRectanglesAreLogicalAndRegionsDevice) {
    RecordingCanvas canvas(Caps(600, 600, 1000, 1000));
    canvas.SetMapMode(MapMode::Anisotropic);
    canvas.SetWindowExt(1, 1);
    canvas.SetViewportExt(2, 2);
    EXPECT_EQ(canvas.GetClipBox(), (Rect{0, 0, 500, 500}));
    canvas.IntersectClipRect(10, 10, 20, 30);
    EXPECT_EQ(canvas.GetClipRgn()->Box(), (Rect{20, 20, 40, 60}));
    EXPECT_EQ(canvas.GetClipBox(), (Rect{10, 10, 20, 30}));
    EXPECT_TRUE(canvas.PtVisible(10, 29));
    EXPECT_FALSE(canvas.PtVisible(20, 10));
    canvas.OffsetClipRgn(5, 0);
    EXPECT_EQ(canvas.GetClipRgn()->Box(), (Rect{30, 20, 50, 60}));
    const Region extra = Region::FromRect({0, 0, 10, 10});
    EXPECT_EQ(canvas.ExtSelectClipRgn(&extra, RegionCombine::Or), RegionKind::Complex);
    EXPECT_EQ(canvas.ExtSelectClipRgn(nullptr, RegionCombine::Copy), RegionKind::Simple);
    EXPECT_FALSE(canvas.GetClipRgn().has_value());
    // Without a clip region, combining starts from the whole surface.
    EXPECT_EQ(canvas.ExtSelectClipRgn(&extra, RegionCombine::Diff), RegionKind::Complex);
    EXPECT_FALSE(canvas.PtVisible(2, 2));
    EXPECT_TRUE(canvas.PtVisible(400, 400));
}

TEST(Mapping, DrawingFollowsTheMapping) {
    BitmapCanvas canvas(40, 40);
    canvas.SetMapMode(MapMode::Anisotropic);
    canvas.SetWindowExt(10, 10);
    canvas.SetViewportExt(40, -40);
    canvas.SetViewportOrg(0, 40);  // y up from the bottom-left corner
    canvas.pen().style = PenStyle::Null;
    canvas.brush().color = test::kBlack;
    canvas.Rectangle(1, 1, 3, 4);  // device (4, 36)-(12, 24), normalised
    EXPECT_EQ(test::InkBox(canvas.bitmap()), (Rect{4, 24, 11, 35}));
    canvas.FillRect({5, 5, 6, 6}, SolidBrush(Rgb(255, 0, 0)));
    EXPECT_EQ(canvas.bitmap().Pixel(20, 16), Rgb(255, 0, 0));
    EXPECT_EQ(canvas.bitmap().Pixel(23, 19), Rgb(255, 0, 0));
    EXPECT_EQ(canvas.bitmap().Pixel(24, 20), test::kWhite);
}

}  // namespace
}  // namespace gdi

namespace gdi {
namespace {

TEST(Mapping, QuarterTurnKeepsTheBoxRules) {
    BitmapCanvas canvas(24, 24);
    canvas.SetGraphicsMode(GraphicsMode::Advanced);
    canvas.SetWorldTransform(XForm{0, 1, -1, 0, 20, 0});  // (x, y) -> (20 - y, x)
    canvas.brush().color = Rgb(255, 0, 0);
    canvas.Rectangle(0, 0, 10, 4);  // device (16, 0)-(20, 10)
    EXPECT_EQ(test::InkBox(canvas.bitmap()), (Rect{16, 0, 20, 10}));
    canvas.Ellipse(12, 10, 22, 14);  // device (6, 12)-(10, 22)
    EXPECT_EQ(test::InkBox(canvas.bitmap()), (Rect{6, 0, 20, 22}));
}

TEST(Mapping, PainterCanvasDrawsInThePaintersCoordinates) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.translate(5, 3);
        PainterCanvas canvas(painter, DeviceKind::Screen, ScreenCaps());
        EXPECT_EQ(canvas.Kind(), DeviceKind::Screen);
        canvas.FillRect({0, 0, 2, 2}, SolidBrush(test::kBlack));
        EXPECT_EQ(canvas.GetPixel(1, 1), test::kBlack);
        EXPECT_EQ(canvas.GetPixel(2, 2), test::kWhite);
        canvas.IntersectClipRect(0, 0, 4, 4);
        canvas.MoveTo(0, 3);
        canvas.LineTo(10, 3);
    }
    const Bitmap result(image);
    EXPECT_EQ(test::InkBox(result), (Rect{5, 3, 9, 7}));
    EXPECT_EQ(result.Pixel(8, 6), test::kBlack);
}

}  // namespace
}  // namespace gdi
