#pragma once
// "Titeltabelle": the tracks of a track table in a grid of numbers, titles
// and times (at least 99 rows, more when the table has more tracks), the
// two column switches, and "Audio-CD einlesen", which fills the grid from
// the disc in the drive through the track import dialog. Enter moves to the
// next cell.

#include "cd/lookup/TrackTabelleData.h"
#include "foundation/widgets/LocalizerForm.h"

#include <functional>

class QCheckBox;
class QPushButton;
class QTableWidget;
class TDlgTrackEinlesen;

class TDlgTrackTabelle : public TLocalizerDialog {
    Q_OBJECT
public:
    static constexpr int kMinimumRows = 99;

    explicit TDlgTrackTabelle(QWidget* parent = nullptr);

    void LoadFromData(const TZRTrackTabelleData& data);
    // The tracks up to the last row with a title or a time; empty rows
    // before it become empty tracks.
    void StoreToData(TZRTrackTabelleData& data) const;
    void BtnAudioCDClick();
    // From the last column to the title of the next row, from the last row
    // back to the first.
    void MoveToNextCell();

    // Shows the import dialog modally (tests replace it); true on OK.
    std::function<bool(TDlgTrackEinlesen& dialog)> RunImport;

    QTableWidget* sgTracks;
    QCheckBox* chTracknummer;
    QCheckBox* chTrackLength;
    QPushButton* BtnAudioCD;
    QPushButton* BtnOK;
    QPushButton* BtnAbbrechen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void AfterLocalize() override;

private:
    void SetRowCount(int rows);
};

// The dialog on the table; on OK the table takes what the dialog holds.
bool EditTrackTable(TZRTrackTabelleData& data, QWidget* parent);
