#include "richtext/model/ScribenUndoObject.h"

#include "foundation/Debug.h"
#include "richtext/model/EngineMessages.h"
#include "richtext/model/RtCustomRtfEditClass.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtRTFText.h"
#include "richtext/model/RtTableList.h"
#include "richtext/model/RtUndoStack.h"
#include "richtext/model/TextHeader.h"

#include <algorithm>
#include <chrono>

int64_t UndoClockMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

namespace {

// Fields that a restored paragraph keeps of its own.
void RestoreFormatting(TParagraph& par, const TParagraph& saved) {
    TParagraph keep = par;
    par = saved;
    par.next = keep.next;
    par.prev = keep.prev;
    par.firstLine = keep.firstLine;
    par.objects = keep.objects;
    par.outlineLevel = keep.outlineLevel;
    par.uniqueId = keep.uniqueId;
    par.index = keep.index;
    par.extra = keep.extra;
}

}  // namespace

TScribenUndoObject::TScribenUndoObject(TRtRTFText& text) : text_(text) {}

TScribenUndoObject::~TScribenUndoObject() {
    if (!Snapshot) return;
    try {
        text_.ReleaseLineRefs(Snapshot->firstLine);
    } catch (...) {
    }
    text_.FreeParagraph(Snapshot);
}

std::string TScribenUndoObject::GetDescription() const { return GetUndoKindText(UndoKind); }

void TScribenUndoObject::Capture(TParagraph* par) {
    TTextHeader& header = text_.Header();
    switch (ActionKind) {
    case uakParagraph:
    case uakText:
    case uakDeleted:
        Snapshot = text_.CopyParagraphRecord(*par);
        text_.AddLineRefs(Snapshot->firstLine);
        if (ActionKind == uakDeleted) ParIndex = par->index - 1;
        break;
    case uakCreated: break;
    case uakCell:
    case uakTable:
        if (par->extra) SavedExtra = *par->extra;
        if (ActionKind == uakTable && par->extra) {
            TRtTableList& tables = text_.Tables();
            TableValues[0] = tables.GetTableValueA(int32_t(par->extra->tableId));
            TableValues[1] = tables.GetTableValueB(int32_t(par->extra->tableId));
            TableValues[2] = tables.GetTableValueC(int32_t(par->extra->tableId));
            TableName = tables.GetItemName(int32_t(par->extra->tableId));
        }
        break;
    case uakWholeText: {
        TMemoryStream& stream = GetStream();
        if (!text_.SaveToStream(stream)) ResetStream();
        SnapshotTime = UndoClockMs();
        break;
    }
    case uakPage:
        PageLeft = header.LeftMargin();
        PageRight = header.RightMargin();
        PageTop = header.TopMargin();
        PageBottom = header.BottomMargin();
        PageHeader = header.MarginHeader();
        PageFooter = header.MarginFooter();
        PageLandscape = header.Landscape();
        PageWidth = header.PageWidth();
        PageHeight = header.PageHeight();
        break;
    case uakCurrentAttr: SavedAttr = text_.CurrentAttr; break;
    default:
        Saved = *par;
        Saved.next = Saved.prev = nullptr;
        Saved.firstLine = nullptr;
        Saved.objects = nullptr;
        Saved.extra = nullptr;
        if (ActionKind == uakProperties && par->IsCell() && par->extra) SavedExtra = *par->extra;
        break;
    }
}

void TScribenUndoObject::Apply() {
    if (!Owner) return;
    TRtUndoObject* record = this;
    Owner->ApplyUndoAction(record);
    if (!record) return;
    if (EditedId != text_.EditedId) {
        text_.SwitchToHeaderFooterById(EditedId);
        if (EditedId != text_.EditedId) {
            Debug().Log("undo: the header or footer of a record no longer exists; the record is skipped");
            return;
        }
    }
    const int32_t before = text_.applying_;
    text_.applying_ = IsRedo ? 2 : 1;
    bool applied = false;
    try {
        applied = Restore();
    } catch (...) {
        text_.applying_ = before;
        throw;
    }
    text_.applying_ = before;
    if (!applied) return;
    RestoreCursor();
    text_.ViewValue = ViewValue;
    text_.RenumberFrom(text_.FirstPar());
    text_.recordApplied_ = true;
}

