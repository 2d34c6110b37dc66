// TRtRTFTextPaint: breaking a paragraph into lines. The old lines are read
// as one stream of characters whose widths the measuring pass stored; each
// new line takes characters until the width is used up, ends after the last
// blank or tab that allows it (or at a hyphenation point), and gets its
// justification; cursor and selection are carried over to the new lines and
// the caller learns what changed.
#include "richtext/layout/RtRTFTextPaint.h"

#include "foundation/Rounding.h"
#include "richtext/model/ParObject.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

constexpr char kNoBreakSpace = char(160);
constexpr int kMaxStoredPageStarts = 10;


// A place in the stream of the old lines.
struct TSource {
    TLine* line = nullptr;
    uint32_t index = 0;
    // Moves over ends of pieces; false at the end of the paragraph.
    bool Settle() {
        while (line && index >= line->Length()) {
            line = line->next;
            index = 0;
        }
        return line != nullptr;
    }
    void Advance() { ++index; }
};

// What the scan of one line found.
struct TScan {
    int32_t count = 0;
    int64_t x = 0;
    int32_t lastBreak = -1;
    int32_t afterTab = 0;
    int32_t overflowAt = -1;
    int32_t hyphenPoint = -1;
    bool tabAtOne = false;
    bool endOfPar = false;
    bool atLimit = false;
    bool hyphenEnd = false;
    bool lineFeedEnd = false;
    bool inCentringTab = false;
    TSource breakSource;  // where the word after the last break starts
};

}  // namespace

// The line breaker of one paragraph; it lives for one WrapParagraph.
class TRtWrapper {
public:
    TRtWrapper(TRtRTFTextPaint& text, TParagraph* par) : t_(text), par_(par) {}
    void Run(bool compare, uint8_t& change);

private:
    TRtRTFTextPaint& t_;
    TParagraph* par_;
    TLine* old_ = nullptr;
    bool leftTabs_ = true;     // tabs advance to tab stops (left-aligned or justified paragraphs)
    bool storedLength_ = false;
    bool noWrap_ = false;
    bool wrappingObjects_ = false;
    std::vector<uint32_t> oldLengths_;
    // Positions remembered as paragraph offsets (-1: not in this paragraph).
    int32_t selStart_ = -1;
    int32_t selEnd_ = -1;
    int32_t cursor_ = -1;
    bool oldInSelection_ = false;
    std::vector<int32_t> pageStarts_;
    // Edges of the line being built.
    int32_t left_ = 0;
    int32_t origin_ = 0;
    int64_t available_ = 0;
    int64_t noWrapExtra_ = 0;
    int32_t wrapSpace_ = 0;

    void RememberPositions();
    void RestorePositions(TLine* first);
    void ComputeEdges(bool firstLine, int32_t y, int32_t height);
    TScan ScanLine(TSource source, int32_t lineIndex, bool firstLine);
    void Hyphenate(TScan& scan, const TSource& lineStart);
    int32_t DecideCount(TScan& scan) const;
    int32_t KeepPairs(TSource lineStart, int32_t count) const;
    void Justify(TLine& line, TSource source, int32_t count, bool lastLine, bool firstLine);
    TLine* CopyLine(TSource& source, int32_t count, bool hyphenEnd);
    uint32_t StyleAt(const TLine* line, uint32_t i) const {
        return line->HasAttrs() ? t_.Attrs().StyleOf(line->FormatAt(i)) : 0;
    }
    int32_t WidthAt(const TLine* line, uint32_t i) const {
        return line->HasAttrs() ? line->WidthAt(i) : t_.MeasureTable()[uint8_t(line->CharAt(i))];
    }
};

void TRtWrapper::RememberPositions() {
    const auto offsetOf = [this](const TRtPosition& p) {
        return p.par == par_ ? TRtRTFText::OffsetInParagraph(par_, p.line, p.offset) : -1;
    };
    selStart_ = offsetOf(t_.SelStart);
    selEnd_ = offsetOf(t_.SelEnd);
    cursor_ = offsetOf(t_.Cursor);
    if (cursor_ >= 0) t_.Cursor.line = nullptr;
    for (TLine* l = old_; l; l = l->next) oldInSelection_ = oldInSelection_ || (l->flags & lfInSelection);
}

