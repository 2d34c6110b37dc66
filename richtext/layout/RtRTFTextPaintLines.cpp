// TRtRTFTextPaint: painting the window or an area of it, line by line. Each
// painted line gets a paint record (rectangles, alignment, base line, bands
// beside it and in the page gaps, background, selected part) that the run
// painter (RtRTFTextPaintRuns.cpp) draws from.
#include "richtext/layout/RtRTFTextPaint.h"

#include "foundation/Rounding.h"
#include "platform/gdi/Canvas.h"
#include "richtext/model/TextHeader.h"
#include "richtext/model/TextOptions.h"

#include <algorithm>

namespace {

// Layout flags of the page views.
constexpr uint16_t kViewHeaders = 0x10;
constexpr uint16_t kViewFooters = 0x20;
constexpr uint16_t kViewGapMarks = 0x40;
constexpr uint16_t kViewPageArea = 0x80;

bool HasPrevCellInRow(const TParagraph* par) { return par->IsCell() && par->Has(pfPrevCell); }

}  // namespace

bool TRtRTFTextPaint::OnPrinter() const {
    return (PaintModes & pmPrinter) != 0 || (canvas_ && canvas_->IsPrinter());
}

gdi::Color TRtRTFTextPaint::GetBackgroundColor() const { return OnPrinter() ? gdi::Rgb(255, 255, 255) : Color; }

// ---- the window and its areas

void TRtRTFTextPaint::PaintWindow() {
    if (formatting_ || PaintLocked || loading_ || NoCanvas()) return;
    PrepareCanvasMapping(false);
    if (OnPrinter() || !FirstPar()) return;
    const int32_t height = Host ? Host->ClientHeight() : VisibleHeight;
    const int32_t width = Host ? Host->ClientWidth() : VisibleWidth;
    PaintScreenRect(0, 0, height, width);
}

void TRtRTFTextPaint::PaintScreenRect(int32_t x, int32_t y, int32_t height, int32_t width) {
    PaintArea(UnscaleByZoom(x), UnscaleByZoom(y), UnscaleByZoom(height), UnscaleByZoom(width));
}

void TRtRTFTextPaint::PaintArea(int32_t x, int32_t y, int32_t height, int32_t width) {
    if (PaintLocked || height <= 0 || width <= 0 || formatting_ || NoCanvas()) return;
    const bool caretShown = HostOrNone().HideCaret();
    PrepareCanvasMapping(false);
    maxPaintedBottom_ = 0;
    const int32_t top = y + VertScroll;
    const int32_t bottom = y + height + VertScroll;
    const int32_t windowBottom = VertScroll + std::max(y + height, VisibleLayoutHeight);
    for (TParagraph* par = FirstPar(); par; par = par->next) {
        const TLine* first = par->firstLine;
        if (first && first->yPos - first->spaceAbove - PageGapHalf > windowBottom && !par->IsCell()) break;
        for (TLine* line = par->firstLine; line; line = line->next) {
            if (line->yPos + 2 * line->height + line->spaceBelow + FullPageGap + 1 < top) continue;
            if (bottom + line->height + 1 < line->yPos - line->spaceAbove - PageGapHalf) continue;
            const bool hiddenFirst = par == FirstPar() && par->Has(pfHidden);
            if (line->height || line->spaceBelow || hiddenFirst) PaintLine(par, line);
        }
    }
    // The rest of the area below the text.
    const int32_t fillTop = std::max(maxPaintedBottom_, y);
    if (fillTop < y + height && !(PaintModes & (pmTransparent | pmNoPaper)) && !OnPrinter()) {
        gdi::Rect rest{x, fillTop, x + width, y + height};
        if (clipActive_) {
            rest.top = std::max(rest.top, clipRect_.top);
            rest.bottom = std::min(rest.bottom, clipRect_.bottom);
        }
        const gdi::Color color = (LayoutFlags & (kViewGapMarks | kViewPageArea)) ? PageGapColor : GetBackgroundColor();
        if (rest.bottom > rest.top) canvas_->FillRect(rest, gdi::SolidBrush(color));
    }
    PaintDropMark();
    if (caretShown) HostOrNone().ShowCaret();
}

void TRtRTFTextPaint::SetDropMark(TParagraph* par, TLine* line, gdi::Color color, int32_t index) {
    dropMark_ = par && line ? TDropMark{par, line, color, index} : TDropMark{};
}

void TRtRTFTextPaint::PaintDropMark() {
    if (!dropMark_.par) return;
    TRtLinePaint rec;
    ComputeLineRects(rec, 0, dropMark_.line, dropMark_.par, TopInset + dropMark_.line->yPos - VertScroll);
    int32_t x = rec.textStart;
    const uint32_t end = std::min<uint32_t>(uint32_t(std::max(dropMark_.index, 0)), dropMark_.line->Length());
    for (uint32_t i = 0; i < end && dropMark_.line->HasAttrs(); ++i) x += dropMark_.line->WidthAt(i);
    canvas_->FillRect({x, rec.line.top, x + 2 * OnePixel, rec.line.bottom}, gdi::SolidBrush(dropMark_.color));
}

