// TRtRTFText: table rows and cells: split, merge, delete and mark cells,
// build rows from a row descriptor.
#include "richtext/model/RtRTFText.h"

#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtObjectBase.h"
#include "richtext/model/RtTableList.h"
#include "richtext/model/ScribenUndoObject.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr uint8_t kUndoTable = 16;
constexpr uint8_t kUndoInput = 2;
constexpr int32_t kNewCellCapacity = 40;
constexpr uint16_t kBoxBorders = bfOn | bfBox;

// Brackets a table command in one undo group.
class TUndoGroup {
public:
    explicit TUndoGroup(TRtRTFText& text) : text_(text) { text_.BeginUndoGroup(); }
    ~TUndoGroup() { text_.EndUndoGroup(); }
    TUndoGroup(const TUndoGroup&) = delete;
    TUndoGroup& operator=(const TUndoGroup&) = delete;

private:
    TRtRTFText& text_;
};

}  // namespace

TParagraph* TRtRTFText::RowStart(TParagraph* cell) {
    while (cell && cell->Has(pfPrevCell) && cell->prev) cell = cell->prev;
    return cell;
}

TParagraph* TRtRTFText::RowEnd(TParagraph* cell) {
    while (cell && cell->Has(pfNextCell) && cell->next) cell = cell->next;
    return cell;
}

int32_t TRtRTFText::AddTable(const std::string& name, const std::string& caption, int32_t a, int32_t b, int32_t c) {
    return tables_->Add(name, caption, a, b, c);
}

void TRtRTFText::SetTableInfo(int32_t id, const std::string& name, const std::string& caption, int32_t a, int32_t b,
                              int32_t c) {
    if (TRtTableItem* item = tables_->GetTableData(id)) TRtTableList::SetInfo(*item, name, caption, a, b, c);
}

// ---- split and merge

uint32_t TRtRTFText::NeighbourTableId(const TParagraph& par) {
    for (const TParagraph* n : {par.prev, par.next}) {
        if (n && n->IsCell() && n->extra) return n->extra->tableId;
    }
    return uint32_t(AddTable({}, {}, 0, 0, 0));
}

void TRtRTFText::SplitCell(TParagraph* p, bool moveText) {
    if (!p) return;
    if (!p->IsCell()) {
        SaveUndo(p, uakProperties, kUndoTable);
        p->flags |= pfTableCell;
        p->border.flags = kBoxBorders;
        TParExtra& extra = GetParExtra(*p);
        extra.width = kRowWidth;
        extra.start = 0;
        extra.tableId = NeighbourTableId(*p);
    }
    SaveUndo(p, uakProperties, kUndoTable);
    TParExtra& pe = GetParExtra(*p);
    const uint8_t w = pe.width;
    pe.RemoveMerge();
    pe.width = uint8_t(w / 2);
    TParagraph* created = p;
    InsertParagraphAfter(created, kNewCellCapacity);
    SaveUndo(created, uakCreated, kUndoTable);
    TParExtra& ce = GetParExtra(*created);
    ce.width = uint8_t(w - w / 2);
    ce.start = uint8_t(p->extra->start + w / 2);
    ce.tableId = p->extra->tableId;
    created->border = p->border;
    created->flags |= pfTableCell | pfPrevCell | (p->flags & pfNextCell);
    p->flags |= pfNextCell;
    p->MarkChanged();
    created->MarkChanged();
    NotifyParagraph(p);
    NotifyRange(p, ParagraphLength(p), 0, 1);
    if (moveText) {
        SaveUndo(p, uakText, kUndoTable);
        std::swap(p->firstLine, created->firstLine);
        ForEachPosition([&](TRtPosition& pos) {
            if (pos.par == p) {
                pos.par = created;
            } else if (pos.par == created) {
                pos.par = p;
            }
        });
        NotifyParagraph(p);
        NotifyParagraph(created);
    }
}

