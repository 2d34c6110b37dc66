#include "foundation/Abrunden.h"

#include "foundation/Rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Vec {
    double x, y;
};
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator*(Vec a, double f) { return {a.x * f, a.y * f}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double Length(Vec a) { return std::sqrt(Dot(a, a)); }
Vec Of(gdi::Point p) { return {static_cast<double>(p.x), static_cast<double>(p.y)}; }

// Sums in 64 bits, saturated: a star near the ends of the range must not wrap round.
gdi::Point Mid(gdi::Point a, gdi::Point b) {
    return {gdi::Saturated((int64_t{a.x} + b.x) / 2), gdi::Saturated((int64_t{a.y} + b.y) / 2)};
}
gdi::Point Offset(gdi::Point p, int32_t cx, int32_t cy) {
    return {gdi::Saturated(int64_t{p.x} + cx), gdi::Saturated(int64_t{p.y} + cy)};
}

}  // namespace

gdi::Point PolarPointInt(double radius, double angle) {
    return {Round(std::cos(angle) * radius), Round(std::sin(angle) * radius)};
}

void DrawRoundedCorner(gdi::Canvas& canvas, gdi::Point p1, gdi::Point p2, gdi::Point p3, int32_t radius) {
    if (canvas.CurrentPosition() != p1) canvas.MoveTo(p1.x, p1.y);
    if (radius == 0) {
        canvas.LineTo(p2.x, p2.y);
        canvas.LineTo(p3.x, p3.y);
        return;
    }
    const Vec a = Of(p1), b = Of(p2), c = Of(p3);
    const Vec e1 = b - a, e2 = c - b;
    const Vec normal{-e2.y, e2.x};
    const double l1 = Length(e1), l2 = Length(e2);
    if (l1 == 0 || l2 == 0) {
        canvas.LineTo(p3.x, p3.y);
        return;
    }
    const Vec u1 = e1 * (1 / l1), u2 = e2 * (1 / l2);
    const Vec m1{-u1.y, u1.x}, m2{-u2.y, u2.x};
    const double s = Dot(u2, m1);
    if (s == 0) {
        canvas.LineTo(p3.x, p3.y);
        return;
    }
    const double turn = Dot(normal, e1);
    const Vec q = turn >= 0 ? b - (u2 - u1) * (radius / s) : b + (u2 - u1) * (radius / s);
    const double f = radius * static_cast<double>((turn > 0) - (turn < 0));
    // At most 1000 pieces: an absurd radius must not make an endless outline.
    const int32_t steps = std::clamp(radius / 10, 10, 1000);
    for (int32_t i = 0; i <= steps; ++i) {
        const Vec w = m1 + (m2 - m1) * (static_cast<double>(i) / steps);
        const double lw = Length(w);
        // Opposite normals (a full reversal) have no direction halfway.
        const Vec p = lw == 0 ? q : q + w * (f / lw);
        canvas.LineTo(Round(p.x), Round(p.y));
    }
    canvas.LineTo(p3.x, p3.y);
}

void DrawRoundedStar(gdi::Canvas& canvas, int32_t n, int32_t cx, int32_t cy, int32_t outerRadius,
                     int32_t innerRadius, int32_t cornerRadius) {
    if (n <= 0) return;
    const double pi = std::numbers::pi;
    for (int32_t l = 0; l < n; ++l) {
        const gdi::Point o = Offset(PolarPointInt(outerRadius, 2 * l * pi / n), cx, cy);
        const gdi::Point ib = Offset(PolarPointInt(innerRadius, (l - 0.5) * 2 * pi / n), cx, cy);
        const gdi::Point m1 = Mid(o, ib);
        const gdi::Point ia = Offset(PolarPointInt(innerRadius, (l + 0.5) * 2 * pi / n), cx, cy);
        const gdi::Point m2 = Mid(o, ia);
        DrawRoundedCorner(canvas, m1, o, m2, cornerRadius);
        const gdi::Point next = Offset(PolarPointInt(outerRadius, 2 * (l + 1) * pi / n), cx, cy);
        DrawRoundedCorner(canvas, m2, ia, Mid(next, ia), cornerRadius);
    }
}
