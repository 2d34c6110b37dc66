#pragma once
// The pixels of a wide pen with round ends and round joins along polylines:
// those whose centres lie within half the pen's width of a line, found row
// by row from each line's own outline (a box along the line with a disc at
// each end) without building the outline of the whole stroke. The rows and
// columns of the edge follow the scan converter's rule: a row counts from
// the top of the stroke up to, not including, its bottom, and a pixel whose
// centre lies on the left edge counts, one on the right edge does not. So a
// line along an axis is exactly as many pixels across as the pen is wide.
// Internal to the drawing layer.

#include <QtCore/QPoint>
#include <QtCore/QPointF>
#include <QtCore/QRect>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

namespace gdi {

class RoundStroke {
public:
    explicit RoundStroke(double width) : radius_(width / 2) {}

    // A polyline through device points, the centre of pixel (x, y) lying
    // on the point (x, y).
    template <class Points>  // of QPoint or QPointF
    void AddPolyline(const Points& points) {
        for (size_t i = 1; i < points.size(); ++i) AddLine(points[i - 1], points[i], i == 1);
    }

    // Hands the pixels within the window to run(y, left, right) as runs
    // along rows (pixels left..right-1 of row y). Where the outlines of
    // lines overlap, so do their runs.
    template <class Run>
    void Walk(const QRect& window, Run&& run) const;
    // The rows that may hold pixels: Top() .. Bottom()-1.
    int32_t Top() const { return top_; }
    int32_t Bottom() const { return bottom_; }

private:
    // One line of a polyline: the crossings of its box with the centre line
    // of row y are linear in y, each end's disc is kept by its centre.
    struct Line {
        QPointF a, b;
        bool startDisc;            // the disc at a (first line of a polyline); every line has the one at b
        int32_t firstRow, endRow;  // rows firstRow..endRow-1
        // The box: lo = max(lo1 + k1·y, lo2 + k2·y), hi = min(hi1 + k1·y, hi2 + k2·y),
        // within rows boxTop..boxBottom when the line runs along the x axis.
        double k1, lo1, hi1, k2, lo2, hi2;
        double boxTop, boxBottom;
    };
    void AddLine(QPointF a, QPointF b, bool startDisc);
    // Where the line's outline crosses the centre line of row y: lo..hi;
    // false when it does not.
    bool RowOf(const Line& line, double y, double& lo, double& hi) const {
        lo = INFINITY;
        hi = -INFINITY;
        if (y >= line.boxTop && y <= line.boxBottom) {
            const double l = std::max(line.lo1 + line.k1 * y, line.lo2 + line.k2 * y);
            const double h = std::min(line.hi1 + line.k1 * y, line.hi2 + line.k2 * y);
            if (l <= h) {
                lo = l;
                hi = h;
            }
        }
        AddDiscChord(line.b, y, lo, hi);
        if (line.startDisc) AddDiscChord(line.a, y, lo, hi);
        return lo <= hi;
    }
    // Widens lo..hi by the chord of the disc about c on the line at height y.
    void AddDiscChord(QPointF c, double y, double& lo, double& hi) const {
        const double dy = y - c.y();
        const double h2 = radius_ * radius_ - dy * dy;
        if (h2 < 0) return;
        const double h = std::sqrt(h2);
        lo = std::min(lo, c.x() - h);
        hi = std::max(hi, c.x() + h);
    }

    double radius_;
    std::vector<Line> lines_;
    int32_t top_ = INT32_MAX, bottom_ = INT32_MIN;
};

template <class Run>
void RoundStroke::Walk(const QRect& window, Run&& run) const {
    if (window.isEmpty()) return;
    const int32_t top = window.top();
    const auto bottom = static_cast<int32_t>(std::min<int64_t>(int64_t{top} + window.height(), INT32_MAX));
    const double left = window.left(), right = static_cast<double>(window.left()) + window.width();
    for (const Line& line : lines_) {
        const int32_t end = std::min(line.endRow, bottom);
        for (int32_t y = std::max(line.firstRow, top); y < end; ++y) {
            double lo, hi;
            if (!RowOf(line, y, lo, hi)) continue;
            // The pixels whose centres lie in lo..hi, the right end left out.
            const double l = std::clamp(std::ceil(lo), left, right), r = std::clamp(std::ceil(hi), left, right);
            if (l < r) run(y, static_cast<int32_t>(l), static_cast<int32_t>(r));
        }
    }
}

}  // namespace gdi
