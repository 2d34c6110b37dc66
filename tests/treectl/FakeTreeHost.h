#pragma once
// A tree for the item tests: it keeps the lists, counters and focus the
// items ask for, records every event and view request as a line of text,
// and sorts items by their text unless a test gives a comparison.

#include "treectl/header/McHeaderSections.h"
#include "treectl/items/McTreeItems.h"

#include "foundation/StreamHelp.h"

#include <functional>
#include <string>
#include <vector>

class FakeTreeHost : public TMcTreeHost {
public:
    FakeTreeHost() { selected_ = std::make_unique<TMcItemList>(); }
    ~FakeTreeHost() override { destroying_ = true; }

    TMcTreeOptions options;
    std::vector<std::string> log;
    int32_t closings = 0;  // outermost brackets closed
    int32_t hiddenCount = 0;
    TMcHeaderSections* sections = nullptr;
    std::function<int32_t(TMcTreeItem*, TMcTreeItem*, int32_t, TSortTypes, TMcSSortMode)> compare;
    std::function<void(TMcTreeItem*, bool&)> expanding;
    std::function<void(TMcTreeItem*, TStream&)> itemSave, itemLoad;
    bool customStyles = false;
    TMcTreeItem* anchor = nullptr;
    TMcTreeItem* edited = nullptr;
    bool validating = false;

    const TMcTreeOptions& Options() const override { return options; }
    void SetUpdating(bool open) override {
        updating_ += open ? 1 : -1;
        if (updating_ == 0 && !open) {
            ++closings;
            if (sortPending_) {
                sortPending_ = false;
                log.push_back("pending sort");
            }
        }
    }
    bool IsUpdating() const override { return updating_ > 0; }
    int32_t UpdateDepth() const { return updating_; }
    bool IsDestroying() const override { return destroying_; }
    void MarkChanged() override { changed = true; }
    void MarkSortPending() override { sortPending_ = true; }
    void MarkView(uint32_t marks) override { viewMarks |= marks; }
    void ResetWidthCache() override { ++widthResets; }
    void UpdateContentWidth() override { ++widthMeasures; }
    int32_t SortingCount() const override { return sorting_; }
    void ChangeSortingCount(int32_t delta) override { sorting_ += delta; }
    void ChangeEventSuppression(int32_t delta) override { suppression += delta; }
    bool IsValidating() const override { return validating; }
    TMcItemList& AllItems() override { return all_; }
    TMcItemList* SelectedList() override { return options.MultiSelect ? selected_.get() : nullptr; }
    void ChangeHiddenCount(int32_t delta) override { hiddenCount += delta; }
    void MarkSelectionChanged() override { selectionChanged = true; }
    TMcTreeItem* FocusedItem() const override { return focused_; }
    void SetFocusedItem(TMcTreeItem* item) override {
        if (focused_) focused_->SetStateBit(TMcTreeItem::kFocused, false);
        focused_ = item;
        if (item) item->SetStateBit(TMcTreeItem::kFocused, true);
        log.push_back("focus " + (item ? item->Text() : std::string("-")));
    }
    void SetSelectedItem(TMcTreeItem* item) override {
        if (options.MultiSelect) anchor = item;
        else SetFocusedItem(item);
        log.push_back("anchor " + (item ? item->Text() : std::string("-")));
    }
    int32_t SelectedItemCount() const override { return selected_->Count(); }
    TMcTreeItem* AnchorItem() const override { return anchor; }
    void ClearAnchor() override { anchor = nullptr; }
    const TMcHeaderSections* HeaderSections() const override { return sections; }
    void AutoSizeColumn(int32_t column) override { log.push_back("autosize " + std::to_string(column)); }
    void AutoSizeAllColumns() override { log.push_back("autosize all"); }
    int32_t CompareItems(TMcTreeItem* a, TMcTreeItem* b, int32_t column, TSortTypes type, TMcSSortMode mode) override {
        if (compare) return compare(a, b, column, type, mode);
        const int32_t res = a->Text() < b->Text() ? -1 : a->Text() > b->Text() ? 1 : 0;
        return mode == TMcSSortMode::hsmDescend ? -res : res;
    }
    gdi::Rect RowRect(const TMcTreeItem*) const override { return {}; }
    void InvalidateRect(const gdi::Rect&, bool) override { ++invalidations; }
    void RepaintNow() override { ++repaints; }
    void RemoveFromRows(TMcTreeItem*) override {}
    void ForgetItem(TMcTreeItem* item) override { log.push_back("forget " + item->Text()); }
    TMcTreeItem* EditedItem() const override { return edited; }
    void ForgetEditedItem() override { edited = nullptr; }
    void EndEdit() override { log.push_back("end edit"); }
    void DoItemChange(TMcTreeItem* item, int32_t kind) override {
        log.push_back("change " + item->Text() + " " + std::to_string(kind));
    }
    void DoItemExpanding(TMcTreeItem* item, bool& can) override {
        log.push_back("expanding " + item->Text());
        if (expanding) expanding(item, can);
    }
    void DoItemCollapsing(TMcTreeItem* item, bool&) override { log.push_back("collapsing " + item->Text()); }
    void DoItemExpand(TMcTreeItem* item) override { log.push_back("expand " + item->Text()); }
    void DoItemCollapse(TMcTreeItem* item) override { log.push_back("collapse " + item->Text()); }
    void DoItemDeletion(TMcTreeItem* item) override { log.push_back("deletion " + item->Text()); }
    void DoItemSelectedChange(TMcTreeItem* item) override { log.push_back("selected " + item->Text()); }
    void DoSortBegin() override { log.push_back("sort begin"); }
    void DoSortEnd() override { log.push_back("sort end"); }
    void DoItemSave(TMcTreeItem* item, TStream& s) override {
        if (itemSave) itemSave(item, s);
    }
    void DoItemLoad(TMcTreeItem* item, TStream& s) override {
        if (itemLoad) itemLoad(item, s);
    }
    bool HasItemLoad() const override { return static_cast<bool>(itemLoad); }
    bool HasCellStyleSave() const override { return customStyles; }
    bool HasCellStyleLoad() const override { return customStyles; }
    void DoCellStyleSave(TMcTreeItem*, TStream& s, TMcCellStyle& style) override { StreamWriteInt(s, style.Tag); }
    void DoCellStyleLoad(TMcTreeItem*, TStream& s, TMcCellStyle& style) override { style.Tag = StreamReadInt(s); }

    bool changed = false;
    bool selectionChanged = false;
    uint32_t viewMarks = 0;
    int32_t widthResets = 0, widthMeasures = 0, invalidations = 0, repaints = 0, suppression = 0;

    // The lines logged since the last call.
    std::vector<std::string> TakeLog() {
        std::vector<std::string> taken;
        taken.swap(log);
        return taken;
    }

private:
    TMcItemList all_;
    std::unique_ptr<TMcItemList> selected_;
    TMcTreeItem* focused_ = nullptr;
    int32_t updating_ = 0;
    int32_t sorting_ = 0;
    bool sortPending_ = false;
    bool destroying_ = false;
};

// A fake tree with its items; the items go first when it ends.
struct FakeTree {
    FakeTreeHost host;
    TMcTreeItems items{host};
};
