#include "printing/widgets/PrinterChoicePanel.h"

#include "foundation/FillData.h"
#include "foundation/Localizer.h"
#include "foundation/widgets/LocalizerForm.h"
#include "platform/printer/Printer.h"
#include "printing/DruckPositionData.h"
#include "printing/PrinterOptions.h"
#include "printing/PrinterSupport.h"
#include "printing/widgets/DlgDruckPosition2.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kFrenchLanguage = 2;

}  // namespace

QString PrintDialogCaption() {
    const QString separator = Localizer().LanguageIndex() == kFrenchLanguage ? QStringLiteral(" : ") : QStringLiteral(": ");
    return LocalizedText("IDS_DLGDRUCKENCAPTION") + separator + PrinterSupport().GetDeviceName();
}

TPrinterChoicePanel::TPrinterChoicePanel(QWidget* dialog) : QWidget(dialog), dialog_(dialog) {
    auto* lblDrucker = Named(new QLabel(QStringLiteral("Drucker:"), this), "lblDrucker");
    cbDrucker_ = Named(new QComboBox(this), "cbDrucker");
    QStringList names;
    for (const gdi::PrinterInfo& info : gdi::AvailablePrinters()) names << QString::fromStdString(info.name);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.localeAwareCompare(b) < 0; });
    cbDrucker_->addItems(names);
    cbDrucker_->setCurrentIndex(cbDrucker_->findText(PrinterSupport().GetDeviceName()));
    cbDrucker_->setMinimumWidth(220);
    auto* einrichten = Named(new QPushButton(QStringLiteral("Einrichten..."), this), "BtnDruckerEinrichten");

    auto* position = Named(new QGroupBox(QStringLiteral("Druckposition"), this), "gbDruckposition");
    lblDruckpositionHorz_ = Named(new QLabel(position), "lblDruckpositionHorz");
    lblDruckpositionVert_ = Named(new QLabel(position), "lblDruckpositionVert");
    auto* aendern = Named(new QPushButton(QStringLiteral("Ändern..."), position), "BtnDruckpositionAendern");
    auto* positionLayout = new QGridLayout(position);
    positionLayout->addWidget(lblDruckpositionHorz_, 0, 0);
    positionLayout->addWidget(lblDruckpositionVert_, 1, 0);
    positionLayout->addWidget(aendern, 0, 1, 2, 1, Qt::AlignVCenter);
    positionLayout->setColumnStretch(0, 1);

    cbUseScanlines_ = Named(new QCheckBox(QStringLiteral("Bitmaps zeilenweise ausgeben"), this), "cbUseScanlines");
    auto* hinweis = Named(new QLabel(QStringLiteral("(bei Druckproblemen)"), this), "lblScanlinesHinweis");

    auto* printerRow = new QHBoxLayout;
    printerRow->addWidget(cbDrucker_, 1);
    printerRow->addWidget(einrichten);
    auto* scanlinesRow = new QHBoxLayout;
    scanlinesRow->addWidget(cbUseScanlines_);
    scanlinesRow->addWidget(hinweis);
    scanlinesRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lblDrucker);
    layout->addLayout(printerRow);
    layout->addSpacing(8);
    layout->addWidget(position);
    layout->addSpacing(8);
    layout->addLayout(scanlinesRow);
    layout->addStretch(1);

    connect(cbDrucker_, &QComboBox::activated, this, [this](int index) { cbDruckerChange(index); });
    connect(einrichten, &QPushButton::clicked, this, [this] { BtnDruckerEinrichtenClick(); });
    connect(aendern, &QPushButton::clicked, this, [this] { BtnDruckpositionAendernClick(); });
    connect(cbUseScanlines_, &QCheckBox::clicked, this, [this] { cbUseScanlinesClick(); });
    ShowPrinterSettings();
}

void TPrinterChoicePanel::ShowOffsets() {
    const TDruckPositionData offsets(false);
    lblDruckpositionHorz_->setText(offsets.DescribeX());
    lblDruckpositionVert_->setText(offsets.DescribeY());
}

void TPrinterChoicePanel::ShowPrinterSettings() {
    ShowOffsets();
    cbUseScanlines_->setChecked(ReadUseScanlines());
    ::UseScanlines = cbUseScanlines_->isChecked();
}

bool TPrinterChoicePanel::UseScanlines() const { return cbUseScanlines_->isChecked(); }

void TPrinterChoicePanel::SaveUseScanlines() const { WriteUseScanlines(cbUseScanlines_->isChecked()); }

void TPrinterChoicePanel::cbDruckerChange(int index) {
    if (index < 0 || !gdi::SelectPrinter(cbDrucker_->itemText(index).toStdString())) return;
    PrinterSupport().ResetDeviceMode();
    ShowPrinterSettings();
    emit PrinterChanged();
}

void TPrinterChoicePanel::BtnDruckerEinrichtenClick() { PrinterSupport().ShowPrinterProperties(dialog_); }

void TPrinterChoicePanel::BtnDruckpositionAendernClick() {
    ShowDruckPositionDialog(dialog_);
    ShowOffsets();
}

void TPrinterChoicePanel::cbUseScanlinesClick() { ::UseScanlines = cbUseScanlines_->isChecked(); }
