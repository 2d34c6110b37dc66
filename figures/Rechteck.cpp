#include "figures/Rechteck.h"

#include "document/EtikettFiler.h"
#include "document/MMWindowBase.h"
#include "figures/FigureDialogs.h"
#include "figures/FigureStream.h"
#include "figures/Tracker.h"
#include "foundation/FillData.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/ScaleCanvas.h"

#include <algorithm>
#include <cmath>
#include <span>

TRechteck::TRechteck(TChildBase* owner) : TLinie(owner), Fill(std::make_unique<TFillData>()) {
    Kind = TFigureKind::Rechteck;
    TRechteck::CreateTracker();
}

TRechteck::~TRechteck() = default;

// ---- geometry

void TRechteck::UpdateTransform() {
    Transform.Reset();
    Transform.Rotate(Angle);
    Transform.SetCenter(CenterX, CenterY);
}

void TRechteck::SetAngle(double v) {
    const double old = Angle;
    TFigure::SetAngle(v);
    Fill->SetWinkel(static_cast<float>(Fill->Winkel() + (v - old)));
}

void TRechteck::SetFromPixelRect(TPoint p1, TPoint p2) {
    const TMouseRect r = SnappedMouseRect(p1, p2);
    CenterX = (r.X1 + r.X2) / 2;
    CenterY = (r.Y1 + r.Y2) / 2;
    Width = std::fabs(r.X1 - r.X2);
    Height = std::fabs(r.Y1 - r.Y2);
    Angle = 0;
    UpdateTransform();
}

void TRechteck::GetCornerPoints(const TCustomScaler& scaler, std::array<TPoint, 5>& points, TRect& bounds) const {
    TTransform turn;
    turn.Rotate(Angle);
    turn.SetCenter(CenterX, CenterY);
    const double l = GetLeft(), t = GetTop(), r = GetRight(), b = GetBottom();
    const TDoublePoint corners[4] = {turn.TransformPoint(l, t), turn.TransformPoint(r, t), turn.TransformPoint(r, b),
                                     turn.TransformPoint(l, b)};
    for (int i = 0; i < 4; ++i) points[static_cast<size_t>(i)] = {DevX(scaler, corners[i].X), DevY(scaler, corners[i].Y)};
    points[4] = points[0];
    bounds = BoundsOfPoints(std::span<const TPoint>(points).first(4));
    bounds.right = gdi::Saturated(int64_t{bounds.right} + 1);
    bounds.bottom = gdi::Saturated(int64_t{bounds.bottom} + 1);
}

TRect TRechteck::GetExtent(const TCustomScaler& scaler) const {
    std::array<TPoint, 5> points;
    TRect bounds;
    GetCornerPoints(scaler, points, bounds);
    return bounds;
}

TRect TRechteck::GetBoundsRect() {
    const int32_t grow = std::max(1, PenPixels(WindowCanvas()));
    return GetPixelExtent().Inflated(grow, grow);
}

void TRechteck::Invalidate() {
    const int32_t pen = PenPixels(WindowCanvas());
    InvalidateDeviceRect(GetPixelExtent().Inflated(15, 15).Inflated(pen, pen));
}

// ---- drawing

void TRechteck::DrawOn(TScaleCanvas& canvas) {
    std::array<TPoint, 5> points;
    TRect bounds;
    GetCornerPoints(canvas, points, bounds);
    Fill->FillPolygon(canvas.Canvas(), std::span<const TPoint>(points).first(4));
    ApplyPen(canvas);
    canvas.Canvas().Polyline(points);
    ResetPenWidth(canvas);
}

void TRechteck::DrawMask(TScaleCanvas& canvas) {
    std::array<TPoint, 5> points;
    TRect bounds;
    GetCornerPoints(canvas, points, bounds);
    canvas.Canvas().Polyline(points);
}

// ---- hit test

void TRechteck::UnturnedHitBox(TPoint p, TPoint& q, TRect& box) const {
    const TScaleCanvas& canvas = WindowCanvas();
    TTransform turn;
    turn.Rotate(Angle);
    turn.SetCenter(DevX(canvas, CenterX), DevY(canvas, CenterY));
    q = turn.InverseTransformPoint(p);
    box = {gdi::Saturated(int64_t{DevX(canvas, GetLeft())} - 1), gdi::Saturated(int64_t{DevY(canvas, GetTop())} - 1),
           DevX(canvas, GetRight()), DevY(canvas, GetBottom())};
}

bool TRechteck::HitTest(TPoint p) {
    return HitTestBox(p, Fill->Kind() != fkNone);
}

bool TRechteck::HitTestBox(TPoint p, bool filled) const {
    const TScaleCanvas& canvas = WindowCanvas();
    TPoint q;
    TRect box;
    UnturnedHitBox(p, q, box);
    if (filled && box.Contains(q)) return true;
    const int32_t tolerance = std::max(DevLength(canvas, PenWidth / 2.0), 5);
    const TPoint tl{box.left, box.top}, tr{box.right, box.top}, br{box.right, box.bottom}, bl{box.left, box.bottom};
    return PointNearLine(q, tl, tr, tolerance) || PointNearLine(q, tr, br, tolerance) ||
           PointNearLine(q, br, bl, tolerance) || PointNearLine(q, bl, tl, tolerance);
}

