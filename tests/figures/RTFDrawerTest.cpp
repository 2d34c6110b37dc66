// The label-text drawer: RTF to tokens, the font and colour tables, word
// wrap, drawing in a box and in a table cell, turning, data fields.
#include "figures/RTFDrawer.h"

#include "RTFTestSupport.h"
#include "content/DataSet.h"
#include "figures/RTFParser.h"
#include "foundation/ScaleCanvas.h"

#include <QtCore/QLocale>

#include <gtest/gtest.h>

#include <map>

namespace {

using test::Chars;
using test::FixedTextCanvas;
using test::TokenSummary;
using Strings = std::vector<std::string>;

// A drawer measuring on fixed metrics.
struct FixedDrawer : test::FixedMeasurer {
    TRTFDrawer drawer;
    FixedDrawer() { drawer.SetMeasurer(&measurer); }
    explicit FixedDrawer(const std::string& rtf) : FixedDrawer() { drawer.SetRTF(rtf); }
};

// The lines of the last wrap, each as the texts of its tokens.
Strings LineTexts(const TRTFDrawer& drawer) {
    Strings lines;
    for (const TRTFLine& line : drawer.Lines) {
        std::string text;
        for (int32_t i = line.FirstToken; i <= line.LastToken; ++i) text += drawer.Tokens[static_cast<size_t>(i)].Text;
        lines.push_back(text);
    }
    return lines;
}

// A scale canvas of 37.8 device units per mm (the screen at zoom 10) on fixed metrics.
struct FixedScreen {
    FixedTextCanvas device;
    TScaleCanvas canvas{&device};
    FixedScreen() {
        canvas.Reset(kResetScreen);
        canvas.SetZoom(10);
    }
};

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

TEST(RTFDrawerTokens, FromRtf) {
    struct Case {
        const char* rtf;
        Strings tokens;
    };
    const Case cases[] = {
        // Trailing paragraph ends draw no empty line.
        {"{\\rtf1 Hello world\\par\\par}", {"w:Hello", "s: ", "w:world"}},
        {"{a\\par\\par b}", {"w:a", "p", "p", "w:b"}},
        // Words break after their hyphens.
        {"{well-known}", {"w:well-", "s:", "w:known"}},
        {"{x-}", {"w:x-", "s:", "w:"}},
        {"{a  b\\tab c}", {"w:a", "s: ", "s: ", "w:b", "s: ", "w:c"}},
        {"{\\pard\\qc a\\qj b\\qr\\ql}", {"a0", "a1", "w:a", "a3", "w:b", "a2", "a0"}},
        {"{\\field{\\*\\fldinst{Name}}{\\fldrslt{Name}}} x", {"f:<Name>"}},
        {"{{\\field{\\*\\fldinst{Name}}{\\fldrslt{Name}}}x}", {"f:<Name>", "w:x"}},
        // Ignorable groups, tables and the document information leave nothing.
        {"{a{\\*\\foo hidden}b{\\info{\\title T}}{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1;}}", {"w:a", "w:b"}},
        {"{\\ldblquote x\\rdblquote\\'80}", {"w:\x93x\x94\x80"}},
    };
    for (const Case& c : cases) {
        FixedDrawer d(c.rtf);
        EXPECT_EQ(TokenSummary(d.drawer), c.tokens) << c.rtf;
    }
}

TEST(RTFDrawerTokens, FontsColoursAndStyles) {
    FixedDrawer d(
        "{\\rtf1\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset238 Times New Roman;}"
        "{\\f2\\fnil\\fcharset2 Symbol;}{\\f3\\fcharset0 No Such Face Xyz;}}"
        "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "\\f0\\fs24 a\\b b\\b0\\i\\cf1 c{\\f1\\ul d}\\ulnone\\cf2\\f2 e\\cf-1\\f3\\strike f\\cf7 g\\plain h\\f9 i}");
    struct Expected {
        std::string name;
        int32_t size;
        TFontStyles style;
        gdi::Color color;
        uint8_t charset;
    };
    const Expected expected[] = {
        {"Arial", 12, 0, 0, 0},
        {"Arial", 12, fsBold, 0, 0},
        {"Arial", 12, fsItalic, 0x0000FF, 0},
        {"Times New Roman", 12, fsItalic | fsUnderline, 0x0000FF, 238},
        {"Symbol", 12, fsItalic, 0xFF0000, 2},
        // Not installed: Arial. A negative colour index and one past the table are black.
        {"Arial", 12, fsItalic | fsStrikeOut, 0, 0},
        {"Arial", 12, fsItalic | fsStrikeOut, 0, 0},
        // plain: the default font, size 10, colour entry 0.
        {"Arial", 10, 0, 0, 0},
        // A number without an entry takes the first entry.
        {"Arial", 10, 0, 0, 0},
    };
    ASSERT_EQ(d.drawer.Tokens.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const TRTFToken& t = d.drawer.Tokens[i];
        EXPECT_EQ(t.FontName, expected[i].name) << i;
        EXPECT_EQ(t.FontSize, expected[i].size) << i;
        EXPECT_EQ(t.FontStyle, expected[i].style) << i;
        EXPECT_EQ(t.FontColor, expected[i].color) << i;
        EXPECT_EQ(t.Charset, expected[i].charset) << i;
    }
    ASSERT_EQ(d.drawer.Colors.size(), 3u);
    EXPECT_EQ(d.drawer.Colors[1].Text, "255 0 0");
    EXPECT_EQ(d.drawer.FontNames[1].Text, "Times New Roman");
    EXPECT_EQ(d.drawer.FontNames[1].Object, 1);
}

TEST(RTFDrawerTokens, MeasuredAtTheFixedResolution) {
    FixedDrawer d("{\\fs20 ab\\fs40 c\\par x}");
    const TRTFToken& ab = d.drawer.Tokens[0];
    EXPECT_FLOAT_EQ(ab.Width, Chars(2));
    ASSERT_EQ(ab.Advances.size(), 2u);
    EXPECT_FLOAT_EQ(ab.Advances[0], Chars(1));
    EXPECT_FLOAT_EQ(ab.Advances[1], Chars(2));
    EXPECT_FLOAT_EQ(ab.Height, 100 * 25.4f / 720);
    EXPECT_FLOAT_EQ(ab.Ascent, 80 * 25.4f / 720);
    EXPECT_FLOAT_EQ(d.drawer.Tokens[1].Width, Chars(2));  // 20 points
    EXPECT_EQ(d.drawer.Tokens[2].Width, 0);               // the paragraph end
    EXPECT_FLOAT_EQ(d.drawer.Tokens[2].Height, 200 * 25.4f / 720);
}

TEST(RTFDrawerTokens, EveryTextStartsWithAFreshFontStack) {
    FixedDrawer d;
    // Groups left open, then a text that closes more groups than it opens
    // after its own: neither disturbs the next text.
    d.drawer.SetRTF("{\\b{\\i{\\ul x");
    d.drawer.SetRTF("{{\\fs40 a}b}");
    ASSERT_EQ(d.drawer.Tokens.size(), 2u);
    EXPECT_EQ(d.drawer.Tokens[0].FontSize, 20);
    EXPECT_EQ(d.drawer.Tokens[1].FontSize, 10);
    // Both keep the style that was current before the group.
    EXPECT_EQ(d.drawer.Tokens[0].FontStyle, fsBold | fsItalic | fsUnderline);
    EXPECT_EQ(d.drawer.Tokens[1].FontStyle, fsBold | fsItalic | fsUnderline);
    EXPECT_EQ(d.drawer.LastDepth, 0);
}

TEST(RTFDrawerTokens, LongHyphenatedRunIsKeptWhole) {
    std::string run;
    for (int i = 0; i < 3000; ++i) run += "ab-";
    run += "end";
    FixedDrawer d("{" + run + "}");
    std::string joined;
    for (const TRTFToken& t : d.drawer.Tokens) joined += t.Text;
    EXPECT_EQ(joined, run);
    EXPECT_EQ(d.drawer.Tokens.size(), 3000u * 2 + 1);
}

TEST(RTFDrawerTokens, ParserErrorsLeaveTheTokensReadSoFar) {
    FixedDrawer d;
    // The text before the unmatched brace is delivered before the error.
    EXPECT_THROW(d.drawer.SetRTF("{ab}cd}ef"), RTFParseException);
    EXPECT_EQ(TokenSummary(d.drawer), (Strings{"w:ab", "w:cd"}));
    EXPECT_EQ(d.drawer.Tokens[0].Width, 0);  // not measured
    // The drawer still draws what it has.
    FixedScreen screen;
    d.drawer.DrawInRect(screen.canvas, 0, 20, 20, 30, 10, 0, 0);
    EXPECT_EQ(screen.device.Texts().size(), 2u);
}

TEST(RTFDrawerTokens, HostileTextsEndCleanly) {
    FixedDrawer d;
    // Deep nesting with a font change at every level, closed again.
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += (i % 2) ? "{\\b " : "{\\b0 ";
    d.drawer.SetRTF(deep + "x" + std::string(100000, '}'));
    EXPECT_EQ(TokenSummary(d.drawer), Strings{"w:x"});
    // Left open, then a text of a megabyte in one word and in short words.
    d.drawer.SetRTF(deep + "x");
    d.drawer.SetRTF("{" + std::string(1000000, 'w') + "}");
    EXPECT_EQ(d.drawer.Tokens.size(), 1u);
    std::string words = "{";
    for (int i = 0; i < 100000; ++i) words += "ab-c ";
    d.drawer.SetRTF(words + "}");
    EXPECT_EQ(d.drawer.Tokens.size(), 400000u);  // "ab-", a break, "c" and a space each
    d.drawer.BreakLines(20);
    EXPECT_GT(d.drawer.Lines.size(), 10000u);
    // A \bin with a huge count swallows what follows as ordinary bytes.
    d.drawer.SetRTF("{a{\\bin2000000000 " + std::string(100000, 'z') + "}b}");
    EXPECT_EQ(TokenSummary(d.drawer), (Strings{"w:a", "w:b"}));
}

// ---- word wrap

TEST(RTFDrawerWrap, BreaksAtSpacesHyphensAndAfterOversizedWords) {
    struct Case {
        const char* rtf;
        float width;
        Strings lines;
    };
    const float e = 0.001f;
    const Case cases[] = {
        // The space that would overflow is dropped at the break.
        {"{aaa bbb ccc}", Chars(7) + e, {"aaa bbb", "ccc"}},
        {"{aaa bbb ccc}", Chars(6) + e, {"aaa", "bbb", "ccc"}},
        {"{aaa  bbb}", Chars(4) + e, {"aaa ", "bbb"}},
        {"{well-known}", Chars(6) + e, {"well-", "known"}},
        {"{well-known}", Chars(10) + e, {"well-known"}},
        // A word wider than the box stays alone on its line.
        {"{a bbbbbbbbbb c}", Chars(4) + e, {"a", "bbbbbbbbbb", "c"}},
        {"{bbbbbbbbbb}", Chars(4) + e, {"bbbbbbbbbb"}},
        // Paragraph ends belong to their line; two in a row give an empty line.
        {"{a\\par\\par b}", Chars(4) + e, {"a", "", "b"}},
        {"{a b}", 0, {"a", "b"}},
        {"{a b}", -1, {}},
    };
    for (const Case& c : cases) {
        FixedDrawer d(c.rtf);
        d.drawer.BreakLines(c.width);
        EXPECT_EQ(LineTexts(d.drawer), c.lines) << c.rtf << " at " << c.width;
    }
}

TEST(RTFDrawerWrap, LineSizesAndParagraphEnds) {
    FixedDrawer d("{\\qc aa bb cc\\par\\fs40\\par\\qr dd}");
    d.drawer.BreakLines(Chars(6) + 0.001f);
    ASSERT_EQ(d.drawer.Lines.size(), 4u);
    const TRTFLine& first = d.drawer.Lines[0];
    EXPECT_EQ(first.Alignment, kAlignCenter);
    EXPECT_FALSE(first.ParagraphEnd);
    EXPECT_FLOAT_EQ(first.Width, Chars(5));  // "aa bb": the space at the break is left out
    EXPECT_EQ(first.SpaceCount, 1);
    EXPECT_TRUE(d.drawer.Lines[1].ParagraphEnd);
    // The empty line takes the height of its paragraph end's font.
    EXPECT_FLOAT_EQ(d.drawer.Lines[2].Height, 200 * 25.4f / 720);
    EXPECT_EQ(d.drawer.Lines[3].Alignment, kAlignRight);
    EXPECT_TRUE(d.drawer.Lines[3].ParagraphEnd);
    float total = 0;
    for (const TRTFLine& line : d.drawer.Lines) total += line.Height;
    EXPECT_FLOAT_EQ(d.drawer.TotalHeight, total);
}

// ---- drawing in a box

TEST(RTFDrawerDraw, BottomAlignedTextTallerThanTheBoxStartsAtItsTop) {
    FixedDrawer d("{a\\par b\\par c\\par d}");
    const float lineHeight = 100 * 25.4f / 720;
    for (uint8_t v : {kVAlignTop, kVAlignCenter, kVAlignBottom}) {
        FixedScreen screen;
        const TRect r = d.drawer.DrawInRect(screen.canvas, kAlignLeft, 20, 20, 30, 8, 0, v);
        const auto texts = screen.device.Texts();
        ASSERT_EQ(texts.size(), 2u) << int(v);  // two lines fit; the others are below the box
        EXPECT_EQ(Narrow(texts[0].text), "a");
        EXPECT_EQ(texts[0].at.y, screen.canvas.MMToPixelY(16));
        EXPECT_EQ(texts[1].at.y, screen.canvas.MMToPixelY(16 + lineHeight));
        EXPECT_EQ(texts[0].at.x, screen.canvas.MMToPixelX(5));
        EXPECT_EQ(r, (TRect{screen.canvas.MMToPixelX(5), screen.canvas.MMToPixelY(16), screen.canvas.MMToPixelX(35),
                            screen.canvas.MMToPixelY(24)}));
    }
    // The first line is drawn even when the box is lower than it.
    FixedScreen screen;
    d.drawer.DrawInRect(screen.canvas, kAlignLeft, 20, 20, 30, 1, 0, kVAlignBottom);
    EXPECT_EQ(screen.device.Texts().size(), 1u);
}

TEST(RTFDrawerDraw, AlignmentsJustificationAndGlyphAdvances) {
    FixedDrawer d("{aaa bb c dddd}");
    const float w = Chars(9) + 0.001f;
    const float left = 20 - w / 2;
    const auto xs = [&](uint8_t h) {
        FixedScreen screen;
        d.drawer.DrawInRect(screen.canvas, h, 20, 20, w, 30, 0, kVAlignTop);
        std::map<std::string, int32_t> at;
        for (const auto& t : screen.device.Texts()) at[Narrow(t.text)] = t.at.x;
        return std::pair{at, screen.canvas.MMToPixelX(left)};
    };
    const auto [justified, origin] = xs(kAlignJustify);
    const FixedScreen mapping;
    const auto X = [&](float mm) { return mapping.canvas.MMToPixelX(mm); };
    // Two spaces share one character's width; the hyphen-free last line stays left.
    EXPECT_EQ(justified.at("aaa"), origin);
    EXPECT_EQ(justified.at("bb"), X(left + Chars(4.5f) + 0.0005f));
    EXPECT_EQ(justified.at("c"), X(left + Chars(8) + 0.001f));
    EXPECT_EQ(justified.at("dddd"), origin);
    const auto [right, o2] = xs(kAlignRight);
    EXPECT_EQ(right.at("dddd"), X(20 + w / 2 - Chars(4)));
    const auto [centred, o3] = xs(kAlignCenter);
    EXPECT_EQ(centred.at("dddd"), X(20 - Chars(2)));

    // Every glyph sits at its measured advance: the spacing array adds up.
    FixedScreen screen;
    d.drawer.DrawInRect(screen.canvas, kAlignLeft, 20, 20, w, 30, 0, kVAlignTop);
    const auto texts = screen.device.Texts();
    ASSERT_EQ(Narrow(texts[0].text), "aaa");
    int32_t end = texts[0].at.x;
    for (int32_t dx : texts[0].dx) end += dx;
    EXPECT_EQ(end, screen.canvas.MMToPixelX(left + Chars(3)));
}

TEST(RTFDrawerDraw, ABreakAfterAHyphenIsNotWidenedByJustification) {
    FixedDrawer d("{ab-cd ef gh}");
    const float w = Chars(9) + 0.001f;
    FixedScreen screen;
    d.drawer.DrawInRect(screen.canvas, kAlignJustify, 20, 20, w, 30, 0, kVAlignTop);
    std::map<std::string, int32_t> at;
    for (const auto& t : screen.device.Texts()) at[Narrow(t.text)] = t.at.x;
    const float left = 20 - w / 2;
    EXPECT_EQ(d.drawer.Lines[0].SpaceCount, 1);
    EXPECT_EQ(at.at("cd"), screen.canvas.MMToPixelX(left + Chars(3)));
    EXPECT_EQ(at.at("ef"), screen.canvas.MMToPixelX(left + w - Chars(2)));
}

TEST(RTFDrawerDraw, AWordAloneWiderThanTheBoxIsCutFromTheRight) {
    FixedDrawer d("{abcdefghij\\par xy}");
    FixedScreen screen;
    d.drawer.DrawInRect(screen.canvas, kAlignLeft, 20, 20, Chars(4) + 0.001f, 30, 0, kVAlignTop);
    const auto texts = screen.device.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(Narrow(texts[0].text), "abcd");
    EXPECT_EQ(texts[0].dx.size(), 4u);
    EXPECT_EQ(Narrow(texts[1].text), "xy");
}

TEST(RTFDrawerDraw, QuarterTurnTurnsGlyphsAndPositionsAboutTheCentre) {
    FixedDrawer d("{ab cd\\par ef}");
    FixedScreen straight, turned;
    d.drawer.DrawInRect(straight.canvas, kAlignCenter, 20, 20, 30, 20, 0, kVAlignCenter);
    d.drawer.DrawInRect(turned.canvas, kAlignCenter, 20, 20, 30, 20, 90, kVAlignCenter);
    const auto a = straight.device.Texts(), b = turned.device.Texts();
    ASSERT_EQ(a.size(), b.size());
    const int32_t mx = straight.canvas.MMToPixelX(20), my = straight.canvas.MMToPixelY(20);
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].escapement, 0);
        EXPECT_EQ(b[i].escapement, -900);
        EXPECT_EQ(b[i].text, a[i].text);
        EXPECT_EQ(b[i].dx, a[i].dx);
        // A quarter turn clockwise: right of the centre becomes below it.
        EXPECT_EQ(b[i].at.x, mx - (a[i].at.y - my)) << i;
        EXPECT_EQ(b[i].at.y, my + (a[i].at.x - mx)) << i;
    }
}

