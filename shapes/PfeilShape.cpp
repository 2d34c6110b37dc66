#include "shapes/PfeilShape.h"

#include "foundation/FloatKontur.h"

#include <cmath>
#include <numbers>

// ---- TEllipseShape

TEllipseShape::TEllipseShape() {
    AddPolarHandle(0.5f, 0.5f, 0.5f, 0, 0, 360);
    AddPolarHandle(0.5f, 0.5f, 0.5f, 0, 0, 360);
}

void TEllipseShape::BuildPoints() {
    Dirty = false;
    TFloatKontur contour(CenterX, CenterY, Width, Height);
    const float l = ShapeLeft(), t = ShapeTop(), r = ShapeRight(), b = ShapeBottom();
    const float cx = CenterX, cy = CenterY;
    const float start = HotTrackData.Entries[0].Value2;
    float end = HotTrackData.Entries[1].Value2;
    if (std::isfinite(start) && std::isfinite(end) && std::fabs(start - end) >= 1) {
        // Whole turns at once (a file may give any angle).
        if (end < start) end += 360 * std::ceil((start - end) / 360);
        if (end < start) end = start;  // beyond float precision
        const float rx = Width / 2.0f, ry = Height / 2.0f;
        auto ellipse = [&](TCurvePoint& p) {
            const double a = p.T * std::numbers::pi / 180;
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

void RegisterPfeilShapes(TAutoShapeFactory& factory) {
    factory.RegisterShape("TEllipseShape", [] { return std::make_unique<TEllipseShape>(); });
    factory.RegisterShape("TRechteckShape", [] { return std::make_unique<TRechteckShape>(); });
}
