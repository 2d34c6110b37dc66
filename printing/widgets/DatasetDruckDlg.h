#pragma once
// The dialog of serial printing ("Seriendruck"): a wizard over the panels
// printer, design, count and first sheet, with "Weiter" ("Drucken" on the
// last panel), "Zurück", "Abbrechen" and "Druckvorschau". The count is all
// records, a range of record numbers or a range of pages, with a number of
// equal labels per record. Panels that have nothing to ask are left out: the
// design panel with one design, the count panel with one record, the
// first-sheet panel for one-label sheets.

#include "foundation/widgets/LocalizerForm.h"
#include "printing/PrintOptions.h"

#include <QtCore/QString>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class TEtikett;
class TPrintRecordSet;
class TPrintSource;
class TPrinterChoicePanel;
class TQDXIntegerEdit;
class TSheetMaskBox;

class TDatasetDruckDlg : public TLocalizerDialog {
    Q_OBJECT
public:
    static constexpr uint8_t kDesignPanel = 2;
    static constexpr uint8_t kCountPanel = 4;
    static constexpr uint8_t kFirstSheetPanel = 8;

    explicit TDatasetDruckDlg(QWidget* parent = nullptr);
    ~TDatasetDruckDlg() override;

    // With a document the preview can be built; without one there is no preview button.
    void SetDocument(TPrintSource* source, TPrintRecordSet* records);
    // A copy of the sheet; the mask starts with every label present.
    void SetSheet(const TEtikett& sheet);
    void SetDesigns(const std::vector<std::string>& captions, int32_t selected);
    void RemovePanel(uint8_t panel);

    TRecordRangeKind RangeKind() const;
    void SetRangeKind(TRecordRangeKind kind);
    int32_t RecordFrom() const;
    void SetRecordFrom(int32_t n);
    int32_t RecordTo() const;
    void SetRecordTo(int32_t n);
    int32_t PageFrom() const;
    void SetPageFrom(int32_t n);
    int32_t PageTo() const;
    void SetPageTo(int32_t n);
    int32_t CopiesPerRecord() const;
    void SetCopiesPerRecord(int32_t n);
    TSheetMaskBox& MaskBox() const { return *pbPreview_; }
    // All answers as the engine reads them.
    TDatasetPrintOptions Options() const;

    // The panels in use, in order; the index of the one shown.
    std::vector<QWidget*> Panels() const { return panels_; }
    int PanelIndex() const { return panelIndex_; }
    void ShowPanel(int index);

    void BtnWeiterClick();
    void BtnZurueckClick();
    void BtnDruckvorschauClick();
    void BtnKeinsFehltClick();
    void BtnAlleFehlenClick();

protected:
    void AfterLocalize() override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreatePrinterPanel();
    QWidget* CreateDesignPanel();
    QWidget* CreateCountPanel();
    QWidget* CreateFirstSheetPanel();
    void CollectPanels();
    void ShowNextCaption();

    TPrintSource* source_ = nullptr;
    TPrintRecordSet* records_ = nullptr;
    uint8_t panelSet_ = 15;
    std::vector<QWidget*> panels_;
    int panelIndex_ = -1;
    bool building_ = false;

    QWidget* panDrucker_;
    QWidget* panDesign_;
    QWidget* panAnzahl_;
    QWidget* panEtikettenauswahl_;
    TPrinterChoicePanel* printer_;
    QListWidget* lbDesign_;
    QRadioButton* rbDatensaetzeAlle_;
    QRadioButton* rbDatensaetzeVonBis_;
    QRadioButton* rbSeiteVonBis_;
    TQDXIntegerEdit* edDSVon_;
    TQDXIntegerEdit* edDSBis_;
    TQDXIntegerEdit* edSeiteVon_;
    TQDXIntegerEdit* edSeiteBis_;
    TQDXIntegerEdit* edAnzahl_;
    TSheetMaskBox* pbPreview_;
    QPushButton* BtnWeiter_;
    QPushButton* BtnZurueck_;
    QPushButton* BtnDruckvorschau_;
};
