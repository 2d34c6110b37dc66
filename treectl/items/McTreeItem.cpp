// Tree item: navigation, properties and their repaint reactions, state,
// selection, check boxes, expanding and collapsing.
#include "treectl/items/McTreeItem.h"

#include "treectl/header/McHeaderSections.h"
#include "treectl/items/McTreeItems.h"
#include "treectl/items/McUpdateBracket.h"

#include <algorithm>
#include <cmath>

TMcTreeItem::TMcTreeItem(TMcTreeHost& tree) : tree_(&tree), mainStyle_(std::make_unique<TMcCellStyle>(this)) {
    mainStyle_->UseParentProps = true;
}

TMcTreeItem::~TMcTreeItem() {
    if (GetSelected() && tree_->Options().MultiSelect) {
        if (TMcItemList* selected = tree_->SelectedList()) selected->Remove(this);
    }
}

// ---- the flat list

// The position is remembered and checked first; after a change elsewhere in
// the list it is found again by searching outward from where it was.
int32_t TMcTreeItem::FlatIndex() const {
    if (IsRoot()) return -1;
    const TMcItemList& flat = tree_->AllItems();
    const int32_t count = flat.Count();
    if (count == 0) return -1;
    const int32_t hint = std::clamp(flatHint_, 0, count - 1);
    for (int32_t distance = 0; distance < count; ++distance) {
        const int32_t after = hint + distance, before = hint - distance;
        if (after >= count && before < 0) break;
        if (after < count && flat.At(after) == this) return flatHint_ = after;
        if (before >= 0 && flat.At(before) == this) return flatHint_ = before;
    }
    return -1;
}

void TMcTreeItem::LinkAt(int32_t flatIndex, TMcTreeItem* item, int32_t childIndex) {
    tree_->AllItems().Insert(flatIndex, item);
    item->flatHint_ = flatIndex;
    if (!children_) children_ = std::make_unique<TMcItemList>();
    children_->Insert(childIndex, item);
    item->parent_ = this;
    item->root_ = root_;
    item->collection_ = collection_;
}

void TMcTreeItem::AddChildItem(TMcTreeItem* item) {
    const int32_t at = IsRoot() ? tree_->AllItems().Count() : GetLastSubItem()->FlatIndex() + 1;
    LinkAt(at, item, GetChildCount());
    tree_->MarkChanged();
}

void TMcTreeItem::InsertChildItem(int32_t index, TMcTreeItem* item) {
    const int32_t count = GetChildCount();
    if (index < 0 || index > count) throw EMcTreeError("McTree item index out of bounds.");
    int32_t at;
    if (count > 0 && index == count) at = GetLastChild()->GetLastSubItem()->FlatIndex() + 1;
    else if (index < count) at = GetChild(index)->FlatIndex();
    else at = IsRoot() ? 0 : FlatIndex() + 1;
    LinkAt(at, item, index);
    tree_->MarkChanged();
}

// ---- navigation

TMcTreeItem* TMcTreeItem::GetParent() const { return parent_ && !parent_->IsRoot() ? parent_ : nullptr; }

int32_t TMcTreeItem::GetLevel() const {
    int32_t level = -1;
    for (const TMcTreeItem* a = this; a && !a->IsRoot(); a = a->parent_) ++level;
    return level;
}

std::string TMcTreeItem::GetFullPath(const std::string& separator) const {
    std::vector<const TMcTreeItem*> chain;
    for (const TMcTreeItem* a = this; a && !a->IsRoot(); a = a->parent_) chain.push_back(a);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) path += separator + (*it)->text_;
    return path;
}

bool TMcTreeItem::IsUnder(const TMcTreeItem* item) const {
    if (!item) return false;
    for (const TMcTreeItem* a = this; a && !a->IsRoot(); a = a->parent_) {
        if (a == item) return true;
    }
    return false;
}

