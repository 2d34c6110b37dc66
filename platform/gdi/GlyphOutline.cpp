#include "platform/gdi/GlyphOutline.h"

#include "platform/gdi/TextEngine.h"

#include <QtGui/QPainterPath>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace gdi {

namespace {

// Largest distance between a cubic piece and its quadratic stand-in.
constexpr double kCubicTolerance = 1.0 / 32;
constexpr int kMaxCubicSplits = 8;

struct P {
    double x = 0, y = 0;
};
P operator+(P a, P b) { return {a.x + b.x, a.y + b.y}; }
P operator-(P a, P b) { return {a.x - b.x, a.y - b.y}; }
P operator*(P a, double f) { return {a.x * f, a.y * f}; }
P Mid(P a, P b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

struct FixedPoint {
    Fixed x = 0, y = 0;
    friend bool operator==(const FixedPoint&, const FixedPoint&) = default;
};
FixedPoint ToFixedPoint(P p) { return {ToFixed(p.x), ToFixed(p.y)}; }

// One contour in final coordinates: a start, then pieces that are straight
// (no control point) or quadratic.
struct Piece {
    bool quadratic = false;
    P control;
    P end;
};
struct Contour {
    P start;
    std::vector<Piece> pieces;
};

void AddCubic(Contour& contour, P p0, P p1, P p2, P p3, int depth) {
    const P d = p3 - p2 * 3 + p1 * 3 - p0;
    const double error = std::sqrt(3.0) / 36 * std::hypot(d.x, d.y);
    if (error <= kCubicTolerance || depth >= kMaxCubicSplits) {
        contour.pieces.push_back({true, ((p1 + p2) * 3 - p0 - p3) * 0.25, p3});
        return;
    }
    // Split in half (de Casteljau) and try again on each half.
    const P a = Mid(p0, p1), b = Mid(p1, p2), c = Mid(p2, p3);
    const P ab = Mid(a, b), bc = Mid(b, c), m = Mid(ab, bc);
    AddCubic(contour, p0, a, ab, m, depth + 1);
    AddCubic(contour, m, bc, c, p3, depth + 1);
}

std::vector<Contour> ContoursOf(const QPainterPath& path, const TextEngine::OutlineInfo& info, const Mat2& m) {
    const double m11 = FromFixed(m.eM11), m12 = FromFixed(m.eM12), m21 = FromFixed(m.eM21), m22 = FromFixed(m.eM22);
    auto map = [&](const QPointF& q) {
        // Reference units (y down) to logical units (y up), then the matrix.
        const double x = q.x() * info.scale * info.stretch;
        const double y = -q.y() * info.scale;
        return P{m11 * x + m21 * y, m12 * x + m22 * y};
    };
    std::vector<Contour> contours;
    P last;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
            case QPainterPath::MoveToElement:
                contours.push_back({map(e), {}});
                last = contours.back().start;
                break;
            case QPainterPath::LineToElement:
                if (contours.empty()) contours.push_back({last, {}});
                last = map(e);
                contours.back().pieces.push_back({false, {}, last});
                break;
            case QPainterPath::CurveToElement: {
                if (contours.empty()) contours.push_back({last, {}});
                if (i + 2 >= path.elementCount()) break;
                const P c1 = map(e), c2 = map(path.elementAt(i + 1)), end = map(path.elementAt(i + 2));
                AddCubic(contours.back(), last, c1, c2, end, 0);
                last = end;
                i += 2;
                break;
            }
            case QPainterPath::CurveToDataElement:
                break;
        }
    }
    // A closing line back to the start is implied by the format.
    for (Contour& c : contours) {
        if (!c.pieces.empty() && !c.pieces.back().quadratic &&
            ToFixedPoint(c.pieces.back().end) == ToFixedPoint(c.start)) {
            c.pieces.pop_back();
        }
    }
    std::erase_if(contours, [](const Contour& c) { return c.pieces.empty(); });
    return contours;
}

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutPoint(std::vector<uint8_t>& out, FixedPoint p) {
    PutU32(out, static_cast<uint32_t>(p.x));
    PutU32(out, static_cast<uint32_t>(p.y));
}
void SetU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// The curve passes through the midpoint of two consecutive control points,
// as a walker computes it.
bool IsImpliedMidpoint(FixedPoint a, FixedPoint b, FixedPoint on) {
    const int64_t mx = (static_cast<int64_t>(a.x) + b.x) / 2, my = (static_cast<int64_t>(a.y) + b.y) / 2;
    return std::llabs(mx - on.x) <= 1 && std::llabs(my - on.y) <= 1;
}