void TRtRTFText::MergeCellWithNext(TParagraph* p) {
    if (!p) return;
    if (p->Has(pfPrevCell) && !p->Has(pfNextCell) && p->prev) {
        TParagraph* old = p;
        p = p->prev;
        MovePositions(old, p, p->firstLine, 0);
    }
    if (p->Has(pfNextCell) && p->next) {
        TParagraph* s = p->next;
        SaveUndo(p, uakText, kUndoTable);
        SaveUndo(p, uakProperties, kUndoTable);
        SaveUndo(s, uakDeleted, kUndoTable);
        const int32_t length = ParagraphLength(p);
        MovePositions(s, p, p->firstLine, 0);
        AppendLines(p, s->firstLine);
        s->firstLine = nullptr;
        p->border.flags = uint16_t((p->border.flags & ~bfRight) | (s->border.flags & bfRight));
        if (!s->Has(pfNextCell)) p->flags &= ~pfNextCell;
        TParExtra& pe = GetParExtra(*p);
        const uint8_t sw = s->extra ? s->extra->width : 0;
        pe.width = uint8_t(std::min(int32_t(pe.width) + sw, kRowWidth));
        pe.AddMerge();
        UnlinkParagraph(s);
        TParagraph* after = p->next;
        FreeParagraph(s);
        p->MarkChanged();
        if (after) RenumberFrom(after);
        NotifyRange(p, length, 1, 0);
        NotifyParagraph(p);
        return;
    }
    SaveUndo(p, uakProperties, kUndoTable);
    p->border.flags &= ~bfOn;
    if (!p->Has(pfPrevCell) && !p->Has(pfNextCell)) {
        p->flags &= ~pfTableCell;
        if (lastExtra_ == p->extra) lastExtra_ = nullptr;
        delete p->extra;
        p->extra = nullptr;
    }
    p->MarkChanged();
    NotifyParagraph(p);
}

void TRtRTFText::SplitMarkedCells() {
    {
        TUndoGroup group(*this);
        if (MarkedCount > 0 || AnyMarked()) {
            std::vector<TParagraph*> marked;
            for (TParagraph* p = first_; p; p = p->next) {
                if (p->Has(pfMarked)) marked.push_back(p);
            }
            for (TParagraph* p : marked) {
                p->flags &= ~pfMarked;
                SplitCell(p, false);
            }
            MarkedCount = 0;
        } else if (Cursor.par) {
            TParagraph* p = Cursor.par;
            SplitCell(p, false);
            Cursor = {p->next, p->next->firstLine, 0};
        }
    }
    Refresh(true);
    UpdateResolution();
}

void TRtRTFText::MergeMarkedCells() {
    {
        TUndoGroup group(*this);
        if (AnyMarked()) {
            for (TParagraph* p = first_; p; p = p->next) {
                while (p->Has(pfMarked) && p->Has(pfNextCell) && p->next && p->next->Has(pfMarked)) {
                    MergeCellWithNext(p);
                }
            }
            RecountMarked();
        } else if (Cursor.par) {
            MergeCellWithNext(Cursor.par);
        }
    }
    Refresh(true);
    UpdateResolution();
}

void TRtRTFText::DeleteMarkedCells() {
    {
        TUndoGroup group(*this);
        if (!AnyMarked() && Cursor.par && Cursor.par->IsCell()) Cursor.par->flags |= pfMarked;
        for (TParagraph* p = first_; p; p = p->next) {
            if (p->Has(pfMarked)) EmptyCell(p);
        }
        // Merge the emptied cells away one by one; a merge may free any of them.
        for (TParagraph* p = FirstMarked(); p; p = FirstMarked()) {
            p->flags &= ~pfMarked;
            MergeCellWithNext(p);
        }
        MarkedCount = 0;
    }
    Refresh(true);
    UpdateResolution();
}

void TRtRTFText::EmptyCell(TParagraph* p) {
    if (ParagraphLength(p) == 0) return;
    SaveUndo(p, uakText, kUndoTable);
    const int32_t length = ParagraphLength(p);
    for (TLine* l = p->firstLine; l; l = l->next) {
        if (IsAttrMode()) objRefs_->ReleaseCharRefs(*l, 0, afsIsObject, l->Length(), attrs_);
        l->SetLength(0);
    }
    ClampPositions();
    p->MarkChanged();
    NotifyRange(p, 0, length, 0);
}

TParagraph* TRtRTFText::FirstMarked() const {
    for (TParagraph* p = first_; p; p = p->next) {
        if (p->Has(pfMarked)) return p;
    }
    return nullptr;
}

bool TRtRTFText::AnyMarked() const { return FirstMarked() != nullptr; }

void TRtRTFText::RecountMarked() {
    MarkedCount = 0;
    for (const TParagraph* p = first_; p; p = p->next) MarkedCount += p->Has(pfMarked) ? 1 : 0;
}

