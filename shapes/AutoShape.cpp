#include "shapes/AutoShape.h"

#include "foundation/Debug.h"
#include "foundation/FillData.h"
#include "foundation/FloatKontur.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Rounding.h"
#include "platform/gdi/Canvas.h"
#include "platform/gdi/Region.h"
#include "shapes/ZRShape.h"
#include "shapes/PfeilShape.h"

#include <QtCore/QString>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

TShapeNoticeHandler& NoticeHandler() {
    static TShapeNoticeHandler handler;
    return handler;
}

void ShowNotice(const std::string& message) {
    if (const TShapeNoticeHandler& handler = NoticeHandler())
        handler(message);
    else
        Debug().Log(QString::fromStdString(message));
}

std::string UpperCase(const std::string& text) {
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
    return upper;
}

}  // namespace

void SetShapeNoticeHandler(TShapeNoticeHandler handler) {
    NoticeHandler() = std::move(handler);
}

// ---- TAbstractAutoShape

template <class T>
void TAbstractAutoShape::Change(T& field, T value) {
    if (field == value) return;
    field = value;
    Dirty = true;
}

void TAbstractAutoShape::SetCenterX(int32_t v) { Change(CenterX, v); }
void TAbstractAutoShape::SetCenterY(int32_t v) { Change(CenterY, v); }
void TAbstractAutoShape::SetWidth(int32_t v) { Change(Width, v); }
void TAbstractAutoShape::SetHeight(int32_t v) { Change(Height, v); }
void TAbstractAutoShape::SetAngle(float v) { Change(Angle, v); }

namespace {

// Handle values come from documents too: anything not finite counts as 0 and
// the rest is kept within ten thousand box sizes, so outlines stay finite.
float SaneHandleValue(float v) {
    return std::isfinite(v) ? std::clamp(v, -10000.0f, 10000.0f) : 0.0f;
}

THotTrackEntry SaneEntry(THotTrackEntry e) {
    for (float* v : {&e.Value1, &e.Min1, &e.Max1, &e.Value2, &e.Min2, &e.Max2}) *v = SaneHandleValue(*v);
    return e;
}

}  // namespace

void TAbstractAutoShape::SetHotTrackData(const THotTrackData& data) {
    HotTrackData = data;
    for (THotTrackEntry& e : HotTrackData.Entries) e = SaneEntry(e);
    Dirty = true;
}

TRect TAbstractAutoShape::GetBounds() {
    return {CenterX, CenterY, CenterX, CenterY};
}

void TAbstractAutoShape::SetAdjustHandle(int32_t index, const THotTrackEntry& entry) {
    Dirty = true;
    if (index >= 0 && index < kHotTrackEntries) HotTrackData.Entries[static_cast<size_t>(index)] = SaneEntry(entry);
}

void TAbstractAutoShape::AddCartesianHandle(float x, float xMin, float xMax, float y, float yMin, float yMax) {
    if (HotTrackData.Count < 0 || HotTrackData.Count >= kHotTrackEntries) return;
    HotTrackData.Entries[static_cast<size_t>(HotTrackData.Count++)] = {kHotTrackCartesian, x, xMin, xMax, y, yMin, yMax};
}

void TAbstractAutoShape::AddPolarHandle(float r, float rMin, float rMax, float a, float aMin, float aMax) {
    if (HotTrackData.Count < 0 || HotTrackData.Count >= kHotTrackEntries) return;
    HotTrackData.Entries[static_cast<size_t>(HotTrackData.Count++)] = {kHotTrackPolar, r, rMin, rMax, a, aMin, aMax};
}

TPoint TAbstractAutoShape::RotatePoint(TPoint p, float angle) const {
    return RotatePointAbout(p, {CenterX, CenterY}, angle);
}

TPoint TAbstractAutoShape::PolarToDevice(float a, float r) const {
    const long double radians = a * std::numbers::pi_v<long double> / 180.0L;
    return {gdi::Saturated(Round64(std::cos(radians) * r * Width) + CenterX),
            gdi::Saturated(Round64(r * std::sin(radians) * Height) + CenterY)};
}

TFloatKontur TAbstractAutoShape::NewKontur() const {
    return TFloatKontur(static_cast<float>(CenterX), static_cast<float>(CenterY), static_cast<float>(Width),
                        static_cast<float>(Height));
}

void TAbstractAutoShape::DoChange() {
    if (OnChange) OnChange(*this);
}

// ---- TAbstractPolygonShape

const std::vector<TPoint>& TAbstractPolygonShape::GetPoints() {
    RebuildIfDirty();
    return Points;
}

TRect TAbstractPolygonShape::GetBounds() {
    RebuildIfDirty();
    if (Points.empty()) return TAbstractAutoShape::GetBounds();
    return BoundsOfShapePoints(Points, static_cast<int32_t>(Points.size()) - 1);
}

