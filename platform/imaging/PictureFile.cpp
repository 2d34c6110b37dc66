#include "platform/imaging/PictureFile.h"

#include "platform/gdi/Bitmap.h"
#include "platform/imaging/Jpeg.h"
#include "platform/imaging/Png.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QSaveFile>
#include <QtGui/QImageReader>
#include <QtGui/QImageWriter>
#include <QtGui/QPainter>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

namespace imaging {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

bool StartsWith(std::span<const uint8_t> bytes, const char* signature, size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), signature, length) == 0;
}

const char* QtFormatName(PictureFormat format) {
    switch (format) {
    case PictureFormat::Bmp: return "bmp";
    case PictureFormat::Gif: return "gif";
    case PictureFormat::Tiff: return "tiff";
    default: return nullptr;
    }
}

// A 24-bit DIB of a decoded image, transparent parts laid on white.
DibHandle OpaqueDibOf(const QImage& decoded) {
    QImage image(decoded.size(), QImage::Format_RGB32);
    if (image.isNull()) return nullptr;
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.drawImage(0, 0, decoded);
    }
    DibHandle dib = DIBFromBitmap(gdi::Bitmap(std::move(image)), 24);
    return dib;
}

DibHandle DecodeWithQt(std::span<const uint8_t> bytes, PictureFormat format, ImageError* error) {
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QtFormatName(format));
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid() && int64_t{size.width()} * size.height() > PixelLimit()) {
        *error = ImageError::TooLarge;
        return nullptr;
    }
    // The reader's own limit in megabytes, for formats that do not tell their size first.
    reader.setAllocationLimit(static_cast<int>(std::min<int64_t>(PixelLimit() * 4 / (1 << 20) + 1, 1 << 30)));
    const QImage image = reader.read();
    if (image.isNull()) {
        *error = ImageError::Damaged;
        return nullptr;
    }
    if (int64_t{image.width()} * image.height() > PixelLimit()) {
        *error = ImageError::TooLarge;
        return nullptr;
    }
    DibHandle dib = OpaqueDibOf(image);
    if (!dib) *error = ImageError::TooLarge;
    return dib;
}

bool EncodeWithQt(const Dib& dib, PictureFormat format, std::vector<uint8_t>& out) {
    const gdi::Bitmap bitmap = BitmapFromDIB(dib);
    if (bitmap.IsEmpty()) return false;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QtFormatName(format));
    if (!writer.canWrite() || !writer.write(bitmap.image())) return false;
    const QByteArray& data = buffer.data();
    out.assign(data.begin(), data.end());
    return true;
}

// The format DecodePicture reads the bytes as: by their signature, else by the extension.
PictureFormat FormatToRead(std::span<const uint8_t> bytes, std::string_view extension) {
    const PictureFormat found = FormatOfBytes(bytes);
    return found != PictureFormat::Unknown ? found : FormatOfExtension(extension);
}

std::string ExtensionOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return path.substr(dot);
}

}  // namespace

PictureFormat FormatOfExtension(std::string_view extension) {
    if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    const std::string ext = Lower(extension);
    if (ext == "jpg" || ext == "jpeg" || ext == "jpe" || ext == "jfif") return PictureFormat::Jpeg;
    if (ext == "png") return PictureFormat::Png;
    if (ext == "bmp" || ext == "dib") return PictureFormat::Bmp;
    if (ext == "gif") return PictureFormat::Gif;
    if (ext == "tif" || ext == "tiff") return PictureFormat::Tiff;
    return PictureFormat::Unknown;
}

PictureFormat FormatOfBytes(std::span<const uint8_t> bytes) {
    if (StartsWith(bytes, "\xFF\xD8\xFF", 3)) return PictureFormat::Jpeg;
    if (StartsWith(bytes, "\x89PNG\r\n\x1A\n", 8)) return PictureFormat::Png;
    if (StartsWith(bytes, "GIF87a", 6) || StartsWith(bytes, "GIF89a", 6)) return PictureFormat::Gif;
    if (StartsWith(bytes, "II*\0", 4) || StartsWith(bytes, "MM\0*", 4)) return PictureFormat::Tiff;
    if (StartsWith(bytes, "BM", 2)) return PictureFormat::Bmp;
    return PictureFormat::Unknown;
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, ImageError* error) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = ImageError::CannotOpen;
        return false;
    }
    const qint64 size = file.size();
    if (size > kMaxPictureFileBytes) {
        if (error) *error = ImageError::TooLarge;
        return false;
    }
    bytes.resize(static_cast<size_t>(size));
    if (size > 0 && file.read(reinterpret_cast<char*>(bytes.data()), size) != size) {
        if (error) *error = ImageError::CannotOpen;
        return false;
    }
    return true;
}

bool WriteFileBytes(const std::string& path, std::span<const uint8_t> bytes) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

DibHandle DecodePicture(std::span<const uint8_t> bytes, std::string_view extension, ImageError* error) {
    ImageError local = ImageError::None;
    ImageError& e = error ? *error : local;
    e = ImageError::None;
    const PictureFormat named = FormatOfExtension(extension);
    if (!extension.empty() && named == PictureFormat::Unknown) {
        e = ImageError::UnknownFormat;
        return nullptr;
    }
    const PictureFormat format = FormatToRead(bytes, extension);
    switch (format) {
    case PictureFormat::Jpeg: return DecodeJpeg(bytes, 1, &e);
    case PictureFormat::Png: return DecodePng(bytes, &e);
    case PictureFormat::Bmp:
    case PictureFormat::Gif:
    case PictureFormat::Tiff: return DecodeWithQt(bytes, format, &e);
    case PictureFormat::Unknown: break;
    }
    e = extension.empty() ? ImageError::UnknownFormat : ImageError::Damaged;
    return nullptr;
}