bool TRtRTFText::MarkCellBlock(TParagraph* a, TParagraph* b) {
    ClearMarkedParagraphs();
    if (!a || !b || !a->IsCell() || !b->IsCell()) return false;
    const auto reaches = [](TParagraph* from, TParagraph* to) {
        for (TParagraph* p = from; p && p->IsCell(); p = p->next) {
            if (p == to) return true;
        }
        return false;
    };
    TParagraph* top = a;
    TParagraph* bottom = b;
    if (!reaches(a, b)) {
        if (!reaches(b, a)) return false;
        std::swap(top, bottom);
    }
    const auto startOf = [this](TParagraph* p) { return int32_t(GetParExtra(*p).start); };
    const auto endOf = [this](TParagraph* p) { return int32_t(GetParExtra(*p).start) + GetParExtra(*p).width; };
    const int32_t from = std::min(startOf(top), startOf(bottom));
    const int32_t to = std::max(endOf(top), endOf(bottom));
    TParagraph* last = RowEnd(bottom);
    for (TParagraph* p = RowStart(top); p; p = p->next) {
        if (startOf(p) >= from && endOf(p) <= to) {
            p->flags |= pfMarked;
            ++MarkedCount;
        }
        if (p == last) break;
    }
    return true;
}

void TRtRTFText::ClearMarkedParagraphs() {
    for (TParagraph* p = first_; p; p = p->next) p->flags &= ~pfMarked;
    MarkedCount = 0;
}

// ---- building rows

void TRtRTFText::ApplyParAttrs(TParagraph* par, const TRtRowCell& c) {
    if (!par) return;
    const uint8_t m0 = c.mask[0], m1 = c.mask[1], m2 = c.mask[2];
    if (m0 & 0x02) par->firstIndent = int16_t(c.firstIndent);
    if (m0 & 0x04) par->leftIndent = int16_t(c.leftIndent);
    if (m0 & 0x08) par->rightIndent = int16_t(c.rightIndent);
    if (m0 & 0x10) par->spaceBefore = int16_t(c.spaceBefore);
    if (m0 & 0x20) par->spaceAfter = int16_t(c.spaceAfter);
    if (m0 & 0x40) par->lineSpacing = int16_t(c.lineSpacing);
    par->flags = (m0 & 0x80) ? par->flags | pfMultSpacing : par->flags & ~pfMultSpacing;
    if (m1 & 0x01) par->border = c.border;
    if (m1 & 0x02) par->tabs = c.tabs;
    if (m1 & 0x04) par->flags |= pfPageBreak;
    if (m1 & 0x08) par->shadingColor = c.shadingColor;
    if (m1 & 0x10) par->shadingPercent = c.shadingPercent;
    if (m1 & 0x20) par->align = c.align;
    if (m1 & 0x80) {
        par->tabs = 0;
        for (int i = 0; i < 6; ++i) {
            if (c.tabPositions[i] <= 0) continue;
            const int32_t slot = header_->AddTab(c.tabPositions[i], c.tabKinds[i]);
            if (slot >= 0) par->tabs |= uint64_t(1) << slot;
        }
    }
    if (m2 & 0x01) par->flags = c.isProtected ? par->flags | pfProtected : par->flags & ~pfProtected;
    if (m2 & 0x02) par->parId = c.parId;
    if (m2 & 0x04) {
        par->flags &= ~(pfCellVCenter | pfCellVBottom);
        if (c.vCenter) {
            par->flags |= pfCellVCenter;
        } else if (c.vBottom) {
            par->flags |= pfCellVBottom;
        }
    }
}

void TRtRTFText::ApplyCellFormatting(TParagraph* par, const TRtRowCell& c) {
    if (c.mask[0] & 0x01) {
        ApplyParAttrs(par, c);
        return;
    }
    par->firstIndent = int16_t(c.firstIndent);
    par->leftIndent = int16_t(c.leftIndent);
    par->rightIndent = int16_t(c.rightIndent);
    par->spaceBefore = int16_t(c.spaceBefore);
    par->lineSpacing = int16_t(c.lineSpacing);
    par->align = c.align;
    par->border = c.border;
    par->shadingPercent = c.shadingPercent;
    par->shadingColor = c.shadingColor;
    par->parId = c.parId;
    if (c.vCenter) par->flags |= pfCellVCenter;
    if (c.vBottom && !c.vCenter) par->flags |= pfCellVBottom;
    if (c.border.flags & bfOn) par->explicitMask |= epBorders | epBorderMore | epBorderMore2;
}

