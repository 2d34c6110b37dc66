#include "design/ContextMenuModel.h"

#include "design/EinzelEtikett.h"
#include "design/RingLabels.h"
#include "document/Etikett.h"
#include "figures/Figure.h"

#include <initializer_list>

namespace {

using E = TContextEntry;

void Show(TContextMenuModel& menu, std::initializer_list<E> entries, bool visible) {
    for (E e : entries) menu.Visible[static_cast<size_t>(e)] = visible;
}

// Ring entries: the rings the article has; the copy and move submenus leave
// out the ring the selection is on.
void SetRingEntries(TContextMenuModel& menu, TEinzelEtikett& design, const TEtikett& sheet) {
    const int32_t current = design.SelectionRing();
    for (int32_t ring = kRingTop; ring <= kRingBottom; ++ring) {
        const size_t i = static_cast<size_t>(ring - 1);
        const bool exists = RingCenter(sheet, ring).has_value();
        menu.CenterRings[i] = exists;
        menu.CopyRings[i] = menu.MoveRings[i] = exists && ring != current;
    }
}

void SetSelectionEntries(TContextMenuModel& menu, TEinzelEtikett& design, const TEtikett& sheet) {
    const bool one = design.SelectedCount() == 1;
    Show(menu, {E::SizeAndPosition, E::RotateClockwise, E::RotateCounterClockwise, E::Rotate180}, one);
    Show(menu, {E::PenWidth, E::PenColor}, design.CanSetPen());
    Show(menu, {E::Fill}, design.CanFill());
    Show(menu, {E::Text}, one && design.CanEditText());
    Show(menu, {E::Font}, design.CanSetFont());
    Show(menu, {E::TextAlignment}, design.CanAlignText());
    Show(menu, {E::Properties}, design.CanEditProperties());
    Show(menu, {E::FilterBrightness, E::FilterHueSaturation, E::FilterBlackWhite}, design.CanFilterPicture());
    const bool field = one && design.GetSelected(0)->Kind == TFigureKind::FieldText;
    Show(menu, {E::Field, E::FieldType}, field);
    if (field) menu.FieldTypes = design.FieldList.Names;
    const bool rings = RingCount(sheet) > 0;
    Show(menu, {E::CenterOnRing, E::CopyToRing, E::MoveToRing}, rings);
    if (rings) SetRingEntries(menu, design, sheet);
    Show(menu, {E::CenterOnLabel}, OffersLabelCentering(sheet));
    Show(menu, {E::SeparatorBeforeRings}, false);
}

}  // namespace

TContextMenuModel BuildContextMenuModel(TEinzelEtikett& design, const TEtikett& sheet, int32_t mode) {
    TContextMenuModel menu;
    menu.Mode = mode;
    menu.Visible.fill(true);
    Show(menu, {E::GridColor, E::CenterOnLabel, E::FilterBrightness, E::FilterHueSaturation, E::FilterBlackWhite},
         false);
    if (mode == 0) {
        Show(menu,
             {E::SizeAndPosition, E::PenWidth, E::PenColor, E::Fill, E::Text, E::Font, E::TextAlignment,
              E::Properties, E::Field, E::FieldType, E::RotateClockwise, E::RotateCounterClockwise, E::Rotate180,
              E::CenterOnRing, E::CopyToRing, E::MoveToRing, E::SeparatorBeforeRotation, E::SeparatorAfterRotation,
              E::SeparatorBeforeRings},
             false);
    } else {
        SetSelectionEntries(menu, design, sheet);
    }
    menu.Enabled = menu.Visible;
    // A field-type submenu without fields has nothing to choose.
    if (menu.FieldTypes.empty()) menu.Enabled[static_cast<size_t>(E::FieldType)] = false;
    return menu;
}
