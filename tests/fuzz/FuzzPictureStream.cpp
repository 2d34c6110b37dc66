// Reads any bytes as the stream form of a raster picture (extension, then
// the picture file), then checks:
// - a refused stream leaves the picture empty and no file behind;
// - an accepted one writes a stream that reads back to the same picture;
// - it draws on a small bitmap and on a recording printer at several angles
//   (larger pictures are read smaller, and again larger for the printer).
// fuzz-max-len: 65536
#include "tests/fuzz/SystemLeaks.h"
#include "foundation/BmpScaleCanvas.h"
#include "foundation/Exceptions.h"
#include "pictures/QDXRotate90DIB.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/imaging/Dib.h"
#include "platform/qtprinter/QtPrinterBackend.h"

#include <QtCore/QFile>
#include <QtGui/QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    gdi::InstallQtPrinters();  // a printer canvas asks for the current printer
    imaging::SetPixelLimit(1 << 20);
    // Pictures above 4096 pixels are read smaller, and read again for the printer below.
    TQDXRotate90DIB::SetWorkingPixelLimit(4096);
    SetPrinterColorQuery([] { return true; });  // no system printer in the fuzzer
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TQDXRotate90DIB picture;
    TMemoryStream input(std::vector<uint8_t>(data, data + size));
    try {
        picture.LoadFromStream(input);
    } catch (const EStreamError&) {
        if (picture.DIB() || !picture.TempName().isEmpty()) std::abort();
        return 0;
    } catch (const Exception&) {
        if (picture.DIB() || !picture.TempName().isEmpty()) std::abort();
        return 0;
    }
    const QString kept = picture.TempName();
    TMemoryStream written;
    picture.SaveToStream(written);
    written.SetPosition(0);
    TQDXRotate90DIB again;
    again.LoadFromStream(written);  // must not raise: we wrote it
    if (again.Width() != picture.Width() || again.Height() != picture.Height()) std::abort();

    TBmpScaleCanvas screen;
    screen.SetSize(40, 30);
    for (int32_t angle : {0, 33, 90}) picture.DrawTo(screen, angle, 20, 15, 30, 20);
    gdi::DeviceCaps caps = gdi::ScreenCaps();
    caps.logPixelsX = caps.logPixelsY = 600;
    caps.horzRes = 400;
    caps.vertRes = 300;
    gdi::RecordingCanvas printer(caps, gdi::DeviceKind::Printer);
    TScaleCanvas device(&printer);
    device.SetResolutionX(600 / 25.4f);
    device.SetResolutionY(600 / 25.4f);
    for (int32_t angle : {0, 45, 270}) picture.DrawTo(device, angle, 8, 6, 10, 8);
    picture.Clear();
    if (!kept.isEmpty() && QFile::exists(kept)) std::abort();
    return 0;
}
