#include "printing/widgets/PrinterPropertiesDlg.h"

#include "controls/DialogButtons.h"
#include "controls/StatusFont.h"
#include "foundation/Localizer.h"
#include "platform/printer/Printer.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

namespace {

QComboBox* ChoiceBox(QWidget* parent, const char* name) {
    auto* box = Named(new QComboBox(parent), name);
    box->setMinimumWidth(220);
    return box;
}

// Selects the entry whose data equals value, when there is one.
void SelectData(QComboBox* box, const QVariant& value) {
    const int index = box->findData(value);
    if (index >= 0) box->setCurrentIndex(index);
}

}  // namespace

TPrinterPropertiesDlg::TPrinterPropertiesDlg(gdi::Printer& printer, QWidget* parent)
    : TLocalizerDialog(parent), printer_(printer) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Druckereigenschaften"));
    cbPapier_ = ChoiceBox(this, "cbPapier");
    cbAufloesung_ = ChoiceBox(this, "cbAufloesung");
    cbFarbe_ = ChoiceBox(this, "cbFarbe");
    cbBeidseitig_ = ChoiceBox(this, "cbBeidseitig");
    auto* form = new QFormLayout;
    form->addRow(Named(new QLabel(QStringLiteral("Papier:"), this), "lblPapier"), cbPapier_);
    form->addRow(Named(new QLabel(QStringLiteral("Auflösung:"), this), "lblAufloesung"), cbAufloesung_);
    form->addRow(Named(new QLabel(QStringLiteral("Druckfarbe:"), this), "lblFarbe"), cbFarbe_);
    form->addRow(Named(new QLabel(QStringLiteral("Beidseitig drucken:"), this), "lblBeidseitig"), cbBeidseitig_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Named(new QLabel(QString::fromStdString(printer.Name()), this), "lblDruckername"));
    layout->addLayout(form);
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    AddOkCancel(this, layout, ok, cancel);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Localize();
}

bool TPrinterPropertiesDlg::HasChoices(const gdi::Printer& printer) {
    const gdi::PrinterChoices choices = printer.Choices();
    return !printer.Papers().empty() || choices.resolutions.size() > 1 || choices.colorOrGrey ||
           !choices.duplexModes.empty();
}

void TPrinterPropertiesDlg::AfterLocalize() { FillBoxes(); }

void TPrinterPropertiesDlg::accept() {
    ApplyChoices();
    TLocalizerDialog::accept();
}

// The entries in the language of the moment, each box at the printer's value;
// a box without a choice shows that value greyed.
void TPrinterPropertiesDlg::FillBoxes() {
    const gdi::PrinterChoices choices = printer_.Choices();
    const gdi::PrinterSettings now = printer_.Settings();

    cbPapier_->clear();
    for (const gdi::PaperInfo& paper : printer_.Papers())
        cbPapier_->addItem(QString::fromStdString(paper.name), QString::fromStdString(paper.key));
    if (cbPapier_->findData(QString::fromStdString(now.paper.key)) < 0 || now.paper.key.empty())
        cbPapier_->insertItem(0, QString::fromStdString(now.paper.name), QString());
    SelectData(cbPapier_, QString::fromStdString(now.paper.key));

    cbAufloesung_->clear();
    std::vector<int32_t> resolutions = choices.resolutions;
    if (std::find(resolutions.begin(), resolutions.end(), now.resolution) == resolutions.end())
        resolutions.push_back(now.resolution);
    std::sort(resolutions.begin(), resolutions.end());
    for (const int32_t dpi : resolutions)
        cbAufloesung_->addItem(LocalizedFormat("IDS_PRINTPROPDPI", {dpi}), dpi);
    SelectData(cbAufloesung_, now.resolution);
    cbAufloesung_->setEnabled(resolutions.size() > 1);

    cbFarbe_->clear();
    cbFarbe_->addItem(LocalizedText("IDS_PRINTPROPCOLOR"), true);
    cbFarbe_->addItem(LocalizedText("IDS_PRINTPROPGREY"), false);
    SelectData(cbFarbe_, now.color);
    cbFarbe_->setEnabled(choices.colorOrGrey);

    cbBeidseitig_->clear();
    cbBeidseitig_->addItem(LocalizedText("IDS_PRINTPROPSIMPLEX"), static_cast<int>(gdi::DuplexMode::None));
    for (const gdi::DuplexMode mode : choices.duplexModes)
        cbBeidseitig_->addItem(LocalizedText(mode == gdi::DuplexMode::LongSide ? "IDS_PRINTPROPLONGSIDE"
                                                                               : "IDS_PRINTPROPSHORTSIDE"),
                               static_cast<int>(mode));
    SelectData(cbBeidseitig_, static_cast<int>(now.duplex));
    cbBeidseitig_->setEnabled(!choices.duplexModes.empty());
}

void TPrinterPropertiesDlg::ApplyChoices() {
    const QString paperKey = cbPapier_->currentData().toString();
    if (!paperKey.isEmpty()) {
        for (const gdi::PaperInfo& paper : printer_.Papers())
            if (QString::fromStdString(paper.key) == paperKey) printer_.SelectPaper(paper);
    }
    if (cbAufloesung_->isEnabled()) printer_.SetResolution(cbAufloesung_->currentData().toInt());
    if (cbFarbe_->isEnabled()) printer_.SetColor(cbFarbe_->currentData().toBool());
    if (cbBeidseitig_->isEnabled())
        printer_.SetDuplex(static_cast<gdi::DuplexMode>(cbBeidseitig_->currentData().toInt()));
}
