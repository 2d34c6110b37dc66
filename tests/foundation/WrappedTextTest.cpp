// Wrapped, justified and turned text blocks, on a canvas with fixed metrics
// (characters 10 wide, lines 20 high).
#include "FixedMetricCanvas.h"

#include "foundation/WrappedText.h"
#include "platform/gdi/TextEngine.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using Texts = std::vector<std::string>;

int32_t Sum(const std::vector<int32_t>& v) { return std::accumulate(v.begin(), v.end(), 0); }

}  // namespace

TEST(WrappedText, WrapTable) {
    struct Case {
        const char* what;
        std::string text;
        int32_t width;
        Texts lines;
        std::vector<int32_t> tops;
    };
    const Case cases[] = {
        {"words up to the width", "AAA BBB CCC", 75, {"AAA BBB", "CCC"}, {0, 20}},
        {"a word wider than the box is split, never lost", "ABCDEFGHIJ", 35, {"ABC", "DEF", "GHI", "J"}, {0, 20, 40, 60}},
        {"characters wider than the box: one per line", "ABC", 5, {"A", "B", "C"}, {0, 20, 40}},
        {"a middle word that fills the line exactly stays", "AAA BBB CC", 70, {"AAA BBB", "CC"}, {0, 20}},
        {"a last word that fills the line exactly moves down", "AAA BBB", 70, {"AAA", "BBB"}, {0, 20}},
        {"a lone word exactly as wide as the box", "ABCDEFG", 70, {"ABCDEFG"}, {0}},
        {"empty lines between paragraphs", "A B\r\n\r\nC", 100, {"A B", "C"}, {0, 40}},
        {"a trailing lone CR ends cleanly", "AB\r", 100, {"AB"}, {0}},
        {"a lone CR breaks the line", "AB\rCD", 100, {"AB", "CD"}, {0, 20}},
        {"a line of its own for a leading CR LF", "\r\nA", 100, {"", "A"}, {0, 20}},
        {"double spaces", "AA  BB", 45, {"AA ", "BB"}, {0, 20}},
    };
    for (const Case& c : cases) {
        FixedMetricCanvas canvas;
        TWrappedTextResult result;
        const int32_t height =
            DrawWrappedTextRotated(canvas, c.text, {0, 0, c.width, 1000}, result, wtLeft | wtTop, 0);
        EXPECT_EQ(canvas.Texts(), c.lines) << c.what;
        std::vector<int32_t> tops;
        for (const auto& line : canvas.TextLines()) tops.push_back(line.at.y);
        EXPECT_EQ(tops, c.tops) << c.what;
        EXPECT_TRUE(result.Complete) << c.what;
        EXPECT_EQ(height, c.tops.empty() ? 0 : (c.tops.back() + 20) + (c.text.ends_with("\r\n") ? 20 : 0)) << c.what;
    }
}

