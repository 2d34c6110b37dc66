// The polygon shapes of the second family: vertex lists and contours.
#include "foundation/FloatKontur.h"
#include "shapes/PfeilShape.h"
#include "shapes/ZRShape.h"

#include <cmath>
#include <numbers>

namespace {

using V = std::vector<TFloatPoint>;
using S = TVertexShape;
using C = TContourShape;

struct THandleRow {
    float x, xMin, xMax, y, yMin, yMax;
};



void Add(TShapeCreators& c, const char* name, std::initializer_list<THandleRow> rows, S::VertexFunction vertices,
         S::LimitFunction limits = {}) {
    const std::vector<THandleRow> handles(rows);
    c[name] = [handles, vertices, limits] {
        auto shape = std::make_unique<S>(vertices, limits);
        for (const THandleRow& r : handles) shape->AddCartesianHandle(r.x, r.xMin, r.xMax, r.y, r.yMin, r.yMax);
        return shape;
    };
}

void AddContour(TShapeCreators& c, const char* name, std::initializer_list<THandleRow> rows, C::TraceFunction trace,
                bool polar = false) {
    const std::vector<THandleRow> handles(rows);
    c[name] = [handles, trace, polar] {
        auto shape = std::make_unique<C>(trace);
        for (const THandleRow& r : handles)
            if (polar)
                shape->AddPolarHandle(r.x, r.xMin, r.xMax, r.y, r.yMin, r.yMax);
            else
                shape->AddCartesianHandle(r.x, r.xMin, r.xMax, r.y, r.yMin, r.yMax);
        return shape;
    };
}

// Pixel coordinates of normalised ones.
struct TBox {
    float CX, CY, W, H, L, T, R, B;
    explicit TBox(C& s)
        : CX(static_cast<float>(s.CenterX)), CY(static_cast<float>(s.CenterY)), W(static_cast<float>(s.Width)),
          H(static_cast<float>(s.Height)), L(s.ShapeLeft()), T(s.ShapeTop()), R(s.ShapeRight()), B(s.ShapeBottom()) {}
    float X(float u) const { return CX + u * W; }
    float Y(float v) const { return CY + v * H; }
};

void AddWave(TShapeCreators& c, const char* name, int pieces) {
    AddContour(c, name, {{-0.5f, -0.5f, -0.5f, -0.4f, -0.5f, -0.1f}, {0, -0.1f, 0.1f, 0.5f, 0.5f, 0.5f}},
               [pieces](C& s, TFloatKontur& k) {
                   const TBox b(s);
                   const float h1 = s.X(1);
                   const float length = (1 - std::fabs(h1)) * b.W;
                   const float offset = h1 > 0 ? 0 : std::fabs(h1) * b.W;
                   const float base = b.CY + s.Y(0) * b.H;
                   const float amplitude = std::fabs(s.H(0).Min2 - s.Y(0)) * b.H;
                   const double turns = pieces / 2.0;
                   const auto wave = [&](TCurvePoint& p) {
                       p.X = b.L + offset + p.T * length;
                       p.Y = static_cast<float>(base - std::sin(p.T * turns * 2 * std::numbers::pi) * amplitude);
                   };
                   TCurvePoint start{0, 0, 0};
                   wave(start);
                   k.MoveTo(start.X, start.Y);
                   for (int i = 0; i < pieces; ++i)
                       k.AddCurve(static_cast<double>(i) / pieces, static_cast<double>(i + 1) / pieces, wave);
                   const int32_t upper = k.Count;
                   for (int32_t i = 0; i < upper; ++i) {
                       const TFloatPoint m = k.MirrorXY(k.Points[static_cast<size_t>(i)]);
                       k.LineTo(m.X, m.Y);
                   }
                   k.LineTo(start.X, start.Y);
               });
}

void AddBasicPolygons(TShapeCreators& c) {
    Add(c, "TSextettShape", {{-0.25f, -0.5f, 0, -0.5f, -0.5f, -0.5f}}, [](S& s) {
        const float x = s.X(0);
        return V{{-x, -0.5f}, {0.5f, 0}, {-x, 0.5f}, {x, 0.5f}, {-0.5f, 0}, {x, -0.5f}};
    });
    Add(c, "TParalleloGrammShape", {{-0.25f, -0.5f, 0.5f, -0.5f, -0.5f, -0.5f}}, [](S& s) {
        const float x = s.X(0);
        return V{{x, -0.5f}, {0.5f, -0.5f}, {-x, 0.5f}, {-0.5f, 0.5f}};
    });
    Add(c, "TDreieckGleichSeitigShape", {{0.5f, 0.5f, 0.5f, 0, -0.5f, 0.5f}},
        [](S& s) { return V{{0.5f, s.Y(0)}, {-0.5f, 0.5f}, {-0.5f, -0.5f}}; });
    Add(c, "TTrapezShape", {{-0.25f, -0.5f, 0, 0.5f, 0.5f, 0.5f}}, [](S& s) {
        const float x = s.X(0);
        return V{{0.5f, -0.5f}, {-x, 0.5f}, {x, 0.5f}, {-0.5f, -0.5f}};
    });
    Add(c, "TDreieckRechtWShape", {}, [](S&) { return V{{-0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}}; });
    Add(c, "TRauteShape", {}, [](S&) { return V{{0, -0.5f}, {0.5f, 0}, {0, 0.5f}, {-0.5f, 0}}; });
    Add(c, "TRegelQuintettShape", {},
        [](S&) { return V{{0, -0.5f}, {0.5f, -0.12f}, {0.31f, 0.5f}, {-0.31f, 0.5f}, {-0.5f, -0.12f}}; });
    Add(c, "TSternZackShape5", {}, [](S&) {
        return V{{0, -0.5f},  {0.15f, -0.15f}, {0.5f, -0.15f},  {0.19f, 0.12f},   {0.3f, 0.5f},
                 {0, 0.27f},  {-0.3f, 0.5f},   {-0.19f, 0.12f}, {-0.5f, -0.15f}, {-0.15f, -0.15f}};
    });
    Add(c, "TGewitterblitzShape", {}, [](S&) {
        return V{{-0.11f, -0.5f}, {0.1f, -0.22f}, {0.01f, -0.185f}, {0.27f, 0.055f},  {0.18f, 0.095f}, {0.5f, 0.5f},
                 {-0.038f, 0.19f}, {0.07f, 0.14f}, {-0.27f, -0.05f}, {-0.15f, -0.11f}, {-0.5f, -0.32f}};
    });
    Add(c, "TExplosionShape1", {}, [](S&) {
        return V{{0.16f, -0.5f},  {0.1f, -0.26f},  {0.34f, -0.3f},  {0.26f, -0.17f}, {0.41f, -0.13f}, {0.31f, -0.03f},
                 {0.5f, 0.11f},   {0.27f, 0.09f},  {0.33f, 0.33f},  {0.14f, 0.17f},  {0.11f, 0.4f},   {-0.02f, 0.18f},
                 {-0.11f, 0.49f}, {-0.14f, 0.21f}, {-0.28f, 0.3f},  {-0.24f, 0.14f}, {-0.49f, 0.16f}, {-0.33f, 0.04f},
                 {-0.5f, -0.1f},  {-0.29f, -0.15f}, {-0.48f, -0.39f}, {-0.17f, -0.21f}, {-0.12f, -0.39f},
                 {-0.01f, -0.24f}};
    });
    Add(c, "TExplosionShape2", {}, [](S&) {
        return V{{0.18f, -0.5f},   {0.17f, -0.23f},  {0.33f, -0.35f}, {0.26f, -0.2f},   {0.5f, -0.19f},
                 {0.285f, -0.07f}, {0.34f, 0.025f},  {0.26f, 0.07f},  {0.37f, 0.22f},   {0.18f, 0.16f},
                 {0.19f, 0.3f},    {0.06f, 0.24f},   {0.04f, 0.37f},  {-0.04f, 0.3f},   {-0.095f, 0.41f},
                 {-0.15f, 0.34f},  {-0.27f, 0.5f},   {-0.275f, 0.345f}, {-0.44f, 0.32f}, {-0.35f, 0.215f},
                 {-0.5f, 0.095f},  {-0.32f, 0.035f}, {-0.44f, -0.12f}, {-0.25f, -0.14f}, {-0.29f, -0.33f},
                 {-0.1f, -0.21f},  {-0.05f, -0.41f}, {0.03f, -0.3f}};
    });
}

void AddCurvedPolygons(TShapeCreators& c) {
    AddContour(c, "TSternShape4", {{-0.1f, -0.5f, 0, 0, 0, 0}}, [](C& s, TFloatKontur&) {
        const TPoint p0 = s.PolarToDevice(0, 0.5f), p1 = s.PolarToDevice(45, std::fabs(s.X(0)));
        const TPoint p2 = s.PolarToDevice(90, 0.5f);
        const int32_t a = std::abs(p1.x - s.CenterX), cc = std::abs(p1.y - s.CenterY);
        const TPoint points[] = {p0,
                                 p1,
                                 p2,
                                 {s.CenterX - a, s.CenterY + cc},
                                 s.PolarToDevice(180, 0.5f),
                                 {s.CenterX - a, s.CenterY - cc},
                                 s.PolarToDevice(270, 0.5f),
                                 {s.CenterX + a, s.CenterY - cc}};
        std::vector<TPoint> turned;
        for (const TPoint& p : points) turned.push_back(s.RotatePoint(p, s.Angle));
        s.TakeDevicePoints(turned);
        s.DevicePointsTaken = true;
    });
    AddWave(c, "TWelleShape", 2);
    AddWave(c, "TDoppelWelleShape", 4);
    AddContour(c, "TMondShape", {{-0.2f, -0.5f, 0.5f, 0, 0, 0}}, [](C& s, TFloatKontur& k) {
        const TBox b(s);
        const float xm = b.X(s.X(0));
        k.MoveTo(b.R, b.B);
        k.CornerArcTo(b.L, b.B, b.L, b.CY);
        k.CornerArcTo(b.L, b.T, b.R, b.T);
        k.CornerArcTo(xm, b.T, xm, b.CY);
        k.CornerArcTo(xm, b.B, b.R, b.B);
    });
    AddContour(c, "TSchmuckrahmenShape", {{-0.3f, -0.5f, 0, -0.5f, -0.5f, -0.5f}}, [](C& s, TFloatKontur& k) {
        const TBox b(s);
        const float r = std::min(b.H / 2, (s.X(0) - s.H(0).Min1) * b.W);
        k.MoveTo(b.CX, b.T);
        k.LineTo(b.R - r, b.T);
        k.CornerArcTo(b.R - r, b.T + r, b.R, b.T + r);
        k.LineTo(b.R, b.B - r);
        k.CornerArcTo(b.R - r, b.B - r, b.R - r, b.B);
        k.LineTo(b.CX, b.B);
        AppendMirrorX(k);
    });
    AddContour(
        c, "THalbbogenShape", {{0.3f, 0.03f, 0.47f, 180, 0, 360}},
        [](C& s, TFloatKontur& k) {
            const TBox b(s);
            const float start = std::isfinite(s.Y(0)) ? s.Y(0) : 180;
            const float end = EndAngleAfter(start, 180 - start);
            const float r = s.X(0);
            const auto ring = [&](float radiusX, float radiusY) {
                return [=](TCurvePoint& p) {
                    const double a = p.T * std::numbers::pi / 180;
                    p.X = static_cast<float>(b.CX + std::cos(a) * radiusX);
                    p.Y = static_cast<float>(b.CY + std::sin(a) * radiusY);
                };
            };
            const auto inner = ring(b.W * r, b.H * r), outer = ring(b.W / 2, b.H / 2);
            TCurvePoint p{0, 0, start};
            inner(p);
            k.MoveTo(p.X, p.Y);
            k.AddCurve(start, end, inner);
            TCurvePoint q{0, 0, end};
            outer(q);
            k.LineTo(q.X, q.Y);
            k.AddCurve(end, start, outer);
            k.LineTo(p.X, p.Y);
        },
        true);
}

void AddBlockArrows(TShapeCreators& c) {
    Add(c, "TDirectionArrowShape", {{0.2f, -0.5f, 0.5f, -0.5f, -0.5f, -0.5f}}, [](S& s) {
        const float x = s.X(0);
        return V{{x, -0.5f}, {0.5f, 0}, {x, 0.5f}, {-0.5f, 0.5f}, {-0.5f, -0.5f}};
    });
    Add(c, "TDirectionArrowNotchShape", {{0.2f, -0.5f, 0.5f, -0.5f, -0.5f, -0.5f}}, [](S& s) {
        const float x = s.X(0);
        return V{{x, -0.5f}, {0.5f, 0}, {x, 0.5f}, {-0.5f, 0.5f}, {-x, 0}, {-0.5f, -0.5f}};
    });
    Add(c, "TPfeilNotchShape", {{0.25f, -0.5f, 0.5f, -0.25f, -0.5f, 0}}, [](S& s) {
        const float x = s.X(0), y = s.Y(0);
        return V{{x, y},      {x, -0.5f},  {0.5f, 0},  {x, 0.5f}, {x, -y}, {-0.5f, -y}, {-0.5f + (x - 0.5f) * 2 * y, 0},
                 {-0.5f, y}};
    });
    Add(c, "TPfeilLShape", {{-0.25f, -0.5f, 0.5f, -0.25f, -0.5f, 0}}, [](S& s) {
        const float x = s.X(0), y = s.Y(0);
        return V{{-0.5f, 0}, {x, -0.5f}, {x, y}, {0.5f, y}, {0.5f, -y}, {x, -y}, {x, 0.5f}};
    });
    Add(c, "TPfeilOShape", {{-0.25f, -0.5f, 0, -0.25f, -0.5f, 0.5f}}, [](S& s) {
        const float x = s.X(0), y = s.Y(0);
        return V{{0, -0.5f}, {0.5f, y}, {-x, y}, {-x, 0.5f}, {x, 0.5f}, {x, y}, {-0.5f, y}};
    });
    Add(c, "TPfeilUShape", {{-0.25f, -0.5f, 0, 0.25f, -0.5f, 0.5f}}, [](S& s) {
        const float x = s.X(0), y = s.Y(0);
        return V{{0, 0.5f}, {-0.5f, y}, {x, y}, {x, -0.5f}, {-x, -0.5f}, {-x, y}, {0.5f, y}};
    });
    Add(c, "TPfeilLRShape", {{-0.25f, -0.5f, 0, -0.25f, -0.5f, 0}}, [](S& s) {
        const float a = std::fabs(s.X(0)), b = std::fabs(s.Y(0));
        return V{{a, -0.5f}, {0.5f, 0}, {a, 0.5f}, {a, b},       {-a, b},
                 {-a, 0.5f}, {-0.5f, 0}, {-a, -0.5f}, {-a, -b}, {a, -b}};
    });
    Add(c, "TKreuzShape", {{-0.25f, -0.5f, 0, -0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, -0.5f, -0.25f, -0.5f, 0}},
        [](S& s) {
            const float a = std::fabs(s.X(0)), b = std::fabs(s.Y(1));
            return V{{a, -0.5f}, {a, -b},   {0.5f, -b}, {0.5f, b},  {a, b},   {a, 0.5f},
                     {-a, 0.5f}, {-a, b},   {-0.5f, b}, {-0.5f, -b}, {-a, -b}, {-a, -0.5f}};
        });
    Add(c, "TPfeilOUShape", {{-0.25f, -0.5f, 0, -0.25f, -0.5f, 0}}, [](S& s) {
        const float x = s.X(0), y = s.Y(0);
        return V{{0, -0.5f}, {0.5f, y}, {-x, y},     {-x, -y},    {0.5f, -y},
                 {0, 0.5f},  {-0.5f, -y}, {x, -y}, {x, y}, {-0.5f, y}};
    });
    Add(
        c, "TPfeilLROUShape", {{0.5f, 0.5f, 0.5f, -0.2f, -0.5f, 0}, {0.3f, 0, 0.5f, -0.1f, -0.5f, 0}},
        [](S& s) {
            const float a = s.Y(0), b = s.X(1), w = s.Y(1);
            return V{{0, -0.5f}, {-a, -b}, {-w, -b}, {-w, w},   {b, w},   {b, a},  {0.5f, 0},  {b, -a},
                     {b, -w},    {-w, -w}, {-w, b},  {-a, b},   {0, 0.5f}, {a, b}, {w, b},    {w, -w},
                     {-b, -w},   {-b, -a}, {-0.5f, 0}, {-b, a}, {-b, w},  {w, w},  {w, -b},   {a, -b}};
        },
        [](S& s) {
            s.H(0).Min2 = -s.X(1);
            s.H(0).Max2 = s.Y(1);
            s.H(1).Min2 = s.Y(0);
            s.H(1).Min1 = -s.Y(0);
        });
    Add(
        c, "TPfeilLROShape", {{0.2f, 0, 0.5f, -0.5f, -0.5f, -0.5f}, {0.1f, 0, 0.5f, -0.22f, -0.5f, 0.5f}},
        [](S& s) {
            const float h0 = s.X(0), w = s.X(1), y1 = s.Y(1);
            const float side = 0.5f - (0.5f + y1) * 0.5f, m = 0.5f - h0;
            return V{{0, -0.5f},   {h0, y1},         {w, y1},        {w, m - w},  {side, m - w},  {side, 0.5f - 2 * h0},
                     {0.5f, m},    {side, 0.5f},     {side, m + w},  {-side, m + w}, {-side, 0.5f}, {-0.5f, m},
                     {-side, 0.5f - 2 * h0}, {-side, m - w}, {-w, m - w}, {-w, y1},   {-h0, y1}};
        },
        [](S& s) {
            s.H(1).Max1 = s.X(0);
            s.H(1).Max2 = 0.5f - 2 * s.X(0);
            s.H(0).Min1 = s.X(1);
            s.H(0).Max1 = 0.5f - (0.5f + s.Y(1)) * 0.5f;
        });
    // Arrows along the bottom turning upwards, and with a second head to the left.
    const S::LimitFunction bentLimits = [](S& s) {
        s.H(0).Min1 = s.Y(1);
        s.H(1).Max2 = s.X(0);
        s.H(1).Min1 = (1 - std::fabs(s.X(0) - 0.5f)) * 0.5f;
        s.H(0).Max1 = 0.5f - (1 - 2 * std::fabs(s.X(1)));
    };
    const std::initializer_list<THandleRow> bentHandles = {{0.1f, -0.5f, 0.5f, -0.5f, -0.5f, -0.5f},
                                                           {0.4f, 0, 0.5f, -0.1f, -0.5f, 0.5f}};
    Add(
        c, "TPfeilRechtWOShape", bentHandles,
        [](S& s) {
            const float h0 = s.X(0), tip = 0.5f - std::fabs(h0 - 0.5f) / 2, yb = -0.5f + std::fabs(s.Y(1) + 0.5f);
            const float sh = std::fabs(s.X(1) - 0.5f), x1 = std::fabs(s.X(1));
            return V{{tip, -0.5f},          {0.5f, yb},         {x1, yb},       {x1, 0.5f},
                     {-0.5f, 0.5f},         {-0.5f, h0 + 2 * sh}, {h0 + sh, h0 + 2 * sh}, {h0 + sh, yb},
                     {-0.5f + std::fabs(h0 + 0.5f), yb}};
        },
        bentLimits);
    Add(
        c, "TPfeilLOShape", bentHandles,
        [](S& s) {
            const float h0 = s.X(0), tip = 0.5f - std::fabs(h0 - 0.5f) / 2, yb = -0.5f + std::fabs(s.Y(1) + 0.5f);
            const float sh = std::fabs(s.X(1) - 0.5f), x1 = std::fabs(s.X(1)), xl = -0.5f + std::fabs(s.Y(1) + 0.5f);
            return V{{tip, -0.5f},
                     {0.5f, yb},
                     {x1, yb},
                     {x1, 0.5f - sh},
                     {xl, 0.5f - sh},
                     {xl, 0.5f},
                     {-0.5f, 0.5f - std::fabs(h0 - 0.5f) / 2},
                     {xl, -0.5f + std::fabs(h0 + 0.5f)},
                     {xl, h0 + sh},
                     {h0 + sh, h0 + sh},
                     {h0 + sh, yb},
                     {-0.5f + std::fabs(h0 + 0.5f), yb}};
        },
        bentLimits);
    AddContour(c, "TRechteckPfeilShape", {{0.2f, 0.04f, 0.5f, -0.37f, -0.5f, -0.22f}}, [](C& s, TFloatKontur& k) {
        const TBox b(s);
        const float q = static_cast<float>((0.28f - (std::fabs(s.Y(0)) - 0.22f)) / 0.28f);
        const float kk = 0.54f - q * 0.54f;
        const float xh = b.X(s.X(0)), yh = b.Y(s.Y(0)), yi = b.CY - (s.Y(0) + 0.44f) * b.H, xk = b.L + kk * b.W;
        k.MoveTo(b.L, b.B);
        k.LineTo(b.L, b.CY + 0.06f * b.H);
        k.CornerArcTo(b.L, yh, b.CX + 0.04f * b.W, yh);
        k.LineTo(xh, yh);
        k.LineTo(xh, b.T);
        k.LineTo(b.R, b.CY - 0.22f * b.H);
        k.LineTo(xh, b.CY + 0.06f * b.H);
        k.LineTo(xh, yi);
        k.LineTo(b.CX + 0.04f * b.W, yi);
        k.CornerArcTo(xk, yi, xk, b.CY + 0.06f * b.H);
        k.LineTo(xk, b.B);
        k.LineTo(b.L, b.B);
    });
    AddContour(c, "TPfeilShape180", {}, [](C& s, TFloatKontur& k) {
        const TBox b(s);
        const auto to = [&](float u, float v) { k.LineTo(b.X(u), b.Y(v)); };
        const auto arc = [&](float cu, float cv, float u, float v) { k.CornerArcTo(b.X(cu), b.Y(cv), b.X(u), b.Y(v)); };
        k.MoveTo(b.X(-0.5f), b.Y(0.5f));
        to(-0.5f, -0.13f);
        arc(-0.5f, -0.5f, -0.075f, -0.5f);
        arc(0.36f, -0.5f, 0.36f, -0.115f);
        to(0.5f, -0.115f);
        to(0.225f, 0.16f);
        to(-0.05f, -0.115f);
        to(0.08f, -0.115f);
        arc(0.08f, -0.23f, -0.03f, -0.23f);
        to(-0.105f, -0.23f);
        arc(-0.215f, -0.23f, -0.215f, -0.13f);
        to(-0.215f, 0.5f);
        to(-0.5f, 0.5f);
    });
    AddContour(c, "TOctettShape", {{-0.3f, -0.5f, 0, -0.5f, -0.5f, -0.5f}}, [](C& s, TFloatKontur& k) {
        const TBox b(s);
        const float cut = std::min((s.X(0) - s.H(0).Min1) * b.W, b.H / 2);
        k.MoveTo(b.CX, b.T);
        k.LineTo(b.R - cut, b.T);
        k.LineTo(b.R, b.T + cut);
        k.LineTo(b.R, b.B - cut);
        k.LineTo(b.R - cut, b.B);
        k.LineTo(b.CX, b.B);
        AppendMirrorX(k);
    });
}

void AddCalloutArrows(TShapeCreators& c) {
    const auto boxRight = [](S& s) {
        const float a = s.X(0), b = s.X(1), cc = s.Y(1), d = s.Y(2);
        return V{{a, -0.5f}, {a, cc},   {b, cc},   {b, d},    {0.5f, 0}, {b, -d},
                 {b, -cc},   {a, -cc},  {a, 0.5f}, {-0.5f, 0.5f}, {-0.5f, -0.5f}};
    };
    const S::LimitFunction sideLimits = [](S& s) {
        s.H(0).Max1 = s.X(1);
        s.H(1).Min1 = s.X(0);
        s.H(1).Min2 = s.Y(2);
        s.H(2).Max2 = s.Y(1);
    };
    Add(c, "TLegendePfeilRShape",
        {{0.15f, -0.5f, 0.5f, -0.5f, -0.5f, -0.5f}, {0.33f, -0.5f, 0.5f, -0.13f, -0.5f, 0},
         {0.5f, 0.5f, 0.5f, -0.25f, -0.5f, 0}},
        boxRight, sideLimits);
    Add(
        c, "TLegendePfeilLRShape",
        {{0.15f, 0, 0.5f, -0.5f, -0.5f, -0.5f}, {0.33f, -0.5f, 0.5f, -0.13f, -0.5f, 0},
         {0.5f, 0.5f, 0.5f, -0.25f, -0.5f, 0}},
        [](S& s) {
            const float a = s.X(0), b = s.X(1), cc = s.Y(1), d = s.Y(2);
            return V{{a, -0.5f}, {a, cc},  {b, cc},   {b, d},   {0.5f, 0}, {b, -d},  {b, -cc},   {a, -cc}, {a, 0.5f},
                     {-a, 0.5f}, {-a, -cc}, {-b, -cc}, {-b, -d}, {-0.5f, 0}, {-b, d}, {-b, cc}, {-a, cc}, {-a, -0.5f}};
        },
        sideLimits);
    Add(
        c, "TLegendePfeilOUShape",
        {{0.25f, 0, 0.5f, -0.5f, -0.5f, -0.5f}, {0.125f, 0, 0.5f, -0.37f, -0.5f, 0},
         {0.5f, 0.5f, 0.5f, -0.25f, -0.5f, 0}},
        [](S& s) {
            const float a = s.X(0), b = s.X(1), cc = s.Y(1), d = s.Y(2);
            return V{{0, -0.5f},   {a, cc},   {b, cc},   {b, d},     {0.5f, d},  {0.5f, -d}, {b, -d},  {b, -cc}, {a, -cc},
                     {0, 0.5f},    {-a, -cc}, {-b, -cc}, {-b, -d},  {-0.5f, -d}, {-0.5f, d}, {-b, d}, {-b, cc}, {-a, cc}};
        },
        [](S& s) {
            s.H(0).Min1 = s.X(1);
            s.H(2).Min2 = s.Y(1);
            s.H(1).Max1 = s.X(0);
            s.H(1).Max2 = s.Y(2);
        });
    Add(
        c, "TLegendePfeilLROUShape",
        {{0.2f, 0, 0.5f, -0.5f, -0.5f, -0.5f}, {0.33f, -0.5f, 0.5f, -0.13f, -0.5f, 0},
         {0.5f, 0.5f, 0.5f, -0.2f, -0.5f, 0}},
        [](S& s) {
            const float a = s.X(0), b = s.X(1), cc = s.Y(1), d = s.Y(2);
            return V{{a, -a},   {a, cc},   {b, cc},   {b, d},     {0.5f, 0}, {b, -d},  {b, -cc}, {a, -cc},
                     {a, a},    {-cc, a},  {-cc, b},  {-d, b},    {0, 0.5f}, {d, b},   {cc, b},  {cc, a},
                     {-a, a},   {-a, -cc}, {-b, -cc}, {-b, -d},   {-0.5f, 0}, {-b, d}, {-b, cc}, {-a, cc},
                     {-a, -a},  {cc, -a},  {cc, -b},  {d, -b},    {0, -0.5f}, {-d, -b}, {-cc, -b}, {-cc, -a}};
        },
        [](S& s) {
            s.H(0).Min1 = -s.Y(2);
            s.H(0).Max1 = s.X(1);
            s.H(1).Min1 = s.X(0);
            s.H(1).Min2 = s.Y(2);
            s.H(2).Max2 = s.Y(1);
            s.H(2).Min2 = -s.X(0);
        });
    Add(
        c, "TLegendePfeilLShape",
        {{-0.12f, -0.5f, 0.5f, -0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, -0.5f, -0.25f, -0.5f, 0},
         {-0.33f, -0.5f, 0.5f, -0.125f, -0.5f, 0}},
        [](S& s) {
            const float a = s.X(0), b1 = s.Y(1), x2 = s.X(2), y2 = s.Y(2);
            return V{{a, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {a, 0.5f}, {a, -y2}, {x2, -y2},
                     {x2, -b1},  {-0.5f, 0},    {x2, b1},     {x2, y2},  {a, y2}};
        },
        [](S& s) {
            s.H(0).Min1 = s.X(2);
            s.H(1).Max2 = s.Y(2);
            s.H(2).Max1 = s.X(0);
            s.H(2).Min2 = s.Y(1);
        });
    Add(
        c, "TLegendePfeilOShape",
        {{0.25f, 0, 0.5f, -0.5f, -0.5f, -0.5f}, {0.125f, 0, 0.5f, -0.385f, -0.5f, 0.5f},
         {0.5f, 0.5f, 0.5f, -0.17f, -0.5f, 0.5f}},
        [](S& s) {
            const float a = s.X(0), b = s.X(1), y1 = s.Y(1), y2 = s.Y(2);
            return V{{0, -0.5f},    {a, y1},      {b, y1},   {b, y2},   {0.5f, y2}, {0.5f, 0.5f},
                     {-0.5f, 0.5f}, {-0.5f, y2},  {-b, y2},  {-b, y1},  {-a, y1}};
        },
        [](S& s) {
            s.H(2).Min2 = s.Y(1);
            s.H(0).Min1 = s.X(1);
            s.H(1).Max1 = s.X(0);
            s.H(1).Max2 = s.Y(2);
        });
    Add(
        c, "TLegendePfeilUShape",
        {{0.5f, 0.5f, 0.5f, 0.17f, -0.5f, 0.5f}, {0.125f, 0, 0.5f, 0.385f, -0.5f, 0.5f},
         {0.25f, 0, 0.5f, 0.5f, 0.5f, 0.5f}},
        [](S& s) {
            const float y0 = s.Y(0), b = s.X(1), y1 = s.Y(1), x2 = s.X(2);
            return V{{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, y0}, {b, y0},  {b, y1},    {x2, y1},
                     {0, 0.5f},      {-x2, y1},     {-b, y1},   {-b, y0}, {-0.5f, y0}};
        },
        [](S& s) {
            s.H(0).Max2 = s.Y(1);
            s.H(2).Min1 = s.X(1);
            s.H(1).Min2 = s.Y(0);
            s.H(1).Max1 = s.X(2);
        });
}

}  // namespace

void AddZRPolygonShapes(TShapeCreators& creators) {
    AddBasicPolygons(creators);
    AddCurvedPolygons(creators);
    AddBlockArrows(creators);
    AddCalloutArrows(creators);
}
