#pragma once
// Pictures into 32-bit DIBs with their alpha channel and back into PNG
// files, a solid colour for pixels that are not fully opaque, and a bitmap
// drawn stretched through a 24-bit DIB.

#include "platform/gdi/GdiTypes.h"
#include "platform/imaging/Dib.h"

#include <QtCore/QString>

namespace gdi {
class Bitmap;
class Canvas;
}  // namespace gdi

// Decodes the file into a new 32-bit DIB (straight alpha; formats without
// alpha opaque). Without a picture the DIB is empty and the result false.
bool LoadImageAsDIB32(const QString& fileName, imaging::DibHandle& dib);
// Writes the DIB as a PNG file, with its alpha channel or opaque. False when
// the file could not be encoded or written.
bool SaveDIBAsPNG(const QString& fileName, const imaging::Dib& dib, bool keepAlpha);
// In a 32-bit DIB every pixel whose alpha is not 255 takes the colour's red,
// green and blue (its alpha stays); other depths are left alone.
void SetTransparentPixelColor(imaging::Dib* dib, gdi::Color colour);
// Draws the whole bitmap into (x1, y1)-(x2, y2) of the canvas. False, and
// nothing drawn, when the bitmap cannot become a DIB (the caller beeps).
bool StretchBitmapToCanvas(gdi::Canvas& canvas, const gdi::Bitmap& bitmap, int32_t x1, int32_t y1, int32_t x2,
                           int32_t y2);
