// Reads arbitrary bytes as a document with the file-open preview's reader
// and draws its first label on a small bitmap. The preview must end quietly
// whatever the bytes are; without a preview the bitmap stays as it was.
// fuzz-max-len: 16384
#include "design/DocumentPreview.h"
#include "foundation/Stream.h"
#include "platform/gdi/Bitmap.h"
#include "platform/imaging/Dib.h"
#include "platform/qtprinter/QtPrinterBackend.h"
#include "shapes/AutoShape.h"
#include "tests/fuzz/SystemLeaks.h"

#include <QtGui/QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    gdi::InstallQtPrinters();
    imaging::SetPixelLimit(1 << 20);
    SetShapeNoticeHandler([](const std::string&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TMemoryStream stream(std::vector<uint8_t>(data, data + size));
    gdi::Bitmap bitmap(48, 40);
    if (!RenderDocumentPreview(bitmap, stream)) {
        if (bitmap.Width() != 48 || bitmap.Height() != 40) std::abort();
        return 0;
    }
    if (bitmap.Width() < 1 || bitmap.Width() > 49 || bitmap.Height() < 1 || bitmap.Height() > 41) std::abort();
    return 0;
}
