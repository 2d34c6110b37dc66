#pragma once
// A set of closed device polygons: one run of points and one point count per
// finished polygon, as the poly-polygon drawing calls take them.

#include "foundation/PointHelpers.h"
#include "platform/gdi/Canvas.h"
#include "platform/gdi/Region.h"

#include <cstdint>
#include <optional>
#include <vector>

class TPolyPolygonData {
public:
    void Clear();
    void AddPoint(int32_t x, int32_t y);
    // Rounded to the nearest point, ties to even.
    void AddFloatPoint(float x, float y);
    // Finishes the polygon of the points added since the last one.
    void ClosePolygon();
    // Fills the finished polygons with the canvas's pen, brush and fill mode.
    void DrawPolygons(gdi::Canvas& canvas) const;
    // Open polylines, one per finished polygon (no closing segment added).
    void DrawPolylines(gdi::Canvas& canvas) const;
    // The finished polygons by the alternate rule; none without polygons.
    std::optional<gdi::Region> CreateRegion() const;
    // The union of each polygon's own region (overlaps stay filled).
    std::optional<gdi::Region> CreateUnionRegion() const;
    // With outlineOnly, within tolerance of a segment between consecutive
    // points of a polygon (the closing edge is not tested); otherwise inside
    // the region, or near the outline within its bounds inflated by tolerance.
    bool HitTest(int32_t x, int32_t y, int32_t tolerance, bool outlineOnly) const;
    // The bounds of every point, unfinished ones included; (0, 0, 0, 0) without points.
    TRect GetBounds() const;

    int32_t PolygonCount() const { return static_cast<int32_t>(counts_.size()); }
    int32_t CurrentCount() const { return currentCount_; }
    const std::vector<TPoint>& Points() const { return points_; }
    const std::vector<int32_t>& Counts() const { return counts_; }

private:
    std::span<const TPoint> Finished() const;
    bool HitOutline(TPoint p, int32_t tolerance) const;

    std::vector<TPoint> points_;
    std::vector<int32_t> counts_;
    int32_t currentCount_ = 0;
};
