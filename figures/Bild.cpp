#include "figures/Bild.h"

#include "document/EtikettFiler.h"
#include "figures/Bild32.h"
#include "figures/FigureDialogs.h"
#include "figures/Tracker.h"
#include "foundation/ScaleCanvas.h"
#include "pictures/PictureErrors.h"
#include "pictures/QDXRotate90DIB.h"
#include "pictures/ZRMetaFile.h"
#include "platform/imaging/PictureFile.h"

#include <span>

TBild::TBild(TChildBase* owner) : TRechteck(owner), MetaFile(std::make_unique<TZRMetaFile>()) {
    Kind = TFigureKind::Bild;
    TBild::CreateTracker();
}

TBild::~TBild() = default;

void TBild::CreateTracker() {
    TRechteck::CreateTracker();
    RectTracker().HandleFlags = kHandleCorners | kHandleEdges;
}

void TBild::SyncTracker() {
    TRechteck::SyncTracker();
    RectTracker().HandleFlags = kHandleCorners | kHandleEdges;
}

// ---- drawing: stretched over the unturned frame

TRect TBild::FrameRect(const TCustomScaler& scaler) const {
    return {DevX(scaler, GetLeft()), DevY(scaler, GetTop()), DevX(scaler, GetRight()), DevY(scaler, GetBottom())};
}

void TBild::DrawOn(TScaleCanvas& canvas) {
    canvas.Brush().style = gdi::BrushStyle::Null;
    const TRect frame = FrameRect(canvas);
    if (PictureKind == kPictureBitmap) {
        if (Bitmap)
            imaging::StretchDIBBlt(canvas.Canvas(), frame.left, frame.top, frame.Width(), frame.Height(), *Bitmap, 0, 0,
                                   Bitmap->Width(), Bitmap->Height(), gdi::SRCCOPY);
        return;
    }
    if (PictureKind == kPictureMetafile)
        MetaFile->Draw(canvas.Canvas(), (frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2, frame.Width(),
                       frame.Height(), 0);
}

void TBild::Paint() {
    TScaleCanvas& canvas = WindowCanvas();
    if (!Meets(GetPixelExtent(), OwnerUpdateRect())) return;
    try {
        DrawOn(canvas);
    } catch (const std::exception&) {
        // The frame with both diagonals stands in for a picture that cannot be drawn.
        const TRect r = FrameRect(canvas);
        const TPoint frame[5] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}, {r.left, r.top}};
        canvas.Canvas().Polyline(frame);
        canvas.Canvas().MoveTo(r.left, r.top);
        canvas.Canvas().LineTo(r.right, r.bottom);
        canvas.Canvas().MoveTo(r.right, r.top);
        canvas.Canvas().LineTo(r.left, r.bottom);
    }
}

bool TBild::HitTest(TPoint p) {
    const TRect frame = FrameRect(WindowCanvas());
    const TRect box{gdi::Saturated(int64_t{frame.left} - 1), gdi::Saturated(int64_t{frame.top} - 1), frame.right,
                    frame.bottom};
    return box.Contains(p);
}

bool TBild::EditPosition() {
    return EditPositionWith(kPositionEditable | kSizeEditable, 5000);
}

// ---- records, copies and the conversion

void TBild::WriteData(TEtikettFiler& filer) {
    TRechteck::WriteData(filer);
    TMemoryStream picture;
    if (PictureKind == kPictureBitmap && Bitmap) {
        std::vector<uint8_t> bmp;
        if (!imaging::EncodePicture(*Bitmap, imaging::PictureFormat::Bmp, bmp))
            RaisePictureError(imaging::ImageError::CannotWrite);
        picture.WriteBuffer(bmp.data(), static_cast<int64_t>(bmp.size()));
    } else if (PictureKind == kPictureMetafile) {
        MetaFile->SaveToStream(picture);
    }
    WritePictureRecord(filer, PictureKind, picture);
}

void TBild::ReadData(TEtikettFiler& filer) {
    TRechteck::ReadData(filer);
    TMemoryStream picture;
    PictureKind = static_cast<uint8_t>(ReadPictureRecord(filer, picture));
    unreadBytes_.clear();
    unreadReason_.clear();
    if (picture.Size() == 0) return;
    try {
        if (PictureKind == kPictureBitmap) {
            imaging::ImageError error = imaging::ImageError::None;
            Bitmap = imaging::DecodePicture(picture.Bytes(), ".bmp", &error);
            if (!Bitmap) RaisePictureError(error == imaging::ImageError::None ? imaging::ImageError::Damaged : error);
        } else if (PictureKind == kPictureMetafile) {
            MetaFile->LoadFromStream(picture, picture.Size());
        }
        // Other kinds: the bytes are skipped.
    } catch (const std::exception& e) {
        Bitmap.reset();
        MetaFile = std::make_unique<TZRMetaFile>();
        unreadBytes_ = picture.Bytes();
        unreadReason_ = PictureLoadMessage(e);
        filer.UnreadablePictures.push_back({QString(), CenterX, CenterY, unreadReason_});
    }
}

void TBild::Assign(const TFigure& source) {
    const auto* picture = dynamic_cast<const TBild*>(&source);
    if (!picture) throw EInvalidCast("Invalid class typecast");
    if (picture == this) return;
    TRechteck::Assign(source);
    PictureKind = picture->PictureKind;
    unreadBytes_ = picture->unreadBytes_;
    unreadReason_ = picture->unreadReason_;
    Bitmap = picture->Bitmap ? imaging::CopyHandle(*picture->Bitmap) : nullptr;
    MetaFile->Assign(*picture->MetaFile);
}

std::unique_ptr<TFigure> TBild::Clone() const {
    auto copy = std::make_unique<TBild>(Owner);
    copy->Assign(*this);
    return copy;
}

std::unique_ptr<TBild32> TBild::ToBild32() const {
    auto figure = std::make_unique<TBild32>(Owner);
    figure->CenterX = CenterX;
    figure->CenterY = CenterY;
    figure->Width = Width;
    figure->Height = Height;
    figure->Angle = Angle;
    if (!unreadReason_.isEmpty()) {
        const bool metafile = PictureKind == kPictureMetafile;
        std::vector<uint8_t> bytes = metafile ? std::vector<uint8_t>{} : std::vector<uint8_t>{4, 0, 0, 0, '.', 'b', 'm', 'p'};
        bytes.insert(bytes.end(), unreadBytes_.begin(), unreadBytes_.end());
        figure->KeepUnreadablePicture(metafile ? TBild32::kPictureMetafile : TBild32::kPictureRaster, std::move(bytes),
                                      unreadReason_);
    } else if (PictureKind == kPictureMetafile) {
        figure->PictureKind = TBild32::kPictureMetafile;
        figure->MetaFile->Assign(*MetaFile);
    } else if (PictureKind == kPictureBitmap && Bitmap) {
        imaging::DibHandle dib = imaging::CopyHandle(*Bitmap);
        imaging::ConvertDIB(dib, 24);
        figure->DIB->SetDIB(std::move(dib));
    }
    figure->UpdateTransform();
    return figure;
}
