// The clip region of a metafile drawing: the frame it may not leave, the
// clip records turned with the picture, and the limits on saved states and
// region sizes that keep a drawing's cost in step with its records.
#include "pictures/ZRMetaFile.h"

#include "foundation/FloatKontur.h"
#include "foundation/PointHelpers.h"
#include "platform/gdi/Canvas.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Four corners in order that make an upright rectangle.
bool Upright(const std::array<gdi::Point, 4>& c) {
    return (c[0].y == c[1].y && c[1].x == c[2].x && c[2].y == c[3].y && c[3].x == c[0].x) ||
           (c[0].x == c[1].x && c[1].y == c[2].y && c[2].x == c[3].x && c[3].y == c[0].y);
}

// The pixels of a quadrilateral of device points, within the window.
gdi::Region QuadRegion(const std::array<gdi::Point, 4>& corners, const gdi::Rect& window) {
    if (Upright(corners)) return gdi::Region::FromRect(gdi::IntersectRect(BoundsOfPoints(corners).Normalized(), window));
    const int32_t count = 4;
    return gdi::Region::FromPolyPolygon(corners, {&count, 1}, gdi::PolyFillMode::Winding, window);
}

}  // namespace

void TCustomZRMetaFile::ClipToFrame() {
    const std::array<gdi::Point, 4> box{{{Box.left, Box.top}, {Box.right, Box.top}, {Box.right, Box.bottom}, {Box.left, Box.bottom}}};
    std::array<gdi::Point, 4> frame;
    for (size_t i = 0; i < box.size(); ++i) {
        float x = 0, y = 0;
        MatrixTransformPoint(Placement, static_cast<float>(box[i].x), static_cast<float>(box[i].y), x, y);
        frame[i] = dc_->LPtoDP({RoundCoordinate(x), RoundCoordinate(y)});
    }
    const std::optional<gdi::Region> start = dc_->GetClipRgn();
    const gdi::Rect window = start ? start->Box() : BoundsOfPoints(frame);
    baseClip_ = mappingValid_ ? QuadRegion(frame, window) : gdi::Region();
    if (start) baseClip_.Combine(baseClip_, *start, gdi::RegionCombine::And);
    dc_->SelectClipRgn(&baseClip_);
}

gdi::Rect TCustomZRMetaFile::BaseBox() const { return baseClip_.Box(); }

bool TCustomZRMetaFile::Rectilinear() const {
    const auto& m = PointMatrix.m;
    const float scale = std::fabs(m[0][0]) + std::fabs(m[0][1]) + std::fabs(m[1][0]) + std::fabs(m[1][1]);
    const float tiny = scale * 1e-6f;
    return (std::fabs(m[0][1]) <= tiny && std::fabs(m[1][0]) <= tiny) || (std::fabs(m[0][0]) <= tiny && std::fabs(m[1][1]) <= tiny);
}

void TCustomZRMetaFile::CheckClipSize() {
    const std::optional<gdi::Region> clip = dc_->GetClipRgn();
    if (clip && clip->RectCount() > kMaxClipRects) Stop();
}

bool TCustomZRMetaFile::SaveState() {
    const std::optional<gdi::Region> clip = dc_->GetClipRgn();
    const size_t clipRects = clip ? clip->RectCount() : 0;
    if (metaSaves_ >= kMaxSavedStates || savedClipRects_ + clipRects > kMaxSavedClipRects) {
        Stop();
        return false;
    }
    dc_->SaveDC();
    ++metaSaves_;
    savedLevels_.push_back({baseClip_, clipRects, palette_});
    savedClipRects_ += clipRects;
    return true;
}

void TCustomZRMetaFile::RestoreState(int32_t relative) {
    // Only states the metafile saved itself; the caller's stay untouched.
    if (relative >= 0 || -int64_t{relative} > metaSaves_) return;
    if (!dc_->RestoreDC(relative)) return;
    metaSaves_ += relative;
    const size_t keep = savedLevels_.size() - static_cast<size_t>(-int64_t{relative});
    baseClip_ = savedLevels_[keep].base;
    palette_ = savedLevels_[keep].palette;
    for (size_t i = keep; i < savedLevels_.size(); ++i) savedClipRects_ -= savedLevels_[i].clipRects;
    savedLevels_.resize(keep);
}

gdi::Region TCustomZRMetaFile::DeviceArea(const gdi::Rect& logical) const {
    std::array<gdi::Point, 4> corners = MappedCorners(logical);
    for (gdi::Point& c : corners) c = dc_->LPtoDP(c);
    return QuadRegion(corners, BaseBox());
}

