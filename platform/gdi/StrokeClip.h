#pragma once
// The parts of a path that a wide pen can show in a window: what a stroke
// is built from, so that building it costs what shows, however long or
// large the path. Internal to the drawing layer.

#include <QtCore/QRectF>
#include <QtGui/QPainterPath>
#include <QtGui/QPen>

namespace gdi {

// The outline of the pen's stroke along the path (width, caps, joins and
// dashes as Qt's stroker makes them) as far as it can reach into the window.
// Only the parts of the path within reach are stroked (the pen's width, its
// miter joins): lines are cut where they leave the window grown by the
// reach, curves are followed only there, and each part's dashes go on from
// where the figure's pattern stands. A closed figure cut elsewhere keeps the
// join at its start (dashed pens start their pattern there afresh).
QPainterPath StrokeWithin(const QPen& pen, const QPainterPath& path, const QRectF& window);

}  // namespace gdi
