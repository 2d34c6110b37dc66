// TRtRTFText: paragraphs and line pieces.
#include "richtext/model/RtRTFText.h"

#include "richtext/model/ParObject.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t kSplitHeadroom = 30;
constexpr int32_t kEmptyParCapacity = 100;
constexpr uint32_t kFlagsNotInherited =
    pfTableCell | pfPrevCell | pfNextCell | pfContentsEntry | pfNoWrap | pfPageBreak | pfMarked;

int32_t LineCapacityFor(int32_t size) { return size < 8 ? 8 : size + 4; }

}  // namespace

// ---- positions kept valid by structural changes

void TRtRTFText::MovePositions(TParagraph* from, TParagraph* to, TLine* toLine, int32_t toOffset) {
    ForEachPosition([&](TRtPosition& p) {
        if (p.par == from) p = {to, toLine, toOffset};
    });
}

void TRtRTFText::MovePositionsOnLine(TLine* from, TParagraph* to, TLine* toLine, int32_t toOffset) {
    ForEachPosition([&](TRtPosition& p) {
        if (p.line == from) p = {to, toLine, toOffset};
    });
}

// ---- paragraphs

TParagraph* TRtRTFText::NewParagraph() {
    auto* par = new TParagraph();
    par->uniqueId = ++idCounter_;
    return par;
}

void TRtRTFText::InheritFromPrevious(TParagraph& p, const TParagraph& prev, bool inheritBorders) {
    p.firstIndent = prev.firstIndent;
    p.leftIndent = prev.leftIndent;
    p.rightIndent = prev.rightIndent;
    p.spaceBefore = prev.spaceBefore;
    p.lineSpacing = prev.lineSpacing;
    p.spaceAfter = prev.spaceAfter;
    p.outlineLevel = prev.outlineLevel;
    p.parId = prev.parId;
    p.align = prev.align;
    p.shadingColor = prev.shadingColor;
    p.shadingPercent = prev.shadingPercent;
    if (!prev.IsCell()) p.tabs = prev.tabs;
    p.flags = prev.flags & ~kFlagsNotInherited;
    if (prev.flags & (pfHeaderBand | pfFooterBand)) {
        p.flags &= ~(pfHeaderBand | pfFooterBand);
        p.shadingColor = 0;
    }
    p.numberStyle = prev.numberStyle;
    p.numberLevel = prev.numberLevel;
    if (prev.numberStyle != 0) p.numberValue = static_cast<uint16_t>(prev.numberValue + 1);
    const TLine* last = GetLastLine(&prev);
    p.markAttr = (last && last->Length() > 0) ? GetAttr(last, int32_t(last->Length()) - 1) : prev.markAttr;
    p.style = prev.style;
    if ((prev.border.flags & bfOn) && inheritBorders) {
        p.border = prev.border;
        if (prev.border.flags & bfLastOfRun) {
            const_cast<TParagraph&>(prev).border.flags &= ~bfLastOfRun;
            p.border.flags |= bfLastOfRun;
        }
    }
}

int32_t TRtRTFText::InsertParagraphAfter(TParagraph*& par, int32_t capacity) {
    TParagraph* created = NewParagraph();
    TParagraph* prev = par;
    if (prev) {
        created->prev = prev;
        created->next = prev->next;
        if (prev->next) prev->next->prev = created;
        prev->next = created;
        InheritFromPrevious(*created, *prev, !noBordersOnSplit_);
    } else {
        created->index = -1;
    }
    created->firstLine = NewLine(capacity);
    par = created;
    return RenumberFrom(created);
}

int32_t TRtRTFText::RenumberFrom(TParagraph* par) {
    int32_t index = par && par->prev ? par->prev->index + 1 : 0;
    int32_t last = index - 1;
    for (TParagraph* p = par; p; p = p->next) {
        p->index = index;
        last = index++;
    }
    pageCountValid_ = false;
    return last;
}

void TRtRTFText::UnlinkParagraph(TParagraph* par) {
    if (par->prev) par->prev->next = par->next;
    if (par->next) par->next->prev = par->prev;
    if (par == first_) first_ = par->next;
    par->next = par->prev = nullptr;
}

void TRtRTFText::DeleteParagraph(TParagraph*& par) {
    if (!par) return;
    TParagraph* follower = par->next;
    TParagraph* previous = par->prev;
    if (follower) {
        MovePositions(par, follower, follower->firstLine, 0);
    } else if (previous) {
        TLine* last = GetLastLine(previous);
        MovePositions(par, previous, last, int32_t(last->Length()));
    }
    UnlinkParagraph(par);
    FreeParagraph(par);
    if (follower) {
        RenumberFrom(follower);
    } else {
        pageCountValid_ = false;
    }
    par = follower;
}

