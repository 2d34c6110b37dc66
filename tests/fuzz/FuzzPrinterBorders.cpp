// Reads any bytes as the printer-borders cache file and takes a page from
// every section. A page the reader accepts is a page: sizes above zero,
// borders inside them, millimetres that are numbers.
// fuzz-max-len: 4096
#include "foundation/MyMemIniFile.h"
#include "foundation/Stream.h"
#include "printing/PrinterSupport.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream stream(std::vector<uint8_t>(data, data + size));
    TMyMemIniFile ini;
    ini.LoadFromStream(stream);
    for (const QString& section : ini.ReadSections()) {
        TPrinterBorders b;
        if (!TPrinterSupport::ReadCachedBorders(ini, section, b)) continue;
        const bool page = b.Width > 0 && b.Height > 0 && b.Left >= 0 && b.Top >= 0 && b.Right >= 0 && b.Bottom >= 0 &&
                          int64_t{b.Left} + b.Right < b.Width && int64_t{b.Top} + b.Bottom < b.Height;
        const bool numbers = std::isfinite(b.WidthMM) && std::isfinite(b.HeightMM) && b.WidthMM > 0 && b.HeightMM > 0;
        if (!page || !numbers) std::abort();
    }
    return 0;
}
