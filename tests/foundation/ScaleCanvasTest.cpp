// Millimetres to device units: the scaler's conversions, the scale canvas on
// screen, bitmap, fake printers and the PDF printer, and its fonts.
#include "foundation/BmpScaleCanvas.h"
#include "foundation/MMCalcScaleCanvas.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/printer/Printer.h"
#include "support/FakePrinter.h"
#include "support/PdfPage.h"

#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

using gdi::test::FakePrinter;

namespace {

// Installs a fake printer for one test and puts the PDF printer back afterwards.
class WithFakePrinter {
public:
    WithFakePrinter(int32_t dpiX, int32_t dpiY, int32_t physicalOffsetX = 0) {
        gdi::DeviceCaps caps = FakePrinter::A4Caps(dpiX, dpiY, 0);
        caps.physicalOffsetX = physicalOffsetX;
        auto printer = std::make_unique<FakePrinter>(caps);
        fake_ = printer.get();
        gdi::SetCurrentPrinter(std::move(printer));
    }
    ~WithFakePrinter() { gdi::SelectPrinter(gdi::PdfPrinterName()); }
    FakePrinter& printer() { return *fake_; }

private:
    FakePrinter* fake_;
};

const gdi::RecordedCall& LastCall(const gdi::RecordingCanvas& c) { return c.Calls().back(); }

}  // namespace

TEST(Scaler, ConversionsRoundTiesToEvenAndApplyOffsets) {
    ASSERT_EQ(gdi::ScreenCaps().logPixelsX, 96) << "the tests run on a 96-dpi screen";
    TScaler s;
    s.Reset(kResetUnit);
    EXPECT_EQ(s.MMToPixelX(12.5f), 12);
    EXPECT_EQ(s.MMToPixelX(13.5f), 14);
    EXPECT_EQ(s.MMToPixelY(-12.5f), -12);

    s.Reset(kResetScreen);
    EXPECT_FLOAT_EQ(s.ScaleX, 3.7795277f);
    EXPECT_EQ(s.MMToPixelX(10), 38);
    s.SetDeviceOffsetX(5);
    EXPECT_EQ(s.MMToPixelX(10), 33);
    EXPECT_NEAR(s.PixelToMMX(33), 10.054, 0.001);  // the round trip is not exact
    s.SetDeviceOffsetX(0);
    s.SetWorldOffsetX(-20);
    EXPECT_EQ(s.MMToPixelX(20), 0);
    s.SetZoom(2);
    EXPECT_EQ(s.MMToPixel(10), 76);  // lengths use the vertical scale
    EXPECT_EQ(s.MMRectToPixel(20, 0, 30, 10), (TRect{0, 0, 76, 76}));
    EXPECT_FLOAT_EQ(s.PixelToMM(76), 76 / s.ScaleY);

    TScaler copy;
    copy.AssignScaling(s);
    EXPECT_EQ(copy.MMToPixelX(25), s.MMToPixelX(25));
    s.Reset(7);  // an unknown kind keeps the resolutions, clears the offsets
    EXPECT_FLOAT_EQ(s.ResolutionX, 96 / 25.4f);
    EXPECT_EQ(s.MMToPixelX(0), 0);
}

TEST(Scaler, PrinterResetTakesResolutionAndUnprintableMargin) {
    WithFakePrinter fake(600, 600, 100);
    TScaler s;
    s.Reset(kResetPrinter);
    EXPECT_EQ(s.MMToPixelX(0), -100);
    EXPECT_EQ(s.MMToPixelY(0), 0);
    EXPECT_FLOAT_EQ(s.ResolutionX, 600 / 25.4f);
}

