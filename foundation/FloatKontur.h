#pragma once
// A growing list of float points that flattens lines, polar points, cubic
// Bezier pieces, quarter-ellipse corners and elliptic arcs into one open or
// closed polyline, and hands it out turned about its origin and rounded to
// integer points. Coordinates are the caller's units, normally device
// pixels: curves are flattened until no piece strays more than 0.25 units
// from its chord (at most 17 levels of subdivision). Angles are degrees,
// clockwise on a y-down device.

#include "foundation/Scaler.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

// A point of a parametric curve with its parameter.
struct TCurvePoint {
    float X = 0;
    float Y = 0;
    float T = 0;
};

inline TFloatPoint MakeFloatPoint(float x, float y) { return {x, y}; }
// p turned about (cx, cy) by angle degrees; the sine and cosine of the last
// angle are kept.
TFloatPoint RotateFloatPoint(TFloatPoint p, double angle, float cx, float cy);

class TFloatKontur {
public:
    // Bezier pieces of degree 12 at most.
    static constexpr int32_t kMaxBezierPoints = 13;
    static constexpr int32_t kCapacityStep = 100;

    TFloatKontur(float originX, float originY, float scaleX, float scaleY);

    void AddPoint(float x, float y);
    void MoveTo(float x, float y) { AddPoint(x, y); }
    void LineTo(float x, float y) { AddPoint(x, y); }
    // (OriginX + cos(angle)·radius·ScaleX, OriginY + sin(angle)·radius·ScaleY).
    TFloatPoint PolarPoint(float radius, float angle) const;
    void LineToPolar(TFloatPoint& p, float radius, float angle);
    TFloatPoint MirrorX(TFloatPoint p) const { return {2 * OriginX - p.X, p.Y}; }
    TFloatPoint MirrorXY(TFloatPoint p) const { return {2 * OriginX - p.X, 2 * OriginY - p.Y}; }

    // A cubic piece from the last point (the origin on an empty contour).
    void BezierTo(float c1x, float c1y, float c2x, float c2y, float x, float y);
    // A quarter ellipse from the last point to (x, y), bowed towards the corner.
    void CornerArcTo(float cornerX, float cornerY, float x, float y);
    // A Bezier curve through 2 to 13 control points, the first being the
    // current last point (not appended again). Anything else is refused:
    // nothing is appended and the result is false.
    bool AddBezier(std::span<const TFloatPoint> controls);
    // Fills X and Y of a curve point from its T.
    using CurveFunction = std::function<void(TCurvePoint&)>;
    // The curve from t0 to t1 (t1 may be below t0); the point at t0 is not appended.
    void AddCurve(double t0, double t1, const CurveFunction& evaluate);
    // The arc of the rectangle's ellipse from startAngle clockwise to endAngle
    // (raised by whole turns until it is not below the start).
    void AddArc(float left, float top, float right, float bottom, float startAngle, float endAngle);
    // The same ellipse with absolute radii, from angle1 to angle2 as given.
    void AddEllipseSegment(float left, float top, float right, float bottom, float angle1, float angle2);
    // The point of the current ellipse at T degrees.
    void EllipsePoint(TCurvePoint& p) const;

    void Clear() { Count = 0; }
    // Only this rectangle will be looked at: a curve piece that stays
    // outside it (a quarter of a curve or less) becomes its chord, so that a
    // huge curve costs the points of the part that shows.
    void SetVisibleArea(float left, float top, float right, float bottom);
    // Every point turned about the origin by angle and rounded. The array
    // must have exactly Count entries (Exception otherwise); with Count 0
    // nothing happens.
    void ToPointArray(std::span<TPoint> points, double angle) const;

    int32_t Capacity() const { return static_cast<int32_t>(Points.size()); }
    // The last point; the origin, where curves start, on an empty contour.
    TFloatPoint LastPoint() const {
        return Count > 0 ? Points[static_cast<size_t>(Count - 1)] : TFloatPoint{OriginX, OriginY};
    }

    int32_t Depth = 0;
    int32_t Count = 0;
    float OriginX, OriginY;
    float ScaleX, ScaleY;
    float EllipseCX = 0, EllipseCY = 0, EllipseRX = 0, EllipseRY = 0;
    // Count entries are in use; the rest is room to grow.
    std::vector<TFloatPoint> Points;

private:
    template <class Evaluate>
    void Subdivide(const TCurvePoint& a, const TCurvePoint& b, const Evaluate& evaluate);
    bool OutsideVisibleArea(const TCurvePoint& a, const TCurvePoint& b, const TCurvePoint& m) const;
    bool limited_ = false;
    float visibleLeft_ = 0, visibleTop_ = 0, visibleRight_ = 0, visibleBottom_ = 0;
    void StartCurve();
};
