#include "foundation/FillData.h"

#include "foundation/Exceptions.h"
#include "foundation/LittleEndian.h"
#include "foundation/PointHelpers.h"
#include "foundation/RGBHSL.h"
#include "foundation/Rounding.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"

#include <QtGui/QImage>

#include <algorithm>
#include <cmath>
#include <cstring>

bool UseScanlines = false;

namespace {

// The longer side of the cached screen rendering.
constexpr int32_t kLinearCacheSide = 512;
constexpr int32_t kOtherCacheSide = 256;
// The printer's rendering shrinks in steps of 3/4 until it fits this.
constexpr int32_t kPrintSide = 1000;
// The longer side of the banded rendering.
constexpr int32_t kBandedSide = 512;
// Tiles are grown to at least this size so that a tiny pattern does not
// take one blit per pixel.
constexpr int32_t kMinTileSide = 64;
// Bitmap files of patterns: no more pixels than this.
constexpr int64_t kMaxPatternPixels = 16 * 1024 * 1024;

std::vector<gdi::Point> ToDevice(const gdi::Canvas& canvas, std::span<const gdi::Point> points) {
    std::vector<gdi::Point> device;
    device.reserve(points.size());
    for (const gdi::Point& p : points) device.push_back(canvas.LPtoDP(p));
    return device;
}

bool CountsFit(std::span<const gdi::Point> points, std::span<const int32_t> counts) {
    int64_t total = 0;
    for (const int32_t c : counts) {
        if (c < 0) return false;
        total += c;
    }
    return !counts.empty() && total <= static_cast<int64_t>(points.size());
}

// Draws in device units while it lives: the mapping is the identity.
class DeviceUnitsScope {
public:
    explicit DeviceUnitsScope(gdi::Canvas& canvas) : canvas_(canvas), level_(canvas.SaveDC()) {
        canvas_.ModifyWorldTransform(gdi::XForm{}, 1);
        canvas_.SetMapMode(gdi::MapMode::Text);
        canvas_.SetWindowOrg(0, 0);
        canvas_.SetViewportOrg(0, 0);
    }
    ~DeviceUnitsScope() { canvas_.RestoreDC(level_); }
    DeviceUnitsScope(const DeviceUnitsScope&) = delete;
    DeviceUnitsScope& operator=(const DeviceUnitsScope&) = delete;

private:
    gdi::Canvas& canvas_;
    int32_t level_;
};

double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

// ---- bitmap files

void PutU16(std::vector<uint8_t>& b, size_t at, uint32_t v) { PutLittleEndian(&b[at], v, 2); }
void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) { PutLittleEndian(&b[at], v, 4); }
uint32_t GetU16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint32_t>(GetLittleEndian(&b[at], 2)); }
uint32_t GetU32(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint32_t>(GetLittleEndian(&b[at], 4)); }

// A brush that gets a colour becomes solid when it was clear.
void SetBrushColor(gdi::Canvas& canvas, gdi::Color color) {
    canvas.brush().color = color;
    if (canvas.brush().style == gdi::BrushStyle::Null) canvas.brush().style = gdi::BrushStyle::Solid;
}

// The polygon in one colour, without outline.
void FillFlat(gdi::Canvas& canvas, std::span<const gdi::Point> points, gdi::Color color) {
    const gdi::PenStyle style = canvas.pen().style;
    canvas.pen().style = gdi::PenStyle::Null;
    SetBrushColor(canvas, color);
    canvas.Polygon(points);
    canvas.pen().style = style;
}

}  // namespace

std::vector<uint8_t> EncodeBitmapFile(const gdi::Bitmap& bitmap) {
    if (bitmap.IsEmpty()) return {};  // an empty block reads back as no pattern
    const uint32_t w = static_cast<uint32_t>(std::max(0, bitmap.Width()));
    const uint32_t h = static_cast<uint32_t>(std::max(0, bitmap.Height()));
    const uint32_t rowBytes = (w * 3 + 3) & ~3u;
    const uint32_t imageSize = rowBytes * h;
    std::vector<uint8_t> file(54 + imageSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, static_cast<uint32_t>(file.size()));
    PutU32(file, 10, 54);
    PutU32(file, 14, 40);
    PutU32(file, 18, w);
    PutU32(file, 22, h);
    PutU16(file, 26, 1);
    PutU16(file, 28, 24);
    PutU32(file, 34, imageSize);
    for (uint32_t y = 0; y < h; ++y) {
        // Rows bottom-up, pixels blue, green, red.
        const uint32_t* row = bitmap.ScanLine(static_cast<int32_t>(h - 1 - y));
        uint8_t* out = file.data() + 54 + static_cast<size_t>(y) * rowBytes;
        for (uint32_t x = 0; x < w; ++x) {
            out[3 * x] = static_cast<uint8_t>(row[x]);
            out[3 * x + 1] = static_cast<uint8_t>(row[x] >> 8);
            out[3 * x + 2] = static_cast<uint8_t>(row[x] >> 16);
        }
    }
    return file;
}

