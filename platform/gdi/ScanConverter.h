#pragma once
// Scan conversion of polygons and paths into rows of spans: a pixel belongs
// to the area when its centre lies inside by the fill rule (alternate or
// winding). A centre exactly on an edge counts as inside on the edge's right
// side, so areas that share an edge share none of its pixels; the rows of an
// edge run from its upper end up to, not including, its lower end. Vertices
// are kept to 1/256 pixel and the edges are walked exactly, so integer
// polygons give the same pixels wherever they lie. Only the rows and columns
// of a window are looked at: the work is that of the part that shows.
// Internal to the drawing layer.

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Spans.h"

#include <QtCore/QPointF>
#include <QtCore/QRect>

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class QPainterPath;

namespace gdi {

class ScanConverter {
public:
    explicit ScanConverter(PolyFillMode mode = PolyFillMode::Alternate) : mode_(mode) {}
    // Only the pixels of the window will be scanned: curves of paths added
    // later are flattened finely only where they come near it.
    ScanConverter(PolyFillMode mode, const QRect& window) : mode_(mode), window_(window) {}

    // Closed polygons (the last point joins the first).
    void AddPolygon(std::span<const Point> points);
    void AddPolygon(std::span<const QPoint> points);
    void AddPolygon(std::span<const QPointF> points);
    // Every figure of the path, curves flattened, each closed.
    void AddPath(const QPainterPath& path);

    using RowSink = std::function<void(int32_t y, std::span<const Span> spans)>;
    // Calls the sink for every row of the window that has pixels of the area,
    // from top to bottom, with the spans within the window.
    void Scan(const QRect& window, const RowSink& sink) const;

private:
    struct Edge {
        int64_t x0, y0, x1, y1;  // 1/256 pixel, y0 < y1
        int32_t winding;
        int32_t firstRow, endRow;  // rows firstRow..endRow-1
    };
    void AddEdge(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
    PolyFillMode mode_;
    std::optional<QRect> window_;
    std::vector<Edge> edges_;
};

// An area that hands the spans of its rows within a window to a sink.
using AreaScan = std::function<void(const QRect& window, const ScanConverter::RowSink& sink)>;

// The device points of a curve piece, flattened so that no point of the
// polyline is farther than the tolerance (in pixels) from the curve. The
// start point is not included.
void FlattenCubic(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double tolerance, std::vector<QPointF>& out);
// The figures of a path as polylines of device points, curves flattened,
// one figure after another through one buffer. With a window, a curve far
// larger than the window is flattened finely only where it may reach the
// window; a piece whose control points all lie outside on one side becomes
// its chord, which leaves what lies inside the window unchanged (for fills
// as for outlines), so the points stay few however large the curve.
void ForEachPathFigure(const QPainterPath& path, double tolerance, const std::function<void(std::span<const QPointF>)>& take,
                       const QRectF* window = nullptr);
// The piece from p0 to p3 with the control points p1 and p2 as above
// (the start point not included).
void FlattenCubicNear(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double tolerance, const QRectF& window,
                      std::vector<QPointF>& out);
// The smallest rectangle around the points.
QRectF BoxOf(std::span<const QPointF> points);
// The rectangles share a point (edges included).
bool Meets(const QRectF& a, const QRectF& b);
// A cubic piece (start, two controls, end) cut in halves at its middle.
using CubicPiece = std::array<QPointF, 4>;
std::pair<CubicPiece, CubicPiece> CubicHalves(const CubicPiece& c);

}  // namespace gdi