TEST(WrappedText, PlacesLinesAndReportsWhatFits) {
    FixedMetricCanvas canvas;
    TWrappedTextResult result;
    // Right-aligned and centred lines.
    DrawWrappedTextRotated(canvas, "AAA BBB CCCCC", {0, 0, 80, 100}, result, wtRight, 0);
    DrawWrappedTextRotated(canvas, "AAA BBB CCCCC", {0, 0, 80, 100}, result, wtCenter, 0);
    const auto lines = canvas.TextLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].at.x, 10);  // 80 - 70
    EXPECT_EQ(lines[1].at.x, 30);  // 80 - 50
    EXPECT_EQ(lines[2].at.x, 5);
    EXPECT_EQ(lines[3].at.x, 15);

    // Bottom and centre: measured first, then drawn; the last line ends on the bottom.
    for (auto [flag, tops] : {std::pair{wtBottom, std::vector<int32_t>{160, 180}},
                              std::pair{wtVCenter, std::vector<int32_t>{80, 100}}}) {
        FixedMetricCanvas c;
        DrawWrappedTextRotated(c, "AAA BBB", {0, 0, 50, 200}, result, flag, 0);
        std::vector<int32_t> got;
        for (const auto& line : c.TextLines()) got.push_back(line.at.y);
        EXPECT_EQ(got, tops);
    }

    // Measuring draws nothing and gives the same height.
    FixedMetricCanvas measuring, drawing;
    TWrappedTextResult a, b;
    const int32_t measured = DrawWrappedTextRotated(measuring, "AAA BBB CCC\r\nD", {0, 0, 75, 200}, a, wtMeasureOnly, 0);
    EXPECT_TRUE(measuring.Calls().empty());
    EXPECT_EQ(measured, DrawWrappedTextRotated(drawing, "AAA BBB CCC\r\nD", {0, 0, 75, 200}, b, 0, 0));
    EXPECT_EQ(measured, 60);

    // Text that does not fit: the lines that fit, then Complete is false. The
    // first line is drawn even when the box is lower than a line.
    FixedMetricCanvas cut;
    DrawWrappedTextRotated(cut, "A B C D", {0, 0, 15, 50}, result, wtLeft, 0);
    EXPECT_EQ(cut.Texts(), (Texts{"A", "B"}));
    EXPECT_FALSE(result.Complete);
    FixedMetricCanvas low;
    DrawWrappedTextRotated(low, "A", {0, 0, 50, 5}, result, wtLeft, 0);
    EXPECT_EQ(low.Texts(), (Texts{"A"}));
    EXPECT_TRUE(result.Complete);

    // Whether the next line fits is checked after the line breaks and empty
    // lines that follow a line: a line below empty lines is never drawn past
    // the bottom, and breaks at the end of the text are not text left over.
    struct FitCase { const char* what; std::string text; int32_t height; Texts lines; bool complete; };
    const FitCase fits[] = {
        {"a line after an empty line that would end below the box", "A\r\n\r\nB", 50, {"A"}, false},
        {"the same line when the box is tall enough", "A\r\n\r\nB", 60, {"A", "B"}, true},
        {"a line break at the end of the text", "AB\r\n", 20, {"AB"}, true},
        {"empty lines at the end of the text", "AB\r\n\r\n\r\n", 20, {"AB"}, true},
    };
    for (const FitCase& c : fits) {
        FixedMetricCanvas fit;
        DrawWrappedTextRotated(fit, c.text, {0, 0, 100, c.height}, result, wtLeft, 0);
        EXPECT_EQ(fit.Texts(), c.lines) << c.what;
        EXPECT_EQ(result.Complete, c.complete) << c.what;
    }

    // Bounds: the lines, from the centre pinned inside the aligned edges.
    FixedMetricCanvas bounded;
    DrawWrappedTextRotated(bounded, "AB", {100, 100, 200, 200}, result, wtLeft | wtTop, 0);
    EXPECT_EQ(result.Bounds, (gdi::Rect{100, 100, 150, 150}));
    DrawWrappedTextRotated(bounded, "AB", {100, 100, 200, 200}, result, wtCenter | wtBottom, 0);
    EXPECT_EQ(result.Bounds, (gdi::Rect{140, 150, 160, 200}));
}

TEST(WrappedText, DeviceWithoutFontMetricsMeasuresOnTheScreen) {
    FixedMetricCanvas canvas;
    canvas.charWidth = 0;  // measures everything as 0 wide
    canvas.font().height = -11;
    TWrappedTextResult result;
    DrawWrappedTextRotated(canvas, "AAAA BBBB CCCC", {0, 0, 40, 500}, result, wtLeft, 0);
    EXPECT_EQ(canvas.Texts(), (Texts{"AAAA", "BBBB", "CCCC"}));
    const auto lines = canvas.TextLines();
    EXPECT_EQ(lines[1].at.y, gdi::TextEngine::MeasureMetrics(canvas.font()).height);
}

TEST(WrappedText, JustifiedLinesSpanTheWidthExactly) {
    FixedMetricCanvas canvas;
    TWrappedTextResult result;
    DrawWrappedTextRotated(canvas, "AA BB CC DD EE\r\nF G H\r\nAA BB CCCC\r\nABCDEFGHIJKL", {0, 0, 95, 400}, result,
                           wtJustify, 0);
    const auto lines = canvas.TextLines();
    ASSERT_EQ(canvas.Texts(), (Texts{"AA BB CC", "DD EE", "F G H", "AA BB", "CCCC", "ABCDEFGHI", "JKL"}));
    EXPECT_EQ(Sum(lines[0].dx), 95);  // 15 over two gaps: 7 and 8
    EXPECT_EQ(lines[0].dx[2], 17);
    EXPECT_EQ(lines[0].dx[5], 18);
    EXPECT_TRUE(lines[1].dx.empty());  // last line of its paragraph
    EXPECT_TRUE(lines[2].dx.empty());
    EXPECT_EQ(Sum(lines[3].dx), 95);  // one gap takes all 45
    EXPECT_TRUE(lines[5].dx.empty());  // no gap: plain widths
    EXPECT_EQ(result.Bounds.left, 0);
    EXPECT_EQ(result.Bounds.right, 95);

    // Any number of gaps adds up to the extra width.
    for (int32_t gaps = 1; gaps <= 9; ++gaps) {
        for (int32_t extra = 0; extra <= 23; ++extra) {
            std::u16string line;
            for (int32_t g = 0; g < gaps; ++g) line += u"A ";
            line += u"A";
            const std::vector<int32_t> widths(line.size(), 10);
            EXPECT_EQ(Sum(JustifiedAdvances(line, widths, extra)), 10 * static_cast<int32_t>(line.size()) + extra)
                << gaps << " gaps, " << extra;
        }
    }
}

