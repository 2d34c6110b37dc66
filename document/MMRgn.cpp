#include "document/MMRgn.h"

#include <algorithm>
#include <utility>

TMMRgn::TMMRgn(QString name, float left, float top, float right, float bottom, uint8_t flags, float grow,
               uint8_t kind)
    : Name(std::move(name)), Left(left), Right(right), Bottom(bottom), Top(top), Kind(kind), Flags(flags),
      Grow(grow) {}

namespace {

// The device box of a box in mm, right and bottom one pixel out.
gdi::Rect DeviceBoxOf(const TScaleCanvas& canvas, float left, float top, float right, float bottom) {
    gdi::Point p1{canvas.MMToPixelX(left), canvas.MMToPixelY(top)};
    gdi::Point p2{canvas.MMToPixelX(right), canvas.MMToPixelY(bottom)};
    const gdi::Canvas& device = canvas.Canvas();
    if (device.IsPrinter() && device.Caps().logPixelsX != device.Caps().logPixelsY) {
        p1 = device.LPtoDP(p1);
        p2 = device.LPtoDP(p2);
    }
    return gdi::Rect{p1.x, p1.y, gdi::Saturated(int64_t{p2.x} + 1), gdi::Saturated(int64_t{p2.y} + 1)}.Normalized();
}

}  // namespace

gdi::Rect TMMRgn::DeviceBox(const TScaleCanvas& canvas, float grow) const {
    return DeviceBoxOf(canvas, Left - grow, Top - grow, Right + grow, Bottom + grow);
}

TClipZone TMMRgn::CreateZone(const TScaleCanvas& canvas) const {
    TClipZone zone = WholeZone(CreateGdiRegion(canvas));
    if (Hole > 0) {
        const float cx = (Left + Right) / 2, cy = (Top + Bottom) / 2, r = Hole / 2;
        const gdi::Region hole = gdi::Region::FromEllipse(DeviceBoxOf(canvas, cx - r, cy - r, cx + r, cy + r));
        zone.Clip.Combine(zone.Area, hole, gdi::RegionCombine::Diff);
    }
    return zone;
}

TMMRectRgn::TMMRectRgn(QString name, float left, float top, float right, float bottom, uint8_t flags, float grow)
    : TMMRgn(std::move(name), left, top, right, bottom, flags, grow, kKindRect) {}

gdi::Region TMMRectRgn::CreateRegion(const TScaleCanvas& canvas, float grow) const {
    return gdi::Region::FromRect(DeviceBox(canvas, grow));
}

TMMEllipticRgn::TMMEllipticRgn(QString name, float left, float top, float right, float bottom, uint8_t flags,
                               float grow)
    : TMMRgn(std::move(name), left, top, right, bottom, flags, grow, kKindEllipse) {}

gdi::Region TMMEllipticRgn::CreateRegion(const TScaleCanvas& canvas, float grow) const {
    return gdi::Region::FromEllipse(DeviceBox(canvas, grow));
}

// ---- the list

int32_t TMMRgnList::Add(std::unique_ptr<TMMRgn> region) {
    regions_.push_back(std::move(region));
    return Count() - 1;
}

int32_t TMMRgnList::AddRect(const QString& name, uint8_t flags, float x1, float y1, float x2, float y2, float grow) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    return Add(std::make_unique<TMMRectRgn>(name, x1, y1, x2, y2, flags, grow));
}

int32_t TMMRgnList::AddEllipse(const QString& name, uint8_t flags, float x1, float y1, float x2, float y2,
                               float grow, float hole) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    auto ellipse = std::make_unique<TMMEllipticRgn>(name, x1, y1, x2, y2, flags, grow);
    ellipse->Hole = hole;
    return Add(std::move(ellipse));
}

int32_t TMMRgnList::AddCenteredEllipse(const QString& name, uint8_t flags, float centreX, float centreY, float width,
                                       float height, float grow, float hole) {
    auto ellipse = std::make_unique<TMMEllipticRgn>(name, centreX - width / 2, centreY - height / 2,
                                                    centreX + width / 2, centreY + height / 2, flags, grow);
    ellipse->Hole = hole;
    return Add(std::move(ellipse));
}

void TMMRgnList::Delete(int32_t index) {
    regions_.erase(regions_.begin() + index);
}

bool TMMRgnList::HasClipRegion() const {
    return std::any_of(regions_.begin(), regions_.end(), [](const auto& r) { return r->IsClipRegion(); });
}

bool TMMRgnList::HasZoomRegion() const {
    return std::any_of(regions_.begin(), regions_.end(), [](const auto& r) { return r->IsZoomRegion(); });
}
