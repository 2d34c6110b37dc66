// Tree view: the keyboard. Arrows, Page keys, Home and End move the focus
// (selecting as the selection mode asks, ranges with Shift, without
// changing the selection with Ctrl); Left and Right collapse, expand or go
// to the parent or first child; plus, minus, the asterisk and the keypad's
// slash expand and collapse; Space checks the focused item's check box or
// toggles its selection; F2 edits; Backspace goes to the parent; typed
// characters search.
#include "treectl/view/McTreeView.h"

#include "treectl/items/McUpdateBracket.h"
#include "treectl/tree/McTree.h"
#include "treectl/view/McTreeDragObject.h"

#include <QtGui/QKeyEvent>

#include <optional>

namespace {

bool IsNavigation(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: return true;
    default: return false;
    }
}

// The shown item after (or before) the item in display order.
TMcTreeItem* NextShown(const TMcTreeItem* item, bool filtered) {
    if (item->Expanded()) {
        if (TMcTreeItem* child = item->GetFirstVisibleChild()) return child;
    }
    for (const TMcTreeItem* a = item; a && !a->IsRoot(); a = a->ParentItem()) {
        for (TMcTreeItem* s = a->GetNextSibling(); s; s = s->GetNextSibling()) {
            if (!filtered || !s->Hidden()) return s;
        }
    }
    return nullptr;
}

TMcTreeItem* LastShownUnder(TMcTreeItem* item, bool filtered) {
    while (item->Expanded() && item->HasVisibleChildren()) {
        TMcTreeItem* last = item->GetLastChild();
        while (last && filtered && last->Hidden()) last = last->GetPrevSibling();
        if (!last) break;
        item = last;
    }
    return item;
}

TMcTreeItem* PrevShown(const TMcTreeItem* item, bool filtered) {
    for (TMcTreeItem* s = item->GetPrevSibling(); s; s = s->GetPrevSibling()) {
        if (!filtered || !s->Hidden()) return LastShownUnder(s, filtered);
    }
    return item->GetParent();
}

}  // namespace

bool TMcTreeView::Usable(const TMcTreeItem* item) const { return item && item->Enabled(); }

// From the item, steps over shown enabled items (negative steps go up);
// the farthest one reached when the walk ends early.
TMcTreeItem* TMcTreeView::StepShown(TMcTreeItem* from, int32_t steps) const {
    const bool filtered = tree_.FilteredVisibility();
    TMcTreeItem* reached = nullptr;
    TMcTreeItem* at = from;
    for (int32_t done = 0; at && done < std::abs(steps);) {
        at = steps > 0 ? NextShown(at, filtered) : PrevShown(at, filtered);
        if (Usable(at)) {
            reached = at;
            ++done;
        }
    }
    return reached;
}

TMcTreeItem* TMcTreeView::NavigationTarget(int key) const {
    const bool filtered = tree_.FilteredVisibility();
    TMcTreeItem* first = tree_.RootItem()->GetFirstVisibleChild();
    auto firstUsable = [&] {
        TMcTreeItem* at = first;
        while (at && !Usable(at)) at = NextShown(at, filtered);
        return at;
    };
    if (!focused_) return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Home ? firstUsable() : nullptr;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        TMcTreeItem* at = focused_;
        do {
            at = key == Qt::Key_Down ? NextShown(at, filtered) : PrevShown(at, filtered);
        } while (at && !(Usable(at) && at->AllowSelection));
        return at;
    }
    case Qt::Key_PageUp: return StepShown(focused_, -(PageRowCount() - 1));
    case Qt::Key_PageDown: return StepShown(focused_, PageRowCount() - 1);
    case Qt::Key_Home: return firstUsable();
    case Qt::Key_End: {
        TMcTreeItem* last = tree_.RootItem()->GetLastChild();
        while (last && filtered && last->Hidden()) last = last->GetPrevSibling();
        if (!last) return nullptr;
        TMcTreeItem* at = LastShownUnder(last, filtered);
        while (at && !Usable(at)) at = PrevShown(at, filtered);
        return at;
    }
    case Qt::Key_Left: {
        TMcTreeItem* parent = focused_->GetParent();
        return Usable(parent) ? parent : nullptr;
    }
    case Qt::Key_Right: {
        TMcTreeItem* child = focused_->Expanded() ? focused_->GetFirstVisibleChild() : nullptr;
        return Usable(child) ? child : nullptr;
    }
    default: return nullptr;
    }
}

