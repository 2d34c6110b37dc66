#pragma once
// What figures, trackers and the design model need of the document window's
// drawing surface (the view). The view paints into its current scale canvas
// (an off-screen bitmap while buffered painting is on) and shows it; figures
// and trackers draw and convert coordinates through that canvas and ask the
// view to repaint rectangles of it. The application's view widget implements
// this; tests use small fakes.

#include "foundation/TrackerSurface.h"

#include <cstdint>

class TMMWindowBase : public TTrackerSurface {
public:
    // From the tracker surface: GetScaleCanvas (the current scale canvas),
    // InvalidateRect (a device rectangle, repainted later without erasing
    // the background), ShowFeedback, GetCursor / SetCursor,
    // ReleaseMouseCapture, KeyboardShiftState, ScreenWidth, RunDragLoop.

    // The zoom factor of the current scale canvas.
    virtual float GetZoom() const = 0;
    // Called after each figure has painted itself; nothing by default.
    virtual void AfterFigurePainted() {}
    // Repaints the whole surface later.
    virtual void InvalidateAll() = 0;
    // True while the view holds the mouse capture (from button-down to button-up).
    virtual bool HasMouseCapture() const = 0;
    // A client point of the view in screen coordinates.
    virtual TPoint ClientToScreen(TPoint p) const = 0;
};
