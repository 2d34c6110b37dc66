// TRtRTFTextInput: moving the cursor by characters, lines, words, windows
// and the editor's movement codes, extending the selection as it moves. A
// goal column keeps vertical moves in the column where they started.
#include "richtext/layout/RtRTFTextInput.h"

#include "richtext/model/TextOptions.h"

#include <algorithm>
#include <climits>

namespace {

bool IsWordChar(char ch) { return uint8_t(ch) > 64 || (ch >= '0' && ch <= '9'); }
bool IsWhite(char ch) { return ch == ' ' || ch == kTabChar; }

}  // namespace

// ---- the frame of every move

void TRtRTFTextInput::StartSelectionAtCursor(bool extend) {
    if (!extend) {
        extending_ = false;
        return;
    }
    if (!extending_ && !(SelEnd.IsSet() && SelEnd == Cursor)) UpdateSelection(Cursor.par, Cursor.line, true, 0, Cursor.offset);
    extending_ = true;
}

template <typename Move>
void TRtRTFTextInput::CursorMove(bool extend, bool scroll, Move&& move) {
    if (PaintModes & pmKeepCursor) return;
    if (!Cursor.par || !Cursor.line) return;
    StartSelectionAtCursor(extend);
    move();
    if (extend) UpdateSelection(Cursor.par, Cursor.line, true, 1, Cursor.offset);
    NotifyChange();
    if (scroll) ScrollToCursor();
    UpdateCaretPos();
    GoalColumn = CaretX;
    HostOrNone().CaretPositionChanged();
}

bool TRtRTFTextInput::SkipsLanding() const {
    if (ShowHiddenText || !Cursor.line || !Cursor.line->HasAttrs()) return false;
    if (Cursor.offset >= int32_t(Cursor.line->Length())) return false;
    const TAttr a = GetAttr(Cursor.line, Cursor.offset);
    return a.width == 0 || (a.style & afsDBCSTwo);
}

// ---- selection

void TRtRTFTextInput::UpdateSelection(TParagraph* par, TLine* line, bool repaint, int32_t mode, int32_t offset) {
    if (mode == 1 && SelStart.IsSet() && par && line) {
        offset = std::clamp(offset, 0, int32_t(line->Length()));
        const TRtPosition end{par, line, offset};
        if (SelEnd == end) return;
        SelEnd = end;
    } else {
        if (SelStart.IsSet() || SelEnd.IsSet() || CellsMarked) {
            SelStart = SelEnd = TRtPosition{};
            CellsMarked = false;
        }
        if (par && line) SelStart = SelEnd = {par, line, std::clamp(offset, 0, int32_t(line->Length()))};
    }
    MarkSelectedLines();
    if (repaint && !loading_) RepaintAll();
    HostOrNone().PostChangeNotification(4);
    CheckSelectionChange();
}

// ---- characters

void TRtRTFTextInput::CursorLeft(int32_t count, bool extend, bool scroll) {
    CursorMove(extend, scroll, [this, count] {
        for (int32_t step = 0; step < count;) {
            TLine* line = Cursor.line;
            if (Cursor.offset == 0) {
                if (line->prev || Cursor.par->prev) {
                    GoalColumn = INT_MAX;
                    LineUp();
                    return;  // a line change ends the move
                }
                while (SkipsLanding()) ++Cursor.offset;
                return;
            }
            --Cursor.offset;
            if (!SkipsLanding()) ++step;
        }
    });
}

// Moves to the right always keep the cursor in view.
void TRtRTFTextInput::CursorRight(int32_t count, bool extend, bool /*scroll*/) {
    CursorMove(extend, true, [this, count] {
        for (int32_t step = 0; step < count;) {
            TLine* line = Cursor.line;
            const int32_t length = int32_t(line->Length());
            const bool lastOfText = !line->next && !NextVisiblePar(Cursor.par);
            const int32_t lastStep = line->next && !(line->flags & lfHyphenEnd) ? length - 1 : length;
            if (Cursor.offset < lastStep || lastOfText) {
                if (Cursor.offset >= length) return;
                ++Cursor.offset;
            } else {
                GoalColumn = 0;
                LineDown();
                Cursor.offset = 0;
            }
            if (!SkipsLanding()) ++step;
        }
    });
}

