// Tree view: dragging items inside the program. A drag starts from the
// selection when the mouse moves 5 pixels with the button held; the tree
// under the cursor is told of the drag entering, moving and leaving, marks
// its drop target, scrolls at its top and bottom edges and expands the
// target after a delay; the release drops, Escape cancels. The selected
// rows travel with the cursor as a picture.
#include "treectl/view/McTreeView.h"

#include "treectl/header/McHeaderOverlays.h"
#include "treectl/support/McTimer.h"
#include "treectl/tree/McTree.h"
#include "treectl/view/McTreeDragObject.h"

#include "foundation/Codepage1252.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/DrawText.h"
#include "platform/gdi/ImageList.h"

#include <QtWidgets/QApplication>

Qt::CursorShape TMcTreeDragObject::GetDragCursor(bool accepted, QObject* target, int32_t, int32_t) const {
    const bool overTree = dynamic_cast<TMcTreeView*>(target) || dynamic_cast<TCustomMcTree*>(target);
    return accepted && overTree ? control_.Settings().DragCursor : Qt::ForbiddenCursor;
}

void TMcTreeDragObject::Finished(QObject*, int32_t, int32_t, bool) {}

const gdi::ImageList* TMcTreeView::DragImages() const { return dragImages_.get(); }

// ---- the drag of this view

void TMcTreeView::StartDragging(QPoint p) {
    StopEditDelay();
    pendingSelection_ = false;
    pendingItem_ = nullptr;
    doubleClickHappened_ = true;
    if (tree_.Settings().DragType == TMcDragType::dtOLE) return;
    ClearDropTarget();
    BuildDragImage();
    TMcTreeDragObject* object = nullptr;
    tree_.DoStartDrag(object);
    object->SetDragPos(pressPoint_);
    dragObject_ = object;
    tree_.SetDragObject(object);
    const TMcHeaderSection* main =
        tree_.ShowColumns() ? tree_.Header().Sections().Item(tree_.MainTreeColumn()) : nullptr;
    dragHotSpot_ = {pressPoint_.x() + tree_.LeftPosition() - (main ? main->Left() : 0), pressPoint_.y() - dragImageTop_};
    if (dragImages_) {
        dragImageWindow_ = std::make_unique<TMcOverlay>(window());
        const gdi::Bitmap& picture = dragImages_->Picture(0);
        QImage image = picture.image().convertToFormat(QImage::Format_ARGB32);
        const QRgb key = QColor(gdi::RedOf(dragKey_), gdi::GreenOf(dragKey_), gdi::BlueOf(dragKey_)).rgb() & 0xFFFFFF;
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) line[x] = (line[x] & 0xFFFFFF) == key ? 0 : (line[x] & 0xFFFFFF) | 0xB0000000;
        }
        dragImageWindow_->ShowPicture(image, QPoint());
    }
    DragSessionMove(mapToGlobal(p));
}

namespace {
TMcTreeView* ViewAt(QPoint global) {
    for (QWidget* w = QApplication::widgetAt(global); w; w = w->parentWidget()) {
        if (auto* view = dynamic_cast<TMcTreeView*>(w)) return view;
    }
    return nullptr;
}
}  // namespace

void TMcTreeView::DragSessionMove(QPoint global) {
    TMcTreeView* target = ViewAt(global);
    if (!target && rect().contains(mapFromGlobal(global))) target = this;
    bool accept = false;
    if (target != dragTargetView_) {
        if (dragTargetView_) dragTargetView_->DragMessage(TDragState::dsDragLeave, dragObject_, dragTargetView_->mapFromGlobal(global), accept);
        dragTargetView_ = target;
        if (target) target->DragMessage(TDragState::dsDragEnter, dragObject_, target->mapFromGlobal(global), accept);
    }
    accept = false;
    if (target) target->DragMessage(TDragState::dsDragMove, dragObject_, target->mapFromGlobal(global), accept);
    dragAccepted_ = accept;
    const QPoint local = target ? target->mapFromGlobal(global) : QPoint();
    setCursor(dragObject_->GetDragCursor(accept, target, local.x(), local.y()));
    if (dragImageWindow_) {
        dragImageWindow_->move(window()->mapFromGlobal(global) - dragHotSpot_);
        dragImageWindow_->raise();
    }
    lastDragGlobal_ = global;
}

void TMcTreeView::DragSessionEnd(bool drop) {
    TMcTreeDragObject* object = dragObject_;
    if (!object) return;
    TMcTreeView* target = dragTargetView_;
    const bool dropped = drop && dragAccepted_ && target;
    const QPoint at = target ? target->mapFromGlobal(lastDragGlobal_) : QPoint();
    if (target) target->DropMessage(object, at, dropped);
    dragTargetView_ = nullptr;
    dragObject_ = nullptr;
    tree_.SetDragObject(nullptr);
    unsetCursor();
    dragImageWindow_.reset();
    QObject* targetTree = dropped ? &target->Tree() : nullptr;
    object->Finished(targetTree, at.x(), at.y(), dropped);
    tree_.DoEndDrag(targetTree, at.x(), at.y());
    delete object;
    dragImages_.reset();
    ClearDropTarget();
}

