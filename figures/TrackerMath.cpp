#include "figures/TrackerMath.h"

#include "figures/Rasten.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;

// Which sides a sizing handle moves: -1 left or top, +1 right or bottom, 0 none.
struct Sides {
    int x, y;
};
constexpr Sides kSidesOfMode[8] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}};
// The direction of each sizing handle relative to the rotation handle.
constexpr double kCursorOffset[8] = {-135, -45, 45, 135, -90, 0, 90, 180};

TPoint Midpoint(TPoint a, TPoint b) {
    return {gdi::Saturated((int64_t{a.x} + b.x) / 2), gdi::Saturated((int64_t{a.y} + b.y) / 2)};
}

// Handles of a box near the ends of the 32-bit range stop there.
TPoint Moved(int32_t x, int32_t y, int32_t dx, int32_t dy) { return AddPoints({x, y}, {dx, dy}); }

double Distance(TPoint a, TPoint b) { return std::hypot(double(a.x) - b.x, double(a.y) - b.y); }

// Lower bound first, then the upper one, so inverted bounds give the upper.
float ClampEntry(double v, float lo, float hi) {
    if (v < lo) v = lo;
    if (v > hi) v = hi;
    return static_cast<float>(v);
}

TPoint AdjustHandleUnrotated(const THotTrackEntry& e, const TTrackGeometry& g, const TCustomScaler& s) {
    if (e.Mode == kHotTrackPolar) {
        const double a = e.Value2 / kDegrees;
        return {s.MMToPixelX(static_cast<float>(std::cos(a) * g.Width * e.Value1 + g.CenterX)),
                s.MMToPixelY(static_cast<float>(std::sin(a) * g.Height * e.Value1 + g.CenterY))};
    }
    return {s.MMToPixelX(e.Value1 * g.Width + g.CenterX), s.MMToPixelY(e.Value2 * g.Height + g.CenterY)};
}

}  // namespace

TPoint RotateIntPoint(TPoint p, TPoint c, double angle) { return RotatePointAbout(p, c, angle); }

TPoint DeviceCenter(const TTrackGeometry& g, const TCustomScaler& s) {
    return {s.MMToPixelX(g.CenterX), s.MMToPixelY(g.CenterY)};
}

TRectHandlePoints ComputeRectHandles(const TTrackGeometry& g, const THotTrackData& adjust, const TCustomScaler& s) {
    const int32_t l = s.MMToPixelX(g.CenterX - g.Width / 2);
    const int32_t t = s.MMToPixelY(g.CenterY - g.Height / 2);
    const int32_t r = s.MMToPixelX(g.CenterX + g.Width / 2);
    const int32_t b = s.MMToPixelY(g.CenterY + g.Height / 2);
    TRectHandlePoints h;
    auto& u = h.Unrotated;
    u[0] = Moved(l, t, -7, -7);
    u[1] = Moved(r, t, 7, -7);
    u[2] = Moved(r, b, 7, 7);
    u[3] = Moved(l, b, -7, 7);
    u[4] = Midpoint(u[0], u[1]);
    u[5] = Midpoint(u[1], u[2]);
    u[6] = Midpoint(u[2], u[3]);
    u[7] = Midpoint(u[3], u[0]);
    u[8] = Moved(u[5].x, u[5].y, 18, 0);
    const TPoint c = DeviceCenter(g, s);
    for (size_t i = 0; i < u.size(); ++i) h.Rotated[i] = RotateIntPoint(u[i], c, g.Angle);
    h.AdjustCount = adjust.UsedCount();
    for (int i = 0; i < h.AdjustCount; ++i)
        h.Adjust[i] = RotateIntPoint(AdjustHandleUnrotated(adjust.Entries[i], g, s), c, g.Angle);

    const TPoint spanned[] = {h.Rotated[8], h.Rotated[0], h.Rotated[1], h.Rotated[2], h.Rotated[3], h.Rotated[4]};
    h.Bounds = {spanned[0].x, spanned[0].y, spanned[0].x, spanned[0].y};
    for (const TPoint& p : spanned) {
        h.Bounds.left = std::min(h.Bounds.left, p.x);
        h.Bounds.top = std::min(h.Bounds.top, p.y);
        h.Bounds.right = std::max(h.Bounds.right, p.x);
        h.Bounds.bottom = std::max(h.Bounds.bottom, p.y);
    }
    return h;
}

