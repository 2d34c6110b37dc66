#pragma once
// Small pieces shared by the figure dialogs.

#include "foundation/widgets/LocalizerForm.h"

#include <QtCore/QString>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QDialog>
#include <QtWidgets/QPushButton>

// OK (default, accepts) and "Abbrechen" (rejects), right-aligned in a row
// added to the layout.
inline void AddOkCancel(QDialog* dialog, QBoxLayout* layout, QPushButton*& ok, QPushButton*& cancel) {
    ok = Named(new QPushButton(QStringLiteral("OK"), dialog), "BtnOK");
    ok->setDefault(true);
    cancel = Named(new QPushButton(QStringLiteral("Abbrechen"), dialog), "BtnAbbrechen");
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}
