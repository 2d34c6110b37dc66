#pragma once
// The part of the engine's lists that only depends on their item type:
// making, copying and finding items of that type.

#include "richtext/model/RtCustomList.h"

template <typename Item>
class TRtTypedList : public TRtCustomList {
public:
    ~TRtTypedList() override { RemoveAll(); }

    TRtListItem* InitItem() const override { return new Item(); }
    // The data and the header's value, flags and owner; links, id and count are the list's.
    TRtListItem* CopyItem(const TRtListItem& item) const override {
        Item* copy = new Item(static_cast<const Item&>(item));
        copy->next = copy->prev = nullptr;
        copy->id = 0;
        copy->refCount = 0;
        copy->source = nullptr;
        return copy;
    }
    size_t ItemSize() const override { return sizeof(Item); }

    Item* FindItem(int32_t id) { return static_cast<Item*>(Find(id)); }
    Item* CurrentItem() { return static_cast<Item*>(GetCurrentData()); }
};
