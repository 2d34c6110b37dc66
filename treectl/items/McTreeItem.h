#pragma once
// One row of the multi-column tree: its text and column texts, pictures,
// check box or radio button, colours and cell styles, its place in the
// hierarchy, its expanded, selected and hidden states, and its record in
// the item stream. Items belong to one tree and its item collection
// (TMcTreeItems), which create and delete them. Besides the hierarchy of
// children lists, the tree keeps every item in one flat list in display
// order (each item followed by its whole subtree); every operation here
// keeps both in step. Whatever changes the picture goes back to the tree
// through TMcTreeHost.

#include "treectl/items/McCellStyle.h"
#include "treectl/items/McSortKey.h"
#include "treectl/items/McTreeHost.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TMcTreeItems;
class TStream;

class TMcTreeItem {
public:
    // The bits of the state set; Focused ... StrikeOut are also the indexes of GetState and SetState.
    static constexpr int32_t kFocused = 1;
    static constexpr int32_t kSelected = 2;
    static constexpr int32_t kCut = 3;
    static constexpr int32_t kUnderlined = 4;
    static constexpr int32_t kBold = 5;
    static constexpr int32_t kItalic = 6;
    static constexpr int32_t kExpanded = 7;
    static constexpr int32_t kStrikeOut = 8;
    static constexpr uint16_t Bit(int32_t index) { return static_cast<uint16_t>(1u << index); }

    explicit TMcTreeItem(TMcTreeHost& tree);
    virtual ~TMcTreeItem();
    TMcTreeItem(const TMcTreeItem&) = delete;
    TMcTreeItem& operator=(const TMcTreeItem&) = delete;

    TMcTreeHost& Tree() const { return *tree_; }
    TMcTreeItems* Collection() const { return collection_; }
    bool IsRoot() const { return root_ == this; }

    // ---- structure and navigation (no side effects)
    TMcTreeItem* GetParent() const;  // nil at the top level
    TMcTreeItem* ParentItem() const { return parent_; }  // the root at the top level
    int32_t GetLevel() const;
    // Every component preceded by the separator: "\A\B\C".
    std::string GetFullPath(const std::string& separator) const;
    bool IsUnder(const TMcTreeItem* item) const;
    int32_t GetChildCount() const { return children_ ? children_->Count() : 0; }
    bool HasChildren() const { return GetChildCount() > 0; }
    bool HasVisibleChildren() const;
    TMcTreeItem* GetChild(int32_t index) const { return children_ ? (*children_)[index] : nullptr; }
    TMcTreeItem* GetFirstChild() const { return HasChildren() ? children_->At(0) : nullptr; }
    TMcTreeItem* GetLastChild() const { return HasChildren() ? children_->LastItem() : nullptr; }
    TMcTreeItem* GetFirstVisibleChild() const;
    TMcTreeItem* GetNextChild(const TMcTreeItem* child) const;
    TMcTreeItem* GetPrevChild(const TMcTreeItem* child) const;
    TMcTreeItem* GetNextSibling() const;
    TMcTreeItem* GetPrevSibling() const;
    TMcTreeItem* GetLastSibling() const;
    TMcTreeItem* GetTopParent() const;
    TMcTreeItem* GetLastSubItem() const;
    int32_t Index() const;  // among the parent's children; -1 for the root
    int32_t IndexOfChild(const TMcTreeItem* child) const;
    // Position in the tree's flat list (-1 for the root), and among the shown rows.
    int32_t GetAbsIndex() const;
    int32_t GetVisIndex() const;
    TMcTreeItem* GetPrev() const;
    TMcTreeItem* GetNext() const;
    bool GetFullyExpanded() const;
    bool GetFullyVisible() const;
    int32_t GetOwnerHeight() const { return tree_->Options().LineHeight; }
    int32_t GetSubtreeHeight() const;
    // The text of a column: Text for the main column, else its column text
    // (empty beyond the list).
    std::string CellText(int32_t column) const;