bool TMcTreeItem::HasVisibleChildren() const {
    if (!HasChildren()) return false;
    if (!tree_->Options().FilteredVisibility) return true;
    return std::any_of(children_->begin(), children_->end(), [](const TMcTreeItem* c) { return !c->hidden_; });
}

TMcTreeItem* TMcTreeItem::GetFirstVisibleChild() const {
    if (!tree_->Options().FilteredVisibility) return GetFirstChild();
    if (!children_) return nullptr;
    for (TMcTreeItem* c : *children_) {
        if (!c->hidden_) return c;
    }
    return nullptr;
}

int32_t TMcTreeItem::IndexOfChild(const TMcTreeItem* child) const { return children_ ? children_->IndexOf(child) : -1; }

TMcTreeItem* TMcTreeItem::GetNextChild(const TMcTreeItem* child) const {
    const int32_t index = IndexOfChild(child);
    return index >= 0 && index + 1 < GetChildCount() ? children_->At(index + 1) : nullptr;
}

TMcTreeItem* TMcTreeItem::GetPrevChild(const TMcTreeItem* child) const {
    const int32_t index = IndexOfChild(child);
    return index > 0 ? children_->At(index - 1) : nullptr;
}

TMcTreeItem* TMcTreeItem::GetNextSibling() const { return parent_ ? parent_->GetNextChild(this) : nullptr; }
TMcTreeItem* TMcTreeItem::GetPrevSibling() const { return parent_ ? parent_->GetPrevChild(this) : nullptr; }
TMcTreeItem* TMcTreeItem::GetLastSibling() const { return parent_ ? parent_->GetLastChild() : nullptr; }

TMcTreeItem* TMcTreeItem::GetTopParent() const {
    const TMcTreeItem* a = this;
    while (a->parent_ && !a->parent_->IsRoot()) a = a->parent_;
    return const_cast<TMcTreeItem*>(a);
}

TMcTreeItem* TMcTreeItem::GetLastSubItem() const {
    const TMcTreeItem* a = this;
    while (a->HasChildren()) a = a->GetLastChild();
    return const_cast<TMcTreeItem*>(a);
}

int32_t TMcTreeItem::Index() const { return parent_ ? parent_->IndexOfChild(this) : -1; }

int32_t TMcTreeItem::GetAbsIndex() const { return FlatIndex(); }

int32_t TMcTreeItem::GetVisIndex() const { return collection_ ? collection_->GetVisIndex(this) : -1; }

TMcTreeItem* TMcTreeItem::GetPrev() const {
    const int32_t index = FlatIndex();
    return index > 0 ? tree_->AllItems().At(index - 1) : nullptr;
}

TMcTreeItem* TMcTreeItem::GetNext() const {
    const int32_t index = FlatIndex();
    return index >= 0 && index + 1 < tree_->AllItems().Count() ? tree_->AllItems().At(index + 1) : nullptr;
}

bool TMcTreeItem::GetFullyExpanded() const {
    for (const TMcTreeItem* a = parent_; a && !a->IsRoot(); a = a->parent_) {
        if (!a->Expanded()) return false;
    }
    return true;
}

bool TMcTreeItem::GetFullyVisible() const {
    for (const TMcTreeItem* a = this; a && !a->IsRoot(); a = a->parent_) {
        if (a->hidden_) return false;
    }
    return true;
}

int32_t TMcTreeItem::GetSubtreeHeight() const {
    if (!Expanded() || !HasChildren()) return 0;
    int32_t height = 0;
    for (const TMcTreeItem* c : *children_) {
        if (c->hidden_) continue;
        height += GetOwnerHeight() + (c->Expanded() ? c->GetSubtreeHeight() : 0);
    }
    return height;
}

std::string TMcTreeItem::CellText(int32_t column) const {
    const int32_t main = tree_->Options().MainTreeColumn;
    if (column == main) return text_;
    const int32_t entry = column > main ? column - 1 : column;
    return entry >= 0 && entry < static_cast<int32_t>(columnText_.size()) ? columnText_[static_cast<size_t>(entry)]
                                                                         : std::string();
}

// ---- repainting

