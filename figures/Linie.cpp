#include "figures/Linie.h"

#include "document/EtikettFiler.h"
#include "document/MMWindowBase.h"
#include "figures/FigureStream.h"
#include "figures/Rasten.h"
#include "figures/Tracker.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/ScaleCanvas.h"

#include <algorithm>
#include <cmath>

namespace {

// The device distance between two device coordinates, saturated.
int32_t DeviceDistance(int32_t to, int32_t from) {
    return gdi::Saturated(int64_t{to} - from);
}

}  // namespace

gdi::PenStyle PenStyleOf(uint8_t style) {
    return style <= kPenClear ? static_cast<gdi::PenStyle>(style) : gdi::PenStyle::Solid;
}

TLinie::TLinie(TChildBase* owner) : TFigure(owner) {
    Kind = TFigureKind::Linie;
    TLinie::CreateTracker();
}

// ---- geometry

void TLinie::EndPoints(double& x1, double& y1, double& x2, double& y2) const {
    x1 = CenterX - Width / 2;
    x2 = CenterX + Width / 2;
    if (MainDiagonal) {
        y1 = CenterY - Height / 2;
        y2 = CenterY + Height / 2;
    } else {
        y1 = CenterY + Height / 2;
        y2 = CenterY - Height / 2;
    }
}

void TLinie::UpdateTransform() {
    Transform.Reset();
    Transform.SetCenter(CenterX, CenterY);
    Transform.Rotate(Angle);
    if (Angle == 0) return;
    // The angle goes into the box: the turned end points span the new box.
    double x1, y1, x2, y2;
    EndPoints(x1, y1, x2, y2);
    const TDoublePoint a = Transform.TransformPoint(x1, y1);
    const TDoublePoint b = Transform.TransformPoint(x2, y2);
    MainDiagonal = (a.X > b.X) == (a.Y > b.Y);
    Width = std::fabs(a.X - b.X);
    Height = std::fabs(a.Y - b.Y);
    Angle = 0;
    Transform.Reset();
}

TLinie::TMouseRect TLinie::SnappedMouseRect(TPoint p1, TPoint p2) const {
    const TScaleCanvas& canvas = WindowCanvas();
    auto single = [](double v) { return static_cast<double>(SingleOf(v)); };
    return {single(SnapX(canvas.PixelToMMX(p1.x))), single(SnapY(canvas.PixelToMMY(p1.y))),
            single(SnapX(canvas.PixelToMMX(p2.x))), single(SnapY(canvas.PixelToMMY(p2.y)))};
}

void TLinie::SetFromPixelRect(TPoint p1, TPoint p2) {
    const TMouseRect r = SnappedMouseRect(p1, p2);
    MainDiagonal = (p1.x > p2.x) == (p1.y > p2.y);
    SetCenterX((r.X1 + r.X2) / 2);
    SetCenterY((r.Y1 + r.Y2) / 2);
    SetWidth(std::fabs(r.X1 - r.X2));
    SetHeight(std::fabs(r.Y1 - r.Y2));
    SetAngle(0);
    UpdateTransform();
}

void TLinie::MoveByPixels(TPoint p, TPoint q) {
    const TScaleCanvas& canvas = WindowCanvas();
    Invalidate();
    SetCenterX(CenterX + canvas.PixelToMM(DeviceDistance(p.x, q.x)));
    SetCenterY(CenterY + canvas.PixelToMM(DeviceDistance(p.y, q.y)));
    UpdateTransform();
    Invalidate();
}

// ---- bounds

int32_t TLinie::PenPixels(const TCustomScaler& scaler) const {
    return scaler.MMToPixel(PenWidth);
}

TRect TLinie::GetExtent(const TCustomScaler& scaler) const {
    TRect r{DevX(scaler, GetLeft()), DevY(scaler, GetTop()), DevX(scaler, GetRight()), DevY(scaler, GetBottom())};
    if (Width == 0) r.right = gdi::Saturated(int64_t{r.right} + 1);
    if (Height == 0) r.bottom = gdi::Saturated(int64_t{r.bottom} + 1);
    return r;
}

