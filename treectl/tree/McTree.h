#pragma once
// The multi-column tree control: an outer window that owns and arranges a
// header across the top (the columns), the client view with the rows, two
// owner-drawn scroll bars (or the standard bars) and the item collection.
// It keeps the settings they all read, batches every change in a counted
// update bracket whose outermost closing recalculates once (row height,
// shown-item count, scroll ranges, column widths) and repaints once, and
// raises its children's notifications as its own events with itself as
// sender. Mouse coordinates of its events are tree coordinates.

#include "treectl/header/McHeader.h"
#include "treectl/header/McScrollBar.h"
#include "treectl/header/McScrollBarStyles.h"
#include "treectl/items/McTreeItems.h"
#include "treectl/tree/McTreeSettings.h"
#include "treectl/view/McTreeView.h"

#include "foundation/ViewTimer.h"
#include "platform/gdi/Bitmap.h"

#include <QtGui/QRegion>
#include <QtWidgets/QWidget>

#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class TMcHintWindow;
class TMcStandardScrollBar;
class TMcTreeDragObject;

class TCustomMcTree : public QWidget, public TMcTreeHost {
public:
    // ---- events (Sender is the tree unless the type says otherwise)
    using NotifyEvent = std::function<void(TCustomMcTree& sender)>;
    using KeyEvent = std::function<void(TCustomMcTree& sender, int& key, Qt::KeyboardModifiers shift)>;
    using KeyPressEvent = std::function<void(TCustomMcTree& sender, char16_t& key)>;
    using MouseEvent = std::function<void(TCustomMcTree& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                          int32_t x, int32_t y)>;
    using MouseMoveEvent = std::function<void(TCustomMcTree& sender, Qt::KeyboardModifiers shift, int32_t x, int32_t y)>;
    using DragDropEvent = std::function<void(TCustomMcTree& sender, QObject* source, int32_t x, int32_t y)>;
    using DragOverEvent = std::function<void(TCustomMcTree& sender, QObject* source, int32_t x, int32_t y,
                                             TDragState state, bool& accept)>;
    using StartDragEvent = std::function<void(TCustomMcTree& sender, TMcTreeDragObject*& dragObject)>;
    using EndDragEvent = std::function<void(TCustomMcTree& sender, QObject* target, int32_t x, int32_t y)>;
    using ChangingEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item, bool& allowChange)>;
    using ItemEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item)>;
    using ItemChangeEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item, int32_t changeMode)>;
    using ItemProcessEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item, bool& canProcess)>;
    using ItemStreamEvent = std::function<void(TCustomMcTree& sender, TStream& stream, TMcTreeItem* item)>;
    using CellStyleStreamEvent = std::function<void(TCustomMcTree& sender, TStream& stream, TMcCellStyle& style)>;
    using CompareEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item1, TMcTreeItem* item2, int32_t& res)>;
    using ItemDrawEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item, gdi::Canvas& surface,
                                             const gdi::Rect& r, int32_t sectionIndex)>;
    using ItemPostDrawEvent = std::function<void(TCustomMcTree& sender, gdi::Canvas& canvas, TMcTreeItem* item,
                                                 const gdi::Rect& itemRect, bool& drawFocusRect)>;
    using ItemPicDrawEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item, int32_t& imageIndex)>;
    using HotTrackEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* oldItem, TMcTreeItem* newItem)>;
    using ShowLineHintEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item, std::string& text,
                                                 TMcHintWindow& hintWindow, QPoint mousePos, bool& doShowHint)>;
    using DragTargetChangeEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item, const gdi::Rect& itemRect,
                                                     int32_t x, int32_t y)>;
    using TryEditEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item, TMcHeaderSection* section,
                                            TFieldTypes& cellType, bool& canEdit)>;
    using EditRequestEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item, TMcHeaderSection* section)>;
    using TuneUpInplaceEditEvent =
        std::function<void(TCustomMcTree& sender, TMcTreeItem* item, int32_t sectionIndex, QLineEdit& editor)>;
    using ComboEditShowEvent =
        std::function<void(TCustomMcTree& sender, TMcTreeItem* item, TMcHeaderSection* section, QComboBox& combo)>;
    using ValidateInplaceEditEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item,
                                                        TMcHeaderSection* section, std::string& text, bool& accept)>;
    using ValidateComboEvent = std::function<void(TCustomMcTree& sender, TMcTreeItem* item, TMcHeaderSection* section,
                                                  QComboBox& combo, bool& accept)>;
    using EditKeyDownEvent = std::function<void(QWidget& editor, int& key, Qt::KeyboardModifiers shift)>;
    using ScrollEvent = std::function<void(TCustomMcTree& sender, TScrollBarKind kind, TMcScrollCode code)>;
    using ColumnEvent = std::function<void(TCustomMcTree& sender, int32_t sectionIndex)>;
    using ColumnMoveEvent =
        std::function<void(TCustomMcTree& sender, TMcHeaderSection* section, int32_t oldPos, int32_t newPos)>;
    using SectionEvent = std::function<void(TCustomMcTree& sender, TMcHeaderSection* section)>;
    using LookupEvent = std::function<void(TCustomMcTree& sender, TMcHeaderSection* section, std::string& text)>;
    using LookupDoneEvent = std::function<void(TCustomMcTree& sender, TMcHeaderSection* section,
                                               const std::string& text, bool accepted)>;
    using MeasureCellEvent =
        std::function<void(TCustomMcTree& sender, TMcTreeItem* item, int32_t sectionIndex, gdi::Point& size)>;

    explicit TCustomMcTree(QWidget* parent = nullptr);
    ~TCustomMcTree() override;

    // ---- the parts
    TMcTreeItems& Items() { return *items_; }
    TMcTreeView& View() { return *view_; }
    const TMcTreeView& View() const { return *view_; }
    TMcHeader& Header() { return *header_; }
    const TMcHeader& Header() const { return *header_; }
    TMcScrollBar& HorzScrollBar() { return *horzBar_; }
    TMcScrollBar& VertScrollBar() { return *vertBar_; }
    TMcScrollBarStyles& HorzScrollBarStyles() { return *horzStyles_; }
    TMcScrollBarStyles& VertScrollBarStyles() { return *vertStyles_; }
    // The standard bars, shown instead of the custom ones without UseCustomScrollBars.
    QWidget& StandardScrollBar(TScrollBarKind kind) const;
    TMcTreeItem* RootItem() const { return items_->Root(); }
    const TMcTreeSettings& Settings() const { return settings_; }

    // ---- update bracket and recalculation
    void SetUpdating(bool open) override;
    bool IsUpdating() const override { return updateCount_ > 0; }
    void ArrangeChildren();
    virtual int32_t DefaultLineHeight() const;
    int32_t CountVisibleItems();
    void UpdateScrollBars();
    // Reading a stored layout: recalculating setters only store; Loaded does the work once.
    void BeginLoad();
    virtual void Loaded();
    bool IsLoading() const { return loading_; }
    void Assign(const TCustomMcTree& source);

    // ---- positions
    int32_t TopIndex() const { return topIndex_; }
    void SetTopIndex(int32_t index);
    // Moves the thumb of the bar (custom and standard) to the position.
    void SetBarPosition(TScrollBarKind kind, int32_t position);
    int32_t BottomIndex() const { return bottomIndex_; }
    int32_t ShownItemCount() const { return shownCount_; }
    int32_t LeftPosition() const { return options_.LeftPosition; }
    void SetLeftPosition(int32_t value);
    bool HorzBarShown() const { return horzShown_; }
    bool VertBarShown() const { return vertShown_; }
    // The rectangle inside the frame where header, view and bars are laid out.
    QRect ClientArea() const;

    // ---- focus and selection
    TMcTreeItem* FocusedItem() const override { return view_->FocusedItem(); }
    void SetFocusedItem(TMcTreeItem* item) override { FocusItem(item, false); }
    void FocusItem(TMcTreeItem* item, bool force) { ChangeFocus(item, force, false); }
    bool ChangeFocus(TMcTreeItem* item, bool force, bool delayed);
    void SetSelectedItem(TMcTreeItem* item) override;
    int32_t SelectedItemCount() const override;
    TMcTreeItem* AnchorItem() const override { return view_->AnchorItem(); }
    void ClearAnchor() override { view_->SetAnchorItem(nullptr); }
    virtual TMcTreeItem* NextSelectedItem(TMcTreeItem* prev) const;
    virtual void CopySelectionTo(TMcItemList& list) const;
    virtual void SelectAllItems();
    virtual void InvertAllItems();
    virtual void SelectItems(bool includeHidden);
    virtual void InvertItems(bool includeHidden);
    virtual void UnselectShownItems();
    virtual void UnselectItems(bool includeHidden);
    virtual void SelectItemRange(TMcTreeItem* from, TMcTreeItem* to) { SelectItemRange(from, to, true); }
    virtual void SelectItemRange(TMcTreeItem* from, TMcTreeItem* to, bool includeDisabled);
    virtual void SelectItemRangeEx(TMcTreeItem* from, TMcTreeItem* to, bool includeHidden) {
        SelectItemRangeEx(from, to, true, includeHidden);
    }
    virtual void SelectItemRangeEx(TMcTreeItem* from, TMcTreeItem* to, bool includeDisabled, bool includeHidden);
    bool SelectionChanged() const { return selectionChanged_; }
    void ClearSelectionChanged() { selectionChanged_ = false; }

    // ---- expansion, scrolling and queries (tree coordinates)
    virtual void ExpandAll();
    virtual void CollapseAll();
    void MakeItemVisible(TMcTreeItem* item);
    void MakeItemVisibleAtBottom(TMcTreeItem* item);
    virtual void ScrollItemToTop(TMcTreeItem* item);
    virtual TMcTreeItem* FirstShownItem() const;
    virtual bool IsItemShown(const TMcTreeItem* item) const;
    virtual TMcTreeItem* HitTest(int32_t x, int32_t y, TMcTreeHitPart& part, int32_t& column) const;
    virtual TMcTreeItem* ItemAtY(int32_t y) const;
    virtual void RowRect(int32_t index, gdi::Rect& r) const;
    virtual void StartEdit(TMcTreeItem* item, int32_t sectionIndex);
    void StopEdit(bool cancel) { view_->EndEdit(cancel); }
    // One line per item: a space per level, the text, CR LF.
    virtual void WriteOutline(TStream& stream) const;

    // ---- sorting and columns
    virtual void SortItems(bool recursive);
    int32_t CompareItems(TMcTreeItem* a, TMcTreeItem* b, int32_t column, TSortTypes sortType,
                         TMcSSortMode sectionSortMode) override;
    virtual void MeasureCell(TMcTreeItem* item, int32_t sectionIndex, gdi::Point& size);
    int32_t WidestCell(int32_t sectionIndex, bool shownOnly);
    void AutoSizeColumn(int32_t column) override;
    void AutoSizeAllColumns() override;
    // The picture indexes a row shows (state images, then the picture requests).
    int32_t PictureIndex(TMcTreeItem* item, bool second);
    // Whether the state images apply: focused, selected, cut, or expanded with shown children.
    bool StateImageApplies(const TMcTreeItem* item) const;

    // The font of a cell: the tree's, the item's style flags, or the cell style's own.
    gdi::LogFont CellFont(const TMcTreeItem* item, const TMcCellStyle* style) const;
    // Whether the application draws (and measures) the cell.
    bool OwnerDrawnCell(const TMcTreeItem* item, const TMcHeaderSection* section, const std::string& text,
                        const TMcCellStyle* style) const;
    // The width of an item's check box after its 2-pixel gap.
    int32_t CheckBoxSlot(const TMcTreeItem* item) const;

    // ---- frame
    bool Focused() const;
    // The view gained or lost the keyboard focus: the frame and bars may look different now.
    void FocusChanged();
    void RedrawFrame();
    void DrawBorder(gdi::Canvas& canvas);
    // The border's width in pixels on each side.
    int32_t BorderWidth() const;
    TMcFlatBorderType CurrentBorderType() const;

    // ---- properties
    bool MultiSelect() const { return options_.MultiSelect; }
    void SetMultiSelect(bool value);
    bool ShowColumns() const { return options_.ShowColumns; }
    virtual void SetShowColumns(bool value);
    int32_t MainTreeColumn() const { return options_.MainTreeColumn; }
    void SetMainTreeColumn(int32_t value);
    TMcHeaderSections& HeaderSections() { return header_->Sections(); }
    void SetHeaderSections(const TMcHeaderSections& sections);
    int32_t HeaderHeight() const { return header_->height(); }
    void SetHeaderHeight(int32_t value);
    TSortModes SortMode() const { return options_.SortMode; }
    void SetSortMode(TSortModes value) { options_.SortMode = value; }
    int32_t SortSection() const { return options_.SortSection; }
    void SetSortSection(int32_t value) { options_.SortSection = value; }
    TSortTypes SortType() const { return options_.SortType; }
    void SetSortType(TSortTypes value) { options_.SortType = value; }
    TSortDirs SortDir() const { return settings_.SortDir; }
    void SetSortDir(TSortDirs value) { settings_.SortDir = value; }
    bool ShowImages() const { return options_.ShowImages; }
    void SetShowImages(bool value);
    bool ShowEmptyImages() const { return options_.ShowEmptyImages; }
    void SetShowEmptyImages(bool value);
    bool ShowEmptyImages2() const { return options_.ShowEmptyImages2; }
    void SetShowEmptyImages2(bool value);
    bool ShowButtons() const { return options_.ShowButtons; }
    void SetShowButtons(bool value);
    bool ShowLines() const { return options_.ShowLines; }
    void SetShowLines(bool value);
    bool ShowCheckboxes() const { return options_.ShowCheckboxes; }
    void SetShowCheckboxes(bool value);
    bool FilteredVisibility() const { return options_.FilteredVisibility; }
    void SetFilteredVisibility(bool value);
    void SetMoveFocusOnCollapse(bool value);
    void SetDeselectChildrenOnCollapse(bool value) { options_.DeselectChildrenOnCollapse = value; }
    int32_t LineHeight() const { return options_.LineHeight; }
    void SetLineHeight(int32_t value);
    const gdi::LogFont& Font() const { return options_.Font; }
    void SetFont(const gdi::LogFont& font);

    void SetBorderStyle(TBorderStyle value);
    void SetFlat(bool value);
    void SetActiveBorderType(TMcFlatBorderType value);
    void SetInactiveBorderType(TMcFlatBorderType value);
    void SetFlatFocusedScrollbars(bool value);
    void SetUseCustomScrollBars(bool value);
    void SetForcedScrollBars(TScrollStyle value);
    void SetHideHorzScrollBar(bool value);
    void SetHideVertScrollBar(bool value);
    void SetScrollbarOpposite(bool value);
    void SetScrollTracking(bool value) { settings_.ScrollTracking = value; }
    void SetBkColor(gdi::Color value);
    void SetTextColor(gdi::Color value);
    void SetBarStyle(bool value);
    void SetBarStyleVerticalLines(bool value);
    void SetAutoLineHeight(bool value);
    void SetItemIndent(int32_t value);
    void SetHorizontalLines(bool value);
    void SetVerticalLines(bool value);
    void SetVerticalLinesLong(bool value);
    void SetDivLinesColor(gdi::Color value);
    void SetLinesColor(gdi::Color value);
    void SetLinesStyle(gdi::PenStyle value);
    void SetShowRoot(bool value);
    void SetShowRootButtons(bool value);
    void SetCustomPlusMinus(bool value);
    const gdi::Bitmap& PlusPicture() const { return plusPicture_; }
    void SetPlusPicture(const gdi::Bitmap& picture);
    const gdi::Bitmap& MinusPicture() const { return minusPicture_; }
    void SetMinusPicture(const gdi::Bitmap& picture);
    // The built-in 9 x 9 button pictures.
    static const gdi::Bitmap& DefaultButtonPicture(bool plus);
    void SetPlusMinusTransparent(bool value);
    void SetCustomCheckboxes(bool value);
    const gdi::Bitmap* CheckBoxGlyph() const { return checkBoxGlyph_.get(); }
    void SetCheckBoxGlyph(const gdi::Bitmap* glyph);
    const gdi::Bitmap* RadioButtonGlyph() const { return radioButtonGlyph_.get(); }
    void SetRadioButtonGlyph(const gdi::Bitmap* glyph);
    gdi::ImageList* Images() const { return settings_.Images; }
    void SetImages(gdi::ImageList* images);
    gdi::ImageList* Images2() const { return settings_.Images2; }
    void SetImages2(gdi::ImageList* images);
    void SetChangeStateImage(bool value);
    void SetRightAlignedText(bool value);
    void SetRightAlignedTree(bool value);
    void SetHeaderColor(gdi::Color value) { header_->SetColor(value); }
    void SetHeaderFlat(bool value) { header_->SetFlat(value); }
    void SetHeaderHotTrack(bool value) { header_->SetTracking(value); }
    void SetHeaderImages(gdi::ImageList* images) { header_->SetImages(images); }
    void SetHeaderInvertSortArrows(bool value) { header_->SetInvertSortArrows(value); }
    void SetHeaderFilterColor(gdi::Color value) { header_->SetFilterColor(value); }
    void SetHeaderActiveFilterColor(gdi::Color value) { header_->SetActiveFilterColor(value); }
    void SetLockHeaderHeight(bool value) { header_->SetLockHeight(value); }
    void SetStickyHeaderSections(bool value) { header_->SetStickySections(value); }
    void SetMoveColumnOnDrag(bool value) { header_->SetMoveOnDrag(value); }
    void SetDraggableSections(bool value) { header_->SetAllowDrag(value); }
    void SetAutoResizeColumns(bool value) { settings_.AutoResizeColumns = value; }
    void SetOwnerDrawByColumn(bool value) { settings_.OwnerDrawByColumn = value; }
    void SetOwnerDrawMask(const std::string& value) { settings_.OwnerDrawMask = value; }
    void SetAutoLookup(bool value) { settings_.AutoLookup = value; }
    void SetSelectionMode(TZRSelModes value) { settings_.SelectionMode = value; }
    void SetRowSelect(bool value);
    void SetFullRowSelect(bool value) { settings_.FullRowSelect = value; }
    int32_t SelectColumn() const { return settings_.SelectColumn; }
    void SetSelectColumn(int32_t value);
    void SetAlwaysKeepFocus(bool value) { settings_.AlwaysKeepFocus = value; }
    void SetAlwaysKeepSelection(bool value) { settings_.AlwaysKeepSelection = value; }
    void SetRightClickSelect(bool value) { settings_.RightClickSelect = value; }
    void SetAutoExpand(bool value);
    void SetExpandOnDblClick(bool value) { settings_.ExpandOnDblClick = value; }
    void SetChangeDelay(int32_t value) { settings_.ChangeDelay = value; }
    void SetHideSelection(bool value);
    void SetHideFocusRect(bool value);
    void SetDrawFocusRect(bool value);
    void SetFocusedSelectColor(gdi::Color value);
    void SetFocusedSelectTextColor(gdi::Color value);
    void SetHideSelectColor(gdi::Color value);
    void SetHideSelectTextColor(gdi::Color value);
    void SetTracking(bool value) { settings_.Tracking = value; }
    void SetTrackColor(gdi::Color value);
    void SetUnderlineTracked(bool value);
    void SetRowHotTrack(bool value);
    virtual void SetDoInplaceEdit(bool value) { settings_.DoInplaceEdit = value; }
    void SetIncrementalSearch(bool value) { settings_.IncrementalSearch = value; }
    void SetLineHintMode(THintModes value) { settings_.LineHintMode = value; }
    void SetLineHintColor(gdi::Color value) { settings_.LineHintColor = value; }
    void SetLineHintTimeout(int32_t value) { settings_.LineHintTimeout = value; }
    void SetHideHintOnTimer(bool value) { settings_.HideHintOnTimer = value; }
    void SetHideHintOnMove(bool value) { settings_.HideHintOnMove = value; }
    void SetUseSystemHintColors(bool value) { settings_.UseSystemHintColors = value; }
    void SetHint(const std::string& value) { settings_.Hint = value; }
    void SetShowHint(bool value) { settings_.ShowHint = value; }
    void SetDragAllowed(bool value) { settings_.DragAllowed = value; }
    void SetDragType(TMcDragType value) { settings_.DragType = value; }
    void SetDragImageMode(TDragImgMode value) { settings_.DragImageMode = value; }
    void SetDragTrgDrawMode(TDragTargetDraw value);
    void SetDragRectAcceptColor(gdi::Color value);
    void SetDragRectDenyColor(gdi::Color value);
    void SetDragExpandDelay(int32_t value) { settings_.DragExpandDelay = value; }
    void SetExpandOnDragOver(bool value) { settings_.ExpandOnDragOver = value; }
    void SetDragCursor(Qt::CursorShape value) { settings_.DragCursor = value; }
    void SetPathSeparator(const std::string& value) { settings_.PathSeparator = value; }
    void SetDoubleBuffered(bool value) { settings_.DoubleBuffered = value; }

    // ---- events
    NotifyEvent OnClick, OnDblClick, OnEnter, OnExit, OnItemFocused, OnAfterSelectionChange, OnSortBegin, OnSortEnd,
        OnHeaderResize;
    KeyEvent OnKeyDown, OnKeyUp;
    KeyPressEvent OnKeyPress;
    MouseEvent OnMouseDown, OnMouseUp;
    MouseMoveEvent OnMouseMove;
    DragDropEvent OnDragDrop;
    DragOverEvent OnDragOver;
    StartDragEvent OnStartDrag;
    EndDragEvent OnEndDrag;
    ChangingEvent OnChanging;
    ItemEvent OnItemSelectedChange, OnItemChecked, OnItemExpand, OnItemCollapse, OnItemDeletion;
    ItemChangeEvent OnItemChange;
    ItemProcessEvent OnItemExpanding, OnItemCollapsing;
    ItemStreamEvent OnItemSave, OnItemLoad;
    CellStyleStreamEvent OnCellStyleSave, OnCellStyleLoad;
    CompareEvent OnCompareItems;
    ItemDrawEvent OnItemDraw;
    ItemPostDrawEvent OnItemPostDraw;
    ItemPicDrawEvent OnItemPicDraw, OnItemPicDraw2;
    HotTrackEvent OnHotTrack;
    ShowLineHintEvent OnShowLineHint;
    DragTargetChangeEvent OnDragTargetChange;
    TryEditEvent OnTryEdit;
    EditRequestEvent OnEditRequest;
    TuneUpInplaceEditEvent OnTuneUpInplaceEdit;
    ComboEditShowEvent OnComboEditShow;
    ValidateInplaceEditEvent OnValidateInplaceEdit;
    ValidateComboEvent OnValidateCombo;
    EditKeyDownEvent OnEditKeyDown;
    ScrollEvent OnScroll;
    TCustomMcScrollBar::DrawPartEvent OnHorzScrollDrawPart, OnVertScrollDrawPart;
    TCustomMcScrollBar::HintNeededEvent OnHorzScrollHintNeeded, OnVertScrollHintNeeded;
    ColumnEvent OnHeaderColumnClick, OnHeaderColumnResize, OnHeaderSectionFilterCall, OnHeaderSectionAutoSize;
    ColumnMoveEvent OnHeaderColumnMove;
    TCustomMcHeader::SectionDrawEvent OnHeaderColumnDraw;
    TCustomMcHeader::MouseEvent OnHeaderMouseDown;
    SectionEvent OnHeaderSectionExpand, OnHeaderSectionCollapse;
    LookupEvent OnHeaderLookup;
    LookupDoneEvent OnHeaderLookupDone;
    // Measures owner-drawn cells; without it they measure (0, 0).
    MeasureCellEvent OnMeasureCell;

    // ---- dispatchers of the view's events (tree coordinates are made here)
    virtual void DoClick();
    virtual void DoDblClick();
    virtual void DoEnter();
    virtual void DoExit();
    virtual void DoKeyDown(int& key, Qt::KeyboardModifiers shift);
    virtual void DoKeyUp(int& key, Qt::KeyboardModifiers shift);
    virtual void DoKeyPress(char16_t& key);
    virtual void DoMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y);
    virtual void DoMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y);
    virtual void DoMouseMove(Qt::KeyboardModifiers shift, int32_t x, int32_t y);
    virtual void DoDragOver(TMcTreeDragObject* source, int32_t x, int32_t y, TDragState state, bool& accept);
    virtual void DoDragDrop(TMcTreeDragObject* source, int32_t x, int32_t y);
    virtual void DoStartDrag(TMcTreeDragObject*& dragObject);
    virtual void DoEndDrag(QObject* target, int32_t x, int32_t y);
    TMcTreeDragObject* DragObject() const { return dragObject_; }
    void SetDragObject(TMcTreeDragObject* object) { dragObject_ = object; }

    // ---- dispatchers of the tree's own events
    virtual void DoChanging(TMcTreeItem* item, bool& allowChange);
    virtual void DoItemFocused();
    virtual void DoAfterSelectionChange();
    virtual void DoItemChecked(TMcTreeItem* item);
    virtual void DoItemDraw(TMcTreeItem* item, gdi::Canvas& surface, const gdi::Rect& r, int32_t sectionIndex);
    virtual void DoItemPostDraw(gdi::Canvas& canvas, TMcTreeItem* item, const gdi::Rect& itemRect, bool& drawFocusRect);
    virtual void DoHotTrack(TMcTreeItem* oldItem, TMcTreeItem* newItem);
    virtual void DoShowLineHint(TMcTreeItem* item, std::string& text, TMcHintWindow& window, QPoint mousePos,
                                bool& doShow);
    virtual void DoDragTargetChange(TMcTreeItem* item, const gdi::Rect& itemRect, int32_t x, int32_t y);
    virtual void DoTryEdit(TMcTreeItem* item, TMcHeaderSection* section, TFieldTypes& cellType, bool& canEdit);
    virtual void DoEditRequest(TMcTreeItem* item, TMcHeaderSection* section);
    virtual void DoTuneUpInplaceEdit(TMcTreeItem* item, int32_t sectionIndex, QLineEdit& editor);
    virtual void DoComboEditShow(TMcTreeItem* item, TMcHeaderSection* section, QComboBox& combo);
    virtual void DoValidateInplaceEdit(TMcTreeItem* item, TMcHeaderSection* section, std::string& text, bool& accept);
    virtual void DoValidateCombo(TMcTreeItem* item, TMcHeaderSection* section, QComboBox& combo, bool& accept);
    virtual void DoEditKeyDown(QWidget& editor, int& key, Qt::KeyboardModifiers shift);
    virtual void DoScroll(TScrollBarKind kind, TMcScrollCode code);

    // ---- what the items ask (TMcTreeHost)
    const TMcTreeOptions& Options() const override { return options_; }
    bool IsDestroying() const override { return destroying_; }
    void MarkChanged() override { changed_ = true; }
    void MarkSortPending() override { sortPending_ = true; }
    void MarkView(uint32_t marks) override;
    void ResetWidthCache() override { view_->SetContentWidth(-1); }
    void UpdateContentWidth() override { view_->UpdateContentWidth(); }
    int32_t SortingCount() const override { return sortingCount_; }
    void ChangeSortingCount(int32_t delta) override { sortingCount_ += delta; }
    void ChangeEventSuppression(int32_t delta) override { eventSuppression_ += delta; }
    bool IsValidating() const override { return validating_; }
    TMcItemList& AllItems() override { return allItems_; }
    const TMcItemList& AllItems() const { return allItems_; }
    TMcItemList* SelectedList() override { return selected_.get(); }
    void ChangeHiddenCount(int32_t delta) override { hiddenCount_ += delta; }
    void MarkSelectionChanged() override { selectionChanged_ = true; }
    const TMcHeaderSections* HeaderSections() const override { return &header_->Sections(); }
    gdi::Rect RowRect(const TMcTreeItem* item) const override;
    void InvalidateRect(const gdi::Rect& r, bool erase) override;
    void RepaintNow() override;
    void RemoveFromRows(TMcTreeItem* item) override;
    void ForgetItem(TMcTreeItem* item) override;
    TMcTreeItem* EditedItem() const override { return view_->EditedItem(); }
    void ForgetEditedItem() override { view_->ForgetEditedItem(); }
    void EndEdit() override { view_->EndEdit(true); }
    void DoItemChange(TMcTreeItem* item, int32_t kind) override;
    void DoItemExpanding(TMcTreeItem* item, bool& canProcess) override;
    void DoItemCollapsing(TMcTreeItem* item, bool& canProcess) override;
    void DoItemExpand(TMcTreeItem* item) override;
    void DoItemCollapse(TMcTreeItem* item) override;
    void DoItemDeletion(TMcTreeItem* item) override;
    void DoItemSelectedChange(TMcTreeItem* item) override;
    void DoSortBegin() override;
    void DoSortEnd() override;
    void DoItemSave(TMcTreeItem* item, TStream& stream) override;
    void DoItemLoad(TMcTreeItem* item, TStream& stream) override;
    bool HasItemLoad() const override { return static_cast<bool>(OnItemLoad); }
    bool HasCellStyleSave() const override { return static_cast<bool>(OnCellStyleSave); }
    bool HasCellStyleLoad() const override { return static_cast<bool>(OnCellStyleLoad); }
    void DoCellStyleSave(TMcTreeItem* item, TStream& stream, TMcCellStyle& style) override;
    void DoCellStyleLoad(TMcTreeItem* item, TStream& stream, TMcCellStyle& style) override;

    // ---- for tests: the number of closings that recalculated
    int32_t Recalculations() const { return recalculations_; }
    TViewTimer* ChangeTimer() const { return changeTimer_.get(); }

