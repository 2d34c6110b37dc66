#pragma once
// Cutting lines printed with sheets that the user cuts up afterwards
// (envelopes folded from A4, A5 to A9 cards, card and sleeve formats). A scheme
// is named by the sheet's cut-mark key; its dotted lines and rectangles lie in
// millimetres on the portrait A4 page.

#include "foundation/ScaleCanvas.h"

#include <cstdint>
#include <string_view>

// Draws the scheme of the key (exact, case-sensitive) with a dark grey dotted
// one-pixel pen and a clear brush; anything else draws nothing. The pen style
// is solid again afterwards, also when drawing fails.
void DrawCutMarkScheme(TScaleCanvas& canvas, std::string_view scheme);
// Rectangles of a regular grid, row by row.
void DrawCutMarkGrid(TScaleCanvas& canvas, int32_t columns, int32_t rows, float width, float height, float left,
                     float top, float gapX, float gapY);
