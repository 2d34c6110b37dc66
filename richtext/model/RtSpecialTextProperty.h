#pragma once
// Header and footer texts: each TRtSpecialTextProperty holds its own
// paragraph chain and the page range it applies to; the text's
// TRtHeaderFooterCollection keeps them. While one is edited its chain is the
// text's edited chain (see TRtRTFText::SwitchEditedText).

#include "richtext/model/Paragraph.h"
#include "richtext/model/RtRTFText.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TStream;

enum TRtPagePropertyRange : uint8_t {
    rtraOnAllPages, rtraOnOddPages, rtraOnEvenPages, rtraOnFirstPage, rtraOnLastPage,
    rtraNotOnFirstAndLastPages, rtraNamed, rtraIgnored,
};
enum TRtPagePropertyKind : uint8_t { rtIsHeader, rtIsFooter };

class TRtSpecialTextProperty;

// The contents of an item as form data "Data": the paragraphs written as a
// stream by the text's I/O layer.
class TRtSpecialTextPropertyContents {
public:
    explicit TRtSpecialTextPropertyContents(TRtSpecialTextProperty& item) : item_(item) {}
    // False when the text cannot stream (the I/O layer is not there).
    bool ReadData(TStream& stream);
    bool WriteData(TStream& stream);
    std::string AsString();
    void SetFromString(const std::string& bytes);
    void Assign(TRtSpecialTextPropertyContents& source);
    // Stored only when the item's text is not empty.
    bool HasData() const;

private:
    TRtSpecialTextProperty& item_;
};

class TRtSpecialTextProperty {
public:
    TRtSpecialTextProperty(TRtRTFText& text, int32_t id);
    ~TRtSpecialTextProperty();
    TRtSpecialTextProperty(const TRtSpecialTextProperty&) = delete;
    TRtSpecialTextProperty& operator=(const TRtSpecialTextProperty&) = delete;

    std::string Name;
    TRtPagePropertyRange Range = rtraIgnored;
    TRtPagePropertyKind Kind = rtIsHeader;
    int32_t Value = 0;

    TRtRTFText& Text() const { return text_; }
    int32_t Id() const { return id_; }
    TParagraph* Paragraphs() const { return paragraphs_; }
    // Takes over a chain (the old one is freed).
    void SetParagraphs(TParagraph* chain);
    // Hands the chain out without freeing it.
    TParagraph* TakeParagraphs();
    void ClearParagraphs();
    bool IsEmpty() const;
    int32_t Height() const { return height_; }
    void UpdateHeight();
    uint8_t LockState() const { return lockState_; }
    // 1 makes the item's chain the text's chain for copying (raises
    // ERtEngineModeError when the text is locked already); 0 puts it back.
    void SetLocked(uint8_t state);
    // Nil (null) clears the paragraphs; other contents are copied.
    void Assign(TRtSpecialTextPropertyContents* contents);
    TRtSpecialTextPropertyContents& RtfText() { return contents_; }

private:
    TRtRTFText& text_;
    TRtSpecialTextPropertyContents contents_;
    int32_t id_;
    uint8_t lockState_ = 0;
    int32_t height_ = 0;
    TParagraph* paragraphs_ = nullptr;
    // The text's state while locked.
    TRtPosition savedSelStart_, savedSelEnd_, savedCursor_;
    uint8_t savedStateByte_ = 0;
    int32_t savedSelDirection_ = 0;
    int32_t savedMarkedCount_ = 0;
    TParagraph* savedFirst_ = nullptr;
};

class TRtHeaderFooterCollection {
public:
    explicit TRtHeaderFooterCollection(TRtRTFText& text) : text_(text) {}
    TRtSpecialTextProperty* GetItem(int32_t index) const;
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    TRtSpecialTextProperty& Add();
    void Clear() { items_.clear(); }
    void SetPrintEditor(void* editor) { printEditor_ = editor; }
    void* GetOwner() const { return printEditor_; }
    const std::vector<std::unique_ptr<TRtSpecialTextProperty>>& Items() const { return items_; }

private:
    TRtRTFText& text_;
    void* printEditor_ = nullptr;
    std::vector<std::unique_ptr<TRtSpecialTextProperty>> items_;
};

// The process-wide counter of item ids (first item 1).
int32_t NextHeaderFooterId();
