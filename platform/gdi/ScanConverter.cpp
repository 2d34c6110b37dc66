#include "platform/gdi/ScanConverter.h"

#include <QtGui/QPainterPath>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <tuple>

namespace gdi {

namespace {

constexpr int64_t kSub = 256;  // fixed point: 1/256 pixel
// Device coordinates are kept within the 32-bit range (rows then fit 32 bits).
constexpr double kCoordLimit = 2147483000.0;

// Rounds to the nearest, halves away from zero (as llround, which costs a
// library call per coordinate).
int64_t RoundAway(double x) {
    const double whole = std::trunc(x);
    const double fraction = x - whole;  // exact below 2^52
    auto r = static_cast<int64_t>(whole);
    if (fraction >= 0.5) ++r;
    if (fraction <= -0.5) --r;
    return r;
}

int64_t ToSubpixels(double v) {
    if (!(v == v)) return 0;  // NaN
    return RoundAway(std::clamp(v, -kCoordLimit, kCoordLimit) * kSub);
}

template <typename T>
T FloorDiv(T a, T b) {  // b > 0
    const T q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

template <typename T>
T CeilDiv(T a, T b) {  // b > 0
    const T q = a / b;
    return (a % b != 0 && a > 0) ? q + 1 : q;
}

// The first row whose centre lies at or below the fixed-point y.
int32_t RowAtOrBelow(int64_t y) { return static_cast<int32_t>(CeilDiv<int64_t>(y - kSub / 2, kSub)); }

// An edge on its way down the rows: the first pixel right of it in the
// current row, kept exactly as p - r / den.
struct ActiveEdge {
    int64_t p, r, den, q, m;
    int32_t endRow, winding;

    void Step() {
        p += q;
        r -= m;
        if (r < 0) {
            ++p;
            r += den;
        }
    }
};

}  // namespace

void ScanConverter::AddEdge(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    if (y0 == y1) return;
    int32_t winding = 1;
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
        winding = -1;
    }
    const int32_t first = RowAtOrBelow(y0), end = RowAtOrBelow(y1);
    if (first >= end) return;
    edges_.push_back({x0, y0, x1, y1, winding, first, end});
}

void ScanConverter::AddPolygon(std::span<const Point> points) {
    for (size_t i = 0; i < points.size(); ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % points.size()];
        AddEdge(int64_t{a.x} * kSub, int64_t{a.y} * kSub, int64_t{b.x} * kSub, int64_t{b.y} * kSub);
    }
}

void ScanConverter::AddPolygon(std::span<const QPoint> points) {
    for (size_t i = 0; i < points.size(); ++i) {
        const QPoint& a = points[i];
        const QPoint& b = points[(i + 1) % points.size()];
        AddEdge(int64_t{a.x()} * kSub, int64_t{a.y()} * kSub, int64_t{b.x()} * kSub, int64_t{b.y()} * kSub);
    }
}

void ScanConverter::AddPolygon(std::span<const QPointF> points) {
    for (size_t i = 0; i < points.size(); ++i) {
        const QPointF& a = points[i];
        const QPointF& b = points[(i + 1) % points.size()];
        AddEdge(ToSubpixels(a.x()), ToSubpixels(a.y()), ToSubpixels(b.x()), ToSubpixels(b.y()));
    }
}

void ScanConverter::AddPath(const QPainterPath& path) {
    edges_.reserve(edges_.size() + static_cast<size_t>(path.elementCount()));
    // A pixel's centre lies half a pixel inside its square.
    const std::optional<QRectF> near =
        window_ ? std::optional<QRectF>(QRectF(*window_).adjusted(-1, -1, 1, 1)) : std::nullopt;
    ForEachPathFigure(path, 1.0 / 32, [this](std::span<const QPointF> figure) { AddPolygon(figure); },
                      near ? &*near : nullptr);
}

