#include "figures/ShapeFigure.h"

#include "document/MMWindowBase.h"
#include "foundation/ExportCanvas.h"
#include "foundation/FillData.h"
#include "foundation/ScaleCanvas.h"
#include "shapes/AutoShape.h"

#include <algorithm>

TShapeFigure::TShapeFigure(TChildBase* owner, const std::string& shapeClass)
    : TRechteck(owner), Shape(AutoShapeFactory().CreateShape(shapeClass)) {}

TShapeFigure::~TShapeFigure() = default;

void TShapeFigure::SyncShape(const TCustomScaler& scaler) const {
    Shape->SetCenterX(DevX(scaler, CenterX));
    Shape->SetCenterY(DevY(scaler, CenterY));
    Shape->SetWidth(scaler.MMToPixelW(SingleOf(Width)));
    Shape->SetHeight(scaler.MMToPixelH(SingleOf(Height)));
    Shape->SetAngle(SingleOf(Angle));
}

void TShapeFigure::DrawOn(TScaleCanvas& canvas) {
    SyncShape(canvas);
    ApplyPen(canvas);
    Shape->DrawFilled(canvas.Canvas(), *Fill);
    ResetPenWidth(canvas);
    SyncShape(WindowCanvas());
}

void TShapeFigure::Paint() {
    TScaleCanvas& canvas = WindowCanvas();
    SyncShape(canvas);
    if (!Meets(Shape->GetUpdateRect(), OwnerUpdateRect())) return;
    SelectClipRing();
    DrawOn(canvas);
}

void TShapeFigure::ExportTo(TExportCanvas& target) {
    DrawOn(target.ScaleCanvas());
}

void TShapeFigure::DrawClippedTo(TScaleCanvas& canvas) {
    SelectClipRingOn(canvas);
    DrawOn(canvas);
}

void TShapeFigure::DrawMask(TScaleCanvas& canvas) {
    SyncShape(canvas);
    canvas.Pen().width = 1;
    canvas.Pen().style = gdi::PenStyle::Solid;
    Shape->DrawOutline(canvas.Canvas());
    SyncShape(WindowCanvas());
}

bool TShapeFigure::HitTest(TPoint p) {
    const TScaleCanvas& canvas = WindowCanvas();
    SyncShape(canvas);
    const int32_t tolerance = std::max(5, PenPixels(canvas) / 2);
    if (Fill->Kind() != fkNone && Shape->HitTest(p.x, p.y, false, tolerance)) return true;
    return Shape->HitTest(p.x, p.y, true, tolerance);
}

void TShapeFigure::DrawTrackFeedback(TRectTracker&, TTrackGeometry& g, bool& handled) {
    handled = true;
    SetCenterX(g.CenterX);
    SetCenterY(g.CenterY);
    SetWidth(g.Width);
    SetHeight(g.Height);
    SetAngle(g.Angle);
    UpdateTransform();
    TScaleCanvas& canvas = WindowCanvas();
    canvas.Canvas().SetROP2(gdi::Rop2::NotXorPen);
    canvas.Pen().color = 0xFF0000;
    DrawMask(canvas);
    canvas.Canvas().SetROP2(gdi::Rop2::CopyPen);
}
