#include "document/Stationery.h"

namespace {

using K = TSheetPartKind;

// The own brand's two-ring sheets: one A4 label with two discs, centred at the
// positions the ring-label commands use.
const TSheetPart kKroxaRingParts[] = {
    {K::Disc, 47, 16.5f, 116, 116, 41, 0},
    {K::Disc, 47, 164.5f, 116, 116, 41, 0},
};
const TSheetPart kWideRingParts[] = {
    {K::Disc, 46.5f, 21.5f, 117, 117, 41, 0},
    {K::Disc, 46.5f, 158.5f, 117, 117, 41, 0},
};

const TSpecialSheet kOwnBrandSheets[] = {
    {"KROXARING", 210, 297, false, kKroxaRingParts, 2},
    {"VEROZEVUZEZOVED", 210, 297, false, kWideRingParts, 2},
    {"ZOZODADEVUZOZAZAZI", 210, 297, false, kWideRingParts, 2},
};

// The star stickers' shapes are label frames of their own (see the guide
// outlines). The coloured ring sheets come before the white one whose search
// text they contain.
const TSpecialSheetRow kOwnBrandRows[] = {
    {"KROXARING GELB", "KROXARING", 0x00FFFF},
    {"KROXARING BLAU", "KROXARING", 0xFF0000},
    {"KROXARING ROT", "KROXARING", 0x0000FF},
    {"KROXARING GRUEN", "KROXARING", 0x008000},
    {"VEROZEVUZEZOVED GOLD", "VEROZEVUZEZOVED", 0x80D2F7},
    {"VEROZEVUZEZOVED SILBER", "VEROZEVUZEZOVED", 0xC0C0C0},
    {"ZOZODADEVUZOZAZAZI GOLD", "ZOZODADEVUZOZAZAZI", 0x80D2F7},
    {"ZOZODADEVUZOZAZAZI SILBER", "ZOZODADEVUZOZAZAZI", 0xC0C0C0},
    {"ZOZODADEVUZOZAZAZI", "ZOZODADEVUZOZAZAZI"},
    {"VEROZEVUZEZOVED", "VEROZEVUZEZOVED"},
    {"DIREZIREZAZ1", "DIREZIREZAZ1"},
    {"KROXASTERNE2", "KROXASTERNE2"},
    {"KROXASTERNE3", "KROXASTERNE3"},
    {"KROXARING", "KROXARING"},
};

}  // namespace

std::span<const TSpecialSheet> OwnBrandSpecialSheets() {
    return kOwnBrandSheets;
}

std::span<const TSpecialSheetRow> OwnBrandSearchRows() {
    return kOwnBrandRows;
}

const TSpecialSheet* FindSpecialSheet(std::string_view shapeKey) {
    for (const auto sheets : {GeneratedSpecialSheets(), OwnBrandSpecialSheets()})
        for (const TSpecialSheet& sheet : sheets)
            if (shapeKey == sheet.ShapeKey) return &sheet;
    return nullptr;
}

std::string StationeryArticleKey(const TStationeryProduct& product) {
    return std::string(product.Brand) + " " + product.Part;
}

const TStationeryProduct* FindStationeryProduct(std::string_view brand, std::string_view part) {
    for (const TStationeryProduct& product : StationeryProducts())
        if (brand == product.Brand && part == product.Part) return &product;
    return nullptr;
}
