#pragma once
// Helpers of the control tests: synthesized keys, an active window on the
// offscreen platform, and a German locale for the decimal comma.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QLocale>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtCore/QTimer>
#include <QtWidgets/QDialog>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QWidget>

#include <functional>

#include <ostream>

// Readable rectangles and sizes in failure messages.
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << " x " << s.height(); }
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << "(" << p.x() << ", " << p.y() << ")"; }

inline void Key(QWidget* w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(w, &release);
}

// Types the characters one by one as the keyboard would.
inline void Type(QWidget* w, const QString& chars) {
    for (QChar c : chars) {
        const int key = c.isLetter() ? c.toUpper().unicode() : c.unicode();
        Key(w, key, Qt::NoModifier, QString(c));
    }
}

// Shows the window and makes it the active one, so that focus changes send
// their events.
inline void ShowActive(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    for (int i = 0; i < 20 && QApplication::activeWindow() != window; ++i) QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), window);
}

class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void TearDown() override { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

// Acts on the modal dialog of class D as soon as it is shown; a dialog that
// the action leaves open is cancelled, so that a failing test never hangs.
template <class D>
void WhenShown(std::function<void(D&)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        act(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog stayed open";
            dialog->reject();
        }
    });
    timer->start(0);
}

inline void ClickButton(QWidget* dialog, const char* name) {
    auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}
