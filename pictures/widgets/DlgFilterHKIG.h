#pragma once
// Post-processing of a picture's brightness, contrast, intensity and gamma.

#include "pictures/widgets/DlgFilter.h"

class TDlgFilterHKIG : public TDlgFilter {
    Q_OBJECT
public:
    explicit TDlgFilterHKIG(QWidget* parent = nullptr);
    void SetDIB(imaging::DibHandle dib) override;
    // Brightness, contrast, intensity (-1 .. 1) and gamma (0.1 .. 10).
    std::vector<float> FilterValues() const override;

protected:
    void Filter(imaging::Dib& dib, const TFilterProgress& progress) const override;
    bool ShowsWaitCursor() const override { return false; }
};

// Shows the dialog modally on a copy of the picture: the filtered picture
// on OK, none on Cancel.
imaging::DibHandle ShowFilterHKIGDialog(const imaging::Dib& picture, QWidget* parent = nullptr);
