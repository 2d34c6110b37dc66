#include "platform/gdi/Canvas.h"

#include "platform/gdi/CanvasGeometry.h"
#include "platform/gdi/DevicePen.h"
#include "platform/gdi/GlyphOutline.h"
#include "platform/gdi/QtConvert.h"
#include "platform/gdi/StrokeClip.h"


#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

#include <algorithm>
#include <climits>
#include <cmath>

namespace gdi {

DeviceCaps ScreenCaps() {
    DeviceCaps caps;
    const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    if (screen) {
        caps.logPixelsX = std::max(1, static_cast<int32_t>(std::lround(screen->logicalDotsPerInchX())));
        caps.logPixelsY = std::max(1, static_cast<int32_t>(std::lround(screen->logicalDotsPerInchY())));
        caps.horzRes = caps.physicalWidth = screen->geometry().width();
        caps.vertRes = caps.physicalHeight = screen->geometry().height();
    } else {
        caps.horzRes = caps.physicalWidth = 1920;
        caps.vertRes = caps.physicalHeight = 1080;
    }
    caps.horzSizeMM = static_cast<int32_t>(std::lround(caps.horzRes * 25.4 / caps.logPixelsX));
    caps.vertSizeMM = static_cast<int32_t>(std::lround(caps.vertRes * 25.4 / caps.logPixelsY));
    return caps;
}

namespace {

// Logical units per inch of the fixed metric map modes.
int32_t UnitsPerInch(MapMode m) {
    switch (m) {
    case MapMode::LoMetric: return 254;
    case MapMode::HiMetric: return 2540;
    case MapMode::LoEnglish: return 100;
    case MapMode::HiEnglish: return 1000;
    case MapMode::Twips: return 1440;
    default: return 0;
    }
}

bool HasFreeExtents(MapMode m) { return m == MapMode::Isotropic || m == MapMode::Anisotropic; }

XForm Inverted(const XForm& m) {
    const double det = geometry::Determinant(m);
    if (det == 0) return XForm{};
    XForm r;
    r.eM11 = m.eM22 / det;
    r.eM12 = -m.eM12 / det;
    r.eM21 = -m.eM21 / det;
    r.eM22 = m.eM11 / det;
    r.eDx = -(m.eDx * r.eM11 + m.eDy * r.eM21);
    r.eDy = -(m.eDx * r.eM12 + m.eDy * r.eM22);
    return r;
}

// The points of polylines and polygons given as counts over one array;
// false when the counts ask for more points than there are.
bool CountsFit(std::span<const Point> points, std::span<const int32_t> counts) {
    size_t total = 0;
    for (const int32_t c : counts) {
        if (c < 0) return false;
        total += static_cast<size_t>(c);
        if (total > points.size()) return false;
    }
    return true;
}

// The current position followed by the points of a ...To call.
std::vector<Point> Prepended(Point first, std::span<const Point> rest) {
    std::vector<Point> points;
    points.reserve(rest.size() + 1);
    points.push_back(first);
    points.insert(points.end(), rest.begin(), rest.end());
    return points;
}

}  // namespace

Canvas::Canvas(const DeviceCaps& caps) : caps_(caps) {}

Canvas::~Canvas() = default;

// ---- attributes

Color Canvas::SetTextColor(Color c) { return std::exchange(state_.textColor, c); }
Color Canvas::SetBkColor(Color c) { return std::exchange(state_.bkColor, c); }
BkMode Canvas::SetBkMode(BkMode m) { return std::exchange(state_.bkMode, m); }
Rop2 Canvas::SetROP2(Rop2 r) {
    const int32_t v = static_cast<int32_t>(r);
    if (v < 1 || v > 16) return state_.rop2;
    return std::exchange(state_.rop2, r);
}
PolyFillMode Canvas::SetPolyFillMode(PolyFillMode m) { return std::exchange(state_.polyFillMode, m); }
StretchMode Canvas::SetStretchBltMode(StretchMode m) { return std::exchange(state_.stretchMode, m); }
uint32_t Canvas::SetTextAlign(uint32_t flags) { return std::exchange(state_.textAlign, flags); }
int32_t Canvas::SetTextCharacterExtra(int32_t extra) { return std::exchange(state_.charExtra, extra); }
uint32_t Canvas::SetMapperFlags(uint32_t flags) { return std::exchange(state_.mapperFlags, flags); }

bool Canvas::SetTextJustification(int32_t breakExtra, int32_t breakCount) {
    if (breakCount < 0) return false;
    state_.breakExtra = breakCount == 0 ? 0 : breakExtra;
    state_.breakCount = breakCount;
    return true;
}
float Canvas::SetMiterLimit(float limit) { return std::exchange(state_.miterLimit, limit); }
Point Canvas::SetBrushOrg(Point origin) { return std::exchange(state_.brushOrg, origin); }
uint32_t Canvas::SetCopyMode(uint32_t rop) { return std::exchange(state_.copyMode, rop); }

// ---- mapping

MapMode Canvas::SetMapMode(MapMode m) {
    const MapMode previous = state_.mapMode;
    const int32_t v = static_cast<int32_t>(m);
    if (v < 1 || v > 8) return previous;
    state_.mapMode = m;
    const MapMode fixed = m == MapMode::Isotropic ? MapMode::LoMetric : m;
    if (m == MapMode::Text) {
        state_.windowExt = {1, 1};
        state_.viewportExt = {1, 1};
    } else if (const int32_t upi = UnitsPerInch(fixed); upi > 0 && (m != MapMode::Isotropic || previous != m)) {
        state_.windowExt = {upi, upi};
        state_.viewportExt = {std::max(1, caps_.logPixelsX), -std::max(1, caps_.logPixelsY)};
    }
    if (m == MapMode::Isotropic) FixIsotropicExtents();
    return previous;
}

Point Canvas::SetWindowOrg(int32_t x, int32_t y) { return std::exchange(state_.windowOrg, Point{x, y}); }
Point Canvas::SetViewportOrg(int32_t x, int32_t y) { return std::exchange(state_.viewportOrg, Point{x, y}); }

Size Canvas::SetWindowExt(int32_t cx, int32_t cy) {
    const Size previous = state_.windowExt;
    if (!HasFreeExtents(state_.mapMode) || cx == 0 || cy == 0) return previous;
    state_.windowExt = {cx, cy};
    if (state_.mapMode == MapMode::Isotropic) FixIsotropicExtents();
    return previous;
}

Size Canvas::SetViewportExt(int32_t cx, int32_t cy) {
    const Size previous = state_.viewportExt;
    if (!HasFreeExtents(state_.mapMode) || cx == 0 || cy == 0) return previous;
    state_.viewportExt = {cx, cy};
    if (state_.mapMode == MapMode::Isotropic) FixIsotropicExtents();
    return previous;
}

// In the isotropic mode one logical unit has the same physical length along
// both axes: the viewport extent of the axis with the longer unit shrinks.
void Canvas::FixIsotropicExtents() {
    Size& w = state_.windowExt;
    Size& v = state_.viewportExt;
    if (w.cx == 0 || w.cy == 0) return;
    const double xUnit = std::abs(static_cast<double>(v.cx) / w.cx) / std::max(1, caps_.logPixelsX);
    const double yUnit = std::abs(static_cast<double>(v.cy) / w.cy) / std::max(1, caps_.logPixelsY);
    if (xUnit > yUnit) {
        const int32_t cx = RoundCoord(std::abs(v.cx) * yUnit / xUnit);
        v.cx = (v.cx < 0 ? -1 : 1) * std::max(1, cx);
    } else if (yUnit > xUnit) {
        const int32_t cy = RoundCoord(std::abs(v.cy) * xUnit / yUnit);
        v.cy = (v.cy < 0 ? -1 : 1) * std::max(1, cy);
    }
}

GraphicsMode Canvas::SetGraphicsMode(GraphicsMode m) {
    if (m != GraphicsMode::Compatible && m != GraphicsMode::Advanced) return state_.graphicsMode;
    return std::exchange(state_.graphicsMode, m);
}

bool Canvas::SetWorldTransform(const XForm& x) {
    if (state_.graphicsMode != GraphicsMode::Advanced) return false;
    if (geometry::Determinant(x) == 0) return false;
    state_.world = x;
    return true;
}

bool Canvas::ModifyWorldTransform(const XForm& x, int32_t mode) {
    if (state_.graphicsMode != GraphicsMode::Advanced) return false;
    switch (mode) {
    case 1: state_.world = XForm{}; return true;
    case 2: state_.world = CombineTransform(x, state_.world); return true;
    case 3: state_.world = CombineTransform(state_.world, x); return true;
    default: return false;
    }
}

XForm Canvas::LogicalToDevice(const State& s) {
    XForm page;
    page.eM11 = static_cast<double>(s.viewportExt.cx) / s.windowExt.cx;
    page.eM22 = static_cast<double>(s.viewportExt.cy) / s.windowExt.cy;
    page.eDx = s.viewportOrg.x - s.windowOrg.x * page.eM11;
    page.eDy = s.viewportOrg.y - s.windowOrg.y * page.eM22;
    if (s.graphicsMode == GraphicsMode::Advanced && !IsIdentity(s.world)) return CombineTransform(s.world, page);
    return page;
}

Point Canvas::LPtoDP(Point p) const { return geometry::Map(LogicalToDevice(), p); }

Point Canvas::DPtoLP(Point p) const { return geometry::Map(Inverted(LogicalToDevice()), p); }

// ---- saved states

int32_t Canvas::SaveDC() {
    saved_.push_back(state_);
    return static_cast<int32_t>(saved_.size());
}

bool Canvas::RestoreDC(int32_t level) {
    const int64_t depth = static_cast<int64_t>(saved_.size());
    const int64_t target = level < 0 ? depth + level : static_cast<int64_t>(level) - 1;
    if (level == 0 || target < 0 || target >= depth) return false;
    state_ = std::move(saved_[static_cast<size_t>(target)]);
    saved_.resize(static_cast<size_t>(target));
    return true;
}

// ---- lines

Point Canvas::MoveTo(int32_t x, int32_t y) {
    figureOpen_ = false;
    return std::exchange(state_.position, Point{x, y});
}

void Canvas::LineTo(int32_t x, int32_t y) {
    const Point to{x, y};
    if (pathOpen_) {
        StartFigureAtPosition();
        const Point d = LPtoDP(to);
        AddToPath({&d, 1}, PT_LINETO, PT_LINETO);
    } else {
        const Point line[2] = {state_.position, to};
        DoLine(line);
    }
    state_.position = to;
}

void Canvas::Polyline(std::span<const Point> points) {
    if (points.size() < 2) return;
    if (pathOpen_) {
        AddToPath(geometry::MapPoints(LogicalToDevice(), points), PT_MOVETO, PT_LINETO);
        figureOpen_ = false;
        return;
    }
    DoLine(points);
}

void Canvas::PolylineTo(std::span<const Point> points) {
    if (points.empty()) return;
    if (pathOpen_) {
        StartFigureAtPosition();
        AddToPath(geometry::MapPoints(LogicalToDevice(), points), PT_LINETO, PT_LINETO);
    } else {
        DoLine(Prepended(state_.position, points));
    }
    state_.position = points.back();
}

void Canvas::PolyPolyline(std::span<const Point> points, std::span<const int32_t> counts) {
    if (!CountsFit(points, counts)) return;
    size_t next = 0;
    for (const int32_t c : counts) {
        Polyline(points.subspan(next, static_cast<size_t>(c)));
        next += static_cast<size_t>(c);
    }
}

void Canvas::PolyBezier(std::span<const Point> points) {
    if (points.size() < 4 || (points.size() - 1) % 3 != 0) return;
    if (pathOpen_) {
        AddToPath(geometry::MapPoints(LogicalToDevice(), points), PT_MOVETO, PT_BEZIERTO);
        figureOpen_ = false;
        return;
    }
    DoBezier(points);
}

void Canvas::PolyBezierTo(std::span<const Point> points) {
    if (points.empty() || points.size() % 3 != 0) return;
    if (pathOpen_) {
        StartFigureAtPosition();
        AddToPath(geometry::MapPoints(LogicalToDevice(), points), PT_BEZIERTO, PT_BEZIERTO);
    } else {
        DoBezier(Prepended(state_.position, points));
    }
    state_.position = points.back();
}

void Canvas::Arc(int32_t l, int32_t t, int32_t r, int32_t b, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const Rect box{l, t, r, b};
    if (pathOpen_) {
        AppendPainterPath(path_, geometry::ArcPath(LogicalToDevice(), box, {x1, y1}, {x2, y2}), false);
        figureOpen_ = false;
        return;
    }
    DoArc(box, {x1, y1}, {x2, y2});
}

// ---- shapes

void Canvas::Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) {
    if (pathOpen_) return AddShapeToPath(geometry::ShapePath(Shape::Rectangle, LogicalToDevice(), {l, t, r, b}, {}, {}));
    DoShape(Shape::Rectangle, {l, t, r, b}, {}, {});
}

