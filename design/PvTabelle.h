#pragma once
// The track list and the rich-text table in the preview. The track list
// draws its table as the figure does; the rich-text table shows its turned
// box filled with the fill, no outline, its table read and not drawn yet
// (the program has no table object so far).

#include "design/PvFigure.h"
#include "cd/lookup/TrackTabelleData.h"
#include "figures/FigureRecords.h"

class TpvTrackTabelle : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    TFontRecord Font;
    TZRTrackTabelleData Tracks;
};

class TpvRTFTabelle : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override { FillTurnedBox(canvas); }
};
