// Plays any bytes as a placeable WMF, then checks:
// - refused data leaves the player empty; accepted data is written back unchanged;
// - playback at any angle, on a recording and on a small bitmap, runs without
//   fault and leaves the canvas's clip and saved states as they were.
// Inputs that do not start with the placeable key get a sound placeable
// header made from their first bytes, so that the records themselves are
// explored.
// fuzz-max-len: 16384
#include "tests/fuzz/MetafileFuzz.h"

#include "pictures/WMFDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> WithPlaceableHeader(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0};
    for (size_t i = 0; i < 8; ++i) out.push_back(i < size ? data[i] : 0);
    out.insert(out.end(), {0xA0, 0x05, 0, 0, 0, 0});
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= uint16_t(out[i] | out[i + 1] << 8);
    out.push_back(uint8_t(sum));
    out.push_back(uint8_t(sum >> 8));
    if (size > 8) out.insert(out.end(), data + 8, data + size);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool placeable = size >= 4 && data[0] == 0xD7 && data[1] == 0xCD && data[2] == 0xC6 && data[3] == 0x9A;
    const std::vector<uint8_t> bytes = placeable ? std::vector<uint8_t>(data, data + size) : WithPlaceableHeader(data, size);
    TZRWMF player;
    if (!LoadChecked(player, bytes)) return 0;
    TMemoryStream written;
    player.SaveToStream(written);
    if (written.Bytes() != bytes) std::abort();
    PlayEverywhere(player, 270);
    return 0;
}
