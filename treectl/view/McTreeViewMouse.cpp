// Tree view: the mouse. The hit test, presses, releases and double clicks
// that expand, check, focus and select (single and multiple selection, with
// Shift and Ctrl ranges and a selection change deferred to the release so
// that a drag can carry it), and hot tracking.
#include "treectl/view/McTreeView.h"

#include "treectl/items/McUpdateBracket.h"
#include "treectl/support/McHintWindow.h"
#include "treectl/support/McTools.h"
#include "treectl/tree/McTree.h"

#include "platform/gdi/ImageList.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QMouseEvent>

#include <optional>

namespace {

bool Ctrl(Qt::KeyboardModifiers shift) { return shift & Qt::ControlModifier; }
bool Shift(Qt::KeyboardModifiers shift) { return shift & Qt::ShiftModifier; }

// The update bracket of the tree only with MultiSelect.
struct MultiBracket {
    std::optional<TMcUpdateBracket> bracket;
    explicit MultiBracket(TCustomMcTree& tree) {
        if (tree.MultiSelect()) bracket.emplace(tree);
    }
};

}  // namespace

// ---- hit test

TMcTreeItem* TMcTreeView::HitTest(int32_t x, int32_t y, TMcTreeHitPart& part, int32_t& column) const {
    TMcTreeItem* item = GetItemAtY(y);
    part = TMcTreeHitPart::tpRow;
    column = tree_.MainTreeColumn();
    if (!item) return nullptr;
    const TMcTreeSettings& s = tree_.Settings();
    const int32_t xc = x + tree_.LeftPosition(), indent = s.ItemIndent, gap = indent / 3;
    if (tree_.ShowColumns()) {
        const TMcHeaderSections& sections = tree_.Header().Sections();
        for (int32_t index = 0; index < sections.Count(); ++index) {
            const TMcHeaderSection* section = sections.Item(index);
            if (!section || !section->Visible() || xc < section->Left() || xc >= section->Right()) continue;
            if (index != tree_.MainTreeColumn()) {
                part = TMcTreeHitPart::tpColumn;
                column = index;
                return item;
            }
            break;
        }
    }
    // The parts lie before the text, from the text outwards: d walks away
    // from the text, and a span [d - w, d) is mirrored with a right-aligned tree.
    const bool mirrored = s.RightAlignedTree;
    const int32_t textFrom = mirrored ? item->TextLeft : item->TextLeft - gap;
    const int32_t textTo = mirrored ? item->TextRight + gap : item->TextRight;
    if (xc >= textFrom && xc <= textTo) {
        part = TMcTreeHitPart::tpText;
        return item;
    }
    int32_t d = mirrored ? item->TextRight + gap : item->TextLeft - gap;
    auto inSpan = [&](int32_t width, int32_t extra) {
        return mirrored ? xc >= d - extra && xc < d + width : xc >= d - width && xc < d + extra;
    };
    auto step = [&](int32_t width) { d += mirrored ? width : -width; };
    const gdi::ImageList* images = s.Images;
    if (item->ImageDrawn && images) {
        if (inSpan(images->Width(), 0)) {
            part = TMcTreeHitPart::tpPicture;
            return item;
        }
        step(images->Width());
    }
    if (item->ImageDrawn2) {
        const int32_t g = item->ImageDrawn ? gap : 0;
        step(g);
        const gdi::ImageList* second = s.Images2 ? s.Images2 : images;
        if (second && inSpan(second->Width(), s.Images2 ? g : 0)) {
            part = s.Images2 ? TMcTreeHitPart::tpPicture2 : TMcTreeHitPart::tpPicture;
            return item;
        }
        if (second) step(second->Width());
    }
    if (tree_.ShowCheckboxes() && item->ShowCheckBox()) {
        step(-2);
        const int32_t width = s.CustomCheckboxes ? tree_.CheckBoxSlot(item) : indent - 2;
        if (inSpan(width, 0)) {
            part = TMcTreeHitPart::tpCheckBox;
            return item;
        }
        step(s.CustomCheckboxes ? width : indent - 4);
    }
    if (!tree_.ShowButtons() || !(item->HasVisibleChildren() || item->ForceButtons())) return item;
    if (inSpan(indent, 0)) part = item->SuppressButtons() ? TMcTreeHitPart::tpRow : TMcTreeHitPart::tpButton;
    return item;
}

