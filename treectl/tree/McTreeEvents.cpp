// Tree control: the dispatchers of its events. Each raises the event when a
// handler is assigned and does nothing otherwise; the view's events reach
// the tree with tree coordinates and the tree as drag source and target.
#include "treectl/tree/McTree.h"

#include "treectl/support/McTools.h"
#include "treectl/view/McTreeDragObject.h"

// ---- the view's events

void TCustomMcTree::DoClick() {
    if (OnClick) OnClick(*this);
}

void TCustomMcTree::DoDblClick() {
    if (OnDblClick) OnDblClick(*this);
}

void TCustomMcTree::DoEnter() {
    if (OnEnter) OnEnter(*this);
}

void TCustomMcTree::DoExit() {
    if (OnExit) OnExit(*this);
}

void TCustomMcTree::DoKeyDown(int& key, Qt::KeyboardModifiers shift) {
    if (OnKeyDown) OnKeyDown(*this, key, shift);
}

void TCustomMcTree::DoKeyUp(int& key, Qt::KeyboardModifiers shift) {
    if (OnKeyUp) OnKeyUp(*this, key, shift);
}

void TCustomMcTree::DoKeyPress(char16_t& key) {
    if (OnKeyPress) OnKeyPress(*this, key);
}

void TCustomMcTree::DoMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y) {
    if (OnMouseDown) OnMouseDown(*this, button, shift, x + view_->x(), y + view_->y());
}

void TCustomMcTree::DoMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y) {
    if (OnMouseUp) OnMouseUp(*this, button, shift, x + view_->x(), y + view_->y());
}

void TCustomMcTree::DoMouseMove(Qt::KeyboardModifiers shift, int32_t x, int32_t y) {
    if (OnMouseMove) OnMouseMove(*this, shift, x + view_->x(), y + view_->y());
}

namespace {
QObject* SourceControl(TMcTreeDragObject* source) { return source ? &source->Control() : nullptr; }
}  // namespace

void TCustomMcTree::DoDragOver(TMcTreeDragObject* source, int32_t x, int32_t y, TDragState state, bool& accept) {
    accept = false;
    if (OnDragOver) OnDragOver(*this, SourceControl(source), x + view_->x(), y + view_->y(), state, accept);
}

void TCustomMcTree::DoDragDrop(TMcTreeDragObject* source, int32_t x, int32_t y) {
    if (OnDragDrop) OnDragDrop(*this, SourceControl(source), x + view_->x(), y + view_->y());
}

void TCustomMcTree::DoStartDrag(TMcTreeDragObject*& dragObject) {
    if (dragObject) dragObject->MoveDragPos(view_->pos());
    if (OnStartDrag) OnStartDrag(*this, dragObject);
    if (dragObject) dragObject->MoveDragPos(-view_->pos());
    else dragObject = new TMcTreeDragObject(*this);
}

void TCustomMcTree::DoEndDrag(QObject* target, int32_t x, int32_t y) {
    if (target == view_) target = this;
    if (OnEndDrag) OnEndDrag(*this, target, x + view_->x(), y + view_->y());
}

// ---- the tree's own events

void TCustomMcTree::DoChanging(TMcTreeItem* item, bool& allowChange) {
    if (OnChanging) OnChanging(*this, item, allowChange);
}

void TCustomMcTree::DoItemFocused() {
    if (OnItemFocused && !destroying_) OnItemFocused(*this);
}

void TCustomMcTree::DoAfterSelectionChange() {
    if (OnAfterSelectionChange) OnAfterSelectionChange(*this);
}

void TCustomMcTree::DoItemChecked(TMcTreeItem* item) {
    if (OnItemChecked) OnItemChecked(*this, item);
}

void TCustomMcTree::DoItemDraw(TMcTreeItem* item, gdi::Canvas& surface, const gdi::Rect& r, int32_t sectionIndex) {
    if (OnItemDraw) OnItemDraw(*this, item, surface, r, sectionIndex);
}

void TCustomMcTree::DoItemPostDraw(gdi::Canvas& canvas, TMcTreeItem* item, const gdi::Rect& itemRect,
                                   bool& drawFocusRect) {
    if (OnItemPostDraw) OnItemPostDraw(*this, canvas, item, itemRect, drawFocusRect);
}

void TCustomMcTree::DoHotTrack(TMcTreeItem* oldItem, TMcTreeItem* newItem) {
    if (OnHotTrack) OnHotTrack(*this, oldItem, newItem);
}

