#pragma once
// A region: a set of device pixels kept as rectangles, with the combine,
// offset and hit-test operations of a device-context region.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Spans.h"

#include <QtGui/QRegion>

#include <memory>
#include <optional>
#include <span>

namespace gdi {

class Region {
public:
    Region() = default;  // empty
    static Region FromRect(const Rect& r);
    // The pixels that an Ellipse call with the same rectangle and the null pen
    // fills on a canvas without mapping: within left..right-2 x top..bottom-2,
    // symmetric about the box's centre.
    static Region FromEllipse(const Rect& r);
    // The pixels that RoundRect with the null pen fills (as FromEllipse).
    static Region FromRoundRect(const Rect& r, int32_t cornerWidth, int32_t cornerHeight);
    static Region FromPolygon(std::span<const Point> points, PolyFillMode mode);
    static Region FromPolyPolygon(std::span<const Point> points, std::span<const int32_t> counts,
                                  PolyFillMode mode);
    // Only the part inside the window (the work is that of the part).
    static Region FromPolyPolygon(std::span<const Point> points, std::span<const int32_t> counts, PolyFillMode mode,
                                  const Rect& window);
    // The union of the rectangles, joined pairwise, so that the work is that
    // of the rectangles made and not of the count squared.
    static Region FromRects(std::span<const Rect> rects);
    // The same, or nothing once any part of it takes more than maxRects rectangles.
    static std::optional<Region> FromRects(std::span<const Rect> rects, size_t maxRects);
    // The pixels inside a path of device points (figures closed), by the fill mode.
    static Region FromPath(const PathData& path, PolyFillMode mode);
    // Only the part inside the window (the work is that of the part).
    static Region FromPath(const PathData& path, PolyFillMode mode, const Rect& window);

    // this := a op b. Returns the kind of the result.
    RegionKind Combine(const Region& a, const Region& b, RegionCombine mode);
    void Offset(int32_t dx, int32_t dy);
    bool Contains(int32_t x, int32_t y) const;
    bool Intersects(const Rect& r) const;
    Rect Box() const;  // (0, 0, 0, 0) when empty
    bool IsEmpty() const { return region_.isEmpty(); }
    size_t RectCount() const { return static_cast<size_t>(region_.rectCount()); }
    RegionKind Kind() const;
    // The rectangles in y-x banded order, as region data lists them.
    std::vector<Rect> Rects() const;

    friend bool operator==(const Region& a, const Region& b) { return a.region_ == b.region_; }

    const QRegion& qt() const { return region_; }
    explicit Region(const QRegion& r) : region_(r) {}
    // The region's rows, made once per region value.
    const RegionRows& Rows() const;

private:
    QRegion region_;
    mutable std::shared_ptr<const RegionRows> rows_;
};

}  // namespace gdi
