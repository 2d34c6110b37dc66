#include "controls/DialogButtons.h"

#include <QtWidgets/QDialog>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QPushButton>

QDialogButtonBox* CreateOkCancelButtons(QDialog* dialog, std::function<void()> onOk) {
    auto* box = new QDialogButtonBox(dialog);
    box->setObjectName(QStringLiteral("Buttons"));
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    QPushButton* cancel = box->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    if (onOk) {
        QObject::connect(box, &QDialogButtonBox::accepted, dialog, std::move(onOk));
    } else {
        QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    }
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}
