#include "LayoutFixtures.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(LineBreak, GoldenLineLists) {
    struct Case {
        const char* name;
        std::string text;
        int32_t width;
        Lines lines;
    };
    // A character that would reach the right edge exactly does not fit: a
    // line of width n holds n - 1 characters.
    const Case cases[] = {
        {"words", "aaa bbb ccc ddd", 9, {"aaa bbb ", "ccc ddd"}},
        {"blank at index 1 is no break", "a bcdefghijk", 6, {"a bcd", "efghi", "jk"}},
        {"blank at index 0 is no break", " abcdefgh", 6, {" abcd", "efgh"}},
        {"blank at index 2 is a break", "ab cdefgh", 6, {"ab ", "cdefg", "h"}},
        {"a word longer than the line is cut", "abcdefghijkl", 6, {"abcde", "fghij", "kl"}},
        {"trailing blanks hang past the limit", "abc      def", 6, {"abc      ", "def"}},
        {"a tab at index 1 takes the character after it", "a\tbcdefgh", 3, {"a\tb", "cd", "ef", "gh"}},
        {"a line break ends the line", "ab\ncd", 10, {"ab\n", "cd"}},
        {"a line break at the end is followed by an empty line", "abc\n", 10, {"abc\n", ""}},
    };
    for (const Case& c : cases) {
        TLaidOutText t;
        t.SetWidthInChars(c.width);
        t.text.Header().SetDefaultTabstop(20);
        t.Fill({c.text});
        t.Layout();
        EXPECT_EQ(LinesOf(t.Par(0)), c.lines) << c.name;
        EXPECT_EQ(t.text.CheckInvariants(), "") << c.name;
    }
}

// Shift-JIS text: "\x82\xA0" is one character of two bytes.
TEST(LineBreak, DoubleByteCharactersAreNeverSplit) {
    struct Case {
        const char* name;
        uint8_t options;
        std::string text;
        int32_t width;
        Lines lines;
    };
    const std::string ka = "\x82\xA0";
    const Case cases[] = {
        {"bytes alone without double-byte mode", 0, "a" + ka + ka, 5, {"a\x82\xA0\x82", "\xA0"}},
        {"a lead byte at the limit goes to the next line", rtdb_Enabled, "a" + ka + ka, 5, {"a" + ka, ka}},
        {"a line of one lead byte takes its trail byte", rtdb_Enabled, ka + ka, 1, {ka, ka}},
        {"pairs measured as one string", rtdb_Enabled | rtdb_CalcCharWidth, ka + ka + ka, 7, {ka + ka, ka}},
        {"the same bytes measured alone", rtdb_Enabled, ka + ka + ka, 7, {ka + ka + ka}},
    };
    for (const Case& c : cases) {
        TLaidOutText t;
        t.SetWidthInChars(c.width);
        t.text.Header().Fonts[0].charset = 128;
        t.text.DoubleByteOptions = c.options;
        t.Fill({c.text});
        t.Layout();
        EXPECT_EQ(LinesOf(t.Par(0)), c.lines) << c.name;
        EXPECT_EQ(t.text.CheckInvariants(), "") << c.name;
    }
}

TEST(LineBreak, DoubleByteMarksAndPairWidths) {
    TLaidOutText t;
    t.SetWidthInChars(20);
    t.text.Header().Fonts[0].charset = 128;
    t.text.DoubleByteOptions = rtdb_Enabled | rtdb_CalcCharWidth;
    t.Fill({"a\x82\xA0\xB1"});  // 0xB1 is a single-byte katakana, no lead byte
    t.Layout();
    TLine* line = t.Par(0)->firstLine;
    const uint32_t pairStyles = afsDBCSOne | afsDBCSTwo;
    const uint32_t styles[] = {0, afsDBCSOne, afsDBCSTwo, 0};
    const int32_t widths[] = {10, 29, 1, 10};
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(t.text.GetAttr(line, i).style & pairStyles, styles[i]) << i;
        EXPECT_EQ(line->WidthAt(uint32_t(i)), widths[i]) << i;
    }
}

TEST(LineBreak, DeletedCharactersDisappear) {
    TLaidOutText t;
    t.SetWidthInChars(20);
    t.Fill({"abcdef"});
    SetStyle(t.text, t.Par(0), 2, 4, afsDelete);
    t.Layout();
    EXPECT_EQ(LinesOf(t.Par(0)), (Lines{"abef"}));
}

TEST(LineBreak, SoftHyphenationPointIsUsedWithoutHook) {
    TLaidOutText t;
    t.SetWidthInChars(9);
    t.text.EditOptions |= rtUseHyphenation;
    t.Fill({"xx abcdefghij"});
    SetStyle(t.text, t.Par(0), 6, 7, afsHyphen);  // a hyphen may stand before "d"
    t.Layout();
    EXPECT_EQ(LinesOf(t.Par(0)), (Lines{"xx abc", "defghij"}));
    EXPECT_TRUE(t.Par(0)->firstLine->flags & lfHyphenEnd);
}

TEST(LineBreak, HyphenationHookCountIsClampedToTheRecord) {
    TLaidOutText t;
    t.SetWidthInChars(9);
    t.text.EditOptions |= rtUseHyphenation;
    t.text.OnHyphenate = [](const std::string& word, int32_t, THyphenPoints& points, int32_t& count) {
        EXPECT_EQ(word, "abcdefghij");
        points = {1, 2, 3, 4, 5, 6, 7, 2};
        count = 200;  // more than the record holds
    };
    t.Fill({"xx abcdefghij"});
    t.Layout();
    EXPECT_EQ(LinesOf(t.Par(0)), (Lines{"xx ab", "cdefghij"}));
}

