// The document window's mouse gestures on its view: the drawing modes, the
// select gestures (handles, Shift toggles, rubber band, moving with snapped
// outlines) and the inverting feedback drawn into the view's presented frame.

#include "app/Child.h"

#include "app/DottedLine.h"
#include "app/DrawModes.h"
#include "app/Master.h"
#include "app/MMWindow.h"

#include "design/EinzelEtikett.h"
#include "figures/Rasten.h"
#include "figures/Tracker.h"
#include "foundation/Localizer.h"
#include "foundation/ScaleCanvas.h"
#include "shapes/AutoShape.h"

#include <QtCore/QString>

namespace {

// The pen of the rubber bands and move outlines ($00BBGGRR: blue).
constexpr gdi::Color kRubberColor = 0xFF0000;
constexpr double kRightClickZoomStep = 0.3;

// The window's frame canvas with the inverting pen; afterwards a solid black
// pen, the copy mode and a solid brush.
class TInvertingPen {
public:
    TInvertingPen(gdi::Canvas& canvas, gdi::PenStyle style) : canvas_(canvas) {
        canvas_.pen().width = 1;
        canvas_.pen().style = style;
        canvas_.pen().color = kRubberColor;
        canvas_.brush().style = gdi::BrushStyle::Null;
        canvas_.SetROP2(gdi::Rop2::NotXorPen);
    }
    ~TInvertingPen() {
        canvas_.pen().style = gdi::PenStyle::Solid;
        canvas_.pen().color = gdi::Rgb(0, 0, 0);
        canvas_.brush().style = gdi::BrushStyle::Solid;
        canvas_.SetROP2(gdi::Rop2::CopyPen);
    }
    TInvertingPen(const TInvertingPen&) = delete;
    TInvertingPen& operator=(const TInvertingPen&) = delete;

private:
    gdi::Canvas& canvas_;
};

// The auto-shape that drawing mode 14 draws.
constexpr const char* kAutoShapeClass = "TPfeilShape";

const char* OutlineShapeClass(uint8_t mode) {
    if (mode == kModeEllipse) return "TEllipseShape";
    return "TRechteckShape";
}

}  // namespace

void TChild::ConnectEditing() {
    mmWin_->OnMouseDown = [this](Qt::MouseButton button, uint32_t shift, int x, int y) { pbMouseDown(button, shift, x, y); };
    mmWin_->OnMouseMove = [this](uint32_t shift, int x, int y) { pbMouseMove(shift, x, y); };
    mmWin_->OnMouseUp = [this](Qt::MouseButton button, uint32_t shift, int x, int y) { pbMouseUp(button, shift, x, y); };
    ConnectKeys();
    ConnectFieldPanel();
    OnFiguresMenu = [this](QPoint screen, int32_t state) { ShowContextMenu(screen, state); };
}

void TChild::SetDrawMode(uint8_t mode) {
    if (mode == drawMode_) return;
    drawMode_ = mode;
    if (!currentDesign_) return;
    if (IsCreationMode(mode)) {
        currentDesign_->DeselectAll();
    } else {
        currentDesign_->SetHandlesVisible(1);
    }
}

void TChild::SelectionChanged(TEinzelEtikett&) {
    // The design has asked the main window for its refresh already. The
    // in-place editor of table figures will follow the selection here.
}

// ---- the three mouse events

void TChild::pbMouseDown(Qt::MouseButton button, uint32_t shift, int x, int y) {
    gesture_.InvalidRect = {};
    if (button == Qt::MiddleButton) return;
    if (shift & kDoubleClick) {
        // The dialogs need the mouse the view holds from its press.
        mmWin_->ReleaseMouseCapture();
        EditSelectedFigure();
        return;
    }
    if (button == Qt::RightButton) {
        if (gesture_.Dragging) return;
        mmWin_->ReleaseMouseCapture();
        if (drawMode_ == kModeZoom) {
            const TScaleCanvas& canvas = mmWin_->WindowCanvas();
            mmWin_->ZoomAt(mmWin_->GetZoom() - kRightClickZoomStep, canvas.PixelToMMX(x), canvas.PixelToMMY(y));
            UpdateRulers();
            mmWin_->InvalidateAll();
            return;
        }
        ContextClick(x, y);
        return;
    }
    if (button != Qt::LeftButton || !currentDesign_) return;
    gesture_.SelectState = TChildGesture::kSelectNone;
    gesture_.Dragging = true;
    const TPoint p{x, y};
    if (drawMode_ == kModeSelect) {
        gesture_.StartPoint = gesture_.CurrentPoint = p;
        SelectMouseDown(shift, x, y);
    } else {
        const TPoint snapped = drawMode_ == kModeZoom ? p : SnapPixelPoint(p, mmWin_->GetScaleCanvas());
        gesture_.StartPoint = gesture_.CurrentPoint = snapped;
        PrepareOutlineShape();
    }
    gesture_.RubberStart = gesture_.StartPoint;
    gesture_.RubberEnd = gesture_.CurrentPoint;
}

