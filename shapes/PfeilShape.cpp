#include "shapes/PfeilShape.h"

#include "foundation/FillData.h"
#include "foundation/FloatKontur.h"
#include "shapes/ZRShape.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace {

constexpr double kRadians = std::numbers::pi / 180.0;

void LinePolar(TFloatKontur& k, float angle, float radius) {
    TFloatPoint p;
    k.LineToPolar(p, radius, angle);
}

}  // namespace

float EndAngleAfter(float start, float end) {
    if (!std::isfinite(start) || !std::isfinite(end)) return std::isfinite(start) ? start : 0;
    if (end < start) end += 360 * std::ceil((start - end) / 360);
    if (end < start) end = start;
    return std::min(end, start + 360);
}

// ---- TPfeilShape, TPfeilKerbeShape

TPfeilShape::TPfeilShape() {
    AddCartesianHandle(0.25f, -0.5f, 0.45f, -0.25f, -0.5f, -0.05f);
}

void TPfeilShape::BuildPoints() {
    const float x = Handle(0).Value1, y = Handle(0).Value2;
    const TFloatPoint v[] = {{-0.5f, y}, {x, y}, {x, -0.5f}, {0.5f, 0}, {x, 0.5f}, {x, -y}, {-0.5f, -y}};
    BuildIntegerPoints(v, true);
}

TPfeilKerbeShape::TPfeilKerbeShape() {
    AddCartesianHandle(0.25f, -0.5f, 0.5f, -0.25f, -0.5f, 0);
}

void TPfeilKerbeShape::BuildPoints() {
    const float x = Handle(0).Value1, y = Handle(0).Value2;
    const TFloatPoint v[] = {{-0.5f, y}, {x, y},       {x, -0.5f}, {0.5f, 0},
                             {x, 0.5f},  {x, -y},      {-0.5f, -y}, {-0.5f + (x - 0.5f) * 2 * y, 0}};
    BuildIntegerPoints(v, true);
}

// ---- TRundPfeilShape

TRundPfeilShape::TRundPfeilShape() {
    AddPolarHandle(0.3f, 0, 0.45f, 60, 0, 360);
    AddPolarHandle(0.5f, 0.5f, 0.5f, 180, 0, 360);
}

void TRundPfeilShape::BuildPoints() {
    Dirty = false;
    const float s = std::isfinite(Handle(1).Value2) ? Handle(1).Value2 : 0;
    const float e = EndAngleAfter(s, Handle(0).Value2);
    const float r = Handle(0).Value1;
    TFloatKontur k = NewKontur();
    LinePolar(k, s, 0.5f);
    for (float t = s + 5; t < e; t += 5) LinePolar(k, t, 0.5f);
    LinePolar(k, e, 0.5f);
    LinePolar(k, e, 0.62f);
    const TFloatPoint m = k.PolarPoint((r + 0.5f) / 2, e), p = k.PolarPoint(0.62f, e);
    const float dist = std::hypot(p.X - m.X, p.Y - m.Y);
    const double ahead = (e - 90) * kRadians;
    k.LineTo(static_cast<float>(m.X - dist * std::cos(ahead)), static_cast<float>(m.Y - dist * std::sin(ahead)));
    LinePolar(k, e, r - 0.12f);
    LinePolar(k, e, r);
    for (float t = e - 5; t > s; t -= 5) LinePolar(k, t, r);
    LinePolar(k, s, r);
    LinePolar(k, s, 0.5f);
    TakeContour(k);
}

// ---- stars, heart, rounded rectangle

TSternShape::TSternShape() {
    AddCartesianHandle(-0.25f, -0.5f, 0, 0, 0, 0);
}

void TSternShape::BuildPoints() {
    Dirty = false;
    const int32_t n = std::max(1, StarPoints);
    const float step = 360.0f / static_cast<float>(n), inner = std::fabs(Handle(0).Value1);
    TFloatKontur k = NewKontur();
    for (int32_t i = 0; i < n; ++i) {
        LinePolar(k, static_cast<float>(i) * step, 0.5f);
        LinePolar(k, static_cast<float>(i) * step + step / 2, inner);
    }
    LinePolar(k, 0, 0.5f);
    TakeContour(k);
}

