#include "shapes/PolyPolygonData.h"

#include "foundation/GeneralHelpers.h"
#include "foundation/Rounding.h"

#include <span>

void TPolyPolygonData::Clear() {
    points_.clear();
    counts_.clear();
    currentCount_ = 0;
}

void TPolyPolygonData::AddPoint(int32_t x, int32_t y) {
    points_.push_back({x, y});
    ++currentCount_;
}

void TPolyPolygonData::AddFloatPoint(float x, float y) {
    AddPoint(Round(x), Round(y));
}

void TPolyPolygonData::ClosePolygon() {
    counts_.push_back(currentCount_);
    currentCount_ = 0;
}

std::span<const TPoint> TPolyPolygonData::Finished() const {
    return {points_.data(), points_.size() - static_cast<size_t>(currentCount_)};
}

void TPolyPolygonData::DrawPolygons(gdi::Canvas& canvas) const {
    if (counts_.empty()) return;
    const std::span<const TPoint> finished = Finished();
    if (counts_.size() == 1)
        canvas.Polygon(finished.first(static_cast<size_t>(counts_.front())));
    else
        canvas.PolyPolygon(finished, counts_);
}

TRect TPolyPolygonData::GetBounds() const {
    if (points_.empty()) return {0, 0, 0, 0};
    return BoundsOfPoints(points_);
}

void TPolyPolygonData::DrawPolylines(gdi::Canvas& canvas) const {
    if (counts_.empty()) return;
    if (counts_.size() == 1)
        canvas.Polyline(Finished().first(static_cast<size_t>(counts_.front())));
    else
        canvas.PolyPolyline(Finished(), counts_);
}

std::optional<gdi::Region> TPolyPolygonData::CreateRegion() const {
    if (counts_.empty()) return std::nullopt;
    return gdi::Region::FromPolyPolygon(Finished(), counts_, gdi::PolyFillMode::Alternate);
}

std::optional<gdi::Region> TPolyPolygonData::CreateUnionRegion() const {
    if (counts_.empty()) return std::nullopt;
    gdi::Region result;
    size_t start = 0;
    for (int32_t count : counts_) {
        const gdi::Region one =
            gdi::Region::FromPolygon(Finished().subspan(start, static_cast<size_t>(count)), gdi::PolyFillMode::Alternate);
        gdi::Region sum;
        sum.Combine(result, one, gdi::RegionCombine::Or);
        result = sum;
        start += static_cast<size_t>(count);
    }
    return result;
}

bool TPolyPolygonData::HitOutline(TPoint p, int32_t tolerance) const {
    size_t start = 0;
    for (int32_t count : counts_) {
        for (size_t j = start; j + 1 < start + static_cast<size_t>(count); ++j)
            if (PointNearLine(p, points_[j], points_[j + 1], tolerance)) return true;
        start += static_cast<size_t>(count);
    }
    return false;
}

bool TPolyPolygonData::HitTest(int32_t x, int32_t y, int32_t tolerance, bool outlineOnly) const {
    if (counts_.empty()) return false;
    if (outlineOnly) return HitOutline({x, y}, tolerance);
    const gdi::Region region = *CreateRegion();
    if (region.Contains(x, y)) return true;
    const TRect box = TRect(region.Box()).Inflated(tolerance, tolerance);
    return box.Contains({x, y}) && HitOutline({x, y}, tolerance);
}
