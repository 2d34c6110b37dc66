#pragma once
// A group in the preview: its members, read with the same element codes as
// the design's figures, drawn in list order without fill or frame of the
// group's own. A member code without a preview figure leaves an empty place
// (nothing further is read for it); code 0 ends the member list early.

#include "design/PvFigure.h"

#include <memory>
#include <vector>

class TpvFigureGroup : public TpvRechteck {
public:
    // Groups nested deeper than kMaxGroupDepth refuse the record.
    void Read(TEtikettFiler& filer, int depth) override;
    void Draw(TScaleCanvas& canvas) override;

    TGroupRecordHead Head;
    std::vector<std::unique_ptr<TpvFigure>> Members;  // empty places stay null
};