TEST(RTFDrawerDraw, RotateDevicePoint) {
    struct Case {
        gdi::Point p, centre;
        double angle;
        gdi::Point expected;
    };
    const Case cases[] = {
        {{10, 0}, {0, 0}, 0, {10, 0}},     {{10, 0}, {0, 0}, 90, {0, 10}},
        {{0, 10}, {0, 0}, 90, {-10, 0}},   {{10, 0}, {0, 0}, 180, {-10, 0}},
        {{110, 50}, {100, 50}, -90, {100, 40}}, {{100, 0}, {0, 0}, 30, {87, 50}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RotateDevicePoint(c.p.x, c.p.y, c.centre.x, c.centre.y, c.angle), c.expected) << c.angle;
}

TEST(RTFDrawerDraw, TextOfAFontsCharsetIsDecodedByItsCodePage) {
    FixedDrawer d(
        "{{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial;}{\\f2\\fcharset2 Symbol;}}"
        "\\f0 Gr\\'fc\\'dfe \\'80 \\f1\\'c0\\'e1 \\f2 a}");
    FixedScreen screen;
    d.drawer.DrawInRect(screen.canvas, kAlignLeft, 50, 50, 90, 90, 0, kVAlignTop);
    std::vector<std::u16string> words;
    for (const auto& t : screen.device.Texts())
        if (t.text != u" ") words.push_back(t.text);
    EXPECT_EQ(words, (std::vector<std::u16string>{u"Grüße", u"€", u"Аб", u"\uF061"}));
}

// ---- table cells and extents

TEST(RTFDrawerCell, EmptyBoxDrawsNothingAndLinesFollowTheirOwnAlignment) {
    FixedDrawer d("{\\qr ab\\par\\qc cd\\par\\ql ef}");
    FixedScreen screen;
    EXPECT_EQ(d.drawer.DrawCell(screen.canvas, 20, 20, 0, 10, 0), (TRect{0, 0, 0, 0}));
    EXPECT_EQ(d.drawer.DrawCell(screen.canvas, 20, 20, 10, 0, 0), (TRect{0, 0, 0, 0}));
    EXPECT_TRUE(screen.device.Texts().empty());

    const float lineHeight = 100 * 25.4f / 720;
    // Two lines fit; in a cell the first line must fit too.
    d.drawer.DrawCell(screen.canvas, 20, 20, 20, 2 * lineHeight + 0.01f, 0);
    const auto texts = screen.device.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].at.x, screen.canvas.MMToPixelX(30 - Chars(2)));
    EXPECT_EQ(texts[1].at.x, screen.canvas.MMToPixelX(20 - Chars(1)));
    screen.device.Clear();
    d.drawer.DrawCell(screen.canvas, 20, 20, 20, lineHeight / 2, 0);
    EXPECT_TRUE(screen.device.Texts().empty());
}

