#include "richtext/model/ModelFixtures.h"

#include "foundation/Stream.h"
#include "richtext/formats/RtFormatClasses.h"
#include "richtext/formats/RtTextReader.h"
#include "richtext/formats/RtTextWriter.h"
#include "richtext/layout/RtRTFTextIo.h"
#include "richtext/model/ParExtra.h"
#include "richtext/model/RtEngineErrors.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtObjectField.h"
#include "richtext/model/TextHeader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TMemoryStream StreamOf(const std::string& s) { return TMemoryStream(std::vector<uint8_t>(s.begin(), s.end())); }

std::string Bytes(TMemoryStream& stream) { return std::string(stream.Bytes().begin(), stream.Bytes().end()); }

std::vector<std::string> Paragraphs(const TRtRTFText& text) {
    std::vector<std::string> result;
    for (const TParagraph* p = text.FirstPar(); p; p = p->next) result.push_back(TRtRTFText::ParagraphString(p));
    return result;
}

std::vector<bool> PageBreaks(const TRtRTFText& text) {
    std::vector<bool> result;
    for (const TParagraph* p = text.FirstPar(); p; p = p->next) result.push_back(p->Has(pfPageBreak));
    return result;
}

// Runs the reader straight into an empty model, without the load operation's
// after-work, so that the stored line pieces can be looked at.
void ReadInto(TRtRTFText& text, TRtTextReader& reader, TStream& stream) {
    reader.Text = &text;
    reader.Header = &text.Header();
    reader.CurrentAttr = text.CurrentAttr;
    TParagraph* first = text.FirstPar();
    reader.Read(stream, first);
}

struct TPlainText {
    TRtRTFTextIo text;
    TPlainText() {
        RegisterRtFormatClasses();
        text.TextLoadFormat = "ANSI";
        text.TextSaveFormat = "ANSI";
        text.Header().StoreOptions |= OptionBit(soNoNULLChar);
    }
    void Load(const std::string& bytes) {
        TMemoryStream in = StreamOf(bytes);
        ASSERT_TRUE(text.LoadFromStream(in));
    }
    std::string Save() {
        TMemoryStream out;
        EXPECT_TRUE(text.SaveToStream(out));
        return Bytes(out);
    }
};

}  // namespace