TRect TLinie::GetBoundsRect() {
    const int32_t grow = gdi::Saturated(int64_t{PenPixels(WindowCanvas())} + 1);
    return GetPixelExtent().Inflated(grow, grow);
}

void TLinie::Invalidate() {
    const int32_t grow = gdi::Saturated(int64_t{std::max(PenPixels(WindowCanvas()), 1)} + 1);
    InvalidateDeviceRect(GetPixelExtent().Inflated(grow, grow));
}

// ---- drawing

void TLinie::ApplyPen(TScaleCanvas& canvas) {
    canvas.SetPenWidthMM(PenWidth);
    canvas.Pen().style = PenStyleOf(PenStyle);
    canvas.Pen().color = PenColor;
}

void TLinie::ResetPenWidth(TScaleCanvas& canvas) {
    canvas.Pen().width = 1;
}

void TLinie::DrawLine(TScaleCanvas& canvas) {
    Transform.Reset();
    Transform.SetCenter(CenterX, CenterY);
    Transform.Rotate(Angle);
    double x1, y1, x2, y2;
    EndPoints(x1, y1, x2, y2);
    const TDoublePoint a = Transform.TransformPoint(x1, y1);
    const TDoublePoint b = Transform.TransformPoint(x2, y2);
    canvas.Canvas().MoveTo(DevX(canvas, a.X), DevY(canvas, a.Y));
    canvas.Canvas().LineTo(DevX(canvas, b.X), DevY(canvas, b.Y));
}

void TLinie::DrawOn(TScaleCanvas& canvas) {
    ApplyPen(canvas);
    DrawLine(canvas);
    ResetPenWidth(canvas);
}

void TLinie::Paint() {
    SelectClipRing();
    DrawOn(WindowCanvas());
}

void TLinie::DrawMask(TScaleCanvas& canvas) {
    DrawLine(canvas);
}

void TLinie::DrawClippedTo(TScaleCanvas& canvas) {
    SelectClipRingOn(canvas);
    // The end points' rectangle with its far edges included, so that
    // horizontal and vertical lines meet the clip rectangle too.
    double x1, y1, x2, y2;
    EndPoints(x1, y1, x2, y2);
    TRect ends = NormalizeRect({DevX(canvas, x1), DevY(canvas, y1), DevX(canvas, x2), DevY(canvas, y2)});
    ends.right = gdi::Saturated(int64_t{ends.right} + 1);
    ends.bottom = gdi::Saturated(int64_t{ends.bottom} + 1);
    if (!Meets(ends, canvas.GetClipRect())) return;
    canvas.Pen().style = PenStyleOf(PenStyle);
    canvas.Pen().color = PenColor;
    canvas.Pen().width = std::max(1, PenPixels(canvas));
    DrawLine(canvas);
    ResetPenWidth(canvas);
}

bool TLinie::HitTest(TPoint p) {
    const TScaleCanvas& canvas = WindowCanvas();
    double x1, y1, x2, y2;
    EndPoints(x1, y1, x2, y2);
    const int32_t tolerance = std::max(DevLength(canvas, PenWidth / 2.0), 5);
    return PointNearLine(p, {DevX(canvas, x1), DevY(canvas, y1)}, {DevX(canvas, x2), DevY(canvas, y2)}, tolerance);
}

// ---- pen

bool TLinie::SetPenColor(gdi::Color color) {
    Invalidate();
    if (IsNoColor(color)) {
        PenStyle = kPenClear;
    } else {
        PenStyle = kPenSolid;
        PenColor = color;
    }
    Invalidate();
    return true;
}

bool TLinie::SetPenWidth(float mm) {
    Invalidate();
    if (mm == 0) {
        PenWidth = 0;
        PenStyle = kPenClear;
    } else {
        PenStyle = kPenSolid;
        PenWidth = mm;
    }
    Invalidate();
    return true;
}

bool TLinie::SetPenStyle(uint8_t style) {
    Invalidate();
    PenStyle = style;
    Invalidate();
    return true;
}