gdi::Bitmap DecodeBitmapFile(const std::vector<uint8_t>& file) {
    if (file.size() < 26 || file[0] != 'B' || file[1] != 'M') ThrowStreamReadError();
    const uint32_t headerSize = GetU32(file, 14);
    int64_t width, height;
    uint32_t bitCount, compression = 0;
    if (headerSize == 12) {
        width = GetU16(file, 18);
        height = static_cast<int16_t>(GetU16(file, 20));
        bitCount = GetU16(file, 24);
    } else {
        if (headerSize < 40 || file.size() < 54) ThrowStreamReadError();
        width = static_cast<int32_t>(GetU32(file, 18));
        height = static_cast<int32_t>(GetU32(file, 22));
        bitCount = GetU16(file, 28);
        compression = GetU32(file, 30);
    }
    height = std::abs(height);  // negative: rows top-down
    if (width <= 0 || height <= 0 || width * height > kMaxPatternPixels) ThrowStreamReadError();
    const int64_t offset = GetU32(file, 10);  // where the pixels start
    if (offset > static_cast<int64_t>(file.size())) ThrowStreamReadError();
    const int64_t bytes = static_cast<int64_t>(file.size()) - offset;
    switch (compression) {
        case 0:  // uncompressed
        case 3:  // bit fields
        case 6: {
            if (bitCount == 0 || bitCount > 32) ThrowStreamReadError();
            const int64_t rowBytes = (width * bitCount + 31) / 32 * 4;
            if (rowBytes * height > bytes) ThrowStreamReadError();
            break;
        }
        case 1:  // run-length encoded: a run of two bytes gives at most 255 pixels
        case 2:
            if (width * height > bytes * 128) ThrowStreamReadError();
            break;
        default:
            ThrowStreamReadError();
    }
    QImage image;
    if (!image.loadFromData(file.data(), static_cast<int>(file.size()), "BMP") || image.isNull()) {
        ThrowStreamReadError();
    }
    return gdi::Bitmap(std::move(image));
}

// ---- TFillData

TFillData::TFillData()
    : palette_(std::make_unique<TGradientpalette>(gdi::Rgb(0, 0, 0), gdi::Rgb(255, 255, 255))),
      pattern_(1, 1),
      patternFile_(EncodeBitmapFile(pattern_)) {
    palette_->OnChange = [this](TGradientpalette&) { PaletteChanged(); };
}

TFillData::~TFillData() = default;

void TFillData::SetKind(uint8_t kind) {
    kind_ = kind;
    if (kind == fkNone || kind == fkColor) SetBitmap(gdi::Bitmap(1, 1));
    Changed = true;
}

void TFillData::SetColor(gdi::Color color) { color_ = color; }

void TFillData::SetGradientType(uint8_t type) {
    gradientType_ = type;
    Changed = true;
}

void TFillData::SetPalette(const TGradientpalette& palette) {
    palette_->Assign(palette);
    Changed = true;
}

void TFillData::SetAbstandX(float v) {
    abstandX_ = v;
    Changed = true;
}

void TFillData::SetAbstandY(float v) {
    abstandY_ = v;
    Changed = true;
}

void TFillData::SetWinkel(float angle) {
    // Whole turns at once: the same as stepping by 360 until the angle lies
    // in [0, 360], without the endless loop for huge values.
    double a = Finite(angle);
    if (a > 360) a -= 360 * std::ceil((a - 360) / 360);
    if (a < 0) a += 360 * std::ceil(-a / 360);
    winkel_ = static_cast<float>(std::clamp(a, 0.0, 360.0));
    Changed = true;
}

void TFillData::SetRandabstand(float v) {
    randabstand_ = v;
    Changed = true;
}

