#include "LayoutFixtures.h"

#include "richtext/model/EngineSettings.h"
#include "richtext/model/RtObjReferenceList.h"

#include <gtest/gtest.h>

namespace {

void SetSize(TRtRTFText& text, TParagraph* par, int32_t from, int32_t to, uint8_t size, uint32_t style = 0) {
    ChangeAttrs(text, par, from, to, [&](TAttr& a) {
        a.size = size;
        a.style |= style;
    });
}

uint16_t WidthOf(const TRtRTFText& text, const TParagraph* par, int32_t offset) {
    TLine* line = TRtRTFText::LocateInParagraph(par, offset);
    return text.GetAttr(line, offset).width;
}

}  // namespace

TEST(Measure, SizesAndStyles) {
    TLaidOutText t;
    t.Fill({"abcdef"});
    SetSize(t.text, t.Par(0), 0, 1, 0);
    SetSize(t.text, t.Par(0), 1, 2, 30, afsSuper);
    SetSize(t.text, t.Par(0), 2, 3, 30, afsSub);
    SetSize(t.text, t.Par(0), 3, 4, 40, afsDelete);
    t.Layout();
    EXPECT_EQ(WidthOf(t.text, t.Par(0), 0), RtEngine().DefaultFontSize) << "size 0 is the default size";
    EXPECT_EQ(WidthOf(t.text, t.Par(0), 1), 20) << "superscript at two thirds";
    EXPECT_EQ(WidthOf(t.text, t.Par(0), 2), 20) << "subscript at two thirds";
    EXPECT_EQ(t.Par(0)->firstLine->Length(), 5u) << "the deleted character is gone";
    EXPECT_EQ(t.Par(0)->firstLine->height, 240) << "the tallest character is the 30-point one";
}

TEST(Measure, SubstituteDisplayMeasuresLettersOfTheFirstColourAsStars) {
    // Stars are twice as wide as every other character.
    class TWideStars : public TFixedWidthMeasurer {
        void Measure(const fonts::FontRequest& request, std::array<int32_t, 256>& widths,
                     fonts::FontTableMetrics& metrics) override {
            TFixedWidthMeasurer::Measure(request, widths, metrics);
            widths['*'] = 2 * widths['a'];
        }
    } measurer;
    TLaidOutText t;
    t.text.SetMeasurer(&measurer);
    t.text.SubstituteDisplay = true;
    t.Fill({"A1a@b"});
    ChangeAttrs(t.text, t.Par(0), 4, 5, [](TAttr& a) { a.textColor = 3; });
    t.Layout();
    const uint16_t widths[] = {20, 10, 20, 10, 10};  // "A" and "a" above 64; "@" is 64; "b" has its own colour
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(WidthOf(t.text, t.Par(0), i), widths[i]) << i;
}

TEST(Measure, HiddenCharactersTakeNoRoom) {
    TLaidOutText t;
    t.Fill({"ab"});
    SetSize(t.text, t.Par(0), 1, 2, 60, afsHidden);
    t.Layout();
    EXPECT_EQ(WidthOf(t.text, t.Par(0), 1), 0);
    EXPECT_EQ(t.Par(0)->firstLine->height, 120);
    t.text.PaintModes |= pmShowHiddenText;
    t.Par(0)->MarkChanged();
    t.Layout();
    EXPECT_EQ(WidthOf(t.text, t.Par(0), 1), 60) << "shown hidden text is measured";
}

TEST(Measure, TablesAreReusedAndTheOldestIsReplaced) {
    TLaidOutText t;  // its one table in use holds the default font
    TAttr a;
    const int32_t before = t.measurer.Fills;
    for (int size = 60; size <= 110; ++size) {
        a.size = uint8_t(size);
        t.text.SelectCharFont(&a);
    }
    EXPECT_EQ(t.measurer.Fills - before, 51);
    // The 50 tables were full at 108: 109 took the default font's, 110 the one of 60.
    for (int size : {110, 61, 62}) {
        a.size = uint8_t(size);
        t.text.SelectCharFont(&a);
    }
    EXPECT_EQ(t.measurer.Fills - before, 51) << "still in the cache";
    a.size = 60;
    t.text.SelectCharFont(&a);
    EXPECT_EQ(t.measurer.Fills - before, 52) << "the table filled longest ago went";
}

