// TRtRTFTextIo: copying a whole text from another one (Assign) and one
// header or footer through a stream: fonts, colours and tab stops are found
// or added in this text's tables, embedded objects are cloned and the
// references re-created in this text's lists.
#include "richtext/layout/RtRTFTextIo.h"

#include "foundation/Stream.h"
#include "richtext/model/RtFootnoteList.h"
#include "richtext/model/RtInsertpointList.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtObject.h"
#include "richtext/model/RtRTFNumberingStyle.h"
#include "richtext/model/RtSpecialTextProperty.h"
#include "richtext/model/RtTableList.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>
#include <map>

namespace {

constexpr int32_t kFirstPieceLimit = 500;
constexpr int32_t kLaterPieceSize = 100;

}  // namespace

struct TRtRTFTextIo::TCopyMaps {
    std::array<uint8_t, kFontCount + 1> fonts{};
    std::array<int32_t, kTabSlots> tabs{};
    std::array<uint8_t, kColorCount> colors{};
    std::map<uint32_t, uint32_t> tables;  // source table id to this text's
};

void TRtRTFTextIo::BuildCopyMaps(TRtRTFTextIo& source, TCopyMaps& maps) {
    TTextHeader& target = Header();
    const TTextHeader& from = source.Header();
    for (int i = 0; i <= kFontCount; ++i) {
        maps.fonts[size_t(i)] = uint8_t(i);
        const TRtFontEntry& f = from.Fonts[size_t(i)];
        if (i < kFontCount && !f.name.empty()) {
            const int32_t index = target.FindOrAddFont(f.name, f.charset);
            if (index >= 0) maps.fonts[size_t(i)] = uint8_t(index);
        }
    }
    for (int i = 0; i < kTabSlots; ++i) {
        maps.tabs[size_t(i)] = i;
        const TRtTabSlot& t = from.Tabs[size_t(i)];
        if (t.position != 0) maps.tabs[size_t(i)] = target.AddTab(t.position, t.kind);
    }
    for (int i = 0; i < kColorCount; ++i) {
        maps.colors[size_t(i)] = uint8_t(i);
        const TRtColorEntry& c = from.Colors[size_t(i)];
        if (!c.inUse || c.Rgb() == target.Colors[size_t(i)].Rgb()) continue;
        int32_t index = i;
        if (target.FindOrAddColor(c.Rgb(), ExtendedColors, index)) maps.colors[size_t(i)] = uint8_t(index);
    }
}

int32_t TRtRTFTextIo::CopyReference(TRtRTFTextIo& source, const TAttr& attr) {
    if (attr.style & afsIsObject) {
        const TTextObj* ref = source.ObjRefs().GetItem(attr.reference);
        if (!ref) return 0;
        if (auto* object = dynamic_cast<TRtObject*>(ref->object)) {
            std::unique_ptr<TRtObject> clone = object->Clone();
            if (!clone) return 0;
            clone->SetOwningText(this);
            TTextObj* copy = ObjRefs().AddObject(clone.release());
            copy->kind = ref->kind;
            copy->subKind = ref->subKind;
            copy->width = ref->width;
            copy->height = ref->height;
            copy->x = ref->x;
            copy->y = ref->y;
            copy->wrap = ref->wrap;
            copy->flags = ref->flags;
            copy->extra = ref->extra;
            copy->name = ref->name;
            return ObjRefs().FindObjectId(copy);
        }
        return ref->kind == tokTextCode ? ObjRefs().FindOrAddNamed(ref->name, ref->subKind) : 0;
    }
    if (attr.style & afsIsInsertpoint) {
        auto* item = source.Insertpoints().FindItem(attr.reference);
        return item ? Insertpoints().AddInsertpoint(item->name, item->caption, item->pointValue, item->command) : 0;
    }
    if (attr.style & afsIsFootnote) {
        auto* item = source.Footnotes().FindItem(attr.reference);
        return item ? Footnotes().AddNamedItem(item->text, item->kind, item->noteValue) : 0;
    }
    return attr.reference;
}

TAttr TRtRTFTextIo::MapAttr(TRtRTFTextIo& source, TAttr attr, const TCopyMaps& maps) {
    attr.font = maps.fonts[attr.font];
    if (ExtendedColors) {
        attr.textColor = maps.colors[attr.textColor];
        attr.backColor = maps.colors[attr.backColor];
    }
    if (attr.style & (afsIsObject | afsIsInsertpoint | afsIsFootnote)) attr.reference = CopyReference(source, attr);
    return attr;
}

