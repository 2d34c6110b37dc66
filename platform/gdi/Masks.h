#pragma once
// Colour-keyed masks and the blit that copies a picture through one, so
// that the key colour leaves the destination as it was. A mask is an
// ordinary bitmap holding only black and white, as a monochrome bitmap
// would after a colour-to-monochrome blit with the key as background colour.

#include "platform/gdi/Bitmap.h"

namespace gdi {

class Canvas;

// The mask of the srcRect part of src: white where a pixel has the key
// colour, black elsewhere. The part is clipped to src.
Bitmap ColorKeyMask(const Bitmap& src, const Rect& srcRect, Color key);

// The mask with black and white swapped (what NOTSRCCOPY makes of it).
Bitmap InvertedMask(const Bitmap& mask);

// Copies the srcRect part of src to (x, y) of the canvas where the mask
// (of the part's size) is black and leaves the canvas alone where it is
// white: the canvas is ANDed with the mask, then ORed with the source
// ANDed with the inverted mask.
void MaskedBlt(Canvas& canvas, int32_t x, int32_t y, const Bitmap& src, const Rect& srcRect, const Bitmap& mask);

}  // namespace gdi
