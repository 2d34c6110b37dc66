#pragma once
// TParExtra: the extra record of a paragraph, made on first request. Table
// cells keep their column geometry here: width and start in 255ths of the row
// (a row always spans 255), the merge count and the typing lock in the flag
// byte, the table id, and the cell's name, comment and value.

#include <cstdint>
#include <string>

constexpr uint8_t kCellMergeCountMask = 0x0F;  // cells merged into this one (at most 15)
constexpr uint8_t kCellTypingLocked = 0xF0;    // all four set: typing into the cell is refused
constexpr int32_t kRowWidth = 255;

struct TParExtra {
    uint8_t width = 0;
    uint8_t start = 0;
    uint8_t cellFlags = 0;
    int32_t cellValue = 0;
    uint32_t tableId = 0;
    int32_t layoutA = 0;  // left edge, set by the layout
    int32_t layoutB = 0;  // right edge, set by the layout
    int32_t layoutC = 0;
    std::string cellName;
    std::string cellComment;

    uint8_t MergeCount() const { return cellFlags & kCellMergeCountMask; }
    bool TypingLocked() const { return (cellFlags & kCellTypingLocked) == kCellTypingLocked; }
    // One more merged cell; the count stops at 15 so that it never reaches the lock bits.
    void AddMerge() {
        if (MergeCount() < kCellMergeCountMask) ++cellFlags;
    }
    void RemoveMerge() {
        if (MergeCount() > 0) --cellFlags;
    }
    friend bool operator==(const TParExtra&, const TParExtra&) = default;
};