void TChild::pbMouseMove(uint32_t shift, int x, int y) {
    UpdateCursorMarks(x, y);
    if (!gesture_.Dragging) {
        SetViewCursorForMode(shift, x, y);
        return;
    }
    const TPoint p{x, y};
    if (drawMode_ == kModeSelect) {
        SelectMouseMove(shift, x, y);
    } else if (drawMode_ == kModeLine) {
        DrawRubberLine();
        gesture_.CurrentPoint = SnapPixelPoint(p, mmWin_->GetScaleCanvas());
        gesture_.RubberStart = gesture_.StartPoint;
        gesture_.RubberEnd = gesture_.CurrentPoint;
        DrawRubberLine();
    } else {
        if (Master) Master->SetStatusText(LocalizedText("IDS_CHILDMSG7"));
        DrawRubberShape(gesture_.RubberStart, gesture_.RubberEnd);
        gesture_.CurrentPoint = drawMode_ == kModeZoom ? p : SnapPixelPoint(p, mmWin_->GetScaleCanvas());
        const TRubberBand band = ConstrainDragRect(gesture_.StartPoint, gesture_.CurrentPoint, shift);
        gesture_.RubberStart = band.start;
        gesture_.RubberEnd = band.end;
        DrawRubberShape(gesture_.RubberStart, gesture_.RubberEnd);
    }
}

void TChild::pbMouseUp(Qt::MouseButton button, uint32_t shift, int x, int y) {
    if (button == Qt::MiddleButton) return;
    // Also after a creator failed: the main window's tools follow and the
    // gesture's area is repainted.
    struct GestureEnd {
        TChild& w;
        ~GestureEnd() {
            w.RequestToolStateRefresh();
            if (!w.gesture_.InvalidRect.IsEmpty()) w.mmWin_->InvalidateRect(w.gesture_.InvalidRect);
        }
    } end{*this};
    if (!gesture_.Dragging || button != Qt::LeftButton) return;
    if (Master) Master->SetStatusText(QString());
    gesture_.Dragging = false;
    if (drawMode_ == kModeSelect) {
        SelectMouseUp(shift, x, y);
    } else if (drawMode_ == kModeZoom) {
        DrawRubberShape(gesture_.RubberStart, gesture_.RubberEnd);
        mmWin_->GetScaleCanvas().Canvas().SelectClipRgn(nullptr);
        ZoomToDraggedRect(gesture_.StartPoint, gesture_.CurrentPoint, shift);
    } else {
        CreationMouseUp();
    }
}

void TChild::SetViewCursorForMode(uint32_t shift, int x, int y) {
    if (drawMode_ == kModeSelect) {
        if (currentDesign_) currentDesign_->UpdateCursor(x, y);
        return;
    }
    mmWin_->SetCursor(DrawModeCursor(drawMode_, (shift & kCtrlKey) != 0));
}

// ---- creation modes

void TChild::CreationMouseUp() {
    const uint8_t mode = drawMode_;
    if (mode == kModeLine) {
        DrawRubberLine();
    } else {
        DrawRubberShape(gesture_.RubberStart, gesture_.RubberEnd);
    }
    // A click makes a 100 x 100 pixel figure, or a 100-pixel line.
    if (!IsRealDrag(mode, gesture_.RubberStart, gesture_.RubberEnd)) {
        gesture_.RubberEnd.x = gesture_.RubberStart.x + 100;
        if (mode != kModeLine) gesture_.RubberEnd.y = gesture_.RubberStart.y + 100;
    }
    // Every creation mode is used once, also when its creator fails.
    struct CreationEnd {
        TChild& w;
        ~CreationEnd() {
            w.mmWin_->GetScaleCanvas().Canvas().SelectClipRgn(nullptr);
            w.SwitchToSelectTool();
            w.mmWin_->SetCursor(0);
        }
    } end{*this};
    // The creators' dialogs need the mouse that the view holds since the press.
    mmWin_->ReleaseMouseCapture();
    CreateFigure(mode, gesture_.RubberStart, gesture_.RubberEnd);
}

