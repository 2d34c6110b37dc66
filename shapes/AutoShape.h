#pragma once
// Auto-shapes: parametric outlines (ellipse, arrows, stars ...) that a figure
// draws, fills and hit-tests in device pixels of the canvas at hand. The
// figure pushes its centre, size and angle converted to that canvas before
// every use; a shape rebuilds its outline lazily, only when a setter or a
// handle change has marked it dirty.
//
// Outlines are given in normalised box coordinates (u, v) in [-0.5, 0.5]:
// x = CenterX + u·Width, y = CenterY + v·Height; the whole outline is then
// turned about the centre by Angle degrees, clockwise on the screen.
//
// Shapes are created by name through the process-wide factory, which finds a
// name whatever its letter case and falls back to the plain rectangle.

#include "foundation/PointHelpers.h"
#include "foundation/FloatKontur.h"
#include "shapes/HotTrackData.h"

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

class TFillData;
namespace gdi {
class Canvas;
}

class TAbstractAutoShape {
public:
    TAbstractAutoShape() = default;
    virtual ~TAbstractAutoShape() = default;
    TAbstractAutoShape(const TAbstractAutoShape&) = delete;
    TAbstractAutoShape& operator=(const TAbstractAutoShape&) = delete;

    // Each marks the shape dirty only when the value changes.
    void SetCenterX(int32_t v);
    void SetCenterY(int32_t v);
    void SetWidth(int32_t v);
    void SetHeight(int32_t v);
    void SetAngle(float v);
    // Always marks the shape dirty.
    void SetHotTrackData(const THotTrackData& data);

    // The device bounding rectangle; the base gives the empty rectangle at the centre.
    virtual TRect GetBounds();
    virtual TRect GetUpdateRect() { return GetBounds(); }
    // The outline with the canvas's current pen.
    virtual void DrawOutline(gdi::Canvas& canvas) {}
    // The shape filled, then its outline with the canvas's current pen.
    virtual void DrawFilled(gdi::Canvas& canvas, TFillData& fill) {}
    // Inside the shape, or with onOutline within tolerance of its outline.
    virtual bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) { return false; }
    virtual void SetAdjustHandle(int32_t index, const THotTrackEntry& entry);
    // The shape's point arrays as last built (rebuilt first when dirty), the
    // main outline first; for tests and previews.
    virtual std::vector<std::span<const TPoint>> PointArrays() { return {}; }

    int32_t Width = 0;
    int32_t CenterY = 0;
    int32_t CenterX = 0;
    int32_t Height = 0;
    float Angle = 0;
    // Called when the shape changed its own handle record while rebuilding.
    std::function<void(TAbstractAutoShape&)> OnChange;
    THotTrackData HotTrackData;
    bool Dirty = false;

protected:
    float ShapeLeft() const { return CenterX - Width / 2.0f; }
    float ShapeTop() const { return CenterY - Height / 2.0f; }
    float ShapeRight() const { return CenterX + Width / 2.0f; }
    float ShapeBottom() const { return CenterY + Height / 2.0f; }
    void AddCartesianHandle(float x, float xMin, float xMax, float y, float yMin, float yMax);
    void AddPolarHandle(float r, float rMin, float rMax, float a, float aMin, float aMax);
    // Turned about the centre by angle degrees.
    TPoint RotatePoint(TPoint p, float angle) const;
    // Not turned.
    TPoint PolarToDevice(float a, float r) const;
    void DoChange();
    // Handle k of the record (k < 8).
    THotTrackEntry& Handle(int k) { return HotTrackData.Entries[static_cast<size_t>(k)]; }
    // A contour with the shape's origin and scale.
    TFloatKontur NewKontur() const;

private:
    template <class T>
    void Change(T& field, T value);
};

// An outline kept as one closed point array (the last point repeats the first).
class TAbstractPolygonShape : public TAbstractAutoShape {
public:
    TRect GetBounds() override;
    void DrawOutline(gdi::Canvas& canvas) override;
    void DrawFilled(gdi::Canvas& canvas, TFillData& fill) override;
    bool HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) override;

    const std::vector<TPoint>& GetPoints();
    std::vector<std::span<const TPoint>> PointArrays() override { return {GetPoints()}; }

    std::vector<TPoint> Points;

