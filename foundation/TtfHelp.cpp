#include "foundation/TtfHelp.h"

#include "foundation/LittleEndian.h"
#include "foundation/QBezier.h"
#include "platform/gdi/GlyphOutline.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

// Points per quadratic piece (t = 0, 0.2 ... 1).
constexpr size_t kSplineSteps = 6;
// Once more points than this exist (over all contours), no further spline
// piece is added and each contour ends after its current record; a
// contour is still closed with its two points. Line records are taken
// whole: their points are bounded by the data itself.
constexpr size_t kPointLimit = 1000;

bool PastLimit(const std::vector<gdi::Point>& out) { return out.size() > kPointLimit; }

uint32_t ReadU32(std::span<const uint8_t> d, size_t at) { return static_cast<uint32_t>(GetLittleEndian(&d[at], 4)); }
int32_t ReadI32(std::span<const uint8_t> d, size_t at) { return static_cast<int32_t>(ReadU32(d, at)); }
uint16_t ReadU16(std::span<const uint8_t> d, size_t at) { return static_cast<uint16_t>(GetLittleEndian(&d[at], 2)); }

struct FixedPoint {
    int32_t x, y;
};
FixedPoint ReadPoint(std::span<const uint8_t> d, size_t at) { return {ReadI32(d, at), ReadI32(d, at + 4)}; }

gdi::Point ToInt(FixedPoint p) { return {gdi::RoundFixed(p.x), gdi::RoundFixed(p.y)}; }
FixedPoint MidPoint(FixedPoint a, FixedPoint b) {
    return {static_cast<int32_t>((static_cast<int64_t>(a.x) + b.x) / 2),
            static_cast<int32_t>((static_cast<int64_t>(a.y) + b.y) / 2)};
}

void AddSpline(std::vector<gdi::Point>& out, FixedPoint a, FixedPoint b, FixedPoint c) {
    const std::array<gdi::Point, 3> controls{ToInt(a), ToInt(b), ToInt(c)};
    std::array<gdi::Point, kSplineSteps> piece;
    QuadBezierPoints(controls, piece);
    out.insert(out.end(), piece.begin(), piece.end());
}

// The points of one record; `previous` is where the record starts and
// becomes where it ends.
void WalkRecord(std::vector<gdi::Point>& out, uint16_t type, std::span<const uint8_t> d, size_t at, size_t count,
                FixedPoint& previous) {
    if (count == 0) return;
    std::vector<FixedPoint> p(count);
    for (size_t k = 0; k < count; ++k) p[k] = ReadPoint(d, at + k * gdi::kFixedPointSize);
    if (type == gdi::kQSplineRecord && count >= 2) {
        FixedPoint a = previous;
        size_t k = 0;
        while (k + 1 < count && !PastLimit(out)) {
            const FixedPoint b = p[k];
            FixedPoint c;
            if (k + 2 == count) {
                c = p[k + 1];
                k += 2;
            } else {
                c = MidPoint(p[k], p[k + 1]);
                k += 1;
            }
            AddSpline(out, a, b, c);
            a = c;
        }
    } else if (type == gdi::kLineRecord || type == gdi::kQSplineRecord) {
        // A spline record of one point can only be a straight piece.
        for (const FixedPoint& q : p) out.push_back(ToInt(q));
    }
    previous = p.back();
}

}  // namespace

TGlyphPolygons GlyphOutlinePolygons(std::span<const uint8_t> data) {
    TGlyphPolygons result;
    std::vector<gdi::Point>& points = result.points;
    size_t pos = 0;
    while (data.size() - pos >= gdi::kContourHeaderSize) {
        const uint32_t cb = ReadU32(data, pos);
        if (ReadU32(data, pos + 4) != gdi::kPolygonContour) break;
        if (cb < gdi::kContourHeaderSize || cb > data.size() - pos) break;
        const size_t end = pos + cb;
        const FixedPoint start = ReadPoint(data, pos + 8);
        const size_t first = points.size();
        FixedPoint previous = start;
        size_t at = pos + gdi::kContourHeaderSize;
        while (end - at >= gdi::kRecordHeaderSize) {
            const uint16_t type = ReadU16(data, at);
            const size_t count = ReadU16(data, at + 2);
            if (count * gdi::kFixedPointSize > end - at - gdi::kRecordHeaderSize) break;
            WalkRecord(points, type, data, at + gdi::kRecordHeaderSize, count, previous);
            at += gdi::kRecordHeaderSize + count * gdi::kFixedPointSize;
            if (PastLimit(points)) break;
        }
        // Closed through the start point back to the contour's first point.
        points.push_back({start.x >> 16, start.y >> 16});
        const gdi::Point firstPoint = points[first];
        points.push_back(firstPoint);
        result.counts.push_back(static_cast<int32_t>(points.size() - first));
        pos = end;
    }
    for (gdi::Point& p : points) p.y = -p.y;
    return result;
}

void DrawGlyphOutline(gdi::Canvas& canvas, std::span<const uint8_t> data, gdi::Point origin) {
    TGlyphPolygons polygons = GlyphOutlinePolygons(data);
    if (polygons.counts.empty()) return;
    for (gdi::Point& p : polygons.points) {
        p.x = gdi::Saturated(int64_t{p.x} + origin.x);
        p.y = gdi::Saturated(int64_t{p.y} + origin.y);
    }
    canvas.PolyPolygon(polygons.points, polygons.counts);
}

void DrawGlyph(gdi::Canvas& canvas, char16_t code, int32_t x, int32_t y, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    const gdi::Mat2 matrix{gdi::ToFixed(c), gdi::ToFixed(s), gdi::ToFixed(-s), gdi::ToFixed(c)};
    gdi::GlyphMetrics metrics;
    const int64_t size = canvas.GetGlyphOutline(code, &metrics, {}, matrix);
    if (size <= 0) return;
    std::vector<uint8_t> buffer(static_cast<size_t>(size), 0);
    if (canvas.GetGlyphOutline(code, &metrics, buffer, matrix) != size) return;
    DrawGlyphOutline(canvas, buffer, {x, y});
}
