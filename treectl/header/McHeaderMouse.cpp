// Header control: what the mouse does. Press and click, resizing a section
// by its right border, dragging a section elsewhere, the expand arrow, the
// filter mark and the lookup box, hot tracking, the resize cursor, hints
// and popup menus.
#include "treectl/header/McHeader.h"
#include "treectl/header/McHeaderOverlays.h"

#include "treectl/support/McGuiUtils.h"
#include "treectl/support/McTools.h"

#include "foundation/Codepage1252.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/Masks.h"

#include <QtGui/QEnterEvent>
#include <QtGui/QHelpEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolTip>

#include <cmath>

using gdi::Rect;

// ---- zones

bool TCustomMcHeader::InResizeArea(int32_t x, TMcHeaderSection*& section) const {
    section = nullptr;
    TMcHeaderSection* s = SectionAtPoint(x, 0);
    if (!s) {
        TMcHeaderSection* last = sections_->LastVisibleSection();
        if (last && x < last->Right() - leftPos_ + 5) section = last;
    } else if (s->Width() < 15) {
        return false;
    } else if (x < s->Left() - leftPos_ + 5) {
        section = sections_->PrevVisibleSection(s);
    } else if (x >= s->Left() - leftPos_ + s->Width() - 5) {
        section = s;
    }
    return section != nullptr;
}

int32_t TCustomMcHeader::GetSectionPart(int32_t x, int32_t y, TMcHeaderSection*& section) const {
    if (InResizeArea(x, section)) return 0;
    section = SectionAtPoint(x, y);
    if (!section || section->Width() < 15) return 1;
    const int32_t a = section->Right() - 4 - leftPos_;
    if (section->Expandable() && x >= a - 7 && x <= a && y >= 2 && y <= 9) return 2;
    if (section->LookupEnabled() && x >= a - 7 && x <= a && y >= 12 && y <= 16) return 3;
    if (section->FilterEnabled() && x >= a - 6 && x <= a && y >= 12 && y <= 16) return 4;
    return 1;
}

// ---- Qt's events

void TCustomMcHeader::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        LeftDown(p.x(), p.y());
    } else if (event->button() == Qt::RightButton) {
        if (!resizing_) PopupAt(p.x(), event->globalPosition().toPoint());
        return;  // no mouse-down event for the right button
    }
    if (OnMouseDown) OnMouseDown(*this, event->button(), event->modifiers(), p.x(), p.y());
}

void TCustomMcHeader::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Move(p.x(), p.y());
    CursorAndHint(p.x(), p.y(), event->globalPosition().toPoint());
    if (resizing_) MoveResize(p.x());
    if (OnMouseMove) OnMouseMove(*this, Qt::NoButton, event->modifiers(), p.x(), p.y());
}

void TCustomMcHeader::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) LeftUp(p.x(), p.y());
    else if (event->button() == Qt::RightButton && resizing_) return;
    if (OnMouseUp) OnMouseUp(*this, event->button(), event->modifiers(), p.x(), p.y());
}

void TCustomMcHeader::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        TMcHeaderSection* section = nullptr;
        if (GetSectionPart(p.x(), p.y(), section) == 0 && section->Resizable()) DoSectionAutoSize(section);
    }
    if (OnMouseDown) OnMouseDown(*this, event->button(), event->modifiers(), p.x(), p.y());
}

void TCustomMcHeader::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (pressedSection_ && !draggedSection_) {
        pressed_ = true;
        RedrawSection(pressedSection_);
    }
}

void TCustomMcHeader::leaveEvent(QEvent* event) {
    dropSection_ = nullptr;
    pressed_ = false;
    RedrawSection(pressedSection_);
    if (hotSection_) {
        RedrawSection(hotSection_);
        hotSection_ = nullptr;
    }
    if (!resizing_ && cursor().shape() == Qt::SplitHCursor) unsetCursor();
    hintSection_ = nullptr;
    QWidget::leaveEvent(event);
}

void TCustomMcHeader::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (pressed_ || resizing_ || draggedSection_) {
        const QPoint p = mapFromGlobal(QCursor::pos());
        if (OnMouseUp) OnMouseUp(*this, Qt::LeftButton, Qt::NoModifier, p.x(), p.y());
    }
}

bool TCustomMcHeader::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && showHint_) {
        auto* help = static_cast<QHelpEvent*>(event);
        hintSection_ = SectionAtPoint(help->pos().x(), help->pos().y());
        if (hintSection_ && !hintSection_->Hint().empty()) {
            QToolTip::showText(help->globalPos(), AnsiToUnicode(hintSection_->Hint()), this);
            return true;
        }
    }
    return QWidget::event(event);
}

