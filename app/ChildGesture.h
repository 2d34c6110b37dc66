#pragma once
// The state of one mouse gesture on a document window's view, from the left
// press to its release (device pixels of the view).

#include "foundation/PointHelpers.h"
#include "shapes/AutoShape.h"
#include "shapes/HotTrackData.h"

#include <cstdint>
#include <memory>

struct TChildGesture {
    // What a select-mode gesture does.
    enum : uint8_t { kSelectNone = 0, kSelectBand = 1, kSelectMove = 2, kSelectTracker = 4 };

    // The left button went down on the view and has not come up.
    bool Dragging = false;
    TPoint StartPoint;
    TPoint CurrentPoint;
    // The corners of the rubber band as drawn (after Ctrl and Shift).
    TPoint RubberStart;
    TPoint RubberEnd;
    uint8_t SelectState = kSelectNone;
    // The selection's pixel rectangle and repaint bounds when a move began.
    TRect SelectionRect;
    TRect SelectionBounds;
    // The move passed the drag threshold.
    bool Moved = false;
    // No move outline has been drawn yet.
    bool FirstMove = false;
    // A move outline or rubber band is on the screen.
    bool OutlineDrawn = false;
    // Repainted when the gesture ends.
    TRect InvalidRect;
    // The shape of the rubber band of a creation mode, and its handles as created.
    std::unique_ptr<TAbstractAutoShape> OutlineShape;
    THotTrackData OutlineHotTrack;
};
