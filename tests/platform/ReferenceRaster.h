#pragma once
// The slow way of the pixel tests: every pixel of a shape's whole box is
// tested on its own and the result kept as a region, regions are combined
// and shifted to find outlines, and pixels are painted one by one. The
// canvases' row-by-row rasterisers must paint exactly the same pixels.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/LineDDA.inl"

#include <QtGui/QImage>
#include <QtGui/QRegion>

#include <span>
#include <vector>

namespace gdi::test {

// The pixels of the box for which inside(x, y) holds.
template <typename Inside>
QRegion PixelRegion(const QRect& box, Inside inside) {
    QRegion region;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (inside(x, y)) region += QRect(x, y, 1, 1);
        }
    }
    return region;
}

// Whether a pixel's centre lies inside the polygons by the fill rule. An edge
// through the centre counts as lying left of it; an edge covers the rows
// whose centres lie from its upper end up to, not including, its lower end.
inline bool PolygonContains(std::span<const Point> points, std::span<const int32_t> counts, PolyFillMode mode,
                            int32_t x, int32_t y) {
    int32_t winding = 0;
    size_t start = 0;
    const int64_t cx = 2 * int64_t{x} + 1, cy = 2 * int64_t{y} + 1;  // doubled centre
    for (const int32_t count : counts) {
        for (int32_t i = 0; i < count; ++i) {
            Point a = points[start + i], b = points[start + (i + 1) % count];
            int32_t direction = 1;
            if (a.y == b.y) continue;
            if (a.y > b.y) {
                std::swap(a, b);
                direction = -1;
            }
            if (cy < 2 * int64_t{a.y} || cy >= 2 * int64_t{b.y}) continue;
            // The centre lies on or right of the edge.
            if ((cx - 2 * int64_t{a.x}) * (b.y - a.y) >= (cy - 2 * int64_t{a.y}) * (b.x - a.x)) winding += direction;
        }
        start += static_cast<size_t>(count);
    }
    return mode == PolyFillMode::Winding ? winding != 0 : (winding & 1) != 0;
}

// The pixels of a region that have their four neighbours in it.
inline QRegion Eroded(const QRegion& r) {
    return r.intersected(r.translated(1, 0)).intersected(r.translated(-1, 0)).intersected(r.translated(0, 1)).intersected(
        r.translated(0, -1));
}

// A thin pen's pixels along a closed or open polyline, each line without its
// end pixel, in the order they are drawn; with a dash pattern (pixels on,
// off, ...) only those of the dashes, or those of the gaps.
inline std::vector<QPoint> ThinPixels(std::span<const QPoint> points, std::span<const int> dashes = {}, bool gaps = false) {
    std::vector<QPoint> pixels;
    int64_t walked = 0, period = 0;
    for (const int d : dashes) period += d;
    auto inDash = [&] {
        if (dashes.empty()) return true;
        int64_t at = walked % period;
        for (size_t i = 0; i < dashes.size(); ++i) {
            if (at < dashes[i]) return i % 2 == 0;
            at -= dashes[i];
        }
        return true;
    };
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        LineDDA(points[i].x(), points[i].y(), points[i + 1].x(), points[i + 1].y(), [&](int32_t x, int32_t y) {
            if (inDash() != gaps) pixels.push_back({x, y});
            ++walked;
        });
    }
    return pixels;
}

// Mixes a colour into each pixel of the region that lies on the image.
inline void PaintPixels(QImage& image, const QRegion& region, Rop2 mix, Color color) {
    for (const QRect& r : region) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (!image.rect().contains(x, y)) continue;
                QRgb& pixel = reinterpret_cast<QRgb*>(image.scanLine(y))[x];
                const uint32_t pen = qRgb(static_cast<int>(RedOf(color)), static_cast<int>(GreenOf(color)),
                                          static_cast<int>(BlueOf(color)));
                pixel = (mix == Rop2::XorPen ? (pixel ^ pen) : pen) | 0xFF000000u;
            }
        }
    }
}

}  // namespace gdi::test
