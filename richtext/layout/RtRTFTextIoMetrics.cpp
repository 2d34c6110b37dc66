// TRtRTFTextIo: the horizontal and vertical measures of lines: edges,
// indents, floating objects, cell rectangles, tab stops, justification, line
// spacing and height, shading and attribute changes.
#include "richtext/layout/RtRTFTextIo.h"

#include "foundation/Rounding.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtTableList.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

bool IsFirstLine(const TLine* line) { return !line || !line->prev; }

uint16_t Clamp16(int32_t v) { return static_cast<uint16_t>(std::clamp(v, 0, 65535)); }

}  // namespace

// ---- edges and indents

int32_t TRtRTFTextIo::BorderSpacing(const TParagraph* par, bool withoutBorder) {
    LastBorderSpacing = 0;
    if (par && par->border.spacing) LastBorderSpacing = MulDiv(par->border.spacing * 72, Header().LayoutResX, 1440);
    const bool counts = par && !withoutBorder && ((par->border.flags & bfOn) || par->IsCell());
    return counts ? LastBorderSpacing : 0;
}

int32_t TRtRTFTextIo::GetParLeft(const TParagraph* par, bool withoutBorder) {
    int32_t x = LeftOffset + HorzScroll;
    if (par && par->IsCell() && par->extra) {
        int32_t a = 0;
        int32_t b = 0;
        Tables().GetTableWidths(int32_t(par->extra->tableId), a, b);
        const int64_t twips = int64_t(TextWidthTwips() - a - b) * par->extra->start / kRowWidth + a;
        x = std::max(0, PixelsX(int32_t(twips)) + LeftOffset + (Printing ? 0 : HorzScroll));
    }
    return x + BorderSpacing(par, withoutBorder);
}

int32_t TRtRTFTextIo::GetParRight(const TParagraph* par, bool withoutBorder) {
    int32_t x = LeftOffset + HorzScroll + Header().TextAreaWidthPx;
    if (par && par->IsCell() && par->extra) {
        int32_t a = 0;
        int32_t b = 0;
        Tables().GetTableWidths(int32_t(par->extra->tableId), a, b);
        int64_t twips = int64_t(TextWidthTwips() - a - b) * (par->extra->start + par->extra->width) / kRowWidth + a;
        if (!withoutBorder) twips -= CellMargin;
        x = std::max(0, PixelsX(int32_t(twips)) + LeftOffset + (Printing ? 0 : HorzScroll));
    }
    return x + BorderSpacing(par, withoutBorder);
}

int32_t TRtRTFTextIo::GetIndentPixels(const TParagraph* par, const TLine* line) const {
    int32_t twips = par->leftIndent;
    if (IsFirstLine(line) && !par->Has(pfNumberInIndent)) twips += par->firstIndent;
    return PixelsX(twips);
}

int32_t TRtRTFTextIo::GetRightIndentPixels(TParagraph* par) const {
    if (par->rightIndent < 0) par->rightIndent = 0;
    return PixelsX(par->rightIndent);
}

// ---- floating objects

bool TRtRTFTextIo::GetWrapAroundOffset(TParagraph* par, int32_t y, int32_t* rightLimit, int32_t& leftSpace,
                                       int32_t height) {
    leftSpace = 0;
    bool any = false;
    int32_t budget = WrapSearchHeight;
    const int32_t resX = Header().LayoutResX;
    for (TParagraph* p = par; p && budget > 0; p = p->prev) {
        for (TLine* l = p->firstLine; l; l = l->next) budget -= l->height + l->spaceAbove + l->spaceBelow;
        if (!p->Has(pfHasObjects)) continue;
        const int32_t top = p->firstLine ? p->firstLine->yPos : 0;
        for (TLine* l = p->firstLine; l && l->HasAttrs(); l = l->next) {
            for (uint32_t i = 0; i < l->Length(); ++i) {
                const char ch = l->CharAt(i);
                if (ch < kObjectChar || ch > kCodeCloseChar) continue;
                TAttr a = Attrs().Get(l->FormatAt(i), l->WidthAt(i));
                if (!(a.style & afsIsObject)) continue;
                const TTextObj* ref = ObjRefs().GetItem(a.reference);
                if (!ref) {
                    a.style &= ~afsIsObject;
                    PutAttr(l, int32_t(i), a);
                    continue;
                }
                if ((ref->kind != tokParRelative && ref->kind != tokPageRelative) || !ref->object || ref->wrap == 3) {
                    continue;
                }
                const int32_t objTop = top + PixelsY(ref->y);
                const int32_t objBottom = objTop + PixelsY(ref->height);
                if (objBottom < y || objTop > y + height) continue;
                any = true;
                const bool leftSide = ref->wrap == 1 || (ref->wrap == 0 && ref->x < TextWidthTwips() - ref->x - ref->width);
                if (leftSide) {
                    const int32_t twips = ref->x + ref->width - par->leftIndent + 50;
                    if (twips > 0) leftSpace = std::max(leftSpace, MulDiv(twips, resX, 1440));
                } else if (rightLimit) {
                    *rightLimit = std::min(*rightLimit, HorzScroll + MulDiv(ref->x - 50, resX, 1440));
                }
            }
        }
    }
    return any;
}

