#include "app/ZRMenuSpacer.h"

#include <QtGui/QPainter>

TZRMenuSpacer::TZRMenuSpacer(QWidget* parent, TZRSpacerOrientation orientation) : QWidget(parent), orientation_(orientation) {}

void TZRMenuSpacer::SetOrientation(TZRSpacerOrientation orientation) {
    if (orientation_ == orientation) return;
    orientation_ = orientation;
    update();
}

void TZRMenuSpacer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    if (orientation_ == TZRSpacerOrientation::soVert) {
        const int x = width() / 2;
        painter.setPen(shadow);
        painter.drawLine(x - 1, 2, x - 1, height() - 3);
        painter.setPen(light);
        painter.drawLine(x, 2, x, height() - 3);
    } else {
        const int y = height() / 2;
        painter.setPen(shadow);
        painter.drawLine(2, y - 1, width() - 3, y - 1);
        painter.setPen(light);
        painter.drawLine(2, y, width() - 3, y);
    }
}