std::array<TPoint, 5> RotatedBoxPoints(const TTrackGeometry& g, const TCustomScaler& s) {
    const int32_t l = s.MMToPixelX(g.CenterX - g.Width / 2);
    const int32_t t = s.MMToPixelY(g.CenterY - g.Height / 2);
    const int32_t r = s.MMToPixelX(g.CenterX + g.Width / 2);
    const int32_t b = s.MMToPixelY(g.CenterY + g.Height / 2);
    const TPoint c = DeviceCenter(g, s);
    std::array<TPoint, 5> points = {TPoint{l, t}, TPoint{r, t}, TPoint{r, b}, TPoint{l, b}, TPoint{l, t}};
    for (TPoint& p : points) p = RotateIntPoint(p, c, g.Angle);
    return points;
}

bool NearHandle(TPoint p, TPoint handle) {
    return std::abs(int64_t{p.x} - handle.x) <= 4 && std::abs(int64_t{p.y} - handle.y) <= 4;
}

int32_t HitRectHandle(const TRectHandlePoints& h, uint8_t flags, TPoint p, TPoint& grabOffset) {
    grabOffset = {0, 0};
    if (flags & kHandleCorners)
        for (int i = 0; i < 4; ++i)
            if (NearHandle(p, h.Rotated[i])) return i;
    if (flags & kHandleEdges)
        for (int i = 4; i < 8; ++i)
            if (NearHandle(p, h.Rotated[i])) return i;
    if ((flags & kHandleRotation) && NearHandle(p, h.Rotated[8])) {
        grabOffset = SubtractPoints(p, h.Rotated[8]);
        return kTrackRotate;
    }
    for (int i = 0; i < h.AdjustCount; ++i)
        if (NearHandle(p, h.Adjust[i])) {
            grabOffset = SubtractPoints(p, h.Adjust[i]);
            return kTrackAdjust + i;
        }
    return kTrackNone;
}

int32_t RectHandleCursor(const TRectHandlePoints& h, TPoint c, int32_t mode) {
    if (mode < 0) return 0;
    if (mode >= kTrackAdjust) return kCursorAdjust;
    if (mode == kTrackRotate) return kCursorRotate;
    double m = std::atan2(double(h.Rotated[8].y) - c.y, double(h.Rotated[8].x) - c.x) * kDegrees + kCursorOffset[mode];
    while (m < 0) m += 360;
    while (m > 180) m -= 180;
    if (m < 22.5) return kCursorSizeWE;
    if (m < 67.5) return kCursorSizeNWSE;
    if (m < 112.5) return kCursorSizeNS;
    if (m < 157.5) return kCursorSizeNESW;
    return kCursorSizeWE;
}

void KeepAspect(float savedWidth, float savedHeight, float& width, float& height) {
    if (savedWidth == 0 || savedHeight == 0) return;
    if (height / savedHeight > width / savedWidth)
        height = savedHeight * width / savedWidth;
    else
        width = savedWidth * height / savedHeight;
}

TTrackGeometry SizeTrackGeometry(const TTrackGeometry& saved, int32_t mode, float du, float dv, bool symmetric) {
    TTrackGeometry g = saved;
    if (mode < kTrackTopLeft || mode > kTrackLeft) return g;
    const Sides side = kSidesOfMode[mode];
    const double factor = symmetric ? 2.0 : 1.0;
    float width = saved.Width;
    float height = saved.Height;
    if (side.x != 0) width = static_cast<float>(SnapX(saved.Width + side.x * du * factor));
    if (side.y != 0) height = static_cast<float>(SnapY(saved.Height + side.y * dv * factor));
    if (mode <= kTrackBottomLeft) KeepAspect(saved.Width, saved.Height, width, height);
    if (!symmetric) {
        const TFloatPoint centre{saved.CenterX, saved.CenterY};
        const TFloatPoint fixed = RotateFloatPointAbout(
            {saved.CenterX - side.x * saved.Width / 2, saved.CenterY - side.y * saved.Height / 2}, centre, saved.Angle);
        const TFloatPoint moved =
            RotateFloatPointAbout({fixed.X + side.x * width / 2, fixed.Y + side.y * height / 2}, fixed, saved.Angle);
        g.CenterX = moved.X;
        g.CenterY = moved.Y;
    }
    g.Width = std::fabs(width);
    g.Height = std::fabs(height);
    return g;
}

