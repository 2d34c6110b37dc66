// Tree view: its rows and positions, the content width, scrolling by the
// bars and the wheel, size changes and the collected repaint requests.
#include "treectl/view/McTreeView.h"

#include "treectl/header/McHeaderOverlays.h"
#include "treectl/items/McUpdateBracket.h"
#include "treectl/support/McHintWindow.h"
#include "treectl/tree/McTree.h"
#include "treectl/view/McTreeDragObject.h"

#include "foundation/Codepage1252.h"
#include "foundation/Localizer.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/DrawText.h"
#include "platform/gdi/ImageList.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QPaintEvent>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QApplication>

TMcTreeView::TMcTreeView(TCustomMcTree& tree) : QWidget(&tree), tree_(tree) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_InputMethodEnabled);
}

TMcTreeView::~TMcTreeView() {
    destroying_ = true;
    if (dragObject_) DragSessionEnd(false);
    StopSearch();
    dragExpandTimer_.reset();
    HideLineHint();
    hintWindow_.reset();
    autoScrollTimer_.reset();
    if (editor_) EndEdit(true);
    FreeEditor();
    editDelayTimer_.reset();
    qApp->removeEventFilter(this);
}

// ---- rows

int32_t TMcTreeView::PageRowCount() const {
    const int32_t lineHeight = std::max(tree_.LineHeight(), 1);
    return height() / lineHeight + (height() % lineHeight ? 1 : 0);
}

std::pair<int32_t, int32_t> TMcTreeView::RowFit() const {
    const int32_t lineHeight = std::max(tree_.LineHeight(), 1);
    return {height() / lineHeight, height() % lineHeight};
}

void TMcTreeView::GetRowRect(int32_t index, gdi::Rect& r) const {
    if (index < 0 || index >= rows_.Count() || destroying_) {
        r = {};
        return;
    }
    const int32_t lineHeight = tree_.LineHeight();
    r = {0, index * lineHeight, width(), index * lineHeight + lineHeight - 1};
}

TMcTreeItem* TMcTreeView::GetItemAtY(int32_t y) const {
    if (y < 0) return nullptr;
    const int32_t index = y / std::max(tree_.LineHeight(), 1);
    return index < rows_.Count() ? rows_.At(index) : nullptr;
}

int32_t TMcTreeView::SummedRowsHeight() const { return rows_.Count() * tree_.LineHeight(); }

void TMcTreeView::FillRows(int32_t topIndex) {
    rows_.Clear();
    const int32_t lineHeight = tree_.LineHeight();
    int32_t shown = 0, sum = 0;
    tree_.Items().Iterate(
        true,
        [&](TMcTreeItem* item, int32_t, bool& go, void*, TMcTreeItems&) {
            if (shown++ < topIndex) return;
            rows_.Add(item);
            sum += lineHeight;
            go = sum <= height();
        },
        nullptr);
}

int32_t TMcTreeView::ClampTop(int32_t value) const {
    const int32_t highest = tree_.shownCount_ - PageRowCount() + 1;
    if (value > highest) value = highest;
    return std::max(value, 0);
}

void TMcTreeView::RebuildRows(int32_t value) {
    if (value < 0 || (value >= tree_.Items().GetCount() && value > 0)) value = 0;
    if (countStale) {
        tree_.CountVisibleItems();
        countStale = false;
    }
    value = ClampTop(value);
    tree_.topIndex_ = value;
    if (value != 0 || tree_.Items().GetCount() > 0) {
        FillRows(value);
        tree_.bottomIndex_ = value + rows_.Count() - 1;
    } else {
        rows_.Clear();
        tree_.bottomIndex_ = 0;
    }
}

void TMcTreeView::ApplyTopIndex(int32_t value) {
    TMcUpdateBracket bracket(tree_);
    if (tree_.IsLoading()) {
        tree_.topIndex_ = value;
        return;
    }
    if (hot_) RepaintHotRow(std::exchange(hot_, nullptr));
    if (countStale) {
        tree_.CountVisibleItems();
        countStale = false;
    }
    value = ClampTop(value);
    if (value != tree_.topIndex_) {
        tree_.MarkChanged();
        rowsDirty = fullRepaint = true;
        RebuildRows(value);
    }
    tree_.SetBarPosition(TScrollBarKind::sbVertical, tree_.topIndex_);
}

void TMcTreeView::ApplyLeftPosition(int32_t value) {
    TMcUpdateBracket bracket(tree_);
    int32_t& left = tree_.options_.LeftPosition;
    if (tree_.IsLoading()) {
        left = value;
        return;
    }
    if (contentWidth_ < 0 && !tree_.ShowColumns()) UpdateContentWidth();
    value = std::min(value, contentWidth_ - width());
    value = std::max(value, 0);
    if (value != left) {
        left = value;
        tree_.Header().SetLeftPos(value);
        fullRepaint = rowsRepaint = true;
        tree_.MarkChanged();
    }
    tree_.SetBarPosition(TScrollBarKind::sbHorizontal, left);
}

