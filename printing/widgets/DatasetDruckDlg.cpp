#include "printing/widgets/DatasetDruckDlg.h"

#include "controls/StatusFont.h"
#include "controls/ValidateEdit.h"
#include "document/Etikett.h"
#include "foundation/Codepage1252.h"
#include "foundation/Localizer.h"
#include "printing/DatasetPreview.h"
#include "printing/LabelPlacement.h"
#include "printing/widgets/PageHeading.h"
#include "printing/widgets/PreviewProgressDlg.h"
#include "printing/widgets/PrinterChoicePanel.h"
#include "printing/widgets/PrintPreviewDlg.h"
#include "printing/widgets/SheetMaskBox.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

namespace {

constexpr int32_t kMostCopies = 1000;
constexpr int32_t kMostNumber = 999999;

TQDXIntegerEdit* NumberEdit(QWidget* parent, const char* name) {
    auto* edit = Named(new TQDXIntegerEdit(parent), name);
    edit->SetLimits(1, kMostNumber);
    edit->SetValue(1);
    edit->setFixedWidth(70);
    return edit;
}

// The preview builder's view of the progress window.
class ProgressOfWindow : public TPreviewProgress {
public:
    explicit ProgressOfWindow(TPreviewProgressDlg& window) : window_(window) {}
    void SetText(const QString& text) override { window_.SetText(text); }
    void ProcessEvents() override { QCoreApplication::processEvents(); }
    bool ShowNow() const override { return window_.ShowNow(); }

private:
    TPreviewProgressDlg& window_;
};

}  // namespace

TDatasetDruckDlg::TDatasetDruckDlg(QWidget* parent) : TLocalizerDialog(parent) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Seriendruck"));
    panDrucker_ = CreatePrinterPanel();
    panDesign_ = CreateDesignPanel();
    panAnzahl_ = CreateCountPanel();
    panEtikettenauswahl_ = CreateFirstSheetPanel();

    auto* panBottom = Named(new QWidget(this), "panBottom");
    BtnZurueck_ = Named(new QPushButton(QStringLiteral("Zurück"), panBottom), "BtnZurueck");
    BtnWeiter_ = Named(new QPushButton(QStringLiteral("Weiter"), panBottom), "BtnWeiter");
    auto* abbrechen = Named(new QPushButton(QStringLiteral("Abbrechen"), panBottom), "BtnAbbrechen");
    BtnDruckvorschau_ = Named(new QPushButton(QStringLiteral("Druckvorschau"), panBottom), "BtnDruckvorschau");
    BtnWeiter_->setDefault(true);
    auto* buttons = new QHBoxLayout(panBottom);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(BtnDruckvorschau_);
    buttons->addStretch(1);
    buttons->addWidget(BtnZurueck_);
    buttons->addWidget(BtnWeiter_);
    buttons->addSpacing(12);
    buttons->addWidget(abbrechen);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* panel : {panDrucker_, panDesign_, panAnzahl_, panEtikettenauswahl_}) {
        layout->addWidget(panel, 1);
        panel->hide();
    }
    layout->addWidget(panBottom);
    setMinimumSize(480, 420);

    connect(BtnWeiter_, &QPushButton::clicked, this, [this] { BtnWeiterClick(); });
    connect(BtnZurueck_, &QPushButton::clicked, this, [this] { BtnZurueckClick(); });
    connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnDruckvorschau_, &QPushButton::clicked, this, [this] { BtnDruckvorschauClick(); });
    connect(printer_, &TPrinterChoicePanel::PrinterChanged, this, [this] { setWindowTitle(PrintDialogCaption()); });
    BtnDruckvorschau_->setVisible(false);
    pbPreview_->SetMask("1");
    Localize();
}

TDatasetDruckDlg::~TDatasetDruckDlg() = default;

