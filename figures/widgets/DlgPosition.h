#pragma once
// The position dialog: centre, size and angle of a figure in five float
// fields. The flags say which groups may be edited; with the proportional
// size flag, leaving the width field sets the height from the proportion the
// figure had when the dialog was shown, and the other way round. Enter moves
// to the next field; OK checks every field first.

#include "controls/CloseQueryDialog.h"

#include <cstdint>

class QGroupBox;
class QLabel;
class QPushButton;
class TQDXFloatEdit;
class TZRCtrlFocus;
class TZREnterAsTab;
class TExitFloatEdit;

class TDlgPosition : public TCloseQueryDialog {
    Q_OBJECT
public:
    explicit TDlgPosition(QWidget* parent = nullptr);

    void SetFlags(uint8_t flags);
    uint8_t Flags = 0;
    // Width : height when the dialog was shown (99999999999 for height 0).
    double Ratio = 1;

    // Leaving the size fields with the proportional size flag set.
    void edWidthExit();
    void edHeightExit();

    QGroupBox* gbPosition;
    QLabel* Label1;
    TQDXFloatEdit* edHori;
    QLabel* Label2;
    TQDXFloatEdit* edVert;
    QGroupBox* gbSize;
    QLabel* Label3;
    TQDXFloatEdit* edWidth;
    QLabel* Label4;
    TQDXFloatEdit* edHeight;
    QGroupBox* gbWinkel;
    QLabel* lWinkel;
    TQDXFloatEdit* edWinkel;
    QPushButton* BtnOK;
    QPushButton* BtnAbbrechen;
    TZREnterAsTab* EnterAsTab;
    TZRCtrlFocus* CtrlFocus;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TExitFloatEdit* MakeEdit(const char* name, double lower, double upper);
};
