#pragma once
// The client window of the tree control: the rows on screen, the vertical
// position (top index) and the horizontal one (LeftPosition), scrolling by
// the bars and the wheel, painting the rows, the mouse and the keys that
// expand, check, focus and select, in-place editing, line hints, dragging
// inside the tree and the incremental search. Every setting is read from
// the tree; positions are kept there too.
//
// Content coordinates run from the left edge of the main column's content;
// the view shows them shifted left by LeftPosition. Rows are numbered by
// their index among the shown items; every row is LineHeight pixels high.

#include "treectl/header/McHeaderSection.h"
#include "treectl/items/McTreeItem.h"
#include "treectl/support/McPaintBuffer.h"

#include "platform/gdi/BitmapCanvas.h"

#include "foundation/ViewTimer.h"
#include "platform/gdi/GdiTypes.h"

#include <QtCore/QPointer>
#include <QtWidgets/QWidget>

#include <memory>
#include <string>

namespace gdi {
class Canvas;
class ImageList;
}  // namespace gdi
class QHelpEvent;
class TCustomMcTree;
class TMcHeaderSection;
class TMcHintWindow;
class TMcOverlay;
class TMcTreeDragObject;
enum class TMcScrollCode : uint8_t;

// The part of a row under a point.
enum class TMcTreeHitPart : uint8_t {
    tpButton = 0, tpText = 1, tpColumn = 2, tpRow = 3, tpPicture = 4, tpPicture2 = 5, tpCheckBox = 6,
};

// The drag notifications a view receives from the drag in progress.
enum class TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

class TMcTreeView : public QWidget {
public:
    explicit TMcTreeView(TCustomMcTree& tree);
    ~TMcTreeView() override;

    TCustomMcTree& Tree() const { return tree_; }

    // ---- rows and positions
    const TMcItemList& Rows() const { return rows_; }
    // Rows of LineHeight needed to cover the height (a cut-off row counts).
    virtual int32_t PageRowCount() const;
    // Whole rows and the pixels left below them.
    virtual std::pair<int32_t, int32_t> RowFit() const;
    // The row's rectangle (bottom inclusive); empty outside the rows on screen.
    virtual void GetRowRect(int32_t index, gdi::Rect& r) const;
    virtual TMcTreeItem* GetItemAtY(int32_t y) const;
    virtual TMcTreeItem* HitTest(int32_t x, int32_t y, TMcTreeHitPart& part, int32_t& column) const;
    void FillRows(int32_t topIndex);
    void RebuildRows(int32_t value);
    void ApplyTopIndex(int32_t value);
    void ApplyLeftPosition(int32_t value);
    int32_t ContentWidth() const { return contentWidth_; }
    void SetContentWidth(int32_t width) { contentWidth_ = width; }
    void UpdateContentWidth();
    int32_t ItemExtent(TMcTreeItem* item);
    void InvalidateChanged();
    int32_t RowsAbove(int32_t visibleIndex) const;
    // The scroll bars' OnScroll.
    void HorzScroll(QObject* sender, TMcScrollCode code, int32_t& scrollPos, bool& doChange);
    void VertScroll(QObject* sender, TMcScrollCode code, int32_t& scrollPos, bool& doChange);
    // Wheel turns in eighths of a degree (120 a notch); parts of a row are kept for the next turn.
    void WheelRows(int32_t delta, int32_t linesPerNotch);
    void DropItem(TMcTreeItem* item);  // a deleted item leaves the rows and every reference

    // ---- requests collected while the tree's update bracket is open
    bool rowsDirty = false, countStale = false, fullRepaint = false, rowsRepaint = false;

    // ---- focus and selection
    TMcTreeItem* FocusedItem() const { return focused_; }
    void SetFocusedItemField(TMcTreeItem* item) { focused_ = item; }
    TMcTreeItem* AnchorItem() const { return anchor_; }
    void SetAnchorItem(TMcTreeItem* item) { anchor_ = item; }
    TMcTreeItem* HotItem() const { return hot_; }
    TMcTreeItem* DropTarget() const { return dropTarget_; }
    bool DropAccepted() const { return dropAccepted_; }
    void ToggleItemSelection(TMcTreeItem* item);
    void ApplyDeferredSelection();
    void RevealChildren(TMcTreeItem* item);
    // Whether the view is the focus widget of its window.
    bool IsActiveControl() const;
    // Tells assistive technology about the focused row.
    void AnnounceFocusedItem();

