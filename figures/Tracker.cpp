#include "figures/Tracker.h"

#include "foundation/PointHelpers.h"

#include "foundation/ScaleCanvas.h"

#include <algorithm>

namespace {

constexpr gdi::Color kFeedbackColor = 0xFF8080;
constexpr gdi::Color kFrameColor = 0xFF0000;
constexpr gdi::Color kRotationLineColor = 0xC0C0FF;
constexpr gdi::Color kBlack = 0x000000;
constexpr gdi::Color kSilver = 0xC0C0C0;
constexpr gdi::Color kWhite = 0xFFFFFF;
constexpr gdi::Color kLime = 0x00FF00;
constexpr gdi::Color kRed = 0x0000FF;
constexpr gdi::Color kYellow = 0x00FFFF;

TRect BoundsOf(std::span<const TPoint> points) {
    // Right and bottom are outside a rectangle; one more pixel for the pen.
    return BoundsOfPoints(points).Inflated(2, 2);
}

// The canvas state of one drawing step, given back however the step ends:
// a figure's feedback callback that fails must not leave the view drawing
// with the inverting mix.
class SavedState {
public:
    explicit SavedState(gdi::Canvas& dc) : dc_(dc), level_(dc.SaveDC()) {}
    ~SavedState() { dc_.RestoreDC(level_); }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

private:
    gdi::Canvas& dc_;
    int32_t level_;
};

// Thin inverting lines: drawing the same ones again restores the pixels.
void PrepareInverting(gdi::Canvas& dc, gdi::Color color) {
    dc.brush().style = gdi::BrushStyle::Null;
    dc.SetPen(gdi::Pen{});
    dc.pen().width = 1;
    dc.pen().color = color;
    dc.SetROP2(gdi::Rop2::NotXorPen);
}

void SetHandleLook(gdi::Canvas& dc, bool active, gdi::Color activeBrush) {
    dc.SetPen(gdi::Pen{});
    dc.pen().color = active ? kBlack : kSilver;
    dc.SetBrush(gdi::Brush{});
    dc.brush().color = active ? activeBrush : kWhite;
}

// v + d, stopping at the ends of the range (the handles of far-off figures).
int32_t Shifted(int32_t v, int32_t d) {
    return gdi::Saturated(int64_t{v} + d);
}

void DrawDiamond(gdi::Canvas& dc, TPoint p) {
    const TPoint corners[] = {{Shifted(p.x, -4), p.y}, {p.x, Shifted(p.y, -4)}, {Shifted(p.x, 4), p.y},
                              {p.x, Shifted(p.y, 4)}};
    dc.Polygon(corners);
}

// The 7 x 7 pixel box of a handle.
TRect HandleBox(TPoint p) {
    return {Shifted(p.x, -3), Shifted(p.y, -3), Shifted(p.x, 4), Shifted(p.y, 4)};
}

}  // namespace

// ---- TCustomTracker

TCustomTracker::TCustomTracker(TTrackerSurface& surface) : surface_(surface) {
    LoadCursors();
}

void TCustomTracker::LoadCursors() {
    surface_.LoadCursors(kCursorIds);
}

void TCustomTracker::SetVisible(bool visible) {
    if (visible == Visible) return;
    Visible = visible;
    if (visible)
        ShowHandles();
    else
        HideHandles();
}

void TCustomTracker::InvalidateAround(TPoint p) {
    // Saturated: a handle of a far-off figure lies at the end of the range.
    surface_.InvalidateRect(TRect{p.x, p.y, p.x, p.y}.Inflated(5, 5));
}

bool TCustomTracker::TrackFromHandle(int32_t mode, int32_t x, int32_t y) {
    Mode = mode;
    if (mode == kTrackNone) return false;
    struct ModeReset {
        int32_t& mode;
        ~ModeReset() { mode = kTrackNone; }
    } reset{Mode};
    Track(x, y);
    return true;
}

void TCustomTracker::Track(int32_t x, int32_t y) {
    const uint32_t shift = surface_.KeyboardShiftState();
    const int32_t savedCursor = surface_.GetCursor();
    lastPoint_ = {x, y};
    lastShift_ = shift;
    dragEnded_ = false;
    Abandoned = false;
    try {
        if (OnBeginTrack) OnBeginTrack(*this);
        BeginTrack(x, y, shift);
        surface_.RunDragLoop([this](const TDragEvent& e) { return HandleDragEvent(e); });
        // A surface that stops without a word ends the drag like a lost capture.
        if (!dragEnded_) HandleDragEvent({TDragEvent::Kind::CaptureLost, lastPoint_, lastShift_});
    } catch (...) {
        // A drag that fails leaves neither the mouse grab nor its cursor
        // behind; the caller reports the error.
        dragEnded_ = true;
        surface_.ReleaseMouseCapture();
        surface_.SetCursor(savedCursor);
        throw;
    }
    surface_.SetCursor(savedCursor);
    if (OnEndTrack) OnEndTrack(*this);
}

