#pragma once
// Export targets of the selected figures: a metafile (the "export.wmf" file,
// the clipboard picture) or a bitmap (the clipboard bitmap). Each owns a
// scale canvas at screen resolution on the target's canvas, so figures draw
// themselves onto it with their ordinary millimetre drawing.
//
// Use: create the export canvas; take the device bounding rectangle B of the
// figures on ScaleCanvas(); SetSize(B width + 1, B height + 1) for the
// metafile, (B width + 2, B height + 2) for the bitmap (ExportSizeFor);
// SetPhysicalOffsetX/Y(B.left, B.top) on ScaleCanvas(), so that B's top-left
// becomes the device origin (PlaceExtent does both); let the figures draw;
// destroy the export canvas (the metafile or bitmap stays with the caller).

#include "foundation/ScaleCanvas.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/Metafile.h"

#include <QtCore/QString>

#include <cstdint>
#include <memory>

// The colour of the label face in the design view and the label-sheet
// drawing.
extern gdi::Color LabelFaceColor;

class TExportCanvas {
public:
    virtual ~TExportCanvas();
    TExportCanvas(const TExportCanvas&) = delete;
    TExportCanvas& operator=(const TExportCanvas&) = delete;

    // The canvas the scale canvas draws on; none in the base.
    virtual gdi::Canvas* GetCanvas() { return nullptr; }
    // Raises EFCreateError when the file cannot be written.
    virtual void SaveToFile(const QString& fileName) = 0;
    virtual void SetSize(int32_t width, int32_t height) = 0;
    // The target size for figures whose device bounding box is width x height.
    virtual gdi::Size ExportSizeFor(int32_t width, int32_t height) const = 0;

    // Sizes the target for figures whose device bounding box on ScaleCanvas()
    // is extent, and makes the extent's top-left the device origin.
    void PlaceExtent(const gdi::Rect& extent);

    TScaleCanvas& ScaleCanvas() { return *scaleCanvas_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

protected:
    TExportCanvas() = default;
    // A scale canvas on GetCanvas() at screen resolution.
    void CreateScaleCanvas();
    void RememberSize(int32_t width, int32_t height);

private:
    std::unique_ptr<TScaleCanvas> scaleCanvas_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

// Records into the caller's metafile; the picture is complete when the
// export canvas is destroyed or saved.
class TExportWMFCanvas : public TExportCanvas {
public:
    explicit TExportWMFCanvas(gdi::Metafile& metafile);
    ~TExportWMFCanvas() override;

    gdi::Canvas* GetCanvas() override { return metafileCanvas_.get(); }
    // Completes the picture and writes it (a placeable WMF unless the
    // metafile is set to EMF). Drawing goes on afterwards: it is added to the
    // picture, which keeps what it had.
    void SaveToFile(const QString& fileName) override;
    // The frame of the metafile; the recording's clip box grows to hold it.
    void SetSize(int32_t width, int32_t height) override;
    gdi::Size ExportSizeFor(int32_t width, int32_t height) const override { return {width + 1, height + 1}; }

    gdi::Metafile& Metafile() const { return *metafile_; }

private:
    gdi::Metafile* metafile_;
    std::unique_ptr<gdi::MetafileCanvas> metafileCanvas_;
};

// Paints into the caller's bitmap.
class TExportBMPCanvas : public TExportCanvas {
public:
    explicit TExportBMPCanvas(gdi::BitmapCanvas& bitmap);

    gdi::Canvas* GetCanvas() override { return bitmap_; }
    // Writes the bitmap as a BMP file.
    void SaveToFile(const QString& fileName) override;
    void SetSize(int32_t width, int32_t height) override;
    gdi::Size ExportSizeFor(int32_t width, int32_t height) const override { return {width + 2, height + 2}; }

    gdi::BitmapCanvas& Bitmap() const { return *bitmap_; }

private:
    gdi::BitmapCanvas* bitmap_;
};
