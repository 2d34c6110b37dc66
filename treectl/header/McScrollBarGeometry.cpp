#include "treectl/header/McScrollBarGeometry.h"

#include "foundation/Rounding.h"

#include <algorithm>

int32_t TMcScrollGeometry::ButtonSize() const {
    const int32_t count = ButtonCount();
    if (count > 0 && length < buttonBase * count) return length / count;
    return buttonBase;
}

int32_t TMcScrollGeometry::TrackLength() const { return std::max(0, length - ButtonSize() * ButtonCount()); }

int32_t TMcScrollGeometry::ThumbSize() const {
    if (thumbMode == TMcScrollThumbMode::etmFixed) return fixedThumb;
    const int32_t track = TrackLength();
    const int64_t range = int64_t{max} - min + 1;
    int32_t t = track;
    if (max >= min + 1 && page == 0) {
        t = systemThumb;
    } else if (page > 0 && max >= min + 1 && int64_t{max} - min >= page && range <= INT32_MAX) {
        t = MulDiv(static_cast<int32_t>(std::min<int64_t>(page, range)), track, static_cast<int32_t>(range));
    }
    t = std::max(t, minThumb);
    return t <= track ? t : 0;
}

namespace {

// The part of the range the thumb travels over: the range less one page.
int64_t Span(const TMcScrollGeometry& g) {
    const int64_t range = int64_t{g.max} - g.min + 1;
    return range - std::min<int64_t>(g.page, range);
}

}  // namespace

int32_t TMcScrollGeometry::ThumbFromPosition() const {
    const int32_t bs = ButtonSize(), ts = ThumbSize();
    const int32_t start = bs * StartButtonCount();
    if (length <= bs * ButtonCount() + ts || max < min) return start;
    const int64_t span = Span(*this);
    if (span <= 0) return start;
    const int64_t offset = MulDiv64(length - bs * ButtonCount() - ts, std::min<int64_t>(int64_t{position} - min, span), span);
    return start + static_cast<int32_t>(std::max<int64_t>(0, offset));
}

int32_t TMcScrollGeometry::PositionFromThumb(int32_t thumbPos) const {
    const int32_t bs = ButtonSize();
    const int64_t travel = int64_t{length} - bs * ButtonCount() - ThumbSize();
    // A thumb that cannot travel stands for the start of the range.
    if (travel <= 0 || max < min) return min;
    const int64_t value = min + MulDiv64(thumbPos - bs * StartButtonCount(), Span(*this), travel);
    return static_cast<int32_t>(std::clamp<int64_t>(value, min, max));
}

TMcScrollBarPart TMcScrollGeometry::PartAt(int32_t a, int32_t c, int32_t thumbPos) const {
    if (c < 0 || c > cross) return TMcScrollBarPart::sbpNone;
    const int32_t bs = ButtonSize();
    if (showStartArrows && a >= 0 && a <= bs) return TMcScrollBarPart::sbpStartArrow;
    if (showEndArrows && length - a < bs) return TMcScrollBarPart::sbpEndArrow;
    if (secondaryButtons) {
        if (showStartArrows && a >= bs && a <= 2 * bs) return TMcScrollBarPart::sbpStartSecondary;
        if (showEndArrows && a >= length - 2 * bs && a <= length - bs) return TMcScrollBarPart::sbpEndSecondary;
    }
    if (a < thumbPos) return TMcScrollBarPart::sbpTrackBefore;
    if (a < thumbPos + ThumbSize()) return TMcScrollBarPart::sbpThumb;
    return TMcScrollBarPart::sbpTrackAfter;
}
