// The painter canvas on raster devices: lines, shapes and fills become rows
// of spans and runs of pixels (see ScanConverter, ShapeSpans, ThinLines),
// written straight into the pixels where the painter draws on an image and
// through the painter otherwise. Each output paints its pixels once.

#include "platform/gdi/PainterCanvas.h"

#include "platform/gdi/CanvasGeometry.h"
#include "platform/gdi/GlyphMaskCache.h"
#include "platform/gdi/QtConvert.h"
#include "platform/gdi/RoundStroke.h"
#include "platform/gdi/ShapeSpans.h"
#include "platform/gdi/StrokeClip.h"
#include "platform/gdi/ThinLines.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPainterPathStroker>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace gdi {

// What an output's pen draws.
struct PainterCanvas::RasterOutline {
    DevicePen pen;
    // A thin pen walks these polylines; one that stays on a point draws that pixel.
    std::vector<std::vector<QPoint>> polylines;
    // A solid wide pen with round ends and joins takes the pixels near its
    // lines; other wide pens fill the outline of their stroke.
    std::optional<RoundStroke> round;
    ScanConverter stroke{PolyFillMode::Winding};

    // The wide pen's pixels in the window, each once, row by row.
    void ScanWide(const QRect& window, const ScanConverter::RowSink& sink) const;
};

