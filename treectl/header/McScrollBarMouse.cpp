// Scroll bar: presses with auto-repeat, dragging the thumb with its track
// hint, the keyboard, and the mouse coming and going.
#include "treectl/header/McScrollBar.h"

#include "treectl/support/McGuiUtils.h"
#include "treectl/support/McHintWindow.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QScreen>

#include <algorithm>

using enum TMcScrollBarPart;

// ---- what each part does

bool TCustomMcScrollBar::ActionOf(TMcScrollBarPart part, int32_t pg, TMcScrollCode& code, int32_t& value) const {
    const int32_t p = position_;
    auto lineBack = [&] {
        code = TMcScrollCode::scLineUp;
        value = p > min_ ? p - 1 : min_;
        return CanScrollBack();
    };
    auto lineForward = [&] {
        code = TMcScrollCode::scLineDown;
        value = p < max_ ? p + 1 : max_;
        return CanScrollForward();
    };
    auto pageBack = [&] {
        code = TMcScrollCode::scPageUp;
        value = static_cast<int32_t>(std::max<int64_t>(min_, int64_t{p} - pg));
        return CanScrollBack();
    };
    auto pageForward = [&] {
        code = TMcScrollCode::scPageDown;
        value = static_cast<int32_t>(std::min<int64_t>(max_, int64_t{p} + pg));
        return CanScrollForward();
    };
    switch (part) {
    case sbpStartArrow: return lineBack();
    case sbpEndArrow: return lineForward();
    case sbpTrackBefore: return pageBack();
    case sbpTrackAfter: return pageForward();
    case sbpEndSecondary:
        if (secondBtnKind_ == TMcSecButtonsKind::sbkOpposite) return lineBack();
        if (secondBtnKind_ == TMcSecButtonsKind::sbkPage) return pageForward();
        code = TMcScrollCode::scEndSecondary;
        value = p;
        return true;
    case sbpStartSecondary:
        if (secondBtnKind_ == TMcSecButtonsKind::sbkOpposite) return lineForward();
        if (secondBtnKind_ == TMcSecButtonsKind::sbkPage) return pageBack();
        code = TMcScrollCode::scStartSecondary;
        value = p;
        return true;
    default: return false;
    }
}

// Reports a scroll; when the handler agrees, the bar takes the value (and tells OnChange).
void TCustomMcScrollBar::Report(TMcScrollCode code, int32_t value, bool withChange) {
    bool doChange = true;
    DoScroll(code, value, doChange);
    if (!doChange) return;
    SetPosition(value);
    if (withChange) DoChange();
}

// ---- the mouse

void TCustomMcScrollBar::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (OnMouseDown) OnMouseDown(this, event->button(), p.x(), p.y());
    if (event->button() == Qt::LeftButton) PressAt(p);
}

void TCustomMcScrollBar::PressAt(const QPoint& p) {
    const TMcScrollBarPart before = pressedPart_;
    pressedPart_ = PartAt(p.x(), p.y());
    if (scrollActive_) {
        if (pressedPart_ != before) update();
        return;
    }
    scrollActive_ = true;
    TMcScrollCode code = TMcScrollCode::scEndScroll;
    int32_t value = position_;
    bool active = false;
    if (pressedPart_ == sbpThumb) {
        active = int64_t{max_} - min_ + 1 > page_ && max_ != min_;
        pressCoordinate_ = Along(p);
        pressPosition_ = position_;
        thumbGrab_ = pressCoordinate_ - thumbPos_;
        pressThumb_ = thumbPos_;
        if (active && showTrackHint_) {
            if (Vertical()) ShowTrackHintAt(position_, -2, thumbPos_ - 2);
            else ShowTrackHintAt(position_, thumbPos_ - 2, -5);
        }
    } else if (pressedPart_ != sbpNone) {
        active = ActionOf(pressedPart_, page_, code, value);
    }
    if (active || (noDisableButtons_ && pressedPart_ != sbpThumb && pressedPart_ != sbpNone)) {
        if (pressedPart_ != sbpThumb) {
            repeatTimer_.setInterval(KeyboardRepeatTime(SPI_GETKEYBOARDDELAY));
            repeatTimer_.start();
            Report(code, value, true);
        }
    } else {
        pressedPart_ = sbpNone;
        scrollActive_ = false;
    }
    if (pressedPart_ != before) update();
}

void TCustomMcScrollBar::RepeatTick() {
    repeatTimer_.setInterval(KeyboardRepeatTime(SPI_GETKEYBOARDSPEED));
    if (pressedPart_ == sbpNone || pressedPart_ == sbpThumb) return;
    TMcScrollCode code = TMcScrollCode::scEndScroll;
    int32_t value = position_;
    ActionOf(pressedPart_, page_ == 0 ? 1 : page_, code, value);
    if (pressedPart_ == sbpTrackBefore || pressedPart_ == sbpTrackAfter) {
        // The track pages only while the pointer is still over that part of it.
        const QPoint cursor = mapFromGlobal(QCursor::pos());
        if (PartAt(cursor.x(), cursor.y()) != pressedPart_) value = position_;
    }
    bool doChange = true;
    DoScroll(code, value, doChange);
    if (doChange) SetPosition(value);
}

void TCustomMcScrollBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (!scrollActive_) {
        const TMcScrollBarPart hot = PartAt(p.x(), p.y());
        if (hot != hotPart_) {
            hotPart_ = hot;
            update();
        }
        return;
    }
    if (pressedPart_ == sbpThumb) {
        DragThumb(p);
        return;
    }
    const TMcScrollBarPart hot = PartAt(p.x(), p.y());
    if (hot == hotPart_) return;
    hotPart_ = hot;
    if (hotPart_ != pressedPart_) repeatTimer_.stop();
    else repeatTimer_.start();
    update();
}

void TCustomMcScrollBar::DragThumb(const QPoint& p) {
    const TMcScrollGeometry g = Geometry();
    const int32_t a = Along(p), length = g.length, bs = g.ButtonSize(), ts = g.ThumbSize();
    int32_t value;
    if (a < -length / 2 || a > length + length / 2) {
        // Far away from the bar the thumb goes back to where the drag began.
        thumbPos_ = pressThumb_;
        value = DraggedPosition();
        InvalidateTrack();
    } else {
        const int32_t before = thumbPos_;
        thumbPos_ = std::clamp(a - thumbGrab_, bs * g.StartButtonCount(),
                               std::max(bs * g.StartButtonCount(), length - bs * g.EndButtonCount() - ts));
        value = DraggedPosition();
        if (!NoScrollMessages && parentWidget()) {
            TMcScrollMessage message(kind_, value);
            QCoreApplication::sendEvent(parentWidget(), &message);
        }
        bool unused = true;
        DoScroll(TMcScrollCode::scTrack, value, unused);
        if (thumbPos_ != before) InvalidateTrack();
    }
    if (showTrackHint_) {
        if (Vertical()) ShowTrackHintAt(value, -2, thumbPos_ - 2);
        else ShowTrackHintAt(value, thumbPos_ - 2, -5);
    }
}

void TCustomMcScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) EndPress();
}

void TCustomMcScrollBar::EndScroll() { EndPress(); }

void TCustomMcScrollBar::EndPress() {
    if (!scrollActive_) return;
    repeatTimer_.stop();
    scrollActive_ = false;
    if (pressedPart_ == sbpThumb) {
        if (trackHint_) trackHint_.reset();
        Report(TMcScrollCode::scPosition, DraggedPosition(), true);
    } else {
        Report(TMcScrollCode::scEndScroll, position_, true);
    }
    thumbPos_ = ThumbFromPosition();
    pressedPart_ = sbpNone;
    update();
}

// The thumb back where the press found it stands for the position of the
// press, which the thumb's pixel may not give back exactly.
int32_t TCustomMcScrollBar::DraggedPosition() const {
    return thumbPos_ == pressThumb_ ? pressPosition_ : PositionFromThumb();
}

// ---- the track hint

QRect TCustomMcScrollBar::PlaceHint(const QRect& desktop, const QPoint& point, const QSize& size) {
    QRect r(QPoint(point.x() - 1 - size.width(), point.y() - 1 - size.height()), size);
    if (r.left() < desktop.left()) r.moveLeft(desktop.left());
    if (r.top() < desktop.top()) r.moveTop(desktop.top());
    if (r.right() > desktop.right()) r.moveRight(desktop.right());
    if (r.bottom() > desktop.bottom()) r.moveBottom(desktop.bottom());
    return r;
}

void TCustomMcScrollBar::ShowTrackHintAt(int32_t value, int32_t x, int32_t y) {
    const QPoint screenPoint = mapToGlobal(QPoint(x, y));
    std::string hint;
    DoScrollHintNeeded(value, hint);
    if (!trackHint_) trackHint_ = std::make_unique<TMcHintWindow>();
    if (hint.empty()) {
        trackHint_->hide();  // nothing to tell
        return;
    }
    const QScreen* screen = QGuiApplication::screenAt(screenPoint);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const gdi::Rect measured = trackHint_->CalcHintRect(desktop.width(), hint);
    const QRect placed = PlaceHint(desktop, screenPoint, QSize(measured.Width(), measured.Height()));
    trackHint_->ActivateHint({placed.left(), placed.top(), placed.right() + 1, placed.bottom() + 1}, hint);
}

// ---- keyboard, mouse in and out, focus

void TCustomMcScrollBar::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int32_t p = position_;
    TMcScrollCode code;
    int32_t value;
    switch (event->key()) {
    case Qt::Key_PageUp: code = TMcScrollCode::scPageUp; value = static_cast<int32_t>(std::max<int64_t>(min_, int64_t{p} - page_)); break;
    case Qt::Key_PageDown: code = TMcScrollCode::scPageDown; value = static_cast<int32_t>(std::min<int64_t>(max_, int64_t{p} + page_)); break;
    case Qt::Key_End: code = TMcScrollCode::scBottom; value = max_; break;
    case Qt::Key_Home: code = TMcScrollCode::scTop; value = min_; break;
    case Qt::Key_Left: case Qt::Key_Up: code = TMcScrollCode::scLineUp; value = p > min_ ? p - 1 : min_; break;
    case Qt::Key_Right: case Qt::Key_Down: code = TMcScrollCode::scLineDown; value = p < max_ ? p + 1 : max_; break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    Report(code, value, true);
    event->accept();
}

void TCustomMcScrollBar::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    mouseInside_ = true;
    if (flat_ && !activeFlat_) update();
}

void TCustomMcScrollBar::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    mouseInside_ = false;
    if (!scrollActive_) hotPart_ = sbpNone;
    if (flat_ && !activeFlat_) update();
}

void TCustomMcScrollBar::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (flat_ && !activeFlat_) update();
}

void TCustomMcScrollBar::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (flat_ && !activeFlat_) update();
}
