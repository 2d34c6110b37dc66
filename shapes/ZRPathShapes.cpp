// The path shapes of the second family: shaded and compound shapes, the
// curved band arrow, the callouts, the curved arrows and the ribbons.
#include "foundation/FillData.h"
#include "foundation/FloatKontur.h"
#include "shapes/PfeilShape.h"
#include "shapes/PolyPolygonData.h"
#include "shapes/ZRShape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

double AsinDeg(double v) { return std::asin(std::clamp(std::isfinite(v) ? v : 0.0, -1.0, 1.0)) / kDegree; }
double AcosDeg(double v) { return std::acos(std::clamp(std::isfinite(v) ? v : 0.0, -1.0, 1.0)) / kDegree; }

using Points = std::vector<TFloatPoint>;

// The contour's points so far.
Points TakePoints(const TFloatKontur& k) {
    return Points(k.Points.begin(), k.Points.begin() + k.Count);
}

void Append(TFloatKontur& k, const Points& points) {
    for (const TFloatPoint& p : points) k.AddPoint(p.X, p.Y);
}

Points Shifted(Points points, float dy) {
    for (TFloatPoint& p : points) p.Y += dy;
    return points;
}

Points Reversed(Points points) {
    std::reverse(points.begin(), points.end());
    return points;
}

// A path shape whose polygons also go into a poly-polygon: filled by the
// alternate rule as one set, so holes stay empty.
class TPolyPathShape : public TAbstractPathShape {
public:
    using TAbstractPathShape::TAbstractPathShape;

    void DrawOutline(gdi::Canvas& canvas) override {
        RebuildIfDirty();
        polygons_.DrawPolylines(canvas);
    }
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override {
        RebuildIfDirty();
        if (polygons_.PolygonCount() > 0) fill.FillPolyPolygon(canvas, polygons_.Points(), polygons_.Counts());
        DrawOutline(canvas);
    }
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override {
        RebuildIfDirty();
        return polygons_.HitTest(x, y, tolerance, onOutline);
    }

protected:
    // Writes the contour into an array and adds that array as a polygon.
    void EmitPolygon(TFloatKontur& k, size_t index) {
        Emit(k, index);
        for (const TPoint& p : A(index)) polygons_.AddPoint(p.x, p.y);
        polygons_.ClosePolygon();
    }
    TPolyPolygonData polygons_;
};

// Ellipse of the box (or of a box of half-size rx, ry about the centre) from four corner arcs.
void BoxEllipse(TFloatKontur& k, float cx, float cy, float rx, float ry) {
    k.MoveTo(cx - rx, cy);
    k.CornerArcTo(cx - rx, cy - ry, cx, cy - ry);
    k.CornerArcTo(cx + rx, cy - ry, cx + rx, cy);
    k.CornerArcTo(cx + rx, cy + ry, cx, cy + ry);
    k.CornerArcTo(cx - rx, cy + ry, cx - rx, cy);
}

void Poly(TFloatKontur& k, std::initializer_list<TFloatPoint> points) {
    for (const TFloatPoint& p : points) k.AddPoint(p.X, p.Y);
}

// ---- sun, striped arrow, ring

class TSonneShape : public TPolyPathShape {
public:
    TSonneShape() : TPolyPathShape(9) { AddCartesianHandle(-0.25f, -0.35f, -0.05f, 0, 0, 0); }
    TRect GetBounds() override {
        RebuildIfDirty();
        TRect r{CenterX, CenterY, CenterX, CenterY};
        bool any = false;
        for (size_t i = 1; i <= 8; ++i) {
            if (A(i).size() < 2) continue;
            const TPoint tip = A(i)[1];
            r = any ? TRect{std::min(r.left, tip.x), std::min(r.top, tip.y), std::max(r.right, tip.x),
                            std::max(r.bottom, tip.y)}
                    : TRect{tip.x, tip.y, tip.x, tip.y};
            any = true;
        }
        return r;
    }

protected:
    void Rebuild() override {
        Dirty = false;
        polygons_.Clear();
        const float h = std::fabs(Handle(0).Value1);
        const float dx = (0.5f - h) * Width, dy = (0.5f - h) * Height;
        TFloatKontur k = NewKontur();
        BoxEllipse(k, CenterX, CenterY, Width / 2.0f - dx, Height / 2.0f - dy);
        EmitPolygon(k, 0);
        TFloatPoint p;
        for (int i = 1; i <= 8; ++i) {
            const float c = 45.0f * i;
            k.LineToPolar(p, h + 0.05f, c - 15);
            k.LineToPolar(p, 0.5f, c);
            k.LineToPolar(p, h + 0.05f, c + 15);
            k.LineToPolar(p, h + 0.05f, c - 15);
            EmitPolygon(k, static_cast<size_t>(i));
        }
    }
};

class TPfeilZebraShape : public TPolyPathShape {
public:
    enum : size_t { Body, Stripe1, Stripe2 };
    TPfeilZebraShape() : TPolyPathShape(3) { AddCartesianHandle(0.25f, -0.35f, 0.45f, -0.25f, -0.5f, -0.05f); }
    TRect GetBounds() override {
        RebuildIfDirty();
        return BoundsOf({Stripe2, Body});
    }

protected:
    void Rebuild() override {
        Dirty = false;
        polygons_.Clear();
        const float x = Handle(0).Value1, y = Handle(0).Value2;
        TFloatKontur k = NewKontur();
        const auto at = [&](float u, float v) { return TFloatPoint{CenterX + u * Width, CenterY + v * Height}; };
        Poly(k, {at(-0.35f, y), at(x, y), at(x, -0.5f), at(0.5f, 0), at(x, 0.5f), at(x, -y), at(-0.35f, -y),
                 at(-0.35f, y)});
        EmitPolygon(k, Body);
        Poly(k, {at(-0.44f, y), at(-0.38f, y), at(-0.38f, -y), at(-0.44f, -y), at(-0.44f, y)});
        EmitPolygon(k, Stripe1);
        Poly(k, {at(-0.5f, y), at(-0.47f, y), at(-0.47f, -y), at(-0.5f, -y), at(-0.5f, y)});
        EmitPolygon(k, Stripe2);
    }
};

class TRadShape : public TPolyPathShape {
public:
    TRadShape() : TPolyPathShape(2) { AddCartesianHandle(-0.3f, -0.47f, -0.03f, 0, 0, 0); }
    TRect GetBounds() override {
        RebuildIfDirty();
        return BoundsOf({0});
    }

protected:
    void Rebuild() override {
        Dirty = false;
        polygons_.Clear();
        TFloatKontur k = NewKontur();
        BoxEllipse(k, CenterX, CenterY, Width / 2.0f, Height / 2.0f);
        EmitPolygon(k, 0);
        const float h = std::fabs(Handle(0).Value1);
        BoxEllipse(k, CenterX, CenterY, h * Width, h * Height);
        EmitPolygon(k, 1);
    }
};

// ---- folded corner, smiley, cylinder, cube, frame

