#pragma once
// Helpers of the control tests: synthesized keys, an active window on the
// offscreen platform, and a German locale for the decimal comma.

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QLocale>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

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