void Canvas::Ellipse(int32_t l, int32_t t, int32_t r, int32_t b) {
    if (pathOpen_) return AddShapeToPath(geometry::ShapePath(Shape::Ellipse, LogicalToDevice(), {l, t, r, b}, {}, {}));
    DoShape(Shape::Ellipse, {l, t, r, b}, {}, {});
}

void Canvas::RoundRect(int32_t l, int32_t t, int32_t r, int32_t b, int32_t cornerW, int32_t cornerH) {
    const Point corner{cornerW, cornerH};
    if (pathOpen_) {
        return AddShapeToPath(geometry::ShapePath(Shape::RoundRect, LogicalToDevice(), {l, t, r, b}, corner, {}));
    }
    DoShape(Shape::RoundRect, {l, t, r, b}, corner, {});
}

void Canvas::Pie(int32_t l, int32_t t, int32_t r, int32_t b, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (pathOpen_) {
        return AddShapeToPath(geometry::ShapePath(Shape::Pie, LogicalToDevice(), {l, t, r, b}, {x1, y1}, {x2, y2}));
    }
    DoShape(Shape::Pie, {l, t, r, b}, {x1, y1}, {x2, y2});
}

void Canvas::Chord(int32_t l, int32_t t, int32_t r, int32_t b, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (pathOpen_) {
        return AddShapeToPath(geometry::ShapePath(Shape::Chord, LogicalToDevice(), {l, t, r, b}, {x1, y1}, {x2, y2}));
    }
    DoShape(Shape::Chord, {l, t, r, b}, {x1, y1}, {x2, y2});
}