// ---- press and release

void TCustomMcHeader::LeftDown(int32_t x, int32_t y) {
    if (lookupOpen_) {
        CloseLookup(false);
        return;
    }
    TMcHeaderSection* zone = nullptr;
    if (InResizeArea(x, zone) && zone->Resizable()) {
        StartResize(zone, x);
        return;
    }
    pressPoint_ = QPoint(x, y);
    pressed_ = true;
    ClearPressed();
    pressedSection_ = SectionAtPoint(x, y);
    TMcHeaderSection* s = pressedSection_;
    if (!s) return;
    TMcHeaderSection* part = nullptr;
    switch (GetSectionPart(x, y, part)) {
    case 2:
        pressedSection_ = nullptr;
        s->SetExpanded(!s->Expanded());
        if (s->Expanded()) {
            if (OnSectionExpand) OnSectionExpand(*this, s);
        } else if (OnSectionCollapse) {
            OnSectionCollapse(*this, s);
        }
        return;
    case 3:
        pressedSection_ = nullptr;
        OpenLookup(s);
        return;
    case 4:
        if (OnFilterCall) OnFilterCall(*this, s);
        break;
    default:
        break;
    }
    if (s->AllowClick()) RedrawSection(s);
    else pressedSection_ = nullptr;
}

void TCustomMcHeader::ClearPressed() {
    if (!pressedSection_) return;
    TMcHeaderSection* previous = pressedSection_;
    pressedSection_ = nullptr;
    RedrawSection(previous);
}

void TCustomMcHeader::LeftUp(int32_t x, int32_t y) {
    if (resizing_) {
        EndResize();
    } else if (draggedSection_) {
        EndDrag(x);
    } else {
        pressed_ = false;
        if (TMcHeaderSection* p = pressedSection_) {
            ClearPressed();
            if (SectionAtPoint(pressPoint_.x(), pressPoint_.y()) == SectionAtPoint(x, y) && OnSectionClick) {
                OnSectionClick(*this, p);
            }
        }
    }
}

// ---- moving

void TCustomMcHeader::Move(int32_t x, int32_t y) {
    if (pressed_ && allowDrag_ && pressedSection_ && !draggedSection_) {
        const double dx = x - pressPoint_.x(), dy = y - pressPoint_.y();
        if (std::sqrt(dx * dx + dy * dy) >= 5.0) StartDrag();
    }
    if (allowDrag_ && !pressed_ && draggedSection_) MoveDrag(x);
    Track(x);
}

void TCustomMcHeader::Track(int32_t x) {
    if (!tracking_ || resizing_ || draggedSection_ || designing_) return;
    TMcHeaderSection* hot = SectionAtPoint(x, 0);
    if (hot == hotSection_) return;
    RedrawSection(hotSection_);
    hotSection_ = hot;
    RedrawSection(hotSection_);
}

void TCustomMcHeader::CursorAndHint(int32_t x, int32_t y, const QPoint& global) {
    if (pressed_ || resizing_ || draggedSection_) return;
    TMcHeaderSection* zone = nullptr;
    const bool inZone = InResizeArea(x, zone);
    if (inZone && !designing_ && zone->Resizable()) setCursor(Qt::SplitHCursor);
    else if (cursor().shape() == Qt::SplitHCursor) unsetCursor();
    TMcHeaderSection* under = inZone ? zone : SectionAtPoint(x, y);
    if (hintSection_ && under != hintSection_ && showHint_ && under && !under->Hint().empty()) {
        hintSection_ = under;
        QToolTip::showText(global, AnsiToUnicode(under->Hint()), this);
    }
}

// ---- resizing

void TCustomMcHeader::StartResize(TMcHeaderSection* section, int32_t x) {
    resizing_ = true;
    resizeSection_ = section;
    if (hotSection_) {
        RedrawSection(hotSection_);
        hotSection_ = nullptr;
    }
    setCursor(Qt::SplitHCursor);
    lineX_ = section->Right() - leftPos_;
    grabOffset_ = x - lineX_;
    if (!resizeOnDrag_) DrawResizeLine();
    if (OnSectionResizing) OnSectionResizing(*this, section, TMcHResizingStates::trsBegin, section->Width());
}

