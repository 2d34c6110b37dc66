#pragma once
// The print dialog of one-label sheets: printer, copies and the range "Alle",
// "Markierung" (the selected figures of the current design) or "Seiten" from
// .. to (the designs by their number). The ranges beyond "Alle" appear only
// when offered. An emptied page number takes the other one.

#include "printing/PrintOptions.h"
#include "printing/widgets/SingleLabelDruckDlg.h"

class QLabel;
class TQDXIntegerEdit;

class TZRDruckDlg : public TSingleLabelDruckDlg {
    Q_OBJECT
public:
    static constexpr uint8_t kOfferPages = 2;

    explicit TZRDruckDlg(QWidget* parent = nullptr);

    // Bit 0 offers "Markierung", bit 1 shows "Seiten" with its numbers.
    void SetOptions(uint8_t options);
    TPrintRange PrintRange() const;
    int32_t FromPage() const;
    void SetFromPage(int32_t page);
    int32_t ToPage() const;
    void SetToPage(int32_t page);

    void edVonChange();
    void edBisChange();

protected:
    void Accepted() override;

private:
    QRadioButton* rbSeiten_;
    QLabel* lblVon_;
    QLabel* lblBis_;
    TQDXIntegerEdit* edVon_;
    TQDXIntegerEdit* edBis_;
    bool vonEntered_ = false;
    bool bisEntered_ = false;
};