void TChild::PrepareOutlineShape() {
    const std::string name = drawMode_ == kModeAutoShape ? kAutoShapeClass : OutlineShapeClass(drawMode_);
    gesture_.OutlineShape = AutoShapeFactory().CreateShape(name);
    gesture_.OutlineHotTrack = gesture_.OutlineShape->HotTrackData;
}

void TChild::DrawRubberLine() {
    gdi::Canvas& canvas = mmWin_->WindowCanvas().Canvas();
    const TInvertingPen pen(canvas, gdi::PenStyle::Solid);
    canvas.MoveTo(gesture_.RubberStart.x, gesture_.RubberStart.y);
    canvas.LineTo(gesture_.RubberEnd.x, gesture_.RubberEnd.y);
}

void TChild::DrawRubberShape(TPoint a, TPoint b) {
    TAbstractAutoShape* shape = gesture_.OutlineShape.get();
    if (!shape) return;
    shape->SetHotTrackData(gesture_.OutlineHotTrack);
    if (a == b) return;
    const TRect box = RubberShapeBox(a, b);
    shape->SetCenterX(static_cast<int32_t>((int64_t{box.left} + box.right) / 2));
    shape->SetCenterY(static_cast<int32_t>((int64_t{box.top} + box.bottom) / 2));
    shape->SetWidth(box.Width());
    shape->SetHeight(box.Height());
    shape->SetAngle(0);
    gdi::Canvas& canvas = mmWin_->WindowCanvas().Canvas();
    const TInvertingPen pen(canvas, drawMode_ == kModeZoom ? gdi::PenStyle::Dot : gdi::PenStyle::Solid);
    shape->DrawOutline(canvas);
}

// ---- the select mode

void TChild::SelectMouseDown(uint32_t shift, int x, int y) {
    TEinzelEtikett& design = *currentDesign_;
    gesture_.OutlineDrawn = false;
    gesture_.Moved = false;
    gesture_.SelectState = TChildGesture::kSelectNone;
    // A handle under the point: its tracker has run the whole drag.
    if (design.TrackerMouseDown(x, y)) {
        gesture_.SelectState = TChildGesture::kSelectTracker;
        gesture_.Dragging = false;
        return;
    }
    const TPoint p{x, y};
    if (design.GetSelectionState() != 0 && (shift & kShiftKey)) {
        const int32_t hit = design.HitTestFigures(x, y);
        if (hit < 0) {
            gesture_.SelectState = TChildGesture::kSelectBand;
            return;
        }
        design.SetHandlesVisible(0);
        design.ToggleSelection(hit);
        return;
    }
    bool hitSelected = false;
    const int32_t hit = design.FigureAt(x, y, hitSelected);
    if (hit < 0) {
        design.DeselectAll();
        gesture_.SelectState = TChildGesture::kSelectBand;
        return;
    }
    if (!hitSelected) {
        design.DeselectAll();
        design.SelectFigure(hit);
    }
    StartMove(p);
}

void TChild::StartMove(TPoint p) {
    gesture_.SelectionRect = currentDesign_->GetSelectionPixelRect();
    gesture_.SelectionBounds = currentDesign_->GetSelectionBounds();
    gesture_.CurrentPoint = p;
    gesture_.FirstMove = true;
    gesture_.SelectState = TChildGesture::kSelectMove;
}

