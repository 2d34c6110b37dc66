#pragma once
// Logical-to-device mapping of points, rectangles and shape outlines, shared
// by the canvas base (paths, clipping) and its backends. Internal to the
// drawing layer.

#include "platform/gdi/Canvas.h"

#include <QtGui/QPainterPath>

namespace gdi::geometry {

// No rotation or shear: the map only scales and moves each axis.
bool IsAxisAligned(const XForm& m);
// Boxes stay boxes: axis-aligned, or turned by a quarter turn.
bool IsRectilinear(const XForm& m);
// Negative when the map mirrors (turns clockwise into counter-clockwise).
double Determinant(const XForm& m);
// A corner size (width, height) in device units.
QSizeF MapCorner(const XForm& m, Point corner);
QPointF MapF(const XForm& m, double x, double y);
Point Map(const XForm& m, Point p);  // rounded as the device context rounds
std::vector<Point> MapPoints(const XForm& m, std::span<const Point> points);
// The device rectangle between the mapped corners, normalised, on the plane
// of QtConvert.h (so that its width and height are exact).
Rect MapRect(const XForm& m, const Rect& r);
// The rectangle through the centres of a device box's outer pixels
// (left..right-1, top..bottom-1), on which outlines of shapes run.
QRectF OutlineRect(const Rect& deviceBox);

// The closed outline of a shape in device units. For a rectilinear map the
// box is mapped first and the outline runs on its outer pixels; otherwise the
// logical outline is transformed. a, b: corner size (RoundRect) or the points
// that fix the radials (Pie, Chord), in logical units.
QPainterPath ShapePath(Canvas::Shape shape, const XForm& m, const Rect& box, Point a, Point b);
// A shape's outline on a device rectangle; a, b: the radials' points, corner:
// the rounded corners' size, all in device units.
QPainterPath ShapeOnRect(Canvas::Shape shape, const QRectF& r, QPointF a, QPointF b, QSizeF corner, bool clockwise);
// The open elliptic arc from radial a to radial b, counter-clockwise in logical space.
QPainterPath ArcPath(const XForm& m, const Rect& box, Point a, Point b);

// Mapped points without the repeats that mapping makes of neighbours.
std::vector<QPoint> WithoutRepeats(std::span<const Point> points, const XForm& m);
// The closed outlines of the polygons of a poly-polygon: mapped, without
// repeats, each ending on its first point (a polygon that shrank to a point
// is that point twice). Counts must fit the points.
std::vector<std::vector<QPoint>> PolygonOutlines(std::span<const Point> points, std::span<const int32_t> counts,
                                                 const XForm& m);

// The device width of a pen: 0 for the thinnest pen (one pixel), else the
// logical width mapped to device units.
int32_t PenDeviceWidth(const XForm& m, const Pen& pen);
// A logical length along each axis in device units (absolute values).
double ScaleX(const XForm& m);
double ScaleY(const XForm& m);

}  // namespace gdi::geometry
