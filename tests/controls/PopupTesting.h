#pragma once
// Helpers of the tests of controls with popups: mouse input as the window
// system delivers it (to the window under a screen point, where Qt applies
// mouse grabs), a test window with a "document" field that holds the focus
// and a button beside the control, and the pixels of a widget.

#include "ControlsTesting.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QWindow>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

// Sends the event to the top-level window under the screen point.
inline void SystemMouse(QEvent::Type type, const QPoint& global, Qt::MouseButton button,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWindow* window = QGuiApplication::topLevelAt(global);
    ASSERT_NE(window, nullptr) << global.x() << ", " << global.y();
    Qt::MouseButtons buttons = Qt::NoButton;
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseMove) buttons = button;
    QMouseEvent event(type, window->mapFromGlobal(QPointF(global)), QPointF(global), type == QEvent::MouseMove ? Qt::NoButton : button,
                      buttons, modifiers);
    QCoreApplication::sendEvent(window, &event);
}

inline void SystemPress(const QPoint& global, Qt::MouseButton button = Qt::LeftButton,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    SystemMouse(QEvent::MouseButtonPress, global, button, modifiers);
}
inline void SystemRelease(const QPoint& global, Qt::MouseButton button = Qt::LeftButton,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    SystemMouse(QEvent::MouseButtonRelease, global, button, modifiers);
}
// A move with the button held (NoButton: a plain move).
inline void SystemMove(const QPoint& global, Qt::MouseButton held = Qt::NoButton) {
    SystemMouse(QEvent::MouseMove, global, held);
}
inline void SystemClick(const QPoint& global, Qt::MouseButton button = Qt::LeftButton,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    SystemPress(global, button, modifiers);
    SystemRelease(global, button, modifiers);
}

// A key as the keyboard delivers it: to the focus window.
inline void SystemKey(int key, const QString& text = {}) {
    QWindow* window = QGuiApplication::focusWindow();
    if (!window && QApplication::activeWindow()) window = QApplication::activeWindow()->windowHandle();
    ASSERT_NE(window, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(window, &release);
}

// A window with a focused "document" field, a plain button, and room for the
// control under test.
class PopupHostWindow : public QWidget {
public:
    PopupHostWindow() {
        document = new QLineEdit(this);
        other = new QPushButton(QStringLiteral("Anderes"), this);
        QObject::connect(other, &QPushButton::clicked, [this] { ++otherClicks; });
        layout = new QHBoxLayout(this);
        auto* column = new QVBoxLayout;
        column->addWidget(document);
        column->addWidget(other);
        column->addStretch();
        layout->addLayout(column);
        move(200, 150);
    }
    // Shows the window active, the document focused.
    void Show() {
        resize(420, 440);
        ShowActive(this);
        document->setFocus();
        QCoreApplication::processEvents();
    }
    QPoint GlobalCentre(QWidget* w) const { return w->mapToGlobal(w->rect().center()); }

    QLineEdit* document;
    QPushButton* other;
    QHBoxLayout* layout;
    int otherClicks = 0;
};

// The colour of a widget's pixel, as painted at scale 1.
inline QColor PixelOf(QWidget* widget, const QPoint& at) { return widget->grab().toImage().pixelColor(at); }
