#pragma once
// "Etikett definieren": the label size, margins, gaps, labels across and down
// and the name of a user's own label type, beside a schematic page of four
// labels whose red bars show what each length measures. OK checks the
// definition against the page (LabelTypeDefinitionProblems) and shows every
// failing check's message one after the other; the dialog closes only when
// all pass and its fields hold values within their limits.

#include "controls/CloseQueryDialog.h"
#include "document/LabelTypes.h"

#include <functional>

class QLabel;
class QLineEdit;
class TQDXFloatEdit;
class TQDXIntegerEdit;
class TZREnterAsTab;

class TDlgDefEtikett : public TCloseQueryDialog {
    Q_OBJECT
public:
    explicit TDlgDefEtikett(QWidget* parent = nullptr);

    void SetDefinition(const TLabelTypeDefinition& definition);
    // The fields' values (a field without a number gives its lower limit).
    TLabelTypeDefinition Definition() const;

    // The checks of OK; closes the dialog with Accepted when all pass.
    void BtnOKClick();

    // Shows one error message; tests record the messages instead.
    std::function<void(const QString& text)> ShowError;

    TQDXFloatEdit* edX;
    TQDXFloatEdit* edY;
    TQDXFloatEdit* edRX;
    TQDXFloatEdit* edRY;
    TQDXFloatEdit* edAX;
    TQDXFloatEdit* edAY;
    TQDXIntegerEdit* edNX;
    TQDXIntegerEdit* edNY;
    QLineEdit* edBezeichnung;

private:
    TZREnterAsTab* enterAsTab_;
};

// Shows the dialog with the definition; true and the new values on OK.
bool EditLabelTypeDefinition(TLabelTypeDefinition& definition, QWidget* parent = nullptr);
