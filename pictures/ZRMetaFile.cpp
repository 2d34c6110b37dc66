#include "pictures/ZRMetaFile.h"

#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"
#include "foundation/Exceptions.h"
#include "foundation/FloatKontur.h"
#include "pictures/EMFDecoder.h"
#include "pictures/WMFDecoder.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Canvas.h"
#include "platform/imaging/Dib.h"

#include <QtCore/QFile>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <numbers>

int32_t RoundCoordinate(double v) {
    constexpr double kLimit = 1 << 28;
    if (!(v == v)) return 0;
    return static_cast<int32_t>(std::nearbyint(std::clamp(v, -kLimit, kLimit)));
}

namespace {

bool Finite(const TMatrix3& m) {
    for (const auto& row : m.m) {
        for (float v : row) {
            if (!std::isfinite(v) || std::fabs(v) > 1e9f) return false;
        }
    }
    return true;
}

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

// ---- the base

TCustomZRMetaFile::TCustomZRMetaFile() { ResetMapping(); }

TCustomZRMetaFile::~TCustomZRMetaFile() = default;

int32_t TCustomZRMetaFile::GetHeight() const { return 1; }
int32_t TCustomZRMetaFile::GetWidth() const { return 1; }
void TCustomZRMetaFile::LoadFromStream(TStream&, int64_t) {}
void TCustomZRMetaFile::SaveToStream(TStream&) const {}
void TCustomZRMetaFile::CopyToClipboard() {}
void TCustomZRMetaFile::PasteFromClipboard() {}
void TCustomZRMetaFile::Draw(gdi::Canvas&, int32_t, int32_t, int32_t, int32_t, float) {}
void TCustomZRMetaFile::SetMetaFileHandle(const gdi::Metafile&) {}

void TCustomZRMetaFile::LoadFromFile(const QString& fileName) {
    TFileStream file(fileName.toStdString(), FileMode::OpenRead);
    LoadFromStream(file, file.Size());
}

void TCustomZRMetaFile::SaveToFile(const QString& fileName) const {
    TFileStream file(fileName.toStdString(), FileMode::Create);
    SaveToStream(file);
}

void TCustomZRMetaFile::ResetMapping() {
    WindowOrg = {0, 0};
    WindowExt = {1, 1};
    ViewportOrg = {0, 0};
    ViewportExt = {1, 1};
    MapMode = 8;
    ViewportScale = {1, 1};
    WindowScale = {1, 1};
    MatrixIdentity(WorldTransform);
    GraphicsMode = 1;
}

void TCustomZRMetaFile::BuildMatrices() {
    const float boxW = static_cast<float>(int64_t{Box.right} - Box.left);
    const float boxH = static_cast<float>(int64_t{Box.bottom} - Box.top);
    const float sx = static_cast<float>(int64_t{Target.right} - Target.left) / boxW;
    const float sy = static_cast<float>(int64_t{Target.bottom} - Target.top) / boxH;
    MatrixIdentity(Placement);
    MatrixTranslate(Placement, -static_cast<float>(Box.left), -static_cast<float>(Box.top));
    MatrixScale(Placement, sx, sy);
    MatrixTranslate(Placement, static_cast<float>(Target.left), static_cast<float>(Target.top));
    PlacementUnrotated = Placement;
    if (Angle != 0) {
        const auto cx = static_cast<float>((int64_t{Target.left} + Target.right) / 2);
        const auto cy = static_cast<float>((int64_t{Target.top} + Target.bottom) / 2);
        MatrixTranslate(Placement, -cx, -cy);
        MatrixRotate(Placement, Angle);
        MatrixTranslate(Placement, cx, cy);
    }
    MatrixIdentity(BoxToDeviceLengths);
    MatrixScale(BoxToDeviceLengths, sx, sy);

    float rx = 1, ry = 1;
    if (MapMode == 8) {
        rx = static_cast<float>(ViewportExt.x) / static_cast<float>(WindowExt.x);
        ry = static_cast<float>(ViewportExt.y) / static_cast<float>(WindowExt.y);
    }
    MatrixIdentity(LogicalToBox);
    MatrixScale(LogicalToBox, WindowScale.X, WindowScale.Y);
    MatrixTranslate(LogicalToBox, -static_cast<float>(WindowOrg.x), -static_cast<float>(WindowOrg.y));
    MatrixScale(LogicalToBox, rx * ViewportScale.X, ry * ViewportScale.Y);
    MatrixTranslate(LogicalToBox, -static_cast<float>(ViewportOrg.x), -static_cast<float>(ViewportOrg.y));
    if (GraphicsMode == 2) MatrixMultiply(LogicalToBox, LogicalToBox, WorldTransform);

    MatrixIdentity(LogicalToBoxLengths);
    MatrixScale(LogicalToBoxLengths, WindowScale.X, WindowScale.Y);
    MatrixScale(LogicalToBoxLengths, rx * ViewportScale.X, ry * ViewportScale.Y);

    MatrixMultiply(PointMatrix, Placement, LogicalToBox);
    MatrixMultiply(PointMatrixUnrotated, PlacementUnrotated, LogicalToBox);
    MatrixMultiply(LengthMatrix, BoxToDeviceLengths, LogicalToBoxLengths);
    mappingValid_ = boxW != 0 && boxH != 0 && sx != 0 && sy != 0 && Finite(PointMatrix) && Finite(LengthMatrix) &&
                    Finite(PointMatrixUnrotated);
}

TPoint TCustomZRMetaFile::MapPoint(int32_t x, int32_t y) const {
    const auto& m = PointMatrix.m;
    return {RoundCoordinate(double{m[0][0]} * x + double{m[0][1]} * y + m[0][2]),
            RoundCoordinate(double{m[1][0]} * x + double{m[1][1]} * y + m[1][2])};
}

TPoint TCustomZRMetaFile::MapLength(int32_t dx, int32_t dy) const {
    const auto& m = LengthMatrix.m;
    return {RoundCoordinate(double{m[0][0]} * dx + double{m[0][1]} * dy),
            RoundCoordinate(double{m[1][0]} * dx + double{m[1][1]} * dy)};
}

// ---- playback

void TCustomZRMetaFile::BeginPlayback(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t w, int32_t h, float angle) {
    dc_ = &canvas;
    ResetMapping();
    Target = {Clamp32(int64_t{cx} - w / 2), Clamp32(int64_t{cy} - h / 2), Clamp32(int64_t{cx} + w / 2),
              Clamp32(int64_t{cy} + h / 2)};
    Angle = std::isfinite(angle) ? angle : 0.0f;
    baseLevel_ = canvas.SaveDC();
    metaSaves_ = 0;
    inPath_ = false;
    stopped_ = false;
}

void TCustomZRMetaFile::EndPlayback() {
    if (dc_) {
        if (inPath_) dc_->AbortPath();
        dc_->RestoreDC(baseLevel_);
    }
    dc_ = nullptr;
    Handles.clear();
    firstFree_ = 0;
    baseClip_ = {};
    savedLevels_.clear();
    savedClipRects_ = 0;
    palette_.reset();
    paletteEntries_ = 0;
    inPath_ = false;
}

int32_t TCustomZRMetaFile::AddHandle(TMetaObject object) {
    // No slot below the hint is free, so creating many objects stays linear.
    firstFree_ = std::min(firstFree_, Handles.size());
    auto free = std::find_if(Handles.begin() + static_cast<std::ptrdiff_t>(firstFree_), Handles.end(),
                             [](const auto& h) { return !h; });
    firstFree_ = static_cast<size_t>(free - Handles.begin());
    if (free == Handles.end()) {
        if (Handles.size() > 0xFFFF) return -1;
        Handles.push_back(std::make_unique<TMetaObject>(std::move(object)));
        return static_cast<int32_t>(Handles.size()) - 1;
    }
    *free = std::make_unique<TMetaObject>(std::move(object));
    return static_cast<int32_t>(free - Handles.begin());
}

void TCustomZRMetaFile::PutHandle(uint32_t index, TMetaObject object) {
    if (index < Handles.size()) Handles[index] = std::make_unique<TMetaObject>(std::move(object));
}

void TCustomZRMetaFile::DeleteHandle(uint32_t index) {
    if (index >= Handles.size()) return;
    Handles[index].reset();
    firstFree_ = std::min<size_t>(firstFree_, index);
}

const TMetaObject* TCustomZRMetaFile::Handle(uint32_t index) const {
    if (index >= Handles.size()) return nullptr;
    return Handles[index].get();
}

void TCustomZRMetaFile::SelectHandle(uint32_t index) {
    if (const TMetaObject* object = Handle(index)) SelectObject(*object);
}

void TCustomZRMetaFile::SelectObject(const TMetaObject& object) {
    // A colour given as a palette index takes the entry of the palette selected now.
    const bool paletteColor = object.colorRef >> 24 == 1;
    switch (object.kind) {
    case TMetaObject::Kind::Pen:
        dc_->SetPen(object.pen);
        if (paletteColor) dc_->pen().color = ColorRef(object.colorRef);
        break;
    case TMetaObject::Kind::Brush:
        dc_->SetBrush(object.brush);
        if (paletteColor) dc_->brush().color = ColorRef(object.colorRef);
        break;
    case TMetaObject::Kind::Font: dc_->SetFont(object.font); break;
    case TMetaObject::Kind::Palette:
    case TMetaObject::Kind::Region: break;
    }
}

std::vector<gdi::Point> TCustomZRMetaFile::MapPoints(std::span<const gdi::Point> logical) const {
    std::vector<gdi::Point> out;
    out.reserve(logical.size());
    for (const gdi::Point& p : logical) out.push_back(MapPoint(p.x, p.y));
    return out;
}

std::array<gdi::Point, 4> TCustomZRMetaFile::MappedCorners(const gdi::Rect& r) const {
    return {MapPoint(r.left, r.top), MapPoint(r.right, r.top), MapPoint(r.right, r.bottom), MapPoint(r.left, r.bottom)};
}

void TCustomZRMetaFile::DrawEllipseRecord(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const TPoint c = MapPoint(Clamp32((int64_t{left} + right + 1) / 2), Clamp32((int64_t{top} + bottom + 1) / 2));
    const TPoint size = MapLength(Clamp32(int64_t{right} - left + 1), Clamp32(int64_t{bottom} - top + 1));
    DrawRotatedEllipse(*dc_, c.x, c.y, Angle, size.y, size.x, inPath_);
}

void TCustomZRMetaFile::DrawRectangleRecord(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const int32_t r = Clamp32(int64_t{right} + 1), b = Clamp32(int64_t{bottom} + 1);
    const std::array<gdi::Point, 5> corners{{{left, top}, {r, top}, {r, b}, {left, b}, {left, top}}};
    dc_->Polygon(MapPoints(corners));
}

namespace {

void DrawContour(gdi::Canvas& dc, const TFloatKontur& contour, float angle, bool closed) {
    std::vector<TPoint> points(static_cast<size_t>(contour.Count));
    contour.ToPointArray(points, angle);
    if (points.size() < 2) return;
    if (closed) dc.Polygon(points);
    else dc.Polyline(points);
}

}  // namespace

void TCustomZRMetaFile::DrawRoundRectRecord(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t cornerW,
                                            int32_t cornerH) {
    const TPoint c = MapPoint(Clamp32((int64_t{left} + right + 1) / 2), Clamp32((int64_t{top} + bottom + 1) / 2));
    const TPoint size = MapLength(Clamp32(int64_t{right} - left + 1), Clamp32(int64_t{bottom} - top + 1));
    const TPoint corner = MapLength(cornerW, cornerH);
    const float w = static_cast<float>(size.x), h = static_cast<float>(size.y);
    // The corner size is that of the ellipse whose quarters round the corners.
    const float rx = std::min(std::fabs(static_cast<float>(corner.x)) / 2, std::fabs(w) / 2) * (w < 0 ? -1.0f : 1.0f);
    const float ry = std::min(std::fabs(static_cast<float>(corner.y)) / 2, std::fabs(h) / 2) * (h < 0 ? -1.0f : 1.0f);
    const float l = static_cast<float>(c.x) - w / 2, r = static_cast<float>(c.x) + w / 2;
    const float t = static_cast<float>(c.y) - h / 2, b = static_cast<float>(c.y) + h / 2;
    TFloatKontur contour(static_cast<float>(c.x), static_cast<float>(c.y), 1, 1);
    LimitToVisible(contour);
    contour.MoveTo(l + rx, t);
    contour.LineTo(r - rx, t);
    contour.CornerArcTo(r, t, r, t + ry);
    contour.LineTo(r, b - ry);
    contour.CornerArcTo(r, b, r - rx, b);
    contour.LineTo(l + rx, b);
    contour.CornerArcTo(l, b, l, b - ry);
    contour.LineTo(l, t + ry);
    contour.CornerArcTo(l, t, l + rx, t);
    DrawContour(*dc_, contour, Angle, true);
}

void TCustomZRMetaFile::DrawArcRecord(ArcKind kind, gdi::Rect box, gdi::Point start, gdi::Point end, bool plusOne) {
    const int64_t extra = plusOne ? 1 : 0;
    const int32_t cx = Clamp32((int64_t{box.left} + box.right + extra) / 2);
    const int32_t cy = Clamp32((int64_t{box.top} + box.bottom + extra) / 2);
    const TPoint c = MapPoint(cx, cy);
    const TPoint size = MapLength(Clamp32(int64_t{box.right} - box.left + extra), Clamp32(int64_t{box.bottom} - box.top + extra));
    auto degrees = [cx, cy](gdi::Point p) {
        return static_cast<float>(std::atan2(static_cast<double>(p.y) - cy, static_cast<double>(p.x) - cx) * 180 / std::numbers::pi);
    };
    const float startAngle = degrees(start), endAngle = degrees(end);
    const float w = static_cast<float>(size.x), h = static_cast<float>(size.y);
    const float ox = static_cast<float>(c.x), oy = static_cast<float>(c.y);
    TFloatKontur contour(ox, oy, w, h);
    LimitToVisible(contour);
    TFloatPoint first;
    contour.LineToPolar(first, 0.5f, endAngle);
    contour.AddArc(ox - w / 2, oy - h / 2, ox + w / 2, oy + h / 2, endAngle, startAngle);
    if (kind == ArcKind::Pie) contour.LineTo(ox, oy);
    if (kind != ArcKind::Arc) contour.LineTo(first.X, first.Y);
    DrawContour(*dc_, contour, Angle, kind != ArcKind::Arc);
}

TMetaObject TCustomZRMetaFile::MakePen(uint32_t style, int32_t width, uint32_t colour) const {
    TMetaObject object;
    object.kind = TMetaObject::Kind::Pen;
    const uint32_t kind = style & 0x0F;
    object.pen.style = kind <= 7 ? static_cast<gdi::PenStyle>(kind) : gdi::PenStyle::Solid;
    if (object.pen.style == gdi::PenStyle::UserStyle) object.pen.style = gdi::PenStyle::Solid;
    const TPoint w = MapLength(width, width);
    // A pen many times wider than the frame covers it all wherever it passes
    // near; wider ones only cost more.
    const double diagonal = std::hypot(static_cast<double>(Target.right) - Target.left, static_cast<double>(Target.bottom) - Target.top);
    const auto widest = static_cast<int64_t>(std::min(4 * diagonal + 64, double{INT32_MAX}));
    object.pen.width = static_cast<int32_t>(std::clamp<int64_t>((int64_t{w.x} + w.y) / 2, 0, widest));
    object.pen.color = colour & 0x00FFFFFF;
    object.colorRef = colour;
    object.pen.geometric = (style & 0x00010000) != 0;
    const uint32_t cap = style & 0x0F00, join = style & 0xF000;
    object.pen.cap = cap == 0x100 ? gdi::PenEndCap::Square : cap == 0x200 ? gdi::PenEndCap::Flat : gdi::PenEndCap::Round;
    object.pen.join = join == 0x1000 ? gdi::PenJoin::Bevel : join == 0x2000 ? gdi::PenJoin::Miter : gdi::PenJoin::Round;
    return object;
}

TMetaObject TCustomZRMetaFile::MakeBrush(uint32_t style, uint32_t colour, uint32_t hatch) {
    TMetaObject object;
    object.kind = TMetaObject::Kind::Brush;
    object.colorRef = colour;
    const gdi::Color rgb = colour & 0x00FFFFFF;
    object.brush = gdi::SolidBrush(rgb);
    if (style == 1) object.brush = gdi::NullBrush();
    else if (style == 2 && hatch <= 5) object.brush = gdi::HatchBrush(static_cast<gdi::HatchStyle>(hatch), rgb);
    return object;
}

TMetaObject TCustomZRMetaFile::MakePatternBrush(const imaging::Dib* dib) {
    TMetaObject object;
    object.kind = TMetaObject::Kind::Brush;
    object.brush = gdi::NullBrush();  // a pattern that cannot be read paints nothing
    if (!dib) return object;
    auto pattern = std::make_shared<gdi::Bitmap>(imaging::BitmapFromDIB(*dib, false));
    if (pattern->IsEmpty()) return object;
    object.brush.style = gdi::BrushStyle::Pattern;
    object.brush.pattern = std::move(pattern);
    return object;
}

TMetaObject TCustomZRMetaFile::MakeFont(gdi::LogFont font, bool orientationFromEscapement) const {
    TMetaObject object;
    object.kind = TMetaObject::Kind::Font;
    const int32_t width = font.width != 0 ? font.width : AverageCharWidth(font);
    font.width = MapLength(width, 0).x;
    font.height = MapLength(0, font.height).y;
    if (Angle != 0) {
        const auto turn = static_cast<int64_t>(std::nearbyint(double{Angle} * 10));
        font.escapement = Clamp32(int64_t{font.escapement} - turn);
        font.orientation = orientationFromEscapement ? font.escapement : Clamp32(int64_t{font.orientation} - turn);
    }
    object.font = std::move(font);
    return object;
}

std::u16string TCustomZRMetaFile::AnsiText(std::span<const uint8_t> bytes) const {
    std::u16string text;
    text.reserve(bytes.size());
    const bool symbol = dc_->font().charSet == gdi::SYMBOL_CHARSET;
    for (uint8_t b : bytes) text.push_back(symbol ? static_cast<char16_t>(0xF000 + b) : static_cast<char16_t>(Cp1252ToUnicode(b)));
    return text;
}

int32_t TCustomZRMetaFile::AverageCharWidth(const gdi::LogFont& font) const {
    const gdi::LogFont saved = dc_->font();
    dc_->SetFont(font);
    const int32_t width = dc_->GetTextMetrics().aveCharWidth;
    dc_->SetFont(saved);
    return width;
}

void TCustomZRMetaFile::DrawText(gdi::Point at, uint32_t options, const gdi::Rect* rect, std::u16string_view text,
                                 std::span<const int32_t> deviceDx) {
    const TPoint p = MapPoint(at.x, at.y);
    options &= gdi::ETO_OPAQUE | gdi::ETO_CLIPPED;
    if (!rect) options = 0;
    if (!Turned() || options == 0) {
        std::optional<gdi::Rect> mapped;
        if (options != 0) {
            const TPoint a = MapPoint(rect->left, rect->top), b = MapPoint(rect->right, rect->bottom);
            mapped = gdi::Rect{a.x, a.y, b.x, b.y}.Normalized();
        }
        dc_->ExtTextOut(p.x, p.y, options, mapped ? &*mapped : nullptr, text, deviceDx);
        return;
    }
    // The rectangle turns with the picture: its background filled, the text
    // clipped to it, as the device would do upright.
    const gdi::Region area = DeviceArea(*rect);
    if (options & gdi::ETO_OPAQUE) dc_->FillRgn(area, gdi::SolidBrush(dc_->BkColor()));
    auto draw = [&] { dc_->ExtTextOut(p.x, p.y, 0, nullptr, text, deviceDx); };
    if (options & gdi::ETO_CLIPPED) ClippedTo(area, draw);
    else draw();
}

// ---- the ellipse

void DrawRotatedEllipse(gdi::Canvas& canvas, int32_t cx, int32_t cy, float angle, int32_t h, int32_t w,
                        bool intoOpenPath) {
    constexpr double kHalfCircle = 0.2761423749154;
    const int32_t kx = RoundCoordinate(w * kHalfCircle), ky = RoundCoordinate(h * kHalfCircle);
    const int32_t hw = w / 2, hh = h / 2;
    std::array<gdi::Point, 13> points{{{cx - hw, cy}, {cx - hw, cy - ky}, {cx - kx, cy - hh}, {cx, cy - hh},
                                       {cx + kx, cy - hh}, {cx + hw, cy - ky}, {cx + hw, cy}, {cx + hw, cy + ky},
                                       {cx + kx, cy + hh}, {cx, cy + hh}, {cx - kx, cy + hh}, {cx - hw, cy + ky},
                                       {cx - hw, cy}}};
    if (angle != 0) {
        const double a = angle * std::numbers::pi / 180, c = std::cos(a), s = std::sin(a);
        for (gdi::Point& p : points) {
            const double dx = p.x - cx, dy = p.y - cy;
            p = {cx + RoundCoordinate(dx * c - dy * s), cy + RoundCoordinate(dx * s + dy * c)};
        }
    }
    if (intoOpenPath) {
        canvas.MoveTo(points[0].x, points[0].y);
        canvas.PolyBezierTo(std::span<const gdi::Point>(points).subspan(1));
        canvas.CloseFigure();
        return;
    }
    canvas.BeginPath();
    canvas.PolyBezier(points);
    canvas.EndPath();
    canvas.StrokeAndFillPath();
}

// ---- the facade

TZRMetaFile::TZRMetaFile() = default;
TZRMetaFile::~TZRMetaFile() = default;

bool TZRMetaFile::IsEMF(TStream& stream) {
    if (stream.Remaining() < 101) return false;
    uint8_t header[100];
    stream.ReadBuffer(header, sizeof header);
    stream.Seek(-100, SeekOrigin::Current);
    auto u32 = [&header](int offset) {
        return uint32_t{header[offset]} | uint32_t{header[offset + 1]} << 8 | uint32_t{header[offset + 2]} << 16 |
               uint32_t{header[offset + 3]} << 24;
    };
    return u32(0) == 1 && u32(40) == 0x464D4520;
}

int32_t TZRMetaFile::GetHeight() const { return player_ ? player_->GetHeight() : 1; }
int32_t TZRMetaFile::GetWidth() const { return player_ ? player_->GetWidth() : 1; }
bool TZRMetaFile::IsEmpty() const { return !player_ || player_->IsEmpty(); }

void TZRMetaFile::LoadFromStream(TStream& stream, int64_t size) {
    player_.reset();
    if (IsEMF(stream)) player_ = std::make_unique<TZREMF>();
    else player_ = std::make_unique<TZRWMF>();
    player_->LoadFromStream(stream, size);
}

void TZRMetaFile::SaveToStream(TStream& stream) const {
    if (player_) player_->SaveToStream(stream);
}

void TZRMetaFile::SaveToFile(const QString& fileName) const {
    if (player_) player_->SaveToFile(fileName);
}

void TZRMetaFile::CopyToClipboard() {
    if (player_) player_->CopyToClipboard();
}

void TZRMetaFile::PasteFromClipboard() {
    player_ = std::make_unique<TZREMF>();
    player_->PasteFromClipboard();
}

void TZRMetaFile::Draw(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t w, int32_t h, float angle) {
    if (player_) player_->Draw(canvas, cx, cy, w, h, angle);
}

void TZRMetaFile::SetMetaFileHandle(const gdi::Metafile& metafile) {
    player_ = std::make_unique<TZREMF>();
    player_->SetMetaFileHandle(metafile);
}

void TZRMetaFile::LoadFromResource(const QString& resourcePath) {
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly)) throw EFOpenError(QStringLiteral("Resource %1 not found").arg(resourcePath));
    const QByteArray bytes = file.readAll();
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    LoadFromStream(stream, stream.Size());
}

void TZRMetaFile::Assign(const TZRMetaFile& source) {
    if (&source == this) return;
    player_.reset();
    if (!source.player_) return;
    TMemoryStream copy;
    source.player_->SaveToStream(copy);
    copy.SetPosition(0);
    if (dynamic_cast<const TZREMF*>(source.player_.get())) player_ = std::make_unique<TZREMF>();
    else player_ = std::make_unique<TZRWMF>();
    player_->LoadFromStream(copy, copy.Size());
}
