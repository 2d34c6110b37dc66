// A two-page sample laid out on the reference device and drawn with its
// line boxes on a bitmap by a small painter of this test: pages, margins,
// header and footer, each line's box and base line, and the characters at
// their measured places. With ZORBIT_SCREENSHOTS set the picture is saved
// there as richtext-layout-sample.png.
#include "LayoutFixtures.h"

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

// The number label takes the hanging indent of a numbered paragraph's first line.
class TSampleText : public TRtRTFTextPaint {
public:
    int32_t GetNumberLabelWidth(const TParagraph* par, const TLine* line) override {
        if (!par->numberStyle || (line && line->prev) || par->firstIndent >= 0) return 0;
        return MulDiv(-par->firstIndent, Header().LayoutResX, 1440);
    }
};

struct TRun {
    std::string text;
    uint8_t font = 0;
    uint8_t size = 10;
    uint32_t style = 0;
};

void AddParagraph(TRtRTFTextPaint& text, const std::vector<TRun>& runs) {
    std::string chars;
    std::vector<TAttr> attrs;
    for (const TRun& r : runs) {
        TAttr a;
        a.font = r.font;
        a.size = r.size;
        a.style = r.style;
        chars += r.text;
        attrs.insert(attrs.end(), r.text.size(), a);
    }
    const bool first = text.IsEmpty() && text.CountParagraphs() == 0;
    const int32_t index = first ? 0 : text.CountParagraphs() + 1;
    text.InsertParagraphText(index, chars.c_str(), attrs.data(), int32_t(chars.size()));
}

// A centred line of 9-point italics.
TParagraph* Chain(TRtRTFTextPaint& text, const std::string& s, uint8_t font) {
    TAttr a;
    a.font = font;
    a.size = 9;
    a.style = afsItalic;
    TParagraph* p = MakeChain(text, {s}, a);
    p->align = paralCenter;
    return p;
}

// Builds the sample: two fonts, bold and italic, a centred and a justified
// paragraph, the four kinds of tab, a numbered list, a table of 3 x 2 cells,
// a header and a footer, and a hard break to the second page.
void BuildSample(TRtRTFTextPaint& text) {
    TTextHeader& h = text.Header();
    const uint8_t sans = uint8_t(h.GetFontIndex("Arial"));
    const uint8_t serif = uint8_t(h.GetFontIndex("Times New Roman"));
    AddParagraph(text, {{"Zorbit label texts", serif, 20, afsBold}});
    text.ParagraphByIndex(0)->align = paralCenter;
    AddParagraph(text, {{"This paragraph is justified: its lines reach both edges of the text area, and the blanks "
                         "between its words grow so that every line but the last one ends at the right margin. ",
                         sans},
                        {"Some words are bold, ", sans, 10, afsBold},
                        {"some italic, ", sans, 10, afsItalic},
                        {"and some in the serif face, before the text goes on for a few more lines to show "
                         "how the layout breaks them at the same characters on every device.",
                         serif, 11}});
    TParagraph* justified = text.ParagraphByIndex(1);
    justified->align = paralBlock;
    justified->spaceAfter = 120;
    h.NoTabRounding = true;
    const int32_t left = h.AddTab(1440, 0);
    h.NoTabRounding = true;
    const int32_t centre = h.AddTab(3600, 2);
    h.NoTabRounding = true;
    const int32_t right = h.AddTab(5760, 1);
    h.NoTabRounding = true;
    const int32_t decimal = h.AddTab(7200, 3);
    h.SortTabs();
    const uint64_t tabs = (uint64_t(1) << left) | (uint64_t(1) << centre) | (uint64_t(1) << right) |
                          (uint64_t(1) << decimal);
    for (const char* row : {"Item\tleft\tcentred\tright\t12.50", "Labels\tA4\tthree across\t24 a sheet\t1234.5",
                            "Cards\tLetter\ttwo across\t10 a sheet\t7.25"}) {
        AddParagraph(text, {{row, sans}});
        text.GetLastParagraph()->tabs = tabs;
    }
    const int32_t numbered = text.NumberStyles().FindOrAddStyle(rt_1, "", 1, 0, false, 0, 360, "", ".");
    for (const char* item : {"Choose the stationery.", "Write the text; the list numbers itself.",
                             "Print the sheet."}) {
        AddParagraph(text, {{item, sans}});
        TParagraph* p = text.GetLastParagraph();
        p->numberStyle = int16_t(numbered);
        p->numberLevel = 1;
        p->leftIndent = 720;
        p->firstIndent = -360;
    }
    AddParagraph(text, {{"The table of the second page", serif, 14, afsBold | afsItalic}});
    TParagraph* heading = text.GetLastParagraph();
    heading->flags |= pfPageBreak;
    heading->numberStyle = 0;
    heading->leftIndent = heading->firstIndent = 0;
    for (int r = 0; r < 2; ++r) {
        std::vector<TRtRowCell> cells(3);
        for (int c = 0; c < 3; ++c) {
            cells[size_t(c)].text = "Row " + std::to_string(r + 1) + ", cell " + std::to_string(c + 1) +
                                    (c == 1 && r == 0 ? " holds a longer text that takes two lines" : "");
            cells[size_t(c)].attr.font = sans;
            cells[size_t(c)].attr.size = 10;
            cells[size_t(c)].border.flags = bfOn | bfBox;
        }
        TParagraph* last = text.GetLastParagraph();
        text.ApplyRowRecord(last, 3, cells.data());
    }
    AddParagraph(text, {{"A closing line in italics after the table.", serif, 12, afsItalic}});
    text.GetOrAddHeaderFooter(rtraOnAllPages, rtIsHeader)->SetParagraphs(Chain(text, "Zorbit - header", sans));
    text.GetOrAddHeaderFooter(rtraOnAllPages, rtIsFooter)->SetParagraphs(Chain(text, "footer of every page", serif));
    text.UpdateNumbering();
}

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
