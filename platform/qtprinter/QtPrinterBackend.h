#pragma once
// The printers of the system through Qt (CUPS) and the PDF printer, as the
// backend of the current printer (platform/printer/Printer.h). The program
// installs it at start-up; model code never sees Qt's printing module.

namespace gdi {

// Makes the Qt printers the printers of CurrentPrinter and SelectPrinter.
void InstallQtPrinters();

}  // namespace gdi
