// Reads arbitrary bytes as a document into a new document with the full
// reader. A load may end only with the document file's own errors (invalid
// file, cannot read). A document that loads is saved, loaded again and saved
// again: both saves must give the same bytes, so that whatever a file holds
// reads back as it was written.
// fuzz-max-len: 16384
#include "design/DocumentFile.h"
#include "figures/FigureFactory.h"
#include "foundation/Stream.h"
#include "platform/imaging/Dib.h"
#include "platform/qtprinter/QtPrinterBackend.h"
#include "tests/fuzz/SystemLeaks.h"
#include "tests/support/FakeDocument.h"

#include <QtGui/QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> Saved(FakeDocument& document) {
    TMemoryStream stream;
    TDocumentFile(document).SaveToStream(stream);
    return stream.Bytes();
}

bool Load(FakeDocument& document, const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    try {
        return TDocumentFile(document).LoadFromStream(stream, QStringLiteral("fuzz.qem"));
    } catch (const EInvalidFile&) {
    } catch (const EFilerReadError&) {
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    gdi::InstallQtPrinters();
    imaging::SetPixelLimit(1 << 20);
    SetSkippedPlacesHandler([](const QString&) {});
    SetInvalidElementHandler([](const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FakeDocument document;
    if (!Load(document, std::vector<uint8_t>(data, data + size))) return 0;
    const std::vector<uint8_t> first = Saved(document);
    FakeDocument again;
    if (!Load(again, first)) std::abort();
    if (Saved(again) != first) std::abort();
    return 0;
}
