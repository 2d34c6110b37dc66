// Hit-testing: the x of a character and the character under an x agree with
// the places the painter draws the glyphs at; the line under a point; the
// cursor from a point; the selection by absolute indices.
#include "LayoutFixtures.h"

#include <gtest/gtest.h>

namespace {

struct THitText : TLaidOutText {
    THitText(const std::vector<std::string>& pars, int32_t widthInChars) {
        SetWidthInChars(widthInChars);
        Fill(pars);
        Layout();
    }
    // The x of every glyph the painter draws on the first line of a paragraph.
    std::vector<int32_t> PaintedXs(int32_t par) {
        canvas.Clear();
        text.PaintLine(Par(par), Par(par)->firstLine);
        std::vector<int32_t> xs;
        for (const gdi::RecordedCall& c : canvas.Calls()) {
            if (c.op != gdi::RecordedCall::Op::Text || c.text == u"\u00B6") continue;
            int32_t x = c.points[0].x;
            for (size_t k = 0; k < c.text.size(); ++k) {
                xs.push_back(x);
                x += k < c.dx.size() ? c.dx[k] : 0;
            }
        }
        return xs;
    }
};

}  // namespace

TEST(HitTest, CharacterXsMeetThePaintedGlyphsInEveryAlignment) {
    for (uint8_t align : {paralLeft, paralCenter, paralRight, paralBlock}) {
        SCOPED_TRACE(int(align));
        THitText t({"aa bb cc dd ee ff gg hh", "x"}, 12);
        t.Par(0)->align = align;
        t.Par(0)->MarkChanged();
        t.Layout();
        TLine* line = t.Par(0)->firstLine;
        const std::vector<int32_t> xs = t.PaintedXs(0);
        ASSERT_EQ(xs.size(), line->Length());
        for (uint32_t i = 0; i < line->Length(); ++i) {
            EXPECT_EQ(t.text.CharIndexToX(t.Par(0), line, int32_t(i)), xs[i]) << i;
            // A click on the left half of a glyph is before it, on its right half after it.
            EXPECT_EQ(t.text.CharIndexAtX(t.Par(0), line, xs[i] + 2), int32_t(i));
        }
    }
}

TEST(HitTest, ClicksBehindLinesAndBelowTheText) {
    THitText t({"first line wraps here", "end"}, 11);
    TParagraph* par = t.Par(0);
    TLine* first = par->firstLine;
    ASSERT_NE(first->next, nullptr);
    // Behind a wrapped line the cursor stays on that line; behind a paragraph's last line it goes to its end.
    EXPECT_EQ(t.text.CharIndexAtX(par, first, 100000), int32_t(first->Length()) - 1);
    EXPECT_EQ(t.text.CharIndexAtX(par, first->next, 100000), int32_t(first->next->Length()));
    EXPECT_EQ(t.text.CharIndexAtX(par, first, -500), 0);

    TParagraph* p = nullptr;
    TLine* l = nullptr;
    EXPECT_TRUE(t.text.FindLineAtPos(p, l, 0, first->next->yPos + 1));
    EXPECT_EQ(p, par);
    EXPECT_EQ(l, first->next);
    EXPECT_TRUE(t.text.FindLineAtPos(p, l, 0, t.Par(1)->firstLine->yPos));
    EXPECT_EQ(p, t.Par(1));
    EXPECT_FALSE(t.text.FindLineAtPos(p, l, 0, 1000000));
    EXPECT_EQ(p, t.Par(1));
    EXPECT_EQ(l, t.Par(1)->firstLine);

    const int32_t x = t.text.CharIndexToX(par, first->next, 3);
    EXPECT_TRUE(t.text.SetCursorFromPoint(x + 1, first->next->yPos + 2, false, true));
    EXPECT_EQ(t.text.Cursor.line, first->next);
    EXPECT_EQ(t.text.Cursor.offset, 3);
}

TEST(HitTest, SelectionByIndexRoundTrips) {
    THitText t({"first line wraps here", "second", "third"}, 11);
    struct Case {
        int32_t start, length;
    };
    for (const Case c : {Case{0, 5}, Case{6, 10}, Case{18, 8}, Case{22, 7}, Case{3, 1000}}) {
        t.text.SetSelection(c.start, c.length);
        int32_t start = -1;
        int32_t length = -1;
        ASSERT_TRUE(t.text.GetSelPosLen(start, length));
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(length, std::min(c.length, 21 + 1 + 6 + 1 + 5 - c.start));
    }
    t.text.SetSelection(4, 0);
    int32_t start = 0;
    int32_t length = 0;
    EXPECT_FALSE(t.text.GetSelPosLen(start, length));
}
