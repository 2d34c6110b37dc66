#pragma once
// "Tracks einlesen": the tracks of the audio CD in the drive with their
// playing times; the titles of a disc seen before come from the cache at
// once, and "Einlesen" looks the disc up in the CDDB service. Callers read
// the grid (track, title, time) and Artist and Title after OK.
//
// A look-up that fails or is cancelled keeps what the dialog showed. While a
// look-up runs, the buttons are disabled and the window does not close.

#include "foundation/widgets/LocalizerForm.h"

#include <memory>
#include <string>

class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TCDDBEntry;
class TCDInfo;

class TDlgTrackEinlesen : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TDlgTrackEinlesen(QWidget* parent = nullptr);
    ~TDlgTrackEinlesen() override;

    // The tracks of the disc, then the titles of the cache.
    void FormShow();
    void BtnEinlesenClick();
    void BtnOptionenClick();
    void BtnfreedbHomepageClick();
    void EnableControls(bool enabled);
    // The cell text of the grid (row from 0).
    QString Cell(int row, int column) const;
    // Refused during a look-up.
    void reject() override;

    std::string Artist;
    std::string Title;

    QTableWidget* sg;
    QGroupBox* GroupBox1;
    QLabel* lblHinweis;
    QPushButton* BtnEinlesen;
    QPushButton* BtnOptionen;
    QPushButton* BtnfreedbHomepage;
    QLabel* lblDienst;
    QPushButton* BtnOK;
    QPushButton* BtnAbbrechen;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Lookup();
    void TakeEntry(const TCDDBEntry& entry);

    std::unique_ptr<TCDInfo> cdInfo_;
    bool shown_ = false;
};
