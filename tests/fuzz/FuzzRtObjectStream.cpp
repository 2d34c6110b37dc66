// Reads any bytes as the stream of an embedded rich-text object, then checks:
// - reading either makes the object or ends with the engine's error, never
//   anything else;
// - what was read writes back into bytes that read and write the same again.
// fuzz-max-len: 8192
#include "foundation/Stream.h"
#include "richtext/model/RtEngineErrors.h"
#include "richtext/model/RtObjectClasses.h"
#include "richtext/model/RtObjectField.h"
#include "richtext/model/RtRTFText.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(TRtObject& object) {
    TMemoryStream s;
    object.WriteToStream(s);
    return s.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TRtRTFText text;
    const std::vector<uint8_t> input(data, data + size);
    {
        TRtTagField field;
        TMemoryStream s(input);
        try {
            field.ReadFromStream(s);
        } catch (const ERtEngineError&) {
        }
    }
    TMemoryStream stream(input);
    int32_t height = 0, width = 0, tag = 0;
    std::string name;
    std::unique_ptr<TRtObject> object = LoadFromObjStream(&text, stream, height, width, name, tag);
    if (!object) return 0;
    const std::vector<uint8_t> written = Bytes(*object);
    TMemoryStream again(written);
    std::unique_ptr<TRtObject> copy = LoadFromObjStream(&text, again, height, width, name, tag);
    if (!copy || again.Remaining() != 0 || Bytes(*copy) != written) abort();
    return 0;
}
