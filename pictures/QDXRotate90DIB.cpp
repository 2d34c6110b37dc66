#include "pictures/QDXRotate90DIB.h"

#include "foundation/BmpScaleCanvas.h"
#include "foundation/Codepage1252.h"
#include "foundation/Exceptions.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/Rounding.h"
#include "foundation/ScaleCanvas.h"
#include "foundation/Transformation.h"
#include "pictures/PictureErrors.h"
#include "platform/gdi/Bitmap.h"
#include "platform/imaging/PictureFile.h"
#include "platform/imaging/Png.h"
#include "platform/printer/Printer.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

using imaging::Dib;
using imaging::DibHandle;

// ---- the printer's colour

namespace {

std::atomic<TPrinterColorQuery> printerColorQuery{nullptr};

}  // namespace

void SetPrinterColorQuery(TPrinterColorQuery query) { printerColorQuery.store(query); }

namespace {

std::atomic<int64_t> workingPixelLimit{int64_t{4096} * 4096};

}  // namespace

int64_t TQDXRotate90DIB::WorkingPixelLimit() { return workingPixelLimit.load(); }
void TQDXRotate90DIB::SetWorkingPixelLimit(int64_t pixels) { workingPixelLimit.store(std::max<int64_t>(1, pixels)); }

bool PrinterPrintsColor() {
    if (const TPrinterColorQuery query = printerColorQuery.load()) return query();
    return gdi::CurrentPrinter().Caps().bitsPerPixel > 8;
}

// ---- helpers

namespace {

constexpr int32_t kMaxExtensionLetters = 8;
// Below this the stream holds no picture worth decoding; above it the
// readers would refuse the bytes anyway.
constexpr int64_t kMaxStreamPicture = imaging::kMaxPictureFileBytes;

QString ExtensionOfFile(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix();
    return suffix.isEmpty() ? QString() : QStringLiteral(".") + suffix;
}

bool IsPng(const QString& extension) { return extension.compare(QStringLiteral(".png"), Qt::CaseInsensitive) == 0; }

// A length of 0 or less is the empty text; longer than a dot and eight
// letters, or any other character, is refused.
QString ReadLengthPrefixedString(TStream& stream) {
    int32_t length = 0;
    stream.ReadBuffer(&length, 4);
    if (length <= 0) return {};
    if (length > 1 + kMaxExtensionLetters) throw Exception(LocalizedText("IDS_CANNOTREADPICT"));
    std::string text(static_cast<size_t>(length), '\0');
    stream.ReadBuffer(text.data(), length);
    const QString extension = AnsiToUnicode(text);
    if (!IsValidPictureExtension(extension)) throw Exception(LocalizedText("IDS_CANNOTREADPICT"));
    return extension;
}

void WriteLengthPrefixedString(TStream& stream, const QString& text) {
    const std::string ansi = UnicodeToAnsi(text);
    const auto length = static_cast<int32_t>(ansi.size());
    stream.WriteBuffer(&length, 4);
    if (length > 0) stream.WriteBuffer(ansi.data(), length);
}

// Sets the scale canvas's zoom for a while and puts the old one back on
// every way out.
class ZoomScope {
public:
    ZoomScope(TScaleCanvas& canvas, float zoom) : canvas_(canvas), saved_(canvas.Zoom) { canvas.SetZoom(zoom); }
    ~ZoomScope() { canvas_.SetZoom(saved_); }
    ZoomScope(const ZoomScope&) = delete;
    ZoomScope& operator=(const ZoomScope&) = delete;

private:
    TScaleCanvas& canvas_;
    float saved_;
};

gdi::Bitmap RowBitmap(const std::vector<uint32_t>& pixels, bool gray) {
    gdi::Bitmap row(static_cast<int32_t>(pixels.size()), 1);
    uint32_t* line = row.ScanLine(0);
    for (size_t x = 0; x < pixels.size(); ++x) {
        uint32_t p = pixels[x];
        if (gray) {
            const uint32_t g = ((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) / 3;
            p = g | g << 8 | g << 16;
        }
        line[x] = p | 0xFF000000u;
    }
    return row;
}

// One row of a picture on a device: n reduced pixels drawn k device pixels
// tall and wide each.
void StretchRowToDevice(gdi::Canvas& canvas, int32_t x, int32_t y, int32_t width, int32_t height,
                        const std::vector<uint32_t>& row, bool gray) {
    const gdi::Bitmap bitmap = RowBitmap(row, gray);
    canvas.StretchBlt({x, y, x + width, y + height}, bitmap, {0, 0, bitmap.Width(), 1}, gdi::SRCCOPY);
}

int32_t NormalizedAngle(int32_t angle) { return ((angle % 360) + 360) % 360; }

}  // namespace

bool IsValidPictureExtension(const QString& extension) {
    if (extension.isEmpty()) return true;
    if (extension.size() < 2 || extension.size() > 1 + kMaxExtensionLetters || extension.front() != u'.') return false;
    for (qsizetype i = 1; i < extension.size(); ++i) {
        const char16_t c = extension[i].unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))) return false;
    }
    return true;
}