    // ---- painting
    bool IsPainting() const { return painting_; }
    // Paints the client area onto any canvas (the window's paint goes through a bitmap).
    void Paint(gdi::Canvas& canvas);
    const gdi::Bitmap* LastPicture() const { return buffer_.Picture(); }

    // ---- in-place editing
    virtual bool EditItem(TMcTreeItem* item, int32_t column);
    virtual bool EndEdit(bool cancel);
    QWidget* Editor() const { return editor_; }
    bool EditorVisible() const;
    TMcTreeItem* EditedItem() const { return editItem_; }
    int32_t EditedColumn() const { return editColumn_; }
    void ForgetEditedItem() { editItem_ = nullptr; }

    // ---- hints, dragging, search
    void ShowLineHint(TMcTreeItem* item);
    void HideLineHint();
    TMcHintWindow* LineHintWindow() const { return hintWindow_.get(); }
    TMcTreeItem* HintedItem() const { return hintedItem_; }
    virtual void DragOverItem(TMcTreeDragObject* source, int32_t x, int32_t y, bool accepted);
    virtual bool DragScrollStep(TMcTreeDragObject* source, int32_t y);
    void BuildDragImage();
    const gdi::ImageList* DragImages() const;
    int32_t DragImageTop() const { return dragImageTop_; }
    bool IsDragging() const { return dragObject_ != nullptr; }
    // The drag's notifications as the tree under the cursor gets them.
    void DragMessage(TDragState state, TMcTreeDragObject* source, QPoint p, bool& accept);
    void DropMessage(TMcTreeDragObject* source, QPoint p, bool drop);
    bool SearchKey(char16_t key);
    const std::string& SearchText() const { return searchText_; }
    void StopSearch();