void TRtWrapper::RestorePositions(TLine* first) {
    const auto locate = [&](int32_t offset, bool moveToNext) -> TRtPosition {
        TLine* l = first;
        while (l->next && offset > int32_t(l->Length())) {
            offset -= int32_t(l->Length());
            l = l->next;
        }
        offset = std::min(offset, int32_t(l->Length()));
        if (moveToNext && l->next && offset == int32_t(l->Length())) return {par_, l->next, 0};
        return {par_, l, offset};
    };
    const bool inside = oldInSelection_ && selStart_ < 0 && selEnd_ < 0;
    for (TLine* l = first; l; l = l->next) {
        l->flags &= ~(lfInSelection | lfWhollySelected);
        if (inside) l->flags |= lfInSelection;
    }
    if (selStart_ >= 0) t_.SelStart = locate(selStart_, false);
    if (selEnd_ >= 0) t_.SelEnd = locate(selEnd_, false);
    if (cursor_ >= 0) t_.Cursor = locate(cursor_, true);
    if (selStart_ >= 0 || selEnd_ >= 0) {
        // Lines between the two ends lie inside the selection; an end outside
        // this paragraph runs to the paragraph's start or end.
        const int32_t a = selStart_ >= 0 ? selStart_ : (t_.SelDirection >= 0 ? 0 : INT_MAX);
        const int32_t b = selEnd_ >= 0 ? selEnd_ : (t_.SelDirection >= 0 ? INT_MAX : 0);
        const int32_t from = std::min(a, b);
        const int32_t to = std::max(a, b);
        int32_t at = 0;
        for (TLine* l = first; l; l = l->next) {
            const int32_t end = at + int32_t(l->Length());
            if (end > from && at < to) l->flags |= lfInSelection;
            at = end;
        }
    }
}

void TRtWrapper::ComputeEdges(bool firstLine, int32_t y, int32_t height) {
    TLine probe;
    probe.prev = firstLine ? nullptr : &probe;
    t_.LastBorderSpacing = 0;
    left_ = t_.GetParLeft(par_);
    const int32_t spacing = t_.LastBorderSpacing;
    origin_ = t_.GetNumberLabelWidth(par_, firstLine ? nullptr : &probe) + t_.GetIndentPixels(par_, &probe) + left_;
    const int64_t right = int64_t(t_.GetParRight(par_)) - t_.GetRightIndentPixels(par_);
    available_ = right - origin_ - 2 * int64_t(spacing);
    if (par_->IsCell()) available_ -= 2 * t_.OnePixel;
    if (available_ < 1) available_ = 16;
    // A paragraph without wrapping never breaks for width; 64-bit, so the sum cannot overflow.
    noWrapExtra_ = noWrap_ ? int64_t(INT32_MAX) - available_ : 0;
    wrapSpace_ = 0;
    if (wrappingObjects_) {
        int32_t limit = int32_t(std::min<int64_t>(right, INT32_MAX));
        t_.GetWrapAroundOffset(par_, y, &limit, wrapSpace_, height);
        if (limit < right) available_ = std::max<int64_t>(1, available_ - (right - limit));
    }
}