void Canvas::Polygon(std::span<const Point> points) {
    const int32_t count = static_cast<int32_t>(points.size());
    PolyPolygon(points, std::span<const int32_t>(&count, 1));
}

void Canvas::PolyPolygon(std::span<const Point> points, std::span<const int32_t> counts) {
    if (!CountsFit(points, counts)) return;
    std::vector<Point> usedPoints;
    std::vector<int32_t> usedCounts;
    size_t next = 0;
    for (const int32_t c : counts) {
        if (c >= 2) {
            usedPoints.insert(usedPoints.end(), points.begin() + static_cast<ptrdiff_t>(next),
                              points.begin() + static_cast<ptrdiff_t>(next + static_cast<size_t>(c)));
            usedCounts.push_back(c);
        }
        next += static_cast<size_t>(c);
    }
    if (usedCounts.empty()) return;
    if (pathOpen_) {
        const std::vector<Point> device = geometry::MapPoints(LogicalToDevice(), usedPoints);
        size_t start = 0;
        for (const int32_t c : usedCounts) {
            AddToPath(std::span(device).subspan(start, static_cast<size_t>(c)), PT_MOVETO, PT_LINETO);
            path_.types.back() |= PT_CLOSEFIGURE;
            start += static_cast<size_t>(c);
        }
        figureOpen_ = false;
        return;
    }
    DoPolygon(usedPoints, usedCounts);
}

