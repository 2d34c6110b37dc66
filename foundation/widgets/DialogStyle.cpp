#include "foundation/widgets/DialogStyle.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>

void AssignStatusFont(QFont& font) { font = QApplication::font("QStatusBar"); }

void ApplyThemedPanelStyle(QFrame* panel) {
    if (!panel) return;
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
}
