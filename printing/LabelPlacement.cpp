#include "printing/LabelPlacement.h"

#include "document/Etikett.h"

#include <algorithm>

int32_t LabelPositionsOf(const TEtikett& sheet) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{sheet.Columns} * sheet.Rows, 1, kMaxSheetLabels));
}

TLabelPlace LabelPlaceOf(const TEtikett& sheet, int32_t position) {
    TLabelPlace place;
    sheet.GetLabelCell(position, place.Column, place.Row);
    const double w = sheet.LabelWidth, h = sheet.LabelHeight;
    const double gapX = sheet.GapX, gapY = sheet.GapY;
    const double marginX = sheet.MarginLeft, marginY = sheet.MarginTop;
    place.OriginX = (w + gapX) * place.Column + marginX;
    place.OriginY = (h + gapY) * place.Row + marginY;
    place.ClipLeft = place.Column == 0 ? -marginX / 2 : -gapX / 2;
    place.ClipRight = place.Column == sheet.Columns - 1 ? w + marginX / 2 : w + gapX / 2;
    place.ClipTop = place.Row == 0 ? -marginY / 2 : -gapY / 2;
    place.ClipBottom = place.Row == sheet.Rows - 1 ? h + marginY / 2 : h + gapY / 2;
    return place;
}

bool MaskPositionFree(std::string_view mask, int32_t position) {
    if (position < 1 || static_cast<size_t>(position) > mask.size()) return true;
    return mask[static_cast<size_t>(position) - 1] == '1';
}

int32_t CountMarkedPositions(std::string_view mask, int32_t positions) {
    int32_t free = 0;
    for (int32_t p = 1; p <= positions; ++p)
        if (MaskPositionFree(mask, p)) ++free;
    return free;
}

TNextLabel NextLabelPosition(std::string_view mask, int32_t positions, int32_t current, bool onFirstSheet) {
    positions = std::max(positions, 1);
    int32_t p = std::clamp(current, 0, positions);
    if (!onFirstSheet) return {p >= positions ? 1 : p + 1, false};
    bool usedUp = false;
    for (;;) {
        if (++p > positions) {
            p = 1;
            usedUp = true;
        }
        if (usedUp && p == 1) return {1, true};
        if (MaskPositionFree(mask, p)) return {p, false};
    }
}

namespace {

struct ArticleMaskRow {
    const char* shapeKey;
    TArticleMask polygons;
};

constexpr TFloatPoint P(float x, float y) { return {x, y}; }

const ArticleMaskRow kArticleMasks[] = {
    {"DIREZIREZAZ1",
     {{{P(-2, -2), P(17, -2), P(10, 25), P(-2, 25)},
       {P(101.1f, 35.9f), P(82.1f, 35.9f), P(89.1f, 8.9f), P(101.1f, 8.9f)}}}},
    {"KROXASTERNE2",
     {{{P(-2, -2), P(17, -2), P(10, 25), P(-2, 25)},
       {P(101.1f, 40.1f), P(82.1f, 40.1f), P(89.1f, 13.1f), P(101.1f, 13.1f)}}}},
    {"KROXASTERNE3",
     {{{P(-2, -2), P(17, -2), P(10, 25), P(-2, 25)},
       {P(65.5f, 40.1f), P(46.5f, 40.1f), P(53.5f, 13.1f), P(65.5f, 13.1f)}}}},
};

}  // namespace

const TArticleMask* SpecialArticleMask(const std::string& shapeKey) {
    for (const ArticleMaskRow& row : kArticleMasks)
        if (shapeKey == row.shapeKey) return &row.polygons;
    return nullptr;
}
