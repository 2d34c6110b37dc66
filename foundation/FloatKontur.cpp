#include "foundation/FloatKontur.h"

#include "foundation/PointHelpers.h"

#include "foundation/Exceptions.h"
#include "foundation/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
// A quarter unit: at 0.7 a small circle on the screen shows its corners.
constexpr float kFlatness = 0.25f;
constexpr float kFlatnessSquared = kFlatness * kFlatness;
constexpr int32_t kMaxDepth = 16;
// The control-point distance of a quarter ellipse drawn as a cubic piece.
constexpr float kCornerFactor = 0.552284f;

// The midpoint m of a curve piece lies close enough to the chord a-b.
bool FlatEnough(const TCurvePoint& a, const TCurvePoint& b, const TCurvePoint& m) {
    const float dx = b.X - a.X, dy = b.Y - a.Y;
    if (std::fabs(dx) < 0.0001f && std::fabs(dy) < 0.0001f) {
        return std::fabs(a.X - m.X) <= kFlatness && std::fabs(a.Y - m.Y) <= kFlatness;
    }
    const float mx = m.X - a.X, my = m.Y - a.Y;
    const float e = (mx * dx + my * dy) / (dx * dx + dy * dy);
    const float ox = mx - e * dx, oy = my - e * dy;
    return ox * ox + oy * oy <= kFlatnessSquared;
}

}  // namespace

TFloatPoint RotateFloatPoint(TFloatPoint p, double angle, float cx, float cy) {
    const TSinCos cache = CachedSinCos(angle);
    const long double dx = p.X - cx, dy = p.Y - cy;
    return {static_cast<float>(cx + cache.cosine * dx - cache.sine * dy),
            static_cast<float>(cy + cache.sine * dx + cache.cosine * dy)};
}

TFloatKontur::TFloatKontur(float originX, float originY, float scaleX, float scaleY)
    : OriginX(originX), OriginY(originY), ScaleX(scaleX), ScaleY(scaleY), Points(kCapacityStep) {}

void TFloatKontur::AddPoint(float x, float y) {
    Points[static_cast<size_t>(Count)] = {x, y};
    ++Count;
    if (Count == Capacity()) Points.resize(Points.size() + kCapacityStep);
}

TFloatPoint TFloatKontur::PolarPoint(float radius, float angle) const {
    const double a = angle * kDegToRad;
    return {static_cast<float>(OriginX + std::cos(a) * radius * ScaleX),
            static_cast<float>(OriginY + std::sin(a) * radius * ScaleY)};
}

void TFloatKontur::LineToPolar(TFloatPoint& p, float radius, float angle) {
    p = PolarPoint(radius, angle);
    AddPoint(p.X, p.Y);
}

void TFloatKontur::StartCurve() {
    if (Count == 0) AddPoint(OriginX, OriginY);
}

void TFloatKontur::BezierTo(float c1x, float c1y, float c2x, float c2y, float x, float y) {
    StartCurve();
    const std::array<TFloatPoint, 4> controls{LastPoint(), TFloatPoint{c1x, c1y}, TFloatPoint{c2x, c2y},
                                              TFloatPoint{x, y}};
    AddBezier(controls);
}

void TFloatKontur::CornerArcTo(float cornerX, float cornerY, float x, float y) {
    StartCurve();
    const TFloatPoint s = LastPoint();
    BezierTo(s.X + (cornerX - s.X) * kCornerFactor, s.Y + (cornerY - s.Y) * kCornerFactor,
             x + (cornerX - x) * kCornerFactor, y + (cornerY - y) * kCornerFactor, x, y);
}

bool TFloatKontur::AddBezier(std::span<const TFloatPoint> controls) {
    const int32_t count = static_cast<int32_t>(controls.size());
    if (count < 2 || count > kMaxBezierPoints) return false;
    const int32_t n = count - 1;
    // Weighted control points C(n, k)·Pk.
    std::array<TFloatPoint, kMaxBezierPoints> w{};
    int32_t binomial = 1;
    for (int32_t k = 0; k <= n; ++k) {
        if (k > 0) binomial = binomial * (n - k + 1) / k;
        w[static_cast<size_t>(k)] = {controls[static_cast<size_t>(k)].X * binomial,
                                     controls[static_cast<size_t>(k)].Y * binomial};
    }
    auto evaluate = [&](TCurvePoint& p) {
        const double t = p.T;
        std::array<double, kMaxBezierPoints> bx{}, by{};
        double power = 1;
        for (int32_t k = 0; k <= n; ++k) {
            bx[static_cast<size_t>(k)] = w[static_cast<size_t>(k)].X * power;
            by[static_cast<size_t>(k)] = w[static_cast<size_t>(k)].Y * power;
            power *= t;
        }
        double x = bx[static_cast<size_t>(n)], y = by[static_cast<size_t>(n)];
        double rest = 1;
        for (int32_t k = n - 1; k >= 0; --k) {
            rest *= 1 - t;
            x += bx[static_cast<size_t>(k)] * rest;
            y += by[static_cast<size_t>(k)] * rest;
        }
        p.X = static_cast<float>(x);
        p.Y = static_cast<float>(y);
    };
    TCurvePoint start{0, 0, 0}, end{0, 0, 1};
    evaluate(start);
    evaluate(end);
    Depth = 0;
    Subdivide(start, end, evaluate);
    return true;
}

