#include "LayoutFixtures.h"

#include "richtext/model/RtObjReferenceList.h"

#include <gtest/gtest.h>

namespace {

// A paragraph with one tab stop of a kind at a pixel position (720 per inch).
struct TTabFixture : TLaidOutText {
    TTabFixture(uint8_t kind, int32_t px, const std::string& text) {
        TTextHeader& h = this->text.Header();
        h.NoTabRounding = true;
        const int32_t slot = h.AddTab(px * 2, kind);
        h.SortTabs();
        h.UpdateTabPixels();
        Fill({text});
        Par(0)->tabs = uint64_t(1) << slot;
    }
    int32_t Stop(int32_t x) { return text.NextTabStop(Par(0), Par(0)->firstLine, x, 0); }
};

}  // namespace

TEST(LineMetrics, TabStops) {
    const std::string text400 = "\t" + std::string(40, 'a');
    struct Case {
        const char* name;
        uint8_t kind;
        std::string text;
        int32_t x;
        int32_t stop;
    };
    const Case cases[] = {
        {"left", 0, "\tabc", 100, 3000},
        {"right: text of 400 px starts at 2600", 1, text400, 0, 2600},
        {"right: text wider than the room gives 2", 1, "\t" + std::string(500, 'a'), 0, 2},
        {"centre: half the text before the stop", 2, "\t" + std::string(40, 'a'), 0, 2800},
        {"decimal: measured up to the decimal point", 3, "\t123.45", 0, 2970},
        {"decimal: a closing bracket ends the measuring", 3, "\t12)345", 0, 2980},
        {"a stop behind x is passed over for the default stop", 0, "\tabc", 3100, 3240},
    };
    for (const Case& c : cases) {
        TTabFixture t(c.kind, 3000, c.text);
        t.text.Header().SetDefaultTabstop(720);  // 360 px
        t.text.Header().UpdateTabPixels();
        EXPECT_EQ(t.Stop(c.x), c.stop) << c.name;
    }
}

TEST(LineMetrics, TabWidthsAreNeverNegative) {
    // A right tab whose text does not fit yields the position 2, left of the tab itself.
    TTabFixture t(1, 3000, "abc\t" + std::string(500, 'a'));
    t.Par(0)->flags |= pfNoWrap;
    t.Layout();
    EXPECT_EQ(t.Par(0)->firstLine->WidthAt(3), 0);
    t.text.ComputeTabsAndJustify(t.Par(0));
    EXPECT_EQ(t.Par(0)->firstLine->WidthAt(3), 0);
}

TEST(LineMetrics, TabInRightAlignedParagraphKeepsItsWidth) {
    TTabFixture t(0, 3000, "ab\tcd");
    t.Par(0)->align = paralRight;
    t.Layout();
    const uint16_t measured = t.Par(0)->firstLine->WidthAt(2);
    t.text.ComputeTabsAndJustify(t.Par(0));
    EXPECT_EQ(t.Par(0)->firstLine->WidthAt(2), measured);
    EXPECT_EQ(measured, 10);
}

TEST(LineMetrics, LineSpacing) {
    struct Case {
        const char* name;
        int16_t spacing;
        bool multiple;
        int32_t resolution;
        int32_t height;
        int32_t expected;
    };
    const Case cases[] = {
        {"one and a half lines", 360, true, 96, 20, 30},
        {"multiple below single is single", 120, true, 96, 20, 20},
        {"exact 12 points at 96 per inch", -240, false, 96, 20, 16},
        {"at least 12 points on a smaller line", 240, false, 96, 10, 16},
        {"at least 12 points on a taller line", 240, false, 96, 20, 20},
    };
    for (const Case& c : cases) {
        TRtRTFTextIo text;
        text.Header().LayoutResY = c.resolution;
        TParagraph* p = text.FirstPar();
        p->lineSpacing = c.spacing;
        if (c.multiple) p->flags |= pfMultSpacing;
        int32_t height = c.height;
        int32_t spacing = 0;
        int32_t ascent = 15;
        text.ApplyLineSpacing(p, height, spacing, ascent);
        EXPECT_EQ(height, c.expected) << c.name;
    }
    TRtRTFTextIo text;
    text.FirstPar()->lineSpacing = 100;
    text.FirstPar()->flags |= pfMultSpacing;
    int32_t height = 20;
    int32_t spacing = 0;
    int32_t ascent = 0;
    text.ApplyLineSpacing(text.FirstPar(), height, spacing, ascent);
    EXPECT_EQ(text.FirstPar()->lineSpacing, 240) << "the stored spacing is raised to single";
}

