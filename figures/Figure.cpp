#include "figures/Figure.h"

#include "document/ChildBase.h"
#include "document/DesignBase.h"
#include "document/EtikettFiler.h"
#include "document/MMWindowBase.h"
#include "figures/FigureDialogs.h"
#include "figures/FigureStream.h"
#include "figures/Tracker.h"
#include "foundation/ExportCanvas.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/MMCalcScaleCanvas.h"
#include "foundation/MyMemIniFile.h"
#include "foundation/ScaleCanvas.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>

bool GroupDrawing = false;

namespace {

// The surface of figures without owner: the measuring canvas, and nothing
// is ever shown or dragged.
class TDetachedSurface : public TMMWindowBase {
public:
    TScaleCanvas& GetScaleCanvas() override { return GetMMCalcScaleCanvas(); }
    void InvalidateRect(const TRect&) override {}
    void ShowFeedback(const TRect&) override {}
    int32_t GetCursor() const override { return 0; }
    void SetCursor(int32_t) override {}
    void ReleaseMouseCapture() override {}
    uint32_t KeyboardShiftState() const override { return 0; }
    int32_t ScreenWidth() const override { return 1024; }
    void RunDragLoop(const std::function<bool(const TDragEvent&)>&) override {}
    float GetZoom() const override { return 1; }
    void InvalidateAll() override {}
    bool HasMouseCapture() const override { return false; }
    TPoint ClientToScreen(TPoint p) const override { return p; }
};

TBaseRecord BaseRecordOf(const TFigure& f) {
    return {f.CenterX, f.CenterY, f.Width, f.Height, f.Reserved1, f.Reserved2, f.Angle};
}

void TakeBaseRecord(TFigure& f, const TBaseRecord& r) {
    f.CenterX = r.CenterX;
    f.CenterY = r.CenterY;
    f.Width = r.Width;
    f.Height = r.Height;
    f.Reserved1 = r.Reserved1;
    f.Reserved2 = r.Reserved2;
    f.Angle = r.Angle;
}

// The angle in [0, 360): whole turns taken off at once.
double WrapAngle(double v) {
    if (!std::isfinite(v)) return 0;
    double a = std::fmod(v, 360.0);
    if (a < 0) a += 360;
    if (a >= 360) a -= 360;
    return a;
}

}  // namespace

TMMWindowBase& DetachedSurface() {
    static TDetachedSurface surface;
    return surface;
}

float SingleOf(double v) {
    if (std::isnan(v)) return 0;
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}

int32_t DevX(const TCustomScaler& scaler, double x) { return scaler.MMToPixelX(SingleOf(x)); }
int32_t DevY(const TCustomScaler& scaler, double y) { return scaler.MMToPixelY(SingleOf(y)); }
int32_t DevLength(const TCustomScaler& scaler, double length) { return scaler.MMToPixel(SingleOf(length)); }

// ---- construction

TFigure::TFigure(TChildBase* owner) : Owner(owner) {
    TMMWindowBase* window = owner ? owner->GetMMWindow() : nullptr;
    Window = window ? window : &DetachedSurface();
    GroupDrawing = false;
}

TFigure::~TFigure() = default;

// ---- geometry

void TFigure::SetCenterX(double v) {
    CenterX = v;
    UpdateTransform();
}

void TFigure::SetCenterY(double v) {
    CenterY = v;
    UpdateTransform();
}

void TFigure::SetHeight(double v) {
    Height = v > 0 ? v : 0;
    UpdateTransform();
}

void TFigure::SetWidth(double v) {
    Width = v >= 0 ? v : 0;
    UpdateTransform();
}

void TFigure::SetAngle(double v) {
    Angle = WrapAngle(v);
    UpdateTransform();
}

double TFigure::GetLeft() const { return CenterX - Width / 2; }
void TFigure::SetLeft(double v) { SetCenterX(v + Width / 2); }
double TFigure::GetTop() const { return CenterY - Height / 2; }
void TFigure::SetTop(double v) { SetCenterY(v + Height / 2); }
double TFigure::GetRight() const { return CenterX + Width / 2; }
void TFigure::SetRight(double v) { SetCenterX(v - Width / 2); }
double TFigure::GetBottom() const { return CenterY + Height / 2; }
void TFigure::SetBottom(double v) { SetCenterY(v - Height / 2); }

void TFigure::MoveBy(double dx, double dy) {
    Invalidate();
    SetCenterX(CenterX + dx);
    SetCenterY(CenterY + dy);
    Invalidate();
}

void TFigure::RotateBy(double degrees) {
    Invalidate();
    SetAngle(Angle + degrees);
    Invalidate();
}

void TFigure::ResizeBy(double dWidth, double dHeight) {
    Invalidate();
    SetWidth(std::max(Width + dWidth, 0.0));
    SetHeight(std::max(Height + dHeight, 0.0));
    Invalidate();
}

