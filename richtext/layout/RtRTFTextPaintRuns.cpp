// TRtRTFTextPaint: drawing one line from its paint record: the space beside
// the text, the bands and page frame of the page views, the numbering text,
// the characters in runs of one attribute (split where the selection starts
// or ends, so the selected part gets its colours while every glyph keeps its
// layout place), underlines, spelling marks, end marks and borders.
#include "richtext/layout/RtRTFTextPaint.h"

#include "foundation/CharsetText.h"
#include "foundation/Debug.h"
#include "platform/gdi/Canvas.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/ParExtra.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtObject.h"
#include "richtext/model/RtSpecialTextProperty.h"
#include "richtext/model/TextHeader.h"
#include "richtext/model/TextOptions.h"

#include <algorithm>
#include <cstdlib>
#include <exception>

namespace {

constexpr size_t kMaxRunChars = 300;
constexpr uint32_t kRunOpaque = gdi::ETO_OPAQUE | gdi::ETO_CLIPPED;
constexpr uint32_t kRunClear = gdi::ETO_CLIPPED;
constexpr gdi::Color kBandGrey = gdi::Rgb(128, 128, 128);
constexpr uint16_t kLayoutHeaders = 0x10;
constexpr uint16_t kLayoutFooters = 0x20;

// Styles that never end a run, on the screen and on the printer.
constexpr uint32_t kScreenRunNeutral = afsDBCSOne | afsDBCSTwo | afsHyphen;
constexpr uint32_t kPrinterRunNeutral = kScreenRunNeutral | afsMisSpelled | afsWasChecked;

bool SameRunAttr(const TAttr& a, const TAttr& b, uint32_t neutral) {
    return a.font == b.font && a.size == b.size && a.textColor == b.textColor && a.backColor == b.backColor &&
           a.reference == b.reference && (a.style & ~neutral) == (b.style & ~neutral);
}

gdi::Pen LinePen(gdi::Color color, int32_t width, gdi::PenStyle style = gdi::PenStyle::Solid) {
    gdi::Pen pen;
    pen.style = style;
    pen.width = width;
    pen.color = color;
    return pen;
}

bool PrevCellInRow(const TParagraph* par) { return par->IsCell() && par->Has(pfPrevCell); }

}  // namespace

// ---- brushes

uint32_t TRtRTFTextPaint::SetRunBrush(const TAttr& attr, bool selected, const TRtLinePaint& rec, bool force) {
    const bool printer = OnPrinter();
    auto solid = [this](gdi::Color c) {
        canvas_->SetBrush(gdi::SolidBrush(c));
        canvas_->SetBkColor(c);
        canvas_->SetBkMode(gdi::BkMode::Opaque);
        return kRunOpaque;
    };
    if (selected && !rec.band && !printer && !HideSelection && !(ViewOptions & rtHideSelection)) {
        canvas_->SetTextColor(SelectionTextColor);
        return solid(SelectionColor);
    }
    const uint8_t back = ExtendedColors ? attr.backColor : uint8_t(attr.textColor > 15 ? attr.textColor >> 4 : 0);
    if (back) return solid(Header().Colors[back].Rgb());
    if (rec.hasBackground && !force) return solid(rec.background);
    if (!printer && !(PaintModes & (pmNoPaper | pmTransparent))) {
        return solid((PaintModes & pmWhitePaper) ? gdi::Rgb(255, 255, 255) : GetBackgroundColor());
    }
    canvas_->SetBrush(gdi::NullBrush());
    canvas_->SetBkMode(gdi::BkMode::Transparent);
    return kRunClear;
}

void TRtRTFTextPaint::FillRunRect(const gdi::Rect& rect, const TAttr& attr, bool selected, const TRtLinePaint& rec,
                                  bool force) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    const gdi::Color text = canvas_->TextColor();
    if (SetRunBrush(attr, selected, rec, force) == kRunOpaque) canvas_->FillRect(rect);
    canvas_->SetTextColor(text);
}

// ---- the line