protected:
    // Refills Points from the geometry and the handles; clears Dirty.
    virtual void BuildPoints() { Dirty = false; }
    void RebuildIfDirty() {
        if (Dirty) BuildPoints();
    }
    // Points := the contour turned by Angle.
    void TakeContour(const TFloatKontur& contour);
    // The box's corners from the top-left, clockwise, closed.
    void BuildBoxPoints();
    // Points from normalised vertices, each (CenterX + round(u·Width),
    // CenterY + round(v·Height)), or with roundWhole round(CenterX + u·Width);
    // turned by Angle and closed with a copy of the first.
    void BuildIntegerPoints(std::span<const TFloatPoint> vertices, bool roundWhole = false);
    // Points := the already turned device points, closed with the first.
    void TakeDevicePoints(std::span<const TPoint> points);
};

// A shape kept as several point arrays of its own; Rebuild refills them
// (clearing Dirty) before any use when the shape is dirty.
class TAbstractPathShape : public TAbstractAutoShape {
public:
    std::vector<std::span<const TPoint>> PointArrays() override;

protected:
    explicit TAbstractPathShape(size_t arrayCount) : Arrays(arrayCount) {}
    virtual void Rebuild() = 0;
    void RebuildIfDirty() {
        if (Dirty) Rebuild();
    }
    std::vector<TPoint>& A(size_t index) { return Arrays[index]; }
    // Writes the contour into an array turned by angle (Angle when omitted)
    // and clears the contour.
    void Emit(TFloatKontur& contour, size_t index);
    void Emit(TFloatKontur& contour, size_t index, double angle);
    void Polylines(gdi::Canvas& canvas, std::initializer_list<size_t> indexes);
    bool OnAnyLine(std::initializer_list<size_t> indexes, int32_t x, int32_t y, int32_t tolerance);
    bool InsideAny(std::initializer_list<size_t> indexes, int32_t x, int32_t y, bool winding);
    TRect BoundsOf(std::initializer_list<size_t> indexes);
    void FillPlain(gdi::Canvas& canvas, TFillData& fill, size_t index);
    void FillDark(gdi::Canvas& canvas, TFillData& fill, size_t index);
    void FillMedium(gdi::Canvas& canvas, TFillData& fill, size_t index);

    std::vector<std::vector<TPoint>> Arrays;
};

// Whether (x, y) lies inside the polygon by the alternate or winding rule.
bool PointInShapePolygon(std::span<const TPoint> points, int32_t x, int32_t y, bool winding);

// The plain rectangle, and the shape of names that are not registered.
class TDefaultShape : public TAbstractPolygonShape {
protected:
    void BuildPoints() override { BuildBoxPoints(); }
};

float ClampValue(float value, float min, float max);
// The bounds of points[0..high] with 1 added to the right and bottom.
TRect BoundsOfShapePoints(std::span<const TPoint> points, int32_t high);
// True when p lies within tolerance of one of the segments points[i]..points[i+1]
// (i < high; strictly nearer than tolerance, see PointNearLine); for a single
// point, within the square of half-width tolerance.
bool HitTestPolyline(std::span<const TPoint> points, int32_t high, int32_t x, int32_t y, int32_t tolerance);
// The pixel (x, y) has its centre inside the polygon by the alternate rule.
bool PixelInPolygon(std::span<const TPoint> points, int32_t x, int32_t y);

using TAutoShapeCreator = std::function<std::unique_ptr<TAbstractAutoShape>()>;

struct TAutoShapeMapping {
    std::string ShapeName;  // as registered
    TAutoShapeCreator ShapeClass;
};

class TAutoShapeFactory {
public:
    TAutoShapeFactory();
    // A name registered twice keeps its first class and shows a notice.
    void RegisterShape(const std::string& name, TAutoShapeCreator creator);
    // The shape registered under the name (letter case ignored); an unknown
    // name shows a notice and gives a TDefaultShape. The caller owns the shape.
    std::unique_ptr<TAbstractAutoShape> CreateShape(const std::string& name) const;
    bool IsRegistered(const std::string& name) const;
    // The name as registered, found whatever its letter case; an unknown
    // name comes back as it is.
    std::string RegisteredName(const std::string& name) const;
    // Registered names, in registration order.
    std::vector<std::string> ShapeNames() const;

private:
    std::vector<TAutoShapeMapping> mappings_;
    std::map<std::string, size_t> index_;  // upper-cased name -> mapping
};

// The process-wide factory, created on first use with every shape class registered.
TAutoShapeFactory& AutoShapeFactory();

// Shows the factory's notices (unknown or duplicate names). Without a
// handler they go to the trace output.
using TShapeNoticeHandler = std::function<void(const std::string& message)>;
void SetShapeNoticeHandler(TShapeNoticeHandler handler);