TScan TRtWrapper::ScanLine(TSource source, int32_t lineIndex, bool firstLine) {
    TScan s;
    const int64_t limit = available_ + noWrapExtra_ - wrapSpace_;
    const int32_t storedCount =
        storedLength_ ? (size_t(lineIndex) < oldLengths_.size() ? int32_t(oldLengths_[size_t(lineIndex)]) : 0) +
                            (size_t(lineIndex) + 1 >= oldLengths_.size() ? 10 : 0)
                      : 0;
    const TRtMeasureTable& table = t_.MeasureTable();
    const bool noWrapAtSpace = (t_.DoubleByteOptions & rtdb_Enabled) && (t_.DoubleByteOptions & rtdb_NoWordWrapAtSpace);
    const uint32_t hiddenMask = t_.HiddenStyleMask;
    int32_t blankCount = 0;
    int64_t xBeforeBreak = 0;
    while (true) {
        if (storedLength_ && s.count >= storedCount) break;
        if (t_.MaxCharsPerLine > 0 && s.count >= t_.MaxCharsPerLine) break;
        if (!source.Settle()) {
            s.endOfPar = true;
            break;
        }
        TLine* line = source.line;
        const uint32_t i = source.index;
        const uint32_t style = StyleAt(line, i);
        // A byte of a double-byte character counts as a letter, whatever its code.
        const char ch = (style & (afsDBCSOne | afsDBCSTwo)) ? 'x' : line->CharAt(i);
        // Past the width only blanks go on: they hang past the limit.
        if (!storedLength_ && s.x > limit && !(ch == ' ' && !noWrapAtSpace)) {
            s.atLimit = true;
            break;
        }
        if (style & hiddenMask) {
            ++s.count;
            source.Advance();
            continue;
        }
        int64_t w = WidthAt(line, i);
        int64_t tabAdvance = 0;
        const bool tab = ch == kTabChar;
        if (tab && leftTabs_) {
            const int32_t relative = int32_t(origin_ - left_ + s.x) + wrapSpace_;
            const int32_t stop = t_.NextTabStopAt(par_, firstLine, s.afterTab > 0, line, relative, int32_t(i));
            s.inCentringTab = t_.CentringTab;
            tabAdvance = std::max<int64_t>(0, int64_t(stop) - relative);  // never negative
            if (line->HasAttrs()) line->SetWidthAt(i, ClampToUint16(tabAdvance));
            w = tabAdvance;
        } else if ((ch == ' ' || ch == kNoBreakSpace) && !line->HasAttrs()) {
            w = table[' '];
        }
        if (!storedLength_) {
            const bool over = s.inCentringTab ? s.x + w / 2 >= limit : s.x + w >= limit;
            const bool hangs = (ch == ' ' || tab) && !noWrapAtSpace;
            if (over && !hangs) {
                s.atLimit = true;
                s.overflowAt = s.count;
                if (noWrapAtSpace) s.lastBreak = -1;
                break;
            }
        }
        if (tab && leftTabs_) {
            s.x += tabAdvance > 0 ? tabAdvance : 1;
            blankCount = 0;
            xBeforeBreak = s.x;
            s.lastBreak = s.count;
            s.afterTab = s.count + 1;
            if (s.count == 1) s.tabAtOne = true;
        } else if (ch == ' ' || tab) {
            ++blankCount;
            xBeforeBreak = s.x;
            s.x += w;
            s.lastBreak = s.count;
        } else if (ch == kNoBreakSpace) {
            if (line->HasAttrs()) line->SetWidthAt(i, ClampToUint16(table[' ']));
            s.x += table[' '];
        } else if (ch == kLineBreakChar) {
            ++s.count;
            source.Advance();
            s.lineFeedEnd = true;
            s.lastBreak = -1;
            break;
        } else {
            s.x += w;
            if ((style & afsHyphen) && (s.hyphenPoint < 0 || s.x <= limit)) s.hyphenPoint = s.count - s.lastBreak - 1;
        }
        ++s.count;
        source.Advance();
    }
    (void)xBeforeBreak;
    return s;
}

void TRtWrapper::Hyphenate(TScan& s, const TSource& lineStart) {
    if (!t_.HasEditOption(rtUseHyphenation) || !s.atLimit || s.inCentringTab || s.endOfPar) return;
    THyphenPoints points{};
    int32_t count = 0;
    if (s.hyphenPoint >= 0) {
        points[0] = uint8_t(std::min(s.hyphenPoint, 255));
        count = 1;
    }
    if (t_.OnHyphenate) {
        TSource word = lineStart;
        for (int32_t i = 0; i <= s.lastBreak; ++i) {
            word.Settle();
            word.Advance();
        }
        if (word.Settle()) {
            t_.OnHyphenate(t_.GetWordAt(word.line, int32_t(word.index)), 0, points, count);
            count = std::clamp(count, 0, kHyphenPoints);  // the record holds 8 points
        }
    }
    for (int32_t k = count - 1; k >= 0; --k) {
        const int32_t at = s.lastBreak + points[size_t(k)];
        if (points[size_t(k)] > 0 && at < s.overflowAt) {
            s.lastBreak = at;
            s.hyphenEnd = true;
            return;
        }
    }
}

