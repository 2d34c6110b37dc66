#include "foundation/MMCalcScaleCanvas.h"

#include "foundation/BmpScaleCanvas.h"

#include <memory>

TScaleCanvas& GetMMCalcScaleCanvas() {
    static const std::unique_ptr<TBmpScaleCanvas> canvas = [] {
        auto c = std::make_unique<TBmpScaleCanvas>();
        c->SetSize(1, 1);
        c->Reset(kResetScreen);
        c->SetZoom(2540.0f / c->Canvas().Caps().logPixelsY);
        return c;
    }();
    return *canvas;
}
