#include "shapes/FloatTypes.h"

#include <algorithm>
#include <cmath>

TFloatPoint LerpFloatPoint(TFloatPoint a, TFloatPoint b, float t) {
    return {a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t};
}

float FloatHypot(float a, float b) {
    return static_cast<float>(std::sqrt(static_cast<double>(a) * a + static_cast<double>(b) * b));
}

bool FloatPointNearLine(float px, float py, float ax, float ay, float bx, float by, float tol) {
    if (std::fabs(bx - ax) < 0.0001f && std::fabs(by - ay) < 0.0001f)
        return std::fabs(ax - px) <= tol && std::fabs(ay - py) <= tol;
    const float dx = px - ax, dy = py - ay;
    const float sx = bx - ax, sy = by - ay;
    const float o = (dx * sx + dy * sy) / (sx * sx + sy * sy);
    const float rx = dx - o * sx, ry = dy - o * sy;
    return tol * tol >= rx * rx + ry * ry;
}

void UnionFloatRect(const TFloatRect& a, const TFloatRect& b, TFloatRect& r) {
    r = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

void BezierWeights(int count, std::span<const TFloatPoint> points, TBezierBlock& out) {
    const int n = count - 1;
    int64_t c = 1;
    for (int i = 0; i < count && i < static_cast<int>(out.size()); ++i) {
        if (i == 1) c = n;
        if (i >= 2) c = c * (n - i + 1) / i;
        out[static_cast<size_t>(i)] = {static_cast<float>(c) * points[static_cast<size_t>(i)].X,
                                       static_cast<float>(c) * points[static_cast<size_t>(i)].Y};
    }
}

TFloatPoint BezierPointWeighted(int count, const TBezierBlock& weighted, float t) {
    const int n = count - 1;
    if (n < 0) return {};
    TBezierBlock q = weighted;
    double w = t;
    for (int i = 1; i <= n; ++i) {
        q[static_cast<size_t>(i)] = {static_cast<float>(weighted[static_cast<size_t>(i)].X * w),
                                     static_cast<float>(weighted[static_cast<size_t>(i)].Y * w)};
        w *= t;
    }
    TFloatPoint r = q[static_cast<size_t>(n)];
    const double s = 1.0 - t;
    double v = s;
    for (int k = n - 1; k >= 0; --k) {
        r.X = static_cast<float>(r.X + q[static_cast<size_t>(k)].X * v);
        r.Y = static_cast<float>(r.Y + q[static_cast<size_t>(k)].Y * v);
        v *= s;
    }
    return r;
}