void WriteContour(std::vector<uint8_t>& out, const Contour& contour) {
    const size_t headerAt = out.size();
    PutU32(out, 0);
    PutU32(out, kPolygonContour);
    PutPoint(out, ToFixedPoint(contour.start));
    // Records are collected as point lists and written when their kind changes.
    uint16_t kind = 0;
    std::vector<FixedPoint> points;
    auto flush = [&] {
        if (points.empty()) return;
        PutU16(out, kind);
        PutU16(out, static_cast<uint16_t>(points.size()));
        for (const FixedPoint& p : points) PutPoint(out, p);
        points.clear();
    };
    for (const Piece& piece : contour.pieces) {
        // A record holds at most 65535 points.
        if (points.size() >= 65533) flush();
        if (!piece.quadratic) {
            if (kind != kLineRecord) flush();
            kind = kLineRecord;
            points.push_back(ToFixedPoint(piece.end));
            continue;
        }
        const FixedPoint control = ToFixedPoint(piece.control), end = ToFixedPoint(piece.end);
        if (kind == kQSplineRecord && points.size() >= 2 &&
            IsImpliedMidpoint(points[points.size() - 2], control, points.back())) {
            points.back() = control;
        } else {
            flush();
            kind = kQSplineRecord;
            points.push_back(control);
        }
        points.push_back(end);
    }
    flush();
    SetU32(out, headerAt, static_cast<uint32_t>(out.size() - headerAt));
}

GlyphMetrics MetricsOf(const std::vector<Contour>& contours, double advance, const Mat2& m) {
    GlyphMetrics metrics;
    const double incX = advance * FromFixed(m.eM11), incY = advance * FromFixed(m.eM12);
    metrics.cellIncX = static_cast<int16_t>(std::clamp(std::lround(incX), -32768L, 32767L));
    metrics.cellIncY = static_cast<int16_t>(std::clamp(std::lround(incY), -32768L, 32767L));
    if (contours.empty()) {
        metrics.blackBoxX = metrics.blackBoxY = 1;
        return metrics;
    }
    double left = std::numeric_limits<double>::max(), bottom = left;
    double right = std::numeric_limits<double>::lowest(), top = right;
    auto take = [&](P p) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        bottom = std::min(bottom, p.y);
        top = std::max(top, p.y);
    };
    for (const Contour& c : contours) {
        take(c.start);
        for (const Piece& piece : c.pieces) {
            if (piece.quadratic) take(piece.control);
            take(piece.end);
        }
    }
    const double l = std::floor(left), t = std::ceil(top);
    metrics.glyphOrigin = {static_cast<int32_t>(std::clamp(l, -1e9, 1e9)), static_cast<int32_t>(std::clamp(t, -1e9, 1e9))};
    metrics.blackBoxX = static_cast<uint32_t>(std::clamp(std::ceil(right) - l, 1.0, 2e9));
    metrics.blackBoxY = static_cast<uint32_t>(std::clamp(t - std::floor(bottom), 1.0, 2e9));
    return metrics;
}

}  // namespace

Fixed ToFixed(double v) {
    const double scaled = std::nearbyint(v * 65536.0);
    if (!(scaled > INT32_MIN)) return INT32_MIN;
    if (!(scaled < INT32_MAX)) return INT32_MAX;
    return static_cast<Fixed>(scaled);
}

std::optional<GlyphOutlineData> BuildGlyphOutline(const LogFont& font, char32_t code, const Mat2& matrix) {
    if (code > 0x10FFFF) return std::nullopt;
    std::u16string text;
    if (code > 0xFFFF) {
        text = {static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)),
                static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF))};
    } else {
        text = {static_cast<char16_t>(code)};
    }
    const std::shared_ptr<TextEngine::Face> resolved = TextEngine::Instance().Resolve(font);
    TextEngine::Face& face = *resolved;
    const quint32 glyph = TextEngine::Glyphs(face, text)[0];
    if (glyph == 0) return std::nullopt;
    const double advance = TextEngine::Advances(face, text)[0];
    const std::vector<Contour> contours = ContoursOf(TextEngine::GlyphPath(face, glyph), TextEngine::Outline(face), matrix);
    GlyphOutlineData outline;
    outline.metrics = MetricsOf(contours, advance, matrix);
    for (const Contour& c : contours) WriteContour(outline.data, c);
    return outline;
}

int64_t GetGlyphOutline(const LogFont& font, char32_t code, GlyphMetrics* metrics, std::span<uint8_t> buffer,
                        const Mat2& matrix) {
    const std::optional<GlyphOutlineData> outline = BuildGlyphOutline(font, code, matrix);
    if (!outline) {
        if (metrics) *metrics = {};
        return 0;
    }
    if (metrics) *metrics = outline->metrics;
    const int64_t size = static_cast<int64_t>(outline->data.size());
    if (buffer.empty()) return size;
    if (static_cast<int64_t>(buffer.size()) < size) return kGlyphOutlineError;
    std::memcpy(buffer.data(), outline->data.data(), outline->data.size());
    return size;
}

}  // namespace gdi
