// Reads any bytes as a fill, then checks:
// - a refused stream leaves the fill exactly as it was;
// - what was read writes back into bytes that read and write the same again;
// - the fill draws on a bitmap and a printer, whole and band by band, without fault.
// fuzz-max-len: 131072 (room for 16,000 stops)
#include "foundation/Exceptions.h"
#include "foundation/FillData.h"
#include "foundation/Stream.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/RecordingCanvas.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const TFillData& f) {
    TMemoryStream s;
    f.SaveToStream(s);
    return s.Bytes();
}

// Everything at the size of the shape, so that each input runs fast: the
// printer path renders at the shape's size, the screen cache (512 pixels)
// is left to the tests.
void Draw(TFillData& fill) {
    const gdi::Point shape[] = {{2, 3}, {37, 5}, {30, 28}, {4, 20}};
    gdi::BitmapCanvas bitmap(40, 30);
    fill.RenderGradient(bitmap, {0, 0, 40, 30}, 1);
    gdi::RecordingCanvas printer(gdi::ScreenCaps(), gdi::DeviceKind::Printer);
    fill.FillPolygon(printer, shape);
    const gdi::Region region = gdi::Region::FromPolygon(shape, gdi::PolyFillMode::Alternate);
    DrawBitmapInRegion(printer, bitmap.bitmap(), region, region.Box());
    if (fill.Kind() == fkPattern) {
        fill.FillPolygon(bitmap, shape);
        DrawBitmapInRegion(printer, fill.Bitmap(), region, region.Box());
    }
    fill.FillPolygonDarkShade(bitmap, shape);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFillData fill;
    fill.SetKind(fkColor);
    fill.SetColor(0x123456);
    const std::vector<uint8_t> before = Bytes(fill);
    TMemoryStream input(std::vector<uint8_t>(data, data + size));
    try {
        fill.LoadFromStream(input);
    } catch (const EReadError&) {
        if (Bytes(fill) != before) abort();
        return 0;
    }
    const std::vector<uint8_t> written = Bytes(fill);
    TFillData again;
    TMemoryStream stream(written);
    again.LoadFromStream(stream);  // must not raise: we wrote it
    if (stream.Remaining() != 0 || Bytes(again) != written) abort();
    Draw(fill);
    return 0;
}
