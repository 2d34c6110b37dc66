#pragma once
// Points of a Bezier curve of any degree by its Bernstein sum, in fixed
// numbers: used for the quadratic splines of glyph outlines.

#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <span>

// Σ C(n,k)·t^k·(1 − t)^(n−k)·Pk over the n + 1 control points, rounded.
gdi::Point BezierPoint(int32_t n, std::span<const gdi::Point> controls, double t);
// out[i] for t = 0, 1/steps, 2/steps ... (steps + 1 points; out must hold them).
void BezierPoints(int32_t n, int32_t steps, std::span<const gdi::Point> controls, std::span<gdi::Point> out);
// A quadratic piece through three control points into all of out.
void QuadBezierPoints(std::span<const gdi::Point> controls, std::span<gdi::Point> out);
