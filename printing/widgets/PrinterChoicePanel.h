#pragma once
// The printer page of the sheet and serial print dialogs: the printers of the
// system (sorted), their settings, the print offsets in words with the
// print-position dialog, and "Bitmaps zeilenweise ausgeben" (fills sent to
// the printer in bands; kept per printer as "UseBMPScanlines").
//
// The chosen printer becomes current at once (with the driver's defaults,
// keeping orientation and paper); the box's state takes effect at once too.
// Its controls are named as the dialog's own, whose texts they take.

#include <QtWidgets/QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

class TPrinterChoicePanel : public QWidget {
    Q_OBJECT
public:
    explicit TPrinterChoicePanel(QWidget* dialog);

    // The offsets and the box, from the settings of the current printer.
    void ShowPrinterSettings();
    // The offsets in words (the language may have changed, or the offsets).
    void ShowOffsets();
    bool UseScanlines() const;
    // "UseBMPScanlines" of the current printer := the box.
    void SaveUseScanlines() const;

    QComboBox* PrinterBox() const { return cbDrucker_; }

    void cbDruckerChange(int index);
    void BtnDruckerEinrichtenClick();
    void BtnDruckpositionAendernClick();
    void cbUseScanlinesClick();

signals:
    void PrinterChanged();

private:
    QWidget* dialog_;
    QComboBox* cbDrucker_;
    QLabel* lblDruckpositionHorz_;
    QLabel* lblDruckpositionVert_;
    QCheckBox* cbUseScanlines_;
};

// "IDS_DLGDRUCKENCAPTION" and the current printer's name (" : " between them in French).
QString PrintDialogCaption();
