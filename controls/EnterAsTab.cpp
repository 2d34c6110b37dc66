#include "controls/EnterAsTab.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTextEdit>

namespace {

// Editors that take Enter for a new line.
bool WantsEnter(const QWidget* control) {
    if (auto* text = qobject_cast<const QTextEdit*>(control)) return !text->isReadOnly();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(control)) return !plain->isReadOnly();
    return false;
}

}  // namespace

TZREnterAsTab::TZREnterAsTab(QWidget* form) : QObject(form), form_(form) { qApp->installEventFilter(this); }

bool TZREnterAsTab::TakesEnterAsTab(QWidget* control) const {
    if (control->inherits("TZRFlatButton") || WantsEnter(control)) return false;
    const bool button = qobject_cast<QAbstractButton*>(control) != nullptr;
    return !button || qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control);
}

bool TZREnterAsTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !form_ || !enterAsTab_) return false;
    QWidget* control = QApplication::focusWidget();
    // The key reaches the focused control first; its parents see it later.
    if (watched != control || control->window() != form_->window()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return false;
    if (!TakesEnterAsTab(control)) return false;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &tab);
    return true;
}
