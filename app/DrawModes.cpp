#include "app/DrawModes.h"

#include "figures/Rasten.h"
#include "figures/Tracker.h"
#include "foundation/Rounding.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

// The hover cursor of each mode (screen cursor numbers of the main window).
constexpr int32_t kModeCursors[] = {
    0,   // 0 select: the design decides
    4,   // 1 line
    5,   // 2 rectangle
    6,   // 3 ellipse
    7,   // 4 plain text
    8,   // 5 (no command)
    9,   // 6 (no command)
    10,  // 7 picture
    12,  // 8 turned plain text
    13,  // 9 directory listing
    14,  // 10 zoom
    15,  // 11 field text
    7,   // 12 rich text
    12,  // 13 round rich text
    18,  // 14 auto-shape
    19,  // 15 WordArt
    11,  // 16 barcode
    21,  // 17 symbol character
    22,  // 18 track list
    10,  // 19 clipart
    23,  // 20 table
    24,  // 21 counter
    10,  // 22 index print
};
static_assert(std::size(kModeCursors) == kLastDrawMode + 1);

constexpr int32_t kZoomOutCursor = 20;
constexpr int32_t kDragThreshold = 4;
// The half height of a dropped field's box at zoom 1, in pixels; it is four times as wide.
constexpr float kFieldDropHalfHeight = 15;

int32_t Sign(int64_t v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

int32_t Clamped(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The offset that puts the nearer of the two moved edges on its grid line.
int32_t SnapEdgeOffset(int32_t low, int32_t high, int32_t snappedLow, int32_t snappedHigh) {
    const int64_t dLow = std::llabs(int64_t{snappedLow} - low);
    const int64_t dHigh = std::llabs(int64_t{snappedHigh} - high);
    if (dHigh < dLow && dLow - dHigh > 1) return Clamped(int64_t{snappedHigh} - high);
    return Clamped(int64_t{snappedLow} - low);
}

}  // namespace

int32_t DrawModeCursor(uint8_t mode, bool ctrlHeld) {
    if (mode > kLastDrawMode) return 0;
    if (mode == kModeZoom && ctrlHeld) return kZoomOutCursor;
    return kModeCursors[mode];
}

bool IsCreationMode(uint8_t mode) { return mode != kModeSelect && mode != kModeZoom; }

bool IsRealDrag(uint8_t mode, TPoint a, TPoint b) {
    const int64_t dx = std::llabs(int64_t{a.x} - b.x);
    const int64_t dy = std::llabs(int64_t{a.y} - b.y);
    if (mode == kModeZoom) return true;
    if (mode == kModeSelect || mode == kModeLine) return dx >= kDragThreshold || dy >= kDragThreshold;
    return dx >= kDragThreshold && dy >= kDragThreshold;
}

TRubberBand ConstrainDragRect(TPoint start, TPoint current, uint32_t shift) {
    TRubberBand band{start, current};
    if (shift & kCtrlKey) {
        const int64_t dx = int64_t{current.x} - start.x;
        const int64_t dy = int64_t{current.y} - start.y;
        const int64_t e = std::max(std::llabs(dx), std::llabs(dy));
        band.end = {Clamped(start.x + e * Sign(dx)), Clamped(start.y + e * Sign(dy))};
    }
    if (shift & kShiftKey)
        band.start = {Clamped(2 * int64_t{band.start.x} - band.end.x), Clamped(2 * int64_t{band.start.y} - band.end.y)};
    return band;
}

TPoint LockDominantAxis(TPoint start, TPoint p) {
    const int64_t dx = std::llabs(int64_t{p.x} - start.x);
    const int64_t dy = std::llabs(int64_t{p.y} - start.y);
    if (dy < dx) return {p.x, start.y};
    return {start.x, p.y};
}

TPoint SnapMoveDelta(const TRect& rect, TPoint start, TPoint p, const TCustomScaler& scaler) {
    const TRect moved = rect.Offset(Clamped(int64_t{p.x} - start.x), Clamped(int64_t{p.y} - start.y));
    const int32_t dx = SnapEdgeOffset(moved.left, moved.right, SnapPixelX(moved.left, scaler), SnapPixelX(moved.right, scaler));
    const int32_t dy = SnapEdgeOffset(moved.top, moved.bottom, SnapPixelY(moved.top, scaler), SnapPixelY(moved.bottom, scaler));
    return {Clamped(int64_t{p.x} + dx), Clamped(int64_t{p.y} + dy)};
}

TRect RubberShapeBox(TPoint a, TPoint b) {
    TRect box = TRect{a.x, a.y, b.x, b.y}.Normalized();
    if ((int64_t{box.left} + box.right) % 2 != 0) box.right = Clamped(int64_t{box.right} + 1);
    if ((int64_t{box.top} + box.bottom) % 2 != 0) box.bottom = Clamped(int64_t{box.bottom} + 1);
    return box;
}

TRect FieldDropBox(float zoom, TPoint p) {
    const int64_t l = Round(static_cast<long double>(zoom) * kFieldDropHalfHeight);
    return {Clamped(p.x - 4 * l), Clamped(p.y - l), Clamped(p.x + 4 * l), Clamped(p.y + l)};
}
