#pragma once
// The track list and the rich-text table in the preview: the turned box
// filled with the fill, no outline. The tables themselves are read and not
// drawn yet (the program has no track-table or table object so far).

#include "design/PvFigure.h"
#include "figures/FigureRecords.h"

class TpvTrackTabelle : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override { FillTurnedBox(canvas); }

    TFontRecord Font;
};

class TpvRTFTabelle : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override { FillTurnedBox(canvas); }
};
