#include "controls/CloseQueryDialog.h"

#include "controls/ValidateEdit.h"

#include <algorithm>

bool FormCloseQuery(QWidget* form) {
    bool canClose = true;
    if (auto* dialog = qobject_cast<TCloseQueryDialog*>(form)) dialog->FormCloseQuery(canClose);
    QList<TQDXValidateEdit*> fields = form->findChildren<TQDXValidateEdit*>();
    fields.removeIf([form](TQDXValidateEdit* field) { return field->window() != form; });
    std::sort(fields.begin(), fields.end(),
              [](const TQDXValidateEdit* a, const TQDXValidateEdit* b) { return a->CreationNumber() < b->CreationNumber(); });
    for (TQDXValidateEdit* field : fields) field->OwnerCloseQuery(form, canClose);
    return canClose;
}

void TCloseQueryDialog::done(int result) {
    if (result == QDialog::Accepted && !::FormCloseQuery(this)) return;
    TLocalizerDialog::done(result);
}