TEST(RTFDrawerCell, ExtentCoversTheLinesThatFitTurnedWithTheBox) {
    FixedDrawer d("{a\\par b\\par c}");
    TCustomScaler scaler;
    scaler.SetResolutionX(10);
    scaler.SetResolutionY(10);
    const float lineHeight = 100 * 25.4f / 720;
    // The lines up to the first that passes the height.
    EXPECT_EQ(d.drawer.GetExtent(scaler, 20, 20, 10, lineHeight * 1.5f, 0),
              (TRect{150, scaler.MMToPixelY(20 - lineHeight * 0.75f), 250,
                     scaler.MMToPixelY(20 - lineHeight * 0.75f + 2 * lineHeight)}));
    const TRect turned = d.drawer.GetExtent(scaler, 20, 20, 10, 3 * lineHeight, 90);
    EXPECT_EQ(turned.top, 150);
    EXPECT_EQ(turned.bottom, 250);
    EXPECT_NEAR(turned.right - turned.left, 30 * lineHeight, 2);
}

// ---- data fields

class FakeDataSet : public TDataSet {
public:
    std::vector<TDataSetField> fields;
    std::map<std::string, std::string> values;
    bool active = true;
    std::vector<TDataSetField> Fields() const override { return fields; }
    void First() override {}
    std::string FieldValue(const std::string& name) const override { return values.at(name); }
    bool Active() const override { return active; }
};