class TGefalteteEckeShape : public TAbstractPathShape {
public:
    enum : size_t { Outline, Flap, Crease };
    TGefalteteEckeShape() : TAbstractPathShape(3) { AddCartesianHandle(0.3f, 0, 0.5f, 0.5f, 0.5f, 0.5f); }
    TRect GetBounds() override {
        RebuildIfDirty();
        return BoundsOf({Outline});
    }
    void DrawOutline(gdi::Canvas& canvas) override {
        RebuildIfDirty();
        Polylines(canvas, {Outline, Crease});
    }
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override {
        RebuildIfDirty();
        if (A(Outline).size() < 2) return;
        FillPlain(canvas, fill, Outline);
        FillDark(canvas, fill, Flap);
        DrawOutline(canvas);
    }
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override {
        RebuildIfDirty();
        const bool hit = onOutline ? OnAnyLine({Outline}, x, y, 5) || OnAnyLine({Crease}, x, y, tolerance)
                                   : InsideAny({Outline}, x, y, false);
        return hit || InsideAny({Flap}, x, y, false);
    }

protected:
    void Rebuild() override {
        Dirty = false;
        const float L = ShapeLeft(), T = ShapeTop(), R = ShapeRight(), B = ShapeBottom(), W = Width, H = Height;
        const float h = Handle(0).Value1, f = 0.5f - h;
        const float xf = CenterX + W / 2 - 0.7f * W * f, yf = CenterY + h * H, xc = CenterX + h * W;
        const TFloatPoint corner{xf + 0.1f * W * f, yf + 0.5f * H * f};
        TFloatKontur k = NewKontur();
        Poly(k, {{L, T}, {R, T}, {R, yf}});
        k.CornerArcTo(corner.X, corner.Y, xf, yf);
        Poly(k, {{xc, B}, {L, B}, {L, T}});
        Emit(k, Outline);
        Poly(k, {{xc, B}, {R, yf}});
        k.CornerArcTo(corner.X, corner.Y, xf, yf);
        k.LineTo(xc, B);
        Emit(k, Flap);
        Poly(k, {{xc, B}, {R, yf}});
        Emit(k, Crease);
    }
};

class TSmileyShape : public TAbstractPathShape {
public:
    enum : size_t { Face, RightEye, LeftEye, Mouth };
    TSmileyShape() : TAbstractPathShape(4) { AddCartesianHandle(0, 0, 0, 0.2f, 0.1f, 0.3f); }
    TRect GetBounds() override {
        RebuildIfDirty();
        return BoundsOf({Face});
    }
    void DrawOutline(gdi::Canvas& canvas) override {
        RebuildIfDirty();
        Polylines(canvas, {Face, RightEye, LeftEye, Mouth});
    }
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override {
        RebuildIfDirty();
        if (A(Face).size() < 2) return;
        FillPlain(canvas, fill, Face);
        FillDark(canvas, fill, RightEye);
        FillDark(canvas, fill, LeftEye);
        DrawOutline(canvas);
    }
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override {
        RebuildIfDirty();
        if (onOutline)
            return OnAnyLine({Face, RightEye, LeftEye, Mouth}, x, y, tolerance) ||
                   InsideAny({RightEye, LeftEye}, x, y, true);
        return InsideAny({Face}, x, y, true);
    }

protected:
    void Rebuild() override {
        Dirty = false;
        TFloatKontur k = NewKontur();
        BoxEllipse(k, CenterX, CenterY, Width / 2.0f, Height / 2.0f);
        Emit(k, Face);
        const auto x = [&](float u) { return CenterX + u * Width; };
        const auto y = [&](float v) { return CenterY + v * Height; };
        for (const auto& [index, sign] : {std::pair{RightEye, 1.0f}, std::pair{LeftEye, -1.0f}}) {
            k.MoveTo(x(sign * 0.15f), y(-0.2f));
            k.CornerArcTo(x(sign * 0.2f), y(-0.2f), x(sign * 0.2f), y(-0.15f));
            k.CornerArcTo(x(sign * 0.2f), y(-0.1f), x(sign * 0.15f), y(-0.1f));
            k.CornerArcTo(x(sign * 0.1f), y(-0.1f), x(sign * 0.1f), y(-0.15f));
            k.CornerArcTo(x(sign * 0.1f), y(-0.2f), x(sign * 0.15f), y(-0.2f));
            Emit(k, index);
        }
        const float m = Handle(0).Value2;
        k.MoveTo(x(0.25f), y(0.2f));
        k.CornerArcTo(x(0.17f), y(m), x(0), y(m));
        k.CornerArcTo(x(-0.17f), y(m), x(-0.25f), y(0.2f));
        Emit(k, Mouth);
    }
};

class TZylinderShape : public TAbstractPathShape {
public:
    enum : size_t { Top, Body };
    TZylinderShape() : TAbstractPathShape(2) { AddCartesianHandle(0, 0, 0, -0.25f, -0.5f, 0); }
    TRect GetBounds() override {
        RebuildIfDirty();
        return BoundsOf({Top, Body});
    }
    void DrawOutline(gdi::Canvas& canvas) override {
        RebuildIfDirty();
        Polylines(canvas, {Body, Top});
    }
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override {
        RebuildIfDirty();
        if (A(Top).size() < 2) return;
        FillPlain(canvas, fill, Body);
        FillDark(canvas, fill, Top);
        DrawOutline(canvas);
    }
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override {
        RebuildIfDirty();
        if (onOutline) return OnAnyLine({Top, Body}, x, y, tolerance) || InsideAny({Top}, x, y, true);
        return InsideAny({Top, Body}, x, y, true);
    }

protected:
    void Rebuild() override {
        Dirty = false;
        const float L = ShapeLeft(), T = ShapeTop(), R = ShapeRight(), B = ShapeBottom(), CX = CenterX;
        const float e = 0.5f * Height - std::fabs(Height * Handle(0).Value2), m = e / 2;
        TFloatKontur k = NewKontur();
        k.MoveTo(L, T + m);
        k.CornerArcTo(L, T, CX, T);
        k.CornerArcTo(R, T, R, T + m);
        k.CornerArcTo(R, T + e, CX, T + e);
        k.CornerArcTo(L, T + e, L, T + m);
        Emit(k, Top);
        k.MoveTo(R, T + m);
        k.LineTo(R, B - m);
        k.CornerArcTo(R, B, CX, B);
        k.CornerArcTo(L, B, L, B - m);
        k.LineTo(L, T + m);
        Emit(k, Body);
    }
};

