#include "platform/gdi/Region.h"

#include "platform/gdi/CanvasGeometry.h"
#include "platform/gdi/QtConvert.h"

#include <QtGui/QPainterPath>
#include <QtGui/QPolygon>

#include <algorithm>
#include <climits>

namespace gdi {

namespace {

Qt::FillRule ToFillRule(PolyFillMode mode) {
    return mode == PolyFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill;
}

}  // namespace

Region Region::FromRect(const Rect& r) {
    const Rect n = r.Normalized();
    if (n.IsEmpty()) return {};
    return Region(QRegion(ToQRect(n)));
}

Region Region::FromEllipse(const Rect& r) {
    return Region(RasterizeFill(geometry::ShapePath(Canvas::Shape::Ellipse, XForm{}, r, {}, {})));
}

Region Region::FromRoundRect(const Rect& r, int32_t cornerWidth, int32_t cornerHeight) {
    return Region(
        RasterizeFill(geometry::ShapePath(Canvas::Shape::RoundRect, XForm{}, r, {cornerWidth, cornerHeight}, {})));
}

Region Region::FromPolygon(std::span<const Point> points, PolyFillMode mode) {
    const int32_t count = static_cast<int32_t>(points.size());
    return FromPolyPolygon(points, std::span<const int32_t>(&count, 1), mode);
}

Region Region::FromPolyPolygon(std::span<const Point> points, std::span<const int32_t> counts, PolyFillMode mode) {
    QPainterPath path;
    path.setFillRule(ToFillRule(mode));
    size_t next = 0;
    for (const int32_t count : counts) {
        if (count < 0 || static_cast<size_t>(count) > points.size() - next) break;
        if (count >= 3) {
            QPolygonF polygon;
            for (int32_t i = 0; i < count; ++i) polygon << QPointF(points[next + i].x, points[next + i].y);
            path.addPolygon(polygon);
            path.closeSubpath();
        }
        next += static_cast<size_t>(count);
    }
    return Region(RasterizeFill(path));
}

Region Region::FromRects(std::span<const Rect> rects) {
    QRegion region;
    for (const Rect& r : rects) {
        const Rect n = r.Normalized();
        if (!n.IsEmpty()) region += ToQRect(n);
    }
    return Region(region);
}

Region Region::FromPath(const PathData& path, PolyFillMode mode) {
    QPainterPath qpath = ToPainterPath(path, mode);
    qpath.closeSubpath();
    return Region(RasterizeFill(qpath));
}

Region Region::FromPath(const PathData& path, PolyFillMode mode, const Rect& window) {
    const QRect limit = ToQRect(window.Normalized());
    if (limit.isEmpty()) return {};
    QPainterPath qpath = ToPainterPath(path, mode);
    qpath.closeSubpath();
    return Region(RasterizeFill(qpath, limit));
}

RegionKind Region::Combine(const Region& a, const Region& b, RegionCombine mode) {
    switch (mode) {
    case RegionCombine::And: region_ = a.region_.intersected(b.region_); break;
    case RegionCombine::Or: region_ = a.region_.united(b.region_); break;
    case RegionCombine::Xor: region_ = a.region_.xored(b.region_); break;
    case RegionCombine::Diff: region_ = a.region_.subtracted(b.region_); break;
    case RegionCombine::Copy: region_ = a.region_; break;
    default: return RegionKind::Error;
    }
    return Kind();
}

void Region::Offset(int32_t dx, int32_t dy) {
    if (region_.isEmpty()) return;
    // A move is cut short where the region would leave the plane that
    // rectangles are kept in; beyond it no device has pixels anyway.
    const QRect box = region_.boundingRect();
    auto within = [](int64_t d, int64_t low, int64_t high) {
        return static_cast<int>(std::max(int64_t{kPlaneMin} - low, std::min(d, int64_t{kPlaneMax} - high)));
    };
    region_.translate(within(dx, box.left(), int64_t{box.right()} + 1), within(dy, box.top(), int64_t{box.bottom()} + 1));
}

bool Region::Contains(int32_t x, int32_t y) const { return region_.contains(QPoint(x, y)); }

bool Region::Intersects(const Rect& r) const {
    const Rect n = r.Normalized();
    return !n.IsEmpty() && region_.intersects(ToQRect(n));
}

Rect Region::Box() const {
    if (region_.isEmpty()) return {};
    return FromQRect(region_.boundingRect());
}

RegionKind Region::Kind() const {
    if (region_.isEmpty()) return RegionKind::Null;
    return region_.rectCount() == 1 ? RegionKind::Simple : RegionKind::Complex;
}

std::vector<Rect> Region::Rects() const {
    std::vector<Rect> rects;
    rects.reserve(static_cast<size_t>(region_.rectCount()));
    for (const QRect& r : region_) rects.push_back(FromQRect(r));
    return rects;
}

}  // namespace gdi