void ScanConverter::Scan(const QRect& window, const RowSink& sink) const {
    if (window.isEmpty() || edges_.empty()) return;
    const int32_t top = window.top(), bottom = window.top() + window.height();
    const int64_t left = window.left(), right = int64_t{window.left()} + window.width();
    // Edges on the same line between the same ends count once with their
    // windings summed; a line there and back (a polygon collapsed to a
    // sliver) counts not at all.
    auto startRow = [top](const Edge& e) { return std::max(e.firstRow, top); };
    // In the order they come into the window; equal edges (which start in
    // the same row) side by side.
    std::vector<Edge> pending;
    for (const Edge& e : edges_) {
        if (e.endRow > top && e.firstRow < bottom) pending.push_back(e);
    }
    auto order = [&](const Edge& e) { return std::tuple(startRow(e), e.x0, e.y0, e.x1, e.y1); };
    std::sort(pending.begin(), pending.end(), [&](const Edge& a, const Edge& b) { return order(a) < order(b); });
    size_t kept = 0;
    for (size_t i = 0; i < pending.size(); ++i) {
        if (kept > 0 && order(pending[kept - 1]) == order(pending[i])) {
            pending[kept - 1].winding += pending[i].winding;
            continue;
        }
        pending[kept++] = pending[i];
    }
    pending.resize(kept);
    std::erase_if(pending, [](const Edge& e) { return e.winding == 0; });
    if (pending.empty()) return;

    std::vector<ActiveEdge> active;  // kept in the order of their crossings
    SpanList spans;
    size_t next = 0;
    int32_t firstEnd = INT32_MAX;  // the first row in which an active edge ends
    for (int32_t y = startRow(pending[0]); y < bottom;) {
        while (next < pending.size() && startRow(pending[next]) <= y) {
            const Edge& e = pending[next++];
            // The crossing of row y's centre: p = ceil(num / den) for
            // x = x0 + (yc - y0) dx / dy, measured from the pixels' centres.
            const int64_t dx = e.x1 - e.x0, dy = e.y1 - e.y0;
            const int64_t yc = int64_t{y} * kSub + kSub / 2;
            const __int128 num = __int128{e.x0 - kSub / 2} * dy + __int128{yc - e.y0} * dx;
            const int64_t den = kSub * dy;
            const __int128 p = CeilDiv<__int128>(num, den);
            const int64_t q = FloorDiv<int64_t>(kSub * dx, den);
            active.push_back({static_cast<int64_t>(p), static_cast<int64_t>(p * den - num), den, q, kSub * dx - q * den,
                              e.endRow, e.winding});
            firstEnd = std::min(firstEnd, e.endRow);
        }
        if (y >= firstEnd) {
            std::erase_if(active, [y](const ActiveEdge& a) { return a.endRow <= y; });
            firstEnd = INT32_MAX;
            for (const ActiveEdge& a : active) firstEnd = std::min(firstEnd, a.endRow);
        }
        if (active.empty()) {
            if (next >= pending.size()) break;
            y = startRow(pending[next]);
            continue;
        }
        // Crossings move little from row to row: an insertion sort.
        for (size_t i = 1; i < active.size(); ++i) {
            for (size_t j = i; j > 0 && active[j].p < active[j - 1].p; --j) std::swap(active[j], active[j - 1]);
        }
        spans.clear();
        int32_t winding = 0;
        int64_t start = 0;
        // Alternate filling looks at the lowest bit only.
        const int32_t insideMask = mode_ == PolyFillMode::Winding ? -1 : 1;
        for (size_t i = 0; i < active.size();) {
            const int64_t p = active[i].p;
            const bool wasInside = (winding & insideMask) != 0;
            for (; i < active.size() && active[i].p == p; ++i) winding += active[i].winding;
            const bool inside = (winding & insideMask) != 0;
            if (inside && !wasInside) start = p;
            if (!inside && wasInside) {
                AppendSpan(spans, static_cast<int32_t>(std::max(start, left)), static_cast<int32_t>(std::min(p, right)));
            }
        }
        if (!spans.empty()) sink(y, spans);
        for (ActiveEdge& a : active) a.Step();
        ++y;
    }
}

