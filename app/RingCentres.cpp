#include "app/RingCentres.h"

#include "document/Etikett.h"

#include <array>
#include <string_view>

namespace {

struct TRingCentres {
    std::string_view shapeKey;
    std::array<std::optional<TFloatPoint>, 3> centres;  // rings 1, 2, 3
};

constexpr std::nullopt_t kNoRing = std::nullopt;

const TRingCentres kRings2049 = {"QN-2049", {TFloatPoint{62, 67}, TFloatPoint{146, 148.5f}, TFloatPoint{62, 230}}};
const TRingCentres kRings2049Turned = {"QN-2049", {TFloatPoint{148, 67}, TFloatPoint{64, 148.5f}, TFloatPoint{148, 230}}};

const TRingCentres kRingSheets[] = {
    {"QN-2071", {TFloatPoint{105, 78.5f}, kNoRing, TFloatPoint{105, 218.5f}}},
    {"QN-2052", {TFloatPoint{62.5f, 62.5f}, TFloatPoint{147.5f, 142}, TFloatPoint{62.5f, 221.5f}}},
    {"KROXARING", {TFloatPoint{105, 74.5f}, kNoRing, TFloatPoint{105, 222.5f}}},
    {"ZOZODADEVUZOZAZAZI", {TFloatPoint{105, 80}, kNoRing, TFloatPoint{105, 217}}},
    {"VEROZEVUZEZOVED", {TFloatPoint{105, 80}, kNoRing, TFloatPoint{105, 217}}},
    // The two large rings of the sheet with mini rings around them.
    {"QN-4051", {TFloatPoint{105, 74.25f}, kNoRing, TFloatPoint{105, 222.75f}}},
};

const TRingCentres* RingsOf(const TEtikett& sheet) {
    const std::string& key = sheet.GetShapeKey();
    if (key == kRings2049.shapeKey) return sheet.SheetTurned != 0 ? &kRings2049Turned : &kRings2049;
    for (const TRingCentres& rings : kRingSheets)
        if (key == rings.shapeKey) return &rings;
    return nullptr;
}

}  // namespace

std::optional<TFloatPoint> RingCentreOf(const TEtikett& sheet, int ring) {
    const TRingCentres* rings = RingsOf(sheet);
    if (!rings || ring < 1 || ring > 3) return std::nullopt;
    return rings->centres[static_cast<size_t>(ring - 1)];
}