class TWuerfelShape : public TAbstractPathShape {
public:
    enum : size_t { Outline, FrontEdge, SideFace, BackEdges };
    TWuerfelShape() : TAbstractPathShape(4) { AddCartesianHandle(-0.5f, -0.5f, -0.5f, -0.3f, -0.47f, 0.47f); }
    TRect GetBounds() override {
        RebuildIfDirty();
        return BoundsOf({SideFace, Outline});
    }
    void DrawOutline(gdi::Canvas& canvas) override {
        RebuildIfDirty();
        if (Width > (Handle(0).Value2 + 0.5f) * Height)
            Polylines(canvas, {Outline, FrontEdge, SideFace, BackEdges});
        else
            Polylines(canvas, {SideFace});
    }
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override {
        RebuildIfDirty();
        if (A(Outline).size() < 2) return;
        FillPlain(canvas, fill, Outline);
        FillDark(canvas, fill, SideFace);
        DrawOutline(canvas);
    }
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override {
        RebuildIfDirty();
        const bool hit = onOutline ? OnAnyLine({Outline, FrontEdge, SideFace, BackEdges}, x, y, tolerance)
                                   : InsideAny({Outline}, x, y, true);
        return hit || InsideAny({SideFace}, x, y, true);
    }
    void SetAdjustHandle(int32_t index, const THotTrackEntry& entry) override {
        TAbstractAutoShape::SetAdjustHandle(index, entry);
        RebuildIfDirty();
        if (Width < Height && Height != 0) {
            Handle(0).Max2 = static_cast<float>(Width) / Height - 0.47f;
            Handle(0).Value2 = std::min(Handle(0).Value2, Handle(0).Max2);
            Dirty = true;
        } else {
            Handle(0).Max2 = 0.47f;
        }
        DoChange();
    }

protected:
    void Rebuild() override {
        Dirty = false;
        const float L = ShapeLeft(), T = ShapeTop(), R = ShapeRight(), B = ShapeBottom();
        const float c = std::min((Handle(0).Value2 + 0.5f) * Height, static_cast<float>(Width));
        TFloatKontur k = NewKontur();
        Poly(k, {{R, T}, {L + c, T}, {L, T + c}, {L, B}, {R - c, B}, {R - c, T + c}, {R, T}});
        Emit(k, Outline);
        Poly(k, {{L, T + c}, {R - c, T + c}});
        Emit(k, FrontEdge);
        Poly(k, {{R, T}, {R - c, T + c}, {R - c, B}, {R, B - c}, {R, T}});
        Emit(k, SideFace);
        Poly(k, {{R, T}, {R - c, T + c}, {R - c, B}});
        Emit(k, BackEdges);
    }
};

class TRahmenShape : public TAbstractPathShape {
public:
    enum : size_t {
        OuterRect, TopBevel, LeftBevel, BottomBevel, RightBevel,
        TopLeftMitre, BottomLeftMitre, TopRightMitre, BottomRightMitre, LitFace
    };
    TRahmenShape() : TAbstractPathShape(10) {
        AddCartesianHandle(-0.4f, -0.47f, 0, -0.5f, -0.5f, -0.5f);
        AddCartesianHandle(-0.5f, -0.5f, -0.5f, -0.4f, -0.47f, 0);
    }
    TRect GetBounds() override {
        RebuildIfDirty();
        return BoundsOf({OuterRect});
    }
    void DrawOutline(gdi::Canvas& canvas) override {
        RebuildIfDirty();
        Polylines(canvas, {TopBevel, BottomBevel, LeftBevel, RightBevel, TopLeftMitre, BottomLeftMitre, TopRightMitre,
                           BottomRightMitre});
    }
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override {
        RebuildIfDirty();
        if (A(OuterRect).size() < 2) return;
        FillPlain(canvas, fill, LitFace);
        FillMedium(canvas, fill, BottomBevel);
        FillDark(canvas, fill, RightBevel);
        DrawOutline(canvas);
    }
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override {
        RebuildIfDirty();
        if (onOutline)
            return OnAnyLine({OuterRect, TopBevel, LeftBevel, BottomBevel, RightBevel, TopLeftMitre, BottomLeftMitre,
                              TopRightMitre, BottomRightMitre, LitFace},
                             x, y, tolerance) ||
                   InsideAny({BottomBevel, RightBevel}, x, y, true);
        return InsideAny({OuterRect}, x, y, true);
    }

protected:
    void Rebuild() override {
        Dirty = false;
        const float L = ShapeLeft(), T = ShapeTop(), R = ShapeRight(), B = ShapeBottom();
        const float dx = (Handle(0).Value1 + 0.5f) * Width, dy = (Handle(1).Value2 + 0.5f) * Height;
        TFloatKontur k = NewKontur();
        const auto put = [&](size_t index, std::initializer_list<TFloatPoint> points) {
            Poly(k, points);
            Emit(k, index);
        };
        put(OuterRect, {{R, T}, {R, B}, {L, B}, {L, T}, {R, T}});
        put(TopBevel, {{L, T}, {L + dx, T + dy}, {R - dx, T + dy}, {R, T}, {L, T}});
        put(LeftBevel, {{L, T}, {L + dx, T + dy}, {L + dx, B - dy}, {L, B}, {L, T}});
        put(BottomBevel, {{L, B}, {L + dx, B - dy}, {R - dx, B - dy}, {R, B}, {L, B}});
        put(RightBevel, {{R, B}, {R - dx, B - dy}, {R - dx, T + dy}, {R, T}, {R, B}});
        put(TopLeftMitre, {{L, T}, {L + dx, T + dy}});
        put(BottomLeftMitre, {{L, B}, {L + dx, B - dy}});
        put(TopRightMitre, {{R, T}, {R - dx, T + dy}});
        put(BottomRightMitre, {{R, B}, {R - dx, B - dy}});
        put(LitFace, {{R, T}, {L, T}, {L, B}, {L + dx, B - dy}, {R - dx, B - dy}, {R - dx, T + dy}, {R, T}});
    }
};

// ---- the curved band arrow

