#pragma once
// Where a label lands on the printed sheet and what it is clipped to, and the
// walk over the label positions with the first-sheet mask.
//
// Positions are numbered from 1, row by row from the top-left of the portrait
// sheet. A label's clip rectangle, in label coordinates, reaches half the gap
// towards each neighbour and half the margin at the sheet's outer edges (the
// sheet has no right or bottom margin of its own: the left and top margins
// stand for them).
//
// The first-sheet mask (see PrintOptions.h) applies to the first sheet only;
// a position past the mask's end counts as free.

#include "foundation/Scaler.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class TEtikett;

struct TLabelPlace {
    int32_t Column = 0;
    int32_t Row = 0;
    // The top-left corner of the label on the sheet, mm.
    double OriginX = 0;
    double OriginY = 0;
    // Label coordinates, mm.
    double ClipLeft = 0, ClipTop = 0, ClipRight = 0, ClipBottom = 0;
};

// The label positions of the sheet (columns x rows), within 1 .. kMaxSheetLabels.
int32_t LabelPositionsOf(const TEtikett& sheet);

// Position n (from 1) of the sheet's grid.
TLabelPlace LabelPlaceOf(const TEtikett& sheet, int32_t position);

bool MaskPositionFree(std::string_view mask, int32_t position);
// The free positions among 1 .. positions.
int32_t CountMarkedPositions(std::string_view mask, int32_t positions);

struct TNextLabel {
    int32_t Position = 1;
    // The walk went past the last position of the first sheet.
    bool FirstSheetUsedUp = false;
};
// The position after current (0 before the first label) on a sheet of the
// given number of positions. On the first sheet the walk skips the missing
// labels; when none is left it answers position 1 of the next sheet.
TNextLabel NextLabelPosition(std::string_view mask, int32_t positions, int32_t current, bool onFirstSheet);

// The two white polygons (label coordinates, four corners each) painted over
// every label of the three articles whose stationery has printed parts; none
// for any other shape key (compared exactly).
using TArticleMask = std::array<std::array<TFloatPoint, 4>, 2>;
const TArticleMask* SpecialArticleMask(const std::string& shapeKey);