void Canvas::NestedEllipses(std::span<const Rect> boxes, std::span<const Color> colors) {
    const size_t n = std::min(boxes.size(), colors.size());
    if (n == 0) return;
    if (pathOpen_) {
        for (size_t i = 0; i < n; ++i) Ellipse(boxes[i].left, boxes[i].top, boxes[i].right, boxes[i].bottom);
        state_.brush = SolidBrush(colors[n - 1]);
        return;
    }
    DoNestedEllipses(boxes.first(n), colors.first(n));
}

void Canvas::DoNestedEllipses(std::span<const Rect> boxes, std::span<const Color> colors) {
    for (size_t i = 0; i < boxes.size(); ++i) {
        state_.brush = SolidBrush(colors[i]);
        DoShape(Shape::Ellipse, boxes[i], {}, {});
    }
}

// ---- areas

void Canvas::FillRect(const Rect& r, const Brush& b) {
    DoFillRegion(Region::FromRect(geometry::MapRect(LogicalToDevice(), r)), b, PATCOPY);
}

void Canvas::FrameRect(const Rect& r, const Brush& b) {
    const XForm m = LogicalToDevice();
    const Rect outer = geometry::MapRect(m, r);
    if (outer.IsEmpty()) return;
    const Rect n = r.Normalized();
    const Rect inner = geometry::MapRect(m, n.Inflated(-1, -1));
    Region frame;
    frame.Combine(Region::FromRect(outer), Region::FromRect(inner), RegionCombine::Diff);
    DoFillRegion(frame, b, PATCOPY);
}

