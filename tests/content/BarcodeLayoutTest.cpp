// Module widths in printer dots, box heights, the fitted font, bounds and
// regions, and bars that keep their exact width in dots at quarter turns.
#include "support/BarcodePictures.h"
#include "support/BarcodeSupport.h"

#include "platform/gdi/BitmapCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using Op = gdi::RecordedCall::Op;

std::vector<std::u16string> RecordedTexts(const gdi::RecordingCanvas& recording) {
    std::vector<std::u16string> texts;
    for (const auto& call : recording.Calls())
        if (call.op == Op::Text) texts.push_back(call.text);
    return texts;
}

BarcodeSetup Sized(TBarcodeTyp type, const char* text, float width = 10, float height = 10) {
    BarcodeSetup s = Symbol(type, text);
    s.width = width;
    s.height = height;
    return s;
}

}  // namespace

TEST(BarcodeModule, IsAWholeNumberOfPrinterDotsBetweenTheFamilyBounds) {
    struct Case {
        int32_t dpi;
        float width;
        int32_t dots;
    };
    // EAN-13: 95 modules and two quiet zones of 10, between 0.27 and 0.66 mm.
    const Case cases[] = {{600, 40, 8},  {600, 10, 7}, {600, 200, 15}, {600, 0, 7},  {600, -20, 7},
                          {300, 40, 4},  {300, 0, 4},  {300, 60, 6},   {300, 200, 7}, {1200, 40, 16}};
    for (const Case& c : cases)
        EXPECT_EQ(ModuleDots(115, c.width, c.dpi, 0.27, 0.66), c.dots) << c.dpi << " dpi, " << c.width << " mm";

    WithPrinterDpi printer(600);
    const LaidOut ean = LayOut(Sized(btEAN13, "123456789012", 40));
    ASSERT_TRUE(ean.ok);
    EXPECT_EQ(ean.s.dots, 8);
    EXPECT_NEAR(ean.s.module, 0.33867, 1e-5);
    EXPECT_NEAR(ean.s.width, 38.95, 0.005);
}

TEST(BarcodeModule, FollowsThePrinterAlsoOnTheScreenAndNeverDividesByZero) {
    BarcodeSetup setup = Sized(btEAN13, "123456789012", 40);
    TRect onScreen, onPrinter;
    {
        WithPrinterDpi printer(300);
        TZRBarcode barcode;
        Apply(barcode, setup);
        ScaleRecording screen(96), paper(300);
        barcode.GetBounds(screen.canvas, onScreen);
        barcode.GetBounds(paper.canvas, onPrinter);
        const LaidOut laid = LayOut(barcode, paper.canvas);
        EXPECT_EQ(laid.s.dots, 4);
    }
    // The same width in mm on both devices.
    EXPECT_NEAR(onScreen.Width() / 96.0, onPrinter.Width() / 300.0, 1.5 / 96);

    WithPrinterDpi noResolution(0);
    const LaidOut laid = LayOut(setup);
    ASSERT_TRUE(laid.ok);
    EXPECT_EQ(laid.s.dpi, kFallbackPrinterDpi);
    EXPECT_EQ(laid.s.dots, 8);
}