TEST(LineMetrics, NegativeRightIndentReadsAndStoresZero) {
    TRtRTFTextIo text;
    text.FirstPar()->rightIndent = -300;
    EXPECT_EQ(text.GetRightIndentPixels(text.FirstPar()), 0);
    EXPECT_EQ(text.FirstPar()->rightIndent, 0);
}

TEST(LineMetrics, AdjacentBoxesShareTheirBorderSpacing) {
    TLaidOutText t;
    t.Fill({"one", "two", "three"});
    for (int i = 0; i < 2; ++i) {
        t.Par(i)->border.flags = bfOn | bfBox;
        t.Par(i)->border.spacing = 2;
    }
    t.Layout();
    const int32_t plain = t.Par(2)->firstLine->height;
    const int32_t b = 2 * 72 * 720 / 1440;
    EXPECT_EQ(t.Par(0)->firstLine->height, plain + b) << "above the first";
    EXPECT_EQ(t.Par(1)->firstLine->height, plain + b) << "below the last";
    t.Par(1)->border.flags = bfOn | bfTop;
    t.Layout();
    EXPECT_EQ(t.Par(0)->firstLine->height, plain + 2 * b) << "different borders: each its own frame";
}

TEST(LineMetrics, ShadedColours) {
    TRtRTFTextIo text;
    text.Header().Colors[5] = {255, 0, 0, 1};
    EXPECT_EQ(text.GetShadedColor(5, 50), 0x7F7FFFu) << "255, 127, 127: MulDiv rounds 127.5 up";
    EXPECT_EQ(text.GetShadedColor(5, 100), 0x0000FFu);
    EXPECT_EQ(text.GetShadedColor(5, 0), 0xFFFFFFu);
}

TEST(LineMetrics, AttributeChanges) {
    struct Case {
        const char* name;
        uint16_t mask;
        TAttr start;
        TAttr source;
        TAttr expected;
    };
    const auto attr = [](uint8_t size, uint32_t style, uint8_t color = 0) {
        TAttr a;
        a.size = size;
        a.style = style;
        a.textColor = color;
        return a;
    };
    const Case cases[] = {
        {"shrink 10 by 12", 0x0008, attr(10, 0), attr(12, 0), attr(1, afsParStyleSize)},
        {"shrink 10 by 10", 0x0008, attr(10, 0), attr(10, 0), attr(1, afsParStyleSize)},
        {"shrink 10 by 4", 0x0008, attr(10, 0), attr(4, 0), attr(6, afsParStyleSize)},
        {"grow 200 by 100 stops at the byte", 0x0004, attr(200, 0), attr(100, 0), attr(255, afsParStyleSize)},
        {"superscript wins over subscript", 0x0040, attr(10, afsSub), attr(0, afsSuper), attr(10, afsSuper)},
        {"16 colours: text colour from the low bits", 0x0010, attr(10, 0, 0x12), attr(0, 0, 0x34), attr(10, 0, 0x14)},
        {"16 colours: background from the high bits", 0x0020, attr(10, 0, 0x12), attr(0, 0, 0x34), attr(10, 0, 0x32)},
        {"bold added marks the style's bold", 0x0040, attr(10, 0), attr(0, afsBold), attr(10, afsBold | afsParStyleBold)},
        {"styles replaced", 0x0080, attr(10, afsBold | afsProtected), attr(0, afsItalic),
         attr(10, afsItalic | afsProtected)},
    };
    for (const Case& c : cases) {
        TRtRTFTextIo text;
        TAttr a = c.start;
        text.ModifyCharAttr(nullptr, a, c.mask, c.source, nullptr);
        EXPECT_EQ(a.size, c.expected.size) << c.name;
        EXPECT_EQ(a.style, c.expected.style) << c.name;
        EXPECT_EQ(a.textColor, c.expected.textColor) << c.name;
    }
}

TEST(LineMetrics, ObjectCharacterKeepsItsMeasuresThroughAStyleChange) {
    TLaidOutText t;
    TAttr object;
    object.style = afsIsObject;
    object.reference = 7;
    object.width = 123;
    object.height = 45;
    object.baseLine = 40;
    TAttr source;
    source.style = afsBold;
    source.reference = 9;
    const char ch = kObjectChar;
    t.text.ModifyCharAttr(nullptr, object, 0x0040, source, &ch);
    EXPECT_EQ(object.width, 123);
    EXPECT_EQ(object.height, 45);
    EXPECT_EQ(object.reference, 7);
    EXPECT_TRUE(object.style & afsBold);
    // A plain character is measured again.
    TAttr plain;
    plain.size = 20;
    const char a = 'a';
    t.text.ModifyCharAttr(nullptr, plain, 0x0040, source, &a);
    EXPECT_EQ(plain.width, 20);
    EXPECT_EQ(plain.reference, 9);
}