// ---- lines

TParagraph* TRtRTFTextInput::NextVisiblePar(TParagraph* par) const {
    for (TParagraph* p = par->next; p; p = p->next) {
        if (!HiddenParagraph(p)) return p;
    }
    return nullptr;
}

TParagraph* TRtRTFTextInput::PrevVisiblePar(TParagraph* par) const {
    for (TParagraph* p = par->prev; p; p = p->prev) {
        if (!HiddenParagraph(p)) return p;
    }
    return nullptr;
}

bool TRtRTFTextInput::LineUp() {
    if (Cursor.line->prev) {
        Cursor.line = Cursor.line->prev;
    } else if (TParagraph* p = PrevVisiblePar(Cursor.par)) {
        Cursor = {p, GetLastLine(p), 0};
    } else {
        return false;
    }
    Cursor.offset = OffsetAtGoal();
    return true;
}

bool TRtRTFTextInput::LineDown() {
    if (Cursor.line->next) {
        Cursor.line = Cursor.line->next;
    } else if (TParagraph* p = NextVisiblePar(Cursor.par)) {
        Cursor = {p, p->firstLine, 0};
    } else {
        return false;
    }
    Cursor.offset = OffsetAtGoal();
    return true;
}

int32_t TRtRTFTextInput::OffsetAtGoal() {
    const int32_t length = int32_t(Cursor.line->Length());
    if (GoalColumn == INT_MAX) {
        // The end of a wrapped line is the start of the next one: stand before its last character.
        return Cursor.line->next && !(Cursor.line->flags & lfHyphenEnd) ? std::max(0, length - 1) : length;
    }
    int32_t offset = CharIndexAtX(Cursor.par, Cursor.line, GoalColumn);
    if (Cursor.line->HasAttrs() && offset > 0 && offset < length && (GetAttr(Cursor.line, offset).style & afsDBCSTwo)) {
        --offset;
    }
    return offset;
}

void TRtRTFTextInput::CursorUp(int32_t count, bool extend, bool rowWise, bool scroll) {
    CursorMove(extend, scroll, [this, count, rowWise] {
        for (int32_t step = 0; step < count; ++step) {
            if (rowWise && HasEditOption(rtSpreadsheetCursorMovement) && Cursor.par->IsCell() && !Cursor.line->prev &&
                MoveCursorToRow(true)) {
                Cursor.offset = OffsetAtGoal();
                continue;
            }
            if (!LineUp()) break;
        }
    });
    HostOrNone().PostChangeNotification(2);
}

void TRtRTFTextInput::CursorDown(int32_t count, bool extend, bool rowWise, bool scroll) {
    CursorMove(extend, scroll, [this, count, rowWise] {
        for (int32_t step = 0; step < count; ++step) {
            if (rowWise && HasEditOption(rtSpreadsheetCursorMovement) && Cursor.par->IsCell() && !Cursor.line->next &&
                MoveCursorToRow(false)) {
                continue;  // the row move chose the offset
            }
            if (!LineDown()) break;
        }
    });
    HostOrNone().PostChangeNotification(2);
}

// ---- words

void TRtRTFTextInput::WordLeft(int32_t count, bool extend, bool scroll) {
    CursorMove(extend, scroll, [this, count] {
        for (int32_t step = 0; step < count; ++step) {
            if (Cursor.offset == 0) {
                if (!Cursor.line->prev && !PrevVisiblePar(Cursor.par)) return;
                GoalColumn = INT_MAX;
                LineUp();
                Cursor.offset = int32_t(Cursor.line->Length());
                continue;
            }
            const TLine* line = Cursor.line;
            int32_t at = Cursor.offset;
            while (at > 0 && IsWhite(line->CharAt(uint32_t(at - 1)))) --at;
            if (at > 0) {
                const bool word = IsWordChar(line->CharAt(uint32_t(at - 1)));
                while (at > 0 && !IsWhite(line->CharAt(uint32_t(at - 1))) &&
                       IsWordChar(line->CharAt(uint32_t(at - 1))) == word) {
                    --at;
                }
            }
            Cursor.offset = at;
        }
    });
}

