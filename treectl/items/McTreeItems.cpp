#include "treectl/items/McTreeItems.h"

#include "treectl/items/McUpdateBracket.h"

#include "foundation/Stream.h"

#include <vector>

TMcTreeItems::TMcTreeItems(TMcTreeHost& tree) : tree_(&tree), root_(std::make_unique<TMcTreeItem>(tree)) {
    root_->root_ = root_.get();
    root_->collection_ = this;
    root_->SetStateBit(TMcTreeItem::kExpanded, true);
}

TMcTreeItems::~TMcTreeItems() {
    TMcUpdateBracket bracket(*tree_);
    root_->Clear();
}

// ---- creating

TMcTreeItem* TMcTreeItems::CreateItem() { return new TMcTreeItem(*tree_); }

TMcTreeItem* TMcTreeItems::Linked(TMcTreeItem* parent, int32_t index) {
    if (!parent) parent = root_.get();
    if (index >= 0 && index > parent->GetChildCount()) throw EMcTreeError("McTree item index out of bounds.");
    TMcUpdateBracket bracket(*tree_);
    std::unique_ptr<TMcTreeItem> item(CreateItem());
    if (index < 0) parent->AddChildItem(item.get());
    else parent->InsertChildItem(index, item.get());
    uint32_t marks = vmRecount | vmScrollRange;
    if (parent->Expanded() && parent->GetFullyExpanded()) marks |= vmRowList;
    tree_->MarkView(marks);
    return item.release();
}

TMcTreeItem* TMcTreeItems::AddItem(TMcTreeItem* parent) { return Linked(parent, -1); }

TMcTreeItem* TMcTreeItems::InsertItem(int32_t index, TMcTreeItem* parent) {
    if (index < 0) throw EMcTreeError("McTree item index out of bounds.");
    return Linked(parent, index);
}

TMcTreeItem* TMcTreeItems::WithText(TMcTreeItem* item, const std::string& text, void* data) {
    TMcUpdateBracket bracket(*tree_);
    item->SetText(text);
    if (data) item->Data = data;
    return item;
}

namespace {
TMcTreeItem* ParentOf(TMcTreeItem* item) { return item ? item->ParentItem() : nullptr; }
}  // namespace

TMcTreeItem* TMcTreeItems::Add(TMcTreeItem* item, const std::string& text) {
    return WithText(AddItem(ParentOf(item)), text, nullptr);
}
TMcTreeItem* TMcTreeItems::AddFirst(TMcTreeItem* item, const std::string& text) {
    return WithText(InsertItem(0, ParentOf(item)), text, nullptr);
}
TMcTreeItem* TMcTreeItems::AddObject(TMcTreeItem* item, const std::string& text, void* data) {
    return WithText(AddItem(ParentOf(item)), text, data);
}
TMcTreeItem* TMcTreeItems::AddObjectFirst(TMcTreeItem* item, const std::string& text, void* data) {
    return WithText(InsertItem(0, ParentOf(item)), text, data);
}
TMcTreeItem* TMcTreeItems::AddChild(TMcTreeItem* item, const std::string& text) {
    return WithText(AddItem(item), text, nullptr);
}
TMcTreeItem* TMcTreeItems::AddChildFirst(TMcTreeItem* item, const std::string& text) {
    return WithText(InsertItem(0, item), text, nullptr);
}
TMcTreeItem* TMcTreeItems::AddChildObject(TMcTreeItem* item, const std::string& text, void* data) {
    return WithText(AddItem(item), text, data);
}
TMcTreeItem* TMcTreeItems::AddChildObjectFirst(TMcTreeItem* item, const std::string& text, void* data) {
    return WithText(InsertItem(0, item), text, data);
}
TMcTreeItem* TMcTreeItems::Insert(TMcTreeItem* item, const std::string& text) {
    return InsertObject(item, text, nullptr);
}
TMcTreeItem* TMcTreeItems::InsertObject(TMcTreeItem* item, const std::string& text, void* data) {
    TMcTreeItem* made = item ? InsertItem(item->Index(), item->ParentItem()) : InsertItem(0, nullptr);
    return WithText(made, text, data);
}
TMcTreeItem* TMcTreeItems::InsertAfter(TMcTreeItem* item, const std::string& text) {
    return InsertAfterObject(item, text, nullptr);
}
TMcTreeItem* TMcTreeItems::InsertAfterObject(TMcTreeItem* item, const std::string& text, void* data) {
    TMcTreeItem* made = item ? InsertItem(item->Index() + 1, item->ParentItem()) : InsertItem(0, nullptr);
    return WithText(made, text, data);
}