// The widths of the sections after s that are not resizable, visible or not.
static int32_t FixedWidthAfter(const TMcHeaderSections& sections, const TMcHeaderSection* s) {
    int32_t width = 0;
    for (int32_t p = sections.PositionOf(s) + 1; p < sections.Count(); ++p) {
        if (!sections.ItemByPos(p)->Resizable()) width += sections.ItemByPos(p)->Width();
    }
    return width;
}

void TCustomMcHeader::MoveResize(int32_t x) {
    TMcHeaderSection* r = resizeSection_;
    if (!r) return;
    const int32_t left = r->Left();
    const int32_t border = x + leftPos_ - grabOffset_;
    if (border < left) return;
    if (stickySections_ && border >= width() - FixedWidthAfter(*sections_, r)) return;
    const int32_t newWidth = x - left - grabOffset_ + leftPos_;
    if (newWidth < r->MinWidth() || newWidth > r->MaxWidth()) return;
    if (resizeOnDrag_) {
        r->SetWidth(newWidth);
        InvalidateFrom(r->Index());
        UpdateNow();
    } else {
        DrawResizeLine();
        lineX_ = left + newWidth - leftPos_;
        DrawResizeLine();
    }
    if (OnSectionResizing) OnSectionResizing(*this, r, TMcHResizingStates::trsMove, newWidth);
}

void TCustomMcHeader::EndResize() {
    resizing_ = false;
    unsetCursor();
    TMcHeaderSection* r = resizeSection_;
    if (!resizeOnDrag_) {
        if (lineDrawn_) DrawResizeLine();
        r->SetWidth(lineX_ - r->Left() + leftPos_);
    }
    if (OnSectionResizing) OnSectionResizing(*this, r, TMcHResizingStates::trsEnd, r->Width());
    if (OnSectionResize) OnSectionResize(*this, r);
    resizeSection_ = nullptr;
    InvalidateHeader();
    UpdateNow();
}

// Shows the line when it is hidden and hides it when it shows.
void TCustomMcHeader::DrawResizeLine() {
    lineDrawn_ = !lineDrawn_;
    if (!resizeLine_) resizeLine_ = std::make_unique<TMcOverlay>(parentWidget() ? parentWidget() : this);
    if (lineDrawn_) resizeLine_->ShowInvertedStrip(lineX_, *this);
    else resizeLine_->hide();
}

// ---- dragging a section

void TCustomMcHeader::StartDrag() {
    draggedSection_ = pressedSection_;
    pressed_ = false;
    pressPoint_.rx() += leftPos_;
    dropSection_ = nullptr;
    lastDragX_ = pressPoint_.x();
    dragRect_ = GetSectionRect(draggedSection_->Index()).Offset(-leftPos_, 0);
    if (TMcHeaderSection* s = SectionAtPoint(pressPoint_.x() - leftPos_, pressPoint_.y())) {
        dragImage_ = std::make_unique<TMcOverlay>(this);
        dragImage_->ShowPicture(DragPicture(s), QPoint(dragRect_.left, dragRect_.top));
    }
}

// The section drawn raised; pixels of the header's colour stay see-through,
// as the drag mask leaves them.
QImage TCustomMcHeader::DragPicture(TMcHeaderSection* s) {
    const Rect r = GetSectionRect(s->Index());
    gdi::BitmapCanvas image(r.Width() + 1, r.Height() + 1);
    image.FillRect({0, 0, r.Width() + 1, r.Height() + 1}, gdi::SolidBrush(color_));
    image.SetFont(font_);
    DrawSection(image, s, {0, 0, r.Width(), r.Height()}, false);
    const gdi::Bitmap mask = gdi::ColorKeyMask(image.bitmap(), {0, 0, r.Width() + 1, r.Height() + 1}, color_);
    QImage picture = image.bitmap().image().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (mask.Pixel(x, y) != gdi::Rgb(0, 0, 0)) picture.setPixel(x, y, 0);
        }
    }
    return picture;
}

void TCustomMcHeader::MoveDrag(int32_t x) {
    TMcHeaderSection* d = draggedSection_;
    dropSection_ = SectionAtPoint(x, 0);
    if (moveOnDrag_ && dropSection_ != d) {
        if (!dropSection_) {
            sections_->MoveSection(d, sections_->Count() - 1);
        } else {
            const bool before = d->Position() < dropSection_->Position();
            if ((before && dropSection_->Right() - d->Width() < x + leftPos_) ||
                (!before && dropSection_->Left() + d->Width() > x + leftPos_)) {
                sections_->MoveSection(d, dropSection_->Position());
            }
        }
    }
    InvalidateRect(dragRect_);
    UpdateNow();
    dragRect_ = dragRect_.Offset(x + leftPos_ - lastDragX_, 0);
    if (dragImage_) dragImage_->move(dragRect_.left, dragRect_.top);
    lastDragX_ = x + leftPos_;
}

