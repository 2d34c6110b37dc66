#include "design/PvRTFText.h"

#include "figures/Linie.h"
#include "figures/TextFrame.h"
#include "foundation/ScaleCanvas.h"

void TpvRTFText::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    Text.Read(filer);
}

void TpvRTFText::Draw(TScaleCanvas& canvas) {
    if (!HasArea()) return;
    if (Fill.Kind() == fkNone && Line.PenStyle == kPenClear) return;
    const std::vector<TPoint> outline = TextFrameOutline(canvas, Base.CenterX, Base.CenterY, Base.Width, Base.Height,
                                                         Base.Angle, Text.FrameKind, Text.CornerSize);
    if (outline.size() >= 2) FillAndOutline(canvas, outline);
}

void TpvRotateRTFText::Read(TEtikettFiler& filer, int depth) {
    TpvRTFText::Read(filer, depth);
    Circle.Read(filer);
}

void TpvZaehlerfeld::Read(TEtikettFiler& filer, int depth) {
    TpvRTFText::Read(filer, depth);
    TZaehlerfeldRecord counter;
    counter.Read(filer);
}