void TAbstractPolygonShape::DrawOutline(gdi::Canvas& canvas) {
    RebuildIfDirty();
    if (!Points.empty()) canvas.Polyline(Points);
}

void TAbstractPolygonShape::DrawFilled(gdi::Canvas& canvas, TFillData& fill) {
    RebuildIfDirty();
    if (Points.size() < 2) return;
    fill.FillPolygon(canvas, Points);
    DrawOutline(canvas);
}

bool TAbstractPolygonShape::HitTest(int32_t x, int32_t y, bool onOutline, int32_t tolerance) {
    RebuildIfDirty();
    if (onOutline) return HitTestPolyline(Points, static_cast<int32_t>(Points.size()) - 1, x, y, tolerance);
    return PixelInPolygon(Points, x, y);
}

void TAbstractPolygonShape::TakeContour(const TFloatKontur& contour) {
    Points.resize(static_cast<size_t>(contour.Count));
    contour.ToPointArray(Points, Angle);
}

void TAbstractPolygonShape::BuildBoxPoints() {
    Dirty = false;
    TFloatKontur contour(CenterX, CenterY, Width, Height);
    contour.MoveTo(ShapeLeft(), ShapeTop());
    contour.LineTo(ShapeRight(), ShapeTop());
    contour.LineTo(ShapeRight(), ShapeBottom());
    contour.LineTo(ShapeLeft(), ShapeBottom());
    contour.LineTo(ShapeLeft(), ShapeTop());
    TakeContour(contour);
}

void TAbstractPolygonShape::BuildIntegerPoints(std::span<const TFloatPoint> vertices, bool roundWhole) {
    Dirty = false;
    Points.resize(vertices.size() + 1);
    for (size_t i = 0; i < vertices.size(); ++i) {
        // Far outside any canvas already; the clamp keeps the sums in range.
        const double dx = std::clamp(static_cast<double>(vertices[i].X) * Width, -1e12, 1e12);
        const double dy = std::clamp(static_cast<double>(vertices[i].Y) * Height, -1e12, 1e12);
        const TPoint p = roundWhole ? TPoint{gdi::Saturated(Round64(CenterX + dx)), gdi::Saturated(Round64(CenterY + dy))}
                                    : TPoint{gdi::Saturated(CenterX + Round64(dx)), gdi::Saturated(CenterY + Round64(dy))};
        Points[i] = RotatePoint(p, Angle);
    }
    Points.back() = Points.front();
}

void TAbstractPolygonShape::TakeDevicePoints(std::span<const TPoint> points) {
    Dirty = false;
    Points.assign(points.begin(), points.end());
    if (!Points.empty()) Points.push_back(Points.front());
}

// ---- TAbstractPathShape

std::vector<std::span<const TPoint>> TAbstractPathShape::PointArrays() {
    RebuildIfDirty();
    return {Arrays.begin(), Arrays.end()};
}

void TAbstractPathShape::Emit(TFloatKontur& contour, size_t index) {
    Emit(contour, index, Angle);
}

void TAbstractPathShape::Emit(TFloatKontur& contour, size_t index, double angle) {
    std::vector<TPoint>& points = Arrays[index];
    points.resize(static_cast<size_t>(contour.Count));
    contour.ToPointArray(points, angle);
    contour.Clear();
}

void TAbstractPathShape::Polylines(gdi::Canvas& canvas, std::initializer_list<size_t> indexes) {
    for (size_t i : indexes)
        if (!Arrays[i].empty()) canvas.Polyline(Arrays[i]);
}

bool TAbstractPathShape::OnAnyLine(std::initializer_list<size_t> indexes, int32_t x, int32_t y, int32_t tolerance) {
    for (size_t i : indexes)
        if (HitTestPolyline(Arrays[i], static_cast<int32_t>(Arrays[i].size()) - 1, x, y, tolerance)) return true;
    return false;
}

bool TAbstractPathShape::InsideAny(std::initializer_list<size_t> indexes, int32_t x, int32_t y, bool winding) {
    for (size_t i : indexes)
        if (PointInShapePolygon(Arrays[i], x, y, winding)) return true;
    return false;
}

TRect TAbstractPathShape::BoundsOf(std::initializer_list<size_t> indexes) {
    TRect r{CenterX, CenterY, CenterX, CenterY};
    bool any = false;
    for (size_t i : indexes) {
        if (Arrays[i].empty()) continue;
        const TRect b = BoundsOfShapePoints(Arrays[i], static_cast<int32_t>(Arrays[i].size()) - 1);
        r = any ? TRect{std::min(r.left, b.left), std::min(r.top, b.top), std::max(r.right, b.right),
                        std::max(r.bottom, b.bottom)}
                : b;
        any = true;
    }
    return r;
}

