#include "richtext/model/EngineSettings.h"

#include "foundation/Codepage1252.h"
#include "platform/printer/Printer.h"
#include "richtext/model/TextHeader.h"

#include <QtCore/QLocale>

namespace {

TRtEngineSettings MakeSettings() {
    TRtEngineSettings s;
    for (int c = 0; c < 256; ++c) s.WordDelimiters[c] = c < 'A' && !(c >= '0' && c <= '9');
    for (int c = 0; c < 256; ++c) {
        int value = -1;
        if (c >= '0' && c <= '9') value = c - '0';
        if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
        if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
        if (value < 0) continue;
        s.IsHexDigit[c] = true;
        s.HexValue[c] = static_cast<uint8_t>(value);
        s.HexValue16[c] = static_cast<uint8_t>(value * 16);
    }
    const QString separator = QLocale().decimalPoint();
    s.LocaleDecimalSeparator = separator.isEmpty() ? '.' : UnicodeToCp1252(separator.at(0).unicode());
    s.PaperSizeMatcher = &PaperSizeFromTwips;
    return s;
}

}  // namespace

TRtEngineSettings& RtEngine() {
    static TRtEngineSettings settings = MakeSettings();
    return settings;
}

TRtEnginePrinter& EnginePrinter() {
    static TRtEnginePrinter printer;
    return printer;
}

void ReleaseEnginePrinterDC() {
    TRtEnginePrinter& p = EnginePrinter();
    p.ownContext = false;
    p.deviceName.clear();
}

void SelectEnginePrinter(const std::string& name) {
    TRtEnginePrinter& p = EnginePrinter();
    try {
        const auto printers = gdi::AvailablePrinters();
        p.noPrinter = printers.empty();
        if (p.noPrinter) return;
        if (p.ownContext) ReleaseEnginePrinterDC();
        if (SameTextAscii(name, "none")) return;
        if (!name.empty()) {
            for (const auto& info : printers) {
                if (info.name == name) gdi::SelectPrinter(name);
            }
        }
        gdi::Printer& printer = gdi::CurrentPrinter();
        const std::string device = printer.Name();
        if (device.empty()) {
            p.noPrinter = true;
            return;
        }
        const gdi::DeviceCaps caps = printer.Caps();
        p.dpiX = caps.logPixelsX > 0 ? caps.logPixelsX : kFallbackPrinterDpi;
        p.dpiY = caps.logPixelsY > 0 ? caps.logPixelsY : kFallbackPrinterDpi;
        p.deviceName = device;
        p.ownContext = true;
        RtEngine().PrinterKnown = true;
    } catch (...) {
        p.noPrinter = true;
    }
}

int32_t MaxInteger(int32_t a, int32_t b) { return a > b ? a : b; }
// The difference a - b, kept in range so that its sign is always right.
int32_t CompareIntegers(int32_t a, int32_t b) {
    const int64_t d = int64_t(a) - b;
    return d > INT32_MAX ? INT32_MAX : d < INT32_MIN ? INT32_MIN : static_cast<int32_t>(d);
}