void TRtRTFTextPaint::PaintLineRuns(TParagraph* par, TLine* line, TRtLinePaint& rec) {
    canvas_->SetBrush(gdi::NullBrush());
    canvas_->SetPen(LinePen(0, 1, gdi::PenStyle::Null));
    PrepareCanvasMapping(false);
    const TAttr endAttr = line->HasAttrs() ? GetAttr(line, int32_t(line->Length())) : CurrentAttr;
    const bool selectedBefore = rec.InSelection(0) && rec.selTo > rec.selFrom;
    if (!rec.band) {
        FillRunRect({rec.parLeft, rec.line.top, rec.textStart + rec.alignOffset, rec.line.bottom}, endAttr,
                    selectedBefore && rec.selFrom == 0 && (line->prev || rec.lineSelected), rec, false);
    }
    if (!OnPrinter() && !rec.band) FillBands(rec, par);
    PaintPageFrame(rec, par);
    if (rec.gapMark != gmNone && !PrevCellInRow(par)) PaintGapMark(rec, par);
    if (!OnPrinter() && !WordWrap && !rec.band && EditedKind == 0 && !PrevCellInRow(par)) {
        if (line->spaceAbove && (LayoutFlags & kLayoutHeaders)) PaintPageHeaderFooter(true, rec, line, par);
        if (line->spaceBelow && (LayoutFlags & kLayoutFooters)) PaintPageHeaderFooter(false, rec, line, par);
    }
    int32_t x = rec.textStart + rec.alignOffset;
    if (!line->prev && par->numberStyle) x = PaintNumbering(par, line, rec, x);
    x = PaintRuns(par, line, rec, x);
    if (!rec.band) {
        const int32_t right = std::max(rec.parRight, rec.textEnd);
        FillRunRect({x, rec.line.top, right, rec.line.bottom}, endAttr, rec.lineSelected || rec.selRunsOn, rec,
                    false);
    }
    PaintEndMark(par, line, rec, x);
    PaintBorders(par, line, rec);
}

// The page's header into the space above its first line, or its footer into
// the space below its last one.
void TRtRTFTextPaint::PaintPageHeaderFooter(bool header, const TRtLinePaint& body, TLine* line, TParagraph* par) {
    const int32_t page = line->pageNumber;
    switch (PrintHeaderFooter) {
        case rtrNever: return;
        case rtrNotOnFirstPage: if (page == 0) return; break;
        case rtrOnlyOnFirstPage: if (page != 0) return; break;
        default: break;
    }
    TRtSpecialTextProperty* item =
        GetHeaderFooterForPage(page, header ? rtIsHeader : rtIsFooter, page + 1 >= PageCount);
    if (!item || !item->Paragraphs()) return;
    const TTextHeader& h = Header();
    const int32_t y = header ? line->yPos + TopInset - VertScroll - item->Height()
                             : TopInset + line->yPos + line->height + line->spaceBelow - h.BottomMarginPx -
                                   std::max(h.MarginFooterPx - h.BottomMarginPx, item->Height()) - VertScroll;
    const int32_t horzOffset = (PaintModes & pmNoHorzOffset) ? 0 : HorzScroll;
    (void)body;
    (void)par;
    for (TParagraph* p = item->Paragraphs(); p; p = p->next) {
        for (TLine* l = p->firstLine; l; l = l->next) {
            l->pageNumber = line->pageNumber;
            l->spaceAbove = l->spaceBelow = 0;
            TRtLinePaint rec;
            rec.band = true;
            ComputeLineRects(rec, horzOffset, l, p, y + l->yPos);
            rec.line.right += 2 * OnePixel;
            PaintLineRuns(p, l, rec);
        }
    }
}

void TRtRTFTextPaint::FillBands(const TRtLinePaint& rec, TParagraph* par) {
    const gdi::Brush paper = gdi::SolidBrush(GetBackgroundColor());
    for (const TRtLineBand* band : {&rec.leftMargin, &rec.rightBand, &rec.spaceAbove}) {
        if (band->present) canvas_->FillRect(band->rect, paper);
    }
    if (rec.spaceBelow.present && !PrevCellInRow(par)) canvas_->FillRect(rec.spaceBelow.rect, paper);
}