void TChild::SelectMouseMove(uint32_t shift, int x, int y) {
    TPoint p{x, y};
    if (gesture_.SelectState == TChildGesture::kSelectBand) {
        if (gesture_.OutlineDrawn) DrawRubberBand();
        gesture_.CurrentPoint = p;
        DrawRubberBand();
        gesture_.OutlineDrawn = true;
        return;
    }
    if (gesture_.SelectState != TChildGesture::kSelectMove) return;
    if (!gesture_.Moved && !IsRealDrag(kModeSelect, p, gesture_.StartPoint)) return;
    gesture_.Moved = true;
    if (gesture_.FirstMove) {
        gesture_.FirstMove = false;
    } else {
        DrawMoveOutlines(gesture_.CurrentPoint);
    }
    if (shift & kCtrlKey) p = LockDominantAxis(gesture_.StartPoint, p);
    gesture_.CurrentPoint = SnapMoveDelta(gesture_.SelectionRect, gesture_.StartPoint, p, mmWin_->GetScaleCanvas());
    DrawMoveOutlines(gesture_.CurrentPoint);
    gesture_.OutlineDrawn = true;
}

void TChild::SelectMouseUp(uint32_t shift, int x, int y) {
    TEinzelEtikett& design = *currentDesign_;
    TPoint p{x, y};
    switch (gesture_.SelectState) {
    case TChildGesture::kSelectMove:
        if (design.SelectedCount() == 0) break;
        // The outline goes first: the release need not be where the last one was drawn.
        if (gesture_.OutlineDrawn) DrawMoveOutlines(gesture_.CurrentPoint);
        gesture_.OutlineDrawn = false;
        if (IsRealDrag(kModeSelect, p, gesture_.StartPoint)) {
            if (shift & kCtrlKey) p = LockDominantAxis(gesture_.StartPoint, p);
            gesture_.CurrentPoint = SnapMoveDelta(gesture_.SelectionRect, gesture_.StartPoint, p, mmWin_->GetScaleCanvas());
            mmWin_->InvalidateRect(gesture_.SelectionBounds);
            design.SetHandlesVisible(0);
            design.MoveSelectionByPixels(gesture_.StartPoint, gesture_.CurrentPoint);
        }
        break;
    case TChildGesture::kSelectBand:
        if (gesture_.OutlineDrawn) DrawRubberBand();
        gesture_.OutlineDrawn = false;
        design.SelectInRect({gesture_.StartPoint.x, gesture_.StartPoint.y, gesture_.CurrentPoint.x, gesture_.CurrentPoint.y});
        break;
    default:
        break;
    }
    design.SetHandlesVisible(1);
}

void TChild::DrawRubberBand() {
    const TRect band = TRect{gesture_.StartPoint.x, gesture_.StartPoint.y, gesture_.CurrentPoint.x, gesture_.CurrentPoint.y}.Normalized();
    DrawDottedRect(mmWin_->WindowCanvas().Canvas(), band.left, band.top, band.right, band.bottom);
}

void TChild::DrawMoveOutlines(TPoint p) {
    // The outlines drawn as if the world were shifted by the distance moved.
    TScaleCanvas& view = mmWin_->WindowCanvas();
    TScaleCanvas moved(&view.Canvas());
    moved.AssignScaling(view);
    moved.SetWorldOffsetX(view.WorldOffsetX + view.PixelToMM(p.x - gesture_.StartPoint.x));
    moved.SetWorldOffsetY(view.WorldOffsetY + view.PixelToMM(p.y - gesture_.StartPoint.y));
    const TInvertingPen pen(view.Canvas(), gdi::PenStyle::Solid);
    currentDesign_->DrawSelectionOutlines(moved);
}

// ---- double and right clicks

void TChild::EditSelectedFigure() {
    if (!currentDesign_ || currentDesign_->SelectedCount() != 1) return;
    if (currentDesign_->CanEditText()) {
        currentDesign_->EditSelectedText();
    } else if (currentDesign_->CanEditProperties()) {
        currentDesign_->EditProperties();
    }
}

void TChild::ContextClick(int x, int y) {
    if (!currentDesign_) return;
    TEinzelEtikett& design = *currentDesign_;
    int32_t state = 0;
    if (design.HitTestSelected(x, y) >= 0) {
        state = 2;
    } else if (const int32_t hit = design.HitTestFigures(x, y); hit >= 0) {
        design.DeselectAll();
        design.SelectFigure(hit);
        design.SetHandlesVisible(1);
        state = 1;
    }
    PopUpFiguresMenu({x, y}, state);
}

void TChild::PopUpFiguresMenu(TPoint client, int32_t state) {
    if (OnFiguresMenu) {
        const TPoint screen = mmWin_->ClientToScreen(client);
        OnFiguresMenu(QPoint(screen.x, screen.y), state);
    }
    SwitchToSelectTool();
}