TEST(BarcodeBox, HeightsFollowTheFamilyRules) {
    WithPrinterDpi printer(600);
    const double m = 8 * 25.4 / 600;  // EAN-13 at 40 mm: 8 dots

    BarcodeSetup ean = Sized(btEAN13, "123456789012", 40, 100);
    ean.showText = false;
    ean.aecoc = true;
    EXPECT_NEAR(LayOut(ean).s.barHeight, 79.58 * m, 1e-3) << "with AECOC the requested height is ignored";
    ean.showText = true;
    EXPECT_NEAR(LayOut(ean).s.barHeight, 79.58 * m + 0.1, 1e-3);
    ean.aecoc = false;
    ean.height = 0;
    EXPECT_NEAR(LayOut(ean).s.barHeight, 30 * m + 0.1, 1e-3) << "without AECOC at least 30 modules";
    ean.height = 40;
    EXPECT_FLOAT_EQ(LayOut(ean).s.height, 40);

    BarcodeSetup itf = Sized(btITF14, "1234567890123", 0, -5);
    itf.showText = false;
    const LaidOut itfLaid = LayOut(itf);
    const double b = 2.1 * itfLaid.s.module;
    EXPECT_NEAR(itfLaid.s.height, 31.25 * itfLaid.s.module + 2 * b + 2, 1e-3);
    EXPECT_NEAR(itfLaid.s.barOffset, 1 + b, 1e-4);

    BarcodeSetup plain = Sized(btCode39, "CODE39", 0, -5);
    const LaidOut plainLaid = LayOut(plain);
    EXPECT_NEAR(plainLaid.s.height, 7 + plainLaid.s.textHeight, 1e-4);
    EXPECT_NEAR(plainLaid.s.barHeight, 5, 1e-4);

    const LaidOut code93 = LayOut(Sized(btCode93, "TEST93", 0, 0));
    EXPECT_NEAR(code93.s.barHeight, 20, 1e-4) << "Code 93 bars are at least 20 mm high";
    const LaidOut long93 = LayOut(Sized(btCode93, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", 0, 0));
    EXPECT_NEAR(long93.s.barHeight, 0.25 * long93.s.units * long93.s.module, 1e-3) << "or a quarter of its width";
}

TEST(BarcodeFont, IsTheFirstSizeFromTheStartThatFits) {
    WithPrinterDpi printer(600);
    struct Case {
        BarcodeSetup setup;
        int32_t startPoints;
    };
    BarcodeSetup withAddOn = Sized(btEAN13, "123456789012");
    withAddOn.addOn = "52495";
    const Case cases[] = {
        {Sized(btCode39, "A"), 10},                          // fits at once
        {Sized(btCode128, "WWWWWWWWWWWWWWWW"), 10},          // wide letters in 11 modules each
        {Sized(btCode128, "12345678901234567890"), 10},      // two digits in 11 modules
        {Sized(btEAN13, "123456789012"), 12},                // 13 digits in 80 modules
        {withAddOn, 12},                                   // in 81 modules of 152
    };
    for (const Case& c : cases) {
        TZRBarcode barcode;
        Apply(barcode, c.setup);
        ScaleRecording r;
        const LaidOut laid = LayOut(barcode, r.canvas);
        ASSERT_TRUE(laid.ok) << c.setup.text;
        const int32_t budget = laid.s.units - (c.setup.type == btEAN13 ? 15 + (c.setup.addOn.empty() ? 0 : 56) : 0);
        const double available = budget * laid.s.module;
        auto widthAt = [&](int32_t points) {
            r.canvas.Font().SetSize(points);
            return r.canvas.TextWidthMM(laid.s.fullText);
        };
        EXPECT_LE(laid.fontSize, c.startPoints);
        EXPECT_GE(laid.fontSize, 4);
        if (laid.fontSize > 4) {
            EXPECT_LE(widthAt(laid.fontSize), available) << c.setup.text;
        }
        if (laid.fontSize < c.startPoints) {
            EXPECT_GT(widthAt(laid.fontSize + 1), available) << c.setup.text;
        }
    }
}

namespace {

// Every character 400 device units wide at any size: no size fits.
class WideTextCanvas : public gdi::RecordingCanvas {
public:
    WideTextCanvas() : gdi::RecordingCanvas(ScaleRecording::Caps(600), gdi::DeviceKind::Bitmap) {}

protected:
    std::vector<int32_t> DoPartialExtents(std::u16string_view text) override {
        std::vector<int32_t> extents(text.size());
        for (size_t i = 0; i < text.size(); ++i) extents[i] = static_cast<int32_t>(i + 1) * 400;
        return extents;
    }
};

}  // namespace

TEST(BarcodeFont, StopsAtFourPoints) {
    WithPrinterDpi printer(600);
    TZRBarcode barcode;
    Apply(barcode, Sized(btCode128, "AB12"));
    WideTextCanvas wide;
    TScaleCanvas canvas(&wide);
    canvas.SetResolutionX(600 / 25.4f);
    canvas.SetResolutionY(600 / 25.4f);
    EXPECT_EQ(LayOut(barcode, canvas).fontSize, 4);
}

TEST(BarcodeBounds, AreTheTurnedSymbolBoxAndTheRegionFollowsItExactly) {
    WithPrinterDpi printer(254);  // ten dots per millimetre
    BarcodeSetup setup = Sized(btCode39, "CODE39", 60, 20);
    setup.centreX = 100;
    setup.centreY = 80;
    ScaleRecording r(254);
    TZRBarcode barcode;
    Apply(barcode, setup);
    const LaidOut laid = LayOut(barcode, r.canvas);
    const double w = laid.s.width * 10, h = laid.s.height * 10;

    TRect upright;
    barcode.GetBounds(r.canvas, upright);
    EXPECT_NEAR(upright.Width(), w, 1);
    EXPECT_NEAR(upright.Height(), h, 1);
    EXPECT_NEAR((upright.left + upright.right) / 2.0, 1000, 1);
    const gdi::Region* region = barcode.GetRegion(r.canvas);
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(region->Contains(upright.left + 1, upright.top + 1));

    barcode.SetAngle(90);
    TRect turned;
    barcode.GetBounds(r.canvas, turned);
    EXPECT_NEAR(turned.Width(), h, 1);
    EXPECT_NEAR(turned.Height(), w, 1);
    EXPECT_NEAR((turned.top + turned.bottom) / 2.0, 800, 1);

    barcode.SetAngle(37);
    TRect slanted;
    barcode.GetBounds(r.canvas, slanted);
    const double c = std::cos(37 * M_PI / 180), s = std::sin(37 * M_PI / 180);
    EXPECT_NEAR(slanted.Width(), w * c + h * s, 1);
    EXPECT_NEAR(slanted.Height(), w * s + h * c, 1);
    region = barcode.GetRegion(r.canvas);
    ASSERT_NE(region, nullptr);
    EXPECT_TRUE(region->Contains(1000, 800));
    // The corners of the bounds lie outside the turned box.
    EXPECT_FALSE(region->Contains(slanted.left + 2, slanted.top + 2));
    EXPECT_FALSE(region->Contains(slanted.right - 3, slanted.bottom - 3));
    const TRect box = region->Box();
    EXPECT_NEAR(box.Width(), slanted.Width(), 2);
    EXPECT_NEAR(box.Height(), slanted.Height(), 2);
}

TEST(BarcodeBounds, EmptyInvalidAndUnknownSymbolsKeepThePositionBox) {
    WithPrinterDpi printer(254);
    struct Case {
        const char* what;
        TBarcodeTyp type;
        const char* text;
        const char16_t* message;  // nullptr: nothing is drawn
    };
    const Case cases[] = {
        {"empty text", btCode128, "", nullptr},
        {"refused text", btEAN13, "12345", u"Code ungültig"},
        {"a symbology of a newer file", 12, "123", u"Noch nicht implementiert"},
        {"the highest unknown number", 127, "", u"Noch nicht implementiert"},
    };
    for (const Case& c : cases) {
        BarcodeSetup setup = Sized(c.type, c.text, 30, 20);
        setup.centreX = 50;
        setup.centreY = 40;
        setup.angle = 90;
        TZRBarcode barcode;
        Apply(barcode, setup);
        ScaleRecording r(254);
        TRect bounds;
        barcode.GetBounds(r.canvas, bounds);
        EXPECT_EQ(bounds, (TRect{400, 250, 600, 550})) << c.what;
        const gdi::Region* region = barcode.GetRegion(r.canvas);
        ASSERT_NE(region, nullptr) << c.what;
        EXPECT_TRUE(region->Contains(500, 400)) << c.what;
        barcode.Draw(r.canvas);
        const auto texts = RecordedTexts(r.recording);
        if (c.message) {
            EXPECT_EQ(texts, std::vector<std::u16string>{c.message}) << c.what;
        } else {
            EXPECT_TRUE(r.recording.Calls().empty()) << c.what;
        }
    }
}

TEST(BarcodeText, StandsInGroupsUnderTheBarsAndTurnsWithThem) {
    WithPrinterDpi printer(600);
    BarcodeSetup setup = Sized(btEAN13, "123456789012", 40);
    setup.addOn = "12";
    setup.angle = 30;
    TZRBarcode barcode;
    Apply(barcode, setup);
    ScaleRecording r;
    barcode.Draw(r.canvas);
    EXPECT_EQ(RecordedTexts(r.recording), (std::vector<std::u16string>{u"1", u"234567", u"890128", u"12"}));
    for (const auto& call : r.recording.Calls()) {
        if (call.op != Op::Text) continue;
        EXPECT_EQ(call.state.font.escapement, -300);
        EXPECT_EQ(call.state.textColor, 0u);
    }
    EXPECT_EQ(r.recording.font().escapement, 0) << "upright again afterwards";
}

TEST(BarcodeBars, KeepTheirWidthInPrinterDotsAtEveryQuarterTurn) {
    struct Case {
        int32_t dpi;
        float width;
        TFloatPoint centre;
        int32_t dots;
    };
    const Case cases[] = {
        {600, 35, {50.123f, 49.871f}, 7},  // 805 dots: an odd width
        {254, 0, {50, 50}, 3},             // edges on half dots, modules of 0.3 mm
    };
    for (const Case& c : cases) {
        WithPrinterDpi printer(c.dpi);
        BarcodeSetup setup = Sized(btEAN13, "123456789012", c.width);
        setup.showText = false;
        setup.centreX = c.centre.X;
        setup.centreY = c.centre.Y;
        const LaidOut laid = LayOut(setup, c.dpi);
        ASSERT_EQ(laid.s.dots, c.dots);
        std::vector<int32_t> expected;
        for (const char width : laid.s.pattern) expected.push_back((width - '0') * laid.s.dots);

        const auto side = static_cast<int32_t>(100 / 25.4 * c.dpi);
        for (const float angle : {0.0f, 90.0f, 180.0f, 270.0f, -90.0f, 450.0f}) {
            setup.angle = angle;
            gdi::BitmapCanvas bitmap(side, side, c.dpi, c.dpi);
            TScaleCanvas canvas(&bitmap);
            canvas.SetResolutionX(static_cast<float>(c.dpi / 25.4L));
            canvas.SetResolutionY(static_cast<float>(c.dpi / 25.4L));
            TZRBarcode barcode;
            Apply(barcode, setup);
            barcode.Draw(canvas);
            const bool alongX = std::fmod(angle + 360, 180.0f) == 0;
            const int32_t centre = alongX ? canvas.MMToPixelY(c.centre.Y) : canvas.MMToPixelX(c.centre.X);
            std::vector<int32_t> runs = BarRuns(bitmap.bitmap(), alongX, centre, side);
            // Half and three quarter turns read the symbol backwards.
            if (std::fmod(angle + 360, 360.0f) >= 180) std::reverse(runs.begin(), runs.end());
            EXPECT_EQ(runs, expected) << c.dpi << " dpi at " << angle << " degrees";
        }
    }
}

TEST(BarcodeType, ChangingItKeepsEverythingElseAndValidatesAnew) {
    TZRBarcode barcode;
    EXPECT_EQ(barcode.BarcodeType(), btCode25Interleaved);
    EXPECT_TRUE(barcode.CalcCheckDigit());
    EXPECT_TRUE(barcode.ShowText());
    EXPECT_FALSE(barcode.AECOC());
    EXPECT_FLOAT_EQ(barcode.Width, 10);
    EXPECT_FLOAT_EQ(barcode.Impl().Height, 10);

    BarcodeSetup setup = Sized(btEAN13, "123456789012", 33, 22);
    setup.addOn = "12";
    setup.angle = 45;
    setup.checkDigit = false;
    setup.showText = false;
    setup.aecoc = true;
    setup.centreX = 7;
    setup.centreY = 8;
    Apply(barcode, setup);
    EXPECT_TRUE(barcode.IsValid());
    barcode.SetBarcodeType(btUPC_A);
    EXPECT_FALSE(barcode.IsValid()) << "12 digits are no UPC-A";
    barcode.SetBarcodeType(0x80 | btCode39);
    EXPECT_EQ(barcode.BarcodeType(), 0x80 | btCode39) << "the whole byte is kept";
    EXPECT_TRUE(barcode.IsValid());
    const TCustomZRBarcodeImpl& impl = barcode.Impl();
    EXPECT_NE(dynamic_cast<const TBarcodeSymbology*>(&impl), nullptr);
    EXPECT_EQ(impl.Text, "123456789012");
    EXPECT_EQ(impl.AddOn, "12");
    EXPECT_FLOAT_EQ(impl.Angle, 45);
    EXPECT_FALSE(impl.CalcCheckDigit);
    EXPECT_FALSE(impl.ShowText);
    EXPECT_TRUE(impl.AECOC);
    EXPECT_FLOAT_EQ(impl.CenterX, 7);
    EXPECT_FLOAT_EQ(impl.CenterY, 8);
    EXPECT_FLOAT_EQ(impl.Width, 33);
    EXPECT_FLOAT_EQ(impl.Height, 22);
}

namespace {
bool controlDown = false;
bool FakeControlKey() { return controlDown; }
}  // namespace

TEST(BarcodeKeys, EachSymbologyLetsThroughOnlyItsCharacters) {
    SetControlKeyQuery(FakeControlKey);
    struct Case {
        TBarcodeTyp type;
        char key;
        char result;
    };
    const Case cases[] = {
        {btEAN13, '5', '5'},   {btEAN13, 'a', 0},     {btEAN13, '\b', '\b'}, {btUPC_E, '-', 0},
        {btITF14, '9', '9'},   {btCode25Standard, 'X', 0},
        {btCode39, 'a', 'A'},  {btCode39, '*', 0},    {btCode39, '%', '%'},  {btCode39, ' ', ' '},
        {btCode93, 'z', 'Z'},  {btCode93, '#', 0},
        {btCodabar, 'b', 'B'}, {btCodabar, 'E', 0},   {btCodabar, ':', ':'},
        {btCode128, '~', '~'}, {btCode128, '\xDF', '\xDF'}, {btCode128, '\x80', 0}, {btEAN128, '(', '('},
        {12, 'x', 'x'},
    };
    for (const Case& c : cases) {
        TZRBarcode barcode;
        barcode.SetBarcodeType(c.type);
        char key = c.key;
        barcode.FilterKey(key);
        EXPECT_EQ(key, c.result) << "type " << int{c.type} << ", key " << int{c.key};
    }
    controlDown = true;
    TZRBarcode barcode;
    barcode.SetBarcodeType(btEAN13);
    char key = 'v';
    barcode.FilterKey(key);
    EXPECT_EQ(key, 'v') << "with Control held every key passes";
    controlDown = false;
    SetControlKeyQuery(nullptr);
}

TEST(BarcodeDamagedValues, DrawAndMeasureWithoutFault) {
    WithPrinterDpi printer(600);
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    struct Case {
        float centre, width, height, angle;
    };
    const Case cases[] = {{1e30f, 40, 10, 0},   {0, nan, 10, 90},    {0, 40, nan, 0},   {0, 40, 10, nan},
                          {-1e30f, inf, -inf, 1e20f}, {0, 1e30f, 1e30f, 270}, {nan, 40, 10, 180}};
    for (const TBarcodeTyp type : {btEAN13, btITF14, btCode93, btCode128}) {
        for (const Case& c : cases) {
            BarcodeSetup setup = Sized(type, type == btCode128 ? "AB12" : "1234567890123");
            setup.centreX = setup.centreY = c.centre;
            setup.width = c.width;
            setup.height = c.height;
            setup.angle = c.angle;
            TZRBarcode barcode;
            Apply(barcode, setup);
            gdi::BitmapCanvas bitmap(200, 200, 600, 600);
            TScaleCanvas canvas(&bitmap);
            canvas.SetResolutionX(600 / 25.4f);
            canvas.SetResolutionY(600 / 25.4f);
            barcode.Draw(canvas);
            TRect bounds;
            barcode.GetBounds(canvas, bounds);
            barcode.GetRegion(canvas);
        }
    }
}
