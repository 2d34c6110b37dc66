#include "foundation/widgets/DialogStyle.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QWidget>

void AssignStatusFont(QFont& font) { font = QApplication::font("QStatusBar"); }

void AssignStatusFont(QWidget* window) {
    QFont font = window->font();
    AssignStatusFont(font);
    window->setFont(font);
}

void ApplyThemedPanelStyle(QFrame* panel) {
    if (!panel) return;
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
}
