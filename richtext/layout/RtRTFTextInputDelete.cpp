// TRtRTFTextInput: deleting the selection, with undo records of every
// paragraph it touches. A selection that only partly covers a table empties
// the paragraphs and cells it covers and keeps the table's rows; one that
// covers whole tables removes them and joins its two ends.
#include "richtext/layout/RtRTFTextInput.h"

#include "richtext/layout/FlagScope.h"
#include "richtext/model/ScribenUndoObject.h"
#include "richtext/model/TextOptions.h"

namespace {

bool StartsTable(const TRtPosition& at) {
    return !at.par->IsCell() ||
           (at.offset == 0 && at.line == at.par->firstLine && (!at.par->prev || !at.par->prev->IsCell()));
}

bool EndsTable(const TRtPosition& at) {
    if (!at.par->IsCell()) return true;
    const bool atEnd = !at.line->next && at.offset + 1 >= int32_t(at.line->Length());
    return atEnd && (!at.par->next || !at.par->next->IsCell());
}

}  // namespace

bool TRtRTFTextInput::DeleteSelectionFor(bool keyPressed) {
    if (deletingSelection_) return false;
    if (CellsMarked) {
        // Without the editor's cell clearing nothing was deleted, and the caller hears so.
        if (!OnClearSelectedCells) return false;
        OnClearSelectedCells();
        return true;
    }
    if (!SelStart.IsSet() || !SelEnd.IsSet() || SelStart == SelEnd) return false;
    TRtPosition first;
    TRtPosition last;
    SelectionBounds(first, last);
    if (!first.line || !last.line) return false;
    // A blank right after a selection deleted by a key goes with it, so one blank stays between the neighbours.
    if (keyPressed && !HasEditOption(rtDontDeleteExtraSpace) && last.offset < int32_t(last.line->Length()) &&
        last.line->CharAt(uint32_t(last.offset)) == ' ') {
        ++last.offset;
    }
    TFlagScope running(deletingSelection_);
    BeginUndoGroup();
    bool cells = false;
    for (TParagraph* p = first.par; p; p = p->next) {
        cells = cells || (p->IsCell() && first.par != last.par);
        if (p == last.par) break;
    }
    const bool wholeTables = StartsTable(first) && EndsTable(last);
    const int32_t offset = OffsetInParagraph(first.par, first.line, first.offset);
    if (cells && !wholeTables && !WholeCellDeletion) {
        EmptyCoveredParagraphs(first, last);
    } else {
        for (TParagraph* p = last.par; p != first.par; p = p->prev) SaveUndo(p, uakDeleted, kUndoKindDeleteText);
        SaveUndo(first.par, uakParagraph, kUndoKindDeleteText);
        DeleteRange(first.par, last.par, last.offset, first.offset, last.line, first.line);
        if (cells) first.par->border.flags = 0;  // the tables went
    }
    EndUndoGroup();
    ClearSelection();
    MarkSelectedLines();
    int32_t at = offset;
    TLine* line = LocateInParagraph(first.par, at);
    Cursor = {first.par, line, at};
    first.par->MarkChanged();
    HostOrNone().CaretPositionChanged();
    HostOrNone().PostChangeNotification(4);
    if (!NoCanvas()) ReformatAll(false);
    return true;
}

// The table keeps its rows: the text from the start to the end goes, paragraph by paragraph.
void TRtRTFTextInput::EmptyCoveredParagraphs(const TRtPosition& first, const TRtPosition& last) {
    for (TParagraph* p = first.par;; p = p->next) {
        SaveUndo(p, uakText, kUndoKindDeleteText);
        if (p == last.par) break;
    }
    const int32_t from = OffsetInParagraph(first.par, first.line, first.offset);
    const int32_t to = OffsetInParagraph(last.par, last.line, last.offset);
    ClearParText(first.par, from, ParagraphLength(first.par));
    for (TParagraph* p = first.par->next; p && p != last.par; p = p->next) ClearParText(p, 0, ParagraphLength(p));
    ClearParText(last.par, 0, to);
}
