#pragma once
// One column heading of the header control: caption, width and its limits,
// sort mark, picture, colours, click and resize permissions, the
// description of the column's data, and the small buttons a section can
// carry (expand arrow for child sections, lookup drop-down, filter mark).
// Sections live in a TMcHeaderSections, which keeps them in display order;
// a section's Index is its identity and stays with it when it moves.

#include "platform/gdi/GdiTypes.h"
#include "treectl/header/McSectionsOwner.h"
#include "treectl/support/McTypes.h"

#include <QtCore/QObject>
#include <QtCore/QPointer>

#include <string>
#include <vector>

// What a cell of a password column shows in place of its text.
inline constexpr const char* kPasswordText = "******";

class TMcHeaderSections;
class TMcSectionsOwner;

enum class TTextLayout : uint8_t { tlTop = 0, tlCenter = 1, tlBottom = 2 };
enum class TMcSAlignment : uint8_t { hsaLeft = 0, hsaRight = 1, hsaCenter = 2 };

class TMcHeaderSection {
public:
    explicit TMcHeaderSection(TMcHeaderSections* collection = nullptr);
    virtual ~TMcHeaderSection();
    TMcHeaderSection(const TMcHeaderSection&) = delete;
    TMcHeaderSection& operator=(const TMcHeaderSection&) = delete;

    // Copies the settings straight into the fields (no setters, no events);
    // the parent becomes this header's section of the source parent's Index.
    void Assign(const TMcHeaderSection& source);

    // ---- derived values (header coordinates, before the scroll offset)
    // The own flag, and a parent that reads visible and is expanded.
    bool Visible() const;
    int32_t Position() const;  // in display order; -1 without a collection
    int32_t Left() const;
    int32_t Right() const;

    // ---- settings with their setters
    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    TMcSectionStyle Style() const { return style_; }
    void SetStyle(TMcSectionStyle value);
    int32_t Width() const { return width_; }
    void SetWidth(int32_t value);
    int32_t MinWidth() const { return minWidth_; }
    void SetMinWidth(int32_t value);
    int32_t MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int32_t value);
    TMcSSortMode SortMode() const { return sortMode_; }
    void SetSortMode(TMcSSortMode value);
    bool AllowClick() const { return allowClick_; }
    void SetAllowClick(bool value) { allowClick_ = value; }
    TMcSAlignment Alignment() const { return alignment_; }
    void SetAlignment(TMcSAlignment value);
    TMcSAlignment PictureAlign() const { return pictureAlign_; }
    void SetPictureAlign(TMcSAlignment value) { pictureAlign_ = value; }
    bool OwnVisible() const { return visible_; }
    void SetVisible(bool value);
    int32_t ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int32_t value);
    const std::string& FieldName() const { return fieldName_; }
    virtual void SetFieldName(const std::string& value);
    TFieldTypes FieldType() const { return fieldType_; }
    virtual void SetFieldType(TFieldTypes value);
    bool Editable() const { return editable_; }
    virtual void SetEditable(bool value);
    bool Password() const { return password_; }
    void SetPassword(bool value);
    bool Resizable() const { return resizable_; }
    virtual void SetResizable(bool value);
    bool ClickSelect() const { return clickSelect_; }
    void SetClickSelect(bool value) { clickSelect_ = value; }
    bool Expandable() const { return expandable_; }
    void SetExpandable(bool value);
    bool Expanded() const { return expanded_; }
    void SetExpanded(bool value);
    TMcHeaderSection* ParentSection() const { return parentSection_; }
    // Refused when the section would become its own ancestor.
    void SetParentSection(TMcHeaderSection* value);
    QObject* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QObject* menu);
    const std::string& PopupMenuName() const { return popupMenuName_; }
    bool LookupEnabled() const { return lookupEnabled_; }
    void SetLookupEnabled(bool value);
    const std::vector<std::string>& LookupHistory() const { return lookupHistory_; }
    void SetLookupHistory(const std::vector<std::string>& history) { lookupHistory_ = history; }
    // Puts the text at the top of the history, where it stands only once.
    void RememberLookup(const std::string& text);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    gdi::Color Color() const { return color_; }
    void SetColor(gdi::Color value);
    gdi::Color FontColor() const { return fontColor_; }
    void SetFontColor(gdi::Color value);
    bool UseMainStyle() const { return useMainStyle_; }
    void SetUseMainStyle(bool value);
    TTextLayout TextLayout() const { return textLayout_; }
    void SetTextLayout(TTextLayout value);
    bool FilterEnabled() const { return filterEnabled_; }
    void SetFilterEnabled(bool value);
    bool FilterIsActive() const { return filterIsActive_; }
    void SetFilterIsActive(bool value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool ShowSortMark() const { return showSortMark_; }
    void SetShowSortMark(bool value);

    int32_t SectionId() const { return sectionId_; }
    int32_t Index() const { return index_; }
    float Proportion() const { return proportion_; }
    int32_t SavedWidth() const { return savedWidth_; }

    // Invalidates the section's rectangle in the header.
    void InvalidateSection() const;

private:
    friend class TMcHeaderSections;
    friend class TCustomMcHeader;
    TMcSectionsOwner* Header() const;
    void Notify(TSectionChangeMode change);
    void AutoSizeIfWanted();
    void RaiseForButtons();  // lookup and filter marks need a header of 17 pixels
    void SetWidthSticky(int32_t value);
    void SetVisibleSticky(bool value, TMcSectionsOwner& header);
    void DropChildren();

    TMcHeaderSections* collection_ = nullptr;
    bool filterIsActive_ = false;
    bool filterEnabled_ = false;
    std::string hint_;
    TTextLayout textLayout_ = TTextLayout::tlCenter;
    bool useMainStyle_ = false;
    gdi::Color fontColor_ = 0;
    gdi::Color color_ = 0;
    bool parentColor_ = true;
    bool lookupEnabled_ = false;
    bool expandable_ = false;
    bool expanded_ = false;
    TMcHeaderSection* parentSection_ = nullptr;
    int32_t parentIndexOnLoad_ = 0;
    QPointer<QObject> popupMenu_;
    std::string popupMenuName_;
    bool resizable_ = true;
    bool clickSelect_ = true;
    bool password_ = false;
    std::string fieldName_;
    TFieldTypes fieldType_ = TFieldTypes::sftCustom;
    bool editable_ = false;
    int32_t imageIndex_ = 0;
    TMcSAlignment pictureAlign_ = TMcSAlignment::hsaLeft;
    int32_t sectionId_ = 0;
    int32_t index_ = 0;
    bool visible_ = true;
    TMcSectionStyle style_ = TMcSectionStyle::MchsText;
    int32_t width_ = 120;
    int32_t minWidth_ = 0;
    int32_t maxWidth_ = 10000;
    TMcSSortMode sortMode_ = TMcSSortMode::hsmNone;
    bool allowClick_ = true;
    TMcSAlignment alignment_ = TMcSAlignment::hsaLeft;
    std::string text_;
    std::vector<std::string> lookupHistory_;
    bool autoSize_ = false;
    float proportion_ = 0;
    int32_t savedWidth_ = -1;
    bool showSortMark_ = true;
};
