#include "design/PvTabelle.h"

#include "design/PreviewContentStreams.h"
#include "document/EtikettFiler.h"
#include "foundation/Font.h"
#include "foundation/ScaleCanvas.h"

void TpvTrackTabelle::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    Font.Read(filer);
    Tracks.LoadFromStream(*filer.Stream);
}

void TpvTrackTabelle::Draw(TScaleCanvas& canvas) {
    ApplyPen(canvas);
    TFont font;
    Font.ApplyTo(font);
    canvas.AssignFont(font);
    FillTurnedBox(canvas);
    if (!HasArea()) return;
    Tracks.DrawTable(canvas, static_cast<float>(Base.CenterX), static_cast<float>(Base.CenterY), static_cast<float>(Base.Width),
                     static_cast<float>(Base.Height), static_cast<float>(Base.Angle));
}

void TpvRTFTabelle::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    SkipRichTextTable(*filer.Stream);
}
