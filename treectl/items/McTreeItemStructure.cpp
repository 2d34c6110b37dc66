// Tree item: deleting children, moving with the subtree, sorting the
// children, copying another item.
#include "treectl/items/McTreeItem.h"

#include "treectl/header/McHeaderSections.h"
#include "treectl/items/McTreeItems.h"
#include "treectl/items/McUpdateBracket.h"

namespace {

// Raises a counter of the tree for a scope.
class CounterScope {
public:
    CounterScope(TMcTreeHost& tree, void (TMcTreeHost::*change)(int32_t)) : tree_(tree), change_(change) {
        (tree_.*change_)(1);
    }
    ~CounterScope() { (tree_.*change_)(-1); }
    CounterScope(const CounterScope&) = delete;
    CounterScope& operator=(const CounterScope&) = delete;

private:
    TMcTreeHost& tree_;
    void (TMcTreeHost::*change_)(int32_t);
};

}  // namespace

// ---- deleting

void TMcTreeItem::RemoveFromChildren(TMcTreeItem* child) {
    // The last child leaves most often (Clear); no search for it.
    if (children_->LastItem() == child) children_->Delete(children_->Count() - 1);
    else children_->Remove(child);
    if (children_->Count() == 0) children_.reset();
}

void TMcTreeItem::DeleteChild(TMcTreeItem* child) {
    TMcUpdateBracket bracket(*tree_);
    child->Clear();
    if (child->hidden_) {
        tree_->ChangeHiddenCount(-1);
        child->hidden_ = false;
    }
    const bool topLevel = IsRoot();
    if (child == tree_->AnchorItem()) {
        TMcTreeItem* prev = child->GetPrevSibling();
        tree_->SetSelectedItem(topLevel ? (prev ? prev : child->GetNextSibling()) : this);
    }
    child->SetSelected(false);
    if (child == tree_->FocusedItem()) {
        if (topLevel) {
            tree_->SetFocusedItem(child->GetPrevSibling());
            if (!tree_->FocusedItem()) tree_->SetFocusedItem(child->GetNextSibling());
        } else {
            tree_->SetFocusedItem(this);
        }
    }
    tree_->ForgetItem(child);
    // Only the edit of this very item ends; an edit of another row goes on.
    if (tree_->EditedItem() == child) {
        tree_->ForgetEditedItem();
        if (!tree_->IsValidating()) tree_->EndEdit();
    }
    tree_->RemoveFromRows(child);
    tree_->DoItemDeletion(child);
    RemoveFromChildren(child);
    const int32_t flatIndex = child->FlatIndex();
    if (flatIndex >= 0) tree_->AllItems().Delete(flatIndex);
    delete child;
    tree_->MarkChanged();
    tree_->MarkView(vmRecount | vmScrollRange | vmRowList);
}

void TMcTreeItem::Clear() {
    CounterScope quiet(*tree_, &TMcTreeHost::ChangeEventSuppression);
    while (HasChildren()) DeleteChild(GetLastChild());
    children_.reset();
}

void TMcTreeItem::Delete() {
    if (collection_) collection_->DeleteItem(this);
}

// ---- moving

void TMcTreeItem::MoveBlockAfter(int32_t first, int32_t last, const TMcTreeItem* anchor) {
    TMcItemList& flat = tree_->AllItems();
    const int32_t dest = anchor->IsRoot() ? 0 : anchor->FlatIndex() + 1;
    if (dest == first || dest == last + 1) return;
    const int32_t count = flat.Count();
    if (dest < count) {
        flat.MoveRange(first, last, dest);
        return;
    }
    // To the very end: before one empty slot, which goes again.
    flat.SetCount(count + 1);
    flat.MoveRange(first, last, count);
    flat.SetCount(count);
}

void TMcTreeItem::DetachFromParent() {
    tree_->RemoveFromRows(this);
    parent_->RemoveFromChildren(this);
}

