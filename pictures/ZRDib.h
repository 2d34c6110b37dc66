#pragma once
// The DIB holder of the picture post-processing: owns one DIB, keeps it
// within a size the filters can work on at once, draws it into a rectangle
// and reports every new DIB.

#include "platform/gdi/GdiTypes.h"
#include "platform/imaging/Dib.h"

#include <cstdint>
#include <functional>

namespace gdi {
class Canvas;
}

class TZRDib {
public:
    // The most bytes a held DIB may take (3900 x 3900 at one byte a pixel);
    // a larger one is reduced to about this size with the same aspect.
    static constexpr size_t kMaxBlockSize = 15'210'000;

    TZRDib() = default;
    TZRDib(const TZRDib&) = delete;
    TZRDib& operator=(const TZRDib&) = delete;

    // Takes ownership (the old DIB is freed), reduces it when too large and
    // fires OnChange. An empty handle empties the holder.
    void SetDIB(imaging::DibHandle dib);
    imaging::Dib* Handle() const { return dib_.get(); }
    const imaging::BitmapInfoHeader& Info() const { return info_; }
    int32_t Width() const { return info_.width; }
    int32_t Height() const { return info_.height; }

    // Draws the DIB into the rectangle (logical units of the canvas):
    // reductions go through StretchDIB and are blitted 1 : 1, enlargements
    // are stretched by the blit. Nothing without DIB.
    void Draw(gdi::Canvas& canvas, const gdi::Rect& rect);
    void DrawXY(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    // Converts the held DIB in place to 24 or 32 bits (no change event);
    // false when that cannot be done.
    bool ConvertDIB(int32_t bits);
    // The held DIB's pixels were changed in place (a filter ran on it).
    void PixelsChanged() { reduced_.reset(); }

    std::function<void(TZRDib& sender)> OnChange;

private:
    // The reduced copy the last drawing made, kept while the size stays.
    const imaging::Dib* ReducedCopy(int32_t width, int32_t height);

    imaging::DibHandle dib_;
    imaging::BitmapInfoHeader info_{};
    imaging::DibHandle reduced_;
};

// The size a DIB of width x height at bitsPerPixel is reduced to when it
// exceeds the holder's limit.
gdi::Size LimitedDIBSize(int32_t width, int32_t height, int32_t bitsPerPixel);
