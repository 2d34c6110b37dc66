// TRtRTFTextInput: deleting the selection, with undo records of every
// paragraph it touches. Selections that reach into a table are left to the
// table commands.
#include "richtext/layout/RtRTFTextInput.h"

#include "richtext/layout/FlagScope.h"
#include "richtext/model/ScribenUndoObject.h"

bool TRtRTFTextInput::DeleteSelectionFor(bool keyPressed) {
    (void)keyPressed;
    if (deletingSelection_ || !SelStart.IsSet() || !SelEnd.IsSet() || SelStart == SelEnd) return false;
    TRtPosition first;
    TRtPosition last;
    SelectionBounds(first, last);
    if (!first.line || !last.line) return false;
    for (TParagraph* p = first.par;; p = p->next) {
        if (!p || (p->IsCell() && first.par != last.par)) return false;
        if (p == last.par) break;
    }
    TFlagScope running(deletingSelection_);
    const int32_t offset = OffsetInParagraph(first.par, first.line, first.offset);
    for (TParagraph* p = last.par; p != first.par; p = p->prev) SaveUndo(p, uakDeleted, kUndoKindDeleteText);
    SaveUndo(first.par, uakParagraph, kUndoKindDeleteText);
    DeleteRange(first.par, last.par, last.offset, first.offset, last.line, first.line);
    ClearSelection();
    MarkSelectedLines();
    int32_t at = offset;
    TLine* line = LocateInParagraph(first.par, at);
    Cursor = {first.par, line, at};
    first.par->MarkChanged();
    if (!NoCanvas()) ReformatAll(false);
    return true;
}