void Canvas::InvertRect(const Rect& r) {
    DoFillRegion(Region::FromRect(geometry::MapRect(LogicalToDevice(), r)), state_.brush, DSTINVERT);
}

void Canvas::FillRgn(const Region& rgn, const Brush& b) { DoFillRegion(rgn, b, PATCOPY); }

void Canvas::FrameRgn(const Region& rgn, const Brush& b, int32_t w, int32_t h) {
    const XForm m = LogicalToDevice();
    const int32_t dw = std::max(1, RoundCoord(std::abs(w) * geometry::ScaleX(m)));
    const int32_t dh = std::max(1, RoundCoord(std::abs(h) * geometry::ScaleY(m)));
    // The inside is what stays in the region when moved by the frame's width
    // and height in each direction, diagonals included.
    Region inner = rgn;
    const Point shifts[8] = {{dw, 0}, {-dw, 0}, {0, dh}, {0, -dh}, {dw, dh}, {-dw, dh}, {dw, -dh}, {-dw, -dh}};
    for (const Point& s : shifts) {
        Region moved = rgn;
        moved.Offset(s.x, s.y);
        inner.Combine(inner, moved, RegionCombine::And);
    }
    Region frame;
    frame.Combine(rgn, inner, RegionCombine::Diff);
    DoFillRegion(frame, b, PATCOPY);
}

void Canvas::InvertRgn(const Region& rgn) { DoFillRegion(rgn, state_.brush, DSTINVERT); }

void Canvas::PaintRgn(const Region& rgn) { DoFillRegion(rgn, state_.brush, Rop2AsPatternRop(state_.rop2)); }

void Canvas::PatBlt(const Rect& r, uint32_t rop) {
    DoFillRegion(Region::FromRect(geometry::MapRect(LogicalToDevice(), r)), state_.brush, rop);
}

void Canvas::SetPixel(int32_t x, int32_t y, Color c) {
    const Point d = LPtoDP({x, y});
    DoSetPixel(d.x, d.y, c);
}

