#include "controls/TypedChar.h"

#include <QtGui/QKeyEvent>

bool IsDialogKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

QChar TypedChar(const QKeyEvent& event) {
    if (IsDialogKey(event)) return {};
    if (event.key() == Qt::Key_Backspace) return QChar(8);
    if (!event.text().isEmpty()) return event.text().front();
    if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return QChar(char16_t(event.key() - Qt::Key_A + 1));
    return {};
}