TEST(ScaleCanvas, UnequalPrinterResolutionsGetSquareLogicalUnits) {
    struct Case { int32_t dpiX, dpiY; gdi::Size viewport; int32_t fontPixelsPerInch; int32_t printedHeight; };
    // The font of 10 points (-13 at 96 dpi) at 600 dpi is -81; in 1200 logical
    // units per inch it doubles when the vertical resolution is the smaller one.
    const Case cases[] = {
        {600, 1200, {600, 1200}, 0, -162},
        {1200, 600, {1200, 600}, 1200, -162},
    };
    for (const Case& c : cases) {
        WithFakePrinter fake(c.dpiX, c.dpiY);
        gdi::Canvas& device = fake.printer().GetCanvas();
        TScaleCanvas sc(&device);
        sc.Reset(kResetPrinter);
        EXPECT_FLOAT_EQ(sc.ResolutionX, 1200 / 25.4f) << c.dpiX;
        EXPECT_FLOAT_EQ(sc.ResolutionY, 1200 / 25.4f) << c.dpiX;
        EXPECT_EQ(device.GetMapMode(), gdi::MapMode::Anisotropic);
        EXPECT_EQ(device.WindowExt(), (gdi::Size{1200, 1200}));
        EXPECT_EQ(device.ViewportExt(), c.viewport);
        EXPECT_EQ(sc.FontPixelsPerInch, c.fontPixelsPerInch);

        ASSERT_TRUE(fake.printer().BeginDoc("job"));
        sc.Font().SetHeight(-13);
        EXPECT_EQ(device.font().height, c.printedHeight) << c.dpiX;
        fake.printer().EndDoc();
    }
}

TEST(ScaleCanvas, DrawsMillimetreShapesWithTheDeviceCalls) {
    gdi::RecordingCanvas device;
    TScaleCanvas sc(&device);
    sc.Reset(kResetUnit);
    sc.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(LastCall(device).op, gdi::RecordedCall::Op::Polygon);
    EXPECT_EQ(LastCall(device).points,
              (std::vector<gdi::Point>{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}));
    sc.Ellipse(0, 0, 10, 10);
    EXPECT_EQ(LastCall(device).shape, gdi::Canvas::Shape::Ellipse);
    EXPECT_EQ(LastCall(device).rect, (gdi::Rect{0, 0, 11, 11}));
    sc.SetPenWidthMM(0.1f);
    EXPECT_EQ(sc.Pen().width, 0);
    sc.SetPenWidthMM(-3);
    EXPECT_EQ(sc.Pen().width, 0);

    DrawBezierEllipse(device, 50, 50, 20, 10);
    const std::vector<gdi::Point>& bezier = LastCall(device).points;
    ASSERT_EQ(bezier.size(), 13u);
    EXPECT_EQ(bezier[0], (gdi::Point{40, 50}));     // L
    EXPECT_EQ(bezier[1], (gdi::Point{40, 47}));     // ky = 3
    EXPECT_EQ(bezier[2], (gdi::Point{44, 45}));     // kx = 6, T
    EXPECT_EQ(bezier[6], (gdi::Point{59, 50}));     // R
    EXPECT_EQ(bezier[9], (gdi::Point{50, 54}));     // B

    sc.RotatedRectangle(0, 0, 10, 20, 90);
    const std::vector<gdi::Point>& turned = LastCall(device).points;
    EXPECT_EQ(turned[0], (gdi::Point{15, 5}));  // top-left turned clockwise about (5, 10)
    const TFloatPoint p = RotateFloatPointAbout({10, 0}, {0, 0}, 450);
    EXPECT_NEAR(p.X, 0, 1e-4);
    EXPECT_NEAR(p.Y, 10, 1e-4);
    const TFloatPoint far = RotateFloatPointAbout({10, 0}, {0, 0}, 1e30);  // ends, whatever it gives
    EXPECT_NEAR(far.X * far.X + far.Y * far.Y, 100, 1e-2);
    EXPECT_FLOAT_EQ(RoundToFraction(0.125f, 100), 0.12f);
    EXPECT_FLOAT_EQ(RoundToFraction(2.6f, 0), 3.0f);
}