void TFillData::SetBitmap(const gdi::Bitmap& pattern) {
    pattern_ = pattern;
    patternFile_ = EncodeBitmapFile(pattern_);
    Changed = true;
}

void TFillData::Assign(const TFillData& other) {
    if (&other == this) return;
    kind_ = other.kind_;
    color_ = other.color_;
    gradientType_ = other.gradientType_;
    palette_->Assign(*other.palette_);
    abstandX_ = other.abstandX_;
    abstandY_ = other.abstandY_;
    winkel_ = other.winkel_;
    randabstand_ = other.randabstand_;
    patternMode_ = other.patternMode_;
    pattern_ = other.pattern_;
    patternFile_ = other.patternFile_;
    Changed = true;
}

// ---- stream

void TFillData::SaveToStream(TStream& stream) const {
    StreamWriteInt(stream, kFillStreamVersion);
    StreamWriteInt(stream, kind_);
    switch (kind_) {
        case fkColor:
            StreamWriteColor(stream, color_);
            break;
        case fkGradient:
            StreamWriteInt(stream, gradientType_);
            palette_->SaveToStream(stream);
            StreamWriteSingle(stream, abstandX_);
            StreamWriteSingle(stream, abstandY_);
            StreamWriteSingle(stream, winkel_);
            StreamWriteSingle(stream, randabstand_);
            StreamWriteInt(stream, palette_->RampSize());
            break;
        case fkPattern: {
            StreamWriteInt(stream, patternMode_);
            TMemoryStream block(patternFile_);
            StreamWriteBlock(stream, block);
            break;
        }
        default:
            break;
    }
}

void TFillData::LoadFromStream(TStream& stream) {
    const int32_t version = StreamReadInt(stream);
    const uint8_t kind = static_cast<uint8_t>(StreamReadInt(stream));
    gdi::Color color = color_;
    uint8_t gradientType = gradientType_;
    TGradientpalette palette(0, 0);
    float values[4] = {abstandX_, abstandY_, winkel_, randabstand_};
    int32_t rampSize = palette_->RampSize();
    uint8_t patternMode = patternMode_;
    std::vector<uint8_t> patternFile;
    gdi::Bitmap pattern;
    switch (kind) {
        case fkColor:
            color = StreamReadColor(stream);
            break;
        case fkGradient:
            gradientType = static_cast<uint8_t>(StreamReadInt(stream));
            palette.LoadFromStream(stream);
            for (float& v : values) v = StreamReadSingle(stream);
            if (version > 100) {
                rampSize = StreamReadInt(stream);
                if (rampSize < 1 || rampSize > kMaxRampSize) ThrowStreamReadError();
            }
            break;
        case fkPattern: {
            patternMode = static_cast<uint8_t>(StreamReadInt(stream));
            TMemoryStream block;
            StreamReadBlock(stream, block);
            patternFile = block.Bytes();
            pattern = patternFile.empty() ? gdi::Bitmap() : DecodeBitmapFile(patternFile);
            break;
        }
        default:
            break;
    }

    // Everything is read: take it.
    kind_ = kind;
    switch (kind) {
        case fkColor:
            color_ = color;
            break;
        case fkGradient:
            gradientType_ = gradientType;
            palette_->Assign(palette);
            palette_->SetRampSize(rampSize);
            abstandX_ = values[0];
            abstandY_ = values[1];
            winkel_ = values[2];
            randabstand_ = values[3];
            break;
        case fkPattern:
            patternMode_ = patternMode;
            pattern_ = std::move(pattern);
            patternFile_ = std::move(patternFile);
            break;
        default:
            break;
    }
    Changed = true;
}

// ---- drawing

bool TFillData::Drawable() const {
    if (kind_ == fkGradient) return gradientType_ <= static_cast<uint8_t>(TGradienttyp::gtRect);
    if (kind_ == fkPattern) return !pattern_.IsEmpty() && patternMode_ <= 1;
    return kind_ == fkColor;
}

void TFillData::FillPolygon(gdi::Canvas& canvas, std::span<const gdi::Point> points) {
    if (points.empty() || !Drawable()) return;
    if (kind_ == fkColor) {
        FillFlat(canvas, points, color_);
        return;
    }
    const gdi::Region region = gdi::Region::FromPolygon(ToDevice(canvas, points), gdi::PolyFillMode::Alternate);
    FillArea(canvas, region, BoundsOfPoints(points));
}