TPoint TFigure::DeviceCenter(const TCustomScaler& scaler) const {
    return {DevX(scaler, CenterX), DevY(scaler, CenterY)};
}

// ---- tracking and selection

void TFigure::BeginTrack() {
    const bool rotating = Tracker && Tracker->Mode == kTrackRotate;
    if (Owner)
        if (TDesignBase* design = Owner->GetCurrentDesign())
            design->BeginPropertyUndo(rotating ? "IDS_UNDOANGLE" : "IDS_UNDOSIZE");
    OldBounds = GetBoundsRect();
}

bool TFigure::TrackerMouseDown(int32_t x, int32_t y) {
    return Tracker && Tracker->MouseDown(x, y);
}

int32_t TFigure::GetTrackerCursor(int32_t x, int32_t y) {
    return Tracker ? Tracker->GetCursor(x, y) : 0;
}

int32_t TFigure::HitTestCode(int32_t x, int32_t y) {
    return HitTest({x, y}) ? kCursorMoveFigure : 0;
}

void TFigure::SetSelected(bool selected) {
    Selected = selected;
    if (selected) SyncTracker();
}

void TFigure::Select() {
    Selected = true;
    SyncTracker();
    if (Tracker) Tracker->SetVisible(true);
}

void TFigure::Deselect() {
    Selected = false;
    if (Tracker) Tracker->SetVisible(false);
}

void TFigure::PaintTracker() {
    if (Selected && Tracker) Tracker->DrawHandles();
}

// ---- the view

TScaleCanvas& TFigure::WindowCanvas() const {
    return Window->GetScaleCanvas();
}

void TFigure::InvalidateDeviceRect(const TRect& r) {
    Window->InvalidateRect(r);
}

TRect TFigure::GetPixelExtent() {
    return GetExtent(WindowCanvas());
}

TRect TFigure::GetBoundsRect() {
    return GetPixelExtent();
}

void TFigure::Invalidate() {
    InvalidateDeviceRect(GetBoundsRect().Inflated(20, 20));
}

void TFigure::Refresh() {
    Invalidate();
}

