#pragma once
// Picture helpers of the dialogs and the picture browser: a bitmap saved as
// a JPEG file, a picture file of any supported format loaded as a DIB, and
// small preview DIBs of picture files (JPEG decoded at a reduced size by the
// codec itself, metafiles drawn, everything else loaded and resampled).

#include "platform/imaging/Dib.h"

#include <QtCore/QString>

namespace gdi {
class Bitmap;
}

// Raises Exception "Kann jpg nicht speichern" when the file cannot be written.
void SaveBitmapAsJpeg(const gdi::Bitmap& bitmap, const QString& fileName);
// A new DIB of the picture, or none. PNG pictures come with their alpha
// channel, every partly transparent pixel made white.
imaging::DibHandle LoadPictureDIB(const QString& fileName);
// Resamples the DIB (triangle filter) to fit maxWidth x maxHeight when it is
// larger; smaller pictures stay as they are.
void ShrinkDIBToFit(imaging::DibHandle& dib, int32_t maxWidth, int32_t maxHeight);
// A new 24-bit DIB of the picture fitted into maxWidth x maxHeight, or none
// when the file cannot be read. Metafiles are drawn at the fitted size
// (enlarged too); a JPEG is decoded at 1/2, 1/4 or 1/8 when that is still
// larger than the box.
imaging::DibHandle MakeThumbnailDIB(const QString& fileName, int32_t maxWidth, int32_t maxHeight);
