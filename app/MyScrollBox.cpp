#include "app/MyScrollBox.h"

#include <QtGui/QMouseEvent>
#include <QtWidgets/QScrollBar>

TMyScrollBox::TMyScrollBox(QWidget* parent) : QScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            if (OnScroll) OnScroll();
        });
}

void TMyScrollBox::mousePressEvent(QMouseEvent* event) {
    if (focusPolicy() & Qt::TabFocus) setFocus(Qt::MouseFocusReason);
    QScrollArea::mousePressEvent(event);
}

void TMyScrollBox::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    if (OnAfterResize) OnAfterResize();
}
