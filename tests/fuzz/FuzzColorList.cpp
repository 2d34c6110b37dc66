// Feeds any bytes to the user-colour file reader, into a list whose slot
// count comes from the first byte; every colour read must be one the text
// could hold (not negative) and the list keeps its slot count.
// fuzz-max-len: 4096
#include "controls/ColorList.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int32_t slotCount = data[0] % 40;
    TColorList list(slotCount);
    list.LoadFromText(QByteArray(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1)));
    if (list.Count() != slotCount) std::abort();
    bool emptySeen = false;
    for (int32_t i = 0; i < list.Count(); ++i) {
        const int32_t c = list.Colors(i);
        if (c < clEmptySlot) std::abort();
        if (c == clEmptySlot) emptySeen = true;
        if (c != clEmptySlot && emptySeen) std::abort();  // loading packs
    }
    TColorList again(slotCount);
    again.LoadFromText(list.SaveToText());
    for (int32_t i = 0; i < list.Count(); ++i)
        if (again.Colors(i) != list.Colors(i)) std::abort();
    return 0;
}
