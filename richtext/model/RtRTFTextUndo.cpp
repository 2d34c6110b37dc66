// TRtRTFText: the text's side of undo: its stack, recording changes and
// undo groups.
#include "richtext/model/RtRTFText.h"

#include "richtext/model/RtCustomRtfEditClass.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtUndoStack.h"
#include "richtext/model/ScribenUndoObject.h"

namespace {

constexpr int64_t kSnapshotReuseMs = 500;

}  // namespace

const void* TRtRTFText::UndoSource() const {
    return Editor ? static_cast<const void*>(Editor) : static_cast<const void*>(this);
}

TRtUndoStack& TRtRTFText::GetUndoStack() {
    if (outsideUndoStack_) return *outsideUndoStack_;
    if (!ownUndoStack_) {
        ownUndoStack_ = std::make_unique<TRtUndoStack>();
        ownUndoStack_->OnChange = [this](TRtUndoStack& stack) {
            if (UndoChangeHandler) UndoChangeHandler(stack);
        };
        LinkToStack(*ownUndoStack_);
    }
    return *ownUndoStack_;
}

void TRtRTFText::LinkToStack(TRtUndoStack& stack) {
    TRtUndoManagerLink& link = stack.LinkEditor(UndoSource());
    link.TakeSnapshot = [this] { SaveUndo(FirstPar(), uakWholeText, 1); };
    link.BeforeApply = [this] { ClearSelection(); };
    link.AfterApply = [this] {
        if (recordApplied_) {
            recordApplied_ = false;
            Refresh(true);
        }
        NotifyUndoChange();
    };
}

void TRtRTFText::SetUndoStack(TRtUndoStack* stack) {
    if (stack == outsideUndoStack_) return;
    // Records refer to their text: they stay with it, not on a stack it leaves.
    if (outsideUndoStack_) {
        outsideUndoStack_->RemoveEditor(UndoSource());
        outsideUndoStack_->UnlinkComponent(UndoSource());
    }
    ownUndoStack_.reset();
    outsideUndoStack_ = stack;
    if (stack) LinkToStack(*stack);
}

bool TRtRTFText::UndoDisabledForEditor() {
    if (!ownUndoStack_ && !outsideUndoStack_) return false;
    return GetUndoStack().IsDisabledFor(UndoSource());
}

TScribenUndoObject* TRtRTFText::ReusableRecord(TParagraph* par, uint8_t actionKind, bool toRedo) {
    if (applying_ != 0) return nullptr;
    auto* last = dynamic_cast<TScribenUndoObject*>(GetUndoStack().GetLastRecord(toRedo));
    if (!last || last->Source != UndoSource() || last->EditedId != EditedId || &last->Text() != this) return nullptr;
    if (last->ActionKind == uakWholeText) {
        if (actionKind != uakWholeText) return last;
        const bool young = UndoClockMs() - last->SnapshotTime <= kSnapshotReuseMs;
        return ForceSnapshots || !young ? nullptr : last;
    }
    if (last->ActionKind != actionKind || last->ParIndex != par->index || actionKind == uakCreated ||
        actionKind == uakDeleted) {
        return nullptr;
    }
    return last;
}

void TRtRTFText::SaveUndo(TParagraph* par, uint8_t actionKind, uint8_t undoKind) {
    if (!UndoSwitch || UndoDisabledForEditor()) return;
    if (HasEditOption(rtStreamUndoOperation)) {
        if (actionKind != uakText && actionKind != uakIndents && actionKind != uakAlignment &&
            actionKind != uakPage) {
            actionKind = uakWholeText;
        }
    } else if (actionKind == uakWholeText) {
        return;
    }
    if (actionKind == 0 || !par || UndoSuspended || !HasEditOption(rtActivateUndo)) return;
    const bool toRedo = applying_ == 1;
    if (TScribenUndoObject* last = ReusableRecord(par, actionKind, toRedo)) {
        last->UndoKind = undoKind;
        return;
    }
    auto record = std::make_unique<TScribenUndoObject>(*this);
    record->Source = UndoSource();
    record->ActionKind = actionKind;
    record->UndoKind = undoKind;
    record->ParIndex = par->index;
    record->EditedId = EditedId;
    if (RecordCursor && Cursor.par) {
        record->CursorParIndex = Cursor.par->index;
        record->CursorOffset = OffsetInParagraph(Cursor.par, Cursor.line, Cursor.offset);
        record->ViewValue = ViewValue;
    }
    const bool keep = objRefs_->KeepPlacement;
    objRefs_->KeepPlacement = true;
    record->Capture(par);
    objRefs_->KeepPlacement = keep;
    if (actionKind == uakWholeText && !record->HasStream()) return;  // the text cannot be streamed here
    GetUndoStack().AddOrMerge(toRedo, std::move(record));
}

void TRtRTFText::SaveObjectUndo(TTextObj* reference, TRtCustomStyleCollection* styles, uint8_t undoKind,
                                uint8_t actionKind) {
    if (!UndoSwitch || UndoDisabledForEditor() || UndoSuspended || !HasEditOption(rtActivateUndo)) return;
    auto record = std::make_unique<TScribenUndoObject>(*this);
    record->Source = UndoSource();
    record->ActionKind = actionKind;
    record->UndoKind = undoKind;
    record->EditedId = EditedId;
    if (actionKind == uakObjectSize || actionKind == uakObjectPos) {
        const int32_t id = reference ? objRefs_->FindObjectId(reference) : 0;
        if (id == 0) return;
        auto values = std::make_unique<TScribenUndo_ObjectPar>();
        values->referenceId = id;
        values->kind = reference->kind;
        values->width = reference->width;
        values->height = reference->height;
        values->flags = reference->flags;
        values->wrap = reference->wrap;
        values->x = reference->x;
        values->y = reference->y;
        record->SetOwnedObject(std::move(values));
    } else if (actionKind == uakStyles) {
        if (!styles || !Editor || styles != Editor->RtStyleCollection()) return;
        record->Styles = styles;
        styles->WriteToStream(record->GetStream());
    } else {
        return;
    }
    GetUndoStack().AddOrMerge(applying_ == 1, std::move(record));
}

