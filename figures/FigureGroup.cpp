#include "figures/FigureGroup.h"

#include "document/EtikettFiler.h"
#include "figures/FigureDialogs.h"
#include "figures/FigureFactory.h"
#include "figures/FigureStream.h"
#include "figures/Tracker.h"
#include "foundation/ScaleCanvas.h"

#include <cmath>

namespace {

// How deep the group records being read are nested right now.
int readDepth = 0;

class DepthGuard {
public:
    explicit DepthGuard(const TEtikettFiler& filer) {
        if (readDepth >= kMaxGroupDepth) RaiseRecordError(filer);
        ++readDepth;
    }
    ~DepthGuard() { --readDepth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
};

// Clears GroupDrawing however the members' drawing ends.
class GroupDrawingScope {
public:
    GroupDrawingScope() { GroupDrawing = true; }
    ~GroupDrawingScope() { GroupDrawing = false; }
    GroupDrawingScope(const GroupDrawingScope&) = delete;
    GroupDrawingScope& operator=(const GroupDrawingScope&) = delete;
};

double NonNegative(double v) {
    return v > 0 ? v : 0;
}

}  // namespace

TFigureGroup::TFigureGroup(TChildBase* owner) : TRechteck(owner) {
    Kind = TFigureKind::FigureGroup;
    TFigureGroup::CreateTracker();
}

TFigureGroup::~TFigureGroup() {
    for (TFigure* member : Members) delete member;
    Members.Clear();
}

void TFigureGroup::AddMember(std::unique_ptr<TFigure> member) {
    if (!member) return;
    Members.Add(member.get());
    member.release();
}

template <class Setter>
bool TFigureGroup::ForEachMember(Setter setter) {
    bool taken = false;
    for (TFigure* member : Members)
        if (setter(*member)) taken = true;
    return taken;
}

// ---- geometry, passed on to the members

void TFigureGroup::SetCenterX(double v) {
    const double dx = v - CenterX;
    for (TFigure* member : Members) member->SetCenterX(member->CenterX + dx);
    TRechteck::SetCenterX(v);
}

void TFigureGroup::SetCenterY(double v) {
    const double dy = v - CenterY;
    for (TFigure* member : Members) member->SetCenterY(member->CenterY + dy);
    TRechteck::SetCenterY(v);
}

// Member centres keep their place relative to the group's centre, scaled.
void TFigureGroup::ScaleMembers(double factor, bool across) {
    for (TFigure* member : Members) {
        if (across) {
            member->SetCenterX((member->CenterX - CenterX) * factor + CenterX);
            member->SetWidth(factor * member->Width);
        } else {
            member->SetCenterY((member->CenterY - CenterY) * factor + CenterY);
            member->SetHeight(factor * member->Height);
        }
    }
}

void TFigureGroup::SetWidth(double v) {
    ScaleMembers(Width != 0 ? NonNegative(v) / Width : 0, true);
    TRechteck::SetWidth(v);
}

void TFigureGroup::SetHeight(double v) {
    ScaleMembers(Height != 0 ? NonNegative(v) / Height : 0, false);
    TRechteck::SetHeight(v);
}

void TFigureGroup::SetAngle(double v) {
    const float d = static_cast<float>(v - Angle);
    // The members turn about the group's centre, each also about its own.
    TTransform turn;
    turn.Rotate(d);
    turn.SetCenter(CenterX, CenterY);
    for (TFigure* member : Members) {
        const TDoublePoint c = turn.TransformPoint(member->CenterX, member->CenterY);
        member->SetCenterX(c.X);
        member->SetCenterY(c.Y);
        member->SetAngle(member->Angle + d);
    }
    TRechteck::SetAngle(v);
}

// ---- tracker

void TFigureGroup::CreateTracker() {
    TRechteck::CreateTracker();
    RectTracker().HandleFlags = kHandleCorners | kHandleRotation;
}

void TFigureGroup::BeginTrack() {
    TRechteck::BeginTrack();
    DragSnapshot.Clear();
    SaveToStream(DragSnapshot);
}

void TFigureGroup::RestoreDragSnapshot() {
    if (DragSnapshot.Size() == 0) return;
    DragSnapshot.SetPosition(0);
    LoadFromStream(DragSnapshot);
}

namespace {
// A group without free rotation turns by quarter turns only.
TTrackGeometry Snapped(const TTrackGeometry& g, bool freeRotation) {
    TTrackGeometry s = g;
    if (!freeRotation && g.Mode == kTrackRotate) s.Angle = std::nearbyint(g.Angle / 90.0f) * 90.0f;
    return s;
}
}  // namespace

void TFigureGroup::DrawTrackFeedback(TRectTracker&, TTrackGeometry& g, bool& handled) {
    handled = true;
    g = Snapped(g, FreeRotation);
    // Each proposal starts from the state of the drag's start.
    RestoreDragSnapshot();
    SetAngle(g.Angle);
    SetCenterX(g.CenterX);
    SetCenterY(g.CenterY);
    SetWidth(g.Width);
    SetHeight(g.Height);
    TScaleCanvas& canvas = WindowCanvas();
    canvas.Canvas().SetROP2(gdi::Rop2::NotXorPen);
    for (TFigure* member : Members) {
        canvas.Pen().width = 1;
        canvas.Pen().color = 0xFF0000;
        member->DrawMask(canvas);
    }
    canvas.Canvas().SetROP2(gdi::Rop2::CopyPen);
}

void TFigureGroup::ApplyTrackResult(TRectTracker& tracker, const TTrackGeometry& g) {
    RestoreDragSnapshot();
    TRechteck::ApplyTrackResult(tracker, Snapped(g, FreeRotation));
}

// ---- drawing, bounds, hit test

void TFigureGroup::Paint() {
    SelectClipRing();
    std::array<TPoint, 5> points;
    TRect bounds;
    GetCornerPoints(WindowCanvas(), points, bounds);
    if (!Meets(bounds, OwnerUpdateRect())) return;
    const GroupDrawingScope scope;
    for (TFigure* member : Members) member->Paint();
}

void TFigureGroup::DrawOn(TScaleCanvas& canvas) {
    const GroupDrawingScope scope;
    for (TFigure* member : Members) member->DrawTo(canvas);
}

void TFigureGroup::ExportTo(TExportCanvas& canvas) {
    for (TFigure* member : Members) member->ExportTo(canvas);
}

void TFigureGroup::DrawClippedTo(TScaleCanvas& canvas) {
    if (!Meets(GetExtent(canvas), canvas.GetClipRect())) return;
    SelectClipRingOn(canvas);
    for (TFigure* member : Members) member->DrawClippedTo(canvas);
}

void TFigureGroup::DrawMask(TScaleCanvas& canvas) {
    for (TFigure* member : Members) member->DrawMask(canvas);
}

void TFigureGroup::Invalidate() {
    TRechteck::Invalidate();
    for (TFigure* member : Members) member->Invalidate();
}

TRect TFigureGroup::GetBoundsRect() {
    TRect bounds = TRechteck::GetBoundsRect();
    for (TFigure* member : Members) bounds = gdi::UnionRect(bounds, member->GetBoundsRect());
    return bounds;
}

bool TFigureGroup::HitTest(TPoint p) {
    for (TFigure* member : Members)
        if (member->HitTest(p)) return true;
    return false;
}

// ---- pen and fill go to the members

bool TFigureGroup::SetPenColor(gdi::Color color) {
    return ForEachMember([&](TFigure& m) { return m.SetPenColor(color); });
}

bool TFigureGroup::SetPenWidth(float mm) {
    return ForEachMember([&](TFigure& m) { return m.SetPenWidth(mm); });
}

bool TFigureGroup::SetPenStyle(uint8_t style) {
    return ForEachMember([&](TFigure& m) { return m.SetPenStyle(style); });
}

bool TFigureGroup::SetFillColor(gdi::Color color) {
    return ForEachMember([&](TFigure& m) { return m.SetFillColor(color); });
}

bool TFigureGroup::SetBrushStyle(uint8_t style) {
    return ForEachMember([&](TFigure& m) { return m.SetBrushStyle(style); });
}

bool TFigureGroup::SetFillData(const TFillData& fill) {
    return ForEachMember([&](TFigure& m) { return m.SetFillData(fill); });
}

bool TFigureGroup::EditPosition() {
    const uint8_t flags = kPositionEditable | kSizeProportional | (FreeRotation ? kAngleEditable : 0);
    return EditPositionWith(flags, 5000);
}

// ---- records, snapshots, copies

void TFigureGroup::WriteData(TEtikettFiler& filer) {
    TRechteck::WriteData(filer);
    TGroupRecordHead{FreeRotation, Reserved, Members.Count()}.Write(filer);
    for (TFigure* member : Members) member->SaveToFiler(filer);
}

void TFigureGroup::ReadData(TEtikettFiler& filer) {
    const DepthGuard depth(filer);
    TRechteck::ReadData(filer);
    TGroupRecordHead head;
    head.Read(filer);
    FreeRotation = head.FreeRotation;
    Reserved = head.Reserved;
    for (int32_t i = 0; i < head.Count && !filer.Aborted; ++i) {
        std::unique_ptr<TFigure> member;
        ReadFigureElement(filer, Owner, member);
        if (member) AddMember(std::move(member));
    }
}

void TFigureGroup::SaveToStream(TStream& stream) const {
    TRechteck::SaveToStream(stream);
    WriteStreamByte(stream, FreeRotation ? 1 : 0);
    WriteStreamByte(stream, Reserved ? 1 : 0);
    WriteStreamInt(stream, Members.Count());
    for (const TFigure* member : Members) member->SaveToStream(stream);
}

void TFigureGroup::LoadFromStream(TStream& stream) {
    TRechteck::LoadFromStream(stream);
    FreeRotation = ReadStreamByte(stream) != 0;
    Reserved = ReadStreamByte(stream) != 0;
    ReadStreamInt(stream);  // the member count: the members are the group's own
    for (TFigure* member : Members) member->LoadFromStream(stream);
}

void TFigureGroup::Assign(const TFigure& source) {
    const auto* group = dynamic_cast<const TFigureGroup*>(&source);
    if (!group) throw EInvalidCast("Invalid class typecast");
    if (group == this) return;
    TRechteck::Assign(source);
    FreeRotation = group->FreeRotation;
    Reserved = group->Reserved;
    for (const TFigure* member : group->Members) AddMember(member->Clone());
}

std::unique_ptr<TFigure> TFigureGroup::Clone() const {
    auto copy = std::make_unique<TFigureGroup>(Owner);
    copy->Assign(*this);
    return copy;
}
