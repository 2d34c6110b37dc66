#include "platform/gdi/CanvasGeometry.h"

#include "platform/gdi/QtConvert.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace gdi::geometry {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The angle of the radial through p on the ellipse inscribed in r, as the
// ellipse's parameter in degrees (counter-clockwise on a y-down plane).
double RadialAngle(const QRectF& r, const QPointF& p) {
    const QPointF c = r.center();
    const double rx = std::max(r.width() / 2, 1e-9);
    const double ry = std::max(r.height() / 2, 1e-9);
    const double dx = (p.x() - c.x()) / rx;
    const double dy = -(p.y() - c.y()) / ry;
    if (dx == 0 && dy == 0) return 0;
    return std::atan2(dy, dx) * 180 / kPi;
}

// The sweep from the start to the end angle: counter-clockwise in (0, 360],
// or clockwise in [-360, 0).
double Sweep(double start, double end, bool clockwise) {
    double sweep = clockwise ? start - end : end - start;
    sweep = std::fmod(sweep, 360.0);
    if (sweep <= 1e-9) sweep += 360.0;
    return clockwise ? -sweep : sweep;
}

QPainterPath BuildShape(Canvas::Shape shape, const QRectF& r, const QPointF& a, const QPointF& b,
                        const QSizeF& corner, bool clockwise) {
    QPainterPath path;
    switch (shape) {
    case Canvas::Shape::Rectangle:
        path.moveTo(r.right(), r.top());
        path.lineTo(r.left(), r.top());
        path.lineTo(r.left(), r.bottom());
        path.lineTo(r.right(), r.bottom());
        path.closeSubpath();
        break;
    case Canvas::Shape::Ellipse:
        path.arcMoveTo(r, 0);
        path.arcTo(r, 0, clockwise ? -360 : 360);
        path.closeSubpath();
        break;
    case Canvas::Shape::RoundRect: {
        const double rx = std::min(corner.width() / 2, r.width() / 2);
        const double ry = std::min(corner.height() / 2, r.height() / 2);
        if (rx <= 0 || ry <= 0) return BuildShape(Canvas::Shape::Rectangle, r, a, b, corner, clockwise);
        path.addRoundedRect(r, rx, ry);
        break;
    }
    case Canvas::Shape::Pie:
    case Canvas::Shape::Chord: {
        const double start = RadialAngle(r, a);
        const double sweep = Sweep(start, RadialAngle(r, b), clockwise);
        if (shape == Canvas::Shape::Pie) {
            path.moveTo(r.center());
            path.arcTo(r, start, sweep);
        } else {
            path.arcMoveTo(r, start);
            path.arcTo(r, start, sweep);
        }
        path.closeSubpath();
        break;
    }
    }
    return path;
}

}  // namespace

QPainterPath ShapeOnRect(Canvas::Shape shape, const QRectF& r, QPointF a, QPointF b, QSizeF corner, bool clockwise) {
    return BuildShape(shape, r, a, b, corner, clockwise);
}

double Determinant(const XForm& m) { return m.eM11 * m.eM22 - m.eM12 * m.eM21; }

bool IsAxisAligned(const XForm& m) { return m.eM12 == 0 && m.eM21 == 0; }

bool IsRectilinear(const XForm& m) { return IsAxisAligned(m) || (m.eM11 == 0 && m.eM22 == 0); }

QSizeF MapCorner(const XForm& m, Point c) {
    return QSizeF(std::abs(c.x * m.eM11 + c.y * m.eM21), std::abs(c.x * m.eM12 + c.y * m.eM22));
}

QPointF MapF(const XForm& m, double x, double y) {
    return {m.eM11 * x + m.eM21 * y + m.eDx, m.eM12 * x + m.eM22 * y + m.eDy};
}

Point Map(const XForm& m, Point p) {
    const QPointF q = MapF(m, p.x, p.y);
    return {RoundCoord(q.x()), RoundCoord(q.y())};
}

std::vector<Point> MapPoints(const XForm& m, std::span<const Point> points) {
    std::vector<Point> out;
    out.reserve(points.size());
    for (const Point& p : points) out.push_back(Map(m, p));
    return out;
}