void TRtRTFTextPaint::PaintPageFrame(const TRtLinePaint& rec, TParagraph* par) {
    if (OnPrinter() || rec.band) return;
    const bool any = rec.leftPageEdge.present || rec.rightPageEdge.present || rec.topPageEdge.present ||
                     rec.bottomPageEdge.present;
    if (!any) return;
    PrepareCanvasMapping(true);
    const int32_t p = OnePixel;
    const gdi::Brush gap = gdi::SolidBrush(PageGapColor);
    const gdi::Color ink = RtEngine().DefaultTextColor;
    auto line = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        // Lines one pixel wide as filled rectangles, which keeps them whole at every zoom.
        canvas_->FillRect({std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + (x0 == x1 ? p : 0),
                           std::max(y0, y1) + (y0 == y1 ? p : 0)},
                          gdi::SolidBrush(ink));
    };
    const gdi::Rect& left = rec.leftPageEdge.rect;
    const gdi::Rect& right = rec.rightPageEdge.rect;
    const gdi::Rect& bottom = rec.bottomPageEdge.rect;
    for (const TRtLineBand* band : {&rec.leftPageEdge, &rec.rightPageEdge, &rec.topPageEdge, &rec.bottomPageEdge}) {
        if (band->present) canvas_->FillRect(band->rect, gap);
    }
    const int32_t x0 = rec.leftPageEdge.present ? left.right : bottom.left;
    const int32_t x1 = rec.rightPageEdge.present ? right.left : bottom.right;
    if (rec.leftPageEdge.present) line(left.right - p, left.top - p, left.right - p, left.bottom);
    if (rec.rightPageEdge.present) {
        line(right.left, right.top - p, right.left, right.bottom);
        line(right.left + p, right.top - p, right.left + p, right.bottom);
    }
    if (rec.topPageEdge.present) line(x0, rec.topPageEdge.rect.bottom - p, x1, rec.topPageEdge.rect.bottom - p);
    if (rec.bottomPageEdge.present && rec.gapMark == gmNone && !PrevCellInRow(par)) {
        line(x0, bottom.top, x1 + p, bottom.top);
        line(x0 + p, bottom.top + p, x1 + p, bottom.top + p);
    }
}

void TRtRTFTextPaint::PaintGapMark(const TRtLinePaint& rec, TParagraph* par) {
    if (rec.gapMark == gmEndWithoutLine || !rec.bottomPageEdge.present) return;
    const gdi::Rect& gap = rec.bottomPageEdge.rect;
    const int32_t y = (gap.top + gap.bottom) / 2;
    const gdi::PenStyle style = rec.gapMark == gmSoftBreak   ? gdi::PenStyle::Dot
                                : rec.gapMark == gmHardBreak ? gdi::PenStyle::Dash
                                                             : gdi::PenStyle::Solid;
    const int32_t from = rec.leftMargin.present ? rec.leftMargin.rect.left : 0;
    int32_t to = rec.rightBand.present ? rec.rightBand.rect.right : rec.parRight;
    if (par->IsCell()) to -= Header().LeftMarginPx + Header().RightMarginPx;
    canvas_->SetPen(LinePen(RtEngine().DefaultTextColor, OnePixel, style));
    canvas_->MoveTo(from, y);
    canvas_->LineTo(to, y);
}

int32_t TRtRTFTextPaint::PaintNumbering(TParagraph* par, TLine* line, const TRtLinePaint& rec, int32_t x) {
    TRtRTFNumberingStyle* style = nullptr;
    const std::string number = GetNumberText(par, style);
    if (number.empty()) return x;
    TAttr a = line->HasAttrs() ? GetAttr(line, 0) : CurrentAttr;
    TRtLinePaint& record = const_cast<TRtLinePaint&>(rec);
    record.SetNumbering(number, Header().Fonts[a.font].name);
    ApplyAttrToCanvas(&a);
    SetRunBrush(a, false, rec, false);
    canvas_->SetTextAlign(gdi::TA_BASELINE);
    canvas_->SetBkMode(gdi::BkMode::Transparent);
    const std::u16string text = CharsetToWide(rec.numberText, 1);
    canvas_->TextOut(x, rec.baseline, text);
    const int32_t label = GetNumberLabelWidth(par, line);
    return x + (label > 0 ? label : canvas_->TextExtent(text).cx);
}

// ---- runs

