#include "printing/widgets/SingleLabelDruckDlg.h"

#include "controls/SpinEdit.h"
#include "controls/StatusFont.h"
#include "foundation/FillData.h"
#include "foundation/widgets/LocalizerForm.h"
#include "printing/PrinterOptions.h"
#include "printing/PrinterSupport.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

TSingleLabelDruckDlg::TSingleLabelDruckDlg(QWidget* parent) : TLocalizerDialog(parent) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Drucken"));
}

void TSingleLabelDruckDlg::CreateControls(const std::function<void(QVBoxLayout&)>& addGroups) {
    auto* gbDrucker = Named(new QGroupBox(QStringLiteral("Drucker"), this), "gbDrucker");
    cbDrucker_ = Named(new QComboBox(gbDrucker), "cbDrucker");
    const std::string current = gdi::CurrentPrinter().Name();
    int currentIndex = -1;
    for (const gdi::PrinterInfo& info : gdi::AvailablePrinters()) {
        cbDrucker_->addItem(QString::fromStdString(info.name));
        if (info.name == current) currentIndex = cbDrucker_->count() - 1;
    }
    cbDrucker_->setCurrentIndex(currentIndex);
    cbDrucker_->setMinimumWidth(240);
    auto* eigenschaften = Named(new QPushButton(QStringLiteral("&Eigenschaften"), gbDrucker), "BtnEigenschaften");
    lblTyp_ = Named(new QLabel(gbDrucker), "lblTyp");
    lblOrt_ = Named(new QLabel(gbDrucker), "lblOrt");
    lblKommentar_ = Named(new QLabel(gbDrucker), "lblKommentar");
    auto* printerGrid = new QGridLayout(gbDrucker);
    printerGrid->addWidget(Named(new QLabel(QStringLiteral("Name:"), gbDrucker), "lblNameTitel"), 0, 0);
    printerGrid->addWidget(cbDrucker_, 0, 1);
    printerGrid->addWidget(eigenschaften, 0, 2);
    printerGrid->addWidget(Named(new QLabel(QStringLiteral("Typ:"), gbDrucker), "lblTypTitel"), 1, 0);
    printerGrid->addWidget(lblTyp_, 1, 1, 1, 2);
    printerGrid->addWidget(Named(new QLabel(QStringLiteral("Ort:"), gbDrucker), "lblOrtTitel"), 2, 0);
    printerGrid->addWidget(lblOrt_, 2, 1, 1, 2);
    printerGrid->addWidget(Named(new QLabel(QStringLiteral("Kommentar:"), gbDrucker), "lblKommentarTitel"), 3, 0);
    printerGrid->addWidget(lblKommentar_, 3, 1, 1, 2);
    printerGrid->setColumnStretch(1, 1);

    auto* gbAnzahl = Named(new QGroupBox(QStringLiteral("Anzahl"), this), "gbAnzahl");
    edAnzahl_ = Named(new TQNSpinEdit(gbAnzahl), "edAnzahl");
    edAnzahl_->SetLimits(1, kMostCopies);
    edAnzahl_->SetValue(1);
    edAnzahl_->setFixedWidth(80);
    auto* countRow = new QHBoxLayout(gbAnzahl);
    countRow->addWidget(Named(new QLabel(QStringLiteral("Exemplare:"), gbAnzahl), "lblExemplare"));
    countRow->addWidget(edAnzahl_);
    countRow->addStretch(1);

    gbDruckbereich_ = Named(new QGroupBox(QStringLiteral("Druckbereich"), this), "gbDruckbereich");
    rbAlle_ = Named(new QRadioButton(QStringLiteral("Alle"), gbDruckbereich_), "rbAlle");
    rbMarkierung_ = Named(new QRadioButton(QStringLiteral("Markierung"), gbDruckbereich_), "rbMarkierung");
    rbAlle_->setChecked(true);
    rbMarkierung_->setEnabled(false);
    auto* rangeLayout = new QVBoxLayout(gbDruckbereich_);
    rangeLayout->addWidget(rbAlle_);
    rangeLayout->addWidget(rbMarkierung_);

    cbUseScanlines_ = Named(new QCheckBox(QStringLiteral("Bitmaps zeilenweise ausgeben"), this), "cbUseScanlines");
    auto* hinweis = Named(new QLabel(QStringLiteral("(bei Druckproblemen)"), this), "lblScanlinesHinweis");
    auto* ok = Named(new QPushButton(QStringLiteral("OK"), this), "BtnOK");
    auto* abbrechen = Named(new QPushButton(QStringLiteral("Abbrechen"), this), "BtnAbbrechen");
    ok->setDefault(true);

    auto* middle = new QHBoxLayout;
    middle->addWidget(gbAnzahl, 1);
    middle->addWidget(gbDruckbereich_, 1);
    auto* scanlines = new QHBoxLayout;
    scanlines->addWidget(cbUseScanlines_);
    scanlines->addWidget(hinweis);
    scanlines->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(abbrechen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbDrucker);
    layout->addLayout(middle);
    addGroups(*layout);
    layout->addLayout(scanlines);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cbDrucker_, &QComboBox::activated, this, [this](int index) { cbDruckerChange(index); });
    connect(eigenschaften, &QPushButton::clicked, this, [this] { BtnEigenschaftenClick(); });
    connect(cbUseScanlines_, &QCheckBox::clicked, this, [this] { cbUseScanlinesClick(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
}

int32_t TSingleLabelDruckDlg::Copies() const { return edAnzahl_->CheckValue(edAnzahl_->Value()); }

void TSingleLabelDruckDlg::SetCopies(int32_t copies) { edAnzahl_->SetValue(copies); }

bool TSingleLabelDruckDlg::SelectionOnly() const { return rbMarkierung_->isChecked(); }

void TSingleLabelDruckDlg::ShowPrinterInfo() {
    TPrinterInfo info;
    PrinterSupport().GetPrinterInfo(info);
    lblTyp_->setText(info.DriverName);
    lblOrt_->setText(info.PortName);
    lblKommentar_->setText(info.Comment);
    cbUseScanlines_->setChecked(ReadUseScanlines());
    UseScanlines = cbUseScanlines_->isChecked();
}

void TSingleLabelDruckDlg::cbDruckerChange(int index) {
    if (index < 0 || !gdi::SelectPrinter(cbDrucker_->itemText(index).toStdString())) return;
    PrinterSupport().ResetDeviceMode();
    ShowPrinterInfo();
}

void TSingleLabelDruckDlg::BtnEigenschaftenClick() { PrinterSupport().ShowPrinterProperties(this); }

void TSingleLabelDruckDlg::cbUseScanlinesClick() { UseScanlines = cbUseScanlines_->isChecked(); }

int TSingleLabelDruckDlg::exec() {
    const std::string printer = gdi::CurrentPrinter().Name();
    const gdi::PrinterSettings settings = gdi::CurrentPrinter().Settings();
    const int result = TLocalizerDialog::exec();
    if (result == QDialog::Accepted) {
        WriteUseScanlines(cbUseScanlines_->isChecked());
        Accepted();
        return result;
    }
    if (gdi::CurrentPrinter().Name() != printer) gdi::SelectPrinter(printer);
    if (gdi::CurrentPrinter().Name() == printer) gdi::CurrentPrinter().ApplySettings(settings);
    return result;
}
