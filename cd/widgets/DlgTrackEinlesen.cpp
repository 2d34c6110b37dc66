#include "cd/widgets/DlgTrackEinlesen.h"

#include "cd/lookup/CDDBConnect.h"
#include "cd/lookup/CDInfo.h"
#include "cd/lookup/CddbSettings.h"
#include "cd/lookup/FreeDBCache.h"
#include "cd/widgets/DlgFreeDBOptionen.h"
#include "cd/widgets/ServiceCaption.h"
#include "cd/widgets/TrackGrid.h"
#include "controls/DialogButtons.h"
#include "foundation/Codepage1252.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/WaitCursor.h"

#include <QtCore/QUrl>
#include <QtGui/QCloseEvent>
#include <QtGui/QDesktopServices>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QVBoxLayout>

#include <cstdio>

namespace {

std::string TrackTime(const TMSF& length) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%2.2d", length.Minutes, length.Seconds);
    return text;
}

}  // namespace

TDlgTrackEinlesen::TDlgTrackEinlesen(QWidget* parent) : TLocalizerDialog(parent) {
    setWindowTitle(QStringLiteral("Tracks einlesen"));
    sg = Named(new QTableWidget(0, 3, this), "sg");
    SetUpTrackGrid(*sg, false);
    sg->setMinimumSize(393, 233);
    sg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg->horizontalHeader()->hide();

    GroupBox1 = Named(new QGroupBox(QStringLiteral("Titel aus Internetdatenbank laden"), this), "GroupBox1");
    lblHinweis = Named(new QLabel(QStringLiteral("Es können nur Original Musik-CDs eingelesen werden. Selbstzusammengestellte "
                                                 "Sampler werden nicht erkannt. Über den freien CDDB-Dienst können Sie sich "
                                                 "auf seiner Homepage informieren."),
                                  GroupBox1),
                       "lblHinweis");
    lblHinweis->setWordWrap(true);
    BtnEinlesen = Named(new QPushButton(QStringLiteral("Einlesen"), GroupBox1), "BtnEinlesen");
    BtnOptionen = Named(new QPushButton(QStringLiteral("Optionen..."), GroupBox1), "BtnOptionen");
    BtnfreedbHomepage = Named(new QPushButton(QStringLiteral("Homepage des Dienstes"), GroupBox1), "BtnfreedbHomepage");
    lblDienst = ServiceCaption(GroupBox1);
    auto* group = new QVBoxLayout(GroupBox1);
    group->addWidget(lblHinweis);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblDienst);
    buttons->addStretch();
    for (QPushButton* b : {BtnEinlesen, BtnOptionen, BtnfreedbHomepage}) buttons->addWidget(b);
    group->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sg);
    layout->addWidget(GroupBox1);
    AddOkCancel(this, layout, BtnOK, BtnAbbrechen);
    connect(BtnEinlesen, &QPushButton::clicked, this, [this] { BtnEinlesenClick(); });
    connect(BtnOptionen, &QPushButton::clicked, this, [this] { BtnOptionenClick(); });
    connect(BtnfreedbHomepage, &QPushButton::clicked, this, [this] { BtnfreedbHomepageClick(); });
    cdInfo_ = std::make_unique<TCDInfo>();
}

TDlgTrackEinlesen::~TDlgTrackEinlesen() = default;

QString TDlgTrackEinlesen::Cell(int row, int column) const { return GridText(*sg, row, column); }

void TDlgTrackEinlesen::showEvent(QShowEvent* event) {
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
    TLocalizerDialog::showEvent(event);
}

void TDlgTrackEinlesen::FormShow() {
    const int32_t tracks = cdInfo_->GetTrackCount();
    sg->setRowCount(tracks);
    for (int32_t r = 0; r < tracks; ++r) {
        SetGridText(*sg, r, 0, QString::number(r + 1));
        SetGridText(*sg, r, 1, QStringLiteral("Track%1").arg(r + 1));
        SetGridText(*sg, r, 2, AnsiToUnicode(TrackTime(cdInfo_->GetTrackLength(r + 1))));
    }
    if (tracks == 0 || !cdInfo_->IsFirstTrackAudio()) return;
    std::vector<std::string> lines;
    const std::string id = cdInfo_->GetDiscIdText();
    if (!FreeDBCache().Load(id, lines)) return;
    TCDDBEntry entry;
    entry.Parse(lines, id);
    TakeEntry(entry);
}

void TDlgTrackEinlesen::TakeEntry(const TCDDBEntry& entry) {
    for (int32_t r = 0; r < entry.TrackCount() && r < sg->rowCount(); ++r) SetGridText(*sg, r, 1, AnsiToUnicode(entry.GetTrack(r)));
    Title = entry.Title;
    Artist = entry.Artist;
}

void TDlgTrackEinlesen::BtnEinlesenClick() {
    const TWaitCursor busy;
    if (!cdInfo_->IsFirstTrackAudio()) RaiseNoAudioCD();
    if (!EnsureInternetConnection()) return;
    struct Disabled {
        TDlgTrackEinlesen& dialog;
        explicit Disabled(TDlgTrackEinlesen& d) : dialog(d) { dialog.EnableControls(false); }
        ~Disabled() { dialog.EnableControls(true); }
    } disabled(*this);
    Lookup();
}

void TDlgTrackEinlesen::Lookup() {
    if (!cdInfo_->IsFirstTrackAudio()) RaiseNoAudioCD();
    TCDDBEntry entry;
    TCDDBConnect connect;
    connect.LoadSettings();
    // A look-up that fails (it raises) or is cancelled leaves everything shown.
    if (connect.Query(entry)) TakeEntry(entry);
}

void TDlgTrackEinlesen::EnableControls(bool enabled) {
    for (QPushButton* b : {BtnEinlesen, BtnOptionen, BtnfreedbHomepage, BtnOK, BtnAbbrechen}) b->setEnabled(enabled);
}

void TDlgTrackEinlesen::closeEvent(QCloseEvent* event) {
    if (!BtnOK->isEnabled()) {
        event->ignore();
        return;
    }
    HangUpIfDialled();
    TLocalizerDialog::closeEvent(event);
}

void TDlgTrackEinlesen::reject() {
    if (BtnOK->isEnabled()) TLocalizerDialog::reject();
}

void TDlgTrackEinlesen::BtnOptionenClick() {
    TDlgFreeDBOptionen options(this);
    options.exec();
}

void TDlgTrackEinlesen::BtnfreedbHomepageClick() {
    if (!QDesktopServices::openUrl(QUrl(QString::fromLatin1(kCddbHomePage))))
        QMessageBox::warning(this, ApplicationTitle(), LocalizedText("IDS_CDINFO5"));
}
