#pragma once
// Auto-shapes, WordArt and symbol characters in the preview. An auto-shape
// is drawn through its shape object with its adjust handles; a class name
// the program does not know draws the plain rectangle, quietly. WordArt and
// symbol characters are read and not drawn yet (the program has no WordArt
// object and no contour renderer so far).

#include "design/PvFigure.h"
#include "figures/ContentFigureRecords.h"

class TpvAutoForm : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    TAutoFormRecord Shape;
};

class TpvWordart : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override {}
};

class TpvCharSymbol : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override {}
};
