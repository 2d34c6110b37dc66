#include "richtext/model/ModelFixtures.h"

#include "foundation/Stream.h"
#include "richtext/formats/RtFormatClasses.h"
#include "richtext/layout/RtRTFTextIo.h"
#include "richtext/model/TextHeader.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct TRtfText {
    TRtRTFTextIo text;
    TRtfText() {
        RegisterRtFormatClasses();
        text.Header().RichMode = true;
        text.FreeAllParagraphs(true);
        text.TextLoadFormat = text.TextSaveFormat = "RTF";
    }
    std::string Save() {
        TMemoryStream out;
        EXPECT_TRUE(text.SaveToStream(out));
        return std::string(out.Bytes().begin(), out.Bytes().end());
    }
    void Load(const std::string& rtf) {
        TMemoryStream in(std::vector<uint8_t>(rtf.begin(), rtf.end()));
        ASSERT_TRUE(text.LoadFromStream(in));
    }
    void Format(int32_t par, int32_t from, int32_t to, const TAttr& attr) {
        for (int32_t i = from; i < to; ++i) {
            int32_t at = i;
            TLine* line = TRtRTFText::LocateInParagraph(text.ParagraphByIndex(par), at);
            text.PutAttr(line, at, attr);
        }
    }
};

TAttr RunAttr(uint8_t font, uint8_t size, uint32_t style = 0, uint8_t color = 0, uint8_t back = 0) {
    TAttr a;
    a.font = font;
    a.size = size;
    a.style = style;
    a.textColor = color;
    a.backColor = back;
    return a;
}

// What the RTF form keeps of a text, as comparable values.
struct TKept {
    std::vector<std::string> paragraphs;
    std::vector<std::tuple<int, int, int, int, int, int, int, uint32_t>> parProps;
    std::vector<std::set<std::pair<int32_t, uint8_t>>> tabs;
    std::vector<std::tuple<uint32_t, std::string, int, uint32_t, uint32_t>> chars;
    std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool> page;
    bool operator==(const TKept&) const = default;
};

TKept Kept(TRtRTFText& text) {
    const TTextHeader& h = text.Header();
    TKept k;
    constexpr uint32_t kKeptFlags = pfPageBreak | pfKeepTogether | pfMultSpacing;
    for (const TParagraph* p = text.FirstPar(); p; p = p->next) {
        k.paragraphs.push_back(TRtRTFText::ParagraphString(p));
        k.parProps.emplace_back(p->align, p->leftIndent, p->rightIndent, p->firstIndent, p->spaceBefore,
                                p->spaceAfter, p->lineSpacing, p->flags & kKeptFlags);
        std::set<std::pair<int32_t, uint8_t>> tabs;
        for (int slot = 0; slot < kTabSlots; ++slot) {
            if (p->tabs & (uint64_t(1) << slot)) tabs.emplace(h.Tabs[size_t(slot)].position, h.Tabs[size_t(slot)].kind);
        }
        k.tabs.push_back(tabs);
        for (const TLine* l = p->firstLine; l; l = l->next) {
            for (uint32_t i = 0; i < l->Length(); ++i) {
                const TAttr a = text.GetAttr(l, int32_t(i));
                k.chars.emplace_back(a.style, h.Fonts[a.font].name, a.size, h.Colors[a.textColor].Rgb(),
                                     h.Colors[a.backColor].Rgb());
            }
        }
    }
    k.page = {h.PageWidth(), h.PageHeight(), h.LeftMargin(), h.RightMargin(), h.TopMargin(), h.BottomMargin(),
              h.Landscape()};
    return k;
}

}  // namespace