bool TCustomTracker::HandleDragEvent(const TDragEvent& e) {
    if (dragEnded_) return true;
    switch (e.kind) {
    case TDragEvent::Kind::Move:
        lastPoint_ = e.point;
        lastShift_ = e.shift;
        TrackMove(e.point.x, e.point.y, e.shift);
        return false;
    case TDragEvent::Kind::KeyState: {
        if ((e.shift & kModifierKeys) == (lastShift_ & kModifierKeys)) return false;
        lastShift_ = (lastShift_ & ~kModifierKeys) | (e.shift & kModifierKeys);
        TrackMove(lastPoint_.x, lastPoint_.y, lastShift_);
        return false;
    }
    case TDragEvent::Kind::ButtonUp:
        lastPoint_ = e.point;
        dragEnded_ = true;
        EndTrack(e.point.x, e.point.y, e.shift);
        surface_.ReleaseMouseCapture();
        return true;
    case TDragEvent::Kind::Cancel:
        dragEnded_ = true;
        EndTrack(lastPoint_.x, lastPoint_.y, lastShift_);
        surface_.ReleaseMouseCapture();
        return true;
    case TDragEvent::Kind::CaptureLost:
        dragEnded_ = true;
        EndTrack(lastPoint_.x, lastPoint_.y, lastShift_);
        return true;
    case TDragEvent::Kind::Abandon:
        dragEnded_ = true;
        Abandoned = true;
        AbandonTrack();
        surface_.ReleaseMouseCapture();
        return true;
    }
    return false;
}

// ---- TRectTracker

TRectTracker::TRectTracker(TTrackerSurface& surface) : TCustomTracker(surface) {}

bool TRectTracker::IsAdjustMode() const {
    return Mode >= kTrackAdjust && AdjustIndex() < AdjustHandles.UsedCount();
}

void TRectTracker::UpdateHandles() {
    handles_ = ComputeRectHandles(Geometry, AdjustHandles, Canvas());
}

void TRectTracker::ShowHandles() {
    UpdateHandles();
    InvalidateHandles();
}

void TRectTracker::InvalidateHandles() {
    for (const TPoint& p : handles_.Rotated) InvalidateAround(p);
    for (int i = 0; i < handles_.AdjustCount; ++i) InvalidateAround(handles_.Adjust[i]);
}

int32_t TRectTracker::HitHandle(int32_t x, int32_t y) {
    return HitRectHandle(handles_, HandleFlags, {x, y}, grabOffset_);
}

bool TRectTracker::MouseDown(int32_t x, int32_t y) {
    UpdateHandles();
    return TrackFromHandle(HitHandle(x, y), x, y);
}

int32_t TRectTracker::GetCursor(int32_t x, int32_t y) {
    UpdateHandles();
    TPoint unused;
    const int32_t mode = HitRectHandle(handles_, HandleFlags, {x, y}, unused);
    return RectHandleCursor(handles_, DeviceCenter(Geometry, Canvas()), mode);
}

void TRectTracker::BeginTrack(int32_t x, int32_t y, uint32_t shift) {
    DragStartBounds = handles_.Bounds;
    if (Mode >= kTrackAdjust) {
        if (!IsAdjustMode()) return;
        savedAdjust_ = AdjustHandles.Entries[AdjustIndex()];
        if (OnAdjustMove) OnAdjustMove(*this, AdjustIndex(), savedAdjust_);
        return;
    }
    SavedGeometry = Geometry;
    startPoint_ = currentPoint_ = {x, y};
    startUnrotated_ = RotateIntPoint(startPoint_, DeviceCenter(Geometry, Canvas()), -double(Geometry.Angle));
    DrawFeedback(Geometry);
    if (Mode == kTrackRotate) DrawRotationLine(Geometry);
}

