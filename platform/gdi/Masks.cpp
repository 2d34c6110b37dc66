#include "platform/gdi/Masks.h"

#include "platform/gdi/Canvas.h"

#include <algorithm>

namespace gdi {
namespace {

constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kBlack = Rgb(0, 0, 0);

Rect ClippedPart(const Bitmap& src, const Rect& srcRect) {
    return IntersectRect(srcRect.Normalized(), {0, 0, src.Width(), src.Height()});
}

}  // namespace

Bitmap ColorKeyMask(const Bitmap& src, const Rect& srcRect, Color key) {
    const Rect part = ClippedPart(src, srcRect);
    Bitmap mask(part.Width(), part.Height());
    const Color rgbKey = ResolveColor(key);
    for (int32_t y = 0; y < part.Height(); ++y) {
        for (int32_t x = 0; x < part.Width(); ++x) {
            mask.SetPixel(x, y, src.Pixel(part.left + x, part.top + y) == rgbKey ? kWhite : kBlack);
        }
    }
    return mask;
}

Bitmap InvertedMask(const Bitmap& mask) {
    Bitmap inverted(mask.Width(), mask.Height());
    for (int32_t y = 0; y < mask.Height(); ++y) {
        for (int32_t x = 0; x < mask.Width(); ++x) {
            inverted.SetPixel(x, y, mask.Pixel(x, y) == kWhite ? kBlack : kWhite);
        }
    }
    return inverted;
}

void MaskedBlt(Canvas& canvas, int32_t x, int32_t y, const Bitmap& src, const Rect& srcRect, const Bitmap& mask) {
    const Rect part = ClippedPart(src, srcRect);
    const int32_t w = std::min(part.Width(), mask.Width()), h = std::min(part.Height(), mask.Height());
    if (w <= 0 || h <= 0) return;
    // The source where the mask is black, black where it is white.
    Bitmap opaque(w, h);
    for (int32_t row = 0; row < h; ++row) {
        for (int32_t col = 0; col < w; ++col) {
            opaque.SetPixel(col, row, mask.Pixel(col, row) == kWhite ? kBlack : src.Pixel(part.left + col, part.top + row));
        }
    }
    canvas.BitBlt(x, y, w, h, mask, 0, 0, SRCAND);
    canvas.BitBlt(x, y, w, h, opaque, 0, 0, SRCPAINT);
}

}  // namespace gdi
