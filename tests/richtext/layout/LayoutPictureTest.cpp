// A two-page sample laid out on the reference device and drawn with its
// line boxes on a bitmap by a small painter of this test: pages, margins,
// header and footer, each line's box and base line, and the characters at
// their measured places. With ZORBIT_SCREENSHOTS set the picture is saved
// there as richtext-layout-sample.png.
#include "LayoutFixtures.h"
#include "SampleText.h"

#include "foundation/CharsetText.h"
#include "foundation/Rounding.h"
#include "platform/gdi/BitmapCanvas.h"
#include "richtext/layout/RtRTFTextPaint.h"
#include "richtext/model/RtRTFNumberingStyle.h"
#include "richtext/model/RtSpecialTextProperty.h"
#include "richtext/model/TextHeader.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>

#include <cstdlib>

namespace {

// Draws a text's lines; all values are layout pixels, which the zoom mapping takes to the bitmap.
class TLineBoxPainter {
public:
    TLineBoxPainter(TSampleText& text, gdi::Canvas& canvas) : text_(text), canvas_(canvas) {}

    void PaintPages() {
        const TTextHeader& h = text_.Header();
        int32_t page = -1;
        for (TParagraph* p = text_.FirstPar(); p; p = p->next) {
            for (TLine* l = p->firstLine; l; l = l->next) {
                if (l->pageNumber == page) continue;
                page = l->pageNumber;
                const int32_t top = l->yPos - h.TopMarginPx - text_.HeaderFooterSets()[page == 0 ? 0 : 2].headerSpace;
                PaintPage(top);
            }
        }
        PaintChain(text_.FirstPar(), h.LeftMarginPx, 0);
    }

private:
    TSampleText& text_;
    gdi::Canvas& canvas_;

    void Frame(int32_t l, int32_t t, int32_t r, int32_t b, gdi::Color color, gdi::PenStyle style) {
        gdi::Pen pen;
        pen.style = style;
        pen.color = color;
        canvas_.SetPen(pen);
        canvas_.SetBrush(gdi::NullBrush());
        canvas_.Rectangle(l, t, r, b);
    }

    void PaintPage(int32_t top) {
        const TTextHeader& h = text_.Header();
        canvas_.FillRect({0, top, h.PageWidthPx, top + h.PageHeightPx}, gdi::SolidBrush(gdi::Rgb(255, 255, 255)));
        Frame(0, top, h.PageWidthPx, top + h.PageHeightPx, gdi::Rgb(90, 90, 90), gdi::PenStyle::Solid);
        Frame(h.LeftMarginPx, top + h.TopMarginPx, h.PageWidthPx - h.RightMarginPx,
              top + h.PageHeightPx - h.BottomMarginPx, gdi::Rgb(190, 190, 190), gdi::PenStyle::Dot);
        for (const auto& item : text_.HeaderFooters().Items()) {
            const bool header = item->Kind == rtIsHeader;
            const int32_t y = header ? top + h.MarginHeaderPx
                                     : top + h.PageHeightPx - h.MarginFooterPx - item->Height();
            PaintChain(item->Paragraphs(), h.LeftMarginPx, y);
        }
    }

    void PaintChain(TParagraph* first, int32_t left, int32_t top) {
        for (TParagraph* p = first; p; p = p->next) {
            for (TLine* l = p->firstLine; l; l = l->next) PaintLine(p, l, left, top);
        }
    }

    void PaintLine(TParagraph* p, TLine* line, int32_t left, int32_t top) {
        const int32_t edge = left + text_.GetParLeft(p);
        const int32_t right = left + text_.GetParRight(p) - text_.GetRightIndentPixels(p);
        const int32_t indent = edge + text_.GetIndentPixels(p, line);
        int32_t x = indent + text_.GetNumberLabelWidth(p, line);
        int32_t width = 0;
        for (uint32_t i = 0; i < line->Length(); ++i) width += line->WidthAt(i);
        if (line->justAdd) width = right - x;
        if (p->align == paralCenter) x += (right - x - width) / 2;
        if (p->align == paralRight) x = right - width;
        const int32_t y = top + line->yPos;
        const int32_t base = y + line->baseLine;
        Frame(x, y, x + std::max(width, 2), y + line->height, gdi::Rgb(120, 160, 230), gdi::PenStyle::Solid);
        gdi::Pen baseLinePen;
        baseLinePen.color = gdi::Rgb(230, 140, 60);
        canvas_.SetPen(baseLinePen);
        canvas_.MoveTo(x, base);
        canvas_.LineTo(x + width, base);
        if (!line->prev && p->numberStyle) {
            TRtRTFNumberingStyle* style = nullptr;
            const std::string number = text_.GetNumberText(p, style);
            const TAttr a = text_.GetAttr(line, 0);
            text_.ApplyAttrToCanvas(&a);
            canvas_.SetTextAlign(gdi::TA_BASELINE);
            canvas_.SetBkMode(gdi::BkMode::Transparent);
            canvas_.TextOut(indent, base, CharsetToWide(number, 1));
        }
        int32_t stretched = 0;
        for (uint32_t i = 0; i < line->Length(); ++i) {
            const char ch = line->CharAt(i);
            const TAttr a = text_.GetAttr(line, int32_t(i));
            int32_t w = a.width;
            if (ch == ' ' && line->justAdd && int32_t(i) >= line->justFirst && i + 1 < line->Length()) {
                w = line->justAdd + (stretched++ < line->justRest ? 1 : 0);
            }
            if (uint8_t(ch) > ' ') {
                text_.ApplyAttrToCanvas(&a);
                canvas_.SetTextAlign(gdi::TA_BASELINE);
                canvas_.SetBkMode(gdi::BkMode::Transparent);
                canvas_.TextOut(x, base, CharsetToWide(std::string(1, ch), 1));
            }
            x += w;
        }
    }
};

}  // namespace

TEST(LayoutPicture, TwoPageSampleWithItsLineBoxes) {
    constexpr int32_t kZoom = 75;
    gdi::BitmapCanvas canvas(0, 0, 96);
    TSampleText text;
    text.LayoutFlags = rtlayLayout;
    text.Zoom = kZoom;
    text.SetCanvas(&canvas);
    BuildSample(text);
    text.Reformat();
    ASSERT_EQ(text.PageCount, 2);
    const TTextHeader& h = text.Header();
    const int32_t height = text.ScaleByZoom(text.GetTextHeight() + h.PageHeightPx);
    canvas.SetSize(text.ScaleByZoom(h.PageWidthPx), height);
    canvas.FillRect({0, 0, text.ScaleByZoom(h.PageWidthPx), height}, gdi::SolidBrush(gdi::Rgb(160, 160, 160)));
    text.PrepareCanvasMapping(true);
    TLineBoxPainter(text, canvas).PaintPages();

    // The justified paragraph fills its lines; the centred title is one line.
    const TParagraph* justified = text.ParagraphByIndex(1);
    int32_t lines = 0;
    for (const TLine* l = justified->firstLine; l; l = l->next) ++lines;
    ASSERT_GE(lines, 3);
    EXPECT_GT(justified->firstLine->justAdd, 0);
    EXPECT_EQ(text.ParagraphByIndex(0)->firstLine->next, nullptr);
    // Something was drawn in the text area of the first page.
    const QImage& image = canvas.bitmap().image();
    int32_t dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    }
    EXPECT_GT(dark, 2000);
    if (const char* folder = std::getenv("ZORBIT_SCREENSHOTS")) {
        QDir(QString::fromLocal8Bit(folder)).mkpath(QStringLiteral("."));
        image.save(QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("richtext-layout-sample.png")));
    }
}