// ---- deleting

void TMcTreeItems::DeleteItem(TMcTreeItem* item) {
    if (!item || item->IsRoot()) return;
    TMcUpdateBracket bracket(*tree_);
    TMcTreeItem* parent = item->ParentItem();
    parent->DeleteChild(item);
    if (parent->Expanded() && parent->GetFullyExpanded()) tree_->MarkView(vmRecount | vmScrollRange | vmRowList);
}

void TMcTreeItems::Clear() {
    const int32_t count = GetCount();
    TMcUpdateBracket bracket(*tree_);
    root_->Clear();
    tree_->ResetWidthCache();
    tree_->MarkView(vmRecount | vmScrollRange | (count > 0 ? static_cast<uint32_t>(vmRowList) : 0u));
}

void TMcTreeItems::BeginUpdate() { tree_->SetUpdating(true); }
void TMcTreeItems::EndUpdate() { tree_->SetUpdating(false); }

// ---- positions

int32_t TMcTreeItems::GetCount() const { return tree_->AllItems().Count(); }

TMcTreeItem* TMcTreeItems::GetItem(int32_t index) const {
    const TMcItemList& flat = tree_->AllItems();
    return index >= 0 && index < flat.Count() ? flat.At(index) : nullptr;
}

int32_t TMcTreeItems::GetAbsIndex(const TMcTreeItem* item) const {
    return item && &item->Tree() == tree_ ? item->FlatIndex() : -1;
}

int32_t TMcTreeItems::SubtreeEnd(const TMcTreeItem* item, int32_t flatIndex) const {
    return item->HasChildren() ? item->GetLastSubItem()->FlatIndex() : flatIndex;
}

bool TMcTreeItems::WalkSkips(const TMcTreeItem* item) const {
    return tree_->Options().FilteredVisibility && item->Hidden();
}

TMcTreeItem* TMcTreeItems::GetVisItem(int32_t index) const {
    TMcTreeItem* found = nullptr;
    int32_t row = 0;
    if (index >= 0) {
        WalkForward(0, true, [&](TMcTreeItem* item) {
            if (row++ == index) found = item;
            return !found;
        });
    }
    return found;
}

int32_t TMcTreeItems::GetVisIndex(const TMcTreeItem* target) const {
    int32_t row = 0, found = -1;
    if (target) {
        WalkForward(0, true, [&](TMcTreeItem* item) {
            if (item == target) found = row;
            ++row;
            return found < 0;
        });
    }
    return found;
}

// ---- walking

bool TMcTreeItems::IsShownInWalk(const TMcTreeItem* item) const {
    if (WalkSkips(item)) return false;
    for (const TMcTreeItem* a = item->ParentItem(); a && !a->IsRoot(); a = a->ParentItem()) {
        if (!a->Expanded() || WalkSkips(a)) return false;
    }
    return true;
}

TMcTreeItem* TMcTreeItems::ClosedAncestor(const TMcTreeItem* item) const {
    std::vector<TMcTreeItem*> ancestors;
    for (TMcTreeItem* a = item->ParentItem(); a && !a->IsRoot(); a = a->ParentItem()) ancestors.push_back(a);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        if (!(*it)->Expanded() || WalkSkips(*it)) return *it;
    }
    return nullptr;
}

void TMcTreeItems::WalkForward(int32_t from, bool visibleOnly, const std::function<bool(TMcTreeItem*)>& visit) const {
    const TMcItemList& flat = tree_->AllItems();
    for (int32_t i = from; i >= 0 && i < flat.Count();) {
        TMcTreeItem* item = flat.At(i);
        if (visibleOnly && WalkSkips(item)) {
            i = SubtreeEnd(item, i) + 1;
            continue;
        }
        if (!visit(item)) return;
        i = visibleOnly && !item->Expanded() ? SubtreeEnd(item, i) + 1 : i + 1;
    }
}

