#pragma once
// Reading drawn barcodes back: what zbarimg (zbar-tools) decodes in a
// picture, the symbols it can read with what it gives back, and the widths
// of the dark and light runs along one line.

#include "support/BarcodeSupport.h"

#include "platform/gdi/Bitmap.h"

#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QStringList>
#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

// The zbarimg program; empty when it is not installed.
inline QString ZbarImgProgram() { return QStandardPaths::findExecutable(QStringLiteral("zbarimg")); }

// What zbarimg reads in the picture, one sorted line per symbol, as "TYPE:data".
inline QString DecodeWithZbar(const QImage& picture, const QString& zbarimg) {
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

// The run lengths of dark and light pixels along a row (alongX) or column of
// the picture, from the first dark pixel to the last.
inline std::vector<int32_t> BarRuns(const gdi::Bitmap& picture, bool alongX, int32_t at, int32_t length) {
    std::vector<bool> dark;
    for (int32_t i = 0; i < length; ++i)
        dark.push_back(gdi::RedOf(alongX ? picture.Pixel(i, at) : picture.Pixel(at, i)) < 128);
    const auto first = std::find(dark.begin(), dark.end(), true);
    const auto last = std::find(dark.rbegin(), dark.rend(), true).base();
    std::vector<int32_t> runs;
    for (auto it = first; it < last; ++it) {
        if (it == first || *it != *(it - 1)) runs.push_back(0);
        ++runs.back();
    }
    return runs;
}

// A symbol zbarimg reads, and its lines of what it reads (check characters
// included). Every symbology but standard Code 2 of 5, which zbar does not know.
struct ReadableSymbol {
    const char* name;
    BarcodeSetup setup;
    const char* expected;
};

inline void PrintTo(const ReadableSymbol& r, std::ostream* os) { *os << r.name; }

inline std::vector<ReadableSymbol> ReadableSymbols() {
    auto set = [](TBarcodeTyp type, const char* text, float width = 40, const char* addOn = "") {
        BarcodeSetup s = Symbol(type, text);
        s.addOn = addOn;
        s.width = width;
        s.height = 15;
        return s;
    };
    return {
        {"Ean13", set(btEAN13, "400638133393"), "EAN-13:4006381333931"},
        {"Ean13WithAddOn", set(btEAN13, "400638133393", 40, "12"), "EAN-13:4006381333931\nEAN-2:12"},
        {"Ean13WithFiveDigitAddOn", set(btEAN13, "978020137962", 40, "52495"), "EAN-13:9780201379624\nEAN-5:52495"},
        {"Ean8WithAddOn", set(btEAN8, "9638507", 40, "05"), "EAN-2:05\nEAN-8:96385074"},
        {"UpcEWithAddOn", set(btUPC_E, "425261", 40, "90000"), "EAN-5:90000\nUPC-E:04252614"},
        {"Ean8", set(btEAN8, "9638507"), "EAN-8:96385074"},
        {"UpcA", set(btUPC_A, "03600029145"), "UPC-A:036000291452"},
        {"UpcE", set(btUPC_E, "425261"), "UPC-E:04252614"},
        {"Interleaved", set(btCode25Interleaved, "1234567"), "I2/5:12345670"},
        {"Itf14", set(btITF14, "1234567890123", 60), "I2/5:12345678901231"},
        {"Code128", set(btCode128, "Zorbit-128 AB12"), "CODE-128:Zorbit-128 AB12"},
        {"Code128Digits", set(btCode128, "A123456789"), "CODE-128:A123456789"},
        {"Ean128", set(btEAN128, "(01)12345678901231"), "CODE-128:0112345678901231"},
        {"Ean128WithVariableField", set(btEAN128, "(10)ABC123(21)XYZ", 60), "CODE-128:10ABC123\x1D" "21XYZ"},
        {"Code39", set(btCode39, "CODE39"), "CODE-39:CODE39W"},
        {"Codabar", set(btCodabar, "40156"), "Codabar:A401560A"},
        {"CodabarWithStartAndStop", set(btCodabar, "A40156B"), "Codabar:A40156+B"},
        {"Code93", set(btCode93, "TEST93"), "CODE-93:TEST93"},
    };
}

// A test over the readable symbols at the printer resolution Dpi; skipped
// where zbarimg is not installed.
template <int32_t Dpi>
class ZbarDecodingTest : public ::testing::TestWithParam<ReadableSymbol> {
protected:
    void SetUp() override {
        zbarimg_ = ZbarImgProgram();
        if (zbarimg_.isEmpty()) GTEST_SKIP() << "zbarimg is missing (Debian package zbar-tools): no decoding checks";
    }
    WithPrinterDpi printer{Dpi};
    QString zbarimg_;
};
