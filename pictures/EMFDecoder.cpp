#include "pictures/EMFDecoder.h"

#include "foundation/Debug.h"
#include "foundation/Exceptions.h"
#include "pictures/MetaRecord.h"
#include "platform/gdi/Canvas.h"
#include "platform/gdi/Metafile.h"
#include "platform/imaging/Dib.h"

#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr size_t kRecordHeader = 8;

[[noreturn]] void BadEmfFormat() { throw Exception("falsches EMF Format"); }

TMatrix3 MatrixOfXForm(const TMetaRecord& r, size_t at) {
    TMatrix3 m = kIdentityMatrix;
    m.m[0][0] = r.F32(at);       // eM11
    m.m[1][0] = r.F32(at + 4);   // eM12
    m.m[0][1] = r.F32(at + 8);   // eM21
    m.m[1][1] = r.F32(at + 12);  // eM22
    m.m[0][2] = r.F32(at + 16);  // eDx
    m.m[1][2] = r.F32(at + 20);  // eDy
    return m;
}

bool FiniteMatrix(const TMatrix3& m) {
    for (const auto& row : m.m) {
        for (float v : row) {
            if (!std::isfinite(v)) return false;
        }
    }
    return true;
}

gdi::Rect RectAt(const TMetaRecord& r, size_t at) { return {r.I32(at), r.I32(at + 4), r.I32(at + 8), r.I32(at + 12)}; }

// The stock objects of the system, selected by index with the top bit set.
std::optional<TMetaObject> StockObject(uint32_t index) {
    TMetaObject object;
    auto brush = [&object](gdi::Brush b) {
        object.kind = TMetaObject::Kind::Brush;
        object.brush = b;
        return object;
    };
    auto pen = [&object](gdi::PenStyle style, gdi::Color colour) {
        object.kind = TMetaObject::Kind::Pen;
        object.pen.style = style;
        object.pen.color = colour;
        return object;
    };
    auto font = [&object](const char* face) {
        object.kind = TMetaObject::Kind::Font;
        object.font.faceName = face;
        return object;
    };
    switch (index) {
    case 0: return brush(gdi::SolidBrush(gdi::Rgb(255, 255, 255)));
    case 1: return brush(gdi::SolidBrush(gdi::Rgb(192, 192, 192)));
    case 2: return brush(gdi::SolidBrush(gdi::Rgb(128, 128, 128)));
    case 3: return brush(gdi::SolidBrush(gdi::Rgb(64, 64, 64)));
    case 4: return brush(gdi::SolidBrush(gdi::Rgb(0, 0, 0)));
    case 5: return brush(gdi::NullBrush());
    case 6: return pen(gdi::PenStyle::Solid, gdi::Rgb(255, 255, 255));
    case 7: return pen(gdi::PenStyle::Solid, 0);
    case 8: return pen(gdi::PenStyle::Null, 0);
    case 10: case 11: case 16: return font("Courier New");
    case 12: case 13: case 14: case 17: return font("Arial");
    case 18: return brush(gdi::SolidBrush(gdi::Rgb(255, 255, 255)));
    case 19: return pen(gdi::PenStyle::Solid, 0);
    default: return std::nullopt;
    }
}

// A DIB of a record: its BITMAPINFO and its bits, each at an offset from the record's start.
imaging::DibHandle RecordDib(const TMetaRecord& r, size_t at, int32_t* rawHeight = nullptr) {
    const uint32_t offBmi = r.U32(at), cbBmi = r.U32(at + 4), offBits = r.U32(at + 8), cbBits = r.U32(at + 12);
    if (cbBmi < 40 || !r.Has(offBmi, cbBmi) || !r.Has(offBits, cbBits)) return nullptr;
    if (rawHeight) *rawHeight = r.I32(offBmi + 8);
    return imaging::DibFromParts(r.Bytes(offBmi, cbBmi), r.Bytes(offBits, cbBits));
}