void TMcTreeItems::IterateFrom(bool visibleOnly, const IterateProc& callback, void* data, TMcTreeItem* startItem) {
    int32_t from = 0;
    if (startItem) {
        from = startItem->FlatIndex();
        if (from < 0) return;
        if (visibleOnly) {
            if (const TMcTreeItem* closed = ClosedAncestor(startItem)) from = SubtreeEnd(closed, closed->FlatIndex()) + 1;
        }
    }
    int32_t number = 0;
    bool go = true;
    WalkForward(from, visibleOnly, [&](TMcTreeItem* item) {
        callback(item, number++, go, data, *this);
        return go;
    });
}

void TMcTreeItems::Iterate(bool visibleOnly, const IterateProc& callback, void* data) {
    IterateFrom(visibleOnly, callback, data, nullptr);
}

void TMcTreeItems::IterateBack(bool visibleOnly, const IterateProc& callback, void* data) {
    std::vector<TMcTreeItem*> shown;
    Iterate(visibleOnly, [&](TMcTreeItem* item, int32_t, bool&, void*, TMcTreeItems&) { shown.push_back(item); }, nullptr);
    bool go = true;
    for (int32_t i = static_cast<int32_t>(shown.size()) - 1; i >= 0 && go; --i) {
        callback(shown[static_cast<size_t>(i)], i, go, data, *this);
    }
}

void TMcTreeItems::IterateBackFrom(bool visibleOnly, const IterateProc& callback, void* data, TMcTreeItem* startItem) {
    if (!startItem) {
        IterateBack(visibleOnly, callback, data);
        return;
    }
    TMcTreeItem* from = startItem;
    if (visibleOnly) {
        if (TMcTreeItem* closed = ClosedAncestor(startItem)) from = closed;
    }
    const int32_t at = from->FlatIndex();
    if (at < 0) return;
    int32_t number = 0;
    bool go = true;
    if (!(visibleOnly && WalkSkips(from))) callback(from, number++, go, data, *this);
    const TMcItemList& flat = tree_->AllItems();
    for (int32_t i = at - 1; i >= 0 && go; --i) {
        TMcTreeItem* item = flat.At(i);
        if (visibleOnly && !IsShownInWalk(item)) continue;
        callback(item, number++, go, data, *this);
    }
}

TMcTreeItem* TMcTreeItems::LookForItem(TMcTreeItem* startItem, int32_t, const CompareProc& compare, void* searchData,
                                       bool visibleOnly, bool checkStartItem, bool subItemsOnly) {
    TMcTreeItem* found = nullptr;
    IterateFrom(
        visibleOnly,
        [&](TMcTreeItem* item, int32_t, bool& go, void*, TMcTreeItems&) {
            if (item == startItem && !checkStartItem) return;
            if (subItemsOnly && startItem && !item->IsUnder(startItem)) {
                go = false;
                return;
            }
            if (compare(item, searchData)) {
                found = item;
                go = false;
            }
        },
        searchData, startItem);
    return found;
}

// ---- streaming and copying

void TMcTreeItems::SaveToStream(TStream& stream) {
    TMcTreeItem* focused = tree_->FocusedItem();
    if (focused) tree_->SetFocusedItem(nullptr);
    struct Refocus {
        TMcTreeHost& tree;
        TMcTreeItem* item;
        ~Refocus() {
            if (item) tree.SetFocusedItem(item);
        }
    } refocus{*tree_, focused};
    root_->SaveToStream(stream);
}

void TMcTreeItems::LoadFromStream(TStream& stream) {
    // Without the tree's own item hooks the records are checked first, so
    // that a damaged stream changes nothing.
    if (!tree_->HasItemLoad() && !tree_->HasCellStyleLoad()) CheckStream(stream);
    TMcUpdateBracket bracket(*tree_);
    root_->Clear();
    struct Finish {
        TMcTreeItems& items;
        ~Finish() {
            items.root_->SetStateBit(TMcTreeItem::kExpanded, true);  // the root is always open
            items.tree_->ResetWidthCache();
            items.tree_->MarkView(vmRecount | vmScrollRange | vmRowList);
            items.tree_->MarkChanged();
        }
    } finish{*this};
    root_->LoadFromStream(stream);
}

void TMcTreeItems::Assign(const TMcTreeItems& source) {
    if (&source == this) return;
    TMcUpdateBracket bracket(*tree_);
    root_->Assign(*source.root_);
    root_->SetStateBit(TMcTreeItem::kExpanded, true);
    tree_->ResetWidthCache();
    tree_->MarkView(vmRecount | vmScrollRange | vmRowList);
    tree_->MarkChanged();
}
