#pragma once
// The pictures in the preview: the older picture figure (a bitmap file or a
// metafile, stretched into its box without turning) and the picture figure
// (a raster picture or a metafile, turned by the figure's angle). A picture
// that does not decode draws nothing; the reading goes on behind it.

#include "document/design/PvFigure.h"
#include "foundation/Stream.h"

class TpvBild : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    uint8_t PictureKind = 1;
    TMemoryStream Picture;
};

class TpvBild32 : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    uint8_t PictureKind = 1;
    TMemoryStream Picture;
};