namespace {

// The factors the format offers, least first.
std::vector<int32_t> Reductions(PictureFormat format, PictureSize size) {
    if (format == PictureFormat::Jpeg) return {1, 2, 4, 8};
    if (format != PictureFormat::Png) return {1};
    std::vector<int32_t> factors;
    for (int32_t f = 1; f <= std::max(size.width, size.height); ++f) factors.push_back(f);
    return factors;
}

// Rounded up, in 64 bits: a damaged header may give sides near the integer limit.
PictureSize Reduced(PictureSize size, int32_t factor) {
    const auto side = [factor](int32_t length) {
        return static_cast<int32_t>((int64_t{length} + factor - 1) / factor);
    };
    return {side(size.width), side(size.height)};
}

}  // namespace

bool ReadPictureSize(std::span<const uint8_t> bytes, std::string_view extension, PictureFormat& format,
                     PictureSize& size) {
    format = FormatToRead(bytes, extension);
    if (format == PictureFormat::Png) return ReadPngSize(bytes, size.width, size.height);
    if (format != PictureFormat::Jpeg) return false;
    JpegSize jpeg;
    if (!ReadJpegSize(bytes, jpeg)) return false;
    size = {jpeg.width, jpeg.height};
    return true;
}

int32_t ReductionWithin(PictureFormat format, PictureSize size, int64_t maxPixels) {
    if (format == PictureFormat::Png) {
        // The least whole factor f with (w / f) (h / f) <= max, found from its square root.
        int32_t f = std::max(1, static_cast<int32_t>(std::sqrt(double(size.Pixels()) / double(std::max<int64_t>(1, maxPixels)))));
        while (Reduced(size, f).Pixels() > maxPixels && f < std::max(size.width, size.height)) ++f;
        while (f > 1 && Reduced(size, f - 1).Pixels() <= maxPixels) --f;
        return f;
    }
    for (int32_t f : Reductions(format, size))
        if (Reduced(size, f).Pixels() <= maxPixels) return f;
    return Reductions(format, size).back();
}

int32_t ReductionKeeping(PictureFormat format, PictureSize size, int32_t minWidth, int32_t minHeight) {
    auto keeps = [&](int32_t f) {
        const PictureSize r = Reduced(size, f);
        return r.width >= minWidth && r.height >= minHeight;
    };
    if (format == PictureFormat::Png) {
        const int32_t most = std::max(1, std::min(size.width / std::max(1, minWidth), size.height / std::max(1, minHeight)));
        for (int32_t f = most + 1; f >= 1; --f)
            if (f == 1 || keeps(f)) return f;
    }
    int32_t best = 1;
    for (int32_t f : Reductions(format, size))
        if (keeps(f)) best = f;
    return best;
}

DibHandle DecodePictureReduced(std::span<const uint8_t> bytes, std::string_view extension, int32_t factor,
                               ImageError* error, bool* alphaVaries) {
    const PictureFormat format = FormatToRead(bytes, extension);
    const bool namedUnknown = !extension.empty() && FormatOfExtension(extension) == PictureFormat::Unknown;
    if (factor <= 1 || namedUnknown) return DecodePicture(bytes, extension, error);
    if (format == PictureFormat::Jpeg) return DecodeJpeg(bytes, factor, error);
    if (format == PictureFormat::Png) return DecodePngReduced(bytes, factor, error, alphaVaries);
    return DecodePicture(bytes, extension, error);
}

DibHandle ImportPictureFile(const std::string& path, ImageError* error) {
    const std::string extension = ExtensionOf(path);
    if (!extension.empty() && FormatOfExtension(extension) == PictureFormat::Unknown) {
        if (error) *error = ImageError::UnknownFormat;
        return nullptr;
    }
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, error)) return nullptr;
    return DecodePicture(bytes, extension, error);
}

bool EncodePicture(const Dib& dib, PictureFormat format, std::vector<uint8_t>& out, int32_t jpegQuality) {
    switch (format) {
    case PictureFormat::Jpeg: return EncodeJpeg(dib, jpegQuality, out);
    case PictureFormat::Png: return EncodePng(dib, dib.BitCount() == 32, out);
    case PictureFormat::Bmp:
    case PictureFormat::Tiff: return EncodeWithQt(dib, format, out);
    case PictureFormat::Gif:
    case PictureFormat::Unknown: return false;
    }
    return false;
}

bool ExportPictureFile(const Dib& dib, const std::string& path, ImageError* error) {
    const PictureFormat format = FormatOfExtension(ExtensionOf(path));
    std::vector<uint8_t> bytes;
    if (format == PictureFormat::Unknown || format == PictureFormat::Gif) {
        if (error) *error = ImageError::UnknownFormat;
        return false;
    }
    if (!EncodePicture(dib, format, bytes) || !WriteFileBytes(path, bytes)) {
        if (error) *error = ImageError::CannotWrite;
        return false;
    }
    if (error) *error = ImageError::None;
    return true;
}

}  // namespace imaging
