#pragma once
// Outlines with rounded corners, drawn directly on a canvas in device units
// with the current pen.

#include "platform/gdi/Canvas.h"

#include <cstdint>

// The polyline p1, p2, p3 with the corner at p2 replaced by a circular arc
// of the given radius. Moves to p1 first unless the pen is already there.
// Degenerate corners (zero-length or parallel segments) are straight lines.
void DrawRoundedCorner(gdi::Canvas& canvas, gdi::Point p1, gdi::Point p2, gdi::Point p3, int32_t radius);
// A star of n tips about (cx, cy), the first tip along +x, every tip and
// notch rounded with cornerRadius, drawn as one closed line. Nothing for n <= 0.
void DrawRoundedStar(gdi::Canvas& canvas, int32_t n, int32_t cx, int32_t cy, int32_t outerRadius,
                     int32_t innerRadius, int32_t cornerRadius);
// (round(cos·radius), round(sin·radius)); the angle in radians.
gdi::Point PolarPointInt(double radius, double angle);
