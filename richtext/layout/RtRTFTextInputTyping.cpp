// TRtRTFTextInput: the typing engine and the editor's entry points.
#include "richtext/layout/RtRTFTextInput.h"

#include "foundation/Debug.h"
#include "richtext/model/ScribenUndoObject.h"

#include <algorithm>
#include <exception>
#include <string>

namespace {

class TTypingScope {
public:
    explicit TTypingScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~TTypingScope() { flag_ = saved_; }
    TTypingScope(const TTypingScope&) = delete;
    TTypingScope& operator=(const TTypingScope&) = delete;

private:
    bool& flag_;
    bool saved_;
};

}  // namespace

void TRtRTFTextInput::InsertChars(std::string_view text, bool singleChar) {
    if (ReadOnly || deletingSelection_) return;
    TTypingScope running(inputRunning_);
    const bool caretShown = HostOrNone().HideCaret();
    if (FirstPar()) {
        numberingDirty_ = false;
        const uint8_t level = TypeString(text);
        if (singleChar && !loading_) RepaintAfterTyping(level);
    }
    if (!loading_) NotifyChange();
    if (caretShown) HostOrNone().ShowCaret();
}

void TRtRTFTextInput::NotifyChange() {
    if (IsEmpty() || (PaintModes & pmNoCanvas) || loading_ || !OnChange) return;
    OnChange();
}

void TRtRTFTextInput::RepaintAfterTyping(uint8_t level) {
    if (NoCanvas()) return;
    if (level >= rlWindow || numberingDirty_) {
        RepaintAll();
        return;
    }
    if (level == rlNothing || !Cursor.par) return;
    for (TLine* l = Cursor.par->firstLine; l; l = l->next) {
        if (level == rlParagraph || (l->flags & lfChanged)) PaintLine(Cursor.par, l);
        l->flags &= ~lfChanged;
    }
}

// ---- the typing engine

uint8_t TRtRTFTextInput::TypeString(std::string_view text) {
    level_ = rlNothing;
    pagesDirty_ = false;
    BeginUndoGroup();
    CurrentAttr.style &= ~(afsIsInsertpoint | afsIsObject);
    try {
        for (size_t i = 0; i < text.size() && text[i] != 0; ++i) {
            const char ch = text[i];
            const bool lastOfRun = i + 1 >= text.size() || text[i + 1] == 0 || text[i + 1] == '\r';
            switch (ch) {
                case 8: Backspace(); break;
                case 12: PageBreak(); break;
                case 13: NewParagraph(false); break;
                case 127: DeleteAtCursor(); break;
                default: TypeChar(ch, lastOfRun); break;
            }
        }
        if (numberingDirty_) UpdateNumbering();
        if (pagesDirty_) {
            Refresh(false);
            ScrollToCursor();
            HostOrNone().VertExtentChanged();
            level_ = rlWindow;
        }
        level_ = std::max(level_, rlFlaggedLines);
        if (Cursor.line) Cursor.line->flags |= lfChanged;
    } catch (const std::exception& e) {
        RecoverFromFailure(e.what());
    } catch (...) {
        RecoverFromFailure("unknown failure");
    }
    EndUndoGroup();
    return level_;
}

// A failure inside the edit leaves the cursor at the start of the text; the
// editor never sees the exception.
void TRtRTFTextInput::RecoverFromFailure(const char* what) {
    Debug().Log((std::string("rich text: typing failed: ") + what).c_str());
    if (FirstPar()) Cursor = {FirstPar(), FirstPar()->firstLine, 0};
    level_ = rlWindow;
}

void TRtRTFTextInput::RelayoutPar(TParagraph* par) {
    if (par) par->MarkChanged();
    if (!NoCanvas()) ReformatAll(false);
}