    // ---- texts
    const std::string& Text() const { return text_; }
    virtual void SetText(const std::string& value);
    const std::vector<std::string>& ColumnText() const { return columnText_; }
    const std::vector<std::string>& SubItems() const { return columnText_; }
    void SetColumnText(const std::vector<std::string>& texts);
    void AddColumnText(const std::string& text);
    void SetColumnTextAt(int32_t index, const std::string& text);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }

    // ---- state set
    uint16_t State() const { return state_; }
    bool GetState(int32_t index) const { return (state_ & Bit(index)) != 0; }
    void SetState(int32_t index, bool value);
    bool Focused() const { return GetState(kFocused); }
    bool Cut() const { return GetState(kCut); }
    bool Underlined() const { return GetState(kUnderlined); }
    bool Bold() const { return GetState(kBold); }
    bool Italic() const { return GetState(kItalic); }
    bool StrikeOut() const { return GetState(kStrikeOut); }
    bool Expanded() const { return GetState(kExpanded); }
    void SetExpanded(bool value);
    void SetFullyExpanded(bool value);
    void SetFullyVisible(bool value);
    bool GetSelected() const { return (selectionFlag_ & 0x2) != 0; }
    void SetSelected(bool value);
    void Expand(bool recursive);
    void Collapse(bool recursive);

    // ---- check box
    TCheckBoxState CheckBoxState() const { return checkBoxState_; }
    void SetCheckBoxState(TCheckBoxState value);
    bool GetChecked() const { return checkBoxState_ == TCheckBoxState::cbChecked; }
    // Unchecks the other radio buttons among the siblings when a radio button is checked.
    void SetChecked(bool value);
    bool ShowCheckBox() const { return showCheckBox_; }
    void SetShowCheckBox(bool value);
    TMcCheckBoxType CheckBoxType() const { return checkBoxType_; }
    void SetCheckBoxType(TMcCheckBoxType value);
    bool CheckBoxEnabled() const { return checkBoxEnabled_; }
    void SetCheckBoxEnabled(bool value);

    // ---- look
    gdi::Color Color() const { return color_; }
    void SetColor(gdi::Color value);
    gdi::Color BkColor() const { return bkColor_; }
    void SetBkColor(gdi::Color value);
    bool UseBkColor() const { return useBkColor_; }
    void SetUseBkColor(bool value);
    gdi::Color RowBkColor() const { return rowBkColor_; }
    virtual void SetRowBkColor(gdi::Color value);
    bool ParentColors() const { return parentColors_; }
    void SetParentColors(bool value);
    bool ParentStyle() const { return parentStyle_; }
    void SetParentStyle(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Hidden() const { return hidden_; }
    void SetHidden(bool value);
    int32_t ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int32_t value);
    int32_t StateImageIndex() const { return stateImageIndex_; }
    void SetStateImageIndex(int32_t value);
    int32_t ImageIndex2() const { return imageIndex2_; }
    void SetImageIndex2(int32_t value);
    int32_t StateImageIndex2() const { return stateImageIndex2_; }
    void SetStateImageIndex2(int32_t value);
    bool ForceButtons() const { return forceButtons_; }
    void SetForceButtons(bool value);
    bool SuppressButtons() const { return suppressButtons_; }
    void SetSuppressButtons(bool value);
    bool SuppressLines() const { return suppressLines_; }
    void SetSuppressLines(bool value);

    // ---- cell styles
    TMcCellStyle& MainStyle() { return *mainStyle_; }
    const TMcCellStyle& MainStyle() const { return *mainStyle_; }
    bool UseStyles() const { return useStyles_; }
    void SetUseStyles(bool value);
    int32_t StylesCount() const { return styles_ ? styles_->Count() : 0; }
    TMcCellStyle* GetStyle(int32_t index) const { return styles_ ? (*styles_)[index] : nullptr; }
    virtual TMcCellStyle* AddStyle();
    virtual void RemoveStyle(TMcCellStyle* style);

    // ---- what the application and the view keep with the item
    void* Data = nullptr;
    uint32_t UserWord = 0;
    uint32_t UserObject = 0;
    std::shared_ptr<void> UserInterface;
    gdi::Color StrikeLineColor = 0;
    bool StrikeLine = false;
    bool HorizontalLine = true;
    bool AllowSelection = true;
    bool AllowEdit = true;
    int32_t TextLeft = 0;   // painted text extent, kept by the view
    int32_t TextRight = 0;
    bool ImageDrawn = false;
    bool ImageDrawn2 = false;

    // ---- changes of the hierarchy
    // Links a new item as the last child (or the child at index: EMcTreeError
    // "McTree item index out of bounds." beyond the child count).
    void AddChildItem(TMcTreeItem* item);
    void InsertChildItem(int32_t index, TMcTreeItem* item);
    void DeleteChild(TMcTreeItem* child);
    // Deletes every child.
    void Clear();
    virtual void Delete();
    void MoveTo(TMcTreeItem* newParent);
    void MoveToIns(TMcTreeItem* newParent, int32_t index);
    // Mode 0 last sibling, 1 first sibling, 2 last child, 3 first child, 4 just before item.
    virtual void MoveToItem(TMcTreeItem* item, int32_t mode);
    void Sort(bool recursive);
    void Assign(const TMcTreeItem& source);

    // ---- the item record with the children's records
    virtual void SaveToStream(TStream& stream);
    virtual void LoadFromStream(TStream& stream);

    // ---- repainting
    void RedrawItem(bool onlyIfVisible);
    void RedrawItemPart(bool onlyIfVisible, int32_t left, int32_t right);
    void UpdateItem();

    // The sort key of the current sort (kept by the item for the tree's comparison).
    const TMcSortKey& SortKey() const { return sortKey_; }
    // Sets or clears a state bit without notifications: the tree's own
    // bookkeeping of the focused item.
    void SetStateBit(int32_t index, bool on);
    // Marks the item selected or not without notifications: the tree's own
    // bookkeeping of the one selected item of a single selection.
    void SetSelectedMark(bool on);