void TMcTreeItem::RedrawItem(bool onlyIfVisible) {
    gdi::Rect r = tree_->RowRect(this);
    r.bottom += 1;
    if (onlyIfVisible && (r.IsEmpty() || tree_->IsDestroying())) return;
    tree_->InvalidateRect(r, true);
}

void TMcTreeItem::RedrawItemPart(bool onlyIfVisible, int32_t left, int32_t right) {
    gdi::Rect r = tree_->RowRect(this);
    r.bottom += 1;
    if (onlyIfVisible && (r.IsEmpty() || tree_->IsDestroying())) return;
    const int32_t offset = tree_->Options().LeftPosition;
    r.left = left - offset;
    r.right = right - offset;
    tree_->InvalidateRect(r, true);
}

void TMcTreeItem::RepaintOrMark() {
    if (tree_->IsUpdating()) tree_->MarkChanged();
    else tree_->RepaintNow();
}

void TMcTreeItem::UpdateItem() {
    if (!(tree_->Options().FilteredVisibility && hidden_)) RedrawItem(true);
    RepaintOrMark();
}

void TMcTreeItem::CheckBoxRepaint() {
    const TMcTreeOptions& o = tree_->Options();
    if (!showCheckBox_ || !o.ShowCheckboxes) return;
    const TMcHeaderSections* sections = tree_->HeaderSections();
    const TMcHeaderSection* main = o.ShowColumns && sections ? sections->Item(o.MainTreeColumn) : nullptr;
    if (main) RedrawItemPart(true, main->Left(), main->Right());
    else RedrawItem(true);
    RepaintOrMark();
}

// ---- texts

bool TMcTreeItem::SortWanted(bool columnTextChange) const {
    const TMcTreeOptions& o = tree_->Options();
    if (o.SortMode != TSortModes::smAdd && o.SortMode != TSortModes::smAddClick) return false;
    if (tree_->SortingCount() > 0 || !parent_) return false;
    if (!columnTextChange) return o.SortSection == o.MainTreeColumn || o.SortSection == -1;
    const TMcHeaderSections* sections = tree_->HeaderSections();
    return o.SortSection >= -1 && o.SortSection < (sections ? sections->Count() : 0);
}

void TMcTreeItem::ResortAfterChange() {
    if (tree_->IsUpdating()) {
        tree_->MarkSortPending();
        return;
    }
    tree_->DoSortBegin();
    parent_->Sort(false);
    tree_->DoSortEnd();
}

void TMcTreeItem::SetText(const std::string& value) {
    text_ = value;
    tree_->DoItemChange(this, kItemTextChanged);
    const TMcTreeOptions& o = tree_->Options();
    if (!o.ShowColumns && GetFullyExpanded()) {
        if (tree_->IsUpdating()) tree_->ResetWidthCache();
        else tree_->UpdateContentWidth();
    }
    if (SortWanted(false)) ResortAfterChange();
    if (o.ShowColumns && !tree_->IsUpdating()) tree_->AutoSizeColumn(o.MainTreeColumn);
    UpdateItem();
}

void TMcTreeItem::ColumnTextChanged() {
    if (SortWanted(true)) ResortAfterChange();
    if (tree_->Options().ShowColumns && !tree_->IsUpdating()) tree_->AutoSizeAllColumns();
    UpdateItem();
}

void TMcTreeItem::SetColumnText(const std::vector<std::string>& texts) {
    columnText_ = texts;
    ColumnTextChanged();
}

void TMcTreeItem::AddColumnText(const std::string& text) {
    columnText_.push_back(text);
    ColumnTextChanged();
}

void TMcTreeItem::SetColumnTextAt(int32_t index, const std::string& text) {
    if (index < 0) return;
    if (static_cast<size_t>(index) >= columnText_.size()) columnText_.resize(static_cast<size_t>(index) + 1);
    columnText_[static_cast<size_t>(index)] = text;
    ColumnTextChanged();
}

// ---- state and selection