TEST(PlainTextReader, BytesBecomeParagraphs) {
    struct Case {
        std::string bytes;
        bool formFeeds;
        std::vector<std::string> paragraphs;
        std::vector<bool> pageBreaks;
    };
    const Case cases[] = {
        {"a\r\nb", false, {"a", "b"}, {false, false}},
        {"a\nb", false, {"ab"}, {false}},
        {"a\rb\r", false, {"a", "b", ""}, {false, false, false}},
        {"a\fb", false, {"ab"}, {false}},
        {"a\fb", true, {"a", "b"}, {false, true}},
        {"\fa", true, {"a"}, {true}},
        {"c:\\dir\t\x80\xe4", false, {"c:\\dir\t\x80\xe4"}, {false}},
        {"", false, {""}, {false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        TRtRTFText text;
        if (c.formFeeds) text.Header().LoadOptions |= OptionBit(loANSIFormfeedCode);
        TRtTextReader reader;
        TMemoryStream in = StreamOf(c.bytes);
        ReadInto(text, reader, in);
        EXPECT_EQ(reader.Result, 0);
        EXPECT_EQ(Paragraphs(text), c.paragraphs);
        EXPECT_EQ(PageBreaks(text), c.pageBreaks);
    }
}

TEST(PlainTextReader, NulEndsTheTextAndLeavesTheStreamBehindIt) {
    TRtRTFText text;
    TRtTextReader reader;
    TMemoryStream in = StreamOf(std::string("ab\0cd", 5));
    ReadInto(text, reader, in);
    EXPECT_EQ(Paragraphs(text), std::vector<std::string>{"ab"});
    EXPECT_EQ(in.Position(), 3);
}

TEST(PlainTextReader, LongParagraphGrowsByLinesThatAreShrunkAtItsEnd) {
    TRtRTFText text;
    TRtTextReader reader;
    const std::string long1000(1000, 'x');
    TMemoryStream in = StreamOf(long1000 + "\r\n" + "y");
    ReadInto(text, reader, in);
    ASSERT_EQ(Paragraphs(text), (std::vector<std::string>{long1000, "y"}));
    const TParagraph* p = text.FirstPar();
    int lines = 0;
    for (const TLine* l = p->firstLine; l; l = l->next, ++lines) {
        EXPECT_LE(l->Length(), 204u);
        EXPECT_LE(l->Capacity(), l->Length() + 3) << "shrunk to its length plus 2, rounded up to even";
    }
    EXPECT_GE(lines, 5);
    EXPECT_LT(p->firstLine->Length(), 60u);
}

TEST(PlainTextReader, CharactersTakeTheReadersAttribute) {
    TRtRTFText text;
    TRtTextReader reader;
    reader.Text = &text;
    reader.Header = &text.Header();
    reader.CurrentAttr.font = 3;
    reader.CurrentAttr.size = 14;
    reader.CurrentAttr.style = afsBold;
    reader.SoftHyphenMark = true;
    TMemoryStream in = StreamOf("ab");
    TParagraph* first = text.FirstPar();
    reader.Read(in, first);
    const TLine* line = text.FirstPar()->firstLine;
    EXPECT_EQ(text.GetAttr(line, 0).style, afsBold | afsHyphen);
    EXPECT_EQ(text.GetAttr(line, 1).style, afsBold);
    EXPECT_EQ(text.GetAttr(line, 1).font, 3);
    EXPECT_EQ(text.GetAttr(line, 2).size, 14) << "the end entry is what typing at the end inherits";
}

TEST(PlainTextReader, PastedTextGetsAChainOfItsOwnWithTheTemplatesProperties) {
    TRtRTFText text;
    TRtTextReader reader;
    reader.Text = &text;
    reader.Header = &text.Header();
    reader.TemplatePar.leftIndent = 720;
    reader.TemplatePar.align = paralCenter;
    TMemoryStream in = StreamOf("one\r\ntwo");
    TParagraph* chain = nullptr;
    reader.Read(in, chain);
    ASSERT_NE(chain, nullptr);
    ASSERT_NE(chain->next, nullptr);
    EXPECT_EQ(TRtRTFText::ParagraphString(chain->next), "two");
    for (const TParagraph* p = chain; p; p = p->next) {
        EXPECT_EQ(p->leftIndent, 720);
        EXPECT_EQ(p->align, paralCenter);
    }
    EXPECT_EQ(Paragraphs(text), std::vector<std::string>{""}) << "the text itself is untouched";
    text.FreeParagraphChain(chain);
}

TEST(PlainTextReader, ReadingWithoutATextIsRefused) {
    TRtTextReader reader;
    TMemoryStream in = StreamOf("a");
    TParagraph* first = nullptr;
    EXPECT_THROW(reader.Read(in, first), ERtEngineModeError);
}

TEST(PlainTextReader, ReportsProgressOverTheStream) {
    TRtRTFText text;
    std::vector<int32_t> gauge;
    text.OnSetGaugeValue = [&](TRtCustomRtfEditClass*, int32_t value) { gauge.push_back(value); };
    TRtTextReader reader;
    TMemoryStream in = StreamOf(std::string(50000, 'a'));
    ReadInto(text, reader, in);
    ASSERT_GE(gauge.size(), 3u);
    EXPECT_GT(gauge[gauge.size() / 2], 0);
    EXPECT_EQ(gauge.back(), 0) << "the gauge is cleared at the end";
}

TEST(PlainTextWriter, ParagraphsBecomeBytes) {
    struct Case {
        std::vector<std::string> paragraphs;
        uint32_t storeOptions;
        std::string bytes;
    };
    const Case cases[] = {
        {{"a", "b"}, 0, std::string("a\r\nb\0", 5)},
        {{"a", "b"}, OptionBit(soNoNULLChar), "a\r\nb"},
        {{"a", "", "b"}, OptionBit(soNoNULLChar), "a\r\n\r\nb"},
        {{"a", "b"}, OptionBit(soNoNULLChar) | OptionBit(soHardLineBreaks), "a\r\nb\r\n"},
        {{"\x80 \xe4\xf6\xfc"}, OptionBit(soNoNULLChar), "\x80 \xe4\xf6\xfc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        TRtRTFText text;
        Fill(text, c.paragraphs);
        text.Header().StoreOptions = c.storeOptions;
        TRtTextWriter writer;
        writer.Text = &text;
        writer.NoNulChar = text.Header().HasStoreOption(soNoNULLChar);
        TMemoryStream out;
        writer.Output = &out;
        int32_t result = writer.BeginWrite();
        if (result == 0) result = writer.WriteBody();
        if (result == 0) result = writer.EndWrite();
        EXPECT_EQ(result, 0);
        EXPECT_EQ(Bytes(out), c.bytes);
    }
}

TEST(PlainTextWriter, TableCellsPageBreaksAndFields) {
    TPlainText t;
    t.text.Header().StoreOptions |= OptionBit(soANSIFormfeedCode);
    Fill(t.text, {"c1", "c2", "after", "page"});
    TParagraph* c1 = t.text.ParagraphByIndex(0);
    TParagraph* c2 = t.text.ParagraphByIndex(1);
    c1->flags |= pfTableCell | pfNextCell;
    c2->flags |= pfTableCell | pfPrevCell;
    t.text.ParagraphByIndex(3)->flags |= pfPageBreak;
    // A field in "after": written as its current text.
    auto field = std::make_unique<TRtTagField>();
    field->SetTagText("NAME");
    TTextObj* reference = t.text.ObjRefs().AddObject(field.release());
    TAttr attr = t.text.CurrentAttr;
    attr.style |= afsIsObject;
    attr.reference = t.text.ObjRefs().FindObjectId(reference);
    t.text.InsertLineText(t.text.ParagraphByIndex(2), 0, &attr, std::string(1, kObjectChar));
    EXPECT_EQ(t.Save(), "c1\tc2\r\n NAME after\r\n\fpage");
}

TEST(PlainTextWriter, WritesOnlyTheSelection) {
    TPlainText t;
    Fill(t.text, {"first", "second", "third"});
    TParagraph* a = t.text.ParagraphByIndex(0);
    TParagraph* b = t.text.ParagraphByIndex(1);
    t.text.SelStart = {a, a->firstLine, 2};
    t.text.SelEnd = {b, b->firstLine, 3};
    TMemoryStream out;
    ASSERT_TRUE(t.text.SaveSelectionToStream(out));
    EXPECT_EQ(Bytes(out), "rst\r\nsec");
}

TEST(PlainTextWriter, ShortWriteReportsFive) {
    class TFullStream : public TMemoryStream {
    public:
        int64_t Write(const void*, int64_t) override { return 0; }
    };
    TPlainText t;
    Fill(t.text, {"a", "b"});
    TFullStream out;
    EXPECT_FALSE(t.text.SaveToStream(out));
    EXPECT_EQ(t.text.LastIOResult, 5);
}

TEST(PlainText, RoundTripGivesTheSameTextAndBytes) {
    const std::string bytes = "Stra\xdf" "e 12\r\n\r\n\tPreis: 3,50 \x80\r\nc:\\temp\\a.txt";
    TPlainText t;
    t.Load(bytes);
    EXPECT_EQ(Paragraphs(t.text),
              (std::vector<std::string>{"Stra\xdf" "e 12", "", "\tPreis: 3,50 \x80", "c:\\temp\\a.txt"}));
    const std::string written = t.Save();
    EXPECT_EQ(written, bytes);
    TPlainText again;
    again.Load(written);
    EXPECT_EQ(Paragraphs(again.text), Paragraphs(t.text));
    EXPECT_EQ(again.Save(), written);
}
