#pragma once
// The small window shown while a print job runs: what is being printed, and
// "Abbrechen", which aborts the printer's job. The job loops look at the
// printer's aborted state between labels and pages; the window's events are
// handled while they let pending events run. One such window exists while a
// job runs (Current()).

#include "foundation/widgets/LocalizerForm.h"

class QLabel;
class QPushButton;

class TDlgDruckAbbrechen : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TDlgDruckAbbrechen(QWidget* owner = nullptr);
    ~TDlgDruckAbbrechen() override;

    // The text, shown at once.
    void SetText(const QString& text);
    QString Text() const;

    // Aborts the job of the current printer. Closing the window does the same.
    void cmdAbbrechenClick();
    void reject() override { cmdAbbrechenClick(); }

    // The window of the running job; none between jobs.
    static TDlgDruckAbbrechen* Current();

private:
    QLabel* lText_;
};
