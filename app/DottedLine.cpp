#include "app/DottedLine.h"

#include "platform/gdi/LineDDA.inl"

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
    for (const gdi::Rect& r : dashes) canvas.PatBlt(r, gdi::DSTINVERT);
}

void DrawDottedRect(gdi::Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    DrawDottedLine(canvas, x1, y1, x2, y1);
    DrawDottedLine(canvas, x2, y1, x2, y2);
    DrawDottedLine(canvas, x2, y2, x1, y2);
    DrawDottedLine(canvas, x1, y2, x1, y1);
}