class TRechtsGekrPfeilShape : public TAbstractPathShape {
public:
    enum : size_t {
        UpperBackArc, LowerBackArc, BackEdge, BackFace, LowerFrontArc,
        TailEdge, UpperFrontArc, Head, FrontFace, InnerArc
    };
    TRechtsGekrPfeilShape() : TAbstractPathShape(10) {
        AddCartesianHandle(0.5f, 0.5f, 0.5f, 0.1f, 0, 0.5f);
        AddCartesianHandle(0.5f, 0.5f, 0.5f, 0.4f, 0, 0.5f);
        AddCartesianHandle(0.1f, -0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
    }
    TRect GetBounds() override {
        RebuildIfDirty();
        return BoundsOf({FrontFace, BackFace});
    }
    void DrawOutline(gdi::Canvas& canvas) override {
        RebuildIfDirty();
        Polylines(canvas, {BackFace, LowerFrontArc, TailEdge, InnerArc, Head});
    }
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override {
        RebuildIfDirty();
        if (A(UpperBackArc).size() < 2) return;
        FillDark(canvas, fill, BackFace);
        FillPlain(canvas, fill, FrontFace);
        DrawOutline(canvas);
    }
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override {
        RebuildIfDirty();
        if (onOutline)
            return OnAnyLine({UpperBackArc, LowerBackArc, BackEdge, BackFace, LowerFrontArc, TailEdge, UpperFrontArc,
                              Head, FrontFace, InnerArc},
                             x, y, tolerance);
        return InsideAny({BackFace, FrontFace}, x, y, true);
    }

protected:
    void Rebuild() override {
        Dirty = false;
        const float L = ShapeLeft(), T = ShapeTop(), R = ShapeRight(), B = ShapeBottom();
        const float W = Width, H = Height, CY = CenterY;
        const float h0 = Handle(0).Value2, h1 = Handle(1).Value2, h2 = Handle(2).Value1;
        const float b = std::fabs(h1 - 0.5f), ry = (2 * h0 + 1) * H / 4 + b * H / 2;
        const float y1 = CY - 0.75f * H + (1 + h0) * H / 2 + b * H / 2;
        const float y2 = CY + 0.75f * H - (1 + h0) * H / 2 - 1.5f * b * H;
        const float a = (B - CY + H * h0 + (0.5f - h1) * H) * 0.5f;
        const float c = CY - 0.25f * H + 0.5f * h0 * H + 0.5f * (0.5f - h1) * H;
        const float e = ((0.25f * H + CY - 0.5f * h0 * H - 1.55f * (0.5f - h1) * H) - c) * 0.5f;
        const float alpha = a != 0 ? static_cast<float>(AcosDeg(e / a)) : 0;
        const float beta = W != 0 ? static_cast<float>(AsinDeg(std::min(1.0f, std::fabs(h2 - 0.5f)))) : 0;
        const float d = (0.5f - h1) * H;
        const auto point = [&](float baseY, float angle) {
            return TFloatPoint{static_cast<float>(R + W * std::cos(angle * kDegree)),
                               static_cast<float>(baseY + ry * std::sin(angle * kDegree))};
        };
        TFloatKontur k = NewKontur();
        const auto arc = [&](float baseY, float from, float to) {
            const TFloatPoint start = point(baseY, from);
            k.MoveTo(start.X, start.Y);
            k.AddCurve(from, to, [&](TCurvePoint& p) {
                const TFloatPoint q = point(baseY, p.T);
                p.X = q.X;
                p.Y = q.Y;
            });
        };
        arc(y1, 270, 180 - alpha);
        Emit(k, UpperBackArc);
        arc(y2, 270, 180 + alpha);
        Emit(k, LowerBackArc);
        const TFloatPoint lowTop = point(y2, 270);
        Poly(k, {lowTop, {R, T}});
        Emit(k, BackEdge);
        arc(y2, 180, 180 - beta);
        Emit(k, LowerFrontArc);
        Poly(k, {point(y2, 180), {L, c}});
        Emit(k, TailEdge);
        // Straight from the crossing to the head's base: the short way round.
        arc(y1, 180 - alpha, 180 - beta);
        Emit(k, InnerArc);
        arc(y1, 180, 180 - beta);
        Emit(k, UpperFrontArc);
        const TFloatPoint v = point(y1, 180 - beta), v2 = point(y2, 180 - beta), u = point(y1, 90);
        Poly(k, {v, {v.X, v.Y - d}, {R, u.Y + e}, {v2.X, v2.Y + d}, v2});
        Emit(k, Head);
        AssembleFaces();
        RewriteLimits(alpha);
    }

private:
    void AssembleFaces() {
        std::vector<TPoint>& back = A(BackFace);
        back = A(UpperBackArc);
        const std::vector<TPoint>& lower = A(LowerBackArc);
        for (size_t i = lower.size() >= 2 ? lower.size() - 2 : 0; i >= 1 && i < lower.size(); --i) back.push_back(lower[i]);
        back.insert(back.end(), A(BackEdge).begin(), A(BackEdge).end());
        std::vector<TPoint>& front = A(FrontFace);
        front.assign(A(LowerFrontArc).rbegin(), A(LowerFrontArc).rend());
        if (!front.empty() && A(TailEdge).size() == 2) front.back() = A(TailEdge)[1];
        front.insert(front.end(), A(UpperFrontArc).begin(), A(UpperFrontArc).end());
        if (!A(Head).empty()) front.insert(front.end(), A(Head).begin() + 1, A(Head).end());
    }
    // Keeps the crossing angle at 90 degrees or less, where the outline stays sound.
    void RewriteLimits(float alpha) {
        const float h0 = Handle(0).Value2, h1 = Handle(1).Value2;
        Handle(1).Min2 = ClampValue(0.5f - (0.5f - h0) / 2.05f, 0, 0.5f);
        Handle(0).Max2 = ClampValue(0.5f - 2.05f * (0.5f - h1), 0, 0.5f);
        Handle(2).Min1 = static_cast<float>(0.5 - std::cos(alpha * kDegree));
        DoChange();
    }
};

// ---- callouts

// The tail's case: the edge it leaves through (0 top, 1 right, 2 bottom,
// 3 left) and its base ends in normalised units; edge -1 for a tip at the
// centre.
struct TTailCase {
    int Edge = -1;
    TFloatPoint B1{}, B2{};
};

TTailCase TailCaseOf(float x, float y) {
    const float ax = std::fabs(x), ay = std::fabs(y);
    if (y < 0 && x >= 0) return ay > ax ? TTailCase{0, {0.33f, -0.5f}, {0.085f, -0.5f}}
                                        : TTailCase{1, {0.5f, -0.085f}, {0.5f, -0.33f}};
    if (y >= 0 && x > 0) return ax > ay ? TTailCase{1, {0.5f, 0.33f}, {0.5f, 0.085f}}
                                        : TTailCase{2, {0.085f, 0.5f}, {0.33f, 0.5f}};
    if (x <= 0 && y > 0) return ax < ay ? TTailCase{2, {-0.33f, 0.5f}, {-0.085f, 0.5f}}
                                        : TTailCase{3, {-0.5f, 0.085f}, {-0.5f, 0.33f}};
    if (x < 0 && y <= 0) return ax > ay ? TTailCase{3, {-0.5f, -0.33f}, {-0.5f, -0.085f}}
                                        : TTailCase{0, {-0.085f, -0.5f}, {-0.33f, -0.5f}};
    return {};
}

// The tip's direction in degrees, clockwise from the positive u axis, in [0, 360).
float TipAngle(float x, float y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return 0;
    double a = std::atan2(y, x) / kDegree;
    if (a < 0) a += 360;
    return static_cast<float>(a >= 360 ? 0 : a);
}

class TCalloutShape : public TAbstractPathShape {
public:
    TCalloutShape() : TAbstractPathShape(1) { AddCartesianHandle(-0.3f, -100, 100, 0.8f, -100, 100); }
    TRect GetBounds() override {
        RebuildIfDirty();
        return BoundsOf({0});
    }
    void DrawOutline(gdi::Canvas& canvas) override {
        RebuildIfDirty();
        Polylines(canvas, {0});
    }
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override {
        RebuildIfDirty();
        if (A(0).size() < 2) return;
        FillPlain(canvas, fill, 0);
        DrawOutline(canvas);
    }
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override {
        RebuildIfDirty();
        return onOutline ? OnAnyLine({0}, x, y, tolerance) : InsideAny({0}, x, y, true);
    }

protected:
    void Rebuild() override {
        Dirty = false;
        TFloatKontur k = NewKontur();
        const TFloatPoint tip = At(Handle(0).Value1, Handle(0).Value2);
        k.MoveTo(tip.X, tip.Y);
        TraceBody(k);
        k.LineTo(tip.X, tip.Y);
        Emit(k, 0);
    }
    // From the tip (already in the contour) round the body, not back to the tip.
    virtual void TraceBody(TFloatKontur& k) = 0;
    TFloatPoint At(float u, float v) const { return {CenterX + u * Width, CenterY + v * Height}; }
};

class TLegendeRechteckShape : public TCalloutShape {
protected:
    void TraceBody(TFloatKontur& k) override {
        const TTailCase tail = TailCaseOf(Handle(0).Value1, Handle(0).Value2);
        if (tail.Edge < 0) return;
        static const TFloatPoint kCorners[] = {{0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}, {-0.5f, -0.5f}};
        const auto line = [&](TFloatPoint uv) {
            const TFloatPoint p = At(uv.X, uv.Y);
            k.LineTo(p.X, p.Y);
        };
        line(tail.B1);
        for (int i = 0; i < 4; ++i) line(kCorners[(tail.Edge + i) % 4]);
        line(tail.B2);
    }
};

class TLegendeRechteckAbgerundetShape : public TCalloutShape {
protected:
    void TraceBody(TFloatKontur& k) override {
        const TTailCase tail = TailCaseOf(Handle(0).Value1, Handle(0).Value2);
        if (tail.Edge < 0) return;
        // The perimeter clockwise as pieces from the top edge's right end:
        // corner, right edge, corner, bottom edge, corner, left edge, corner, top edge.
        struct TPiece {
            bool Corner;
            TFloatPoint CornerPoint, End;
        };
        static const TPiece kPieces[] = {
            {true, {0.5f, -0.5f}, {0.5f, -0.33f}},   {false, {}, {0.5f, 0.33f}},
            {true, {0.5f, 0.5f}, {0.33f, 0.5f}},     {false, {}, {-0.33f, 0.5f}},
            {true, {-0.5f, 0.5f}, {-0.5f, 0.33f}},   {false, {}, {-0.5f, -0.33f}},
            {true, {-0.5f, -0.5f}, {-0.33f, -0.5f}}, {false, {}, {0.33f, -0.5f}},
        };
        static const int kEdgePiece[] = {7, 1, 3, 5};
        const auto lineTo = [&](TFloatPoint uv) {
            const TFloatPoint p = At(uv.X, uv.Y), last = k.LastPoint();
            if (p.X != last.X || p.Y != last.Y || k.Count == 0) k.LineTo(p.X, p.Y);
        };
        const int edge = kEdgePiece[tail.Edge];
        lineTo(tail.B1);
        lineTo(kPieces[edge].End);
        for (int i = 1; i < 8; ++i) {
            const TPiece& piece = kPieces[(edge + i) % 8];
            if (piece.Corner) {
                const TFloatPoint c = At(piece.CornerPoint.X, piece.CornerPoint.Y), e = At(piece.End.X, piece.End.Y);
                k.CornerArcTo(c.X, c.Y, e.X, e.Y);
            } else {
                lineTo(piece.End);
            }
        }
        lineTo(tail.B2);
    }
};

class TLegendeOvalShape : public TCalloutShape {
protected:
    void TraceBody(TFloatKontur& k) override {
        const float phi = TipAngle(Handle(0).Value1, Handle(0).Value2);
        const TFloatPoint start = k.PolarPoint(0.5f, phi + 11);
        k.LineTo(start.X, start.Y);
        k.AddArc(ShapeLeft(), ShapeTop(), ShapeRight(), ShapeBottom(), phi + 11, phi - 11);
        const TFloatPoint end = k.PolarPoint(0.5f, phi - 11);
        k.LineTo(end.X, end.Y);
    }
};

class TLegendeWolkeShape : public TPolyPathShape {
public:
    enum : size_t { Cloud, Bubble1, Bubble2, Bubble3 };
    TLegendeWolkeShape() : TPolyPathShape(4) { AddCartesianHandle(-0.3f, -100, 100, 0.8f, -100, 100); }
    TRect GetBounds() override {
        RebuildIfDirty();
        return BoundsOf({Bubble1, Cloud, Bubble2, Bubble3});
    }
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override {
        RebuildIfDirty();
        if (const std::optional<gdi::Region> region = polygons_.CreateUnionRegion())
            fill.FillRegionMetafile(canvas, *region);
        DrawOutline(canvas);
    }

protected:
    void Rebuild() override {
        Dirty = false;
        polygons_.Clear();
        const float hx = std::isfinite(Handle(0).Value1) ? Handle(0).Value1 : 0;
        const float hy = std::isfinite(Handle(0).Value2) ? Handle(0).Value2 : 0;
        const float phi = TipAngle(hx, hy);
        const float d = std::sqrt(hx * hx + hy * hy);
        constexpr float r1 = 0.08f, r2 = 0.055f, r3 = 0.028f;
        const float g = (d + r3 - 0.5f - 2 * (r3 + r2 + r1)) / 3;
        TFloatKontur k = NewKontur();
        const auto at = [&](float u, float v) { return TFloatPoint{CenterX + u * Width, CenterY + v * Height}; };
        const TFloatPoint start = at(-0.344f, -0.054f);
        k.MoveTo(start.X, start.Y);
        static const float kPieces[11][6] = {
            {-0.485f, -0.166f, -0.379f, -0.352f, -0.274f, -0.314f}, {-0.274f, -0.425f, -0.099f, -0.463f, -0.028f, -0.351f},
            {-0.028f, -0.5f, 0.183f, -0.5f, 0.138f, -0.351f},       {0.288f, -0.463f, 0.463f, -0.314f, 0.395f, -0.202f},
            {0.5f, -0.166f, 0.463f, 0.016f, 0.395f, 0.016f},        {0.5f, 0.053f, 0.463f, 0.239f, 0.395f, 0.239f},
            {0.463f, 0.351f, 0.288f, 0.5f, 0.183f, 0.35f},          {0.147f, 0.5f, -0.062f, 0.5f, -0.062f, 0.351f},
            {-0.133f, 0.462f, -0.274f, 0.425f, -0.274f, 0.314f},    {-0.344f, 0.351f, -0.415f, 0.201f, -0.344f, 0.128f},
            {-0.415f, 0.128f, -0.449f, -0.054f, -0.344f, -0.054f},
        };
        for (const auto& p : kPieces) {
            const TFloatPoint c1 = at(p[0], p[1]), c2 = at(p[2], p[3]), e = at(p[4], p[5]);
            k.BezierTo(c1.X, c1.Y, c2.X, c2.Y, e.X, e.Y);
        }
        EmitPolygon(k, Cloud);
        const float radii[] = {r1, r2, r3};
        const float distances[] = {0.5f + g + r1, 0.5f + 2 * g + 2 * r1 + r2, 0.5f + 3 * g + 2 * r1 + 2 * r2 + r3};
        for (size_t i = 0; i < 3; ++i) {
            const TFloatPoint centre = k.PolarPoint(distances[i], phi);
            const float rx = radii[i] * Width, ry = radii[i] * Height;
            k.AddEllipseSegment(centre.X - rx, centre.Y - ry, centre.X + rx, centre.Y + ry, 0, 0);
            k.AddEllipseSegment(centre.X - rx, centre.Y - ry, centre.X + rx, centre.Y + ry, 0, 360);
            EmitPolygon(k, Bubble1 + i);
        }
    }
};

// ---- curved arrows to the left, upwards and downwards

class TRundPfeilLOUShape : public TAbstractPathShape {
public:
    enum : size_t { BackFace, FrontFace, BackOutline, InnerEdge };
    enum class Kind { Left, Up, Down };
    explicit TRundPfeilLOUShape(Kind kind) : TAbstractPathShape(4), kind_(kind) {
        switch (kind) {
        case Kind::Left:
            AddCartesianHandle(-0.1f, -0.5f, 0.47f, 0.5f, 0.5f, 0.5f);
            AddCartesianHandle(-0.5f, -0.5f, -0.5f, 0.4f, -0.5f, 0.5f);
            AddCartesianHandle(-0.5f, -0.5f, -0.5f, 0.05f, -0.5f, 0.5f);
            break;
        case Kind::Up:
        case Kind::Down: {
            const float edge = kind == Kind::Up ? -0.5f : 0.5f;
            AddCartesianHandle(0.5f, 0.5f, 0.5f, kind == Kind::Up ? -0.1f : 0.1f, -0.5f, 0.5f);
            AddCartesianHandle(0.4f, -0.5f, 0.5f, edge, edge, edge);
            AddCartesianHandle(0.05f, -0.5f, 0.5f, edge, edge, edge);
            break;
        }
        }
    }
    TRect GetBounds() override {
        RebuildIfDirty();
        if (A(BackFace).empty()) return TAbstractAutoShape::GetBounds();
        return BoundsOf({FrontFace, BackFace});
    }
    void DrawOutline(gdi::Canvas& canvas) override {
        RebuildIfDirty();
        if (A(BackFace).empty()) return;
        if (kind_ == Kind::Down)
            Polylines(canvas, {BackOutline, FrontFace});
        else
            Polylines(canvas, {FrontFace, BackOutline});
    }
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override {
        RebuildIfDirty();
        if (A(BackFace).empty()) return;
        const auto front = [&] {
            FillPlain(canvas, fill, FrontFace);
            Polylines(canvas, {FrontFace});
        };
        const auto back = [&] {
            FillDark(canvas, fill, BackFace);
            Polylines(canvas, {BackOutline, InnerEdge});
        };
        if (kind_ == Kind::Down) {
            back();
            front();
        } else {
            front();
            back();
        }
    }
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override {
        RebuildIfDirty();
        if (A(BackFace).empty()) return false;
        if (onOutline)
            return OnAnyLine({BackFace, FrontFace, BackOutline, InnerEdge}, x, y, tolerance) ||
                   InsideAny({BackFace}, x, y, true);
        return InsideAny({BackFace, FrontFace}, x, y, true);
    }
    void SetAdjustHandle(int32_t index, const THotTrackEntry& entry) override {
        TAbstractAutoShape::SetAdjustHandle(index, entry);
        RebuildIfDirty();
        const bool freeze = !(HeadAngle - 5 > CrossAngle);
        if (kind_ == Kind::Left) {
            Handle(2).Max2 = 2 * Handle(1).Value2 - 0.52f;
            Handle(2).Min2 = freeze ? Handle(2).Value2 : 0;
            Handle(1).Max2 = 0.5f;
            Handle(1).Min2 = (Handle(2).Value2 + 0.52f) / 2;
            Handle(0).Min1 = -0.5f;
            if (Width != 0) Handle(0).Max1 = std::min(0.47f, (FoldPoint.X - ShapeLeft()) / Width - 0.5f);
        } else {
            Handle(2).Max1 = 2 * Handle(1).Value1 - 0.52f;
            Handle(2).Min1 = freeze ? Handle(2).Value1 : 0;
            Handle(1).Max1 = 0.5f;
            Handle(1).Min1 = (Handle(2).Value1 + 0.52f) / 2;
            const float fold = Height != 0 ? (FoldPoint.Y - ShapeTop()) / Height - 0.5f : 0;
            if (kind_ == Kind::Up) {
                Handle(0).Min2 = -0.5f;
                Handle(0).Max2 = ClampValue(fold - 0.02f, -0.5f, 0.5f);
            } else {
                Handle(0).Min2 = ClampValue(fold + 0.02f, -0.5f, 0.5f);
                Handle(0).Max2 = 0.5f;
            }
        }
        DoChange();
    }

