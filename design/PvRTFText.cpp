#include "design/PvRTFText.h"

#include "figures/Linie.h"
#include "figures/RTFDrawer.h"
#include "figures/RTFEllipseDrawer.h"
#include "figures/TextFrame.h"
#include "foundation/ScaleCanvas.h"

#include <algorithm>

namespace {

// The record's alignments as the drawers take them (values out of their
// range count as the nearest one).
uint8_t HorizontalAlignment(int32_t value) { return static_cast<uint8_t>(std::clamp(value, 0, 3)); }
uint8_t VerticalAlignment(int32_t value) { return static_cast<uint8_t>(std::clamp(value, 0, 2)); }

}  // namespace

void TpvRTFText::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    Text.Read(filer);
}

void TpvRTFText::Draw(TScaleCanvas& canvas) {
    if (!HasArea()) return;
    DrawFrame(canvas);
    DrawText(canvas);
}

void TpvRTFText::DrawFrame(TScaleCanvas& canvas) {
    if (Fill.Kind() == fkNone && Line.PenStyle == kPenClear) return;
    const std::vector<TPoint> outline = TextFrameOutline(canvas, Base.CenterX, Base.CenterY, Base.Width, Base.Height,
                                                         Base.Angle, Text.FrameKind, Text.CornerSize);
    if (outline.size() >= 2) FillAndOutline(canvas, outline);
}

void TpvRTFText::DrawText(TScaleCanvas& canvas) {
    if (Text.RTF.empty()) return;
    TRTFDrawer drawer;
    drawer.SetRTF(Text.RTF);
    const double cx = Base.CenterX + (Margins.Left - Margins.Right) / 2;
    const double cy = Base.CenterY + (Margins.Top - Margins.Bottom) / 2;
    const double width = Base.Width - Margins.Left - Margins.Right;
    const double height = Base.Height - Margins.Top - Margins.Bottom;
    drawer.DrawInRect(canvas, HorizontalAlignment(Text.HAlign), static_cast<float>(cx), static_cast<float>(cy),
                      static_cast<float>(width), static_cast<float>(height), static_cast<float>(Base.Angle),
                      VerticalAlignment(Text.VAlign));
}

void TpvRotateRTFText::Read(TEtikettFiler& filer, int depth) {
    TpvRTFText::Read(filer, depth);
    Circle.Read(filer);
}

void TpvRotateRTFText::Draw(TScaleCanvas& canvas) {
    if (!HasArea() || Text.RTF.empty()) return;
    TRTFEllipseDrawer drawer;
    drawer.SetRTF(Text.RTF);
    TTextRing ring;
    drawer.DrawOnCircle(canvas, Circle.RotTextStyle == 0 ? kCircleTop : kCircleBottom,
                        static_cast<float>(Base.CenterX), static_cast<float>(Base.CenterY),
                        static_cast<float>(Base.Width / 2), static_cast<float>(Base.Angle),
                        static_cast<float>(Circle.Kerning), HorizontalAlignment(Text.HAlign), ring);
}

void TpvZaehlerfeld::Read(TEtikettFiler& filer, int depth) {
    TpvRTFText::Read(filer, depth);
    TZaehlerfeldRecord counter;
    counter.Read(filer);
}
