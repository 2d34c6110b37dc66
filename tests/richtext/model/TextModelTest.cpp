#include "ModelFixtures.h"

#include "richtext/model/EngineSettings.h"
#include "richtext/model/ParExtra.h"
#include "richtext/model/TextHeader.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(TextModel, NewTextIsOneEmptyParagraph) {
    TRtRTFText text;
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.CountParagraphs(), 0);
    EXPECT_EQ(text.CountPages(), 0);
    EXPECT_EQ(text.FirstPar()->uniqueId, 1);
    EXPECT_EQ(text.FirstPar()->index, 0);
    EXPECT_EQ(text.FirstPar()->firstLine->Capacity(), 40u);
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(TextModel, LineCapacities) {
    TRtRTFText text;
    struct Case {
        int32_t size;
        uint32_t capacity;
    };
    for (const Case c : {Case{3, 8}, Case{8, 12}, Case{0, 8}, Case{9, 14}}) {
        TLine* line = nullptr;
        text.InsertLine(line, c.size);
        EXPECT_EQ(line->Capacity(), c.capacity) << c.size;
        delete line;
    }
    Fill(text, {"abcdefghij"});
    TLine* line = text.FirstPar()->firstLine;
    text.Cursor.offset = 10;
    EXPECT_TRUE(text.SetLineCapacity(line, 7));
    EXPECT_EQ(line->Capacity(), 8u);
    EXPECT_EQ(line->Length(), 7u);
    EXPECT_STREQ(line->Text(), "abcdefg");
    EXPECT_FALSE(text.SetLineCapacity(nullptr, 7));
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(TextModel, CursorIndexCountsParagraphEnds) {
    TRtRTFText text;
    Fill(text, {"ab", "cd"});
    text.Cursor = {Par(text, 1), Par(text, 1)->firstLine, 0};
    EXPECT_EQ(text.GetCursorIndex(), 3);
    text.SetCursorToIndex(99);
    EXPECT_EQ(text.Cursor.par, Par(text, 1));
    EXPECT_EQ(text.Cursor.offset, 2);
    text.SetCursorToIndex(2);
    EXPECT_EQ(text.Cursor.par, Par(text, 0));
    EXPECT_EQ(text.Cursor.offset, 2);
}

TEST(TextModel, CopyTextAndAttrsWithAndWithoutAttributes) {
    TRtRTFText text;
    Fill(text, {"ab", "cd"});
    char buffer[16] = {};
    EXPECT_EQ(text.CopyTextAndAttrs(buffer, nullptr, 16), 6);
    EXPECT_EQ(std::string(buffer), "ab\r\ncd");
    TAttr attrs[16];
    EXPECT_EQ(text.CopyTextAndAttrs(buffer, attrs, 16), 5);
    EXPECT_EQ(std::string(buffer), "ab\rcd");
    EXPECT_EQ(text.CopyTextAndAttrs(nullptr, nullptr, 0), 6);
    EXPECT_EQ(text.CopyTextAndAttrs(buffer, nullptr, 3), 3);  // stops at the maximum
}

TEST(TextModel, DeletingAtEndsOfParagraphsAndCells) {
    TRtRTFText text;
    Fill(text, {"ab", "cd"});
    TParagraph* last = Par(text, 1);
    EXPECT_FALSE(text.DeleteChar(last, last->firstLine, 2));  // end of the text
    EXPECT_EQ(TextOf(text), "ab|cd");

    TParagraph* first = Par(text, 0);
    first->flags |= pfTableCell;
    EXPECT_FALSE(text.DeleteChar(first, first->firstLine, 2));  // end of a cell
    first->flags &= ~pfTableCell;

    // A paragraph followed by a cell takes over the cell's record and formatting.
    last->flags |= pfTableCell;
    last->align = paralRight;
    text.GetParExtra(*last).width = 200;
    EXPECT_TRUE(text.DeleteChar(first, first->firstLine, 2));
    EXPECT_EQ(TextOf(text), "abcd");
    EXPECT_TRUE(text.FirstPar()->IsCell());
    EXPECT_EQ(text.FirstPar()->align, paralRight);
    ASSERT_NE(text.FirstPar()->extra, nullptr);
    EXPECT_EQ(text.FirstPar()->extra->width, 200);
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(TextModel, DeletingAnEmptyParagraphMovesTheCursorOn) {
    TRtRTFText text;
    Fill(text, {"ab", "", "cd"});
    TParagraph* empty = Par(text, 1);
    TParagraph* follower = Par(text, 2);
    text.Cursor = {empty, empty->firstLine, 0};
    EXPECT_TRUE(text.DeleteChar(empty, empty->firstLine, 0));
    EXPECT_EQ(TextOf(text), "ab|cd");
    EXPECT_EQ(text.Cursor.par, follower);
    EXPECT_EQ(follower->index, 1);
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(TextModel, InsertParagraphTextByIndex) {
    TRtRTFText text;
    text.InsertParagraphText(0, "a", nullptr, 1);
    EXPECT_EQ(TextOf(text), "a");
    text.InsertParagraphText(0, "b", nullptr, 1);
    EXPECT_EQ(TextOf(text), "b|a");
    text.InsertParagraphText(1, "c", nullptr, 1);
    EXPECT_EQ(TextOf(text), "b|a|c");
    text.InsertParagraphText(9, "d", nullptr, 1);
    EXPECT_EQ(TextOf(text), "b|a|c|d");
    text.DeleteParagraphByIndex(1);
    EXPECT_EQ(TextOf(text), "b|c|d");
    char buffer[8];
    EXPECT_EQ(text.GetParagraphText(2, buffer, 8), 1);
    EXPECT_EQ(text.GetParagraphLength(5), 0);
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(TextModel, SplitAtTheEndInheritsFormatting) {
    TRtRTFText text;
    Fill(text, {"xy"});
    TParagraph* p = text.FirstPar();
    p->leftIndent = 300;
    p->numberStyle = 6;
    p->numberValue = 4;
    p->border.flags = bfOn | bfBox | bfLastOfRun;
    TAttr bold = text.GetAttr(p->firstLine, 1);
    bold.style |= afsBold;
    text.PutAttr(p->firstLine, 1, bold);
    ASSERT_TRUE(text.SplitParagraph(p, p->firstLine, 2));
    TParagraph* created = p->next;
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(TextOf(text), "xy|");
    EXPECT_EQ(created->leftIndent, 300);
    EXPECT_EQ(created->numberValue, 5);
    EXPECT_TRUE(created->markAttr.Has(afsBold));
    EXPECT_TRUE(created->border.flags & bfLastOfRun);  // the end of the bordered run moves on
    EXPECT_FALSE(p->border.flags & bfLastOfRun);
    EXPECT_EQ(created->uniqueId, 2);
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(TextModel, SplitAtTheEndBeforeAnUnborderedParagraphDropsBorders) {
    TRtRTFText text;
    Fill(text, {"xy", "z"});
    TParagraph* p = text.FirstPar();
    p->border.flags = bfOn | bfBox;
    ASSERT_TRUE(text.SplitParagraph(p, p->firstLine, 2));
    EXPECT_EQ(p->next->border.flags, 0);
    // In the middle the new paragraph keeps them.
    ASSERT_TRUE(text.SplitParagraph(p, p->firstLine, 1));
    EXPECT_EQ(p->next->border.flags, bfOn | bfBox);
    EXPECT_EQ(TextOf(text), "x|y||z");
}

TEST(TextModel, RangeDeletionOverThreeParagraphs) {
    TRtRTFText text;
    Fill(text, {"abc", "def", "ghi", "jkl"});
    text.SetCursorToIndex(14);  // "jk|l"
    TParagraph* a = Par(text, 0);
    TParagraph* c = Par(text, 2);
    text.DeleteRange(a, c, 1, 1, c->firstLine, a->firstLine);
    EXPECT_EQ(TextOf(text), "ahi|jkl");
    EXPECT_EQ(Par(text, 1)->prev, text.FirstPar());
    EXPECT_EQ(text.GetCursorIndex(), 7);  // the former index no longer exists: the end
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(TextModel, ReplaceAndInsertWithinAPiece) {
    TRtRTFText text;
    Fill(text, {"hello"});
    TParagraph* p = text.FirstPar();
    EXPECT_EQ(text.ReplaceText(p, p->firstLine, nullptr, 3, "ABC", 1, 1), 2);
    EXPECT_EQ(TextOf(text), "hABCllo");
    EXPECT_EQ(text.ReplaceText(p, p->firstLine, nullptr, 0, "", 99, 3), -4);  // cut to the end
    EXPECT_EQ(TextOf(text), "hAB");
    EXPECT_EQ(text.InsertString(p, p->firstLine, "xy", 0, 0), 2);
    EXPECT_EQ(TextOf(text), "xyhAB");
    text.InsertMode = false;
    EXPECT_TRUE(text.InsertChar(p, nullptr, nullptr, 'Z', 0));
    EXPECT_TRUE(text.InsertChar(p, nullptr, nullptr, '!', 5));  // overwriting at the end appends
    EXPECT_EQ(TextOf(text), "ZyhAB!");
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(TextModel, LockedCellRefusesTypingWithABeep) {
    TRtRTFText text;
    TParagraph* p = text.FirstPar();
    p->flags |= pfTableCell;
    text.GetParExtra(*p).cellFlags = kCellTypingLocked;
    int beeps = 0;
    RtEngine().Beep = [&beeps] { ++beeps; };
    EXPECT_FALSE(text.InsertChar(p, p->firstLine, nullptr, 'a', 0));
    EXPECT_EQ(beeps, 1);
    RtEngine().Beep = nullptr;
}

TEST(TextModel, PiecesGrowPast16BitLengthsWithoutWrapping) {
    TRtRTFText text;
    TParagraph* p = text.FirstPar();
    p->flags |= pfNoWrap;
    const int32_t count = 70000;
    for (int32_t i = 0; i < count; ++i) ASSERT_TRUE(text.InsertChar(p, p->firstLine, nullptr, char('a' + i % 26), i));
    EXPECT_EQ(p->firstLine->Length(), uint32_t(count));
    EXPECT_GT(p->firstLine->Capacity(), uint32_t(count));
    EXPECT_EQ(TRtRTFText::ParagraphLength(p), count);
    EXPECT_TRUE(text.DeleteChar(p, p->firstLine, 65536));
    EXPECT_EQ(p->firstLine->CharAt(65536), char('a' + 65537 % 26));
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(TextModel, PiecesJoinAndSplit) {
    TRtRTFText text;
    Fill(text, {"abcdef"});
    TParagraph* p = text.FirstPar();
    text.SplitLinePiece(p->firstLine, 3);
    ASSERT_NE(p->firstLine->next, nullptr);
    EXPECT_STREQ(p->firstLine->Text(), "abc");
    EXPECT_STREQ(p->firstLine->next->Text(), "def");
    // Deleting at the end of a piece deletes the first character of the next one.
    EXPECT_TRUE(text.DeleteChar(p, p->firstLine, 3));
    EXPECT_EQ(TextOf(text), "abcef");
    EXPECT_EQ(p->firstLine->next, nullptr);
    text.InsertLineText(p, 2, nullptr, "XY");
    EXPECT_EQ(TextOf(text), "abXYcef");
    text.InsertLineText(p, 0, nullptr, "<");
    EXPECT_EQ(TextOf(text), "<abXYcef");
    text.ClearParText(p, 1, 5);
    EXPECT_EQ(TextOf(text), "<cef");
    char copy[8];
    EXPECT_EQ(text.CopyParChars(p, 1, copy, 2), 2);
    EXPECT_STREQ(copy, "ce");
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(TextModel, ChangesAreToldToSubscribers) {
    TRtRTFText text;
    Fill(text, {"ab", "cd"});
    std::vector<TTextChange> changes;
    const int32_t id = text.Subscribe([&changes](const TTextChange& c) { changes.push_back(c); });
    TParagraph* second = Par(text, 1);
    text.InsertChar(second, second->firstLine, nullptr, 'x', 1);
    text.SplitParagraph(second, second->firstLine, 2);
    text.DeleteChar(text.FirstPar(), text.FirstPar()->firstLine, 2);
    const std::vector<TTextChange> expected = {{1, 1, 0, 1}, {1, 2, 0, 1}, {0, 2, 1, 0}};
    EXPECT_EQ(changes, expected);
    text.Unsubscribe(id);
    text.Clear();
    EXPECT_EQ(changes.size(), 3u);
}

TEST(TextModel, WordsAndNames) {
    TRtRTFText text;
    Fill(text, {"  hello, world"});
    TParagraph* p = text.FirstPar();
    text.SplitLinePiece(p->firstLine, 4);
    EXPECT_EQ(text.GetWordAt(p->firstLine, 0), "hello");  // crosses the piece boundary
    EXPECT_EQ(text.GetWordAt(p->firstLine->next, 3), "world");
    EXPECT_EQ(text.FindOrAddName("Intro"), 1);
    EXPECT_EQ(text.FindOrAddName("INTRO"), 1);
    EXPECT_EQ(text.FindOrAddName(nullptr), 0);
    EXPECT_EQ(text.GetNameByIndex(1), "intro");
    EXPECT_EQ(text.GetNameByIndex(2), "");
    EXPECT_EQ(text.GetColor(1), 0x0000FFu);
    EXPECT_EQ(text.GetColor(255), 0u);
}

TEST(TextModel, TextModeSwitchesAttributeArrays) {
    TRtRTFText text;
    Fill(text, {"abc", "de"});
    text.SetTextMode(1);
    EXPECT_FALSE(text.IsAttrMode());
    EXPECT_FALSE(text.FirstPar()->firstLine->HasAttrs());
    EXPECT_EQ(text.CheckInvariants(), "");
    text.SetTextMode(0);
    EXPECT_TRUE(text.FirstPar()->firstLine->HasAttrs());
    EXPECT_EQ(text.GetAttr(text.FirstPar()->firstLine, 0).width, 16);
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(TextModel, UnusedTabsAreDropped) {
    TRtRTFText text;
    Fill(text, {"a", "b"});
    TTextHeader& h = text.Header();
    h.NoTabRounding = true;
    const int32_t used = h.AddTab(1000, 0);
    h.NoTabRounding = true;
    const int32_t unused = h.AddTab(2000, 0);
    text.FirstPar()->tabs = uint64_t(1) << used;
    int notified = 0;
    text.OnTabChange = [&notified](int32_t) { ++notified; };
    text.DropUnreferencedTabs();
    EXPECT_EQ(h.Tabs[unused].position, 0);
    EXPECT_EQ(h.Tabs[used].position, 1000);
    EXPECT_EQ(notified, 0);
    text.DropUnreferencedTabs();
    EXPECT_EQ(notified, 1);
}

TEST(TextModel, ClearStartsAgainWithIdOne) {
    TRtRTFText text;
    Fill(text, {"a", "b", "c"});
    text.Clear();
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.FirstPar()->uniqueId, 1);
    EXPECT_EQ(text.FirstPar()->firstLine->Capacity(), 100u);
    EXPECT_EQ(text.CheckInvariants(), "");
}
