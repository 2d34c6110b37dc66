#pragma once
// Characters drawn as their filled glyph outlines, for devices on which
// rotated fonts are switched off.

#include "platform/gdi/Canvas.h"

#include <cstdint>
#include <span>

// One character of the canvas's font as its outline at (x, y) (logical
// units, the glyph origin on the baseline), turned counter-clockwise by
// angle radians, filled with the current brush and pen (callers select a
// solid brush in the text colour and the null pen). A character without an
// outline draws nothing.
void DrawGlyph(gdi::Canvas& canvas, char16_t code, int32_t x, int32_t y, double angle);

// Fills outline data in the native format (platform/gdi/GlyphOutline.h) as
// one set of polygons with its origin at `origin`: quadratic pieces become
// five straight pieces each, outline y grows upwards. Every contour header
// and record is checked against the bytes that remain; walking stops at the
// first one that does not fit or is not a polygon contour. Data without a
// contour draws nothing. Outlines beyond 1000 points are cut after the
// record or spline piece that passes 1000; every contour is still closed.
void DrawGlyphOutline(gdi::Canvas& canvas, std::span<const uint8_t> data, gdi::Point origin = {});

// The polygons DrawGlyphOutline fills (device y, before the origin is added):
// all points, and the number of points of each contour.
struct TGlyphPolygons {
    std::vector<gdi::Point> points;
    std::vector<int32_t> counts;
};
TGlyphPolygons GlyphOutlinePolygons(std::span<const uint8_t> data);
