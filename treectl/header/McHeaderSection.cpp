#include "treectl/header/McHeaderSection.h"

#include "treectl/header/McHeaderSections.h"
#include "treectl/header/McSectionsOwner.h"

#include "foundation/Rounding.h"

#include <algorithm>

namespace {

int32_t Scaled(int32_t width, int32_t oldSpace, int32_t newSpace) {
    return Round(static_cast<long double>(width) / (oldSpace == 0 ? 1 : oldSpace) * newSpace);
}

}  // namespace

TMcHeaderSection::TMcHeaderSection(TMcHeaderSections* collection) : collection_(collection) {}

TMcHeaderSection::~TMcHeaderSection() { DropChildren(); }

TMcSectionsOwner* TMcHeaderSection::Header() const { return collection_ ? collection_->Header() : nullptr; }

void TMcHeaderSection::DropChildren() {
    if (!collection_) return;
    for (TMcHeaderSection* s : collection_->sections_) {
        if (s->parentSection_ == this) s->parentSection_ = nullptr;
    }
}

// ---- derived values

bool TMcHeaderSection::Visible() const {
    if (!visible_) return false;
    return !parentSection_ || (parentSection_->expanded_ && parentSection_->Visible());
}

int32_t TMcHeaderSection::Position() const { return collection_ ? collection_->PositionOf(this) : -1; }

int32_t TMcHeaderSection::Left() const {
    const int32_t position = Position();
    return position > 0 ? collection_->ItemByPos(position - 1)->Right() : 0;
}

int32_t TMcHeaderSection::Right() const { return Visible() ? Left() + width_ : Left(); }

// ---- what setters ask of the header

void TMcHeaderSection::Notify(TSectionChangeMode change) {
    if (TMcSectionsOwner* h = Header()) h->DoNotifySectionChange(this, change);
}

void TMcHeaderSection::AutoSizeIfWanted() {
    if (TMcSectionsOwner* h = Header(); h && autoSize_) h->DoSectionAutoSize(this);
}

void TMcHeaderSection::RaiseForButtons() {
    TMcSectionsOwner* h = Header();
    if (h && h->Height() >= 1 && h->Height() <= 16) h->SetHeight(17);
}

void TMcHeaderSection::InvalidateSection() const {
    TMcSectionsOwner* h = Header();
    if (!h || !h->HasWindow() || !Visible()) return;
    TMcHeaderUpdate update(h);
    const int32_t left = Left() - h->LeftPos();
    h->InvalidateRect({left, 0, left + width_, h->Height() - 1});
}

// ---- setters

void TMcHeaderSection::SetText(const std::string& value) {
    if (value == text_) return;
    text_ = value;
    AutoSizeIfWanted();
    if (TMcSectionsOwner* h = Header()) h->AdjustHeight();
    if (style_ == TMcSectionStyle::MchsText) InvalidateSection();
    Notify(TSectionChangeMode::scmText);
}

void TMcHeaderSection::SetStyle(TMcSectionStyle value) {
    if (value == style_) return;
    style_ = value;
    Notify(TSectionChangeMode::scmStyle);
    InvalidateSection();
}

void TMcHeaderSection::SetMaxWidth(int32_t value) {
    if (value == maxWidth_) return;
    maxWidth_ = value;
    if (value < width_) SetWidth(value);
}

void TMcHeaderSection::SetMinWidth(int32_t value) {
    if (value == minWidth_) return;
    minWidth_ = value;
    if (width_ < value) SetWidth(value);
}

void TMcHeaderSection::SetSortMode(TMcSSortMode value) {
    if (value == sortMode_) return;
    if (collection_) {
        for (TMcHeaderSection* s : collection_->sections_) s->sortMode_ = TMcSSortMode::hsmNone;
    }
    sortMode_ = value;
    AutoSizeIfWanted();
    if (TMcSectionsOwner* h = Header(); h && showSortMark_ && h->HasWindow()) h->InvalidateHeader();
}

void TMcHeaderSection::SetAlignment(TMcSAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Notify(TSectionChangeMode::scmAlign);
    InvalidateSection();
}

void TMcHeaderSection::SetImageIndex(int32_t value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    AutoSizeIfWanted();
    InvalidateSection();
}

void TMcHeaderSection::SetFieldName(const std::string& value) {
    if (value == fieldName_) return;
    fieldName_ = value;
    Notify(TSectionChangeMode::scmFieldName);
}

