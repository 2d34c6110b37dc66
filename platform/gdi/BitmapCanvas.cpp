#include "platform/gdi/BitmapCanvas.h"

#include <algorithm>

namespace gdi {

BitmapCanvas::BitmapCanvas(int32_t width, int32_t height, int32_t dpiX, int32_t dpiY)
    : PainterCanvas(DeviceKind::Bitmap, DeviceCaps{}), dpiX_(std::max(1, dpiX)), dpiY_(dpiY > 0 ? dpiY : std::max(1, dpiX)) {
    SetSize(width, height);
}

BitmapCanvas::~BitmapCanvas() {
    if (painter_.isActive()) painter_.end();
}

template <class Resize>
void BitmapCanvas::Resized(Resize resize) {
    if (painter_.isActive()) painter_.end();
    resize(bitmap_);
    if (!bitmap_.IsEmpty()) painter_.begin(&bitmap_.image());
    AttachPainter(&painter_);
    UpdateCaps();
}

void BitmapCanvas::SetSize(int32_t width, int32_t height) {
    Resized([=](Bitmap& bitmap) { bitmap.Resize(width, height); });
}

void BitmapCanvas::SetSizeForRepaint(int32_t width, int32_t height) {
    Resized([=](Bitmap& bitmap) { bitmap.ResizeForRepaint(width, height); });
}

void BitmapCanvas::SetResolution(int32_t dpiX, int32_t dpiY) {
    dpiX_ = std::max(1, dpiX);
    dpiY_ = std::max(1, dpiY);
    UpdateCaps();
}

void BitmapCanvas::UpdateCaps() {
    DeviceCaps caps;
    caps.logPixelsX = dpiX_;
    caps.logPixelsY = dpiY_;
    caps.horzRes = caps.physicalWidth = bitmap_.Width();
    caps.vertRes = caps.physicalHeight = bitmap_.Height();
    caps.horzSizeMM = static_cast<int32_t>(bitmap_.Width() * 25.4 / dpiX_ + 0.5);
    caps.vertSizeMM = static_cast<int32_t>(bitmap_.Height() * 25.4 / dpiY_ + 0.5);
    caps.bitsPerPixel = 32;
    SetCaps(caps);
}

}  // namespace gdi
