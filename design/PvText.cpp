#include "design/PvText.h"

#include "figures/Figure.h"
#include "foundation/CircleText.h"
#include "foundation/ScaleCanvas.h"
#include "foundation/WrappedText.h"

#include <algorithm>

namespace {

// The flags of DrawWrappedTextRotated for the stored alignments.
uint8_t AlignmentFlags(int32_t horizontal, int32_t vertical) {
    static constexpr uint8_t kHorizontal[] = {wtLeft, wtCenter, wtRight, wtJustify};
    static constexpr uint8_t kVertical[] = {wtTop, wtVCenter, wtBottom};
    uint8_t flags = 0;
    if (horizontal >= 0 && horizontal < 4) flags |= kHorizontal[horizontal];
    if (vertical >= 0 && vertical < 3) flags |= kVertical[vertical];
    return flags;
}

}  // namespace

void TpvText::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    Text.Read(filer);
}

void TpvText::ApplyFont(TScaleCanvas& canvas) const {
    TFont font;
    Text.Font.ApplyTo(font);
    canvas.AssignFont(font);
}

void TpvText::Draw(TScaleCanvas& canvas) {
    if (!HasArea() || Text.Text.empty()) return;
    ApplyFont(canvas);
    gdi::Rect box = DeviceBox(canvas);
    box.right = gdi::Saturated(int64_t{box.right} + 2);
    TWrappedTextResult result;
    DrawWrappedTextRotated(canvas.Canvas(), DrawnText(), box, result, AlignmentFlags(Text.HAlign, Text.VAlign),
                           Base.Angle);
}

void TpvRotateText::Read(TEtikettFiler& filer, int depth) {
    TpvText::Read(filer, depth);
    Circle.Read(filer);
}

void TpvRotateText::Draw(TScaleCanvas& canvas) {
    if (!HasArea() || Text.Text.empty()) return;
    ApplyFont(canvas);
    const double side = std::min(Base.Width, Base.Height);
    const gdi::Rect square{DevX(canvas, Base.CenterX - side / 2), DevY(canvas, Base.CenterY - side / 2),
                           DevX(canvas, Base.CenterX + side / 2), DevY(canvas, Base.CenterY + side / 2)};
    TCircleTextGeometry geometry;
    DrawTextOnCircle(canvas.Canvas(), square, Circle.RotTextStyle, Base.Angle, DrawnText(), Circle.Kerning,
                     geometry);
}

void TpvFieldText::Read(TEtikettFiler& filer, int depth) {
    TpvText::Read(filer, depth);
    TFieldTextRecord field;
    field.Read(filer);
}