void THerzShape::BuildPoints() {
    Dirty = false;
    TFloatKontur k = NewKontur();
    const auto x = [&](float u) { return CenterX + u * Width; };
    const auto y = [&](float v) { return CenterY + v * Height; };
    k.MoveTo(x(0), y(0.5f));
    k.CornerArcTo(x(-0.5f), y(0.1f), x(-0.5f), y(-0.25f));
    k.CornerArcTo(x(-0.5f), y(-0.5f), x(-0.26f), y(-0.5f));
    k.CornerArcTo(x(-0.09f), y(-0.5f), x(0), y(-0.31f));
    AppendMirrorX(k);
    TakeContour(k);
}

TRoundRectShape::TRoundRectShape() {
    AddCartesianHandle(-0.25f, -0.5f, 0, -0.5f, -0.5f, -0.5f);
}

void TRoundRectShape::BuildPoints() {
    Dirty = false;
    const float c = std::min(Height / 2.0f, (Handle(0).Value1 - Handle(0).Min1) * Width);
    const float t = ShapeTop(), r = ShapeRight(), b = ShapeBottom();
    TFloatKontur k = NewKontur();
    k.MoveTo(CenterX, t);
    k.LineTo(r - c, t);
    k.CornerArcTo(r, t, r, t + c);
    k.LineTo(r, b - c);
    k.CornerArcTo(r, b, r - c, b);
    k.LineTo(CenterX, b);
    AppendMirrorX(k);
    TakeContour(k);
}

// ---- TEllipseShape

TEllipseShape::TEllipseShape() {
    AddPolarHandle(0.5f, 0.5f, 0.5f, 0, 0, 360);
    AddPolarHandle(0.5f, 0.5f, 0.5f, 0, 0, 360);
}

void TEllipseShape::BuildPoints() {
    Dirty = false;
    TFloatKontur contour = NewKontur();
    const float l = ShapeLeft(), t = ShapeTop(), r = ShapeRight(), b = ShapeBottom();
    const float cx = CenterX, cy = CenterY;
    const float start = Handle(0).Value2;
    if (std::isfinite(start) && std::isfinite(Handle(1).Value2) && std::fabs(start - Handle(1).Value2) >= 1) {
        const float end = EndAngleAfter(start, Handle(1).Value2);
        const float rx = Width / 2.0f, ry = Height / 2.0f;
        auto ellipse = [&](TCurvePoint& p) {
            const double a = p.T * kRadians;
            p.X = static_cast<float>(std::cos(a) * rx + cx);
            p.Y = static_cast<float>(std::sin(a) * ry + cy);
        };
        TCurvePoint first{0, 0, start};
        ellipse(first);
        contour.MoveTo(cx, cy);
        contour.LineTo(first.X, first.Y);
        contour.AddCurve(start, end, ellipse);
        contour.LineTo(cx, cy);
    } else {
        contour.MoveTo(l, cy);
        contour.CornerArcTo(l, t, cx, t);
        contour.CornerArcTo(r, t, r, cy);
        contour.CornerArcTo(r, b, cx, b);
        contour.CornerArcTo(l, b, l, cy);
    }
    TakeContour(contour);
}

// ---- TBanderoleShape, TBanderoleShape1

TBanderoleShape::TBanderoleShape() : TAbstractPathShape(kArrays) {
    AddCartesianHandle(-0.24f, -0.36f, -0.12f, -0.5f, -0.5f, -0.5f);
    AddCartesianHandle(0, 0, 0, 0.33f, 0.17f, 0.5f);
}

TBanderoleShape1::TBanderoleShape1() {
    HotTrackData = {};
    AddCartesianHandle(-0.24f, -0.36f, -0.12f, 0.5f, 0.5f, 0.5f);
    AddCartesianHandle(0, 0, 0, -0.33f, -0.5f, -0.17f);
}