TEST(ScaleCanvas, FontHeightsFollowZoomAndTinyFontsDrawNothing) {
    gdi::RecordingCanvas device;
    TScaleCanvas sc(&device);
    sc.Reset(kResetScreen);
    sc.SetZoom(2);
    sc.Font().SetHeight(-13);
    EXPECT_EQ(device.font().height, -26);
    EXPECT_FALSE(sc.TextSuppressed);
    EXPECT_EQ(GetMMCalcScaleCanvas().MMToPixel(1), 100);  // 1/100 mm per device unit
    GetMMCalcScaleCanvas().Font().SetHeight(-13);
    EXPECT_EQ(GetMMCalcScaleCanvas().Canvas().font().height, -343);

    // Changes made on the device font directly come back into the font.
    device.font().height = -52;
    device.font().faceName = "Courier New";
    EXPECT_EQ(sc.Font().Height(), -26);
    EXPECT_EQ(sc.Font().Name(), "Courier New");

    sc.SetFontAngle(30);
    EXPECT_EQ(device.font().escapement, -300);
    EXPECT_EQ(sc.Font().Escapement(), -300);
    // The same angle again leaves the device font as it is, weight and all;
    // a new angle rebuilds it from the canvas's font.
    device.font().weight = gdi::FW_BOLD;
    sc.SetFontAngle(30);
    EXPECT_EQ(device.font().weight, gdi::FW_BOLD);
    device.font().escapement = 0;  // turned back on the device only
    sc.SetFontAngle(30);
    EXPECT_EQ(device.font().escapement, -300);
    EXPECT_EQ(device.font().weight, gdi::FW_BOLD);
    sc.SetFontAngle(45);
    EXPECT_EQ(device.font().escapement, -450);
    EXPECT_NE(device.font().weight, gdi::FW_BOLD);

    sc.SetZoom(0.01f);
    EXPECT_TRUE(sc.TextSuppressed);
    const size_t calls = device.Calls().size();
    sc.TextOut("unsichtbar", 10, 10);
    EXPECT_EQ(device.Calls().size(), calls);
    sc.SetZoom(1);
    sc.TextOut("M\xFC" "ller", 10, 10);  // Windows-1252 reaches the device as Unicode
    EXPECT_EQ(LastCall(device).text, u"M\u00FCller");
    EXPECT_GT(sc.TextWidthMM("Etikett"), 0);
}

TEST(ScaleCanvas, ClipRectIsInDeviceUnits) {
    gdi::BitmapCanvas device(400, 300);
    TScaleCanvas sc(&device);
    EXPECT_EQ(sc.GetClipRect(), (TRect{0, 0, 400, 300}));  // no clip: the whole surface
    device.IntersectClipRect(10, 20, 110, 220);
    // A mapping of its own on the device (logical units twice the pixels,
    // moved) changes the logical clip box but not the device rectangle.
    device.SetMapMode(gdi::MapMode::Anisotropic);
    device.SetWindowExt(2, 2);
    device.SetViewportExt(1, 1);
    device.SetWindowOrg(-50, -50);
    EXPECT_EQ(sc.GetClipRect(), (TRect{10, 20, 110, 220}));
    EXPECT_NE(device.GetClipBox(), sc.GetClipRect());
    gdi::DeviceCaps noSize = gdi::ScreenCaps();
    noSize.horzRes = noSize.vertRes = 0;
    gdi::RecordingCanvas unsized(noSize);  // a device without a size and without a clip
    EXPECT_TRUE(TScaleCanvas(&unsized).GetClipRect().Contains({-1000000, 1000000}));
}

