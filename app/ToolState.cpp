#include "app/ToolState.h"

#include <iterator>

std::optional<uint8_t> DrawModeForTag(int tag) {
    // Index: tag; -1 where the tag selects nothing.
    static constexpr int8_t kModes[] = {-1, 0, 1, 2, 3, 4, 5, 6, 7, 13, 9, 10, 11, -1, 12, 14, 15, 16, 7, 17, 18, 19, 20, 21, 22};
    if (tag < 0 || tag >= static_cast<int>(std::size(kModes)) || kModes[tag] < 0) return std::nullopt;
    return static_cast<uint8_t>(kModes[tag]);
}

std::span<const TToolDownRule> ToolDownRules() {
    static constexpr TToolDownRule kRules[] = {
        {"cmdPfeil", 0, false},        {"cmdLinie", 1, false},       {"cmdRechteck", 2, false},
        {"cmdKreis", 3, false},        {"cmdPicture", 7, false},     {"cmdRTF", 12, false},
        {"cmdAutoForm", 14, false},    {"cmdWordart", 15, false},    {"cmdRaruvir", 7, false},
        {"cmdBarcode", 16, false},     {"cmdRotateText", 13, false}, {"cmdDirOutline", 9, false},
        {"cmdTrackTabelle", 18, false}, {"cmdClipart", 19, true},    {"cmdRTFTabelle", 20, false},
        {"cmdClipartTavolux", 19, true}, {"cmdIndexPrint", 22, false},
    };
    return kRules;
}
