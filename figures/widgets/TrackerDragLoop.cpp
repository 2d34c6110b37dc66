#include "figures/widgets/TrackerDragLoop.h"

#include <QtCore/QEventLoop>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <exception>

namespace {

class DragLoopFilter : public QObject {
public:
    DragLoopFilter(QWidget* surface, const std::function<bool(const TDragEvent&)>& handler, QEventLoop& loop)
        : surface_(surface), handler_(handler), loop_(loop) {}

    bool Done() const { return done_; }
    // What the handler raised; the drag ended there.
    std::exception_ptr Failure() const { return failure_; }

    void CheckCapture() {
        if (!done_ && (!surface_ || QWidget::mouseGrabber() != surface_))
            Deliver({TDragEvent::Kind::CaptureLost, {}, 0});
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (done_) return false;
        const bool consumed = Handle(watched, event);
        CheckCapture();
        return consumed;
    }

private:
    bool Handle(QObject* watched, QEvent* event) {
        // Input is taken where it reaches a widget, after the window has done
        // its own bookkeeping of buttons and focus, so each event counts once.
        const bool toWidget = watched->isWidgetType();
        switch (event->type()) {
        case QEvent::MouseMove: {
            if (!toWidget) return false;
            auto* e = static_cast<QMouseEvent*>(event);
            Deliver({TDragEvent::Kind::Move, PointOf(*e), ShiftStateOf(e->modifiers(), e->buttons())});
            return true;
        }
        case QEvent::MouseButtonRelease: {
            if (!toWidget) return false;
            auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() != Qt::LeftButton) return false;
            Deliver({TDragEvent::Kind::ButtonUp, PointOf(*e), ShiftStateOf(e->modifiers(), e->buttons())});
            return true;
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            if (!toWidget) return false;
            auto* e = static_cast<QKeyEvent*>(event);
            if (event->type() == QEvent::KeyPress && e->key() == Qt::Key_Escape) {
                Deliver({TDragEvent::Kind::Abandon, {}, 0});
                return true;
            }
            // The modifiers of a key event may or may not include the key
            // itself; the key decides.
            uint32_t shift = ShiftStateOf(e->modifiers(), Qt::NoButton);
            if (const uint32_t own = ModifierOfKey(e->key()))
                shift = event->type() == QEvent::KeyPress ? (shift | own) : (shift & ~own);
            Deliver({TDragEvent::Kind::KeyState, {}, shift});
            return true;
        }
        case QEvent::ShortcutOverride:
            if (!toWidget) return false;
            event->accept();  // no shortcut fires during a drag
            return true;
        case QEvent::ContextMenu:
            return true;
        case QEvent::WindowDeactivate:
            if (surface_ && watched == surface_->window()) Deliver({TDragEvent::Kind::Cancel, {}, 0});
            return false;
        case QEvent::ApplicationDeactivate:
            Deliver({TDragEvent::Kind::Cancel, {}, 0});
            return false;
        default:
            return false;
        }
    }

    TPoint PointOf(const QMouseEvent& e) const {
        const QPoint p = surface_ ? surface_->mapFromGlobal(e.globalPosition().toPoint()) : QPoint();
        return {p.x(), p.y()};
    }

    // Nothing may leave an event filter: an exception would be handled (or
    // not) deep inside the event dispatch while the drag goes on with the
    // mouse grabbed. It ends the drag instead and is raised again once the
    // loop has returned.
    void Deliver(const TDragEvent& e) {
        if (done_) return;
        bool ended = true;
        try {
            ended = handler_(e);
        } catch (...) {
            failure_ = std::current_exception();
        }
        if (ended) {
            done_ = true;
            loop_.quit();
        }
    }

    QPointer<QWidget> surface_;
    const std::function<bool(const TDragEvent&)>& handler_;
    QEventLoop& loop_;
    bool done_ = false;
    std::exception_ptr failure_;
};

struct CursorShape {
    int32_t id;
    Qt::CursorShape shape;
};

constexpr CursorShape kCursorShapes[] = {
    {kCursorRotate, Qt::OpenHandCursor},       {kCursorRotate15, Qt::ClosedHandCursor},
    {kCursorRotate10, Qt::ClosedHandCursor},   {kCursorRotate5, Qt::ClosedHandCursor},
    {kCursorRotate1, Qt::ClosedHandCursor},    {kCursorRotateFine, Qt::ClosedHandCursor},
    {kCursorAdjust, Qt::CrossCursor},          {kCursorSizeNS, Qt::SizeVerCursor},
    {kCursorSizeNWSE, Qt::SizeFDiagCursor},    {kCursorSizeWE, Qt::SizeHorCursor},
    {kCursorSizeNESW, Qt::SizeBDiagCursor},
};

}  // namespace

uint32_t ModifierOfKey(int key) {
    switch (key) {
    case Qt::Key_Shift: return kShiftKey;
    case Qt::Key_Control: return kCtrlKey;
    case Qt::Key_Alt: return kAltKey;
    default: return 0;
    }
}

uint32_t ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    uint32_t shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= kShiftKey;
    if (modifiers & Qt::AltModifier) shift |= kAltKey;
    if (modifiers & Qt::ControlModifier) shift |= kCtrlKey;
    if (buttons & Qt::LeftButton) shift |= kLeftButton;
    if (buttons & Qt::RightButton) shift |= kRightButton;
    if (buttons & Qt::MiddleButton) shift |= kMiddleButton;
    return shift;
}

uint32_t CurrentShiftState() {
    return ShiftStateOf(QGuiApplication::queryKeyboardModifiers(), QGuiApplication::mouseButtons());
}

void RunWidgetDragLoop(QWidget* surface, const std::function<bool(const TDragEvent&)>& handler) {
    QEventLoop loop;
    DragLoopFilter filter(surface, handler, loop);
    QCoreApplication::instance()->installEventFilter(&filter);
    QTimer captureCheck;
    QObject::connect(&captureCheck, &QTimer::timeout, &filter, [&filter] { filter.CheckCapture(); });
    captureCheck.start(50);
    filter.CheckCapture();
    if (!filter.Done()) loop.exec();
    QCoreApplication::instance()->removeEventFilter(&filter);
    if (filter.Failure()) std::rethrow_exception(filter.Failure());
}

QCursor TrackerCursor(int32_t id) {
    for (const CursorShape& c : kCursorShapes)
        if (c.id == id) return QCursor(c.shape);
    return QCursor(Qt::ArrowCursor);
}
