#pragma once
// Bresenham's walk along the major axis; the end point is left out, so that
// lines joined end to start visit every pixel once. Distances are 64-bit, so
// lines between any two 32-bit points walk without overflow.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace gdi {

inline int64_t LineDDALength(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return std::max(std::abs(int64_t{x2} - x1), std::abs(int64_t{y2} - y1));
}

template <typename Visit>
void LineDDASteps(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int64_t first, int64_t last, Visit visit) {
    const int64_t dx = std::abs(int64_t{x2} - x1);
    const int64_t dy = std::abs(int64_t{y2} - y1);
    const bool xMajor = dx >= dy;
    const int64_t major = xMajor ? dx : dy;
    const int64_t minor = xMajor ? dy : dx;
    first = std::clamp<int64_t>(first, 0, major);
    last = std::clamp<int64_t>(last, first, major);
    if (first == last) return;
    // Before step i the walk has made the fewest minor steps k >= 0 with
    // 2·major·k >= 2·minor·i - major; its error is then
    // 2·minor·(i + 1) - major - 2·major·k, which stays within 2·major.
    const __int128 behind = __int128{2} * minor * first - major;
    const int64_t k = behind > 0 ? static_cast<int64_t>((behind + 2 * major - 1) / (2 * major)) : 0;
    int64_t error = static_cast<int64_t>(__int128{2} * minor * (first + 1) - major - __int128{2} * major * k);
    const int64_t majorStep = (xMajor ? x1 < x2 : y1 < y2) ? 1 : -1;
    const int64_t minorStep = (xMajor ? y1 < y2 : x1 < x2) ? 1 : -1;
    int64_t along = (xMajor ? x1 : y1) + majorStep * first;
    int64_t across = (xMajor ? y1 : x1) + minorStep * k;
    for (int64_t i = first; i < last; ++i) {
        if (xMajor) {
            visit(static_cast<int32_t>(along), static_cast<int32_t>(across));
        } else {
            visit(static_cast<int32_t>(across), static_cast<int32_t>(along));
        }
        if (error > 0) {
            across += minorStep;
            error -= 2 * major;
        }
        error += 2 * minor;
        along += majorStep;
    }
}

template <typename Visit>
void LineDDA(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Visit visit) {
    LineDDASteps(x1, y1, x2, y2, 0, LineDDALength(x1, y1, x2, y2), visit);
}

}  // namespace gdi