// ---- tracker

void TLinie::CreateTracker() {
    auto tracker = std::make_unique<TLineTracker>(*Window);
    tracker->OnBeginTrack = [this](TCustomTracker&) { BeginTrack(); };
    tracker->OnApply = [this](TLineTracker& t, const TLineTrackGeometry& line) { ApplyLineTrack(t, line); };
    Tracker = std::move(tracker);
}

void TLinie::SyncTracker() {
    auto* tracker = dynamic_cast<TLineTracker*>(Tracker.get());
    if (!tracker) return;
    const float l = SingleOf(GetLeft()), t = SingleOf(GetTop()), r = SingleOf(GetRight()), b = SingleOf(GetBottom());
    if (MainDiagonal)
        tracker->SetLine({l, t, r, b, 0});
    else
        tracker->SetLine({r, t, l, b, 0});
}

void TLinie::ApplyLineTrack(TLineTracker&, const TLineTrackGeometry& line) {
    InvalidateDeviceRect(OldBounds);
    const double x1 = line.X1, y1 = line.Y1, x2 = line.X2, y2 = line.Y2;
    SetCenterX((x1 + x2) / 2);
    SetCenterY((y1 + y2) / 2);
    SetWidth(std::fabs(x1 - x2));
    SetHeight(std::fabs(y1 - y2));
    MainDiagonal = (x1 > x2) == (y1 > y2);
    UpdateTransform();
    Invalidate();
}

// ---- records, snapshots, copies

TLinieRecord TLinie::LinieRecord() const {
    return {MainDiagonal, PenWidth, PenStyle, static_cast<int32_t>(PenColor)};
}

void TLinie::TakeLinieRecord(const TLinieRecord& r) {
    MainDiagonal = r.MainDiagonal;
    PenWidth = SingleOf(r.PenWidth);
    PenStyle = static_cast<uint8_t>(r.PenStyle);
    PenColor = static_cast<gdi::Color>(r.PenColor);
}

void TLinie::WriteData(TEtikettFiler& filer) {
    TFigure::WriteData(filer);
    LinieRecord().Write(filer);
}

void TLinie::ReadData(TEtikettFiler& filer) {
    TFigure::ReadData(filer);
    TLinieRecord read;
    read.Read(filer);
    TakeLinieRecord(read);
}

void TLinie::SaveLinieSnapshot(TStream& stream) const {
    WriteStreamByte(stream, MainDiagonal ? 1 : 0);
    WriteStreamDouble(stream, PenWidth);
    WriteStreamInt(stream, PenStyle);
    WriteStreamInt(stream, static_cast<int32_t>(PenColor));
}

void TLinie::LoadLinieSnapshot(TStream& stream) {
    MainDiagonal = ReadStreamByte(stream) != 0;
    PenWidth = SingleOf(ReadStreamDouble(stream));
    PenStyle = static_cast<uint8_t>(ReadStreamInt(stream));
    PenColor = static_cast<gdi::Color>(ReadStreamInt(stream));
}

void TLinie::SaveToStream(TStream& stream) const {
    TFigure::SaveToStream(stream);
    SaveLinieSnapshot(stream);
}

void TLinie::LoadFromStream(TStream& stream) {
    TFigure::LoadFromStream(stream);
    LoadLinieSnapshot(stream);
}

void TLinie::AssignLinie(const TLinie& source) {
    MainDiagonal = source.MainDiagonal;
    PenWidth = source.PenWidth;
    PenStyle = source.PenStyle;
    PenColor = source.PenColor;
}

void TLinie::Assign(const TFigure& source) {
    const auto* line = dynamic_cast<const TLinie*>(&source);
    if (!line) throw EInvalidCast("Invalid class typecast");
    TFigure::Assign(source);
    AssignLinie(*line);
}

std::unique_ptr<TFigure> TLinie::Clone() const {
    auto copy = std::make_unique<TLinie>(Owner);
    copy->Assign(*this);
    return copy;
}
