// Every symbology that an independent reader knows, drawn at 300 dpi upright
// and turned by a quarter, written as a PNG and read back by zbarimg.
#include "support/BarcodePictures.h"
#include "support/BarcodeSupport.h"

#include "platform/gdi/BitmapCanvas.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t kDpi = 300;
constexpr float kPageMM = 150;

// The symbol drawn in the middle of a white page at the printer's
// resolution, cut out with a white margin.
QImage Render(const BarcodeSetup& setup) {
    const auto side = static_cast<int32_t>(kPageMM / 25.4f * kDpi);
    gdi::BitmapCanvas bitmap(side, side, kDpi, kDpi);
    TScaleCanvas canvas(&bitmap);
    canvas.SetResolutionX(static_cast<float>(kDpi / 25.4L));
    canvas.SetResolutionY(static_cast<float>(kDpi / 25.4L));
    TZRBarcode barcode;
    BarcodeSetup centred = setup;
    centred.centreX = centred.centreY = kPageMM / 2;
    Apply(barcode, centred);
    barcode.Draw(canvas);
    TRect bounds;
    barcode.GetBounds(canvas, bounds);
    const TRect cut = bounds.Inflated(40, 40);
    return bitmap.bitmap().image().copy(cut.left, cut.top, cut.Width(), cut.Height());
}

class DecodedByZbar : public ZbarDecodingTest<kDpi> {};

TEST_P(DecodedByZbar, UprightAndTurned) {
    const ReadableSymbol& r = GetParam();
    for (const float angle : {0.0f, 90.0f}) {
        BarcodeSetup setup = r.setup;
        setup.angle = angle;
        EXPECT_EQ(DecodeWithZbar(Render(setup), zbarimg_).toStdString(), r.expected) << "at " << angle << " degrees";
    }
}

INSTANTIATE_TEST_SUITE_P(Barcode, DecodedByZbar, ::testing::ValuesIn(ReadableSymbols()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
