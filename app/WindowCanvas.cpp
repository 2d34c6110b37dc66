#include "app/WindowCanvas.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kScreenDpi = 96;

}  // namespace

TWindowCanvas::TWindowCanvas() : gdi::BitmapCanvas(1, 1, kScreenDpi, kScreenDpi) {}

int32_t TWindowCanvas::PenMargin() const {
    const gdi::Pen& p = pen();
    if (p.style == gdi::PenStyle::Null) return 1;
    const gdi::XForm m = LogicalToDevice();
    const double scale = std::max(std::hypot(m.eM11, m.eM12), std::hypot(m.eM21, m.eM22));
    double width = std::max(1.0, p.width * scale);
    // Mitred joins of a geometric pen reach out to the miter limit.
    if (p.geometric && p.join == gdi::PenJoin::Miter) width *= std::max(1.0f, state().miterLimit);
    return static_cast<int32_t>(std::min(1.0e6, std::ceil(width))) + 2;
}

gdi::Rect TWindowCanvas::BoundsOf(std::span<const gdi::Point> points, int32_t margin) const {
    if (points.empty()) return {};
    int64_t l = INT32_MAX, t = INT32_MAX, r = INT32_MIN, b = INT32_MIN;
    for (const gdi::Point& p : points) {
        l = std::min<int64_t>(l, p.x);
        t = std::min<int64_t>(t, p.y);
        r = std::max<int64_t>(r, p.x);
        b = std::max<int64_t>(b, p.y);
    }
    return {gdi::Saturated(l - margin), gdi::Saturated(t - margin), gdi::Saturated(r + 1 + margin),
            gdi::Saturated(b + 1 + margin)};
}

gdi::Rect TWindowCanvas::LogicalBounds(std::span<const gdi::Point> points, bool withPen) const {
    std::vector<gdi::Point> device;
    device.reserve(points.size());
    for (const gdi::Point& p : points) device.push_back(LPtoDP(p));
    return BoundsOf(device, withPen ? PenMargin() : 1);
}

void TWindowCanvas::Touch(const gdi::Rect& deviceRect) {
    const gdi::Rect frame{0, 0, bitmap().Width(), bitmap().Height()};
    const gdi::Rect r = gdi::IntersectRect(deviceRect, frame);
    if (!r.IsEmpty() && OnTouched) OnTouched(r);
}

void TWindowCanvas::TouchAll() { Touch({0, 0, bitmap().Width(), bitmap().Height()}); }

void TWindowCanvas::DoLine(std::span<const gdi::Point> points) {
    BitmapCanvas::DoLine(points);
    Touch(LogicalBounds(points, true));
}

void TWindowCanvas::DoBezier(std::span<const gdi::Point> points) {
    BitmapCanvas::DoBezier(points);
    Touch(LogicalBounds(points, true));
}

void TWindowCanvas::DoArc(const gdi::Rect& box, gdi::Point start, gdi::Point end) {
    BitmapCanvas::DoArc(box, start, end);
    const gdi::Point corners[] = {{box.left, box.top}, {box.right, box.bottom}, {box.left, box.bottom}, {box.right, box.top}};
    Touch(LogicalBounds(corners, true));
}

void TWindowCanvas::DoShape(Shape shape, const gdi::Rect& box, gdi::Point a, gdi::Point b) {
    BitmapCanvas::DoShape(shape, box, a, b);
    const gdi::Point corners[] = {{box.left, box.top}, {box.right, box.bottom}, {box.left, box.bottom}, {box.right, box.top}};
    Touch(LogicalBounds(corners, true));
}

void TWindowCanvas::DoPolygon(std::span<const gdi::Point> points, std::span<const int32_t> counts) {
    BitmapCanvas::DoPolygon(points, counts);
    Touch(LogicalBounds(points, true));
}

void TWindowCanvas::DoFillRegion(const gdi::Region& deviceRegion, const gdi::Brush& b, uint32_t rop) {
    BitmapCanvas::DoFillRegion(deviceRegion, b, rop);
    Touch(deviceRegion.Box());
}

void TWindowCanvas::DoPath(const gdi::PathData& devicePath, bool fill, bool stroke) {
    BitmapCanvas::DoPath(devicePath, fill, stroke);
    Touch(BoundsOf(devicePath.points, PenMargin()));
}

void TWindowCanvas::DoText(int32_t x, int32_t y, uint32_t options, const gdi::Rect* rect, std::u16string_view text,
                           std::span<const int32_t> dx) {
    BitmapCanvas::DoText(x, y, options, rect, text, dx);
    TouchAll();  // turned and overhanging glyphs are not worth measuring here
}

void TWindowCanvas::DoStretchBlt(const gdi::Rect& dest, const gdi::Bitmap& src, const gdi::Rect& srcRect,
                                 uint32_t rop) {
    BitmapCanvas::DoStretchBlt(dest, src, srcRect, rop);
    const gdi::Point corners[] = {{dest.left, dest.top}, {dest.right, dest.bottom}, {dest.left, dest.bottom}, {dest.right, dest.top}};
    Touch(LogicalBounds(corners, false));
}

void TWindowCanvas::DoSetPixel(int32_t x, int32_t y, gdi::Color c) {
    BitmapCanvas::DoSetPixel(x, y, c);
    Touch({x, y, x + 1, y + 1});
}

bool TWindowCanvas::DoFloodFill(int32_t x, int32_t y, gdi::Color c, gdi::FloodFillType type) {
    const bool filled = BitmapCanvas::DoFloodFill(x, y, c, type);
    if (filled) TouchAll();
    return filled;
}
