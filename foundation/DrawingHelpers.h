#pragma once
// Drawing helpers of the dialogs: 3-D frames in the desktop's button
// colours, and the height of a text in millimetres.

#include "foundation/PointHelpers.h"

#include <string>

namespace gdi {
class Canvas;
}
class TFont;

// A frame just inside rect: with raised > 0 highlight on the left and top,
// shadow on the right and bottom; otherwise the other way round (sunken).
void Draw3DFrame(gdi::Canvas& canvas, const TRect& rect, int32_t raised);
// The rectangle in the button-face colour with a 3-D frame.
void DrawButtonFaceRect(gdi::Canvas& canvas, const TRect& rect, int32_t raised);
// The height of the 8-bit text in the font at its point size, in millimetres
// (measured at 7200 pixels per inch, so that rounding plays no part).
double FontTextHeightMM(const TFont& font, const std::string& text);
