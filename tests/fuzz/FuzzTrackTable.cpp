// Reads any bytes as the stream of a track table, then checks:
// - a refused stream raises the stream's error and nothing else;
// - what was read writes back into bytes that read and write the same again.
// fuzz-max-len: 65536
#include "cd/lookup/TrackTabelleData.h"

#include "foundation/Exceptions.h"
#include "foundation/Stream.h"

#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const TZRTrackTabelleData& data) {
    TMemoryStream s;
    data.SaveToStream(s);
    return s.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream input(std::vector<uint8_t>(data, data + size));
    TZRTrackTabelleData table;
    try {
        table.LoadFromStream(input);
    } catch (const EReadError&) {
        return 0;
    }
    const std::vector<uint8_t> written = Bytes(table);
    TMemoryStream again(written);
    TZRTrackTabelleData reread;
    reread.LoadFromStream(again);
    if (!(reread == table) || Bytes(reread) != written) abort();
    return 0;
}