void TRectTracker::TrackMove(int32_t x, int32_t y, uint32_t shift) {
    if (Mode >= kTrackAdjust) {
        if (IsAdjustMode()) TrackAdjust(x, y);
        return;
    }
    if (Mode < kTrackTopLeft || Mode > kTrackRotate) return;
    if (Mode == kTrackRotate) DrawRotationLine(Geometry);
    const TTrackGeometry previous = Geometry;
    currentPoint_ = {x, y};
    const TPoint centre = DeviceCenter(SavedGeometry, Canvas());
    currentUnrotated_ = RotateIntPoint(currentPoint_, centre, -double(SavedGeometry.Angle));
    if (Mode == kTrackRotate) {
        TRotationDrag drag;
        drag.Mouse = currentPoint_;
        drag.GrabOffset = grabOffset_;
        drag.Start = startPoint_;
        drag.DeviceCenter = centre;
        drag.ScreenWidth = Surface().ScreenWidth();
        drag.Ctrl = (shift & kCtrlKey) != 0;
        drag.Shift = (shift & kShiftKey) != 0;
        float step = 0;
        Geometry = RotateTrackGeometry(SavedGeometry, drag, Canvas(), &step);
        Surface().SetCursor(RotationStepCursor(step));
    } else {
        const float du = Canvas().PixelToMM(currentUnrotated_.x - startUnrotated_.x);
        const float dv = Canvas().PixelToMM(currentUnrotated_.y - startUnrotated_.y);
        Geometry = SizeTrackGeometry(SavedGeometry, Mode, du, dv, (shift & kShiftKey) != 0);
    }
    Geometry.Mode = Mode;
    if (!SameGeometry(Geometry, previous)) {
        DrawFeedback(previous);
        DrawFeedback(Geometry);
    }
    if (Mode == kTrackRotate) DrawRotationLine(Geometry);
}

void TRectTracker::TrackAdjust(int32_t x, int32_t y) {
    const int32_t index = AdjustIndex();
    THotTrackEntry& entry = AdjustHandles.Entries[index];
    Surface().SetCursor(kCursorAdjust);
    if (OnAdjustMove) OnAdjustMove(*this, index, entry);
    const TPoint handle = SubtractPoints({x, y}, grabOffset_);
    entry = TrackAdjustEntry(entry, {Canvas().PixelToMMX(handle.x), Canvas().PixelToMMY(handle.y)}, Geometry);
    if (OnAdjustMove) OnAdjustMove(*this, index, entry);
}

void TRectTracker::EndTrack(int32_t x, int32_t y, uint32_t shift) {
    if (Mode >= kTrackAdjust) {
        if (IsAdjustMode() && OnAdjustEnd) OnAdjustEnd(*this, AdjustIndex(), AdjustHandles.Entries[AdjustIndex()]);
    } else if (Mode >= kTrackTopLeft) {
        if (Mode == kTrackRotate) DrawRotationLine(Geometry);
        // The frame goes whatever the figure makes of the result.
        DrawFeedback(Geometry);
        Geometry.Mode = Mode;
        if (OnApply) OnApply(*this, Geometry);
    }
    HideHandles();
    ShowHandles();
}

void TRectTracker::AbandonTrack() {
    if (Mode >= kTrackAdjust) {
        if (IsAdjustMode()) {
            THotTrackEntry& entry = AdjustHandles.Entries[AdjustIndex()];
            if (OnAdjustMove) OnAdjustMove(*this, AdjustIndex(), entry);  // erases the feedback
            entry = savedAdjust_;
        }
    } else if (Mode >= kTrackTopLeft) {
        if (Mode == kTrackRotate) DrawRotationLine(Geometry);
        DrawFeedback(Geometry);
        Geometry = SavedGeometry;
    }
    HideHandles();
    ShowHandles();
}

void TRectTracker::DrawFeedback(TTrackGeometry g) {
    g.Mode = Mode;
    const std::array<TPoint, 5> box = RotatedBoxPoints(g, Canvas());
    {
        gdi::Canvas& dc = Canvas().Canvas();
        const SavedState saved(dc);
        PrepareInverting(dc, kFeedbackColor);
        bool handled = false;
        if (OnFeedback) OnFeedback(*this, g, handled);
        if (!handled) {
            dc.pen().color = kFrameColor;
            dc.Polyline(box);
        }
    }
    Surface().ShowFeedback(BoundsOf(box));
}

void TRectTracker::DrawRotationLine(const TTrackGeometry& g) {
    const TPoint from = DeviceCenter(g, Canvas());
    const TPoint to = SubtractPoints(currentPoint_, grabOffset_);
    {
        gdi::Canvas& dc = Canvas().Canvas();
        const SavedState saved(dc);
        PrepareInverting(dc, kRotationLineColor);
        dc.MoveTo(from.x, from.y);
        dc.LineTo(to.x, to.y);
    }
    const TPoint ends[] = {from, to};
    Surface().ShowFeedback(BoundsOf(ends));
}

