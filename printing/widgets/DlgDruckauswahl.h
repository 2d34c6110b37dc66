#pragma once
// The print dialog of multi-label sheets ("Drucken"): a wizard of four pages
// with "Weiter", "Zurück", "Drucken" and "Abbrechen": the printer, the designs
// to print, how many (labels of each design, or sheets to fill; designs kept
// together or taking turns), and the labels already missing on the first
// sheet. The print engine reads the answers after "Drucken". A document with
// one design never shows the design page.

#include "foundation/widgets/LocalizerForm.h"
#include "printing/PrintOptions.h"

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class TEtikett;
class TPrinterChoicePanel;
class TQDXIntegerEdit;
class TSheetMaskBox;
class TZRCtrlFocus;

class TDlgDruckauswahl : public TLocalizerDialog {
    Q_OBJECT
public:
    static constexpr int kPrinterPage = 0;
    static constexpr int kDesignPage = 1;
    static constexpr int kCountPage = 2;
    static constexpr int kFirstSheetPage = 3;
    static constexpr int kMaskLength = 1024;

    explicit TDlgDruckauswahl(QWidget* parent = nullptr);
    ~TDlgDruckauswahl() override;

    // A copy of the sheet for the first-sheet picture.
    void SetSheet(const TEtikett& sheet);
    // The designs to choose from (tab captions, Windows-1252); all selected.
    void SetDesigns(const std::vector<std::string>& captions);
    // The answers: the selected designs (their indexes in SetDesigns' order),
    // the count, keep-together and the first-sheet mask.
    void ReadOptions(TSheetPrintOptions& options) const;

    int Page() const;
    TSheetMaskBox& MaskBox() const { return *pbPreview_; }

    void cmdWeiterClick();
    void cmdZurueckClick();
    void cmdAlleClick();
    void OptionClick();
    void cmdKeinsFehltClick();
    void cmdAlleFehlenClick();
    void cmdDruckenClick();

protected:
    void AfterLocalize() override;

private:
    QWidget* CreatePrinterPage();
    QWidget* CreateDesignPage();
    QWidget* CreateCountPage();
    QWidget* CreateFirstSheetPage();
    void ShowPage(int page);
    bool OneDesign() const;

    QStackedWidget* nb_;
    TPrinterChoicePanel* printer_;
    QListWidget* lbEtikett_;
    QRadioButton* rbNrLabels_;
    QRadioButton* rbNrBoegen_;
    TQDXIntegerEdit* edNrLabel_;
    TQDXIntegerEdit* edNrBoegen_;
    QLabel* lLabel_;
    QLabel* lBoegen_;
    QCheckBox* cbZusammenhalten_;
    TSheetMaskBox* pbPreview_;
    QPushButton* cmdWeiter_;
    QPushButton* cmdZurueck_;
    QPushButton* cmdDrucken_;
    TZRCtrlFocus* focus_;
};