void TFillData::FillPolyPolygon(gdi::Canvas& canvas, std::span<const gdi::Point> points,
                                std::span<const int32_t> counts) {
    if (!CountsFit(points, counts) || !Drawable()) return;
    if (kind_ == fkColor) {
        const gdi::PenStyle style = canvas.pen().style;
        const gdi::PolyFillMode mode = canvas.SetPolyFillMode(gdi::PolyFillMode::Alternate);
        canvas.pen().style = gdi::PenStyle::Null;
        SetBrushColor(canvas, color_);
        canvas.PolyPolygon(points, counts);
        canvas.pen().style = style;
        canvas.SetPolyFillMode(mode);
        return;
    }
    int64_t total = 0;
    for (const int32_t c : counts) total += c;
    const std::span<const gdi::Point> used = points.first(static_cast<size_t>(total));
    if (used.empty()) return;
    const gdi::Region region = gdi::Region::FromPolyPolygon(ToDevice(canvas, used), counts, gdi::PolyFillMode::Alternate);
    FillArea(canvas, region, BoundsOfPoints(used));
}

void TFillData::FillRegionMetafile(gdi::Canvas& canvas, const gdi::Region& region) {
    if (region.IsEmpty() || !Drawable()) return;
    if (kind_ == fkColor) {
        SetBrushColor(canvas, color_);
        canvas.PaintRgn(region);
        return;
    }
    const gdi::Rect box = region.Box();
    const gdi::Point topLeft = canvas.DPtoLP({box.left, box.top});
    const gdi::Point bottomRight = canvas.DPtoLP({box.right, box.bottom});
    FillArea(canvas, region, gdi::Rect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y}.Normalized());
}

void TFillData::FillArea(gdi::Canvas& canvas, const gdi::Region& deviceRegion, const gdi::Rect& bounds) {
    if (deviceRegion.IsEmpty() || bounds.IsEmpty()) return;
    if (UseScanlines && (canvas.IsPrinter() || canvas.IsMetafile())) {
        DrawBanded(canvas, deviceRegion);
        return;
    }
    const std::optional<gdi::Region> saved = canvas.GetClipRgn();
    gdi::Region clip = deviceRegion;
    if (saved) clip.Combine(deviceRegion, *saved, gdi::RegionCombine::And);
    canvas.SelectClipRgn(&clip);
    const gdi::StretchMode mode = canvas.SetStretchBltMode(gdi::StretchMode::ColorOnColor);
    if (kind_ == fkGradient) {
        DrawGradient(canvas, bounds);
    } else {
        DrawPattern(canvas, bounds);
    }
    canvas.SetStretchBltMode(mode);
    canvas.SelectClipRgn(saved ? &*saved : nullptr);
}

void TFillData::RenderGradient(gdi::Canvas& canvas, const gdi::Rect& r, int32_t step) {
    const double offsetX = Finite(abstandX_), offsetY = Finite(abstandY_);
    const double angle = std::fmod(Finite(winkel_), 360.0);
    const double margin = Finite(randabstand_);
    switch (static_cast<TGradienttyp>(gradientType_)) {
        case TGradienttyp::gtLinear:
            GradientLinear(canvas, r, *palette_, angle, margin, step);
            break;
        case TGradienttyp::gtRadial:
            GradientRadial(canvas, r, *palette_, offsetX, offsetY, margin, step);
            break;
        case TGradienttyp::gtKegel:
            GradientCone(canvas, r, *palette_, offsetX, offsetY, angle);
            break;
        case TGradienttyp::gtRect:
            GradientRect(canvas, r, *palette_, offsetX, offsetY, angle, margin, step);
            break;
        default:
            break;
    }
}