QWidget* TDatasetDruckDlg::CreatePrinterPanel() {
    auto* panel = Named(new QWidget(this), "panDrucker");
    printer_ = new TPrinterChoicePanel(this);
    printer_->setParent(panel);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(PageHeading(panel, "lblDruckerTitel", QStringLiteral("Mit welchem Drucker soll gedruckt werden?")));
    layout->addWidget(printer_, 1);
    return panel;
}

QWidget* TDatasetDruckDlg::CreateDesignPanel() {
    auto* panel = Named(new QWidget(this), "panDesign");
    lbDesign_ = Named(new QListWidget(panel), "lbDesign");
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(PageHeading(panel, "lblDesignTitel", QStringLiteral("Welches Design soll gedruckt werden?")));
    layout->addWidget(lbDesign_, 1);
    return panel;
}

QWidget* TDatasetDruckDlg::CreateCountPanel() {
    auto* panel = Named(new QWidget(this), "panAnzahl");
    rbDatensaetzeAlle_ = Named(new QRadioButton(QStringLiteral("Alle Datensätze"), panel), "rbDatensaetzeAlle");
    rbDatensaetzeVonBis_ = Named(new QRadioButton(QStringLiteral("Datensatz von"), panel), "rbDatensaetzeVonBis");
    rbSeiteVonBis_ = Named(new QRadioButton(QStringLiteral("Seite von"), panel), "rbSeiteVonBis");
    rbDatensaetzeAlle_->setChecked(true);
    edDSVon_ = NumberEdit(panel, "edDSVon");
    edDSBis_ = NumberEdit(panel, "edDSBis");
    edSeiteVon_ = NumberEdit(panel, "edSeiteVon");
    edSeiteBis_ = NumberEdit(panel, "edSeiteBis");
    edAnzahl_ = NumberEdit(panel, "edAnzahl");
    edAnzahl_->SetLimits(1, kMostCopies);
    auto* grid = new QGridLayout;
    grid->addWidget(rbDatensaetzeAlle_, 0, 0, 1, 4);
    grid->addWidget(rbDatensaetzeVonBis_, 1, 0);
    grid->addWidget(edDSVon_, 1, 1);
    grid->addWidget(Named(new QLabel(QStringLiteral("bis"), panel), "lblDSBis"), 1, 2);
    grid->addWidget(edDSBis_, 1, 3);
    grid->addWidget(rbSeiteVonBis_, 2, 0);
    grid->addWidget(edSeiteVon_, 2, 1);
    grid->addWidget(Named(new QLabel(QStringLiteral("bis"), panel), "lblSeiteBis"), 2, 2);
    grid->addWidget(edSeiteBis_, 2, 3);
    grid->setColumnStretch(4, 1);
    auto* copies = new QHBoxLayout;
    copies->addWidget(Named(new QLabel(QStringLiteral("Anzahl gleicher Etiketten"), panel), "lblAnzahl"));
    copies->addWidget(edAnzahl_);
    copies->addStretch(1);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(PageHeading(panel, "lblAnzahlTitel", QStringLiteral("Wieviele Etiketten sollen gedruckt werden?")));
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(copies);
    layout->addWidget(Named(new QLabel(QStringLiteral("jeweils identische Etiketten werden gedruckt"), panel),
                            "lblAnzahlHinweis"));
    layout->addStretch(1);
    for (TQDXIntegerEdit* edit : {edDSVon_, edDSBis_})
        connect(edit, &QLineEdit::textEdited, this, [this] { rbDatensaetzeVonBis_->setChecked(true); });
    for (TQDXIntegerEdit* edit : {edSeiteVon_, edSeiteBis_})
        connect(edit, &QLineEdit::textEdited, this, [this] { rbSeiteVonBis_->setChecked(true); });
    return panel;
}