void TMcTreeItem::MoveToIns(TMcTreeItem* newParent, int32_t index) {
    if (newParent == this) return;
    if (!newParent) newParent = root_;
    if (newParent->IsUnder(this)) throw EMcTreeError("Can't move Item to one of its subitems.");
    // Checked before anything changes, so that a bad index cannot leave
    // the item out of every children list.
    if (index < 0 || index > newParent->GetChildCount()) throw EMcTreeError("McTree item index out of bounds.");
    TMcUpdateBracket bracket(*tree_);
    TMcTreeItem* oldParent = parent_;
    const int32_t oldIndex = Index();
    const int32_t first = FlatIndex();
    const int32_t last = GetLastSubItem()->FlatIndex();
    DetachFromParent();
    if (newParent == oldParent && oldIndex < index && index >= newParent->GetChildCount()) {
        const TMcTreeItem* anchor = newParent->GetLastSubItem();
        if (!newParent->children_) newParent->children_ = std::make_unique<TMcItemList>();
        newParent->children_->Add(this);
        MoveBlockAfter(first, last, anchor);
    } else {
        if (!newParent->children_) newParent->children_ = std::make_unique<TMcItemList>();
        newParent->children_->Insert(index, this);
        const TMcTreeItem* anchor = index > 0 ? newParent->children_->At(index - 1)->GetLastSubItem() : newParent;
        MoveBlockAfter(first, last, anchor);
    }
    parent_ = newParent;
    const TMcTreeOptions& o = tree_->Options();
    const bool sortOnMove = (o.SortMode == TSortModes::smAdd || o.SortMode == TSortModes::smAddClick) &&
                            tree_->SortingCount() == 0 && (o.SortSection == o.MainTreeColumn || o.SortSection == -1);
    // The move's own bracket is open: the sort runs when the outermost bracket closes.
    if (sortOnMove) tree_->MarkSortPending();
    tree_->MarkView(vmRecount | vmScrollRange | vmRowList);
    tree_->MarkChanged();
}

void TMcTreeItem::MoveTo(TMcTreeItem* newParent) {
    if (newParent == this) return;
    MoveToIns(newParent, (newParent ? newParent : root_)->GetChildCount());
}

void TMcTreeItem::MoveToItem(TMcTreeItem* item, int32_t mode) {
    switch (mode) {
    case 0:
        if (!item) throw EMcTreeError("McTree item not specified");
        MoveToIns(item->parent_, item->parent_->GetChildCount());
        break;
    case 1: MoveToIns(item ? item->parent_ : root_, 0); break;
    case 2: MoveTo(item); break;
    case 3: MoveToIns(item, 0); break;
    case 4: MoveToIns(item ? item->parent_ : root_, item ? item->Index() : 0); break;
    default: break;
    }
}

// ---- sorting

void TMcTreeItem::ChooseSortColumn(int32_t& column, TSortTypes& sortType, TMcSSortMode& mode) const {
    const TMcTreeOptions& o = tree_->Options();
    const TMcHeaderSections* sections = tree_->HeaderSections();
    column = -1;
    sortType = o.SortType;
    mode = TMcSSortMode::hsmNone;
    const bool mainColumn = o.SortSection == o.MainTreeColumn || o.SortSection == -1;
    const TMcHeaderSection* section = nullptr;
    if (mainColumn) {
        if (o.ShowColumns && sections) section = sections->Item(o.MainTreeColumn);
    } else if (sections) {
        section = sections->Item(o.SortSection);
    }
    if (!section) return;
    column = section->Index();
    mode = section->SortMode();
    sortType = SortTypeOfField(section->FieldType());
}

void TMcTreeItem::PrepareKeys(int32_t column, TSortTypes sortType) {
    for (TMcTreeItem* c : *children_) c->sortKey_.Prepare(c->CellText(column), sortType, column != -1);
}

void TMcTreeItem::ReleaseKeys() {
    for (TMcTreeItem* c : *children_) c->sortKey_.Release();
}

