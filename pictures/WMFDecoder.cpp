#include "pictures/WMFDecoder.h"

#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"
#include "foundation/Exceptions.h"
#include "foundation/PointHelpers.h"
#include "pictures/MetaRecord.h"
#include "platform/gdi/Canvas.h"
#include "platform/imaging/Dib.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr size_t kPlaceableSize = 22;
constexpr size_t kStandardHeaderSize = 18;
constexpr size_t kParams = 6;  // the first parameter's byte in a record

// The n-th 16-bit parameter.
int16_t P(const TMetaRecord& r, size_t n) { return r.I16(kParams + 2 * n); }
uint16_t UP(const TMetaRecord& r, size_t n) { return r.U16(kParams + 2 * n); }
uint32_t P32(const TMetaRecord& r, size_t n) { return r.U32(kParams + 2 * n); }

uint16_t Checksum(const uint8_t* header) {
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= static_cast<uint16_t>(header[i] | header[i + 1] << 8);
    return sum;
}

[[noreturn]] void BadWmfFormat() { throw Exception("falsches WMF Format"); }

}  // namespace

int32_t TZRWMF::GetHeight() const { return data_.empty() ? 1 : std::abs(header_.bottom - header_.top); }
int32_t TZRWMF::GetWidth() const { return data_.empty() ? 1 : std::abs(header_.right - header_.left); }

void TZRWMF::LoadFromStream(TStream& stream, int64_t size) {
    data_.clear();
    header_ = {};
    if (size < static_cast<int64_t>(kPlaceableSize + kStandardHeaderSize) || stream.Remaining() < size) BadWmfFormat();
    uint8_t bytes[kPlaceableSize];
    stream.ReadBuffer(bytes, kPlaceableSize);
    const TMetaRecord h({bytes, kPlaceableSize});
    TPlaceableHeader header{h.U32(0), h.U16(4), h.I16(6), h.I16(8), h.I16(10), h.I16(12), h.U16(14), h.U32(16), h.U16(20)};
    if (header.key != kPlaceableKey || header.checksum != Checksum(bytes)) BadWmfFormat();
    std::vector<uint8_t> data(static_cast<size_t>(size) - kPlaceableSize);
    stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    header_ = header;
    data_ = std::move(data);
}

