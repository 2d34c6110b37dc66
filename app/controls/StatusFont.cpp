#include "app/controls/StatusFont.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

void AssignStatusFont(QFont& font) { font = QApplication::font("QStatusBar"); }

void AssignStatusFont(QWidget* window) {
    QFont font = window->font();
    AssignStatusFont(font);
    window->setFont(font);
}