namespace {

bool IsDot(const std::vector<QPoint>& polyline) { return polyline.size() == 2 && polyline[0] == polyline[1]; }

bool IsRoundSolid(const QPen& pen) {
    return pen.style() == Qt::SolidLine && pen.capStyle() == Qt::RoundCap && pen.joinStyle() == Qt::RoundJoin;
}

int32_t RowEnd(const QRect& r) { return r.top() + r.height(); }

AreaScan ShapeArea(const ShapeSpans& shape) {
    return [&shape](const QRect& window, const ScanConverter::RowSink& sink) {
        SpanList row;
        for (int32_t y = std::max(shape.Top(), window.top()); y < std::min(shape.Bottom(), RowEnd(window)); ++y) {
            shape.Row(y, row);
            ClipSpans(row, window.left(), window.left() + window.width());
            if (!row.empty()) sink(y, row);
        }
    };
}

AreaScan ConvertedArea(const ScanConverter& scan) {
    return [&scan](const QRect& window, const ScanConverter::RowSink& sink) { scan.Scan(window, sink); };
}

// The window grown by a margin, as a window of points.
QRectF Grown(const QRect& window, double margin) { return QRectF(window).adjusted(-margin, -margin, margin, margin); }

// A thin pen's polylines of a path: curves flattened, points on whole pixels.
std::vector<std::vector<QPoint>> ThinPolylines(const QPainterPath& path, const QRect& window) {
    std::vector<std::vector<QPoint>> polylines;
    const QRectF near = Grown(window, 2);
    ForEachPathFigure(path, 0.25, [&polylines](std::span<const QPointF> figure) {
        std::vector<QPoint> points;
        for (const QPointF& p : figure) {
            const QPoint q(RoundCoord(p.x()), RoundCoord(p.y()));
            if (points.empty() || points.back() != q) points.push_back(q);
        }
        if (points.size() > 1) polylines.push_back(std::move(points));
    }, &near);
    return polylines;
}

// The pixels of a single closed outline of four corners with its edges
// along the axes, as a rectangle (right and bottom exclusive).
std::optional<QRect> AxisAlignedBox(const std::vector<std::vector<QPoint>>& outlines) {
    if (outlines.size() != 1 || outlines[0].size() != 5) return std::nullopt;
    const std::vector<QPoint>& o = outlines[0];
    // Each edge moves along one axis only, and the two edges of each axis
    // run opposite ways: a rectangle gone round once.
    for (size_t i = 0; i < 4; ++i) {
        if ((o[i].x() != o[i + 1].x()) == (o[i].y() != o[i + 1].y())) return std::nullopt;
    }
    if (o[0] == o[2] || o[1] == o[3]) return std::nullopt;
    const auto [left, right] = std::minmax({o[0].x(), o[1].x(), o[2].x(), o[3].x()});
    const auto [top, bottom] = std::minmax({o[0].y(), o[1].y(), o[2].y(), o[3].y()});
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// Sends the runs of a thin pen's walk to the targets of dashes and gaps.
class TargetSink : public RunSink {
public:
    TargetSink(SpanTarget* on, SpanTarget* off) : on_(on), off_(off) {}
    void Run(bool on, int32_t y, int32_t left, int32_t right) override {
        if (SpanTarget* target = on ? on_ : off_) target->Run(y, left, right);
    }
    void Column(bool on, int32_t x, int32_t top, int32_t bottom) override {
        if (SpanTarget* target = on ? on_ : off_) target->Column(x, top, bottom);
    }

private:
    SpanTarget* on_;
    SpanTarget* off_;
};

// Keeps the runs of a thin pen's walk (with the gaps when they are drawn).
class RunCollector : public RunSink {
public:
    RunCollector(std::vector<std::pair<int32_t, Span>>& runs, bool gaps) : runs_(runs), gaps_(gaps) {}
    void Run(bool on, int32_t y, int32_t left, int32_t right) override {
        if (on || gaps_) runs_.push_back({y, {left, right}});
    }

private:
    std::vector<std::pair<int32_t, Span>>& runs_;
    bool gaps_;
};

// Each channel of x times a / 255, rounded as the painter's blending does.
uint32_t ByteMul(uint32_t x, uint32_t a) {
    uint64_t t = ((uint64_t{x} | (uint64_t{x} << 24)) & 0x00FF00FF00FF00FFull) * a;
    t = (t + ((t >> 8) & 0x00FF00FF00FF00FFull) + 0x0080008000800080ull) >> 8;
    t &= 0x00FF00FF00FF00FFull;
    return static_cast<uint32_t>(t) | static_cast<uint32_t>(t >> 24);
}

// Draws an opaque colour over pixels by their coverage (none: full), as the
// painter's anti-aliased fills do.
void BlendCoverage(uint32_t* pixels, int32_t count, const uint8_t* coverage, QRgb color, bool premultiplied) {
    if (!coverage) {
        std::fill_n(pixels, count, color);
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        const uint32_t a = coverage[i];
        if (a == 255) {
            pixels[i] = color;
        } else if (a != 0) {
            const uint32_t under = premultiplied ? pixels[i] : qPremultiply(pixels[i]);
            const uint32_t mixed = ByteMul(color, a) + ByteMul(under, 255 - a);
            pixels[i] = premultiplied ? mixed : qUnpremultiply(mixed);
        }
    }
}

}  // namespace

void PainterCanvas::RasterOutline::ScanWide(const QRect& window, const ScanConverter::RowSink& sink) const {
    if (!round) return stroke.Scan(window, sink);
    // A band of rows at a time keeps the runs held at once few however long
    // the stroke is.
    constexpr int64_t kBandRows = 256;
    const int64_t top = std::max(window.top(), round->Top());
    const int64_t bottom = std::min<int64_t>(int64_t{window.top()} + window.height(), round->Bottom());
    for (int64_t bandTop = top; bandTop < bottom; bandTop += kBandRows) {
        const QRect band(window.left(), static_cast<int32_t>(bandTop), window.width(),
                         static_cast<int32_t>(std::min(kBandRows, bottom - bandTop)));
        std::vector<std::pair<int32_t, Span>> runs;
        round->Walk(band, [&](int32_t y, int32_t left, int32_t right) { runs.push_back({y, {left, right}}); });
        const RegionRows rows(std::move(runs));
        for (int32_t y = band.top(); y <= band.bottom(); ++y) {
            if (const std::span<const Span> spans = rows.At(y); !spans.empty()) sink(y, spans);
        }
    }
}

bool PainterCanvas::MakeTarget(std::optional<SpanTarget>& target, const QBrush& brush, Rop2 mix) {
    if (mix == Rop2::Nop || brush.style() == Qt::NoBrush) return false;
    QImage* image = TargetImage();
    if (image && SpanTarget::Writable(*image) && brush.style() == Qt::SolidPattern) {
        target.emplace(*image, ImageOffset(), state().clip, mix, brush.color().rgb());
        return true;
    }
    if (!Prepare()) return false;
    painter_->setCompositionMode(CompositionModeFor(mix));
    target.emplace(*painter_, Reachable(), brush);
    return true;
}

DevicePen PainterCanvas::RasterPen(const XForm& m) const {
    return MakeDevicePen(state(), m, true, ToQColor(state().pen.color));
}

PainterCanvas::RasterOutline PainterCanvas::OutlineOf(const DevicePen& pen, std::vector<std::vector<QPoint>> polylines) {
    RasterOutline outline;
    outline.pen = pen;
    if (pen.null) return outline;
    if (pen.cosmetic) {
        outline.polylines = std::move(polylines);
        return outline;
    }
    if (IsRoundSolid(pen.pen)) {
        outline.round.emplace(pen.pen.widthF());
        for (const std::vector<QPoint>& polyline : polylines) outline.round->AddPolyline(polyline);
        return outline;
    }
    QPainterPath path;
    for (const std::vector<QPoint>& polyline : polylines) {
        path.moveTo(polyline.front());
        for (size_t i = 1; i < polyline.size(); ++i) path.lineTo(polyline[i]);
    }
    AddStroke(outline, pen.pen, path);
    return outline;
}

PainterCanvas::RasterOutline PainterCanvas::OutlineOf(const DevicePen& pen, const QPainterPath& devicePath) {
    if (pen.null || pen.cosmetic) {
        return OutlineOf(pen, pen.null ? std::vector<std::vector<QPoint>>{} : ThinPolylines(devicePath, VisibleArea()));
    }
    RasterOutline outline;
    outline.pen = pen;
    if (IsRoundSolid(pen.pen)) {
        outline.round.emplace(pen.pen.widthF());
        const QRectF near = Grown(VisibleArea(), pen.pen.widthF() / 2 + 2);
        ForEachPathFigure(devicePath, 1.0 / 32, [&](std::span<const QPointF> figure) { outline.round->AddPolyline(figure); },
                          &near);
        return outline;
    }
    AddStroke(outline, pen.pen, devicePath);
    return outline;
}

// Wide pens are centred on the pixels they pass; only what can show is stroked.
void PainterCanvas::AddStroke(RasterOutline& outline, const QPen& pen, const QPainterPath& devicePath) const {
    const QRect window = VisibleArea();
    outline.stroke = ScanConverter(PolyFillMode::Winding, window);
    outline.stroke.AddPath(StrokeWithin(pen, devicePath.translated(0.5, 0.5), QRectF(window)));
}

RegionRows PainterCanvas::OutlinePixels(const RasterOutline& outline, const QRect& window) {
    std::vector<std::pair<int32_t, Span>> runs;
    if (outline.pen.cosmetic) {
        RunCollector collect(runs, outline.pen.gaps.has_value());
        for (const std::vector<QPoint>& polyline : outline.polylines) {
            if (IsDot(polyline)) {
                if (window.contains(polyline[0])) runs.push_back({polyline[0].y(), {polyline[0].x(), polyline[0].x() + 1}});
            } else {
                WalkThinPolyline(polyline, outline.pen.dashes, window, collect);
            }
        }
    } else if (outline.round) {
        outline.round->Walk(window, [&](int32_t y, int32_t left, int32_t right) { runs.push_back({y, {left, right}}); });
    } else {
        outline.stroke.Scan(window, [&](int32_t y, std::span<const Span> spans) {
            for (const Span& s : spans) runs.push_back({y, s});
        });
    }
    return RegionRows(std::move(runs));
}

void PainterCanvas::DrawOutline(const RasterOutline& outline) {
    if (outline.pen.null) return;
    const Rop2 mix = state().rop2;
    std::optional<SpanTarget> on, off;
    if (!MakeTarget(on, QBrush(outline.pen.pen.color()), mix)) return;
    if (!outline.pen.cosmetic) {
        if (outline.round && mix == Rop2::CopyPen && on->IntoImage()) {
            // Copying a pixel twice in one colour is copying it once.
            return outline.round->Walk(on->Window(), [&](int32_t y, int32_t left, int32_t right) { on->Run(y, left, right); });
        }
        outline.ScanWide(on->Window(), [&](int32_t y, std::span<const Span> spans) { on->Row(y, spans); });
        return;
    }
    if (outline.pen.gaps) MakeTarget(off, QBrush(outline.pen.gaps->color()), mix);
    TargetSink sink(&*on, off ? &*off : nullptr);
    for (const std::vector<QPoint>& polyline : outline.polylines) {
        if (IsDot(polyline)) {
            if (on->Window().contains(polyline[0])) on->Run(polyline[0].y(), polyline[0].x(), polyline[0].x() + 1);
        } else {
            WalkThinPolyline(polyline, outline.pen.dashes, on->Window(), sink);
        }
    }
}

void PainterCanvas::PaintArea(const AreaScan& area, const RasterOutline& outline) {
    const Rop2 mix = state().rop2;
    std::optional<SpanTarget> fill;
    if (area && MakeTarget(fill, MakeBrush(state().brush), mix)) {
        // A mix other than copying must not reach the outline's pixels twice:
        // the fill leaves them to the pen.
        std::optional<RegionRows> outlinePixels;
        if (!outline.pen.null && mix != Rop2::CopyPen) outlinePixels.emplace(OutlinePixels(outline, fill->Window()));
        SpanList rest;
        area(fill->Window(), [&](int32_t y, std::span<const Span> spans) {
            if (!outlinePixels) return fill->Row(y, spans);
            SubtractSpans(spans, outlinePixels->At(y), rest);
            fill->Row(y, rest);
        });
        fill.reset();
    }
    DrawOutline(outline);
}

// ---- outputs

void PainterCanvas::RasterLine(std::span<const Point> points) {
    const XForm m = LogicalToDevice();
    std::vector<std::vector<QPoint>> lines{geometry::WithoutRepeats(points, m)};
    if (lines[0].size() < 2) return;
    DrawOutline(OutlineOf(RasterPen(m), std::move(lines)));
}

void PainterCanvas::RasterStroke(const QPainterPath& devicePath) {
    DrawOutline(OutlineOf(RasterPen(LogicalToDevice()), devicePath));
}

void PainterCanvas::RasterShape(Shape shape, const Rect& box, Point a, Point b) {
    const XForm m = LogicalToDevice();
    const DevicePen pen = RasterPen(m);
    if (!geometry::IsRectilinear(m)) {
        // Turned or sheared: the shape's outline, mapped.
        const QPainterPath path = geometry::ShapePath(shape, m, box, a, b);
        ScanConverter area(PolyFillMode::Alternate, VisibleArea());
        area.AddPath(path);
        PaintArea(ConvertedArea(area), OutlineOf(pen, path));
        return;
    }
    const Rect device = geometry::MapRect(m, box);
    if (device.IsEmpty()) return;
    const int32_t penWidth = pen.null ? 0 : geometry::PenDeviceWidth(m, state().pen);
    if (shape == Shape::Rectangle && penWidth <= 1) return RasterRectangle(device, pen);
    const QPointF da = geometry::MapF(m, a.x, a.y), db = geometry::MapF(m, b.x, b.y);
    const QSizeF mappedCorner = geometry::MapCorner(m, a);
    const Size corner{RoundCoord(mappedCorner.width()), RoundCoord(mappedCorner.height())};
    const bool clockwise = geometry::Determinant(m) < 0;
    if (pen.cosmetic && pen.dashes.isEmpty()) {
        // A thin solid pen takes the shape's edge pixels, the brush the rest.
        return RasterThinShape(ShapeSpans(shape, device, da, db, corner, clockwise), pen);
    }
    // The area runs through the centres of the box's outer pixels; a wide
    // inside-frame pen keeps the outline within the box.
    Rect frame = device;
    if (state().pen.style == PenStyle::InsideFrame && penWidth > 1) {
        frame = device.Inflated(-(penWidth / 2), -(penWidth / 2));
        if (frame.IsEmpty()) frame = device;
    }
    const ShapeSpans area(shape, {frame.left, frame.top, frame.right - 1, frame.bottom - 1}, da, db, corner, clockwise);
    RasterOutline outline;
    if (!pen.null) {
        outline = OutlineOf(pen, geometry::ShapeOnRect(shape, geometry::OutlineRect(frame), da, db, QSizeF(corner.cx, corner.cy),
                                                       clockwise));
    }
    PaintArea(ShapeArea(area), outline);
}

// A rectangle with a thin pen or none: the outline on the outermost pixels,
// the fill inside it.
void PainterCanvas::RasterRectangle(const Rect& d, const DevicePen& pen) {
    RasterOutline outline;
    outline.pen = pen;
    const int32_t r = d.right - 1, b = d.bottom - 1;
    if (pen.null) {
        FillRects(std::array{QRect(d.left, d.top, d.Width() - 1, d.Height() - 1)}, MakeBrush(state().brush), state().rop2);
        return;
    }
    FillRects(std::array{QRect(d.left + 1, d.top + 1, d.Width() - 2, d.Height() - 2)}, MakeBrush(state().brush), state().rop2);
    if (d.Width() == 1 || d.Height() == 1) {
        // All outline: the pen's colour over the whole box.
        outline.pen.dashes.clear();
        outline.pen.gaps.reset();
        outline.polylines = {{{d.left, d.top}, d.Width() == 1 ? QPoint(d.left, d.bottom) : QPoint(d.right, d.top)}};
    } else {
        outline.polylines = {{{d.left, d.top}, {r, d.top}, {r, b}, {d.left, b}, {d.left, d.top}}};
    }
    DrawOutline(outline);
}

void PainterCanvas::RasterThinShape(const ShapeSpans& shape, const DevicePen& pen) {
    const Rop2 mix = state().rop2;
    std::optional<SpanTarget> fill, edge;
    MakeTarget(fill, MakeBrush(state().brush), mix);
    MakeTarget(edge, QBrush(pen.pen.color()), mix);
    if (!fill && !edge) return;
    const QRect window = (fill ? fill->Window() : QRect()) | (edge ? edge->Window() : QRect());
    const int32_t top = std::max(shape.Top(), window.top()), bottom = std::min(shape.Bottom(), RowEnd(window));
    if (top >= bottom) return;
    SpanList above, row, below, inside, rim;
    shape.Row(top - 1, above);
    shape.Row(top, row);
    for (int32_t y = top; y < bottom; ++y) {
        shape.Row(y + 1, below);
        InnerSpans(above, row, below, inside);
        if (fill) fill->Row(y, inside);
        if (edge) {
            SubtractSpans(row, inside, rim);
            edge->Row(y, rim);
        }
        std::swap(above, row);
        std::swap(row, below);
    }
}

void PainterCanvas::RasterPolygon(std::span<const Point> points, std::span<const int32_t> counts) {
    const XForm m = LogicalToDevice();
    std::vector<std::vector<QPoint>> outlines = geometry::PolygonOutlines(points, counts, m);
    if (outlines.empty()) return;
    if (const std::optional<QRect> box = AxisAlignedBox(outlines);
        box && state().rop2 == Rop2::CopyPen && state().brush.style == BrushStyle::Solid) {
        // The pixels whose centres lie inside: the box less its right and bottom edges.
        FillRects(std::array{*box}, MakeBrush(state().brush), Rop2::CopyPen);
        DrawOutline(OutlineOf(RasterPen(m), std::move(outlines)));
        return;
    }
    ScanConverter area(state().polyFillMode);
    for (const std::vector<QPoint>& o : outlines) area.AddPolygon(o);
    PaintArea(ConvertedArea(area), OutlineOf(RasterPen(m), std::move(outlines)));
}

void PainterCanvas::RasterPath(const PathData& devicePath, bool fill, bool stroke) {
    const QPainterPath path = ToPainterPath(devicePath, state().polyFillMode);
    ScanConverter area(state().polyFillMode, VisibleArea());
    if (fill) area.AddPath(path);
    RasterOutline outline;
    if (stroke) outline = OutlineOf(RasterPen(LogicalToDevice()), path);
    PaintArea(fill ? ConvertedArea(area) : AreaScan(), outline);
}

void PainterCanvas::RasterFillRegion(const Region& deviceRegion, const QBrush& brush, Rop2 mix) {
    FillRects(deviceRegion.qt(), brush, mix);
}

// Rectangles are what the painter fills best.
template <typename Rects>
void PainterCanvas::FillRects(const Rects& rects, const QBrush& brush, Rop2 mix) {
    if (mix == Rop2::Nop || brush.style() == Qt::NoBrush || !Prepare()) return;
    painter_->setCompositionMode(CompositionModeFor(mix));
    for (const QRect& r : rects) {
        if (!r.isEmpty()) painter_->fillRect(r, brush);
    }
}

// Each row paints every ellipse's span less the next one's, in order, so a
// pixel ends in the colour of the last ellipse that holds it and, when each
// lies inside the one before, is painted once.
void PainterCanvas::DoNestedEllipses(std::span<const Rect> boxes, std::span<const Color> colors) {
    const XForm m = LogicalToDevice();
    QImage* image = TargetImage();
    if (!IsRaster() || !image || !SpanTarget::Writable(*image) || state().pen.style != PenStyle::Null ||
        state().rop2 != Rop2::CopyPen || !geometry::IsRectilinear(m)) {
        Canvas::DoNestedEllipses(boxes, colors);
        return;
    }
    std::vector<ShapeSpans> shapes;
    shapes.reserve(boxes.size());
    int32_t top = INT32_MAX, bottom = INT32_MIN;
    for (const Rect& box : boxes) {
        const Rect d = geometry::MapRect(m, box);
        shapes.emplace_back(Shape::Ellipse, Rect{d.left, d.top, std::max(d.left, d.right - 1), std::max(d.top, d.bottom - 1)});
        top = std::min(top, shapes.back().Top());
        bottom = std::max(bottom, shapes.back().Bottom());
    }
    SpanTarget target(*image, ImageOffset(), state().clip, Rop2::CopyPen, 0);
    top = std::max(top, target.Window().top());
    bottom = std::min(bottom, RowEnd(target.Window()));
    std::vector<QRgb> rgb;
    for (const Color c : colors) rgb.push_back(ToQColor(c).rgb());
    std::vector<Span> rows(shapes.size());
    for (int32_t y = top; y < bottom; ++y) {
        for (size_t k = 0; k < shapes.size(); ++k) {
            if (!shapes[k].BaseRow(y, rows[k].left, rows[k].right)) rows[k] = {};
        }
        for (size_t k = 0; k < shapes.size(); ++k) {
            const Span& s = rows[k];
            if (s.left >= s.right) continue;
            target.SetColor(rgb[k]);
            const Span next = k + 1 < shapes.size() ? rows[k + 1] : Span{};
            if (next.left >= next.right) {
                target.Run(y, s.left, s.right);
                continue;
            }
            target.Run(y, s.left, std::min(s.right, next.left));
            target.Run(y, std::max(s.left, next.right), s.right);
        }
    }
    brush() = SolidBrush(colors.back());
}

// ---- text

bool PainterCanvas::RasterGlyphs(uint64_t faceId, const QRawFont& font, std::span<const quint32> glyphs,
                                 std::span<const QPointF> positions, const QTransform& frame, QRgb color, bool smooth,
                                 const std::optional<QRect>& clipRect) {
    // Very large glyphs cost more as masks than as fills.
    constexpr double kMaxCachedEm = 512;
    QImage* image = TargetImage();
    if (!image || !SpanTarget::Writable(*image) || frame.type() > QTransform::TxRotate) return false;
    if (!(font.pixelSize() * std::sqrt(std::abs(frame.determinant())) <= kMaxCachedEm)) return false;
    const QPoint offset = ImageOffset();
    QRect window = image->rect().translated(-offset);
    const RegionRows* clipRows = nullptr;
    if (const std::optional<Region>& clip = state().clip) {
        window &= clip->qt().boundingRect();
        clipRows = &clip->Rows();
    }
    if (clipRect) window &= *clipRect;
    if (window.isEmpty()) return true;
    const bool premultiplied = image->format() != QImage::Format_ARGB32;
    color |= 0xFF000000u;
    uchar* bits = image->bits();
    const qsizetype stride = image->bytesPerLine();
    const int32_t windowRight = window.left() + window.width();

    GlyphMaskCache& cache = GlyphMaskCache::Instance();
    GlyphMaskCache::Key key;
    key.face = faceId;
    key.m11 = frame.m11();
    key.m12 = frame.m12();
    key.m21 = frame.m21();
    key.m22 = frame.m22();
    key.smooth = smooth;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        // The origin on the grid of phases: its pixel and the steps within it.
        const QPointF origin = frame.map(positions[i]);
        const double gx = std::round(origin.x() * kGlyphPhases), gy = std::round(origin.y() * kGlyphPhases);
        if (!(std::abs(gx) < 1e9 && std::abs(gy) < 1e9)) continue;
        const auto px = static_cast<int64_t>(gx), py = static_cast<int64_t>(gy);
        const auto ox = static_cast<int32_t>((px - (px & (kGlyphPhases - 1))) / kGlyphPhases);
        const auto oy = static_cast<int32_t>((py - (py & (kGlyphPhases - 1))) / kGlyphPhases);
        key.glyph = glyphs[i];
        key.phaseX = static_cast<int8_t>(px & (kGlyphPhases - 1));
        key.phaseY = static_cast<int8_t>(py & (kGlyphPhases - 1));
        const GlyphMask& mask = cache.Mask(key, font);
        for (const GlyphMask::Run& run : mask.runs) {
            const int32_t y = oy + run.y;
            if (y < window.top() || y > window.bottom()) continue;
            const int32_t x = ox + run.x;
            const uint8_t* coverage = run.coverage < 0 ? nullptr : mask.coverage.data() + run.coverage;
            auto* row = reinterpret_cast<uint32_t*>(bits + (y + offset.y()) * stride) + offset.x();
            auto paint = [&](int32_t from, int32_t to) {
                from = std::max({from, x, window.left()});
                to = std::min({to, x + run.length, windowRight});
                if (from < to) BlendCoverage(row + from, to - from, coverage ? coverage + (from - x) : nullptr, color,
                                             premultiplied);
            };
            if (!clipRows) {
                paint(x, x + run.length);
                continue;
            }
            for (const Span& c : clipRows->At(y)) paint(c.left, c.right);
        }
    }
    return true;
}

}  // namespace gdi
