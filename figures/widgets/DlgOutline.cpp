#include "figures/widgets/DlgOutline.h"

#include "controls/ZRDriveListBox.h"
#include "controls/ZRLayoutOutline.h"
#include "controls/ZRPreviewOutline.h"
#include "controls/ZRSelectOutline.h"
#include "foundation/Localizer.h"
#include "foundation/widgets/DialogStyle.h"

#include <QtCore/QElapsedTimer>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr int kDlgOutlineLastPage = 3;
// The reading count is shown at most this often.
constexpr qint64 kDlgOutlineCountMilliseconds = 100;

QLabel* PageQuestion(QWidget* page, const char* name, const QString& text) {
    auto* label = Named(new QLabel(text, page), name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setWordWrap(true);
    return label;
}

QLabel* PageNote(QWidget* page, const char* name, const QString& text) {
    auto* label = Named(new QLabel(text, page), name);
    label->setWordWrap(true);
    return label;
}

}  // namespace

TDlgOutline::TDlgOutline(QWidget* parent, TVolumeSource volumes) : TLocalizerDialog(parent) {
    setWindowTitle(QStringLiteral("Verzeichnisbaum"));
    AssignStatusFont(this);
    nb = Named(new QStackedWidget(this), "nb");
    nb->addWidget(DrivePage(std::move(volumes)));
    nb->addWidget(TreePage());
    nb->addWidget(PrintPage());
    nb->addWidget(LookPage());

    BtnZurueck = Named(new QPushButton(QStringLiteral("<< Zurück"), this), "BtnZurueck");
    BtnWeiter = Named(new QPushButton(QStringLiteral("Weiter >>"), this), "BtnWeiter");
    BtnAbbrechen = Named(new QPushButton(QStringLiteral("Abbrechen"), this), "BtnAbbrechen");
    BtnWeiter->setDefault(true);
    BtnZurueck->setEnabled(false);
    BtnWeiter->setEnabled(false);
    connect(BtnZurueck, &QPushButton::clicked, this, &TDlgOutline::Back);
    connect(BtnWeiter, &QPushButton::clicked, this, &TDlgOutline::Next);
    connect(BtnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnZurueck);
    buttons->addWidget(BtnWeiter);
    buttons->addWidget(BtnAbbrechen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nb);
    layout->addLayout(buttons);
    resize(460, 420);
}

QWidget* TDlgOutline::DrivePage(TVolumeSource volumes) {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PageQuestion(page, "lblLaufwerk",
                                   QStringLiteral("Von welchem Laufwerk sollen die Verzeichnisse eingelesen werden? ")));
    layout->addWidget(PageNote(page, "lblLaufwerkHinweis",
                               QStringLiteral("Alle Verzeichnisse des Laufwerks werden auf einmal eingelesen; "
                                              "das kann einige Sekunden dauern.")));
    DriveList = Named(new TZRDriveListBox(page, std::move(volumes)), "DriveList");
    layout->addWidget(DriveList, 1);
    lblDirRead = Named(new QLabel(page), "lblDirRead");
    BtnLaufwerkEinlesen = Named(new QPushButton(QStringLiteral("Laufwerk einlesen"), page), "BtnLaufwerkEinlesen");
    auto* row = new QHBoxLayout;
    row->addWidget(lblDirRead, 1);
    row->addWidget(BtnLaufwerkEinlesen);
    layout->addLayout(row);
    DriveList->OnChange = [this](TZRDriveListBox&) { ReadDrive(); };
    connect(BtnLaufwerkEinlesen, &QPushButton::clicked, this, &TDlgOutline::ReadDrive);
    return page;
}

QWidget* TDlgOutline::TreePage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PageQuestion(page, "lblBaum", QStringLiteral("Welche Verzeichnisäste sollen dargestellt werden?")));
    layout->addWidget(PageNote(page, "lblBaumHinweis",
                               QStringLiteral("Mit den Plus- und Minuszeichen öffnen und schließen Sie die Äste; "
                                              "gedruckt werden die geöffneten Äste.")));
    LayoutOutline = Named(new TZRLayoutOutline(page), "LayoutOutline");
    layout->addWidget(LayoutOutline, 1);
    lblAnzahlDir = Named(new QLabel(page), "lblAnzahlDir");
    layout->addWidget(lblAnzahlDir);
    lblCut = Named(new QLabel(page), "lblCut");
    lblCut->setWordWrap(true);
    lblCut->hide();
    layout->addWidget(lblCut);
    LayoutOutline->OnExpand = [this](TZRLayoutOutline&) { UpdateCount(); };
    LayoutOutline->OnCollapse = [this](TZRLayoutOutline&) { UpdateCount(); };
    auto shown = std::make_shared<QElapsedTimer>();
    LayoutOutline->OnProgress = [this, shown](TZRLayoutOutline& outline) {
        if (shown->isValid() && shown->elapsed() < kDlgOutlineCountMilliseconds) return;
        shown->start();
        lblDirRead->setText(LocalizedFormat("IDS_DIROUTLINENUMREAD", {outline.Data().FoundCount()}));
        lblDirRead->repaint();
    };
    return page;
}

