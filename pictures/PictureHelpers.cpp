#include "pictures/PictureHelpers.h"

#include "foundation/Exceptions.h"
#include "foundation/GeneralHelpers.h"
#include "pictures/LoadPNG.h"
#include "pictures/Resample.h"
#include "pictures/ZRMetaFile.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/imaging/Jpeg.h"
#include "platform/imaging/PictureFile.h"

#include <QtCore/QFileInfo>

namespace {

QString LowerExtension(const QString& fileName) { return QFileInfo(fileName).suffix().toLower(); }

imaging::DibHandle MetafileThumbnailDIB(const QString& fileName, int32_t maxWidth, int32_t maxHeight) {
    TZRMetaFile metafile;
    metafile.LoadFromFile(fileName);
    int32_t width = metafile.GetWidth(), height = metafile.GetHeight();
    if (width == 0) width = maxWidth;
    if (height == 0) height = maxHeight;
    FitSizeInto(width, height, maxWidth, maxHeight);
    gdi::BitmapCanvas canvas(std::max(1, width), std::max(1, height));
    metafile.Draw(canvas, (width - 1) / 2, (height - 1) / 2, width - 1, height - 1, 0);
    return imaging::DIBFromBitmap(canvas.bitmap(), 24);
}

// The codec decodes at the largest reduction that still covers the box.
imaging::DibHandle JpegThumbnailDIB(const QString& fileName, int32_t maxWidth, int32_t maxHeight) {
    std::vector<uint8_t> bytes;
    imaging::JpegSize size;
    if (!imaging::ReadFileBytes(fileName.toStdString(), bytes) || !imaging::ReadJpegSize(bytes, size)) return nullptr;
    const double ratio = std::min(static_cast<double>(size.height) / maxHeight, static_cast<double>(size.width) / maxWidth);
    const int32_t scale = ratio > 8 ? 8 : ratio > 4 ? 4 : ratio > 2 ? 2 : 1;
    return imaging::DecodeJpeg(bytes, scale);
}

}  // namespace

void SaveBitmapAsJpeg(const gdi::Bitmap& bitmap, const QString& fileName) {
    const imaging::DibHandle dib = imaging::DIBFromBitmap(bitmap, 24);
    std::vector<uint8_t> jpeg;
    if (!dib || !imaging::EncodeJpeg(*dib, 75, jpeg) || !imaging::WriteFileBytes(fileName.toStdString(), jpeg))
        throw Exception("Kann jpg nicht speichern");
}

imaging::DibHandle LoadPictureDIB(const QString& fileName) {
    // Only PNG pictures (whatever their name) come with an alpha channel.
    imaging::DibHandle dib = imaging::ImportPictureFile(fileName.toStdString());
    if (dib && dib->BitCount() == 32) SetTransparentPixelColor(dib.get(), gdi::Rgb(255, 255, 255));
    return dib;
}

void ShrinkDIBToFit(imaging::DibHandle& dib, int32_t maxWidth, int32_t maxHeight) {
    if (!dib || (dib->Width() <= maxWidth && dib->Height() <= maxHeight)) return;
    int32_t width = dib->Width(), height = dib->Height();
    FitSizeInto(width, height, maxWidth, maxHeight);
    dib = StretchDIBFiltered(*dib, std::max(1, width), std::max(1, height), ResampleTriangleKernel, 1.0f);
}

imaging::DibHandle MakeThumbnailDIB(const QString& fileName, int32_t maxWidth, int32_t maxHeight) {
    if (maxWidth < 1 || maxHeight < 1) return nullptr;
    try {
        const QString extension = LowerExtension(fileName);
        imaging::DibHandle dib;
        if (extension == QStringLiteral("wmf") || extension == QStringLiteral("emf")) {
            dib = MetafileThumbnailDIB(fileName, maxWidth, maxHeight);
        } else if (imaging::FormatOfExtension(extension.toStdString()) == imaging::PictureFormat::Jpeg) {
            dib = JpegThumbnailDIB(fileName, maxWidth, maxHeight);
            if (!dib) dib = LoadPictureDIB(fileName);
        } else {
            dib = LoadPictureDIB(fileName);
        }
        ShrinkDIBToFit(dib, maxWidth, maxHeight);
        if (dib && !imaging::ConvertDIB(dib, 24)) dib.reset();
        return dib;
    } catch (const std::exception&) {
        return nullptr;
    }
}