void TMcTreeView::keyPressEvent(QKeyEvent* event) {
    if (dragObject_ && event->key() == Qt::Key_Escape) {
        DragSessionEnd(false);
        return;
    }
    int key = event->key();
    const Qt::KeyboardModifiers shift = event->modifiers();
    tree_.DoKeyDown(key, shift);
    if (key != 0) KeyDown(key, shift);
    const QString text = event->text();
    if (!text.isEmpty() && key != 0) {
        char16_t ch = text.at(0).unicode();
        if (tree_.Settings().IncrementalSearch) SearchKey(ch);
        tree_.DoKeyPress(ch);
    }
    // Enter and Escape still reach the dialog the tree stands on.
    const bool dialogKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                           event->key() == Qt::Key_Escape;
    if (dialogKey) event->ignore();
    else event->accept();
}

void TMcTreeView::keyReleaseEvent(QKeyEvent* event) {
    int key = event->key();
    tree_.DoKeyUp(key, event->modifiers());
}

void TMcTreeView::KeyDown(int& key, Qt::KeyboardModifiers shift) {
    tree_.ClearSelectionChanged();
    std::optional<TMcUpdateBracket> bracket;
    if (tree_.MultiSelect()) bracket.emplace(tree_);
    if ((shift & Qt::ControlModifier) && (shift & Qt::ShiftModifier)) shift &= ~Qt::ControlModifier;
    const bool keypad = shift & Qt::KeypadModifier;
    TMcTreeItem* focused = Usable(focused_) ? focused_ : nullptr;
    const bool mirrored = tree_.Settings().RightAlignedTree;
    int navigation = key;
    if (mirrored && key == Qt::Key_Left) navigation = Qt::Key_Right;
    else if (mirrored && key == Qt::Key_Right) navigation = Qt::Key_Left;
    switch (key) {
    case Qt::Key_Asterisk: ExpandFocused(true); break;
    case Qt::Key_Plus: ExpandFocused(false); break;
    case Qt::Key_Minus: CollapseFocused(false); break;
    case Qt::Key_Slash:
        if (keypad) CollapseFocused(true);
        break;
    case Qt::Key_Backspace:
        if (focused && Usable(focused->GetParent())) {
            tree_.ChangeFocus(focused->GetParent(), false, true);
            tree_.MakeItemVisible(focused_);
        }
        break;
    case Qt::Key_Space: SpaceKey(shift); break;
    case Qt::Key_F2:
        if (focused) tree_.StartEdit(focused, tree_.ShowColumns() ? tree_.MainTreeColumn() : -1);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!focused) break;
        if (navigation == Qt::Key_Left && focused->Expanded() && focused->HasChildren()) {
            focused->Collapse(false);
            break;
        }
        if (navigation == Qt::Key_Right && !focused->Expanded() &&
            (focused->HasVisibleChildren() || focused->ForceButtons())) {
            focused->Expand(false);
            RevealChildren(focused);
            break;
        }
        NavigationKey(navigation, shift);
        break;
    default:
        if (IsNavigation(key)) NavigationKey(key, shift);
        break;
    }
    if (tree_.SelectionChanged()) {
        tree_.DoAfterSelectionChange();
        tree_.ClearSelectionChanged();
    }
    AnnounceFocusedItem();
}

void TMcTreeView::ExpandFocused(bool all) {
    TMcTreeItem* focused = focused_;
    if (!Usable(focused) || !(focused->HasVisibleChildren() || focused->ForceButtons())) return;
    if (!all && focused->Expanded()) return;
    focused->Expand(all);
    RevealChildren(focused);
}

