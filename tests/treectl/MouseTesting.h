#pragma once
// Synthesized mouse events for the tree control's widgets.

#include <QtCore/QCoreApplication>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QWidget>

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                      ? (type == QEvent::MouseMove ? Qt::MouseButtons(button) : Qt::NoButton)
                                      : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(p), QPointF(w->mapToGlobal(p)), type == QEvent::MouseMove ? Qt::NoButton : button,
                      held, modifiers);
    QCoreApplication::sendEvent(w, &event);
}
inline void Press(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonPress, p, button);
}
inline void MoveTo(QWidget* w, QPoint p) { SendMouse(w, QEvent::MouseMove, p); }
inline void Release(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    SendMouse(w, QEvent::MouseButtonRelease, p, button);
}
inline void DoubleClick(QWidget* w, QPoint p) { SendMouse(w, QEvent::MouseButtonDblClick, p); }
inline void Click(QWidget* w, QPoint p) {
    Press(w, p);
    Release(w, p);
}
