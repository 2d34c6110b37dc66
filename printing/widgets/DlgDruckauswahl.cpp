#include "printing/widgets/DlgDruckauswahl.h"

#include "controls/CtrlFocus.h"
#include "controls/StatusFont.h"
#include "controls/ValidateEdit.h"
#include "document/Etikett.h"
#include "foundation/Codepage1252.h"
#include "printing/widgets/PageHeading.h"
#include "printing/widgets/PrinterChoicePanel.h"
#include "printing/widgets/SheetMaskBox.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr int32_t kMostCount = 99999;

TQDXIntegerEdit* CountEdit(QWidget* parent, const char* name) {
    auto* edit = Named(new TQDXIntegerEdit(parent), name);
    edit->SetLimits(1, kMostCount);
    edit->SetValue(1);
    edit->setFixedWidth(70);
    return edit;
}

}  // namespace

TDlgDruckauswahl::TDlgDruckauswahl(QWidget* parent) : TLocalizerDialog(parent) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Drucken"));
    nb_ = Named(new QStackedWidget(this), "nb");
    nb_->addWidget(CreatePrinterPage());
    nb_->addWidget(CreateDesignPage());
    nb_->addWidget(CreateCountPage());
    nb_->addWidget(CreateFirstSheetPage());

    cmdZurueck_ = Named(new QPushButton(QStringLiteral("Zurück"), this), "cmdZurueck");
    cmdWeiter_ = Named(new QPushButton(QStringLiteral("Weiter"), this), "cmdWeiter");
    cmdDrucken_ = Named(new QPushButton(QStringLiteral("Drucken"), this), "cmdDrucken");
    auto* cmdAbbruch = Named(new QPushButton(QStringLiteral("Abbrechen"), this), "cmdAbbruch");
    cmdWeiter_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdZurueck_);
    buttons->addWidget(cmdWeiter_);
    buttons->addWidget(cmdDrucken_);
    buttons->addSpacing(12);
    buttons->addWidget(cmdAbbruch);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nb_, 1);
    layout->addLayout(buttons);
    setMinimumSize(460, 400);

    connect(cmdZurueck_, &QPushButton::clicked, this, [this] { cmdZurueckClick(); });
    connect(cmdWeiter_, &QPushButton::clicked, this, [this] { cmdWeiterClick(); });
    connect(cmdDrucken_, &QPushButton::clicked, this, [this] { cmdDruckenClick(); });
    connect(cmdAbbruch, &QPushButton::clicked, this, &QDialog::reject);
    connect(printer_, &TPrinterChoicePanel::PrinterChanged, this, [this] { setWindowTitle(PrintDialogCaption()); });
    focus_ = new TZRCtrlFocus(this);

    ShowPage(kPrinterPage);
    OptionClick();
    pbPreview_->SetMask(std::string(kMaskLength, '1'));
    Localize();
}

TDlgDruckauswahl::~TDlgDruckauswahl() = default;

QWidget* TDlgDruckauswahl::CreatePrinterPage() {
    auto* page = new QWidget;
    printer_ = new TPrinterChoicePanel(this);
    printer_->setParent(page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PageHeading(page, "lblDruckerTitel", QStringLiteral("Mit welchem Drucker soll gedruckt werden?")));
    layout->addWidget(printer_, 1);
    return page;
}

QWidget* TDlgDruckauswahl::CreateDesignPage() {
    auto* page = new QWidget;
    lbEtikett_ = Named(new QListWidget(page), "lbEtikett");
    lbEtikett_->setSelectionMode(QAbstractItemView::MultiSelection);
    auto* cmdAlle = Named(new QPushButton(QStringLiteral("alle"), page), "cmdAlle");
    connect(cmdAlle, &QPushButton::clicked, this, [this] { cmdAlleClick(); });
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PageHeading(page, "lblDesignTitel", QStringLiteral("Welche Designs sollen gedruckt werden?")));
    layout->addWidget(lbEtikett_, 1);
    layout->addWidget(cmdAlle, 0, Qt::AlignLeft);
    return page;
}

QWidget* TDlgDruckauswahl::CreateCountPage() {
    auto* page = new QWidget;
    rbNrLabels_ = Named(new QRadioButton(QStringLiteral("Anzahl Einzeldesigns"), page), "rbNrLabels");
    rbNrBoegen_ = Named(new QRadioButton(QStringLiteral("Anzahl Bögen"), page), "rbNrBoegen");
    rbNrLabels_->setChecked(true);
    edNrLabel_ = CountEdit(page, "edNrLabel");
    edNrBoegen_ = CountEdit(page, "edNrBoegen");
    lLabel_ = Named(new QLabel(QStringLiteral("Einzeldesigns werden von jedem Typ gedruckt"), page), "lLabel");
    lBoegen_ = Named(new QLabel(QStringLiteral("Bögen werden mit den ausgewählten Designs gefüllt"), page), "lBoegen");
    cbZusammenhalten_ = Named(new QCheckBox(QStringLiteral("Gleiche Designs zusammenhalten"), page), "cbZusammenhalten");
    cbZusammenhalten_->setChecked(true);
    auto* grid = new QGridLayout;
    grid->addWidget(rbNrLabels_, 0, 0);
    grid->addWidget(edNrLabel_, 0, 1);
    grid->addWidget(lLabel_, 1, 0, 1, 3);
    grid->setRowMinimumHeight(2, 12);
    grid->addWidget(rbNrBoegen_, 3, 0);
    grid->addWidget(edNrBoegen_, 3, 1);
    grid->addWidget(lBoegen_, 4, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PageHeading(page, "lblAnzahlTitel", QStringLiteral("Wieviele Etiketten sollen gedruckt werden?")));
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addWidget(cbZusammenhalten_);
    layout->addStretch(1);
    for (QRadioButton* option : {rbNrLabels_, rbNrBoegen_})
        connect(option, &QRadioButton::toggled, this, [this] { OptionClick(); });
    connect(edNrLabel_, &QLineEdit::textEdited, this, [this] { rbNrLabels_->setChecked(true); });
    connect(edNrBoegen_, &QLineEdit::textEdited, this, [this] { rbNrBoegen_->setChecked(true); });
    return page;
}