TEST(RtfWriter, RoundTripGivesAnEqualTextAndTheSameBytes) {
    TRtfText source;
    TTextHeader& h = source.text.Header();
    h.Fonts[0] = {"Arial", 0x20, 0};
    h.Fonts[1] = {"Times New Roman", 0x10, 0};
    h.Fonts[2] = {"Odd; {Name}\\", 0, 0};
    h.Colors[16] = {10, 200, 30, 1};
    h.SetPageWidth(11906);
    h.SetPageHeight(16838);
    h.SetLeftMargin(1134);
    h.SetTopMargin(850);
    Fill(source.text, {"Titel \xc4\xd6\xdc \x80", "plain {braces} \\ back\tslash", "", "last line"});
    source.Format(0, 0, 5, RunAttr(1, 18, afsBold, 4));
    source.Format(0, 5, 10, RunAttr(0, 11, afsItalic | afsUnderline, 16, 7));
    source.Format(1, 0, 5, RunAttr(2, 9, afsStrikeOut | afsSuper));
    source.Format(1, 5, 27, RunAttr(0, 11, afsHidden | afsSub | afsProtected));
    source.Format(3, 0, 9, RunAttr(0, 12, afsHyperLink));
    TParagraph* title = source.text.ParagraphByIndex(0);
    title->align = paralCenter;
    title->spaceAfter = 240;
    title->flags |= pfKeepTogether;
    TParagraph* second = source.text.ParagraphByIndex(1);
    second->leftIndent = 720;
    second->firstIndent = -360;
    second->rightIndent = 180;
    second->spaceBefore = 120;
    second->lineSpacing = 360;
    second->flags |= pfMultSpacing;
    second->tabs = uint64_t(1) << h.AddTab(1440, 0) | uint64_t(1) << h.AddTab(4320, 1) | uint64_t(1) << h.AddTab(5000, 3);
    source.text.ParagraphByIndex(3)->flags |= pfPageBreak;
    source.text.ParagraphByIndex(3)->align = paralBlock;

    const std::string rtf = source.Save();
    EXPECT_NE(rtf.find("\\'c4\\'d6\\'dc"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\{braces\\} \\\\ back\\tab slash"), std::string::npos);
    EXPECT_NE(rtf.find("Odd\\'3b \\{Name\\}\\\\;}"), std::string::npos) << "a font name is escaped";
    for (const char c : rtf) EXPECT_TRUE(uint8_t(c) < 128) << "the output is 7-bit";

    TRtfText copy;
    copy.Load(rtf);
    EXPECT_EQ(Kept(copy.text), Kept(source.text));
    EXPECT_EQ(copy.Save(), rtf);
}

TEST(RtfWriter, EmptyParagraphKeepsItsFont) {
    TRtfText source;
    source.text.Header().Fonts[0] = {"Arial", 0, 0};
    source.text.Header().Fonts[1] = {"Courier New", 0x30, 0};
    Fill(source.text, {"a", ""});
    source.text.ParagraphByIndex(1)->markAttr = RunAttr(1, 16);
    TRtfText copy;
    copy.Load(source.Save());
    const TAttr mark = copy.text.ParagraphByIndex(1)->markAttr;
    EXPECT_EQ(copy.text.Header().Fonts[mark.font].name, "Courier New");
    EXPECT_EQ(mark.size, 16);
}

TEST(RtfWriter, HardLineBreaksEndEveryLineOfEveryParagraph) {
    TRtfText source;
    source.text.Header().StoreOptions |= OptionBit(soHardLineBreaks);
    Fill(source.text, {"ab", "cd"});
    for (TParagraph* p = source.text.FirstPar(); p; p = p->next) source.text.SplitLinePiece(p->firstLine, 1);
    const std::string rtf = source.Save();
    TRtfText copy;
    copy.Load(rtf);
    EXPECT_EQ(TextOf(copy.text), "a|b|c|d") << rtf;
}

TEST(RtfWriter, ShortWriteReportsFive) {
    class TShortStream : public TMemoryStream {
    public:
        int64_t Write(const void* data, int64_t count) override {
            return TMemoryStream::Write(data, std::min<int64_t>(count, 5));
        }
    };
    TRtfText source;
    Fill(source.text, {"a"});
    TShortStream out;
    EXPECT_FALSE(source.text.SaveToStream(out));
    EXPECT_EQ(source.text.LastIOResult, 5);
}