// ---- presses and releases

void TMcTreeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) LeftButtonDown(event);
    else if (event->button() == Qt::RightButton) RightButtonDown(event);
    else QWidget::mousePressEvent(event);
}

void TMcTreeView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) LeftButtonUp(event);
    else if (event->button() == Qt::RightButton) RightButtonUp(event);
    else QWidget::mouseReleaseEvent(event);
}

void TMcTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        LeftDoubleClick(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    TMcTreeHitPart part;
    int32_t column;
    TMcTreeItem* item = HitTest(p.x(), p.y(), part, column);
    if (item && !item->Enabled()) return;
    RightButtonDown(event);
}

void TMcTreeView::LeftButtonDown(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    HideLineHint();
    doubleClickHappened_ = false;
    if (!hasFocus() && isEnabled()) setFocus(Qt::MouseFocusReason);
    MouseDown(Qt::LeftButton, event->modifiers(), p.x(), p.y());
    pressPoint_ = p;
    buttonDown_ = true;
    ClickToEditPress(p);
}

void TMcTreeView::LeftButtonUp(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    StopEditDelay();
    HideLineHint();
    buttonDown_ = false;
    if (dragObject_) {
        DragSessionEnd(true);
        return;
    }
    TMcTreeHitPart part;
    int32_t column;
    TMcTreeItem* item = HitTest(p.x(), p.y(), part, column);
    if (item && !item->Enabled()) return;
    ArmClickToEdit(p);
    doubleClickHappened_ = false;
    MouseUp(Qt::LeftButton, event->modifiers(), p.x(), p.y());
    if (rect().contains(p)) tree_.DoClick();
}

void TMcTreeView::RightButtonDown(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    HideLineHint();
    MouseDown(Qt::RightButton, event->modifiers(), p.x(), p.y());
    if (!isEnabled()) return;
    if (editor_) EndEdit(false);
    setFocus(Qt::MouseFocusReason);
}

void TMcTreeView::RightButtonUp(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    HideLineHint();
    TMcTreeHitPart part;
    int32_t column;
    TMcTreeItem* item = HitTest(p.x(), p.y(), part, column);
    if (item && !item->Enabled()) return;
    MouseUp(Qt::RightButton, event->modifiers(), p.x(), p.y());
    if (contextMenuPolicy() == Qt::DefaultContextMenu || contextMenuPolicy() == Qt::CustomContextMenu) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, p, event->globalPosition().toPoint(), event->modifiers());
        QCoreApplication::sendEvent(this, &menu);
    }
}

void TMcTreeView::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y) {
    if (inDoubleClick_) return;
    tree_.ClearSelectionChanged();
    TMcTreeHitPart part;
    int32_t column;
    TMcTreeItem* item = HitTest(x, y, part, column);
    if (item && !item->Enabled()) return;
    if (part == TMcTreeHitPart::tpButton && button == Qt::RightButton) part = TMcTreeHitPart::tpText;
    if (part == TMcTreeHitPart::tpButton) {
        if (item->Expanded()) {
            item->Collapse(false);
        } else {
            item->Expand(false);
            RevealChildren(item);
        }
    } else if (part == TMcTreeHitPart::tpColumn) {
        const TMcHeaderSection* section = tree_.Header().Sections().Item(column);
        if (section && !section->ClickSelect()) return;
        if (button == Qt::LeftButton) LeftSelection(item, part, shift);
        else if (button == Qt::RightButton && tree_.Settings().RightClickSelect) RightSelection(item, part, shift);
    } else if (button == Qt::LeftButton) {
        LeftSelection(item, part, shift);
    } else if (button == Qt::RightButton && tree_.Settings().RightClickSelect) {
        RightSelection(item, part, shift);
    }
    tree_.DoMouseDown(button, shift, x, y);
}