// ---- content width

int32_t TMcTreeView::ItemExtent(TMcTreeItem* item) {
    const TMcTreeSettings& s = tree_.Settings();
    const int32_t indent = s.ItemIndent;
    int32_t extent;
    const TMcCellStyle* style = item->UseStyles() ? &item->MainStyle() : nullptr;
    const bool ownerDrawn = (tree_.ShowColumns() && !s.OwnerDrawByColumn) || item->Text() == s.OwnerDrawMask ||
                            (style && style->DrawStyle != TMcSectionStyle::MchsText);
    if (ownerDrawn) {
        gdi::Point size;
        if (tree_.OnMeasureCell) tree_.OnMeasureCell(tree_, item, -1, size);
        extent = indent / 3 + item->TextLeft + size.x + 3;
    } else {
        measure_.SetFont(tree_.CellFont(item, style));
        extent = indent / 3 + measure_.TextExtent(AnsiToWide(item->Text())).cx + 3;
    }
    extent += (s.ShowRoot && tree_.ShowLines()) || tree_.ShowButtons() ? indent : indent / 5;
    if (tree_.ShowCheckboxes() && item->ShowCheckBox()) extent += indent;
    extent += item->GetLevel() * indent;
    if (tree_.ShowImages()) {
        if (s.Images) extent += s.Images->Width();
        extent += indent / 3;
        if (s.Images2) extent += s.Images2->Width();
        else if (s.Images) extent += s.Images->Width();
    }
    return extent;
}

void TMcTreeView::UpdateContentWidth() {
    int32_t widest = 0;
    tree_.Items().Iterate(
        true, [&](TMcTreeItem* item, int32_t, bool&, void*, TMcTreeItems&) { widest = std::max(widest, ItemExtent(item)); },
        nullptr);
    contentWidth_ = widest;
}

// ---- repainting

void TMcTreeView::InvalidateChanged() {
    if (!rowsRepaint && !fullRepaint) return;
    const TMcTreeSettings& s = tree_.Settings();
    if (fullRepaint || (s.VerticalLines && tree_.ShowColumns())) {
        update();
        fullRepaint = false;
    } else {
        update(0, 0, width(), SummedRowsHeight());
    }
    rowsRepaint = false;
}

int32_t TMcTreeView::RowsAbove(int32_t visibleIndex) const {
    if (visibleIndex == 0 || rows_.Count() == 0) return 0;
    const int32_t lineHeight = tree_.LineHeight();
    int32_t sum = 0, index = visibleIndex;
    for (; index >= 0; --index) {
        sum += lineHeight;
        if (sum >= height()) return index;
    }
    return 0;
}

void TMcTreeView::DropItem(TMcTreeItem* item) {
    rows_.Remove(item);
    for (TMcTreeItem** held : {&hot_, &dropTarget_, &hintedItem_, &itemHintItem_, &pendingItem_, &armedItem_,
                               &editDelayItem_}) {
        if (*held == item) *held = nullptr;
    }
    if (hintedItem_ == nullptr && hintWindow_ && hintWindow_->isVisible() && !rows_.Count()) HideLineHint();
}

// ---- scrolling

int32_t TMcTreeView::MapSecondary(QObject* sender, int32_t code) const {
    const auto* bar = dynamic_cast<const TCustomMcScrollBar*>(sender);
    if (!bar || (code != 9 && code != 10)) return code;
    switch (bar->SecondBtnKind()) {
    case TMcSecButtonsKind::sbkOpposite: return code == 10 ? 0 : 1;
    case TMcSecButtonsKind::sbkPage: return code == 10 ? 3 : 2;
    case TMcSecButtonsKind::sbkCustom: break;
    }
    return code;
}

void TMcTreeView::HorzScroll(QObject* sender, TMcScrollCode scrollCode, int32_t& scrollPos, bool& doChange) {
    const int32_t received = static_cast<int32_t>(scrollCode);
    const int32_t code = MapSecondary(sender, received);
    if (editor_) EndEdit(false);
    const int32_t left = tree_.LeftPosition();
    switch (code) {
    case 0: tree_.SetLeftPosition(left - 4); break;
    case 1: tree_.SetLeftPosition(left + 4); break;
    case 2: tree_.SetLeftPosition(left - width() / 2); break;
    case 3: tree_.SetLeftPosition(left + width() / 2); break;
    case 4: tree_.SetLeftPosition(scrollPos); break;
    case 5:
        if (tree_.Settings().ScrollTracking) tree_.SetLeftPosition(scrollPos);
        break;
    case 6: tree_.SetLeftPosition(0); break;
    case 7: tree_.SetLeftPosition(contentWidth_); break;
    default: break;
    }
    tree_.DoScroll(TScrollBarKind::sbHorizontal, scrollCode);
    doChange = false;
}