protected:
    virtual TMcTreeItems* CreateItems();
    virtual TMcTreeView* CreateView();
    virtual TMcHeader* CreateHeader();
    virtual int32_t CompareByHandler(TMcTreeItem* a, TMcTreeItem* b);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    friend class TMcTreeView;
    // What a setter does once the value is stored (McTreeProperties.cpp).
    enum Reaction : uint32_t {
        kRowsRepaint = 0x1, kFullRepaint = 0x2, kRemeasure = 0x4, kLineHeight = 0x8, kRebuild = 0x10,
        kRelayout = 0x20, kFrame = 0x40, kRowsDirty = 0x80,
    };
    template <typename T>
    void Set(T& field, const T& value, uint32_t reactions);
    void React(uint32_t reactions);
    void NewLineHeight();
    void ButtonPictureChanged();

    // ---- construction and layout (McTree.cpp)
    void BuildScrollBars();
    void Rearranged();
    void PlaceStandardBars(const QRect& area);
    void BindHeader();
    void BarMouseDown();
    void ClosingWork();
    void StandardBarAction(TScrollBarKind kind, int action);
    void SetBar(TScrollBarKind kind, int32_t max, int32_t page, int32_t position, bool forced);
    bool HorizontalRangeStep();
    bool VerticalRangeStep();
    void ChangeTimerTick();
    void FontChanged();
    void ImagesChanged();
    void SubscribeImages(gdi::ImageList*& field, int32_t& subscription, gdi::ImageList* images);

    // ---- header reactions (McTreeColumns.cpp, McTreeSort.cpp)
    void SectionResized(TMcHeaderSection* section);
    void SectionClicked(TMcHeaderSection* section);
    void SectionMoved(TMcHeaderSection* section, int32_t oldPos, int32_t newPos);
    void SectionShownOrHidden(TMcHeaderSection* section);
    void SectionDeleted(TMcHeaderSection* section);
    void SectionCreated(TMcHeaderSection* section);
    void SectionChanged(TMcHeaderSection* section, TSectionChangeMode change);
    void SectionAutoSizeRequest(TMcHeaderSection* section);
    void HeaderResized();
    void HeaderLookup(TMcHeaderSection* section, std::string& text);
    void VertScrollHint(int32_t trackPosition, std::string& hint);
    void MeasureMainCell(TMcTreeItem* item, gdi::Point& size);
    void MeasureColumnCell(TMcTreeItem* item, int32_t column, gdi::Point& size);
    int32_t CaptionWidth(TMcHeaderSection* section);

    // ---- selection walks and scrolling (McTreeSelection.cpp)
    void BringIntoView(TMcTreeItem* item, const std::function<int32_t(TMcTreeView&, int32_t)>& topFor);
    void SelectWalk(bool toggle, bool everyItem, bool skipCollapsed);
    void UnselectList(bool keepHidden);

    std::unique_ptr<TMcTreeItems> items_;
    TMcTreeView* view_ = nullptr;
    TMcHeader* header_ = nullptr;
    TMcScrollBar* horzBar_ = nullptr;
    TMcScrollBar* vertBar_ = nullptr;
    std::unique_ptr<TMcScrollBarStyles> horzStyles_, vertStyles_;
    TMcStandardScrollBar* horzStandard_ = nullptr;
    TMcStandardScrollBar* vertStandard_ = nullptr;
    TMcItemList allItems_;
    std::unique_ptr<TMcItemList> selected_;

    TMcTreeOptions options_;
    TMcTreeSettings settings_;
    gdi::Bitmap plusPicture_, minusPicture_;
    std::unique_ptr<gdi::Bitmap> checkBoxGlyph_, radioButtonGlyph_;
    int32_t imagesSubscription_ = 0, images2Subscription_ = 0;
    TMcPaintBuffer frameBuffer_;
    QRegion dirty_;  // invalidated by the items, for RepaintNow
    std::unique_ptr<TViewTimer> changeTimer_;
    TMcTreeItem* pendingFocusItem_ = nullptr;
    TMcTreeDragObject* dragObject_ = nullptr;

    int32_t updateCount_ = 0;
    bool changed_ = false;
    bool sortPending_ = false;
    bool closing_ = false;
    bool arranging_ = false;
    bool columnSizing_ = false;
    bool loading_ = false;
    bool destroying_ = false;
    bool validating_ = false;
    bool selectionChanged_ = false;
    bool mouseOver_ = false;
    int32_t sortingCount_ = 0;
    int32_t eventSuppression_ = 0;
    int32_t hiddenCount_ = 0;
    int32_t topIndex_ = 0, bottomIndex_ = 0, shownCount_ = 0;
    bool horzShown_ = false, vertShown_ = false;
    int32_t recordedHeaderHeight_ = -1;
    int32_t lastHeaderHeight_ = 0;
    int32_t recalculations_ = 0;
};

// The tree with its properties and events in use.
class TMcTree : public TCustomMcTree {
public:
    using TCustomMcTree::TCustomMcTree;
};