private:
    friend class TMcTreeItems;
    class ItemReader;

    int32_t FlatIndex() const;
    void LinkAt(int32_t flatIndex, TMcTreeItem* item, int32_t childIndex);
    void DetachFromParent();
    void RemoveFromChildren(TMcTreeItem* child);
    void CheckBoxRepaint();
    void RepaintOrMark();
    void ResortAfterChange();
    bool SortWanted(bool columnTextChange) const;
    void ColumnTextChanged();
    void ImageChanged(bool second);
    void DeselectSubtree();
    void ChooseSortColumn(int32_t& column, TSortTypes& sortType, TMcSSortMode& mode) const;
    void PrepareKeys(int32_t column, TSortTypes sortType);
    void ReleaseKeys();
    void SortLevel(bool recursive, int32_t column, TSortTypes sortType, TMcSSortMode mode);
    void QuickSortChildren(int32_t left, int32_t right, int32_t column, TSortTypes sortType, TMcSSortMode mode);
    int32_t WriteSubtree(TMcItemList& flat, int32_t at) const;
    void MoveBlockAfter(int32_t first, int32_t last, const TMcTreeItem* anchor);

    TMcTreeHost* tree_;
    TMcTreeItems* collection_ = nullptr;
    TMcTreeItem* parent_ = nullptr;
    TMcTreeItem* root_ = nullptr;
    std::unique_ptr<TMcItemList> children_;
    mutable int32_t flatHint_ = 0;

    TMcSortKey sortKey_;
    bool suppressLines_ = false;
    bool hidden_ = false;
    bool enabled_ = true;
    bool suppressButtons_ = false;
    bool checkBoxEnabled_ = true;
    TCheckBoxState checkBoxState_ = TCheckBoxState::cbUnchecked;
    bool showCheckBox_ = false;
    TMcCheckBoxType checkBoxType_ = TMcCheckBoxType::ectCheckBox;
    std::unique_ptr<TMcCellStyle> mainStyle_;
    bool useStyles_ = false;
    uint16_t state_ = 0;
    uint32_t selectionFlag_ = 0;
    std::string text_;
    std::vector<std::string> columnText_;
    std::string hint_;
    gdi::Color rowBkColor_ = 0;
    gdi::Color color_ = 0;
    gdi::Color bkColor_ = 0;
    bool useBkColor_ = true;
    bool parentColors_ = true;
    bool parentStyle_ = true;
    int32_t imageIndex_ = -1;
    int32_t stateImageIndex_ = -1;
    int32_t imageIndex2_ = -1;
    int32_t stateImageIndex2_ = -1;
    bool forceButtons_ = false;
    std::unique_ptr<TMcListOf<TMcCellStyle>> styles_;
};