// ---- one line

void TRtRTFTextPaint::PaintLine(TParagraph* par, TLine* line) {
    if (NoCanvas() || PaintLocked || !par || !line) return;
    if (par->Has(pfHidden) && !ShowHiddenText && par != FirstPar() && !line->spaceBelow) return;
    const int32_t y = TopInset + line->yPos - VertScroll;
    const int32_t lineBottom = y + line->height + line->spaceBelow;
    if (clipActive_ && (lineBottom < clipRect_.top || y - line->spaceAbove > clipRect_.bottom)) return;
    if (!OnPrinter() && !(PaintModes & pmOffWindowLines) && VisibleLayoutHeight > 0 &&
        (lineBottom < 0 || y - line->spaceAbove > VisibleLayoutHeight)) {
        return;
    }
    TRtLinePaint rec;
    if (par->IsCell()) ComputeRowPosition(rec, par);
    const int32_t horzOffset = (PaintModes & pmNoHorzOffset) ? 0 : HorzScroll;
    ComputeLineRects(rec, horzOffset, line, par, y);
    if (!OnPrinter()) ComputeBands(rec, par, line);
    if (par->shadingPercent && !(OnPrinter() && (PrintOptions & rtIgnoreShading))) {
        const uint8_t c = par->shadingColor;
        const int32_t index = ExtendedColors ? c : (c < 16 ? c & 0x0F : c >> 4);
        rec.hasBackground = true;
        rec.background = GetShadedColor(index, par->shadingPercent);
    }
    if (par->Has(pfHeaderBand | pfFooterBand)) {
        rec.hasBackground = true;
        rec.background = gdi::SysColor(gdi::COLOR_BTNFACE);
    }
    ComputeLineSelection(rec, par, line);
    maxPaintedBottom_ = std::max(maxPaintedBottom_, lineBottom);
    PaintLineRuns(par, line, rec);
}

void TRtRTFTextPaint::ComputeLineRects(TRtLinePaint& rec, int32_t horzOffset, TLine* line, TParagraph* par,
                                       int32_t y) {
    // The edges already hold the horizontal scroll position; the offset asked for replaces it.
    const int32_t shift = horzOffset - HorzScroll + LeftInset;
    rec.parLeft = GetParLeft(par, true) + shift;
    rec.parRight = GetParRight(par, true) + shift;
    rec.textStart = GetParLeft(par) + shift + GetWrapIndent(par, line) + GetIndentPixels(par, line);
    rec.textEnd = GetParRight(par) + shift - (par->IsCell() ? 0 : GetRightIndentPixels(par));
    rec.line = {rec.textStart, y, rec.textEnd, y + line->height};
    rec.baseline = y + line->baseLine;
    // The same start as hit-testing finds, so that the caret meets the glyphs.
    rec.alignOffset = LineStartX(par, line) + shift - rec.textStart;
}

void TRtRTFTextPaint::ComputeRowPosition(TRtLinePaint& rec, TParagraph* par) {
    TParagraph* first = RowStart(par);
    TParagraph* last = RowEnd(par);
    const TParagraph* before = first->prev;
    const TParagraph* after = last->next;
    rec.firstRow = !before || !before->IsCell() || (first->firstLine && (first->firstLine->flags & lfPageStart)) ||
                   first->Has(pfPageBreak);
    rec.lastRow = !after || !after->IsCell() || after->Has(pfPageBreak) ||
                  (after->firstLine && (after->firstLine->flags & lfPageStart));
}