std::optional<gdi::Region> TCustomZRMetaFile::DeviceRegion(std::span<const gdi::Rect> logicalRects) {
    std::vector<gdi::Point> corners;
    corners.reserve(logicalRects.size() * 4);
    for (const gdi::Rect& r : logicalRects) {
        for (const gdi::Point& c : MappedCorners(r)) corners.push_back(dc_->LPtoDP(c));
    }
    std::optional<gdi::Region> region;
    if (Rectilinear()) {
        std::vector<gdi::Rect> device;
        device.reserve(logicalRects.size());
        for (size_t i = 0; i < corners.size(); i += 4)
            device.push_back(gdi::Rect{corners[i].x, corners[i].y, corners[i + 2].x, corners[i + 2].y}.Normalized());
        region = gdi::Region::FromRects(device, kMaxClipRects);
    } else {
        // Each rectangle a quadrilateral, all turned alike: the winding rule unites them.
        const std::vector<int32_t> counts(logicalRects.size(), 4);
        region = gdi::Region::FromPolyPolygon(corners, counts, gdi::PolyFillMode::Winding, BaseBox());
    }
    if (!region || region->RectCount() > kMaxClipRects) {
        Stop();
        return std::nullopt;
    }
    return region;
}

// The clip never leaves the base: the region is cut to it before it is
// combined, so that every mode keeps within it and no result grows larger
// than what the base can hold.
void TCustomZRMetaFile::SelectClip(const gdi::Region* deviceRegion, gdi::RegionCombine mode) {
    if (!deviceRegion) {
        if (mode == gdi::RegionCombine::Copy) dc_->SelectClipRgn(&baseClip_);
        return;
    }
    gdi::Region within;
    within.Combine(*deviceRegion, baseClip_, gdi::RegionCombine::And);
    dc_->ExtSelectClipRgn(&within, mode);
    CheckClipSize();
}

void TCustomZRMetaFile::OffsetClip(int32_t dx, int32_t dy) {
    const TPoint from = MapPoint(0, 0), to = MapPoint(dx, dy);
    const gdi::Point a = dc_->LPtoDP(from), b = dc_->LPtoDP(to);
    const std::optional<gdi::Region> clip = dc_->GetClipRgn();
    if (!clip) return;
    gdi::Region moved = *clip;
    moved.Offset(b.x - a.x, b.y - a.y);
    moved.Combine(moved, baseClip_, gdi::RegionCombine::And);
    dc_->SelectClipRgn(&moved);
}

void TCustomZRMetaFile::SelectClipPath(gdi::RegionCombine mode) {
    if (inPath_) return;  // a path still being built cannot clip
    const gdi::Region region = gdi::Region::FromPath(dc_->GetPath(), dc_->GetPolyFillMode(), BaseBox());
    dc_->AbortPath();
    SelectClip(&region, mode);
}

void TCustomZRMetaFile::ClippedTo(const gdi::Region& area, const std::function<void()>& draw) {
    const int32_t level = dc_->SaveDC();
    dc_->ExtSelectClipRgn(&area, gdi::RegionCombine::And);
    draw();
    dc_->RestoreDC(level);
}

void TCustomZRMetaFile::SetMetaRegion() {
    if (const std::optional<gdi::Region> clip = dc_->GetClipRgn()) baseClip_ = *clip;
}

// The clip box turned back into the contour's own axes, grown by the
// pen's reach (its half width, square caps, miter joins).
void TCustomZRMetaFile::LimitToVisible(TFloatKontur& contour) const {
    const gdi::Rect box = dc_->GetClipBox();
    const double miter = dc_->pen().join == gdi::PenJoin::Miter ? std::max(1.0f, dc_->state().miterLimit) : 1.0;
    const double reach = std::max(1, dc_->pen().width) * miter + 4;
    double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    for (const gdi::Point& c : {gdi::Point{box.left, box.top}, gdi::Point{box.right, box.top},
                                gdi::Point{box.right, box.bottom}, gdi::Point{box.left, box.bottom}}) {
        const TFloatPoint p = RotateFloatPoint({static_cast<float>(c.x), static_cast<float>(c.y)}, -double{Angle},
                                               contour.OriginX, contour.OriginY);
        left = std::min(left, double{p.X});
        right = std::max(right, double{p.X});
        top = std::min(top, double{p.Y});
        bottom = std::max(bottom, double{p.Y});
    }
    contour.SetVisibleArea(static_cast<float>(left - reach), static_cast<float>(top - reach),
                           static_cast<float>(right + reach), static_cast<float>(bottom + reach));
}

void TCustomZRMetaFile::DrawPixelRecord(int32_t x, int32_t y, uint32_t colour) {
    const TPoint p = MapPoint(x, y);
    const TPoint unit = MapLength(1, 1);
    const int32_t s = std::max(1, static_cast<int32_t>(std::clamp<int64_t>((int64_t{unit.x} + unit.y) / 2, 1, INT32_MAX)));
    if (s < 2) {
        dc_->SetPixel(p.x, p.y, ColorRef(colour));
        return;
    }
    const gdi::Rect square = gdi::Rect{p.x, p.y, p.x, p.y}.Inflated(s / 2, s / 2);
    if (!Turned()) {
        dc_->FillRect(square, gdi::SolidBrush(ColorRef(colour)));
        return;
    }
    // The square turns with the picture about its point.
    std::array<gdi::Point, 4> corners{{{square.left, square.top}, {square.right, square.top},
                                      {square.right, square.bottom}, {square.left, square.bottom}}};
    for (gdi::Point& c : corners) c = dc_->LPtoDP(RotatePointAbout(c, p, Angle));
    dc_->FillRgn(QuadRegion(corners, BaseBox()), gdi::SolidBrush(ColorRef(colour)));
}
