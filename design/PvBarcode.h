#pragma once
// A barcode in the preview, drawn by the barcode object with the stored
// symbology, texts and options into the figure's box, turned by its angle.

#include "design/PvFigure.h"
#include "figures/ContentFigureRecords.h"

class TpvBarcode : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    TBarcodeRecord Barcode;
};