TEST(Measure, BookmarkCodesHaveNoWidthButMarkTheirText) {
    TLaidOutText t;
    t.Fill({"xaby"});
    const int32_t id = t.text.ObjRefs().FindOrAddNamed("mark", tosBookmark);
    t.text.ObjRefs().AddRef(id);
    t.text.ObjRefs().AddRef(id);
    TParagraph* p = t.Par(0);
    p->firstLine->SetCharAt(0, kCodeOpenChar);
    p->firstLine->SetCharAt(3, kCodeCloseChar);
    ChangeAttrs(t.text, p, 0, 1, [id](TAttr& a) {
        a.style |= afsIsObject;
        a.reference = id;
    });
    ChangeAttrs(t.text, p, 3, 4, [id](TAttr& a) {
        a.style |= afsIsObject;
        a.reference = id;
    });
    t.Layout();
    EXPECT_EQ(WidthOf(t.text, p, 0), 0);
    EXPECT_EQ(WidthOf(t.text, p, 3), 0);
    EXPECT_TRUE(t.text.StyleAt(p->firstLine, 1) & afsBookmark);
    EXPECT_TRUE(t.text.StyleAt(p->firstLine, 2) & afsBookmark);
    t.text.ViewOptions |= rtShowBookmarkCodes;
    p->MarkChanged();
    t.Layout();
    EXPECT_GT(WidthOf(t.text, p, 0), 0);
}

TEST(Measure, ReferenceDeviceWidths) {
    gdi::RecordingCanvas canvas(CapsAt(96), gdi::DeviceKind::Screen);
    TRtRTFTextPaint text;
    text.SetCanvas(&canvas);
    TAttr a;
    a.size = 12;
    text.SelectCharFont(&a);
    const TRtMeasureTable& table = text.MeasureTable();
    EXPECT_EQ(table[160], table[' ']) << "a non-breaking space is a blank";
    EXPECT_EQ(table[128], table['C']);
    EXPECT_GT(table['W'], table['i']);
    // 12 points at 720 per inch: an em of 120 pixels.
    EXPECT_NEAR(table[kMeasureLineHeight], 138, 4);
}

TEST(Measure, LinesBreakAtTheSameCharactersAtEveryZoomAndResolution) {
    const std::string sample =
        "Zorbit lays out label texts on a reference device, so that the lines of a paragraph break at the "
        "same characters on the screen at every zoom, in previews and on the printer. WWW mmm iii lll 0123456789.";
    struct Setting {
        int32_t dpi;
        int32_t zoom;
    };
    std::vector<std::vector<std::string>> results;
    for (const Setting s : {Setting{96, 100}, Setting{96, 200}, Setting{600, 100}, Setting{96, 75}}) {
        gdi::RecordingCanvas canvas(CapsAt(s.dpi), gdi::DeviceKind::Screen);
        TRtRTFTextPaint text;
        text.Zoom = s.zoom;
        text.SetCanvas(&canvas);
        text.Header().SetLeftMargin(1440);
        text.Header().SetRightMargin(1440);
        text.Header().SetPageWidth(1440 * 5);
        text.SetParagraphText(0, sample.c_str(), nullptr, int32_t(sample.size()));
        text.Reformat();
        results.push_back(LinesOf(text.FirstPar()));
    }
    ASSERT_GT(results[0].size(), 3u);
    for (size_t i = 1; i < results.size(); ++i) EXPECT_EQ(results[i], results[0]) << i;
}

TEST(Measure, WithoutCanvasNothingIsMeasuredOrBroken) {
    TLaidOutText t;
    t.SetWidthInChars(8);
    t.Fill({"aaaa bbbb cccc"});
    t.Layout();
    const size_t lines = LinesOf(t.Par(0)).size();
    t.text.SetCanvas(nullptr);
    EXPECT_TRUE(t.text.NoCanvas());
    t.SetWidthInChars(40);
    t.Layout();
    EXPECT_EQ(LinesOf(t.Par(0)).size(), lines);
    t.text.SetCanvas(&t.canvas);
    t.Layout();
    EXPECT_EQ(LinesOf(t.Par(0)).size(), 1u);
}
