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

// The star stickers' shapes are label frames of their own (see the guide outlines).
const TSpecialSheetRow kOwnBrandRows[] = {
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
