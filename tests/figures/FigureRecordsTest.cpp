#include "document/EtikettFiler.h"
#include "figures/ContentFigureRecords.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

class RecordsTest : public ::testing::Test {
protected:
    TEtikettFiler& Writer() {
        stream = std::make_unique<TMemoryStream>();
        filer = TEtikettFiler();
        filer.Stream = stream.get();
        return filer;
    }
    // A reader of what was written.
    TEtikettFiler& Reader(bool legacy = false) {
        stream->SetPosition(0);
        filer.IsLegacy = legacy;
        return filer;
    }

    std::unique_ptr<TMemoryStream> stream;
    TEtikettFiler filer;
};

}  // namespace

TEST_F(RecordsTest, RichTextFramePrefix) {
    TRTFTextRecord written;
    written.HAlign = 2;
    written.FrameKind = 2;
    written.CornerSize = 3.5f;
    written.RTF = "{\\rtf1 x}";
    written.Write(Writer());
    TRTFTextRecord read;
    read.Read(Reader());
    EXPECT_EQ(read.HAlign, 2);
    EXPECT_EQ(read.FrameKind, 2);
    EXPECT_EQ(read.CornerSize, 3.5f);
    EXPECT_EQ(read.RTF, "{\\rtf1 x}");

    // Without the prefix the whole string is RTF; frame kind and corner size stay.
    const struct {
        std::string text;
        uint8_t frameKind;
        std::string rtf;
    } cases[] = {
        {"{\\rtf1 plain}", 0, "{\\rtf1 plain}"},
        {std::string("RAHMEN1\x01", 8), 1, ""},  // cut short: nothing read beyond it
        {"RAHMEN1", 0, ""},
    };
    for (const auto& c : cases) {
        TEtikettFiler& w = Writer();
        w.WriteTaggedInteger(1);
        w.WriteTaggedInteger(1);
        w.WriteTaggedString(c.text);
        w.WriteTaggedInteger(77);
        TRTFTextRecord r;
        r.Read(Reader());
        EXPECT_EQ(r.FrameKind, c.frameKind) << c.text;
        EXPECT_EQ(r.CornerSize, 2.0f) << c.text;
        EXPECT_EQ(r.RTF, c.rtf) << c.text;
        EXPECT_EQ(filer.ReadTaggedInteger(), 77) << c.text;
    }
}

TEST_F(RecordsTest, LegacyTextIsCutAtItsFirstZeroByte) {
    // Legacy values: Integers of two bytes, String lengths of one byte.
    TEtikettFiler& w = Writer();
    auto legacyInteger = [&](int16_t v) {
        w.WriteTag(kTagInteger);
        stream->WriteBuffer(&v, 2);
    };
    w.WriteTag(kTagString);
    w.WriteRawByte(5);
    stream->WriteBuffer("Arial", 5);
    legacyInteger(12);
    w.WriteTaggedLongint(0);
    for (int i = 0; i < 4; ++i) w.WriteTaggedBoolean(i == 0);
    legacyInteger(2);
    legacyInteger(0);
    w.WriteTaggedLongint(5);
    w.WriteTag(kTagString);
    stream->WriteBuffer("ab\0cd", 5);
    TTextRecord read;
    read.Read(Reader(true));
    EXPECT_EQ(read.Font.Name, "Arial");
    EXPECT_EQ(read.Font.Style, fsBold);
    EXPECT_EQ(read.HAlign, 2);
    EXPECT_EQ(read.Text, "ab");
    EXPECT_EQ(stream->Remaining(), 0);
}

TEST_F(RecordsTest, OlderBarcodeLayout) {
    TEtikettFiler& w = Writer();
    w.WriteTaggedInteger(6);  // the symbology itself
    w.WriteTaggedString("ABC");
    w.WriteTaggedString("");
    w.WriteTaggedBoolean(false);
    w.WriteTaggedBoolean(true);
    w.WriteTaggedInteger(77);
    TBarcodeRecord read;
    read.Read(Reader());
    EXPECT_TRUE(read.OlderLayout);
    EXPECT_EQ(read.Symbology, 6);
    EXPECT_EQ(read.Text, "ABC");
    EXPECT_FALSE(read.CheckDigit);
    EXPECT_FALSE(read.AECOC);
    EXPECT_EQ(filer.ReadTaggedInteger(), 77);
}

// Counts that promise more items than bytes remain are refused before
// anything is allocated for them.
TEST_F(RecordsTest, CountsBeyondTheBytesAreRefused) {
    constexpr int32_t kHuge = 1 << 30;
    {
        TEtikettFiler& w = Writer();
        w.WriteTaggedInteger(100);
        w.WriteTaggedInteger(kHuge);
        w.WriteTaggedString("Text");
        EXPECT_THROW(TWordartRecord{}.Read(Reader()), EFilerReadError);
    }
    {
        TEtikettFiler& w = Writer();
        TFontRecord{}.Write(w);
        for (int i = 0; i < 3; ++i) w.WriteTaggedBoolean(true);
        w.WriteTaggedInteger(1);
        w.WriteTaggedInteger(kHuge);
        EXPECT_THROW(TDirOutlineRecord{}.Read(Reader()), EFilerReadError);
    }
    {
        TGroupRecordHead{true, false, 1000}.Write(Writer());
        EXPECT_THROW(TGroupRecordHead{}.Read(Reader()), EFilerReadError);
    }
}