// The rectangles of region data (a 32-byte header, then nCount rectangles).
bool RegionRects(const TMetaRecord& r, size_t at, uint32_t size, std::vector<gdi::Rect>& rects) {
    if (size < 32 || !r.Has(at, size)) return false;
    const uint32_t count = r.U32(at + 8);
    if (uint64_t{count} * 16 > size - 32) return false;
    rects.clear();
    rects.reserve(count);
    for (uint32_t i = 0; i < count; ++i) rects.push_back(RectAt(r, at + 32 + 16 * size_t{i}));
    return true;
}

}  // namespace

TZREMF::TZREMF() = default;
TZREMF::~TZREMF() = default;

int32_t TZREMF::GetHeight() const { return data_.empty() ? 1 : Box.bottom - Box.top; }
int32_t TZREMF::GetWidth() const { return data_.empty() ? 1 : Box.right - Box.left; }

void TZREMF::LoadFromStream(TStream& stream, int64_t size) {
    data_.clear();
    headerCopy_.clear();
    const int64_t given = std::min(size, stream.Remaining());
    if (given < static_cast<int64_t>(kHeaderCopySize)) BadEmfFormat();
    std::vector<uint8_t> header(kHeaderCopySize);
    stream.ReadBuffer(header.data(), kHeaderCopySize);
    stream.Seek(-static_cast<int64_t>(kHeaderCopySize), SeekOrigin::Current);
    const TMetaRecord h(header);
    const uint32_t total = h.U32(48);
    if (h.U32(40) != kSignature || total < kHeaderCopySize || total > given) BadEmfFormat();
    std::vector<uint8_t> bytes(total);
    stream.ReadBuffer(bytes.data(), total);
    LoadBytes(std::move(bytes));
}

void TZREMF::LoadBytes(std::vector<uint8_t> bytes) {
    data_ = std::move(bytes);
    headerCopy_.assign(data_.begin(), data_.begin() + kHeaderCopySize);
    ComputeBox();
}

// The frame (hundredths of a millimetre) in pixels of the reference device.
void TZREMF::ComputeBox() {
    const TMetaRecord h(headerCopy_);
    const double pixelsX = h.I32(72), pixelsY = h.I32(76), mmX = h.I32(80), mmY = h.I32(84);
    if (mmX <= 0 || mmY <= 0 || pixelsX <= 0 || pixelsY <= 0) {
        Box = {};
        return;
    }
    auto x = [&](int32_t v) { return RoundCoordinate(v / 100.0 / mmX * pixelsX); };
    auto y = [&](int32_t v) { return RoundCoordinate(v / 100.0 / mmY * pixelsY); };
    Box = {x(h.I32(24)), y(h.I32(28)), x(h.I32(32)), y(h.I32(36))};
}

