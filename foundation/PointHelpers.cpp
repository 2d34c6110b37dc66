#include "foundation/PointHelpers.h"

#include "foundation/Exceptions.h"
#include "foundation/Rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>

int32_t ClampInt(int32_t v, int32_t a, int32_t b) {
    return std::clamp(v, std::min(a, b), std::max(a, b));
}

double ClampDouble(double v, double a, double b) {
    return std::clamp(v, std::min(a, b), std::max(a, b));
}

TPoint LerpPoint(TPoint p1, TPoint p2, double t) {
    const long double dx = static_cast<long double>(p2.x) - p1.x, dy = static_cast<long double>(p2.y) - p1.y;
    return {Round(p1.x + dx * t), Round(p1.y + dy * t)};
}

TPoint AddPoints(TPoint a, TPoint b) {
    return {gdi::Saturated(int64_t{a.x} + b.x), gdi::Saturated(int64_t{a.y} + b.y)};
}
TPoint SubtractPoints(TPoint a, TPoint b) {
    return {gdi::Saturated(int64_t{a.x} - b.x), gdi::Saturated(int64_t{a.y} - b.y)};
}
int32_t RectWidth(const TRect& r) { return r.Width(); }
int32_t RectHeight(const TRect& r) { return r.Height(); }

TSinCos CachedSinCos(double angle) {
    if (!std::isfinite(angle)) return {1, 0};  // an angle that is no number turns nothing
    static double lastAngle = 0;
    static TSinCos last{1, 0};
    if (angle != lastAngle) {
        const long double radians = angle * std::numbers::pi_v<long double> / 180.0L;
        last = {std::cos(radians), std::sin(radians)};
        lastAngle = angle;
    }
    return last;
}

TPoint RotatePointAbout(TPoint p, TPoint c, double angle) {
    const TSinCos cache = CachedSinCos(angle);
    const long double dx = static_cast<long double>(p.x) - c.x;  // far-off points must not overflow
    const long double dy = static_cast<long double>(p.y) - c.y;
    return {gdi::Saturated(Round64(dx * cache.cosine - dy * cache.sine) + c.x),
            gdi::Saturated(Round64(dx * cache.sine + dy * cache.cosine) + c.y)};
}

void RectToArray(const TRect& r, std::vector<TPoint>& points) {
    if (points.size() < 4) throw Exception("RectToArray mit weniger als 5 Pkt");
    points[0] = {r.left, r.top};
    points[1] = {r.right, r.top};
    points[2] = {r.right, r.bottom};
    points[3] = {r.left, r.bottom};
    if (points.size() >= 5) points[4] = points[0];
}

TRect BoundsOfPoints(std::span<const TPoint> points) {
    TRect b{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const TPoint& p : points) {
        b.left = std::min(b.left, p.x);
        b.top = std::min(b.top, p.y);
        b.right = std::max(b.right, p.x);
        b.bottom = std::max(b.bottom, p.y);
    }
    return b;
}

void OffsetPoints(std::span<TPoint> points, int32_t dx, int32_t dy) {
    for (TPoint& p : points) p = AddPoints(p, {dx, dy});
}
