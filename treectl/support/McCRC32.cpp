#include "treectl/support/McCRC32.h"

#include <array>

namespace {

constexpr std::array<uint32_t, 256> MakeTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();

}  // namespace

uint32_t CrcTableEntry(uint8_t index) { return kTable[index]; }

uint32_t CrcOfString(std::string_view s) {
    uint32_t c = 0;
    for (const char ch : s) c = (c >> 8) ^ kTable[(c ^ static_cast<uint8_t>(ch)) & 0xFF];
    return c;
}
