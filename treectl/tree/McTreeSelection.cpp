// Tree control: the focused item, the selection (one item, or a list with
// MultiSelect), expanding and collapsing everything, bringing items into
// view, the queries in tree coordinates, editing and the text outline.
#include "treectl/tree/McTree.h"

#include "treectl/items/McUpdateBracket.h"

#include "foundation/Stream.h"

// ---- focus

bool TCustomMcTree::ChangeFocus(TMcTreeItem* item, bool force, bool delayed) {
    TMcTreeItem* old = view_->FocusedItem();
    if (item == old) return false;
    bool allow = force;
    if (eventSuppression_ > 0 || !OnChanging) allow = true;
    else DoChanging(item, allow);
    if (!force && !allow) {
        view_->ToggleItemSelection(old);
        return false;
    }
    TMcUpdateBracket bracket(*this);
    if (old) {
        old->SetStateBit(TMcTreeItem::kFocused, false);
        old->RedrawItem(true);
    }
    view_->SetFocusedItemField(nullptr);
    if (settings_.AutoExpand && item) {
        for (TMcTreeItem* a = old; a && !a->IsRoot(); a = a->ParentItem()) {
            if (!item->IsUnder(a)) a->Collapse(false);
        }
        changed_ = true;
    }
    view_->SetFocusedItemField(item);
    view_->ToggleItemSelection(item);
    if (item) {
        item->SetStateBit(TMcTreeItem::kFocused, true);
        item->RedrawItem(true);
        if (settings_.AutoExpand) item->Expand(false);
        const TMcItemList& rows = view_->Rows();
        if (!destroying_ && rows.Count() > 1 && rows.LastItem() == item &&
            rows.Count() * options_.LineHeight > view_->height()) {
            SetTopIndex(topIndex_ + 1);
        }
    }
    if (settings_.ChangeDelay != 0 && delayed) {
        changeTimer_->Stop();
        pendingFocusItem_ = item;
        changeTimer_->Start(settings_.ChangeDelay);
    } else if (eventSuppression_ == 0 && !destroying_) {
        DoItemFocused();
    }
    changed_ = true;
    view_->AnnounceFocusedItem();
    return true;
}

void TCustomMcTree::ChangeTimerTick() {
    changeTimer_->Stop();
    if (pendingFocusItem_ && pendingFocusItem_ == FocusedItem()) DoItemFocused();
    pendingFocusItem_ = nullptr;
}

void TCustomMcTree::SetSelectedItem(TMcTreeItem* item) {
    if (options_.MultiSelect) view_->SetAnchorItem(item);
    else SetFocusedItem(item);
}

int32_t TCustomMcTree::SelectedItemCount() const {
    if (options_.MultiSelect) return selected_ ? selected_->Count() : 0;
    return FocusedItem() ? 1 : 0;
}

// ---- the selection list

TMcTreeItem* TCustomMcTree::NextSelectedItem(TMcTreeItem* prev) const {
    if (!options_.MultiSelect) return prev ? nullptr : FocusedItem();
    if (!selected_ || selected_->Count() == 0) return nullptr;
    if (!prev) return selected_->At(0);
    const int32_t index = selected_->IndexOf(prev);
    return index >= 0 && index + 1 < selected_->Count() ? selected_->At(index + 1) : nullptr;
}

void TCustomMcTree::CopySelectionTo(TMcItemList& list) const {
    if (options_.MultiSelect && selected_) {
        list.Assign(*selected_);
        return;
    }
    list.Clear();
    if (TMcTreeItem* focused = FocusedItem()) list.Add(focused);
}

// Walks the items in display order selecting (or toggling) each one;
// everyItem ignores hidden and collapsed items, skipCollapsed leaves out
// the subtrees of collapsed items.
void TCustomMcTree::SelectWalk(bool toggle, bool everyItem, bool skipCollapsed) {
    if (!options_.MultiSelect) return;
    TMcUpdateBracket bracket(*this);
    TMcTreeItem* skipping = nullptr;
    for (int32_t i = 0; i < allItems_.Count(); ++i) {
        TMcTreeItem* item = allItems_.At(i);
        if (skipping && item->IsUnder(skipping) && item != skipping) continue;
        skipping = nullptr;
        if (!everyItem && options_.FilteredVisibility && item->Hidden()) {
            skipping = item;
            continue;
        }
        if (toggle) item->SetSelected(!item->GetSelected());
        else if (!item->GetSelected()) item->SetSelected(true);
        if (!everyItem && skipCollapsed && !item->Expanded()) skipping = item;
    }
}