bool ExportDIBToFile(const Dib& dib, const QString& fileName) {
    return imaging::ExportPictureFile(dib, fileName.toStdString());
}

// ---- the object

// What one drawing needs of the mapping: the transformation (for the
// bounds), the fixed-point inverse (12 fraction bits) and the bounds.
struct TQDXRotate90DIB::Geometry {
    int64_t a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
    TRect bounds;
    int32_t width = 0, height = 0;

    // Walks device row y from left to right - 1: pixel(x, i, j) for each
    // device pixel whose source pixel (i, j) exists, none(x) for the others.
    // The source of (x, y) is ((x a + y c + e + 2047) >> 12, (x b + y d + f + 2047) >> 12),
    // stepped along the row by a and b.
    template <class Pixel, class None>
    void WalkRow(int32_t y, int32_t left, int32_t right, Pixel pixel, None none) const {
        int64_t ti = int64_t{left} * a + int64_t{y} * c + e + 2047;
        int64_t tj = int64_t{left} * b + int64_t{y} * d + f + 2047;
        for (int32_t x = left; x < right; ++x, ti += a, tj += b) {
            const int64_t i = ti >> 12, j = tj >> 12;
            if (i >= 0 && i < width && j >= 0 && j < height)
                pixel(x, static_cast<int32_t>(i), static_cast<int32_t>(j));
            else
                none(x);
        }
    }
};

namespace {

// The pixels of a 24-bit or 32-bit DIB as 32-bit values (24-bit ones opaque),
// read straight from its rows.
template <int BytesPerPixel>
class PixelSource {
public:
    explicit PixelSource(const Dib& dib) : bits_(dib.Bits()), stride_(dib.RowBytes()) {}
    uint32_t At(int32_t i, int32_t j) const {
        const uint8_t* p = bits_ + size_t(j) * stride_ + size_t(i) * BytesPerPixel;
        if constexpr (BytesPerPixel == 4) {
            uint32_t v;
            std::memcpy(&v, p, 4);
            return v;
        } else {
            return 0xFF000000u | p[0] | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16;
        }
    }

private:
    const uint8_t* bits_;
    size_t stride_;
};

// Calls work(source) with the pixel source of the DIB's depth (24 or 32 bits).
template <class Work>
void WithPixelSource(const Dib& dib, Work work) {
    if (dib.BitCount() == 24)
        work(PixelSource<3>(dib));
    else
        work(PixelSource<4>(dib));
}

}  // namespace

TQDXRotate90DIB::TQDXRotate90DIB() = default;

TQDXRotate90DIB::~TQDXRotate90DIB() { Clear(); }

void TQDXRotate90DIB::Clear() {
    dib_.reset();
    deviceDib_.reset();
    keptBytes_.clear();
    fullWidth_ = fullHeight_ = 0;
    header_ = {};
    keptFile_.reset();
    if (!tempName_.isEmpty()) QFile::remove(tempName_);
    tempName_.clear();
    extension_.clear();
    mode_ = kModeOpaque;
}