    // ---- timers, for tests
    TViewTimer* EditDelayTimer() const { return editDelayTimer_.get(); }
    TViewTimer* LineHintTimer() const { return lineHintTimer_.get(); }
    TViewTimer* AutoScrollTimer() const { return autoScrollTimer_.get(); }
    TViewTimer* DragExpandTimer() const { return dragExpandTimer_.get(); }
    TViewTimer* SearchTimer() const { return searchTimer_.get(); }

protected:
    // ---- editors by cell type, and their commits (each commit gets cancel)
    virtual bool CreateEditor(TMcTreeItem* item, TMcHeaderSection* section, TFieldTypes cellType);
    virtual QWidget* CreateNumberEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section);
    virtual QWidget* CreateSpareEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section);
    virtual QWidget* CreateEnumEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section);
    virtual QWidget* CreateTextEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section);
    virtual QWidget* CreateDateTimeEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section);
    virtual QWidget* CreateDateEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section);
    virtual QWidget* CreateTimeEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section);
    virtual void RequestCustomEdit(TMcHeaderSection* section);
    virtual QWidget* CreateCheckBoxEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section);
    virtual void RequestBlobEdit(TMcHeaderSection* section);
    virtual void RequestPictureEdit(TMcHeaderSection* section);
    virtual QWidget* CreateCurrencyEditor(const gdi::Rect& r, const std::string& text, TMcHeaderSection* section);
    virtual void CommitEditor(bool cancel);
    virtual void CommitText(bool cancel);
    virtual void CommitDateOrTime(bool cancel);
    virtual void CommitEnum(bool cancel);
    virtual void CommitCheckBox(bool cancel);
    virtual void CommitRequest(bool cancel);

    // ---- Qt
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TCustomMcTree;
    struct CellPaint;
    struct CellText;

    // ---- geometry (McTreeView.cpp)
    int32_t ClampTop(int32_t value) const;
    void RowsAndLength(int32_t& rows, int32_t& height) const;
    int32_t SummedRowsHeight() const;
    int32_t MapSecondary(QObject* sender, int32_t code) const;

    // ---- painting (McTreeViewPaint.cpp, McTreeViewCells.cpp)
    void PaintRows(gdi::Canvas& canvas);
    void DrawRow(gdi::Canvas& canvas, TMcTreeItem* item, const gdi::Rect& paintRect, const gdi::Rect& rowRect);
    void RowColors(gdi::Canvas& canvas, TMcTreeItem* item);
    void DrawCell(gdi::Canvas& canvas, TMcTreeItem* item, TMcHeaderSection* section, const gdi::Rect& rowRect);
    void DrawColumnText(gdi::Canvas& canvas, const std::string& text, const gdi::Rect& cell, const CellText& look);
    static uint32_t AlignmentFlags(TMcSAlignment alignment, bool rightAlignedText);
    static void ClippedBlt(gdi::Canvas& canvas, const gdi::Bitmap& picture, int32_t x, int32_t y, const gdi::Rect& clip);
    void DrawMainCell(gdi::Canvas& canvas, TMcTreeItem* item, const gdi::Rect& paintRect, const gdi::Rect& rowRect);
    void DrawMainText(gdi::Canvas& canvas, TMcTreeItem* item, CellPaint& cell);
    void DrawTreeLines(gdi::Canvas& canvas, TMcTreeItem* item, CellPaint& cell);
    void DrawButton(gdi::Canvas& canvas, TMcTreeItem* item, CellPaint& cell);
    void DrawCheckBox(gdi::Canvas& canvas, TMcTreeItem* item, CellPaint& cell);
    void DrawPictures(gdi::Canvas& canvas, TMcTreeItem* item, CellPaint& cell);
    bool DrawPicture(gdi::Canvas& canvas, const gdi::ImageList& list, int32_t index, CellPaint& cell);
    void DrawFocusAndMarks(gdi::Canvas& canvas, TMcTreeItem* item, const gdi::Rect& rowRect);
    void DrawGridLines(gdi::Canvas& canvas);
    void DrawStrikeLine(gdi::Canvas& canvas, TMcTreeItem* item, const gdi::Rect& rowRect);
    void DrawBar(gdi::Canvas& canvas, TMcTreeItem* item, gdi::Rect rowRect);
    bool SelectionShown(TMcTreeItem* item, bool inColumn) const;
    gdi::Color SelectColor() const;
    gdi::Color SelectTextColor() const;
    bool DropMarked(TMcTreeItem* item, bool inColumn) const;
    gdi::Color DropColor() const;
    gdi::Color DropTextColor() const;
    void DrawTreeLine(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2, const gdi::Rect& cell);

    // ---- mouse and keys (McTreeViewMouse.cpp, McTreeViewKeys.cpp)
    void LeftButtonDown(QMouseEvent* event);
    void LeftButtonUp(QMouseEvent* event);
    void LeftDoubleClick(QMouseEvent* event);
    void RightButtonDown(QMouseEvent* event);
    void RightButtonUp(QMouseEvent* event);
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y);
    void LeftSelection(TMcTreeItem* item, TMcTreeHitPart part, Qt::KeyboardModifiers shift);
    void RightSelection(TMcTreeItem* item, TMcTreeHitPart part, Qt::KeyboardModifiers shift);
    void ClickSelect(TMcTreeItem* item, Qt::KeyboardModifiers shift, bool rightButton);
    void SelectFromAnchor(TMcTreeItem* item);
    void CheckBoxClicked(TMcTreeItem* item);
    void TrackHot(int32_t y);
    void RepaintHotRow(TMcTreeItem* item);
    void KeyDown(int& key, Qt::KeyboardModifiers shift);
    bool NavigationKey(int key, Qt::KeyboardModifiers shift);
    TMcTreeItem* NavigationTarget(int key) const;
    void ScrollAfterMove(int key);
    void ExpandFocused(bool all);
    void CollapseFocused(bool all);
    void SpaceKey(Qt::KeyboardModifiers shift);
    TMcTreeItem* StepShown(TMcTreeItem* from, int32_t steps) const;
    bool Usable(const TMcTreeItem* item) const;

    // ---- editing (McTreeViewEdit.cpp)
    void ArmClickToEdit(QPoint p);
    void ClickToEditPress(QPoint p);
    void EditDelayTick();
    void StopEditDelay();
    void DisarmClickToEdit();
    void FreeEditor();
    gdi::Rect EditorRect(TMcTreeItem* item, TMcHeaderSection* section, std::string& text);
    void SetUpEditor(QWidget* editor, const gdi::Rect& r);
    bool EditorEvent(QEvent* event);
    QFont ViewFont() const;
    void StoreEditedText(TMcHeaderSection* section, std::string text, bool accept);
    TMcHeaderSection* EditedSection() const;
    void TakeFocusBack();

    // ---- hints (McTreeViewHints.cpp)
    void LineHintMouseMove(QPoint p);
    void LineHintTick();
    bool HintWanted(TMcTreeItem* item);
    void ItemHintMouseMove(QPoint p);
    bool ShowItemHint(QHelpEvent* event);
    void InputSeenByApplication(QObject* watched, QEvent* event);

    // ---- dragging (McTreeViewDrag.cpp)
    void StartDragging(QPoint p);
    void DragSessionMove(QPoint global);
    void DragSessionEnd(bool drop);
    void DrawDragRow(gdi::Canvas& canvas, TMcTreeItem* item, int32_t top);
    void AutoScrollTick();
    void DragExpandTick();
    void ShowDragImage(bool show);
    void ClearDropTarget();
    bool InScrollZone(int32_t y, bool up) const;

    // ---- search (McTreeViewSearch.cpp)
    void KeepSearchAlive();
    void SearchTick();
    void SearchFor();

    TCustomMcTree& tree_;
    TMcItemList rows_;
    int32_t contentWidth_ = -1;
    bool painting_ = false;
    bool destroying_ = false;
    int32_t wheelRest_ = 0;
    TMcPaintBuffer buffer_;
    gdi::BitmapCanvas measure_{1, 1};

    TMcTreeItem* focused_ = nullptr;
    TMcTreeItem* anchor_ = nullptr;
    TMcTreeItem* hot_ = nullptr;
    TMcTreeItem* dropTarget_ = nullptr;
    bool dropAccepted_ = false;

    // painting state of the row being drawn
    bool rowOwnBackground_ = false;
    bool rowColorFromItem_ = false;
    gdi::Color rowBackground_ = 0;
    gdi::Color rowText_ = 0;

    // mouse
    QPoint pressPoint_;
    bool buttonDown_ = false;
    bool inDoubleClick_ = false;
    bool doubleClickHappened_ = false;
    bool pendingSelection_ = false;
    TMcTreeItem* pendingItem_ = nullptr;
    Qt::KeyboardModifiers pendingShift_;

    // editing
    QPointer<QWidget> editor_;
    TMcTreeItem* editItem_ = nullptr;
    int32_t editColumn_ = -1;
    TFieldTypes editCellType_ = TFieldTypes::sftUndef;
    bool editing_ = false;
    bool exitHandlerOn_ = false;  // the editor commits when it loses the focus
    bool savedHideSelection_ = false;
    std::unique_ptr<TViewTimer> editDelayTimer_;
    TMcTreeItem* editDelayItem_ = nullptr;
    int32_t editDelayColumn_ = -1;
    bool clickEditArmed_ = false;
    TMcTreeItem* armedItem_ = nullptr;
    bool scrollToggle_ = false;

    // hints
    std::unique_ptr<TMcHintWindow> hintWindow_;
    std::unique_ptr<TViewTimer> lineHintTimer_;
    TMcTreeItem* hintedItem_ = nullptr;
    QPoint lastMouse_{-1, -1};
    TMcTreeItem* itemHintItem_ = nullptr;
    bool itemHintShown_ = false;
    bool dragOver_ = false;

    // dragging
    TMcTreeDragObject* dragObject_ = nullptr;  // the drag this view started
    QPointer<TMcTreeView> dragTargetView_;
    bool dragAccepted_ = false;
    QPoint dragPoint_;       // the drag's last position over this view
    QPoint lastDragGlobal_;  // the drag's last screen position (the drag of this view)
    gdi::Color dragKey_ = 0;
    std::unique_ptr<gdi::ImageList> dragImages_;
    int32_t dragImageTop_ = 0;
    QPoint dragHotSpot_;
    std::unique_ptr<TMcOverlay> dragImageWindow_;
    std::unique_ptr<TViewTimer> autoScrollTimer_;
    std::unique_ptr<TViewTimer> dragExpandTimer_;

    // search
    std::string searchText_;
    std::unique_ptr<TViewTimer> searchTimer_;
    bool searchKeepAlive_ = false;
};
