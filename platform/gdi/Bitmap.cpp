#include "platform/gdi/Bitmap.h"

#include "platform/gdi/QtConvert.h"

#include <QtGui/QPainter>

#include <algorithm>
#include <new>

namespace gdi {

Bitmap::Bitmap(int32_t width, int32_t height)
    : image_(std::max(0, width), std::max(0, height), QImage::Format_RGB32) {
    if (!image_.isNull()) image_.fill(Qt::white);
}

Bitmap::Bitmap(QImage image) {
    if (image.isNull()) return;
    image_ = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

struct Bitmap::Storage {
    std::unique_ptr<uint32_t[]> pixels;
    int32_t width = 0, height = 0;
};

namespace {

int32_t RoundUpToStep(int32_t size) {
    const int64_t step = Bitmap::kRepaintStep;
    return static_cast<int32_t>(std::min<int64_t>(INT32_MAX, (size + step - 1) / step * step));
}

// Each image laid over the storage holds it until the image's last copy goes.
void ReleaseStorage(void* holder) { delete static_cast<std::shared_ptr<void>*>(holder); }

}  // namespace

void Bitmap::ResizeForRepaint(int32_t width, int32_t height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (storage_ && width == Width() && height == Height()) return;
    if (width == 0 || height == 0) {
        image_ = QImage();
        storage_.reset();
        return;
    }
    if (!storage_ || width > storage_->width || height > storage_->height) {
        image_ = QImage();  // the old memory goes before the new is taken
        storage_.reset();
        auto storage = std::make_shared<Storage>();
        storage->width = RoundUpToStep(width);
        storage->height = RoundUpToStep(height);
        storage->pixels.reset(new (std::nothrow) uint32_t[size_t(storage->width) * size_t(storage->height)]);
        if (!storage->pixels) return;
        storage_ = std::move(storage);
    }
    auto* holder = new std::shared_ptr<void>(storage_);
    image_ = QImage(reinterpret_cast<uchar*>(storage_->pixels.get()), width, height, qsizetype{storage_->width} * 4,
                    QImage::Format_RGB32, ReleaseStorage, holder);
}

void Bitmap::Resize(int32_t width, int32_t height) {
    width = std::max(0, width);
    height = std::max(0, height);
    storage_.reset();
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
