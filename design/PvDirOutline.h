#pragma once
// The directory listings in the preview. The older listing shows as its box
// in silver with the column lines, and a black bar for the first row when a
// folder is listed; the newer listing's tree data is read and not drawn yet.

#include "design/PvFigure.h"
#include "figures/ContentFigureRecords.h"

class TpvDirOutline : public TpvRechteck {
public:
    // More column lines than this are not drawn.
    static constexpr int32_t kMaxColumnLines = 4096;

    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    TFontRecord Font;
    int32_t Columns = 1;
    // The entries whose fifth flag is 2.
    int32_t CountedEntries = 0;
};

class TpvDirOutline2 : public TpvRechteck {
public:
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override {}

    TFontRecord Font;
};
