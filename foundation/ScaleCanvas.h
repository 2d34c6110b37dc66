#pragma once
// Drawing in millimetres on any device canvas: the screen view, an off-screen
// bitmap, a metafile, the printer or the measuring canvas. Coordinates go
// through the scaler's conversions; the canvas keeps its own font (FontMM),
// held as if drawn at zoom 1 on the screen, and rebuilds the device font from
// it at every change of the font or the scaling.

#include "foundation/Font.h"
#include "foundation/Scaler.h"
#include "platform/gdi/Canvas.h"

#include <span>
#include <string>
#include <vector>

class TScaleCanvas : public TScaler {
public:
    // The canvas is not owned. Until the owner calls Reset, one device unit is one millimetre.
    explicit TScaleCanvas(gdi::Canvas* canvas);
    ~TScaleCanvas() override = default;

    void Recalculate() override;
    void Reset(int32_t kind) override;
    // False on metafiles and printers.
    virtual bool IsScreen() const;

    // ---- drawing in millimetres
    void MoveTo(float x, float y);
    void LineTo(float x, float y);
    void Line(float x1, float y1, float x2, float y2);
    void Rectangle(float l, float t, float r, float b);  // a closed polygon of five points
    void RotatedRectangle(float l, float t, float r, float b, float angle);
    void FillRect(float l, float t, float r, float b);
    void Ellipse(float l, float t, float r, float b);
    void EllipseBezier(float l, float t, float r, float b);
    void PolygonMM(std::span<const TFloatPoint> points);
    // The text is 8-bit (Windows-1252); nothing is drawn while TextSuppressed.
    void TextOut(const std::string& text, float x, float y);
    float TextWidthMM(const std::string& text);
    float TextHeightMM(const std::string& text);
    void SetPenWidthMM(float w);
    gdi::Pen& Pen() { return canvas_->pen(); }
    gdi::Brush& Brush() { return canvas_->brush(); }
    // The smallest rectangle around what may be drawn, in device units.
    TRect GetClipRect() const;
    TPoint MMPointToPixel(float x, float y) const;
    bool PtInRegionLP(const gdi::Region& region, int32_t x, int32_t y) const;

    // ---- fonts
    // FontMM after taking back what was changed on the device font directly.
    TFont& Font();
    void AssignFont(const TFont& font);
    // Turns the text clockwise by angle degrees; set it last before drawing text.
    void SetFontAngle(float angle);

    gdi::Canvas& Canvas() const { return *canvas_; }

    bool TextSuppressed = false;
    TRect VisibleRect{-32000, -32000, 32000, 32000};
    int32_t FontPixelsPerInch = 0;

protected:
    void FontChanged();

private:
    bool PrintingOnPrinter() const;
    gdi::Canvas* PrinterMappingTarget() const;
    gdi::Canvas* canvas_;
    TFont fontMM_;
    int32_t devicePixelsPerInch_ = 96;
};

// A zone of the sheet that figures are clipped to (device pixels): a figure
// belongs to the first zone whose Area holds its centre and paints only into
// that zone's Clip. The two differ where the zone has a hole: a picture
// centred on a disc belongs to the disc, yet nothing of it lands in the
// disc's centre hole.
struct TClipZone {
    gdi::Region Clip;
    gdi::Region Area;
};

// A zone whose area is all of its clip.
inline TClipZone WholeZone(const gdi::Region& region) { return {region, region}; }

// A scale canvas that owns the clip zones of the labels it prints.
class TRegionScaleCanvas : public TScaleCanvas {
public:
    explicit TRegionScaleCanvas(gdi::Canvas* canvas) : TScaleCanvas(canvas) {}
    void ClearRegions() { Regions.clear(); }

    std::vector<TClipZone> Regions;
    bool RotatedSheet = false;
};

// Corners turned about (cx, cy) by angle degrees, drawn as one closed polygon.
void DrawRotatedRect(TScaleCanvas& canvas, float l, float t, float r, float b, float cx, float cy, float angle);
// An ellipse as one closed cubic Bezier of thirteen points (device units).
void DrawBezierEllipse(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t w, int32_t h);