TEST(ScaleCanvas, RectangleAndEllipseCoverTheirPixelsOnA300DpiBitmap) {
    TBmpScaleCanvas sc;
    sc.BitmapCanvas().SetResolution(300, 300);
    sc.SetSize(1400, 800);
    EXPECT_EQ(sc.VisibleRect, (TRect{0, 0, 1400, 800}));
    sc.SetResolutionX(300 / 25.4f);
    sc.SetResolutionY(300 / 25.4f);
    sc.Pen().color = gdi::Rgb(0, 0, 0);
    sc.Brush().color = gdi::Rgb(255, 0, 0);
    const auto pixel = [&](int x, int y) { return sc.Bitmap().Pixel(x, y); };
    constexpr gdi::Color black = 0, red = gdi::Rgb(255, 0, 0), white = gdi::Rgb(255, 255, 255);

    // 100 x 50 mm from (10, 10) mm: device 118..1299 x 118..709, outline included.
    sc.Rectangle(10, 10, 110, 60);
    const TRect outline{118, 118, 1300, 710};
    for (int y = 100; y < 730; ++y) {
        for (int x = 100; x < 1320; ++x) {
            const bool inside = outline.Contains({x, y});
            const bool border = inside && (x == 118 || x == 1299 || y == 118 || y == 709);
            const gdi::Color expected = !inside ? white : border ? black : red;
            ASSERT_EQ(pixel(x, y), expected) << x << "," << y;
        }
    }

    sc.Brush().color = white;
    sc.FillRect(0, 0, 1400 / sc.ScaleX, 800 / sc.ScaleY);
    sc.Ellipse(10, 10, 110, 60);  // device Ellipse(118, 118, 1300, 710)
    int left = 1400, top = 800, right = -1, bottom = -1;
    for (int y = 0; y < 800; ++y)
        for (int x = 0; x < 1400; ++x)
            if (pixel(x, y) == black) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
                ASSERT_EQ(pixel(118 + 1299 - x, y), black) << "mirrored left-right at " << x << "," << y;
                ASSERT_EQ(pixel(x, 118 + 709 - y), black) << "mirrored top-bottom at " << x << "," << y;
            }
    EXPECT_EQ((TRect{left, top, right, bottom}), (TRect{118, 118, 1299, 709}));
    EXPECT_EQ(pixel(118, 118), white);  // the box's corner lies outside the ellipse
    EXPECT_EQ(pixel(708, 413), white);  // the inside has the brush colour
}

TEST(ScaleCanvas, PrintsARectangleOfTheRightSizeIntoAPdf) {
    ASSERT_TRUE(gdi::SelectPrinter(gdi::PdfPrinterName()));
    gdi::Printer& printer = gdi::CurrentPrinter();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("label.pdf");
    printer.SetOutputFile(pdf.toStdString());
    ASSERT_TRUE(printer.BeginDoc("Etikett"));
    {
        TRegionScaleCanvas sc(&printer.GetCanvas());
        sc.Reset(kResetPrinter);
        EXPECT_FALSE(sc.IsScreen());
        sc.Brush().color = gdi::Rgb(0, 0, 0);
        sc.Pen().style = gdi::PenStyle::Null;
        sc.FillRect(20, 30, 120, 80);  // 100 x 50 mm at (20, 30) mm on the page
    }
    ASSERT_TRUE(printer.EndDoc());

    const auto [width, height] = test::PdfMediaBox(pdf);
    EXPECT_NEAR(width, 595.28, 0.5);
    EXPECT_NEAR(height, 841.89, 0.5);
    if (!test::HavePdfRenderer()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const test::GrayPage page = test::RenderPdf(pdf, 600, 0, 0, 3200, 2200);
    const auto dark = page.DarkBounds();
    ASSERT_TRUE(dark);
    // Within 2 pixels (0.09 mm): the page's own origin lies between device pixels.
    EXPECT_NEAR(dark->right - dark->left + 1, 100 / 25.4 * 600, 2.0);
    EXPECT_NEAR(dark->bottom - dark->top + 1, 50 / 25.4 * 600, 2.0);
    EXPECT_NEAR(dark->left, 20 / 25.4 * 600, 2.0);
    EXPECT_NEAR(dark->top, 30 / 25.4 * 600, 2.0);
}
