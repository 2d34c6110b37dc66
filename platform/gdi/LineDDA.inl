#pragma once
// Bresenham's walk along the major axis; the end point is left out, so that
// lines joined end to start visit every pixel once.

#include <cstdlib>

namespace gdi {

template <typename Visit>
void LineDDA(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Visit visit) {
    const int32_t dx = std::abs(x2 - x1);
    const int32_t dy = std::abs(y2 - y1);
    const int32_t sx = x1 < x2 ? 1 : -1;
    const int32_t sy = y1 < y2 ? 1 : -1;
    int32_t x = x1;
    int32_t y = y1;
    if (dx >= dy) {
        int32_t error = 2 * dy - dx;
        for (int32_t i = 0; i < dx; ++i) {
            visit(x, y);
            if (error > 0) {
                y += sy;
                error -= 2 * dx;
            }
            error += 2 * dy;
            x += sx;
        }
    } else {
        int32_t error = 2 * dx - dy;
        for (int32_t i = 0; i < dy; ++i) {
            visit(x, y);
            if (error > 0) {
                x += sx;
                error -= 2 * dy;
            }
            error += 2 * dx;
            y += sy;
        }
    }
}

}  // namespace gdi
