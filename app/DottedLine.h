#pragma once
// Dotted lines drawn by inverting pixels, so that drawing the same line or
// rectangle again removes it (the rubber band of the document window).
// Along each line, of every run of 7 pixels the first 3 are inverted and the
// next 4 left alone; the run starts afresh with every line. The pixels are
// those of the line walk of the drawing layer, without the end point, in
// the canvas's logical coordinates. The canvas is left with a clear brush
// and a black pen.

#include "platform/gdi/Canvas.h"

void DrawDottedLine(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Four dotted lines clockwise from (x1, y1): along the top, down the right
// side, back along the bottom and up the left side.
void DrawDottedRect(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
