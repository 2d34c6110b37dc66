#include "design/PvBild.h"

#include "figures/Bild32.h"
#include "figures/Figure.h"
#include "foundation/ScaleCanvas.h"
#include "pictures/QDXRotate90DIB.h"
#include "pictures/ZRMetaFile.h"
#include "platform/imaging/PictureFile.h"

#include <cmath>

namespace {

void DrawMetafile(TMemoryStream& picture, gdi::Canvas& canvas, gdi::Point center, int32_t w, int32_t h,
                  float angle) {
    TZRMetaFile metafile;
    picture.SetPosition(0);
    metafile.LoadFromStream(picture, picture.Size());
    metafile.Draw(canvas, center.x, center.y, w, h, angle);
}

// Whole degrees in (-360, 360).
int32_t WholeDegrees(double angle) {
    return static_cast<int32_t>(std::lround(std::fmod(angle, 360.0)));
}

}  // namespace

void TpvPicture::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    PictureKind = ReadPictureRecord(filer, Picture);
}

// ---- the older picture

void TpvBild::Draw(TScaleCanvas& canvas) {
    if (!HasArea() || Picture.Size() == 0) return;
    const gdi::Rect box = DeviceBox(canvas);
    try {
        if (PictureKind == TBild32::kPictureRaster) {
            const imaging::DibHandle dib = imaging::DecodePicture(Picture.Bytes(), ".bmp");
            if (dib)
                imaging::StretchDIBBlt(canvas.Canvas(), box.left, box.top, box.Width(), box.Height(), *dib, 0, 0,
                                       dib->Width(), dib->Height(), gdi::SRCCOPY);
        } else if (PictureKind == TBild32::kPictureMetafile) {
            DrawMetafile(Picture, canvas.Canvas(), DeviceCenter(canvas), box.Width(), box.Height(), 0);
        }
    } catch (const Exception&) {
        // A picture that does not decode stays empty.
    }
}

// ---- the picture figure

void TpvBild32::Draw(TScaleCanvas& canvas) {
    if (!HasArea() || Picture.Size() == 0) return;
    try {
        if (PictureKind == TBild32::kPictureRaster) {
            TQDXRotate90DIB dib;
            Picture.SetPosition(0);
            dib.LoadFromStream(Picture);
            dib.DrawTo(canvas, WholeDegrees(Base.Angle), SingleOf(Base.CenterX), SingleOf(Base.CenterY),
                       SingleOf(Base.Width), SingleOf(Base.Height));
        } else if (PictureKind == TBild32::kPictureMetafile) {
            DrawMetafile(Picture, canvas.Canvas(), DeviceCenter(canvas), canvas.MMToPixelW(SingleOf(Base.Width)),
                         canvas.MMToPixelH(SingleOf(Base.Height)), static_cast<float>(std::fmod(Base.Angle, 360.0)));
        }
    } catch (const Exception&) {
        // A picture that does not decode stays empty.
    }
}
