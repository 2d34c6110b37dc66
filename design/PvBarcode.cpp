#include "design/PvBarcode.h"

#include "content/barcode/ZRBarcode.h"
#include "figures/Barcode.h"
#include "figures/Figure.h"
#include "foundation/ScaleCanvas.h"

#include <cmath>

void TpvBarcode::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    Barcode.Read(filer);
}

void TpvBarcode::Draw(TScaleCanvas& canvas) {
    if (!HasArea()) return;
    TZRBarcode barcode;
    ApplyBarcodeRecord(barcode, Barcode);
    barcode.SetCenterX(SingleOf(Base.CenterX));
    barcode.SetCenterY(SingleOf(Base.CenterY));
    barcode.SetWidth(SingleOf(Base.Width));
    barcode.SetHeight(SingleOf(Base.Height));
    barcode.SetAngle(static_cast<float>(std::fmod(Base.Angle, 360.0)));
    barcode.Draw(canvas);
}
