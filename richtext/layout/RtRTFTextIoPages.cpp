// TRtRTFTextIo: the vertical layout. The first pass gives every line its
// position relative to the text and breaks pages by height, hard breaks,
// keep rules and table rows; the second adds the page-view margins and gaps
// and numbers the pages; at the end table cells align their contents.
#include "richtext/layout/RtRTFTextIo.h"

#include "foundation/Rounding.h"
#include "richtext/model/ParObject.h"
#include "richtext/model/RtSpecialTextProperty.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>

struct TRtRTFTextIo::TPageState {
    int32_t y = 0;
    int32_t page = 0;
    int32_t pageTop = 0;
    int32_t available = 0;
    TParagraph* keepChain = nullptr;
    TParagraph* rowStart = nullptr;
    int32_t rowHeight = 0;
    bool numberPages = false;  // page numbers are given on the way (a plain full layout)
    bool anyCell = false;
    TLine* lastLine = nullptr;
    int32_t index = 0;
};

namespace {

int32_t LinesHeight(const TParagraph* par) {
    int32_t h = 0;
    for (const TLine* l = par->firstLine; l; l = l->next) h += l->height;
    return h;
}

void SetRectObjects(TParagraph* par, int32_t top, int32_t bottom) {
    for (TParObject* o = par->objects; o; o = o->next) {
        if (auto* rect = dynamic_cast<TParRectObject*>(o)) {
            rect->top = top;
            rect->bottom = bottom;
        }
    }
}

// A cell's neighbour flags must agree with its neighbours; a paragraph that is
// no cell has none.
void RepairCellFlags(TParagraph* p) {
    if (p->IsCell() && p->Has(pfNextCell) && (!p->next || !p->next->Has(pfPrevCell))) {
        p->flags &= ~(pfNextCell | pfTableCell);
        p->spaceAfter = 0;
    }
    if (p->IsCell() && p->Has(pfPrevCell) && (!p->prev || !p->prev->Has(pfNextCell))) p->flags &= ~pfPrevCell;
    if (!p->IsCell() && p->Has(pfPrevCell | pfNextCell)) {
        p->flags &= ~(pfPrevCell | pfNextCell);
        p->spaceAfter = 0;
    }
}

int16_t Clamp16s(int32_t v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

}  // namespace

int32_t TRtRTFTextIo::LaidOutHeight(TRtSpecialTextProperty& item) { return item.Height(); }

// ---- pages and their header and footer sets

const TRtHeaderFooterSet& TRtRTFTextIo::SetOfPage(int32_t page) const {
    if (page == 0) return sets_[0];
    return (lastPageRule_ || page % 2 == 1) ? sets_[2] : sets_[1];
}

int32_t TRtRTFTextIo::PageTextHeight(int32_t page) {
    const TTextHeader& h = Header();
    int32_t height = h.StoredPageHeight();
    int32_t top = h.TopMargin();
    int32_t bottom = h.BottomMargin();
    if (OnMeasurePage) OnMeasurePage(Editor, page, height, top, bottom);
    const int32_t r = h.Landscape() ? h.LayoutResX : h.LayoutResY;
    const TRtHeaderFooterSet& set = SetOfPage(page);
    return MulDiv(height - top - bottom, r, 1440) - set.headerSpace - set.footerSpace;
}

void TRtRTFTextIo::BuildHeaderFooterSets(bool empty) {
    sets_ = {};
    lastPageRule_ = false;
    if (empty || PrintHeaderFooter == rtrNever || EditedKind != 0) return;
    const auto find = [this](uint8_t range, uint8_t kind) { return FindHeaderFooter(range, kind); };
    const auto replace = [&find](TRtHeaderFooterSet& set, uint8_t range) {
        if (auto* h = find(range, rtIsHeader)) set.header = h;
        if (auto* f = find(range, rtIsFooter)) set.footer = f;
    };
    const TRtHeaderFooterSet all{find(rtraOnAllPages, rtIsHeader), find(rtraOnAllPages, rtIsFooter), 0, 0};
    sets_.fill(all);
    if (PrintHeaderFooter == rtrNotOnFirstPage) {
        sets_[0] = {};
    } else {
        replace(sets_[0], rtraOnFirstPage);
    }
    if (PrintHeaderFooter == rtrOnlyOnFirstPage) {
        sets_[1] = sets_[2] = {};
    } else if (find(rtraOnLastPage, rtIsHeader) || find(rtraOnLastPage, rtIsFooter)) {
        lastPageRule_ = true;
        replace(sets_[1], rtraOnLastPage);
        replace(sets_[2], rtraNotOnFirstAndLastPages);
    } else {
        // Pages count from 0: the odd set serves the even page numbers of the printout.
        replace(sets_[1], rtraOnOddPages);
        replace(sets_[2], rtraOnEvenPages);
    }
    const TTextHeader& h = Header();
    const auto space = [&](TRtSpecialTextProperty* item, int32_t distance, int32_t margin) {
        if (!item || item->IsEmpty()) return 0;
        const int32_t extent = distance + LaidOutHeight(*item);
        return h.PrintHeaderFooterInPageMargins ? std::max(0, extent - margin) : extent;
    };
    for (TRtHeaderFooterSet& set : sets_) {
        set.headerSpace = space(set.header, h.MarginHeaderPx, h.TopMarginPx);
        set.footerSpace = space(set.footer, h.MarginFooterPx, h.BottomMarginPx);
    }
}

// ---- first pass

void TRtRTFTextIo::BreakPageAt(TParagraph* par, TLine* line, TPageState& s) {
    if (!PageMarksFrozen) line->flags |= lfPageStart;
    s.pageTop = line->yPos;
    ++s.page;
    s.available = PageTextHeight(s.page);
    if (!s.numberPages) return;
    // A break before lines already passed (a kept paragraph or row): they move to the new page.
    const uint16_t page = uint16_t(std::min(s.page, 65535));
    for (TParagraph* p = par; p; p = p->next) {
        for (TLine* l = p == par ? line : p->firstLine; l; l = l->next) {
            l->pageNumber = page;
            if (l == s.lastLine) return;
        }
    }
}

int32_t TRtRTFTextIo::LineExcessOfSpacing(TParagraph* par, TLine* line) {
    int32_t tallest = 0;
    for (uint32_t i = 0; line->HasAttrs() && i < line->Length(); ++i) {
        tallest = std::max<int32_t>(tallest, Attrs().Format(line->FormatAt(i)).height);
    }
    if (tallest <= 0) tallest = MeasureTable()[kMeasureLineHeight];
    int32_t spacing = 0;
    int32_t ascent = 0;
    ApplyLineSpacing(par, tallest, spacing, ascent);
    return spacing;
}

void TRtRTFTextIo::LayOutLines(TParagraph* p, TPageState& s) {
    const bool hidden = (p->flags & pfHiddenAny) != 0;
    int32_t above = 0;
    for (TLine* line = p->firstLine; line; line = line->next) {
        line->yPos = s.y + above;
        line->spaceAbove = line->spaceBelow = 0;
        if (!PageMarksFrozen) line->flags &= ~lfPageStart;
        if (s.numberPages) line->pageNumber = uint16_t(std::min(s.page, 65535));
        s.lastLine = line;
        const int32_t limit = s.pageTop + s.available;
        if (hidden) {
            line->height = line->baseLine = 0;
        } else if (p->IsCell()) {
            if (p->flags & (pfCellVCenter | pfCellVBottom)) p->spaceBefore = 0;
            if (!line->next) MeasureLineHeight(p, line);
            const bool alone = !p->Has(pfPrevCell) && !p->Has(pfNextCell);
            if (Paginate && alone && line->yPos + line->height > limit && p->firstLine->yPos > s.pageTop) {
                BreakPageAt(p, p->firstLine, s);
            }
        } else if (Paginate && line->yPos + line->height > limit &&
                   line->yPos + line->height - LineExcessOfSpacing(p, line) > limit) {
            if (p->prev && p->prev->Has(pfKeepWithNext) && s.keepChain && s.keepChain->firstLine->yPos > s.pageTop) {
                BreakPageAt(s.keepChain, s.keepChain->firstLine, s);
            } else if (!p->Has(pfKeepTogether | pfKeepWithNext) || (p->firstLine->flags & lfPageStart) ||
                       s.pageTop >= p->firstLine->yPos) {
                if (line->yPos > s.pageTop) BreakPageAt(p, line, s);
            } else {
                BreakPageAt(p, p->firstLine, s);
            }
            s.keepChain = nullptr;
        }
        above += line->height;
    }
}

void TRtRTFTextIo::CloseCell(TParagraph* p, TPageState& s) {
    const int32_t content = LinesHeight(p);
    s.rowHeight = std::max(s.rowHeight, content);
    if (p->Has(pfNextCell)) {
        p->spaceAfter = Clamp16s(content);
        return;
    }
    if (p->spaceBefore > 0 && !(p->flags & pfHiddenAny) && !(p->flags & (pfCellVCenter | pfCellVBottom)) &&
        p->Has(pfPrevCell)) {
        s.rowHeight += PixelsY(p->spaceBefore);
    }
    p->spaceAfter = Clamp16s(content);
    TParagraph* row = s.rowStart ? s.rowStart : p;
    const int32_t rowTop = row->firstLine->yPos;
    s.y += s.rowHeight;
    if (Paginate && rowTop + s.rowHeight > s.pageTop + s.available && rowTop > s.pageTop) {
        BreakPageAt(s.keepChain ? s.keepChain : row, s.keepChain ? s.keepChain->firstLine : row->firstLine, s);
    }
    const int32_t r = Header().LayoutResY == 0 ? 96 : Header().LayoutResY;
    for (TParagraph* c = row; c; c = c->next) {
        c->spaceAfter = Clamp16s(MulDiv(std::max(s.rowHeight - c->spaceAfter, 0), 1440, r));
        MeasureLineHeight(c, GetLastLine(c));
        if (c != p) SetRectObjects(c, c->firstLine->yPos, s.y);
        if (c == p) break;
    }
    s.rowStart = nullptr;
    s.rowHeight = 0;
}

void TRtRTFTextIo::FirstPass(TParagraph* start, TPageState& s) {
    TParagraph* first = start ? start : FirstPar();
    if (!start) {
        FirstPar()->flags &= ~pfPageBreak;
    } else if (first->firstLine) {
        s.y = first->firstLine->yPos;
        s.page = first->firstLine->pageNumber;
        s.pageTop = s.y;
        for (TParagraph* p = first; p; p = p->prev) {
            const TLine* l = p == first ? p->firstLine : GetLastLine(p);
            for (; l; l = l->prev) {
                if ((l->flags & lfPageStart) || (!l->prev && p->Has(pfPageBreak))) break;
            }
            if (l) {
                s.pageTop = l->yPos;
                break;
            }
            if (!p->prev) s.pageTop = 0;
        }
    }
    s.available = PageTextHeight(s.page);
    for (TParagraph* p = first; p; p = p->next) {
        if (!p->firstLine) continue;
        if (p->Has(pfPageBreak) && p->prev) {
            s.pageTop = s.y;
            ++s.page;
            s.available = PageTextHeight(s.page);
            s.keepChain = nullptr;
        }
        RepairCellFlags(p);
        s.anyCell = s.anyCell || p->IsCell();
        if (s.numberPages) p->index = s.index++;
        if (p->IsCell()) {
            if (!p->Has(pfPrevCell)) {
                s.rowStart = p;
                s.rowHeight = 0;
                if (p->Has(pfKeepWithNext) && !s.keepChain) s.keepChain = p;
            }
            p->spaceAfter = 0;
        } else if (p->Has(pfKeepWithNext) && (!p->prev || !p->prev->Has(pfKeepWithNext) || !s.keepChain)) {
            s.keepChain = p;
        }
        LayOutLines(p, s);
        if (p->IsCell()) {
            CloseCell(p, s);
        } else {
            s.y += LinesHeight(p);
        }
        SetRectObjects(p, p->firstLine->yPos, s.y);
    }
}

// ---- second pass

void TRtRTFTextIo::SecondPass() {
    const TTextHeader& h = Header();
    const bool editingHeaderFooter = EditedKind != 0;
    const uint16_t flags = LayoutFlags;
    if (!(flags & (lyPageView | lyPageFill | lyFixedGap))) {
        int32_t pages = 0;
        int32_t index = 0;
        for (TParagraph* p = FirstPar(); p; p = p->next) {
            p->index = index++;
            if (p->Has(pfPageBreak) && p->prev) ++pages;
            for (TLine* l = p->firstLine; l; l = l->next) {
                if ((l->flags & lfPageStart) && !(p->Has(pfPageBreak) && p->prev && !l->prev)) ++pages;
                l->pageNumber = uint16_t(std::min(pages, 65535));
            }
        }
        PageCount = pages + 1;
        return;
    }
    const int32_t r = h.LayoutResY;
    if ((flags & lyFixedGap) || editingHeaderFooter) FullPageGap = MulDiv(h.PageGap, r, 1440);
    const bool pageView = (flags & lyPageView) && !editingHeaderFooter;
    int32_t offset = 0;
    int32_t page = 0;
    int32_t used = 0;
    int32_t available = PageTextHeight(0);
    TParagraph* lastPar = nullptr;
    TLine* lastLine = nullptr;
    const auto fillPageEnd = [&]() {
        if (!lastLine) return;
        int32_t space = 0;
        if (flags & lyPageFill) {
            space = h.BottomMarginPx + available + PageGapHalf + SetOfPage(page).footerSpace - used;
        } else if (flags & lyFixedGap) {
            space = FullPageGap;
        }
        space = std::clamp(space, 0, 65535);
        if (space == 0) return;
        if (lastPar && lastPar->IsCell()) {
            for (TParagraph* c = lastPar; c; c = c->next) {
                GetLastLine(c)->spaceBelow = uint16_t(space);
                if (!c->Has(pfNextCell)) break;
            }
        } else {
            lastLine->spaceBelow = uint16_t(space);
        }
        offset += space;
    };
    const auto startPage = [&](TLine* line) {
        fillPageEnd();
        ++page;
        used = 0;
        available = PageTextHeight(page);
        if (pageView) {
            const int32_t above = PageGapHalf + h.TopMarginPx + SetOfPage(page).headerSpace;
            line->spaceAbove = uint16_t(std::clamp(above, 0, 65535));
            offset += above;
        }
    };
    TParagraph* first = FirstPar();
    if (pageView && first && first->firstLine) {
        const int32_t above = PageGapHalf + h.TopMarginPx + sets_[0].headerSpace;
        first->firstLine->spaceAbove = uint16_t(std::clamp(above, 0, 65535));
        offset += above;
    }
    int32_t index = 0;
    int32_t textHeight = 0;
    for (TParagraph* p = first; p; p = p->next) {
        bool pageStarted = false;
        if (p->Has(pfPageBreak) && p->prev) {
            if (editingHeaderFooter) {
                p->flags &= ~pfPageBreak;
            } else {
                startPage(p->firstLine);
                pageStarted = true;
            }
        }
        for (TLine* l = p->firstLine; l; l = l->next) {
            if ((l->flags & lfPageStart) && !(flags & lyManualBreaksOnly) && !(pageStarted && l == p->firstLine)) {
                startPage(l);
            }
            l->pageNumber = uint16_t(std::min(page, 65535));
            l->yPos += offset;
            textHeight = l->yPos + l->height + l->spaceBelow + l->spaceAbove;
            if (!p->Has(pfPrevCell)) {
                used += l->height;
                lastLine = l;
                lastPar = p;
            }
        }
        p->index = index++;
    }
    fillPageEnd();
    PageCount = page + 1;
    (void)textHeight;
}

void TRtRTFTextIo::AlignCellsVertically() {
    for (TParagraph* p = FirstPar(); p; p = p->next) {
        if (!p->IsCell() || p->spaceAfter <= 0 || !p->firstLine) continue;
        // A hidden cell takes no space; the cells after it still align.
        if (p->flags & pfHiddenAny) {
            for (TLine* l = p->firstLine; l; l = l->next) l->height = l->baseLine = 0;
            continue;
        }
        const bool centre = p->Has(pfCellVCenter);
        if (!centre && !p->Has(pfCellVBottom)) continue;
        const int32_t free = PixelsY(p->spaceAfter);
        const int32_t shift = centre ? free / 2 : free;
        TLine* first = p->firstLine;
        MeasureLineHeight(p, first);
        first->baseLine = uint16_t(std::clamp(first->baseLine + shift, 0, 65535));
        if (first->next) {
            first->height = uint16_t(std::clamp(first->height + shift, 0, 65535));
            for (TLine* l = first->next; l; l = l->next) l->yPos += shift;
            TLine* last = GetLastLine(p);
            last->height = uint16_t(std::max(0, last->height - shift));
        }
        const int32_t both = p->spaceBefore + p->spaceAfter;
        p->spaceAfter = Clamp16s(centre ? both / 2 : both);
        p->spaceBefore = Clamp16s(both - p->spaceAfter);
    }
}

int32_t TRtRTFTextIo::UpdatePageLayout(TParagraph* start) {
    const bool announce = !layoutRunning_;
    layoutRunning_ = true;
    if (announce && OnFormatting) OnFormatting(1);
    const auto finish = [&]() {
        if (!announce) return;
        layoutRunning_ = false;
        if (OnFormatting) OnFormatting(0);
    };
    int32_t height = 0;
    try {
        PageGapHalf = (LayoutFlags & (lyPageView | lyPageFill)) ? PixelsY(Header().PageGap / 2) : 0;
        BuildHeaderFooterSets(start != nullptr);
        TPageState state;
        // In the plain layout the first pass numbers the pages; the page view needs the second.
        const bool plain = !(LayoutFlags & (lyPageView | lyPageFill | lyFixedGap)) && !PageMarksFrozen;
        state.numberPages = !start && !FirstPassOnly && plain;
        FirstPass(start, state);
        if (state.numberPages) {
            PageCount = state.page + 1;
        } else if (!start && !FirstPassOnly) {
            SecondPass();
        }
        if (!start && state.anyCell) AlignCellsVertically();
        const TLine* last = state.lastLine;
        height = last ? last->yPos + last->height + last->spaceBelow + TextBottomSpacing : GetTextHeight();
    } catch (...) {
        finish();
        throw;
    }
    finish();
    InvalidatePageCount();
    return height;
}

// ---- pages

int32_t TRtRTFTextIo::LocatePage(int32_t page, TParagraph*& par, int32_t& charIndex, TLine*& line) const {
    par = nullptr;
    line = nullptr;
    charIndex = 0;
    int32_t passed = 0;
    int32_t starts = 0;
    for (TParagraph* p = FirstPar(); p; p = p->next) {
        for (TLine* l = p->firstLine; l; l = l->next) {
            const bool startsPage = (l->flags & lfPageStart) || (!l->prev && p->Has(pfPageBreak) && p->prev);
            if (startsPage) ++starts;
            if (starts == page) {
                par = p;
                line = l;
                return passed;
            }
            charIndex += int32_t(l->Length());
            ++passed;
        }
        ++charIndex;
    }
    return passed;
}

int32_t TRtRTFTextIo::GetCursorPage() const {
    int32_t starts = 0;
    for (const TParagraph* p = FirstPar(); p; p = p->next) {
        if (p->Has(pfPageBreak) && p->prev) ++starts;
        for (const TLine* l = p->firstLine; l; l = l->next) {
            if (l->flags & lfPageStart) ++starts;
            if (l == Cursor.line) return starts;
        }
    }
    return starts;
}

int32_t TRtRTFTextIo::GetTextHeight() const {
    const TParagraph* last = GetLastParagraph();
    const TLine* line = last ? GetLastLine(last) : nullptr;
    return line ? line->yPos + line->height + line->spaceBelow + TextBottomSpacing : TextBottomSpacing;
}
