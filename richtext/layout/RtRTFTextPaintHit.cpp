// TRtRTFTextPaint: between places in the text and points of the window: the
// x of a character and the character under an x (both as the painter places
// the glyphs), the line under a point, the cursor from a point, and the
// selection by absolute character indices.
#include "richtext/layout/RtRTFTextPaint.h"

#include "richtext/model/TextHeader.h"

#include <algorithm>

TRtLineAdvances::TRtLineAdvances(TRtRTFTextPaint& text, const TLine* line)
    : text_(text), line_(line), trailing_(line->Length()),
      stretch_(line->justAdd != 0 || line->justRest != 0) {
    while (stretch_ && trailing_ > 0 && line->CharAt(trailing_ - 1) == ' ') --trailing_;
}

int32_t TRtLineAdvances::Next(uint32_t i) {
    // A stretched blank takes the whole stretched width; the first ones one pixel more.
    if (stretch_ && line_->CharAt(i) == ' ' && int32_t(i) >= line_->justFirst && i < trailing_) {
        return int32_t(line_->justAdd) + (stretched_++ < line_->justRest ? 1 : 0);
    }
    return int32_t(AttrAt(i).width);
}

TAttr TRtLineAdvances::AttrAt(uint32_t i) const {
    if (line_->HasAttrs()) return text_.GetAttr(line_, int32_t(i));
    TAttr a = text_.CurrentAttr;
    const char ch = line_->CharAt(i) == kTabChar ? ' ' : line_->CharAt(i);
    a.width = uint16_t(std::clamp(text_.TextWidthFromTable(a, std::string(1, ch)), 0, 0xFFFF));
    return a;
}

int32_t TRtRTFTextPaint::GetNumberingIndent(TParagraph* par, TLine* line) {
    if (!par || !par->numberStyle || (line && line->prev)) return 0;
    if (par->align == paralCenter || par->align == paralRight) return 0;
    return GetNumberLabelWidth(par, line);
}

int32_t TRtRTFTextPaint::GetLineFreeSpace(TParagraph* par, TLine* line) {
    const int32_t right = par->IsCell() ? GetParRight(par) : GetParRight(par) - GetRightIndentPixels(par);
    const int32_t left = GetParLeft(par) + GetWrapIndent(par, line) + GetIndentPixels(par, line);
    return right - left - GetNumberLabelWidth(par, line) - GetLineTextWidth(line);
}

int32_t TRtRTFTextPaint::LineStartX(TParagraph* par, TLine* line) {
    int32_t x = GetParLeft(par) + GetWrapIndent(par, line) + GetIndentPixels(par, line);
    if (par->align == paralCenter || par->align == paralRight) {
        const int32_t free = GetLineFreeSpace(par, line);
        if (par->align == paralCenter && free > 1) x += free / 2;
        if (par->align == paralRight && free > 0) x += free;
    }
    if (par->IsCell()) x += OnePixel;
    return x;
}

bool TRtRTFTextPaint::HiddenParagraph(const TParagraph* par) const {
    return (par->Has(pfHidden) && !ShowHiddenText) || par->Has(pfCollapsedHidden);
}

int32_t TRtRTFTextPaint::CharIndexToX(TParagraph* par, TLine* line, int32_t index) {
    if (!par || !line || HiddenParagraph(par)) return 0;
    int32_t x = LineStartX(par, line) + GetNumberingIndent(par, line);
    TRtLineAdvances advances(*this, line);
    const uint32_t end = uint32_t(std::clamp<int32_t>(index, 0, int32_t(line->Length())));
    for (uint32_t i = 0; i < end; ++i) x += advances.Next(i);
    return x;
}

int32_t TRtRTFTextPaint::CharIndexToScreenX(TParagraph* par, TLine* line, int32_t index) {
    return ScaleByZoom(CharIndexToX(par, line, index));
}

int32_t TRtRTFTextPaint::CharIndexAtX(TParagraph* par, TLine* line, int32_t x) {
    if (!par || !line) return 0;
    int32_t c = LineStartX(par, line) + GetNumberingIndent(par, line);
    TRtLineAdvances advances(*this, line);
    const uint32_t length = line->Length();
    uint32_t index = 0;
    while (index < length && c < x) {
        const int32_t m = advances.Next(index);
        const bool lead = line->HasAttrs() && (advances.AttrAt(index).style & afsDBCSOne);
        if (x < c + m / 2 && !lead) break;
        c += m;
        ++index;
    }
    while (line->HasAttrs() && index < length) {
        const TAttr a = advances.AttrAt(index);
        if (a.width != 0 && !(a.style & afsDBCSTwo)) break;
        ++index;
    }
    if (index >= length && length > 0) {
        // A click behind a wrapped line stays on that line.
        const bool keepsEnd = !line->next || (line->flags & lfHyphenEnd);
        index = keepsEnd ? length : length - 1;
    }
    return int32_t(index);
}

