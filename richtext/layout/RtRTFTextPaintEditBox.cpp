// TRtRTFTextPaint: the edit-box modes, with which an editor behaves like a
// fixed box: it grows with its text, refuses text that does not fit, or
// passes text that overflows on to a next box and takes text back from it;
// and the length limits of paragraphs and of the whole text.
#include "richtext/layout/RtRTFTextPaint.h"

#include "foundation/Stream.h"
#include "richtext/model/RtCustomRtfEditClass.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>

namespace {

// Set while text flows out of a box, so that no nested flow starts.
bool flowRunning = false;

class TFlowScope {
public:
    TFlowScope() { flowRunning = true; }
    ~TFlowScope() { flowRunning = false; }
    TFlowScope(const TFlowScope&) = delete;
    TFlowScope& operator=(const TFlowScope&) = delete;
};

}  // namespace

void TRtRTFTextPaint::InitEditBoxMode() {
    const bool limits = MaxParLength > 0 || MaxTextLength > 0;
    if (((EditBoxModes != 0 && EditBoxModes != rtemLimitTextWidth) || limits) &&
        EditBoxModes != rtemCheckCursorMovement) {
        if (!overflow_) overflow_ = std::make_unique<TRtRTFTextIo>();
        ArmRestorePoint();
        UpdateEditBox();
    } else {
        overflow_.reset();
        restoreArmed_ = false;
    }
}

void TRtRTFTextPaint::ArmRestorePoint() {
    if (!overflow_ || restoreArmed_) return;
    overflow_->Assign(*this);
    savedCursorIndex_ = GetCursorIndex();
    savedAttr_ = CurrentAttr;
    restoreArmed_ = true;
}

void TRtRTFTextPaint::RestoreFromOverflow() {
    if (!overflow_) return;
    Assign(*overflow_);
    SetCursorToIndex(savedCursorIndex_);
    CurrentAttr = savedAttr_;
    for (TParagraph* p = FirstPar(); p; p = p->next) p->MarkChanged();
    ReformatAll(true);
    HostOrNone().CaretPositionChanged();
    HostOrNone().PostChangeNotification(3);
}

int32_t TRtRTFTextPaint::ScreenTextHeight() { return ScaleByZoom(TotalHeight); }

bool TRtRTFTextPaint::FlowTextIn() {
    if (!(EditBoxModes & rtemCheckTextFlow) || !OnEditBoxTextFlowsIn) return false;
    TRtCustomRtfEditClass* source = nullptr;
    OnEditBoxTextFlowsIn(source);
    if (!source || source == Editor) return false;
    TMemoryStream stream;
    // The source keeps its text until this box has read it.
    source->SaveToStreamAndClear(false, stream);
    if (stream.Size() <= 1) return false;
    const int32_t cursor = GetCursorIndex();
    SelStart = SelEnd = {};
    TParagraph* last = GetLastParagraph();
    TLine* line = GetLastLine(last);
    Cursor = {last, line, int32_t(line->Length())};
    stream.SetPosition(0);
    const uint8_t undoKind = PasteUndoKind;
    PasteUndoKind = 0;
    try {
        TRtRTFTextIo::LoadFromStream(stream);
    } catch (...) {
        PasteUndoKind = undoKind;
        SetCursorToIndex(cursor);
        throw;
    }
    PasteUndoKind = undoKind;
    source->Clear();
    SetCursorToIndex(cursor);
    TextRemoved = false;
    return true;
}

