#include "pictures/LoadPNG.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Canvas.h"
#include "platform/imaging/PictureFile.h"
#include "platform/imaging/Png.h"

bool LoadImageAsDIB32(const QString& fileName, imaging::DibHandle& dib) {
    dib = imaging::ImportPictureFile(fileName.toStdString());
    if (dib && !imaging::ConvertDIB(dib, 32)) dib.reset();
    return dib != nullptr;
}

bool SaveDIBAsPNG(const QString& fileName, const imaging::Dib& dib, bool keepAlpha) {
    std::vector<uint8_t> bytes;
    return imaging::EncodePng(dib, keepAlpha, bytes) && imaging::WriteFileBytes(fileName.toStdString(), bytes);
}

void SetTransparentPixelColor(imaging::Dib* dib, gdi::Color colour) {
    if (!dib || dib->BitCount() != 32) return;
    const uint32_t bgr = gdi::BlueOf(colour) | gdi::GreenOf(colour) << 8 | gdi::RedOf(colour) << 16;
    for (int32_t row = 0; row < dib->Height(); ++row) {
        uint32_t* pixel = dib->Row32(row);
        for (int32_t x = 0; x < dib->Width(); ++x) {
            if (pixel[x] >> 24 != 255) pixel[x] = (pixel[x] & 0xFF000000u) | bgr;
        }
    }
}

bool StretchBitmapToCanvas(gdi::Canvas& canvas, const gdi::Bitmap& bitmap, int32_t x1, int32_t y1, int32_t x2,
                           int32_t y2) {
    const imaging::DibHandle dib = imaging::DIBFromBitmap(bitmap, 24);
    if (!dib) return false;
    imaging::StretchDIBBlt(canvas, x1, y1, x2 - x1, y2 - y1, *dib, 0, 0, dib->Width(), dib->Height(), gdi::SRCCOPY);
    return true;
}
