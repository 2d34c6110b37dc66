#include "platform/gdi/PainterCanvas.h"

#include "platform/gdi/CanvasGeometry.h"
#include "platform/gdi/DevicePen.h"
#include "platform/gdi/QtConvert.h"
#include "platform/gdi/TextEngine.h"

#include <QtGui/QGlyphRun>
#include <QtGui/QImage>
#include <QtGui/QPaintEngine>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>

#include <algorithm>
#include <cmath>
#include <deque>

namespace gdi {

namespace {

// 8 x 8 hatch patterns, one byte per row, bit 7 the leftmost pixel.
const uint8_t kHatches[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF},  // horizontal
    {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal, top left to bottom right
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0xFF},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};

// The mix of a pen or brush colour on a device that cannot read its pixels;
// nothing when the mix would leave the page or invert it.
std::optional<QColor> VectorMix(Rop2 rop, const QColor& c) {
    switch (rop) {
    case Rop2::Black: return QColor(Qt::black);
    case Rop2::White: return QColor(Qt::white);
    case Rop2::NotCopyPen: return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue());
    case Rop2::Nop: case Rop2::Not: return std::nullopt;
    default: return c;
    }
}

QImage OpaqueSource(const QImage& image) {
    return image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
}

// The visible part (in target coordinates) of the source stretched to a
// target of the given size. Without smoothing each pixel takes the source
// pixel under its centre, so a part is exactly that part of the whole.
QImage Stretched(const QImage& source, QSize target, const QRect& visible, bool smooth) {
    QImage out(visible.size(), QImage::Format_RGB32);
    if (out.isNull()) return out;
    if (smooth) {
        QPainter p(&out);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.translate(-visible.topLeft());
        p.drawImage(QRectF(0, 0, target.width(), target.height()), source);
        return out;
    }
    const int64_t sw = source.width(), sh = source.height(), tw = target.width(), th = target.height();
    std::vector<int> columns(static_cast<size_t>(visible.width()));
    for (int x = 0; x < visible.width(); ++x) {
        columns[static_cast<size_t>(x)] = static_cast<int>((2 * int64_t{visible.left() + x} + 1) * sw / (2 * tw));
    }
    for (int y = 0; y < visible.height(); ++y) {
        const auto row = static_cast<int>((2 * int64_t{visible.top() + y} + 1) * sh / (2 * th));
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(row));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < visible.width(); ++x) line[x] = in[columns[static_cast<size_t>(x)]];
    }
    return out;
}

}  // namespace

namespace {

// An outline to stroke: integer device points (thin pens draw exactly those
// pixels) or a device path.
struct Outline {
    std::vector<QPoint> points;
    QPainterPath path;
};

// Strokes an outline on a device without pixels of its own: half a pixel
// down and right, centred on the pixels it passes.
void StrokeOutline(QPainter& p, const DevicePen& pen, const Outline& o) {
    p.setBrush(Qt::NoBrush);
    auto draw = [&](const QPen& q) {
        p.setPen(q);
        QPainterPath path = o.path;
        if (!o.points.empty()) {
            path = QPainterPath(QPointF(o.points.front()));
            for (size_t i = 1; i < o.points.size(); ++i) path.lineTo(QPointF(o.points[i]));
        }
        p.drawPath(path.translated(0.5, 0.5));
    };
    if (pen.gaps) draw(*pen.gaps);
    draw(pen.pen);
}

}  // namespace

// ---- construction

PainterCanvas::PainterCanvas(QPainter& painter, DeviceKind kind, const DeviceCaps& caps)
    : Canvas(caps), kind_(kind) {
    AttachPainter(&painter);
}

PainterCanvas::PainterCanvas(DeviceKind kind, const DeviceCaps& caps) : Canvas(caps), kind_(kind) {}

PainterCanvas::~PainterCanvas() = default;

