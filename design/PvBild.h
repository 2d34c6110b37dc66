#pragma once
// The pictures in the preview: the older picture figure (a bitmap file or a
// metafile, stretched into its box without turning) and the picture figure
// (a raster picture or a metafile, turned by the figure's angle). A picture
// that does not decode draws nothing; the reading goes on behind it.

#include "design/PvFigure.h"
#include "foundation/Stream.h"

// The picture record both picture figures store behind their rectangle.
class TpvPicture : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;

    uint8_t PictureKind = 1;
    TMemoryStream Picture;
};

class TpvBild : public TpvPicture {
public:
    void Draw(TScaleCanvas& canvas) override;
};

class TpvBild32 : public TpvPicture {
public:
    void Draw(TScaleCanvas& canvas) override;
};