void TBanderoleShape::BuildBanner(float y1, double angle) {
    Dirty = false;
    const float W = Width, H = Height, CX = CenterX, CY = CenterY, T = ShapeTop(), B = ShapeBottom();
    const float x0 = Handle(0).Value1, xa = Handle(0).Min1, xb = Handle(0).Max1;
    const float d = (0.5f - y1) * H / 4, g = 0.03f * W;
    const float yn = CY + (1 - 2 * y1) * H / 4, ys = CY - y1 * H;
    const float xi = CX + x0 * W, xo = CX + (x0 - xb) * W, xi2 = CX - x0 * W, xo2 = CX - (x0 - xb) * W;
    TFloatKontur k = NewKontur();
    k.MoveTo(CX + xa * W, yn);
    k.LineTo(CX - W / 2, ys);
    k.LineTo(xi, ys);
    k.LineTo(xi, T + d);
    k.CornerArcTo(xi, T, xi + g, T);
    k.LineTo(xi2 - g, T);
    k.CornerArcTo(xi2, T, xi2, T + d);
    k.LineTo(xi2, ys);
    k.LineTo(CX + W / 2, ys);
    k.LineTo(CX - xa * W, yn);
    k.LineTo(CX + W / 2, B);
    k.LineTo(xo2 + g, B);
    k.CornerArcTo(xo2, B, xo2, B - d);
    k.CornerArcTo(xo2, B - 2 * d, xo2 + g, B - 2 * d);
    k.LineTo(xi2 - g, B - 2 * d);
    k.CornerArcTo(xi2, B - 2 * d, xi2, B - 3 * d);
    k.CornerArcTo(xi2, B - 4 * d, xi2 - g, B - 4 * d);
    k.LineTo(xi + g, B - 4 * d);
    k.CornerArcTo(xi, B - 4 * d, xi, B - 3 * d);
    k.CornerArcTo(xi, B - 2 * d, xi + g, B - 2 * d);
    k.LineTo(xo - g, B - 2 * d);
    k.CornerArcTo(xo, B - 2 * d, xo, B - d);
    k.CornerArcTo(xo, B, xo - g, B);
    k.LineTo(xo - g, B);
    k.LineTo(CX - W / 2, B);
    k.LineTo(CX + xa * W, yn);
    Emit(k, Outline, angle);
    // The folds: the left one with g pointing inwards, the right one mirrored.
    for (const auto& [fold, o, i, sg] : {std::tuple{LeftFold, xo, xi, 1.0f}, std::tuple{RightFold, xo2, xi2, -1.0f}}) {
        k.MoveTo(o, B - d);
        k.CornerArcTo(o, B - 2 * d, o - sg * g, B - 2 * d);
        k.LineTo(i + sg * g, B - 2 * d);
        k.CornerArcTo(i, B - 2 * d, i, B - 3 * d);
        k.CornerArcTo(i, B - 4 * d, i + sg * g, B - 4 * d);
        k.LineTo(o, B - 4 * d);
        Emit(k, fold, angle);
    }
    const auto segment = [&](size_t index, float x, float ya, float yb) {
        k.MoveTo(x, ya);
        k.LineTo(x, yb);
        Emit(k, index, angle);
    };
    segment(LeftEdge, xi, ys, B - 3 * d);
    segment(RightEdge, xi2, ys, B - 3 * d);
    segment(LeftInner, xo, B - d, B - 4 * d);
    segment(RightInner, xo2, B - d, B - 4 * d);
}

TRect TBanderoleShape::GetBounds() {
    RebuildIfDirty();
    return BoundsOf({Outline});
}

void TBanderoleShape::DrawOutline(gdi::Canvas& canvas) {
    RebuildIfDirty();
    Polylines(canvas, {Outline, LeftEdge, RightEdge, LeftInner, RightInner});
}

void TBanderoleShape::DrawFilled(gdi::Canvas& canvas, TFillData& fill) {
    RebuildIfDirty();
    if (A(Outline).size() < 2) return;
    FillPlain(canvas, fill, Outline);
    FillDark(canvas, fill, LeftFold);
    FillDark(canvas, fill, RightFold);
    DrawOutline(canvas);
}

