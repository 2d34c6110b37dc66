// TRtRTFTextIo: construction and clearing, conversions between the cursor
// and absolute positions, table navigation and the selection of objects.
#include "richtext/layout/RtRTFTextIo.h"

#include "foundation/Rounding.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtObjectField.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>

TRtRTFTextIo::TRtRTFTextIo() {
    TTextHeader& header = Header();
    if (header.LayoutResX == 0) header.LayoutResX = header.LayoutResY = LayoutResolution;
    if (header.DisplayResX == 0) header.DisplayResX = header.DisplayResY = ScreenResolution;
    header.UpdatePixelMetrics();
    header.UpdateTabPixels();
    Cursor = {FirstPar(), FirstPar()->firstLine, 0};
}

TRtRTFTextIo::~TRtRTFTextIo() = default;

void TRtRTFTextIo::Clear() {
    LastCopiedTable = -1;
    const bool wasLoading = loading_;
    loading_ = true;
    Printing = false;
    Cursor = SelStart = SelEnd = {};
    try {
        TRtRTFText::Clear();
    } catch (...) {
        loading_ = wasLoading;
        throw;
    }
    loading_ = wasLoading;
    Cursor = {FirstPar(), FirstPar()->firstLine, 0};
    CurrentAttr = TAttr{};
    FirstPar()->spaceBefore = 0;
    FirstPar()->spaceAfter = 0;
    cleared_ = true;
}

// ---- units

int32_t TRtRTFTextIo::PixelsX(int32_t twips) const { return MulDiv(twips, Header().LayoutResX, 1440); }
int32_t TRtRTFTextIo::PixelsY(int32_t twips) const { return MulDiv(twips, Header().LayoutResY, 1440); }
int32_t TRtRTFTextIo::TwipsY(int32_t pixels) const {
    const int32_t r = Header().LayoutResY;
    return MulDiv(pixels, 1440, r == 0 ? 96 : r);
}
int32_t TRtRTFTextIo::TextWidthTwips() const {
    const TTextHeader& h = Header();
    return h.StoredPageWidth() - h.LeftMargin() - h.RightMargin();
}

// ---- positions

void TRtRTFTextIo::PositionToIndex(int32_t position, const TLine* line, const TParagraph* par, int32_t& index,
                                   int32_t& lines, int32_t& offset, int32_t& paragraphs) const {
    index = lines = offset = paragraphs = 0;
    const TParagraph* p = FirstPar();
    for (; p && p != par; p = p->next) {
        index += ParagraphLength(p) + 1;
        for (const TLine* l = p->firstLine; l; l = l->next) ++lines;
        ++paragraphs;
    }
    if (!p) return;
    const TLine* l = p->firstLine;
    for (; l && l != line; l = l->next) {
        offset += int32_t(l->Length());
        ++lines;
    }
    if (l) offset += position;
    index += offset;
}

void TRtRTFTextIo::GetCursorPosition(int32_t& index, int32_t& lines, int32_t& offset, int32_t& paragraphs) {
    PositionToIndex(Cursor.offset, Cursor.line, Cursor.par, index, lines, offset, paragraphs);
}

bool TRtRTFTextIo::FindPositionAt(int32_t index, int32_t lineNumber, int32_t& position, TLine*& line,
                                  TParagraph*& par, int32_t column, int32_t parNumber) const {
    TLine* lastLine = nullptr;
    TParagraph* lastPar = nullptr;
    int32_t before = 0;
    int32_t parIndex = 0;
    int32_t lineIndex = 0;
    for (TParagraph* p = FirstPar(); p; p = p->next, ++parIndex) {
        int32_t inPar = 0;
        for (TLine* l = p->firstLine; l; l = l->next, ++lineIndex) {
            const int32_t length = int32_t(l->Length());
            const bool found = index != 0 ? before + length >= index
                               : lineNumber != 0 ? lineIndex == lineNumber
                                                 : parIndex == parNumber && (inPar + length > column || !l->next);
            if (found) {
                line = l;
                par = p;
                position = index != 0 ? std::max(0, index - before)
                           : lineNumber != 0 ? 0
                                             : std::clamp(column - inPar, 0, length);
                return true;
            }
            before += length;
            inPar += length;
            lastLine = l;
            lastPar = p;
        }
        ++before;  // the paragraph end
    }
    line = lastLine;
    par = lastPar;
    position = lastLine ? int32_t(lastLine->Length()) : 0;
    return true;
}

void TRtRTFTextIo::SetCursorFromPosition(int32_t index, int32_t lineNumber, int32_t column, int32_t parNumber) {
    int32_t position = 0;
    TLine* line = nullptr;
    TParagraph* par = nullptr;
    FindPositionAt(index, lineNumber, position, line, par, column, parNumber);
    if (par && line) Cursor = {par, line, position};
}