TRect TFigure::OwnerUpdateRect() const {
    if (!Owner) return {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    return Owner->GetUpdateRect();
}

// ---- drawing

void TFigure::Paint() {
    TScaleCanvas& canvas = WindowCanvas();
    if (!Meets(GetExtent(canvas), OwnerUpdateRect())) return;
    SelectClipRing();
    DrawOn(canvas);
}

void TFigure::ExportTo(TExportCanvas& target) {
    TScaleCanvas& canvas = target.ScaleCanvas();
    if (Meets(GetExtent(canvas), canvas.GetClipRect())) DrawOn(canvas);
}

void TFigure::DrawTo(TScaleCanvas& canvas) {
    if (InClipRing(canvas)) DrawOn(canvas);
}

void TFigure::DrawClippedTo(TScaleCanvas& canvas) {
    if (!Meets(GetExtent(canvas), canvas.GetClipRect())) return;
    SelectClipRingOn(canvas);
    DrawOn(canvas);
}

// ---- records

void TFigure::SaveToFiler(TEtikettFiler& filer) {
    filer.WriteRawByte(ElementCode());
    WriteData(filer);
}

void TFigure::WriteData(TEtikettFiler& filer) {
    BaseRecordOf(*this).Write(filer);
}

void TFigure::ReadData(TEtikettFiler& filer) {
    TBaseRecord read;
    read.Read(filer);
    TakeBaseRecord(*this, read);
    UpdateTransform();
}

void TFigure::SaveToStream(TStream& stream) const {
    for (const double v : BaseRecordOf(*this).Values()) WriteStreamDouble(stream, v);
}

void TFigure::LoadFromStream(TStream& stream) {
    std::array<double, 7> values;
    for (double& v : values) v = ReadStreamDouble(stream);
    TBaseRecord read;
    read.SetValues(values);
    TakeBaseRecord(*this, read);
    UpdateTransform();
}

void TFigure::Assign(const TFigure& source) {
    SetCenterX(source.CenterX);
    SetCenterY(source.CenterY);
    SetWidth(source.Width);
    SetHeight(source.Height);
    Reserved1 = source.Reserved1;
    Reserved2 = source.Reserved2;
    SetAngle(source.Angle);
    UpdateTransform();
}

void TFigure::WriteToIni(TMyMemIniFile& ini, const QString& section) {
    ini.WriteString(section, QStringLiteral("ClassName"), QString::fromLatin1(ClassName()));
    const std::pair<const char*, double> values[] = {
        {"CenterX", CenterX}, {"CenterY", CenterY}, {"Width", Width}, {"Height", Height}, {"Angle", Angle}};
    for (const auto& [key, v] : values)
        ini.WriteFloat(section, QString::fromLatin1(key), RoundTo2Decimals(SingleOf(v)));
}

// ---- the position dialog

bool TFigure::EditPosition() {
    return EditPositionWith(kPositionEditable | kSizeEditable | kAngleEditable, 1000);
}

bool TFigure::EditPositionWith(uint8_t flags, double limit) {
    TPositionValues v;
    v.Flags = flags;
    v.CenterX = RoundToDecimals(CenterX, 1);
    v.CenterY = RoundToDecimals(CenterY, 1);
    v.Width = RoundToDecimals(Width, 1);
    v.Height = RoundToDecimals(Height, 1);
    v.Angle = RoundToDecimals(Angle, 1);
    if (!RunPositionDialog(v)) return false;
    Deselect();
    Invalidate();
    SetCenterX(ClampFloat(v.CenterX, -limit, limit));
    SetCenterY(ClampFloat(v.CenterY, -limit, limit));
    SetWidth(ClampFloat(v.Width, -limit, limit));
    SetHeight(ClampFloat(v.Height, -limit, limit));
    if (flags & kAngleEditable) SetAngle(NormalizeAngle(SingleOf(v.Angle)));
    UpdateTransform();
    Invalidate();
    Select();
    return true;
}

// ---- printing a turned sheet

void TFigure::DrawToSheetCanvas(TScaleCanvas& canvas) {
    auto* region = dynamic_cast<TRegionScaleCanvas*>(&canvas);
    if (!region || !region->RotatedSheet) {
        DrawTo(canvas);
        return;
    }
    // The figure goes back exactly where it was (its snapshot), so printing
    // a turned sheet never moves it.
    TMemoryStream saved;
    SaveToStream(saved);
    auto restore = [&] {
        saved.SetPosition(0);
        LoadFromStream(saved);
    };
    const double x = CenterX, y = CenterY;
    try {
        SetCenterX(y);
        SetCenterY(-x);
        SetAngle(Angle - 90);
        DrawTo(canvas);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

// ---- the clip ring

bool TFigure::ClipRingApplies() const {
    return Owner && !GroupDrawing && Owner->ClipRingActive();
}

void TFigure::SelectClipRing() {
    if (!ClipRingApplies()) return;
    const TPoint c = DeviceCenter(WindowCanvas());
    const gdi::Region* found = nullptr;
    for (const TClipZone& zone : Owner->ClipRingRegions())
        if (zone.Area.Contains(c.x, c.y)) {
            found = &zone.Clip;
            break;
        }
    WindowCanvas().Canvas().SelectClipRgn(found);
}

bool TFigure::InClipRing(TScaleCanvas& canvas) const {
    auto* region = dynamic_cast<TRegionScaleCanvas*>(&canvas);
    if (!region || !ClipRingApplies()) return true;
    const TPoint c = DeviceCenter(canvas);
    for (const TClipZone& zone : region->Regions)
        if (canvas.PtInRegionLP(zone.Area, c.x, c.y)) return true;
    return false;
}

void TFigure::SelectClipRingOn(TScaleCanvas& canvas) const {
    auto* region = dynamic_cast<TRegionScaleCanvas*>(&canvas);
    if (!region || !ClipRingApplies()) return;
    const TPoint c = DeviceCenter(canvas);
    for (const TClipZone& zone : region->Regions)
        if (canvas.PtInRegionLP(zone.Area, c.x, c.y)) {
            canvas.Canvas().SelectClipRgn(&zone.Clip);
            return;
        }
    canvas.Canvas().SelectClipRgn(nullptr);
}

// ---- extents on the measuring canvas

double TFigure::GetExtentWidth() const {
    TScaleCanvas& m = GetMMCalcScaleCanvas();
    const TRect r = GetExtent(m);
    return static_cast<double>(m.PixelToMMX(r.right)) - m.PixelToMMX(r.left);
}

double TFigure::GetExtentHeight() const {
    TScaleCanvas& m = GetMMCalcScaleCanvas();
    const TRect r = GetExtent(m);
    return static_cast<double>(m.PixelToMMY(r.bottom)) - m.PixelToMMY(r.top);
}

double TFigure::GetExtentLeft() const { return CenterX - GetExtentWidth() / 2; }
double TFigure::GetExtentRight() const { return CenterX + GetExtentWidth() / 2; }
double TFigure::GetExtentTop() const { return CenterY - GetExtentHeight() / 2; }
double TFigure::GetExtentBottom() const { return CenterY + GetExtentHeight() / 2; }
void TFigure::SetExtentLeft(double v) { SetCenterX(v + GetExtentWidth() / 2); }
void TFigure::SetExtentRight(double v) { SetCenterX(v - GetExtentWidth() / 2); }
void TFigure::SetExtentTop(double v) { SetCenterY(v + GetExtentHeight() / 2); }
void TFigure::SetExtentBottom(double v) { SetCenterY(v - GetExtentHeight() / 2); }