// ---- the drag as the tree under the cursor sees it

void TMcTreeView::DragMessage(TDragState state, TMcTreeDragObject* source, QPoint p, bool& accept) {
    tree_.SetDragObject(source);
    tree_.DoDragOver(source, p.x(), p.y(), state, accept);
    const bool allowed = tree_.Settings().DragAllowed;
    switch (state) {
    case TDragState::dsDragEnter: dragOver_ = true; break;
    case TDragState::dsDragLeave:
        dragOver_ = false;
        tree_.SetDragObject(nullptr);
        if (dragExpandTimer_) dragExpandTimer_->Stop();
        if (allowed) {
            autoScrollTimer_.reset();
            ClearDropTarget();
            repaint();
        }
        break;
    case TDragState::dsDragMove:
        dragPoint_ = p;
        if (allowed) DragOverItem(source, p.x(), p.y(), accept);
        break;
    }
}

void TMcTreeView::DropMessage(TMcTreeDragObject* source, QPoint p, bool drop) {
    if (drop) tree_.DoDragDrop(source, p.x(), p.y());
    dragOver_ = false;
    tree_.SetDragObject(nullptr);
    dragExpandTimer_.reset();
    if (tree_.Settings().DragAllowed) {
        autoScrollTimer_.reset();
        ClearDropTarget();
    }
}

void TMcTreeView::ClearDropTarget() {
    if (TMcTreeItem* old = std::exchange(dropTarget_, nullptr)) old->RedrawItem(true);
}

void TMcTreeView::ShowDragImage(bool show) {
    if (TMcTreeView* source = tree_.DragObject() ? &tree_.DragObject()->Control().View() : this) {
        if (source->dragImageWindow_) source->dragImageWindow_->setVisible(show);
    }
}

bool TMcTreeView::InScrollZone(int32_t y, bool up) const {
    if (rows_.Count() == 0) return false;
    const int32_t half = tree_.LineHeight() / 2;
    return up ? y < half && tree_.TopIndex() > 0 : y >= height() - half;
}

void TMcTreeView::DragOverItem(TMcTreeDragObject* source, int32_t x, int32_t y, bool accepted) {
    HideLineHint();
    if (InScrollZone(y, true) || InScrollZone(y, false)) {
        if (!autoScrollTimer_) {
            autoScrollTimer_ = NewMcTimer();
            autoScrollTimer_->OnTimeout = [this] { AutoScrollTick(); };
        }
        if (!autoScrollTimer_->IsActive()) autoScrollTimer_->Start(300);
    }
    const bool acceptChanged = accepted != dropAccepted_;
    dropAccepted_ = accepted;
    TMcTreeItem* target = GetItemAtY(y);
    if (target && !target->Enabled()) target = nullptr;
    if (target == dropTarget_) {
        if (acceptChanged && target) {
            target->RedrawItem(true);
            repaint();
        }
        return;
    }
    (void)source;
    ShowDragImage(false);
    struct ShowAgain {
        TMcTreeView& view;
        ~ShowAgain() { view.ShowDragImage(true); }
    } showAgain{*this};
    ClearDropTarget();
    dropTarget_ = target;
    gdi::Rect r;
    GetRowRect(rows_.IndexOf(target), r);
    tree_.DoDragTargetChange(target, r.IsEmpty() ? r : r.Offset(this->x(), this->y()), x + this->x(), y + this->y());
    const TMcTreeSettings& s = tree_.Settings();
    if (target && s.ExpandOnDragOver) {
        if (s.DragExpandDelay > 0) {
            if (!dragExpandTimer_) {
                dragExpandTimer_ = NewMcTimer();
                dragExpandTimer_->OnTimeout = [this] { DragExpandTick(); };
            }
            dragExpandTimer_->Stop();
            dragExpandTimer_->Start(s.DragExpandDelay);
        } else if (!target->Expanded() && target->HasVisibleChildren()) {
            target->Expand(false);
        }
    }
    if (target) target->RedrawItem(true);
    repaint();
}

void TMcTreeView::AutoScrollTick() {
    autoScrollTimer_->Stop();
    const int32_t y = dragPoint_.y();
    const bool up = InScrollZone(y, true), down = InScrollZone(y, false);
    if (!up && !down) return;
    const int32_t top = tree_.TopIndex();
    ShowDragImage(false);
    tree_.SetTopIndex(top + (up ? -1 : 1));
    repaint();
    ShowDragImage(true);
    if (tree_.TopIndex() != top) autoScrollTimer_->Start(100);
}

bool TMcTreeView::DragScrollStep(TMcTreeDragObject*, int32_t y) {
    const int32_t half = tree_.LineHeight() / 2, top = tree_.TopIndex();
    int32_t step = 0;
    if (y < half && top > 0) step = -1;
    else if (y > height() - half) step = 1;
    if (step == 0) return false;
    ShowDragImage(false);
    tree_.SetTopIndex(top + step);
    return tree_.TopIndex() != top;
}

