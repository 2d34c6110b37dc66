// Typing through the editing layer: each scenario edits a small fixture,
// checks the text, and undoes back to the original.
#include "LayoutFixtures.h"

#include "richtext/layout/RtRTFTextInput.h"
#include "richtext/model/ParExtra.h"
#include "richtext/model/TextOptions.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Throws from the layout while armed, as a broken hook would.
class TTypedText : public TRtRTFTextInput {
public:
    int32_t GetNumberLabelWidth(const TParagraph* par, const TLine* line) override {
        if (failNext) {
            failNext = false;
            throw std::runtime_error("hook failed");
        }
        return TRtRTFTextInput::GetNumberLabelWidth(par, line);
    }
    bool failNext = false;
};

struct TTyping : TLaidOutAs<TTypedText> {
    std::string original;

    explicit TTyping(const std::vector<std::string>& pars) {
        text.EditOptions |= rtActivateUndo;
        SetWidthInChars(40);
        Fill(pars);
        Layout();
        text.ClearUndo();
        original = TextOf(text);
    }
    void At(int32_t par, int32_t offset) {
        TLine* line = TRtRTFText::LocateInParagraph(Par(par), offset);
        text.Cursor = {Par(par), line, offset};
    }
    void AddRow() {
        std::vector<TRtRowCell> cells(2);
        cells[0].text = "c1";
        cells[1].text = "c2";
        TParagraph* last = text.GetLastParagraph();
        text.ApplyRowRecord(last, 2, cells.data());
        text.Reformat();
        text.ClearUndo();
        original = TextOf(text);
    }
    void UndoAll() {
        while (text.Undo()) {
        }
        EXPECT_EQ(TextOf(text), original);
    }
};

}  // namespace