void TAbstractPathShape::FillPlain(gdi::Canvas& canvas, TFillData& fill, size_t index) {
    if (Arrays[index].size() >= 2) fill.FillPolygon(canvas, Arrays[index]);
}

void TAbstractPathShape::FillDark(gdi::Canvas& canvas, TFillData& fill, size_t index) {
    if (Arrays[index].size() >= 2) fill.FillPolygonDarkShade(canvas, Arrays[index]);
}

void TAbstractPathShape::FillMedium(gdi::Canvas& canvas, TFillData& fill, size_t index) {
    if (Arrays[index].size() >= 2) fill.FillPolygonMediumShade(canvas, Arrays[index]);
}

// ---- helpers

bool PointInShapePolygon(std::span<const TPoint> points, int32_t x, int32_t y, bool winding) {
    if (points.size() < 3) return false;
    if (!winding) return PixelInPolygon(points, x, y);
    return gdi::Region::FromPolygon(points, gdi::PolyFillMode::Winding).Contains(x, y);
}

float ClampValue(float value, float min, float max) {
    if (value < min) return min;
    if (value > max) return max;
    return value;
}

TRect BoundsOfShapePoints(std::span<const TPoint> points, int32_t high) {
    if (high < 0 || points.empty()) return {};
    high = std::min<int32_t>(high, static_cast<int32_t>(points.size()) - 1);
    TRect r = BoundsOfPoints(points.first(static_cast<size_t>(high) + 1));
    r.right = gdi::Saturated(int64_t{r.right} + 1);
    r.bottom = gdi::Saturated(int64_t{r.bottom} + 1);
    return r;
}

bool HitTestPolyline(std::span<const TPoint> points, int32_t high, int32_t x, int32_t y, int32_t tolerance) {
    if (high < 0 || points.empty()) return false;
    high = std::min<int32_t>(high, static_cast<int32_t>(points.size()) - 1);
    const TPoint p{x, y};
    if (high == 0) {
        const TRect square = TRect{points[0].x, points[0].y, points[0].x, points[0].y}.Inflated(tolerance, tolerance);
        return square.Contains(p);
    }
    for (int32_t i = 0; i < high; ++i)
        if (PointNearLine(p, points[static_cast<size_t>(i)], points[static_cast<size_t>(i) + 1], tolerance))
            return true;
    return false;
}

bool PixelInPolygon(std::span<const TPoint> points, int32_t x, int32_t y) {
    if (points.size() < 3) return false;
    // The pixel's centre; a crossing count along the row through it.
    const double px = x + 0.5, py = y + 0.5;
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const double xi = points[i].x, yi = points[i].y, xj = points[j].x, yj = points[j].y;
        if ((yi > py) == (yj > py)) continue;
        const double cross = xi + (py - yi) * (xj - xi) / (yj - yi);
        if (px < cross) inside = !inside;
    }
    return inside;
}

// ---- the factory

TAutoShapeFactory::TAutoShapeFactory() = default;

void TAutoShapeFactory::RegisterShape(const std::string& name, TAutoShapeCreator creator) {
    const std::string key = UpperCase(name);
    if (index_.contains(key)) {
        ShowNotice("Doppelter ShapeName registriert: <" + name + ">");
        return;
    }
    index_[key] = mappings_.size();
    mappings_.push_back({name, std::move(creator)});
}

bool TAutoShapeFactory::IsRegistered(const std::string& name) const {
    return index_.contains(UpperCase(name));
}

std::string TAutoShapeFactory::RegisteredName(const std::string& name) const {
    const auto found = index_.find(UpperCase(name));
    return found == index_.end() ? name : mappings_[found->second].ShapeName;
}

std::unique_ptr<TAbstractAutoShape> TAutoShapeFactory::CreateShape(const std::string& name) const {
    const auto found = index_.find(UpperCase(name));
    if (found == index_.end()) {
        ShowNotice("AutoShape ist nicht registriert: " + name);
        return std::make_unique<TDefaultShape>();
    }
    return mappings_[found->second].ShapeClass();
}

std::vector<std::string> TAutoShapeFactory::ShapeNames() const {
    std::vector<std::string> names;
    for (const TAutoShapeMapping& m : mappings_) names.push_back(m.ShapeName);
    return names;
}

TAutoShapeFactory& AutoShapeFactory() {
    static TAutoShapeFactory* factory = [] {
        static TAutoShapeFactory instance;
        instance.RegisterShape("TDefaultShape", [] { return std::make_unique<TDefaultShape>(); });
        RegisterPfeilShapes(instance);
        RegisterZRShapes(instance);
        return &instance;
    }();
    return *factory;
}
