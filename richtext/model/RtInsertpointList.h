#pragma once
// The insert points of a text: named field markers with a caption, a
// command text and a value.

#include "richtext/model/RtTypedList.h"

struct TRtInsertpointItem : TRtListItem {
    std::string name;
    std::string caption;
    std::string command;
    int32_t pointValue = 0;
};

class TRtInsertpointList : public TRtTypedList<TRtInsertpointItem> {
public:
    std::string GetItemText(const TRtListItem& item) const override {
        return static_cast<const TRtInsertpointItem&>(item).name;
    }
    void SetItemText(TRtListItem& item, const std::string& text) override {
        static_cast<TRtInsertpointItem&>(item).name = text;
    }

    int32_t AddInsertpoint(const std::string& name, const std::string& caption, int32_t value,
                           const std::string& command) {
        auto* item = static_cast<TRtInsertpointItem*>(AddItem());
        item->name = name;
        item->caption = caption;
        item->pointValue = value;
        item->command = command;
        return item->id;
    }
    int32_t GetValue(int32_t id) {
        const auto* item = FindItem(id);
        return item ? item->pointValue : 0;
    }
    std::string GetCaption(int32_t id) {
        const auto* item = FindItem(id);
        return item ? item->caption : std::string();
    }
    std::string GetCommand(int32_t id) {
        const auto* item = FindItem(id);
        return item ? item->command : std::string();
    }
};
