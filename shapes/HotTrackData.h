#pragma once
// The adjust-handle record of auto-shapes and WordArt: a 32-bit count of used
// entries, then 8 entries of 28 bytes (228 bytes in streams). An entry is a
// mode byte at offset 0 (0 cartesian, 1 polar; three padding bytes follow),
// then singles: value 1 at 4, its minimum at 8 and maximum at 12, value 2 at
// 16, its minimum at 20 and maximum at 24.
//   cartesian: value 1 and 2 are the handle's x and y offsets from the centre
//              as fractions of width and height;
//   polar:     value 1 is a radius as a fraction (of the width along x and of
//              the height along y) and value 2 an angle in degrees.

#include "foundation/Stream.h"

#include <array>
#include <cstdint>
#include <string>

struct THotTrackEntry {
    uint8_t Mode = 0;
    float Value1 = 0, Min1 = 0, Max1 = 0;
    float Value2 = 0, Min2 = 0, Max2 = 0;
};

inline constexpr uint8_t kHotTrackCartesian = 0;
inline constexpr uint8_t kHotTrackPolar = 1;
inline constexpr int kHotTrackEntries = 8;
inline constexpr int kHotTrackEntrySize = 28;
inline constexpr int kHotTrackDataSize = 4 + kHotTrackEntries * kHotTrackEntrySize;

struct THotTrackData {
    int32_t Count = 0;
    std::array<THotTrackEntry, kHotTrackEntries> Entries{};

    // The count as far as entries exist (a stored count may be anything).
    int UsedCount() const { return Count < 0 ? 0 : (Count > kHotTrackEntries ? kHotTrackEntries : Count); }
};

class TZRRegIniFile;

// The 228 bytes, value by value (padding written as zeros, skipped on reading).
void WriteHotTrackData(TStream& stream, const THotTrackData& data);
// Refuses (EReadError, data unchanged) a short record and a count outside 0..8.
void ReadHotTrackData(TStream& stream, THotTrackData& data);
// "HotTrackDataAnzahl" and, per used entry i, the six values rounded to two
// decimals under "HotTrackData<i>XValue", "...XMin", "...XMax", "...YValue",
// "...YMin", "...YMax". The mode byte and unused entries are not written.
void WriteHotTrackDataToIni(TZRRegIniFile& ini, const std::string& section, const THotTrackData& data);