int32_t TQDXRotate90DIB::Width() const { return dib_ ? fullWidth_ : 0; }
int32_t TQDXRotate90DIB::Height() const { return dib_ ? fullHeight_ : 0; }

bool TQDXRotate90DIB::IsReduced() const { return dib_ && (dib_->Width() < fullWidth_ || dib_->Height() < fullHeight_); }

void TQDXRotate90DIB::RefreshHeader() { imaging::DIBInfo(dib_.get(), header_); }

void TQDXRotate90DIB::TakeWholeSize() {
    fullWidth_ = dib_ ? dib_->Width() : 0;
    fullHeight_ = dib_ ? dib_->Height() : 0;
}

void TQDXRotate90DIB::Assign(const TQDXRotate90DIB& source) {
    if (&source == this) return;
    Clear();
    if (!source.dib_) return;
    dib_ = imaging::CopyHandle(*source.dib_);
    mode_ = source.mode_;
    RefreshHeader();
    TakeWholeSize();
    // A picture read smaller than it is keeps its file in the copy too: the
    // copy would otherwise be saved at the smaller size.
    if (source.IsReduced()) {
        fullWidth_ = source.fullWidth_;
        fullHeight_ = source.fullHeight_;
        extension_ = source.extension_;
        KeepCopy(source.SourceBytes());
    }
}

void TQDXRotate90DIB::SetDIB(DibHandle handle) {
    Clear();
    dib_ = std::move(handle);
    if (!dib_) return;
    RefreshHeader();
    TakeWholeSize();
    DetectAlphaMode();
}

void TQDXRotate90DIB::SetDIBWithFile(DibHandle handle, const QString& fileName) {
    SetDIB(std::move(handle));
    if (!dib_) return;
    tempName_ = fileName;
    extension_ = ExtensionOfFile(fileName);
    try {
        keptFile_ = std::make_unique<TFileStream>(fileName.toStdString(), FileMode::OpenRead);
    } catch (const EStreamError&) {
        keptFile_.reset();  // saved as PNG then
    }
}

void TQDXRotate90DIB::DetectAlphaMode() {
    mode_ = kModeOpaque;
    if (!dib_ || !imaging::ConvertDIB(dib_, 32)) return;
    RefreshHeader();
    const uint32_t first = dib_->Row32(0)[0] >> 24;
    for (int32_t row = 0; row < dib_->Height(); ++row) {
        const uint32_t* pixel = dib_->Row32(row);
        for (int32_t x = 0; x < dib_->Width(); ++x) {
            if (pixel[x] >> 24 != first) {
                mode_ = kModeAlphaMask;
                return;
            }
        }
    }
}

void TQDXRotate90DIB::LoadFromFile(const QString& fileName) {
    Clear();
    const QString extension = ExtensionOfFile(fileName);
    extension_ = extension;
    std::vector<uint8_t> bytes;
    imaging::ImageError error = imaging::ImageError::None;
    if (!imaging::ReadFileBytes(fileName.toStdString(), bytes, &error)) RaisePictureError(error);
    LoadFromBytes(bytes, extension);
}

void TQDXRotate90DIB::LoadFromBytes(std::span<const uint8_t> bytes, const QString& extension) {
    Clear();
    extension_ = extension;
    const std::string ext = UnicodeToAnsi(extension);
    // A picture of more pixels than the screen can show is read smaller; a
    // device that needs more reads it again (DeviceSource).
    imaging::PictureFormat format = imaging::PictureFormat::Unknown;
    imaging::PictureSize whole;
    int32_t factor = 1;
    if (imaging::ReadPictureSize(bytes, ext, format, whole) && whole.Pixels() <= imaging::PixelLimit())
        factor = imaging::ReductionWithin(format, whole, WorkingPixelLimit());
    imaging::ImageError error = imaging::ImageError::None;
    bool alphaVaries = false;
    DibHandle dib = imaging::DecodePictureReduced(bytes, ext, factor, &error, &alphaVaries);
    if (dib && IsPng(extension) && !imaging::ConvertDIB(dib, 32)) dib.reset();
    if (!dib) RaisePictureError(error == imaging::ImageError::None ? imaging::ImageError::Damaged : error);
    dib_ = std::move(dib);
    mode_ = kModeOpaque;
    RefreshHeader();
    TakeWholeSize();
    if (factor > 1) {
        fullWidth_ = whole.width;
        fullHeight_ = whole.height;
        // The whole picture's alpha, as the reader saw it.
        if (IsPng(extension) && alphaVaries) mode_ = kModeAlphaMask;
    } else if (IsPng(extension)) {
        DetectAlphaMode();
    }
    KeepCopy(bytes);
    // Without its file a smaller reading would be saved smaller: the bytes stay in memory then.
    if (factor > 1 && !keptFile_) keptBytes_.assign(bytes.begin(), bytes.end());
}