void TFloatKontur::SetVisibleArea(float left, float top, float right, float bottom) {
    limited_ = true;
    visibleLeft_ = left;
    visibleTop_ = top;
    visibleRight_ = right;
    visibleBottom_ = bottom;
}

// A piece of a quarter of a curve or less stays near its chord: within the
// box of its ends and middle grown by half the chord and twice the middle's
// distance from the chord's middle (an elliptic arc of up to a quarter turn
// lies between its chord and its tangents, which meet within that).
bool TFloatKontur::OutsideVisibleArea(const TCurvePoint& a, const TCurvePoint& b, const TCurvePoint& m) const {
    constexpr int32_t kQuarterDepth = 3;
    if (!limited_ || Depth < kQuarterDepth) return false;
    const double chord = std::hypot(double{b.X} - a.X, double{b.Y} - a.Y);
    const double bow = std::hypot(double{m.X} - (double{a.X} + b.X) / 2, double{m.Y} - (double{a.Y} + b.Y) / 2);
    const double grow = chord / 2 + 2 * bow + 1;
    const double left = std::min({a.X, b.X, m.X}) - grow, right = std::max({a.X, b.X, m.X}) + grow;
    const double top = std::min({a.Y, b.Y, m.Y}) - grow, bottom = std::max({a.Y, b.Y, m.Y}) + grow;
    return right < visibleLeft_ || left > visibleRight_ || bottom < visibleTop_ || top > visibleBottom_;
}

template <class Evaluate>
void TFloatKontur::Subdivide(const TCurvePoint& a, const TCurvePoint& b, const Evaluate& evaluate) {
    ++Depth;
    TCurvePoint m{0, 0, a.T + (b.T - a.T) * 0.5f};
    evaluate(m);
    if (Depth > kMaxDepth || FlatEnough(a, b, m) || OutsideVisibleArea(a, b, m)) {
        AddPoint(b.X, b.Y);
    } else {
        Subdivide(a, m, evaluate);
        Subdivide(m, b, evaluate);
    }
    --Depth;
}

void TFloatKontur::AddCurve(double t0, double t1, const CurveFunction& evaluate) {
    TCurvePoint start{0, 0, static_cast<float>(t0)}, end{0, 0, static_cast<float>(t1)};
    evaluate(start);
    evaluate(end);
    Depth = 0;
    Subdivide(start, end, evaluate);
}

void TFloatKontur::EllipsePoint(TCurvePoint& p) const {
    const double a = p.T * kDegToRad;
    p.X = static_cast<float>(EllipseCX + std::cos(a) * EllipseRX);
    p.Y = static_cast<float>(EllipseCY + std::sin(a) * EllipseRY);
}

void TFloatKontur::AddArc(float left, float top, float right, float bottom, float startAngle, float endAngle) {
    EllipseCX = (left + right) / 2;
    EllipseCY = (top + bottom) / 2;
    EllipseRX = (right - left) / 2;
    EllipseRY = (bottom - top) / 2;
    // Whole turns at once (a file may give any angle).
    if (std::isfinite(startAngle) && std::isfinite(endAngle) && endAngle < startAngle) {
        endAngle += 360 * std::ceil((startAngle - endAngle) / 360);
        if (endAngle < startAngle) endAngle = startAngle;  // beyond float precision
    }
    AddCurve(startAngle, endAngle, [this](TCurvePoint& p) { EllipsePoint(p); });
}

void TFloatKontur::AddEllipseSegment(float left, float top, float right, float bottom, float angle1, float angle2) {
    EllipseCX = (left + right) / 2;
    EllipseCY = (top + bottom) / 2;
    EllipseRX = std::fabs(right - left) / 2;
    EllipseRY = std::fabs(bottom - top) / 2;
    AddCurve(angle1, angle2, [this](TCurvePoint& p) { EllipsePoint(p); });
}

void TFloatKontur::ToPointArray(std::span<TPoint> points, double angle) const {
    if (Count == 0) return;
    if (static_cast<int32_t>(points.size()) != Count) throw Exception("Punktarray ist nicht richtig dimensioniert");
    for (int32_t i = 0; i < Count; ++i) {
        const TFloatPoint p = RotateFloatPoint(Points[static_cast<size_t>(i)], angle, OriginX, OriginY);
        points[static_cast<size_t>(i)] = {Round(p.X), Round(p.Y)};
    }
}