void PainterCanvas::AttachPainter(QPainter* painter) {
    painter_ = painter;
    clipApplied_ = false;
    appliedClip_.reset();
    if (!painter_ || !painter_->isActive()) return;
    base_ = painter_->worldTransform();
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

QRect PainterCanvas::Reachable() const {
    const QPaintDevice* device = painter_->device();
    QRect r = painter_->worldTransform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
    if (painter_->hasClipping()) r &= painter_->clipBoundingRect().toAlignedRect();
    return r.adjusted(-1, -1, 1, 1);
}

QRect PainterCanvas::VisibleArea() const {
    QRect area = Reachable();
    if (const QImage* image = TargetImage()) area = image->rect().translated(-ImageOffset());
    if (state().clip) area &= state().clip->qt().boundingRect();
    return area;
}

QPoint PainterCanvas::ImageOffset() const { return {RoundCoord(base_.dx()), RoundCoord(base_.dy())}; }

bool PainterCanvas::IsRaster() const {
    return painter_ && painter_->paintEngine() && painter_->paintEngine()->type() == QPaintEngine::Raster;
}

QImage* PainterCanvas::TargetImage() const {
    if (!painter_ || !painter_->isActive() || base_.type() > QTransform::TxTranslate) return nullptr;
    QPaintDevice* device = painter_->device();
    if (!device || device->devType() != QInternal::Image) return nullptr;
    return static_cast<QImage*>(device);
}

bool PainterCanvas::Prepare() {
    if (!painter_ || !painter_->isActive()) return false;
    painter_->setWorldTransform(base_);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_->setOpacity(1.0);
    const std::optional<Region>& clip = state().clip;
    const bool same = clipApplied_ && appliedClip_.has_value() == clip.has_value() &&
                      (!clip || *appliedClip_ == clip->qt());
    if (!same) {
        if (clip) {
            painter_->setClipRegion(clip->qt());
            appliedClip_ = clip->qt();
        } else {
            // Not setClipping(false): the raster engine keeps that clip switched
            // off and reuses it for the next complex clip region, which then
            // clips nothing.
            painter_->setClipRegion(QRegion(), Qt::NoClip);
            appliedClip_.reset();
        }
        clipApplied_ = true;
    }
    painter_->setBrushOrigin(QPointF(state().brushOrg.x, state().brushOrg.y));
    return true;
}

bool PainterCanvas::ApplyMix(Rop2 rop, QColor& color) {
    if (rop == Rop2::Nop) return false;
    if (IsRaster()) {
        painter_->setCompositionMode(CompositionModeFor(rop));
        return true;
    }
    const std::optional<QColor> mixed = VectorMix(rop, color);
    if (!mixed) return false;
    color = *mixed;
    return true;
}

// The pen and brush of an outlined shape after the mix mode.
struct OutlineTools {
    QColor penColor;
    QColor brushColor;
    DevicePen pen;
    int32_t penWidth = 0;
    // A mixed solid brush is drawn in its mixed colour.
    bool vectorBrushMix = false;
};

bool PainterCanvas::MixOutlineTools(const XForm& m, OutlineTools& tools) {
    tools.penColor = ToQColor(state().pen.color);
    tools.brushColor = ToQColor(state().brush.color);
    if (!ApplyMix(state().rop2, tools.penColor)) return false;
    ApplyMix(state().rop2, tools.brushColor);
    tools.pen = MakeDevicePen(state(), m, false, tools.penColor);
    tools.penWidth = tools.pen.null ? 0 : geometry::PenDeviceWidth(m, state().pen);
    tools.vectorBrushMix = state().brush.style == BrushStyle::Solid;
    return true;
}

QBrush PainterCanvas::MakeBrush(const Brush& b) const {
    switch (b.style) {
    case BrushStyle::Null: return Qt::NoBrush;
    case BrushStyle::Hatched: {
        const int index = std::clamp(static_cast<int>(b.hatch), 0, 5);
        QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
        const QRgb line = ToQColor(b.color).rgba();
        const QRgb gap = state().bkMode == BkMode::Opaque ? ToQColor(state().bkColor).rgba() : qRgba(0, 0, 0, 0);
        for (int y = 0; y < 8; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(tile.scanLine(y));
            for (int x = 0; x < 8; ++x) row[x] = (kHatches[index][y] >> (7 - x)) & 1 ? line : gap;
        }
        return QBrush(tile);
    }
    case BrushStyle::Pattern:
        if (b.pattern && !b.pattern->IsEmpty()) return QBrush(OpaqueSource(b.pattern->image()));
        return QBrush(ToQColor(b.color));
    case BrushStyle::Solid:
    default: return QBrush(ToQColor(b.color));
    }
}

// ---- lines, shapes and fills on devices without pixels of their own
// (printers, PDF files): drawn as outlines through the painter. Raster
// devices draw in PainterCanvasRaster.cpp.

void PainterCanvas::FillAndStroke(const std::function<void(QPainter&, const QBrush&)>& fill,
                                  const StrokeFunction& stroke) {
    QPainter& p = *painter_;
    const QBrush brush = MakeBrush(state().brush);
    if (fill && brush.style() != Qt::NoBrush) fill(p, brush);
    if (stroke) stroke(p);
}

void PainterCanvas::DoLine(std::span<const Point> points) {
    if (state().pen.style == PenStyle::Null) return;
    if (IsRaster()) return RasterLine(points);
    if (!Prepare()) return;
    const XForm m = LogicalToDevice();
    Outline o;
    o.points = geometry::WithoutRepeats(points, m);
    if (o.points.size() < 2) return;
    QColor color = ToQColor(state().pen.color);
    if (!ApplyMix(state().rop2, color)) return;
    StrokeOutline(*painter_, MakeDevicePen(state(), m, false, color), o);
}

void PainterCanvas::DoBezier(std::span<const Point> points) {
    if (state().pen.style == PenStyle::Null || points.size() < 4) return;
    const XForm m = LogicalToDevice();
    Outline o;
    auto at = [&](size_t i) {
        const Point d = geometry::Map(m, points[i]);
        return QPointF(d.x, d.y);
    };
    o.path.moveTo(at(0));
    for (size_t i = 1; i + 2 < points.size(); i += 3) o.path.cubicTo(at(i), at(i + 1), at(i + 2));
    if (IsRaster()) return RasterStroke(o.path);
    StrokePath(o.path);
}

void PainterCanvas::DoArc(const Rect& box, Point start, Point end) {
    if (state().pen.style == PenStyle::Null) return;
    const QPainterPath path = geometry::ArcPath(LogicalToDevice(), box, start, end);
    if (IsRaster()) return RasterStroke(path);
    StrokePath(path);
}

void PainterCanvas::StrokePath(const QPainterPath& devicePath) {
    if (!Prepare()) return;
    Outline o;
    o.path = devicePath;
    QColor color = ToQColor(state().pen.color);
    if (!ApplyMix(state().rop2, color)) return;
    StrokeOutline(*painter_, MakeDevicePen(state(), LogicalToDevice(), false, color), o);
}

void PainterCanvas::DoShape(Shape shape, const Rect& box, Point a, Point b) {
    if (IsRaster()) return RasterShape(shape, box, a, b);
    if (!Prepare()) return;
    const XForm m = LogicalToDevice();
    OutlineTools tools;
    if (!MixOutlineTools(m, tools)) return;
    const bool axisAligned = geometry::IsRectilinear(m);
    Rect device = axisAligned ? geometry::MapRect(m, box) : Rect{};
    if (axisAligned && device.IsEmpty()) return;

    // A wide inside-frame pen keeps the outline within the box.
    XForm shapeMap = m;
    Rect shapeBox = box;
    Point shapeA = a, shapeB = b;
    if (axisAligned && state().pen.style == PenStyle::InsideFrame && tools.penWidth > 1) {
        const int32_t inset = tools.penWidth / 2;
        shapeBox = device.Inflated(-inset, -inset);
        if (shapeBox.IsEmpty()) shapeBox = device;
        shapeMap = XForm{};
        if (shape == Shape::RoundRect) {
            const QSizeF corner = geometry::MapCorner(m, a);
            shapeA = {RoundCoord(corner.width()), RoundCoord(corner.height())};
        } else {
            shapeA = geometry::Map(m, a);
            shapeB = geometry::Map(m, b);
        }
    }

    auto withBrushColor = [&](const QBrush& brush) { return tools.vectorBrushMix ? QBrush(tools.brushColor) : brush; };

    if (shape == Shape::Rectangle && axisAligned && tools.penWidth <= 1 && shapeMap == m) {
        // Thin outline on the outermost pixels, fill inside it.
        const QRect inner = tools.pen.null ? QRect(device.left, device.top, device.Width() - 1, device.Height() - 1)
                                           : QRect(device.left + 1, device.top + 1, device.Width() - 2, device.Height() - 2);
        auto fill = [&](QPainter& p, const QBrush& brush) {
            if (!inner.isEmpty()) p.fillRect(inner, withBrushColor(brush));
        };
        StrokeFunction stroke;
        if (!tools.pen.null) {
            const int r = device.right - 1, bt = device.bottom - 1;
            Outline o;
            if (device.Width() == 1 || device.Height() == 1) {
                o.points = {{device.left, device.top}, {r, bt}};
            } else {
                o.points = {{device.left, device.top}, {r, device.top}, {r, bt}, {device.left, bt}, {device.left, device.top}};
            }
            stroke = [pen = tools.pen, o](QPainter& p) { StrokeOutline(p, pen, o); };
        }
        FillAndStroke(fill, stroke);
        return;
    }

    const QPainterPath path = geometry::ShapePath(shape, shapeMap, shapeBox, shapeA, shapeB);
    auto fill = [&](QPainter& p, const QBrush& brush) { p.fillPath(path, withBrushColor(brush)); };
    StrokeFunction stroke;
    if (!tools.pen.null) {
        Outline o;
        o.path = path;
        stroke = [pen = tools.pen, o](QPainter& p) { StrokeOutline(p, pen, o); };
    }
    FillAndStroke(fill, stroke);
}

void PainterCanvas::DoPolygon(std::span<const Point> points, std::span<const int32_t> counts) {
    if (IsRaster()) return RasterPolygon(points, counts);
    if (!Prepare()) return;
    const XForm m = LogicalToDevice();
    OutlineTools tools;
    if (!MixOutlineTools(m, tools)) return;
    QPainterPath area;
    area.setFillRule(state().polyFillMode == PolyFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    std::vector<Outline> outlines;
    for (std::vector<QPoint>& figure : geometry::PolygonOutlines(points, counts, m)) {
        QPolygonF polygon;
        for (const QPoint& q : figure) polygon << QPointF(q);
        area.addPolygon(polygon);
        area.closeSubpath();
        outlines.push_back({std::move(figure), {}});
    }
    if (outlines.empty()) return;
    auto fill = [&](QPainter& p, const QBrush& brush) { p.fillPath(area, tools.vectorBrushMix ? QBrush(tools.brushColor) : brush); };
    StrokeFunction stroke;
    if (!tools.pen.null) {
        stroke = [pen = tools.pen, outlines](QPainter& p) {
            for (const Outline& o : outlines) StrokeOutline(p, pen, o);
        };
    }
    FillAndStroke(fill, stroke);
}

void PainterCanvas::DoPath(const PathData& devicePath, bool fill, bool stroke) {
    if (IsRaster()) return RasterPath(devicePath, fill, stroke);
    if (!Prepare()) return;
    const XForm m = LogicalToDevice();
    OutlineTools tools;
    if (!MixOutlineTools(m, tools)) return;
    const QPainterPath path = ToPainterPath(devicePath, state().polyFillMode);
    std::function<void(QPainter&, const QBrush&)> filler;
    if (fill) {
        filler = [&](QPainter& p, const QBrush& brush) {
            QPainterPath closed = path;
            closed.closeSubpath();
            p.fillPath(closed, tools.vectorBrushMix ? QBrush(tools.brushColor) : brush);
        };
    }
    StrokeFunction stroker;
    if (stroke && !tools.pen.null) {
        Outline o;
        o.path = path;
        stroker = [pen = tools.pen, o](QPainter& p) { StrokeOutline(p, pen, o); };
    }
    FillAndStroke(filler, stroker);
}

void PainterCanvas::DoFillRegion(const Region& deviceRegion, const Brush& b, uint32_t rop) {
    if (deviceRegion.IsEmpty()) return;
    const Rop2 mix = PatternRopAsRop2(rop).value_or(Rop2::CopyPen);
    const bool usesPattern = mix != Rop2::Black && mix != Rop2::White && mix != Rop2::Not && mix != Rop2::Nop;
    QBrush brush = usesPattern ? MakeBrush(b) : QBrush(Qt::black);
    if (brush.style() == Qt::NoBrush || mix == Rop2::Nop) return;
    if (IsRaster()) return RasterFillRegion(deviceRegion, brush, mix);
    if (!Prepare()) return;
    const std::optional<QColor> color = VectorMix(mix, brush.color());
    if (!color) return;
    if (brush.style() == Qt::SolidPattern || !usesPattern) brush = QBrush(*color);
    for (const QRect& r : deviceRegion.qt()) painter_->fillRect(r, brush);
}

// ---- text

TextMetrics PainterCanvas::DoTextMetrics() { return TextEngine::MeasureMetrics(state().font); }

std::vector<int32_t> PainterCanvas::DoPartialExtents(std::u16string_view text) {
    return TextEngine::MeasurePartialExtents(state().font, text);
}

std::string PainterCanvas::DoTextFace() { return TextEngine::ResolvedFaceName(state().font); }

void PainterCanvas::DoText(int32_t x, int32_t y, uint32_t options, const Rect* rect, std::u16string_view text,
                           std::span<const int32_t> dx) {
    if (!Prepare()) return;
    QPainter& p = *painter_;
    const State& s = state();
    const XForm m = LogicalToDevice();
    std::optional<QRect> clipRect;
    if (rect && (options & ETO_CLIPPED)) {
        clipRect = ToQRect(geometry::MapRect(m, *rect));
        p.setClipRect(*clipRect, Qt::IntersectClip);
        InvalidateClip();
    }
    if (rect && (options & ETO_OPAQUE)) p.fillRect(ToQRect(geometry::MapRect(m, *rect)), ToQColor(s.bkColor));
    if (text.empty()) return;

    const std::shared_ptr<TextEngine::Face> resolved = TextEngine::Instance().Resolve(s.font);
    TextEngine::Face& face = *resolved;
    const TextMetrics metrics = TextEngine::Metrics(face);
    std::vector<int32_t> advances = dx.empty() ? TextEngine::Advances(face, text)
                                               : std::vector<int32_t>(dx.begin(), dx.begin() + text.size());
    double width = 0;
    for (const int32_t a : advances) width += a;

    // The text's own frame: logical units, upright, y down, origin at the
    // reference point, turned by the escapement.
    const Point ref = geometry::Map(m, {x, y});
    QTransform frame;
    if (geometry::IsAxisAligned(m)) {
        frame.translate(ref.x, ref.y);
        frame.scale(std::abs(m.eM11), std::abs(m.eM22));
    } else {
        frame = QTransform(m.eM11, m.eM12, m.eM21, m.eM22, ref.x, ref.y);
    }
    frame.rotate(-(s.font.escapement / 10.0));  // an escapement of INT32_MIN has no negative

    const uint32_t horizontal = s.textAlign & TA_CENTER;
    const uint32_t vertical = s.textAlign & TA_BASELINE;
    const double left = horizontal == TA_RIGHT ? -width : horizontal == TA_CENTER ? -width / 2 : 0;
    const double baseline = vertical == TA_BASELINE ? 0 : vertical == TA_BOTTOM ? -metrics.descent : metrics.ascent;

    p.setWorldTransform(frame * base_);
    if (s.bkMode == BkMode::Opaque) {
        p.fillRect(QRectF(left, baseline - metrics.ascent, width, metrics.height), ToQColor(s.bkColor));
    }
    const QColor color = ToQColor(s.textColor);
    const TextEngine::PaintInfo info = TextEngine::Paint(face);
    if (info.font.isValid()) {
        const std::vector<quint32> glyphs = TextEngine::Glyphs(face, text);
        QList<quint32> indexes;
        QList<QPointF> positions;
        double pen = left;
        for (size_t i = 0; i < glyphs.size(); ++i) {
            if (glyphs[i] != 0) {
                indexes << glyphs[i];
                positions << QPointF(pen / info.stretch, baseline);
            }
            pen += advances[i];
        }
        QTransform glyphFrame = frame;
        glyphFrame.scale(info.stretch, 1);
        const bool smooth = s.font.quality != NONANTIALIASED_QUALITY;
        if (!RasterGlyphs(TextEngine::PaintId(face), info.font, indexes, positions, glyphFrame, color.rgb(), smooth,
                          clipRect)) {
            QGlyphRun run;
            run.setRawFont(info.font);
            run.setGlyphIndexes(indexes);
            run.setPositions(positions);
            p.setWorldTransform(glyphFrame * base_);
            p.setRenderHint(QPainter::Antialiasing, smooth);
            p.setRenderHint(QPainter::TextAntialiasing, smooth);
            p.setPen(color);
            p.drawGlyphRun(QPointF(0, 0), run);
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setWorldTransform(frame * base_);
        }
    }
    // Lines at least one device pixel thick.
    const double minThickness = 1.0 / std::max(1e-9, std::min(geometry::ScaleX(m), geometry::ScaleY(m)));
    const double thickness = std::max(info.lineThickness, minThickness);
    if (s.font.underline) {
        p.fillRect(QRectF(left, baseline + info.underlinePosition - thickness / 2, width, thickness), color);
    }
    if (s.font.strikeOut) {
        p.fillRect(QRectF(left, baseline - info.strikeOutPosition - thickness / 2, width, thickness), color);
    }
    p.setWorldTransform(base_);
}

// ---- pixels

void PainterCanvas::DoStretchBlt(const Rect& dest, const Bitmap& src, const Rect& srcRect, uint32_t rop) {
    if (!Prepare()) return;
    QPainter& p = *painter_;
    const XForm m = LogicalToDevice();
    const Rect srcN = srcRect.Normalized();
    const bool sourceMirroredX = srcRect.right < srcRect.left, sourceMirroredY = srcRect.bottom < srcRect.top;
    const std::optional<Rop2> sourceMix = SourceRopAsRop2(rop);
    const std::optional<Rop2> patternMix = PatternRopAsRop2(rop);
    if (patternMix && !sourceMix) {
        // The source plays no part: a pattern fill.
        if (geometry::IsRectilinear(m)) DoFillRegion(Region::FromRect(geometry::MapRect(m, dest)), state().brush, rop);
        return;
    }
    const QImage source = OpaqueSource(src.image());
    const bool smooth = state().stretchMode == StretchMode::Halftone;

    if (!geometry::IsAxisAligned(m)) {
        const QImage part = source.copy(ToQRect(srcN));
        if (part.isNull()) return;
        // Turned or sheared: the painter maps the logical rectangle.
        p.setWorldTransform(ToQTransform(m) * base_);
        p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        QColor unused;
        if (!ApplyMix(sourceMix.value_or(Rop2::CopyPen), unused)) return;
        QImage oriented = part.mirrored(sourceMirroredX, sourceMirroredY);
        const QRectF logical(dest.left, dest.top, static_cast<double>(dest.right) - dest.left,
                             static_cast<double>(dest.bottom) - dest.top);
        p.drawImage(logical, oriented);
        p.setWorldTransform(base_);
        return;
    }
    // Corners kept within a range whose sizes and products stay exact.
    auto corner = [&](int32_t x, int32_t y) {
        const Point d = geometry::Map(m, {x, y});
        return Point{std::clamp(d.x, -(1 << 29), 1 << 29), std::clamp(d.y, -(1 << 29), 1 << 29)};
    };
    const Point a = corner(dest.left, dest.top), b = corner(dest.right, dest.bottom);
    const QRect target = ToQRect(Rect{a.x, a.y, b.x, b.y}.Normalized());
    // Only the pixels the painter can reach are made.
    const QRect visible = target & Reachable();
    if (visible.isEmpty()) return;
    const bool mirrorX = (b.x < a.x) != sourceMirroredX;
    const bool mirrorY = (b.y < a.y) != sourceMirroredY;
    if (!IsRaster() && !mirrorX && !mirrorY && sourceMix.value_or(Rop2::CopyPen) == Rop2::CopyPen) {
        // A printer or PDF file takes the picture at its own size and scales
        // it itself, instead of a copy with every device pixel.
        p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        p.drawImage(QRectF(target), source, QRectF(ToQRect(srcN)));
        return;
    }
    QImage part = source.copy(ToQRect(srcN));
    if (part.isNull()) return;
    if (mirrorX || mirrorY) part = part.mirrored(mirrorX, mirrorY);
    if (part.size() != target.size() || visible != target) {
        part = Stretched(part, target.size(), visible.translated(-target.topLeft()), smooth);
        if (part.isNull()) return;
    }

    QImage* image = TargetImage();
    if (!sourceMix && image) {
        // Pattern, source and destination together: pixel by pixel.
        QImage pattern(visible.size(), QImage::Format_RGB32);
        if (pattern.isNull()) return;
        {
            QPainter pp(&pattern);
            pp.setBrushOrigin(QPointF(state().brushOrg.x - visible.left(), state().brushOrg.y - visible.top()));
            pp.fillRect(pattern.rect(), MakeBrush(state().brush));
        }
        const uint8_t code = static_cast<uint8_t>((rop >> 16) & 0xFF);
        const QPoint offset = ImageOffset();
        QRegion area = QRegion(visible.translated(offset)).intersected(image->rect());
        if (state().clip) area = area.intersected(state().clip->qt().translated(offset));
        for (const QRect& r : area) {
            for (int yy = r.top(); yy <= r.bottom(); ++yy) {
                uint32_t* line = reinterpret_cast<uint32_t*>(image->scanLine(yy));
                const int sy = yy - offset.y() - visible.top();
                const uint32_t* sLine = reinterpret_cast<const uint32_t*>(part.constScanLine(sy));
                const uint32_t* pLine = reinterpret_cast<const uint32_t*>(pattern.constScanLine(sy));
                for (int xx = r.left(); xx <= r.right(); ++xx) {
                    const int sx = xx - offset.x() - visible.left();
                    line[xx] = ApplyRop3(code, pLine[sx], sLine[sx], line[xx]) | 0xFF000000u;
                }
            }
        }
        return;
    }
    const Rop2 mix = sourceMix.value_or(Rop2::CopyPen);
    if (mix == Rop2::Nop) return;
    if (IsRaster()) {
        p.setCompositionMode(mix == Rop2::CopyPen ? QPainter::CompositionMode_Source : CompositionModeFor(mix));
    } else if (mix == Rop2::NotCopyPen) {
        part.invertPixels();
    } else if (mix == Rop2::Black || mix == Rop2::White) {
        p.fillRect(visible, mix == Rop2::Black ? Qt::black : Qt::white);
        return;
    } else if (mix == Rop2::Not) {
        return;
    }
    p.drawImage(visible.topLeft(), part);
}

void PainterCanvas::DoSetPixel(int32_t x, int32_t y, Color c) {
    if (state().clip && !state().clip->Contains(x, y)) return;
    const QColor color = ToQColor(c);
    if (QImage* image = TargetImage()) {
        const int ix = x + ImageOffset().x(), iy = y + ImageOffset().y();
        if (ix >= 0 && iy >= 0 && ix < image->width() && iy < image->height()) {
            image->setPixel(ix, iy, color.rgb());
        }
        return;
    }
    if (!Prepare()) return;
    painter_->fillRect(QRect(x, y, 1, 1), color);
}

Color PainterCanvas::DoGetPixel(int32_t x, int32_t y) {
    QImage* image = TargetImage();
    if (!image || (state().clip && !state().clip->Contains(x, y))) return CLR_INVALID;
    const int ix = x + ImageOffset().x(), iy = y + ImageOffset().y();
    if (ix < 0 || iy < 0 || ix >= image->width() || iy >= image->height()) return CLR_INVALID;
    return FromQRgb(image->pixel(ix, iy));
}

bool PainterCanvas::DoFloodFill(int32_t x, int32_t y, Color c, FloodFillType type) {
    QImage* image = TargetImage();
    if (!image) return false;
    const QPoint offset = ImageOffset();
    QRect bounds = image->rect().translated(-offset);
    if (state().clip) bounds = bounds.intersected(state().clip->qt().boundingRect());
    if (!bounds.contains(x, y) || (state().clip && !state().clip->Contains(x, y))) return false;
    const QRgb key = ToQColor(c).rgb() & 0x00FFFFFF;
    auto pixel = [&](int px, int py) {
        return reinterpret_cast<const QRgb*>(image->constScanLine(py + offset.y()))[px + offset.x()] & 0x00FFFFFF;
    };
    auto fills = [&](int px, int py) {
        return type == FloodFillType::Surface ? pixel(px, py) == key : pixel(px, py) != key;
    };
    if (!fills(x, y)) return false;
    // Scanline fill over device pixels, one row of runs at a time.
    QImage mask(bounds.size(), QImage::Format_Alpha8);
    mask.fill(0);
    std::deque<QPoint> todo{QPoint(x, y)};
    while (!todo.empty()) {
        const QPoint s = todo.front();
        todo.pop_front();
        uchar* row = mask.scanLine(s.y() - bounds.top());
        if (row[s.x() - bounds.left()] || !fills(s.x(), s.y())) continue;
        int l = s.x(), r = s.x();
        while (l > bounds.left() && !row[l - 1 - bounds.left()] && fills(l - 1, s.y())) --l;
        while (r < bounds.right() && !row[r + 1 - bounds.left()] && fills(r + 1, s.y())) ++r;
        std::fill(row + (l - bounds.left()), row + (r - bounds.left()) + 1, uchar(255));
        for (const int ny : {s.y() - 1, s.y() + 1}) {
            if (ny < bounds.top() || ny > bounds.bottom()) continue;
            const uchar* next = mask.constScanLine(ny - bounds.top());
            for (int nx = l; nx <= r; ++nx) {
                if (!next[nx - bounds.left()] && fills(nx, ny) &&
                    (nx == l || !fills(nx - 1, ny) || next[nx - 1 - bounds.left()])) {
                    todo.emplace_back(nx, ny);
                }
            }
        }
    }
    Region area(RegionFromMask(mask, bounds.topLeft()));
    if (state().clip) area.Combine(area, *state().clip, RegionCombine::And);
    DoFillRegion(area, state().brush, PATCOPY);
    return true;
}

Bitmap PainterCanvas::CopyPixels(const Rect& deviceRect) {
    QImage* image = TargetImage();
    if (!image) return {};
    const QPoint offset = ImageOffset();
    return Bitmap(image->copy(ToQRect(deviceRect.Normalized()).translated(offset)));
}

}  // namespace gdi
