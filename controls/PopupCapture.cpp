#include "controls/PopupCapture.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>

namespace {

bool IsMouseEvent(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease || type == QEvent::MouseMove ||
           type == QEvent::MouseButtonDblClick;
}

bool IsKeyEvent(QEvent::Type type) {
    return type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride;
}

bool Within(const QWidget* widget, const QWidget* container) {
    return container && widget && (widget == container || container->isAncestorOf(widget));
}

QMouseEvent MouseEventAt(QEvent::Type type, const QWidget& receiver, const QMouseEvent& from) {
    const QPointF global = from.globalPosition();
    return QMouseEvent(type, receiver.mapFromGlobal(global), global, from.button(), from.buttons(), from.modifiers());
}

}  // namespace

TPopupWindow::TPopupWindow(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);  // moves without a button reach it too
    hide();
}

TPopupCapture::TPopupCapture(QWidget* owner, QWidget* popup) : QObject(owner), owner_(owner), popup_(popup) {
    if (qGuiApp)
        connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &TPopupCapture::ApplicationStateChanged);
}

TPopupCapture::~TPopupCapture() { Close(); }

void TPopupCapture::Open(const QPoint& screenPos) {
    if (!owner_ || !popup_) return;
    popup_->move(screenPos);
    popup_->show();
    popup_->raise();
    if (active_) return;
    active_ = true;
    ownerTracking_ = owner_->hasMouseTracking();
    owner_->setMouseTracking(true);
    qApp->installEventFilter(this);
    owner_->grabMouse();
}

void TPopupCapture::Close() {
    if (!active_) return;
    active_ = false;
    if (qApp) qApp->removeEventFilter(this);
    if (owner_) {
        if (QWidget::mouseGrabber() == owner_) owner_->releaseMouse();
        owner_->setMouseTracking(ownerTracking_);
    }
    if (popup_) popup_->hide();
}

void TPopupCapture::Cancel() {
    if (OnCancel) {
        OnCancel();
    } else {
        Close();
    }
}

void TPopupCapture::ApplicationStateChanged(Qt::ApplicationState state) {
    if (active_ && state != Qt::ApplicationActive) Cancel();
}

bool TPopupCapture::eventFilter(QObject* watched, QEvent* event) {
    if (!active_ || !owner_ || !popup_) return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::Hide && watched == owner_) {
        Cancel();  // the control went away with its window
        return false;
    }
    if (IsKeyEvent(type)) return FilterKey(watched, event);
    if (!IsMouseEvent(type) || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget == owner_) return FilterOwnerMouse(static_cast<QMouseEvent*>(event));
    // Without a grab (some window systems refuse it) a press reaches other
    // widgets directly: it closes the popup and goes on to them.
    if (type == QEvent::MouseButtonPress && !Within(widget, popup_) && !Within(widget, owner_)) Cancel();
    return false;
}

bool TPopupCapture::FilterOwnerMouse(QMouseEvent* event) {
    if (OwnerKeeps && OwnerKeeps(*event)) return false;
    QMouseEvent forwarded = MouseEventAt(event->type(), *popup_, *event);
    QCoreApplication::sendEvent(popup_, &forwarded);
    return true;
}

bool TPopupCapture::FilterKey(QObject* watched, QEvent* event) {
    if (watched == popup_) return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();  // no shortcut runs while the popup is open
        return true;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->type() == QEvent::KeyPress && key->key() == Qt::Key_Escape) {
        Cancel();
        return true;
    }
    QKeyEvent forwarded(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(), key->count());
    QCoreApplication::sendEvent(popup_, &forwarded);
    return true;
}

void TPopupCapture::RepeatPress(const QMouseEvent& press, const QWidget* control) {
    QWidget* target = QApplication::widgetAt(press.globalPosition().toPoint());
    if (!target || Within(target, control)) return;
    QMouseEvent repeated = MouseEventAt(QEvent::MouseButtonPress, *target, press);
    QCoreApplication::sendEvent(target, &repeated);
}

QPoint TPopupCapture::PlaceBelow(const QRect& anchor, const QSize& size, const QRect& screen) {
    int x = anchor.left();
    int y = anchor.bottom() + 1;
    if (y + size.height() > screen.bottom() + 1) y = anchor.top() - size.height();
    if (x + size.width() > screen.right() + 1) x = anchor.left() + anchor.width() - size.width() - 2;
    return {x, y};
}