void TFillData::DrawGradient(gdi::Canvas& canvas, const gdi::Rect& r) {
    if (r.IsEmpty()) return;
    if (canvas.IsPrinter()) {
        DrawBitmapViaDIB(canvas, SourceBitmap(r.Width(), r.Height(), kPrintSide), r);
        return;
    }
    const int32_t side =
        gradientType_ == static_cast<uint8_t>(TGradienttyp::gtLinear) ? kLinearCacheSide : kOtherCacheSide;
    const int32_t w = r.Width(), h = r.Height();
    const int32_t cw = w >= h ? side : std::max(1, MulDiv(w, side, h));
    const int32_t ch = w >= h ? std::max(1, MulDiv(h, side, w)) : side;
    if (!cache_) cache_ = std::make_unique<gdi::BitmapCanvas>();
    if (Changed || cache_->bitmap().Width() != cw || cache_->bitmap().Height() != ch) {
        cache_->SetSize(cw, ch);
        cache_->SetBrush(gdi::SolidBrush(gdi::Rgb(255, 255, 255)));
        cache_->FillRect({0, 0, cw, ch});
        RenderGradient(*cache_, {0, 0, cw, ch}, 2);
        Changed = false;
    }
    canvas.StretchBlt(r, cache_->bitmap(), {0, 0, cw, ch}, canvas.CopyMode());
}

gdi::Bitmap TFillData::SourceBitmap(int32_t boxWidth, int32_t boxHeight, int32_t maxSide) {
    int32_t w = std::max(1, boxWidth), h = std::max(1, boxHeight);
    if (kind_ == fkPattern && patternMode_ == 0) return pattern_;
    while (w > maxSide || h > maxSide) {
        w = w * 3 / 4;
        h = h * 3 / 4;
    }
    w = std::max(1, w);
    h = std::max(1, h);
    if (kind_ == fkPattern) {
        // The tiles as they fall on the box, shrunk with it.
        gdi::Bitmap tiled(w, h);
        const int64_t pw = pattern_.Width(), ph = pattern_.Height();
        for (int32_t y = 0; y < h; ++y) {
            const int64_t sy = (static_cast<int64_t>(y) * boxHeight / h) % ph;
            const uint32_t* in = pattern_.ScanLine(static_cast<int32_t>(sy));
            uint32_t* out = tiled.ScanLine(y);
            for (int32_t x = 0; x < w; ++x) out[x] = in[(static_cast<int64_t>(x) * boxWidth / w) % pw];
        }
        return tiled;
    }
    gdi::BitmapCanvas render(w, h);
    RenderGradient(render, {0, 0, w, h}, 1);
    return render.bitmap();
}

void TFillData::DrawPattern(gdi::Canvas& canvas, const gdi::Rect& r) {
    if (patternMode_ == 0) {
        if (canvas.IsPrinter()) {
            DrawBitmapViaDIB(canvas, pattern_, r);
        } else {
            canvas.StretchBlt(r, pattern_, {0, 0, pattern_.Width(), pattern_.Height()}, canvas.CopyMode());
        }
        return;
    }
    // A tile of whole patterns, at least kMinTileSide on each side. Only a
    // small pattern is grown: a long thin one (16 million by 1 pixels) would
    // otherwise give a tile of thousands of millions of pixels.
    const int32_t pw = pattern_.Width(), ph = pattern_.Height();
    const bool small = int64_t{pw} * ph < int64_t{kMinTileSide} * kMinTileSide;
    const int32_t tw = small ? pw * std::max(1, (kMinTileSide + pw - 1) / pw) : pw;
    const int32_t th = small ? ph * std::max(1, (kMinTileSide + ph - 1) / ph) : ph;
    gdi::Bitmap tile(tw, th);
    for (int32_t y = 0; y < th; ++y) {
        const uint32_t* in = pattern_.ScanLine(y % ph);
        uint32_t* out = tile.ScanLine(y);
        for (int32_t x = 0; x < tw; ++x) out[x] = in[x % pw];
    }
    // Only the tiles that meet the clip box, and of each only the part
    // inside it: a tile may be a whole long pattern.
    const gdi::Rect visible = gdi::IntersectRect(r, canvas.GetClipBox());
    if (visible.IsEmpty()) return;
    const int32_t firstX = r.left + (visible.left - r.left) / tw * tw;
    const int32_t firstY = r.top + (visible.top - r.top) / th * th;
    for (int32_t y = firstY; y < visible.bottom; y += th) {
        for (int32_t x = firstX; x < visible.right; x += tw) {
            const gdi::Rect shown = gdi::IntersectRect({x, y, x + tw, y + th}, visible);
            const gdi::Rect source = shown.Offset(-x, -y);
            if (canvas.IsPrinter()) {
                const QImage part = tile.image().copy(source.left, source.top, source.Width(), source.Height());
                DrawBitmapViaDIB(canvas, gdi::Bitmap(part), shown);
            } else {
                canvas.StretchBlt(shown, tile, source, canvas.CopyMode());
            }
        }
    }
}

