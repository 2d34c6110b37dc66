#include "foundation/QBezier.h"

#include "foundation/Rounding.h"

#include <cmath>

gdi::Point BezierPoint(int32_t n, std::span<const gdi::Point> controls, double t) {
    double x = 0, y = 0;
    double binomial = 1;
    for (int32_t k = 0; k <= n && static_cast<size_t>(k) < controls.size(); ++k) {
        if (k > 0) binomial = binomial * (n - k + 1) / k;
        const double weight = binomial * std::pow(t, k) * std::pow(1 - t, n - k);
        x += weight * controls[static_cast<size_t>(k)].x;
        y += weight * controls[static_cast<size_t>(k)].y;
    }
    return {Round(x), Round(y)};
}

void BezierPoints(int32_t n, int32_t steps, std::span<const gdi::Point> controls, std::span<gdi::Point> out) {
    if (steps <= 0) {
        if (!out.empty()) out[0] = BezierPoint(n, controls, 0);
        return;
    }
    double t = 0;
    for (int32_t i = 0; i <= steps && static_cast<size_t>(i) < out.size(); ++i) {
        out[static_cast<size_t>(i)] = BezierPoint(n, controls, t);
        t += 1.0 / steps;
    }
}

void QuadBezierPoints(std::span<const gdi::Point> controls, std::span<gdi::Point> out) {
    BezierPoints(2, static_cast<int32_t>(out.size()) - 1, controls, out);
}