void TRtRTFTextInput::TypeChar(char ch, bool lastOfRun) {
    if (!Cursor.par || !Cursor.line) return;
    SaveUndo(Cursor.par, uakText, kUndoKindInput);
    if (DeleteSelectionFor(false)) level_ = rlWindow;
    TParagraph* par = Cursor.par;
    TLine* line = Cursor.line;
    Cursor.offset = std::clamp(Cursor.offset, 0, int32_t(line->Length()));
    if (Cursor.offset == 0 && line->Length() == 0 && par->numberStyle) numberingDirty_ = true;
    if ((CurrentAttr.style & afsHidden) && !ShowHiddenText && !InsertingObject) return;
    int32_t height = 0;
    for (const TLine* l = par->firstLine; l; l = l->next) height += l->height;
    const bool inserted = InsertChar(par, line, &CurrentAttr, ch, Cursor.offset);
    ++Cursor.offset;
    if (!inserted || !lastOfRun) return;
    RelayoutPar(par);
    int32_t after = 0;
    for (const TLine* l = Cursor.par->firstLine; l; l = l->next) after += l->height;
    if (after != height || ch == kLineBreakChar) {
        level_ = rlWindow;
        pagesDirty_ = pagesDirty_ || ch == kLineBreakChar;
    } else {
        level_ = std::max(level_, rlFlaggedLines);
    }
}

void TRtRTFTextInput::Backspace() {
    if (!Cursor.par || !Cursor.line) return;
    if (DeleteSelectionFor(true)) {
        level_ = rlWindow;
        return;
    }
    if (Cursor.offset > 0) {
        --Cursor.offset;
        DeleteAtCursor();
        return;
    }
    TParagraph* par = Cursor.par;
    TLine* line = Cursor.line;
    if (line->prev) {
        // The start of a wrapped line is the end of the line before: the character before it goes.
        Cursor = {par, line->prev, std::max(0, int32_t(line->prev->Length()) - 1)};
        DeleteAtCursor();
        return;
    }
    if (!line->next && line->Length() == 0 && par->numberStyle &&
        (!par->prev || !par->prev->firstLine || par->prev->firstLine->Length() != 0)) {
        SaveUndo(par, uakParagraph, kUndoKindDeleteText);
        par->numberStyle = 0;
        par->numberLevel = 0;
        if (!(EditOptions & rtNoAutomaticHangingBulletsAndNumbers) && par->firstIndent < 0) {
            par->leftIndent = int16_t(par->leftIndent + par->firstIndent);
            par->firstIndent = 0;
        }
        numberingDirty_ = true;
        RelayoutPar(par);
        level_ = rlWindow;
        return;
    }
    if (par->prev && !par->IsCell()) {
        TParagraph* target = par->prev;
        bool skipped = false;
        while (target->prev && HiddenParagraph(target)) {
            target = target->prev;
            skipped = true;
        }
        if (target->IsCell()) return;  // a paragraph is never joined into a table
        TLine* last = GetLastLine(target);
        Cursor = {target, last, std::max(0, int32_t(last->Length()) - (skipped ? 1 : 0))};
        DeleteAtCursor();
        return;
    }
    if (!par->prev && par->Has(pfPageBreak)) {
        SaveUndo(par, uakParagraph, kUndoKindDeleteText);
        par->flags &= ~pfPageBreak;
        pagesDirty_ = true;
    }
}

