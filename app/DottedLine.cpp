#include "app/DottedLine.h"

#include "platform/gdi/LineDDA.inl"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr int kDotRun = 7;
constexpr int kDotsInverted = 3;

// Whether a pixel continues a run of pixels along one row or one column.
bool Continues(const gdi::Rect& run, const gdi::Rect& pixel) {
    const bool sameRow = pixel.top == run.top && pixel.bottom == run.bottom;
    const bool sameColumn = pixel.left == run.left && pixel.right == run.right;
    return (sameRow && (pixel.left == run.right || pixel.right == run.left)) ||
           (sameColumn && (pixel.top == run.bottom || pixel.bottom == run.top));
}

// Without a mapping the dashes are one region, inverted at once; with one,
// each dash is inverted through the mapping.
void InvertDashes(gdi::Canvas& canvas, std::vector<gdi::Rect>& dashes) {
    if (dashes.empty()) return;
    if (!gdi::IsIdentity(canvas.LogicalToDevice())) {
        for (const gdi::Rect& r : dashes) canvas.PatBlt(r, gdi::DSTINVERT);
        return;
    }
    // A region takes its rectangles in rows from the top, each row from the left.
    std::sort(dashes.begin(), dashes.end(), [](const gdi::Rect& a, const gdi::Rect& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    std::vector<QRect> rects;
    rects.reserve(dashes.size());
    for (const gdi::Rect& r : dashes) rects.emplace_back(r.left, r.top, r.Width(), r.Height());
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    canvas.InvertRgn(gdi::Region(region));
}

}  // namespace

void DrawDottedLine(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    canvas.brush().style = gdi::BrushStyle::Null;
    canvas.pen().color = gdi::Rgb(0, 0, 0);
    // The pixels of one dash that lie in a row or column are inverted as one
    // rectangle: a long line then costs a few hundred inversions, not a thousand.
    std::vector<gdi::Rect> dashes;
    std::optional<gdi::Rect> dash;
    auto endDash = [&] {
        if (dash) dashes.push_back(*dash);
        dash.reset();
    };
    int counter = 0;
    gdi::LineDDA(x1, y1, x2, y2, [&](int32_t x, int32_t y) {
        if (++counter <= kDotsInverted) {
            const gdi::Rect pixel{x, y, x + 1, y + 1};
            if (dash && Continues(*dash, pixel)) {
                dash = gdi::UnionRect(*dash, pixel);
            } else {
                endDash();
                dash = pixel;
            }
        } else {
            endDash();
        }
        if (counter == kDotRun) counter = 0;
    });
    endDash();
    InvertDashes(canvas, dashes);
}

void DrawDottedRect(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    DrawDottedLine(canvas, x1, y1, x2, y1);
    DrawDottedLine(canvas, x2, y1, x2, y2);
    DrawDottedLine(canvas, x2, y2, x1, y2);
    DrawDottedLine(canvas, x1, y2, x1, y1);
}