TEST(LineBreak, JustifiedLinesStretchTheirInnerBlanks) {
    TLaidOutText t;
    t.SetWidthInChars(11);
    t.Fill({"aa bb cc dd ee ff"});
    t.Par(0)->align = paralBlock;
    t.Layout();
    ASSERT_EQ(LinesOf(t.Par(0)), (Lines{"aa bb cc ", "dd ee ff"}));
    const TLine* first = t.Par(0)->firstLine;
    // The two inner blanks fill the line: 110 px less the 60 px of the words;
    // the third blank hangs.
    EXPECT_EQ(first->justFirst, 0);
    EXPECT_EQ(first->justAdd, 25);
    EXPECT_EQ(first->justRest, 0);
    // The last line is not stretched unless the paragraph says so.
    EXPECT_EQ(first->next->justAdd, 0);
    t.Par(0)->flags |= pfJustifyLast;
    t.Layout();
    EXPECT_GT(t.Par(0)->firstLine->next->justAdd, 0);
}

TEST(LineBreak, BlanksBeforeTheLastTabAreNotStretched) {
    TLaidOutText t;
    t.SetWidthInChars(20);
    t.text.Header().SetDefaultTabstop(100);
    t.Fill({"a b\tcc dd ee ff gg hh ii"});
    t.Par(0)->align = paralBlock;
    t.Layout();
    EXPECT_EQ(t.Par(0)->firstLine->justFirst, 4);
}

TEST(LineBreak, StoredLengthModeReproducesTheOldLines) {
    TLaidOutText t;
    t.SetWidthInChars(8);
    t.Fill({"aaa bbb ccc ddd eee"});
    t.Layout();
    const Lines before = LinesOf(t.Par(0));
    t.text.KeepScreenLineBreaks = true;
    t.SetWidthInChars(40);
    EXPECT_EQ(LinesOf(t.Par(0)), before);
    t.Par(0)->firstLine->next->flags |= lfPageStart;
    t.text.RewrapPar(t.Par(0));
    EXPECT_EQ(LinesOf(t.Par(0)), before);
    EXPECT_TRUE(t.Par(0)->firstLine->next->flags & lfPageStart);
}

TEST(LineBreak, ChangeCodes) {
    TLaidOutText t;
    t.SetWidthInChars(11);
    t.Fill({"aaaa bbbb cccc"});
    t.Layout();
    uint8_t change = 9;
    t.text.WrapParagraph(t.Par(0), true, change);
    EXPECT_EQ(change, 0) << "nothing changed";
    ASSERT_EQ(LinesOf(t.Par(0)), (Lines{"aaaa bbbb ", "cccc"}));
    // A word moves to the next line: the same lines, with new content.
    const auto typeAtStart = [&](const char* text) {
        for (const char* c = text; *c; ++c) t.text.InsertChar(t.Par(0), t.Par(0)->firstLine, nullptr, *c, 0);
        t.text.MeasurePar(t.Par(0));
        t.text.WrapParagraph(t.Par(0), true, change);
    };
    typeAtStart("zz");
    ASSERT_EQ(LinesOf(t.Par(0)), (Lines{"zzaaaa ", "bbbb cccc"}));
    EXPECT_EQ(change, 1);
    EXPECT_TRUE(t.Par(0)->firstLine->flags & lfChanged);
    EXPECT_TRUE(t.Par(0)->firstLine->next->flags & lfChanged);
    // One more line: the paragraph's height differs.
    typeAtStart("zzzzzz");
    ASSERT_EQ(LinesOf(t.Par(0)).size(), 3u);
    EXPECT_EQ(change, 3);
}

TEST(LineBreak, CursorAndSelectionFollowTheirCharacters) {
    TLaidOutText t;
    t.SetWidthInChars(40);
    t.Fill({"aaaa bbbb cccc dddd"});
    t.Layout();
    TParagraph* p = t.Par(0);
    t.text.Cursor = {p, p->firstLine, 12};
    t.text.SelStart = {p, p->firstLine, 5};
    t.text.SelEnd = {p, p->firstLine, 14};
    t.SetWidthInChars(11);
    t.Layout();
    ASSERT_EQ(LinesOf(p), (Lines{"aaaa bbbb ", "cccc dddd"}));
    EXPECT_EQ(t.text.Cursor.line, p->firstLine->next);
    EXPECT_EQ(t.text.Cursor.offset, 2);
    EXPECT_EQ(t.text.SelStart.line, p->firstLine);
    EXPECT_EQ(t.text.SelStart.offset, 5);
    EXPECT_EQ(t.text.SelEnd.offset, 4);
    EXPECT_TRUE(p->firstLine->flags & lfInSelection);
    EXPECT_TRUE(p->firstLine->next->flags & lfInSelection);
    // A cursor at the end of a line with a follower goes to the start of the next.
    t.text.Cursor = {p, p->firstLine, 10};
    t.text.RewrapPar(p);
    EXPECT_EQ(t.text.Cursor.line, p->firstLine->next);
    EXPECT_EQ(t.text.Cursor.offset, 0);
    EXPECT_EQ(t.text.CheckInvariants(), "");
}

TEST(LineBreak, NoWrapParagraphNeverBreaksForWidth) {
    TLaidOutText t;
    t.SetWidthInChars(5);
    t.Fill({"aaaa bbbb cccc dddd"});
    t.Par(0)->flags |= pfNoWrap;
    t.Layout();
    EXPECT_EQ(LinesOf(t.Par(0)).size(), 1u);
}
