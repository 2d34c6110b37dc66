#pragma once
// The picture figure: a box on the label that shows a raster picture (PNG,
// JPEG, BMP, GIF, TIFF through the picture object) or a vector picture (WMF
// or EMF, played by the metafile facade), turned by any angle. The picture
// travels inside the document: the record embeds the picture object's own
// stream (extension and file bytes, or the metafile's bytes), never a file
// name. Pen and fill are kept with the box but never drawn.
//
// Both picture objects always exist; PictureKind says which one is in use.
// A raster picture turns by whole degrees only.

#include "figures/Rechteck.h"

#include <QtCore/QString>

#include <exception>
#include <memory>
#include <vector>

struct TUnreadablePicture;

class TMemoryStream;
class TQDXRotate90DIB;
class TZRMetaFile;

class TBild32 : public TRechteck {
public:
    static constexpr uint8_t kPictureMetafile = 0;
    static constexpr uint8_t kPictureRaster = 1;

    explicit TBild32(TChildBase* owner);
    ~TBild32() override;

    void SyncTracker() override;
    // A picture that did not read shows as its marked frame (on the view
    // only); every other picture paints as every figure does.
    void Paint() override;
    // Inside the frame; a raster picture's transparent pixels are no hit.
    bool HitTest(TPoint p) override;
    void WriteData(TEtikettFiler& filer) override;
    // A picture stream that does not decode (or a kind of picture the
    // program does not know) keeps its bytes as they are: the figure is then
    // an unreadable picture, noted in the filer's UnreadablePictures.
    void ReadData(TEtikettFiler& filer) override;
    // Position and size, no angle.
    bool EditPosition() override;
    // A raster picture turns by the step brought into [0, 360) and rounded
    // to whole degrees; a metafile by the step as it is.
    void RotateBy(double degrees) override;
    std::unique_ptr<TFigure> Clone() const override;
    // A raster picture that holds pixels (so the picture filters can work
    // on it); never a metafile.
    bool HasBitmapPicture() const override;
    // The box, the kind and the picture in use; a raster picture's file is
    // not copied, so the copy is saved as PNG.
    void Assign(const TFigure& source) override;
    const char* ClassName() const override { return "TBild32"; }

    // Loads the picture file (".wmf" and ".emf" in any case as metafiles).
    // False, after a warning with the "IDS_CANNOTREADPICT" text, when it
    // cannot be read.
    bool LoadFromFile(const QString& fileName);
    // Shrinks the frame about its centre, in one direction, to the
    // picture's proportions.
    void FitToPictureAspect();
    // The picture's size: pixels of the raster picture, units of the metafile.
    int32_t PictureWidth() const;
    int32_t PictureHeight() const;
    // A picture that could not be read when the figure was: it shows as an
    // empty frame crossed in red on the screen, prints nothing, and writes
    // back the bytes it was read from, unchanged. Loading a picture file
    // ends it.
    bool IsUnreadable() const { return unreadable_ != nullptr; }
    QString UnreadableReason() const;
    // Makes the figure the unreadable picture of that kind (as stored) and
    // record bytes.
    void KeepUnreadablePicture(int32_t kind, std::vector<uint8_t> bytes, const QString& reason);

    std::unique_ptr<TZRMetaFile> MetaFile;
    std::unique_ptr<TQDXRotate90DIB> DIB;
    uint8_t PictureKind = kPictureRaster;

protected:
    // A raster picture turned by whole degrees, a metafile by the angle;
    // nothing for a picture that did not read.
    void DrawOn(TScaleCanvas& canvas) override;

private:
    struct TUnreadable;
    void DrawUnreadableMark(TScaleCanvas& canvas);

    std::shared_ptr<const TUnreadable> unreadable_;  // the stored bytes, shared by copies
};

// A new picture figure of the owner holding the file's picture, or none when
// the file cannot be read (the warning has been shown then). The caller
// places it (SetFromPixelRect or the setters) and may fit it to the picture.
std::unique_ptr<TBild32> CreatePictureFigure(const QString& fileName, TChildBase* owner);

// The message of a picture that cannot be loaded: the "IDS_CANNOTREADPICT"
// text, with the reason where the picture object gave one.
QString PictureLoadMessage(const std::exception& error);
// The one message after a load that kept pictures it could not read: which
// ones, why, and that they are kept; empty when there are none.
QString UnreadablePicturesMessage(const std::vector<TUnreadablePicture>& pictures, const QString& fileName);

// ---- the picture part of the records of both picture figures

// Tagged Integer kind, Longint n, then a Stream of the n bytes of picture
// (written from its start).
void WritePictureRecord(TEtikettFiler& filer, int32_t kind, TMemoryStream& picture);
// Reads what WritePictureRecord wrote; picture holds the n bytes, rewound.
// A length below 0, beyond the stream or beyond the largest picture refuses
// the record.
int32_t ReadPictureRecord(TEtikettFiler& filer, TMemoryStream& picture);