bool TRtRTFTextIo::HasSelection() const { return (SelStart.IsSet() && SelEnd.IsSet()) || SelectedObjectRef; }

// ---- tables

TParagraph* TRtRTFTextIo::GetRowStartAbove(TParagraph* cell) {
    if (!cell || !cell->IsCell()) return nullptr;
    TParagraph* before = RowStart(cell)->prev;
    return before && before->IsCell() ? RowStart(before) : nullptr;
}

TParagraph* TRtRTFTextIo::GetRowStartBelow(TParagraph* cell) {
    if (!cell || !cell->IsCell()) return nullptr;
    TParagraph* after = RowEnd(cell)->next;
    return after && after->IsCell() ? after : nullptr;
}

TParagraph* TRtRTFTextIo::GetCellOfRow(TParagraph* cell, int32_t index) {
    if (!cell || !cell->IsCell() || index < 0) return nullptr;
    TParagraph* p = RowStart(cell);
    for (; index > 0; --index) {
        if (!p->Has(pfNextCell) || !p->next) return nullptr;
        p = p->next;
    }
    return p;
}

int32_t TRtRTFTextIo::GetCellIndex(const TParagraph* cell) {
    if (!cell || !cell->IsCell()) return -1;
    int32_t index = 0;
    for (const TParagraph* p = cell; p->Has(pfPrevCell) && p->prev; p = p->prev) ++index;
    return index;
}

TParagraph* TRtRTFTextIo::GetTableRow(TParagraph* cell, int32_t index) {
    if (!cell || !cell->IsCell() || index < 0) return nullptr;
    TParagraph* row = RowStart(cell);
    while (TParagraph* above = GetRowStartAbove(row)) row = above;
    for (; row && index > 0; --index) row = GetRowStartBelow(row);
    return row;
}

namespace {

bool CellCovers(const TParagraph* cell, int32_t column) {
    const int32_t start = cell->extra ? cell->extra->start : 0;
    const int32_t width = cell->extra ? cell->extra->width : kRowWidth;
    return column >= start && column < start + width;
}

}  // namespace

bool TRtRTFTextIo::MoveCursorToRow(bool up) {
    TParagraph* current = Cursor.par;
    if (!current) return false;
    TParagraph* target = nullptr;
    if (current->IsCell()) {
        const int32_t column = current->extra ? current->extra->start : 0;
        TParagraph* beside = up ? RowStart(current)->prev : RowEnd(current)->next;
        if (!beside) return false;
        if (beside->IsCell()) {
            for (TParagraph* cell = RowStart(beside); cell; cell = cell->next) {
                if (CellCovers(cell, column)) {
                    target = cell;
                    break;
                }
                if (!cell->Has(pfNextCell)) return false;
            }
        } else {
            target = beside;
        }
    } else if (up && current->prev && current->prev->IsCell()) {
        target = RowStart(current->prev);
    }
    if (!target) return false;
    TLine* line = up ? GetLastLine(target) : target->firstLine;
    Cursor = {target, line, std::min(Cursor.offset, int32_t(line->Length()))};
    return true;
}

// ---- objects

void TRtRTFTextIo::SelectObjectChars(const TRtObjectBase* object, bool setStart, bool setEnd) {
    for (TParagraph* p = FirstPar(); p; p = p->next) {
        for (TLine* l = p->firstLine; l; l = l->next) {
            if (!l->HasAttrs()) return;
            for (uint32_t i = 0; i < l->Length(); ++i) {
                if (l->CharAt(i) != kObjectChar) continue;
                const TAttr& a = Attrs().Format(l->FormatAt(i));
                if (!(a.style & afsIsObject)) continue;
                const TTextObj* ref = ObjRefs().GetItem(a.reference);
                if (!ref || ref->object != object) continue;
                if (setStart) SelStart = {p, l, int32_t(i)};
                if (setEnd) SelEnd = {p, l, int32_t(i) + 1};
            }
        }
    }
}

void TRtRTFTextIo::SelectObject(TTextObj* reference, bool flag) {
    if (reference) ClearTextSelection();
    EditingObject = nullptr;
    if (!reference) ShowObjectDeselected();
    if (SelectedObjectRef) {
        TTextObj* previous = SelectedObjectRef;
        SelectedObjectRef = nullptr;
        if (OnObjectNotify) OnObjectNotify(Editor, previous, false);
    }
    ShowObjectDeselected();
    if (!reference) return;
    if (dynamic_cast<TRtObjectField*>(reference->object) && reference->kind == tokInFlow) {
        SelectObjectChars(reference->object, true, true);
        return;
    }
    SelectedObjectRef = reference;
    ShowObjectSelected(reference);
    if (OnObjectNotify) OnObjectNotify(Editor, reference, false);
}
