#include "controls/DialogButtons.h"

#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QDialog>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QPushButton>

namespace {

struct OkCancel {
    QPushButton* ok;
    QPushButton* cancel;
};

OkCancel MakeOkCancel(QWidget* parent, const char* okName, const char* cancelName) {
    auto* ok = new QPushButton(QStringLiteral("OK"), parent);
    ok->setObjectName(QString::fromLatin1(okName));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), parent);
    cancel->setObjectName(QString::fromLatin1(cancelName));
    return {ok, cancel};
}

}  // namespace

QDialogButtonBox* CreateOkCancelButtons(QDialog* dialog, std::function<void()> onOk) {
    auto* box = new QDialogButtonBox(dialog);
    box->setObjectName(QStringLiteral("Buttons"));
    const OkCancel buttons = MakeOkCancel(box, "OKBtn", "CancelBtn");
    box->addButton(buttons.ok, QDialogButtonBox::AcceptRole);
    box->addButton(buttons.cancel, QDialogButtonBox::RejectRole);
    if (onOk) {
        QObject::connect(box, &QDialogButtonBox::accepted, dialog, std::move(onOk));
    } else {
        QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    }
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

void AddOkCancel(QDialog* dialog, QBoxLayout* layout, QPushButton*& ok, QPushButton*& cancel) {
    const OkCancel buttons = MakeOkCancel(dialog, "BtnOK", "BtnAbbrechen");
    ok = buttons.ok;
    cancel = buttons.cancel;
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}