void TRtRTFText::FreeParExtras(TParagraph& par) noexcept {
    FreeParObjectChain(par.objects);
    if (lastExtra_ == par.extra) lastExtra_ = nullptr;
    delete par.extra;
    par.extra = nullptr;
}

void TRtRTFText::FreeParagraph(TParagraph*& par) noexcept {
    if (!par) return;
    FreeLineChain(par->firstLine);
    par->firstLine = nullptr;
    FreeParExtras(*par);
    delete par;
    par = nullptr;
}

void TRtRTFText::FreeParagraphChain(TParagraph* first) noexcept {
    while (first) {
        TParagraph* next = first->next;
        FreeParagraph(first);
        first = next;
    }
}

void TRtRTFText::FreeLineChain(TLine* first) noexcept {
    while (first) {
        TLine* next = first->next;
        delete first;
        first = next;
    }
}

void TRtRTFText::FreeAllParagraphs(bool addEmpty) {
    FreeParagraphChain(first_);
    first_ = nullptr;
    lastExtra_ = nullptr;
    pendingObjects_.clear();
    if (addEmpty) {
        TParagraph* par = nullptr;
        InsertParagraphAfter(par, kEmptyParCapacity);
        par->MarkChanged();
        first_ = par;
    }
    ClearPositions();
}

TParExtra& TRtRTFText::GetParExtra(TParagraph& par) {
    if (!par.extra) par.extra = new TParExtra();
    lastExtra_ = par.extra;
    return *par.extra;
}

TParBandObject* TRtRTFText::GetParBand(const TParagraph& par) const {
    if (!(par.flags & (pfHeaderBand | pfFooterBand))) return nullptr;
    for (TParObject* o = par.objects; o; o = o->next) {
        if (auto* band = dynamic_cast<TParBandObject*>(o)) return band;
    }
    return nullptr;
}

bool TRtRTFText::SplitParagraph(TParagraph* par, TLine* line, int32_t offset) {
    if (!par || !line) return false;
    if (ValidatePosition(par, line, offset)) return false;
    offset = std::clamp(offset, 0, int32_t(line->Length()));
    for (int32_t i : {offset - 1, offset}) {
        if (i < 0 || uint32_t(i) >= line->Length() || !line->HasAttrs()) continue;
        TAttr a = GetAttr(line, i);
        if (a.style & afsWasChecked) {
            a.style &= ~afsWasChecked;
            PutAttr(line, i, a);
        }
    }
    par->MarkChanged();
    const bool atVeryEnd = !line->next && uint32_t(offset) == line->Length();
    noBordersOnSplit_ = atVeryEnd && par->next && !(par->next->border.flags & bfOn);
    const int32_t parOffset = OffsetInParagraph(par, line, offset);
    const int32_t rest = int32_t(line->Length()) - offset;
    TParagraph* created = par;
    try {
        InsertParagraphAfter(created, rest + kSplitHeadroom);
    } catch (...) {
        noBordersOnSplit_ = false;
        throw;
    }
    noBordersOnSplit_ = false;
    if (atVeryEnd && par->next && par->next->next && par->next->next->objects) created->flags &= ~pfProtected;
    created->MarkChanged();
    TLine* target = created->firstLine;
    line->MoveTailTo(uint32_t(offset), *target);
    // The later pieces follow the new first line.
    TLine* later = line->next;
    line->next = nullptr;
    target->next = later;
    if (later) later->prev = target;
    ForEachPosition([&](TRtPosition& p) {
        if (p.line == line && p.offset > offset) {
            p = {created, target, p.offset - offset};
        } else if (p.par == par && p.line != line && IsLaterPiece(target, p.line)) {
            p.par = created;
        }
    });
    NotifyRange(par, parOffset, 0, 1);
    return true;
}

bool TRtRTFText::IsLaterPiece(const TLine* first, const TLine* line) {
    for (const TLine* l = first; l; l = l->next) {
        if (l == line) return true;
    }
    return false;
}

int32_t TRtRTFText::CountParagraphsTo(const TParagraph* from, const TParagraph* to) const {
    int32_t n = 0;
    for (const TParagraph* p = from; p && p != to; p = p->next) ++n;
    return n;
}

TLine* TRtRTFText::GetLastLine(const TParagraph* par) {
    if (!par) return nullptr;
    TLine* l = par->firstLine;
    while (l && l->next) l = l->next;
    return l;
}

int32_t TRtRTFText::CountParagraphs() const {
    if (IsEmpty()) return 0;
    return CountParagraphsTo(first_, nullptr);
}

