#include "platform/gdi/Bitmap.h"

#include "platform/gdi/QtConvert.h"

#include <QtGui/QPainter>

#include <algorithm>

namespace gdi {

Bitmap::Bitmap(int32_t width, int32_t height)
    : image_(std::max(0, width), std::max(0, height), QImage::Format_RGB32) {
    if (!image_.isNull()) image_.fill(Qt::white);
}

Bitmap::Bitmap(QImage image) {
    if (image.isNull()) return;
    image_ = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

void Bitmap::Resize(int32_t width, int32_t height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height()) return;
    QImage resized(width, height, image_.isNull() ? QImage::Format_RGB32 : image_.format());
    if (resized.isNull()) {
        image_ = QImage();
        return;
    }
    resized.fill(Qt::white);
    const int rows = std::min(height, Height());
    const int bytes = std::min(width, Width()) * 4;
    for (int y = 0; y < rows; ++y) std::copy_n(image_.constScanLine(y), bytes, resized.scanLine(y));
    image_ = std::move(resized);
}

void Bitmap::Fill(Color c) {
    if (!image_.isNull()) image_.fill(ToQColor(c));
}

Color Bitmap::Pixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
    return FromQRgb(ScanLine(y)[x]);
}

void Bitmap::SetPixel(int32_t x, int32_t y, Color c) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
    const QColor q = ToQColor(c);
    ScanLine(y)[x] = qRgb(q.red(), q.green(), q.blue());
}

}  // namespace gdi
