#pragma once
// The tables of a text. Values A and B are the table's left and right
// offsets; rows of different ids with equal A and B count as one table when
// columns are walked.

#include "richtext/model/RtTypedList.h"

struct TRtTableItem : TRtListItem {
    std::string name;
    std::string caption;
    int32_t a = 0;
    int32_t b = 0;
    int32_t c = 0;
};

class TRtTableList : public TRtTypedList<TRtTableItem> {
public:
    using TRtCustomList::Add;
    std::string GetItemText(const TRtListItem& item) const override {
        return static_cast<const TRtTableItem&>(item).name;
    }
    void SetItemText(TRtListItem& item, const std::string& text) override {
        static_cast<TRtTableItem&>(item).name = text;
    }

    // A new table, or the current one while ReuseCurrent is set.
    int32_t Add(const std::string& name, const std::string& caption, int32_t a, int32_t b, int32_t c) {
        const bool reused = ReuseCurrent && GetCurrentData();
        auto* item = static_cast<TRtTableItem*>(AddItem());
        if (!reused) SetInfo(*item, name, caption, a, b, c);
        return item->id;
    }
    static void SetInfo(TRtTableItem& item, const std::string& name, const std::string& caption, int32_t a,
                        int32_t b, int32_t c) {
        item.name = name;
        item.caption = caption;
        item.a = a;
        item.b = b;
        item.c = c;
    }
    TRtTableItem* GetCurrentTable() { return CurrentItem(); }
    TRtTableItem* GetTableData(int32_t id) { return FindItem(id); }
    int32_t GetTableValueA(int32_t id) { return Value(id, &TRtTableItem::a); }
    int32_t GetTableValueB(int32_t id) { return Value(id, &TRtTableItem::b); }
    int32_t GetTableValueC(int32_t id) { return Value(id, &TRtTableItem::c); }
    void SetTableValueA(int32_t id, int32_t v) { SetValue(id, &TRtTableItem::a, v); }
    void SetTableValueB(int32_t id, int32_t v) { SetValue(id, &TRtTableItem::b, v); }
    void SetTableValueC(int32_t id, int32_t v) { SetValue(id, &TRtTableItem::c, v); }
    // False and zeros for an unknown id.
    bool GetTableWidths(int32_t id, int32_t& a, int32_t& b) {
        const auto* item = FindItem(id);
        a = item ? item->a : 0;
        b = item ? item->b : 0;
        return item != nullptr;
    }

private:
    int32_t Value(int32_t id, int32_t TRtTableItem::*field) {
        const auto* item = FindItem(id);
        return item ? item->*field : 0;
    }
    void SetValue(int32_t id, int32_t TRtTableItem::*field, int32_t v) {
        if (auto* item = FindItem(id)) item->*field = v;
    }
};
