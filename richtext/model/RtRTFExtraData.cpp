#include "richtext/model/RtRTFExtraData.h"

#include "foundation/Codepage1252.h"
#include "richtext/model/PropertyCopy.h"

#include <algorithm>

void TRtRTFExtraDataItem::Clear() {
    text_.clear();
    data_.Clear();
}

void TRtRTFExtraDataItem::Assign(TRtRTFExtraDataItem& source) {
    Name = source.Name;
    text_ = source.text_;
    Mode = source.Mode;
    Options = source.Options;
    SubType = source.SubType;
    if (Mode == 1) data_.LoadFromStream(source.data_);
}

bool TRtRTFExtraDataItem::IsReservedName() const {
    return std::any_of(kDocInfoKeys.begin(), kDocInfoKeys.end(),
                       [this](std::string_view key) { return SameTextAscii(Name, key); });
}

std::string TRtRTFExtraDataItem::GetDisplayName() const {
    if (Mode == 0 && !text_.empty()) return Name + "= \"" + text_ + "\"";
    if (Mode == 1 && !data_.Bytes().empty()) return Name + " (" + std::to_string(data_.Bytes().size()) + " Bytes)";
    return Name + " <empty>";
}

TRtRTFExtraDataItem* TRtRTFExtraDataCollection::GetItem(int32_t index) const {
    return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].get() : nullptr;
}

TRtRTFExtraDataItem& TRtRTFExtraDataCollection::Add() {
    items_.push_back(std::make_unique<TRtRTFExtraDataItem>());
    return *items_.back();
}

TRtRTFExtraDataItem* TRtRTFExtraDataCollection::FindItem(const std::string& name, int32_t mode) const {
    for (const auto& item : items_) {
        if (SameTextAscii(item->Name, name) && (mode < 0 || item->Mode == mode)) return item.get();
    }
    return nullptr;
}

void TRtRTFExtraDataCollection::ClearForText() {
    for (const auto& item : items_) {
        if (!(item->Options & rtxDoNotClear)) item->Clear();
    }
    std::erase_if(items_, [](const auto& item) { return !(item->Options & rtxDoNotRemoveOnClear); });
}