void TRtRTFTextPaint::FlowTextOut() {
    const int32_t visible = HostOrNone().ClientHeight();
    TParagraph* fromPar = nullptr;
    TLine* fromLine = nullptr;
    for (TParagraph* p = FirstPar(); p && !fromPar; p = p->next) {
        for (TLine* l = p->firstLine; l; l = l->next) {
            if (ScaleByZoom(l->yPos + l->height) >= visible) {
                fromPar = p;
                fromLine = l;
                break;
            }
        }
    }
    if (!fromPar || !OnEditBoxTextFlowsOut || flowRunning) return;
    TFlowScope scope;
    const int32_t cursor = GetCursorIndex();
    TParagraph* lastPar = GetLastParagraph();
    TLine* lastLine = GetLastLine(lastPar);
    TMemoryStream stream;
    SaveWithFormat("RTF", {fromPar, lastPar, fromLine, lastLine, 0, int32_t(lastLine->Length())}, stream);
    stream.SetPosition(0);
    // The text goes only when a next box took it; else the box refuses the change.
    if (!OnEditBoxTextFlowsOut(stream)) {
        if (EditBoxModes & rtemLimitTextHeight) RestoreFromOverflow();
        return;
    }
    const bool firstOfParagraph = fromLine == fromPar->firstLine;
    TParagraph* keepLast = firstOfParagraph ? fromPar->prev : fromPar;
    if (!keepLast) {
        FreeAllParagraphs(true);
    } else {
        const int32_t offset = firstOfParagraph ? int32_t(GetLastLine(keepLast)->Length()) : 0;
        DeleteRange(keepLast, lastPar, int32_t(lastLine->Length()), offset,
                    lastLine, firstOfParagraph ? GetLastLine(keepLast) : fromLine);
    }
    const int32_t remaining = GetCursorIndex();
    SetCursorToIndex(std::min(cursor, remaining));
    RewrapPar(GetLastParagraph());
    VertScroll = 0;
    ReformatAll(false);
    if ((EditBoxModes & rtemAutoSizeHeight) && OnEditBoxChangeHeight) {
        int32_t width = -1;
        int32_t height = ScreenTextHeight() + 4;
        bool change = true;
        if (height < HostOrNone().ClientHeight()) {
            OnEditBoxChangeHeight(width, height, change);
            if (change) HostOrNone().ResizeBox(HostOrNone().ClientWidth(), height);
        }
    }
    HostOrNone().Invalidate();
    if (cursor > remaining && (EditBoxModes & rtemCheckCursorMovement) && OnEditBoxCursorLeaves) {
        TRtCustomRtfEditClass* next = nullptr;
        OnEditBoxCursorLeaves(false, next, 0);
        if (next) next->InputCharAt(false, cursor - remaining - 1, Editor, 0);
    }
}

bool TRtRTFTextPaint::UpdateEditBox() {
    if (editBoxRunning_) return false;
    editBoxRunning_ = true;
    editBoxPending_ = false;
    bool tooLarge = false;
    try {
        TRtLayoutHost& host = HostOrNone();
        if (restoreArmed_ && overflow_ && !resizing_) {
            if ((EditBoxModes & rtemAutoSizeWidth) && OnEditBoxChangeWidth) {
                int32_t widest = 0;
                for (TParagraph* p = FirstPar(); p; p = p->next) {
                    int32_t sum = 0;
                    for (TLine* l = p->firstLine; l; l = l->next) sum += GetLineTextWidth(l);
                    widest = std::max(widest, sum);
                }
                int32_t width = ScaleByZoom(widest) + 16;
                int32_t height = host.ClientHeight();
                bool change = true;
                if (width != host.ClientWidth()) {
                    OnEditBoxChangeWidth(width, height, change);
                    if (change && !host.IsDesigning()) {
                        resizing_ = true;
                        host.ResizeBox(width, height);
                        resizing_ = false;
                    }
                }
            }
            if ((EditBoxModes & rtemAutoSizeHeight) && OnEditBoxChangeHeight) {
                const int32_t needed = ScreenTextHeight() + 4;
                int32_t width = host.ClientWidth();
                int32_t height = needed;
                bool change = true;
                if (height != host.ClientHeight()) {
                    OnEditBoxChangeHeight(width, height, change);
                    if (change && !host.IsDesigning()) {
                        resizing_ = true;
                        host.ResizeBox(width, height);
                        resizing_ = false;
                    }
                    if ((!change || height < needed) && (EditBoxModes & rtemLimitTextHeight)) {
                        restoreArmed_ = false;
                        RestoreFromOverflow();
                        editBoxRunning_ = false;
                        return true;
                    }
                }
            }
        }
        tooLarge = ScreenTextHeight() > host.ClientHeight();
        bool cameBack = false;
        if ((tooLarge || TextRemoved) && !flowRunning) {
            cameBack = FlowTextIn();
            if (cameBack) tooLarge = ScreenTextHeight() > host.ClientHeight();
        }
        if (tooLarge) {
            if (EditBoxModes & rtemCheckTextFlow) {
                FlowTextOut();
            } else if ((EditBoxModes & rtemLimitTextHeight) && restoreArmed_) {
                RestoreFromOverflow();
            }
        }
        restoreArmed_ = false;
    } catch (...) {
        editBoxRunning_ = false;
        throw;
    }
    editBoxRunning_ = false;
    return tooLarge;
}

bool TRtRTFTextPaint::CheckMaxLength(char ch, int32_t count) {
    const bool structural = ch == 8 || ch == 12 || ch == 13;
    if (MaxParLength > 0 && !structural && Cursor.par) {
        if (ParagraphLength(Cursor.par) >= MaxParLength - count) return false;
    }
    if (MaxTextLength > 0 && ch != 8) {
        int64_t total = 0;
        for (const TParagraph* p = FirstPar(); p; p = p->next) total += ParagraphLength(p) + 2;
        if (ch == 12 || ch == 13) total += 2;
        if (total >= MaxTextLength - count) return false;
    }
    return true;
}