void TMcTreeItem::SetStateBit(int32_t index, bool on) {
    if (on) state_ |= Bit(index);
    else state_ &= static_cast<uint16_t>(~Bit(index));
}

void TMcTreeItem::SetSelectedMark(bool on) {
    SetStateBit(kSelected, on);
    if (on) selectionFlag_ |= 0x2;
    else selectionFlag_ &= ~0x2u;
}

void TMcTreeItem::SetState(int32_t index, bool value) {
    const bool published = index == kFocused || index == kCut || index == kUnderlined || index == kBold ||
                           index == kItalic || index == kStrikeOut;
    if (!published || GetState(index) == value) return;
    const uint16_t before = state_;
    if (index == kFocused) {
        if (value) tree_->SetFocusedItem(this);
        else if (tree_->FocusedItem() == this) tree_->SetFocusedItem(nullptr);
    } else {
        SetStateBit(index, value);
        if ((index == kBold || index == kItalic) && !tree_->Options().ShowColumns && GetFullyExpanded()) {
            tree_->UpdateContentWidth();
        }
    }
    if (state_ != before) tree_->DoItemChange(this, kItemStateChanged);
    UpdateItem();
}

void TMcTreeItem::SetSelected(bool value) {
    if (tree_->Options().MultiSelect && value != GetSelected()) {
        tree_->MarkSelectionChanged();
        TMcItemList* selected = tree_->SelectedList();
        SetSelectedMark(value);
        if (value) {
            if (selected) selected->Add(this);
        } else {
            if (selected) selected->Remove(this);
            if (tree_->AnchorItem() == this) tree_->ClearAnchor();
        }
        tree_->DoItemSelectedChange(this);
    }
    UpdateItem();
}

void TMcTreeItem::SetExpanded(bool value) {
    if (value == Expanded()) return;
    TMcUpdateBracket bracket(*tree_);
    if (value) Expand(false);
    else Collapse(false);
}

void TMcTreeItem::SetFullyExpanded(bool value) {
    if (!value) return;
    TMcUpdateBracket bracket(*tree_);
    // Ancestors that are open already are left alone: expanding them again
    // would raise their expanding events a second time.
    for (TMcTreeItem* a = parent_; a; a = a->parent_) {
        if (!a->Expanded()) a->Expand(false);
    }
    tree_->MarkView(vmRecount | vmScrollRange | vmRowList);
}

void TMcTreeItem::SetFullyVisible(bool value) {
    if (!value) return;
    for (TMcTreeItem* a = this; a && !a->IsRoot(); a = a->parent_) a->SetHidden(false);
}

void TMcTreeItem::Expand(bool recursive) {
    if (!IsRoot()) {
        bool canProcess = true;
        tree_->DoItemExpanding(this, canProcess);
        if (!canProcess) return;
    }
    TMcUpdateBracket bracket(*tree_);
    tree_->MarkView(vmRecount);
    SetStateBit(kExpanded, true);
    if (!IsRoot()) tree_->DoItemExpand(this);
    if (recursive) {
        for (int32_t i = 0; i < GetChildCount(); ++i) children_->At(i)->Expand(true);
    }
    if (!tree_->Options().ShowColumns && GetFullyExpanded()) tree_->ResetWidthCache();
    tree_->MarkView(vmScrollRange);
    tree_->MarkChanged();
}

void TMcTreeItem::Collapse(bool recursive) {
    if (!IsRoot()) {
        bool canProcess = true;
        tree_->DoItemCollapsing(this, canProcess);
        if (!canProcess) return;
    }
    TMcUpdateBracket bracket(*tree_);
    tree_->MarkView(vmRecount);
    SetStateBit(kExpanded, false);
    if (!IsRoot()) tree_->DoItemCollapse(this);
    const TMcTreeOptions& o = tree_->Options();
    TMcTreeItem* focused = tree_->FocusedItem();
    if (focused && focused != this && focused->IsUnder(this) && o.MoveFocusOnCollapse) {
        const bool onlyOneSelected = tree_->SelectedItemCount() == 1;
        tree_->SetFocusedItem(this);
        if (onlyOneSelected) focused->SetSelected(false);
    }
    if (recursive) {
        for (int32_t i = 0; i < GetChildCount(); ++i) children_->At(i)->Collapse(true);
    }
    if (o.DeselectChildrenOnCollapse) DeselectSubtree();
    if (!o.ShowColumns && GetFullyExpanded()) tree_->ResetWidthCache();
    tree_->MarkView(vmScrollRange);
    tree_->MarkChanged();
}