void TMcTreeView::DragExpandTick() {
    dragExpandTimer_->Stop();
    if (!dropTarget_ || dropTarget_->Expanded() || !dropTarget_->HasVisibleChildren()) return;
    ShowDragImage(false);
    dropTarget_->Expand(false);
    repaint();
    ShowDragImage(true);
}

// ---- the picture of the dragged rows

void TMcTreeView::BuildDragImage() {
    dragImages_.reset();
    const TMcTreeSettings& s = tree_.Settings();
    if (s.DragImageMode == TDragImgMode::dimNever) return;
    int32_t first = -1, last = -1, count = 0;
    for (int32_t i = 0; i < rows_.Count(); ++i) {
        if (!rows_.At(i)->GetSelected()) continue;
        if (first < 0) first = i;
        last = i;
        ++count;
    }
    if (count == 0 || (s.DragImageMode == TDragImgMode::dimOne && count != 1)) return;
    const int32_t lineHeight = tree_.LineHeight();
    dragImageTop_ = first * lineHeight;
    const int32_t h = (last * lineHeight + lineHeight - 1) - dragImageTop_ + 1;
    if (tree_.MainTreeColumn() >= tree_.Header().Sections().Count()) tree_.options_.MainTreeColumn = 0;
    const TMcHeaderSection* main =
        tree_.ShowColumns() ? tree_.Header().Sections().Item(tree_.MainTreeColumn()) : nullptr;
    const int32_t w = main ? main->Width() : std::max(contentWidth_, tree_.LeftPosition() + width());
    if (w <= 0 || h <= 0) return;
    gdi::BitmapCanvas canvas(w, h);
    dragKey_ = gdi::ResolveColor(s.BkColor);
    canvas.FillRect({0, 0, w, h}, gdi::SolidBrush(dragKey_));
    for (int32_t i = first; i <= last; ++i) {
        if (rows_.At(i)->GetSelected()) DrawDragRow(canvas, rows_.At(i), i * lineHeight - dragImageTop_);
    }
    dragImages_ = std::make_unique<gdi::ImageList>(w, h);
    dragImages_->Add(canvas.bitmap(), dragKey_);
}

void TMcTreeView::DrawDragRow(gdi::Canvas& canvas, TMcTreeItem* item, int32_t top) {
    const TMcTreeSettings& s = tree_.Settings();
    const int32_t indent = s.ItemIndent, lineHeight = tree_.LineHeight();
    const int32_t total = canvas.GetClipBox().right;
    const bool mirrored = s.RightAlignedTree;
    int32_t x = (s.ShowRoot && tree_.ShowLines()) || (tree_.ShowButtons() && s.ShowRootButtons) ? indent : 0;
    x += item->GetLevel() * indent;
    auto placed = [&](int32_t w) { return mirrored ? total - x - w : x; };
    if (tree_.ShowImages() && s.Images) {
        const bool state = item->Cut() || item->Underlined() || item->Bold() || item->Italic() || item->StrikeOut() ||
                           item->Expanded();
        int32_t index = state ? item->StateImageIndex() : item->ImageIndex();
        if (index == -1) {
            index = item->ImageIndex();
            if (tree_.OnItemPicDraw) tree_.OnItemPicDraw(tree_, item, index);
        }
        if (s.Images->IsValidIndex(index)) {
            const gdi::ImageList::DrawingStyle own = s.Images->Style();
            s.Images->SetDrawingStyle(gdi::ImageList::DrawingStyle::Focus);
            s.Images->Draw(canvas, index, placed(s.Images->Width()), top + (lineHeight - s.Images->Height()) / 2);
            s.Images->SetDrawingStyle(own);
            x += s.Images->Width();
        }
    }
    x += indent / 3;
    const gdi::Rect r = mirrored ? gdi::Rect{0, top, total - x, top + lineHeight} : gdi::Rect{x, top, total, top + lineHeight};
    const TMcHeaderSection* main =
        tree_.ShowColumns() ? tree_.Header().Sections().Item(tree_.MainTreeColumn()) : nullptr;
    const bool owner = s.OwnerDrawByColumn ? main && main->Style() == TMcSectionStyle::MchsOwnerDraw
                                           : item->Text() == s.OwnerDrawMask;
    if (owner) {
        tree_.DoItemDraw(item, canvas, r, tree_.MainTreeColumn());
        return;
    }
    canvas.SetFont(tree_.CellFont(item, nullptr));
    canvas.SetTextColor(s.TextColor);
    canvas.SetBkMode(gdi::BkMode::Transparent);
    gdi::Rect textRect = r;
    uint32_t flags = gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX;
    if (s.RightAlignedText) flags |= gdi::DT_RIGHT | gdi::DT_RTLREADING;
    gdi::DrawText(canvas, AnsiToWide(item->Text()), textRect, flags);
}
