#include "platform/gdi/SpanTarget.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include <algorithm>


namespace gdi {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

void MixPixel(uint32_t& pixel, Rop2 mix, uint32_t color) {
    switch (mix) {
    case Rop2::CopyPen: pixel = color; return;
    case Rop2::XorPen: pixel = (pixel ^ color) | kOpaque; return;
    case Rop2::Nop: return;
    default: pixel = ApplyRop2(mix, color, pixel) | kOpaque; return;
    }
}

void WritePixels(uint32_t* pixels, int32_t count, Rop2 mix, uint32_t color) {
    switch (mix) {
    case Rop2::CopyPen: std::fill_n(pixels, count, color); return;
    case Rop2::Black: std::fill_n(pixels, count, kOpaque); return;
    case Rop2::White: std::fill_n(pixels, count, 0xFFFFFFFFu); return;
    case Rop2::Nop: return;
    case Rop2::XorPen:
        for (int32_t i = 0; i < count; ++i) pixels[i] = (pixels[i] ^ color) | kOpaque;
        return;
    case Rop2::Not:
        for (int32_t i = 0; i < count; ++i) pixels[i] = ~pixels[i] | kOpaque;
        return;
    default:
        for (int32_t i = 0; i < count; ++i) pixels[i] = ApplyRop2(mix, color, pixels[i]) | kOpaque;
        return;
    }
}

}  // namespace

uint32_t ApplyRop2(Rop2 rop, uint32_t pen, uint32_t dest) {
    // Bit (pen · 2 + dest) of code − 1 is the result for those two bits.
    const uint32_t table = static_cast<uint32_t>(static_cast<int32_t>(rop) - 1) & 0x0F;
    uint32_t result = 0;
    for (uint32_t k = 0; k < 4; ++k) {
        if ((table >> k) & 1) result |= ((k & 2) ? pen : ~pen) & ((k & 1) ? dest : ~dest);
    }
    return result;
}

bool SpanTarget::Writable(const QImage& image) {
    const QImage::Format f = image.format();
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

SpanTarget::SpanTarget(QImage& image, QPoint offset, const std::optional<Region>& clip, Rop2 mix, QRgb color)
    : bits_(image.bits()), stride_(image.bytesPerLine()), offset_(offset), mix_(mix), color_(color | kOpaque) {
    window_ = image.rect().translated(-offset);
    if (clip) {
        window_ &= clip->qt().boundingRect();
        clip_ = &clip->Rows();
    }
    plainCopy_ = !clip_ && mix == Rop2::CopyPen;
}

SpanTarget::SpanTarget(QPainter& painter, const QRect& window, const QBrush& brush)
    : window_(window), painter_(&painter), brush_(brush),
      bands_([this](const QRect& r) { rects_.push_back(r); }) {}

SpanTarget::~SpanTarget() {
    if (!painter_) return;
    bands_.Flush();
    if (rects_.empty()) return;
    // One call for all: the painter fills each rectangle exactly.
    painter_->setPen(Qt::NoPen);
    painter_->setBrush(brush_);
    painter_->drawRects(rects_.data(), static_cast<int>(rects_.size()));
}

void SpanTarget::Row(int32_t y, std::span<const Span> spans) {
    if (y < window_.top() || y > window_.bottom() || spans.empty()) return;
    if (painter_) {
        clipped_.assign(spans.begin(), spans.end());
        ClipSpans(clipped_, window_.left(), window_.left() + window_.width());
        bands_.AddRow(y, clipped_);
        return;
    }
    for (const Span& s : spans) Run(y, s.left, s.right);
}

void SpanTarget::MixedRun(int32_t y, int32_t left, int32_t right) {
    if (y < window_.top() || y > window_.bottom()) return;
    left = std::max(left, window_.left());
    right = std::min(right, window_.left() + window_.width());
    if (left >= right) return;
    if (painter_) {
        const Span run{left, right};
        bands_.AddRow(y, {&run, 1});
        return;
    }
    uint32_t* row = Pixels(y);
    if (!clip_) {
        WritePixels(row + left, right - left, mix_, color_);
        return;
    }
    for (const Span& c : clip_->At(y)) {
        const int32_t l = std::max(left, c.left), r = std::min(right, c.right);
        if (l < r) WritePixels(row + l, r - l, mix_, color_);
    }
}

void SpanTarget::Column(int32_t x, int32_t top, int32_t bottom) {
    if (x < window_.left() || x > window_.right()) return;
    top = std::max(top, window_.top());
    bottom = std::min(bottom, window_.top() + window_.height());
    if (top >= bottom) return;
    if (painter_) {
        rects_.push_back(QRect(x, top, 1, bottom - top));
        return;
    }
    uint32_t* pixel = Pixels(top) + x;
    const qsizetype step = stride_ / 4;
    if (plainCopy_) {
        for (int32_t y = top; y < bottom; ++y, pixel += step) *pixel = color_;
        return;
    }
    for (int32_t y = top; y < bottom; ++y, pixel += step) {
        if (clip_) {
            const std::span<const Span> row = clip_->At(y);
            if (std::none_of(row.begin(), row.end(), [x](const Span& s) { return s.left <= x && x < s.right; })) continue;
        }
        MixPixel(*pixel, mix_, color_);
    }
}

}  // namespace gdi
