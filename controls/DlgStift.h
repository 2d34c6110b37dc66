#pragma once
// The pen width dialog: a width in millimetres (0.001 to 10, kept to two
// decimals) typed or picked from nine quick buttons. An invalid or
// out-of-range width keeps the dialog open with a warning.

#include "controls/CloseQueryDialog.h"

#include <array>

class QPushButton;
class TQDXFloatEdit;

class TDlgStift : public TCloseQueryDialog {
    Q_OBJECT
public:
    static constexpr std::array<double, 9> kQuickWidths = {0.1, 0.18, 0.25, 0.35, 0.5, 0.7, 1.0, 2.0, 5.0};

    explicit TDlgStift(QWidget* parent = nullptr);

    // Shows the width rounded to two decimals.
    void SetWidth(float widthMM);
    // The field's value rounded to two decimals.
    float Width() const;

    TQDXFloatEdit* WidthField() const { return feDicke_; }
    QPushButton* QuickButton(size_t index) const { return quick_[index]; }

private:
    TQDXFloatEdit* feDicke_;
    std::array<QPushButton*, kQuickWidths.size()> quick_{};
};

// True and the new width on OK.
bool EditPenWidth(float& widthMM, QWidget* parent = nullptr);
// The name the figure dialogs know it by.
inline bool EditPenWidthDialog(float& widthMM, QWidget* parent = nullptr) { return EditPenWidth(widthMM, parent); }
