// The printer settings dialog of TPrinterSupport: Qt's page settings dialog
// (paper, orientation, margins) on the current printer.
#include "printing/PrinterSupport.h"

#include "foundation/Localizer.h"
#include "platform/printer/Printer.h"

#include <QtPrintSupport/QPageSetupDialog>

bool TPrinterSupport::ShowPrinterProperties(QWidget* owner) {
    QPrinter* printer = gdi::CurrentPrinter().NativePrinter();
    if (!printer) throw EPrinter(LocalizedText("IDS_PRINTSUPP1"));
    QPageSetupDialog dialog(printer, owner);
    return dialog.exec() == QDialog::Accepted;
}