void TMcTreeView::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x, int32_t y) {
    tree_.DoMouseUp(button, shift, x, y);
    TMcTreeHitPart part;
    int32_t column;
    TMcTreeItem* item = HitTest(x, y, part, column);
    if (item && !item->Enabled()) return;
    if (button == Qt::LeftButton && part == TMcTreeHitPart::tpCheckBox && item->CheckBoxEnabled()) {
        CheckBoxClicked(item);
    }
    if (pendingSelection_) ApplyDeferredSelection();
    AnnounceFocusedItem();
}

void TMcTreeView::CheckBoxClicked(TMcTreeItem* item) {
    switch (item->CheckBoxType()) {
    case TMcCheckBoxType::ect3SCheckBox: {
        const TCheckBoxState state = item->CheckBoxState();
        item->SetCheckBoxState(state == TCheckBoxState::cbUnchecked ? TCheckBoxState::cbGrayed
                               : state == TCheckBoxState::cbGrayed  ? TCheckBoxState::cbChecked
                                                                    : TCheckBoxState::cbUnchecked);
        break;
    }
    case TMcCheckBoxType::ectRadioButton: item->SetChecked(true); break;
    case TMcCheckBoxType::ectCheckBox: item->SetChecked(!item->GetChecked()); break;
    }
    tree_.DoItemChecked(item);
    tree_.DoItemChange(item, 2);
}

// ---- selection by the mouse

// The rules of a click that selects at once: Ctrl and Shift ranges, focusing
// (which selects) and the anchor. The right button's variant toggles the
// focused item only when it is not selected and sets the anchor in any case.
void TMcTreeView::ClickSelect(TMcTreeItem* item, Qt::KeyboardModifiers shift, bool rightButton) {
    const TMcTreeSettings& s = tree_.Settings();
    const bool multi = tree_.MultiSelect();
    const int32_t count = multi ? tree_.SelectedItemCount() : (anchor_ ? 1 : 0);
    if (multi && s.SelectionMode == TZRSelModes::smUsual) {
        if (!Ctrl(shift) && !Shift(shift)) {
            tree_.UnselectShownItems();
        } else if (Shift(shift)) {
            SelectFromAnchor(item);
            if (item != focused_) item->SetSelected(false);
        }
    }
    if (item == focused_) {
        const bool toggle = rightButton ? !item->GetSelected()
                                        : !item->GetSelected() || !s.AlwaysKeepSelection || count > 1;
        if (toggle) ToggleItemSelection(item);
    } else if (item->AllowSelection) {
        tree_.ChangeFocus(item, false, false);
    }
    if (item->AllowSelection && (rightButton || !multi || (!Ctrl(shift) && !Shift(shift)))) anchor_ = item;
}

void TMcTreeView::LeftSelection(TMcTreeItem* item, TMcTreeHitPart part, Qt::KeyboardModifiers shift) {
    const TMcTreeSettings& s = tree_.Settings();
    MultiBracket bracket(tree_);
    const bool multi = tree_.MultiSelect();
    const int32_t count = multi ? tree_.SelectedItemCount() : (anchor_ ? 1 : 0);
    if (!item) {
        if (!s.AlwaysKeepFocus) tree_.ChangeFocus(nullptr, false, false);
    } else if (part == TMcTreeHitPart::tpRow && !s.FullRowSelect) {
        // a press beside the row's parts selects nothing
    } else if (!multi || !item->GetSelected() || Ctrl(shift)) {
        ClickSelect(item, shift, false);
        if (Ctrl(shift) && multi && count <= 1 && tree_.SelectedItemCount() == 0) ToggleItemSelection(item);
    } else {
        pendingSelection_ = true;
        pendingItem_ = item;
        pendingShift_ = shift;
        tree_.ChangeFocus(item, false, false);
        item->SetSelected(s.SelectionMode == TZRSelModes::smUsual);
    }
    if (tree_.SelectionChanged()) {
        tree_.DoAfterSelectionChange();
        tree_.ClearSelectionChanged();
    }
}

