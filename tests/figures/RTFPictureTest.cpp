// One label text drawn for real: in boxes straight and turned, in a table
// cell and on a circle, on a 600-dpi bitmap and through the PDF printer. The
// pictures are kept as PNGs in /tmp (rtf-bitmap.png, rtf-pdf.png,
// rtf-outlines.png); the lines break alike on both devices.
#include "figures/RTFDrawer.h"
#include "figures/RTFEllipseDrawer.h"

#include "foundation/BmpScaleCanvas.h"
#include "foundation/Rounding.h"
#include "platform/printer/Printer.h"
#include "support/PdfPage.h"

#include <QtCore/QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Two fonts, bold and italic, three colours, a centred and a justified
// paragraph, a word that breaks after its hyphen, umlauts and the euro sign,
// and a character of a symbol font (pi).
const char* const kSample =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}"
    "{\\f2\\fnil\\fcharset2 Symbol;}}"
    "{\\colortbl ;\\red0\\green0\\blue0;\\red200\\green0\\blue0;\\red0\\green90\\blue200;}"
    "\\pard\\qc\\f0\\fs28\\cf2\\b Gr\\'fc\\'dfe aus Zorbit\\b0\\cf1  \\'80 12,50 \\f2 p\\f0\\par"
    "\\pard\\qj\\f1\\fs20\\cf3\\i Etiketten-Beschriftungen\\i0\\cf1  f\\'fcr Ordner, CD-H\\'fcllen und Karten "
    "druckt man in einem Zug.\\par}";
const char* const kTopText =
    "{\\rtf1{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f2\\fcharset2 Symbol;}}{\\colortbl ;\\red200\\green0\\blue0;}"
    "\\f0\\fs28\\cf1\\b Gr\\'fc\\'dfe aus Zorbit\\b0  \\'80 \\f2 p}";
const char* const kBottomText =
    "{\\rtf1{\\fonttbl{\\f1\\fcharset0 Times New Roman;}}{\\colortbl ;\\red0\\green90\\blue200;}"
    "\\f1\\fs24\\cf1\\i Etiketten-Designer\\i0  f\\'fcr CD-H\\'fcllen}";

// The drawing covers page millimetres 10 to 110 each way.
constexpr float kOrigin = 10;
constexpr int kDpi = 600;
constexpr int kSide = 2362;  // 100 mm at 600 dpi

struct Box {
    float cx, cy, w, h, angle;
};
constexpr Box kCell{37, 32, 44, 36, 0};
constexpr Box kJustified{85, 32, 30, 40, 0};
constexpr Box kTurned{37, 82, 40, 30, 30};
constexpr float kCircleX = 85, kCircleY = 85, kRadius = 21;

void DrawLabel(TScaleCanvas& canvas, TRTFDrawer& text, TRTFEllipseDrawer& top, TRTFEllipseDrawer& bottom) {
    text.DrawCell(canvas, kCell.cx, kCell.cy, kCell.w, kCell.h, kCell.angle);
    text.DrawInRect(canvas, kAlignJustify, kJustified.cx, kJustified.cy, kJustified.w, kJustified.h, 0,
                    kVAlignTop);
    text.DrawInRect(canvas, kAlignCenter, kTurned.cx, kTurned.cy, kTurned.w, kTurned.h, kTurned.angle,
                    kVAlignCenter);
    TTextRing ring;
    top.DrawOnCircle(canvas, kCircleTop, kCircleX, kCircleY, kRadius, 0, 1, kAlignCenter, ring);
    bottom.DrawOnCircle(canvas, kCircleBottom, kCircleX, kCircleY, kRadius, 0, 1, kAlignCenter, ring);
    canvas.Pen().color = 0xC0C0C0;
    canvas.Brush().style = gdi::BrushStyle::Null;
    for (const Box& b : {kCell, kJustified, kTurned})
        canvas.RotatedRectangle(b.cx - b.w / 2, b.cy - b.h / 2, b.cx + b.w / 2, b.cy + b.h / 2, b.angle);
    canvas.Ellipse(kCircleX - kRadius, kCircleY - kRadius, kCircleX + kRadius, kCircleY + kRadius);
}

// Ink of a picture: dark pixels, as a grey value below 128.
struct Ink {
    int width, height;
    std::vector<uint8_t> dark;
    bool At(int x, int y) const { return dark[static_cast<size_t>(y) * width + x] != 0; }

