#pragma once
// Post-processing into a black-and-white or tinted picture: every pixel's
// grey value takes the colour of the chosen hue and saturation.

#include "pictures/widgets/DlgFilter.h"

class TDlgFilterSWCol : public TDlgFilter {
    Q_OBJECT
public:
    explicit TDlgFilterSWCol(QWidget* parent = nullptr);
    // The right preview opens tinted with the start values.
    void SetDIB(imaging::DibHandle dib) override;
    // Hue and saturation (0 .. 1).
    std::vector<float> FilterValues() const override;
    // Saturation 0: a plain grey picture.
    void BtnSchwarzWeissClick();

    QPushButton* BtnSchwarzWeiss;

protected:
    void Filter(imaging::Dib& dib, const TFilterProgress& progress) const override;
};

// Shows the dialog modally on a copy of the picture: the filtered picture
// on OK, none on Cancel.
imaging::DibHandle ShowFilterSWColDialog(const imaging::Dib& picture, QWidget* parent = nullptr);