bool TRtRTFTextPaint::FindLineAtPos(TParagraph*& par, TLine*& line, int32_t x, int32_t y) {
    par = FirstPar();
    line = par ? par->firstLine : nullptr;
    if (!par || !line) return false;
    if (y < line->yPos) return true;
    TParagraph* found = nullptr;
    for (TParagraph* p = FirstPar(); p && !found; p = p->next) {
        if (!p->firstLine || (p->IsCell() && p->Has(pfPrevCell))) continue;
        // Paragraphs that end above the point are passed without walking their lines.
        const TParagraph* after = p->next;
        if (!p->IsCell() && after && after->firstLine && !after->IsCell() &&
            after->firstLine->yPos - after->firstLine->spaceAbove <= y) {
            continue;
        }
        int32_t span = 0;
        for (const TLine* l = p->firstLine; l; l = l->next) span += l->height + l->spaceAbove + l->spaceBelow;
        const int32_t top = p->firstLine->yPos - p->firstLine->spaceAbove;
        if (y >= top && y < top + span) found = p;
        // A row is as tall as its tallest cell.
        for (TParagraph* cell = p; !found && cell->IsCell() && cell->Has(pfNextCell) && cell->next;) {
            cell = cell->next;
            int32_t cellSpan = 0;
            for (const TLine* l = cell->firstLine; l; l = l->next) cellSpan += l->height + l->spaceAbove + l->spaceBelow;
            if (y >= top && y < top + cellSpan) found = p;
        }
    }
    if (!found) {
        par = GetLastParagraph();
        line = GetLastLine(par);
        return false;
    }
    par = found;
    if (x > 0 && par->IsCell()) {
        for (TParagraph* cell = par; cell && cell->IsCell(); cell = cell->next) {
            par = cell;
            const int32_t left = GetParLeft(cell, true) + GetWrapIndent(cell, cell->firstLine);
            if (x >= left && x < GetParRight(cell, true)) break;
            if (!cell->Has(pfNextCell)) break;
        }
    }
    const bool continued = par->IsCell() && par->Has(pfPrevCell);
    for (TLine* l = par->firstLine; l; l = l->next) {
        line = l;
        const int32_t top = continued ? l->yPos : l->yPos - l->spaceAbove;
        const int32_t bottom = l->yPos + l->height + (continued ? 0 : l->spaceBelow);
        if (y >= top && y < bottom) break;
    }
    return true;
}

bool TRtRTFTextPaint::SetCursorFromPoint(int32_t x, int32_t y, bool scroll, bool clearSelection) {
    if (clearSelection) ClearSelection();
    if (Printing) return false;
    if (PaintModes & pmKeepCursor) return true;
    const int32_t textX = x - LeftInset;
    TParagraph* par = nullptr;
    TLine* line = nullptr;
    FindLineAtPos(par, line, textX, y - TopInset + VertScroll);
    if (!par || !line) return false;
    int32_t index = CharIndexAtX(par, line, textX);
    if (line->HasAttrs() && index > 0 && index < int32_t(line->Length()) &&
        (GetAttr(line, index).style & afsDBCSTwo)) {
        index += SelDirection < 0 ? -1 : 1;
    }
    Cursor = {par, line, index};
    if (scroll && VisibleLayoutHeight > 0) {
        const int32_t below = line->yPos + line->height - (VertScroll + VisibleLayoutHeight);
        if (below > 0) VertScroll += below;
    }
    HostOrNone().CaretPositionChanged();
    return true;
}

// ---- selection by index

void TRtRTFTextPaint::SetSelection(int32_t start, int32_t length) {
    SelDirection = 0;
    SelStart = SelEnd = TRtPosition{};
    MarkSelectedLines();
    if (length <= 0 || !FirstPar()) return;
    SetCursorToIndex(start);
    SelStart = Cursor;
    SetCursorToIndex(start + length);
    SelEnd = Cursor;
    MarkSelectedLines();
    HostOrNone().PostChangeNotification(4);
}

bool TRtRTFTextPaint::GetSelPosLen(int32_t& start, int32_t& length) const {
    start = length = 0;
    if (!SelStart.IsSet() || !SelEnd.IsSet()) return false;
    TRtPosition first;
    TRtPosition last;
    SelectionBounds(first, last);
    int32_t lines = 0;
    int32_t offset = 0;
    int32_t paragraphs = 0;
    int32_t end = 0;
    PositionToIndex(first.offset, first.line, first.par, start, lines, offset, paragraphs);
    PositionToIndex(last.offset, last.line, last.par, end, lines, offset, paragraphs);
    length = end - start;
    return true;
}