std::vector<uint8_t> TQDXRotate90DIB::SourceBytes() const {
    if (!keptFile_) return keptBytes_;
    std::vector<uint8_t> bytes(static_cast<size_t>(keptFile_->Size()));
    keptFile_->SetPosition(0);
    keptFile_->ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return bytes;
}

// The copy is made under a name that is created exclusively, so two pictures
// (or two programs) never share one.
void TQDXRotate90DIB::KeepCopy(std::span<const uint8_t> bytes) {
    try {
        const QString name = UniqueTempFileName(extension_);
        tempName_ = name;
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
                static_cast<qint64>(bytes.size()) ||
            !file.flush())
            throw EFCreateError(LocalizedFormat("IDS_CANNOTSAVEFILE", {name}));
        file.close();
        keptFile_ = std::make_unique<TFileStream>(name.toStdString(), FileMode::OpenRead);
    } catch (const EStreamError&) {
        // Without a copy the picture is saved as PNG: nothing is lost.
        keptFile_.reset();
        if (!tempName_.isEmpty()) QFile::remove(tempName_);
        tempName_.clear();
    }
}

void TQDXRotate90DIB::LoadFromStream(TStream& stream) {
    Clear();
    const QString extension = ReadLengthPrefixedString(stream);
    const int64_t size = stream.Remaining();
    if (size > kMaxStreamPicture) RaisePictureError(imaging::ImageError::TooLarge);
    // The bytes of a memory stream are read where they are.
    if (auto* memory = dynamic_cast<TMemoryStream*>(&stream)) {
        const int64_t at = memory->Position();
        memory->SetPosition(at + size);
        LoadFromBytes(std::span<const uint8_t>(memory->Memory() + at, static_cast<size_t>(size)), extension);
        return;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    stream.ReadBuffer(bytes.data(), size);
    LoadFromBytes(bytes, extension);
}

void TQDXRotate90DIB::SaveToStream(TStream& stream) {
    if (!dib_) return;
    if (keptFile_) {
        WriteLengthPrefixedString(stream, extension_);
        keptFile_->SetPosition(0);
        const int64_t size = keptFile_->Size();
        if (size > 0) stream.CopyFrom(*keptFile_, size);
        return;
    }
    if (!keptBytes_.empty()) {
        WriteLengthPrefixedString(stream, extension_);
        stream.WriteBuffer(keptBytes_.data(), static_cast<int64_t>(keptBytes_.size()));
        return;
    }
    std::vector<uint8_t> png;
    if (!imaging::EncodePng(*dib_, mode_ == kModeAlphaMask, png)) RaisePictureError(imaging::ImageError::CannotWrite);
    WriteLengthPrefixedString(stream, QStringLiteral(".png"));
    stream.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
}

bool TQDXRotate90DIB::HitTestPixel(TPoint p) {
    if (!dib_) return true;
    if (p.x < 0 || p.x >= Width() || p.y < 0 || p.y >= Height()) return false;
    if (mode_ == kModeOpaque) return true;
    if (dib_->BitCount() != 32) {
        imaging::ConvertDIB(dib_, 32);
        RefreshHeader();
    }
    // A picture read smaller: the pixel that stands for this one.
    const auto x = static_cast<int32_t>(int64_t{p.x} * dib_->Width() / fullWidth_);
    const auto y = static_cast<int32_t>(int64_t{p.y} * dib_->Height() / fullHeight_);
    return dib_->Row32(dib_->Height() - 1 - y)[x] >> 24 == 255;
}

// ---- drawing

bool TQDXRotate90DIB::MakeTransformation(const Dib& source, TScaleCanvas& canvas, Geometry& g, int32_t angle,
                                         float cx, float cy, float w, float h) {
    const int32_t wp = source.Width(), hp = source.Height();
    const int32_t targetW = canvas.MMToPixel(w), targetH = canvas.MMToPixel(h);
    if (targetW == 0 || targetH == 0) return false;
    TTransformation t;
    t.Translate((1.0f - wp) / 2, (1.0f - hp) / 2);
    t.Scale(1, -1);
    t.Scale(static_cast<float>(targetW) / wp, static_cast<float>(targetH) / hp);
    t.Rotate(0, 0, static_cast<float>(-angle));
    t.Translate(static_cast<float>(canvas.MMToPixelX(cx)), static_cast<float>(canvas.MMToPixelY(cy)));
    t.Prepare();
    // The inverse in double precision: a picture drawn hundreds of times
    // smaller than its pixel size still maps back exactly.
    const auto& m = t.Matrix.m;
    const double det = double{m[0][0]} * m[1][1] - double{m[0][1]} * m[1][0];
    if (det == 0 || !std::isfinite(det)) return false;
    auto fixed = [](double v) { return static_cast<int64_t>(std::llround(std::clamp(v, -1e12, 1e12) * 4096)); };
    g.a = fixed(m[1][1] / det);
    g.b = fixed(-m[0][1] / det);
    g.c = fixed(-m[1][0] / det);
    g.d = fixed(m[0][0] / det);
    g.e = fixed((double{m[1][0]} * m[2][1] - double{m[1][1]} * m[2][0]) / det);
    g.f = fixed((double{m[0][1]} * m[2][0] - double{m[0][0]} * m[2][1]) / det);
    g.width = wp;
    g.height = hp;
    // One pixel outside each corner.
    const TPoint corners[4] = {{-1, -1}, {-1, hp}, {wp, hp}, {wp, -1}};
    TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const TPoint& p : corners) {
        int32_t x = 0, y = 0;
        t.MapPixel(p.x, p.y, x, y);
        r.left = std::min(r.left, x);
        r.top = std::min(r.top, y);
        r.right = std::max(r.right, x);
        r.bottom = std::max(r.bottom, y);
    }
    // The far corners land half a pixel short of the last row or column
    // they reach (at 90 and 180 degrees): the bounds include them.
    g.bounds = {r.left, r.top, r.right == INT32_MAX ? r.right : r.right + 1, r.bottom == INT32_MAX ? r.bottom : r.bottom + 1};
    return true;
}

