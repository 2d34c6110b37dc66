#pragma once
// The printer choice of the document window's printer set-up ("Drucker
// auswählen"): the printers of the system and the PDF printer. A click makes
// the printer current at once, reset to its driver's defaults, whether the
// window is then closed with OK or "Abbrechen"; "Einstellungen..." opens the
// current printer's settings.

#include "foundation/widgets/LocalizerForm.h"

class QListWidget;
class QListWidgetItem;

class TDlgSelPrinter : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TDlgSelPrinter(QWidget* parent = nullptr);

    QListWidget* PrinterList() const { return lbDrucker_; }

    void lbDruckerClick(QListWidgetItem* item);
    void cmdEinstellungClick();

private:
    QListWidget* lbDrucker_;
};

// Shows the window modally; its result (QDialog::Accepted or Rejected).
int ExecuteSelPrinter(QWidget* parent = nullptr);
