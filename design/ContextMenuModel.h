#pragma once
// What the document window's context menu offers for the current design:
// which entries it shows and enables, which rings its ring submenus list and
// which fields "Feldtyp wechseln" lists. The window builds its menu from this
// each time it opens one (TEinzelEtikett::ContextClick and ContextKey give
// the mode and the point), pops it up and then switches the main window to
// the select tool.
//
// Mode 0: a click on empty space; only the zoom submenu is offered. Modes 1
// (a figure that the click selected) and 2 (the selection was clicked): the
// entries that the selection can use.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TEinzelEtikett;
class TEtikett;

// The entries, named after their German captions.
enum class TContextEntry : uint8_t {
    SizeAndPosition,         // "Größe und Position..."
    PenWidth,                // "Stiftdicke..."
    PenColor,                // "Stiftfarbe..."
    Fill,                    // "Füllung..."
    Text,                    // "Text..."
    Font,                    // "Font..."
    TextAlignment,           // "Ausrichtung..."
    Properties,              // "Eigenschaften..."
    Field,                   // "Feld..."
    FieldType,               // "Feldtyp wechseln" (submenu, one entry per field)
    SeparatorBeforeRotation,
    RotateClockwise,         // "90° im Uhrzeigersinn drehen"
    RotateCounterClockwise,  // "90° gegen Uhrzeigersinn drehen"
    Rotate180,               // "180° drehen"
    SeparatorAfterRotation,
    GridColor,               // "Gitterfarbe..."
    FilterBrightness,        // "Helligkeit, Kontrast, Intensität, Gamma..."
    FilterHueSaturation,     // "Farbton, Sättigung, Helligkeit..."
    FilterBlackWhite,        // "Schwarz-Weiß, Kolorieren..."
    SeparatorBeforeRings,
    CenterOnRing,            // "Zentrieren auf" (submenu of rings)
    CopyToRing,              // "Auswahl kopieren auf" (submenu of rings)
    MoveToRing,              // "Auswahl verschieben auf" (submenu of rings)
    CenterOnLabel,           // "Zentrieren"
    SeparatorBeforeZoom,
    Zoom,                    // "Zoom" (submenu)
    Count
};

struct TContextMenuModel {
    static constexpr size_t kEntryCount = static_cast<size_t>(TContextEntry::Count);

    int32_t Mode = 0;
    std::array<bool, kEntryCount> Visible{};
    std::array<bool, kEntryCount> Enabled{};
    // The entries "Ring oben", "Ring mitte", "Ring unten" (index ring - 1)
    // of the three ring submenus. Choosing one calls SetSelectionCenter with
    // RingCenter, CopySelectionToRing or MoveSelectionToRing with the ring.
    std::array<bool, 3> CenterRings{};
    std::array<bool, 3> CopyRings{};
    std::array<bool, 3> MoveRings{};
    // The entries of "Feldtyp wechseln": choosing entry i calls
    // TEinzelEtikett::FieldTypeMenuClick(i).
    std::vector<std::string> FieldTypes;

    bool IsVisible(TContextEntry e) const { return Visible[static_cast<size_t>(e)]; }
    bool IsEnabled(TContextEntry e) const { return Enabled[static_cast<size_t>(e)]; }
};

// The context menu for the design's selection on the sheet in the mode.
TContextMenuModel BuildContextMenuModel(TEinzelEtikett& design, const TEtikett& sheet, int32_t mode);