int32_t TRtRTFTextIo::GetWrapIndent(TParagraph* par, const TLine* line) {
    if (par->IsCell() || par->align == paralCenter || par->align == paralRight) return 0;
    int32_t space = 0;
    if (line) {
        GetWrapAroundOffset(par, line->yPos, nullptr, space, line->height);
    } else {
        int32_t height = 0;
        for (const TLine* l = par->firstLine; l; l = l->next) height += l->height;
        GetWrapAroundOffset(par, par->firstLine ? par->firstLine->yPos : 0, nullptr, space, height);
    }
    return space;
}

void TRtRTFTextIo::GetCellRect(const TParagraph* par, int32_t& x, int32_t& width) {
    const TTextHeader& h = Header();
    const int32_t displayRes = h.DisplayResX > 0 ? h.DisplayResX : 96;
    if (!par || !par->IsCell() || !par->extra) {
        x = LeftOffset;
        width = MulDiv(TextWidthTwips(), displayRes, 1440);
        return;
    }
    const int32_t scrollTwips =
        (Printing || HorzScroll == 0) ? 0 : MulDiv(HorzScroll, 144000, std::max(1, ScreenResolution * Zoom));
    int32_t a = 0;
    int32_t b = 0;
    Tables().GetTableWidths(int32_t(par->extra->tableId), a, b);
    const int64_t avail = TextWidthTwips() - a - b;
    const int64_t start = par->extra->start * avail / kRowWidth;
    const int64_t end = avail * (par->extra->start + par->extra->width) / kRowWidth;
    width = MulDiv(int32_t(end - start), displayRes, 1440);
    x = MulDiv(int32_t(start + a + scrollTwips), displayRes, 1440) + LeftOffset - (Printing ? 0 : HorzScroll);
}

// ---- tab stops

namespace {

// The decimal character (the locale's when the header names none) and the closing brackets.
bool IsDecimalStop(char ch, char decimalChar) {
    const char decimal = decimalChar ? decimalChar : RtEngine().LocaleDecimalSeparator;
    return ch == decimal || ch == ')' || ch == ']' || ch == '}' || ch == '>';
}

}  // namespace

int32_t TRtRTFTextIo::NextTabStop(const TParagraph* par, const TLine* line, int32_t x, int32_t charIndex) {
    bool tabBefore = false;
    for (int32_t i = 0; line && i < charIndex && uint32_t(i) < line->Length(); ++i) {
        tabBefore = tabBefore || line->CharAt(uint32_t(i)) == kTabChar;
    }
    return NextTabStopAt(par, IsFirstLine(line), tabBefore, line, x, charIndex);
}

