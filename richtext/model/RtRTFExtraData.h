#pragma once
// Named extra data of a text (document information and user properties),
// written into RTF files.

#include "foundation/Stream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TRtRTFText;

enum TRtRTFExtraSubType : uint8_t { rtxDefault, rtxString, rtxNumber, rtxBoolean, rtxDate };
// Options, as bit masks.
constexpr uint8_t rtxSaveToRTF = 0x01;
constexpr uint8_t rtxLoadFromRTF = 0x02;
constexpr uint8_t rtxDoNotClear = 0x04;
constexpr uint8_t rtxDoNotRemoveOnClear = 0x08;
constexpr uint8_t rtxInvisible = 0x10;

class TRtRTFExtraDataItem {
public:
    std::string Name;
    TRtRTFExtraSubType SubType = rtxDefault;
    uint8_t Options = rtxSaveToRTF | rtxLoadFromRTF;
    uint8_t Mode = 0;  // 0 text, 1 binary data

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text) { text_ = text; }
    TMemoryStream& Data() { return data_; }
    virtual ~TRtRTFExtraDataItem() = default;
    virtual void Clear();
    void Assign(TRtRTFExtraDataItem& source);
    bool IsReservedName() const;
    std::string GetDisplayName() const;

private:
    std::string text_;
    TMemoryStream data_;
};

class TRtRTFExtraDataCollection {
public:
    explicit TRtRTFExtraDataCollection(TRtRTFText* text) : text_(text) {}
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    TRtRTFExtraDataItem* GetItem(int32_t index) const;
    TRtRTFExtraDataItem& Add();
    // Name compared without regard to case; mode -1 matches any mode.
    TRtRTFExtraDataItem* FindItem(const std::string& name, int32_t mode = -1) const;
    TRtRTFText* GetOwner() const { return text_; }
    // What the text's Clear does: empties items without rtxDoNotClear and
    // removes items without rtxDoNotRemoveOnClear.
    void ClearForText();

private:
    TRtRTFText* text_;
    std::vector<std::unique_ptr<TRtRTFExtraDataItem>> items_;
};
