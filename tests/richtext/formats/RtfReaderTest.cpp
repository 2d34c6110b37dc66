#include "richtext/model/ModelFixtures.h"

#include "foundation/Stream.h"
#include "richtext/formats/RtFormatClasses.h"
#include "richtext/formats/RtRtfReader.h"
#include "richtext/layout/RtRTFTextIo.h"
#include "richtext/model/RtEngineErrors.h"
#include "richtext/model/TextHeader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A model in attribute mode read from RTF by the reader alone.
struct TRtfRead {
    TRtRTFText text;
    TRtRtfReader reader;
    TMemoryStream stream;

    explicit TRtfRead(const std::string& rtf) : stream(std::vector<uint8_t>(rtf.begin(), rtf.end())) {
        text.Header().RichMode = true;
        text.FreeAllParagraphs(true);
        reader.Text = &text;
        reader.Header = &text.Header();
        TParagraph* first = text.FirstPar();
        reader.Read(stream, first);
    }
    std::vector<std::string> Paragraphs() const {
        std::vector<std::string> result;
        for (const TParagraph* p = text.FirstPar(); p; p = p->next) result.push_back(TRtRTFText::ParagraphString(p));
        return result;
    }
    std::string All() const { return TextOf(text); }
    TAttr AttrAt(int32_t par, int32_t offset) const {
        const TParagraph* p = text.ParagraphByIndex(par);
        int32_t at = offset;
        const TLine* line = TRtRTFText::LocateInParagraph(p, at);
        return text.GetAttr(line, at);
    }
    const TParagraph& Par(int32_t index) const { return *text.ParagraphByIndex(index); }
    const TRtFontEntry& FontAt(int32_t par, int32_t offset) const {
        return text.Header().Fonts[AttrAt(par, offset).font];
    }
};

}  // namespace