// The bands beside the line and in the page gaps (screen only).
void TRtRTFTextPaint::ComputeBands(TRtLinePaint& rec, TParagraph* par, TLine* line) {
    const TTextHeader& h = Header();
    const bool pageArea = (LayoutFlags & kViewPageArea) != 0;
    const int32_t p = OnePixel;
    const int32_t g = PageGapHalf;
    const int32_t pageLeft = LeftInset + EditorPageGap + HorzScroll;
    const int32_t pageRight = pageLeft + (WordWrap && !pageArea ? Header().TextAreaWidthPx + h.LeftMarginPx : h.PageWidthPx);
    const int32_t rightText = pageRight - (WordWrap && !pageArea ? 0 : h.RightMarginPx);
    const int32_t windowRight =
        std::max(VisibleLayoutWidth, UnscaleByZoom(Host ? Host->ClientWidth() : VisibleWidth));
    const int32_t top = rec.line.top - line->spaceAbove;
    const int32_t bottom = rec.line.bottom + line->spaceBelow;
    int32_t bandTop = top;
    int32_t bandBottom = bottom;
    const int32_t rowRight = par->IsCell() ? pageRight : rec.parRight;
    if (line->spaceAbove) {
        rec.topPageEdge.Set(0, top, 32000, top + g);
        if (!pageArea && !(LayoutFlags & kViewGapMarks)) rec.topPageEdge.present = false;
        bandTop = rec.topPageEdge.present ? top + g : top;
        rec.spaceAbove.Set(rec.parLeft, bandTop, rowRight, rec.line.top);
    }
    if (line->spaceBelow) {
        const int32_t gap = (pageArea || (LayoutFlags & kViewGapMarks)) && line->next == nullptr ? g : 0;
        rec.spaceBelow.Set(rec.parLeft, rec.line.bottom, rowRight, bottom - gap);
        if (gap) {
            rec.bottomPageEdge.Set(0, bottom - gap, 32000, bottom);
            bandBottom = bottom - gap;
        }
        if ((LayoutFlags & kViewGapMarks) && gap) {
            const TLine* nextLine = line->next ? line->next : (par->next ? par->next->firstLine : nullptr);
            if (line->next && (line->next->flags & lfPageStart)) {
                rec.gapMark = gmSoftBreak;
            } else if (par->next && par->next->Has(pfPageBreak)) {
                rec.gapMark = gmHardBreak;
            } else if (nextLine && (nextLine->flags & lfPageStart)) {
                rec.gapMark = gmSoftBreak;
            } else {
                rec.gapMark = (ViewOptions & rtNoEndOfDocumentLine) ? gmEndWithoutLine : gmEndOfText;
            }
        }
    }
    if (!HasPrevCellInRow(par)) {
        rec.leftMargin.Set(pageArea ? pageLeft : 0, bandTop, rec.parLeft, bandBottom);
        if (pageArea) rec.leftPageEdge.Set(LeftInset + HorzScroll, bandTop, pageLeft, bandBottom);
    }
    int32_t rightFrom = rec.parRight - 1;
    if (par->IsCell() && par->Has(pfNextCell)) rightFrom = rec.parRight + p;
    if (par->IsCell() && !par->Has(pfNextCell)) rightFrom = std::max(rightFrom + p, rec.parRight);
    rec.rightBand.Set(rightFrom, bandTop, pageArea ? pageRight : windowRight, bandBottom);
    if (par->IsCell() && par->Has(pfNextCell)) rec.rightBand.present = false;
    if (pageArea) rec.rightPageEdge.Set(pageRight, bandTop, windowRight, bandBottom);
    (void)rightText;
}

// ---- the selection

void TRtRTFTextPaint::SelectionBounds(TRtPosition& first, TRtPosition& last) const {
    first = SelStart;
    last = SelEnd;
    if (!first.IsSet() || !last.IsSet()) return;
    bool ordered = true;
    if (first.par == last.par) {
        ordered = OffsetInParagraph(first.par, first.line, first.offset) <=
                  OffsetInParagraph(last.par, last.line, last.offset);
    } else {
        ordered = false;
        for (const TParagraph* p = first.par; p; p = p->next) {
            if (p == last.par) {
                ordered = true;
                break;
            }
        }
    }
    if (!ordered) std::swap(first, last);
}

void TRtRTFTextPaint::MarkSelectedLines() {
    for (TParagraph* p = FirstPar(); p; p = p->next) {
        for (TLine* l = p->firstLine; l; l = l->next) l->flags &= ~(lfInSelection | lfWhollySelected);
    }
    TRtPosition first;
    TRtPosition last;
    SelectionBounds(first, last);
    if (!first.IsSet() || !last.IsSet() || !first.line || !last.line) return;
    for (TParagraph* p = first.par; p; p = p->next) {
        for (TLine* l = p == first.par ? first.line : p->firstLine; l; l = l->next) {
            l->flags |= lfInSelection;
            if (l == last.line) return;
        }
    }
}

void TRtRTFTextPaint::ComputeLineSelection(TRtLinePaint& rec, TParagraph* par, TLine* line) {
    line->flags &= ~lfWhollySelected;
    if (HideSelection || (ViewOptions & rtHideSelection) || (PaintModes & pmNoSelection) || rec.band) return;
    if (CellsMarked && par->Has(pfMarked)) {
        rec.lineSelected = true;
        rec.selRunsOn = true;
        return;
    }
    if (!HasSelection() || !(line->flags & lfInSelection)) return;
    TRtPosition first;
    TRtPosition last;
    SelectionBounds(first, last);
    const int32_t length = int32_t(line->Length());
    rec.selFrom = line == first.line ? std::min(first.offset, length) : 0;
    rec.selTo = length;
    if (line == last.line) {
        rec.selTo = std::min(last.offset, length);
        if (last.offset == 0) rec.selFrom = rec.selTo = 0;
    }
    rec.selRunsOn = line != last.line;
    if (rec.selFrom == 0 && rec.selTo >= length && rec.selRunsOn) {
        rec.lineSelected = true;
        line->flags |= lfWhollySelected;
    }
}
