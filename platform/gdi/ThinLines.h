#pragma once
// Thin-pen lines on raster devices: each line of a polyline is walked as
// LineDDA walks it, from its start up to, not including, its end; the pixels
// leave as runs along rows or columns, those of the dashes apart from those of the gaps.
// Dashes run on across the lines of one polyline, also across the parts that
// lie outside the window and are not walked. Internal to the drawing layer.

#include <QtCore/QList>
#include <QtCore/QPoint>
#include <QtCore/QRect>

#include <cstdint>
#include <span>
#include <vector>

namespace gdi {

// Where a thin pen's line stands in its dash pattern (no pattern: always on).
class DashWalk {
public:
    // Dash and gap lengths in pixels, alternately, starting with a dash.
    explicit DashWalk(const QList<qreal>& pattern);
    bool On() const { return dash_ % 2 == 0; }
    void Advance(int64_t pixels);

private:
    std::vector<int64_t> lengths_;
    int64_t period_ = 0;
    size_t dash_ = 0;
    int64_t left_ = 0;
};

// Where the runs go: pixels left..right-1 of row y, or top..bottom-1 of
// column x, in a dash (on) or a gap.
class RunSink {
public:
    virtual ~RunSink() = default;
    virtual void Run(bool on, int32_t y, int32_t left, int32_t right) = 0;
    virtual void Column(bool on, int32_t x, int32_t top, int32_t bottom) {
        for (int32_t y = top; y < bottom; ++y) Run(on, y, x, x + 1);
    }
};

// Walks the polyline's pixels within the window.
void WalkThinPolyline(std::span<const QPoint> points, const QList<qreal>& dashes, const QRect& window,
                      RunSink& sink);

}  // namespace gdi