Color Canvas::GetPixel(int32_t x, int32_t y) {
    const Point d = LPtoDP({x, y});
    return DoGetPixel(d.x, d.y);
}

bool Canvas::FloodFill(int32_t x, int32_t y, Color c, FloodFillType type) {
    const Point d = LPtoDP({x, y});
    return DoFloodFill(d.x, d.y, c, type);
}

Color Canvas::DoGetPixel(int32_t, int32_t) { return CLR_INVALID; }
bool Canvas::DoFloodFill(int32_t, int32_t, Color, FloodFillType) { return false; }
std::string Canvas::DoTextFace() { return {}; }
Bitmap Canvas::CopyPixels(const Rect&) { return {}; }

// ---- text

void Canvas::TextOut(int32_t x, int32_t y, std::u16string_view text) { ExtTextOut(x, y, 0, nullptr, text); }

// The advances with the character extra after every character and the
// justification's extra after every break character.
std::vector<int32_t> Canvas::SpacedAdvances(std::u16string_view text, std::span<const int32_t> dx) {
    std::vector<int32_t> spaced(text.size());
    if (dx.empty()) {
        const std::vector<int32_t> extents = DoPartialExtents(text);
        for (size_t i = 0; i < text.size() && i < extents.size(); ++i) spaced[i] = extents[i] - (i > 0 ? extents[i - 1] : 0);
    } else {
        std::copy_n(dx.begin(), text.size(), spaced.begin());
    }
    const int32_t count = state_.breakCount;
    const int32_t each = count > 0 ? state_.breakExtra / count : 0;
    int32_t remainder = count > 0 ? state_.breakExtra % count : 0;
    for (size_t i = 0; i < text.size(); ++i) {
        int64_t advance = int64_t{spaced[i]} + state_.charExtra;
        if (count > 0 && text[i] == u' ') {
            advance += each;
            if (remainder != 0) {
                advance += remainder > 0 ? 1 : -1;
                remainder += remainder > 0 ? -1 : 1;
            }
        }
        spaced[i] = Saturated(advance);
    }
    return spaced;
}

void Canvas::ExtTextOut(int32_t x, int32_t y, uint32_t options, const Rect* rect, std::u16string_view text,
                        std::span<const int32_t> dx) {
    // Advances that do not cover the text are not used.
    if (dx.size() < text.size()) dx = {};
    std::vector<int32_t> spaced;
    if (state_.charExtra != 0 || state_.breakExtra != 0) {
        spaced = SpacedAdvances(text, dx);
        dx = spaced;
    }
    const bool updateCp = state_.textAlign & TA_UPDATECP;
    if (updateCp) {
        x = state_.position.x;
        y = state_.position.y;
    }
    DoText(x, y, options, rect, text, dx);
    if (!updateCp) return;
    int64_t width = 0;
    if (!dx.empty()) {
        for (size_t i = 0; i < text.size(); ++i) width += dx[i];
    } else {
        width = TextExtent(text).cx;
    }
    // The position moves along the text's baseline to its other end.
    const uint32_t horizontal = state_.textAlign & TA_CENTER;
    if (horizontal == TA_CENTER) return;
    if (horizontal == TA_RIGHT) width = -width;
    const double angle = state_.font.escapement * 3.14159265358979323846 / 1800.0;
    const XForm m = LogicalToDevice();
    const double ySign = (m.eM22 < 0) ? 1.0 : -1.0;  // counter-clockwise on the device
    state_.position.x = RoundCoord(x + static_cast<double>(width) * std::cos(angle));
    state_.position.y = RoundCoord(y + ySign * static_cast<double>(width) * std::sin(angle));
}

Size Canvas::TextExtent(std::u16string_view text) {
    const std::vector<int32_t> extents = DoPartialExtents(text);
    return {extents.empty() ? 0 : extents.back(), DoTextMetrics().height};
}

TextMetrics Canvas::GetTextMetrics() { return DoTextMetrics(); }

std::vector<int32_t> Canvas::PartialExtents(std::u16string_view text) { return DoPartialExtents(text); }

