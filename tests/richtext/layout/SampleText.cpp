// The two-page sample text.
#include "SampleText.h"

#include "LayoutFixtures.h"

#include "foundation/Rounding.h"
#include "richtext/model/RtRTFNumberingStyle.h"
#include "richtext/model/RtSpecialTextProperty.h"
#include "richtext/model/TextHeader.h"

int32_t TSampleText::GetNumberLabelWidth(const TParagraph* par, const TLine* line) {
    if (!par->numberStyle || (line && line->prev) || par->firstIndent >= 0) return 0;
    return MulDiv(-par->firstIndent, Header().LayoutResX, 1440);
}

namespace {

struct TSampleRun {
    std::string text;
    uint8_t font = 0;
    uint8_t size = 10;
    uint32_t style = 0;
};

void AddSampleParagraph(TRtRTFTextPaint& text, const std::vector<TSampleRun>& runs) {
    std::string chars;
    std::vector<TAttr> attrs;
    for (const TSampleRun& r : runs) {
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
TParagraph* SampleChain(TRtRTFTextPaint& text, const std::string& s, uint8_t font) {
    TAttr a;
    a.font = font;
    a.size = 9;
    a.style = afsItalic;
    TParagraph* p = MakeChain(text, {s}, a);
    p->align = paralCenter;
    return p;
}

}  // namespace

void BuildSample(TRtRTFTextPaint& text) {
    TTextHeader& h = text.Header();
    const uint8_t sans = uint8_t(h.GetFontIndex("Arial"));
    const uint8_t serif = uint8_t(h.GetFontIndex("Times New Roman"));
    AddSampleParagraph(text, {{"Zorbit label texts", serif, 20, afsBold}});
    text.ParagraphByIndex(0)->align = paralCenter;
    AddSampleParagraph(text, {{"This paragraph is justified: its lines reach both edges of the text area, and the blanks "
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
        AddSampleParagraph(text, {{row, sans}});
        text.GetLastParagraph()->tabs = tabs;
    }
    const int32_t numbered = text.NumberStyles().FindOrAddStyle(rt_1, "", 1, 0, false, 0, 360, "", ".");
    for (const char* item : {"Choose the stationery.", "Write the text; the list numbers itself.",
                             "Print the sheet."}) {
        AddSampleParagraph(text, {{item, sans}});
        TParagraph* p = text.GetLastParagraph();
        p->numberStyle = int16_t(numbered);
        p->numberLevel = 1;
        p->leftIndent = 720;
        p->firstIndent = -360;
    }
    AddSampleParagraph(text, {{"The table of the second page", serif, 14, afsBold | afsItalic}});
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
    AddSampleParagraph(text, {{"A closing line in italics after the table.", serif, 12, afsItalic}});
    text.GetOrAddHeaderFooter(rtraOnAllPages, rtIsHeader)->SetParagraphs(SampleChain(text, "Zorbit - header", sans));
    text.GetOrAddHeaderFooter(rtraOnAllPages, rtIsFooter)->SetParagraphs(SampleChain(text, "footer of every page", serif));
    text.UpdateNumbering();
}