void TMcTreeItem::DeselectSubtree() {
    if (!HasChildren()) return;
    const TMcItemList& flat = tree_->AllItems();
    for (int32_t i = IsRoot() ? 0 : FlatIndex() + 1; i >= 0 && i < flat.Count(); ++i) {
        TMcTreeItem* item = flat.At(i);
        if (!item->IsUnder(this)) break;
        item->SetSelected(false);
    }
}

// ---- check box

void TMcTreeItem::SetChecked(bool value) {
    if (value == GetChecked()) return;
    checkBoxState_ = value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked;
    if (value && checkBoxType_ == TMcCheckBoxType::ectRadioButton && parent_) {
        for (int32_t i = 0; i < parent_->GetChildCount(); ++i) {
            TMcTreeItem* sibling = parent_->children_->At(i);
            if (sibling != this && sibling->checkBoxType_ == TMcCheckBoxType::ectRadioButton) sibling->SetChecked(false);
        }
    }
    CheckBoxRepaint();
}

void TMcTreeItem::SetCheckBoxState(TCheckBoxState value) {
    if (value == checkBoxState_) return;
    checkBoxState_ = value;
    CheckBoxRepaint();
}

void TMcTreeItem::SetCheckBoxType(TMcCheckBoxType value) {
    if (value == checkBoxType_) return;
    checkBoxType_ = value;
    CheckBoxRepaint();
}

void TMcTreeItem::SetCheckBoxEnabled(bool value) {
    if (value == checkBoxEnabled_) return;
    checkBoxEnabled_ = value;
    CheckBoxRepaint();
}

void TMcTreeItem::SetShowCheckBox(bool value) {
    if (value == showCheckBox_) return;
    showCheckBox_ = value;
    const TMcTreeOptions& o = tree_->Options();
    if (o.ShowCheckboxes && o.ShowColumns) tree_->AutoSizeColumn(o.MainTreeColumn);
    UpdateItem();
}

// ---- look

void TMcTreeItem::SetColor(gdi::Color value) {
    if (value == color_) return;
    color_ = value;
    UpdateItem();
}

void TMcTreeItem::SetBkColor(gdi::Color value) {
    if (value == bkColor_) return;
    bkColor_ = value;
    UpdateItem();
}

void TMcTreeItem::SetUseBkColor(bool value) {
    if (value == useBkColor_) return;
    useBkColor_ = value;
    UpdateItem();
}

void TMcTreeItem::SetRowBkColor(gdi::Color value) {
    if (value == rowBkColor_) return;
    rowBkColor_ = value;
    if (!parentColors_ && useBkColor_) RedrawItem(true);
}

void TMcTreeItem::SetParentColors(bool value) {
    if (value == parentColors_) return;
    parentColors_ = value;
    UpdateItem();
}

void TMcTreeItem::SetParentStyle(bool value) {
    if (value == parentStyle_) return;
    parentStyle_ = value;
    UpdateItem();
}

void TMcTreeItem::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateItem();
}

void TMcTreeItem::SetHidden(bool value) {
    if (value == hidden_) return;
    {
        TMcUpdateBracket bracket(*tree_);
        hidden_ = value;
        tree_->ChangeHiddenCount(value ? 1 : -1);
        if (tree_->Options().FilteredVisibility) tree_->MarkView(vmRecount | vmScrollRange);
    }
    if (tree_->Options().ShowColumns) tree_->AutoSizeColumn(tree_->Options().MainTreeColumn);
}