bool TBanderoleShape::HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) {
    RebuildIfDirty();
    if (onOutline)
        return OnAnyLine({Outline, LeftEdge, RightEdge, LeftInner, RightInner}, x, y, tolerance) ||
               InsideAny({LeftFold, RightFold}, x, y, false);
    return InsideAny({Outline, LeftFold, RightFold}, x, y, false);
}

bool TBanderoleShape1::HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) {
    RebuildIfDirty();
    if (onOutline) return OnAnyLine({Outline, LeftEdge, RightEdge, LeftInner, RightInner}, x, y, tolerance);
    return InsideAny({Outline, LeftFold, RightFold}, x, y, true);
}

// ---- TPapierrolleShape

TPapierrolleShape::TPapierrolleShape() : TAbstractPathShape(kArrays) {
    AddCartesianHandle(-0.5f, -0.5f, -0.5f, -0.25f, -0.5f, -0.25f);
}

void TPapierrolleShape::Rebuild() {
    Dirty = false;
    const float L = ShapeLeft(), T = ShapeTop(), R = ShapeRight(), B = ShapeBottom();
    const float d = std::min(Width / 8.0f, (Handle(0).Value2 - Handle(0).Min2) * Height / 2);
    TFloatKontur k = NewKontur();
    k.MoveTo(L + 3 * d, T);
    k.LineTo(R - d, T);
    k.CornerArcTo(R, T, R, T + d);
    k.CornerArcTo(R, T + 2 * d, R - d, T + 2 * d);
    k.LineTo(R - 2 * d, T + 2 * d);
    k.LineTo(R - 2 * d, B - d);
    k.CornerArcTo(R - 2 * d, B, R - 3 * d, B);
    k.LineTo(L + d, B);
    k.CornerArcTo(L + 2 * d, B, L + 2 * d, B - d);
    k.LineTo(L + d, B - d);
    k.CornerArcTo(L + 1.5f * d, B - d, L + 1.5f * d, B - 1.5f * d);
    k.CornerArcTo(L + 1.5f * d, B - 2 * d, L + d, B - 2 * d);
    k.LineTo(L + 2 * d, B - 2 * d);
    k.LineTo(L + 2 * d, T + d);
    k.CornerArcTo(L + 2 * d, T, L + 3 * d, T);
    Emit(k, Outline);
    k.MoveTo(L + d, B);
    k.CornerArcTo(L + 2 * d, B, L + 2 * d, B - d);
    k.LineTo(L + d, B - d);
    k.CornerArcTo(L + 1.5f * d, B - d, L + 1.5f * d, B - 1.5f * d);
    k.CornerArcTo(L + 1.5f * d, B - 2 * d, L + d, B - 2 * d);
    k.CornerArcTo(L, B - 2 * d, L, B - d);
    k.CornerArcTo(L, B, L + d, B);
    Emit(k, LowerCurl);
    k.MoveTo(L + 3 * d, T + d);
    k.LineTo(L + 4 * d, T + d);
    k.CornerArcTo(L + 4 * d, T + 2 * d, L + 3 * d, T + 2 * d);
    k.CornerArcTo(L + 2.5f * d, T + 2 * d, L + 2.5f * d, T + 1.5f * d);
    k.CornerArcTo(L + 2.5f * d, T + d, L + 3 * d, T + d);
    Emit(k, UpperCurl);
    k.MoveTo(L + 2 * d, B - d);
    k.LineTo(L + 2 * d, B - 2 * d);
    Emit(k, LowerLine);
    k.MoveTo(L + 3 * d, T + 2 * d);
    k.LineTo(R - 2 * d, T + 2 * d);
    Emit(k, UpperLine);
    k.MoveTo(L + 3 * d, T);
    k.CornerArcTo(L + 4 * d, T, L + 4 * d, T + d);
    Emit(k, UpperArc);
    k.MoveTo(L + d, B - 2 * d);
    k.CornerArcTo(L, B - 2 * d, L, B - d);
    k.CornerArcTo(L, B, L + d, B);
    Emit(k, LowerArc);
}

TRect TPapierrolleShape::GetBounds() {
    RebuildIfDirty();
    return BoundsOf({LowerCurl, Outline});
}