void TCustomMcTree::SelectAllItems() { SelectWalk(false, false, options_.FilteredVisibility); }
void TCustomMcTree::InvertAllItems() { SelectWalk(true, false, options_.FilteredVisibility); }
void TCustomMcTree::SelectItems(bool includeHidden) { SelectWalk(false, includeHidden, true); }
void TCustomMcTree::InvertItems(bool includeHidden) { SelectWalk(true, includeHidden, true); }

void TCustomMcTree::UnselectList(bool keepHidden) {
    if (!options_.MultiSelect || !selected_) return;
    TMcUpdateBracket bracket(*this);
    TMcItemList snapshot;
    snapshot.Assign(*selected_);
    for (TMcTreeItem* item : snapshot) {
        if (keepHidden && options_.FilteredVisibility && !item->GetFullyVisible()) continue;
        item->SetSelected(false);
    }
}

void TCustomMcTree::UnselectShownItems() { UnselectList(true); }

void TCustomMcTree::UnselectItems(bool includeHidden) {
    UnselectList(!includeHidden);
    if (includeHidden && selected_) selected_->Clear();
}

void TCustomMcTree::SelectItemRange(TMcTreeItem* from, TMcTreeItem* to, bool includeDisabled) {
    if (!options_.MultiSelect || from == to) return;
    TMcUpdateBracket bracket(*this);
    int32_t low = from ? std::max(from->GetAbsIndex(), 0) : 0;
    int32_t high = to ? std::max(to->GetAbsIndex(), 0) : 0;
    if (low > high) std::swap(low, high);
    for (int32_t i = low; i <= high && i < allItems_.Count(); ++i) {
        TMcTreeItem* item = allItems_.At(i);
        if ((includeDisabled || item->Enabled()) && !item->GetSelected()) item->SetSelected(true);
    }
}

// Without FilteredVisibility (or with includeHidden) this is SelectItemRange;
// otherwise the walk leaves out hidden subtrees and stops before the higher end.
void TCustomMcTree::SelectItemRangeEx(TMcTreeItem* from, TMcTreeItem* to, bool includeDisabled, bool includeHidden) {
    if (includeHidden || !options_.FilteredVisibility) {
        SelectItemRange(from, to, includeDisabled);
        return;
    }
    if (!options_.MultiSelect || from == to) return;
    TMcUpdateBracket bracket(*this);
    int32_t low = from ? std::max(from->GetAbsIndex(), 0) : 0;
    int32_t high = to ? std::max(to->GetAbsIndex(), 0) : 0;
    if (low > high) std::swap(low, high);
    TMcTreeItem* skipping = nullptr;
    for (int32_t i = low; i < high && i < allItems_.Count(); ++i) {
        TMcTreeItem* item = allItems_.At(i);
        if (skipping && item->IsUnder(skipping)) continue;
        skipping = nullptr;
        if (item->Hidden()) {
            skipping = item;
            continue;
        }
        if ((includeDisabled || item->Enabled()) && !item->GetSelected()) item->SetSelected(true);
    }
}

void TCustomMcTree::SetMultiSelect(bool value) {
    if (value == options_.MultiSelect) return;
    TMcUpdateBracket bracket(*this);
    if (value) {
        TMcTreeItem* single = view_->AnchorItem();
        if (single) single->SetSelectedMark(false);
        options_.MultiSelect = true;
        selected_ = std::make_unique<TMcItemList>();
        if (single) single->SetSelected(true);
        changed_ = true;
        return;
    }
    UnselectItems(true);
    options_.MultiSelect = false;
    selected_.reset();
    if (TMcTreeItem* focused = FocusedItem()) {
        focused->SetStateBit(TMcTreeItem::kFocused, true);
        focused->SetSelectedMark(true);
        view_->SetAnchorItem(focused);
        focused->UpdateItem();
    }
    changed_ = true;
}