TParagraph* TRtRTFTextIo::CopyParagraph(TRtRTFTextIo& source, const TParagraph& from, TCopyMaps& maps,
                                        bool assigning) {
    // The characters that stay, with their attributes.
    std::string chars;
    std::vector<TAttr> attrs;
    const bool keepAll = assigning || EditedKind != 0;
    for (const TLine* l = from.firstLine; l; l = l->next) {
        for (uint32_t i = 0; i < l->Length(); ++i) {
            const TAttr a = source.GetAttr(l, int32_t(i));
            if (l->HasAttrs() && !keepAll &&
                (((a.style & afsAutomatic) && (SkipOptions & skAutomaticText)) ||
                 ((a.style & afsIsInsertpoint) && (SkipOptions & skInsertpoints)))) {
                continue;
            }
            chars += l->CharAt(i);
            attrs.push_back(l->HasAttrs() ? MapAttr(source, a, maps) : CurrentAttr);
        }
    }
    TParagraph* par = NewParagraph();
    const int32_t id = par->uniqueId;
    *par = from;
    par->uniqueId = id;
    par->next = par->prev = nullptr;
    par->firstLine = nullptr;
    par->objects = nullptr;
    par->extra = nullptr;
    par->flags |= pfChanged;
    par->tabs = 0;
    for (int s = 0; s < kTabSlots; ++s) {
        const int32_t mapped = maps.tabs[size_t(s)];
        if (((from.tabs >> s) & 1) && mapped >= 0 && mapped < kTabSlots) par->tabs |= uint64_t(1) << mapped;
    }
    par->shadingColor = maps.colors[from.shadingColor];
    for (uint8_t& c : par->border.colors) c = maps.colors[c];
    par->markAttr.font = maps.fonts[from.markAttr.font];
    if (from.extra) {
        par->extra = new TParExtra(*from.extra);
        const uint32_t sourceTable = from.extra->tableId;
        auto found = maps.tables.find(sourceTable);
        if (found == maps.tables.end()) {
            const TRtTableItem* t = source.Tables().GetTableData(int32_t(sourceTable));
            const int32_t id = t ? AddTable(t->name, t->caption, t->a, t->b, t->c) : AddTable("", "", 0, 0, 0);
            found = maps.tables.emplace(sourceTable, uint32_t(id)).first;
        }
        par->extra->tableId = found->second;
    }
    if (TRtRTFNumberingStyle* style = source.NumberStyles().FindParStyle(from)) {
        par->numberStyle = int16_t(NumberStyles().FindOrAddStyle(style->Style, style->TextB, style->LevelInGroup,
                                                                 style->Group, style->UsePrev, style->Size,
                                                                 style->Indent, style->Font, style->TextA));
    }
    // Pieces: the first sized to the paragraph (at most 500 characters), then pieces of 100.
    const int32_t total = int32_t(chars.size());
    int32_t done = 0;
    TLine* last = nullptr;
    do {
        const int32_t count = done == 0 ? std::min(total, kFirstPieceLimit) : std::min(total - done, kLaterPieceSize);
        TLine* line = NewLine(count + 1);
        for (int32_t i = 0; i < count; ++i) line->SetCharAt(uint32_t(i), chars[size_t(done + i)]);
        line->SetLength(uint32_t(count));
        for (int32_t i = 0; i < count && line->HasAttrs(); ++i) PutAttr(line, i, attrs[size_t(done + i)]);
        if (last) {
            last->next = line;
            line->prev = last;
        } else {
            par->firstLine = line;
        }
        last = line;
        done += count;
    } while (done < total);
    return par;
}

TParagraph* TRtRTFTextIo::CopyChain(TRtRTFTextIo& source, const TParagraph* first, TCopyMaps& maps, bool assigning) {
    TParagraph* head = nullptr;
    TParagraph* tail = nullptr;
    try {
        for (const TParagraph* p = first; p; p = p->next) {
            TParagraph* copy = CopyParagraph(source, *p, maps, assigning);
            copy->prev = tail;
            if (tail) {
                tail->next = copy;
            } else {
                head = copy;
            }
            tail = copy;
        }
    } catch (...) {
        FreeParagraphChain(head);
        throw;
    }
    return head;
}

void TRtRTFTextIo::Assign(TRtRTFTextIo& source) {
    if (&source == this) return;
    Clear();
    TTextHeader& header = Header();
    if (!header.HasLoadOption(loIgnorePageSize)) header.Assign(source.Header());
    header.UpdateTabPixels();
    TCopyMaps maps;
    BuildCopyMaps(source, maps);
    TParagraph* copies = CopyChain(source, source.EditedKind == 0 ? source.FirstPar() : source.SavedBodyFirst(),
                                   maps, true);
    if (copies) {
        TParagraph* old = FirstPar();
        SetFirst(copies);
        FreeParagraphChain(old);
    }
    if (!header.HasLoadOption(loIgnoreHeaderFooter)) {
        ClearHeaderFooters();
        for (const auto& item : source.HeaderFooters().Items()) {
            if (item->IsEmpty()) continue;
            AddHeaderFooter(item->Range, item->Kind)->SetParagraphs(CopyChain(source, item->Paragraphs(), maps, true));
        }
    }
    Cursor = {FirstPar(), FirstPar()->firstLine, 0};
    SelStart = SelEnd = {};
    if (source.FirstPar()) FirstPar()->markAttr = source.FirstPar()->markAttr;
    RenumberFrom(FirstPar());
    NotifyReset();
    AfterRead(true);
}

// ---- one header or footer through a stream

bool TRtRTFTextIo::SaveHeaderFooterToStream(uint8_t range, uint8_t kind, TStream& stream) {
    TRtRTFTextIo temporary;
    temporary.TextSaveFormat = TextSaveFormat;
    TRtSpecialTextProperty* item = FindHeaderFooter(range, kind);
    if (item && !item->IsEmpty()) {
        TCopyMaps maps;
        temporary.BuildCopyMaps(*this, maps);
        TParagraph* copies = temporary.CopyChain(*this, item->Paragraphs(), maps, true);
        TParagraph* old = temporary.FirstPar();
        temporary.SetFirst(copies);
        temporary.FreeParagraphChain(old);
        temporary.Cursor = {copies, copies->firstLine, 0};
    }
    return temporary.SaveToStream(stream);
}

bool TRtRTFTextIo::LoadHeaderFooterFromStream(uint8_t range, uint8_t kind, TStream& stream) {
    TRtRTFTextIo temporary;
    temporary.TextLoadFormat = TextLoadFormat;
    temporary.LoadFromStream(stream);
    TRtSpecialTextProperty* item = GetOrAddHeaderFooter(range, kind);
    if (temporary.IsEmpty()) {
        item->ClearParagraphs();
        return true;
    }
    TCopyMaps maps;
    BuildCopyMaps(temporary, maps);
    item->SetParagraphs(CopyChain(temporary, temporary.FirstPar(), maps, true));
    return true;
}
