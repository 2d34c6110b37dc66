#pragma once
// The dialog of a circular text: the text, its letter spacing (0.1 to 5, in
// steps of 0.1 with the spin buttons) and whether it runs along the top or
// the bottom of the circle.

#include "foundation/widgets/LocalizerForm.h"

#include <cstdint>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

class TDlgRotText : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TDlgRotText(QWidget* parent = nullptr);

    // Brought into [0.1, 5] and shown.
    void SetSpacing(double value);
    // 0 top, 1 bottom.
    void SetStyle(uint8_t value);
    void Spin1UpClick() { SetSpacing(Spacing + 0.1); }
    void Spin1DownClick() { SetSpacing(Spacing - 0.1); }

    double Spacing = 1.0;
    uint8_t Style = 0;

    QLabel* lblText;
    QLineEdit* edText;
    QLabel* lblKerning;
    QLabel* panKerning;
    QToolButton* Spin1Up;
    QToolButton* Spin1Down;
    QGroupBox* rgStyle;
    QRadioButton* rbTop;
    QRadioButton* rbBottom;
    QPushButton* BtnOK;
    QPushButton* BtnAbbrechen;
};