void TMcHeaderSection::SetFieldType(TFieldTypes value) {
    if (value == fieldType_) return;
    fieldType_ = value;
    Notify(TSectionChangeMode::scmFieldType);
}

void TMcHeaderSection::SetEditable(bool value) {
    if (value == editable_) return;
    editable_ = value;
    Notify(TSectionChangeMode::scmEditable);
}

void TMcHeaderSection::SetPassword(bool value) {
    if (value == password_) return;
    password_ = value;
    Notify(TSectionChangeMode::scmPassword);
}

void TMcHeaderSection::SetResizable(bool value) {
    resizable_ = value;
    if (TMcSectionsOwner* h = Header(); h && h->StickySections()) h->SetStickySections(true);
}

void TMcHeaderSection::SetExpandable(bool value) {
    if (value == expandable_) return;
    expandable_ = value;
    bool orphaned = false;
    if (!value && collection_) {
        for (TMcHeaderSection* s : collection_->sections_) {
            if (s->parentSection_ != this) continue;
            s->parentSection_ = nullptr;
            orphaned = true;
        }
    }
    AutoSizeIfWanted();
    if (TMcSectionsOwner* h = Header(); h && orphaned && !h->IsDestroying() && h->HasWindow()) h->InvalidateHeader();
}

void TMcHeaderSection::SetExpanded(bool value) {
    if (value == expanded_ || !expandable_) return;
    expanded_ = value;
    if (TMcSectionsOwner* h = Header(); h && h->HasWindow()) h->InvalidateHeader();
}

void TMcHeaderSection::SetParentSection(TMcHeaderSection* value) {
    if (value == parentSection_) return;
    for (const TMcHeaderSection* s = value; s; s = s->parentSection_) {
        if (s == this) return;
    }
    parentSection_ = value;
    if (TMcSectionsOwner* h = Header()) {
        h->DoVisChanged(this);
        h->AdjustHeight();
        if (h->HasWindow()) h->InvalidateHeader();
    }
}

void TMcHeaderSection::SetPopupMenu(QObject* menu) {
    popupMenu_ = menu;
    popupMenuName_ = menu ? menu->objectName().toStdString() : std::string();
}

void TMcHeaderSection::RememberLookup(const std::string& text) {
    std::erase(lookupHistory_, text);
    lookupHistory_.insert(lookupHistory_.begin(), text);
}

void TMcHeaderSection::SetParentColor(bool value) {
    if (value == parentColor_) return;
    parentColor_ = value;
    InvalidateSection();
}

void TMcHeaderSection::SetTextLayout(TTextLayout value) {
    if (value == textLayout_) return;
    textLayout_ = value;
    InvalidateSection();
}

void TMcHeaderSection::SetColor(gdi::Color value) {
    if (value == color_) return;
    color_ = value;
    parentColor_ = false;
    InvalidateSection();
}

void TMcHeaderSection::SetFontColor(gdi::Color value) {
    if (value == fontColor_) return;
    fontColor_ = value;
    parentColor_ = false;
    InvalidateSection();
}

void TMcHeaderSection::SetUseMainStyle(bool value) {
    if (value == useMainStyle_) return;
    useMainStyle_ = value;
    if (TMcSectionsOwner* h = Header(); h && h->HasWindow()) h->InvalidateParent();
}

void TMcHeaderSection::SetFilterEnabled(bool value) {
    if (value == filterEnabled_) return;
    filterEnabled_ = value;
    if (value) {
        lookupEnabled_ = false;
        RaiseForButtons();
    }
    AutoSizeIfWanted();
    InvalidateSection();
}

void TMcHeaderSection::SetLookupEnabled(bool value) {
    if (value == lookupEnabled_) return;
    lookupEnabled_ = value;
    if (value) {
        filterEnabled_ = false;
        RaiseForButtons();
    }
    AutoSizeIfWanted();
    InvalidateSection();
}

void TMcHeaderSection::SetFilterIsActive(bool value) {
    if (value == filterIsActive_) return;
    filterIsActive_ = value;
    if (filterEnabled_) InvalidateSection();
}

void TMcHeaderSection::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    if (value) AutoSizeIfWanted();
}

void TMcHeaderSection::SetShowSortMark(bool value) {
    if (value == showSortMark_) return;
    showSortMark_ = value;
    if (sortMode_ != TMcSSortMode::hsmNone) InvalidateSection();
}

// ---- width

