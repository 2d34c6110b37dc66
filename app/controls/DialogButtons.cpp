#include "app/controls/DialogButtons.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QPushButton>

QDialogButtonBox* CreateOkCancelButtons(QWidget* dialog) {
    auto* box = new QDialogButtonBox(dialog);
    box->setObjectName(QStringLiteral("Buttons"));
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    QPushButton* cancel = box->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    return box;
}