void TQDXRotate90DIB::DrawTo(TScaleCanvas& canvas, int32_t angle, float cx, float cy, float w, float h) {
    if (!dib_ || w == 0 || h == 0) return;
    // 24-bit pictures are drawn from their own rows; fewer bits become 32.
    if (dib_->BitCount() < 24) imaging::ConvertDIB(dib_, 32);
    RefreshHeader();
    if (auto* bitmapCanvas = dynamic_cast<TBmpScaleCanvas*>(&canvas)) {
        Geometry g;
        // The screen shows the picture as it was read; a device's larger reading goes.
        deviceDib_.reset();
        if (MakeTransformation(*dib_, canvas, g, angle, cx, cy, w, h))
            DrawToBitmap(*bitmapCanvas, g, mode_ == kModeAlphaMask);
        return;
    }
    DrawToDevice(canvas, angle, cx, cy, w, h);
}

void TQDXRotate90DIB::DrawToBitmap(TBmpScaleCanvas& canvas, const Geometry& g, bool masked) {
    const gdi::Bitmap& bitmap = canvas.Bitmap();
    TRect bounds = gdi::IntersectRect(g.bounds, canvas.VisibleRect);
    bounds = gdi::IntersectRect(bounds, {0, 0, bitmap.Width(), bitmap.Height()});
    if (bounds.IsEmpty()) return;
    gdi::Region region = gdi::Region::FromRect(bounds);
    if (const std::optional<gdi::Region> clip = canvas.Canvas().GetClipRgn()) {
        if (region.Combine(region, *clip, gdi::RegionCombine::And) == gdi::RegionKind::Null) return;
    }
    WithPixelSource(*dib_, [&](const auto& source) {
        for (const TRect& r : region.Rects()) {
            for (int32_t y = r.top; y < r.bottom; ++y) {
                uint32_t* line = canvas.ScanLine(y);
                g.WalkRow(
                    y, r.left, r.right,
                    [&](int32_t x, int32_t i, int32_t j) {
                        const uint32_t pixel = source.At(i, j);
                        if (masked && pixel >> 24 != 255) return;
                        line[x] = pixel | 0xFF000000u;  // the bitmap is opaque
                    },
                    [](int32_t) {});
            }
        }
    });
}

