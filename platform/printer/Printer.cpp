#include "platform/printer/Printer.h"

#include <stdexcept>

namespace gdi {

namespace {

std::unique_ptr<Printer>& Current() {
    static std::unique_ptr<Printer> current;
    return current;
}

std::unique_ptr<PrinterBackend>& Backend() {
    static std::unique_ptr<PrinterBackend> backend;
    return backend;
}

const PrinterBackend& InstalledBackend() {
    if (!Backend()) throw std::logic_error("No printer backend is installed");
    return *Backend();
}

std::unique_ptr<Printer> Create(const std::string& name) { return InstalledBackend().Create(name); }

}  // namespace

void SetPrinterBackend(std::unique_ptr<PrinterBackend> backend) { Backend() = std::move(backend); }

std::string PdfPrinterName() { return "PDF"; }

std::vector<PrinterInfo> AvailablePrinters() {
    std::vector<PrinterInfo> printers;
    for (PrinterInfo& info : InstalledBackend().SystemPrinters()) {
        if (info.name == PdfPrinterName()) continue;  // the name belongs to our own PDF printer
        printers.push_back({std::move(info.name), false, info.isDefault});
    }
    bool anyDefault = false;
    for (const PrinterInfo& p : printers) anyDefault = anyDefault || p.isDefault;
    printers.push_back({PdfPrinterName(), true, !anyDefault});
    return printers;
}

Printer& CurrentPrinter() {
    std::unique_ptr<Printer>& current = Current();
    if (!current) {
        for (const PrinterInfo& info : AvailablePrinters()) {
            if (info.isDefault) current = Create(info.name);
            if (current) break;
        }
        if (!current) current = Create(PdfPrinterName());
    }
    return *current;
}

bool SelectPrinter(const std::string& name) {
    for (const PrinterInfo& info : AvailablePrinters()) {
        if (info.name != name) continue;
        std::unique_ptr<Printer> printer = Create(name);
        if (!printer) return false;
        Current() = std::move(printer);
        return true;
    }
    return false;
}

void SetCurrentPrinter(std::unique_ptr<Printer> printer) { Current() = std::move(printer); }

}  // namespace gdi

int32_t PrinterDpiX() {
    const int32_t dpi = gdi::CurrentPrinter().Caps().logPixelsX;
    return dpi > 0 ? dpi : kFallbackPrinterDpi;
}

int32_t PrinterDpiY() {
    const int32_t dpi = gdi::CurrentPrinter().Caps().logPixelsY;
    return dpi > 0 ? dpi : kFallbackPrinterDpi;
}