int32_t TRtWrapper::DecideCount(TScan& s) const {
    int32_t count = s.count;
    if (s.atLimit && !s.endOfPar && !s.inCentringTab) {
        if (s.lastBreak >= 2 || (s.hyphenEnd && s.lastBreak >= 0)) {
            count = s.lastBreak + 1;
        } else if (s.tabAtOne) {
            count = s.afterTab + 1;
        } else if (s.overflowAt >= 0) {
            count = s.overflowAt;
        }
    }
    return std::max(count, 1);
}

// A double-byte character is never split: a line that would end on a lead
// byte leaves it to the next line, or takes its trail byte too when the lead
// byte is all the line has.
int32_t TRtWrapper::KeepPairs(TSource at, int32_t count) const {
    if (!(t_.DoubleByteOptions & rtdb_Enabled) || count <= 0) return count;
    for (int32_t n = 0; n + 1 < count && at.Settle(); ++n) at.Advance();
    if (!at.Settle() || !(StyleAt(at.line, at.index) & afsDBCSOne)) return count;
    return count == 1 ? 2 : count - 1;
}

void TRtWrapper::Justify(TLine& line, TSource source, int32_t count, bool lastLine, bool firstLine) {
    line.justFirst = line.justAdd = line.justRest = 0;
    if (par_->align != paralBlock || (lastLine && !par_->Has(pfJustifyLast))) return;
    // The blanks since the last tab, the trailing ones, their widths and x.
    int64_t x = 0;
    int64_t blankWidth = 0;
    int32_t blanks = 0;
    int32_t trailing = 0;
    int32_t afterTab = 0;
    int32_t lastBlank = -2;
    for (int32_t n = 0; n < count && source.Settle(); ++n, source.Advance()) {
        const char ch = source.line->CharAt(source.index);
        if (StyleAt(source.line, source.index) & t_.HiddenStyleMask) continue;
        const int32_t w = WidthAt(source.line, source.index);
        if (ch == kTabChar) {
            blanks = trailing = 0;
            blankWidth = 0;
            afterTab = n + 1;
            x += std::max(w, 1);
        } else if (ch == ' ') {
            ++blanks;
            trailing = lastBlank == n - 1 ? trailing + 1 : 1;
            lastBlank = n;
            blankWidth += w;
            x += w;
        } else {
            trailing = 0;
            x += w;
        }
    }
    const int32_t stretched = blanks - trailing;
    if (stretched <= 0) return;
    (void)firstLine;
    const int64_t extra = std::max<int64_t>(0, blankWidth + available_ - wrapSpace_ - x);
    line.justFirst = ClampToUint16(afterTab);
    line.justAdd = ClampToUint16(extra / stretched);
    line.justRest = ClampToUint16(extra % stretched);
}

