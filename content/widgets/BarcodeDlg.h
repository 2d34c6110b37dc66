#pragma once
// The barcode dialog "Barcode bearbeiten": symbology, text and add-on,
// options and, with a linked data set, the field that gives the text, with a
// live preview of the symbol as it will print. It edits a barcode of its
// own; ShowBarcodeDlg copies the settings in and, on OK, back.

#include "content/barcode/ZRBarcode.h"
#include "foundation/widgets/LocalizerForm.h"

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class TDataSet;
class TLengthLimit;
class TZRCtrlFocus;
class TZREnterAsTab;

class TBarcodeDlg : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TBarcodeDlg(QWidget* parent = nullptr);
    ~TBarcodeDlg() override;

    TZRBarcode& PreviewBarcode() { return *barcode_; }
    // Not owned; none hides the field row.
    void SetDataSet(TDataSet* dataSet) { dataSet_ = dataSet; }

    // The controls take the barcode's settings.
    void FormShow();
    // The controls of the current symbology.
    void UpdateTypeControls();
    // The most characters that may be typed or pasted; 0 for no limit.
    int TextLimit() const;
    int AddOnLimit() const;
    void PaintPreview(QPainter& painter, const QSize& size);

    void cbTypChange();
    void edTextChange();
    void edZusatzChange();
    void chPruefzifferClick();
    void chTextAnzeigenClick();
    void chAECOCcompatibleClick();
    void cbDatenbankfelderChange();
    // Check boxes keep their colour when they have the focus.
    static void ZRCtrlFocus1BeforeFocus(QWidget* control, bool& changeColor);
    static void ZRCtrlFocus1AfterFocus(QWidget* control, bool& changeColor);

    // Sounds for a refused key; tests replace it.
    std::function<void()> Beep;

    QGroupBox* GroupBox2;
    QComboBox* cbTyp;
    QGroupBox* GroupBox3;
    QFrame* panDBFeld;
    QLabel* Label1;
    QComboBox* cbDatenbankfelder;
    QLabel* lblText;
    QLineEdit* edText;
    QLabel* lblZusatz;
    QLineEdit* edZusatz;
    QLabel* lblPruefziffer;
    QLabel* lblPruefzifferB;
    QLabel* lblValidEntriesB;
    QLabel* lblValidEntries;
    QGroupBox* GroupBox1;
    QCheckBox* chPruefziffer;
    QCheckBox* chTextAnzeigen;
    QCheckBox* chAECOCcompatible;
    QLabel* lblAECOC;
    QFrame* panPreview;
    QWidget* pbPreview;
    QPushButton* BtnOK;
    QPushButton* BtnAbbrechen;
    TZREnterAsTab* kEnterAsTab1;
    TZRCtrlFocus* ZRCtrlFocus1;

protected:
    void AfterLocalize() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void Connect();
    void FillFieldList();
    void SetTextEntryEnabled(bool on);
    // Runs the barcode's key filter on a typed key; false when refused.
    bool FilterTypedText(QLineEdit* edit, const QString& typed);
    std::string SelectedFieldName() const;

    TLengthLimit* textLimit_ = nullptr;
    TLengthLimit* addOnLimit_ = nullptr;
    std::unique_ptr<TZRBarcode> barcode_;
    TDataSet* dataSet_ = nullptr;
    bool shown_ = false;
};

// Runs the dialog on a copy of the barcode's settings (symbology, text,
// add-on, check digit, text shown, AECOC, data field); on OK they are
// copied back. True only for OK.
bool ShowBarcodeDlg(TZRBarcode& barcode, TDataSet* dataSet, QWidget* parent = nullptr);
inline bool EditBarcodeDialog(TZRBarcode& barcode, TDataSet* dataSet, QWidget* parent = nullptr) {
    return ShowBarcodeDlg(barcode, dataSet, parent);
}
