#pragma once
// What the three picture post-processing dialogs ("Bildnachbearbeitung")
// share: the unchanged picture (panAlt, left) beside a live preview of the
// filtered one (panNeu, right), one slider per filter value, "Zurücksetzen",
// OK and "Abbrechen", and the progress bar at the bottom. The previews are
// filtered at their displayed size, ChangeDelay after the last slider move;
// OK filters the whole picture in place, keeping the window responsive while
// it works, and closes the dialog.

#include "foundation/widgets/LocalizerForm.h"
#include "pictures/DIBFilter.h"
#include "pictures/widgets/FilterSlider.h"

#include <span>
#include <utility>
#include <vector>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class TFilterPic;

// One slider of a dialog: its label (object name and German text), its top
// and its mode and start value.
struct TFilterSliderInfo {
    const char* labelName;
    const char* label;
    int top;
    TSliderMode mode;
    float start;
};

class TDlgFilter : public TLocalizerDialog {
    Q_OBJECT
public:
    ~TDlgFilter() override;

    // Takes the picture (a copy of the picture figure's) into the left
    // preview, which reduces a very large one.
    virtual void SetDIB(imaging::DibHandle dib);
    // The left preview's DIB, after OK the filtered picture; the dialog keeps it.
    imaging::Dib* GetDIB() const;

    // The filter's values from the sliders, in the order the filter takes them.
    virtual std::vector<float> FilterValues() const = 0;

    // A slider changed: the right preview shows the left one's picture at its
    // displayed size, filtered.
    void SliderChange();
    void BtnOKClick();
    void BtnZuruecksetzenClick();
    bool Filtering() const { return filtering_; }
    // Refused while OK filters.
    void reject() override;

    // How often the event loop runs while OK filters (milliseconds; tests use 0).
    int EventInterval = 25;

    QFrame* panAlt;
    QFrame* panNeu;
    TFilterPic* PicAlt;
    TFilterPic* PicNeu;
    QPushButton* BtnZuruecksetzen;
    QPushButton* BtnOK;
    QPushButton* Button2;
    QProgressBar* ProgressBar1;
    std::vector<QLabel*> Labels;
    std::vector<TFilterSlider*> Sliders;

protected:
    TDlgFilter(QWidget* parent, std::span<const TFilterSliderInfo> sliders);
    // The dialog's filter with the present slider values.
    virtual void Filter(imaging::Dib& dib, const TFilterProgress& progress) const = 0;
    virtual bool ShowsWaitCursor() const { return true; }
    void ResetSliders();
    QPushButton* AddButton(const char* name, const QString& text, int left);
    // Sizes the bottom row's buttons to their texts (again after every localization).
    void PlaceButtons();
    void AfterLocalize() override { PlaceButtons(); }

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void SetControlsEnabled(bool enabled);

    std::vector<TFilterSliderInfo> sliderInfo_;
    std::vector<std::pair<QPushButton*, int>> bottomButtons_;
    bool filtering_ = false;
    bool placed_ = false;
};

// Shows the dialog modally on a copy of the picture: the filtered picture on
// OK, none on Cancel. The picture itself is never changed.
imaging::DibHandle RunFilterDialog(TDlgFilter& dialog, const imaging::Dib& picture);
