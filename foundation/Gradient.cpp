#include "foundation/Gradient.h"

#include "foundation/PointHelpers.h"
#include "foundation/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <span>
#include <vector>

namespace {

// Sets the band count (and edge margin) while a renderer paints and puts the
// palette's own values back afterwards.
class RampScope {
public:
    RampScope(TGradientpalette& palette, int32_t bands, const double* margin)
        : palette_(palette), rampSize_(palette.RampSize()), margin_(palette.EdgeMargin()), touchMargin_(margin) {
        palette_.SetRampSize(bands);
        if (margin) palette_.SetEdgeMargin(*margin);
    }
    ~RampScope() {
        palette_.SetRampSize(rampSize_);
        if (touchMargin_) palette_.SetEdgeMargin(margin_);
    }
    RampScope(const RampScope&) = delete;
    RampScope& operator=(const RampScope&) = delete;

private:
    TGradientpalette& palette_;
    int32_t rampSize_;
    double margin_;
    bool touchMargin_;
};

void SetBandColor(gdi::Canvas& canvas, gdi::Color color) {
    canvas.brush().style = gdi::BrushStyle::Solid;
    canvas.brush().color = color;
}

// The centre of the radial, conical and square gradients, relative to the
// rectangle's top-left: the width moves it in both directions.
TPoint OffsetCentre(int32_t w, int32_t h, double& offsetX, double& offsetY) {
    offsetX = ClampDouble(offsetX, -0.5, 0.5);
    offsetY = ClampDouble(offsetY, -0.5, 0.5);
    return {Trunc(w * static_cast<long double>(offsetX)) + w / 2, Trunc(w * static_cast<long double>(offsetY)) + h / 2};
}

bool Paintable(const gdi::Rect& r) { return r.Width() > 0 && r.Height() > 0; }

}  // namespace

void GradientLinear(gdi::Canvas& canvas, const gdi::Rect& r, TGradientpalette& palette, double angle, double margin,
                    int32_t step) {
    if (!Paintable(r)) return;
    step = std::max(step, 1);
    const int32_t w = r.Width(), h = r.Height();
    const TPoint c{w / 2, h / 2};
    std::vector<TPoint> corners(4);
    RectToArray({-c.x, -c.y, w - c.x, h - c.y}, corners);
    for (TPoint& p : corners) p = RotatePointAbout(p, {0, 0}, -angle);
    const gdi::Rect area = BoundsOfPoints(corners).Inflated(1, 1);
    RectToArray(area, corners);
    for (TPoint& p : corners) p = AddPoints(AddPoints(RotatePointAbout(p, {0, 0}, angle), c), {r.left, r.top});

    const int32_t n = std::min(area.Width() / step, palette.RampSize());
    if (n <= 0) return;
    RampScope scope(palette, n, &margin);
    canvas.pen().style = gdi::PenStyle::Null;
    TPoint p0 = corners[0], p3 = corners[3];
    for (int32_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i + 1) / n;
        const TPoint a = LerpPoint(corners[0], corners[1], t);
        const TPoint b = LerpPoint(corners[3], corners[2], t);
        SetBandColor(canvas, palette.ColorAt(i));
        const std::array<gdi::Point, 4> band{p0, a, b, p3};
        canvas.Polygon(band);
        p0 = a;
        p3 = b;
    }
    canvas.pen().style = gdi::PenStyle::Solid;
}

void GradientRadial(gdi::Canvas& canvas, const gdi::Rect& r, TGradientpalette& palette, double offsetX,
                    double offsetY, double margin, int32_t step) {
    if (!Paintable(r)) return;
    step = std::max(step, 1);
    const int32_t w = r.Width(), h = r.Height();
    const TPoint c = OffsetCentre(w, h, offsetX, offsetY);
    const TPoint far{offsetX > 0 ? 0 : w, offsetY > 0 ? 0 : h};
    const int32_t d = Trunc(std::hypot(static_cast<double>(far.x - c.x), static_cast<double>(far.y - c.y)));
    const int32_t outer = d + 2;
    const int32_t n = std::min(d / step, palette.RampSize());
    if (n <= 0) return;
    const double f = static_cast<double>(outer) / n;
    RampScope scope(palette, n, &margin);
    canvas.pen().style = gdi::PenStyle::Null;
    const int32_t x = c.x + r.left, y = c.y + r.top;
    std::vector<gdi::Rect> circles;
    std::vector<gdi::Color> colors;
    for (int32_t k = 0; k < n; ++k) {
        const int32_t radius = outer - Trunc(k * f);
        circles.push_back({x - radius, y - radius, x + radius, y + radius});
        colors.push_back(palette.ColorAt(k));
    }
    // Each circle over the one before: every band is painted once, as a ring.
    canvas.NestedEllipses(circles, colors);
}

