#include "design/PvFigureGroup.h"

#include "document/EtikettFiler.h"
#include "figures/FigureGroup.h"
#include "figures/FigureKinds.h"

void TpvFigureGroup::Read(TEtikettFiler& filer, int depth) {
    if (depth >= kMaxGroupDepth) RaiseRecordError(filer);
    TpvRechteck::Read(filer, depth);
    Head.Read(filer);
    for (int32_t i = 0; i < Head.Count; ++i) {
        const uint8_t code = filer.ReadRawByte();
        if (code == ecEnd) break;
        std::unique_ptr<TpvFigure> member = PreviewFigureForCode(code);
        if (member) member->Read(filer, depth + 1);
        Members.push_back(std::move(member));
    }
}

void TpvFigureGroup::Draw(TScaleCanvas& canvas) {
    for (const std::unique_ptr<TpvFigure>& member : Members)
        if (member) member->Draw(canvas);
}