int32_t TRtRTFTextPaint::PaintRuns(TParagraph* par, TLine* line, TRtLinePaint& rec, int32_t x) {
    const bool printer = OnPrinter();
    const uint32_t neutral = printer ? kPrinterRunNeutral : kScreenRunNeutral;
    const bool showTabs = (ViewOptions & rtShowTAB) || printer;
    const bool justified = line->justAdd || line->justRest;
    const uint32_t n = line->Length();
    TRtLineAdvances advances(*this, line);
    int32_t normalAscent = -1;  // of the last run neither raised nor lowered
    auto attrAt = [&](uint32_t i) { return advances.AttrAt(i); };
    std::string bytes;
    std::vector<int32_t> dx;
    uint32_t i = 0;
    while (i < n) {
        const TAttr attr = attrAt(i);
        const bool selected = rec.InSelection(int32_t(i));
        const int32_t runX = x;
        bytes.clear();
        dx.clear();
        uint32_t j = i;
        for (; j < n && bytes.size() < kMaxRunChars; ++j) {
            const char ch = line->CharAt(j);
            const TAttr a = j == i ? attr : attrAt(j);
            if (a.width == 0 && j > i) continue;  // hidden: neither drawn nor splitting
            if (j > i) {
                if (!SameRunAttr(attr, a, neutral) || rec.InSelection(int32_t(j)) != selected) break;
                if (ch == kCodeCloseChar || (a.style & afsIsObject) || (attr.style & afsIsObject)) break;
                if (justified && ch == ' ' && !bytes.empty() && bytes.back() != ' ') break;
                if (showTabs && (ch == kTabChar || line->CharAt(j - 1) == kTabChar)) break;
            }
            const int32_t w = advances.Next(j);
            x += w;
            if (a.width == 0) continue;
            char shown = uint8_t(ch) < 32 ? ' ' : ch;
            if (SubstituteDisplay && uint8_t(ch) >= 65 && a.textColor == 0) shown = '*';
            bytes.push_back(shown);
            dx.push_back(w);
        }
        i = std::max(j, i + 1);
        if (bytes.empty() && !(attr.style & afsIsObject)) continue;
        TAttr shownAttr = attr;
        ApplyAttrToCanvas(&shownAttr);
        if (rec.band && !printer && !(ViewOptions & rtDontGrayHeaderFooterInLayout)) canvas_->SetTextColor(kBandGrey);
        const uint32_t options = SetRunBrush(attr, selected, rec, false);
        int32_t baseline = rec.baseline;
        if (attr.style & afsSuper) {
            baseline -= normalAscent > attr.baseLine ? normalAscent - attr.baseLine : attr.baseLine / 3;
        } else if (attr.style & afsSub) {
            if (attr.baseLine < line->baseLine) baseline += attr.baseLine / 5;
        } else {
            normalAscent = attr.baseLine;
        }
        const gdi::Rect box{runX, rec.line.top, x, rec.line.bottom};
        if (attr.style & afsIsObject) {
            if (options == kRunOpaque) canvas_->FillRect(box);
            if (!(printer && (PrintOptions & rtIgnoreGraphics))) PaintObjectChar(attr, runX, x, rec);
            continue;
        }
        if (printer && (PrintOptions & rtIgnoreText)) continue;
        const std::u16string text = CharsetToWide(bytes, Header().Fonts[attr.font].charset < 2 ? 1 : uint8_t(Header().Fonts[attr.font].charset));
        canvas_->SetTextAlign(gdi::TA_BASELINE);
        canvas_->ExtTextOut(runX, baseline, options, &box, text,
                            text.size() == dx.size() ? std::span<const int32_t>(dx) : std::span<const int32_t>());
        PaintRunMarks(attr, runX, x - runX, baseline, rec);
    }
    return x;
}

