#pragma once
// Where the rows of spans and the runs of lines of one paint go on a raster
// device: straight into the pixels of an image, mixed with them by the mix
// mode and kept to the clip region, or, where the pixels cannot be reached
// (another paint device, a pattern brush), as rectangles through a painter
// that is set up for the clip and mix, all in one call when the target ends.
// Internal to the drawing layer.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Spans.h"

#include <QtGui/QBrush>

#include <algorithm>
#include <span>

class QImage;
class QPainter;

namespace gdi {

class SpanTarget {
public:
    // Into the image: device pixel (x, y) is the image's (x + offset.x, y + offset.y).
    SpanTarget(QImage& image, QPoint offset, const std::optional<Region>& clip, Rop2 mix, QRgb color);
    // Through the painter, within the window (device pixels).
    SpanTarget(QPainter& painter, const QRect& window, const QBrush& brush);
    ~SpanTarget();
    SpanTarget(const SpanTarget&) = delete;
    SpanTarget& operator=(const SpanTarget&) = delete;

    // The device pixels that may be painted.
    const QRect& Window() const { return window_; }
    // Whether the pixels are written as they come (rather than gathered
    // into rectangles for a painter, which wants the rows in order).
    bool IntoImage() const { return !painter_; }
    void Row(int32_t y, std::span<const Span> spans);
    void Run(int32_t y, int32_t left, int32_t right) {
        if (!plainCopy_) return MixedRun(y, left, right);
        if (y < window_.top() || y > window_.bottom()) return;
        left = std::max(left, window_.left());
        right = std::min(right, window_.left() + window_.width());
        if (left < right) std::fill_n(Pixels(y) + left, right - left, color_);
    }
    // The pixels top..bottom-1 of column x.
    void Column(int32_t x, int32_t top, int32_t bottom);
    // The colour of what follows (into an image only).
    void SetColor(QRgb color) { color_ = color | 0xFF000000u; }

    // Whether an image's pixels can be written directly.
    static bool Writable(const QImage& image);

private:
    void MixedRun(int32_t y, int32_t left, int32_t right);
    uint32_t* Pixels(int32_t y) const {
        return reinterpret_cast<uint32_t*>(bits_ + (y + offset_.y()) * stride_) + offset_.x();
    }

    QRect window_;
    // Into an image.
    uchar* bits_ = nullptr;
    qsizetype stride_ = 0;
    QPoint offset_;
    const RegionRows* clip_ = nullptr;
    Rop2 mix_ = Rop2::CopyPen;
    bool plainCopy_ = false;  // into the image, copying, without a clip region
    QRgb color_ = 0;
    // Through a painter: equal rows one after another become one rectangle,
    // and all rectangles go out in one call at the end.
    QPainter* painter_ = nullptr;
    QBrush brush_;
    SpanList clipped_;
    BandBuilder bands_;
    std::vector<QRect> rects_;
};

// A binary raster operation on one pixel: pen (or brush) colour onto the destination.
uint32_t ApplyRop2(Rop2 rop, uint32_t pen, uint32_t dest);

}  // namespace gdi
