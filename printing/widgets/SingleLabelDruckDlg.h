#pragma once
// What the two print dialogs of one-label sheets share ("Drucken"): the
// printer with its type, port and comment and its properties, the number of
// copies (1 to 1000), the print range "Alle" or "Markierung", and "Bitmaps
// zeilenweise ausgeben". A chosen printer becomes current at once; when the
// dialog is cancelled the printer that was current before comes back with
// all of its settings.

#include "foundation/widgets/LocalizerForm.h"
#include "platform/printer/Printer.h"

#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QVBoxLayout;
class TQNSpinEdit;

class TSingleLabelDruckDlg : public TLocalizerDialog {
    Q_OBJECT
public:
    static constexpr int32_t kMostCopies = 1000;
    static constexpr uint8_t kOfferSelection = 1;

    int32_t Copies() const;
    void SetCopies(int32_t copies);
    bool SelectionOnly() const;

    // Keeps the printer and its settings, shows the dialog modally; OK saves
    // the options of the printer, anything else puts the kept printer back.
    int exec() override;

    void cbDruckerChange(int index);
    void BtnEigenschaftenClick();
    void cbUseScanlinesClick();

protected:
    explicit TSingleLabelDruckDlg(QWidget* parent);
    // Builds the common controls; the class adds its own groups to the layout
    // it is handed (between the range group and the scanlines box).
    void CreateControls(const std::function<void(QVBoxLayout&)>& addGroups);
    // Printer information and the printer's options into the controls.
    virtual void ShowPrinterInfo();
    // What OK keeps, after the common options are saved.
    virtual void Accepted() {}

    QGroupBox* gbDruckbereich_ = nullptr;
    QRadioButton* rbAlle_ = nullptr;
    QRadioButton* rbMarkierung_ = nullptr;
    QLabel* lblTyp_ = nullptr;

private:
    QComboBox* cbDrucker_ = nullptr;
    QLabel* lblOrt_ = nullptr;
    QLabel* lblKommentar_ = nullptr;
    TQNSpinEdit* edAnzahl_ = nullptr;
    QCheckBox* cbUseScanlines_ = nullptr;
};
