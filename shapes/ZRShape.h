#pragma once
// The second shape family: polygons, waves, stars, block and callout arrows
// (polygon shapes built from vertex lists or contours), and the shaded and
// compound path shapes, callouts, curved arrows, ribbons, banners and
// scrolls. Most polygon shapes of the family are one generic class each fed
// with its vertices; RegisterZRShapes registers all sixty names in order.

#include "shapes/AutoShape.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// A polygon shape whose outline is a list of normalised vertices (integer
// points, the offsets rounded) computed from its handles. Limits, when set,
// rewrites handle limits at the start of every build and reports the change.
class TVertexShape : public TAbstractPolygonShape {
public:
    using VertexFunction = std::function<std::vector<TFloatPoint>(TVertexShape&)>;
    using LimitFunction = std::function<void(TVertexShape&)>;
    explicit TVertexShape(VertexFunction vertices, LimitFunction limits = {})
        : vertices_(std::move(vertices)), limits_(std::move(limits)) {}

    float X(int k) { return Handle(k).Value1; }
    float Y(int k) { return Handle(k).Value2; }
    THotTrackEntry& H(int k) { return Handle(k); }
    using TAbstractAutoShape::AddCartesianHandle;

protected:
    void BuildPoints() override;

private:
    VertexFunction vertices_;
    LimitFunction limits_;
};

// A polygon shape traced on a contour (lines, polar points and curves).
class TContourShape : public TAbstractPolygonShape {
public:
    using TraceFunction = std::function<void(TContourShape&, TFloatKontur&)>;
    explicit TContourShape(TraceFunction trace) : trace_(std::move(trace)) {}

    float X(int k) { return Handle(k).Value1; }
    float Y(int k) { return Handle(k).Value2; }
    THotTrackEntry& H(int k) { return Handle(k); }
    using TAbstractAutoShape::AddCartesianHandle;
    using TAbstractAutoShape::AddPolarHandle;
    using TAbstractAutoShape::PolarToDevice;
    using TAbstractAutoShape::RotatePoint;
    using TAbstractAutoShape::ShapeBottom;
    using TAbstractAutoShape::ShapeLeft;
    using TAbstractAutoShape::ShapeRight;
    using TAbstractAutoShape::ShapeTop;
    // For outlines made of device points rather than a contour.
    using TAbstractPolygonShape::TakeDevicePoints;
    bool DevicePointsTaken = false;

protected:
    void BuildPoints() override;

private:
    TraceFunction trace_;
};

using TShapeCreators = std::map<std::string, TAutoShapeCreator>;
void AddZRPolygonShapes(TShapeCreators& creators);
void AddZRPathShapes(TShapeCreators& creators);

// Appends the mirror images about the vertical centre line of the points from
// the second-to-last down to the first.
void AppendMirrorX(TFloatKontur& contour);

void RegisterZRShapes(TAutoShapeFactory& factory);
