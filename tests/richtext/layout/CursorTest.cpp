// Moving the cursor by the editor's codes over a small text: a wrapped
// paragraph, a paragraph of words and punctuation, and a last line.
#include "LayoutFixtures.h"

#include "richtext/layout/RtRTFTextInput.h"

#include <gtest/gtest.h>

namespace {

struct TCursorText : TLaidOutAs<TRtRTFTextInput> {
    explicit TCursorText(const std::vector<std::string>& pars) {
        SetWidthInChars(11);
        Fill(pars);
        Layout();
    }
    void At(int32_t par, int32_t offset) {
        TLine* line = TRtRTFText::LocateInParagraph(Par(par), offset);
        if (offset == int32_t(line->Length()) && line->next) {
            line = line->next;
            offset = 0;
        }
        text.Cursor = {Par(par), line, offset};
        text.UpdateCaretPos();
        text.GoalColumn = text.CaretX;
    }
    std::pair<int32_t, int32_t> Where() const {
        int32_t index = 0;
        for (TParagraph* p = text.FirstPar(); p && p != text.Cursor.par; p = p->next) ++index;
        return {index, TRtRTFText::OffsetInParagraph(text.Cursor.par, text.Cursor.line, text.Cursor.offset)};
    }
};

}  // namespace

TEST(Cursor, MovementCodes) {
    // "first line " / "wraps here" | "ab, cd" | "end"
    struct Case {
        const char* name;
        int32_t code, par, offset, toPar, toOffset;
    };
    const Case cases[] = {
        {"right", 7, 0, 2, 0, 3},
        {"right from the last step of a wrapped line", 7, 0, 10, 0, 11},
        {"right at the end of a paragraph", 7, 1, 6, 2, 0},
        {"right at the end of the text", 7, 2, 3, 2, 3},
        {"left", 6, 0, 2, 0, 1},
        {"left from a wrapped line's start", 6, 0, 11, 0, 10},
        {"left from a paragraph's start", 6, 1, 0, 0, 21},
        {"left at the start of the text", 6, 0, 0, 0, 0},
        {"down keeps the column", 9, 0, 3, 0, 14},
        {"down into the next paragraph", 9, 0, 13, 1, 2},
        {"down on the last line", 9, 2, 1, 2, 1},
        {"up into the previous paragraph", 8, 1, 2, 0, 13},
        {"up on the first line", 8, 0, 4, 0, 4},
        {"line start of a wrapped line", 0, 0, 14, 0, 11},
        {"line end of a wrapped line", 1, 0, 3, 0, 10},
        {"line end of a paragraph", 1, 1, 2, 1, 6},
        {"text start", 4, 2, 2, 0, 0},
        {"text end", 5, 0, 2, 2, 3},
        {"word right over a word", 11, 1, 0, 1, 2},
        {"word right over punctuation and a blank", 11, 1, 2, 1, 4},
        {"word right at a paragraph's end", 11, 1, 6, 2, 0},
        {"word right on the last line stops at its end", 11, 2, 1, 2, 3},
        {"word left over a word", 10, 1, 6, 1, 4},
        {"word left over a blank and punctuation", 10, 1, 4, 1, 2},
        {"word left at a paragraph's start", 10, 1, 0, 0, 21},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TCursorText t({"first line wraps here", "ab, cd", "end"});
        ASSERT_EQ(LinesOf(t.Par(0)), (std::vector<std::string>{"first line ", "wraps here"}));
        t.At(c.par, c.offset);
        t.text.MoveCursor(c.code, false);
        EXPECT_EQ(t.Where(), std::make_pair(c.toPar, c.toOffset));
    }
}

TEST(Cursor, CountsHiddenCharactersAndTheSelection) {
    TCursorText t({"first line wraps here", "end"});
    // Left with a count stops at the line change.
    t.At(0, 11);
    t.text.CursorLeft(3, false, false);
    EXPECT_EQ(t.Where(), std::make_pair(0, 10));
    // Extending and shrinking the selection back to its anchor leaves it empty.
    t.At(1, 0);
    t.text.MoveCursor(7, true);
    t.text.MoveCursor(7, true);
    int32_t start = 0;
    int32_t length = 0;
    ASSERT_TRUE(t.text.GetSelPosLen(start, length));
    EXPECT_EQ(start, 22);
    EXPECT_EQ(length, 2);
    t.text.MoveCursor(6, true);
    t.text.MoveCursor(6, true);
    ASSERT_TRUE(t.text.GetSelPosLen(start, length));
    EXPECT_EQ(length, 0);
    // A move without extending drops the anchor: the next extension starts anew.
    t.text.MoveCursor(7, false);
    t.text.MoveCursor(7, true);
    ASSERT_TRUE(t.text.GetSelPosLen(start, length));
    EXPECT_EQ(start, 23);
    EXPECT_EQ(length, 1);

    TCursorText h({"abc"});
    SetStyle(h.text, h.Par(0), 1, 2, afsHidden);
    h.text.Reformat();
    h.At(0, 0);
    h.text.MoveCursor(7, false);
    EXPECT_EQ(h.Where(), std::make_pair(0, 2));
}
