#pragma once
// The items of a tree: the collection owns the invisible root item and
// through it every item. It creates and deletes items, finds them by their
// absolute position (in the flat list of all items) and by their visible
// row, walks them in display order with a callback, searches them, and
// streams the whole tree (the binary "Data" of a designed tree).

#include "treectl/items/McTreeItem.h"

#include <functional>
#include <memory>
#include <string>

class TStream;

class TMcTreeItems {
public:
    // The walks' callback: the item, a running number, a flag the callback
    // may clear to stop the walk, the caller's data and the collection.
    using IterateProc = std::function<void(TMcTreeItem* item, int32_t number, bool& go, void* data, TMcTreeItems& items)>;
    using CompareProc = std::function<bool(TMcTreeItem* item, void* searchData)>;

    explicit TMcTreeItems(TMcTreeHost& tree);
    virtual ~TMcTreeItems();
    TMcTreeItems(const TMcTreeItems&) = delete;
    TMcTreeItems& operator=(const TMcTreeItems&) = delete;

    TMcTreeHost& Tree() const { return *tree_; }
    TMcTreeItem* Root() const { return root_.get(); }

    // ---- creating (each inside the tree's update bracket)
    virtual TMcTreeItem* CreateItem();
    TMcTreeItem* AddItem(TMcTreeItem* parent);                   // last child; the root for nil
    TMcTreeItem* InsertItem(int32_t index, TMcTreeItem* parent);  // EMcTreeError beyond the child count
    virtual TMcTreeItem* Add(TMcTreeItem* item, const std::string& text);
    virtual TMcTreeItem* AddFirst(TMcTreeItem* item, const std::string& text);
    virtual TMcTreeItem* AddObject(TMcTreeItem* item, const std::string& text, void* data);
    virtual TMcTreeItem* AddObjectFirst(TMcTreeItem* item, const std::string& text, void* data);
    virtual TMcTreeItem* AddChild(TMcTreeItem* item, const std::string& text);
    virtual TMcTreeItem* AddChildFirst(TMcTreeItem* item, const std::string& text);
    virtual TMcTreeItem* AddChildObject(TMcTreeItem* item, const std::string& text, void* data);
    virtual TMcTreeItem* AddChildObjectFirst(TMcTreeItem* item, const std::string& text, void* data);
    virtual TMcTreeItem* Insert(TMcTreeItem* item, const std::string& text);
    virtual TMcTreeItem* InsertObject(TMcTreeItem* item, const std::string& text, void* data);
    virtual TMcTreeItem* InsertAfter(TMcTreeItem* item, const std::string& text);
    virtual TMcTreeItem* InsertAfterObject(TMcTreeItem* item, const std::string& text, void* data);

    // ---- deleting
    virtual void DeleteItem(TMcTreeItem* item);
    void Clear();

    // ---- positions
    int32_t GetCount() const;
    TMcTreeItem* GetItem(int32_t index) const;
    int32_t GetAbsIndex(const TMcTreeItem* item) const;
    TMcTreeItem* GetVisItem(int32_t index) const;
    int32_t GetVisIndex(const TMcTreeItem* item) const;

    // ---- walking
    void Iterate(bool visibleOnly, const IterateProc& callback, void* data);
    void IterateFrom(bool visibleOnly, const IterateProc& callback, void* data, TMcTreeItem* startItem);
    void IterateBack(bool visibleOnly, const IterateProc& callback, void* data);
    void IterateBackFrom(bool visibleOnly, const IterateProc& callback, void* data, TMcTreeItem* startItem);
    TMcTreeItem* LookForItem(TMcTreeItem* startItem, int32_t column, const CompareProc& compare, void* searchData,
                             bool visibleOnly, bool checkStartItem, bool subItemsOnly);

    virtual void BeginUpdate();
    virtual void EndUpdate();

    // ---- the tree stream: the root's record with all items. A damaged
    // stream raises EReadError; without item-load hooks of the tree it
    // leaves the tree as it was, because the stream is checked first.
    virtual void SaveToStream(TStream& stream);
    virtual void LoadFromStream(TStream& stream);
    // Whether a designed tree stores its "Data": only with at least one item.
    bool StoresData() const { return GetCount() > 0; }
    void Assign(const TMcTreeItems& source);

private:
    friend class TMcTreeItem;
    // Whether the walk shows the item: not hidden (when filtering) and every
    // ancestor expanded and not hidden.
    bool IsShownInWalk(const TMcTreeItem* item) const;
    // The first ancestor from the top that the walk does not enter, or nil.
    TMcTreeItem* ClosedAncestor(const TMcTreeItem* item) const;
    bool WalkSkips(const TMcTreeItem* item) const;
    int32_t SubtreeEnd(const TMcTreeItem* item, int32_t flatIndex) const;
    // Display order from a flat position; with visibleOnly past collapsed
    // (and, when filtering, hidden) subtrees. visit answers whether to go on.
    void WalkForward(int32_t from, bool visibleOnly, const std::function<bool(TMcTreeItem*)>& visit) const;
    TMcTreeItem* Linked(TMcTreeItem* parent, int32_t index);
    // Reads the stream's records without making anything, then goes back:
    // EReadError when they are damaged.
    void CheckStream(TStream& stream);
    TMcTreeItem* WithText(TMcTreeItem* item, const std::string& text, void* data);

    TMcTreeHost* tree_;
    std::unique_ptr<TMcTreeItem> root_;
};