Rect MapRect(const XForm& m, const Rect& r) {
    const Point a = Map(m, {r.left, r.top});
    const Point b = Map(m, {r.right, r.bottom});
    return Rect{OnPlane(a.x), OnPlane(a.y), OnPlane(b.x), OnPlane(b.y)}.Normalized();
}

QRectF OutlineRect(const Rect& d) {
    const double width = static_cast<double>(d.right) - d.left - 1, height = static_cast<double>(d.bottom) - d.top - 1;
    return QRectF(d.left, d.top, std::max(0.0, width), std::max(0.0, height));
}

double ScaleX(const XForm& m) { return std::hypot(m.eM11, m.eM12); }
double ScaleY(const XForm& m) { return std::hypot(m.eM21, m.eM22); }

QPainterPath ShapePath(Canvas::Shape shape, const XForm& m, const Rect& box, Point a, Point b) {
    const bool clockwise = Determinant(m) < 0;
    if (IsRectilinear(m)) {
        const QRectF r = OutlineRect(MapRect(m, box));
        return BuildShape(shape, r, MapF(m, a.x, a.y), MapF(m, b.x, b.y), MapCorner(m, a), clockwise);
    }
    const Rect n = box.Normalized();
    const QRectF r(n.left, n.top, static_cast<double>(n.right) - n.left, static_cast<double>(n.bottom) - n.top);
    const QPainterPath logical =
        BuildShape(shape, r, QPointF(a.x, a.y), QPointF(b.x, b.y), QSizeF(std::abs(a.x), std::abs(a.y)), false);
    return ToQTransform(m).map(logical);
}

QPainterPath ArcPath(const XForm& m, const Rect& box, Point a, Point b) {
    QRectF r;
    QPointF pa, pb;
    bool clockwise = false;
    if (IsRectilinear(m)) {
        r = OutlineRect(MapRect(m, box));
        pa = MapF(m, a.x, a.y);
        pb = MapF(m, b.x, b.y);
        clockwise = Determinant(m) < 0;
    } else {
        const Rect n = box.Normalized();
        r = QRectF(n.left, n.top, static_cast<double>(n.right) - n.left, static_cast<double>(n.bottom) - n.top);
        pa = QPointF(a.x, a.y);
        pb = QPointF(b.x, b.y);
    }
    const double start = RadialAngle(r, pa);
    QPainterPath path;
    path.arcMoveTo(r, start);
    path.arcTo(r, start, Sweep(start, RadialAngle(r, pb), clockwise));
    return IsRectilinear(m) ? path : ToQTransform(m).map(path);
}

std::vector<QPoint> WithoutRepeats(std::span<const Point> points, const XForm& m) {
    std::vector<QPoint> out;
    out.reserve(points.size());
    for (const Point& p : points) {
        const Point d = Map(m, p);
        const QPoint q(d.x, d.y);
        if (out.empty() || out.back() != q) out.push_back(q);
    }
    return out;
}

std::vector<std::vector<QPoint>> PolygonOutlines(std::span<const Point> points, std::span<const int32_t> counts,
                                                 const XForm& m) {
    std::vector<std::vector<QPoint>> outlines;
    size_t next = 0;
    for (const int32_t count : counts) {
        std::vector<QPoint> o = WithoutRepeats(points.subspan(next, static_cast<size_t>(count)), m);
        next += static_cast<size_t>(count);
        if (o.size() > 1 && o.back() == o.front()) o.pop_back();
        if (o.empty()) continue;
        o.push_back(o.front());
        outlines.push_back(std::move(o));
    }
    return outlines;
}

int32_t PenDeviceWidth(const XForm& m, const Pen& pen) {
    if (pen.width <= 1) return 0;
    const QPointF v(m.eM11 * pen.width + m.eM21 * pen.width, m.eM12 * pen.width + m.eM22 * pen.width);
    const int32_t w = RoundCoord(std::hypot(v.x(), v.y()) / std::sqrt(2.0));
    return w <= 1 ? 0 : w;
}

}  // namespace gdi::geometry
