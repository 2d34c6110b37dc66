#pragma once
// The footnotes of a text: text, value and kind.

#include "richtext/model/RtTypedList.h"

struct TRtFootnoteItem : TRtListItem {
    std::string text;
    int32_t noteValue = 0;
    uint8_t kind = 0;
};

class TRtFootnoteList : public TRtTypedList<TRtFootnoteItem> {
public:
    std::string GetItemText(const TRtListItem& item) const override {
        return static_cast<const TRtFootnoteItem&>(item).text;
    }
    void SetItemText(TRtListItem& item, const std::string& text) override {
        static_cast<TRtFootnoteItem&>(item).text = text;
    }
    int32_t AddNamedItem(const std::string& name, uint8_t kind, int32_t value) override {
        auto* item = static_cast<TRtFootnoteItem*>(AddItem());
        item->text = name;
        item->kind = kind;
        item->noteValue = value;
        return item->id;
    }
};
