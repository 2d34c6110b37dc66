#pragma once
// A canvas on its own 32-bit off-screen bitmap (device kind Bitmap). Device
// units are the bitmap's pixels; the resolution (96 dpi unless set) is what
// the canvas reports as LOGPIXELSX/Y, for off-screen pages of a printer's
// resolution.

#include "platform/gdi/PainterCanvas.h"

#include <QtGui/QPainter>

namespace gdi {

class BitmapCanvas : public PainterCanvas {
public:
    explicit BitmapCanvas(int32_t width = 0, int32_t height = 0, int32_t dpiX = 96, int32_t dpiY = 0);
    ~BitmapCanvas() override;

    // Keeps the pixels that still fit (new ones white) and the canvas state.
    void SetSize(int32_t width, int32_t height);
    // For a bitmap painted whole after every change of size: see
    // Bitmap::ResizeForRepaint (no fill, no copy, memory grown in steps).
    void SetSizeForRepaint(int32_t width, int32_t height);
    void SetResolution(int32_t dpiX, int32_t dpiY);
    const Bitmap& bitmap() const { return bitmap_; }
    // A row of 32-bit pixels for direct access.
    uint32_t* ScanLine(int32_t row) { return bitmap_.ScanLine(row); }

private:
    template <class Resize>
    void Resized(Resize resize);
    void UpdateCaps();
    Bitmap bitmap_;
    QPainter painter_;
    int32_t dpiX_, dpiY_;
};

}  // namespace gdi