int32_t TRtRTFTextIo::NextTabStopAt(const TParagraph* par, bool firstLine, bool tabBefore, const TLine* line,
                                    int32_t x, int32_t charIndex) {
    const int32_t savedSpacing = LastBorderSpacing;
    RightOrDecimalTab = false;
    CentringTab = false;
    LastTabKind = -1;
    const TTextHeader& header = Header();
    const int32_t resX = header.LayoutResX;
    int32_t hanging = -1;
    if (firstLine && par->firstIndent < 0) {
        const int32_t candidate = MulDiv(par->leftIndent, resX, 1440);
        if (candidate >= x && !tabBefore) hanging = candidate;
    }
    TParagraph* mutablePar = const_cast<TParagraph*>(par);
    const int32_t rightRoom =
        GetParRight(par) - GetRightIndentPixels(mutablePar) - GetParLeft(par);
    LastBorderSpacing = savedSpacing;
    // The width of the text after the tab, over the following lines of the paragraph.
    auto textWidthAfter = [&](bool decimal) {
        const char decimalChar = header.DecimalTabChar;
        int32_t width = 0;
        const TLine* l = line;
        uint32_t i = uint32_t(std::max(charIndex + 1, 0));
        for (; l; l = l->next, i = 0) {
            for (; i < l->Length(); ++i) {
                const char ch = l->CharAt(i);
                if (ch == 0 || ch == kTabChar || ch == kLineBreakChar) return width;
                if (decimal && IsDecimalStop(ch, decimalChar)) return width;
                width += l->HasAttrs() ? l->WidthAt(i) : MeasureTable()[uint8_t(ch)];
            }
        }
        return width;
    };
    for (int32_t order = 0; order < kTabSlots; ++order) {
        const int32_t slot = header.TabOrder[size_t(order)];
        if (slot < 0 || slot >= kTabSlots) continue;
        const TRtTabSlot& tab = header.Tabs[size_t(slot)];
        const int32_t p = tab.positionPx;
        if (tab.position == 0 || p == 0 || !((par->tabs >> slot) & 1) || p <= x) continue;
        if (hanging > x && p >= hanging) {
            LastTabKind = 0;
            return hanging;
        }
        if (p > rightRoom) {
            if (ViewOptions & rtDontIgnoreTabsInRightMargin) break;
            LastTabKind = int8_t(tab.kind);
            return x;
        }
        LastTabKind = int8_t(tab.kind);
        int32_t result = p;
        if (tab.kind == 1 || tab.kind == 3) {
            RightOrDecimalTab = true;
            const int32_t width = textWidthAfter(tab.kind == 3);
            result = width > p - x ? 2 : p - width;
        } else if (tab.kind == 2) {
            CentringTab = true;
            const int32_t width = textWidthAfter(false);
            result = width > 2 * (p - x) ? 2 : p - width / 2;
        }
        if (result != x) return result;
    }
    if (hanging >= 0) {
        LastTabKind = 0;
        return hanging;
    }
    const int32_t step = header.DefaultTabstopPx;
    if (step <= 0) return 0;
    return (step + x) - (step + x) % step;
}

void TRtRTFTextIo::ComputeTabsAndJustify(TParagraph* par) {
    if (!par || !par->firstLine || !par->firstLine->HasAttrs()) return;
    const int32_t left = GetParLeft(par);
    const int32_t right = GetParRight(par);
    const int32_t rightIndent = GetRightIndentPixels(par);
    const bool keepsTabs = par->align == paralCenter || par->align == paralRight;
    for (TLine* line = par->firstLine; line; line = line->next) {
        const int32_t origin = GetNumberLabelWidth(par, line) + GetIndentPixels(par, line);
        const int32_t wrap = GetWrapIndent(par, line);
        const int32_t room = right - rightIndent - origin - left - wrap;
        int32_t x = 0;
        int32_t blankSum = 0;
        int32_t blanks = 0;
        int32_t stretchCount = 0;
        int32_t stretchWidth = 0;
        int32_t afterTab = 0;
        for (uint32_t i = 0; i < line->Length(); ++i) {
            const char ch = line->CharAt(i);
            int32_t w = line->WidthAt(i);
            if (par->Has(pfNoWrap) && x > room) {
                w = 0;
                line->SetWidthAt(i, 0);
            }
            if (ch == 0) break;
            if (ch == kTabChar) {
                if (!keepsTabs) {
                    w = std::max(0, NextTabStop(par, line, x + origin + wrap, int32_t(i)) - x - origin - wrap);
                    line->SetWidthAt(i, Clamp16(w));
                }
                afterTab = int32_t(i) + 1;
                blankSum = blanks = stretchCount = stretchWidth = 0;
            } else if (ch == kLineBreakChar) {
                blankSum = blanks = stretchCount = stretchWidth = 0;
                w = 0;
                line->SetWidthAt(i, 0);
            } else if (ch == ' ') {
                blankSum += w;
                ++blanks;
            } else {
                stretchCount = blanks;
                stretchWidth = blankSum;
            }
            x += w;
        }
        const bool lastLine = !line->next;
        if ((!lastLine || par->Has(pfJustifyLast)) && par->align == paralBlock && stretchCount > 1) {
            const int32_t w = std::max(0, room + stretchWidth - x);
            line->justFirst = Clamp16(afterTab);
            line->justAdd = Clamp16(w / stretchCount);
            line->justRest = Clamp16(w % stretchCount);
        } else {
            line->justFirst = 0;
            line->justAdd = 0;
            line->justRest = 0;
        }
    }
}

// ---- line height