void TPapierrolleShape::DrawOutline(gdi::Canvas& canvas) {
    RebuildIfDirty();
    Polylines(canvas, {Outline, UpperCurl, LowerLine, UpperLine, UpperArc, LowerArc});
}

void TPapierrolleShape::DrawFilled(gdi::Canvas& canvas, TFillData& fill) {
    RebuildIfDirty();
    if (A(Outline).size() < 2) return;
    FillPlain(canvas, fill, Outline);
    FillDark(canvas, fill, LowerCurl);
    FillDark(canvas, fill, UpperCurl);
    DrawOutline(canvas);
}

bool TPapierrolleShape::HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) {
    RebuildIfDirty();
    if (onOutline)
        return OnAnyLine({Outline, UpperCurl, LowerLine, UpperLine, UpperArc, LowerArc}, x, y, tolerance) ||
               InsideAny({LowerCurl, UpperCurl}, x, y, false);
    return InsideAny({Outline, LowerCurl, UpperCurl}, x, y, false);
}

// ---- TPapierrolleShape1

TPapierrolleShape1::TPapierrolleShape1() : TAbstractPathShape(kArrays) {
    AddCartesianHandle(-0.25f, -0.5f, -0.25f, -0.5f, -0.5f, -0.5f);
}

void TPapierrolleShape1::Rebuild() {
    Dirty = false;
    const float L = ShapeLeft(), T = ShapeTop(), R = ShapeRight(), B = ShapeBottom();
    const float k1 = std::min((Handle(0).Value1 - Handle(0).Min1) * Height / 2, Width / 8.0f);
    TFloatKontur k = NewKontur();
    k.MoveTo(L + k1, T + 2 * k1);
    k.LineTo(R - 2 * k1, T + 2 * k1);
    k.LineTo(R - 2 * k1, T + k1);
    k.CornerArcTo(R - 2 * k1, T + 1.5f * k1, R - 1.5f * k1, T + 1.5f * k1);
    k.CornerArcTo(R - k1, T + 1.5f * k1, R - k1, T + k1);
    k.LineTo(R - k1, T + 2 * k1);
    k.CornerArcTo(R, T + 2 * k1, R, T + k1);
    k.LineTo(R, B - 3 * k1);
    k.CornerArcTo(R, B - 2 * k1, R - k1, B - 2 * k1);
    k.LineTo(L + 2 * k1, B - 2 * k1);
    k.LineTo(L + 2 * k1, B - k1);
    k.CornerArcTo(L + 2 * k1, B, L + k1, B);
    k.CornerArcTo(L, B, L, B - k1);
    k.LineTo(L, T + 3 * k1);
    k.CornerArcTo(L, T + 2 * k1, L + k1, T + 2 * k1);
    Emit(k, Outline);
    k.MoveTo(R - k1, T);
    k.CornerArcTo(R - 2 * k1, T, R - 2 * k1, T + k1);
    k.CornerArcTo(R - 2 * k1, T + 1.5f * k1, R - 1.5f * k1, T + 1.5f * k1);
    k.CornerArcTo(R - k1, T + 1.5f * k1, R - k1, T + k1);
    k.LineTo(R - k1, T + 2 * k1);
    k.CornerArcTo(R, T + 2 * k1, R, T + k1);
    k.CornerArcTo(R, T, R - k1, T);
    Emit(k, RightCurl);
    k.MoveTo(L + k1, T + 4 * k1);
    k.LineTo(L + k1, T + 3 * k1);
    k.CornerArcTo(L + k1, T + 2.5f * k1, L + 1.5f * k1, T + 2.5f * k1);
    k.CornerArcTo(L + 2 * k1, T + 2.5f * k1, L + 2 * k1, T + 3 * k1);
    k.CornerArcTo(L + 2 * k1, T + 4 * k1, L + k1, T + 4 * k1);
    Emit(k, LeftCurl);
    k.MoveTo(R - 2 * k1, T + 2 * k1);
    k.LineTo(R - k1, T + 2 * k1);
    Emit(k, RightLine);
    k.MoveTo(L + 2 * k1, T + 3 * k1);
    k.LineTo(L + 2 * k1, B - 2 * k1);
    Emit(k, LeftLine);
    k.MoveTo(L, T + 3 * k1);
    k.CornerArcTo(L, T + 4 * k1, L + k1, T + 4 * k1);
    Emit(k, LeftArc);
    k.MoveTo(R, T + k1);
    k.CornerArcTo(R, T, R - k1, T);
    k.CornerArcTo(R - 2 * k1, T, R - 2 * k1, T + k1);
    Emit(k, RightArc);
}