// An embedded object in the text flow paints itself into its place on the
// line. One that fails is shown as a crossed box for the rest of the session
// and stays in the text, so that saving keeps it.
void TRtRTFTextPaint::PaintObjectChar(const TAttr& attr, int32_t left, int32_t right, const TRtLinePaint& rec) {
    TTextObj* ref = ObjRefs().GetItem(attr.reference);
    if (!ref || ref->kind != tokInFlow || right <= left) return;
    const int32_t height = ref->height > 0 ? PixelsY(ref->height) : rec.line.bottom - rec.line.top;
    const gdi::Rect box{left, rec.baseline - height, right, rec.baseline};
    auto* object = dynamic_cast<TRtObject*>(ref->object);
    if (object && !unpaintable_.contains(object)) {
        try {
            object->PaintTo(*canvas_, box);
            return;
        } catch (const std::exception& e) {
            unpaintable_.insert(object);
            Debug().Log((std::string("rich text: an embedded object could not be painted: ") + e.what()).c_str());
        } catch (...) {
            unpaintable_.insert(object);
            Debug().Log("rich text: an embedded object could not be painted");
        }
    }
    PrepareCanvasMapping(true);
    canvas_->SetPen(LinePen(gdi::Rgb(0, 0, 0), OnePixel));
    canvas_->SetBrush(gdi::NullBrush());
    canvas_->Rectangle(box.left, box.top, box.right, box.bottom);
    canvas_->MoveTo(box.left, box.top);
    canvas_->LineTo(box.right, box.bottom);
    canvas_->MoveTo(box.left, box.bottom);
    canvas_->LineTo(box.right, box.top);
}

void TRtRTFTextPaint::PaintRunMarks(const TAttr& attr, int32_t x, int32_t width, int32_t baseline,
                                    const TRtLinePaint& rec) {
    const int32_t p = OnePixel;
    const bool printer = OnPrinter();
    if ((attr.style & afsMisSpelled) && !rec.band && !printer) {
        canvas_->SetPen(LinePen(gdi::Rgb(255, 0, 0), p));
        for (int32_t at = x; at < x + width; at += 3 * p) {
            canvas_->MoveTo(at + 2 * p, baseline);
            canvas_->LineTo(at - p, baseline + 2 * p);
        }
    }
    if (!(attr.style & (afsUnderline | afsHyperLink))) return;
    const int32_t fontHeight = std::abs(canvas_->font().height);
    const int32_t thickness =
        (ViewOptions & rtDrawFineUnderlines) ? p : std::max(p, fontHeight / 10);
    int32_t y = baseline + (printer ? 2 * PixelsX(15) : 2 * p);
    y = std::min(y, rec.line.bottom - thickness);
    const gdi::Color color = rec.band && !printer ? kBandGrey : canvas_->TextColor();
    const gdi::PenStyle style = (attr.style & afsHyperLink) ? gdi::PenStyle::Dot : gdi::PenStyle::Solid;
    if (style == gdi::PenStyle::Solid) {
        canvas_->FillRect({x, y, x + width, y + thickness}, gdi::SolidBrush(color));
        return;
    }
    canvas_->SetPen(LinePen(color, thickness, style));
    canvas_->MoveTo(x, y + thickness / 2);
    canvas_->LineTo(x + width, y + thickness / 2);
}

void TRtRTFTextPaint::PaintEndMark(TParagraph* par, TLine* line, const TRtLinePaint& rec, int32_t x) {
    const bool screenMarks = !OnPrinter() && !rec.band;
    std::u16string mark;
    std::string face = "Arial";
    int32_t percent = 100;
    if (line->flags & lfHyphenEnd) {
        mark = u"-";
    } else if (screenMarks && (ViewOptions & rtShowNL) && line->Length() &&
               line->CharAt(line->Length() - 1) == kLineBreakChar) {
        mark = u"\u21B5";
        percent = 75;
    } else if (screenMarks && (ViewOptions & rtShowCR) && !line->next) {
        mark = par->IsCell() ? u"\u00A4" : (par->next && par->next->Has(pfPageBreak) ? u"\u00B6\u00AC" : u"\u00B6");
    }
    if (mark.empty()) return;
    TAttr a = line->HasAttrs() ? GetAttr(line, int32_t(line->Length())) : CurrentAttr;
    ApplyAttrToCanvas(&a);
    gdi::LogFont font = canvas_->font();
    if (mark != u"-") font.faceName = face;
    font.height = font.height * percent / 100;
    canvas_->SetFont(font);
    canvas_->SetTextAlign(gdi::TA_BASELINE);
    canvas_->SetBkMode(gdi::BkMode::Transparent);
    canvas_->TextOut(x, rec.baseline, mark);
}

// ---- borders