TEST(Typing, ScenariosEndWithUndoBackToTheOriginal) {
    struct Case {
        const char* name;
        int32_t par, offset;
        const char* keys;
        const char* expected;
        int32_t cursorPar, cursorOffset;
    };
    const Case cases[] = {
        {"characters in the middle", 0, 3, "xyz", "Labxyzels|second|third", 0, 6},
        {"backspace inside a word", 0, 3, "\b\b", "Lels|second|third", 0, 1},
        {"backspace joins with the paragraph before", 1, 0, "\b", "Labelssecond|third", 0, 6},
        {"delete joins the next paragraph", 0, 6, "\x7f", "Labelssecond|third", 0, 6},
        {"enter splits the paragraph", 1, 3, "\r", "Labels|sec|ond|third", 2, 0},
        {"enter at the start makes an empty paragraph before", 0, 0, "\r", "|Labels|second|third", 1, 0},
        {"typing, then enter, then more typing", 2, 5, "!\rnew", "Labels|second|third!|new", 3, 3},
        {"backspace at the start of the text deletes nothing", 0, 0, "\b", "Labels|second|third", 0, 0},
        {"delete at the end of the text deletes nothing", 2, 5, "\x7f", "Labels|second|third", 2, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTyping t({"Labels", "second", "third"});
        t.At(c.par, c.offset);
        t.text.InputString(c.keys);
        EXPECT_EQ(TextOf(t.text), c.expected);
        EXPECT_EQ(t.text.Cursor.par, t.Par(c.cursorPar));
        EXPECT_EQ(TRtRTFText::OffsetInParagraph(t.text.Cursor.par, t.text.Cursor.line, t.text.Cursor.offset),
                  c.cursorOffset);
        t.UndoAll();
    }
}

TEST(Typing, ASelectionIsReplacedByWhatIsTyped) {
    TTyping t({"Labels", "second", "third"});
    t.text.SetSelection(3, 7);  // "els|sec"
    t.At(1, 3);
    t.text.InputString("X");
    EXPECT_EQ(TextOf(t.text), "LabXond|third");
    EXPECT_FALSE(t.text.HasSelection());
    t.UndoAll();

    t.text.SetSelection(2, 2);
    t.text.InputString("\b");
    EXPECT_EQ(TextOf(t.text), "Lals|second|third");  // the backspace takes the selection only
    t.UndoAll();
}

TEST(Typing, TablesAreNeverSplitOrJoined) {
    TTyping t({"before"});
    t.AddRow();
    TParagraph* cell = t.Par(1);
    ASSERT_TRUE(cell->IsCell());
    // Enter in a cell makes a line break.
    t.At(1, 1);
    t.text.InputString("\r");
    EXPECT_EQ(TRtRTFText::ParagraphString(cell), std::string("c\n1"));
    t.UndoAll();
    // A page break in a row toggles its first cell's break.
    t.At(2, 1);
    t.text.InputString("\f");
    EXPECT_TRUE(cell->Has(pfPageBreak));
    t.text.InputString("\f");
    EXPECT_FALSE(cell->Has(pfPageBreak));
    t.UndoAll();
    // Delete at the end of a paragraph before a table takes the cell's first character.
    t.At(0, 6);
    t.text.InputString("\x7f");
    EXPECT_EQ(TextOf(t.text), "before|1|c2");
    EXPECT_EQ(t.text.Cursor.par, t.Par(1));
    t.UndoAll();
    // Backspace at the start of a cell deletes nothing.
    t.At(2, 0);
    t.text.InputString("\b");
    EXPECT_EQ(TextOf(t.text), t.original);
}

TEST(Typing, HiddenTextEmptyLastParagraphsAndFailures) {
    TTyping t({"Labels", ""});
    t.At(0, 2);
    t.text.CurrentAttr.style |= afsHidden;
    t.text.InputString("zz");
    EXPECT_EQ(TextOf(t.text), "Labels|");
    t.text.CurrentAttr.style &= ~afsHidden;

    TParagraph* last = t.Par(1);
    last->border.flags = bfOn | bfBox;
    last->tabs = 3;
    t.At(1, 0);
    t.text.InputString("\x7f");
    EXPECT_EQ(TextOf(t.text), "Labels|");
    EXPECT_EQ(last->border.flags, 0);
    EXPECT_EQ(last->tabs, 0u);
    t.text.Undo();
    EXPECT_EQ(last->tabs, 3u);

    // A failure inside typing does not reach the caller: the cursor goes to the start of the text.
    t.At(0, 3);
    t.text.failNext = true;
    EXPECT_EQ(t.text.TypeString("q"), rlWindow);
    EXPECT_EQ(t.text.Cursor.par, t.Par(0));
    EXPECT_EQ(t.text.Cursor.offset, 0);
    t.text.InputString("ok");
    EXPECT_EQ(TRtRTFText::ParagraphString(t.Par(0)).substr(0, 2), "ok");
}

TEST(Typing, DeletingSelectionsAcrossLinesParagraphsAndTables) {
    struct Case {
        const char* name;
        int32_t start, length;
        const char* keys;
        const char* expected;
    };
    // "alpha beta gamma" | "c1" "c2" (one row) | "after"
    const Case cases[] = {
        {"a word with the delete key takes one blank along", 6, 4, "\x7f", "alpha gamma|c1|c2|after"},
        {"typed over, the blank stays", 6, 4, "X", "alpha X gamma|c1|c2|after"},
        {"into a cell: the row stays, its covered text goes", 11, 8, "\x7f", "alpha beta ||c2|after"},
        {"out of a cell into the next paragraph", 21, 3, "\x7f", "alpha beta gamma|c1|c|fter"},
        {"over the whole table: it goes", 16, 7, "\x7f", "alpha beta gammaafter"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTyping t({"alpha beta gamma"});
        t.AddRow();
        TParagraph* last = t.text.GetLastParagraph();
        t.text.InsertParagraphAfter(last, 8);
        t.text.InsertLineText(t.text.GetLastParagraph(), 0, nullptr, "after");
        t.text.Reformat();
        t.text.ClearUndo();
        t.original = TextOf(t.text);
        ASSERT_EQ(t.original, "alpha beta gamma|c1|c2|after");
        t.text.SetSelection(c.start, c.length);
        t.text.InputString(c.keys);
        EXPECT_EQ(TextOf(t.text), c.expected);
        EXPECT_FALSE(t.text.HasSelection());
        t.UndoAll();
    }
}

TEST(Typing, MarkedCellsGoToTheEditorsCellClearing) {
    TTyping t({"text"});
    t.AddRow();
    t.text.CellsMarked = true;
    EXPECT_FALSE(t.text.DeleteSelection());  // no one to clear them: nothing was deleted
    int32_t cleared = 0;
    t.text.OnClearSelectedCells = [&cleared] { ++cleared; };
    EXPECT_TRUE(t.text.DeleteSelection());
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(TextOf(t.text), t.original);
}