QWidget* TDatasetDruckDlg::CreateFirstSheetPanel() {
    auto* panel = Named(new QWidget(this), "panEtikettenauswahl");
    pbPreview_ = new TSheetMaskBox(panel);
    auto* keins = Named(new QPushButton(QStringLiteral("Kein Etikett fehlt"), panel), "BtnKeinsFehlt");
    auto* alle = Named(new QPushButton(QStringLiteral("Alle fehlen"), panel), "BtnAlleFehlen");
    connect(keins, &QPushButton::clicked, this, [this] { BtnKeinsFehltClick(); });
    connect(alle, &QPushButton::clicked, this, [this] { BtnAlleFehlenClick(); });
    auto* side = new QVBoxLayout;
    side->addWidget(keins);
    side->addWidget(alle);
    side->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(pbPreview_, 1);
    row->addLayout(side);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(PageHeading(panel, "lblFehlenTitel", QStringLiteral("Welche Etiketten fehlen auf dem ersten Bogen?")));
    layout->addLayout(row, 1);
    return panel;
}

void TDatasetDruckDlg::AfterLocalize() {
    setWindowTitle(PrintDialogCaption());
    printer_->ShowOffsets();
    ShowNextCaption();
}

void TDatasetDruckDlg::showEvent(QShowEvent* event) {
    TLocalizerDialog::showEvent(event);
    CollectPanels();
    ShowPanel(0);
}

void TDatasetDruckDlg::SetDocument(TPrintSource* source, TPrintRecordSet* records) {
    source_ = source;
    records_ = records;
    BtnDruckvorschau_->setVisible(source_ && records_);
}

void TDatasetDruckDlg::SetSheet(const TEtikett& sheet) {
    pbPreview_->SetSheet(sheet);
    pbPreview_->SetMask(std::string(static_cast<size_t>(LabelPositionsOf(sheet)), '1'));
    if (int64_t{sheet.Columns} * sheet.Rows == 1) RemovePanel(kFirstSheetPanel);
}

void TDatasetDruckDlg::SetDesigns(const std::vector<std::string>& captions, int32_t selected) {
    lbDesign_->clear();
    for (const std::string& caption : captions) lbDesign_->addItem(AnsiToUnicode(caption));
    lbDesign_->setCurrentRow(std::clamp(selected, 0, std::max(lbDesign_->count() - 1, 0)));
    if (captions.size() < 2) RemovePanel(kDesignPanel);
}

void TDatasetDruckDlg::RemovePanel(uint8_t panel) { panelSet_ &= static_cast<uint8_t>(~panel); }

void TDatasetDruckDlg::CollectPanels() {
    for (QWidget* panel : panels_) panel->hide();
    panels_ = {panDrucker_};
    if (panelSet_ & kDesignPanel) panels_.push_back(panDesign_);
    if (panelSet_ & kCountPanel) panels_.push_back(panAnzahl_);
    if (panelSet_ & kFirstSheetPanel) panels_.push_back(panEtikettenauswahl_);
    panelIndex_ = -1;
}

void TDatasetDruckDlg::ShowPanel(int index) {
    if (panels_.empty()) CollectPanels();
    index = std::clamp(index, 0, static_cast<int>(panels_.size()) - 1);
    if (panelIndex_ >= 0 && panelIndex_ < static_cast<int>(panels_.size())) {
        panels_[static_cast<size_t>(panelIndex_)]->hide();
        panels_[static_cast<size_t>(panelIndex_)]->setEnabled(false);
    }
    panelIndex_ = index;
    panels_[static_cast<size_t>(index)]->setEnabled(true);
    panels_[static_cast<size_t>(index)]->show();
    BtnZurueck_->setEnabled(index > 0);
    ShowNextCaption();
}

void TDatasetDruckDlg::ShowNextCaption() {
    const bool last = panelIndex_ >= 0 && panelIndex_ == static_cast<int>(panels_.size()) - 1;
    BtnWeiter_->setText(LocalizedText(last ? "IDS_DRUCKEN" : "IDS_WEITER"));
}

