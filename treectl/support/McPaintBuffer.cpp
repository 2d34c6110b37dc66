#include "treectl/support/McPaintBuffer.h"

#include <QtGui/QPaintEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QWidget>

void TMcPaintBuffer::Paint(QWidget& widget, const QPaintEvent& event, const PaintFunction& paint) {
    const int32_t width = widget.width(), height = widget.height();
    if (width <= 0 || height <= 0) return;
    if (!canvas_) canvas_ = std::make_unique<gdi::BitmapCanvas>(width, height);
    else if (canvas_->bitmap().Width() != width || canvas_->bitmap().Height() != height) canvas_->SetSize(width, height);
    QRect box = event.rect();
    box = box.isEmpty() ? widget.rect() : box.adjusted(-1, -1, 1, 1) & widget.rect();
    const int32_t level = canvas_->SaveDC();
    canvas_->IntersectClipRect(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
    paint(*canvas_);
    canvas_->RestoreDC(level);
    QPainter painter(&widget);
    painter.drawImage(box.topLeft(), canvas_->bitmap().image(), box);
}
