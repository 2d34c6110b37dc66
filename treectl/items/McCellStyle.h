#pragma once
// How one cell of a tree item is drawn when the item uses cell styles: its
// colours, text flags, value type, drawing style and font. Every item owns
// one for its main column and may own one per further column.

#include "platform/gdi/DrawText.h"
#include "platform/gdi/GdiTypes.h"
#include "treectl/support/McTypes.h"

#include <string>

namespace gdi {
class Bitmap;
}
class TMcTreeItem;

class TMcCellStyle {
public:
    static constexpr uint32_t kDefaultTextFlags =
        gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX | gdi::DT_END_ELLIPSIS;

    explicit TMcCellStyle(TMcTreeItem* owner) : OwnerItem(owner) {}

    // Copies everything but Tag and OwnerItem; nil changes nothing.
    void Assign(const TMcCellStyle* source);

    int32_t Tag = 0;
    TMcTreeItem* OwnerItem = nullptr;
    gdi::Color CellColor = 0;
    gdi::Color TextBackColor = 0;
    gdi::Color FontColor = 0;
    uint32_t DrawTextFlags = kDefaultTextFlags;
    const gdi::Bitmap* Picture = nullptr;  // not owned
    TFieldTypes CellKind = TFieldTypes::sftText;
    TMcSectionStyle DrawStyle = TMcSectionStyle::MchsText;
    bool UseParentProps = false;  // colours and font come from the tree and the item
    int32_t FontSize = 0;
    uint8_t FontStyles = 0;  // fsBold, fsItalic, fsUnderline, fsStrikeOut
    std::string FontName;
    bool FillTextBack = false;
};