void TMcTreeView::VertScroll(QObject* sender, TMcScrollCode scrollCode, int32_t& scrollPos, bool& doChange) {
    doChange = false;
    const int32_t code = MapSecondary(sender, static_cast<int32_t>(scrollCode));
    if (editor_) {
        scrollToggle_ = !scrollToggle_;
        if (scrollToggle_) {
            tree_.VertScrollBar().EndScroll();
            return;
        }
        if (code == 8) return;
        EndEdit(false);
    } else {
        scrollToggle_ = false;
    }
    const int32_t top = tree_.TopIndex();
    switch (code) {
    case 0: tree_.SetTopIndex(top - 1); break;
    case 1: tree_.SetTopIndex(top + 1); break;
    case 2: tree_.SetTopIndex(std::max(top - PageRowCount() + 1, 0)); break;
    case 3: {
        int32_t next = top + PageRowCount() - 1;
        if (next == top && rows_.Count() == 1 && tree_.ShownItemCount() != 1) ++next;
        tree_.SetTopIndex(next);
        break;
    }
    case 4: tree_.SetTopIndex(scrollPos); break;
    case 5:
        if (tree_.Settings().ScrollTracking) tree_.SetTopIndex(scrollPos);
        break;
    case 6: tree_.SetTopIndex(0); break;
    case 7: tree_.SetTopIndex(tree_.ShownItemCount()); break;
    default: break;
    }
    tree_.DoScroll(TScrollBarKind::sbVertical, scrollCode);
}

// Whole rows by the lines a notch scrolls; what is left of a small turn
// waits for the next one, so fine-grained wheels and touchpads scroll too.
void TMcTreeView::WheelRows(int32_t delta, int32_t linesPerNotch) {
    const int64_t lines = std::max(linesPerNotch, 1);
    const int64_t total = int64_t{wheelRest_} + int64_t{delta} * lines;
    const int64_t rows = total / 120;
    wheelRest_ = static_cast<int32_t>(total - rows * 120);
    if (rows != 0) ApplyTopIndex(gdi::Saturated(int64_t{tree_.TopIndex()} - rows));
}

void TMcTreeView::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    if (angle.y() == 0) {
        event->ignore();
        return;
    }
    int32_t lines = QApplication::wheelScrollLines();
    // A setting of a page (or more rows than a view holds) scrolls a page.
    if (lines > PageRowCount() && PageRowCount() > 1) lines = PageRowCount() - 1;
    WheelRows(angle.y(), lines);
    event->accept();
}

void TMcTreeView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    TMcUpdateBracket bracket(tree_);
    tree_.MarkChanged();
    rowsDirty = fullRepaint = true;
    RebuildRows(tree_.TopIndex());
}

void TMcTreeView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) update();
}

bool TMcTreeView::IsActiveControl() const {
    const QWidget* top = window();
    return top && top->focusWidget() == this;
}

// ---- focus and events

namespace {
// A change of the focus inside the window, not the window's own activation.
bool WithinWindow(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}
}  // namespace

void TMcTreeView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (WithinWindow(event->reason())) tree_.DoEnter();
    if (tree_.Settings().HideSelection) update();
    tree_.FocusChanged();
}

void TMcTreeView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    buttonDown_ = false;
    itemHintItem_ = nullptr;
    HideLineHint();
    if (WithinWindow(event->reason())) tree_.DoExit();
    if (tree_.Settings().HideSelection) update();
    tree_.FocusChanged();
}

bool TMcTreeView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) return ShowItemHint(static_cast<QHelpEvent*>(event));
    return QWidget::event(event);
}

bool TMcTreeView::eventFilter(QObject* watched, QEvent* event) {
    if (editor_ && watched == editor_) return EditorEvent(event);
    InputSeenByApplication(watched, event);
    return false;
}

// ---- assistive technology

// The focused row as the view's accessible name (its text) and description
// (level, expansion, check box, selection); setting them tells screen readers.
void TMcTreeView::AnnounceFocusedItem() {
    if (!focused_) {
        setAccessibleName(QString());
        setAccessibleDescription(QString());
        return;
    }
    QStringList parts{LocalizedFormat("IDS_MCTREELEVEL", {focused_->GetLevel() + 1})};
    if (focused_->HasVisibleChildren() || focused_->ForceButtons()) {
        parts << LocalizedText(focused_->Expanded() ? "IDS_MCTREEEXPANDED" : "IDS_MCTREECOLLAPSED");
    }
    if (tree_.ShowCheckboxes() && focused_->ShowCheckBox()) {
        const TCheckBoxState state = focused_->CheckBoxState();
        parts << LocalizedText(state == TCheckBoxState::cbChecked  ? "IDS_MCTREECHECKED"
                               : state == TCheckBoxState::cbGrayed ? "IDS_MCTREEGRAYED"
                                                                   : "IDS_MCTREEUNCHECKED");
    }
    if (focused_->GetSelected()) parts << LocalizedText("IDS_MCTREESELECTED");
    setAccessibleName(AnsiToUnicode(focused_->Text()));
    setAccessibleDescription(parts.join(QStringLiteral(", ")));
}