TRect TPapierrolleShape1::GetBounds() {
    RebuildIfDirty();
    return BoundsOf({RightCurl, Outline});
}

void TPapierrolleShape1::DrawOutline(gdi::Canvas& canvas) {
    RebuildIfDirty();
    Polylines(canvas, {Outline, LeftCurl, RightLine, LeftLine, LeftArc, RightArc});
}

void TPapierrolleShape1::DrawFilled(gdi::Canvas& canvas, TFillData& fill) {
    RebuildIfDirty();
    if (A(Outline).size() < 2) return;
    FillPlain(canvas, fill, Outline);
    FillDark(canvas, fill, RightCurl);
    FillDark(canvas, fill, LeftCurl);
    DrawOutline(canvas);
}

bool TPapierrolleShape1::HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) {
    RebuildIfDirty();
    if (onOutline)
        return OnAnyLine({Outline, RightCurl, LeftCurl, RightLine, LeftLine, LeftArc, RightArc}, x, y, tolerance) ||
               InsideAny({RightCurl, LeftCurl}, x, y, true);
    return InsideAny({Outline, RightCurl, LeftCurl}, x, y, true);
}

// ---- TRundPfeilRShape

TRundPfeilRShape::TRundPfeilRShape() : TAbstractPathShape(kArrays) {
    AddCartesianHandle(0.1f, -0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
    AddCartesianHandle(0.5f, 0.5f, 0.5f, 0.4f, -0.5f, 0.5f);
    AddCartesianHandle(0.5f, 0.5f, 0.5f, 0.05f, -0.5f, 0.5f);
}

namespace {

// Degrees of asin and acos with the argument clamped into [-1, 1].
double AsinDegrees(double v) {
    return std::asin(std::clamp(std::isfinite(v) ? v : 0.0, -1.0, 1.0)) / kRadians;
}

double AcosDegrees(double v) {
    return std::acos(std::clamp(std::isfinite(v) ? v : 0.0, -1.0, 1.0)) / kRadians;
}

}  // namespace

void TRundPfeilRShape::Rebuild() {
    Dirty = false;
    if (Width == 0 && Height == 0) {
        for (auto& a : Arrays) a.clear();
        return;
    }
    if (Width == 0) SetWidth(1);
    if (Height == 0) SetHeight(1);
    Dirty = false;
    const float L = ShapeLeft(), T = ShapeTop(), R = ShapeRight(), W = Width, H = Height;
    const float hh = (0.5f - Handle(1).Value2) * H;
    const float s = (0.5f - Handle(2).Value2) * H - 2 * hh;
    const float a = (0.5f - Handle(0).Value1) * W;
    const float e = H - hh - s;
    // Degenerate handle values (s > e, a > W) clamp the inverse functions.
    const float alpha = static_cast<float>(180 - AsinDegrees(e != 0 ? s / e : 1));
    const float beta = static_cast<float>(180 + AsinDegrees(e != 0 ? s / e : 1));
    const float gamma = static_cast<float>(180 - AcosDegrees(a / W));
    const auto e1 = [&](TFloatKontur& k, float a1, float a2) { k.AddEllipseSegment(L, T, L + 2 * W, T + e, a1, a2); };
    const auto e2 = [&](TFloatKontur& k, float a1, float a2) {
        k.AddEllipseSegment(L, T + s, L + 2 * W, T + s + e, a1, a2);
    };
    TFloatKontur k = NewKontur();
    k.MoveTo(R, T);
    e1(k, 270, 180);
    e1(k, 180, alpha);
    FoldPoint = k.LastPoint();
    e2(k, beta, 270);
    k.LineTo(R, T);
    Emit(k, BackFace);
    const auto frontEnd = [&](TFloatKontur& c) {
        const TFloatPoint p = c.LastPoint();
        if (Handle(0).Value1 < 0.5f) {
            c.LineTo(p.X, p.Y - hh);
            c.LineTo(R, T + H - hh - s / 2);
            c.LineTo(p.X, p.Y + s + hh);
        }
        c.LineTo(p.X, p.Y + s);
        e2(c, gamma, 180);
        c.LineTo(L, T + e / 2);
    };
    k.MoveTo(L, T + e / 2);
    e1(k, 180, alpha);
    e1(k, alpha, gamma);
    frontEnd(k);
    Emit(k, FrontFace);
    e1(k, alpha, alpha);
    e1(k, alpha, gamma);
    frontEnd(k);
    Emit(k, FrontOutline);
    e1(k, 180, 180);
    e1(k, 180, alpha);
    Emit(k, InnerEdge);
}

TRect TRundPfeilRShape::GetBounds() {
    RebuildIfDirty();
    if (A(BackFace).empty()) return TAbstractAutoShape::GetBounds();
    return BoundsOf({FrontFace, BackFace});
}

void TRundPfeilRShape::DrawOutline(gdi::Canvas& canvas) {
    RebuildIfDirty();
    if (A(BackFace).empty()) return;
    Polylines(canvas, {BackFace, FrontOutline});
}

void TRundPfeilRShape::DrawFilled(gdi::Canvas& canvas, TFillData& fill) {
    RebuildIfDirty();
    if (A(BackFace).empty()) return;
    FillDark(canvas, fill, BackFace);
    Polylines(canvas, {BackFace});
    FillPlain(canvas, fill, FrontFace);
    Polylines(canvas, {FrontOutline, InnerEdge});
}

bool TRundPfeilRShape::HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) {
    RebuildIfDirty();
    if (A(BackFace).empty()) return false;
    if (onOutline) return OnAnyLine({BackFace, FrontOutline}, x, y, tolerance) || InsideAny({BackFace}, x, y, false);
    return InsideAny({BackFace, FrontFace}, x, y, false);
}

