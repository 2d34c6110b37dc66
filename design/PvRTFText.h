#pragma once
// The rich texts in the preview: the framed text box, the text along a
// circle and the counter field, drawn by the label text drawers of the
// figures (figures/RTFDrawer.h, figures/RTFEllipseDrawer.h) as on the page.

#include "design/PvFigure.h"
#include "figures/ContentFigureRecords.h"

// The frame (rectangle, cut corners or round corners) filled and drawn with
// the pen when the box has a fill or a pen; then the text in the box within
// its inner margins, aligned and turned as the record says.
class TpvRTFText : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    TRTFTextRecord Text;

private:
    void DrawFrame(TScaleCanvas& canvas);
    void DrawText(TScaleCanvas& canvas);
};

// The text along the circle of half the box's width about its centre, at the
// top or the bottom, aligned and spaced as the record says; no frame.
class TpvRotateRTFText : public TpvRTFText {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    TCircleTextRecord Circle;
};

// Drawn as its rich-text box; the counter settings are read and dropped.
class TpvZaehlerfeld : public TpvRTFText {
public:
    void Read(TEtikettFiler& filer, int depth) override;
};
