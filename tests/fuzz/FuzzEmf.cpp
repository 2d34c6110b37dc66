// Plays any bytes as an EMF, then checks:
// - refused data leaves the player empty; accepted data is written back as
//   the header's total size of it;
// - playback at any angle, on a recording and on a small bitmap, runs without
//   fault and leaves the canvas's clip and saved states as they were.
// Inputs that do not start with an EMF header record get a sound header
// (type, size, signature and total size), so that the records themselves are
// explored.
// fuzz-max-len: 16384
#include "tests/fuzz/MetafileFuzz.h"

#include "pictures/EMFDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

std::vector<uint8_t> WithSoundHeader(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out(data, data + size);
    if (out.size() < 108) out.resize(108, 0);
    Put32(out, 0, 1);
    Put32(out, 4, 108);
    Put32(out, 40, TZREMF::kSignature);
    Put32(out, 48, uint32_t(out.size()));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool header = size >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0 && data[3] == 0;
    const std::vector<uint8_t> bytes = header ? std::vector<uint8_t>(data, data + size) : WithSoundHeader(data, size);
    TZREMF player;
    if (!LoadChecked(player, bytes)) return 0;
    uint32_t total = 0;
    std::memcpy(&total, bytes.data() + 48, 4);
    TMemoryStream written;
    player.SaveToStream(written);
    if (written.Bytes() != std::vector<uint8_t>(bytes.begin(), bytes.begin() + total)) std::abort();
    PlayEverywhere(player, 180);
    return 0;
}