TLine* TRtWrapper::CopyLine(TSource& source, int32_t count, bool hyphenEnd) {
    TLine* line = t_.NewLine(count + 4);
    uint32_t at = 0;
    int64_t x = 0;
    const uint32_t hiddenMask = t_.HiddenStyleMask;
    for (int32_t left = count; left > 0 && source.Settle();) {
        TLine* from = source.line;
        const uint32_t run = std::min<uint32_t>(uint32_t(left), from->Length() - source.index);
        const bool plainRun = !from->HasAttrs() || (from->IsUniform() && !(StyleAt(from, 0) & (afsDelete | afsIsObject)));
        // A new line shares the piece's one attribute rather than growing an array.
        if (at == 0 && from->HasAttrs() && from->IsUniform()) line->FillFormat(from->FormatAt(0));
        if (plainRun && !noWrap_) {
            TLine::CopyChars(*line, at, *from, source.index, run);
            at += run;
            source.index += run;
            left -= int32_t(run);
            continue;
        }
        for (uint32_t k = 0; k < run; ++k, source.Advance(), --left) {
            const uint32_t i = source.index;
            const uint32_t style = StyleAt(from, i);
            if (style & afsDelete) continue;
            TLine::CopyChars(*line, at, *from, i, 1);
            if (from->HasAttrs()) {
                const int32_t w = from->WidthAt(i);
                if (noWrap_ && x > available_) line->SetWidthAt(at, 0);
                if ((style & afsIsObject) && from->CharAt(i) >= kObjectChar && from->CharAt(i) <= kCodeCloseChar) {
                    if (TTextObj* ref = t_.ObjRefs().GetItem(t_.Attrs().Format(from->FormatAt(i)).reference)) {
                        ref->x = int32_t(std::min<int64_t>(origin_ + x, INT32_MAX));
                        ref->line = line;
                    }
                    line->flags |= lfHasObjects;
                }
                x += (style & hiddenMask) ? 0 : w;
            }
            ++at;
        }
    }
    line->SetLength(at);
    // The end entry: what typing at the end of the line inherits.
    if (line->HasAttrs() && at > 0 && at < line->Capacity()) line->SetFormatAt(at, line->FormatAt(at - 1));
    if (hyphenEnd) line->flags |= lfHyphenEnd;
    return line;
}

void TRtWrapper::Run(bool compare, uint8_t& change) {
    change = 0;
    old_ = par_->firstLine;
    leftTabs_ = par_->align != paralCenter && par_->align != paralRight;
    noWrap_ = par_->Has(pfNoWrap);
    storedLength_ = t_.KeepScreenLineBreaks || par_->Has(pfKeepLineBreaks);
    for (TLine* l = old_; l; l = l->next) oldLengths_.push_back(l->Length());
    const bool tracking = !t_.CursorTrackingSuspended;
    if (tracking) RememberPositions();
    if (storedLength_) {
        int32_t n = 0;
        for (TLine* l = old_; l && int32_t(pageStarts_.size()) < kMaxStoredPageStarts; l = l->next, ++n) {
            if (l->flags & lfPageStart) pageStarts_.push_back(n);
        }
    }
    int32_t oldTotal = 0;
    for (TLine* l = old_; l; l = l->next) oldTotal += l->height;
    const int32_t oldFirstHeight = old_->height;
    const int32_t firstY = old_->yPos;
    int32_t unused = 0;
    wrappingObjects_ = t_.GetWrapAroundOffset(par_, firstY, nullptr, unused, std::max<int32_t>(old_->height, 1));

    TLine* first = nullptr;
    TLine* last = nullptr;
    TSource source{old_, 0};
    int32_t lineIndex = 0;
    int32_t y = firstY;
    bool more = true;
    while (more) {
        const bool firstLine = first == nullptr;
        ComputeEdges(firstLine, y, last ? last->height : old_->height);
        const TSource lineStart = source;
        TScan scan = ScanLine(source, lineIndex, firstLine);
        Hyphenate(scan, lineStart);
        const int32_t count = KeepPairs(lineStart, scan.endOfPar || scan.lineFeedEnd || storedLength_
                                                       ? std::max(scan.count, 0)
                                                       : DecideCount(scan));
        TSource copyFrom = lineStart;
        TLine* line = CopyLine(copyFrom, count == 0 && !scan.endOfPar ? 1 : count, scan.hyphenEnd);
        source = copyFrom;
        const bool atEnd = !source.Settle();
        Justify(*line, lineStart, count, atEnd && !scan.lineFeedEnd, firstLine);
        line->yPos = y;
        line->prev = last;
        if (last) {
            last->next = line;
        } else {
            first = line;
        }
        last = line;
        y += line->height;
        ++lineIndex;
        more = !atEnd;
        if (atEnd && scan.lineFeedEnd) {
            // A line break at the very end is followed by an empty line.
            TLine* empty = t_.NewLine(4);
            empty->prev = last;
            last->next = empty;
            last = empty;
        }
    }
    if (tracking) RestorePositions(first);
    // Vertical layout inside the paragraph.
    int32_t lineY = firstY;
    for (TLine* l = first; l; l = l->next) {
        l->yPos = lineY;
        t_.MeasureLineHeight(par_, l);
        lineY += l->height;
    }
    if (compare) {
        int32_t newTotal = 0;
        for (TLine* l = first; l; l = l->next) newTotal += l->height;
        if (par_->IsCell()) t_.UpdatePageLayout(nullptr);
        if (newTotal != oldTotal || first->height != oldFirstHeight) change = 3;
        TLine* o = old_;
        for (TLine* n = first; n; n = n->next, o = o ? o->next : nullptr) {
            n->flags &= ~lfChanged;
            if (!o) {
                n->flags |= lfChanged;
                change = std::max<uint8_t>(change, 1);
                continue;
            }
            n->pageNumber = o->pageNumber;
            n->spaceAbove = o->spaceAbove;
            n->spaceBelow = o->spaceBelow;
            if (change >= 2) continue;
            if (n->height != o->height && n != first) {
                change = 2;
                continue;
            }
            bool same = n->Length() == o->Length() && n->justAdd == o->justAdd &&
                        std::equal(n->Text(), n->Text() + n->Length(), o->Text());
            for (uint32_t i = 0; same && n->HasAttrs() && o->HasAttrs() && i < n->Length(); ++i) {
                same = n->WidthAt(i) == o->WidthAt(i) && n->FormatAt(i) == o->FormatAt(i);
            }
            if (!same) {
                n->flags |= lfChanged;
                change = std::max<uint8_t>(change, 1);
            }
        }
    }
    if (storedLength_) {
        int32_t n = 0;
        for (TLine* l = first; l; l = l->next, ++n) {
            if (std::find(pageStarts_.begin(), pageStarts_.end(), n) != pageStarts_.end()) l->flags |= lfPageStart;
        }
    }
    TRtRTFText::FreeLineChain(old_);
    par_->firstLine = first;
}

