// Thousands of random edits, each recorded for undo as the editing layer
// records it, with the model's invariants checked after every step; then
// everything is undone (the text must be back where it started) and redone
// (the text must be back where the edits left it).
#include "ModelFixtures.h"

#include "richtext/model/RtUndoStack.h"
#include "richtext/model/ScribenUndoObject.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr uint8_t kInput = 2;
constexpr uint8_t kDelete = 3;

class TRandomEditor {
public:
    TRandomEditor(TRtRTFText& text, uint32_t seed) : text_(text), random_(seed) {}

    void Step() {
        text_.BeginUndoGroup();
        switch (Pick(10)) {
        case 0:
        case 1:
        case 2: Type(); break;
        case 3:
        case 4: DeleteOne(); break;
        case 5: Enter(); break;
        case 6: DeleteRange(); break;
        case 7: Embolden(); break;
        case 8: SplitPiece(); break;
        case 9: TableCommand(); break;
        }
        text_.EndUndoGroup();
        text_.ForceNewUndoGroup();
    }

private:
    TRtRTFText& text_;
    std::mt19937 random_;

    int32_t Pick(int32_t n) { return n <= 0 ? 0 : int32_t(random_() % uint32_t(n)); }

    TParagraph* AnyParagraph() {
        int32_t count = 0;
        for (TParagraph* p = text_.FirstPar(); p; p = p->next) ++count;
        return text_.ParagraphByIndex(Pick(count));
    }

    // A random place: paragraph, piece and offset.
    TRtPosition AnyPlace() {
        TParagraph* p = AnyParagraph();
        int32_t offset = Pick(TRtRTFText::ParagraphLength(p) + 1);
        TLine* line = TRtRTFText::LocateInParagraph(p, offset);
        return {p, line, offset};
    }

    void Type() {
        const TRtPosition at = AnyPlace();
        text_.SaveUndo(at.par, uakText, kInput);
        const char ch = Pick(8) == 0 ? ' ' : char('a' + Pick(26));
        text_.InsertChar(at.par, at.line, nullptr, ch, at.offset);
    }

    void DeleteOne() {
        const TRtPosition at = AnyPlace();
        TParagraph* p = at.par;
        const bool atEnd = !at.line->next && at.offset >= int32_t(at.line->Length());
        const bool emptyBetween = at.offset == 0 && p->firstLine == at.line && !at.line->next &&
                                  at.line->Length() == 0 && p->prev && p->next && !p->IsCell();
        if (emptyBetween) {
            text_.SaveUndo(p, uakDeleted, kDelete);
        } else if (atEnd && p->next && !p->IsCell()) {
            text_.SaveUndo(p->next, uakDeleted, kDelete);
            text_.SaveUndo(p, uakParagraph, kDelete);
        } else {
            text_.SaveUndo(p, uakText, kDelete);
        }
        text_.DeleteChar(p, at.line, at.offset);
    }

    void Enter() {
        const TRtPosition at = AnyPlace();
        if (at.par->IsCell()) return;  // Enter in a cell makes a line break, never a paragraph
        text_.SaveUndo(at.par, uakParagraph, kInput);
        if (text_.SplitParagraph(at.par, at.line, at.offset)) text_.SaveUndo(at.par->next, uakCreated, kInput);
    }

    void DeleteRange() {
        const TRtPosition a = AnyPlace();
        const int32_t span = Pick(4);
        TParagraph* to = a.par;
        for (int32_t i = 0; i < span && to->next; ++i) to = to->next;
        for (TParagraph* p = a.par;; p = p->next) {
            if (p->IsCell()) return;  // tables have their own deletion
            if (p == to) break;
        }
        int32_t toOffset = to == a.par ? a.offset + Pick(TRtRTFText::ParagraphLength(to) - a.offset + 1)
                                       : Pick(TRtRTFText::ParagraphLength(to) + 1);
        TLine* toLine = TRtRTFText::LocateInParagraph(to, toOffset);
        if (to == a.par && (toLine != a.line)) return;  // keep the simple form: one piece or several paragraphs
        for (TParagraph* p = to; p != a.par; p = p->prev) text_.SaveUndo(p, uakDeleted, kDelete);
        text_.SaveUndo(a.par, uakParagraph, kDelete);
        text_.DeleteRange(a.par, to, toOffset, a.offset, toLine, a.line);
    }

    void Embolden() {
        const TRtPosition at = AnyPlace();
        if (at.offset >= int32_t(at.line->Length())) return;
        text_.SaveUndo(at.par, uakText, 4);
        TAttr attr = text_.GetAttr(at.line, at.offset);
        attr.style ^= afsBold;
        text_.PutAttr(at.line, at.offset, attr);
        at.par->MarkChanged();
    }

    void SplitPiece() {
        const TRtPosition at = AnyPlace();
        text_.SplitLinePiece(at.line, at.offset);
    }

    void TableCommand() {
        const TRtPosition at = AnyPlace();
        text_.Cursor = at;
        switch (Pick(3)) {
        case 0: text_.SplitMarkedCells(); break;
        case 1:
            if (at.par->IsCell()) text_.MergeMarkedCells();
            break;
        case 2:
            if (at.par->IsCell()) text_.DeleteMarkedCells();
            break;
        }
    }
};

std::string Snapshot(const TRtRTFText& text) {
    std::string s = TextOf(text);
    for (const TParagraph* p = text.FirstPar(); p; p = p->next) s += p->IsCell() ? 'c' : 'p';
    return s;
}

}  // namespace

TEST(RandomEdits, EveryStepKeepsTheModelSoundAndUndoRestoresTheText) {
    for (const uint32_t seed : {7u, 20240611u}) {
        TRtRTFText text;
        text.EditOptions |= rtActivateUndo | rtActivateRedo;
        Fill(text, {"The quick brown fox", "", "jumps over", "the lazy dog."});
        text.GetUndoStack().ClearAll();
        const std::string start = Snapshot(text);
        TRandomEditor editor(text, seed);
        constexpr int kSteps = 3000;
        for (int step = 0; step < kSteps; ++step) {
            editor.Step();
            ASSERT_EQ(text.CheckInvariants(), "") << "seed " << seed << ", step " << step;
        }
        const std::string edited = Snapshot(text);
        int undone = 0;
        while (text.GetUndoStack().CanUndo()) {
            text.Undo();
            ASSERT_EQ(text.CheckInvariants(), "") << "seed " << seed << ", undo " << undone;
            ++undone;
        }
        EXPECT_GT(undone, kSteps / 2);
        EXPECT_EQ(Snapshot(text), start) << "seed " << seed;
        while (text.GetUndoStack().CanRedo()) {
            text.Redo();
            ASSERT_EQ(text.CheckInvariants(), "") << "seed " << seed;
        }
        EXPECT_EQ(Snapshot(text), edited) << "seed " << seed;
    }
}
