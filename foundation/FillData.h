#pragma once
// The fill of a closed figure: none, a plain colour, a gradient or a bitmap
// pattern, with its own stream format (version 101), and the drawing of a
// fill into a polygon, a set of polygons or a region in device units. Fills
// never draw an outline.
//
// On the screen and on bitmaps a gradient is rendered once into a small
// cached bitmap (512 pixels on the longer side for linear gradients, 256
// for the others, one band per two pixels) and stretched onto the shape;
// the cache is rebuilt when the fill or the target's proportions change.
// On the printer the gradient is rendered for the job at up to 1000 pixels
// per side with one band per pixel. With UseScanlines, printers and
// metafiles receive only the pixels inside the shape, one strip per
// rectangle of its region.

#include "foundation/Gradient.h"
#include "foundation/GradientPalette.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/Canvas.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class TStream;

// Sends gradient and pattern fills to printers and metafiles band by band;
// set by the print dialogs.
extern bool UseScanlines;

constexpr uint8_t fkNone = 0;
constexpr uint8_t fkColor = 1;
constexpr uint8_t fkGradient = 2;
constexpr uint8_t fkPattern = 3;

constexpr int32_t kFillStreamVersion = 101;

class TFillData {
public:
    TFillData();
    ~TFillData();
    TFillData(const TFillData&) = delete;
    TFillData& operator=(const TFillData&) = delete;

    // True until the cached gradient rendering matches the fill.
    bool Changed = true;

    uint8_t Kind() const { return kind_; }
    // Kinds 0 and 1 drop the pattern (it becomes a 1 x 1 placeholder).
    void SetKind(uint8_t kind);
    gdi::Color Color() const { return color_; }
    void SetColor(gdi::Color color);
    // A TGradienttyp value; others are kept as they are and draw nothing.
    uint8_t GradientType() const { return gradientType_; }
    void SetGradientType(uint8_t type);
    void SetGradientType(TGradienttyp type) { SetGradientType(static_cast<uint8_t>(type)); }
    TGradientpalette& Palette() { return *palette_; }
    const TGradientpalette& Palette() const { return *palette_; }
    void SetPalette(const TGradientpalette& palette);
    float AbstandX() const { return abstandX_; }
    float AbstandY() const { return abstandY_; }
    float Winkel() const { return winkel_; }
    float Randabstand() const { return randabstand_; }
    void SetAbstandX(float v);
    void SetAbstandY(float v);
    // Brought into [0, 360].
    void SetWinkel(float angle);
    void SetRandabstand(float v);
    // Pattern fills: 0 stretches the pattern over the shape, 1 tiles it.
    uint8_t PatternMode() const { return patternMode_; }
    void SetPatternMode(uint8_t mode) { patternMode_ = mode; }
    // The pattern of kind 3.
    const gdi::Bitmap& Bitmap() const { return pattern_; }
    void SetBitmap(const gdi::Bitmap& pattern);

    void Assign(const TFillData& other);

    void SaveToStream(TStream& stream) const;
    // Reads the whole fill before changing anything: a damaged stream raises
    // EReadError and leaves the fill as it was. Stop counts and the pattern
    // block are checked against the bytes that remain; a ramp size outside
    // 1..256 or a pattern that is no bitmap file is refused.
    void LoadFromStream(TStream& stream);

    // Shapes in logical units of the canvas.
    void FillPolygon(gdi::Canvas& canvas, std::span<const gdi::Point> points);
    // Alternate filling; nothing without polygons or with counts that do not fit.
    void FillPolyPolygon(gdi::Canvas& canvas, std::span<const gdi::Point> points, std::span<const int32_t> counts);
    // A region in device units (a metafile canvas's shape).
    void FillRegionMetafile(gdi::Canvas& canvas, const gdi::Region& region);
    // One flat colour derived from the fill, for the side faces of solid shapes.
    void FillPolygonDarkShade(gdi::Canvas& canvas, std::span<const gdi::Point> points);
    void FillPolygonMediumShade(gdi::Canvas& canvas, std::span<const gdi::Point> points);
    gdi::Color ShadeColor(double saturationLimit, double luminance) const;

    // The gradient over r (logical units), without clipping.
    void DrawGradient(gdi::Canvas& canvas, const gdi::Rect& r);
    // The gradient or pattern into the pixels of a device region only.
    void DrawBanded(gdi::Canvas& canvas, const gdi::Region& region);

    // The gradient of this fill painted into r of any canvas with the given
    // band step (the renderers of Gradient.h with the fill's parameters).
    void RenderGradient(gdi::Canvas& canvas, const gdi::Rect& r, int32_t step);

private:
    bool Drawable() const;
    void FillArea(gdi::Canvas& canvas, const gdi::Region& deviceRegion, const gdi::Rect& bounds);
    void DrawPattern(gdi::Canvas& canvas, const gdi::Rect& r);
    // The fill rendered as one bitmap of at most maxSide pixels per side for
    // a box of the given size.
    gdi::Bitmap SourceBitmap(int32_t boxWidth, int32_t boxHeight, int32_t maxSide);
    void PaletteChanged() { Changed = true; }

    uint8_t kind_ = fkNone;
    gdi::Color color_ = gdi::Rgb(0, 0, 255);
    uint8_t gradientType_ = 0;
    std::unique_ptr<TGradientpalette> palette_;
    float abstandX_ = 0;
    float abstandY_ = 0;
    float winkel_ = 0;
    float randabstand_ = 0;
    uint8_t patternMode_ = 0;
    gdi::Bitmap pattern_;
    // The pattern as its bitmap file, written back unchanged.
    std::vector<uint8_t> patternFile_;
    std::unique_ptr<gdi::BitmapCanvas> cache_;
};

// A 24-bit copy of the bitmap stretched onto r (logical units) with SRCCOPY.
void DrawBitmapViaDIB(gdi::Canvas& canvas, const gdi::Bitmap& bitmap, const gdi::Rect& r);
// The bitmap stretched over box (device units), drawn only into the pixels
// of the region (device units, within box), one strip per rectangle of the
// region.
void DrawBitmapInRegion(gdi::Canvas& canvas, const gdi::Bitmap& bitmap, const gdi::Region& region,
                        const gdi::Rect& box);

// Bitmap files (file header, information header, pixels), for pattern
// blocks: writing makes a 24-bit file (nothing for an empty bitmap); reading
// refuses anything that is not a bitmap file whose pixels fit its size
// (EReadError).
std::vector<uint8_t> EncodeBitmapFile(const gdi::Bitmap& bitmap);
gdi::Bitmap DecodeBitmapFile(const std::vector<uint8_t>& file);