    // Rows with ink inside a rectangle, as bands [top, bottom] with their left and right ink.
    struct Band {
        int top, bottom, left, right;
    };
    std::vector<Band> Bands(int l, int t, int r, int b) const {
        std::vector<Band> bands;
        bool open = false;
        for (int y = t; y < b; ++y) {
            int left = r, right = -1;
            for (int x = l; x < r; ++x)
                if (At(x, y)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            if (right >= 0) {
                if (!open) bands.push_back({y, y, left, right});
                Band& band = bands.back();
                band.bottom = y;
                band.left = std::min(band.left, left);
                band.right = std::max(band.right, right);
                open = true;
            } else {
                open = false;
            }
        }
        return bands;
    }
};

Ink InkOfBitmap(const QImage& image) {
    Ink ink{image.width(), image.height(), {}};
    ink.dark.resize(static_cast<size_t>(ink.width) * ink.height);
    for (int y = 0; y < ink.height; ++y)
        for (int x = 0; x < ink.width; ++x) ink.dark[static_cast<size_t>(y) * ink.width + x] = qGray(image.pixel(x, y)) < 128;
    return ink;
}

Ink InkOfPage(const test::GrayPage& page) {
    Ink ink{page.width, page.height, {}};
    ink.dark.resize(static_cast<size_t>(ink.width) * ink.height);
    for (int y = 0; y < ink.height; ++y)
        for (int x = 0; x < ink.width; ++x) ink.dark[static_cast<size_t>(y) * ink.width + x] = page.At(x, y) < 128;
    return ink;
}

int Px(float mm) { return Round((mm - kOrigin) * kDpi / 25.4); }

struct Drawers {
    TRTFDrawer text;
    TRTFEllipseDrawer top, bottom;
    Drawers() {
        text.SetRTF(kSample);
        top.SetRTF(kTopText);
        bottom.SetRTF(kBottomText);
    }
};

TEST(RTFPicture, SampleOnA600DpiBitmapAndThroughThePdfPrinter) {
    Drawers d;
    // The justified box breaks after the hyphen of its long compound word.
    d.text.BreakLines(kJustified.w);
    bool hyphenBreak = false;
    for (const TRTFLine& line : d.text.Lines) {
        const std::string& last = d.text.Tokens[static_cast<size_t>(line.LastToken)].Text;
        hyphenBreak |= !last.empty() && last.back() == '-';
    }
    EXPECT_TRUE(hyphenBreak);

    // A 600-dpi bitmap: the screen's resolution at zoom 6.25.
    TBmpScaleCanvas bitmap;
    bitmap.SetSize(kSide, kSide);
    bitmap.Reset(kResetScreen);
    bitmap.SetZoom(kDpi / 96.0f);
    bitmap.SetDeviceOffsetX(Round(kOrigin * kDpi / 25.4));
    bitmap.SetDeviceOffsetY(Round(kOrigin * kDpi / 25.4));
    bitmap.Canvas().FillRect({0, 0, kSide, kSide}, gdi::SolidBrush(0xFFFFFF));
    LastCircleDrawTime = 0;
    DrawLabel(bitmap, d.text, d.top, d.bottom);
    const QImage bitmapImage = bitmap.Bitmap().image().copy();
    ASSERT_TRUE(bitmapImage.save("/tmp/rtf-bitmap.png"));

    // The same with glyph outlines on the circle, as after a slow draw.
    TBmpScaleCanvas outlines;
    outlines.SetSize(kSide, kSide);
    outlines.Reset(kResetScreen);
    outlines.SetZoom(kDpi / 96.0f);
    outlines.SetDeviceOffsetX(Round(kOrigin * kDpi / 25.4));
    outlines.SetDeviceOffsetY(Round(kOrigin * kDpi / 25.4));
    outlines.Canvas().FillRect({0, 0, kSide, kSide}, gdi::SolidBrush(0xFFFFFF));
    LastCircleDrawTime = 1000;
    DrawLabel(outlines, d.text, d.top, d.bottom);
    LastCircleDrawTime = 0;
    ASSERT_TRUE(outlines.Bitmap().image().save("/tmp/rtf-outlines.png"));

    // The PDF printer: page millimetres are the same millimetres.
    ASSERT_TRUE(gdi::SelectPrinter(gdi::PdfPrinterName()));
    gdi::Printer& printer = gdi::CurrentPrinter();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath("label.pdf");
    printer.SetOutputFile(pdf.toStdString());
    ASSERT_TRUE(printer.BeginDoc("Label text"));
    {
        TScaleCanvas page(&printer.GetCanvas());
        page.Reset(kResetPrinter);
        DrawLabel(page, d.text, d.top, d.bottom);
    }
    ASSERT_TRUE(printer.EndDoc());
    if (!test::HavePdfRenderer()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const int offset = Round(kOrigin * kDpi / 25.4);
    const test::GrayPage rendered = test::RenderPdf(pdf, kDpi, offset, offset, kSide, kSide);
    ASSERT_EQ(rendered.width, kSide);
    QImage pdfImage(reinterpret_cast<const uchar*>(rendered.pixels.constData()), kSide, kSide, kSide,
                    QImage::Format_Grayscale8);
    ASSERT_TRUE(pdfImage.save("/tmp/rtf-pdf.png"));

    // Line by line, the straight boxes hold the same lines on both devices:
    // the same number of lines at the same heights, each as wide.
    const Ink a = InkOfBitmap(bitmapImage), b = InkOfPage(rendered);
    for (const Box& box : {kCell, kJustified}) {
        const int l = Px(box.cx - box.w / 2) + 3, t = Px(box.cy - box.h / 2) + 3;
        const int r = Px(box.cx + box.w / 2) - 3, bottom = Px(box.cy + box.h / 2) - 3;
        const auto bandsA = a.Bands(l, t, r, bottom), bandsB = b.Bands(l, t, r, bottom);
        ASSERT_EQ(bandsA.size(), bandsB.size()) << box.cx;
        EXPECT_GE(bandsA.size(), 5u);
        for (size_t i = 0; i < bandsA.size(); ++i) {
            EXPECT_NEAR(bandsA[i].top, bandsB[i].top, 4) << i;
            EXPECT_NEAR(bandsA[i].left, bandsB[i].left, 4) << i;
            EXPECT_NEAR(bandsA[i].right, bandsB[i].right, 4) << i;
        }
    }
    // Ink on the circle's top and bottom on both.
    for (const Ink* ink : {&a, &b}) {
        const int cx = Px(kCircleX), cy = Px(kCircleY), r = Round(kRadius * kDpi / 25.4);
        EXPECT_FALSE(ink->Bands(cx - r / 2, cy - r + 20, cx + r / 2, cy - r / 2).empty());
        EXPECT_FALSE(ink->Bands(cx - r / 2, cy + r / 2, cx + r / 2, cy + r - 20).empty());
    }
}

}  // namespace