void TZREMF::SaveToStream(TStream& stream) const {
    if (!data_.empty()) stream.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TZREMF::CopyToClipboard() { GetDebug().Log("TZREMF.CopyToClipboard noch nicht implementiert"); }

void TZREMF::PasteFromClipboard() {
    data_.clear();
    const QMimeData* mime = QGuiApplication::instance() ? QGuiApplication::clipboard()->mimeData() : nullptr;
    QByteArray bytes;
    for (const char* type : {"image/emf", "image/x-emf", "application/x-qt-windows-mime;value=\"Enhanced Metafile\""}) {
        if (mime && mime->hasFormat(QString::fromLatin1(type))) {
            bytes = mime->data(QString::fromLatin1(type));
            break;
        }
    }
    if (bytes.isEmpty()) throw Exception("kein MetaFile in der Zwischenablage");
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    LoadFromStream(stream, stream.Size());
}

void TZREMF::SetMetaFileHandle(const gdi::Metafile& metafile) {
    data_.clear();
    std::vector<uint8_t> bytes = metafile.EmfBytes();
    const TMetaRecord h(bytes);
    if (bytes.size() < kHeaderCopySize || h.U32(40) != kSignature) BadEmfFormat();
    LoadBytes(std::move(bytes));
}

void TZREMF::Draw(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t w, int32_t h, float angle) {
    if (data_.empty()) return;
    BeginPlayback(canvas, cx, cy, w, h, angle);
    const TMetaRecord header(headerCopy_);
    Handles.clear();
    Handles.resize(header.U16(56));
    ComputeBox();
    BuildMatrices();
    ClipToFrame();
    try {
        const size_t total = std::min<size_t>(header.U32(48), data_.size());
        size_t offset = 0;
        while (offset + kRecordHeader <= total && !Stopped()) {
            const TMetaRecord head({data_.data() + offset, total - offset});
            const uint32_t size = head.U32(4);
            // A record too short for its own header, or reaching past the data, ends playback.
            if (size < kRecordHeader || size > total - offset) break;
            PlayRecord(TMetaRecord({data_.data() + offset, size}), head.U32(0));
            offset += size;
        }
    } catch (...) {
        SavedStates.clear();
        EndPlayback();
        throw;
    }
    SavedStates.clear();
    EndPlayback();
}

void TZREMF::PlayRecord(const TMetaRecord& r, uint32_t type) {
    if (type > 120) return;
    if (PlayState(r, type) || PlayObject(r, type) || PlayPath(r, type)) return;
    if (!MappingValid()) return;
    if (PlayDrawing(r, type) || PlayPoints(r, type) || PlayRegionOrClip(r, type)) return;
    PlayBitmap(r, type);
}

TZREMF::TMatrixSet TZREMF::SaveMatrices() const {
    return {WorldTransform, LogicalToBox,  LogicalToBoxLengths, Placement,   PlacementUnrotated,
            BoxToDeviceLengths, PointMatrix, PointMatrixUnrotated, LengthMatrix};
}

void TZREMF::RestoreMatrices(const TMatrixSet& set) {
    WorldTransform = set[0];
    LogicalToBox = set[1];
    LogicalToBoxLengths = set[2];
    Placement = set[3];
    PlacementUnrotated = set[4];
    BoxToDeviceLengths = set[5];
    PointMatrix = set[6];
    PointMatrixUnrotated = set[7];
    LengthMatrix = set[8];
}

// Mode 1 resets; 2 applies the record's transform before the current one,
// 3 after it.
void TZREMF::ModifyWorldTransform(const TMatrix3& x, uint32_t mode) {
    if (mode == 1) MatrixIdentity(WorldTransform);
    else if (mode == 2) MatrixMultiply(WorldTransform, WorldTransform, x);
    else if (mode == 3) MatrixMultiply(WorldTransform, x, WorldTransform);
}

// Attributes, the mapping and saved states.
bool TZREMF::PlayState(const TMetaRecord& r, uint32_t type) {
    gdi::Canvas& dc = DC();
    const bool one = r.Has(8, 4), two = r.Has(8, 8);
    const uint32_t v = one ? r.U32(8) : 0;
    switch (type) {
    case 1: case 14: case 70: return true;
    case 52: return true;  // realizing a palette: the device has true colours
    case 16:
        if (one) dc.SetMapperFlags(v);
        return true;
    case 28: SetMetaRegion(); return true;
    case 48:
        if (one) SelectPalette(v);
        return true;
    case 50:  // palette, first entry, count, entries
        if (r.Has(8, 12)) SetPaletteEntries(v, r.U32(12), r.From(20), r.U32(16));
        return true;
    case 51:
        if (two) ResizePalette(v, r.U32(12));
        return true;
    case 18:
        if (one && (v == 1 || v == 2)) dc.SetBkMode(static_cast<gdi::BkMode>(v));
        return true;
    case 19:
        if (one && (v == 1 || v == 2)) dc.SetPolyFillMode(static_cast<gdi::PolyFillMode>(v));
        return true;
    case 20:
        if (one && v >= 1 && v <= 16) dc.SetROP2(static_cast<gdi::Rop2>(v));
        return true;
    case 21:
        if (one && v >= 1 && v <= 4) dc.SetStretchBltMode(static_cast<gdi::StretchMode>(v));
        return true;
    case 22:
        if (one) dc.SetTextAlign(v & 0x011F);
        return true;
    case 24:
        if (one) dc.SetTextColor(ColorRef(v));
        return true;
    case 25:
        if (one) dc.SetBkColor(ColorRef(v));
        return true;
    case 58:
        if (one && std::isfinite(r.F32(8)) && r.F32(8) > 0) dc.SetMiterLimit(r.F32(8));
        return true;
    case 33:
        if (SaveState()) SavedStates.push_back(SaveMatrices());
        return true;
    case 34:
        if (!one) return true;
        RestoreState(static_cast<int32_t>(v));
        if (!SavedStates.empty()) {
            RestoreMatrices(SavedStates.back());
            SavedStates.pop_back();
        }
        return true;
    case 9:
        if (two) WindowExt = {r.I32(8), r.I32(12)};
        break;
    case 10:
        if (two) WindowOrg = {r.I32(8), r.I32(12)};
        break;
    case 11:
        if (two) ViewportExt = {r.I32(8), r.I32(12)};
        break;
    case 12:
        if (two) ViewportOrg = {r.I32(8), r.I32(12)};
        break;
    case 17:
        if (one) MapMode = static_cast<int32_t>(v);
        break;
    case 31:
    case 32: {
        if (!r.Has(8, 16) || r.I32(12) == 0 || r.I32(20) == 0) return true;
        const TFloatPoint scale{static_cast<float>(r.I32(8)) / static_cast<float>(r.I32(12)),
                                static_cast<float>(r.I32(16)) / static_cast<float>(r.I32(20))};
        (type == 31 ? ViewportScale : WindowScale) = scale;
        break;
    }
    case 35:
        if (!r.Has(8, 24) || !FiniteMatrix(MatrixOfXForm(r, 8))) return true;
        WorldTransform = MatrixOfXForm(r, 8);
        break;
    case 36:
        if (!r.Has(8, 28) || !FiniteMatrix(MatrixOfXForm(r, 8))) return true;
        ModifyWorldTransform(MatrixOfXForm(r, 8), r.U32(32));
        break;
    default: return false;
    }
    BuildMatrices();
    return true;
}

// Objects go into the slot the record names (deleting what was there);
// indices outside the table are ignored.
bool TZREMF::PlayObject(const TMetaRecord& r, uint32_t type) {
    const bool objectRecord = type == 37 || type == 38 || type == 39 || type == 40 || type == 49 || type == 82 ||
                              type == 93 || type == 94 || type == 95;
    if (!objectRecord) return false;
    if (!r.Has(8, 4)) return true;
    const uint32_t index = r.U32(8);
    switch (type) {
    case 37:
        if (index & 0x80000000u) {
            if (const std::optional<TMetaObject> stock = StockObject(index & 0x7FFFFFFFu)) SelectObject(*stock);
        } else {
            SelectHandle(index);
        }
        return true;
    case 40: DeleteHandle(index); return true;
    case 38:
        if (r.Has(12, 16)) PutHandle(index, MakePen(r.U32(12), r.I32(16), r.U32(24)));
        return true;
    case 39:
        if (r.Has(12, 12)) PutHandle(index, MakeBrush(r.U32(12), r.U32(16), r.U32(20)));
        return true;
    case 49:  // LOGPALETTE: version, count, entries
        if (r.Has(12, 4)) PutHandle(index, MakePalette(r.From(16), r.U16(14)));
        return true;
    case 93:
    case 94:
        if (r.Has(12, 20)) {
            const imaging::DibHandle dib = RecordDib(r, 16);
            PutHandle(index, MakePatternBrush(dib.get()));
        }
        return true;
    case 95: {
        if (!r.Has(12, 40)) return true;
        TMetaObject pen = MakePen(r.U32(28), r.I32(32), r.U32(40));
        if (r.U32(36) == 1) pen.pen.style = gdi::PenStyle::Null;
        const uint32_t entries = r.U32(48);
        if ((r.U32(28) & 0x0F) == 7 && entries > 0 && entries <= 16 && r.Has(52, size_t{entries} * 4)) {
            pen.pen.style = gdi::PenStyle::UserStyle;
            for (uint32_t i = 0; i < entries; ++i) pen.pen.userDashes.push_back(r.U32(52 + 4 * size_t{i}));
        }
        PutHandle(index, std::move(pen));
        return true;
    }
    case 82: {
        if (!r.Has(12, 92)) return true;
        gdi::LogFont font;
        font.height = r.I32(12);
        font.width = r.I32(16);
        font.escapement = r.I32(20);
        font.orientation = r.I32(24);
        font.weight = r.I32(28);
        font.italic = r.U8(32) != 0;
        font.underline = r.U8(33) != 0;
        font.strikeOut = r.U8(34) != 0;
        font.charSet = r.U8(35);
        font.outPrecision = r.U8(36);
        font.clipPrecision = r.U8(37);
        font.quality = r.U8(38);
        font.pitchAndFamily = r.U8(39);
        std::u16string face;
        for (size_t i = 0; i < 32 && r.U16(40 + 2 * i) != 0; ++i) face.push_back(static_cast<char16_t>(r.U16(40 + 2 * i)));
        font.faceName = QString::fromStdU16String(face).toStdString();
        PutHandle(index, MakeFont(font, false));
        return true;
    }
    default: return false;
    }
}

bool TZREMF::PlayPath(const TMetaRecord& r, uint32_t type) {
    gdi::Canvas& dc = DC();
    switch (type) {
    case 59:
        dc.BeginPath();
        inPath_ = true;
        return true;
    case 60:
        dc.EndPath();
        inPath_ = false;
        return true;
    case 61: dc.CloseFigure(); return true;
    case 62: dc.FillPath(); return true;
    case 63: dc.StrokeAndFillPath(); return true;
    case 64: dc.StrokePath(); return true;
    case 65: dc.FlattenPath(); return true;
    case 66: dc.WidenPath(); return true;
    case 67:
        if (r.Has(8, 4) && r.U32(8) >= 1 && r.U32(8) <= 5) SelectClipPath(static_cast<gdi::RegionCombine>(r.U32(8)));
        return true;
    case 68:
        dc.AbortPath();
        inPath_ = false;
        return true;
    default: return false;
    }
}

bool TZREMF::PlayDrawing(const TMetaRecord& r, uint32_t type) {
    gdi::Canvas& dc = DC();
    switch (type) {
    case 15:
        if (r.Has(8, 12)) DrawPixelRecord(r.I32(8), r.I32(12), r.U32(16));
        return true;
    case 27:
    case 54:
        if (r.Has(8, 8)) {
            const TPoint p = MapPoint(r.I32(8), r.I32(12));
            if (type == 54) dc.LineTo(p.x, p.y);
            else dc.MoveTo(p.x, p.y);
        }
        return true;
    case 42:
    case 43:
        if (r.Has(8, 16)) {
            const gdi::Rect b = RectAt(r, 8);
            if (type == 42) DrawEllipseRecord(b.left, b.top, b.right, b.bottom);
            else DrawRectangleRecord(b.left, b.top, b.right, b.bottom);
        }
        return true;
    case 44:
        if (r.Has(8, 24)) {
            const gdi::Rect b = RectAt(r, 8);
            DrawRoundRectRecord(b.left, b.top, b.right, b.bottom, r.I32(24), r.I32(28));
        }
        return true;
    case 45:
    case 46:
    case 47:
        if (r.Has(8, 32)) {
            const ArcKind kind = type == 45 ? ArcKind::Arc : type == 46 ? ArcKind::Chord : ArcKind::Pie;
            DrawArcRecord(kind, RectAt(r, 8), {r.I32(24), r.I32(28)}, {r.I32(32), r.I32(36)}, true);
        }
        return true;
    case 53:
        if (r.Has(8, 16)) {
            const TPoint p = MapPoint(r.I32(8), r.I32(12));
            dc.FloodFill(p.x, p.y, ColorRef(r.U32(16)),
                         r.U32(20) == 1 ? gdi::FloodFillType::Surface : gdi::FloodFillType::Border);
        }
        return true;
    case 83:
    case 84: PlayText(r, type == 84); return true;
    default: return false;
    }
}

// Point lists: the 16-bit records 85 to 91 and their 32-bit twins 2 to 8
// (which the program's own metafiles use).
bool TZREMF::PlayPoints(const TMetaRecord& r, uint32_t type) {
    const bool small = type >= 85 && type <= 91;
    const bool large = type >= 2 && type <= 8;
    if (!small && !large) return false;
    const uint32_t kind = small ? type - 85 : type - 2;  // 0 Bezier .. 6 poly-polygon
    const size_t pointSize = small ? 4 : 8;
    auto pointAt = [&](size_t at) {
        return small ? gdi::Point{r.I16(at), r.I16(at + 2)} : gdi::Point{r.I32(at), r.I32(at + 4)};
    };
    gdi::Canvas& dc = DC();
    if (kind >= 5) {
        if (!r.Has(24, 8)) return true;
        const uint32_t polygons = r.U32(24), total = r.U32(28);
        if (!r.Has(32, uint64_t{polygons} * 4)) return true;
        const size_t first = 32 + size_t{polygons} * 4;
        if (!r.Has(first, uint64_t{total} * pointSize)) return true;
        std::vector<int32_t> counts(polygons);
        uint64_t sum = 0;
        for (uint32_t i = 0; i < polygons; ++i) {
            counts[i] = static_cast<int32_t>(std::min<uint32_t>(r.U32(32 + 4 * size_t{i}), total));
            sum += static_cast<uint32_t>(counts[i]);
        }
        if (sum != total) return true;
        std::vector<gdi::Point> points(total);
        for (uint32_t i = 0; i < total; ++i) {
            const gdi::Point p = pointAt(first + pointSize * i);
            points[i] = MapPoint(p.x, p.y);
        }
        if (kind == 5) dc.PolyPolyline(points, counts);
        else dc.PolyPolygon(points, counts);
        return true;
    }
    if (!r.Has(24, 4)) return true;
    const uint32_t count = r.U32(24);
    if (!r.Has(28, uint64_t{count} * pointSize)) return true;
    std::vector<gdi::Point> points(count);
    for (uint32_t i = 0; i < count; ++i) {
        const gdi::Point p = pointAt(28 + pointSize * i);
        points[i] = MapPoint(p.x, p.y);
    }
    switch (kind) {
    case 0:
        if (count >= 4 && (count - 1) % 3 == 0) dc.PolyBezier(points);
        break;
    case 1:
        if (count >= 2) dc.Polygon(points);
        break;
    case 2:
        if (count >= 2) dc.Polyline(points);
        break;
    case 3:
        if (count >= 3 && count % 3 == 0) dc.PolyBezierTo(points);
        break;
    case 4:
        if (count >= 1) dc.PolylineTo(points);
        break;
    default: break;
    }
    return true;
}

// Regions and clipping. The offset of the clip turns with the picture (as
// does a clip path); rectangles and regions play while it is not turned.
bool TZREMF::PlayRegionOrClip(const TMetaRecord& r, uint32_t type) {
    if (type != 26 && type != 29 && type != 30 && (type < 71 || type > 75)) return false;
    if (type == 26) {
        if (r.Has(8, 8)) OffsetClip(r.I32(8), r.I32(12));
        return true;
    }
    if (Turned()) return true;
    gdi::Canvas& dc = DC();
    std::vector<gdi::Rect> rects;
    switch (type) {
    case 29:
    case 30:
        if (r.Has(8, 16)) {
            const gdi::Region area = DeviceArea(RectAt(r, 8).Normalized());
            SelectClip(&area, type == 30 ? gdi::RegionCombine::And : gdi::RegionCombine::Diff);
        }
        return true;
    case 71:
    case 72:
        if (!r.Has(24, 8)) return true;
        if (const TMetaObject* brush = Handle(r.U32(28));
            brush && brush->kind == TMetaObject::Kind::Brush && RegionRects(r, type == 71 ? 32 : 40, r.U32(24), rects)) {
            const std::optional<gdi::Region> region = DeviceRegion(rects);
            if (!region) return true;
            if (type == 71) {
                dc.FillRgn(*region, brush->brush);
            } else if (r.Has(32, 8)) {
                const TPoint stroke = MapLength(r.I32(32), r.I32(36));
                dc.FrameRgn(*region, brush->brush, std::max(1, std::abs(stroke.x)), std::max(1, std::abs(stroke.y)));
            }
        }
        return true;
    case 73:
    case 74:
        if (r.Has(24, 4) && RegionRects(r, 28, r.U32(24), rects)) {
            const std::optional<gdi::Region> region = DeviceRegion(rects);
            if (!region) return true;
            if (type == 73) dc.InvertRgn(*region);
            else dc.PaintRgn(*region);
        }
        return true;
    case 75: {
        if (!r.Has(8, 8)) return true;
        const uint32_t mode = r.U32(12);
        if (mode < 1 || mode > 5) return true;
        const auto combine = static_cast<gdi::RegionCombine>(mode);
        if (r.U32(8) == 0) {
            SelectClip(nullptr, combine);
        } else if (RegionRects(r, 16, r.U32(8), rects)) {
            if (const std::optional<gdi::Region> region = DeviceRegion(rects)) SelectClip(&*region, combine);
        }
        return true;
    }
    default: return true;
    }
}

namespace {

// A rectangle of a position and a size read from a record; sides saturate.
gdi::Rect Span(int64_t x, int64_t y, int64_t w, int64_t h) {
    return {gdi::Saturated(x), gdi::Saturated(y), gdi::Saturated(x + w), gdi::Saturated(y + h)};
}

// The source's top row: for a bottom-up DIB the record counts from its bottom row.
int64_t SourceTop(int32_t rawHeight, const imaging::Dib& dib, int64_t y, int64_t h) {
    return rawHeight > 0 ? int64_t{dib.Height()} - y - h : y;
}

}  // namespace

bool TZREMF::PlayBitmap(const TMetaRecord& r, uint32_t type) {
    gdi::Canvas& dc = DC();
    switch (type) {
    case 76:
    case 77: {
        const size_t need = type == 76 ? 100 : 108;
        if (!r.Has(0, need) || Turned()) return true;
        const int32_t cx = r.I32(32), cy = r.I32(36);
        const uint32_t rop = r.U32(40);
        const gdi::Rect dest = Span(r.I32(24), r.I32(28), cx, cy);
        if (r.U32(88) == 0) {
            // No source: a pattern fill (BITBLT), the background colour (STRETCHBLT).
            const TPoint a = MapPoint(dest.left, dest.top), b = MapPoint(dest.right, dest.bottom);
            const gdi::Rect device = gdi::Rect{a.x, a.y, b.x, b.y}.Normalized();
            if (type == 76) dc.PatBlt(device, rop);
            else dc.FillRect(device, gdi::SolidBrush(ColorRef(r.U32(76))));
            return true;
        }
        const imaging::DibHandle dib = RecordDib(r, 84);
        if (!dib) return true;
        const int32_t sw = type == 76 ? cx : r.I32(100), sh = type == 76 ? cy : r.I32(104);
        DrawDib(*dib, dest, Span(r.I32(44), r.I32(48), sw, sh), rop, BitmapTurns::UprightOnly);
        return true;
    }
    case 80: {
        if (!r.Has(0, 76) || Turned()) return true;
        int32_t rawHeight = 0;
        const imaging::DibHandle dib = RecordDib(r, 48, &rawHeight);
        if (!dib) return true;
        const int32_t cx = r.I32(40), cy = r.I32(44);
        const TPoint p = MapPoint(r.I32(24), r.I32(28));
        dc.StretchBlt(Span(p.x, p.y, cx, cy), imaging::BitmapFromDIB(*dib, false),
                      Span(r.I32(32), SourceTop(rawHeight, *dib, r.I32(36), cy), cx, cy));
        return true;
    }
    case 81: {
        if (!r.Has(0, 80)) return true;
        int32_t rawHeight = 0;
        const imaging::DibHandle dib = RecordDib(r, 48, &rawHeight);
        if (!dib) return true;
        const int32_t cys = r.I32(44);
        DrawDib(*dib, Span(r.I32(24), r.I32(28), r.I32(72), r.I32(76)),
                Span(r.I32(32), SourceTop(rawHeight, *dib, r.I32(36), cys), r.I32(40), cys), r.U32(68),
                BitmapTurns::QuarterTurns);
        return true;
    }
    default: return false;
    }
}

// EMRTEXT at 36: reference point, count, string offset, options, rectangle,
// advances offset. The world transform takes part in the advanced graphics
// mode; its turn then turns the font as well.
void TZREMF::PlayText(const TMetaRecord& r, bool wide) {
    constexpr uint32_t ETO_GLYPH_INDEX = 0x0010, ETO_PDY = 0x2000;
    if (!r.Has(0, 76)) return;
    const uint32_t count = r.U32(44), offString = r.U32(48), options = r.U32(52), offDx = r.U32(72);
    if (options & ETO_GLYPH_INDEX) return;  // glyph numbers of a font we do not have
    if (!r.Has(offString, uint64_t{count} * (wide ? 2 : 1))) return;
    std::u16string text;
    if (wide) {
        text.reserve(count);
        for (uint32_t i = 0; i < count; ++i) text.push_back(static_cast<char16_t>(r.U16(offString + 2 * size_t{i})));
    } else {
        text = AnsiText(r.Bytes(offString, count));
    }
    const int32_t savedMode = GraphicsMode;
    GraphicsMode = r.U32(24) == 2 ? 2 : 1;
    BuildMatrices();
    std::vector<int32_t> dx;
    const size_t stride = options & ETO_PDY ? 8 : 4;
    if (offDx != 0 && count > 0 && r.Has(offDx, uint64_t{count} * stride)) {
        dx.resize(count);
        for (uint32_t i = 0; i < count; ++i) dx[i] = MapLength(r.I32(offDx + stride * i), 0).x;
    }
    const gdi::LogFont saved = DC().font();
    if (GraphicsMode == 2 && WorldTransform.m[0][0] != 1) {
        const double m11 = WorldTransform.m[0][0], m12 = WorldTransform.m[1][0], m21 = WorldTransform.m[0][1];
        double a = std::atan2((m12 - m21) / 2, m11) * 180 / std::numbers::pi;
        if (a < 0) a += 360;
        gdi::LogFont turned = saved;
        const auto turn = static_cast<int32_t>(std::nearbyint((360 - a) * 10));
        turned.escapement = static_cast<int32_t>(std::clamp<int64_t>(int64_t{turned.escapement} + turn, INT32_MIN, INT32_MAX));
        turned.orientation = static_cast<int32_t>(std::clamp<int64_t>(int64_t{turned.orientation} + turn, INT32_MIN, INT32_MAX));
        DC().SetFont(turned);
    }
    const gdi::Rect rect = RectAt(r, 56);
    const bool hasRect = (options & (gdi::ETO_OPAQUE | gdi::ETO_CLIPPED)) != 0;
    DrawText({r.I32(36), r.I32(40)}, options, hasRect ? &rect : nullptr, text, dx);
    DC().SetFont(saved);
    GraphicsMode = savedMode;
    BuildMatrices();
}
