#pragma once
// Conversions between the drawing layer's value types and Qt's. Internal to
// the drawing layer.

#include "platform/gdi/GdiTypes.h"

#include <QtGui/QColor>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QRegion>
#include <QtGui/QTransform>

#include <algorithm>
#include <climits>
#include <optional>

namespace gdi {

QColor ToQColor(Color c);  // system colours resolved
Color FromQRgb(QRgb rgb);
// The plane that device rectangles are kept in: half the 32-bit range, the
// surface of a device without bounds, where no width or height overflows.
constexpr int32_t kPlaneMin = INT32_MIN / 2;
constexpr int32_t kPlaneMax = INT32_MAX / 2;
inline int32_t OnPlane(int32_t v) { return std::clamp(v, kPlaneMin, kPlaneMax); }

QRect ToQRect(const Rect& r);  // clamped to the plane
inline Rect FromQRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
inline QTransform ToQTransform(const XForm& x) { return QTransform(x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy); }

// Nearest integer with halves rounded up, as the device context rounds
// mapped coordinates; saturates instead of overflowing.
int32_t RoundCoord(double v);

// The pixels of an 8-bit mask that are not 0, moved by the offset.
QRegion RegionFromMask(const QImage& mask, QPoint offset);

// A path of device points as a painter path.
QPainterPath ToPainterPath(const PathData& path, PolyFillMode mode);
// Appends the figures of a painter path (moves, lines and cubic pieces) to a
// path of device points; closed figures end with PT_CLOSEFIGURE.
void AppendPainterPath(PathData& out, const QPainterPath& path, bool closeFigures);
// Replaces every Bezier piece by a polyline.
PathData Flattened(const PathData& path);

// The binary raster operation that a ternary one amounts to when it does not
// use the source; nothing when it does.
std::optional<Rop2> PatternRopAsRop2(uint32_t rop);
// The binary raster operation (pen = source) that a ternary one amounts to
// when it does not use the pattern; nothing when it does.
std::optional<Rop2> SourceRopAsRop2(uint32_t rop);
// The ternary raster operation that applies a binary one with the pattern.
uint32_t Rop2AsPatternRop(Rop2 r);
// Qt's composition mode for a binary raster operation (CopyPen: SourceOver;
// Nop: nothing to draw).
QPainter::CompositionMode CompositionModeFor(Rop2 r);
// Applies a ternary raster operation byte to one pixel value.
uint32_t ApplyRop3(uint8_t rop, uint32_t pattern, uint32_t source, uint32_t dest);

}  // namespace gdi