TEST(WrappedText, TurnedBlockTurnsAboutTheCentre) {
    FixedMetricCanvas canvas;
    canvas.font().escapement = 123;
    TWrappedTextResult result;
    DrawWrappedTextRotated(canvas, "AB CD", {0, 0, 100, 100}, result, wtLeft | wtTop, 90);
    const auto lines = canvas.TextLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].at, (gdi::Point{100, 0}));  // (0, 0) a quarter turn clockwise about (50, 50)
    EXPECT_EQ(lines[0].escapement, -900);
    EXPECT_EQ(canvas.font().escapement, 0);
    EXPECT_EQ(canvas.Calls()[0].state.brush.style, gdi::BrushStyle::Null);
    EXPECT_EQ(canvas.Calls()[0].state.bkMode, gdi::BkMode::Transparent);
}

TEST(JustifiedText, WrapsAlignsAndMeasures) {
    struct Case {
        const char* what;
        std::string text;
        int32_t width;
        Texts lines;
    };
    const Case cases[] = {
        {"words", "AAA BBB CCC", 75, {"AAA BBB", "CCC"}},
        {"a word wider than the box", "ABCDEFGHIJ", 35, {"ABC", "DEF", "GHI", "J"}},
        {"characters wider than the box", "AB", 5, {"A", "B"}},
        {"empty line", "A B\r\n\r\nC", 100, {"A B", "", "C"}},
        {"a lone CR keeps the next character", "AB\rCD", 100, {"AB", "CD"}},
        {"a trailing CR", "AB\r", 100, {"AB"}},
        {"empty text: one empty line", "", 100, {""}},
    };
    for (const Case& c : cases) {
        FixedMetricCanvas canvas;
        const int32_t height = DrawJustifiedText(canvas, c.text, {0, 0, c.width, 1000}, 0, 0);
        EXPECT_EQ(canvas.Texts(), c.lines) << c.what;
        EXPECT_EQ(height, 20 * static_cast<int32_t>(c.lines.size())) << c.what;
    }

    FixedMetricCanvas none;
    EXPECT_EQ(DrawJustifiedText(none, "A", {0, 0, 0, 100}, 0, 0), 0);
    EXPECT_EQ(DrawJustifiedText(none, "A", {0, 0, 100, 0}, 0, 0), 0);
    EXPECT_TRUE(none.Calls().empty());

    // Alignments: centred, right, justified (not the paragraph's last line),
    // bottom and centre; clipped except stretched lines.
    FixedMetricCanvas canvas;
    EXPECT_EQ(DrawJustifiedText(canvas, "AA BB CC", {0, 0, 70, 100}, 2, 3), 100);  // down to the block's bottom
    DrawJustifiedText(canvas, "AB", {0, 0, 70, 100}, 1, 1);
    DrawJustifiedText(canvas, "AB", {0, 0, 70, 100}, 0, 2);
    EXPECT_EQ(DrawJustifiedText(canvas, "A B C D E F G H", {0, 0, 30, 50}, 0, 0), 50);  // at most the box
    const auto lines = canvas.TextLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0].text, "AA BB");
    EXPECT_EQ(lines[0].at, (gdi::Point{0, 60}));
    EXPECT_EQ(Sum(lines[0].dx), 70);
    EXPECT_EQ(canvas.Calls()[0].options & gdi::ETO_CLIPPED, 0u);
    EXPECT_EQ(lines[1].at, (gdi::Point{0, 80}));
    EXPECT_TRUE(lines[1].dx.empty());
    EXPECT_NE(canvas.Calls()[1].options & gdi::ETO_CLIPPED, 0u);
    EXPECT_EQ(lines[2].at, (gdi::Point{25, 40}));
    EXPECT_EQ(lines[3].at, (gdi::Point{50, 0}));
}
