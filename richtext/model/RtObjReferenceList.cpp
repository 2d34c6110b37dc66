#include "richtext/model/RtObjReferenceList.h"

#include "foundation/Codepage1252.h"
#include "richtext/model/RtRTFText.h"

TRtObjReferenceList::~TRtObjReferenceList() { RemoveAll(); }

TRtObjReferenceItem* TRtObjReferenceList::OtherHolder(const TRtObjReferenceItem& item, const TRtObjectBase* object) {
    if (!object) return nullptr;
    return static_cast<TRtObjReferenceItem*>(FindIf([&](const TRtListItem& i) {
        const auto& other = static_cast<const TRtObjReferenceItem&>(i);
        return &other != &item && other.obj.object == object;
    }));
}

void TRtObjReferenceList::FreeItem(TRtListItem* listItem) {
    auto* item = static_cast<TRtObjReferenceItem*>(listItem);
    item->obj.name.clear();
    TRtObjectBase* object = item->obj.object;
    item->obj.object = nullptr;
    if (object) {
        if (TRtObjReferenceItem* other = OtherHolder(*item, object)) {
            // The other reference keeps the object.
            if (object->Slot() == &item->obj.object) {
                object->SetSlot(&other->obj.object);
                object->SetReference(&other->obj);
            }
        } else {
            text_->RemovePendingObject(&item->obj);
            const bool kept = object->OnDestroyRequest && object->OnDestroyRequest(*object);
            if (!kept) {
                text_->FireTextObjectDestroying(*object);
                try {
                    delete object;
                } catch (...) {
                }
            } else {
                object->SetSlot(nullptr);
                object->SetReference(nullptr);
            }
        }
    }
    delete item;
}

TRtListItem* TRtObjReferenceList::CopyItem(const TRtListItem& item) const {
    TRtListItem* copy = TRtTypedList<TRtObjReferenceItem>::CopyItem(item);
    static_cast<TRtObjReferenceItem*>(copy)->obj.object = nullptr;
    return copy;
}

int32_t TRtObjReferenceList::Release(int32_t id) {
    if (!KeepPlacement) {
        if (TRtObjReferenceItem* item = FindItem(id)) item->obj.laidOut = 0;
    }
    return TRtCustomList::Release(id);
}

TTextObj* TRtObjReferenceList::GetItem(int32_t id) {
    TRtObjReferenceItem* item = FindItem(id);
    return item ? &item->obj : nullptr;
}

TTextObj* TRtObjReferenceList::AddObject(TRtObjectBase* object) {
    auto* item = static_cast<TRtObjReferenceItem*>(AddItem());
    item->obj.object = object;
    if (object) {
        object->SetOwningText(text_);
        object->SetReference(&item->obj);
        object->SetSlot(&item->obj.object);
    }
    return &item->obj;
}

int32_t TRtObjReferenceList::FindOrAddNamed(const std::string& name, int32_t subKind) {
    if (TTextObj* found = FindNamedCode(name, subKind)) return FindObjectId(found);
    auto* item = static_cast<TRtObjReferenceItem*>(AddItem());
    item->obj.kind = tokTextCode;
    item->obj.subKind = subKind;
    item->obj.name = name;
    return item->id;
}

TTextObj* TRtObjReferenceList::FindNamedCode(const std::string& name, int32_t subKind) {
    auto* item = static_cast<TRtObjReferenceItem*>(FindIf([&](const TRtListItem& i) {
        const TTextObj& o = static_cast<const TRtObjReferenceItem&>(i).obj;
        return o.kind == tokTextCode && o.subKind == subKind && SameTextAscii(o.name, name);
    }));
    if (!item) return nullptr;
    SetCurrent(item->id);
    return &item->obj;
}

bool TRtObjReferenceList::CollectByKind(std::vector<int32_t>& ids, uint8_t kind) {
    bool any = false;
    for (TRtListItem* i = FirstItem(); i; i = i->next) {
        if (static_cast<TRtObjReferenceItem*>(i)->obj.kind != kind) continue;
        ids.push_back(i->id);
        any = true;
    }
    return any;
}

bool TRtObjReferenceList::CollectNamedRefs(const std::string& name, int32_t subKind, std::vector<int32_t>* ids) {
    if (!ids) {
        Scratch.clear();
        ids = &Scratch;
    }
    bool any = false;
    for (TRtListItem* i = FirstItem(); i; i = i->next) {
        const TTextObj& o = static_cast<TRtObjReferenceItem*>(i)->obj;
        if (o.kind != tokTextCode || o.subKind != subKind || !SameTextAscii(o.name, name)) continue;
        ids->push_back(i->id);
        any = true;
    }
    return any;
}

TTextObj* TRtObjReferenceList::GetObjectRef(const TRtObjectBase* object) {
    const int32_t id = FindObjectId(object);
    return id ? GetItem(id) : nullptr;
}

TTextObj* TRtObjReferenceList::FindByObjName(const std::string& name) {
    for (TRtListItem* i = FirstItem(); i; i = i->next) {
        TTextObj& o = static_cast<TRtObjReferenceItem*>(i)->obj;
        if (o.object && SameTextAscii(o.object->ObjectNameText, name)) return &o;
    }
    return nullptr;
}

int32_t TRtObjReferenceList::FindObjectId(const TTextObj* reference) {
    if (!reference) return 0;
    for (TRtListItem* i = FirstItem(); i; i = i->next) {
        if (&static_cast<TRtObjReferenceItem*>(i)->obj == reference) return i->id;
    }
    return 0;
}

int32_t TRtObjReferenceList::FindObjectId(const TRtObjectBase* object) {
    if (!object) return 0;
    for (TRtListItem* i = FirstItem(); i; i = i->next) {
        if (static_cast<TRtObjReferenceItem*>(i)->obj.object == object) return i->id;
    }
    return 0;
}

int32_t TRtObjReferenceList::FindAtPoint(int32_t x, int32_t y) {
    const auto hits = [&](const TRtListItem& i) {
        const TTextObj& o = static_cast<const TRtObjReferenceItem&>(i).obj;
        return (OwnerFilter == 0 || i.ownerTag == OwnerFilter) && o.object && o.laidOut && o.laidOutRect.Contains(x, y);
    };
    const TRtListItem* cached = hitCacheId_ ? Find(hitCacheId_) : nullptr;
    const TRtListItem* found = cached && hits(*cached) ? cached : FindIf(hits);
    hitCacheId_ = found ? found->id : 0;
    if (found) SetCurrent(found->id);
    return hitCacheId_;
}

void TRtObjReferenceList::ResetPlacement() {
    for (TRtListItem* i = FirstItem(); i; i = i->next) static_cast<TRtObjReferenceItem*>(i)->obj.laidOut = 0;
}
