#include "design/widgets/CanvasPanel.h"

#include <QtGui/QPainter>

TCanvasPanel::TCanvasPanel(QWidget* parent) : QFrame(parent) {}

void TCanvasPanel::paintEvent(QPaintEvent* event) {
    if (!onPaint_) {
        QFrame::paintEvent(event);
        return;
    }
    {
        QPainter painter(this);
        onPaint_(*this, painter);
    }
    // The frame on top of what the handler drew.
    QPainter frame(this);
    drawFrame(&frame);
}