void FlattenCubic(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double tolerance, std::vector<QPointF>& out) {
    // With n equal steps of the parameter the polyline stays within
    // 3/4 · M / n² of the curve, M the larger second difference.
    const QPointF d1 = p0 - 2 * p1 + p2, d2 = p1 - 2 * p2 + p3;
    const double m = std::sqrt(std::max(QPointF::dotProduct(d1, d1), QPointF::dotProduct(d2, d2)));
    const double steps = std::ceil(std::sqrt(0.75 * m / tolerance));
    const int n = steps >= 1 ? static_cast<int>(std::min(steps, 4096.0)) : 1;
    for (int i = 1; i <= n; ++i) {
        const double t = static_cast<double>(i) / n, u = 1 - t;
        out.push_back(u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3);
    }
}

QRectF BoxOf(std::span<const QPointF> points) {
    double left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (const QPointF& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

bool Meets(const QRectF& a, const QRectF& b) {
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

std::pair<CubicPiece, CubicPiece> CubicHalves(const CubicPiece& c) {
    const QPointF a = (c[0] + c[1]) / 2, b = (c[1] + c[2]) / 2, d = (c[2] + c[3]) / 2;
    const QPointF ab = (a + b) / 2, bd = (b + d) / 2, middle = (ab + bd) / 2;
    return {{c[0], a, ab, middle}, {middle, bd, d, c[3]}};
}

namespace {

// A curve no more than a few times the window's size is flattened as a
// whole, as without a window.
bool SmallBeside(const QRectF& box, const QRectF& window) {
    constexpr double kFactor = 4, kFloor = 64;
    return box.width() <= kFactor * std::max(window.width(), kFloor) &&
           box.height() <= kFactor * std::max(window.height(), kFloor);
}

void FlattenNear(const CubicPiece& c, double tolerance, const QRectF& window, int depth,
                 std::vector<QPointF>& out) {
    constexpr int kMaxDepth = 40;
    const QRectF box = BoxOf(c);
    if (!Meets(box, window)) {
        out.push_back(c[3]);
        return;
    }
    if (depth >= kMaxDepth || SmallBeside(box, window)) {
        FlattenCubic(c[0], c[1], c[2], c[3], tolerance, out);
        return;
    }
    const auto [first, second] = CubicHalves(c);
    FlattenNear(first, tolerance, window, depth + 1, out);
    FlattenNear(second, tolerance, window, depth + 1, out);
}

}  // namespace

void FlattenCubicNear(QPointF p0, QPointF p1, QPointF p2, QPointF p3, double tolerance, const QRectF& window,
                      std::vector<QPointF>& out) {
    FlattenNear({p0, p1, p2, p3}, tolerance, window, 0, out);
}

void ForEachPathFigure(const QPainterPath& path, double tolerance, const std::function<void(std::span<const QPointF>)>& take,
                       const QRectF* window) {
    std::vector<QPointF> figure;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.type == QPainterPath::MoveToElement || i == 0) {
            if (!figure.empty()) take(figure);
            figure.clear();
            figure.push_back(e);
            if (e.type == QPainterPath::MoveToElement) continue;
        }
        if (e.type == QPainterPath::CurveToElement && i + 2 < path.elementCount()) {
            if (window) {
                FlattenCubicNear(figure.back(), e, path.elementAt(i + 1), path.elementAt(i + 2), tolerance, *window, figure);
            } else {
                FlattenCubic(figure.back(), e, path.elementAt(i + 1), path.elementAt(i + 2), tolerance, figure);
            }
            i += 2;
        } else {
            figure.push_back(e);
        }
    }
    if (!figure.empty()) take(figure);
}

}  // namespace gdi
