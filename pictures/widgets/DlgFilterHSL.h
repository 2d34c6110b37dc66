#pragma once
// Post-processing of a picture's hue, saturation and lightness.

#include "pictures/widgets/DlgFilter.h"

class TDlgFilterHSL : public TDlgFilter {
    Q_OBJECT
public:
    explicit TDlgFilterHSL(QWidget* parent = nullptr);
    void SetDIB(imaging::DibHandle dib) override;
    // Hue shift (-0.5 .. 0.5 turns), saturation and lightness shifts (-1 .. 1).
    std::vector<float> FilterValues() const override;

protected:
    void Filter(imaging::Dib& dib, const TFilterProgress& progress) const override;
};

// Shows the dialog modally on a copy of the picture: the filtered picture
// on OK, none on Cancel.
imaging::DibHandle ShowFilterHSLDialog(const imaging::Dib& picture, QWidget* parent = nullptr);
