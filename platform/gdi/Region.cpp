#include "platform/gdi/Region.h"

#include "platform/gdi/QtConvert.h"
#include "platform/gdi/ScanConverter.h"
#include "platform/gdi/ShapeSpans.h"

#include <QtGui/QPainterPath>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace gdi {

namespace {

// The part of the plane whose pixels regions are made of: a million pixels
// each way, more than any device has, so that a shape of damaged, huge
// coordinates costs at most that many rows.
constexpr int kReach = 1 << 20;
const QRect kWholePlane(-kReach, -kReach, 2 * kReach, 2 * kReach);

Region FromScan(const ScanConverter& scan, const QRect& window) {
    BandBuilder bands;
    scan.Scan(window, [&](int32_t y, std::span<const Span> spans) { bands.AddRow(y, spans); });
    return Region(bands.Finish());
}

Region FromShape(Canvas::Shape shape, const Rect& r, Size corner) {
    const Rect n = r.Normalized();
    // The null pen's area: the outline runs through the centres of the box's outer pixels.
    const Rect outline{OnPlane(n.left), OnPlane(n.top), OnPlane(n.right) - 1, OnPlane(n.bottom) - 1};
    if (outline.right < outline.left || outline.bottom < outline.top) return {};
    const ShapeSpans shapeSpans(shape, outline, {}, {}, corner);
    BandBuilder bands;
    SpanList row;
    const int32_t top = std::max(shapeSpans.Top(), -kReach), bottom = std::min(shapeSpans.Bottom(), kReach);
    for (int32_t y = top; y < bottom; ++y) {
        shapeSpans.Row(y, row);
        bands.AddRow(y, row);
    }
    return Region(bands.Finish());
}

}  // namespace

Region Region::FromRect(const Rect& r) {
    const Rect n = r.Normalized();
    if (n.IsEmpty()) return {};
    return Region(QRegion(ToQRect(n)));
}

Region Region::FromEllipse(const Rect& r) { return FromShape(Canvas::Shape::Ellipse, r, {}); }

Region Region::FromRoundRect(const Rect& r, int32_t cornerWidth, int32_t cornerHeight) {
    return FromShape(Canvas::Shape::RoundRect, r, {cornerWidth, cornerHeight});
}

Region Region::FromPolygon(std::span<const Point> points, PolyFillMode mode) {
    const int32_t count = static_cast<int32_t>(points.size());
    return FromPolyPolygon(points, std::span<const int32_t>(&count, 1), mode);
}

Region Region::FromPolyPolygon(std::span<const Point> points, std::span<const int32_t> counts, PolyFillMode mode) {
    return FromPolyPolygon(points, counts, mode, FromQRect(kWholePlane));
}

Region Region::FromPolyPolygon(std::span<const Point> points, std::span<const int32_t> counts, PolyFillMode mode,
                               const Rect& window) {
    const QRect limit = ToQRect(window.Normalized()) & kWholePlane;
    if (limit.isEmpty()) return {};
    ScanConverter scan(mode);
    size_t next = 0;
    for (const int32_t count : counts) {
        if (count < 0 || static_cast<size_t>(count) > points.size() - next) break;
        if (count >= 3) scan.AddPolygon(points.subspan(next, static_cast<size_t>(count)));
        next += static_cast<size_t>(count);
    }
    return FromScan(scan, limit);
}

Region Region::FromRects(std::span<const Rect> rects) { return *FromRects(rects, SIZE_MAX); }

std::optional<Region> Region::FromRects(std::span<const Rect> rects, size_t maxRects) {
    std::vector<QRegion> parts;
    parts.reserve(rects.size());
    for (const Rect& r : rects) {
        const Rect n = r.Normalized();
        if (!n.IsEmpty()) parts.emplace_back(ToQRect(n));
    }
    if (parts.size() > maxRects) return std::nullopt;
    // Neighbours joined level by level: each rectangle takes part in few joins.
    while (parts.size() > 1) {
        size_t kept = 0;
        for (size_t i = 0; i < parts.size(); i += 2) {
            parts[kept] = i + 1 < parts.size() ? parts[i].united(parts[i + 1]) : parts[i];
            if (static_cast<size_t>(parts[kept].rectCount()) > maxRects) return std::nullopt;
            ++kept;
        }
        parts.resize(kept);
    }
    return Region(parts.empty() ? QRegion() : parts.front());
}

Region Region::FromPath(const PathData& path, PolyFillMode mode) { return FromPath(path, mode, FromQRect(kWholePlane)); }

Region Region::FromPath(const PathData& path, PolyFillMode mode, const Rect& window) {
    const QRect limit = ToQRect(window.Normalized()) & kWholePlane;
    if (limit.isEmpty()) return {};
    ScanConverter scan(mode);
    scan.AddPath(ToPainterPath(path, mode));
    return FromScan(scan, limit);
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
    rows_.reset();
    return Kind();
}

void Region::Offset(int32_t dx, int32_t dy) {
    if (region_.isEmpty()) return;
    rows_.reset();
    // A move is cut short where the region would leave the plane that
    // rectangles are kept in; beyond it no device has pixels anyway.
    const QRect box = region_.boundingRect();
    auto within = [](int64_t d, int64_t low, int64_t high) {
        return static_cast<int>(std::max(int64_t{kPlaneMin} - low, std::min(d, int64_t{kPlaneMax} - high)));
    };
    region_.translate(within(dx, box.left(), int64_t{box.right()} + 1), within(dy, box.top(), int64_t{box.bottom()} + 1));
}

const RegionRows& Region::Rows() const {
    if (!rows_) rows_ = std::make_shared<const RegionRows>(region_);
    return *rows_;
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
