#pragma once
// Helpers of the barcode tests: a fake printer of a chosen resolution (the
// module widths follow it), a barcode set up in one call, and its layout.

#include "content/barcode/ZRBarcode.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/printer/Printer.h"
#include "support/FakePrinter.h"

#include <memory>
#include <string>

// Makes a fake printer of the resolution current for one test; the PDF
// printer comes back afterwards.
class WithPrinterDpi {
public:
    explicit WithPrinterDpi(int32_t dpiX, int32_t dpiY = 0) {
        gdi::DeviceCaps caps = gdi::test::FakePrinter::A4Caps(dpiX, dpiY > 0 ? dpiY : dpiX, 0);
        gdi::SetCurrentPrinter(std::make_unique<gdi::test::FakePrinter>(caps));
    }
    ~WithPrinterDpi() { gdi::SelectPrinter(gdi::PdfPrinterName()); }
    WithPrinterDpi(const WithPrinterDpi&) = delete;
    WithPrinterDpi& operator=(const WithPrinterDpi&) = delete;
};

struct BarcodeSetup {
    TBarcodeTyp type = btCode25Interleaved;
    std::string text;
    bool checkDigit = true;
    std::string addOn;
    bool showText = true;
    bool aecoc = false;
    float width = 10;
    float height = 10;
    float angle = 0;
    float centreX = 0;
    float centreY = 0;
};

inline BarcodeSetup Symbol(TBarcodeTyp type, std::string text) {
    BarcodeSetup setup;
    setup.type = type;
    setup.text = std::move(text);
    return setup;
}

inline void Apply(TZRBarcode& barcode, const BarcodeSetup& setup) {
    barcode.SetBarcodeType(setup.type);
    barcode.SetCheckDigit(setup.checkDigit);
    barcode.SetShowText(setup.showText);
    barcode.SetAECOC(setup.aecoc);
    barcode.SetText(setup.text);
    barcode.SetAddOn(setup.addOn);
    barcode.SetWidth(setup.width);
    barcode.SetHeight(setup.height);
    barcode.SetAngle(setup.angle);
    barcode.SetCenterX(setup.centreX);
    barcode.SetCenterY(setup.centreY);
}

// A recording of a given resolution with a scale canvas on it (one device
// unit per printer dot when the resolutions agree).
struct ScaleRecording {
    explicit ScaleRecording(int32_t dpi = 600) : recording(Caps(dpi), gdi::DeviceKind::Bitmap), canvas(&recording) {
        canvas.SetResolutionX(static_cast<float>(dpi / 25.4L));
        canvas.SetResolutionY(static_cast<float>(dpi / 25.4L));
    }
    static gdi::DeviceCaps Caps(int32_t dpi) {
        gdi::DeviceCaps caps;
        caps.logPixelsX = caps.logPixelsY = dpi;
        return caps;
    }
    gdi::RecordingCanvas recording;
    TScaleCanvas canvas;
};

struct LaidOut {
    bool ok = false;
    TSymbolLayout s;
    int32_t fontSize = 0;
};

// The layout of a barcode's symbol on the canvas (an unknown symbology has none).
inline LaidOut LayOut(TZRBarcode& barcode, TScaleCanvas& canvas) {
    LaidOut result;
    auto* symbology = dynamic_cast<TBarcodeSymbology*>(&barcode.Impl());
    if (!symbology) return result;
    result.ok = symbology->LayOut(canvas, result.s);
    result.fontSize = canvas.Font().Size();
    return result;
}

inline LaidOut LayOut(const BarcodeSetup& setup, int32_t dpi = 600) {
    TZRBarcode barcode;
    Apply(barcode, setup);
    ScaleRecording r(dpi);
    return LayOut(barcode, r.canvas);
}
