#include "shapes/PolyPolygonData.h"

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

void TPolyPolygonData::DrawPolygons(gdi::Canvas& canvas) const {
    if (counts_.empty()) return;
    const std::span<const TPoint> finished(points_.data(), points_.size() - static_cast<size_t>(currentCount_));
    if (counts_.size() == 1)
        canvas.Polygon(finished.first(static_cast<size_t>(counts_.front())));
    else
        canvas.PolyPolygon(finished, counts_);
}

TRect TPolyPolygonData::GetBounds() const {
    if (points_.empty()) return {0, 0, 0, 0};
    return BoundsOfPoints(points_);
}
