// Reads arbitrary bytes as the private clipboard format ("Brimwell Figur32")
// into a design, as a paste does. Damaged bytes end the paste with a message;
// nothing else may happen. Whatever was pasted is copied again, and that
// copy pastes into a second design with the same bytes; undoing every step
// empties the design again.
// fuzz-max-len: 8192
#include "design/EinzelEtikett.h"
#include "design/FigureClipboard.h"
#include "document/EtikettFiler.h"
#include "figures/FigureFactory.h"
#include "platform/qtprinter/QtPrinterBackend.h"
#include "tests/support/FigureFakes.h"

#include <QtGui/QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    gdi::InstallQtPrinters();
    SetSkippedPlacesHandler([](const QString&) {});
    SetInvalidElementHandler([](const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FakeMMWindow view(200, 150);
    static FakeChild child(view);
    child.errors.clear();
    TEinzelEtikett design(child);
    child.currentDesign = &design;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const int32_t added = PasteElementBytes(design, bytes);
    if (added != design.FigureCount() || design.SelectedCount() != added) std::abort();
    if (added > 0) {
        const QByteArray copy = SelectionElementBytes(design);
        TEinzelEtikett again(child);
        if (PasteElementBytes(again, copy) != added || SelectionElementBytes(again) != copy) std::abort();
    }
    while (design.UndoCount() > 0) design.Undo();
    if (design.FigureCount() != 0) std::abort();
    child.currentDesign = nullptr;
    return 0;
}
