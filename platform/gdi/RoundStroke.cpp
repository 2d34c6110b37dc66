#include "platform/gdi/RoundStroke.h"

#include <algorithm>
#include <cmath>

namespace gdi {

namespace {

int32_t CeilToInt(double v) { return static_cast<int32_t>(std::clamp(std::ceil(v), -2147483648.0, 2147483647.0)); }

}  // namespace

void RoundStroke::AddLine(QPointF a, QPointF b, bool startDisc) {
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y())) return;
    const double r = radius_;
    Line line{a, b, startDisc, CeilToInt(std::min(a.y(), b.y()) - r), CeilToInt(std::max(a.y(), b.y()) + r),
              0, -INFINITY, INFINITY, 0, -INFINITY, INFINITY, -INFINITY, INFINITY};
    if (line.firstRow >= line.endRow) return;
    top_ = std::min(top_, line.firstRow);
    bottom_ = std::max(bottom_, line.endRow);
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double along = dx * dx + dy * dy;
    if (along == 0) {
        line.boxTop = INFINITY;  // no box, the disc alone
    } else {
        // Within r of the line through a and b: |(x - a.x)·dy - (y - a.y)·dx| <= r·|ab|.
        if (dy != 0) {
            line.k1 = dx / dy;
            const double base = a.x() - a.y() * line.k1, half = r * std::sqrt(along) / std::abs(dy);
            line.lo1 = base - half;
            line.hi1 = base + half;
        } else {
            line.boxTop = a.y() - r;
            line.boxBottom = a.y() + r;
        }
        // Between the perpendiculars through a and b: 0 <= (x - a.x)·dx + (y - a.y)·dy <= |ab|².
        if (dx != 0) {
            line.k2 = -dy / dx;
            const double base = a.x() - a.y() * line.k2, length = along / dx;
            line.lo2 = base + std::min(0.0, length);
            line.hi2 = base + std::max(0.0, length);
        } else {
            line.boxTop = std::min(a.y(), b.y());
            line.boxBottom = std::max(a.y(), b.y());
        }
    }
    lines_.push_back(line);
}

}  // namespace gdi
