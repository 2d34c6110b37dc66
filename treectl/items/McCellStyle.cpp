#include "treectl/items/McCellStyle.h"

void TMcCellStyle::Assign(const TMcCellStyle* source) {
    if (!source || source == this) return;
    FillTextBack = source->FillTextBack;
    CellColor = source->CellColor;
    TextBackColor = source->TextBackColor;
    FontColor = source->FontColor;
    DrawTextFlags = source->DrawTextFlags;
    Picture = source->Picture;
    CellKind = source->CellKind;
    DrawStyle = source->DrawStyle;
    UseParentProps = source->UseParentProps;
    FontSize = source->FontSize;
    FontStyles = source->FontStyles;
    FontName = source->FontName;
}
