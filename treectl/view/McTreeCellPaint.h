#pragma once
// What the tree view keeps while it paints one cell: the cell's rectangle
// on screen, the row's top and bottom, and the edge that moves over the
// parts of the main cell (from the left, or from the right with a
// right-aligned tree).

#include "treectl/view/McTreeView.h"

#include "platform/gdi/GdiTypes.h"

struct TMcTreeView::CellPaint {
    gdi::Rect cell;      // view coordinates, bottom exclusive
    int32_t top = 0;     // the row's first pixel
    int32_t bottom = 0;  // one below the row's last pixel
    int32_t edge = 0;    // view x
    bool mirrored = false;

    int32_t Height() const { return bottom - top; }
    int32_t Middle() const { return top + Height() / 2; }
    // The slot of the width that begins at the edge, towards the far side.
    gdi::Rect Slot(int32_t width) const {
        return mirrored ? gdi::Rect{edge - width, top, edge, bottom} : gdi::Rect{edge, top, edge + width, bottom};
    }
    void Advance(int32_t pixels) { edge += mirrored ? -pixels : pixels; }
    // How far the edge is from the cell's far side.
    int32_t Room() const { return mirrored ? edge - cell.left : cell.right - edge; }
};

// The font, colours and flags of a cell's text.
struct TMcTreeView::CellText {
    gdi::LogFont font;
    gdi::Color color = 0;
    gdi::Color back = 0;
    bool fill = false;
    uint32_t flags = 0;
};