float RotationStep(double distance, int32_t screenWidth) {
    const double c = screenWidth / 16;
    if (distance < c + 20) return 15;
    if (distance < 2 * c + 20) return 10;
    if (distance < 3 * c + 20) return 5;
    if (distance < 4 * c + 20) return 1;
    return 0.1f;
}

int32_t RotationStepCursor(float step) {
    if (step == 15) return kCursorRotate15;
    if (step == 10) return kCursorRotate10;
    if (step == 5) return kCursorRotate5;
    if (step == 1) return kCursorRotate1;
    return kCursorRotateFine;
}

TTrackGeometry RotateTrackGeometry(const TTrackGeometry& saved, const TRotationDrag& d, const TCustomScaler& s,
                                   float* stepUsed) {
    TTrackGeometry g = saved;
    const TPoint handle = SubtractPoints(d.Mouse, d.GrabOffset);
    const float step = d.Ctrl ? 0.1f : RotationStep(Distance(d.DeviceCenter, handle), d.ScreenWidth);
    if (stepUsed) *stepUsed = step;
    const double dx = double(handle.x) - d.DeviceCenter.x;
    const double dy = double(handle.y) - d.DeviceCenter.y;
    const double angle = std::atan2(dy + 1, dx + 1) * kDegrees;
    g.Angle = static_cast<float>(std::nearbyint(angle / step) * step);
    if (d.Shift && saved.Width >= 0.05f) {
        const double from = Distance(d.DeviceCenter, d.Start);
        const double to = Distance(d.DeviceCenter, handle);
        const double width = saved.Width + 2.0 * s.PixelToMMF(static_cast<float>(to - from));
        const double height = saved.Height * width / std::max(saved.Width, 0.05f);
        g.Width = static_cast<float>(std::fabs(width));
        g.Height = static_cast<float>(std::fabs(height));
    }
    return g;
}

THotTrackEntry TrackAdjustEntry(const THotTrackEntry& entry, TFloatPoint mouse, const TTrackGeometry& g) {
    THotTrackEntry e = entry;
    const TFloatPoint p = RotateFloatPointAbout(mouse, {g.CenterX, g.CenterY}, -double(g.Angle));
    const double dx = double(p.X) - g.CenterX;
    const double dy = double(p.Y) - g.CenterY;
    const double w = g.Width == 0 ? 1.0 : g.Width;
    const double h = g.Height == 0 ? 1.0 : g.Height;
    if (e.Mode != kHotTrackPolar) {
        e.Value1 = ClampEntry(dx / w, e.Min1, e.Max1);
        e.Value2 = ClampEntry(dy / h, e.Min2, e.Max2);
        return e;
    }
    const double dxScaled = dx / w * h;
    double angle = std::atan2(dy, dxScaled) * kDegrees;
    // Whole turns up to the minimum at once: adding 360 at a time would take
    // for ever with a far-off minimum from a damaged record.
    if (angle < e.Min2 && std::isfinite(e.Min2)) angle += std::ceil((e.Min2 - angle) / 360.0) * 360.0;
    if (angle - (double(e.Min2) + e.Max2) / 2 > 180) angle -= 360;
    e.Value2 = ClampEntry(angle, e.Min2, e.Max2);
    e.Value1 = ClampEntry(std::sqrt(dxScaled * dxScaled + dy * dy) / h, e.Min1, e.Max1);
    return e;
}

TLineTrackGeometry DragLineEnd(const TLineTrackGeometry& saved, int32_t mode, float du, float dv) {
    TLineTrackGeometry line = saved;
    if (mode == 0) {
        line.X1 = static_cast<float>(SnapX(saved.X1 + du));
        line.Y1 = static_cast<float>(SnapY(saved.Y1 + dv));
    } else {
        line.X2 = static_cast<float>(SnapX(saved.X2 + du));
        line.Y2 = static_cast<float>(SnapY(saved.Y2 + dv));
    }
    return line;
}

bool SameGeometry(const TTrackGeometry& a, const TTrackGeometry& b) {
    return a.CenterX == b.CenterX && a.CenterY == b.CenterY && a.Width == b.Width && a.Height == b.Height &&
           a.Angle == b.Angle;
}
