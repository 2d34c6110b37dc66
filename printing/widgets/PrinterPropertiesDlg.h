#pragma once
// The properties of the current printer ("Druckereigenschaften"): its paper,
// resolution, colour or grey and two-sided printing, each as far as the
// printer's driver offers a choice. OK puts the chosen values on the printer;
// "Abbrechen" leaves it as it was.

#include "foundation/widgets/LocalizerForm.h"

namespace gdi {
class Printer;
}

class QComboBox;

class TPrinterPropertiesDlg : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TPrinterPropertiesDlg(gdi::Printer& printer, QWidget* parent = nullptr);

    // Whether the printer offers anything to choose.
    static bool HasChoices(const gdi::Printer& printer);

    QComboBox* PaperBox() const { return cbPapier_; }
    QComboBox* ResolutionBox() const { return cbAufloesung_; }
    QComboBox* ColorBox() const { return cbFarbe_; }
    QComboBox* DuplexBox() const { return cbBeidseitig_; }

    // OK: the chosen values go onto the printer.
    void accept() override;

protected:
    void AfterLocalize() override;

private:
    void FillBoxes();
    void ApplyChoices();

    gdi::Printer& printer_;
    QComboBox* cbPapier_;
    QComboBox* cbAufloesung_;
    QComboBox* cbFarbe_;
    QComboBox* cbBeidseitig_;
};