void TMcTreeItem::ImageChanged(bool second) {
    const TMcTreeOptions& o = tree_->Options();
    const bool roomAlways = second ? o.ShowEmptyImages2 : o.ShowEmptyImages;
    if (o.ShowImages && o.ShowColumns && !roomAlways) tree_->AutoSizeColumn(o.MainTreeColumn);
    UpdateItem();
}

void TMcTreeItem::SetImageIndex(int32_t value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    ImageChanged(false);
}

void TMcTreeItem::SetStateImageIndex(int32_t value) {
    if (value == stateImageIndex_) return;
    stateImageIndex_ = value;
    ImageChanged(false);
}

void TMcTreeItem::SetImageIndex2(int32_t value) {
    if (value == imageIndex2_) return;
    imageIndex2_ = value;
    ImageChanged(true);
}

void TMcTreeItem::SetStateImageIndex2(int32_t value) {
    if (value == stateImageIndex2_) return;
    stateImageIndex2_ = value;
    ImageChanged(true);
}

void TMcTreeItem::SetForceButtons(bool value) {
    if (value == forceButtons_) return;
    forceButtons_ = value;
    const TMcTreeOptions& o = tree_->Options();
    if (o.ShowButtons && o.ShowColumns) tree_->AutoSizeAllColumns();
    UpdateItem();
}

void TMcTreeItem::SetSuppressButtons(bool value) {
    if (value == suppressButtons_) return;
    suppressButtons_ = value;
    const TMcTreeOptions& o = tree_->Options();
    if (o.ShowButtons && o.ShowColumns) tree_->AutoSizeColumn(o.MainTreeColumn);
    UpdateItem();
}

void TMcTreeItem::SetSuppressLines(bool value) {
    if (value == suppressLines_) return;
    suppressLines_ = value;
    const TMcTreeOptions& o = tree_->Options();
    if (!o.ShowLines) return;
    if (TMcTreeItem* parent = GetParent()) {
        // The lines run from the parent's row down through the rows below it.
        gdi::Rect r = tree_->RowRect(parent);
        if (!r.IsEmpty()) {
            r.bottom = INT32_MAX / 2;
            tree_->InvalidateRect(r, true);
        }
    }
    if (o.ShowColumns) tree_->AutoSizeColumn(o.MainTreeColumn);
    RedrawItem(true);
}

// ---- cell styles

void TMcTreeItem::SetUseStyles(bool value) {
    if (value == useStyles_) return;
    useStyles_ = value;
    if (!value) {
        styles_.reset();
    } else if (!styles_) {
        styles_ = std::make_unique<TMcListOf<TMcCellStyle>>();
        styles_->OwnObjects<TMcCellStyle>();
    }
    UpdateItem();
}

TMcCellStyle* TMcTreeItem::AddStyle() {
    auto style = std::make_unique<TMcCellStyle>(this);
    style->UseParentProps = true;
    const gdi::LogFont& font = tree_->Options().Font;
    style->FontSize = font.height < 0 ? static_cast<int32_t>(std::lround(-font.height * 72.0 / 96.0)) : font.height;
    style->FontStyles = static_cast<uint8_t>((font.weight >= gdi::FW_BOLD ? fsBold : 0) | (font.italic ? fsItalic : 0) |
                                             (font.underline ? fsUnderline : 0) | (font.strikeOut ? fsStrikeOut : 0));
    style->FontName = font.faceName;
    style->Assign(mainStyle_.get());
    if (!styles_) {
        styles_ = std::make_unique<TMcListOf<TMcCellStyle>>();
        styles_->OwnObjects<TMcCellStyle>();
    }
    styles_->Add(style.get());
    return style.release();
}

void TMcTreeItem::RemoveStyle(TMcCellStyle* style) {
    if (!styles_) return;
    const int32_t index = styles_->IndexOf(style);
    if (index < 0) return;
    styles_->Delete(index);
    if (styles_->Count() == 0) styles_.reset();
}