std::string Canvas::TextFace() { return DoTextFace(); }

int64_t Canvas::GetGlyphOutline(char32_t code, GlyphMetrics* metrics, std::span<uint8_t> buffer, const Mat2& matrix) {
    return gdi::GetGlyphOutline(state_.font, code, metrics, buffer, matrix);
}

// ---- paths

void Canvas::BeginPath() {
    path_ = {};
    pathOpen_ = true;
    figureOpen_ = false;
}

void Canvas::EndPath() {
    pathOpen_ = false;
    figureOpen_ = false;
}

void Canvas::AbortPath() { DiscardPath(); }

void Canvas::DiscardPath() {
    path_ = {};
    pathOpen_ = false;
    figureOpen_ = false;
}

void Canvas::CloseFigure() {
    if (!path_.types.empty() && (path_.types.back() & ~PT_CLOSEFIGURE) != PT_MOVETO) path_.types.back() |= PT_CLOSEFIGURE;
    figureOpen_ = false;
}

void Canvas::FillPath() {
    EndPath();
    if (!path_.IsEmpty()) DoPath(path_, true, false);
    DiscardPath();
}

void Canvas::StrokePath() {
    EndPath();
    if (!path_.IsEmpty()) DoPath(path_, false, true);
    DiscardPath();
}

void Canvas::StrokeAndFillPath() {
    EndPath();
    if (!path_.IsEmpty()) DoPath(path_, true, true);
    DiscardPath();
}

void Canvas::FlattenPath() { path_ = Flattened(path_); }

bool Canvas::WidenPath() {
    if (pathOpen_ || state_.pen.style == PenStyle::Null) return false;
    DevicePen pen = MakeDevicePen(state_, LogicalToDevice(), false, QColor(Qt::black));
    pen.pen.setWidthF(std::max(1.0, pen.pen.widthF()));
    const Rect bounds = DeviceBounds();
    const QPainterPath outline = StrokeWithin(pen.pen, ToPainterPath(path_, state_.polyFillMode),
                                              QRectF(QPointF(bounds.left, bounds.top), QPointF(bounds.right, bounds.bottom)));
    path_ = {};
    AppendPainterPath(path_, outline, true);
    figureOpen_ = false;
    return true;
}

bool Canvas::SelectClipPath(RegionCombine mode) {
    if (pathOpen_) return false;
    // What lies beyond the surface clips nothing: only the surface's pixels are made.
    const Region region = Region::FromPath(path_, state_.polyFillMode, DeviceBounds());
    DiscardPath();
    return ExtSelectClipRgn(&region, mode) != RegionKind::Error;
}

PathData Canvas::GetPath() const { return path_; }

Region Canvas::PathToRegion() {
    EndPath();
    const Region region = Region::FromPath(path_, state_.polyFillMode);
    DiscardPath();
    return region;
}

void Canvas::StartFigureAtPosition() {
    const Point d = LPtoDP(state_.position);
    if (figureOpen_ && !path_.points.empty() && path_.points.back() == d &&
        !(path_.types.back() & PT_CLOSEFIGURE)) {
        return;
    }
    AddToPath({&d, 1}, PT_MOVETO, PT_MOVETO);
    figureOpen_ = true;
}

void Canvas::AddToPath(std::span<const Point> devicePoints, uint8_t firstType, uint8_t restType) {
    for (size_t i = 0; i < devicePoints.size(); ++i) {
        path_.points.push_back(devicePoints[i]);
        path_.types.push_back(i == 0 ? firstType : restType);
    }
}

void Canvas::AddShapeToPath(const QPainterPath& devicePath) {
    AppendPainterPath(path_, devicePath, true);
    figureOpen_ = false;
}

// ---- clipping

Rect Canvas::DeviceBounds() const {
    if (caps_.horzRes <= 0 || caps_.vertRes <= 0) return {kPlaneMin, kPlaneMin, kPlaneMax, kPlaneMax};
    return {0, 0, caps_.horzRes, caps_.vertRes};
}

