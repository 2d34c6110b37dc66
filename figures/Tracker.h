#pragma once
// Selection trackers: the handles of a selected figure, their drawing and
// hit test, and the mouse drag that resizes, turns or reshapes the figure.
// A tracker never changes its figure: it works on its own copy of the
// geometry, draws inverting feedback while the mouse moves (drawing the same
// feedback twice erases it) and hands the result over through callbacks.
//
// The tracker draws and converts through its drawing surface: the view's
// current scale canvas, on which the feedback is drawn with the not-XOR mix
// into the view's off-screen image. The surface also runs the drag loop: it
// reports mouse moves, the button release, changes of Shift, Ctrl and Alt,
// a cancel (the window losing activation), Escape and the loss of the mouse
// capture, until the tracker says the drag has ended. Escape abandons the
// drag: the feedback goes, the geometry is what it was before and nothing
// is applied; everything else that ends a drag applies its result.

#include "figures/TrackerMath.h"
#include "foundation/TrackerSurface.h"
#include "shapes/HotTrackData.h"

#include <cstdint>
#include <functional>
#include <span>

class TCustomTracker {
public:
    static constexpr int32_t kCursorIds[] = {200, 201, 202, 203, 204, 205, 210, 211, 212, 213, 214};

    explicit TCustomTracker(TTrackerSurface& surface);
    virtual ~TCustomTracker() = default;
    TCustomTracker(const TCustomTracker&) = delete;
    TCustomTracker& operator=(const TCustomTracker&) = delete;

    virtual void BeginTrack(int32_t x, int32_t y, uint32_t shift) {}
    virtual void TrackMove(int32_t x, int32_t y, uint32_t shift) {}
    virtual void EndTrack(int32_t x, int32_t y, uint32_t shift) {}
    // Ends the drag without a result: the feedback is erased and the
    // geometry is the one the drag started from.
    virtual void AbandonTrack() {}
    virtual void ShowHandles() {}
    virtual void HideHandles() { InvalidateHandles(); }
    virtual void UpdateHandles() {}
    // True when a handle was under the point; the drag has then run to its end.
    virtual bool MouseDown(int32_t x, int32_t y) { return false; }
    virtual int32_t GetCursor(int32_t x, int32_t y) { return 0; }
    virtual void InvalidateHandles() {}
    // Draws the handles on the surface's canvas (while the view paints).
    virtual void DrawHandles() {}

    void SetVisible(bool visible);
    void LoadCursors();
    TScaleCanvas& Canvas() const { return surface_.GetScaleCanvas(); }
    TTrackerSurface& Surface() const { return surface_; }

    bool Visible = false;
    std::function<void(TCustomTracker&)> OnBeginTrack;
    // Called after every drag, also an abandoned one (see Abandoned).
    std::function<void(TCustomTracker&)> OnEndTrack;
    // True after a drag that was abandoned: nothing was applied, and the
    // figure may take back the undo step it made when the drag began.
    bool Abandoned = false;
    TRect DragStartBounds;
    int32_t Mode = kTrackNone;

protected:
    // The drag from the handle of the mode grabbed at (x, y); false and no
    // drag for kTrackNone. Mode is kTrackNone again afterwards, also when
    // the drag fails.
    bool TrackFromHandle(int32_t mode, int32_t x, int32_t y);
    // The drag loop, from the button-down at (x, y) to its end. When the
    // drag fails (a callback or the loop raises), the mouse grab is released
    // and the cursor given back before the exception goes on to the caller;
    // the end callback is not called then.
    void Track(int32_t x, int32_t y);
    void InvalidateAround(TPoint p);

private:
    bool HandleDragEvent(const TDragEvent& e);

    TTrackerSurface& surface_;
    TPoint lastPoint_;
    uint32_t lastShift_ = 0;
    bool dragEnded_ = false;
};

class TRectTracker : public TCustomTracker {
public:
    explicit TRectTracker(TTrackerSurface& surface);

    void BeginTrack(int32_t x, int32_t y, uint32_t shift) override;
    void TrackMove(int32_t x, int32_t y, uint32_t shift) override;
    void EndTrack(int32_t x, int32_t y, uint32_t shift) override;
    void AbandonTrack() override;
    void ShowHandles() override;
    void UpdateHandles() override;
    bool MouseDown(int32_t x, int32_t y) override;
    int32_t GetCursor(int32_t x, int32_t y) override;
    void InvalidateHandles() override;
    void DrawHandles() override;

    void SetGeometry(const TTrackGeometry& g) { Geometry = g; }
    int32_t HitHandle(int32_t x, int32_t y);
    const TRectHandlePoints& Handles() const { return handles_; }

    THotTrackData AdjustHandles;
    TTrackGeometry Geometry;
    TTrackGeometry SavedGeometry;
    uint8_t HandleFlags = kHandleCorners | kHandleEdges | kHandleRotation;

    // The figure draws its own feedback when it sets handled.
    std::function<void(TRectTracker&, TTrackGeometry&, bool& handled)> OnFeedback;
    std::function<void(TRectTracker&, const TTrackGeometry&)> OnApply;
    std::function<void(TRectTracker&, int32_t index, const THotTrackEntry&)> OnAdjustMove;
    std::function<void(TRectTracker&, int32_t index, const THotTrackEntry&)> OnAdjustEnd;

private:
    void DrawFeedback(TTrackGeometry g);
    void DrawRotationLine(const TTrackGeometry& g);
    void TrackAdjust(int32_t x, int32_t y);
    bool IsAdjustMode() const;
    int32_t AdjustIndex() const { return Mode - kTrackAdjust; }

    TPoint startPoint_, currentPoint_;
    TPoint startUnrotated_, currentUnrotated_;
    TPoint grabOffset_;
    TRectHandlePoints handles_;
    THotTrackEntry savedAdjust_;  // the adjust handle's entry when its drag began
};

class TLineTracker : public TCustomTracker {
public:
    explicit TLineTracker(TTrackerSurface& surface) : TCustomTracker(surface) {}

    void BeginTrack(int32_t x, int32_t y, uint32_t shift) override;
    void TrackMove(int32_t x, int32_t y, uint32_t shift) override;
    void EndTrack(int32_t x, int32_t y, uint32_t shift) override;
    void AbandonTrack() override;
    void ShowHandles() override;
    void UpdateHandles() override;
    bool MouseDown(int32_t x, int32_t y) override;
    int32_t GetCursor(int32_t x, int32_t y) override;
    void InvalidateHandles() override;
    void DrawHandles() override;

    void SetLine(const TLineTrackGeometry& line) { Line = line; }
    int32_t HitHandle(int32_t x, int32_t y);
    TPoint EndPoint1() const { return p1_; }
    TPoint EndPoint2() const { return p2_; }

    TLineTrackGeometry Line;
    TLineTrackGeometry SavedLine;
    std::function<void(TLineTracker&, const TLineTrackGeometry&)> OnApply;
    std::function<void(TLineTracker&, TLineTrackGeometry&, bool& handled)> OnFeedback;

private:
    void DrawFeedback(TLineTrackGeometry line);

    TPoint p1_, p2_;
    TPoint startPoint_;
};
