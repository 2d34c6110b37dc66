#pragma once
// The rich texts in the preview: the framed text box, the text along a
// circle and the counter field. The preview draws a text box's frame when it
// has a fill or a pen; the rich text itself is not drawn yet (the program has
// no rich-text drawer so far), and the texts along a circle draw nothing.

#include "design/PvFigure.h"
#include "figures/ContentFigureRecords.h"

// The frame (rectangle, cut corners or round corners) filled and drawn with
// the pen when the box has a fill or a pen.
class TpvRTFText : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    TRTFTextRecord Text;
};

class TpvRotateRTFText : public TpvRTFText {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override {}

    TCircleTextRecord Circle;
};

// Drawn as its rich-text box; the counter settings are read and dropped.
class TpvZaehlerfeld : public TpvRTFText {
public:
    void Read(TEtikettFiler& filer, int depth) override;
};