void TCustomMcTree::SetSelectColumn(int32_t value) {
    if (value == settings_.SelectColumn || value < -1 || value >= header_->Sections().Count()) return;
    settings_.SelectColumn = value;
    if (settings_.RowSelect) return;
    if (options_.MultiSelect) React(kFullRepaint);
    else if (TMcTreeItem* focused = FocusedItem()) focused->RedrawItem(true);
}

// ---- expanding and bringing into view

void TCustomMcTree::ExpandAll() {
    TMcUpdateBracket bracket(*this);
    for (int32_t i = 0; i < RootItem()->GetChildCount(); ++i) RootItem()->GetChild(i)->Expand(true);
}

void TCustomMcTree::CollapseAll() {
    TMcUpdateBracket bracket(*this);
    for (int32_t i = 0; i < RootItem()->GetChildCount(); ++i) RootItem()->GetChild(i)->Collapse(true);
}

void TCustomMcTree::MakeItemVisible(TMcTreeItem* item) {
    view_->FillRows(topIndex_);
    BringIntoView(item, [](TMcTreeView&, int32_t index) { return index; });
}

void TCustomMcTree::MakeItemVisibleAtBottom(TMcTreeItem* item) {
    BringIntoView(item, [](TMcTreeView& view, int32_t index) { return 1 + view.RowsAbove(index); });
}

// An item not on screen: its ancestors opened, the top index from its shown index.
void TCustomMcTree::BringIntoView(TMcTreeItem* item, const std::function<int32_t(TMcTreeView&, int32_t)>& topFor) {
    if (!item || view_->Rows().IndexOf(item) >= 0) return;
    if (!item->GetFullyExpanded()) item->SetFullyExpanded(true);
    TMcUpdateBracket bracket(*this);
    if (view_->countStale) {
        CountVisibleItems();
        view_->countStale = false;
    }
    SetTopIndex(topFor(*view_, item->GetVisIndex()));
    view_->rowsRepaint = view_->fullRepaint = true;
    changed_ = true;
}

void TCustomMcTree::ScrollItemToTop(TMcTreeItem* item) {
    if (!item) throw EMcTreeError("McTree item not specified");
    SetTopIndex(item->GetVisIndex());
}

// ---- queries

TMcTreeItem* TCustomMcTree::FirstShownItem() const {
    return view_->Rows().Count() > 0 ? view_->Rows().At(0) : nullptr;
}

bool TCustomMcTree::IsItemShown(const TMcTreeItem* item) const { return view_->Rows().IndexOf(item) >= 0; }

TMcTreeItem* TCustomMcTree::HitTest(int32_t x, int32_t y, TMcTreeHitPart& part, int32_t& column) const {
    return view_->HitTest(x - view_->x(), y - view_->y(), part, column);
}

TMcTreeItem* TCustomMcTree::ItemAtY(int32_t y) const { return view_->GetItemAtY(y - view_->y()); }

void TCustomMcTree::RowRect(int32_t index, gdi::Rect& r) const {
    view_->GetRowRect(index, r);
    if (!r.IsEmpty()) r = r.Offset(0, view_->y());
}

gdi::Rect TCustomMcTree::RowRect(const TMcTreeItem* item) const {
    gdi::Rect r;
    view_->GetRowRect(view_->Rows().IndexOf(item), r);
    return r;
}

// ---- editing and the outline

void TCustomMcTree::StartEdit(TMcTreeItem* item, int32_t sectionIndex) {
    if (!settings_.DoInplaceEdit) return;
    try {
        if (view_->EditorVisible()) view_->EndEdit(true);
    } catch (const std::exception&) {
        // a failing close of the previous edit does not stop the next one
    }
    view_->EditItem(item, sectionIndex);
}

void TCustomMcTree::WriteOutline(TStream& stream) const {
    for (TMcTreeItem* item : allItems_) {
        std::string line(static_cast<size_t>(std::max(item->GetLevel(), 0)), ' ');
        line += item->Text();
        line += "\r\n";
        stream.WriteBuffer(line.data(), static_cast<int64_t>(line.size()));
    }
}