void TDatasetDruckDlg::BtnWeiterClick() {
    if (panelIndex_ >= static_cast<int>(panels_.size()) - 1) {
        printer_->SaveUseScanlines();
        accept();
        return;
    }
    ShowPanel(panelIndex_ + 1);
}

void TDatasetDruckDlg::BtnZurueckClick() {
    if (panelIndex_ > 0) ShowPanel(panelIndex_ - 1);
}

TRecordRangeKind TDatasetDruckDlg::RangeKind() const {
    if (rbSeiteVonBis_->isChecked()) return TRecordRangeKind::Pages;
    if (rbDatensaetzeVonBis_->isChecked()) return TRecordRangeKind::Records;
    return TRecordRangeKind::AllRecords;
}

void TDatasetDruckDlg::SetRangeKind(TRecordRangeKind kind) {
    switch (kind) {
    case TRecordRangeKind::AllRecords: rbDatensaetzeAlle_->setChecked(true); break;
    case TRecordRangeKind::Records: rbDatensaetzeVonBis_->setChecked(true); break;
    case TRecordRangeKind::Pages: rbSeiteVonBis_->setChecked(true); break;
    }
}

int32_t TDatasetDruckDlg::RecordFrom() const { return edDSVon_->Value(); }

void TDatasetDruckDlg::SetRecordFrom(int32_t n) {
    edDSVon_->SetValue(n);
    edDSVon_->SetLowerLimit(n);
    edDSBis_->SetLowerLimit(n);
}

int32_t TDatasetDruckDlg::RecordTo() const { return edDSBis_->Value(); }

void TDatasetDruckDlg::SetRecordTo(int32_t n) {
    edDSBis_->SetValue(n);
    edDSVon_->SetUpperLimit(n);
    edDSBis_->SetUpperLimit(n);
}

int32_t TDatasetDruckDlg::PageFrom() const { return edSeiteVon_->Value(); }

void TDatasetDruckDlg::SetPageFrom(int32_t n) {
    edSeiteVon_->SetValue(n);
    edSeiteVon_->SetLowerLimit(n);
    edSeiteBis_->SetLowerLimit(n);
}

int32_t TDatasetDruckDlg::PageTo() const { return edSeiteBis_->Value(); }

void TDatasetDruckDlg::SetPageTo(int32_t n) {
    edSeiteBis_->SetValue(n);
    edSeiteVon_->SetUpperLimit(n);
    edSeiteBis_->SetUpperLimit(n);
}

int32_t TDatasetDruckDlg::CopiesPerRecord() const { return std::clamp(edAnzahl_->Value(), 1, kMostCopies); }

void TDatasetDruckDlg::SetCopiesPerRecord(int32_t n) { edAnzahl_->SetValue(n); }

TDatasetPrintOptions TDatasetDruckDlg::Options() const {
    TDatasetPrintOptions options;
    options.Design = std::max(lbDesign_->currentRow(), 0);
    options.RangeKind = RangeKind();
    options.RecordFrom = RecordFrom();
    options.RecordTo = RecordTo();
    options.PageFrom = PageFrom();
    options.PageTo = PageTo();
    options.CopiesPerRecord = CopiesPerRecord();
    options.Mask = pbPreview_->Mask();
    return options;
}

void TDatasetDruckDlg::BtnKeinsFehltClick() { pbPreview_->FillMask('1'); }

void TDatasetDruckDlg::BtnAlleFehlenClick() { pbPreview_->FillMask('0'); }

void TDatasetDruckDlg::BtnDruckvorschauClick() {
    if (!source_ || !records_ || building_) return;
    std::vector<QString> files;
    {
        building_ = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{building_};
        const TDatasetPrintOptions options = Options();
        TPreviewProgressDlg progress(this);
        progress.Run([&](TPreviewProgressDlg& window) {
            ProgressOfWindow report(window);
            files = BuildDatasetPreview(*source_, *records_, options, report);
        });
    }
    ShowPrintPreview(files, this);
    for (const QString& file : files) QFile::remove(file);
}
