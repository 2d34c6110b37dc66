#pragma once
// The printers of the system and the current printer. Besides the CUPS
// printers there is always one PDF printer, so a printer is always present.
// A print job draws through the canvas of the current printer: device units
// are printer pixels, the origin is the top-left corner of the printable area.

#include "platform/gdi/Canvas.h"

#include <memory>
#include <string>
#include <vector>

namespace gdi {

struct PrinterInfo {
    std::string name;
    bool isPdf = false;
    bool isDefault = false;
};

enum class PageOrientation { Portrait = 0, Landscape = 1 };

class Printer {
public:
    virtual ~Printer() = default;

    virtual std::string Name() const = 0;
    // The device values of the current settings, also when no job runs.
    virtual DeviceCaps Caps() const = 0;
    virtual PageOrientation Orientation() const = 0;
    virtual void SetOrientation(PageOrientation o) = 0;
    // Paper size in millimetres (portrait).
    virtual void SetPaperSizeMM(double width, double height) = 0;
    virtual int32_t Copies() const = 0;
    virtual void SetCopies(int32_t copies) = 0;

    // A job. For the PDF printer the output file must be set first.
    virtual void SetOutputFile(const std::string& fileName) = 0;
    virtual bool BeginDoc(const std::string& title) = 0;
    virtual void NewPage() = 0;
    virtual bool EndDoc() = 0;
    virtual void Abort() = 0;
    virtual bool Printing() const = 0;
    // The canvas of the running job (the same object for the whole job).
    virtual Canvas& GetCanvas() = 0;
};

// All printers: the system's, then the PDF printer.
std::vector<PrinterInfo> AvailablePrinters();
// The name of the always-present PDF printer.
std::string PdfPrinterName();

// The current printer, created on first use for the system's default printer
// (the PDF printer when there is none).
Printer& CurrentPrinter();
// Makes the named printer current; false when there is no such printer.
bool SelectPrinter(const std::string& name);
// Replaces the current printer (tests use fakes of any resolution).
void SetCurrentPrinter(std::unique_ptr<Printer> printer);

}  // namespace gdi