void TQDXRotate90DIB::DrawToDevice(TScaleCanvas& canvas, int32_t angle, float cx, float cy, float w, float h) {
    const bool gray = !PrinterPrintsColor();
    // Devices are drawn at no more than 360 dpi: 600 dpi at k = 2, 1200 at 4.
    const int32_t dpi = std::max(1, canvas.Canvas().Caps().logPixelsY);
    const int32_t k = (dpi + 359) / 360;
    int32_t needWidth = 0, needHeight = 0;
    {
        ZoomScope reduced(canvas, canvas.Zoom / static_cast<float>(k));
        needWidth = std::abs(canvas.MMToPixel(w));
        needHeight = std::abs(canvas.MMToPixel(h));
    }
    const Dib& source = DeviceSource(needWidth, needHeight);
    const int32_t quarter = NormalizedAngle(angle);
    if (mode_ == kModeOpaque && quarter % 90 == 0) {
        DrawQuarterTurn(source, canvas, quarter, cx, cy, w, h, gray, k);
        return;
    }
    DrawRowsToDevice(source, canvas, angle, cx, cy, w, h, mode_ == kModeAlphaMask, gray, k);
}

// A picture read smaller than it is is read again for a device that needs
// more of its pixels: as few as give the device one for each of its (at
// most 360 dpi) pixels, kept for the labels that follow.
const Dib& TQDXRotate90DIB::DeviceSource(int32_t needWidth, int32_t needHeight) {
    const auto enough = [&](const Dib& dib) {
        return dib.Width() >= std::min(needWidth, fullWidth_) && dib.Height() >= std::min(needHeight, fullHeight_);
    };
    if (!IsReduced() || enough(*dib_)) return *dib_;
    if (deviceDib_ && enough(*deviceDib_)) return *deviceDib_;
    deviceDib_.reset();
    const std::vector<uint8_t> bytes = SourceBytes();
    const std::string ext = UnicodeToAnsi(extension_);
    imaging::PictureFormat format = imaging::PictureFormat::Unknown;
    imaging::PictureSize whole;
    if (!imaging::ReadPictureSize(bytes, ext, format, whole)) return *dib_;
    const int32_t factor = imaging::ReductionKeeping(format, whole, needWidth, needHeight);
    DibHandle larger = imaging::DecodePictureReduced(bytes, ext, factor);
    if (larger && dib_->BitCount() == 32 && !imaging::ConvertDIB(larger, 32)) larger.reset();
    if (!larger || larger->Width() <= dib_->Width()) return *dib_;
    deviceDib_ = std::move(larger);
    return *deviceDib_;
}