void TMcTreeView::RightSelection(TMcTreeItem* item, TMcTreeHitPart part, Qt::KeyboardModifiers shift) {
    const TMcTreeSettings& s = tree_.Settings();
    MultiBracket bracket(tree_);
    const bool multi = tree_.MultiSelect();
    const bool usual = s.SelectionMode == TZRSelModes::smUsual;
    if (multi && item && item->GetSelected()) {
        tree_.ChangeFocus(item, false, false);
        if (!item->GetSelected()) item->SetSelected(true);
    } else if (!multi || (tree_.SelectedItemCount() < 2 && usual) || !usual) {
        if (item && !(part == TMcTreeHitPart::tpRow && !s.FullRowSelect)) ClickSelect(item, shift, true);
        else if (!item && !s.AlwaysKeepFocus) tree_.ChangeFocus(nullptr, false, false);
    }
    if (tree_.SelectionChanged()) {
        tree_.DoAfterSelectionChange();
        tree_.ClearSelectionChanged();
    }
}

// Shift with the mouse: the anchor stays and the range from it to the item
// (its enabled items) becomes the selection.
void TMcTreeView::SelectFromAnchor(TMcTreeItem* item) {
    TMcTreeItem* anchor = anchor_;
    tree_.UnselectShownItems();
    anchor_ = anchor;
    if (anchor) anchor->SetSelected(true);
    tree_.SelectItemRange(item, anchor, false);
}

void TMcTreeView::ApplyDeferredSelection() {
    pendingSelection_ = false;
    TMcTreeItem* item = std::exchange(pendingItem_, nullptr);
    if (!item) return;
    const Qt::KeyboardModifiers shift = pendingShift_;
    const TMcTreeSettings& s = tree_.Settings();
    MultiBracket bracket(tree_);
    const bool multi = tree_.MultiSelect();
    const bool usual = s.SelectionMode == TZRSelModes::smUsual;
    bool focusedSelected = false;
    if (multi && usual) {
        if (!Ctrl(shift) && !Shift(shift)) {
            focusedSelected = focused_ && focused_->GetSelected();
            tree_.UnselectShownItems();
        } else if (Shift(shift)) {
            SelectFromAnchor(item);
        }
    }
    if (item != focused_) tree_.ChangeFocus(item, false, false);
    else if ((!focusedSelected || s.AlwaysKeepSelection) && usual && !item->GetSelected()) ToggleItemSelection(item);
    if (!multi || (!Ctrl(shift) && !Shift(shift))) anchor_ = item;
    tree_.DoAfterSelectionChange();
    tree_.ClearSelectionChanged();
}

void TMcTreeView::ToggleItemSelection(TMcTreeItem* item) {
    if (item && !item->AllowSelection) return;
    if (tree_.MultiSelect()) {
        if (item) item->SetSelected(!item->GetSelected());
        return;
    }
    auto repaint = [this](TMcTreeItem* changed) {
        changed->RedrawItem(true);
        if (tree_.IsUpdating()) tree_.MarkChanged();
        else tree_.RepaintNow();
    };
    if (TMcTreeItem* previous = std::exchange(anchor_, nullptr)) {
        previous->SetSelectedMark(false);
        repaint(previous);
        tree_.DoItemSelectedChange(previous);
    }
    if (!item) return;
    item->SetSelectedMark(true);
    anchor_ = item;
    tree_.DoItemSelectedChange(item);
    repaint(item);
}