bool TRtRTFText::Undo() {
    if (!UndoSwitch || UndoDisabledForEditor()) return false;
    return GetUndoStack().Undo();
}

bool TRtRTFText::Redo() {
    if (!UndoSwitch || UndoDisabledForEditor()) return false;
    const bool remaining = GetUndoStack().Redo();
    if (recordApplied_) {
        recordApplied_ = false;
        Refresh(true);
    }
    NotifyUndoChange();
    return remaining;
}

void TRtRTFText::BeginUndoGroup() {
    if (!UndoSwitch || UndoDisabledForEditor()) return;
    GetUndoStack().BeginGroup();
}

bool TRtRTFText::EndUndoGroup() {
    if (!UndoSwitch || UndoDisabledForEditor()) return false;
    const bool open = GetUndoStack().EndGroup();
    NotifyUndoChange();
    return open;
}

void TRtRTFText::NewUndoGroup() {
    if (!UndoSwitch || UndoDisabledForEditor()) return;
    GetUndoStack().NewGroup();
}

void TRtRTFText::ForceNewUndoGroup() {
    if (!UndoSwitch || UndoDisabledForEditor()) return;
    GetUndoStack().ForceNewGroup();
}

void TRtRTFText::ClearUndo() {
    if (ownUndoStack_) {
        if (!ownUndoStack_->IsDisabledFor(UndoSource())) ownUndoStack_->ClearAll();
    } else if (outsideUndoStack_) {
        outsideUndoStack_->RemoveEditor(UndoSource());
    }
    NotifyUndoChange();
}

void TRtRTFText::NotifyUndoChange() {
    if (!UndoSwitch || !OnUndoChange) return;
    if (!ownUndoStack_ && !outsideUndoStack_) return;
    OnUndoChange(Editor, GetUndoStack());
}

// ---- snapshots of paragraphs

TLine* TRtRTFText::CopyLineChain(const TLine* first) {
    TLine* head = nullptr;
    TLine* tail = nullptr;
    try {
        for (const TLine* l = first; l; l = l->next) {
            auto* copy = new TLine();
            if (tail) {
                tail->next = copy;
                copy->prev = tail;
            } else {
                head = copy;
            }
            tail = copy;
            copy->CopyFrom(*l);
        }
    } catch (...) {
        FreeLineChain(head);
        throw;
    }
    return head;
}

TParagraph* TRtRTFText::CopyParagraphRecord(const TParagraph& source) {
    auto* copy = new TParagraph(source);
    copy->next = copy->prev = nullptr;
    copy->objects = nullptr;
    copy->extra = nullptr;
    copy->firstLine = nullptr;
    try {
        if (source.extra) copy->extra = new TParExtra(*source.extra);
        copy->firstLine = CopyLineChain(source.firstLine);
    } catch (...) {
        delete copy->extra;
        delete copy;
        throw;
    }
    return copy;
}

void TRtRTFText::ConformLines(TLine* first) {
    const uint32_t format = FormatOf(CurrentAttr);
    for (TLine* l = first; l; l = l->next) {
        if (l->HasAttrs() != IsAttrMode()) l->Reallocate(l->Capacity(), IsAttrMode(), format);
    }
}

TParagraph* TRtRTFText::RecreateParagraph(TParagraph* prev, TParagraph* snapshot) {
    constexpr int32_t kRecreatedCapacity = 10;
    TParagraph* created = prev;
    InsertParagraphAfter(created, kRecreatedCapacity);
    if (!prev) {
        created->next = first_;
        if (first_) first_->prev = created;
        first_ = created;
        RenumberFrom(created);
    }
    if (snapshot) {
        TParagraph keep = *created;
        FreeLineChain(created->firstLine);
        *created = *snapshot;
        created->next = keep.next;
        created->prev = keep.prev;
        created->uniqueId = keep.uniqueId;
        created->index = keep.index;
        created->objects = nullptr;
        snapshot->firstLine = nullptr;
        snapshot->extra = nullptr;
        FreeParagraph(snapshot);
        if (!created->firstLine) {
            TLine* line = nullptr;
            InsertLine(line, kRecreatedCapacity);
            created->firstLine = line;
        }
        ConformLines(created->firstLine);
    }
    created->MarkChanged();
    if (created->prev) {
        NotifyRange(created->prev, ParagraphLength(created->prev), 0, ParagraphLength(created) + 1);
    } else {
        NotifyRange(created, 0, 0, ParagraphLength(created) + 1);
    }
    return created;
}

void TRtRTFText::RemoveCreatedParagraph(TParagraph* par) {
    const int32_t length = ParagraphLength(par);
    if (!par->prev && !par->next) {
        FillParagraph(par, "", nullptr, 0);
        par->flags = pfChanged;
        par->border.flags = 0;
        NotifyRange(par, 0, length, 0);
        return;
    }
    if (par->next) {
        NotifyRange(par, 0, length + 1, 0);
    } else {
        NotifyRange(par->prev, ParagraphLength(par->prev), length + 1, 0);
    }
    ReleaseLineRefs(par->firstLine);
    DeleteParagraph(par);
}