void TRectTracker::DrawHandles() {
    if (!Visible) return;
    UpdateHandles();
    gdi::Canvas& dc = Canvas().Canvas();
    const SavedState saved(dc);
    dc.SetROP2(gdi::Rop2::CopyPen);
    for (int i = 0; i < 8; ++i) {
        const bool active = (HandleFlags & (i < 4 ? kHandleCorners : kHandleEdges)) != 0;
        SetHandleLook(dc, active, kLime);
        const TPoint p = handles_.Rotated[i];
        const TRect box = HandleBox(p);
        dc.Rectangle(box.left, box.top, box.right, box.bottom);
    }
    SetHandleLook(dc, (HandleFlags & kHandleRotation) != 0, kRed);
    const TPoint r = handles_.Rotated[kTrackRotate];
    const TRect box = HandleBox(r);
    dc.Ellipse(box.left, box.top, box.right, box.bottom);
    SetHandleLook(dc, true, kYellow);
    for (int i = 0; i < handles_.AdjustCount; ++i) DrawDiamond(dc, handles_.Adjust[i]);
}

// ---- TLineTracker

void TLineTracker::UpdateHandles() {
    p1_ = {Canvas().MMToPixelX(Line.X1), Canvas().MMToPixelY(Line.Y1)};
    p2_ = {Canvas().MMToPixelX(Line.X2), Canvas().MMToPixelY(Line.Y2)};
}

void TLineTracker::ShowHandles() {
    UpdateHandles();
    InvalidateHandles();
}

void TLineTracker::InvalidateHandles() {
    InvalidateAround(p1_);
    InvalidateAround(p2_);
}

int32_t TLineTracker::HitHandle(int32_t x, int32_t y) {
    if (NearHandle({x, y}, p1_)) return 0;
    if (NearHandle({x, y}, p2_)) return 1;
    return kTrackNone;
}

bool TLineTracker::MouseDown(int32_t x, int32_t y) {
    UpdateHandles();
    return TrackFromHandle(HitHandle(x, y), x, y);
}

int32_t TLineTracker::GetCursor(int32_t x, int32_t y) {
    UpdateHandles();
    return HitHandle(x, y) != kTrackNone ? kCursorAdjust : 0;
}

void TLineTracker::BeginTrack(int32_t x, int32_t y, uint32_t shift) {
    DragStartBounds = TRect{p1_.x, p1_.y, p2_.x, p2_.y}.Normalized();
    SavedLine = Line;
    startPoint_ = {x, y};
    DrawFeedback(Line);
}

void TLineTracker::TrackMove(int32_t x, int32_t y, uint32_t shift) {
    DrawFeedback(Line);
    const float du = Canvas().PixelToMM(x - startPoint_.x);
    const float dv = Canvas().PixelToMM(y - startPoint_.y);
    Line = DragLineEnd(SavedLine, Mode, du, dv);
    DrawFeedback(Line);
}

void TLineTracker::EndTrack(int32_t x, int32_t y, uint32_t shift) {
    DrawFeedback(Line);  // the feedback goes whatever the figure makes of the result
    Line.Mode = Mode;
    if (OnApply) OnApply(*this, Line);
    HideHandles();
    ShowHandles();
}

void TLineTracker::AbandonTrack() {
    DrawFeedback(Line);
    Line = SavedLine;
    HideHandles();
    ShowHandles();
}

void TLineTracker::DrawFeedback(TLineTrackGeometry line) {
    line.Mode = Mode;
    const TPoint ends[] = {{Canvas().MMToPixelX(line.X1), Canvas().MMToPixelY(line.Y1)},
                           {Canvas().MMToPixelX(line.X2), Canvas().MMToPixelY(line.Y2)}};
    {
        gdi::Canvas& dc = Canvas().Canvas();
        const SavedState saved(dc);
        PrepareInverting(dc, kFeedbackColor);
        bool handled = false;
        if (OnFeedback) OnFeedback(*this, line, handled);
        if (!handled) {
            dc.MoveTo(ends[0].x, ends[0].y);
            dc.LineTo(ends[1].x, ends[1].y);
        }
    }
    Surface().ShowFeedback(BoundsOf(ends));
}

void TLineTracker::DrawHandles() {
    UpdateHandles();
    gdi::Canvas& dc = Canvas().Canvas();
    const SavedState saved(dc);
    dc.SetROP2(gdi::Rop2::CopyPen);
    SetHandleLook(dc, true, kLime);
    DrawDiamond(dc, p1_);
    DrawDiamond(dc, p2_);
}
