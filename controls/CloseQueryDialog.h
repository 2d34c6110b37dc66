#pragma once
// Dialogs whose OK asks first: before a TCloseQueryDialog closes with
// Accepted, its own FormCloseQuery runs, then the close query of every
// validating edit on it (ValidateEdit.h) in the order the fields were
// created. Once one of them refuses, the later fields skip their check but
// still hear the answer. A refusal keeps the dialog open; an EValidation
// raised by a field leaves done() (the application object shows it).
// Cancel and closing the window discard the entries and close at once.

#include "foundation/widgets/LocalizerForm.h"

// The close query of the form: the form's own answer (when it is a
// TCloseQueryDialog), then its fields. True when it may close.
bool FormCloseQuery(QWidget* form);

class TCloseQueryDialog : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TCloseQueryDialog(QWidget* parent = nullptr) : TLocalizerDialog(parent) {}

    // The form's own answer; runs before the fields'.
    virtual void FormCloseQuery(bool& canClose) {}

    void done(int result) override;
};