void TMcHeaderSection::SetWidth(int32_t value) {
    if (value == width_ || value > maxWidth_ || value < minWidth_) return;
    TMcSectionsOwner* h = Header();
    if (!h || !h->StickySections() || !Visible() || h->InStickyRelayout() || h->IsLoading()) {
        width_ = value;
        if (h && Visible() && !h->InStickyRelayout()) {
            h->AdjustHeight();
            if (h->HasWindow()) h->InvalidateHeader();
        }
        return;
    }
    SetWidthSticky(value);
}

void TMcHeaderSection::SetWidthSticky(int32_t value) {
    TMcSectionsOwner& h = *Header();
    const int32_t position = Position();
    if (position != collection_->Count() - 1) {
        const int32_t w = h.Width(), left = Left();
        const int32_t oldSpace = w - (left + width_), newSpace = w - (left + value);
        TMcHeaderSection* lastChanged = nullptr;
        for (int32_t p = position + 1; p < collection_->Count(); ++p) {
            TMcHeaderSection* s = collection_->ItemByPos(p);
            if (!s->resizable_ || !s->Visible()) continue;
            s->width_ = Scaled(s->width_, oldSpace, newSpace);
            lastChanged = s;
        }
        width_ = value;
        const int32_t spare = w - collection_->SectionsWidth();
        if (lastChanged && spare > 0) lastChanged->width_ += spare;
        h.FitSections(this);
    }
    h.SaveProportions();
    if (Visible() && !h.InStickyRelayout()) h.InvalidateFrom(index_);
}

// ---- visibility

void TMcHeaderSection::SetVisible(bool value) {
    if (value == visible_) return;
    TMcSectionsOwner* h = Header();
    if (!h) {
        visible_ = value;
        return;
    }
    TMcHeaderUpdate update(h);
    const bool parentShown = !parentSection_ || parentSection_->Visible();
    if (!h->StickySections() || !parentShown || h->InStickyRelayout() || h->IsLoading()) {
        visible_ = value;
        h->AdjustHeight();
        if (!h->InStickyRelayout() && parentShown) h->InvalidateFrom(index_);
    } else {
        SetVisibleSticky(value, *h);
    }
    if (h->HasWindow()) h->InvalidateHeader();
    h->DoVisChanged(this);
}

void TMcHeaderSection::SetVisibleSticky(bool value, TMcSectionsOwner& h) {
    const int32_t w = width_, left = Left(), total = h.Width();
    const int32_t oldSpace = value ? total - left : total - left - w;
    const int32_t newSpace = value ? total - left - w : total - left;
    visible_ = value;
    const int32_t position = Position(), count = collection_->Count();
    const bool last = position == count - 1;
    for (int32_t p = last ? 0 : position + 1; p < (last ? position : count); ++p) {
        TMcHeaderSection* s = collection_->ItemByPos(p);
        if (s->resizable_) s->width_ = Scaled(s->width_, oldSpace, newSpace);
    }
    h.FitSections(this);
    h.SaveProportions();
}

// ---- copying

void TMcHeaderSection::Assign(const TMcHeaderSection& source) {
    if (&source == this) return;
    hint_ = source.hint_;
    visible_ = source.visible_;
    style_ = source.style_;
    text_ = source.text_;
    width_ = source.width_;
    minWidth_ = source.minWidth_;
    maxWidth_ = source.maxWidth_;
    sortMode_ = source.sortMode_;
    allowClick_ = source.allowClick_;
    alignment_ = source.alignment_;
    expandable_ = source.expandable_;
    expanded_ = source.expanded_;
    popupMenu_ = source.popupMenu_;
    lookupEnabled_ = source.lookupEnabled_;
    useMainStyle_ = source.useMainStyle_;
    textLayout_ = source.textLayout_;
    filterEnabled_ = source.filterEnabled_;
    parentColor_ = source.parentColor_;
    fontColor_ = source.fontColor_;
    color_ = source.color_;
    autoSize_ = source.autoSize_;
    pictureAlign_ = source.pictureAlign_;
    resizable_ = source.resizable_;
    clickSelect_ = source.clickSelect_;
    password_ = source.password_;
    imageIndex_ = source.imageIndex_;
    editable_ = source.editable_;
    TMcHeaderSection* parent = nullptr;
    if (source.parentSection_ && collection_) parent = collection_->Item(source.parentSection_->index_);
    parentSection_ = parent == this ? nullptr : parent;
}