// ---- double click

void TMcTreeView::LeftDoubleClick(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    pressPoint_ = p;
    TMcTreeHitPart part;
    int32_t column;
    TMcTreeItem* item = HitTest(p.x(), p.y(), part, column);
    if (item && !item->Enabled()) return;
    const TMcTreeSettings& s = tree_.Settings();
    const bool onText = part == TMcTreeHitPart::tpText || (s.FullRowSelect && part != TMcTreeHitPart::tpCheckBox);
    if (item && onText && s.ExpandOnDblClick) {
        if (item->Expanded()) {
            item->Collapse(false);
        } else {
            item->Expand(false);
            RevealChildren(item);
        }
    }
    if (item && part == TMcTreeHitPart::tpColumn && s.DoInplaceEdit) {
        const TMcHeaderSection* section = tree_.Header().Sections().Item(column);
        if (section && section->Editable()) EditItem(item, column);
    }
    DisarmClickToEdit();
    doubleClickHappened_ = true;
    if (part == TMcTreeHitPart::tpButton) return;
    const TMcFlagScope inDoubleClick(inDoubleClick_);
    MouseDown(Qt::LeftButton, event->modifiers(), p.x(), p.y());
    tree_.DoDblClick();
}

// ---- after an expansion: the new children come into view

void TMcTreeView::RevealChildren(TMcTreeItem* item) {
    if (!item || !item->Expanded() || !item->GetFullyExpanded()) return;
    const int32_t index = rows_.IndexOf(item);
    if (index < 0) return;
    const int32_t lineHeight = tree_.LineHeight();
    const int32_t descendants = item->GetSubtreeHeight();
    int32_t bottom = (index + 1) * lineHeight, shift = 0;
    while (shift < rows_.Count() && bottom + descendants >= height() && index - shift > 0) {
        bottom -= lineHeight;
        ++shift;
    }
    if (shift == 0) return;
    tree_.CountVisibleItems();
    countStale = false;
    tree_.SetTopIndex(tree_.TopIndex() + shift);
}

// ---- moving over the view

void TMcTreeView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (dragObject_) {
        DragSessionMove(event->globalPosition().toPoint());
        return;
    }
    if (buttonDown_ && (event->buttons() & Qt::LeftButton)) {
        const QPoint moved = p - pressPoint_;
        const bool selection = tree_.MultiSelect() ? tree_.SelectedItemCount() > 0 : anchor_ != nullptr;
        if (tree_.Settings().DragAllowed && selection && moved.x() * moved.x() + moved.y() * moved.y() >= 25) {
            StartDragging(p);
            if (dragObject_) return;
        }
    }
    LineHintMouseMove(p);
    ItemHintMouseMove(p);
    TrackHot(p.y());
    tree_.DoMouseMove(event->modifiers(), p.x(), p.y());
}

void TMcTreeView::TrackHot(int32_t y) {
    if (!tree_.Settings().Tracking || !hasFocus()) return;
    TMcTreeItem* now = GetItemAtY(y);
    if (now == hot_) return;
    TMcTreeItem* old = std::exchange(hot_, now);
    RepaintHotRow(old);
    RepaintHotRow(now);
    tree_.DoHotTrack(old, now);
}

void TMcTreeView::RepaintHotRow(TMcTreeItem* item) {
    if (!item) return;
    const TMcHeaderSection* main =
        tree_.ShowColumns() ? tree_.Header().Sections().Item(tree_.MainTreeColumn()) : nullptr;
    if (!main || tree_.Settings().RowHotTrack) item->RedrawItem(true);
    else item->RedrawItemPart(true, main->Left(), main->Right());
}

void TMcTreeView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (EditorVisible()) return;
    if (TMcTreeItem* old = std::exchange(hot_, nullptr)) {
        RepaintHotRow(old);
        repaint();
    }
    HideLineHint();
    itemHintItem_ = nullptr;
}