QWidget* TDlgOutline::PrintPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PageQuestion(
        page, "lblDrucken", QStringLiteral("Sollen aus der getroffenen Auswahl einige Einträge nicht gedruckt werden?")));
    layout->addWidget(PageNote(page, "lblDruckenHinweis",
                               QStringLiteral("Entfernen Sie das Kreuz vor einem Verzeichnis, wird es mit allen "
                                              "Unterverzeichnissen nicht gedruckt.")));
    SelectOutline = Named(new TZRSelectOutline(page), "SelectOutline");
    layout->addWidget(SelectOutline, 1);
    return page;
}

QWidget* TDlgOutline::LookPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(PageQuestion(page, "lblDarstellung",
                                   QStringLiteral("Wählen Sie die Darstellungsart des Verzeichnisbaums.")));
    PreviewOutline = Named(new TZRPreviewOutline(page), "PreviewOutline");
    layout->addWidget(PreviewOutline, 1);
    cbPlusMinus = Named(new QCheckBox(QStringLiteral("Plus Symbole drucken"), page), "cbPlusMinus");
    cbFolder = Named(new QCheckBox(QStringLiteral("Ordnersymbole drucken"), page), "cbFolder");
    cbLines = Named(new QCheckBox(QStringLiteral("Astlinien drucken"), page), "cbLines");
    rg = Named(new QGroupBox(QStringLiteral("Spaltenanzahl (hier nicht dargestellt)"), page), "rg");
    auto* columns = new QVBoxLayout(rg);
    const char* names[] = {"rbColumns1", "rbColumns2", "rbColumns3"};
    for (int i = 0; i < 3; ++i) {
        rbColumns[i] = Named(new QRadioButton(QStringLiteral("%1 - spaltig").arg(i + 1), rg), names[i]);
        columns->addWidget(rbColumns[i]);
    }
    rbColumns[0]->setChecked(true);
    auto* options = new QVBoxLayout;
    options->addWidget(cbPlusMinus);
    options->addWidget(cbFolder);
    options->addWidget(cbLines);
    options->addStretch();
    auto* row = new QHBoxLayout;
    row->addLayout(options);
    row->addWidget(rg);
    layout->addLayout(row);
    connect(cbPlusMinus, &QCheckBox::toggled, this, [this](bool on) { PreviewOutline->SetShowPlusMinus(on); });
    connect(cbFolder, &QCheckBox::toggled, this, [this](bool on) { PreviewOutline->SetShowFolderIcons(on); });
    connect(cbLines, &QCheckBox::toggled, this, [this](bool on) { PreviewOutline->SetShowLines(on); });
    for (QCheckBox* box : {cbPlusMinus, cbFolder, cbLines}) box->setChecked(true);
    return page;
}

void TDlgOutline::SetData(const TZROutlDataList& list) {
    LayoutOutline->AssignData(list);
    SelectOutline->AssignData(list);
    PreviewOutline->AssignData(list);
    UpdateCount();
    nb->setCurrentIndex(1);
    BtnZurueck->setEnabled(true);
    BtnWeiter->setEnabled(true);
}

const TZROutlDataList& TDlgOutline::Data() const { return PreviewOutline->Data(); }

int TDlgOutline::ColumnIndex() const {
    for (int i = 0; i < 3; ++i)
        if (rbColumns[i]->isChecked()) return i;
    return 0;
}

void TDlgOutline::SetColumnIndex(int index) { rbColumns[std::clamp(index, 0, 2)]->setChecked(true); }

int TDlgOutline::PageIndex() const { return nb->currentIndex(); }

void TDlgOutline::ReadDrive() {
    LayoutOutline->ReadDrive(DriveList->Drive());
    const TZROutlDataList& read = LayoutOutline->Data();
    lblDirRead->setText(LocalizedFormat("IDS_DIROUTLINENUMREAD", {read.FoundCount()}));
    lblCut->setText(LocalizedFormat("IDS_DIROUTLINECUT", {read.Count(), read.FoundCount()}));
    lblCut->setVisible(read.Truncated());
    UpdateCount();
    BtnWeiter->setEnabled(true);
    if (PageIndex() == 0) Next();
}

void TDlgOutline::UpdateCount() {
    lblAnzahlDir->setText(
        LocalizedFormat("IDS_DIROUTLINEANZAHLDIR", {LayoutOutline->count(), LayoutOutline->Data().Count()}));
}

void TDlgOutline::Next() {
    const int page = PageIndex();
    if (page == kDlgOutlineLastPage) {
        accept();
        return;
    }
    if (page == 1) SelectOutline->AssignData(LayoutOutline->Data());
    if (page == 2) PreviewOutline->AssignData(SelectOutline->Data());
    BtnWeiter->setText(page + 1 == kDlgOutlineLastPage ? QStringLiteral("OK")
                                                        : LocalizedText("IDS_DIROUTLINEBTNWEITER"));
    BtnZurueck->setEnabled(true);
    ShowPage(page + 1);
}

void TDlgOutline::Back() {
    const int page = PageIndex();
    if (page == 0) return;
    if (page == 2) LayoutOutline->AssignData(SelectOutline->Data());
    if (page == 3) PreviewOutline->AssignData(SelectOutline->Data());
    BtnWeiter->setText(LocalizedText("IDS_DIROUTLINEBTNWEITER"));
    if (page == 1) BtnZurueck->setEnabled(false);
    ShowPage(page - 1);
}

void TDlgOutline::ShowPage(int index) { nb->setCurrentIndex(index); }