void TMcTreeView::CollapseFocused(bool all) {
    TMcTreeItem* focused = focused_;
    if (!Usable(focused) || (!all && !focused->Expanded())) return;
    focused->Collapse(all);
}

// Space toggles the focused item's check box when it shows one; otherwise,
// with MultiSelect, its selection.
void TMcTreeView::SpaceKey(Qt::KeyboardModifiers shift) {
    TMcTreeItem* focused = focused_;
    if (!Usable(focused)) return;
    if (tree_.ShowCheckboxes() && focused->ShowCheckBox() && focused->CheckBoxEnabled()) {
        CheckBoxClicked(focused);
        return;
    }
    if (!tree_.MultiSelect()) return;
    const TZRSelModes mode = tree_.Settings().SelectionMode;
    if (!(shift & Qt::ControlModifier) && mode == TZRSelModes::smUsual && !(shift & Qt::ShiftModifier)) {
        tree_.UnselectShownItems();
        anchor_ = focused;
    } else if (mode == TZRSelModes::smSimple) {
        anchor_ = focused;
    }
    focused->SetSelected(!focused->GetSelected());
    tree_.DoAfterSelectionChange();
    tree_.ClearSelectionChanged();
}

bool TMcTreeView::NavigationKey(int key, Qt::KeyboardModifiers shift) {
    TMcTreeItem* target = NavigationTarget(key);
    if (!target) return false;
    const bool multi = tree_.MultiSelect();
    const bool usual = tree_.Settings().SelectionMode == TZRSelModes::smUsual;
    const bool ctrl = shift & Qt::ControlModifier, sh = shift & Qt::ShiftModifier;
    const bool keepFocusState = multi && ((ctrl && usual) || !usual);
    TMcTreeItem* oldFocus = focused_;
    const bool oldFocusSelected = oldFocus && oldFocus->GetSelected();
    TMcTreeItem* anchor = anchor_;
    const bool anchorSelected = anchor && anchor->GetSelected();
    const bool targetSelected = target->GetSelected();
    if (multi && usual && !ctrl) tree_.UnselectShownItems();
    if (keepFocusState && oldFocus) oldFocus->SetSelected(oldFocusSelected);
    if (multi && sh) {
        tree_.SelectItemRangeEx(anchor, target, false, false);
        if (anchor) anchor->SetSelected(anchorSelected);
    }
    if (multi) {
        if (keepFocusState && target != oldFocus) target->SetSelected(!targetSelected);
        else if (sh && target != focused_) target->SetSelected(false);
    }
    if (target == focused_) {
        if (multi && !anchor_) anchor_ = anchor;
        target->SetSelected(true);
    } else {
        tree_.ChangeFocus(target, false, true);
        if (multi) anchor_ = anchor;
    }
    if ((!ctrl && !sh) || !multi) {
        anchor_ = focused_;
        if (multi && usual && focused_) focused_->SetSelected(true);
    }
    ScrollAfterMove(key);
    return true;
}

void TMcTreeView::ScrollAfterMove(int key) {
    if (!focused_) return;
    FillRows(tree_.TopIndex());
    if (rows_.IndexOf(focused_) >= 0) return;
    if (countStale) {
        tree_.CountVisibleItems();
        countStale = false;
    }
    const int32_t top = tree_.TopIndex(), index = focused_->GetVisIndex();
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left: tree_.SetTopIndex(index); break;
    case Qt::Key_Down: tree_.SetTopIndex(index - PageRowCount() + 2); break;
    case Qt::Key_Right: tree_.MakeItemVisibleAtBottom(focused_); break;
    case Qt::Key_PageUp: tree_.SetTopIndex(top - PageRowCount() + 1); break;
    case Qt::Key_PageDown: tree_.SetTopIndex(top + PageRowCount() - 1); break;
    case Qt::Key_Home: tree_.SetTopIndex(0); break;
    case Qt::Key_End: tree_.SetTopIndex(tree_.ShownItemCount() - 1); break;
    default: break;
    }
    TMcUpdateBracket bracket(tree_);
    rowsDirty = fullRepaint = true;
    tree_.MarkChanged();
}
