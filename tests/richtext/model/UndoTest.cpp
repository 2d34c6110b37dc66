#include "ModelFixtures.h"

#include "richtext/model/RtUndoStack.h"
#include "richtext/model/ScribenUndoObject.h"
#include "richtext/model/TextHeader.h"

#include <gtest/gtest.h>

namespace {

void EnableUndo(TRtRTFText& text, bool redo = true) {
    text.EditOptions |= rtActivateUndo | (redo ? rtActivateRedo : 0);
}

// Types a character at the end of a paragraph as the editor does: one undo
// group per key, the paragraph's text recorded before the change.
void Type(TRtRTFText& text, TParagraph* par, char ch) {
    text.BeginUndoGroup();
    text.SaveUndo(par, uakText, 2);
    TLine* last = TRtRTFText::GetLastLine(par);
    text.InsertChar(par, last, nullptr, ch, int32_t(last->Length()));
    text.EndUndoGroup();
}

std::unique_ptr<TRtUndoObject> Record(uint8_t operation = uopChange) {
    auto r = std::make_unique<TRtUndoObject>();
    r->Operation = operation;
    return r;
}

}  // namespace

TEST(Undo, TypingIntoOneParagraphMakesOneRecord) {
    TRtRTFText text;
    EnableUndo(text);
    Fill(text, {"ab"});
    for (char c : std::string("cdefg")) Type(text, text.FirstPar(), c);
    EXPECT_EQ(TextOf(text), "abcdefg");
    EXPECT_EQ(text.GetUndoStack().UndoList().size(), 1u);
    EXPECT_EQ(text.GetUndoStack().UndoList().front()->GetDescription(), "Input");
    text.Undo();
    EXPECT_EQ(TextOf(text), "ab");
    EXPECT_TRUE(text.GetUndoStack().CanRedo());
    text.Redo();
    EXPECT_EQ(TextOf(text), "abcdefg");
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(Undo, GroupsUndoTogetherAndRedoTogether) {
    TRtRTFText text;
    EnableUndo(text);
    Fill(text, {"one", "two"});
    text.BeginUndoGroup();
    text.SaveUndo(Par(text, 0), uakIndents, 5);
    Par(text, 0)->leftIndent = 720;
    text.SaveUndo(Par(text, 1), uakAlignment, 7);
    Par(text, 1)->align = paralCenter;
    text.EndUndoGroup();
    text.SaveUndo(Par(text, 1), uakSpacing, 6);  // a record of its own
    Par(text, 1)->spaceAfter = 120;

    TRtUndoStack& stack = text.GetUndoStack();
    EXPECT_EQ(stack.UndoGroupCount(), 2);
    text.Undo();
    EXPECT_EQ(Par(text, 1)->spaceAfter, 0);
    EXPECT_EQ(Par(text, 0)->leftIndent, 720);
    text.Undo();
    EXPECT_EQ(Par(text, 0)->leftIndent, 0);
    EXPECT_EQ(Par(text, 1)->align, paralLeft);
    EXPECT_FALSE(stack.CanUndo());
    ASSERT_EQ(stack.RedoList().size(), 3u);
    EXPECT_EQ(stack.RedoList()[1]->Group, stack.RedoList()[2]->Group);  // the reverse records form one group
    text.Redo();
    EXPECT_EQ(Par(text, 0)->leftIndent, 720);
    EXPECT_EQ(Par(text, 1)->align, paralCenter);
    EXPECT_EQ(Par(text, 1)->spaceAfter, 0);
}

TEST(Undo, ANewRecordClearsTheRedoList) {
    TRtUndoStack stack;
    stack.Add(Record(), false);
    stack.Add(Record(), true);
    EXPECT_TRUE(stack.CanRedo());
    stack.Add(Record(), false);
    EXPECT_FALSE(stack.CanRedo());
}

TEST(Undo, MaxCountRemovesTheOldestGroupWhole) {
    TRtUndoStack stack;
    for (int g = 0; g < 3; ++g) {
        stack.BeginGroup();
        stack.Add(Record(), false);
        stack.Add(Record(), false);
        stack.EndGroup();
    }
    stack.SetMaxCount(3);
    EXPECT_EQ(stack.UndoGroupCount(), 2);  // fewer than MaxCount remain
    EXPECT_EQ(stack.UndoList().size(), 4u);
    stack.Add(Record(), false);
    EXPECT_EQ(stack.UndoGroupCount(), 3);
    stack.Add(Record(), false);
    EXPECT_EQ(stack.UndoGroupCount(), 3);
    EXPECT_EQ(stack.UndoList().size(), 4u);
}

TEST(Undo, CheckpointsAreNeverApplied) {
    TRtUndoStack stack;
    int applied = 0;
    stack.OnApplyUndoAction = [&applied](TRtUndoStack&, const void*, TRtUndoObject*&) { ++applied; };
    stack.Add(Record(uopCheckpoint), false);
    EXPECT_FALSE(stack.CanUndo());
    EXPECT_EQ(stack.CheckpointCount(), 1);
    stack.Add(Record(), false);
    EXPECT_TRUE(stack.CanUndo());
    stack.Undo();
    EXPECT_EQ(applied, 1);
    stack.Undo();  // the checkpoint goes without being applied
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(stack.CheckpointCount(), 0);
    EXPECT_TRUE(stack.UndoList().empty());
}

TEST(Undo, WithoutRedoOptionTheRedoListStaysEmpty) {
    TRtRTFText text;
    EnableUndo(text, false);
    Fill(text, {"ab"});
    Type(text, text.FirstPar(), 'c');
    text.Undo();
    EXPECT_EQ(TextOf(text), "ab");
    EXPECT_FALSE(text.GetUndoStack().CanRedo());
}

TEST(Undo, StreamedUndoKeepsParagraphKindsThatNeedNoSnapshot) {
    TRtRTFText text;
    EnableUndo(text);
    text.EditOptions |= rtStreamUndoOperation;
    Fill(text, {"ab"});
    text.SaveUndo(text.FirstPar(), uakIndents, 5);
    ASSERT_EQ(text.GetUndoStack().UndoList().size(), 1u);
    auto* record = dynamic_cast<TScribenUndoObject*>(text.GetUndoStack().UndoList().back().get());
    EXPECT_EQ(record->ActionKind, uakIndents);
    // A spacing change becomes a whole-text snapshot, which this text cannot
    // stream yet: nothing is recorded rather than an empty snapshot.
    text.SaveUndo(text.FirstPar(), uakSpacing, 6);
    EXPECT_EQ(text.GetUndoStack().UndoList().size(), 1u);
}

TEST(Undo, CreatedAndDeletedParagraphsComeBack) {
    TRtRTFText text;
    EnableUndo(text);
    Fill(text, {"one", "two", "three"});
    text.BeginUndoGroup();
    TParagraph* two = Par(text, 1);
    text.SaveUndo(Par(text, 0), uakText, 10);
    text.SaveUndo(two, uakDeleted, 10);
    text.DeleteRange(Par(text, 0), two, 3, 3, two->firstLine, Par(text, 0)->firstLine);
    text.EndUndoGroup();
    EXPECT_EQ(TextOf(text), "one|three");
    text.Undo();
    EXPECT_EQ(TextOf(text), "one|two|three");
    EXPECT_EQ(text.CheckInvariants(), "");
    text.Redo();
    EXPECT_EQ(TextOf(text), "one|three");
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(Undo, RecordsOfParagraphsThatNoLongerExistAreSkipped) {
    TRtRTFText text;
    EnableUndo(text);
    Fill(text, {"a", "b", "c"});
    text.SaveUndo(Par(text, 2), uakIndents, 5);
    Par(text, 2)->leftIndent = 100;
    // A change that nobody recorded removes the paragraph.
    text.DeleteRange(Par(text, 1), Par(text, 2), 1, 1, Par(text, 2)->firstLine, Par(text, 1)->firstLine);
    EXPECT_EQ(TextOf(text), "a|b");
    text.Undo();
    EXPECT_EQ(TextOf(text), "a|b");
    EXPECT_EQ(text.CheckInvariants(), "");
}

TEST(Undo, PageSettingsAndCurrentAttribute) {
    TRtRTFText text;
    EnableUndo(text);
    text.SaveUndo(text.FirstPar(), uakPage, 1);
    text.Header().SetLeftMargin(100);
    text.Header().SetLandscape(true);
    text.NewUndoGroup();
    text.SaveUndo(text.FirstPar(), uakCurrentAttr, 4);
    text.CurrentAttr.style = afsBold;
    text.Undo();
    EXPECT_EQ(text.CurrentAttr.style, 0u);
    text.Undo();
    EXPECT_EQ(text.Header().LeftMargin(), 1880);
    EXPECT_FALSE(text.Header().Landscape());
}

TEST(Undo, SharedStackKeepsEditorsApart) {
    TRtUndoStack shared;
    TRtRTFText a;
    TRtRTFText b;
    a.SetUndoStack(&shared);
    b.SetUndoStack(&shared);
    EnableUndo(a);
    EnableUndo(b);
    Fill(a, {"a"});
    Fill(b, {"b"});
    Type(a, a.FirstPar(), '1');
    Type(b, b.FirstPar(), '2');
    EXPECT_EQ(shared.UndoList().size(), 2u);
    b.ClearUndo();
    EXPECT_EQ(shared.UndoList().size(), 1u);
    shared.Undo();
    EXPECT_EQ(TextOf(a), "a");
    EXPECT_EQ(TextOf(b), "b2");
    a.SetUndoStack(nullptr);
    b.SetUndoStack(nullptr);
}

TEST(Undo, DisabledEditorsRecordNothing) {
    TRtRTFText text;
    EnableUndo(text);
    text.GetUndoStack().DisableCount = 1;
    Type(text, text.FirstPar(), 'x');
    text.GetUndoStack().DisableCount = 0;
    EXPECT_TRUE(text.GetUndoStack().UndoList().empty());
    text.UndoSwitch = false;
    Type(text, text.FirstPar(), 'y');
    EXPECT_TRUE(text.GetUndoStack().UndoList().empty());
}
