#include "design/RingLabels.h"

#include "document/Etikett.h"

#include <array>
#include <string_view>

namespace {

struct TRingRow {
    std::string_view shapeKey;
    std::array<std::optional<TFloatPoint>, 3> centres;  // rings 1, 2, 3
};

constexpr std::nullopt_t kNone = std::nullopt;

// The discs of "QN-2049" lie mirrored when the sheet is turned.
const TRingRow kRings2049 = {"QN-2049", {TFloatPoint{62, 67}, TFloatPoint{146, 148.5f}, TFloatPoint{62, 230}}};
const TRingRow kRings2049Turned = {"QN-2049", {TFloatPoint{148, 67}, TFloatPoint{64, 148.5f}, TFloatPoint{148, 230}}};

const TRingRow kRingRows[] = {
    {"QN-2052", {TFloatPoint{62.5f, 62.5f}, TFloatPoint{147.5f, 142}, TFloatPoint{62.5f, 221.5f}}},
    {"QN-2071", {TFloatPoint{105, 78.5f}, kNone, TFloatPoint{105, 218.5f}}},
    {"KROXARING", {TFloatPoint{105, 74.5f}, kNone, TFloatPoint{105, 222.5f}}},
    {"Rayfilm CD35", {TFloatPoint{105, 74.25f}, kNone, TFloatPoint{105, 222.75f}}},
    {"VEROZEVUZEZOVED", {TFloatPoint{105, 80}, kNone, TFloatPoint{105, 217}}},
    {"ZOZODADEVUZOZAZAZI", {TFloatPoint{105, 80}, kNone, TFloatPoint{105, 217}}},
};

const TRingRow* FindRings(const TEtikett& sheet) {
    const std::string& key = sheet.GetShapeKey();
    if (key == kRings2049.shapeKey) return sheet.SheetTurned ? &kRings2049Turned : &kRings2049;
    for (const TRingRow& row : kRingRows)
        if (key == row.shapeKey) return &row;
    return nullptr;
}

}  // namespace

std::optional<TFloatPoint> RingCenter(const TEtikett& sheet, int32_t ring) {
    const TRingRow* row = FindRings(sheet);
    if (!row || ring < kRingTop || ring > kRingBottom) return std::nullopt;
    return row->centres[static_cast<size_t>(ring - 1)];
}

int32_t RingCount(const TEtikett& sheet) {
    const TRingRow* row = FindRings(sheet);
    if (!row) return 0;
    return row->centres[1] ? 3 : 2;
}

bool OffersLabelCentering(const TEtikett& sheet) {
    return sheet.GetShapeKey() == "QN-2051EX";
}

TFloatPoint DisplayedLabelSize(const TEtikett& sheet) {
    if (sheet.Orientation != 0) return {sheet.LabelHeight, sheet.LabelWidth};
    return {sheet.LabelWidth, sheet.LabelHeight};
}

TFloatPoint LabelCenter(const TEtikett& sheet) {
    const TFloatPoint size = DisplayedLabelSize(sheet);
    return {size.X / 2, size.Y / 2};
}