// ---- fill

bool TRechteck::SetFillColor(gdi::Color color) {
    if (IsNoColor(color)) {
        Fill->SetKind(fkNone);
    } else {
        Fill->SetKind(fkColor);
        Fill->SetColor(color);
    }
    Invalidate();
    return true;
}

bool TRechteck::SetBrushStyle(uint8_t style) {
    Fill->SetKind(style == kClearBrush ? fkNone : fkColor);
    Invalidate();
    return true;
}

bool TRechteck::SetFillData(const TFillData& fill) {
    Fill->Assign(fill);
    Invalidate();
    return true;
}

bool TRechteck::EditPosition() {
    return EditPositionWith(kPositionEditable | kSizeEditable | kAngleEditable, 5000);
}

// ---- tracker

TRectTracker& TRechteck::RectTracker() const {
    return static_cast<TRectTracker&>(*Tracker);
}

void TRechteck::CreateTracker() {
    auto tracker = std::make_unique<TRectTracker>(*Window);
    tracker->HandleFlags = kHandleCorners | kHandleEdges | kHandleRotation;
    tracker->OnBeginTrack = [this](TCustomTracker&) { BeginTrack(); };
    tracker->OnApply = [this](TRectTracker& t, const TTrackGeometry& g) { ApplyTrackResult(t, g); };
    tracker->OnFeedback = [this](TRectTracker& t, TTrackGeometry& g, bool& handled) { DrawTrackFeedback(t, g, handled); };
    Tracker = std::move(tracker);
}

void TRechteck::SyncTracker() {
    RectTracker().SetGeometry({SingleOf(CenterX), SingleOf(CenterY), SingleOf(Width), SingleOf(Height),
                               SingleOf(Angle), kTrackNone});
}

void TRechteck::ApplyTrackResult(TRectTracker&, const TTrackGeometry& g) {
    SetCenterX(g.CenterX);
    SetCenterY(g.CenterY);
    SetWidth(g.Width);
    SetHeight(g.Height);
    SetAngle(g.Angle);
    InvalidateDeviceRect(OldBounds);
    UpdateTransform();
    Invalidate();
}

void TRechteck::DrawTrackFeedback(TRectTracker&, TTrackGeometry&, bool& handled) {
    handled = false;
}

// ---- records, snapshots, copies

TInnerMargins TRechteck::Margins() const {
    return {MarginLeft, MarginTop, MarginRight, MarginBottom};
}

void TRechteck::TakeMargins(const TInnerMargins& m) {
    MarginLeft = m.Left;
    MarginTop = m.Top;
    MarginRight = m.Right;
    MarginBottom = m.Bottom;
}

void TRechteck::ReadRechteckPart(TEtikettFiler& filer) {
    TInnerMargins margins = Margins();
    ReadRechteckRecord(filer, *Fill, margins);
    TakeMargins(margins);
}

void TRechteck::WriteData(TEtikettFiler& filer) {
    TLinie::WriteData(filer);
    WriteRechteckRecord(filer, *Fill, Margins());
}

void TRechteck::ReadData(TEtikettFiler& filer) {
    TLinie::ReadData(filer);
    ReadRechteckPart(filer);
    UpdateTransform();
}

void TRechteck::SaveRechteckSnapshot(TStream& stream) const {
    Fill->SaveToStream(stream);
    for (const double m : {MarginLeft, MarginTop, MarginRight, MarginBottom}) WriteStreamDouble(stream, m);
}

void TRechteck::LoadRechteckSnapshot(TStream& stream) {
    Fill->LoadFromStream(stream);
    MarginLeft = ReadStreamDouble(stream);
    MarginTop = ReadStreamDouble(stream);
    MarginRight = ReadStreamDouble(stream);
    MarginBottom = ReadStreamDouble(stream);
}

void TRechteck::SaveToStream(TStream& stream) const {
    TLinie::SaveToStream(stream);
    SaveRechteckSnapshot(stream);
}

void TRechteck::LoadFromStream(TStream& stream) {
    TLinie::LoadFromStream(stream);
    LoadRechteckSnapshot(stream);
    UpdateTransform();
}

void TRechteck::AssignRechteck(const TRechteck& source) {
    Fill->Assign(*source.Fill);
    MarginLeft = source.MarginLeft;
    MarginTop = source.MarginTop;
    MarginRight = source.MarginRight;
    MarginBottom = source.MarginBottom;
}

void TRechteck::Assign(const TFigure& source) {
    const auto* box = dynamic_cast<const TRechteck*>(&source);
    if (!box) throw EInvalidCast("Invalid class typecast");
    TFigure::Assign(source);
    AssignLinie(*box);
    AssignRechteck(*box);
    UpdateTransform();
}

std::unique_ptr<TFigure> TRechteck::Clone() const {
    auto copy = std::make_unique<TRechteck>(Owner);
    copy->Assign(*this);
    return copy;
}
