#pragma once
// The picture of a raster picture figure: one DIB and, when it came from a
// file, a private copy of that file whose bytes go into documents. It draws
// itself into a rectangle in millimetres turned by any whole number of
// degrees, clipped, either pixel by pixel into the 32-bit bitmap of a
// TBmpScaleCanvas (screen and previews) or onto any other device (printer,
// metafile) row by row at no more than 360 dpi, or with one blit of a
// pre-turned picture at quarter turns. A picture whose alpha channel is not
// uniform is a mask: only fully opaque pixels are painted and hit. On a
// printer without colour it is painted grey. A 24-bit picture (every JPEG)
// is read from its own rows and stays 24-bit; fewer bits are made 32-bit.
// A picture of more pixels than a screen shows is read smaller, and read
// again from its file at the size a printer needs.
//
// Stream form: a signed 32-bit length n, the extension (n 8-bit characters
// with its dot, ".jpg"), then the bytes of the picture file up to the end of
// the stream. Without a kept file the extension is ".png" and the bytes are
// the DIB as PNG. An empty picture writes nothing.

#include "foundation/PointHelpers.h"
#include "foundation/Stream.h"
#include "platform/imaging/Dib.h"

#include <QtCore/QString>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class TScaleCanvas;
class TBmpScaleCanvas;
class TTransformation;

// Whether the printer prints colour. The printing layer installs its own
// answer; until then the current printer's colour depth decides.
using TPrinterColorQuery = bool (*)();
void SetPrinterColorQuery(TPrinterColorQuery query);
bool PrinterPrintsColor();

class TQDXRotate90DIB {
public:
    static constexpr uint8_t kModeOpaque = 0;
    static constexpr uint8_t kModeAlphaMask = 1;

    TQDXRotate90DIB();
    ~TQDXRotate90DIB();
    TQDXRotate90DIB(const TQDXRotate90DIB&) = delete;
    TQDXRotate90DIB& operator=(const TQDXRotate90DIB&) = delete;

    // Frees the DIB, closes and deletes the kept file.
    void Clear();
    // A copy of the source's DIB and mode; no kept file, so it saves as PNG.
    void Assign(const TQDXRotate90DIB& source);
    // Raises Exception ("IDS_CANNOTREADPICT" and the reason) when the file
    // cannot be read; the object is then empty.
    void LoadFromFile(const QString& fileName);
    // Reads the stream form from the position to the end. A length or
    // extension that is not a dot and up to eight letters or digits, and
    // bytes that do not decode, raise Exception.
    void LoadFromStream(TStream& stream);
    // Appends the stream form. Raises Exception when the PNG form cannot be
    // made, so that a document is never saved with a picture missing.
    void SaveToStream(TStream& stream);

    // The picture's own size in pixels (0 without a picture).
    int32_t Width() const;
    int32_t Height() const;
    // The pixels as read: a picture of more than WorkingPixelLimit() pixels
    // is read smaller (JPEG by the codec's reduced decoding, PNG by averaging
    // blocks while it is read), enough for the screen; a device that needs
    // more reads the kept file again at the size it needs.
    const imaging::Dib* DIB() const { return dib_.get(); }
    bool IsReduced() const;
    static int64_t WorkingPixelLimit();
    static void SetWorkingPixelLimit(int64_t pixels);
    uint8_t Mode() const { return mode_; }
    const QString& Extension() const { return extension_; }
    const QString& TempName() const { return tempName_; }
    bool HasKeptFile() const { return keptFile_ != nullptr; }

    // Takes ownership; the alpha mode follows the DIB's alpha channel.
    void SetDIB(imaging::DibHandle handle);
    // As SetDIB, and keeps the named file (deleted with the object).
    void SetDIBWithFile(imaging::DibHandle handle, const QString& fileName);

    // Centred on (cx, cy), w x h millimetres before turning by angle degrees
    // (growing angles turn from the x axis towards the y axis of the device).
    void DrawTo(TScaleCanvas& canvas, int32_t angle, float cx, float cy, float w, float h);
    // p in picture pixels (y from the top row): true without a DIB, false
    // outside it, in mask mode true only for fully opaque pixels.
    bool HitTestPixel(TPoint p);

private:
    struct Geometry;
    void LoadFromBytes(std::span<const uint8_t> bytes, const QString& extension);
    void KeepCopy(std::span<const uint8_t> bytes);
    // The picture file's bytes: the kept file's, else those kept in memory.
    std::vector<uint8_t> SourceBytes() const;
    void TakeWholeSize();
    void DetectAlphaMode();
    void RefreshHeader();
    static bool MakeTransformation(const imaging::Dib& source, TScaleCanvas& canvas, Geometry& g, int32_t angle,
                                   float cx, float cy, float w, float h);
    void DrawToBitmap(TBmpScaleCanvas& canvas, const Geometry& g, bool masked);
    void DrawToDevice(TScaleCanvas& canvas, int32_t angle, float cx, float cy, float w, float h);
    const imaging::Dib& DeviceSource(int32_t needWidth, int32_t needHeight);
    void DrawRowsToDevice(const imaging::Dib& source, TScaleCanvas& canvas, int32_t angle, float cx, float cy,
                          float w, float h, bool masked, bool gray, int32_t k);
    void DrawQuarterTurn(const imaging::Dib& source, TScaleCanvas& canvas, int32_t angle, float cx, float cy, float w,
                         float h, bool gray, int32_t k);

    uint8_t mode_ = kModeOpaque;
    imaging::BitmapInfoHeader header_;
    imaging::DibHandle dib_;
    int32_t fullWidth_ = 0, fullHeight_ = 0;  // the picture's own size
    imaging::DibHandle deviceDib_;            // a larger reading for a device
    std::vector<uint8_t> keptBytes_;          // a reduced picture's file when no copy could be made
    QString tempName_;
    std::unique_ptr<TFileStream> keptFile_;
    QString extension_;
};

// Writes the DIB as a picture file in the format its extension names; false
// when it could not be written.
bool ExportDIBToFile(const imaging::Dib& dib, const QString& fileName);

// The stored extension is a dot and one to eight letters or digits (or empty).
bool IsValidPictureExtension(const QString& extension);