TEST(RTFDrawerFields, ShowTheirNamesUntilFilledFromAnOpenDataSet) {
    const std::string rtf =
        "{Name: {\\b\\field{\\*\\fldinst{Name}}{\\fldrslt{x}}} {\\field{\\*\\fldinst{Preis}}} "
        "{\\field{\\*\\fldinst{Fehlt}}}.}";
    FixedDrawer d(rtf);
    EXPECT_EQ(TokenSummary(d.drawer), (Strings{"w:Name:", "s: ", "f:<Name>", "s: ", "f:<Preis>", "s: ", "f:<Fehlt>",
                                               "w:."}));
    FakeDataSet data;
    data.fields = {{"NAME", TFieldType::String, 0}, {"Preis", TFieldType::Float, 7}};
    data.values = {{"NAME", "Anna-Lena Berg"}, {"Preis", "1234.5"}};
    data.active = false;
    d.drawer.FillFromDataSet(&data);
    EXPECT_EQ(d.drawer.Tokens[2].Text, "<Name>");

    data.active = true;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    d.drawer.FillFromDataSet(&data);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(TokenSummary(d.drawer), (Strings{"w:Name:", "s: ", "w:Anna-", "s:", "w:Lena", "s: ", "w:Berg", "s: ",
                                               "w:1.234,50", "s: ", "f:", "w:."}));
    // The field the data set lacks keeps its name.
    EXPECT_EQ(d.drawer.Tokens[10].FieldName, "Fehlt");
    // The value takes the field's font and is measured.
    EXPECT_EQ(d.drawer.Tokens[2].FontStyle, fsBold);
    EXPECT_FLOAT_EQ(d.drawer.Tokens[2].Width, Chars(5));
    EXPECT_EQ(d.drawer.CurrentFont.FontStyle, fsBold);
}

}  // namespace
