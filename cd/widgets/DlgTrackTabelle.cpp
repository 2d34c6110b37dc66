#include "cd/widgets/DlgTrackTabelle.h"

#include "cd/lookup/CDInfo.h"
#include "cd/widgets/DlgTrackEinlesen.h"
#include "cd/widgets/TrackGrid.h"
#include "controls/DialogButtons.h"
#include "foundation/Codepage1252.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

namespace {

constexpr QRgb kNumberColumnColour = 0xE0E0E0;

}  // namespace

TDlgTrackTabelle::TDlgTrackTabelle(QWidget* parent) : TLocalizerDialog(parent) {
    setWindowTitle(QStringLiteral("Titeltabelle"));
    sgTracks = Named(new QTableWidget(0, 3, this), "sgTracks");
    MarkAsData(sgTracks);
    SetUpTrackGrid(*sgTracks, true);
    sgTracks->setMinimumSize(405, 369);
    sgTracks->setEditTriggers(QAbstractItemView::AllEditTriggers);
    sgTracks->installEventFilter(this);
    chTracknummer = Named(new QCheckBox(QStringLiteral("Tracknummer"), this), "chTracknummer");
    chTrackLength = Named(new QCheckBox(QStringLiteral("Spieldauer"), this), "chTrackLength");
    chTracknummer->setChecked(true);
    chTrackLength->setChecked(true);
    BtnAudioCD = Named(new QPushButton(QStringLiteral("Audio-CD einlesen"), this), "BtnAudioCD");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sgTracks);
    auto* options = new QHBoxLayout;
    options->addWidget(chTracknummer);
    options->addWidget(chTrackLength);
    options->addStretch();
    options->addWidget(BtnAudioCD);
    layout->addLayout(options);
    AddOkCancel(this, layout, BtnOK, BtnAbbrechen);
    connect(BtnAudioCD, &QPushButton::clicked, this, [this] { BtnAudioCDClick(); });
    RunImport = [](TDlgTrackEinlesen& dialog) { return dialog.exec() == QDialog::Accepted; };
    SetRowCount(kMinimumRows);
    sgTracks->setCurrentCell(0, 1);
}

void TDlgTrackTabelle::AfterLocalize() {
    sgTracks->setHorizontalHeaderLabels(
        {LocalizedText("IDS_TRACKTABELLE1"), LocalizedText("IDS_TRACKTABELLE2"), LocalizedText("IDS_TRACKTABELLE3")});
}

void TDlgTrackTabelle::SetRowCount(int rows) {
    const int before = sgTracks->rowCount();
    sgTracks->setRowCount(rows);
    for (int r = before; r < rows; ++r) {
        auto* number = new QTableWidgetItem(QString::number(r + 1));
        number->setFlags(Qt::ItemIsEnabled);
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        number->setBackground(QColor(kNumberColumnColour));
        sgTracks->setItem(r, 0, number);
    }
}

void TDlgTrackTabelle::LoadFromData(const TZRTrackTabelleData& data) {
    SetRowCount(std::max(kMinimumRows, data.Count()));
    for (int r = 0; r < sgTracks->rowCount(); ++r) {
        const bool track = r < data.Count();
        SetGridText(*sgTracks, r, 1, track ? AnsiToUnicode(data.GetTitle(r)) : QString());
        SetGridText(*sgTracks, r, 2, track ? AnsiToUnicode(data.GetDuration(r)) : QString());
    }
    chTracknummer->setChecked(data.ShowNumbers());
    chTrackLength->setChecked(data.ShowDurations());
}

void TDlgTrackTabelle::StoreToData(TZRTrackTabelleData& data) const {
    data.Clear();
    data.SetShowNumbers(chTracknummer->isChecked());
    data.SetShowDurations(chTrackLength->isChecked());
    int last = -1;
    for (int r = 0; r < sgTracks->rowCount(); ++r)
        if (!(GridText(*sgTracks, r, 1) + GridText(*sgTracks, r, 2)).isEmpty()) last = r;
    for (int r = 0; r <= last; ++r)
        data.AddTrack(UnicodeToAnsi(GridText(*sgTracks, r, 1)), UnicodeToAnsi(GridText(*sgTracks, r, 2)));
}

void TDlgTrackTabelle::BtnAudioCDClick() {
    const TCDInfo info;
    if (!info.IsMediaPresent() || !info.IsFirstTrackAudio()) {
        QMessageBox::information(this, ApplicationTitle(), LocalizedText("IDS_CDINFO2"));
        return;
    }
    TDlgTrackEinlesen import(this);
    if (!RunImport(import)) return;
    const int tracks = import.sg->rowCount();
    SetRowCount(std::max(sgTracks->rowCount(), tracks));
    for (int r = 0; r < sgTracks->rowCount(); ++r) {
        SetGridText(*sgTracks, r, 1, r < tracks ? import.Cell(r, 1) : QString());
        SetGridText(*sgTracks, r, 2, r < tracks ? import.Cell(r, 2) : QString());
    }
}

void TDlgTrackTabelle::MoveToNextCell() {
    int row = std::max(0, sgTracks->currentRow());
    int column = sgTracks->currentColumn() + 1;
    if (column > 2) {
        column = 1;
        row = row + 1 < sgTracks->rowCount() ? row + 1 : 0;
    }
    sgTracks->setCurrentCell(row, std::max(column, 1));
}

bool TDlgTrackTabelle::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sgTracks && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            MoveToNextCell();
            return true;
        }
    }
    return TLocalizerDialog::eventFilter(watched, event);
}

bool EditTrackTable(TZRTrackTabelleData& data, QWidget* parent) {
    TDlgTrackTabelle dialog(parent);
    dialog.LoadFromData(data);
    if (dialog.exec() != QDialog::Accepted) return false;
    TZRTrackTabelleData edited;
    dialog.StoreToData(edited);
    data.CopyFrom(edited);
    return true;
}