void TFillData::DrawBanded(gdi::Canvas& canvas, const gdi::Region& region) {
    // The fill is laid over the whole shape, as without bands; only the part
    // inside the clip region is sent.
    const gdi::Rect box = region.Box();
    gdi::Region shape = region;
    const std::optional<gdi::Region> clip = canvas.GetClipRgn();
    if (clip) {
        canvas.SelectClipRgn(nullptr);
        shape.Combine(shape, *clip, gdi::RegionCombine::And);
    }
    if (!shape.IsEmpty()) {
        // The rendering keeps the shape's proportions, so circles stay round.
        const int32_t w = box.Width(), h = box.Height();
        const int32_t bw = w >= h ? kBandedSide : std::max(1, MulDiv(w, kBandedSide, h));
        const int32_t bh = w >= h ? std::max(1, MulDiv(h, kBandedSide, w)) : kBandedSide;
        const gdi::Bitmap source =
            kind_ == fkGradient ? SourceBitmap(bw, bh, kBandedSide) : SourceBitmap(w, h, kBandedSide);
        DrawBitmapInRegion(canvas, source, shape, box);
    }
    if (clip) canvas.SelectClipRgn(&*clip);
}

// ---- shades

gdi::Color TFillData::ShadeColor(double saturationLimit, double luminance) const {
    gdi::Color base;
    switch (kind_) {
        case fkColor:
            base = color_;
            break;
        case fkGradient:
            base = palette_->Count() > 0 ? palette_->Items(0)->Color() : gdi::Rgb(0, 0, 0);
            break;
        case fkPattern:
            return gdi::Rgb(128, 128, 128);
        default:
            return gdi::Rgb(192, 192, 192);
    }
    TRGBHSL hsl(base);
    hsl.SetSaturation(std::min(hsl.Saturation(), saturationLimit));
    hsl.SetLuminance(luminance);
    return hsl.GetColor();
}

void TFillData::FillPolygonDarkShade(gdi::Canvas& canvas, std::span<const gdi::Point> points) {
    FillFlat(canvas, points, ShadeColor(0.4, 0.3));
}

void TFillData::FillPolygonMediumShade(gdi::Canvas& canvas, std::span<const gdi::Point> points) {
    FillFlat(canvas, points, ShadeColor(0.5, 0.4));
}

// ---- bitmaps on devices

void DrawBitmapViaDIB(gdi::Canvas& canvas, const gdi::Bitmap& bitmap, const gdi::Rect& r) {
    if (bitmap.IsEmpty()) return;
    // Our bitmaps already are device-independent; the copy is opaque.
    gdi::Bitmap copy(bitmap.image().convertToFormat(QImage::Format_RGB32));
    canvas.StretchBlt(r, copy, {0, 0, copy.Width(), copy.Height()}, gdi::SRCCOPY);
}

void DrawBitmapInRegion(gdi::Canvas& canvas, const gdi::Bitmap& bitmap, const gdi::Region& region,
                        const gdi::Rect& box) {
    if (region.IsEmpty() || bitmap.IsEmpty() || box.IsEmpty()) return;
    const int32_t boxW = box.Width(), boxH = box.Height();
    gdi::Bitmap source = bitmap;
    if (boxW < bitmap.Width() || boxH < bitmap.Height()) {
        source = gdi::Bitmap(bitmap.image().scaled(std::min(boxW, bitmap.Width()), std::min(boxH, bitmap.Height()),
                                                   Qt::IgnoreAspectRatio, Qt::FastTransformation));
    }
    const int32_t bw = source.Width(), bh = source.Height();
    DeviceUnitsScope deviceUnits(canvas);
    canvas.SetStretchBltMode(gdi::StretchMode::ColorOnColor);
    for (const gdi::Rect& rect : region.Rects()) {
        const int32_t x0 = MulDiv(bw - 1, rect.left - box.left, boxW);
        const int32_t x1 = MulDiv(bw - 1, rect.right - box.left, boxW);
        const int32_t y0 = MulDiv(bh - 1, rect.top - box.top, boxH);
        const int32_t y1 = MulDiv(bh - 1, rect.bottom - box.top, boxH);
        canvas.StretchBlt(rect, source, {x0, y0, x1 + 1, y1 + 1}, gdi::SRCCOPY);
    }
}
