#pragma once
// The print dialog of disc-label sheets whose regions are printed one by one:
// printer, copies, "Alle" or "Markierung", and the print style "Tintenstrahl-
// drucker" (drawn as it is) or "Laserdrucker (und bei Druckproblemen)" (each
// region through a 300-dpi bitmap). The style is kept per printer; the first
// time a printer is used the dialog asks whether it is an ink-jet printer.

#include "printing/widgets/SingleLabelDruckDlg.h"

#include <functional>

class QRadioButton;

class TCILDruckDlg : public TSingleLabelDruckDlg {
    Q_OBJECT
public:
    // Asks the question whether the printer is an ink-jet printer, over the
    // window the dialog belongs to (the main window).
    using InkjetQuestion = std::function<bool(QWidget* parent, const QString& question)>;
    static void SetInkjetQuestion(InkjetQuestion question);

    explicit TCILDruckDlg(QWidget* parent = nullptr);

    // Bit 0 offers "Markierung".
    void SetOptions(uint8_t options);
    // 0 ink-jet, 1 page as bitmap, 2 neither chosen.
    int32_t PrintStyle() const;
    // 0 or 1 checks that style; other values change nothing.
    void SetPrintStyle(int32_t style);

protected:
    void ShowPrinterInfo() override;
    void Accepted() override;

private:
    QRadioButton* rbNormal_ = nullptr;
    QRadioButton* rbSeiteAlsBitmap_ = nullptr;
};
