#include "pictures/widgets/FilterPic.h"

#include "foundation/Rounding.h"
#include "platform/gdi/PainterCanvas.h"

#include <QtGui/QPainter>

QSize FitPictureSize(QSize picture, QSize client, float zoom) {
    if (picture.width() < 1 || picture.height() < 1) return {0, 0};
    int32_t w = client.width();
    int32_t h = MulDiv(client.width(), picture.height(), picture.width());
    if (client.height() < h) {
        w = MulDiv(client.height(), picture.width(), picture.height());
        h = client.height();
    }
    return {Round(double(w) * zoom), Round(double(h) * zoom)};
}

TFilterPic::TFilterPic(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    dib_.OnChange = [this](TZRDib&) {
        zoom_ = 1.0f;
        update();
    };
}

void TFilterPic::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TFilterPic::SetZoom(float value) {
    zoom_ = value;
    update();
}

QRect TFilterPic::PictureRect() const {
    const QSize fitted = FitPictureSize(QSize(dib_.Width(), dib_.Height()), size(), zoom_);
    return {(width() - fitted.width()) / 2, (height() - fitted.height()) / 2, fitted.width(), fitted.height()};
}

imaging::DibHandle TFilterPic::PreviewDIB() const {
    if (!dib_.Handle()) return nullptr;
    const QSize fitted = PictureRect().size();
    return imaging::StretchDIB(*dib_.Handle(), fitted.width(), fitted.height());
}

void TFilterPic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    if (!dib_.Handle()) return;
    const QRect r = PictureRect();
    gdi::PainterCanvas canvas(painter, gdi::DeviceKind::Screen, gdi::ScreenCaps());
    dib_.DrawXY(canvas, r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}