RegionKind Canvas::SetClip(std::optional<Region> clip) {
    state_.clip = std::move(clip);
    if (!state_.clip) return RegionKind::Simple;
    return state_.clip->Kind();
}

RegionKind Canvas::SelectClipRgn(const Region* rgn) {
    if (!rgn) return SetClip(std::nullopt);
    return SetClip(*rgn);
}

RegionKind Canvas::ExtSelectClipRgn(const Region* rgn, RegionCombine mode) {
    if (mode == RegionCombine::Copy) return SelectClipRgn(rgn);
    if (!rgn) return RegionKind::Error;
    if (!state_.clip) {
        // No clip region stands for the whole surface.
        Region whole = Region::FromRect(DeviceBounds());
        Region result;
        result.Combine(whole, *rgn, mode);
        return SetClip(result);
    }
    Region result;
    result.Combine(*state_.clip, *rgn, mode);
    return SetClip(result);
}

RegionKind Canvas::IntersectClipRect(int32_t l, int32_t t, int32_t r, int32_t b) {
    const Region rect = Region::FromRect(geometry::MapRect(LogicalToDevice(), {l, t, r, b}));
    return ExtSelectClipRgn(&rect, RegionCombine::And);
}

RegionKind Canvas::ExcludeClipRect(int32_t l, int32_t t, int32_t r, int32_t b) {
    const Region rect = Region::FromRect(geometry::MapRect(LogicalToDevice(), {l, t, r, b}));
    return ExtSelectClipRgn(&rect, RegionCombine::Diff);
}

RegionKind Canvas::OffsetClipRgn(int32_t dx, int32_t dy) {
    if (!state_.clip) return RegionKind::Simple;
    const XForm m = LogicalToDevice();
    const QPointF d(m.eM11 * dx + m.eM21 * dy, m.eM12 * dx + m.eM22 * dy);
    state_.clip->Offset(RoundCoord(d.x()), RoundCoord(d.y()));
    return state_.clip->Kind();
}

std::optional<Region> Canvas::GetClipRgn() const { return state_.clip; }

Rect Canvas::GetClipBox() const {
    Rect box = state_.clip ? state_.clip->Box() : DeviceBounds();
    if (state_.clip && caps_.horzRes > 0 && caps_.vertRes > 0) box = IntersectRect(box, DeviceBounds());
    if (box.IsEmpty()) return {};
    const XForm inverse = Inverted(LogicalToDevice());
    const QPointF corners[4] = {geometry::MapF(inverse, box.left, box.top), geometry::MapF(inverse, box.right, box.top),
                                geometry::MapF(inverse, box.left, box.bottom),
                                geometry::MapF(inverse, box.right, box.bottom)};
    double l = corners[0].x(), r = l, t = corners[0].y(), b = t;
    for (const QPointF& c : corners) {
        l = std::min(l, c.x());
        r = std::max(r, c.x());
        t = std::min(t, c.y());
        b = std::max(b, c.y());
    }
    return {RoundCoord(l), RoundCoord(t), RoundCoord(r), RoundCoord(b)};
}

bool Canvas::PtVisible(int32_t x, int32_t y) const {
    const Point d = LPtoDP({x, y});
    if (!DeviceBounds().Contains(d)) return false;
    return !state_.clip || state_.clip->Contains(d.x, d.y);
}

// ---- bitmaps

void Canvas::StretchBlt(const Rect& dest, const Bitmap& src, const Rect& srcRect, uint32_t rop) {
    if (src.IsEmpty() || dest.Width() == 0 || dest.Height() == 0 || srcRect.Width() == 0 || srcRect.Height() == 0) return;
    DoStretchBlt(dest, src, srcRect, rop);
}

void Canvas::BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap& src, int32_t sx, int32_t sy,
                    uint32_t rop) {
    StretchBlt({x, y, x + w, y + h}, src, {sx, sy, sx + w, sy + h}, rop);
}

}  // namespace gdi