void TZRWMF::SaveToStream(TStream& stream) const {
    if (data_.empty()) return;
    uint8_t bytes[kPlaceableSize];
    auto put16 = [&bytes](size_t at, uint16_t v) {
        bytes[at] = static_cast<uint8_t>(v);
        bytes[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    put16(0, static_cast<uint16_t>(header_.key));
    put16(2, static_cast<uint16_t>(header_.key >> 16));
    put16(4, header_.handle);
    put16(6, static_cast<uint16_t>(header_.left));
    put16(8, static_cast<uint16_t>(header_.top));
    put16(10, static_cast<uint16_t>(header_.right));
    put16(12, static_cast<uint16_t>(header_.bottom));
    put16(14, header_.unitsPerInch);
    put16(16, static_cast<uint16_t>(header_.reserved));
    put16(18, static_cast<uint16_t>(header_.reserved >> 16));
    put16(20, header_.checksum);
    stream.WriteBuffer(bytes, kPlaceableSize);
    stream.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TZRWMF::CopyToClipboard() { GetDebug().Log("TZRWMF.CopyToClipboard noch nicht implementiert"); }

void TZRWMF::SetMetaFileHandle(const gdi::Metafile&) {
    throw Exception("TZRWMF.SetMetaFileHandle: nur EMF Handles können zugewiesen werden");
}

void TZRWMF::Draw(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t w, int32_t h, float angle) {
    if (data_.empty()) return;
    BeginPlayback(canvas, cx, cy, w, h, angle);
    Box = {header_.left, header_.top, header_.right, header_.bottom};
    ViewportOrg = {-header_.left, -header_.top};
    ViewportExt = {header_.right - header_.left, header_.bottom - header_.top};
    BuildMatrices();
    ClipToFrame();
    const uint16_t objects = static_cast<uint16_t>(data_.size() >= 12 ? data_[10] | data_[11] << 8 : 0);
    Handles.clear();
    Handles.resize(size_t{objects} + 10);
    try {
        size_t offset = kStandardHeaderSize;
        while (offset + 6 <= data_.size() && !Stopped()) {
            const TMetaRecord head({data_.data() + offset, data_.size() - offset});
            const uint64_t bytes = uint64_t{head.U32(0)} * 2;
            // A record too short for its own size and function, or reaching past the data, ends playback.
            if (bytes < 6 || bytes > data_.size() - offset) break;
            const uint16_t function = head.U16(4);
            if (function == 0) break;
            PlayRecord(TMetaRecord({data_.data() + offset, static_cast<size_t>(bytes)}), function);
            offset += static_cast<size_t>(bytes);
        }
    } catch (...) {
        EndPlayback();
        throw;
    }
    EndPlayback();
}

void TZRWMF::PlayRecord(const TMetaRecord& r, uint16_t function) {
    const size_t params = (r.Size() - kParams) / 2;
    if (PlayState(r, function, params) || PlayObject(r, function, params)) return;
    if (!MappingValid()) return;
    if (PlayDrawing(r, function, params)) return;
    PlayBitmapOrClip(r, function, params);
}

// Attributes, the mapping and saved states.
bool TZRWMF::PlayState(const TMetaRecord& r, uint16_t function, size_t params) {
    gdi::Canvas& dc = DC();
    auto needs = [params](size_t n) { return params >= n; };
    switch (function) {
    case 0x001E: SaveState(); return true;
    case 0x0127: RestoreState(-1); return true;
    case 0x0035: return true;  // realizing a palette: the device has true colours
    case 0x0234:
        if (needs(1)) SelectPalette(UP(r, 0));
        return true;
    case 0x0231:
        if (needs(2)) dc.SetMapperFlags(P32(r, 0));
        return true;
    // Extra space in logical units of the picture, mapped as lengths.
    case 0x0108:
        if (needs(1)) dc.SetTextCharacterExtra(MapLength(P(r, 0), 0).x);
        return true;
    case 0x020A:  // break count, break extra
        if (needs(2)) dc.SetTextJustification(MapLength(P(r, 1), 0).x, std::max<int16_t>(0, P(r, 0)));
        return true;
    case 0x0102:
        if (needs(1) && (UP(r, 0) == 1 || UP(r, 0) == 2)) dc.SetBkMode(static_cast<gdi::BkMode>(UP(r, 0)));
        return true;
    case 0x0104:
        if (needs(1) && UP(r, 0) >= 1 && UP(r, 0) <= 16) dc.SetROP2(static_cast<gdi::Rop2>(UP(r, 0)));
        return true;
    case 0x0106:
        if (needs(1) && (UP(r, 0) == 1 || UP(r, 0) == 2)) dc.SetPolyFillMode(static_cast<gdi::PolyFillMode>(UP(r, 0)));
        return true;
    case 0x0107:
        if (needs(1) && UP(r, 0) >= 1 && UP(r, 0) <= 4) dc.SetStretchBltMode(static_cast<gdi::StretchMode>(UP(r, 0)));
        return true;
    case 0x012E:
        if (needs(1)) dc.SetTextAlign(UP(r, 0) & 0x011F);
        return true;
    case 0x0201:
        if (needs(2)) dc.SetBkColor(ColorRef(P32(r, 0)));
        return true;
    case 0x0209:
        if (needs(2)) dc.SetTextColor(ColorRef(P32(r, 0)));
        return true;
    case 0x0103:
        if (needs(1)) MapMode = P(r, 0);
        break;
    case 0x020B:
        if (needs(2)) WindowOrg = {P(r, 1), P(r, 0)};
        break;
    case 0x020C:
        if (needs(2)) WindowExt = {P(r, 1), P(r, 0)};
        break;
    case 0x020D:
        if (needs(2)) ViewportOrg = {P(r, 1), P(r, 0)};
        break;
    case 0x020E:
        if (needs(2)) ViewportExt = {P(r, 1), P(r, 0)};
        break;
    case 0x020F:
        if (needs(2)) WindowOrg = {gdi::Saturated(int64_t{WindowOrg.x} + P(r, 1)), gdi::Saturated(int64_t{WindowOrg.y} + P(r, 0))};
        break;
    case 0x0211:
        if (needs(2)) ViewportOrg = {gdi::Saturated(int64_t{ViewportOrg.x} + P(r, 1)), gdi::Saturated(int64_t{ViewportOrg.y} + P(r, 0))};
        break;
    case 0x0410:
    case 0x0412: {
        // yDenom, yNum, xDenom, xNum; a zero denominator changes nothing.
        if (!needs(4) || P(r, 0) == 0 || P(r, 2) == 0) return true;
        const TFloatPoint scale{static_cast<float>(P(r, 3)) / P(r, 2), static_cast<float>(P(r, 1)) / P(r, 0)};
        (function == 0x0410 ? WindowScale : ViewportScale) = scale;
        break;
    }
    default: return false;
    }
    BuildMatrices();
    return true;
}

// Creating, selecting and deleting objects; every create takes a slot, also
// when its description cannot be used, so that later indices stay right.
bool TZRWMF::PlayObject(const TMetaRecord& r, uint16_t function, size_t params) {
    auto needs = [params](size_t n) { return params >= n; };
    switch (function) {
    case 0x012D:
        if (needs(1)) SelectHandle(UP(r, 0));
        return true;
    case 0x01F0:
        if (needs(1)) DeleteHandle(UP(r, 0));
        return true;
    case 0x00F7:  // LOGPALETTE: version, count, entries
        AddHandle(MakePalette(r.Has(kParams + 4, 0) ? r.From(kParams + 4) : std::span<const uint8_t>{},
                              needs(2) ? UP(r, 1) : 0));
        return true;
    case 0x00F8: AddHandle(MakeBrush(0, needs(2) ? P32(r, 0) : 0, 0)); return true;
    case 0x02FA:
        AddHandle(needs(5) ? MakePen(UP(r, 0), P(r, 1), P32(r, 3)) : MakePen(0, 0, 0));
        return true;
    case 0x02FC:
        AddHandle(needs(4) ? MakeBrush(UP(r, 0), P32(r, 1), UP(r, 3)) : MakeBrush(1, 0, 0));
        return true;
    case 0x0142: {
        imaging::DibHandle dib = needs(2) ? imaging::DibFromPacked(r.From(kParams + 4)) : nullptr;
        AddHandle(MakePatternBrush(dib.get()));
        return true;
    }
    case 0x02FB: CreateFont(r, params); return true;
    case 0x06FF: CreateRegion(r); return true;
    case 0x02FD: case 0x06FE: AddHandle(TMetaObject(TMetaObject::Kind::Region)); return true;
    default: return false;
    }
}

void TZRWMF::CreateFont(const TMetaRecord& r, size_t params) {
    gdi::LogFont font;
    if (params < 9) {
        AddHandle(MakeFont(font, true));
        return;
    }
    font.height = P(r, 0);
    font.width = P(r, 1);
    font.escapement = P(r, 2);
    font.orientation = P(r, 3);
    font.weight = P(r, 4);
    const size_t b = kParams + 10;
    font.italic = r.U8(b) != 0;
    font.underline = r.U8(b + 1) != 0;
    font.strikeOut = r.U8(b + 2) != 0;
    font.charSet = r.U8(b + 3);
    font.outPrecision = r.U8(b + 4);
    font.clipPrecision = r.U8(b + 5);
    font.quality = r.U8(b + 6);
    font.pitchAndFamily = r.U8(b + 7);
    std::string face;
    for (size_t i = b + 8; i < r.Size() && face.size() < 31 && r.U8(i) != 0; ++i) face.push_back(static_cast<char>(r.U8(i)));
    font.faceName = AnsiToUnicode(face).toStdString();
    AddHandle(MakeFont(font, true));
}

// A region object: header, then scans (count, top, bottom, count / 2 pairs
// of left and right, count again). Kept as logical rectangles.
void TZRWMF::CreateRegion(const TMetaRecord& r) {
    TMetaObject region{TMetaObject::Kind::Region};
    constexpr size_t kScans = kParams + 22;
    const uint16_t scans = r.Has(kParams + 12, 2) ? r.U16(kParams + 12) : 0;
    size_t at = kScans;
    for (uint16_t s = 0; s < scans && r.Has(at, 6); ++s) {
        const uint16_t count = r.U16(at);
        const int16_t top = r.I16(at + 2), bottom = r.I16(at + 4);
        if (count % 2 != 0 || !r.Has(at + 6, size_t{count} * 2 + 2)) break;
        for (size_t k = 0; k < count; k += 2)
            region.rects.push_back({r.I16(at + 6 + 2 * k), top, r.I16(at + 8 + 2 * k), bottom});
        at += 8 + size_t{count} * 2;
    }
    AddHandle(std::move(region));
}

bool TZRWMF::PlayDrawing(const TMetaRecord& r, uint16_t function, size_t params) {
    gdi::Canvas& dc = DC();
    auto needs = [params](size_t n) { return params >= n; };
    switch (function) {
    case 0x0213:
    case 0x0214:
        if (needs(2)) {
            const TPoint p = MapPoint(P(r, 1), P(r, 0));
            if (function == 0x0213) dc.LineTo(p.x, p.y);
            else dc.MoveTo(p.x, p.y);
        }
        return true;
    case 0x0324:
    case 0x0325: PlayPoints(r, function, params); return true;
    case 0x0538: PlayPolyPolygon(r, params); return true;
    case 0x0418:
        if (needs(4)) DrawEllipseRecord(P(r, 3), P(r, 2), P(r, 1), P(r, 0));
        return true;
    case 0x041B:
        if (needs(4)) DrawRectangleRecord(P(r, 3), P(r, 2), P(r, 1), P(r, 0));
        return true;
    case 0x061C:
        if (needs(6)) DrawRoundRectRecord(P(r, 5), P(r, 4), P(r, 3), P(r, 2), P(r, 1), P(r, 0));
        return true;
    case 0x0817:
    case 0x081A:
    case 0x0830:
        if (needs(8)) {
            const ArcKind kind = function == 0x0817 ? ArcKind::Arc : function == 0x081A ? ArcKind::Pie : ArcKind::Chord;
            DrawArcRecord(kind, {P(r, 7), P(r, 6), P(r, 5), P(r, 4)}, {P(r, 3), P(r, 2)}, {P(r, 1), P(r, 0)}, false);
        }
        return true;
    case 0x0419:
        if (needs(4)) {
            const TPoint p = MapPoint(P(r, 3), P(r, 2));
            dc.FloodFill(p.x, p.y, ColorRef(P32(r, 0)), gdi::FloodFillType::Border);
        }
        return true;
    case 0x0521: {
        if (!needs(1)) return true;
        const size_t count = UP(r, 0);
        const size_t padded = (count + 1) & ~size_t{1};
        if (!r.Has(kParams + 2, padded + 4)) return true;
        const size_t after = kParams + 2 + padded;
        DrawText({r.I16(after + 2), r.I16(after)}, 0, nullptr, AnsiText(r.Bytes(kParams + 2, count)), {});
        return true;
    }
    case 0x0A32: PlayExtTextOut(r, params); return true;
    default: return false;
    }
}

void TZRWMF::PlayPoints(const TMetaRecord& r, uint16_t function, size_t params) {
    if (params < 1) return;
    const size_t count = UP(r, 0);
    if (params < 1 + 2 * count || count < 2) return;
    std::vector<gdi::Point> points(count);
    for (size_t i = 0; i < count; ++i) points[i] = MapPoint(P(r, 1 + 2 * i), P(r, 2 + 2 * i));
    if (function == 0x0324) DC().Polygon(points);
    else DC().Polyline(points);
}

void TZRWMF::PlayPolyPolygon(const TMetaRecord& r, size_t params) {
    if (params < 1) return;
    const size_t polygons = UP(r, 0);
    if (params < 1 + polygons) return;
    std::vector<int32_t> counts(polygons);
    size_t total = 0;
    for (size_t i = 0; i < polygons; ++i) {
        counts[i] = UP(r, 1 + i);
        total += static_cast<size_t>(counts[i]);
    }
    if (params < 1 + polygons + 2 * total) return;
    std::vector<gdi::Point> points(total);
    const size_t first = 1 + polygons;
    for (size_t i = 0; i < total; ++i) points[i] = MapPoint(P(r, first + 2 * i), P(r, first + 2 * i + 1));
    DC().PolyPolygon(points, counts);
}

// y, x, count, options, a rectangle when options are given, the string
// (padded to even), then the advances when the record holds them. Device
// advances are the differences of the mapped running sums, so that rounding
// does not add up along the text.
void TZRWMF::PlayExtTextOut(const TMetaRecord& r, size_t params) {
    if (params < 4) return;
    const size_t count = UP(r, 2);
    const uint16_t options = UP(r, 3);
    const bool hasRect = options != 0;
    const size_t stringAt = kParams + 8 + (hasRect ? 8 : 0);
    const size_t padded = (count + 1) & ~size_t{1};
    if (!r.Has(stringAt, padded)) return;
    gdi::Rect rect;
    if (hasRect) rect = {P(r, 4), P(r, 5), P(r, 6), P(r, 7)};
    std::vector<int32_t> dx;
    if (r.Has(stringAt + padded, 2 * count) && count > 0) {
        dx.resize(count);
        int64_t sum = 0;
        int32_t previous = 0;
        for (size_t j = 0; j < count; ++j) {
            sum += r.I16(stringAt + padded + 2 * j);
            const int32_t position = MapLength(static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX)), 0).x;
            dx[j] = position - previous;
            previous = position;
        }
    }
    DrawText({P(r, 1), P(r, 0)}, options, hasRect ? &rect : nullptr, AnsiText(r.Bytes(stringAt, count)), dx);
}

// Bitmaps, clipping and pixels, which the program's own metafiles and many
// others hold, at every angle the picture takes.
bool TZRWMF::PlayBitmapOrClip(const TMetaRecord& r, uint16_t function, size_t params) {
    auto needs = [params](size_t n) { return params >= n; };
    switch (function) {
    case 0x041F:
        if (needs(4)) DrawPixelRecord(P(r, 3), P(r, 2), P32(r, 0));
        return true;
    case 0x0415:
    case 0x0416:
        if (needs(4)) {
            const gdi::Region area = DeviceArea(gdi::Rect{P(r, 3), P(r, 2), P(r, 1), P(r, 0)}.Normalized());
            SelectClip(&area, function == 0x0416 ? gdi::RegionCombine::And : gdi::RegionCombine::Diff);
        }
        return true;
    case 0x012C:
        if (needs(1)) {
            if (const TMetaObject* object = Handle(UP(r, 0)); object && object->kind == TMetaObject::Kind::Region) {
                if (const std::optional<gdi::Region> region = DeviceRegion(object->rects))
                    SelectClip(&*region, gdi::RegionCombine::Copy);
            }
        }
        return true;
    case 0x061D:
        if (needs(6)) PatBltRecord({P(r, 5), P(r, 4), P(r, 5) + P(r, 3), P(r, 4) + P(r, 2)}, P32(r, 0));
        return true;
    case 0x0F43:
        if (needs(11)) StretchDibRecord(r, P32(r, 0), P(r, 3), P(r, 4), P(r, 5), P(r, 6), P(r, 7), P(r, 8), P(r, 9), P(r, 10), kParams + 22);
        return true;
    case 0x0B41:
        if (needs(10)) StretchDibRecord(r, P32(r, 0), P(r, 2), P(r, 3), P(r, 4), P(r, 5), P(r, 6), P(r, 7), P(r, 8), P(r, 9), kParams + 20);
        return true;
    case 0x0940:
        if (needs(8)) StretchDibRecord(r, P32(r, 0), P(r, 4), P(r, 5), P(r, 2), P(r, 3), P(r, 4), P(r, 5), P(r, 6), P(r, 7), kParams + 16);
        return true;
    default: return false;
    }
}

// The brush over a logical rectangle with a raster operation; turned, over
// the turned rectangle only.
void TZRWMF::PatBltRecord(const gdi::Rect& logical, uint32_t rop) {
    gdi::Canvas& dc = DC();
    const gdi::Rect box = BoundsOfPoints(MappedCorners(logical));
    if (!Turned()) {
        dc.PatBlt(box, rop);
        return;
    }
    ClippedTo(DeviceArea(logical), [&] { dc.PatBlt(box, rop); });
}

// A DIB drawn from its source rectangle (y counted from the bottom row, as
// for bottom-up DIBs) into the logical destination.
void TZRWMF::StretchDibRecord(const TMetaRecord& r, uint32_t rop, int32_t srcH, int32_t srcW, int32_t ySrc,
                              int32_t xSrc, int32_t destH, int32_t destW, int32_t yDest, int32_t xDest, size_t dibOffset) {
    if (!r.Has(dibOffset, 0)) return;
    const imaging::DibHandle dib = imaging::DibFromPacked(r.From(dibOffset));
    if (!dib) return;
    const gdi::Rect source{xSrc, dib->Height() - ySrc - srcH, xSrc + srcW, dib->Height() - ySrc};
    DrawDib(*dib, {xDest, yDest, xDest + destW, yDest + destH}, source, rop, BitmapTurns::AnyAngle);
}