void TRundPfeilRShape::SetAdjustHandle(int32_t index, const THotTrackEntry& entry) {
    TAbstractAutoShape::SetAdjustHandle(index, entry);
    RebuildIfDirty();
    Handle(2).Max2 = 2 * Handle(1).Value2 - 0.52f;
    Handle(2).Min2 = 0;
    Handle(1).Max2 = 0.5f;
    Handle(1).Min2 = (Handle(2).Value2 + 0.52f) / 2;
    Handle(0).Max1 = 0.5f;
    if (Width != 0) Handle(0).Min1 = ClampValue((FoldPoint.X - ShapeLeft()) / Width - 0.5f + 0.02f, -0.5f, 0.5f);
    DoChange();
}

void RegisterPfeilShapes(TAutoShapeFactory& factory) {
    const auto add = [&factory]<class T>(const char* name) {
        factory.RegisterShape(name, [] { return std::make_unique<T>(); });
    };
    add.operator()<TPfeilShape>("TPfeilShape");
    add.operator()<TRundPfeilShape>("TRundPfeilShape");
    add.operator()<TPfeilKerbeShape>("TPfeilKerbeShape");
    add.operator()<TBanderoleShape>("TBanderoleShape");
    add.operator()<TSternShape>("TSternShape");
    add.operator()<TSternShape8>("TSternShape8");
    add.operator()<TSternShape16>("TSternShape16");
    add.operator()<TSternShape24>("TSternShape24");
    add.operator()<TSternShape32>("TSternShape32");
    add.operator()<THerzShape>("THerzShape");
    add.operator()<TPapierrolleShape>("TPapierrolleShape");
    add.operator()<TRoundRectShape>("TRoundRectShape");
    add.operator()<TEllipseShape>("TEllipseShape");
    add.operator()<TRechteckShape>("TRechteckShape");
    add.operator()<TRundPfeilRShape>("TRundPfeilRShape");
}
