#include "figures/AutoForm.h"

#include "document/EtikettFiler.h"
#include "figures/ContentFigureRecords.h"
#include "figures/FigureStream.h"
#include "figures/Tracker.h"
#include "foundation/ScaleCanvas.h"
#include "shapes/AutoShape.h"

TAutoForm::TAutoForm(TChildBase* owner) : TShapeFigure(owner, kDefaultShape), shapeClass_(kDefaultShape) {
    Kind = TFigureKind::AutoForm;
    TAutoForm::CreateTracker();
    HookShape();
}

// ---- the shape

void TAutoForm::MakeShape(const std::string& name) {
    try {
        Shape = AutoShapeFactory().CreateShape(name);
        shapeClass_ = AutoShapeFactory().RegisteredName(name);
    } catch (const std::exception&) {
        Shape = AutoShapeFactory().CreateShape(kFallbackShape);
        shapeClass_ = kFallbackShape;
    }
}

void TAutoForm::HookShape() {
    Shape->OnChange = [this](TAbstractAutoShape&) { CopyHandlesToTracker(); };
    CopyHandlesToTracker();
}

void TAutoForm::CopyHandlesToTracker() {
    if (Tracker) RectTracker().AdjustHandles = Shape->HotTrackData;
}

void TAutoForm::SetShapeClass(const std::string& name) {
    if (AutoShapeFactory().RegisteredName(name) != AutoShapeFactory().RegisteredName(shapeClass_)) {
        MakeShape(name);
        HookShape();
        UpdateTransform();
    }
    CopyHandlesToTracker();
}

// ---- geometry and drawing

void TAutoForm::UpdateTransform() {
    TRechteck::UpdateTransform();
    SyncShape(WindowCanvas());
}

void TAutoForm::Invalidate() {
    TScaleCanvas& canvas = WindowCanvas();
    SyncShape(canvas);
    const int32_t margin = gdi::Saturated(2 * int64_t{PenPixels(canvas)} + 2);
    InvalidateDeviceRect(Shape->GetUpdateRect().Inflated(margin, margin));
}

TRect TAutoForm::GetExtent(const TCustomScaler& scaler) const {
    SyncShape(scaler);
    const TRect extent = gdi::UnionRect(TRechteck::GetExtent(scaler), Shape->GetBounds());
    SyncShape(WindowCanvas());
    return extent;
}

// ---- tracker

void TAutoForm::CreateTracker() {
    TRechteck::CreateTracker();
    TRectTracker& tracker = RectTracker();
    tracker.OnAdjustMove = [this](TRectTracker&, int32_t index, const THotTrackEntry& e) { TrackHandleFeedback(index, e); };
    tracker.OnAdjustEnd = [this](TRectTracker&, int32_t index, const THotTrackEntry& e) { ApplyHandle(index, e); };
    // An abandoned handle drag leaves the shape with the last feedback entry;
    // the tracker holds the entry from before the drag again.
    tracker.OnEndTrack = [this](TCustomTracker& t) {
        if (!t.Abandoned || t.Mode < kTrackAdjust) return;
        Shape->SetHotTrackData(RectTracker().AdjustHandles);
        Invalidate();
    };
    if (Shape) CopyHandlesToTracker();
}

void TAutoForm::ApplyTrackResult(TRectTracker& tracker, const TTrackGeometry& g) {
    TRechteck::ApplyTrackResult(tracker, g);
    CopyHandlesToTracker();
    tracker.InvalidateHandles();
}

void TAutoForm::DrawHandleFeedback() {
    TScaleCanvas& canvas = WindowCanvas();
    canvas.Canvas().SetROP2(gdi::Rop2::NotXorPen);
    canvas.Pen().color = 0xFF8080;
    DrawMask(canvas);
    canvas.Canvas().SetROP2(gdi::Rop2::CopyPen);
}

void TAutoForm::TrackHandleFeedback(int32_t index, const THotTrackEntry& entry) {
    Shape->SetAdjustHandle(index, entry);
    DrawHandleFeedback();
}

void TAutoForm::ApplyHandle(int32_t index, const THotTrackEntry& entry) {
    DrawHandleFeedback();  // erases the last outline of the drag
    Shape->SetAdjustHandle(index, entry);
    CopyHandlesToTracker();
    InvalidateDeviceRect(OldBounds);
    Invalidate();
}

// ---- records, snapshots, copies

void TAutoForm::WriteData(TEtikettFiler& filer) {
    TRechteck::WriteData(filer);
    TAutoFormRecord{shapeClass_, Shape->HotTrackData}.Write(filer);
}

void TAutoForm::ReadData(TEtikettFiler& filer) {
    TRechteck::ReadData(filer);
    TAutoFormRecord record;
    record.Read(filer);
    MakeShape(record.ShapeClass);
    Shape->SetHotTrackData(record.HotTrack);
    HookShape();
    UpdateTransform();
}

void TAutoForm::SaveToStream(TStream& stream) const {
    TRechteck::SaveToStream(stream);
    WriteHotTrackData(stream, Shape->HotTrackData);
}

void TAutoForm::LoadFromStream(TStream& stream) {
    TRechteck::LoadFromStream(stream);
    THotTrackData handles;
    ReadHotTrackData(stream, handles);
    Shape->SetHotTrackData(handles);
    CopyHandlesToTracker();
    UpdateTransform();
}

void TAutoForm::Assign(const TFigure& source) {
    const auto* form = dynamic_cast<const TAutoForm*>(&source);
    if (!form) throw EInvalidCast("Invalid class typecast");
    TRechteck::Assign(source);
    if (form->shapeClass_ != shapeClass_) MakeShape(form->shapeClass_);
    Shape->SetHotTrackData(form->Shape->HotTrackData);
    HookShape();
    UpdateTransform();
}

std::unique_ptr<TFigure> TAutoForm::Clone() const {
    auto copy = std::make_unique<TAutoForm>(Owner);
    copy->Assign(*this);
    return copy;
}