void TCustomMcTree::DoShowLineHint(TMcTreeItem* item, std::string& text, TMcHintWindow& window, QPoint mousePos,
                                   bool& doShow) {
    if (OnShowLineHint) OnShowLineHint(*this, item, text, window, mousePos, doShow);
}

void TCustomMcTree::DoDragTargetChange(TMcTreeItem* item, const gdi::Rect& itemRect, int32_t x, int32_t y) {
    if (OnDragTargetChange) OnDragTargetChange(*this, item, itemRect, x, y);
}

void TCustomMcTree::DoTryEdit(TMcTreeItem* item, TMcHeaderSection* section, TFieldTypes& cellType, bool& canEdit) {
    if (OnTryEdit && !destroying_) OnTryEdit(*this, item, section, cellType, canEdit);
}

void TCustomMcTree::DoEditRequest(TMcTreeItem* item, TMcHeaderSection* section) {
    if (OnEditRequest) OnEditRequest(*this, item, section);
}

void TCustomMcTree::DoTuneUpInplaceEdit(TMcTreeItem* item, int32_t sectionIndex, QLineEdit& editor) {
    if (OnTuneUpInplaceEdit) OnTuneUpInplaceEdit(*this, item, sectionIndex, editor);
}

void TCustomMcTree::DoComboEditShow(TMcTreeItem* item, TMcHeaderSection* section, QComboBox& combo) {
    if (OnComboEditShow) OnComboEditShow(*this, item, section, combo);
}

void TCustomMcTree::DoValidateInplaceEdit(TMcTreeItem* item, TMcHeaderSection* section, std::string& text,
                                          bool& accept) {
    const TMcFlagScope validating(validating_);
    if (OnValidateInplaceEdit) OnValidateInplaceEdit(*this, item, section, text, accept);
}

void TCustomMcTree::DoValidateCombo(TMcTreeItem* item, TMcHeaderSection* section, QComboBox& combo, bool& accept) {
    const TMcFlagScope validating(validating_);
    if (OnValidateCombo) OnValidateCombo(*this, item, section, combo, accept);
}

void TCustomMcTree::DoEditKeyDown(QWidget& editor, int& key, Qt::KeyboardModifiers shift) {
    if (OnEditKeyDown) OnEditKeyDown(editor, key, shift);
}

void TCustomMcTree::DoScroll(TScrollBarKind kind, TMcScrollCode code) {
    if (OnScroll) OnScroll(*this, kind, code);
}

// ---- what the items raise

void TCustomMcTree::DoItemChange(TMcTreeItem* item, int32_t kind) {
    if (OnItemChange) OnItemChange(*this, item, kind);
}

void TCustomMcTree::DoItemExpanding(TMcTreeItem* item, bool& canProcess) {
    if (OnItemExpanding) OnItemExpanding(*this, item, canProcess);
}

void TCustomMcTree::DoItemCollapsing(TMcTreeItem* item, bool& canProcess) {
    if (OnItemCollapsing) OnItemCollapsing(*this, item, canProcess);
}

void TCustomMcTree::DoItemExpand(TMcTreeItem* item) {
    if (OnItemExpand) OnItemExpand(*this, item);
}

void TCustomMcTree::DoItemCollapse(TMcTreeItem* item) {
    if (OnItemCollapse) OnItemCollapse(*this, item);
}

void TCustomMcTree::DoItemDeletion(TMcTreeItem* item) {
    if (OnItemDeletion) OnItemDeletion(*this, item);
}

void TCustomMcTree::DoItemSelectedChange(TMcTreeItem* item) {
    if (OnItemSelectedChange && !destroying_) OnItemSelectedChange(*this, item);
}

void TCustomMcTree::DoSortBegin() {
    if (OnSortBegin) OnSortBegin(*this);
}

void TCustomMcTree::DoSortEnd() {
    if (OnSortEnd) OnSortEnd(*this);
}

void TCustomMcTree::DoItemSave(TMcTreeItem* item, TStream& stream) {
    if (OnItemSave) OnItemSave(*this, stream, item);
}

void TCustomMcTree::DoItemLoad(TMcTreeItem* item, TStream& stream) {
    if (OnItemLoad) OnItemLoad(*this, stream, item);
}

void TCustomMcTree::DoCellStyleSave(TMcTreeItem*, TStream& stream, TMcCellStyle& style) {
    if (OnCellStyleSave) OnCellStyleSave(*this, stream, style);
}

void TCustomMcTree::DoCellStyleLoad(TMcTreeItem*, TStream& stream, TMcCellStyle& style) {
    if (OnCellStyleLoad) OnCellStyleLoad(*this, stream, style);
}
