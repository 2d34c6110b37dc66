// Reads any bytes as a shape's stored data, then checks:
// - byte 0 picks one of the registered shapes, the next 228 bytes are its
//   adjust-handle record: a refused record leaves the shape's own record
//   untouched; an accepted one draws, hit-tests and measures without fault;
// - the rest is a contour-list stream: a refused stream leaves the list
//   empty, an accepted one writes back into the same bytes it was read from.
// fuzz-max-len: 8192
#include "foundation/Exceptions.h"
#include "foundation/FillData.h"
#include "foundation/Stream.h"
#include "platform/gdi/BitmapCanvas.h"
#include "shapes/AutoShape.h"
#include "shapes/KonturList.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool Same(const THotTrackData& a, const THotTrackData& b) {
    if (a.Count != b.Count) return false;
    for (size_t i = 0; i < a.Entries.size(); ++i) {
        const THotTrackEntry &x = a.Entries[i], &y = b.Entries[i];
        if (x.Mode != y.Mode || std::memcmp(&x.Value1, &y.Value1, sizeof(float)) != 0 ||
            std::memcmp(&x.Max2, &y.Max2, sizeof(float)) != 0)
            return false;
    }
    return true;
}

void CheckShape(const uint8_t* data, size_t size) {
    const std::vector<std::string> names = AutoShapeFactory().ShapeNames();
    auto shape = AutoShapeFactory().CreateShape(names[data[0] % names.size()]);
    const THotTrackData own = shape->HotTrackData;
    TMemoryStream record(std::vector<uint8_t>(data + 1, data + size));
    THotTrackData read = own;
    try {
        ReadHotTrackData(record, read);
    } catch (const EReadError&) {
        if (!Same(read, own)) abort();
        return;
    }
    shape->SetCenterX(30);
    shape->SetCenterY(20);
    shape->SetWidth(size > 1 ? data[1] % 64 : 40);
    shape->SetHeight(size > 2 ? data[2] % 48 : 30);
    shape->SetAngle(size > 3 ? data[3] * 1.5f : 0);
    shape->SetHotTrackData(read);
    gdi::BitmapCanvas bitmap(60, 40);
    TFillData fill;
    shape->DrawFilled(bitmap, fill);
    shape->HitTest(30, 20, false, 5);
    shape->HitTest(3, 4, true, 5);
    for (int i = 0; i < read.UsedCount(); ++i) shape->SetAdjustHandle(i, read.Entries[static_cast<size_t>(i)]);
    shape->GetBounds();
}

void CheckContours(const uint8_t* data, size_t size) {
    TMemoryStream input(std::vector<uint8_t>(data, data + size));
    TKonturList list;
    int64_t used = 0;
    try {
        list.LoadFromStream(input);
        used = input.Position();
    } catch (const EReadError&) {
        if (list.Count() != 0) abort();
        return;
    }
    TMemoryStream written;
    list.SaveToStream(written);
    // Kinds are read from their low byte; compare what the list keeps.
    TKonturList again;
    written.SetPosition(0);
    again.LoadFromStream(written);
    TMemoryStream rewritten;
    again.SaveToStream(rewritten);
    if (rewritten.Bytes() != written.Bytes() || written.Size() != used) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    CheckShape(data, size);
    if (size > 229) CheckContours(data + 229, size - 229);
    return 0;
}