bool TScribenUndoObject::Restore() {
    const bool redo = text_.HasEditOption(rtActivateRedo);
    switch (ActionKind) {
    case uakObjectSize:
    case uakObjectPos: RestoreObject(); return true;
    case uakStyles:
        if (redo) text_.SaveObjectUndo(nullptr, Styles, UndoKind, uakStyles);
        if (Styles && HasStream()) {
            GetStream().SetPosition(0);
            Styles->ReadFromStream(GetStream());
        }
        return true;
    case uakWholeText: {
        if (redo) text_.SaveUndo(text_.FirstPar(), uakWholeText, UndoKind);
        const uint8_t keep = text_.ClearKeep;
        text_.ClearKeep |= ckUndo;
        text_.Clear();
        text_.ClearKeep = keep;
        GetStream().SetPosition(0);
        text_.LoadingForUndo = true;
        try {
            text_.LoadFromStream(GetStream());
        } catch (...) {
            text_.LoadingForUndo = false;
            throw;
        }
        text_.LoadingForUndo = false;
        return true;
    }
    default: break;
    }
    if (ActionKind == uakDeleted) {
        TParagraph* prev = ParIndex < 0 ? nullptr : text_.ParagraphByIndex(ParIndex);
        if (ParIndex >= 0 && !prev) return Skipped();
        TParagraph* created = text_.RecreateParagraph(prev, Snapshot);
        Snapshot = nullptr;
        if (redo) text_.SaveUndo(created, uakCreated, UndoKind);
        return true;
    }
    TParagraph* par = text_.ParagraphByIndex(ParIndex);
    if (!par) return Skipped();
    if (redo) text_.SaveUndo(par, ActionKind == uakCreated ? uakDeleted : ActionKind, UndoKind);
    TTextHeader& header = text_.Header();
    switch (ActionKind) {
    case uakParagraph:
    case uakText: RestoreSnapshot(*par, ActionKind == uakParagraph); break;
    case uakIndents:
        par->firstIndent = Saved.firstIndent;
        par->leftIndent = Saved.leftIndent;
        par->rightIndent = Saved.rightIndent;
        break;
    case uakSpacing:
        par->spaceBefore = Saved.spaceBefore;
        par->lineSpacing = Saved.lineSpacing;
        par->spaceAfter = Saved.spaceAfter;
        break;
    case uakStyle:
        par->style = Saved.style;
        par->explicitMask = Saved.explicitMask;
        break;
    case uakAlignment: par->align = Saved.align; break;
    case uakBorders: par->border = Saved.border; break;
    case uakTabs: par->tabs = Saved.tabs; break;
    case uakCreated: text_.RemoveCreatedParagraph(par); return true;
    case uakProperties:
        RestoreFormatting(*par, Saved);
        if (SavedExtra && par->IsCell()) text_.GetParExtra(*par) = *SavedExtra;
        break;
    case uakCell:
    case uakTable:
        if (SavedExtra) text_.GetParExtra(*par) = *SavedExtra;
        if (ActionKind == uakTable && SavedExtra) {
            const int32_t id = int32_t(SavedExtra->tableId);
            TRtTableList& tables = text_.Tables();
            tables.SetTableValueA(id, TableValues[0]);
            tables.SetTableValueB(id, TableValues[1]);
            tables.SetTableValueC(id, TableValues[2]);
            tables.SetItemName(id, TableName);
        }
        break;
    case uakPage:
        header.BeginUpdate();
        header.SetLandscape(PageLandscape);
        header.SetPageWidth(PageWidth);
        header.SetPageHeight(PageHeight);
        header.SetLeftMargin(PageLeft);
        header.SetRightMargin(PageRight);
        header.SetTopMargin(PageTop);
        header.SetBottomMargin(PageBottom);
        header.SetMarginHeader(PageHeader);
        header.SetMarginFooter(PageFooter);
        header.EndUpdate();
        return true;
    case uakCurrentAttr: text_.CurrentAttr = SavedAttr; return true;
    default: return false;
    }
    par->MarkChanged();
    text_.NotifyParagraph(par);
    return true;
}

bool TScribenUndoObject::Skipped() {
    Debug().Log("undo: the paragraph of a record no longer exists; the record is skipped");
    return false;
}

void TScribenUndoObject::RestoreSnapshot(TParagraph& par, bool withFormatting) {
    if (!Snapshot) return;
    const int32_t before = TRtRTFText::ParagraphLength(&par);
    text_.ReleaseLineRefs(par.firstLine);
    TRtRTFText::FreeLineChain(par.firstLine);
    par.firstLine = Snapshot->firstLine;
    Snapshot->firstLine = nullptr;  // the paragraph owns the lines now
    text_.ConformLines(par.firstLine);
    if (withFormatting) {
        RestoreFormatting(par, *Snapshot);
        if (par.IsCell() && Snapshot->extra) text_.GetParExtra(par) = *Snapshot->extra;
    }
    text_.ForEachPosition([&par](TRtPosition& p) {
        if (p.par == &par) p = {&par, par.firstLine, 0};
    });
    par.MarkChanged();
    text_.NotifyRange(&par, 0, before, TRtRTFText::ParagraphLength(&par));
}

void TScribenUndoObject::RestoreObject() {
    auto* values = static_cast<TScribenUndo_ObjectPar*>(OwnedObject());
    if (!values) return;
    TTextObj* ref = text_.ObjRefs().GetItem(values->referenceId);
    if (!ref) return;
    if (text_.HasEditOption(rtActivateRedo)) text_.SaveObjectUndo(ref, nullptr, UndoKind, ActionKind);
    if (ActionKind == uakObjectSize) {
        text_.SetObjectSize(ref, values->width, values->height);
        return;
    }
    ref->x = values->x;
    ref->y = values->y;
    ref->wrap = values->wrap;
    ref->kind = values->kind;
    ref->flags = values->flags;
    text_.InvalidateObject(ref);
}

void TScribenUndoObject::RestoreCursor() {
    TParagraph* par = CursorParIndex >= 0 ? text_.FirstPar() : nullptr;
    for (int32_t i = 0; par && par->next && i < CursorParIndex; ++i) par = par->next;
    if (!par) {
        par = text_.FirstPar();
        text_.Cursor = {par, par->firstLine, 0};
        return;
    }
    int32_t offset = CursorOffset;
    TLine* line = TRtRTFText::LocateInParagraph(par, offset);
    text_.Cursor = {par, line, offset};
}