void TMcTreeItem::QuickSortChildren(int32_t left, int32_t right, int32_t column, TSortTypes sortType,
                                    TMcSSortMode mode) {
    TMcItemList& list = *children_;
    const int32_t count = list.Count();
    auto compare = [&](TMcTreeItem* a, TMcTreeItem* b) { return tree_->CompareItems(a, b, column, sortType, mode); };
    int32_t l = left;
    do {
        int32_t i = l, j = right;
        TMcTreeItem* pivot = list.At((l + right) / 2);
        do {
            while (i < count && compare(list.At(i), pivot) < 0) ++i;
            while (j >= 0 && compare(list.At(j), pivot) > 0) --j;
            if (i <= j) {
                if (i != j) {
                    TMcTreeItem* swapped = list.At(i);
                    list.Put(i, list.At(j));
                    list.Put(j, swapped);
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j && j != right) QuickSortChildren(l, j, column, sortType, mode);
        l = i;
    } while (l < right);
}

void TMcTreeItem::SortLevel(bool recursive, int32_t column, TSortTypes sortType, TMcSSortMode mode) {
    if (GetChildCount() > 1) {
        PrepareKeys(column, sortType);
        try {
            QuickSortChildren(0, GetChildCount() - 1, column, sortType, mode);
        } catch (...) {
            ReleaseKeys();
            throw;
        }
        ReleaseKeys();
    }
    if (!recursive) return;
    // Every level below is sorted, also under an item with a single child.
    for (int32_t i = 0; i < GetChildCount(); ++i) {
        TMcTreeItem* child = children_->At(i);
        if (child->HasChildren()) child->SortLevel(true, column, sortType, mode);
    }
}

int32_t TMcTreeItem::WriteSubtree(TMcItemList& flat, int32_t at) const {
    for (int32_t i = 0; i < GetChildCount(); ++i) {
        TMcTreeItem* child = children_->At(i);
        if (at >= flat.Count()) flat.SetCount(at + 1);
        flat.Put(at, child);
        child->flatHint_ = at++;
        at = child->WriteSubtree(flat, at);
    }
    return at;
}

void TMcTreeItem::Sort(bool recursive) {
    CounterScope sorting(*tree_, &TMcTreeHost::ChangeSortingCount);
    if (!HasChildren() || (GetChildCount() == 1 && !recursive)) return;
    TMcUpdateBracket bracket(*tree_);
    int32_t column;
    TSortTypes sortType;
    TMcSSortMode mode;
    ChooseSortColumn(column, sortType, mode);
    const int32_t first = GetFirstChild()->FlatIndex();
    SortLevel(recursive, column, sortType, mode);
    WriteSubtree(tree_->AllItems(), first);
    tree_->MarkView(vmRowList);
}

// ---- copying

void TMcTreeItem::Assign(const TMcTreeItem& source) {
    if (&source == this) return;
    TMcUpdateBracket bracket(*tree_);
    text_ = source.text_;
    columnText_ = source.columnText_;
    Data = source.Data;
    color_ = source.color_;
    bkColor_ = source.bkColor_;
    rowBkColor_ = source.rowBkColor_;
    const uint16_t kept = Bit(kFocused) | Bit(kSelected);
    state_ = static_cast<uint16_t>((source.state_ & ~kept) | (state_ & kept));
    parentStyle_ = source.parentStyle_;
    parentColors_ = source.parentColors_;
    imageIndex_ = source.imageIndex_;
    stateImageIndex_ = source.stateImageIndex_;
    imageIndex2_ = source.imageIndex2_;
    stateImageIndex2_ = source.stateImageIndex2_;
    checkBoxState_ = source.checkBoxState_;
    showCheckBox_ = source.showCheckBox_;
    checkBoxType_ = source.checkBoxType_;
    checkBoxEnabled_ = source.checkBoxEnabled_;
    enabled_ = source.enabled_;
    if (hidden_ != source.hidden_ && !IsRoot()) tree_->ChangeHiddenCount(source.hidden_ ? 1 : -1);
    hidden_ = source.hidden_;
    forceButtons_ = source.forceButtons_;
    useStyles_ = source.useStyles_;
    UserWord = source.UserWord;
    UserObject = source.UserObject;
    useBkColor_ = source.useBkColor_;
    UserInterface = source.UserInterface;
    mainStyle_->Assign(source.mainStyle_.get());
    styles_.reset();
    for (int32_t i = 0; i < source.StylesCount(); ++i) AddStyle()->Assign(source.GetStyle(i));
    Clear();
    for (int32_t i = 0; i < source.GetChildCount(); ++i) {
        TMcTreeItem* copy = collection_ ? collection_->CreateItem() : new TMcTreeItem(*tree_);
        AddChildItem(copy);
        copy->Assign(*source.children_->At(i));
    }
}