    float CrossAngle = 0;
    float HeadAngle = 0;
    TFloatPoint FoldPoint{};

protected:
    void Rebuild() override;

private:
    Kind kind_;
};

void TRundPfeilLOUShape::Rebuild() {
    Dirty = false;
    if (Width < 0.05f && Height < 0.05f) {
        for (auto& a : Arrays) a.clear();
        return;
    }
    const float L = ShapeLeft(), T = ShapeTop(), R = ShapeRight(), B = ShapeBottom(), W = Width, H = Height;
    const bool left = kind_ == Kind::Left;
    const float hh = left ? (0.5f - Handle(1).Value2) * H : (0.5f - Handle(1).Value1) * W;
    const float s = left ? (0.5f - Handle(2).Value2) * H - 2 * hh : (0.5f - Handle(2).Value1) * W - 2 * hh;
    const float a = left ? (0.5f + Handle(0).Value1) * W
                         : (kind_ == Kind::Up ? (0.5f + Handle(0).Value2) * H : (0.5f - Handle(0).Value2) * H);
    const float e = left ? H - hh - s : W - hh - s;
    const float extent = left ? W : H;
    if (s != 0 && std::isfinite(s / e))
        CrossAngle = std::fabs(s / e) >= 1 ? 90 : static_cast<float>(std::asin(s / e) / kDegree);
    if (extent != 0 && std::isfinite(a / extent))
        HeadAngle = std::fabs(a / extent) >= 1 ? 0 : static_cast<float>(std::acos(a / extent) / kDegree);
    const float al = CrossAngle, ga = HeadAngle;
    const bool head = (left ? Handle(0).Value1 : Handle(0).Value2) < 0.5f;
    TFloatKontur k = NewKontur();
    // E1 and E2 (E1 moved by s across the band) of the class.
    float l1, t1, r1, b1, dx = 0, dy = 0;
    switch (kind_) {
    case Kind::Left: l1 = L - W, t1 = T, r1 = R, b1 = T + e, dy = s; break;
    case Kind::Up: l1 = L, t1 = T - H, r1 = L + e, b1 = B, dx = s; break;
    default: l1 = L, t1 = T, r1 = L + e, b1 = B + H, dx = s; break;
    }
    const auto e1 = [&](float from, float to) { k.AddEllipseSegment(l1, t1, r1, b1, from, to); };
    const auto e2 = [&](float from, float to) { k.AddEllipseSegment(l1 + dx, t1 + dy, r1 + dx, b1 + dy, from, to); };
    const auto line = [&](float x, float y) { k.LineTo(x, y); };
    const auto headTo = [&](float tipX, float tipY) {
        const TFloatPoint p = k.LastPoint();
        if (left) {
            if (head) {
                line(p.X, p.Y - hh);
                line(tipX, tipY);
                line(p.X, p.Y + s + hh);
            }
            line(p.X, p.Y + s);
        } else {
            if (head) {
                line(p.X - hh, p.Y);
                line(tipX, tipY);
                line(p.X + s + hh, p.Y);
            }
            line(p.X + s, p.Y);
        }
    };
    switch (kind_) {
    case Kind::Left:
        e2(360 - al, 360 - al), e2(360 - al, 270), line(L, T), e1(270, 360), line(R, T + s + e / 2), e2(360, 360 - al);
        Emit(k, BackFace);
        k.MoveTo(R, T + s + e / 2), e2(360, 360 - al);
        FoldPoint = k.LastPoint();
        e1(al, ga), headTo(L, B - hh - s / 2), e2(ga, 0);
        Emit(k, FrontFace);
        e2(360 - al, 360 - al), e2(360 - al, 270), line(L, T), e1(270, 360), line(R, T + s + e / 2);
        Emit(k, BackOutline);
        e2(360, 360), e2(360, 360 - al);
        Emit(k, InnerEdge);
        break;
    case Kind::Up:
        k.MoveTo(L + s + e / 2, B), line(L + e / 2, B), e1(90, 180), line(L + s, T), e2(180, 90 + al), e2(90 + al, 90);
        Emit(k, BackFace);
        e2(90, 90), e2(90, 90 + al);
        FoldPoint = k.LastPoint();
        e1(90 - al, 90 - ga), headTo(R - hh - s / 2, T), e2(90 - ga, 90);
        Emit(k, FrontFace);
        k.MoveTo(L + s + e / 2, B), line(L + e / 2, B), e1(90, 180), line(L + s, T), e2(180, 90 + al);
        Emit(k, BackOutline);
        e2(90 + al, 90 + al), e2(90 + al, 90);
        Emit(k, InnerEdge);
        break;
    case Kind::Down:
        e2(270 - al, 270 - al), e2(270 - al, 180), line(L, B), e1(180, 270), e1(270, 270 + al);
        Emit(k, BackFace);
        k.MoveTo(L + e / 2, T), e1(270, 270 + al);
        FoldPoint = k.LastPoint();
        e1(270 + al, 270 + ga), headTo(R - hh - s / 2, B), e2(270 + ga, 270), line(L + e / 2, T);
        Emit(k, FrontFace);
        e2(270 - al, 270 - al), e2(270 - al, 180), line(L, B), e1(180, 270);
        Emit(k, BackOutline);
        e1(270, 270), e1(270, 270 + al);
        Emit(k, InnerEdge);
        break;
    }
}

// ---- curved ribbons

class TBandGekrShape : public TAbstractPathShape {
public:
    enum : size_t {
        Band, RightTail, RightFold, LeftTail, LeftFold,
        RightFoldEdge, RightFoldLine, LeftFoldEdge, LeftFoldLine, Outline
    };
    explicit TBandGekrShape(bool down) : TAbstractPathShape(10), down_(down) {
        if (down) {
            AddCartesianHandle(0.5f, 0.5f, 0.5f, 0.47f, -0.5f, 0.47f);
            AddCartesianHandle(0, 0, 0, -0.25f, -0.5f, 0.5f);
            AddCartesianHandle(0.25f, 0.125f, 0.373f, 0.5f, 0.5f, 0.5f);
        } else {
            AddCartesianHandle(0.5f, 0.5f, 0.5f, -0.47f, -0.47f, 0.5f);
            AddCartesianHandle(0, 0, 0, 0.25f, -0.5f, 0.5f);
            AddCartesianHandle(0.25f, 0.125f, 0.373f, -0.5f, -0.5f, -0.5f);
        }
    }
    TRect GetBounds() override {
        RebuildIfDirty();
        if (A(Band).empty()) return TAbstractAutoShape::GetBounds();
        return BoundsOf({Outline});
    }
    void DrawOutline(gdi::Canvas& canvas) override {
        RebuildIfDirty();
        if (A(Band).empty()) return;
        Polylines(canvas, {Band, RightTail, RightFold, LeftTail, LeftFold, RightFoldEdge, RightFoldLine, LeftFoldEdge,
                           LeftFoldLine});
    }
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override {
        RebuildIfDirty();
        if (A(Band).empty()) return;
        FillPlain(canvas, fill, Outline);
        FillDark(canvas, fill, RightFold);
        FillDark(canvas, fill, LeftFold);
        Polylines(canvas, {Band, RightTail, RightFold, LeftTail, LeftFold});
    }
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override {
        RebuildIfDirty();
        if (onOutline)
            return OnAnyLine({Band, RightTail, RightFold, LeftTail, LeftFold, RightFoldEdge, RightFoldLine,
                              LeftFoldEdge, LeftFoldLine, Outline},
                             x, y, tolerance) ||
                   InsideAny({RightFold, LeftFold}, x, y, true);
        return InsideAny({Band, RightTail, RightFold, LeftTail, LeftFold, RightFoldEdge, RightFoldLine, LeftFoldEdge,
                          LeftFoldLine, Outline},
                         x, y, true);
    }
    void SetAdjustHandle(int32_t index, const THotTrackEntry& entry) override {
        TAbstractAutoShape::SetAdjustHandle(index, entry);
        RebuildIfDirty();
        const float H = Height != 0 ? static_cast<float>(Height) : 1;
        const float low = 0.5f - BandHeight / H - (EdgeY - ShapeTop()) / H + 0.01f;
        const float high = (BandHeight + TailDrop) / H - 0.5f;
        const float arch = (Sag + TailDrop) / H - 0.5f;
        if (down_) {
            Handle(1).Max2 = -low;
            Handle(1).Min2 = -high;
            Handle(0).Min2 = -arch;
        } else {
            Handle(1).Min2 = low;
            Handle(1).Max2 = high;
            Handle(0).Max2 = arch;
        }
        DoChange();
    }