int32_t TRtRTFText::CountPages() {
    if (IsEmpty()) return 0;
    int32_t pages = 1;
    for (const TParagraph* p = first_; p; p = p->next) {
        if (p->Has(pfPageBreak)) ++pages;
        for (const TLine* l = p->firstLine; l; l = l->next) {
            if (l->flags & lfPageStart) ++pages;
        }
    }
    return pages;
}

bool TRtRTFText::IsLastPage(int32_t page) {
    if (!pageCountValid_) {
        pageCountCache_ = CountPages();
        pageCountValid_ = true;
    }
    return page == pageCountCache_ - 1;
}

bool TRtRTFText::IsEmpty() const {
    return first_ && !first_->next && first_->firstLine && !first_->firstLine->next &&
           first_->firstLine->Length() == 0;
}

TParagraph* TRtRTFText::ParagraphByIndex(int32_t index) const {
    if (index < 0) return nullptr;
    TParagraph* p = first_;
    while (p && index-- > 0) p = p->next;
    return p;
}

int32_t TRtRTFText::ParagraphLength(const TParagraph* par) {
    int32_t n = 0;
    for (const TLine* l = par ? par->firstLine : nullptr; l; l = l->next) n += int32_t(l->Length());
    return n;
}

std::string TRtRTFText::ParagraphString(const TParagraph* par) {
    std::string s;
    for (const TLine* l = par ? par->firstLine : nullptr; l; l = l->next) s.append(l->Text(), l->Length());
    return s;
}

int32_t TRtRTFText::GetParagraphText(int32_t index, char* buffer, int32_t size) const {
    const TParagraph* par = ParagraphByIndex(index);
    if (!par || !buffer || size <= 0) return 0;
    int32_t n = 0;
    const int32_t room = std::max(size - 2, 0);
    for (const TLine* l = par->firstLine; l && n < room; l = l->next) {
        const int32_t take = std::min(int32_t(l->Length()), room - n);
        std::memcpy(buffer + n, l->Text(), size_t(take));
        n += take;
    }
    buffer[n] = 0;
    return n;
}

int32_t TRtRTFText::GetParagraphLength(int32_t index) const { return ParagraphLength(ParagraphByIndex(index)); }

void TRtRTFText::FillParagraph(TParagraph* par, const char* text, const TAttr* attrs, int32_t length) {
    length = std::max(length, 0);
    ReleaseLineRefs(par->firstLine);
    FreeLineChain(par->firstLine->next);
    par->firstLine->next = nullptr;
    TLine* line = par->firstLine;
    ForEachPosition([&](TRtPosition& p) {
        if (p.par == par) p = {par, line, 0};
    });
    const uint32_t format = FormatOf(CurrentAttr);
    line->Allocate(uint32_t(LineCapacityFor(length)), IsAttrMode(), format);
    for (int32_t i = 0; i < length; ++i) StoreChar(line, uint32_t(i), text[i], attrs ? attrs[i] : CurrentAttr);
    line->SetLength(uint32_t(length));
    par->MarkChanged();
}

void TRtRTFText::SetParagraphText(int32_t index, const char* text, const TAttr* attrs, int32_t length) {
    TParagraph* par = ParagraphByIndex(index);
    if (!par) par = GetLastParagraph();
    const int32_t before = ParagraphLength(par);
    FillParagraph(par, text, attrs, length);
    NotifyRange(par, 0, before, length);
    Refresh(true);
}

TParagraph* TRtRTFText::GetLastParagraph() const {
    TParagraph* p = first_;
    while (p && p->next) p = p->next;
    return p;
}

void TRtRTFText::InsertParagraphText(int32_t index, const char* text, const TAttr* attrs, int32_t length) {
    TParagraph* par = nullptr;
    if (index == 0 && IsEmpty()) {
        par = first_;
    } else if (index == 0) {
        InsertParagraphAfter(par, LineCapacityFor(length));
        par->next = first_;
        first_->prev = par;
        first_ = par;
        RenumberFrom(par);
        NotifyRange(par, 0, 0, 1);
    } else {
        TParagraph* prev = ParagraphByIndex(index);
        if (!prev) prev = GetLastParagraph();
        par = prev;
        InsertParagraphAfter(par, LineCapacityFor(length));
        NotifyRange(prev, ParagraphLength(prev), 0, 1);
    }
    FillParagraph(par, text, attrs, length);
    NotifyRange(par, 0, 0, length);
    Refresh(true);
}