int32_t TRtRTFTextIo::ApplyLineSpacing(TParagraph* par, int32_t& height, int32_t& spacing, int32_t& ascent) const {
    spacing = 0;
    int32_t sp = par->lineSpacing;
    if (sp == 0) return 0;
    const bool centre = (ViewOptions & rtCenterLinesVertically) != 0;
    int32_t target = 0;
    if (par->Has(pfMultSpacing)) {
        if (sp < 240) par->lineSpacing = int16_t(sp = 240);
        target = MulDiv(sp, height, 240);
    } else {
        target = MulDiv(sp, Header().LayoutResY, 1440);
        if (target < 0) {
            const int32_t exact = -target;
            const int32_t old = height;
            if (centre) ascent = std::max(0, ascent - (old - exact) / 2);
            height = std::max(0, exact);
            return height - old;
        }
    }
    if (target <= height) return 0;
    spacing = target - height;
    if (centre) ascent += spacing / 2;
    height = target;
    return spacing;
}

bool TRtRTFTextIo::MeasureLineHeight(TParagraph* par, TLine* line) {
    if (!par || !line) return false;
    if (par->flags & pfHiddenAny) {
        line->height = 0;
        line->baseLine = 0;
        return true;
    }
    const int32_t oldHeight = line->height;
    int32_t height = 0;
    int32_t ascent = 0;
    bool fromMark = false;
    if (par->flags & (pfHeaderBand | pfFooterBand)) {
        height = ascent = PixelsY(BandSize);
    } else if (IsAttrMode() && line->HasAttrs()) {
        if (line->Length() > 0) {
            int32_t descent = 0;
            // A line of one attribute has its measures once, unless it is all blanks.
            const uint32_t count = line->IsUniform() && std::strchr(line->Text(), ' ') != line->Text() ? 1 : line->Length();
            for (uint32_t i = 0; i < count; ++i) {
                if (line->CharAt(i) == ' ') continue;
                const TAttr& a = Attrs().Format(line->FormatAt(i));
                if (a.style & HiddenStyleMask) continue;
                height = std::max<int32_t>(height, a.height);
                descent = std::max<int32_t>(descent, int32_t(a.height) - a.baseLine);
            }
            ascent = height - descent;
        } else if (par->markAttr.size != 0 && par->markAttr.font != 255) {
            SelectCharFont(&par->markAttr);
            height = MeasureTable()[kMeasureLineHeight];
            ascent = MeasureTable()[kMeasureBaseLine];
            fromMark = true;
        } else if (par->IsCell()) {
            height = DefaultCellLineHeight < 0 ? 16 : DefaultCellLineHeight;
            ascent = height;
        }
    }
    if (height <= 0) {
        height = MeasureTable()[kMeasureLineHeight];
        ascent = MeasureTable()[kMeasureBaseLine];
    }
    int32_t spacing = 0;
    ApplyLineSpacing(par, height, spacing, ascent);
    if (!line->prev) {
        const int32_t before = PixelsY(par->spaceBefore);
        height = std::max(0, height + before);
        ascent = std::max(0, ascent + before);
    }
    if (!line->next) {
        const bool lonelyCell = par->IsCell() && !par->Has(pfPrevCell) && !par->Has(pfNextCell);
        height = std::max(0, height + PixelsY(lonelyCell ? par->spaceBefore : par->spaceAfter));
    }
    const TBorderBlock& border = par->border;
    if (border.spacing && (border.flags & bfOn) && (par->IsCell() || line->prev || line->next || line->Length())) {
        const int32_t b = MulDiv(border.spacing * 72, Header().LayoutResY, 1440);
        const auto differs = [&](const TParagraph* other) {
            return (other->border.flags & ~bfLastOfRun) != (border.flags & ~bfLastOfRun);
        };
        if (!line->prev && (border.flags & (bfTop | bfBox)) &&
            (!par->prev || par->IsCell() || (par->prev->border.flags & bfLastOfRun) || differs(par->prev))) {
            height += b;
            ascent += b;
        }
        if (!line->next && (border.flags & (bfBottom | bfBox)) &&
            (!par->next || par->IsCell() || (border.flags & bfLastOfRun) || differs(par->next))) {
            height += b;
        }
    }
    if (KeepStoredLineHeights && line->layoutA != 0) {
        const TLine* before = line->prev ? line->prev : (par->prev ? GetLastLine(par->prev) : nullptr);
        const double value = line->layoutA * double(Header().LayoutResY) / 1440.0 + (before ? before->layoutB : 0) / 1000.0;
        height = int32_t(std::floor(value));
        line->layoutB = Clamp16(Round((value - height) * 1000.0));
    }
    line->height = Clamp16(height);
    line->baseLine = Clamp16(ascent);
    return fromMark || line->height != oldHeight;
}

// ---- colours and attributes