    float BandHeight = 0;
    float TailDrop = 0;
    float EdgeY = 0;
    float Sag = 0;

protected:
    void Rebuild() override;

private:
    bool down_;
};

void TBandGekrShape::Rebuild() {
    Dirty = false;
    if (Width == 0) SetWidth(1);
    if (Height == 0) SetHeight(1);
    Dirty = false;
    const float W = Width, H = Height, CX = CenterX, CY = CenterY, T = ShapeTop(), R = ShapeRight(), B = ShapeBottom();
    const float h0 = std::isfinite(Handle(0).Value2) ? Handle(0).Value2 : 0;
    const float k0 = down_ ? std::fabs(h0 - 0.5f) : h0 + 0.5f;
    const float EH = (k0 * 4.35f + 1.54f) * H;
    // The search ends by itself for a rise above 0; other values stop at the
    // widest ellipse the steps allow.
    float f = 0.55f, sigma = k0 * H + 1;
    constexpr int kMaxSteps = 5000;
    for (int step = 0; k0 * H <= sigma && step < kMaxSteps; ++step) {
        f += 0.001f;
        const float ew = (3.27f - k0 * 1.93f) * f * W, a = ew / 2;
        const float q = (W / 2) * (W / 2) / (a * a);
        const float y = q > 1 ? 0 : std::sqrt((EH / 2) * (EH / 2) * (1 - q));
        sigma = EH / 2 - y;
    }
    Sag = sigma;
    const float EW = f * (3.27f - k0 * 1.93f) * W, a = EW / 2;
    const float el = std::nearbyint(CX - EW / 2), et = std::nearbyint(T), er = std::nearbyint(CX + EW / 2),
                eb = std::nearbyint(T + EH);
    const auto theta = [&](float x) {
        if (x == 0) return 270.0f;
        const float root = std::sqrt(std::max(0.0f, a * a - x * x));
        return static_cast<float>(360 - std::fabs(std::atan(root / x) / kDegree));
    };
    const float xB = Handle(2).Value1 * W;
    const float thetaC = theta((Handle(2).Value1 - 0.125f) * W), thetaB = theta(xB), thetaW = theta(W / 2);
    TFloatKontur k = NewKontur();
    const auto arc = [&](float from, float to) {
        k.AddEllipseSegment(el, et, er, eb, from, from);
        k.AddEllipseSegment(el, et, er, eb, from, to);
        Points points = TakePoints(k);
        k.Clear();
        return points;
    };
    const Points arc1 = arc(270, thetaC), arc2 = arc(thetaC, thetaB), arc3 = arc(thetaB, thetaW);
    const TFloatPoint PC = arc1.back(), PB = arc2.back(), PW = arc3.back();
    EdgeY = PW.Y;
    const float N = down_ ? (0.5f - Handle(1).Value2) * H : (Handle(1).Value2 + 0.5f) * H;
    const float D = H - N - (PW.Y - T);
    BandHeight = N;
    TailDrop = D;
    const TFloatPoint notch{CX + 0.373f * W, CY + D / 2}, notchLeft{CX - 0.373f * W, CY + D / 2};
    const TFloatPoint pbN{PB.X, PB.Y + N}, pbD{PB.X, PB.Y + D}, pcND{PC.X, PC.Y + N + D};
    const auto mirror = [&](TFloatPoint p) { return k.MirrorX(p); };
    const auto mirrored = [&](Points points) {
        for (TFloatPoint& p : points) p = mirror(p);
        return points;
    };
    const auto withMirrorBack = [&](Points points) {
        for (size_t i = points.size(); i-- > 0;) points.push_back(mirror(points[i]));
        return points;
    };
    const double angle = down_ ? Angle + 180.0 : Angle;
    const auto put = [&](size_t index, const Points& points) {
        Append(k, points);
        Emit(k, index, angle);
    };
    Points band = arc1;
    band.insert(band.end(), arc2.begin(), arc2.end());
    band.push_back(pbN);
    for (const Points& part : {Shifted(Reversed(arc2), N), Shifted(Reversed(arc1), N)})
        band.insert(band.end(), part.begin(), part.end());
    put(Band, withMirrorBack(band));
    Points tail = Shifted(arc3, D);
    tail.push_back(notch);
    tail.push_back({R, B});
    for (const Points& part : {Shifted(Reversed(arc3), N + D), Shifted(Reversed(arc2), N + D)})
        tail.insert(tail.end(), part.begin(), part.end());
    tail.push_back(pbN);
    tail.push_back(pbD);
    put(RightTail, tail);
    Points fold{pcND, pbN};
    const Points foldArc = Shifted(Reversed(arc2), N);
    fold.insert(fold.end(), foldArc.begin(), foldArc.end());
    fold.push_back(pcND);
    put(RightFold, fold);
    Points leftTail = mirrored(Shifted(arc2, N + D));
    const Points leftArc3 = mirrored(Shifted(arc3, N + D));
    leftTail.insert(leftTail.end(), leftArc3.begin(), leftArc3.end());
    leftTail.push_back(notchLeft);
    leftTail.push_back(mirror({PW.X, PW.Y + D}));
    const Points upper = mirrored(Shifted(Reversed(arc3), D));
    leftTail.insert(leftTail.end(), upper.begin(), upper.end());
    leftTail.push_back(mirror(pbN));
    leftTail.push_back(mirror(pcND));
    put(LeftTail, leftTail);
    put(LeftFold, mirrored(fold));
    Points edge{pbD, pbN};
    edge.insert(edge.end(), foldArc.begin(), foldArc.end());
    put(RightFoldEdge, edge);
    put(RightFoldLine, {pbN, pcND});
    put(LeftFoldEdge, mirrored(edge));
    put(LeftFoldLine, mirrored({pbN, pcND}));
    Points outline = arc1;
    outline.insert(outline.end(), arc2.begin(), arc2.end());
    outline.push_back(pbD);
    const Points a3 = Shifted(arc3, D);
    outline.insert(outline.end(), a3.begin(), a3.end());
    outline.push_back(notch);
    outline.push_back({R, B});
    for (const Points& part : {Shifted(Reversed(arc3), N + D), Shifted(Reversed(arc2), N + D)})
        outline.insert(outline.end(), part.begin(), part.end());
    outline.push_back(pbN);
    const Points a1 = Shifted(Reversed(arc1), N);
    outline.insert(outline.end(), a1.begin(), a1.end());
    put(Outline, withMirrorBack(outline));
}

template <class T, class... Args>
TAutoShapeCreator Make(Args... args) {
    return [=] { return std::make_unique<T>(args...); };
}

}  // namespace