void TRtRTFText::DeleteParagraphByIndex(int32_t index) {
    TParagraph* par = ParagraphByIndex(index);
    if (!par) return;
    const int32_t length = ParagraphLength(par);
    if (!par->prev && !par->next) {
        FillParagraph(par, "", nullptr, 0);
        NotifyRange(par, 0, length, 0);
        return;
    }
    ReleaseLineRefs(par->firstLine);
    const TParagraph* reported = par->next ? par : par->prev;
    const int32_t at = par->next ? 0 : ParagraphLength(par->prev);
    NotifyRange(reported, at, length + 1, 0);
    DeleteParagraph(par);
}

// ---- lines

TLine* TRtRTFText::NewLine(int32_t capacity) {
    auto* created = new TLine();
    try {
        created->Allocate(uint32_t(std::max(capacity, 2)), IsAttrMode(), FormatOf(CurrentAttr));
    } catch (...) {
        delete created;
        throw;
    }
    if (created->HasAttrs()) created->SetWidthAt(0, CurrentAttr.width);
    created->height = static_cast<uint16_t>(DefaultLineHeight);
    return created;
}

void TRtRTFText::InsertLine(TLine*& line, int32_t size) {
    TLine* created = NewLine(LineCapacityFor(size));
    if (line) {
        created->prev = line;
        created->next = line->next;
        if (line->next) line->next->prev = created;
        line->next = created;
    }
    line = created;
}

void TRtRTFText::AllocLineBuffer(TLine& line, int32_t size) {
    line.Allocate(uint32_t(std::max(size, 1)), line.HasAttrs() || IsAttrMode(), FormatOf(CurrentAttr));
}

void TRtRTFText::AllocLineAttrs(TLine& line, int32_t count) {
    line.Reallocate(uint32_t(std::max(count, int32_t(line.Capacity()))), true, FormatOf(CurrentAttr));
}

bool TRtRTFText::SetLineCapacity(TLine* line, int32_t size) {
    if (!line) return false;
    line->Reallocate(uint32_t(std::max(size, 1)), IsAttrMode(), FormatOf(CurrentAttr));
    ForEachPosition([line](TRtPosition& p) {
        if (p.line == line) p.offset = std::min(p.offset, int32_t(line->Length()));
    });
    return true;
}

void TRtRTFText::SplitLinePiece(TLine* line, int32_t offset) {
    if (!line) return;
    offset = std::clamp(offset, 0, int32_t(line->Length()));
    TLine* created = line;
    InsertLine(created, int32_t(line->Length()) - offset + kSplitHeadroom);
    line->MoveTailTo(uint32_t(offset), *created);
    ForEachPosition([&](TRtPosition& p) {
        if (p.line == line && p.offset > offset) p = {p.par, created, p.offset - offset};
    });
}

void TRtRTFText::AppendLines(TParagraph* target, TLine* lines) {
    if (!lines) return;
    TLine* last = GetLastLine(target);
    last->next = lines;
    lines->prev = last;
}

void TRtRTFText::RemoveLine(TParagraph* par, TLine* line) {
    if (!par || !line) return;
    if (line->prev) {
        TLine* prev = line->prev;
        prev->next = line->next;
        if (line->next) line->next->prev = prev;
        MovePositionsOnLine(line, par, prev, int32_t(prev->Length()));
        delete line;
        par->MarkChanged();
        return;
    }
    if (par->prev) {
        TParagraph* prev = par->prev;
        TLine* prevLast = GetLastLine(prev);
        MovePositionsOnLine(line, prev, prevLast, int32_t(prevLast->Length()));
        TLine* rest = line->next;
        if (rest) rest->prev = nullptr;
        par->firstLine = rest;
        ForEachPosition([&](TRtPosition& p) {
            if (p.par == par) p.par = prev;  // the remaining pieces keep their places
        });
        AppendLines(prev, rest);
        par->firstLine = nullptr;
        UnlinkParagraph(par);
        TParagraph* follower = prev->next;
        FreeParagraph(par);
        delete line;
        prev->MarkChanged();
        if (follower) RenumberFrom(follower);
        return;
    }
    if (line->next) {
        par->firstLine = line->next;
        line->next->prev = nullptr;
        MovePositionsOnLine(line, par, par->firstLine, 0);
        delete line;
        par->MarkChanged();
        return;
    }
    if (par->next) {
        TParagraph* follower = par->next;
        MovePositions(par, follower, follower->firstLine, 0);
        UnlinkParagraph(par);
        par->firstLine = nullptr;
        FreeParagraph(par);
        delete line;
        RenumberFrom(follower);
        return;
    }
    line->SetLength(0);
    MovePositionsOnLine(line, par, line, 0);
    par->MarkChanged();
}
