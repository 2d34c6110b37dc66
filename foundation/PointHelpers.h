#pragma once
// Integer point and rectangle helpers of the gradient renderer.

#include "platform/gdi/GdiTypes.h"

#include <span>
#include <vector>

using TPoint = gdi::Point;
using TRect = gdi::Rect;

// The bounds may come in either order.
int32_t ClampInt(int32_t v, int32_t a, int32_t b);
double ClampDouble(double v, double a, double b);
TPoint LerpPoint(TPoint p1, TPoint p2, double t);
// Sums and differences saturate at the 32-bit range.
TPoint AddPoints(TPoint a, TPoint b);
TPoint SubtractPoints(TPoint a, TPoint b);
int32_t RectWidth(const TRect& r);
int32_t RectHeight(const TRect& r);
// The cosine and sine of angle degrees (those of 0 for an angle that is not
// finite). The last angle's values are kept, because renderers turn many
// points by the same angle.
struct TSinCos {
    long double cosine;
    long double sine;
};
TSinCos CachedSinCos(double angle);
// Turns p about c by angle degrees; coordinates beyond the 32-bit range stop
// at its ends. The sine and cosine of the last angle are kept, because the
// renderer turns many points by the same angle.
TPoint RotatePointAbout(TPoint p, TPoint c, double angle);
// Corners (left, top), (right, top), (right, bottom), (left, bottom) into
// points 0..3 and, with five or more entries, the first again into point 4.
// Fewer than four entries raise Exception.
void RectToArray(const TRect& r, std::vector<TPoint>& points);
void OffsetPoints(std::span<TPoint> points, int32_t dx, int32_t dy);
// The least and greatest x and y of the points (at least one point).
TRect BoundsOfPoints(std::span<const TPoint> points);