// ---- the operations

void TRtRTFTextPaint::WrapParagraph(TParagraph* par, bool compare, uint8_t& change) {
    change = 0;
    if (!par || loading_ || NoCanvas() || PaintLocked) return;
    par->flags &= ~pfChanged;
    if (!par->firstLine) par->firstLine = NewLine(4);
    TLine* only = par->firstLine;
    if (!only->next && only->Length() == 0) {
        MeasureLineHeight(par, only);
        UpdateParObjectEdges(par);
        return;
    }
    if (par->Has(pfOneAttr) && only->HasAttrs()) {
        const uint32_t format = only->Length() > 0 ? only->FormatAt(0) : FormatOf(par->markAttr);
        for (TLine* l = only; l; l = l->next) {
            if (l->HasAttrs()) l->FillFormat(format);
        }
    }
    if (KeepLoadedLineBreaks && only->HasAttrs()) {
        ComputeTabsAndJustify(par);
        return;
    }
    if (OnSpellCheckWord && !Printing) ScanParagraphWords(par, false);
    TRtWrapper wrapper(*this, par);
    wrapper.Run(compare, change);
    UpdateParObjectEdges(par);
}

void TRtRTFTextPaint::RewrapPar(TParagraph* par) {
    uint8_t change = 0;
    WrapParagraph(par, true, change);
}

void TRtRTFTextPaint::UpdateParObjectEdges(TParagraph* par) {
    if (!par) return;
    const int32_t left = GetParLeft(par, true);
    const int32_t right = GetParRight(par, true);
    for (TParObject* o = par->objects; o; o = o->next) {
        if (auto* rect = dynamic_cast<TParRectObject*>(o)) {
            rect->left = left;
            rect->right = right;
        }
    }
    if (par->extra) {
        par->extra->layoutA = left;
        par->extra->layoutB = right;
    }
}

void TRtRTFTextPaint::UpdateParRectObjects() {
    for (TParagraph* p = FirstPar(); p; p = p->next) UpdateParObjectEdges(p);
}
