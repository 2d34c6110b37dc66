#pragma once
// Where the parts of the flat scroll bar lie: its arrow buttons (and the
// secondary buttons beside them), the track and the thumb, whose length
// follows the page. All values are along the bar (x of a horizontal bar, y
// of a vertical one) in client pixels, from its start.

#include <cstdint>

enum class TMcScrollBarPart : uint8_t {
    sbpNone = 0, sbpStartArrow = 1, sbpEndSecondary = 2, sbpEndArrow = 3, sbpStartSecondary = 4, sbpThumb = 5,
    sbpTrackBefore = 6, sbpTrackAfter = 7,
};
enum class TMcScrollThumbMode : uint8_t { etmFixed, etmAuto };

struct TMcScrollGeometry {
    int32_t length = 0;  // along the bar
    int32_t cross = 0;   // across it
    bool showStartArrows = true;
    bool showEndArrows = true;
    bool secondaryButtons = false;
    int32_t buttonBase = 17;  // the wanted button length
    TMcScrollThumbMode thumbMode = TMcScrollThumbMode::etmAuto;
    int32_t fixedThumb = 0;   // the thumb's length in the fixed mode
    int32_t systemThumb = 17;
    int32_t minThumb = 4;
    int32_t min = 0, max = 100, page = 1, position = 0;

    int32_t StartButtonCount() const { return showStartArrows ? (secondaryButtons ? 2 : 1) : 0; }
    int32_t EndButtonCount() const { return showEndArrows ? (secondaryButtons ? 2 : 1) : 0; }
    int32_t ButtonCount() const { return StartButtonCount() + EndButtonCount(); }
    // The button length: the wanted one, or what is left for each when the bar is shorter than all buttons.
    int32_t ButtonSize() const;
    // The thumb's length; 0 when no thumb fits into the track.
    int32_t ThumbSize() const;
    int32_t TrackLength() const;
    // The thumb's start for the position.
    int32_t ThumbFromPosition() const;
    // The position for a thumb start, within min .. max.
    int32_t PositionFromThumb(int32_t thumbPos) const;
    // The part at a point, a along and c across the bar.
    TMcScrollBarPart PartAt(int32_t a, int32_t c, int32_t thumbPos) const;
};
