// The two-page sample painted by the engine itself in the page view, with a
// selection from inside the table to inside the closing paragraph, at zoom
// 100 and 200 on a bitmap. With ZORBIT_SCREENSHOTS set the pictures are
// saved there as richtext-paint-<zoom>.png.
#include "LayoutFixtures.h"
#include "SampleText.h"

#include "platform/gdi/BitmapCanvas.h"
#include "richtext/model/TextHeader.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>

#include <cstdlib>

namespace {

QImage PaintSample(int32_t zoom, int32_t& selectedPixels) {
    gdi::BitmapCanvas canvas(0, 0, 96);
    TSampleText text;
    text.LayoutFlags = rtlayFullLayout;
    text.WordWrap = false;
    text.Zoom = zoom;
    text.SetCanvas(&canvas);
    BuildSample(text);
    const TTextHeader& h = text.Header();
    text.EditorPageGap = 120;  // layout pixels left of the page
    text.LeftOffset = text.EditorPageGap + h.LeftMarginPx;
    text.Reformat();
    EXPECT_EQ(text.PageCount, 2);
    // From the second cell of the table's first row to the middle of the closing paragraph.
    TParagraph* cell = nullptr;
    for (TParagraph* p = text.FirstPar(); p && !cell; p = p->next) {
        if (p->IsCell() && p->Has(pfPrevCell)) cell = p;
    }
    TParagraph* closing = text.GetLastParagraph();
    text.SelStart = {cell, cell->firstLine, 4};
    text.SelEnd = {closing, closing->firstLine, 17};
    text.MarkSelectedLines();

    const int32_t width = text.ScaleByZoom(h.PageWidthPx + 2 * text.EditorPageGap);
    const int32_t height = text.ScaleByZoom(text.GetTextHeight() + text.PageGapHalf * 2);
    canvas.SetSize(width, height);
    text.VisibleWidth = width;
    text.VisibleHeight = height;
    text.VisibleLayoutWidth = text.UnscaleByZoom(width);
    text.PaintWindow();
    const QImage image = canvas.bitmap().image();
    const QRgb selection = qRgb(gdi::RedOf(text.SelectionColor), gdi::GreenOf(text.SelectionColor),
                                gdi::BlueOf(text.SelectionColor));
    selectedPixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) selectedPixels += (image.pixel(x, y) & 0xFFFFFF) == (selection & 0xFFFFFF);
    }
    return image;
}

}  // namespace

TEST(PaintPicture, TwoPageSampleWithASelectionAcrossTheTable) {
    int32_t selected100 = 0;
    int32_t selected200 = 0;
    const QImage at100 = PaintSample(100, selected100);
    const QImage at200 = PaintSample(200, selected200);
    EXPECT_GT(selected100, 1000);
    // Twice the zoom, about four times the selected area.
    EXPECT_NEAR(double(selected200) / selected100, 4.0, 0.6);
    EXPECT_NEAR(double(at200.width()) / at100.width(), 2.0, 0.02);
    if (const char* folder = std::getenv("ZORBIT_SCREENSHOTS")) {
        const QDir dir(QString::fromLocal8Bit(folder));
        dir.mkpath(QStringLiteral("."));
        at100.save(dir.filePath(QStringLiteral("richtext-paint-100.png")));
        at200.save(dir.filePath(QStringLiteral("richtext-paint-200.png")));
    }
}