void TCustomMcHeader::EndDrag(int32_t x) {
    TMcHeaderSection* target = SectionAtPoint(x, 0);
    if (target != draggedSection_) {
        sections_->MoveSection(draggedSection_, target ? target->Position() : sections_->Count() - 1);
    }
    ClearPressed();
    draggedSection_ = nullptr;
    dropSection_ = nullptr;
    dragImage_.reset();
    InvalidateHeader();
}

// ---- right button

void TCustomMcHeader::PopupAt(int32_t x, const QPoint& global) {
    TMcHeaderSection* s = SectionAtPoint(x, 0);
    QMenu* menu = s ? qobject_cast<QMenu*>(s->PopupMenu()) : nullptr;
    if (!menu && !(s && s->PopupMenu())) menu = popupMenu_;
    if (menu) menu->popup(global);
}

// ---- the lookup box

void TCustomMcHeader::OpenLookup(TMcHeaderSection* s) {
    QWidget* area = parentWidget() ? parentWidget() : this;
    if (lookupCombo_) {
        lookupCombo_->clearEditText();
    } else {
        lookupCombo_ = new QComboBox(area);
        lookupCombo_->setEditable(true);
        lookupCombo_->setInsertPolicy(QComboBox::NoInsert);
        lookupCombo_->hide();
        lookupCombo_->installEventFilter(this);
        lookupCombo_->lineEdit()->installEventFilter(this);
        connect(lookupCombo_, &QComboBox::editTextChanged, this, [this](const QString& text) {
            if (lookupGuard_ || !lookupSection_) return;
            std::string value = UnicodeToAnsi(text);
            const std::string asked = value;
            if (OnHeaderLookup) OnHeaderLookup(*this, lookupSection_, value);
            if (value != asked) {
                lookupGuard_ = true;
                lookupCombo_->setEditText(AnsiToUnicode(value));
                lookupGuard_ = false;
            }
        });
    }
    lookupGuard_ = true;
    lookupCombo_->clear();
    for (const std::string& entry : s->LookupHistory()) lookupCombo_->addItem(AnsiToUnicode(entry));
    lookupCombo_->setEditText(QString());
    lookupGuard_ = false;
    lookupSection_ = s;
    const Rect r = GetSectionRect(s->Index()).Offset(-leftPos_, 0);
    const QPoint at = mapTo(area, QPoint(r.left, r.top));
    QFont font = lookupCombo_->font();
    font.setPixelSize(std::max(6, FontPixels() - 3));
    lookupCombo_->setFont(font);
    lookupCombo_->setGeometry(at.x(), at.y(), r.Width(), std::max(lookupCombo_->sizeHint().height(), r.Height() - 2));
    lookupOpen_ = true;
    lookupCombo_->show();
    lookupCombo_->raise();
    savedFocus_ = QApplication::focusWidget();
    lookupCombo_->setFocus();
}

void TCustomMcHeader::CloseLookup(bool accepted) {
    lookupOpen_ = false;
    const std::string text = UnicodeToAnsi(lookupCombo_->currentText());
    if (OnHeaderLookupDone) OnHeaderLookupDone(*this, lookupSection_, text, accepted);
    if (accepted && lookupSection_) lookupSection_->RememberLookup(text);
    lookupCombo_->hide();
    RestoreFocus();
}

void TCustomMcHeader::RestoreFocus() {
    if (savedFocus_ && savedFocus_->isVisible()) savedFocus_->setFocus();
}

bool TCustomMcHeader::eventFilter(QObject* watched, QEvent* event) {
    if (!lookupCombo_ || (watched != lookupCombo_ && watched != lookupCombo_->lineEdit())) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress && lookupOpen_) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            CloseLookup(true);
            return true;
        }
        if (plain && key->key() == Qt::Key_Escape) {
            CloseLookup(false);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && lookupOpen_ && watched == lookupCombo_->lineEdit()) {
        // Losing the focus to the box's own list keeps it open.
        if (!lookupCombo_->view()->isVisible()) CloseLookup(false);
    }
    return QWidget::eventFilter(watched, event);
}
