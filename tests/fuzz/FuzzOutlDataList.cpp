// Reads any bytes as a stored folder list, then checks:
// - a refused stream leaves the list exactly as it was;
// - what was read is in tree order (levels 0 .. 64, at most one deeper each
//   step), every parent index points back, and it writes back into bytes
//   that read and write the same again.
// fuzz-max-len: 65536
#include "foundation/Exceptions.h"
#include "foundation/Stream.h"
#include "foundation/ZROutlData.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const TZROutlDataList& list) {
    TMemoryStream s;
    list.SaveToStream(s);
    return s.Bytes();
}

bool Load(TZROutlDataList& list, const uint8_t* data, size_t size) {
    TMemoryStream s;
    s.WriteBuffer(data, static_cast<int64_t>(size));
    s.SetPosition(0);
    try {
        list.LoadFromStream(s);
        return true;
    } catch (const EReadError&) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TZROutlDataList list;
    list.Add(std::make_unique<TZROutlData>(TZROutlData{"/m/a", "n", 0, 1, 0, 0, 1, 2, 1, 0}));
    const std::vector<uint8_t> before = Bytes(list);
    if (!Load(list, data, size)) {
        if (Bytes(list) != before) std::abort();
        return 0;
    }
    for (int32_t i = 0; i < list.Count(); ++i) {
        const int32_t level = list.GetItem(i).Level;
        const int32_t previous = i == 0 ? -1 : list.GetItem(i - 1).Level;
        if (level < 0 || level > TZROutlDataList::kMaxStoredLevel || level > previous + 1) std::abort();
        const int32_t parent = list.ParentIndex(i);
        if ((level == 0) != (parent < 0)) std::abort();
        if (parent >= 0 && list.GetItem(parent).Level >= level) std::abort();
    }
    const std::vector<uint8_t> once = Bytes(list);
    TZROutlDataList again;
    if (!Load(again, once.data(), once.size())) std::abort();
    if (Bytes(again) != once) std::abort();
    return 0;
}
