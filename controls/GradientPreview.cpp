#include "controls/GradientPreview.h"

#include "controls/ControlPainting.h"

#include "platform/gdi/BitmapCanvas.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

TGradientPreview::TGradientPreview(QWidget* parent)
    : QWidget(parent), palette_(std::make_unique<TGradientpalette>(gdi::Rgb(255, 255, 255), gdi::Rgb(0, 0, 0))) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

TGradientPreview::~TGradientPreview() = default;

void TGradientPreview::SetValue(double& field, double value) {
    if (field == value) return;
    field = value;
    update();
}

void TGradientPreview::SetTyp(TGradienttyp typ) {
    if (typ == typ_) return;
    typ_ = typ;
    update();
}

void TGradientPreview::SetAbstandX(double value) { SetValue(abstandX_, value); }
void TGradientPreview::SetAbstandY(double value) { SetValue(abstandY_, value); }
void TGradientPreview::SetWinkel(double value) { SetValue(winkel_, value); }
void TGradientPreview::SetRandabstand(double value) { SetValue(randabstand_, value); }

void TGradientPreview::SetPalette(const TGradientpalette& palette) {
    palette_->Assign(palette);
    update();
}

QImage TGradientPreview::RenderGradient(const QSize& deviceSize) const {
    gdi::BitmapCanvas canvas(deviceSize.width(), deviceSize.height());
    const gdi::Rect r{0, 0, deviceSize.width(), deviceSize.height()};
    TGradientpalette& palette = *palette_;
    switch (typ_) {
        case TGradienttyp::gtLinear: GradientLinear(canvas, r, palette, winkel_, randabstand_, 3); break;
        case TGradienttyp::gtRadial: GradientRadial(canvas, r, palette, abstandX_, abstandY_, randabstand_, 2); break;
        case TGradienttyp::gtKegel: GradientCone(canvas, r, palette, abstandX_, abstandY_, winkel_); break;
        case TGradienttyp::gtRect:
            GradientRect(canvas, r, palette, abstandX_, abstandY_, winkel_, randabstand_, 2);
            break;
        default: break;  // no picture
    }
    return canvas.bitmap().image().copy();
}

void TGradientPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal scale = devicePixelRatioF();
    QImage picture = RenderGradient((QSizeF(size()) * scale).toSize());
    picture.setDevicePixelRatio(scale);
    painter.drawImage(QPoint(0, 0), picture);
    DrawSunkenEdge(painter, rect(), palette());
}

void TGradientPreview::HandlePoint(const QPoint& point) {
    const int cx = width() / 2;
    const int cy = height() / 2;
    if (typ_ != TGradienttyp::gtLinear) {
        const int x = std::clamp(point.x(), 0, width());
        const int y = std::clamp(point.y(), 0, height());
        SetAbstandX(double(x - cx) / width());
        SetAbstandY(double(y - cy) / height());
    } else if (point.x() != cx && point.y() != cy) {
        SetWinkel(std::atan2(double(point.y() - cy), double(point.x() - cx)) * 180 / std::numbers::pi);
    }
    if (OnChange) OnChange();
}

void TGradientPreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    HandlePoint(event->position().toPoint());
}

void TGradientPreview::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) HandlePoint(event->position().toPoint());
}

void TGradientPreview::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}