QWidget* TDlgDruckauswahl::CreateFirstSheetPage() {
    auto* page = new QWidget;
    auto* panel = Named(new QWidget(page), "panPreview");
    pbPreview_ = new TSheetMaskBox(panel);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(pbPreview_);
    auto* keins = Named(new QPushButton(QStringLiteral("Kein Etikett fehlt"), page), "cmdKeinsFehlt");
    auto* alle = Named(new QPushButton(QStringLiteral("Alle fehlen"), page), "cmdAlleFehlen");
    connect(keins, &QPushButton::clicked, this, [this] { cmdKeinsFehltClick(); });
    connect(alle, &QPushButton::clicked, this, [this] { cmdAlleFehlenClick(); });
    auto* hint = Named(new QLabel(QStringLiteral("Bitte markieren Sie die Etiketten, die auf dem ersten Bogen fehlen"),
                                  page), "lblMarkieren");
    hint->setWordWrap(true);
    auto* side = new QVBoxLayout;
    side->addWidget(hint);
    side->addSpacing(8);
    side->addWidget(keins);
    side->addWidget(alle);
    side->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(panel, 1);
    row->addLayout(side);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PageHeading(page, "lblFehlenTitel", QStringLiteral("Welche Etiketten fehlen auf dem ersten Bogen?")));
    layout->addLayout(row, 1);
    return page;
}

void TDlgDruckauswahl::AfterLocalize() {
    setWindowTitle(PrintDialogCaption());
    printer_->ShowOffsets();
}

void TDlgDruckauswahl::SetSheet(const TEtikett& sheet) { pbPreview_->SetSheet(sheet); }

void TDlgDruckauswahl::SetDesigns(const std::vector<std::string>& captions) {
    lbEtikett_->clear();
    for (const std::string& caption : captions) lbEtikett_->addItem(AnsiToUnicode(caption));
    lbEtikett_->selectAll();
}

void TDlgDruckauswahl::ReadOptions(TSheetPrintOptions& options) const {
    options.Designs.clear();
    for (int i = 0; i < lbEtikett_->count(); ++i)
        if (lbEtikett_->item(i)->isSelected()) options.Designs.push_back(i);
    options.CountBySheets = rbNrBoegen_->isChecked();
    options.LabelsPerDesign = std::clamp(edNrLabel_->Value(), 1, kMostCount);
    options.SheetCount = std::clamp(edNrBoegen_->Value(), 1, kMostCount);
    options.KeepTogether = cbZusammenhalten_->isChecked();
    options.Mask = pbPreview_->Mask();
}

int TDlgDruckauswahl::Page() const { return nb_->currentIndex(); }

bool TDlgDruckauswahl::OneDesign() const { return lbEtikett_->count() == 1; }

void TDlgDruckauswahl::ShowPage(int page) {
    nb_->setCurrentIndex(page);
    cmdZurueck_->setEnabled(page > kPrinterPage);
    cmdWeiter_->setVisible(page < kFirstSheetPage);
    cmdDrucken_->setVisible(page == kFirstSheetPage);
    (page == kFirstSheetPage ? cmdDrucken_ : cmdWeiter_)->setDefault(true);
}

void TDlgDruckauswahl::cmdWeiterClick() {
    int page = Page();
    if (page == kFirstSheetPage) return;
    ++page;
    if (page == kDesignPage && OneDesign()) ++page;
    ShowPage(page);
}

void TDlgDruckauswahl::cmdZurueckClick() {
    int page = Page();
    if (page == kPrinterPage) return;
    --page;
    if (page == kDesignPage && OneDesign()) --page;
    ShowPage(page);
}

void TDlgDruckauswahl::cmdAlleClick() { lbEtikett_->selectAll(); }

// Only the chosen count's number and note are open.
void TDlgDruckauswahl::OptionClick() {
    const bool byLabels = rbNrLabels_->isChecked();
    edNrLabel_->setEnabled(byLabels);
    lLabel_->setEnabled(byLabels);
    edNrBoegen_->setEnabled(!byLabels);
    lBoegen_->setEnabled(!byLabels);
}

void TDlgDruckauswahl::cmdKeinsFehltClick() { pbPreview_->FillMask('1'); }

void TDlgDruckauswahl::cmdAlleFehlenClick() { pbPreview_->FillMask('0'); }

void TDlgDruckauswahl::cmdDruckenClick() {
    printer_->SaveUseScanlines();
    accept();
}
