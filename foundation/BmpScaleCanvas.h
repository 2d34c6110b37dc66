#pragma once
// A scale canvas on an off-screen 32-bit bitmap that it owns.

#include "foundation/ScaleCanvas.h"
#include "platform/gdi/BitmapCanvas.h"

#include <memory>

namespace detail {
// Holds the bitmap canvas so that it exists before the scale canvas wraps it.
// The bitmap starts at the screen's resolution, like a screen-compatible bitmap.
struct OwnedBitmapCanvas {
    std::unique_ptr<gdi::BitmapCanvas> bitmapCanvas = std::make_unique<gdi::BitmapCanvas>(
        0, 0, gdi::ScreenCaps().logPixelsX, gdi::ScreenCaps().logPixelsY);
};
}  // namespace detail

class TBmpScaleCanvas : private detail::OwnedBitmapCanvas, public TScaleCanvas {
public:
    TBmpScaleCanvas();

    // Resizing sets VisibleRect to the whole bitmap.
    void SetWidth(int32_t w);
    void SetHeight(int32_t h);
    void SetSize(int32_t w, int32_t h);
    // For a bitmap painted whole after every change of size (a view's
    // buffer): see gdi::Bitmap::ResizeForRepaint.
    void SetSizeForRepaint(int32_t w, int32_t h);
    uint32_t* ScanLine(int32_t row);
    const gdi::Bitmap& Bitmap() const;
    gdi::BitmapCanvas& BitmapCanvas() { return *bitmapCanvas; }
};