void TRtRTFTextPaint::DrawBorderSide(int32_t side, bool dotted, gdi::Color color, int32_t width,
                                     const gdi::Rect& rect) {
    const int32_t w = std::max(width, OnePixel + (PrintMode ? 1 : 0));
    gdi::Rect r = rect;
    switch (side) {
        case 0: r.right = r.left + w; break;
        case 1: r.bottom = r.top + w; break;
        case 2: r.left = r.right - w; break;
        default: r.top = r.bottom - w; break;
    }
    if (!dotted && (Zoom > 99 || PrintMode)) {
        canvas_->FillRect(r, gdi::SolidBrush(color));
        return;
    }
    canvas_->SetPen(LinePen(color, w, dotted ? gdi::PenStyle::Dot : gdi::PenStyle::Solid));
    const bool vertical = side == 0 || side == 2;
    const int32_t cx = (r.left + r.right) / 2;
    const int32_t cy = (r.top + r.bottom) / 2;
    canvas_->MoveTo(vertical ? cx : r.left, vertical ? r.top : cy);
    canvas_->LineTo(vertical ? cx : r.right, vertical ? r.bottom : cy);
}

// A cell of the same column in the row above, with a border, draws the line between the two.
bool TRtRTFTextPaint::SharesTopWithCellAbove(TParagraph* par) {
    if (!par->IsCell() || !par->extra) return false;
    TParagraph* above = GetRowStartAbove(par);
    TParagraph* cell = above ? GetCellOfRow(above, GetCellIndex(par)) : nullptr;
    if (!cell || !cell->extra || !(cell->border.flags & bfOn)) return false;
    return std::abs(cell->extra->start - par->extra->start) <= 5 && std::abs(cell->extra->width - par->extra->width) <= 5;
}

void TRtRTFTextPaint::PaintBorders(TParagraph* par, TLine* line, const TRtLinePaint& rec) {
    if (rec.band || (OnPrinter() && (PrintOptions & rtIgnoreBorders))) return;
    const TBorderBlock& border = par->border;
    const bool on = (border.flags & bfOn) != 0;
    const bool grid = par->IsCell() && (ViewOptions & rtShowGridlines) && !OnPrinter();
    if (!on && !grid) return;
    const bool box = (border.flags & bfBox) != 0;
    const bool sides[4] = {on && (box || (border.flags & bfLeft)), on && (box || (border.flags & bfTop)),
                           on && (box || (border.flags & bfRight)), on && (box || (border.flags & bfBottom))};
    // The border encloses the paragraph's own spacing, not the rest of a page
    // that the last line of a page carries below it.
    const bool pageEnd = !line->next && (!par->next || !par->next->firstLine ||
                                         (par->next->firstLine->flags & lfPageStart) || rec.bottomPageEdge.present);
    const int32_t above = line->prev ? 0 : line->spaceAbove;
    int32_t below = line->next ? 0 : line->spaceBelow;
    if (pageEnd || !par->IsCell()) below = std::min(below, PixelsY(std::max<int32_t>(par->spaceAfter, 0)));
    const gdi::Rect rect{rec.parLeft, rec.line.top - above, rec.parRight, rec.line.bottom + below};
    const int32_t width = PixelsX(border.width ? border.width : 15);
    // Sides shared with a neighbour cell are drawn by one of the two: the
    // left neighbour's right side and the upper cell's bottom side.
    const bool sharedLeft = par->IsCell() && par->Has(pfPrevCell) && par->prev && (par->prev->border.flags & bfOn);
    const bool shows[4] = {!sharedLeft, !line->prev && !SharesTopWithCellAbove(par), true, !line->next};
    for (int32_t side = 0; side < 4; ++side) {
        if (!shows[side]) continue;
        if (sides[side]) {
            const uint8_t index = border.colors[side];
            const uint8_t slot = ExtendedColors ? index : uint8_t(index & 0x0F);
            const gdi::Color color = CustomMapping ? gdi::Rgb(0, 0, 0)
                                     : slot        ? Header().Colors[slot].Rgb()
                                                   : RtEngine().DefaultTextColor;
            DrawBorderSide(side, false, color, width, rect);
        } else if (grid) {
            DrawBorderSide(side, false, gdi::SysColor(gdi::COLOR_BTNFACE), OnePixel, rect);
        }
    }
}