void TRtRTFTextInput::DeleteAtCursor() {
    if (!Cursor.par || !Cursor.line) return;
    if (DeleteSelectionFor(true)) {
        level_ = rlWindow;
        return;
    }
    TParagraph* par = Cursor.par;
    TLine* line = Cursor.line;
    Cursor.offset = std::clamp(Cursor.offset, 0, int32_t(line->Length()));
    const bool atParEnd = !line->next && Cursor.offset >= int32_t(line->Length());
    if (atParEnd && !par->next) {
        if (line->Length() == 0 && par->firstLine == line) ResetEmptyLastParagraph(par);
        return;
    }
    if (atParEnd && par->IsCell()) return;  // cells are never joined
    if (atParEnd && par->next->IsCell()) {
        // A paragraph is never joined with a table: the table's first character goes instead.
        Cursor = {par->next, par->next->firstLine, 0};
        if (par->next->firstLine->Length() == 0) return;
        DeleteAtCursor();
        return;
    }
    if (atParEnd && ValidatePosition(par->next, par->next->firstLine, 0)) return;
    if (atParEnd) {
        if (par->next->Has(pfPageBreak)) pagesDirty_ = true;
        if (par->numberStyle || par->next->numberStyle) numberingDirty_ = true;
        SaveUndo(par->next, uakDeleted, kUndoKindDeleteText);
        SaveUndo(par, uakParagraph, kUndoKindDeleteText);
    } else {
        SaveUndo(par, uakText, kUndoKindDeleteText);
    }
    const int32_t offset = OffsetInParagraph(par, line, Cursor.offset);
    if (!DeleteChars(1)) return;
    // The deletion may have removed the cursor's piece: find the place again by its paragraph offset.
    int32_t at = offset;
    TParagraph* cursorPar = par;
    if (!cursorPar->firstLine) cursorPar = FirstPar();
    TLine* cursorLine = LocateInParagraph(cursorPar, at);
    Cursor = {cursorPar, cursorLine, at};
    if (cursorLine->Length() == 0 && cursorPar->firstLine == cursorLine) cursorPar->markAttr = CurrentAttr;
    RelayoutPar(cursorPar);
    level_ = atParEnd ? rlWindow : std::max(level_, rlFlaggedLines);
}

bool TRtRTFTextInput::DeleteChars(int32_t count) {
    bool changed = false;
    for (int32_t i = 0; i < count && Cursor.par && Cursor.line; ++i) {
        changed = DeleteChar(Cursor.par, Cursor.line, Cursor.offset) || changed;
    }
    return changed;
}

void TRtRTFTextInput::ResetEmptyLastParagraph(TParagraph* par) {
    SaveUndo(par, uakProperties, kUndoKindDeleteText);
    FreeParExtras(*par);
    par->border.flags = 0;
    par->shadingColor = par->shadingPercent = 0;
    par->flags = pfChanged;
    if (par->numberStyle && !(EditOptions & rtNoAutomaticHangingBulletsAndNumbers) && par->firstIndent < 0) {
        par->leftIndent = int16_t(par->leftIndent + par->firstIndent);
        par->firstIndent = 0;
    }
    par->numberStyle = 0;
    par->numberStart = 0;
    par->numberLevel = 0;
    par->tabs = 0;
    RelayoutPar(par);
    level_ = rlWindow;
}

void TRtRTFTextInput::NewParagraph(bool pageBreak) {
    if (!Cursor.par || !Cursor.line) return;
    BeginUndoGroup();
    if (DeleteSelectionFor(false)) level_ = rlWindow;
    TParagraph* par = Cursor.par;
    if (par->numberStyle) numberingDirty_ = true;
    if (par->IsCell()) {
        // Enter inside a cell makes a line break, never a new paragraph.
        TypeChar(kLineBreakChar, true);
        EndUndoGroup();
        return;
    }
    const bool atFirstLineStart = Cursor.offset == 0 && Cursor.line == par->firstLine;
    if (atFirstLineStart) par->markAttr = CurrentAttr;
    SaveUndo(par, uakParagraph, kUndoKindInput);
    if (SplitParagraph(par, Cursor.line, Cursor.offset)) {
        SaveUndo(par->next, uakCreated, kUndoKindInput);
        if (pageBreak) par->next->flags |= pfPageBreak;
        Cursor = {par->next, par->next->firstLine, 0};
        if (Cursor.line->Length() == 0 && Cursor.line->HasAttrs()) PutAttr(Cursor.line, 0, CurrentAttr);
        RelayoutPar(par);
        RelayoutPar(par->next);
    }
    pagesDirty_ = true;
    level_ = rlWindow;
    EndUndoGroup();
}

void TRtRTFTextInput::PageBreak() {
    if (!Cursor.par) return;
    pagesDirty_ = true;
    if (Cursor.par->IsCell()) {
        // A page break never splits a row: the row's first cell starts a page, or no longer does.
        TParagraph* first = RowStart(Cursor.par);
        SaveUndo(first, uakParagraph, kUndoKindInput);
        first->flags ^= pfPageBreak;
        first->MarkChanged();
        level_ = rlWindow;
        return;
    }
    NewParagraph(true);
}