void GradientCone(gdi::Canvas& canvas, const gdi::Rect& r, TGradientpalette& palette, double offsetX, double offsetY,
                  double angle) {
    if (!Paintable(r)) return;
    const TPoint c = AddPoints(OffsetCentre(r.Width(), r.Height(), offsetX, offsetY), {r.left, r.top});
    const double u = (r.right - r.left + 1) + (r.bottom - r.top);
    const int32_t n = std::min(palette.RampSize(), 90);
    if (n <= 0) return;
    RampScope scope(palette, n + 1, nullptr);
    const double da = 180.0 / n;
    auto at = [&](double degrees) {
        const double a = degrees * std::numbers::pi / 180.0;
        return gdi::Point{c.x + Trunc(u * std::cos(a)), c.y + Trunc(u * std::sin(a))};
    };
    canvas.pen().style = gdi::PenStyle::Null;
    for (int32_t i = 0; i <= n; ++i) {
        SetBandColor(canvas, palette.ColorAt(i));
        const std::array<gdi::Point, 3> wedge{c, at(angle + (i - 0.5) * da), at(angle + (i + 0.5) * da)};
        canvas.Polygon(wedge);
        const std::array<gdi::Point, 3> mirrored{c, at(angle + 360 - (i - 0.5) * da), at(angle + 360 - (i + 0.5) * da)};
        canvas.Polygon(mirrored);
    }
}

void GradientRect(gdi::Canvas& canvas, const gdi::Rect& r, TGradientpalette& palette, double offsetX,
                  double offsetY, double angle, double margin, int32_t step) {
    if (!Paintable(r)) return;
    step = std::max(step, 1);
    const int32_t w = r.Width(), h = r.Height();
    const TPoint c = OffsetCentre(w, h, offsetX, offsetY);
    std::vector<TPoint> corners(4);
    RectToArray({0, 0, w, h}, corners);
    for (TPoint& p : corners) p = RotatePointAbout(p, c, -angle);
    const gdi::Rect box = BoundsOfPoints(corners).Inflated(1, 1);
    const int32_t d = std::max({c.x - box.left, box.right - c.x, c.y - box.top, box.bottom - c.y});
    const int32_t n = std::min(palette.RampSize(), d / step);
    if (n <= 0) return;
    const double f = static_cast<double>(d) / n;
    RampScope scope(palette, n, &margin);
    std::vector<gdi::Point> squares;
    for (int32_t i = 0; i < n; ++i) {
        const double inset = i * f;
        const gdi::Rect square{Trunc(c.x - d + inset), Trunc(c.y - d + inset), Trunc(c.x + d - inset),
                               Trunc(c.y + d - inset)};
        RectToArray(square, corners);
        for (const TPoint& corner : corners) squares.push_back(AddPoints(RotatePointAbout(corner, c, angle), {r.left, r.top}));
    }
    // Each band is the ring between its square and the next one (alternate
    // filling), so that every pixel is painted once.
    canvas.pen().style = gdi::PenStyle::Null;
    const gdi::PolyFillMode fillMode = canvas.SetPolyFillMode(gdi::PolyFillMode::Alternate);
    const int32_t ring[] = {4, 4};
    for (int32_t i = 0; i < n; ++i) {
        SetBandColor(canvas, palette.ColorAt(i));
        const std::span<const gdi::Point> band(squares.data() + 4 * i, i + 1 < n ? 8 : 4);
        canvas.PolyPolygon(band, std::span<const int32_t>(ring, band.size() / 4));
    }
    canvas.SetPolyFillMode(fillMode);
    canvas.pen().style = gdi::PenStyle::Solid;
}
