#include "platform/qtprinter/QtPrinterBackend.h"

#include "platform/qtprinter/QtPrinter.h"

#include <QtPrintSupport/QPrinterInfo>

namespace gdi {

namespace {

class QtPrinterBackend : public PrinterBackend {
public:
    std::vector<PrinterInfo> SystemPrinters() const override {
        std::vector<PrinterInfo> printers;
        const QString defaultName = QPrinterInfo::defaultPrinterName();
        for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
            printers.push_back({info.printerName().toStdString(), false, info.printerName() == defaultName});
        return printers;
    }

    std::unique_ptr<Printer> Create(const std::string& name) const override {
        if (name == PdfPrinterName()) return QtPrinter::CreatePdf();
        return QtPrinter::CreateSystem(name);
    }
};

}  // namespace

void InstallQtPrinters() { SetPrinterBackend(std::make_unique<QtPrinterBackend>()); }

}  // namespace gdi