uint32_t TRtRTFTextIo::GetShadedColor(int32_t colorIndex, int32_t percent) const {
    const TRtColorEntry& c = Header().Colors[size_t(std::clamp(colorIndex, 0, kColorCount - 1))];
    const auto shade = [percent](uint8_t channel) { return uint32_t(255 - MulDiv(percent, 255 - channel, 100)); };
    return shade(c.red) | shade(c.green) << 8 | shade(c.blue) << 16;
}

namespace {

void ModifyFontAndSize(TAttr& attr, uint16_t mask, const TAttr& source) {
    if (mask & 0x0001) {
        attr.font = source.font;
        attr.style |= afsParStyleFont;
    }
    if (mask & 0x0002) {
        attr.size = source.size;
    } else if (mask & 0x0004) {
        attr.size = uint8_t(std::min(255, attr.size + source.size));  // never wraps past the byte
    } else if (mask & 0x0008) {
        attr.size = source.size < attr.size ? uint8_t(attr.size - source.size) : 1;
    }
    if (mask & 0x000E) attr.style |= afsParStyleSize;
}

void ModifyColors(TAttr& attr, uint16_t mask, const TAttr& source, bool extended) {
    if (extended) {
        if (mask & 0x0010) {
            attr.textColor = source.textColor;
            attr.style |= afsParStyleColor;
        }
        if (mask & 0x0020) {
            attr.backColor = source.backColor;
            attr.style |= afsParStyleBGColor;
        }
        return;
    }
    // Sixteen colours: text in the low four bits of the byte, background in the high ones.
    if (mask & 0x0010) attr.textColor = uint8_t((attr.textColor & 0xF0) | (source.textColor & 0x0F));
    if (mask & 0x0020) attr.textColor = uint8_t((attr.textColor & 0x0F) | (source.textColor & 0xF0));
}

void ModifyStyles(TAttr& attr, uint16_t mask, const TAttr& source) {
    if (mask & (0x0040 | 0x0400)) {
        if (mask & 0x0040) attr.style |= source.style;
        if (mask & 0x0400) attr.style &= ~source.style;
        if (source.style & afsBold) attr.style |= afsParStyleBold;
        if (source.style & afsItalic) attr.style |= afsParStyleItalic;
        if (source.style & afsUnderline) attr.style |= afsParStyleUnderline;
    }
    if (mask & 0x0080) {
        attr.style = (attr.style & ~0x9E1Fu) | (source.style & 0x9E1Fu);
    } else if (mask & 0x0100) {
        attr.style = (attr.style & ~0x861Fu) | (source.style & 0x861Fu) | (source.style & (afsHidden | afsIsRTFCode));
    } else if (mask & 0x0200) {
        attr.style = (attr.style & ~0x0603u) | source.style;
    }
    if (attr.style & (afsSuper | afsIsFootnote)) attr.style &= ~afsSub;
    if (attr.style & afsSub) attr.style &= ~afsSuper;
}

}  // namespace

void TRtRTFTextIo::ModifyCharAttr(TLine* line, TAttr& attr, uint16_t mask, const TAttr& source, const char* ch) {
    ModifyFontAndSize(attr, mask, source);
    ModifyColors(attr, mask, source, ExtendedColors);
    ModifyStyles(attr, mask, source);
    if (!ch) return;
    if (!(attr.style & afsIsObject)) MeasureModifiedChar(line, attr, *ch);
    if (source.reference != 0 && !(attr.style & (afsIsObject | afsIsFootnote | afsIsInsertpoint | afsAutomatic))) {
        attr.reference = source.reference;
    }
    if (InsertingObject) {
        attr.reference = CurrentAttr.reference;
        if (attr.style & afsIsObject) {
            const bool hidden = (CurrentAttr.style & afsHidden) && !ShowHiddenText;
            attr.width = hidden ? 0 : CurrentAttr.width;
            attr.height = attr.baseLine = CurrentAttr.height;
        }
    }
}

void TRtRTFTextIo::MeasureModifiedChar(TLine* line, TAttr& attr, char ch) {
    SelectCharFont(&attr);
    const TRtMeasureTable& table = MeasureTable();
    if (line) {
        line->baseLine = std::max(line->baseLine, Clamp16(table[kMeasureBaseLine]));
        line->height = std::max(line->height, Clamp16(table[kMeasureLineHeight]));
    }
    attr.baseLine = Clamp16(table[kMeasureBaseLine]);
    attr.height = Clamp16(table[kMeasureLineHeight]);
    const bool hidden = (attr.style & afsHidden) && ch != kTabChar && !ShowHiddenText;
    attr.width = hidden ? 0 : Clamp16(table[uint8_t(ch)]);
}