void AddZRPathShapes(TShapeCreators& c) {
    c["TSonneShape"] = Make<TSonneShape>();
    c["TPfeilZebraShape"] = Make<TPfeilZebraShape>();
    c["TRadShape"] = Make<TRadShape>();
    c["TGefalteteEckeShape"] = Make<TGefalteteEckeShape>();
    c["TSmileyShape"] = Make<TSmileyShape>();
    c["TZylinderShape"] = Make<TZylinderShape>();
    c["TWuerfelShape"] = Make<TWuerfelShape>();
    c["TRahmenShape"] = Make<TRahmenShape>();
    c["TRechtsGekrPfeilShape"] = Make<TRechtsGekrPfeilShape>();
    c["TLegendeRechteckShape"] = Make<TLegendeRechteckShape>();
    c["TLegendeRechteckAbgerundetShape"] = Make<TLegendeRechteckAbgerundetShape>();
    c["TLegendeOvalShape"] = Make<TLegendeOvalShape>();
    c["TLegendeWolkeShape"] = Make<TLegendeWolkeShape>();
    c["TRundPfeilLShape"] = Make<TRundPfeilLOUShape>(TRundPfeilLOUShape::Kind::Left);
    c["TRundPfeilOShape"] = Make<TRundPfeilLOUShape>(TRundPfeilLOUShape::Kind::Up);
    c["TRundPfeilUShape"] = Make<TRundPfeilLOUShape>(TRundPfeilLOUShape::Kind::Down);
    c["TBandOGekrShape"] = Make<TBandGekrShape>(false);
    c["TBandUGekrShape"] = Make<TBandGekrShape>(true);
    c["TBanderoleShape1"] = Make<TBanderoleShape1>();
    c["TPapierrolleShape1"] = Make<TPapierrolleShape1>();
}