TEST(RtfReader, TextGroupsAndEscapes) {
    struct Case {
        std::string rtf;
        std::string text;  // paragraphs joined by "|"
    };
    const Case cases[] = {
        {"{\\rtf1 a}b", "a"},
        {"{\\rtf1 {\\*\\xyz x}y}", "y"},
        {"{\\rtf1 {\\xyz x}y}", "xy"},
        {"{\\rtf1 \\'e4\\'C4}", "\xe4\xc4"},
        {"{\\rtf1 a\\line b\\par c}", "a\nb|c"},
        {"{\\rtf1 a\\tab b\\{\\}\\\\}", "a\tb{}\\"},
        {"{\\rtf1 \\ldblquote x\\rdblquote  \\emdash\\_\\emspace}", "\"x\" \x96\x96\xa0"},
        {"{\\rtf1 one\r\ntwo\\par\r\n three}", "onetwo| three"},
        {"{\\rtf1 {\\info{\\title T}}{\\*\\generator G;}body}", "body"},
        {"{\\rtf1 a\\abcdefghijklmnopqrstuvwxyzabcdefgh b}", "ab"},
        // Unicode characters become the font charset's byte; the fallback goes.
        {"{\\rtf1 \\u228?\\u8364?\\uc2\\u252xy!}", "\xe4\x80\xfc!"},
        {"{\\rtf1 \\u-3913?}", "?"},
        {"{\\rtf1{\\fonttbl{\\f0\\fcharset204 Arial Cyr;}}\\f0 \\u1058\\'d2}", "\xd2"},
        // Mends: a bad hex escape is skipped and reading goes on.
        {"{\\rtf1 a\\'zzb\\'4gc}", "azzbgc"},
        {"{\\rtf1 a\\bin3 {}\\b}", "ab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rtf);
        TRtfRead r(c.rtf);
        EXPECT_EQ(r.reader.Result, 0);
        EXPECT_EQ(r.All(), c.text);
    }
}

TEST(RtfReader, StopsAtTheClosingBraceOfTheDocument) {
    TRtfRead r("{\\rtf1 a}bc");
    EXPECT_EQ(r.stream.Position(), 9);
}

TEST(RtfReader, HostileInputEndsWithResultFiveAndKeepsTheText) {
    const std::string deep = "{\\rtf1 kept" + std::string(5000, '{') + "x";
    for (const std::string& rtf : {std::string("{\\rtf1 kept\\bin-1 x}"), std::string("{\\rtf1 kept\\bin99 x}"), deep,
                                   std::string("{\\rtf1 kept\\")}) {
        SCOPED_TRACE(rtf.substr(0, 24));
        TRtfRead r(rtf);
        EXPECT_EQ(r.reader.Result, 5);
        EXPECT_EQ(r.All(), "kept");
    }
}

TEST(RtfReader, CharacterFormatting) {
    TRtfRead r("{\\rtf1{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss\\fcharset0 Arial;}"
               "{\\f2 Symbol;}{\\f3 Unused;}}"
               "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
               "\\f1\\fs21 a\\b b\\b0\\i c\\plain d\\ul\\strike e\\ulnone\\strike0\\super f\\nosupersub"
               "\\cf1 g\\cf255 h\\cf9 i\\cb2 j\\f2 k\\fs k\\fs1000 l}");
    ASSERT_EQ(r.All(), "abcdefghijkkl");
    const TTextHeader& h = r.text.Header();
    EXPECT_EQ(r.FontAt(0, 0).name, "Arial");
    EXPECT_EQ(r.AttrAt(0, 0).size, 10) << "fs21 is 10 points";
    EXPECT_EQ(r.AttrAt(0, 1).style, afsBold);
    EXPECT_EQ(r.AttrAt(0, 2).style, afsItalic);
    EXPECT_EQ(r.FontAt(0, 3).name, "Times New Roman") << "plain takes font 0";
    EXPECT_EQ(r.AttrAt(0, 3).size, 0);
    EXPECT_EQ(r.AttrAt(0, 4).style, afsUnderline | afsStrikeOut);
    EXPECT_EQ(r.AttrAt(0, 5).style, afsSuper);
    EXPECT_EQ(h.Colors[r.AttrAt(0, 6).textColor].Rgb(), 0x0000FFu);
    EXPECT_EQ(r.AttrAt(0, 7).textColor, r.AttrAt(0, 6).textColor) << "cf255 is ignored";
    EXPECT_EQ(r.AttrAt(0, 8).textColor, r.AttrAt(0, 6).textColor) << "an unmapped colour is ignored";
    EXPECT_EQ(h.Colors[r.AttrAt(0, 9).backColor].Rgb(), 0xFF0000u);
    EXPECT_EQ(r.FontAt(0, 10).charset, 2) << "Symbol is a symbol font whatever its charset";
    EXPECT_EQ(r.AttrAt(0, 11).size, 50) << "fs without a value";
    EXPECT_EQ(r.AttrAt(0, 12).size, 255) << "clamped to its byte";
    for (const TRtFontEntry& f : h.Fonts) EXPECT_NE(f.name, "Unused") << "a font the text never used is dropped";
}

TEST(RtfReader, ParagraphFormatting) {
    TRtfRead r("{\\rtf1\\paperw11906\\paperh16838\\margl1134\\margr1134\\deftab709 "
               "\\pard\\li720\\ri360\\fi-360\\sb120\\sa240\\sl1000\\qc5\\keep\\tx1440\\tqr\\tx5000 a\\par "
               "b\\par\\pard\\qj c\\sect d\\page\\par\\pard\\sl-300\\slmult0 e}");
    ASSERT_EQ(r.Paragraphs(), (std::vector<std::string>{"a", "b", "c", "d", "", "e"}));
    const TParagraph& a = r.Par(0);
    EXPECT_EQ(a.leftIndent, 720);
    EXPECT_EQ(a.rightIndent, 360);
    EXPECT_EQ(a.firstIndent, -360);
    EXPECT_EQ(a.spaceBefore, 120);
    EXPECT_EQ(a.spaceAfter, 240);
    EXPECT_EQ(a.lineSpacing, 0) << "sl1000 is automatic spacing";
    EXPECT_EQ(a.align, paralCenter) << "qc ignores its value";
    EXPECT_TRUE(a.Has(pfKeepTogether));
    const TTextHeader& h = r.text.Header();
    std::vector<std::pair<int32_t, uint8_t>> tabs;
    for (int slot = 0; slot < kTabSlots; ++slot) {
        if (a.tabs & (uint64_t(1) << slot)) tabs.emplace_back(h.Tabs[size_t(slot)].position, h.Tabs[size_t(slot)].kind);
    }
    std::sort(tabs.begin(), tabs.end());
    ASSERT_EQ(tabs.size(), 2u);
    EXPECT_EQ(tabs[1].second, 1) << "tqr makes the next tab a right tab";
    EXPECT_EQ(r.Par(1).leftIndent, 720) << "a paragraph keeps the properties until pard";
    EXPECT_EQ(r.Par(2).align, paralBlock);
    EXPECT_EQ(r.Par(2).leftIndent, 0);
    EXPECT_TRUE(r.Par(3).Has(pfPageBreak)) << "sect breaks the page before the next paragraph";
    EXPECT_TRUE(r.Par(4).Has(pfPageBreak));
    EXPECT_FALSE(r.Par(5).Has(pfPageBreak)) << "page at an empty paragraph marks only that one";
    EXPECT_EQ(r.Par(5).lineSpacing, -300);
    EXPECT_EQ(h.PageWidth(), 11906);
    EXPECT_EQ(h.PageHeight(), 16838);
    EXPECT_EQ(h.LeftMargin(), 1134);
    EXPECT_EQ(h.DefaultTabstop(), 709);
}

TEST(RtfReader, LoadsThroughTheRegistryByLookingAtTheData) {
    RegisterRtFormatClasses();
    TRtRTFTextIo text;
    text.Header().RichMode = true;
    const std::string rtf = "  {\\rtf1\\ansi {\\b bold} text\\par next}";
    TMemoryStream in(std::vector<uint8_t>(rtf.begin(), rtf.end()));
    ASSERT_TRUE(text.LoadFromStream(in));
    EXPECT_EQ(TextOf(text), "bold text|next");
}

TEST(RtfReader, ReadingWithoutATextIsRefused) {
    TRtRtfReader reader;
    TMemoryStream in;
    TParagraph* first = nullptr;
    EXPECT_THROW(reader.Read(in, first), ERtEngineModeError);
}
