#pragma once
// The alignment code: the bit flags with which the element-alignment dialog
// tells the design how to align and distribute the selected figures. At most
// one horizontal and one vertical flag, one reference, and the "whole label"
// flag of the distribution.

#include <cstdint>

namespace ElementAlign {
// Aligning.
constexpr int32_t kLeft = 1;
constexpr int32_t kHCenter = 2;
constexpr int32_t kRight = 4;
constexpr int32_t kTop = 8;
constexpr int32_t kVCenter = 16;
constexpr int32_t kBottom = 32;
// Distributing.
constexpr int32_t kSpreadLeft = 64;
constexpr int32_t kSpreadHCenter = 128;
constexpr int32_t kSpreadRight = 256;
constexpr int32_t kSpreadHGaps = 512;
constexpr int32_t kSpreadTop = 1024;
constexpr int32_t kSpreadVCenter = 2048;
constexpr int32_t kSpreadBottom = 4096;
constexpr int32_t kSpreadVGaps = 8192;
// The reference.
constexpr int32_t kToSelection = 16384;
constexpr int32_t kToLabel = 32768;
constexpr int32_t kToLastSelected = 65536;
// Distribute over the whole label.
constexpr int32_t kWholeLabel = 131072;
// Every flag that aligns; every flag that distributes; every flag that moves
// figures (a code without one does nothing).
constexpr int32_t kAlignFlags = 0x3F;
constexpr int32_t kSpreadFlags = 0x3FC0;
constexpr int32_t kMoveFlags = kAlignFlags | kSpreadFlags;
}  // namespace ElementAlign
