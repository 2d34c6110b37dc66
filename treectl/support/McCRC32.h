#pragma once
// The CRC-32 checksum of the tree control's hash list: the reflected table
// of the polynomial 0xEDB88320, without the initial and final inversion of
// the common variant (so "" gives 0 and "abc" gives 0xCA6598D0).

#include <cstdint>
#include <string_view>

// Entry i of the table.
uint32_t CrcTableEntry(uint8_t index);
uint32_t CrcOfString(std::string_view s);
