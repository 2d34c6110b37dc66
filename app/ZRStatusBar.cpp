#include "app/ZRStatusBar.h"

#include <QtWidgets/QLabel>

TZRStatusBar::TZRStatusBar(QWidget* parent) : QStatusBar(parent), simple_(new QLabel(this)) {
    setSizeGripEnabled(true);
    simple_->setTextFormat(Qt::PlainText);
    addWidget(simple_, 1);
}

QString TZRStatusBar::SimpleText() const { return simple_->text(); }

void TZRStatusBar::SetSimpleText(const QString& text) { simple_->setText(text); }
