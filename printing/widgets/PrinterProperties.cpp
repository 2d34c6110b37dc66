// The printer settings dialog of TPrinterSupport: the properties of the
// current printer in the program's own window.
#include "printing/PrinterSupport.h"

#include "foundation/Localizer.h"
#include "platform/printer/Printer.h"
#include "printing/widgets/PrinterPropertiesDlg.h"

bool TPrinterSupport::ShowPrinterProperties(QWidget* owner) {
    gdi::Printer& printer = gdi::CurrentPrinter();
    if (!TPrinterPropertiesDlg::HasChoices(printer)) throw EPrinter(LocalizedText("IDS_PRINTSUPP1"));
    TPrinterPropertiesDlg dialog(printer, owner);
    return dialog.exec() == QDialog::Accepted;
}
