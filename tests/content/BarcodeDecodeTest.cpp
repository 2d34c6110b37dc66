// Every symbology that an independent reader knows, drawn at 300 dpi upright
// and turned by a quarter, written as a PNG and read back by zbarimg.
#include "BarcodeSupport.h"

#include "platform/gdi/BitmapCanvas.h"

#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>

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

// What zbarimg reads in the picture, one sorted line per symbol, as "TYPE:data".
QString Decode(const QImage& picture, const QString& zbarimg) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("symbol.png"));
    if (!picture.save(file)) return QStringLiteral("(not saved)");
    QProcess process;
    // UPC symbols as themselves, not as EAN-13; add-ons as symbols of their own.
    process.start(zbarimg, {QStringLiteral("-q"), QStringLiteral("-Supca.enable"), QStringLiteral("-Supce.enable"),
                            QStringLiteral("-Sean2.enable"), QStringLiteral("-Sean5.enable"), file});
    process.waitForFinished(30000);
    QStringList lines = QString::fromLatin1(process.readAllStandardOutput()).trimmed().split(QLatin1Char('\n'));
    lines.sort();
    return lines.join(QLatin1Char('\n'));
}

struct Readable {
    const char* name;
    BarcodeSetup setup;
    const char* expected;  // zbarimg's lines
};

void PrintTo(const Readable& r, std::ostream* os) { *os << r.name; }

class DecodedByZbar : public ::testing::TestWithParam<Readable> {
protected:
    void SetUp() override {
        zbarimg_ = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
        if (zbarimg_.isEmpty()) GTEST_SKIP() << "zbarimg is missing (Debian package zbar-tools): no decoding checks";
    }
    WithPrinterDpi printer{kDpi};
    QString zbarimg_;
};

TEST_P(DecodedByZbar, UprightAndTurned) {
    const Readable& r = GetParam();
    for (const float angle : {0.0f, 90.0f}) {
        BarcodeSetup setup = r.setup;
        setup.angle = angle;
        EXPECT_EQ(Decode(Render(setup), zbarimg_).toStdString(), r.expected) << "at " << angle << " degrees";
    }
}

BarcodeSetup Set(TBarcodeTyp type, const char* text, float width = 40, const char* addOn = "") {
    BarcodeSetup s = Symbol(type, text);
    s.addOn = addOn;
    s.width = width;
    s.height = 15;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Barcode, DecodedByZbar,
    ::testing::Values(Readable{"Ean13", Set(btEAN13, "400638133393"), "EAN-13:4006381333931"},
                      Readable{"Ean13WithAddOn", Set(btEAN13, "400638133393", 40, "12"), "EAN-13:4006381333931\nEAN-2:12"},
                      Readable{"Ean13WithFiveDigitAddOn", Set(btEAN13, "978020137962", 40, "52495"),
                               "EAN-13:9780201379624\nEAN-5:52495"},
                      Readable{"Ean8WithAddOn", Set(btEAN8, "9638507", 40, "05"), "EAN-2:05\nEAN-8:96385074"},
                      Readable{"UpcEWithAddOn", Set(btUPC_E, "425261", 40, "90000"), "EAN-5:90000\nUPC-E:04252614"},
                      Readable{"Ean8", Set(btEAN8, "9638507"), "EAN-8:96385074"},
                      Readable{"UpcA", Set(btUPC_A, "03600029145"), "UPC-A:036000291452"},
                      Readable{"UpcE", Set(btUPC_E, "425261"), "UPC-E:04252614"},
                      Readable{"Interleaved", Set(btCode25Interleaved, "1234567"), "I2/5:12345670"},
                      Readable{"Itf14", Set(btITF14, "1234567890123", 60), "I2/5:12345678901231"},
                      Readable{"Code128", Set(btCode128, "Zorbit-128 AB12"), "CODE-128:Zorbit-128 AB12"},
                      Readable{"Code128Digits", Set(btCode128, "A123456789"), "CODE-128:A123456789"},
                      Readable{"Ean128", Set(btEAN128, "(01)12345678901231"), "CODE-128:0112345678901231"},
                      Readable{"Code39", Set(btCode39, "CODE39"), "CODE-39:CODE39W"},
                      Readable{"Codabar", Set(btCodabar, "40156"), "Codabar:A401560A"},
                      Readable{"CodabarWithStartAndStop", Set(btCodabar, "A40156B"), "Codabar:A40156+B"},
                      Readable{"Code93", Set(btCode93, "TEST93"), "CODE-93:TEST93"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
