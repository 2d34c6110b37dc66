#pragma once
// The picture figure of older documents: a bitmap (stored as a BMP file
// image) or a metafile stretched over its frame, never turned. It exists
// only while its record is read: the element reader turns it into a TBild32
// at once (ToBild32), so no TBild lives on in a design.

#include "figures/Rechteck.h"
#include "platform/imaging/Dib.h"

#include <memory>
#include <vector>

class TBild32;
class TZRMetaFile;

class TBild : public TRechteck {
public:
    static constexpr uint8_t kPictureMetafile = 0;
    static constexpr uint8_t kPictureBitmap = 1;

    explicit TBild(TChildBase* owner);
    ~TBild() override;

    // Corner and edge handles, no rotation handle.
    void CreateTracker() override;
    void SyncTracker() override;
    // Without clip ring; a picture that cannot be drawn shows its frame
    // with both diagonals.
    void Paint() override;
    // The unturned frame.
    bool HitTest(TPoint p) override;
    void WriteData(TEtikettFiler& filer) override;
    void ReadData(TEtikettFiler& filer) override;
    bool EditPosition() override;
    void RotateBy(double) override {}
    std::unique_ptr<TFigure> Clone() const override;
    void Assign(const TFigure& source) override;
    const char* ClassName() const override { return "TBild"; }

    // The picture figure that takes this one's place: the same centre, size
    // and angle and the same picture (the bitmap as a 24-bit DIB, the
    // metafile as it is); pen, fill and margins are not carried over. A
    // picture that did not read goes over as the unreadable picture of the
    // new figure, its bitmap bytes in the new figure's form (".bmp" and the
    // bytes).
    std::unique_ptr<TBild32> ToBild32() const;

    imaging::DibHandle Bitmap;
    std::unique_ptr<TZRMetaFile> MetaFile;
    uint8_t PictureKind = kPictureBitmap;

protected:
    // The picture stretched over the frame, unturned.
    void DrawOn(TScaleCanvas& canvas) override;

private:
    TRect FrameRect(const TCustomScaler& scaler) const;
    // The bytes of a picture that did not read, and why.
    std::vector<uint8_t> unreadBytes_;
    QString unreadReason_;
};