void TQDXRotate90DIB::DrawRowsToDevice(const Dib& source, TScaleCanvas& canvas, int32_t angle, float cx, float cy,
                                       float w, float h, bool masked, bool gray, int32_t k) {
    const int32_t dx = canvas.PixelOffsetX, dy = canvas.PixelOffsetY;
    auto toReduced = [k](int32_t p, int32_t offset) { return (p + offset) / k - offset; };
    Geometry g;
    {
        ZoomScope reduced(canvas, canvas.Zoom / static_cast<float>(k));
        if (!MakeTransformation(source, canvas, g, angle, cx, cy, w, h)) return;
    }
    TRect bounds = g.bounds;
    const gdi::DeviceCaps& caps = canvas.Canvas().Caps();
    if (caps.horzRes > 0 && caps.vertRes > 0) {
        const gdi::Point a = canvas.Canvas().DPtoLP({0, 0});
        const gdi::Point b = canvas.Canvas().DPtoLP({caps.horzRes, caps.vertRes});
        TRect page = TRect{a.x, a.y, b.x, b.y}.Normalized();
        if (k != 1) page = {toReduced(page.left, dx), toReduced(page.top, dy), toReduced(page.right, dx),
                            toReduced(page.bottom, dy)};
        bounds = gdi::IntersectRect(bounds, page);
    }
    if (bounds.IsEmpty()) return;

    gdi::Canvas& device = canvas.Canvas();
    std::vector<uint32_t> run;
    run.reserve(static_cast<size_t>(bounds.Width()) + 1);
    WithPixelSource(source, [&](const auto& pixels) {
        for (int32_t y = bounds.top; y < bounds.bottom; ++y) {
            const int32_t deviceY = k * (y + dy) - dy;
            int32_t first = -2000000;
            auto flush = [&] {
                if (run.empty()) return;
                const int32_t deviceX = k * (first + dx) - dx;
                StretchRowToDevice(device, deviceX, deviceY, static_cast<int32_t>(run.size()) * k, k, run, gray);
                run.clear();
            };
            // An opaque picture's pixels form one run per row; a mask's runs
            // end at every pixel that is not drawn.
            g.WalkRow(
                y, bounds.left, bounds.right,
                [&](int32_t x, int32_t i, int32_t j) {
                    const uint32_t pixel = pixels.At(i, j);
                    if (masked && pixel >> 24 != 255) {
                        flush();
                        return;
                    }
                    if (run.empty()) first = x;
                    run.push_back(pixel);
                },
                [&](int32_t) {
                    if (masked) flush();
                });
            flush();
        }
    });
}

void TQDXRotate90DIB::DrawQuarterTurn(const Dib& source, TScaleCanvas& canvas, int32_t angle, float cx, float cy,
                                      float w, float h, bool gray, int32_t k) {
    DibHandle turned = imaging::RotateDIB(source, -10 * angle, gdi::Rgb(255, 0, 255));
    if (!turned) return;
    if (gray) turned = imaging::GrayDIB(*turned);
    if (!turned) return;
    int32_t tw = 0, th = 0;
    {
        ZoomScope reduced(canvas, canvas.Zoom / static_cast<float>(k));
        tw = std::abs(canvas.MMToPixel(w));
        th = std::abs(canvas.MMToPixel(h));
    }
    if (angle == 90 || angle == 270) std::swap(tw, th);
    // A target of no pixels draws nothing (the picture cannot be made that small).
    if (tw < 1 || th < 1) return;
    if (tw < turned->Width() || th < turned->Height()) {
        turned = imaging::StretchDIB(*turned, std::min(tw, turned->Width()), std::min(th, turned->Height()));
        if (!turned) return;
    }
    const bool upright = angle == 0 || angle == 180;
    const float halfW = (upright ? w : h) / 2, halfH = (upright ? h : w) / 2;
    const int32_t left = canvas.MMToPixelX(cx - halfW), top = canvas.MMToPixelY(cy - halfH);
    const int32_t right = canvas.MMToPixelX(cx + halfW), bottom = canvas.MMToPixelY(cy + halfH);
    imaging::StretchDIBBlt(canvas.Canvas(), left, top, right - left, bottom - top, *turned, 0, 0, turned->Width(),
                           turned->Height(), gdi::SRCCOPY);
}