void TRtRTFText::FillCell(TParagraph* par, TRtRowCell& c, std::string text) {
    TAttr attr = c.attrs ? c.attrs[0] : c.attr;
    par->markAttr = attr;
    const int32_t length = int32_t(text.size());
    TLine* line = par->firstLine;
    FreeLineChain(line->next);
    line->next = nullptr;
    line->Allocate(uint32_t(length + 4), IsAttrMode(), FormatOf(attr));
    const int32_t fit = std::min(length, int32_t(line->Capacity()) - 1);
    for (int32_t i = 0; i < fit; ++i) {
        TAttr a = c.attrs ? c.attrs[i] : c.attr;
        if (c.objectRef && text[size_t(i)] == kObjectChar) {
            a.style |= afsIsObject;
            a.reference = ObjRefs().FindObjectId(c.objectRef);
        }
        if (line->HasAttrs()) {
            StoreChar(line, uint32_t(i), text[size_t(i)], a);
        } else {
            line->SetCharAt(uint32_t(i), text[size_t(i)]);
        }
    }
    line->SetLength(uint32_t(fit));
    ForEachPosition([&](TRtPosition& p) {
        if (p.par == par) p = {par, line, 0};
    });
}

bool TRtRTFText::ApplyRowRecord(TParagraph*& p, int32_t n, TRtRowCell* cells) {
    const bool recording = CursorRecording;
    if (!cells || n <= 0) return recording;
    if (p && p->IsCell()) p = RowEnd(p);
    const bool replacesOnly = p == first_ && IsEmpty();
    TParagraph* reuse = (p && !p->IsCell() && !p->firstLine->next && p->firstLine->Length() == 0) ? p : nullptr;
    if (cells[0].width == 0) {
        for (int32_t i = 0; i < n; ++i) cells[i].width = uint8_t(kRowWidth / n + (i < kRowWidth % n ? 1 : 0));
    }
    const uint32_t tableId = uint32_t(tables_->CurrentId());
    int32_t start = 0;
    TParagraph* prev = p;
    for (int32_t i = 0; i < n; ++i) {
        TRtRowCell& c = cells[i];
        std::string text = c.textPtr ? std::string(c.textPtr) : c.text;
        if (c.object) {
            TRtObjectBase* object = c.object;
            c.object = nullptr;
            if (object->WidthTwips <= 0 || object->HeightTwips <= 0) {
                object->WidthTwips = object->GetContentWidth();
                object->HeightTwips = object->GetContentHeight();
            }
            c.objectRef = objRefs_->AddObject(object);
            c.objectRef->width = object->WidthTwips;
            c.objectRef->height = object->HeightTwips;
            text = std::string(1, kObjectChar);
        }
        if (i == 0 && replacesOnly && text.empty()) text = " ";
        TParagraph* par = nullptr;
        if (i == 0 && reuse) {
            par = reuse;
            if (RowUndo) SaveUndo(par, uakParagraph, kUndoInput);
        } else {
            par = prev;
            InsertParagraphAfter(par, int32_t(text.size()) + 4);
            if (!prev) {
                par->next = first_;
                if (first_) first_->prev = par;
                first_ = par;
                RenumberFrom(par);
            }
            if (RowUndo) SaveUndo(par, uakCreated, kUndoInput);
            if (prev) NotifyRange(prev, ParagraphLength(prev), 0, 1);
        }
        par->flags = pfTableCell | pfChanged | (i + 1 < n ? pfNextCell : 0) | (i > 0 ? pfPrevCell : 0);
        par->tabs = 0;
        TParExtra& extra = GetParExtra(*par);
        // Widths are clamped so that the row never passes 255.
        uint8_t width = uint8_t(std::min<int32_t>(c.width, kRowWidth - start));
        if (i + 1 == n && start + width < kRowWidth && !KeepRowWidths) width = uint8_t(kRowWidth - start);
        extra.width = width;
        extra.start = uint8_t(start);
        start += width;
        extra.cellName = c.cellName;
        extra.cellValue = c.cellValue;
        extra.cellComment = c.cellComment;
        extra.tableId = tableId;
        ApplyCellFormatting(par, c);
        const int32_t before = ParagraphLength(par);
        FillCell(par, c, std::move(text));
        NotifyRange(par, 0, before, ParagraphLength(par));
        prev = par;
    }
    p = prev;
    CursorRecording = recording;
    return recording;
}
