#pragma once
// The text entry dialog: a text of up to 1024 characters in several lines.

#include "foundation/widgets/LocalizerForm.h"

class QPlainTextEdit;
class QPushButton;

class TDlgTextNeu : public TLocalizerDialog {
    Q_OBJECT
public:
    // Centred over the main window when one is given.
    explicit TDlgTextNeu(QWidget* parent = nullptr, const QWidget* mainWindow = nullptr);

    static constexpr int kMaxLength = 1024;

    QPlainTextEdit* Memo1;
    QPushButton* BtnOK;
    QPushButton* BtnAbbrechen;
};
