#pragma once
// What tree items and their collection ask of the tree control that owns
// them: its settings, its update bracket and the marks it honours when the
// bracket closes, its focus and selection, its lists, its column sizing and
// item comparison, the rows of its view, and its events. The tree control
// implements this; items never reach the control's widgets otherwise.

#include "foundation/Exceptions.h"
#include "platform/gdi/GdiTypes.h"
#include "treectl/support/McList.h"
#include "treectl/support/McTypes.h"

#include <cstdint>

class TMcCellStyle;
class TMcHeaderSections;
class TMcTreeItem;
class TStream;

// Misuse of the tree: bad child indexes, moves under oneself.
ZORBIT_DECLARE_EXCEPTION(EMcTreeError, Exception);

using TMcItemList = TMcListOf<TMcTreeItem>;

// The tree's settings that items read; the tree control keeps them here and
// reacts to their changes itself.
struct TMcTreeOptions {
    bool MultiSelect = true;
    bool ShowColumns = false;
    int32_t MainTreeColumn = 0;
    TSortModes SortMode = TSortModes::smNone;
    int32_t SortSection = 0;
    TSortTypes SortType = TSortTypes::stCustom;
    bool ShowImages = true;
    bool ShowEmptyImages = false;
    bool ShowEmptyImages2 = false;
    bool ShowButtons = true;
    bool ShowLines = true;
    bool ShowCheckboxes = false;
    bool FilteredVisibility = false;
    bool MoveFocusOnCollapse = false;
    bool DeselectChildrenOnCollapse = false;
    int32_t LeftPosition = 0;
    int32_t LineHeight = 17;
    gdi::LogFont Font;
};

// Requests to the view, collected while the update bracket is open.
enum TMcViewMark : uint32_t {
    vmRecount = 0x1,      // count the shown items again
    vmScrollRange = 0x2,  // set the scroll ranges again
    vmRowList = 0x4,      // rebuild the list of rows on screen
};

// The kinds of OnItemChange.
constexpr int32_t kItemTextChanged = 0;
constexpr int32_t kItemStateChanged = 1;

class TMcTreeHost {
public:
    virtual ~TMcTreeHost() = default;

    virtual const TMcTreeOptions& Options() const = 0;

    // ---- the update bracket (counted) and what its closing honours
    virtual void SetUpdating(bool open) = 0;
    virtual bool IsUpdating() const = 0;
    virtual bool IsDestroying() const = 0;
    virtual void MarkChanged() = 0;      // recalculate and repaint when the bracket closes
    virtual void MarkSortPending() = 0;  // sort when the bracket closes
    // Marks the view (TMcViewMark bits) and the tree changed.
    virtual void MarkView(uint32_t marks) = 0;
    virtual void ResetWidthCache() = 0;     // the widest row is measured again on demand
    virtual void UpdateContentWidth() = 0;  // measures the widest row now

    // ---- counters and flags
    virtual int32_t SortingCount() const = 0;
    virtual void ChangeSortingCount(int32_t delta) = 0;
    // While above 0 a focus change does not ask OnChanging.
    virtual void ChangeEventSuppression(int32_t delta) = 0;
    // An in-place edit's validation handler runs.
    virtual bool IsValidating() const = 0;

    // ---- lists: every item in display order, the selected items
    virtual TMcItemList& AllItems() = 0;
    virtual TMcItemList* SelectedList() = 0;  // nil unless MultiSelect
    virtual void ChangeHiddenCount(int32_t delta) = 0;
    virtual void MarkSelectionChanged() = 0;

    // ---- focus and selection
    virtual TMcTreeItem* FocusedItem() const = 0;
    // Through the tree's focus setter, with its notifications.
    virtual void SetFocusedItem(TMcTreeItem* item) = 0;
    // The selection anchor with MultiSelect, the focused item otherwise.
    virtual void SetSelectedItem(TMcTreeItem* item) = 0;
    virtual int32_t SelectedItemCount() const = 0;
    virtual TMcTreeItem* AnchorItem() const = 0;
    virtual void ClearAnchor() = 0;

    // ---- columns and sorting
    virtual const TMcHeaderSections* HeaderSections() const = 0;  // nil without a header
    virtual void AutoSizeColumn(int32_t column) = 0;
    virtual void AutoSizeAllColumns() = 0;
    virtual int32_t CompareItems(TMcTreeItem* a, TMcTreeItem* b, int32_t column, TSortTypes sortType,
                                 TMcSSortMode sectionSortMode) = 0;

    // ---- the view
    // The rectangle of the item's row on screen; empty when it has none.
    virtual gdi::Rect RowRect(const TMcTreeItem* item) const = 0;
    virtual void InvalidateRect(const gdi::Rect& r, bool erase) = 0;
    virtual void RepaintNow() = 0;
    virtual void RemoveFromRows(TMcTreeItem* item) = 0;
    // The view drops the item as hot-tracked item and as drop target.
    virtual void ForgetItem(TMcTreeItem* item) = 0;
    // The item of an open in-place editor; nil when none is open.
    virtual TMcTreeItem* EditedItem() const = 0;
    virtual void ForgetEditedItem() = 0;
    virtual void EndEdit() = 0;

    // ---- events, each doing nothing without a handler
    virtual void DoItemChange(TMcTreeItem* item, int32_t kind) = 0;
    virtual void DoItemExpanding(TMcTreeItem* item, bool& canProcess) = 0;
    virtual void DoItemCollapsing(TMcTreeItem* item, bool& canProcess) = 0;
    virtual void DoItemExpand(TMcTreeItem* item) = 0;
    virtual void DoItemCollapse(TMcTreeItem* item) = 0;
    virtual void DoItemDeletion(TMcTreeItem* item) = 0;
    virtual void DoItemSelectedChange(TMcTreeItem* item) = 0;
    virtual void DoSortBegin() = 0;
    virtual void DoSortEnd() = 0;
    virtual void DoItemSave(TMcTreeItem* item, TStream& stream) = 0;
    virtual void DoItemLoad(TMcTreeItem* item, TStream& stream) = 0;
    virtual bool HasItemLoad() const = 0;
    virtual bool HasCellStyleSave() const = 0;
    virtual bool HasCellStyleLoad() const = 0;
    virtual void DoCellStyleSave(TMcTreeItem* item, TStream& stream, TMcCellStyle& style) = 0;
    virtual void DoCellStyleLoad(TMcTreeItem* item, TStream& stream, TMcCellStyle& style) = 0;
};