void TRtRTFTextInput::WordRight(int32_t count, bool extend, bool /*scroll*/) {
    CursorMove(extend, true, [this, count] {
        for (int32_t step = 0; step < count; ++step) {
            const TLine* line = Cursor.line;
            const int32_t length = int32_t(line->Length());
            if (Cursor.offset >= length && (line->next || NextVisiblePar(Cursor.par))) {
                GoalColumn = 0;
                LineDown();
                Cursor.offset = 0;
                return;
            }
            int32_t at = Cursor.offset;
            while (at < length && IsWhite(line->CharAt(uint32_t(at)))) ++at;
            if (at < length) {
                const bool word = IsWordChar(line->CharAt(uint32_t(at)));
                while (at < length && !IsWhite(line->CharAt(uint32_t(at))) && IsWordChar(line->CharAt(uint32_t(at))) == word) {
                    ++at;
                }
            }
            while (at < length && IsWhite(line->CharAt(uint32_t(at)))) ++at;
            Cursor.offset = at;
        }
    });
}

// ---- the editor's movement codes

void TRtRTFTextInput::MoveCursor(int32_t code, bool extend) {
    switch (code) {
        case 6: CursorLeft(1, extend, true); return;
        case 7: CursorRight(1, extend, true); return;
        case 8: CursorUp(1, extend, true, true); return;
        case 9: CursorDown(1, extend, true, true); return;
        case 10: WordLeft(1, extend, true); return;
        case 11: WordRight(1, extend, true); return;
        case 14:
        case 15: {
            TRtPosition first;
            TRtPosition last;
            SelectionBounds(first, last);
            if (first.IsSet() && last.IsSet()) Cursor = code == 14 ? last : first;
            return;
        }
        default: break;
    }
    if ((code == 2 || code == 3) && !HasEditOption(rtMoveCPOnPageUpDown)) {
        VertScrollRequest(code, 0);
        ShowCursor();
        return;
    }
    CursorMove(extend, true, [this, code] {
        TLine* line = Cursor.line;
        switch (code) {
            case 0: GoalColumn = 0; Cursor.offset = 0; break;
            case 1: {
                GoalColumn = INT_MAX;
                const int32_t length = int32_t(line->Length());
                const bool endsWithBreak = length > 0 && line->CharAt(uint32_t(length - 1)) == kLineBreakChar;
                Cursor.offset = endsWithBreak ? length - 1 : OffsetAtGoal();
                break;
            }
            case 2:
            case 3: PageMove(code == 3); break;
            case 4: GoalColumn = 0; Cursor = {FirstPar(), FirstPar()->firstLine, 0}; break;
            case 5: {
                GoalColumn = 9999;
                TParagraph* last = GetLastParagraph();
                TLine* end = GetLastLine(last);
                Cursor = {last, end, int32_t(end->Length())};
                break;
            }
            case 12:
                while (Cursor.line->yPos > VertScroll && LineUp()) {
                }
                if (Cursor.line->yPos < VertScroll) LineDown();
                break;
            case 13:
                while (Cursor.line->yPos + Cursor.line->height < VertScroll + VisibleLayoutHeight && LineDown()) {
                }
                if (Cursor.line->yPos + Cursor.line->height > VertScroll + VisibleLayoutHeight) LineUp();
                break;
            default: break;
        }
    });
}

// About a window height of lines, stopping at a page's last line.
void TRtRTFTextInput::PageMove(bool down) {
    int32_t sum = 0;
    while (true) {
        const TLine* line = Cursor.line;
        if (sum + line->height >= VisibleLayoutHeight || (sum > 0 && line->spaceBelow)) break;
        sum += line->height;
        if (!(down ? LineDown() : LineUp())) {
            Cursor.offset = down ? int32_t(Cursor.line->Length()) : 0;
            break;
        }
    }
    Cursor.offset = std::clamp(Cursor.offset, 0, int32_t(Cursor.line->Length()));
}
